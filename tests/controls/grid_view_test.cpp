// The data grid as a view: following the dataset both ways, columns, frozen columns, cell
// parameters, the full-screen view and the context menu with its painted margin.
#include "controls/PopupGrid.h"
#include "controls/ZYRXDBGrid.h"
#include "data/DataModule.h"
#include "data/IniFile.h"
#include "shell/AnaFormU.h"
#include "shell/ErrorHandler.h"
#include "grid_fixture.h"

#include <QApplication>
#include <QDialog>
#include <QHeaderView>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace {

int ctlDarkPixels(const QImage& img, const QRect& area)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom() && y < img.height(); ++y)
        for (int x = area.left(); x <= area.right() && x < img.width(); ++x)
            if (QColor(img.pixel(x, y)).lightness() < 80)
                ++n;
    return n;
}

class GridViewTest : public GridFixture {
protected:
    QPoint cellCenter(int row, int column) { return grid->visualRect(grid->model()->index(row, column)).center(); }
};

TEST_F(GridViewTest, ColumnsDefaultToTheVisibleFieldsOfTheDataset)
{
    ds->open();
    EXPECT_TRUE(grid->autoColumns());
    EXPECT_EQ(fieldOrder(), QStringList({"ID", "AD", "SOYAD", "NOTLAR", "DOG", "TUTAR"}));
    EXPECT_EQ(grid->model()->rowCount(), 4);
    EXPECT_EQ(grid->model()->data(grid->model()->index(0, 1)).toString(), "Ali");
    EXPECT_EQ(grid->model()->data(grid->model()->index(0, 4)).toString(), "01.03.1950");
    EXPECT_EQ(grid->columnAlignment(5), Qt::AlignRight);
    EXPECT_EQ(grid->columnAlignment(1), Qt::AlignLeft);

    // A screen's own columns replace them and survive a reopen.
    grid->setColumns({});
    defineColumns();
    ds->close();
    ds->open();
    EXPECT_EQ(fieldOrder(), QStringList({"ID", "AD", "SOYAD", "NOTLAR", "DOG"}));
    EXPECT_EQ(grid->model()->headerData(1, Qt::Horizontal).toString(), QString::fromUtf8("Adı"));
}

TEST_F(GridViewTest, ViewAndDatasetKeepTheSameCurrentRow)
{
    defineColumns();
    ds->open();
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    EXPECT_EQ(grid->currentIndex().row(), 0);

    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cellCenter(2, 1));
    EXPECT_EQ(ds->recNo(), 2);
    EXPECT_EQ(ds->value("AD").toString(), "<b>&");
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(ds->recNo(), 3);

    ds->first();
    EXPECT_EQ(grid->currentIndex().row(), 0);
    ASSERT_TRUE(ds->locate("SOYAD", QString::fromUtf8("Şahin")));
    EXPECT_EQ(grid->currentIndex().row(), 2);
    EXPECT_TRUE(grid->selectionModel()->isRowSelected(2, QModelIndex()));
    ds->last();
    EXPECT_EQ(grid->currentIndex().row(), 3);
}

TEST_F(GridViewTest, CtrlEndAndCtrlHomeReachTheRowsNotFetchedYet)
{
    {
        fb::Transaction more(db);
        db.executeImmediate(more, "EXECUTE BLOCK AS DECLARE I INTEGER = 5; BEGIN WHILE (I <= 1000) DO BEGIN "
                                  "INSERT INTO P (ID, AD) VALUES (:I, 'Kişi ' || :I); I = I + 1; END END");
        more.commit();
    }
    defineColumns();
    ds->open();
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    ASSERT_LT(grid->model()->rowCount(), 1000); // fetched as the view needs them

    QTest::keyClick(grid, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(ds->recNo(), 999);
    EXPECT_EQ(grid->model()->rowCount(), 1000);
    EXPECT_EQ(grid->currentIndex().row(), 999);
    EXPECT_TRUE(grid->viewport()->rect().intersects(grid->visualRect(grid->currentIndex())));
    EXPECT_EQ(grid->currentText(1), QString::fromUtf8("Kişi 1000"));

    QTest::keyClick(grid, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(ds->recNo(), 0);
    EXPECT_EQ(grid->currentIndex().row(), 0);
    // Without Ctrl the keys move within the row.
    QTest::keyClick(grid, Qt::Key_End);
    EXPECT_EQ(ds->recNo(), 0);
    EXPECT_EQ(grid->currentIndex().column(), 4);
}

TEST_F(GridViewTest, ColumnIndexByFieldMatchesExactly)
{
    defineColumns();
    grid->addColumn("AD", "Adı 2"); // a second column on the same field
    const struct {
        const char* field;
        int index;
    } cases[] = {{"ID", 0}, {"AD", 1}, {"DOG", 4}, {"ad", -1}, {"AD ", -1}, {"YOK", -1}, {"", -1}};
    for (const auto& c : cases)
        EXPECT_EQ(ColumnIndexByField(grid, QString::fromLatin1(c.field)), c.index) << c.field;
    EXPECT_EQ(ColumnIndexByField(nullptr, "AD"), -1);

    // The list screens hide and unbind a column: its cells go blank and no layout names it.
    ds->open();
    GridColumn c = grid->column(2);
    c.visible = false;
    c.fieldName.clear();
    grid->setColumn(2, c);
    EXPECT_EQ(ColumnIndexByField(grid, "SOYAD"), -1);
    EXPECT_TRUE(grid->cellText(0, 2).isEmpty());
    EXPECT_TRUE(grid->isColumnHidden(2));
}

TEST_F(GridViewTest, FrozenColumnsStayAtTheLeftWhileTheRestScrolls)
{
    defineColumns();
    std::vector<GridColumn> cols = grid->columns();
    for (GridColumn& c : cols)
        c.width = 200;
    grid->setColumns(cols);
    ds->open();
    form->resize(500, 250);
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    grid->setFixedCols(2);
    QApplication::processEvents();

    QTableView* frozen = grid->frozenView();
    ASSERT_NE(frozen, nullptr);
    EXPECT_TRUE(frozen->isVisible());
    EXPECT_EQ(frozen->width(), 400);
    EXPECT_FALSE(frozen->isColumnHidden(1));
    EXPECT_TRUE(frozen->isColumnHidden(2));

    // Moving to the last column scrolls the others under the frozen part, not the frozen ones away.
    grid->setCurrentIndex(grid->model()->index(1, 4));
    QApplication::processEvents();
    EXPECT_GT(grid->horizontalScrollBar()->value(), 0);
    EXPECT_EQ(frozen->geometry().left(), grid->verticalHeader()->width() + grid->frameWidth());
    EXPECT_GE(grid->visualRect(grid->model()->index(1, 4)).left(), 400 - 1);
    EXPECT_EQ(ds->recNo(), 1);

    // A double-click on a frozen cell reaches the grid's users as a double-click on the grid.
    QSignalSpy doubleClicks(grid, &QAbstractItemView::doubleClicked);
    const QRect cell = frozen->visualRect(frozen->model()->index(2, 0));
    QTest::mouseDClick(frozen->viewport(), Qt::LeftButton, {}, cell.center());
    ASSERT_EQ(doubleClicks.size(), 1);
    EXPECT_EQ(doubleClicks.at(0).at(0).toModelIndex().row(), 2);
    EXPECT_EQ(ds->recNo(), 2); // the person opened is the one clicked

    grid->setFixedCols(0);
    EXPECT_FALSE(frozen->isVisible());
}

TEST_F(GridViewTest, CellParametersAndTitleClicks)
{
    defineColumns();
    ds->open();
    QStringList asked;
    grid->onGetCellParams = [&](TZYRXDBGrid&, const QString& field, int row, QFont& font, QColor& bg, QColor&, bool) {
        asked << field;
        if (row == 1 && field == "AD") {
            bg = QColor(255, 0, 0);
            font.setBold(true);
        }
    };
    QList<int> clicked;
    grid->onTitleBtnClick = [&](TZYRXDBGrid&, int column, const QString&) { clicked << column; };
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    grid->selectionModel()->clear();
    const QImage img = grid->viewport()->grab().toImage();
    EXPECT_TRUE(asked.contains("AD"));
    const QRect cell = grid->visualRect(grid->model()->index(1, 1));
    EXPECT_EQ(QColor(img.pixel(cell.right() - 3, cell.center().y())), QColor(255, 0, 0));

    const QPoint title(grid->horizontalHeader()->sectionViewportPosition(1) + 10, 5);
    QTest::mouseClick(grid->horizontalHeader()->viewport(), Qt::LeftButton, {}, title);
    EXPECT_TRUE(clicked.isEmpty());
    grid->setTitleButtons(true);
    QTest::mouseClick(grid->horizontalHeader()->viewport(), Qt::LeftButton, {}, title);
    EXPECT_EQ(clicked, QList<int>({1}));
}

TEST_F(GridViewTest, FullScreenShowsACopyOfTheGridAndClosesOnEscape)
{
    defineColumns();
    ds->open();
    grid->setFixedCols(1);
    int cellCalls = 0;
    grid->onGetCellParams = [&](TZYRXDBGrid&, const QString&, int, QFont&, QColor&, QColor&, bool) { ++cellCalls; };
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));

    bool seen = false;
    QPointer<QDialog> view;
    QTimer::singleShot(5000, [] { // never hang on a failed check
        if (QWidget* w = QApplication::activeModalWidget())
            w->close();
    });
    QTimer::singleShot(0, [&] {
        view = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_TRUE(view);
        seen = true;
        EXPECT_TRUE(view->windowFlags() & Qt::FramelessWindowHint);
        EXPECT_EQ(view->geometry(), grid->screen()->geometry());
        auto* full = view->findChild<TZYRXDBGrid*>();
        ASSERT_TRUE(full);
        EXPECT_EQ(full->dataset(), ds.get());
        EXPECT_EQ(full->columnCount(), grid->columnCount());
        EXPECT_EQ(full->column(1).title, QString::fromUtf8("Adı"));
        EXPECT_TRUE(full->titleButtons());
        EXPECT_EQ(full->fixedCols(), 1);
        EXPECT_GE(full->geometry().width(), view->width() - 2);
        // Moving in the copy moves the dataset, and so the grid under it.
        full->setCurrentIndex(full->model()->index(3, 1));
        EXPECT_EQ(ds->recNo(), 3);
        full->grab();
        EXPECT_GT(cellCalls, 0);
        QTest::keyClick(full, Qt::Key_Escape);
    });
    ShowGridFullScreen(grid);
    EXPECT_TRUE(seen);
    EXPECT_TRUE(view.isNull()); // freed
    EXPECT_EQ(grid->currentIndex().row(), 3);

    ds->close();
    ShowGridFullScreen(grid); // nothing to show: returns at once
}

TEST_F(GridViewTest, PopupGridItemsActOnTheGridItWasOpenedOn)
{
    defineColumns();
    ds->open();
    TPopupGrid popup;
    grid->setPopupMenu(&popup);
    QStringList texts;
    for (QAction* a : popup.actions())
        texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
    EXPECT_EQ(texts, QStringList({QString::fromUtf8("Tablo Yerleşimini Kaydet"), QString::fromUtf8("Kayıtlı Tablo Yerleşimini Yükle"),
                                  "-", QString::fromUtf8("Orjinal Tablo Yerleşimini Yükle"), "-", "Excel' e Aktar",
                                  "HTML' ye Aktar", "-", QString::fromUtf8("Özelleştir"), "Tam Ekram"}));
    for (QAction* a : popup.actions())
        EXPECT_FALSE(a->isCheckable());

    // A right click opens it for this grid.
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    QContextMenuEvent e(QContextMenuEvent::Mouse, cellCenter(0, 0), grid->viewport()->mapToGlobal(cellCenter(0, 0)));
    QApplication::sendEvent(grid->viewport(), &e);
    EXPECT_TRUE(popup.isVisible());
    EXPECT_EQ(popup.popupComponent(), grid);
    popup.hide();

    // Save, hide a column, "Orjinal" brings the design back, "Kayıtlı" the saved layout.
    const QString dir = iniDir();
    RaporGridSakla(grid);
    grid->moveColumn(0, 4);
    popup.YerlesimKaydet1->trigger();
    EXPECT_EQ(IniFile(dir + "F_TestF.agr").readInt("ID", "INDEX", -1), 4);
    grid->setColumnVisible(0, false);
    popup.OrjinalYukle1->trigger();
    EXPECT_EQ(fieldOrder(), QStringList({"ID", "AD", "SOYAD", "NOTLAR", "DOG"}));
    EXPECT_TRUE(grid->column(1).visible);
    popup.YerlesimYukle1->trigger();
    EXPECT_EQ(fieldOrder(), QStringList({"AD", "SOYAD", "NOTLAR", "DOG", "ID"}));

    // On any other control the items do nothing.
    QWidget other;
    popup.setPopupComponent(&other);
    grid->moveColumn(4, 0);
    popup.YerlesimYukle1->trigger();
    EXPECT_EQ(fieldOrder().first(), "ID");
}

TEST_F(GridViewTest, MainWindowOwnsTheGridMenuAndKeepsTheScreensLayouts)
{
    FakeDialogService dialogs;
    TD_Genel dm;
    TAnaF w;
    ASSERT_TRUE(w.PopupGrid);
    EXPECT_EQ(w.PopupGrid->parent(), &w);
    EXPECT_EQ(w.PopupGrid->objectName(), "PopupGrid");

    defineColumns();
    writeAll(iniDir() + "F_TestF.agr", "[DOG]\nINDEX=0\nVISIBLE=0\n");
    w.RaporGridSakla(grid); // as a list screen does when shown, before its first list
    EXPECT_EQ(IniFile(iniDir() + "F_TestF_o.agr").readInt("DOG", "INDEX", -1), 4);
    EXPECT_EQ(fieldOrder(), QStringList({"DOG", "ID", "AD", "SOYAD", "NOTLAR"}));
    EXPECT_FALSE(grid->column(0).visible);

    // The shared menu acts on the grid it was last opened on.
    ds->open();
    grid->setPopupMenu(w.PopupGrid);
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    const QPoint at = cellCenter(0, 1);
    QContextMenuEvent e(QContextMenuEvent::Mouse, at, grid->viewport()->mapToGlobal(at));
    QApplication::sendEvent(grid->viewport(), &e);
    EXPECT_EQ(w.PopupGrid->popupComponent(), grid);
    w.PopupGrid->hide();
    w.PopupGrid->OrjinalYukle1->trigger();
    EXPECT_EQ(fieldOrder(), QStringList({"ID", "AD", "SOYAD", "NOTLAR", "DOG"}));
    EXPECT_TRUE(grid->column(4).visible);
    ErrorHandler::install(nullptr);
}

TEST(GridPopupMargin, BlueGradientWithTheProductTextWrittenUpwards)
{
    TPopupGrid popup;
    EXPECT_EQ(TPopupGrid::marginText(), "Tavrion s1.02.08");
    popup.adjustSize();
    // Items start to the right of the margin and are as tall as the 32-pixel pictures.
    for (QAction* a : popup.actions()) {
        EXPECT_GE(popup.actionGeometry(a).left(), TPopupGrid::kMarginWidth);
        if (!a->isSeparator()) {
            EXPECT_GE(popup.actionGeometry(a).height(), 32);
        }
    }
    const QImage img = popup.grab().toImage();
    const int h = img.height();
    ASSERT_GT(h, 150);
    const QColor top = img.pixelColor(1, 1), bottom = img.pixelColor(1, h - 2);
    EXPECT_EQ(top.red(), 0);
    EXPECT_EQ(top.green(), 0);
    EXPECT_GT(top.blue(), 240);
    EXPECT_LT(bottom.blue(), 80);
    EXPECT_GT(bottom.blue(), 50);
    // White text inside the margin, only above the 20 pixels at the bottom, and none outside it.
    auto whiteRows = [&](int x0, int x1) {
        int first = -1, last = -1;
        for (int y = 0; y < h; ++y)
            for (int x = x0; x < x1; ++x)
                if (QColor(img.pixel(x, y)).blue() > 200 && QColor(img.pixel(x, y)).red() > 200) {
                    if (first < 0)
                        first = y;
                    last = y;
                }
        return std::pair(first, last);
    };
    const auto [first, last] = whiteRows(2, TPopupGrid::kMarginWidth - 2);
    ASSERT_GE(first, 0);
    EXPECT_LE(last, h - 18);
    EXPECT_GE(last, h - 24);
    EXPECT_GT(last - first, 100); // the text runs up the margin, not across it
    EXPECT_GT(first, 2);          // and all of it fits
    popup.grab().save("/tmp/grid_popup.png");
}

TEST_F(GridViewTest, GrabOfAGridWithRows)
{
    defineColumns();
    std::vector<GridColumn> cols = grid->columns();
    cols[0].color = tcolor::fromRgb(205, 206, 179);
    cols[1].titleFont.setBold(true);
    cols[1].titleColor = tcolor::fromRgb(205, 206, 179);
    cols[2].fontColor = tcolor::clRed;
    grid->setColumns(cols);
    ds->open();
    form->resize(620, 200);
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    ds->moveTo(2);
    const QImage img = form->grab().toImage();
    ASSERT_TRUE(img.save("/tmp/grid.png"));
    const QRect c = grid->visualRect(grid->model()->index(0, 0));
    const QPoint p = grid->viewport()->mapTo(form.get(), QPoint(c.left() + 2, c.center().y()));
    EXPECT_EQ(img.pixelColor(p), QColor(205, 206, 179));

    // The indicator marks the current row only.
    QHeaderView* rows = grid->verticalHeader();
    const QImage ind = rows->viewport()->grab().toImage();
    auto dark = [&](int row) {
        const int y0 = rows->sectionViewportPosition(row);
        return ctlDarkPixels(ind, QRect(0, y0, ind.width(), rows->sectionSize(row)));
    };
    EXPECT_GT(dark(2), 5);
    EXPECT_EQ(dark(0), 0);
    EXPECT_EQ(dark(3), 0);
}

} // namespace
