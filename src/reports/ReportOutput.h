#pragma once
// Painting a laid-out report: one page on any painter, every page on a printer, a PDF file,
// and the print preview.
#include "reports/ReportDocument.h"

#include <functional>

class QPainter;
class QPrinter;
class QPrintPreviewDialog;
class QWidget;

namespace rpt {

// Paints one page (0-based). The painter's origin is the printable area's top-left corner and
// dotsPerMm its resolution.
void paintPage(QPainter& painter, const ReportDocument& doc, int page, double dotsPerMm);
// Every page on a printer whose page layout is already set (the preview's printer too).
void printDocument(const ReportDocument& doc, QPrinter& printer);
// False when the file cannot be written.
bool writePdf(const ReportDocument& doc, const QString& pdfFile);

// Shows the print preview of the document (nothing for a document without pages). While a
// hook is installed it gets the ready, unshown dialog instead of the user: tests count its
// pages or grab it; nullptr restores the modal preview.
using PreviewHook = std::function<void(QPrintPreviewDialog&)>;
void setPreviewHook(PreviewHook hook);
void showPreview(const ReportDocument& doc, QWidget* parent = nullptr);

} // namespace rpt
