#include "data/K_YardimU.h"

#include "fb/Win1254.h"
#include "shell/AppPaths.h"
#include "shell/FormAyar.h"
#include "shell/ProgramIdentity.h"

#include <QFile>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStringDecoder>
#include <QVBoxLayout>

TK_YardimF* K_YardimF = nullptr;

QString InstallationHelpText()
{
    QFile f(ProgramDir() + QStringLiteral("KURULUM.TXT"));
    if (!f.open(QIODevice::ReadOnly))
        return QStringLiteral("Yardım dosyası bulunamadı");
    const QByteArray bytes = f.readAll();
    // Older installations deliver the text in Windows-1254.
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(bytes);
    if (utf8.hasError())
        text = fb::fromWin1254(bytes);
    return text;
}

TK_YardimF::TK_YardimF(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("K_YardimF"));
    auto* header = new QFrame(this);
    header->setObjectName(QStringLiteral("ZYFormHeader1"));
    header->setAutoFillBackground(true);
    header->setBackgroundRole(QPalette::Base);
    LabelBaslik = new QLabel(ProgramIdentity::MakerName + QLatin1Char(' ') + ProgramIdentity::ProductName
                                 + QStringLiteral(" Kurulum Yardımı"),
                             header);
    LabelBaslik->setObjectName(QStringLiteral("LabelBaslik"));
    QFont bold = LabelBaslik->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.2);
    LabelBaslik->setFont(bold);
    auto* headerLayout = new QHBoxLayout(header);
    headerLayout->addWidget(LabelBaslik);

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Memo1->setPlainText(InstallationHelpText());

    auto* main = new QVBoxLayout(this);
    main->setContentsMargins(0, 0, 0, 0);
    main->addWidget(header);
    main->addWidget(Memo1, 1);
    resize(640, 480);
}

void TK_YardimF::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormAyar(this);
}
