#include "reports/ReportLayout.h"

#include "data/Dataset.h"
#include "data/DatasetModel.h"
#include "fb/FbError.h"

#include <algorithm>

namespace rpt {

QStringList ReportDocument::pageTexts(int page) const
{
    QStringList out;
    if (page < 0 || page >= pageCount())
        return out;
    std::vector<DocText> texts = pages[size_t(page)].texts;
    std::stable_sort(texts.begin(), texts.end(), [](const DocText& a, const DocText& b) {
        if (qAbs(a.rect.top() - b.rect.top()) > 0.01)
            return a.rect.top() < b.rect.top();
        return a.rect.left() < b.rect.left();
    });
    for (const DocText& t : texts)
        out << t.text;
    return out;
}

namespace {

constexpr double kEpsilon = 0.001;

// True when the dataset has row r, fetching further rows from the server as needed.
bool hasRow(Dataset& ds, int r)
{
    if (!ds.active())
        return false;
    while (r >= ds.fetchedCount()) {
        if (ds.allFetched() || ds.fetchMore(256) == 0)
            return false;
    }
    return true;
}

class Layouter {
public:
    explicit Layouter(const Report& r) : m_r(r), m_width(r.pageWidth()), m_height(r.pageHeight())
    {
        m_doc.title = r.title;
        m_doc.fontFamily = r.fontFamily;
        m_doc.layout = r.pageLayout();
        m_ctx.printedAt = r.printedAt;
        m_bottom = m_height - (r.pageFooter.present() ? r.pageFooter.height : 0);
    }

    ReportDocument run()
    {
        Dataset* ds = m_r.dataset;
        const bool scroll = ds && ds->active() && (m_r.scrollMaster || !m_r.subDetails.empty());
        const int saved = ds && ds->active() ? ds->recNo() : -1;
        if (!m_r.printIfEmpty && !(ds && hasRow(*ds, 0)))
            return std::move(m_doc);
        try {
            newPage();
            for (int row = 0; ds && hasRow(*ds, row); ++row) {
                if (scroll)
                    ds->moveTo(row);
                m_ctx.detailCount = row + 1;
                printBand(m_r.detail, ds, row);
                for (const SubDetail& sub : m_r.subDetails)
                    printSubDetail(sub);
            }
            if (scroll)
                restore(*ds, saved);
        } catch (...) {
            if (scroll) {
                try {
                    restore(*ds, saved);
                } catch (...) {
                }
            }
            throw;
        }
        printBand(m_r.summary, nullptr, -1);
        finishPage();
        return std::move(m_doc);
    }

private:
    static void restore(Dataset& ds, int saved)
    {
        if (saved >= 0 && ds.recNo() != saved)
            ds.moveTo(saved);
    }

    void printSubDetail(const SubDetail& sub)
    {
        Dataset* ds = sub.dataset;
        const bool any = ds && hasRow(*ds, 0);
        if (!any && !sub.printIfEmpty)
            return;
        m_ctx.subCount = 0;
        printBand(sub.header, ds, -1);
        for (int row = 0; ds && hasRow(*ds, row); ++row) {
            m_ctx.subCount = row + 1;
            printBand(sub.detail, ds, row);
        }
        printBand(sub.footer, ds, -1);
    }

    void newPage()
    {
        if (!m_doc.pages.empty())
            finishPage();
        m_doc.pages.emplace_back();
        m_ctx.page = m_doc.pageCount();
        m_y = 0;
        place(m_r.pageHeader, nullptr, -1);
        if (m_ctx.page == 1)
            place(m_r.titleBand, nullptr, -1);
        place(m_r.columnHeader, nullptr, -1);
        m_fresh = true;
    }

    void finishPage()
    {
        if (!m_r.pageFooter.present())
            return;
        m_y = m_height - m_r.pageFooter.height;
        place(m_r.pageFooter, nullptr, -1);
    }

    // A body band: on a new page when it does not fit, unless the page holds nothing else yet
    // (a band taller than a page would otherwise never print).
    void printBand(const Band& band, const Dataset* ds, int row)
    {
        if (!band.present())
            return;
        if (m_y + band.height > m_bottom + kEpsilon && !m_fresh)
            newPage();
        place(band, ds, row);
        m_fresh = false;
        if (band.child)
            printBand(*band.child, ds, row);
    }

    void place(const Band& band, const Dataset* ds, int row)
    {
        if (!band.present())
            return;
        DocPage& page = m_doc.pages.back();
        const double y = m_y, h = band.height;
        addFrame(page, QRectF(0, y, m_width, h), band.frame);
        m_ctx.dataset = ds;
        m_ctx.row = row;
        for (const Item& item : band.items) {
            if (item.kind == Item::Kind::Line) {
                page.lines.emplace_back(item.left, y + item.top, item.left + item.width, y + item.top + item.height);
                continue;
            }
            const QRectF rect(item.left, y + item.top, item.width > 0 ? item.width : m_width - item.left,
                              item.height > 0 ? item.height : h - item.top);
            addFrame(page, rect, item.frame);
            DocText t;
            t.rect = rect;
            t.text = itemText(item);
            t.fontSize = item.fontSize;
            t.bold = item.bold;
            t.flags = alignFlag(item.align) | Qt::AlignTop | (item.wordWrap ? Qt::TextWordWrap : Qt::TextSingleLine);
            if (!t.text.isEmpty())
                page.texts.push_back(std::move(t));
        }
        m_y += h;
    }

    static int alignFlag(Align a)
    {
        switch (a) {
        case Align::Center: return Qt::AlignHCenter;
        case Align::Right: return Qt::AlignRight;
        default: return Qt::AlignLeft;
        }
    }

    static void addFrame(DocPage& page, const QRectF& r, unsigned frame)
    {
        if (frame & FrameTop)
            page.lines.emplace_back(r.topLeft(), r.topRight());
        if (frame & FrameBottom)
            page.lines.emplace_back(r.bottomLeft(), r.bottomRight());
        if (frame & FrameLeft)
            page.lines.emplace_back(r.topLeft(), r.bottomLeft());
        if (frame & FrameRight)
            page.lines.emplace_back(r.topRight(), r.bottomRight());
    }

    QString itemText(const Item& item) const
    {
        switch (item.kind) {
        case Item::Kind::Text: return item.text;
        case Item::Kind::PageNumber: return QString::number(m_ctx.page);
        case Item::Kind::Date: return m_ctx.printedAt.date().toString(QStringLiteral("dd.MM.yyyy"));
        case Item::Kind::Time: return m_ctx.printedAt.time().toString(QStringLiteral("HH:mm:ss"));
        case Item::Kind::Expression: return item.expression ? item.expression(m_ctx) : QString();
        case Item::Kind::Field: {
            if (!m_ctx.dataset || m_ctx.row < 0)
                return {};
            const int f = m_ctx.dataset->fieldIndex(item.text);
            if (f < 0)
                throw fb::Error(QStringLiteral("Raporda bilinmeyen alan: %1").arg(item.text));
            return DatasetModel::displayText(m_ctx.dataset->valueAt(m_ctx.row, f), m_ctx.dataset->field(f).type);
        }
        case Item::Kind::Line: break;
        }
        return {};
    }

    const Report& m_r;
    ReportDocument m_doc;
    Context m_ctx;
    double m_width, m_height, m_bottom = 0, m_y = 0;
    bool m_fresh = true;
};

} // namespace

ReportDocument layoutReport(const Report& report) { return Layouter(report).run(); }

} // namespace rpt
