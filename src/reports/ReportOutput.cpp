#include "reports/ReportOutput.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace rpt {

namespace {

PreviewHook& previewHook()
{
    static PreviewHook hook;
    return hook;
}

constexpr double kLineWidthMm = 0.2;

// Single-line texts are cut to their box instead of clipped, so a PDF holds only what shows.
QString fitted(const QString& text, const QFontMetricsF& fm, double width)
{
    if (fm.horizontalAdvance(text) <= width)
        return text;
    QString cut = text;
    while (!cut.isEmpty() && fm.horizontalAdvance(cut) > width)
        cut.chop(1);
    return cut;
}

} // namespace

void paintPage(QPainter& painter, const ReportDocument& doc, int page, double dotsPerMm)
{
    if (page < 0 || page >= doc.pageCount())
        return;
    const DocPage& p = doc.pages[size_t(page)];
    auto toDevice = [dotsPerMm](const QRectF& r) {
        return QRectF(r.x() * dotsPerMm, r.y() * dotsPerMm, r.width() * dotsPerMm, r.height() * dotsPerMm);
    };
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(Qt::black, kLineWidthMm * dotsPerMm));
    for (const QLineF& l : p.lines)
        painter.drawLine(QLineF(l.p1() * dotsPerMm, l.p2() * dotsPerMm));
    for (const DocText& t : p.texts) {
        QFont font(doc.fontFamily);
        font.setPointSizeF(t.fontSize);
        font.setBold(t.bold);
        painter.setFont(font);
        const QRectF rect = toDevice(t.rect);
        if (t.flags & Qt::TextWordWrap) {
            painter.drawText(rect, t.flags, t.text);
        } else {
            const QFontMetricsF fm(painter.font(), painter.device());
            painter.drawText(rect, t.flags | Qt::TextDontClip, fitted(t.text, fm, rect.width()));
        }
    }
    painter.restore();
}

static void paintAll(QPainter& painter, QPagedPaintDevice& device, const ReportDocument& doc, double dotsPerMm)
{
    for (int i = 0; i < doc.pageCount(); ++i) {
        if (i > 0)
            device.newPage();
        paintPage(painter, doc, i, dotsPerMm);
    }
}

void printDocument(const ReportDocument& doc, QPrinter& printer)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return;
    paintAll(painter, printer, doc, printer.resolution() / 25.4);
    painter.end();
}

bool writePdf(const ReportDocument& doc, const QString& pdfFile)
{
    QPdfWriter writer(pdfFile);
    writer.setPageLayout(doc.layout);
    writer.setTitle(doc.title);
    writer.setCreator(QStringLiteral("Tavrion"));
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    paintAll(painter, writer, doc, writer.resolution() / 25.4);
    return painter.end();
}

void setPreviewHook(PreviewHook hook) { previewHook() = std::move(hook); }

void showPreview(const ReportDocument& doc, QWidget* parent)
{
    if (doc.pageCount() == 0)
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(doc.layout);
    printer.setDocName(doc.title);
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setWindowTitle(doc.title);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&doc](QPrinter* p) { printDocument(doc, *p); });
    if (previewHook()) {
        previewHook()(dialog);
        return;
    }
    dialog.setWindowState(dialog.windowState() | Qt::WindowMaximized);
    dialog.exec();
}

} // namespace rpt
