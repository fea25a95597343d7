#include "PdfText.h"
#include "PersonDb.h"

#include "data/DataModule.h"
#include "data/Dataset.h"
#include "fb/FbError.h"
#include "reports/ReportLayout.h"
#include "reports/ReportOutput.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

using namespace rpt;

class ReportRendererTest : public ::testing::Test {
protected:
    void TearDown() override { setPreviewHook(nullptr); }

    std::unique_ptr<Dataset> query(const QString& sql)
    {
        auto ds = std::make_unique<Dataset>(db.module().DB_KUSAK, db.module().TR_KUSAK);
        ds->setSql(sql);
        ds->open();
        return ds;
    }
    // The numbers 1 to n in column I.
    std::unique_ptr<Dataset> numbers(int n)
    {
        return query(QStringLiteral("WITH RECURSIVE N(I) AS (SELECT 1 FROM RDB$DATABASE UNION ALL "
                                    "SELECT I + 1 FROM N WHERE I < %1) SELECT I FROM N WHERE I <= %1")
                         .arg(n));
    }
    static Band band(double height, std::vector<Item> items, unsigned frame = FrameNone)
    {
        Band b;
        b.height = height;
        b.items = std::move(items);
        b.frame = frame;
        return b;
    }

    PersonDb db;
};

// Like the kinship lists: each master row is made current so its after-scroll step reopens
// the relatives, which print under it; the caller's row (and its relatives) come back after.
TEST_F(ReportRendererTest, SubListsFollowEachMasterRow)
{
    const qint64 ali = db.addPerson(QStringLiteral("Ali"), QStringLiteral("Kaya"), QStringLiteral("0"));
    const qint64 veli = db.addPerson(QStringLiteral("Veli"), QStringLiteral("Kaya"), QStringLiteral("0"));
    db.addPerson(QStringLiteral("Can"), QStringLiteral("Kaya"), QStringLiteral("0"), ali);
    db.addPerson(QStringLiteral("Ece"), QStringLiteral("Kaya"), QStringLiteral("1"), ali);
    auto master = query(QStringLiteral("SELECT * FROM KISI WHERE BLKISIKODU IN (%1, %2) ORDER BY BLKISIKODU").arg(ali).arg(veli));
    auto children = std::make_unique<Dataset>(db.module().DB_KUSAK, db.module().TR_KUSAK);
    master->afterScroll = [&](Dataset& m) {
        children->close();
        children->setSql(QStringLiteral("SELECT AD FROM KISI WHERE BABA_KOD = '%1' ORDER BY BLKISIKODU")
                             .arg(m.value(QStringLiteral("BLKISIKODU")).toLongLong()));
        children->open();
    };
    master->first();
    ASSERT_EQ(children->recordCount(), 2);

    Report r;
    r.dataset = master.get();
    r.detail = band(5, {field(0, QStringLiteral("AD"), 8, true)});
    r.detail.addChild(band(4, {text(5, QStringLiteral("ek"))}));
    SubDetail always;
    always.dataset = children.get();
    always.header = band(5, {text(5, QStringLiteral("Çocuklar"))});
    always.detail = band(5, {field(10, QStringLiteral("AD"))});
    always.footer = band(5, {expression(5, [](const Context& c) { return QStringLiteral("toplam %1").arg(c.subCount); })});
    SubDetail onlyFilled = always;
    onlyFilled.header = band(5, {text(5, QStringLiteral("Dolu"))});
    onlyFilled.footer = Band();
    onlyFilled.printIfEmpty = false;
    r.subDetails = {always, onlyFilled};
    r.summary = band(5, {detailCount(0)});

    const ReportDocument doc = layoutReport(r);
    ASSERT_EQ(doc.pageCount(), 1);
    EXPECT_EQ(doc.pageTexts(0), QStringList({"Ali", "ek", "Çocuklar", "Can", "Ece", "toplam 2", "Dolu", "Can", "Ece",
                                             "Veli", "ek", "Çocuklar", "toplam 0", "2"}));
    EXPECT_EQ(master->recNo(), 0);
    EXPECT_EQ(children->recordCount(), 2) << "the relatives of the caller's row are loaded again";
}

struct PagingCase {
    int rows;
    double detailHeight;
    std::vector<int> rowsPerPage; // the summary is on the last page
};

// A4 portrait, 10 mm margins: 277 mm printable, 10 mm of it the page footer. Page 1 carries
// page header, title and column header (35 mm), later pages page and column header (20 mm).
TEST_F(ReportRendererTest, BandsThatDoNotFitGoToTheNextPage)
{
    const PagingCase cases[] = {
        {0, 40, {0}},
        {5, 40, {5}},             // 35 + 200 + summary 30 = 265 <= 267
        {6, 40, {5, 1}},
        {11, 40, {5, 6, 0}},      // page 2 full (260 mm), the summary alone on page 3
        {2, 300, {1, 1, 0}},      // taller than a page: one per page, never an endless loop
    };
    for (const PagingCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.rows << " rows of " << c.detailHeight << " mm");
        auto ds = numbers(c.rows);
        Report r;
        r.dataset = ds.get();
        r.pageHeader = band(10, {pageNumber(0)});
        r.titleBand = band(15, {text(0, QStringLiteral("BAŞLIK"))});
        r.columnHeader = band(10, {text(0, QStringLiteral("SÜTUN"))});
        r.detail = band(c.detailHeight, {expression(0, [](const Context& ctx) {
                            return QStringLiteral("satır %1").arg(ctx.dataset->valueAt(ctx.row, 0).toInt());
                        })});
        r.summary = band(30, {text(0, QStringLiteral("TOPLAM")), detailCount(50)});
        r.pageFooter = band(10, {expression(0, [](const Context& ctx) { return QStringLiteral("alt %1").arg(ctx.page); })});

        const ReportDocument doc = layoutReport(r);
        ASSERT_EQ(doc.pageCount(), int(c.rowsPerPage.size()));
        int next = 1;
        for (int p = 0; p < doc.pageCount(); ++p) {
            const QStringList texts = doc.pageTexts(p);
            QStringList expected{QString::number(p + 1)};
            if (p == 0)
                expected << QStringLiteral("BAŞLIK");
            expected << QStringLiteral("SÜTUN");
            for (int i = 0; i < c.rowsPerPage[size_t(p)]; ++i)
                expected << QStringLiteral("satır %1").arg(next++);
            if (p == doc.pageCount() - 1)
                expected << QStringLiteral("TOPLAM") << QString::number(c.rows);
            expected << QStringLiteral("alt %1").arg(p + 1);
            EXPECT_EQ(texts, expected) << "page " << p + 1;
            if (c.detailHeight > 267)
                continue;
            for (const DocText& t : doc.pages[size_t(p)].texts)
                if (!t.text.startsWith(QStringLiteral("alt"))) {
                    EXPECT_LE(t.rect.bottom(), 267.001) << t.text.toStdString();
                }
        }
    }
}

// Band frames and text alignment as painted: the printable area (190 x 277 mm) at 4 dots/mm.
TEST_F(ReportRendererTest, PaintsFramesAndAlignedTexts)
{
    Report r;
    r.pageHeader = band(10, {}, FrameTop | FrameLeft | FrameRight);
    r.titleBand = band(10, {text(0, QStringLiteral("ORTA"), 16, true, Align::Center)});
    r.columnHeader = band(10, {}, FrameAll);
    r.summary = band(10, {text(0, QStringLiteral("SAĞ"), 10, false, Align::Right)}, FrameTop);
    const ReportDocument doc = layoutReport(r);
    ASSERT_EQ(doc.pageCount(), 1);

    constexpr double dpm = 4;
    QImage image(int(192 * dpm), int(280 * dpm), QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        paintPage(painter, doc, 0, dpm);
    }
    auto dark = [&](int x, int y) { return image.valid(x, y) && qGray(image.pixel(x, y)) < 128; };
    auto lineAt = [&](double xMm, double yMm) {
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy)
                if (dark(int(xMm * dpm) + dx, int(yMm * dpm) + dy))
                    return true;
        return false;
    };
    const struct { double y; bool line; } horizontal[] = {{0, true}, {10, false}, {20, true}, {30, true}, {40, false}};
    for (const auto& h : horizontal)
        EXPECT_EQ(lineAt(150, h.y), h.line) << "horizontal line at " << h.y << " mm";
    const struct { double y; bool sides; } vertical[] = {{5, true}, {15, false}, {25, true}, {35, false}};
    for (const auto& v : vertical) {
        EXPECT_EQ(lineAt(0, v.y), v.sides) << "left side at " << v.y << " mm";
        EXPECT_EQ(lineAt(190, v.y), v.sides) << "right side at " << v.y << " mm";
    }

    // Horizontal extent of the ink between two heights, in mm.
    auto inkSpan = [&](double y0, double y1) {
        int lo = image.width(), hi = -1;
        for (int y = int(y0 * dpm); y < int(y1 * dpm); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (dark(x, y)) {
                    lo = std::min(lo, x);
                    hi = std::max(hi, x);
                }
        return std::pair<double, double>(lo / dpm, hi / dpm);
    };
    const auto title = inkSpan(11, 19);
    EXPECT_NEAR((title.first + title.second) / 2, 95, 1.0);
    EXPECT_GT(title.second - title.first, 10);
    const auto right = inkSpan(31, 39);
    EXPECT_NEAR(right.second, 190, 0.8);
    EXPECT_GT(right.second - right.first, 3);
}

TEST_F(ReportRendererTest, LandscapePaperInThePdf)
{
    Report r;
    r.orientation = QPageLayout::Landscape;
    r.titleBand = band(10, {text(0, QStringLiteral("Ebeveyn Kuşağı"), 16, true, Align::Center),
                            text(0, QStringLiteral("sağda"), 10, false, Align::Right)});
    EXPECT_NEAR(r.pageWidth(), 277, 0.01);
    EXPECT_NEAR(r.pageHeight(), 190, 0.01);
    const QString file = db.home().path() + QStringLiteral("yatay.pdf");
    ASSERT_TRUE(writePdf(layoutReport(r), file));
    const PdfContent pdf = readPdf(file);
    ASSERT_EQ(pdf.paper.size(), 1u);
    EXPECT_NEAR(pdf.paper[0].width(), 297, 0.5);
    EXPECT_NEAR(pdf.paper[0].height(), 210, 0.5);
    const PdfWord* right = pdf.firstWord(QStringLiteral("sağda"));
    const PdfWord* left = pdf.firstWord(QStringLiteral("Ebeveyn"));
    const PdfWord* end = pdf.firstWord(QStringLiteral("Kuşağı"));
    ASSERT_TRUE(right && left && end);
    EXPECT_NEAR(right->right, 287, 0.6);
    EXPECT_NEAR((left->left + end->right) / 2, 148.5, 1.0);
}

TEST_F(ReportRendererTest, UnknownFieldFailsAndRestoresTheRow)
{
    auto ds = numbers(3);
    ds->moveTo(1);
    int scrolls = 0;
    ds->afterScroll = [&](Dataset&) { ++scrolls; };
    Report r;
    r.dataset = ds.get();
    r.scrollMaster = true;
    r.detail = band(5, {field(0, QStringLiteral("YOK"))});
    try {
        layoutReport(r);
        ADD_FAILURE() << "no error";
    } catch (const fb::Error& e) {
        EXPECT_TRUE(e.text().contains(QStringLiteral("YOK")));
    }
    EXPECT_EQ(ds->recNo(), 1);
    EXPECT_EQ(scrolls, 2) << "moved to the first row, then back";
}

TEST_F(ReportRendererTest, ReportNotPrintedWhenEmptyShowsNoPreview)
{
    auto ds = numbers(0);
    Report r;
    r.dataset = ds.get();
    r.printIfEmpty = false;
    r.summary = band(5, {detailCount(0)});
    const ReportDocument doc = layoutReport(r);
    EXPECT_EQ(doc.pageCount(), 0);
    bool shown = false;
    setPreviewHook([&](QPrintPreviewDialog&) { shown = true; });
    showPreview(doc);
    EXPECT_FALSE(shown);
}

} // namespace
