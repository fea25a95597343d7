#include "controls/GridExport.h"
#include "controls/ZYRXDBGrid.h"
#include "shell/StartUp.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalBlocker>

#include <functional>
#include <stdexcept>

namespace {

// Walks every row of the grid's dataset with its after-scroll handler held back and its
// controls frozen; the handler runs once at the end, on the last row.
void walkRows(TZYRXDBGrid* grid, const std::function<void()>& perRow)
{
    Dataset& ds = *grid->dataset();
    Dataset::Handler handler = std::move(ds.afterScroll);
    ds.afterScroll = nullptr;
    grid->setFollowDataset(false);
    auto restore = [&] {
        ds.afterScroll = handler;
        grid->setFollowDataset(true);
    };
    try {
        ds.recordCount(); // every row reaches the views before they are frozen
        ds.first();
        {
            const QSignalBlocker frozen(&ds);
            for (; !ds.eof(); ds.next()) {
                perRow();
                QCoreApplication::processEvents();
            }
        }
        emit ds.currentChanged(ds.recNo()); // bound controls show the row the walk ended on
    } catch (...) {
        restore();
        throw;
    }
    restore();
    if (ds.afterScroll)
        ds.afterScroll(ds);
}

std::vector<int> visibleColumns(const TZYRXDBGrid* grid)
{
    std::vector<int> cols;
    for (int i = 0; i < grid->columnCount(); ++i)
        if (grid->column(i).visible)
            cols.push_back(i);
    return cols;
}

// Line breaks become blanks so that each row stays one line of the file.
QString oneLine(QString t)
{
    t.replace(QLatin1String("\r\n"), QLatin1String(" "));
    t.replace(QLatin1Char('\r'), QLatin1Char(' '));
    t.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return t;
}

QString htmlText(QString t)
{
    t = oneLine(t);
    t.remove(QLatin1Char('"'));
    return t.toHtmlEscaped().replace(QLatin1Char(' '), QLatin1String("&nbsp"));
}

void writeFile(const QString& path, const QStringList& lines, const char* lineEnd)
{
    QFile f(path);
    QByteArray out("\xEF\xBB\xBF"); // lets spreadsheet programs and browsers see UTF-8
    for (const QString& l : lines)
        out += l.toUtf8() + lineEnd;
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(out) != out.size() || !f.flush())
        throw std::runtime_error(QStringLiteral("%1 dosyası yazılamadı.").arg(QDir::toNativeSeparators(path)).toStdString());
}

void openFile(const QString& path)
{
    if (!ShellOpen(path))
        throw std::runtime_error(QStringLiteral("%1 dosyası açılamadı.").arg(QDir::toNativeSeparators(path)).toStdString());
}

} // namespace

QStringList GridTextLines(TZYRXDBGrid* grid)
{
    if (!grid || !grid->dataActive())
        return {};
    const std::vector<int> cols = visibleColumns(grid);
    QStringList titles;
    for (int c : cols)
        titles << grid->column(c).title;
    QStringList lines{titles.join(QLatin1Char('\t'))};
    walkRows(grid, [&] {
        QStringList cells;
        for (int c : cols)
            cells << grid->currentText(c).replace(QLatin1Char('\t'), QLatin1Char(' '));
        QString line = oneLine(cells.join(QLatin1Char('\t')));
        line.remove(QLatin1Char('"'));
        lines << line;
    });
    return lines;
}

QStringList GridHtmlLines(TZYRXDBGrid* grid)
{
    if (!grid || !grid->dataActive())
        return {};
    const std::vector<int> cols = visibleColumns(grid);
    QStringList lines{
        QStringLiteral("<HTML>"),
        QStringLiteral("<STYLE TYPE=\"TEXT/CSS\"> TD {HEIGHT:12PX;FONT-FAMILY:TAHOMA;FONT-SIZE:12PX;BORDER-RIGHT:#000000 1px "
                       "Solid;BORDER-BOTTOM:#000000 1px Solid}  .ALIGNRIGHT {TEXT-ALIGN : RIGHT} .ALIGNCENTER "
                       "{TEXT-ALIGN:CENTER} </STYLE>"),
        QStringLiteral("<title>Rapor</title>"),
        QStringLiteral("<BODY>"),
        QStringLiteral("<TABLE BORDER= \"0\" CELLSPACING=\"0\" CELLPADDING=\"3\" style=\"BORDER-LEFT:#000000 1px "
                       "Solid;BORDER-TOP:#000000 1px Solid\">"),
    };
    QString header = QStringLiteral("<TR style=\"BACKGROUND=silver; color:black\">");
    for (int c : cols)
        header += QStringLiteral("<TD><strong>") + htmlText(grid->column(c).title) + QStringLiteral("</strong></TD>");
    lines << header + QStringLiteral("</TR>");
    walkRows(grid, [&] {
        QString row = QStringLiteral("<TR>");
        for (int c : cols) {
            const QString t = grid->currentText(c);
            const Qt::Alignment a = grid->columnAlignment(c);
            if (t.isEmpty() || t == QLatin1String(" "))
                row += QStringLiteral("<TD>&nbsp</TD>");
            else if (a & Qt::AlignRight)
                row += QStringLiteral("<TD class=ALIGNRIGHT>") + htmlText(t) + QStringLiteral("</TD>");
            else if (a & Qt::AlignHCenter)
                row += QStringLiteral("<TD class=ALIGNCENTER>") + htmlText(t) + QStringLiteral("</TD>");
            else
                row += QStringLiteral("<TD>") + htmlText(t) + QStringLiteral("</TD>");
        }
        lines << row + QStringLiteral("</TR>");
    });
    lines << QStringLiteral("</TABLE> </BODY> </HTML>");
    return lines;
}

QString FreeExportFile(const QString& basePath)
{
    for (int n = 1; n < 10000; ++n) {
        const QString path = basePath + QString::number(n) + QStringLiteral(".txt");
        const QFileInfo info(path);
        // A spreadsheet program that has the file open keeps a lock file beside it.
        if (QFile::exists(info.path() + QStringLiteral("/.~lock.") + info.fileName() + QLatin1Char('#')))
            continue;
        QFile f(path);
        if (f.open(QIODevice::WriteOnly | QIODevice::Append))
            return path;
    }
    throw std::runtime_error(
        QStringLiteral("%1 dosyası oluşturulamadı.").arg(QDir::toNativeSeparators(basePath + QStringLiteral("1.txt"))).toStdString());
}

QString ExportGridToExcel(TZYRXDBGrid* grid, const QString& basePath, int mode)
{
    (void)mode; // the program only ever opens the file in the spreadsheet program
    if (!grid || !grid->dataActive())
        return {};
    QDir().mkpath(QFileInfo(basePath).absolutePath());
    const QStringList lines = GridTextLines(grid);
    const QString path = FreeExportFile(basePath);
    writeFile(path, lines, "\r\n");
    openFile(path);
    return path;
}

QString ExportGridToHtml(TZYRXDBGrid* grid, const QString& basePath)
{
    if (!grid || !grid->dataActive())
        return {};
    QDir().mkpath(QFileInfo(basePath).absolutePath());
    const QStringList lines = GridHtmlLines(grid);
    const QString path = basePath + QStringLiteral(".html");
    writeFile(path, lines, "\n");
    openFile(path);
    return path;
}
