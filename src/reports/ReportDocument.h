#pragma once
// A laid-out report: its pages as texts and lines in millimetres from the printable area's
// top-left corner. Laid out once, it paints the same pages on any device as often as asked.
#include <QLineF>
#include <QPageLayout>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <vector>

namespace rpt {

struct DocText {
    QRectF rect;        // mm
    QString text;
    double fontSize = 10;
    bool bold = false;
    int flags = 0;      // Qt::AlignmentFlag | Qt::TextFlag
};

struct DocPage {
    std::vector<DocText> texts;
    std::vector<QLineF> lines; // mm
};

struct ReportDocument {
    QString title;
    QString fontFamily;
    QPageLayout layout;
    std::vector<DocPage> pages;

    int pageCount() const { return int(pages.size()); }
    // Texts of a page top to bottom, left to right (for checks and diagnostics).
    QStringList pageTexts(int page) const;
};

} // namespace rpt
