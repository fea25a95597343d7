#pragma once
// The banded report model: paper, margins and bands in millimetres, items placed by their left
// edge inside a band, data read from a master dataset and optional sub-lists per master row.
// A report is laid out into a ReportDocument (ReportLayout.h) and then painted to a PDF, a
// printer or a print preview (ReportOutput.h).
#include <QDateTime>
#include <QMarginsF>
#include <QPageLayout>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class Dataset;

namespace rpt {

// Sides of a band or item frame; or-ed together.
enum Frame : unsigned {
    FrameNone = 0,
    FrameTop = 1,
    FrameLeft = 2,
    FrameRight = 4,
    FrameBottom = 8,
    FrameAll = FrameTop | FrameLeft | FrameRight | FrameBottom,
};

enum class Align { Left, Center, Right };

// What an expression item sees when its band is printed.
struct Context {
    int page = 1;                 // 1-based
    int detailCount = 0;          // master rows printed so far (the row being printed included)
    int subCount = 0;             // rows of the sub-list being printed
    const Dataset* dataset = nullptr; // dataset of the band being printed; null for page bands
    int row = -1;                 // its row, -1 outside detail bands
    QDateTime printedAt;
};

using Expression = std::function<QString(const Context&)>;

struct Item {
    enum class Kind { Text, Field, PageNumber, Date, Time, Expression, Line };
    Kind kind = Kind::Text;
    double left = 0;    // mm from the band's left edge
    double top = 0.5;   // mm from the band's top
    double width = 0;   // mm; 0: up to the band's right edge
    double height = 0;  // mm; 0: down to the band's bottom
    QString text;       // Text: the text; Field: the field name
    Expression expression;
    double fontSize = 10;
    bool bold = false;
    Align align = Align::Left;
    bool wordWrap = false;   // several lines inside width x height (memo)
    unsigned frame = FrameNone;
};

struct Band {
    double height = 0;  // mm; 0: the band is not printed
    unsigned frame = FrameNone;
    std::vector<Item> items;
    std::shared_ptr<Band> child; // printed right after this band, wherever it prints

    bool present() const { return height > 0; }
    Band& add(Item item) { items.push_back(std::move(item)); return *this; }
    Band& addChild(Band band) { child = std::make_shared<Band>(std::move(band)); return *child; }
};

// A list printed under every master row (relatives of the listed person). Its dataset is read
// after the master has been moved to the row, so an after-scroll step of the master can reopen it.
struct SubDetail {
    Dataset* dataset = nullptr;
    Band header, detail, footer;
    bool printIfEmpty = true; // header and footer also for a master row without sub rows
};

struct Report {
    QString title;      // window title of the preview and title of the PDF
    QPageSize::PageSizeId paper = QPageSize::A4;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QMarginsF margins{10, 10, 10, 10}; // mm
    QString fontFamily = QStringLiteral("Arial");

    // In printing order on a page: page header (every page), title (first page), column header
    // (every page), detail per row with its sub-lists, summary (last page), page footer.
    Band pageHeader, titleBand, columnHeader, detail, summary, pageFooter;
    Dataset* dataset = nullptr;
    std::vector<SubDetail> subDetails;
    // Moves the master to each row (running its after-scroll step) instead of reading rows in
    // place; always so when there are sub-lists. The caller's row is restored afterwards.
    bool scrollMaster = false;
    bool printIfEmpty = true;
    QDateTime printedAt = QDateTime::currentDateTime();

    double pageWidth() const;   // printable width in mm
    double pageHeight() const;  // printable height in mm
    QPageLayout pageLayout() const;
};

// Item makers; sizes in points, positions in mm.
Item text(double left, const QString& text, double size = 10, bool bold = false, Align align = Align::Left);
Item field(double left, const QString& fieldName, double size = 10, bool bold = false);
Item pageNumber(double left, double size = 10, bool bold = false);
Item date(double left, double size = 10, bool bold = false);   // dd.MM.yyyy
Item time(double left, double size = 10, bool bold = false);   // HH:mm:ss
Item expression(double left, Expression e, double size = 10, bool bold = false);
Item detailCount(double left, double size = 10, bool bold = false);
Item line(double x1, double y1, double x2, double y2);          // mm inside the band
// A framed box with word-wrapped text, for charts drawn inside a band.
Item memo(double left, double top, double width, double height, const QString& text, double size = 10,
          bool bold = false, Align align = Align::Center);

// Sets width of every item without one to the gap before the next item to its right, minus
// a small space, so long values are cut instead of running into the next column.
void fitColumns(Band& band);

} // namespace rpt
