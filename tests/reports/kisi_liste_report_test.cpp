#include "PdfText.h"
#include "PersonDb.h"

#include "data/DataModule.h"
#include "data/Dataset.h"
#include "persons/KisiListeReport.h"
#include "reports/ReportOutput.h"

#include <QDate>
#include <algorithm>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

const QString kDetailLine = QStringLiteral(R"(^\s*T\d+\s)");

class KisiListeReportTest : public ::testing::Test {
protected:
    void TearDown() override { rpt::setPreviewHook(nullptr); }

    // The list statement of the person list screen, filtered by an optional condition.
    void openList(const QString& condition = {})
    {
        list = std::make_unique<Dataset>(db.module().DB_KUSAK, db.module().TR_KUSAK);
        list->setSql(QStringLiteral("SELECT K.*, KA.AD || ' ' || KA.SOYAD AS ANNE_AD, KB.AD || ' ' || KB.SOYAD AS BABA_AD FROM KISI K\n"
                                    "LEFT JOIN KISI KA ON (KA.BLKISIKODU=K.ANNE_KOD)\n"
                                    "LEFT JOIN KISI KB ON (KB.BLKISIKODU=K.BABA_KOD)\n"
                                    "Where K.BLKISIKODU>0\n%1\nORDER BY K.BLKISIKODU")
                          .arg(condition));
        list->open();
    }

    PdfContent render()
    {
        const QString file = db.home().path() + QStringLiteral("liste.pdf");
        EXPECT_TRUE(RenderKisiListeReportToPdf(*list, file));
        return readPdf(file);
    }

    // Page count the preview shows; the dialog is checked, never shown.
    int previewPages(QString* title = nullptr)
    {
        int pages = -1;
        rpt::setPreviewHook([&](QPrintPreviewDialog& dialog) {
            auto* view = dialog.findChild<QPrintPreviewWidget*>();
            if (!view)
                return;
            view->updatePreview();
            pages = view->pageCount();
            if (title)
                *title = dialog.windowTitle();
        });
        ShowKisiListeReport(*list);
        return pages;
    }

    PersonDb db;
    std::unique_ptr<Dataset> list;
};

TEST_F(KisiListeReportTest, PrintsHeadersOneLinePerRowAndTheCount)
{
    const qint64 father = db.addPerson(QStringLiteral("Mehmet"), QStringLiteral("Öztürk"), QStringLiteral("0"));
    const qint64 mother = db.addPerson(QStringLiteral("Ayşe"), QStringLiteral("Öztürk"), QStringLiteral("1"));
    const qint64 child = db.addPerson(QStringLiteral("Şükrü"), QStringLiteral("Öztürk"), QStringLiteral("0"), father, mother);
    db.exec(QStringLiteral("UPDATE KISI SET DOG_TAR='1975-04-23', TEL1='02125551234' WHERE BLKISIKODU=%1").arg(child));
    openList();

    const PdfContent pdf = render();
    ASSERT_EQ(pdf.pages.size(), 1);
    EXPECT_EQ(pdf.linesMatching(QStringLiteral("^\\s+Kişi Kartlar Listesi\\s*$")).size(), 1);
    const QString today = QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy"));
    EXPECT_EQ(pdf.linesMatching(QStringLiteral(R"(Sayfa No :\s*1\s+Tarih :\s*%1\s+Saat :\s*\d\d:\d\d:\d\d\s*$)")
                                    .arg(QRegularExpression::escape(today)))
                  .size(),
              1)
        << pdf.pages[0].toStdString();
    EXPECT_EQ(pdf.linesMatching(QStringLiteral(R"(Kişi Kodu\s+Adı\s+Soyadı\s+Anne Adı\s+Baba Adı\s+Doğ\.Tarihi\s+Telefon\s*$)")).size(), 1);
    EXPECT_EQ(pdf.linesMatching(kDetailLine).size(), 3);
    EXPECT_EQ(pdf.linesMatching(QStringLiteral(R"(^\s*T%1\s+Şükrü\s+Öztürk\s+Ayşe Öztürk\s+Mehmet Öztürk\s+23\.04\.1975\s+02125551234\s*$)")
                                    .arg(child))
                  .size(),
              1)
        << pdf.pages[0].toStdString();
    EXPECT_EQ(pdf.linesMatching(QStringLiteral(R"(^\s*Listelenen kayıt sayısı\s+=\s+3\s*$)")).size(), 1);
}

// Left edges are millimetres from the printable area, which starts 10 mm into the paper.
TEST_F(KisiListeReportTest, PlacesTextsAtTheirMillimetrePositions)
{
    const qint64 mother = db.addPerson(QStringLiteral("Abdurrahmangazi"), QStringLiteral("Karamustafaoğulları"), QStringLiteral("1"));
    const qint64 father = db.addPerson(QStringLiteral("Ali"), QStringLiteral("Kaya"), QStringLiteral("0"));
    db.addPerson(QStringLiteral("Gülşen"), QStringLiteral("Kaya"), QStringLiteral("1"), father, mother);
    openList(QStringLiteral("AND K.AD = 'Gülşen'"));
    const PdfContent pdf = render();
    ASSERT_EQ(pdf.paper.size(), 1u);
    EXPECT_NEAR(pdf.paper[0].width(), 210, 0.5);
    EXPECT_NEAR(pdf.paper[0].height(), 297, 0.5);

    // nth occurrence in reading order, -1 the last: the title's "Kişi" comes before the column
    // header's. The page number and the date follow their labels without a gap, so they are
    // read as one word with them; the time stands alone.
    auto nthWord = [&](const QString& text, int nth) -> const PdfWord* {
        std::vector<const PdfWord*> found;
        for (const PdfWord& w : pdf.words)
            if (w.text == text)
                found.push_back(&w);
        if (found.empty() || nth >= int(found.size()))
            return nullptr;
        return nth < 0 ? found.back() : found[size_t(nth)];
    };
    const struct { const char* word; int nth; double left; } cases[] = {
        {"Sayfa", 0, 12},  {"Tarih", 0, 112},     {"Saat", 0, 160},      {"Kişi", 1, 12},
        {"Adı", 0, 31},    {"Soyadı", 0, 52},  {"Anne", 0, 80},       {"Baba", 0, 116},      {"Doğ.Tarihi", 0, 154},
        {"Telefon", 0, 173}, {"Gülşen", 0, 31}, {"Listelenen", 0, 14}, {"1", -1, 55},
    };
    for (const auto& c : cases) {
        const PdfWord* w = nthWord(QString::fromUtf8(c.word), c.nth);
        ASSERT_NE(w, nullptr) << c.word;
        EXPECT_NEAR(w->left, c.left, 0.6) << c.word << " #" << c.nth;
    }
    const QRegularExpression clock(QStringLiteral(R"(^\d\d:\d\d:\d\d$)"));
    const auto time = std::find_if(pdf.words.begin(), pdf.words.end(), [&](const PdfWord& w) { return clock.match(w.text).hasMatch(); });
    ASSERT_NE(time, pdf.words.end());
    EXPECT_NEAR(time->left, 171, 0.6);

    const PdfWord* first = pdf.firstWord(QStringLiteral("Kişi"));
    const PdfWord* last = pdf.firstWord(QStringLiteral("Listesi"));
    ASSERT_TRUE(first && last);
    EXPECT_NEAR((first->left + last->right) / 2, 105, 1.0) << "title centred on the paper";

    // The long mother's name is cut at the father's column instead of running into it.
    const PdfWord* fatherName = pdf.firstWord(QStringLiteral("Ali"));
    ASSERT_NE(fatherName, nullptr);
    EXPECT_NEAR(fatherName->left, 116, 0.6);
    for (const PdfWord& w : pdf.words) {
        if (qAbs(w.top - fatherName->top) < 0.5 && w.left >= 80 && w.left < 115) {
            EXPECT_LT(w.right, 116) << w.text.toStdString();
        }
    }
    EXPECT_TRUE(pdf.linesMatching(QStringLiteral("Karamustafaoğulları")).isEmpty());
}

TEST_F(KisiListeReportTest, ManyRowsRunOverNumberedPages)
{
    const int rows = 130;
    for (int i = 0; i < rows; ++i)
        db.addPerson(QStringLiteral("Ad%1").arg(i + 1), QStringLiteral("Çınar"), QStringLiteral("0"));
    openList();
    const PdfContent pdf = render();
    ASSERT_GE(pdf.pages.size(), 3);

    QStringList codes;
    for (int p = 0; p < pdf.pages.size(); ++p) {
        SCOPED_TRACE(p);
        EXPECT_EQ(pdf.linesMatching(QStringLiteral(R"(Sayfa No :\s*%1\s)").arg(p + 1), p).size(), 1);
        EXPECT_EQ(pdf.linesMatching(QStringLiteral("Kişi Kodu"), p).size(), 1);
        EXPECT_EQ(pdf.linesMatching(QStringLiteral("Kişi Kartlar Listesi"), p).size(), p == 0 ? 1 : 0);
        EXPECT_EQ(pdf.linesMatching(QStringLiteral("Listelenen kayıt sayısı"), p).size(), p == pdf.pages.size() - 1 ? 1 : 0);
        for (const QString& line : pdf.linesMatching(kDetailLine, p))
            codes << line.trimmed().section(QLatin1Char(' '), 0, 0);
    }
    QStringList expected;
    for (int i = 1; i <= rows; ++i)
        expected << QStringLiteral("T%1").arg(i);
    EXPECT_EQ(codes, expected) << "every row once, in the list's order";
    EXPECT_EQ(pdf.linesMatching(QStringLiteral(R"(Listelenen kayıt sayısı\s+=\s+%1\s*$)").arg(rows)).size(), 1);
    for (const PdfWord& w : pdf.words)
        ASSERT_LE(w.bottom, 297 - 10) << "text below the bottom margin: " << w.text.toStdString();

    QString title;
    EXPECT_EQ(previewPages(&title), int(pdf.pages.size()));
    EXPECT_EQ(title, QStringLiteral("Kişi Kartlar Listesi"));
}

TEST_F(KisiListeReportTest, EmptyListIsStillPrintedWithCountZero)
{
    db.addPerson(QStringLiteral("Ali"), QStringLiteral("Kaya"), QStringLiteral("0"));
    openList(QStringLiteral("AND K.AD = 'Yok'"));
    const PdfContent pdf = render();
    ASSERT_EQ(pdf.pages.size(), 1);
    EXPECT_EQ(pdf.linesMatching(QStringLiteral("Kişi Kartlar Listesi")).size(), 1);
    EXPECT_EQ(pdf.linesMatching(QStringLiteral("Kişi Kodu")).size(), 1);
    EXPECT_TRUE(pdf.linesMatching(kDetailLine).isEmpty());
    EXPECT_EQ(pdf.linesMatching(QStringLiteral(R"(Listelenen kayıt sayısı\s+=\s+0\s*$)")).size(), 1);
    EXPECT_EQ(previewPages(), 1);
}

TEST_F(KisiListeReportTest, PrintingLeavesTheListOnItsRow)
{
    for (const char* name : {"Ali", "Veli", "Can", "Ece"})
        db.addPerson(QString::fromUtf8(name), QStringLiteral("Kaya"), QStringLiteral("0"));
    openList();
    list->moveTo(2);
    int scrolls = 0;
    list->afterScroll = [&](Dataset&) { ++scrolls; };

    EXPECT_EQ(render().linesMatching(kDetailLine).size(), 4);
    EXPECT_EQ(previewPages(), 1);
    EXPECT_EQ(list->recNo(), 2);
    EXPECT_EQ(list->text(QStringLiteral("AD")), QStringLiteral("Can"));
    EXPECT_EQ(scrolls, 0) << "the list is read in place, a grid on it does not move";
}

TEST_F(KisiListeReportTest, UnwritableFileIsReported)
{
    openList();
    EXPECT_FALSE(RenderKisiListeReportToPdf(*list, db.home().path() + QStringLiteral("yok/klasor/liste.pdf")));
}

} // namespace
