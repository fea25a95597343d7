// The customising dialog of the data grid: entries, moving, ticking, font and colour through
// the dialog service, the frozen column count, and what "Tamam" and "Vazgeç" leave behind.
#include "controls/DBGCustomize.h"
#include "controls/GridLayout.h"
#include "controls/PopupGrid.h"
#include "grid_fixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTimer>

namespace {

// Answers the font dialog with a scripted font; no font scripted means cancelled.
class GridDialogs : public FakeDialogService {
public:
    std::deque<QFont> chosenFonts;
    bool chooseFont(QWidget*, QFont& font) override
    {
        if (chosenFonts.empty())
            return false;
        font = chosenFonts.front();
        chosenFonts.pop_front();
        return true;
    }
};

class GridCustomizeTest : public GridFixture {
protected:
    void SetUp() override
    {
        GridFixture::SetUp();
        defineColumns();
        std::vector<GridColumn> cols = grid->columns();
        cols[3].visible = false; // NOTLAR starts hidden
        grid->setColumns(cols);
        grid->setFixedCols(1);
        ds->open();
    }
    QStringList entries(const TDBGCustomizeF& dlg) const
    {
        QStringList out;
        for (int i = 0; i < dlg.CheckListBox1->count(); ++i) {
            const QListWidgetItem* item = dlg.CheckListBox1->item(i);
            out << (item->checkState() == Qt::Checked ? "[x] " : "[ ] ") + item->text();
        }
        return out;
    }
    static bool buttonsEnabled(const TDBGCustomizeF& dlg)
    {
        const bool on = dlg.BtnYukari->isEnabled();
        EXPECT_EQ(dlg.BtnAsagi->isEnabled(), on);
        EXPECT_EQ(dlg.BtnFont->isEnabled(), on);
        EXPECT_EQ(dlg.BtnRenk->isEnabled(), on);
        return on;
    }
    static void select(TDBGCustomizeF& dlg, int row) { dlg.CheckListBox1->setCurrentRow(row); }

    GridDialogs dialogs;
};

TEST_F(GridCustomizeTest, DialogShowsOneTickedEntryPerColumnAndTheCounts)
{
    TDBGCustomizeF dlg(grid, form.get());
    EXPECT_EQ(dlg.windowTitle(), QString::fromUtf8("Tablo Özelleştirme"));
    EXPECT_EQ(entries(dlg), QStringList({"[x] No-ID", QString::fromUtf8("[x] Adı-AD"), QString::fromUtf8("[x] Soyadı-SOYAD"),
                                         "[ ] Notlar-NOTLAR", QString::fromUtf8("[x] Doğum Tar.-DOG")}));
    EXPECT_TRUE(dlg.CheckHepsi->isChecked());
    EXPECT_EQ(dlg.CheckHepsi->text(), QString::fromUtf8("Hepsini Kaldır"));
    EXPECT_EQ(dlg.SpinSabit->value(), 1);
    const QLabel* status = dlg.StatusBar1->findChild<QLabel*>();
    ASSERT_TRUE(status);
    EXPECT_EQ(status->text(), QString::fromUtf8("Toplam Sütun Sayısı : 5"));
    bool labelled = false;
    for (const QLabel* l : dlg.findChildren<QLabel*>())
        labelled |= l->text() == "Sabit Sutun Sayisi" && l->buddy() == dlg.SpinSabit;
    EXPECT_TRUE(labelled);

    // The four buttons follow the selection.
    EXPECT_FALSE(buttonsEnabled(dlg));
    select(dlg, 2);
    EXPECT_TRUE(buttonsEnabled(dlg));
    dlg.CheckListBox1->clearSelection();
    EXPECT_FALSE(buttonsEnabled(dlg));
    dlg.BtnRenk->click(); // disabled: no colour dialog
    EXPECT_TRUE(dialogs.colors.empty());
}

TEST_F(GridCustomizeTest, MovingSwapsWithTheNeighbourAndStopsAtTheEnds)
{
    const struct {
        int row;
        bool up;
        const char* order; // field names after the move
        int selected;
    } cases[] = {
        {0, true, "ID AD SOYAD NOTLAR DOG", 0},  // first entry up: nothing
        {4, false, "ID AD SOYAD NOTLAR DOG", 4}, // last entry down: nothing
        {2, true, "ID SOYAD AD NOTLAR DOG", 1},
        {0, false, "AD ID SOYAD NOTLAR DOG", 1},
        {3, false, "ID AD SOYAD DOG NOTLAR", 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.order);
        TDBGCustomizeF dlg(grid, form.get());
        select(dlg, c.row);
        (c.up ? dlg.BtnYukari : dlg.BtnAsagi)->click();
        QStringList fields;
        for (const GridColumn& col : dlg.state().columns())
            fields << col.fieldName;
        EXPECT_EQ(fields.join(' '), QString::fromLatin1(c.order));
        EXPECT_EQ(dlg.CheckListBox1->currentRow(), c.selected);
        EXPECT_TRUE(buttonsEnabled(dlg)); // the moved entry stays selected
        for (int i = 0; i < dlg.CheckListBox1->count(); ++i)
            EXPECT_TRUE(dlg.CheckListBox1->item(i)->text().endsWith('-' + fields[i]));
    }
    EXPECT_EQ(fieldOrder(), QStringList({"ID", "AD", "SOYAD", "NOTLAR", "DOG"})); // never applied
}

TEST_F(GridCustomizeTest, TamamAppliesOrderTicksFontColourAndFrozenCount)
{
    std::vector<GridColumn> cols = grid->columns();
    cols[1].width = 111;
    cols[1].title = "Ad-Soyad"; // a "-" in the title does not confuse the field name
    grid->setColumns(cols);

    RaporGridSakla(grid); // the screen's design, kept when it was shown
    TDBGCustomizeF dlg(grid, form.get());
    select(dlg, 1);
    dlg.BtnAsagi->click();                                    // AD after SOYAD
    dlg.CheckListBox1->item(3)->setCheckState(Qt::Checked);   // NOTLAR shown
    dlg.CheckListBox1->item(0)->setCheckState(Qt::Unchecked); // ID hidden
    QFont big("DejaVu Serif", 14);
    big.setItalic(true);
    dialogs.chosenFonts.push_back(big);
    dialogs.colors.push_back(QColor(205, 206, 179));
    select(dlg, 4);
    dlg.BtnFont->click();
    dlg.BtnRenk->click();
    select(dlg, 3);
    dlg.BtnFont->click(); // cancelled
    dlg.BtnRenk->click(); // cancelled
    dlg.SpinSabit->setValue(2);
    dlg.BtnTamam->click();

    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(fieldOrder(), QStringList({"ID", "SOYAD", "AD", "NOTLAR", "DOG"}));
    EXPECT_FALSE(grid->column(0).visible);
    EXPECT_TRUE(grid->isColumnHidden(0));
    EXPECT_TRUE(grid->column(3).visible);
    EXPECT_FALSE(grid->isColumnHidden(3));
    const GridColumn& ad = grid->column(2);
    EXPECT_EQ(ad.title, "Ad-Soyad");
    EXPECT_EQ(ad.width, 111);
    EXPECT_EQ(grid->cellText(0, 2), "Ali");
    EXPECT_EQ(grid->column(4).font.family(), "DejaVu Serif");
    EXPECT_TRUE(grid->column(4).font.italic());
    EXPECT_EQ(grid->column(4).color, tcolor::fromRgb(205, 206, 179));
    EXPECT_EQ(grid->column(3).color, tcolor::clWindow);
    EXPECT_NE(grid->column(3).font.family(), "DejaVu Serif");
    EXPECT_EQ(grid->fixedCols(), 2);

    // "Orjinal Tablo Yerleşimini Yükle" undoes it all.
    LoadGridLayout(grid, iniDir() + "F_TestF_o.ini");
    EXPECT_EQ(fieldOrder(), QStringList({"ID", "AD", "SOYAD", "NOTLAR", "DOG"}));
    EXPECT_TRUE(grid->column(0).visible);
    EXPECT_FALSE(grid->column(3).visible);
    EXPECT_EQ(grid->column(4).color, tcolor::clWindow);
    EXPECT_EQ(grid->fixedCols(), 1);
}

TEST_F(GridCustomizeTest, HepsiniKaldirTogglesEveryTickAndAnEmptySelectionIsRefused)
{
    TDBGCustomizeF dlg(grid, form.get());
    dlg.show();
    dlg.CheckHepsi->click();
    EXPECT_FALSE(dlg.CheckHepsi->isChecked());
    EXPECT_EQ(dlg.CheckHepsi->text(), QString::fromUtf8("Hepsini İşaretle"));
    for (const QString& e : entries(dlg))
        EXPECT_TRUE(e.startsWith("[ ]")) << e.toStdString();

    dlg.SpinSabit->setValue(3);
    dlg.BtnTamam->click();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, QString::fromUtf8("En az bir tane alan seçmelisiniz"));
    EXPECT_EQ(dialogs.messages[0].caption, "Bilgi");
    EXPECT_EQ(dialogs.messages[0].icon, MsgIcon::Information);
    EXPECT_TRUE(dlg.isVisible()); // stays open
    EXPECT_TRUE(grid->column(0).visible);
    EXPECT_EQ(grid->fixedCols(), 1);

    dlg.CheckHepsi->click();
    EXPECT_EQ(dlg.CheckHepsi->text(), QString::fromUtf8("Hepsini Kaldır"));
    for (const QString& e : entries(dlg))
        EXPECT_TRUE(e.startsWith("[x]")) << e.toStdString();
    dlg.BtnTamam->click();
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_TRUE(grid->column(3).visible); // the hidden column came back with the rest
    EXPECT_EQ(grid->fixedCols(), 3);
}

TEST_F(GridCustomizeTest, VazgecThroughCustomizeGridLeavesTheGridUnchanged)
{
    form->show();
    const std::vector<GridColumn> before = grid->columns();
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* dlg = qobject_cast<TDBGCustomizeF*>(QApplication::activeModalWidget());
        ASSERT_TRUE(dlg);
        seen = true;
        // Centred on the window the grid is on (no main window here).
        EXPECT_LE((dlg->geometry().center() - form->geometry().center()).manhattanLength(), 40);
        dlg->CheckListBox1->setCurrentRow(0);
        dlg->BtnAsagi->click();
        dlg->CheckListBox1->item(2)->setCheckState(Qt::Unchecked);
        dialogs.colors.push_back(Qt::red);
        dlg->BtnRenk->click();
        dlg->SpinSabit->setValue(4);
        dlg->BtnVazgec->click();
    });
    CustomizeGrid(grid);
    EXPECT_TRUE(seen);
    EXPECT_EQ(fieldOrder(), QStringList({"ID", "AD", "SOYAD", "NOTLAR", "DOG"}));
    for (size_t i = 0; i < before.size(); ++i) {
        EXPECT_EQ(grid->column(int(i)).visible, before[i].visible);
        EXPECT_EQ(grid->column(int(i)).color, before[i].color);
    }
    EXPECT_EQ(grid->fixedCols(), 1);

    // Without an open dataset there is nothing to customise.
    ds->close();
    seen = false;
    QTimer::singleShot(3000, [] { // never hang on a failed check
        if (QWidget* w = QApplication::activeModalWidget())
            w->close();
    });
    QTimer::singleShot(0, [&] { seen = QApplication::activeModalWidget() != nullptr; });
    CustomizeGrid(grid);
    QApplication::processEvents();
    EXPECT_FALSE(seen);
    CustomizeGrid(nullptr);
}

} // namespace
