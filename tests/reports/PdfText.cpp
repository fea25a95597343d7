#include "PdfText.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTextDocumentFragment>

namespace {

QString run(const QStringList& args)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), args);
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

constexpr double kMmPerPt = 25.4 / 72.0;

} // namespace

PdfContent readPdf(const QString& pdfFile)
{
    PdfContent out;
    QString layout = run({QStringLiteral("-layout"), QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdfFile,
                          QStringLiteral("-")});
    out.pages = layout.split(QLatin1Char('\f'));
    if (!out.pages.isEmpty() && out.pages.last().trimmed().isEmpty())
        out.pages.removeLast();

    const QString html = run({QStringLiteral("-bbox"), QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdfFile,
                              QStringLiteral("-")});
    static const QRegularExpression tag(QStringLiteral(
        R"re(<page width="([\d.]+)" height="([\d.]+)">|<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    int page = -1;
    for (auto it = tag.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        if (m.capturedLength(1) > 0) {
            ++page;
            out.paper.emplace_back(m.captured(1).toDouble() * kMmPerPt, m.captured(2).toDouble() * kMmPerPt);
            continue;
        }
        PdfWord w;
        w.page = page;
        w.left = m.captured(3).toDouble() * kMmPerPt;
        w.top = m.captured(4).toDouble() * kMmPerPt;
        w.right = m.captured(5).toDouble() * kMmPerPt;
        w.bottom = m.captured(6).toDouble() * kMmPerPt;
        w.text = QTextDocumentFragment::fromHtml(m.captured(7)).toPlainText();
        out.words.push_back(w);
    }
    return out;
}

QStringList PdfContent::linesMatching(const QString& pattern, int page) const
{
    const QRegularExpression re(pattern);
    QStringList found;
    for (int i = 0; i < pages.size(); ++i) {
        if (page >= 0 && i != page)
            continue;
        for (const QString& line : pages[i].split(QLatin1Char('\n')))
            if (re.match(line).hasMatch())
                found << line;
    }
    return found;
}

const PdfWord* PdfContent::firstWord(const QString& text, int page) const
{
    for (const PdfWord& w : words)
        if (w.page == page && w.text == text)
            return &w;
    return nullptr;
}
