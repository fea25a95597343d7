#pragma once
// The customising dialog of a data grid, "Tablo Özelleştirme": column visibility and order,
// a column's data font and colour, and the number of frozen columns. It works on a copy of the
// grid's columns; only "Tamam" hands the copy back to the grid.
#include "controls/ZYRXDBGrid.h"

#include <QDialog>

#include <vector>

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;
class QSpinBox;
class QStatusBar;

// The dialog's entries (one per column, in column order) over the copy of the columns.
class GridCustomization {
public:
    explicit GridCustomization(const TZYRXDBGrid& grid);

    int count() const { return int(m_cols.size()); }
    // Title + "-" + field name.
    QString entryText(int i) const;
    bool ticked(int i) const { return m_cols[size_t(i)].visible; }
    void setTicked(int i, bool on) { m_cols[size_t(i)].visible = on; }
    void setAllTicked(bool on);
    bool anyTicked() const;
    // Swap an entry with its neighbour, the column with it; false for the first entry up or
    // the last entry down.
    bool moveUp(int i);
    bool moveDown(int i);
    GridColumn& column(int i) { return m_cols[size_t(i)]; }
    const std::vector<GridColumn>& columns() const { return m_cols; }

    int fixedCols = 0;

    // Replaces the grid's columns by the copy; false, and the grid unchanged, when no entry is
    // ticked.
    bool applyTo(TZYRXDBGrid& grid) const;

private:
    std::vector<GridColumn> m_cols;
};

class TDBGCustomizeF : public QDialog {
    Q_OBJECT
public:
    explicit TDBGCustomizeF(TZYRXDBGrid* grid, QWidget* parent = nullptr);

    GridCustomization& state() { return m_state; }

    QListWidget* CheckListBox1;
    QPushButton* BtnYukari;
    QPushButton* BtnAsagi;
    QPushButton* BtnFont;
    QPushButton* BtnRenk;
    QCheckBox* CheckHepsi;
    QSpinBox* SpinSabit;
    QStatusBar* StatusBar1;
    QPushButton* BtnTamam;
    QPushButton* BtnVazgec;

private:
    void fillList(int select);
    int selectedRow() const; // -1 without a selection
    void updateButtons();
    void moveEntry(bool up);
    void chooseFont();
    void chooseColor();
    void hepsiClicked(bool on);
    void tamamClicked();

    TZYRXDBGrid* m_grid;
    GridCustomization m_state;
    bool m_filling = false;
};

// Shows the dialog for the grid (centred on the main window).
void CustomizeGrid(TZYRXDBGrid* grid);
