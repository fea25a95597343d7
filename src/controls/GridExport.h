#pragma once
// Exports of a grid's visible columns and every row of its dataset: a tab-separated text file
// for a spreadsheet program and an HTML page for the browser. Both are opened with the
// desktop's handler for the file.
#include <QString>
#include <QStringList>

class TZYRXDBGrid;

// The lines of the text export: the titles, then one line per row. Walks the dataset from its
// first row to its last with its after-scroll handler held back; the handler runs once at the
// end, with the dataset on its last row.
QStringList GridTextLines(TZYRXDBGrid* grid);
// The lines of the HTML page; every title and field text is HTML-escaped.
QStringList GridHtmlLines(TZYRXDBGrid* grid);

// The first of basePath + "1.txt", "2.txt", ... that is free for writing (one that another
// program holds open is skipped). Throws when none can be created.
QString FreeExportFile(const QString& basePath);

// Writes the text export (UTF-8, CR LF) and opens it. Only mode 1 (open in the spreadsheet
// program) exists. Returns the file written; empty when the grid has no open dataset.
QString ExportGridToExcel(TZYRXDBGrid* grid, const QString& basePath, int mode = 1);
// Writes basePath + ".html" (replaced each time) and opens it. Returns the file written.
QString ExportGridToHtml(TZYRXDBGrid* grid, const QString& basePath);
