#include "controls/GridLayout.h"
#include "controls/ZYRXDBGrid.h"
#include "data/IniFile.h"
#include "fb/Win1254.h"
#include "shell/Messages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontInfo>
#include <QtEndian>

namespace {

const QString kSelfGrid = QStringLiteral("SELFGRID");

bool endsWithIni(const QString& name) { return name.endsWith(QLatin1String(".ini"), Qt::CaseInsensitive); }

int pointSize(const QFont& f) { return f.pointSize() > 0 ? f.pointSize() : QFontInfo(f).pointSize(); }

void setStyle(QFont& f, int bits)
{
    f.setBold(bits & 1);
    f.setItalic(bits & 2);
    f.setUnderline(bits & 4);
    f.setStrikeOut(bits & 8);
}

// ---------------------------------------------------------------- older record file

struct RecordReader {
    const uchar* p;
    int u8(int at) const { return p[at]; }
    int u16(int at) const { return qFromLittleEndian<quint16>(p + at); }
    qint32 i32(int at) const { return qFromLittleEndian<qint32>(p + at); }
    // Length byte, then the characters; false when the length does not fit the field.
    bool text(int at, int size, QString& out) const
    {
        const int len = p[at];
        if (len > size - 1)
            return false;
        out = fb::fromWin1254(reinterpret_cast<const char*>(p + at + 1), len);
        return true;
    }
};

bool readRecord(const uchar* p, LegacyColumnRecord& r)
{
    const RecordReader in{p};
    if (!in.text(0, 52, r.titleFontName) || !in.text(64, 51, r.title) || !in.text(115, 51, r.fontName)
        || !in.text(185, 51, r.fieldName))
        return false;
    r.titleFontSize = in.u16(52);
    r.titleFontStyle = in.u8(54);
    r.titleFontColor = in.i32(56);
    r.titleColor = in.i32(60);
    r.fontSize = in.u16(166);
    r.fontColor = in.i32(168);
    r.fontStyle = in.u8(172);
    r.color = in.i32(176);
    r.width = in.i32(180);
    const int visible = in.u8(184), readOnly = in.u8(236);
    r.buttonStyle = in.u8(237);
    if (visible > 1 || readOnly > 1 || r.buttonStyle > 2 || r.titleFontStyle > 15 || r.fontStyle > 15)
        return false;
    if (r.width < 0 || r.width > 10000 || r.titleFontSize > 1000 || r.fontSize > 1000)
        return false;
    r.visible = visible == 1;
    r.readOnly = readOnly == 1;
    return true;
}

// A file that is no layout of ours is neither applied nor lost: it is kept under another name
// (so that the next show does not stumble over it again) and the user is told.
void setAsideUnreadable(const QString& iniName)
{
    QString kept = iniName + QStringLiteral(".bozuk");
    for (int n = 2; QFileInfo::exists(kept); ++n)
        kept = iniName + QStringLiteral(".bozuk%1").arg(n);
    QString text = QStringLiteral("Tablo yerleşim dosyası okunamadı:\n%1\n").arg(QDir::toNativeSeparators(iniName));
    if (QFile::rename(iniName, kept))
        text += QStringLiteral("Dosya %1 adıyla saklandı.").arg(QFileInfo(kept).fileName());
    else
        text += QStringLiteral("Dosya olduğu gibi bırakıldı.");
    ShowInfo(text);
}

void convertLegacy(TZYRXDBGrid* grid, const QString& iniName)
{
    QFile f(iniName);
    if (!f.open(QIODevice::ReadOnly))
        return;
    const QByteArray data = f.readAll();
    f.close();
    std::vector<LegacyColumnRecord> records;
    if (ReadLegacyLayout(data, records) != LegacyLayout::Ok) {
        setAsideUnreadable(iniName);
        return;
    }
    if (int(records.size()) == grid->columnCount()) {
        std::vector<GridColumn> cols = grid->columns();
        for (size_t i = 0; i < records.size(); ++i)
            ApplyLegacyRecord(cols[i], records[i]);
        grid->setColumns(std::move(cols));
        SaveGridLayout(grid, iniName);
        return;
    }
    // It belongs to another set of columns and can never apply. A newer layout of the user's
    // stays as it is.
    if (QFile::exists(GridLayoutFileName(iniName)))
        QFile::remove(iniName);
    else
        SaveGridLayout(grid, iniName);
}

} // namespace

QString GridLayoutFileName(const QString& fileName)
{
    const QFileInfo info(fileName);
    const QString name = info.fileName();
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    const QString base = dot > 0 ? fileName.left(fileName.size() - (name.size() - dot)) : fileName;
    return base + QStringLiteral(".agr");
}

void SaveGridLayout(TZYRXDBGrid* grid, const QString& fileName)
{
    if (!grid || !grid->hasDataSource() || fileName.isEmpty())
        return;
    IniFile ini(GridLayoutFileName(fileName));
    for (int i = 0; i < grid->columnCount(); ++i) {
        const GridColumn& c = grid->column(i);
        if (c.fieldName.trimmed().isEmpty())
            continue;
        const QString& s = c.fieldName;
        ini.eraseSection(s);
        ini.writeInt(s, QStringLiteral("INDEX"), i);
        ini.writeString(s, QStringLiteral("COLOR"), ColorToString(c.color));
        ini.writeInt(s, QStringLiteral("VISIBLE"), c.visible ? 1 : 0);
        ini.writeInt(s, QStringLiteral("WIDTH"), c.width);
        ini.writeString(s, QStringLiteral("FONT_NAME"), c.font.family());
        ini.writeString(s, QStringLiteral("FONT_COLOR"), ColorToString(c.fontColor));
        ini.writeInt(s, QStringLiteral("FONT_SIZE"), pointSize(c.font));
        ini.writeInt(s, QStringLiteral("FONT_BOLD"), c.font.bold() ? 1 : 0);
        ini.writeInt(s, QStringLiteral("FONT_ITALIC"), c.font.italic() ? 1 : 0);
        ini.writeInt(s, QStringLiteral("FONT_UNDERLINE"), c.font.underline() ? 1 : 0);
        ini.writeInt(s, QStringLiteral("FONT_STRIKEOUT"), c.font.strikeOut() ? 1 : 0);
    }
    ini.eraseSection(kSelfGrid);
    ini.writeInt(kSelfGrid, QStringLiteral("FIXEDCOLS"), grid->fixedCols());
    // The older file goes only once its replacement is on disk.
    if (ini.save() && endsWithIni(fileName))
        QFile::remove(fileName);
}

void LoadGridLayout(TZYRXDBGrid* grid, const QString& fileName)
{
    if (!grid || !grid->hasDataSource() || fileName.isEmpty())
        return;
    if (endsWithIni(fileName) && QFileInfo(fileName).isFile())
        convertLegacy(grid, fileName);
    const QString agr = GridLayoutFileName(fileName);
    if (!QFileInfo(agr).isFile())
        return;
    const IniFile ini(agr);
    const QStringList sections = ini.sections();
    std::vector<GridColumn> cols = grid->columns();
    const int count = int(cols.size());
    for (int i = 0; i < int(sections.size()); ++i) {
        const QString& sec = sections[i];
        const QString field = sec.trimmed();
        if (field.isEmpty())
            continue;
        int pos = -1;
        for (int c = 0; c < count && pos < 0; ++c)
            if (cols[size_t(c)].fieldName == field)
                pos = c;
        if (pos < 0)
            continue;
        const int index = ini.readInt(sec, QStringLiteral("INDEX"), i);
        if (index != pos && index >= 0 && index < count) {
            GridColumn moved = cols[size_t(pos)];
            cols.erase(cols.begin() + pos);
            cols.insert(cols.begin() + index, moved);
            pos = index;
        }
        GridColumn& c = cols[size_t(pos)];
        // A value that cannot be read keeps what the column had.
        TColor color;
        if (StringToColor(ini.readString(sec, QStringLiteral("COLOR"), QStringLiteral("clWindow")), color))
            c.color = color;
        c.visible = ini.readInt(sec, QStringLiteral("VISIBLE"), 1) != 0;
        const int width = ini.readInt(sec, QStringLiteral("WIDTH"), c.width);
        if (width >= 0) {
            c.width = width;
            c.autoWidth = false;
        }
        c.font.setFamily(ini.readString(sec, QStringLiteral("FONT_NAME"), QStringLiteral("MS Sans Serif")));
        if (StringToColor(ini.readString(sec, QStringLiteral("FONT_COLOR"), QStringLiteral("clWindowText")), color))
            c.fontColor = color;
        const int size = ini.readInt(sec, QStringLiteral("FONT_SIZE"), 8);
        if (size > 0)
            c.font.setPointSize(size);
        c.font.setBold(ini.readInt(sec, QStringLiteral("FONT_BOLD"), 0) != 0);
        c.font.setItalic(ini.readInt(sec, QStringLiteral("FONT_ITALIC"), 0) != 0);
        c.font.setUnderline(ini.readInt(sec, QStringLiteral("FONT_UNDERLINE"), 0) != 0);
        c.font.setStrikeOut(ini.readInt(sec, QStringLiteral("FONT_STRIKEOUT"), 0) != 0);
    }
    grid->setColumns(std::move(cols));
    for (const QString& s : sections)
        if (s.compare(kSelfGrid, Qt::CaseInsensitive) == 0) {
            grid->setFixedCols(ini.readInt(kSelfGrid, QStringLiteral("FIXEDCOLS"), 0));
            break;
        }
}

LegacyLayout ReadLegacyLayout(const QByteArray& data, std::vector<LegacyColumnRecord>& records)
{
    records.clear();
    if (data.size() % kLegacyRecordSize != 0)
        return LegacyLayout::NotALayout;
    const auto* p = reinterpret_cast<const uchar*>(data.constData());
    for (qsizetype at = 0; at < data.size(); at += kLegacyRecordSize) {
        LegacyColumnRecord r;
        if (!readRecord(p + at, r)) {
            records.clear();
            return LegacyLayout::NotALayout;
        }
        records.push_back(r);
    }
    return LegacyLayout::Ok;
}

void ApplyLegacyRecord(GridColumn& c, const LegacyColumnRecord& r)
{
    c.titleFont.setFamily(r.titleFontName);
    if (r.titleFontSize > 0)
        c.titleFont.setPointSize(r.titleFontSize);
    setStyle(c.titleFont, r.titleFontStyle);
    c.titleFontColor = NormalizeColor(r.titleFontColor);
    c.titleColor = NormalizeColor(r.titleColor);
    c.title = r.title;
    c.font.setFamily(r.fontName);
    if (r.fontSize > 0)
        c.font.setPointSize(r.fontSize);
    setStyle(c.font, r.fontStyle);
    c.fontColor = NormalizeColor(r.fontColor);
    c.color = NormalizeColor(r.color);
    c.width = r.width;
    c.autoWidth = false;
    c.fieldName = r.fieldName;
    c.visible = r.visible;
    c.readOnly = r.readOnly;
    c.buttonStyle = r.buttonStyle;
}
