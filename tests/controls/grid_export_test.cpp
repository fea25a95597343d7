// Exports of the data grid: the tab-separated text file and the HTML page, the free file
// search and the dataset walk behind them.
#include "controls/GridExport.h"
#include "grid_fixture.h"
#include "shell/AppPaths.h"

#include <QDir>
#include <QFile>

#include <stdexcept>

namespace {

class GridExportTest : public GridFixture {
protected:
    void SetUp() override
    {
        GridFixture::SetUp();
        defineColumns();
        std::vector<GridColumn> cols = grid->columns();
        cols[2].visible = false;                  // SOYAD is not exported
        cols[4].alignment = ColumnAlign::Center;  // DOG
        grid->setColumns(cols);
        ds->open();
        ds->afterScroll = [this](Dataset& d) { scrolls << d.recNo(); };
    }
    QString base() const { return ProgramDir() + "TEMP/Temp"; }

    GridUrlRecorder urls;
    QList<int> scrolls;
};

TEST_F(GridExportTest, TextExportWritesTabsAndTakesOutLineBreaksAndQuotes)
{
    ds->moveTo(1);
    scrolls.clear();
    const QString file = ExportGridToExcel(grid, base(), 1);

    EXPECT_EQ(file, ProgramDir() + "TEMP/Temp1.txt");
    const QByteArray expected = "\xEF\xBB\xBF"
                                "No\tAd\xC4\xB1\tNotlar\tDo\xC4\x9Fum Tar.\r\n"
                                "1\tAli\tbirinci ikinci\t01.03.1950\r\n"
                                "2\tAy\xC5\x9F" "e\tiki t\xC4\xB1rnak var\t\r\n"
                                "3\t<b>&\tsekme var\t31.12.2001\r\n"
                                "4\t \tyaln\xC4\xB1z LF\t\r\n";
    EXPECT_EQ(readAll(file).toStdString(), expected.toStdString());
    EXPECT_EQ(urls.opened, QStringList({file}));

    // The walk ran with the after-scroll handler held back; it runs once, on the last row,
    // and the grid stands there too.
    EXPECT_EQ(scrolls, QList<int>({3}));
    EXPECT_EQ(ds->recNo(), 3);
    EXPECT_EQ(grid->currentIndex().row(), 3);
    ASSERT_TRUE(ds->afterScroll);
}

TEST_F(GridExportTest, TextExportSkipsFilesThatAreInUse)
{
    QDir().mkpath(ProgramDir() + "TEMP");
    // Temp1.txt is open in a spreadsheet program (its lock file), Temp2.txt cannot be created.
    writeAll(ProgramDir() + "TEMP/.~lock.Temp1.txt#", "x");
    writeAll(ProgramDir() + "TEMP/Temp1.txt", "kept");
    QDir().mkpath(ProgramDir() + "TEMP/Temp2.txt");
    EXPECT_EQ(FreeExportFile(base()), ProgramDir() + "TEMP/Temp3.txt");
    const QString file = ExportGridToExcel(grid, base(), 1);
    EXPECT_EQ(file, ProgramDir() + "TEMP/Temp3.txt");
    EXPECT_EQ(readAll(ProgramDir() + "TEMP/Temp1.txt"), "kept");
    EXPECT_TRUE(readAll(file).contains("birinci ikinci"));

    // Once the spreadsheet program lets go, Temp1.txt is used again.
    QFile::remove(ProgramDir() + "TEMP/.~lock.Temp1.txt#");
    EXPECT_EQ(ExportGridToExcel(grid, base(), 1), ProgramDir() + "TEMP/Temp1.txt");
}

TEST_F(GridExportTest, ExportThatCannotWriteAnywhereReportsIt)
{
    writeAll(ProgramDir() + "TEMP", "a file where the folder should be");
    try {
        ExportGridToExcel(grid, base(), 1);
        FAIL() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_TRUE(QString::fromUtf8(e.what()).contains(QString::fromUtf8("Temp1.txt dosyası oluşturulamadı."))) << e.what();
    }
    EXPECT_TRUE(urls.opened.isEmpty());
    ASSERT_TRUE(ds->afterScroll); // handed back although the export failed
}

TEST_F(GridExportTest, HtmlExportEscapesFieldTexts)
{
    const QString file = ExportGridToHtml(grid, base());
    EXPECT_EQ(file, ProgramDir() + "TEMP/Temp.html");
    const QString expected = QString::fromUtf8(
        "<HTML>\n"
        "<STYLE TYPE=\"TEXT/CSS\"> TD {HEIGHT:12PX;FONT-FAMILY:TAHOMA;FONT-SIZE:12PX;BORDER-RIGHT:#000000 1px Solid;"
        "BORDER-BOTTOM:#000000 1px Solid}  .ALIGNRIGHT {TEXT-ALIGN : RIGHT} .ALIGNCENTER {TEXT-ALIGN:CENTER} </STYLE>\n"
        "<title>Rapor</title>\n"
        "<BODY>\n"
        "<TABLE BORDER= \"0\" CELLSPACING=\"0\" CELLPADDING=\"3\" style=\"BORDER-LEFT:#000000 1px Solid;"
        "BORDER-TOP:#000000 1px Solid\">\n"
        "<TR style=\"BACKGROUND=silver; color:black\"><TD><strong>No</strong></TD><TD><strong>Adı</strong></TD>"
        "<TD><strong>Notlar</strong></TD><TD><strong>Doğum&nbspTar.</strong></TD></TR>\n"
        "<TR><TD class=ALIGNRIGHT>1</TD><TD>Ali</TD><TD>birinci&nbspikinci</TD><TD class=ALIGNCENTER>01.03.1950</TD></TR>\n"
        "<TR><TD class=ALIGNRIGHT>2</TD><TD>Ayşe</TD><TD>iki&nbsptırnak&nbspvar</TD><TD>&nbsp</TD></TR>\n"
        "<TR><TD class=ALIGNRIGHT>3</TD><TD>&lt;b&gt;&amp;</TD><TD>sekme\tvar</TD><TD class=ALIGNCENTER>31.12.2001</TD></TR>\n"
        "<TR><TD class=ALIGNRIGHT>4</TD><TD>&nbsp</TD><TD>yalnız&nbspLF</TD><TD>&nbsp</TD></TR>\n"
        "</TABLE> </BODY> </HTML>\n");
    const QByteArray bytes = readAll(file);
    ASSERT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    EXPECT_EQ(QString::fromUtf8(bytes.mid(3)).toStdString(), expected.toStdString());
    EXPECT_EQ(urls.opened, QStringList({file}));
    EXPECT_EQ(scrolls, QList<int>({3}));

    // Always the same file, replaced.
    ds->close();
    ds->setSql("SELECT * FROM P WHERE ID > 1 ORDER BY ID");
    ds->open();
    EXPECT_EQ(ExportGridToHtml(grid, base()), file);
    EXPECT_FALSE(readAll(file).contains("<TD>Ali</TD>"));
}

TEST_F(GridExportTest, NothingIsWrittenWithoutAnOpenDataset)
{
    ds->close();
    EXPECT_TRUE(ExportGridToExcel(grid, base(), 1).isEmpty());
    EXPECT_TRUE(ExportGridToHtml(grid, base()).isEmpty());
    EXPECT_FALSE(QDir(ProgramDir() + "TEMP").exists());
    EXPECT_TRUE(urls.opened.isEmpty());
}

TEST_F(GridExportTest, EmptyListExportsTheTitlesOnly)
{
    ds->close();
    ds->setSql("SELECT * FROM P WHERE ID < 0");
    ds->open();
    scrolls.clear();
    const QString file = ExportGridToExcel(grid, base(), 1);
    EXPECT_EQ(readAll(file), QByteArray("\xEF\xBB\xBFNo\tAd\xC4\xB1\tNotlar\tDo\xC4\x9Fum Tar.\r\n"));
    EXPECT_EQ(scrolls.size(), 1);
}

} // namespace
