#pragma once
// The data grid of every list screen: a table view over one dataset with its own column
// collection (field, title, width, visibility, alignment, colours and fonts), frozen columns,
// a row indicator, and the view's current row kept in step with the dataset's current row.
#include "controls/GridLayoutColor.h"
#include "data/Dataset.h"

#include <QFont>
#include <QMenu>
#include <QPointer>
#include <QStringList>
#include <QTableView>

#include <functional>
#include <vector>

class DatasetModel;
class GridColumnModel;

enum class ColumnAlign { Default, Left, Right, Center }; // Default: numbers right, the rest left

struct GridColumn {
    QString fieldName;
    QString title;
    int width = 64;
    bool visible = true;
    ColumnAlign alignment = ColumnAlign::Default;
    TColor color = tcolor::clWindow;
    QFont font;                                  // data font
    TColor fontColor = tcolor::clWindowText;
    QFont titleFont;
    TColor titleFontColor = tcolor::clWindowText;
    TColor titleColor = tcolor::clBtnFace;
    bool readOnly = false;
    int buttonStyle = 0;                         // 0 auto, 1 ellipsis, 2 none
    QStringList pickList;
    bool autoWidth = false;                      // sized from its field when the dataset opens
};

class TZYRXDBGrid : public QTableView {
    Q_OBJECT
public:
    explicit TZYRXDBGrid(QWidget* parent = nullptr);
    ~TZYRXDBGrid() override;

    // The data source; the grid makes its own model of it. nullptr unbinds.
    void setDataset(Dataset* dataset);
    Dataset* dataset() const { return m_ds; }
    DatasetModel* datasetModel() const { return m_dsModel; }
    bool hasDataSource() const { return m_ds != nullptr; }
    bool dataActive() const { return m_ds && m_ds->active(); }

    // Columns. Until a screen defines its own, the grid shows one column per visible field.
    int columnCount() const { return int(m_columns.size()); }
    const GridColumn& column(int i) const { return m_columns[size_t(i)]; }
    const std::vector<GridColumn>& columns() const { return m_columns; }
    void setColumns(std::vector<GridColumn> columns);
    void setColumn(int i, const GridColumn& column);
    // A column with the grid's fonts and colours; width < 0 sizes it from its field.
    GridColumn makeColumn(const QString& field, const QString& title, int width = -1) const;
    void addColumn(const QString& field, const QString& title, int width = -1);
    void moveColumn(int from, int to);
    void setColumnVisible(int i, bool visible);
    bool autoColumns() const { return m_autoColumns; }

    // Frozen columns at the left that do not scroll sideways.
    int fixedCols() const { return m_fixedCols; }
    void setFixedCols(int count);

    // Title clicks call onTitleBtnClick only while title buttons are on.
    bool titleButtons() const { return m_titleButtons; }
    void setTitleButtons(bool on);

    // Cell parameters: font and colours of one cell, asked for just before it is drawn.
    using CellParamsHandler = std::function<void(TZYRXDBGrid& grid, const QString& field, int row, QFont& font,
                                                 QColor& background, QColor& foreground, bool highlight)>;
    CellParamsHandler onGetCellParams;
    std::function<void(TZYRXDBGrid& grid, int column, const QString& field)> onTitleBtnClick;

    // The text a cell shows: the display text of the column's field in that row; empty for a
    // column without a field.
    QString cellText(int row, int column) const;
    // The text of a column's field in the dataset's current row.
    QString currentText(int column) const;
    Qt::Alignment columnAlignment(int column) const;
    int datasetField(int column) const { return column >= 0 && column < int(m_fieldOf.size()) ? m_fieldOf[size_t(column)] : -1; }

    // The context menu shown on a right click (not owned; the main window's PopupGrid).
    void setPopupMenu(QMenu* menu) { m_popup = menu; }
    QMenu* popupMenu() const { return m_popup; }

    // While frozen the view does not follow the dataset (a walk over every row).
    void setFollowDataset(bool on);
    void syncFromDataset();

    QTableView* frozenView() const { return m_frozen; }

signals:
    void columnsChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void updateGeometries() override;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    friend class GridColumnModel;
    void datasetReset(); // the dataset opened or closed: fields may differ
    void rebuildFieldMap();
    void buildAutoColumns();
    void applyColumnsToView();
    void updateFrozen();
    int frozenWidth() const;
    void sectionResized(int logical, int oldSize, int newSize);
    void sectionMoved(int logical, int oldVisual, int newVisual);
    int autoWidth(const GridColumn& c) const;

    QPointer<Dataset> m_ds;
    DatasetModel* m_dsModel = nullptr;
    GridColumnModel* m_model = nullptr;
    std::vector<GridColumn> m_columns;
    std::vector<int> m_fieldOf;
    QPointer<QMenu> m_popup;
    QTableView* m_frozen = nullptr;
    int m_fixedCols = 0;
    bool m_autoColumns = true;
    bool m_titleButtons = false;
    bool m_follow = true;
    bool m_syncing = false;
    bool m_applying = false;
};

// The 0-based position of the first column whose field name equals field exactly, or -1.
int ColumnIndexByField(const TZYRXDBGrid* grid, const QString& field);

// A borderless window as large as the screen with a copy of the grid, shown modally; Esc closes.
void ShowGridFullScreen(TZYRXDBGrid* grid);
