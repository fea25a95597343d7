#pragma once
// The person list report "Kişi Kartlar Listesi" over the list dataset's rows.
#include <QString>

class Dataset;
class QWidget;

// Print preview of the report; the dataset's current row is kept.
void ShowKisiListeReport(Dataset& list, QWidget* parent = nullptr);
// The same report written to a PDF file; false when the file cannot be written.
bool RenderKisiListeReportToPdf(Dataset& list, const QString& pdfFile);
