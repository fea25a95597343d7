#include "persons/KisiListeReport.h"

#include "data/Dataset.h"
#include "reports/ReportLayout.h"
#include "reports/ReportOutput.h"

namespace {

rpt::Report kisiListeReport(Dataset& list)
{
    using namespace rpt;
    Report r;
    r.title = QStringLiteral("Kişi Kartlar Listesi");
    r.dataset = &list;

    r.titleBand.height = 12;
    r.titleBand.add(text(0, r.title, 16, true, Align::Center)).items.back().top = 2;

    r.pageHeader.height = 7;
    r.pageHeader.frame = FrameTop | FrameLeft | FrameRight;
    r.pageHeader.add(text(2, QStringLiteral("Sayfa No :"), 10, true)).add(pageNumber(19));
    r.pageHeader.add(text(102, QStringLiteral("Tarih :"), 10, true)).add(date(112));
    r.pageHeader.add(text(150, QStringLiteral("Saat :"), 10, true)).add(time(161));
    for (Item& item : r.pageHeader.items)
        item.top = 1.5;

    const double columns[] = {2, 21, 42, 70, 106, 144, 163};
    const QString titles[] = {QStringLiteral("Kişi Kodu"), QStringLiteral("Adı"),      QStringLiteral("Soyadı"),
                              QStringLiteral("Anne Adı"),  QStringLiteral("Baba Adı"), QStringLiteral("Doğ.Tarihi"),
                              QStringLiteral("Telefon")};
    const QString fields[] = {QStringLiteral("KISI_KOD"), QStringLiteral("AD"),      QStringLiteral("SOYAD"),
                              QStringLiteral("ANNE_AD"),  QStringLiteral("BABA_AD"), QStringLiteral("DOG_TAR"),
                              QStringLiteral("TEL1")};
    r.columnHeader.height = 6;
    r.columnHeader.frame = FrameAll;
    r.detail.height = 4.5;
    r.detail.frame = FrameLeft | FrameRight;
    for (int i = 0; i < 7; ++i) {
        r.columnHeader.add(text(columns[i], titles[i], 9, true)).items.back().top = 1;
        r.detail.add(field(columns[i], fields[i], 8));
    }
    fitColumns(r.columnHeader);
    fitColumns(r.detail);

    r.summary.height = 7;
    r.summary.frame = FrameTop;
    r.summary.add(text(4, QStringLiteral("Listelenen kayıt sayısı   = "), 9, true)).add(detailCount(45, 9, true));
    for (Item& item : r.summary.items)
        item.top = 1.5;
    return r;
}

} // namespace

void ShowKisiListeReport(Dataset& list, QWidget* parent)
{
    rpt::showPreview(rpt::layoutReport(kisiListeReport(list)), parent);
}

bool RenderKisiListeReportToPdf(Dataset& list, const QString& pdfFile)
{
    return rpt::writePdf(rpt::layoutReport(kisiListeReport(list)), pdfFile);
}
