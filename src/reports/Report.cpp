#include "reports/Report.h"

#include <QRectF>

#include <algorithm>
#include <cmath>

namespace rpt {

QPageLayout Report::pageLayout() const
{
    return QPageLayout(QPageSize(paper), orientation, margins, QPageLayout::Millimeter);
}

double Report::pageWidth() const { return pageLayout().paintRect(QPageLayout::Millimeter).width(); }

double Report::pageHeight() const { return pageLayout().paintRect(QPageLayout::Millimeter).height(); }

static Item makeItem(Item::Kind kind, double left, double size, bool bold)
{
    Item item;
    item.kind = kind;
    item.left = left;
    item.fontSize = size;
    item.bold = bold;
    return item;
}

Item text(double left, const QString& text, double size, bool bold, Align align)
{
    Item item = makeItem(Item::Kind::Text, left, size, bold);
    item.text = text;
    item.align = align;
    return item;
}

Item field(double left, const QString& fieldName, double size, bool bold)
{
    Item item = makeItem(Item::Kind::Field, left, size, bold);
    item.text = fieldName;
    return item;
}

Item pageNumber(double left, double size, bool bold) { return makeItem(Item::Kind::PageNumber, left, size, bold); }

Item date(double left, double size, bool bold) { return makeItem(Item::Kind::Date, left, size, bold); }

Item time(double left, double size, bool bold) { return makeItem(Item::Kind::Time, left, size, bold); }

Item expression(double left, Expression e, double size, bool bold)
{
    Item item = makeItem(Item::Kind::Expression, left, size, bold);
    item.expression = std::move(e);
    return item;
}

Item detailCount(double left, double size, bool bold)
{
    return expression(left, [](const Context& c) { return QString::number(c.detailCount); }, size, bold);
}

Item line(double x1, double y1, double x2, double y2)
{
    Item item = makeItem(Item::Kind::Line, x1, 0, false);
    item.top = y1;
    item.width = x2 - x1;
    item.height = y2 - y1;
    return item;
}

Item memo(double left, double top, double width, double height, const QString& text, double size, bool bold,
          Align align)
{
    Item item = makeItem(Item::Kind::Text, left, size, bold);
    item.top = top;
    item.width = width;
    item.height = height;
    item.text = text;
    item.align = align;
    item.wordWrap = true;
    item.frame = FrameAll;
    return item;
}

void fitColumns(Band& band)
{
    constexpr double gap = 1.0;
    for (Item& item : band.items) {
        if (item.kind == Item::Kind::Line || item.width > 0 || item.align != Align::Left)
            continue;
        double next = -1;
        for (const Item& other : band.items) {
            if (&other == &item || other.kind == Item::Kind::Line || std::abs(other.top - item.top) > 0.01)
                continue;
            if (other.left > item.left && (next < 0 || other.left < next))
                next = other.left;
        }
        if (next > 0)
            item.width = std::max(next - item.left - gap, gap);
    }
}

} // namespace rpt
