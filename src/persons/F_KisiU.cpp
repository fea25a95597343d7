#include "persons/F_KisiU.h"

#include "persons/KisiListeReport.h"

#include <QStyle>

namespace {
ListScreenOptions kisiOptions()
{
    ListScreenOptions o;
    o.formName = QStringLiteral("F_KisiF");
    o.caption = QStringLiteral("Kişi Kartı Listesi");
    o.headerText = QStringLiteral("Kişi Kart Listesi");
    o.nameEditName = QStringLiteral("Edit6");
    o.gurupColumn = true;
    o.clearOnShow = true;
    o.printShortcut = true;
    o.menuItemName = QStringLiteral("KisiKartArama1");
    return o;
}
} // namespace

TF_KisiF::TF_KisiF(QWidget* parent) : TListScreen(kisiOptions(), parent)
{
    ToolKartAc = addToolButton(QStringLiteral("BtnKartAc"), QStringLiteral("Kişi Kartını Aç"),
                               QStringLiteral("Kişi Kartını Aç (F8)"), style()->standardIcon(QStyle::SP_FileIcon),
                               [this] { OpenCard(); });
    ToolYazdir = addToolButton(QStringLiteral("BtnYazdir"), QStringLiteral("Yazdır"), QStringLiteral("Yazdır (F4)"),
                               style()->standardIcon(QStyle::SP_FileDialogContentsView), [this] { PrintList(); });
    ToolOzellestir = addToolButton(QStringLiteral("BtnOzellestir"), QStringLiteral("Özelleştir"), QStringLiteral("Özelleştir"),
                                   style()->standardIcon(QStyle::SP_FileDialogDetailedView), [this] { Customize(); });
    addNavigationButtons({QStringLiteral("TF_inAgac_F"), QStringLiteral("TF_upAgac_F"), QStringLiteral("TF_inAgac2_F"),
                          QStringLiteral("TF_Kzn_F"), QStringLiteral("TF_Akr_2F")});
    addCloseButton();
}

void TF_KisiF::showListReport() { ShowKisiListeReport(QLIST, this); }
