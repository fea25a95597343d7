// Layout files of the data grid: the ".agr" INI text, loading it back, the older 492-byte
// record files and the colour texts they hold.
#include "controls/GridLayout.h"
#include "controls/PopupGrid.h"
#include "data/IniFile.h"
#include "grid_fixture.h"

#include <QFile>
#include <QtEndian>

using namespace tcolor;

namespace {

TEST(GridColorText, NamesAndHexAsDelphiWritesThem)
{
    const struct {
        TColor color;
        const char* text;
    } cases[] = {
        {clWindow, "clWindow"},
        {clWindowText, "clWindowText"},
        {clRed, "clRed"},
        {clBlue, "clBlue"},
        {clBlack, "clBlack"},
        {clBtnFace, "clBtnFace"},
        {fromRgb(0x12, 0x34, 0x56), "$00563412"},
        {fromRgb(205, 206, 179), "$00B3CECD"},
        {TColor(0x80000005), "clWindow"}, // the older form of a system colour
        {TColor(0x02000010), "$02000010"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ColorToString(c.color), QString::fromLatin1(c.text)) << c.text;
}

TEST(GridColorText, ReadsNamesNumbersAndRefusesGarbage)
{
    const struct {
        const char* text;
        bool ok;
        TColor color;
    } cases[] = {
        {"clWindow", true, clWindow},   {"CLRED", true, clRed},          {" clBtnFace ", true, clBtnFace},
        {"$00FF0000", true, clBlue},    {"$000000FF", true, clRed},      {"0x00563412", true, fromRgb(0x12, 0x34, 0x56)},
        {"255", true, clRed},           {"-16777211", true, clWindow},   {"$80000008", true, clWindowText},
        {"", false, 0},                 {"clMavi", false, 0},            {"$XYZ", false, 0},
        {"99999999999", false, 0},
    };
    for (const auto& c : cases) {
        TColor out = 12345;
        EXPECT_EQ(StringToColor(QString::fromLatin1(c.text), out), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(out, c.color) << c.text;
        }
    }
}

TEST(GridColorText, QColorHasRedInTheLowestByte)
{
    EXPECT_EQ(QColorToTColor(QColor(1, 2, 3)), 0x030201);
    EXPECT_EQ(TColorToQColor(clRed), QColor(255, 0, 0));
    EXPECT_EQ(TColorToQColor(fromRgb(205, 206, 179)), QColor(205, 206, 179));
    QPalette pal;
    pal.setColor(QPalette::Base, QColor(250, 250, 240));
    EXPECT_EQ(TColorToQColor(clWindow, pal), QColor(250, 250, 240));
    EXPECT_FALSE(TColorToQColor(clNone).isValid());
}

class GridLayoutTest : public GridFixture {
protected:
    void SetUp() override
    {
        GridFixture::SetUp();
        ds->open();
        defineColumns();
        std::vector<GridColumn> cols = grid->columns();
        for (GridColumn& c : cols)
            c.font = QFont("DejaVu Sans", 9);
        grid->setColumns(cols);
    }
    QString user() const { return iniDir() + "F_TestF.ini"; }
    QString userAgr() const { return iniDir() + "F_TestF.agr"; }
};

TEST_F(GridLayoutTest, SaveWritesEveryNamedColumnAndTheFrozenCount)
{
    std::vector<GridColumn> cols = grid->columns();
    cols[0].color = fromRgb(0x12, 0x34, 0x56);
    cols[0].fontColor = clRed;
    cols[0].font.setBold(true);
    cols[0].font.setItalic(true);
    cols[2].visible = false;
    cols[2].font.setUnderline(true);
    cols[2].font.setStrikeOut(true);
    cols[2].font.setPointSize(11);
    cols[3].fieldName = " "; // a column without a field is not written
    cols[4].color = clRed;
    grid->setColumns(cols);
    grid->setFixedCols(1);
    writeAll(user(), QByteArray(492, '\0')); // an older file of that name goes

    SaveGridLayout(grid, user());

    EXPECT_FALSE(QFile::exists(user()));
    // The settings store puts two blank lines between sections.
    const QByteArray expected =
        "[ID]\n"
        "INDEX=0\nCOLOR=$00563412\nVISIBLE=1\nWIDTH=40\nFONT_NAME=DejaVu Sans\nFONT_COLOR=clRed\nFONT_SIZE=9\n"
        "FONT_BOLD=1\nFONT_ITALIC=1\nFONT_UNDERLINE=0\nFONT_STRIKEOUT=0\n"
        "\n\n[AD]\n"
        "INDEX=1\nCOLOR=clWindow\nVISIBLE=1\nWIDTH=80\nFONT_NAME=DejaVu Sans\nFONT_COLOR=clWindowText\nFONT_SIZE=9\n"
        "FONT_BOLD=0\nFONT_ITALIC=0\nFONT_UNDERLINE=0\nFONT_STRIKEOUT=0\n"
        "\n\n[SOYAD]\n"
        "INDEX=2\nCOLOR=clWindow\nVISIBLE=0\nWIDTH=90\nFONT_NAME=DejaVu Sans\nFONT_COLOR=clWindowText\nFONT_SIZE=11\n"
        "FONT_BOLD=0\nFONT_ITALIC=0\nFONT_UNDERLINE=1\nFONT_STRIKEOUT=1\n"
        "\n\n[DOG]\n"
        "INDEX=4\nCOLOR=clRed\nVISIBLE=1\nWIDTH=90\nFONT_NAME=DejaVu Sans\nFONT_COLOR=clWindowText\nFONT_SIZE=9\n"
        "FONT_BOLD=0\nFONT_ITALIC=0\nFONT_UNDERLINE=0\nFONT_STRIKEOUT=0\n"
        "\n\n[SELFGRID]\n"
        "FIXEDCOLS=1\n";
    EXPECT_EQ(readAll(userAgr()).toStdString(), expected.toStdString());
}

TEST_F(GridLayoutTest, LoadBringsBackOrderVisibilityWidthsColoursAndFonts)
{
    // The user's layout: SOYAD first, AD hidden and wide, bold red DOG, two frozen columns.
    grid->moveColumn(2, 0);
    std::vector<GridColumn> cols = grid->columns();
    cols[2].visible = false;
    cols[2].width = 123;
    cols[4].font.setBold(true);
    cols[4].fontColor = clRed;
    cols[4].color = fromRgb(205, 206, 179);
    grid->setColumns(cols);
    grid->setFixedCols(2);
    SaveGridLayout(grid, user());
    const std::vector<GridColumn> saved = grid->columns();

    // Back to the design, then load.
    grid->setColumns({});
    defineColumns();
    grid->setFixedCols(0);
    ASSERT_EQ(fieldOrder(), QStringList({"ID", "AD", "SOYAD", "NOTLAR", "DOG"}));
    LoadGridLayout(grid, user());

    EXPECT_EQ(fieldOrder(), QStringList({"SOYAD", "ID", "AD", "NOTLAR", "DOG"}));
    EXPECT_EQ(grid->fixedCols(), 2);
    for (int i = 0; i < grid->columnCount(); ++i) {
        const GridColumn& c = grid->column(i);
        SCOPED_TRACE(c.fieldName.toStdString());
        EXPECT_EQ(c.visible, saved[size_t(i)].visible);
        EXPECT_EQ(c.width, saved[size_t(i)].width);
        EXPECT_EQ(c.color, saved[size_t(i)].color);
        EXPECT_EQ(c.fontColor, saved[size_t(i)].fontColor);
        EXPECT_EQ(c.font.bold(), saved[size_t(i)].font.bold());
        EXPECT_EQ(c.font.family(), saved[size_t(i)].font.family());
        EXPECT_EQ(c.font.pointSize(), saved[size_t(i)].font.pointSize());
    }
    EXPECT_TRUE(grid->isColumnHidden(2));
    EXPECT_EQ(grid->columnWidth(0), grid->column(0).width);
}

TEST_F(GridLayoutTest, UnknownSectionsAreSkippedAndMissingKeysTakeTheirDefaults)
{
    // Hand-written: a field the grid lacks, a section with only a width (its INDEX defaults to
    // its position among all sections), unreadable values that keep what the column had.
    writeAll(userAgr(), "[YOK]\nINDEX=0\nVISIBLE=0\n"
                        "[SOYAD]\nWIDTH=77\n"
                        "[ID]\nINDEX=4\nCOLOR=mavi\nVISIBLE=0\nWIDTH=abc\nFONT_SIZE=0\nFONT_COLOR=clBlue\n"
                        "[ DOG ]\nINDEX=0\nFONT_BOLD=1\n"
                        "[SELFGRID]\nFIXEDCOLS=x\n");
    grid->setFixedCols(3);
    LoadGridLayout(grid, user());

    EXPECT_EQ(fieldOrder(), QStringList({"DOG", "SOYAD", "AD", "NOTLAR", "ID"}));
    const GridColumn& soyad = grid->column(1);
    EXPECT_EQ(soyad.width, 77);
    EXPECT_TRUE(soyad.visible);
    EXPECT_EQ(soyad.color, clWindow);
    EXPECT_EQ(soyad.fontColor, clWindowText);
    EXPECT_EQ(soyad.font.family(), "MS Sans Serif");
    EXPECT_EQ(soyad.font.pointSize(), 8);
    EXPECT_FALSE(soyad.font.bold());
    const GridColumn& id = grid->column(4);
    EXPECT_FALSE(id.visible);
    EXPECT_EQ(id.width, 40);
    EXPECT_EQ(id.color, clWindow);
    EXPECT_EQ(id.fontColor, clBlue);
    EXPECT_EQ(id.font.pointSize(), 9);
    EXPECT_TRUE(grid->column(0).font.bold());
    EXPECT_EQ(grid->column(2).width, 80); // no section: unchanged
    EXPECT_EQ(grid->fixedCols(), 0);
}

TEST_F(GridLayoutTest, SavingKeepsOtherSectionsOfTheFile)
{
    writeAll(userAgr(), "[ESKI]\nINDEX=3\n[AD]\nINDEX=9\nEXTRA=1\n");
    SaveGridLayout(grid, user());
    IniFile ini(userAgr());
    EXPECT_EQ(ini.readString("ESKI", "INDEX"), "3");
    EXPECT_EQ(ini.readString("AD", "INDEX"), "1");
    EXPECT_FALSE(ini.hasKey("AD", "EXTRA")); // the column's section is rewritten whole
}

TEST_F(GridLayoutTest, NothingHappensWithoutADataSource)
{
    grid->setDataset(nullptr);
    SaveGridLayout(grid, user());
    EXPECT_FALSE(QFile::exists(userAgr()));
    writeAll(userAgr(), "[AD]\nVISIBLE=0\n");
    LoadGridLayout(grid, user());
    EXPECT_TRUE(grid->column(1).visible);
}

TEST_F(GridLayoutTest, RaporGridSaklaKeepsTheDesignAndAppliesTheUsersLayout)
{
    writeAll(userAgr(), "[NOTLAR]\nINDEX=0\nVISIBLE=0\n");
    RaporGridSakla(grid);

    const QString design = iniDir() + "F_TestF_o.agr";
    ASSERT_TRUE(QFile::exists(design));
    EXPECT_EQ(IniFile(design).readInt("NOTLAR", "INDEX", -1), 3);
    EXPECT_EQ(IniFile(design).readInt("NOTLAR", "VISIBLE", -1), 1);
    EXPECT_EQ(fieldOrder(), QStringList({"NOTLAR", "ID", "AD", "SOYAD", "DOG"}));
    EXPECT_FALSE(grid->column(0).visible);
}

// ---------------------------------------------------------------- older record files

// One 492-byte record, written byte by byte at the offsets of the older format.
struct LegacyRecord {
    QByteArray titleFontName = "Arial";
    int titleFontSize = 10;
    int titleStyle = 1;
    quint32 titleFontColor = 0x000000FF;
    quint32 titleColor = 0x80000005;
    QByteArray title;
    QByteArray fontName = "Tahoma";
    int fontSize = 12;
    quint32 fontColor = 0x00FF0000;
    int fontStyle = 2 | 8;
    quint32 color = 0x00B3CECD;
    qint32 width = 77;
    int visible = 1;
    QByteArray field;
    int readOnly = 1;
    int buttonStyle = 2;

    QByteArray bytes() const
    {
        QByteArray r(492, '\xCC'); // padding and the unread tail hold anything
        auto text = [&r](int at, const QByteArray& t) {
            r[at] = char(t.size());
            for (int i = 0; i < t.size(); ++i)
                r[at + 1 + i] = t[i];
        };
        auto u16 = [&r](int at, int v) { qToLittleEndian<quint16>(quint16(v), r.data() + at); };
        auto u32 = [&r](int at, quint32 v) { qToLittleEndian<quint32>(v, r.data() + at); };
        text(0, titleFontName);
        u16(52, titleFontSize);
        r[54] = char(titleStyle);
        u32(56, titleFontColor);
        u32(60, titleColor);
        text(64, title);
        text(115, fontName);
        u16(166, fontSize);
        u32(168, fontColor);
        r[172] = char(fontStyle);
        u32(176, color);
        u32(180, quint32(width));
        r[184] = char(visible);
        text(185, field);
        r[236] = char(readOnly);
        r[237] = char(buttonStyle);
        return r;
    }
};

QByteArray fiveRecords()
{
    // Column order of the old layout: SOYAD, AD, ID, DOG, NOTLAR; AD hidden.
    const QList<std::pair<QByteArray, QByteArray>> cols = {
        {"SOYAD", "Soyad\xFD"}, {"AD", "Ad\xFD"}, {"ID", "No"}, {"DOG", "Do\xF0um"}, {"NOTLAR", "Notlar"}};
    QByteArray all;
    for (int i = 0; i < cols.size(); ++i) {
        LegacyRecord r;
        r.field = cols[i].first;
        r.title = cols[i].second;
        r.width = 50 + i;
        r.visible = cols[i].first == "AD" ? 0 : 1;
        all += r.bytes();
    }
    return all;
}

TEST_F(GridLayoutTest, OlderRecordFileWithOneRecordPerColumnIsConvertedAndApplied)
{
    writeAll(user(), fiveRecords());
    LoadGridLayout(grid, user());

    EXPECT_EQ(fieldOrder(), QStringList({"SOYAD", "AD", "ID", "DOG", "NOTLAR"}));
    const GridColumn& c = grid->column(0);
    EXPECT_EQ(c.title, QString::fromUtf8("Soyadı"));
    EXPECT_EQ(grid->column(3).title, QString::fromUtf8("Doğum"));
    EXPECT_EQ(c.titleFont.family(), "Arial");
    EXPECT_EQ(c.titleFont.pointSize(), 10);
    EXPECT_TRUE(c.titleFont.bold());
    EXPECT_EQ(c.titleFontColor, clRed);
    EXPECT_EQ(c.titleColor, clWindow);
    EXPECT_EQ(c.font.family(), "Tahoma");
    EXPECT_EQ(c.font.pointSize(), 12);
    EXPECT_TRUE(c.font.italic());
    EXPECT_TRUE(c.font.strikeOut());
    EXPECT_FALSE(c.font.bold());
    EXPECT_EQ(c.fontColor, clBlue);
    EXPECT_EQ(c.color, fromRgb(205, 206, 179));
    EXPECT_EQ(c.width, 50);
    EXPECT_TRUE(c.readOnly);
    EXPECT_EQ(c.buttonStyle, 2);
    EXPECT_FALSE(grid->column(1).visible);
    EXPECT_EQ(grid->column(4).width, 54);

    // The older file is gone; its layout lives on in the ".agr" file.
    EXPECT_FALSE(QFile::exists(user()));
    IniFile agr(userAgr());
    EXPECT_EQ(agr.readInt("SOYAD", "INDEX", -1), 0);
    EXPECT_EQ(agr.readInt("AD", "VISIBLE", -1), 0);
    EXPECT_EQ(agr.readString("SOYAD", "FONT_NAME"), "Tahoma");
    EXPECT_EQ(agr.readString("SOYAD", "COLOR"), "$00B3CECD");
}

TEST_F(GridLayoutTest, OlderRecordFileForAnotherColumnCountIsRemovedWithoutBeingApplied)
{
    LegacyRecord r;
    r.field = "AD";
    r.visible = 0;
    writeAll(user(), r.bytes() + r.bytes());
    LoadGridLayout(grid, user());
    EXPECT_FALSE(QFile::exists(user()));
    EXPECT_EQ(fieldOrder(), QStringList({"ID", "AD", "SOYAD", "NOTLAR", "DOG"}));
    EXPECT_TRUE(grid->column(1).visible);
    EXPECT_EQ(IniFile(userAgr()).readInt("AD", "VISIBLE", -1), 1); // written from the grid as it is

    // A newer layout of the user's that sits beside such a file is kept and applied.
    writeAll(userAgr(), "[AD]\nVISIBLE=0\n");
    writeAll(user(), r.bytes());
    LoadGridLayout(grid, user());
    EXPECT_FALSE(QFile::exists(user()));
    EXPECT_EQ(readAll(userAgr()), QByteArray("[AD]\nVISIBLE=0\n"));
    EXPECT_FALSE(grid->column(ColumnIndexByField(grid, "AD")).visible);
}

TEST_F(GridLayoutTest, TruncatedOrForeignRecordFilesAreKeptAsideWithAMessage)
{
    FakeDialogService dialogs;
    QByteArray garbageLength = fiveRecords();
    garbageLength[2 * 492 + 185] = char(200); // a field name longer than its field
    QByteArray garbageFlag = fiveRecords();
    garbageFlag[492 + 184] = char(7);          // visible must be 0 or 1
    const QList<std::pair<const char*, QByteArray>> files = {
        {"truncated", fiveRecords().left(5 * 492 - 10)},
        {"one byte more", fiveRecords() + "x"},
        {"length byte", garbageLength},
        {"flag", garbageFlag},
        {"text", QByteArray("[AD]\r\nVISIBLE=0\r\n").repeated(145).left(5 * 492)},
    };
    writeAll(userAgr(), "[DOG]\nINDEX=0\n");
    for (const auto& [what, data] : files) {
        SCOPED_TRACE(what);
        grid->setColumns({});
        defineColumns();
        dialogs.messages.clear();
        writeAll(user(), data);
        LoadGridLayout(grid, user());
        EXPECT_FALSE(QFile::exists(user()));
        EXPECT_EQ(readAll(user() + ".bozuk"), data); // nothing lost
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_TRUE(dialogs.lastText().startsWith(QString::fromUtf8("Tablo yerleşim dosyası okunamadı:\n") + user()));
        EXPECT_TRUE(dialogs.lastText().endsWith(QString::fromUtf8("Dosya F_TestF.ini.bozuk adıyla saklandı.")));
        EXPECT_EQ(fieldOrder(), QStringList({"DOG", "ID", "AD", "SOYAD", "NOTLAR"})); // the ".agr" still applies
        EXPECT_TRUE(grid->column(2).visible);
        EXPECT_EQ(grid->column(2).title, QString::fromUtf8("Adı"));
        // Shown once: the next load finds no such file.
        LoadGridLayout(grid, user());
        EXPECT_EQ(dialogs.messages.size(), 1u);
        QFile::remove(user() + ".bozuk");
    }

    // A second unreadable file does not overwrite the first one kept.
    writeAll(user(), "eski");
    writeAll(user() + ".bozuk", "daha eski");
    LoadGridLayout(grid, user());
    EXPECT_EQ(readAll(user() + ".bozuk"), "daha eski");
    EXPECT_EQ(readAll(user() + ".bozuk2"), "eski");
}

TEST(GridLegacyRecords, ReaderRefusesSizesThatAreNotWholeRecords)
{
    std::vector<LegacyColumnRecord> records;
    EXPECT_EQ(ReadLegacyLayout(QByteArray(), records), LegacyLayout::Ok);
    EXPECT_TRUE(records.empty());
    EXPECT_EQ(ReadLegacyLayout(QByteArray(491, '\0'), records), LegacyLayout::NotALayout);
    EXPECT_EQ(ReadLegacyLayout(QByteArray(492 * 3, '\0'), records), LegacyLayout::Ok);
    EXPECT_EQ(records.size(), 3u);
    EXPECT_TRUE(records[0].fieldName.isEmpty());
    EXPECT_FALSE(records[0].visible);
}

} // namespace
