#pragma once
// Pieces of the data grid: the model that shows the dataset model's rows through the grid's
// columns, the delegate that asks for cell parameters, and the row indicator.
#include <QAbstractTableModel>
#include <QHeaderView>
#include <QPointer>
#include <QStyledItemDelegate>

class DatasetModel;
class TZYRXDBGrid;

// Rows come from the dataset model (fetched as the view scrolls); columns are the grid's.
class GridColumnModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit GridColumnModel(TZYRXDBGrid* grid);

    void setSource(DatasetModel* source);
    void columnsReset(); // the grid's column collection changed

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation o, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

private:
    TZYRXDBGrid* m_grid;
    QPointer<DatasetModel> m_src;
};

class GridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit GridDelegate(TZYRXDBGrid* grid);

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    TZYRXDBGrid* m_grid;
};

// The narrow column at the left that marks the current row with a triangle.
class IndicatorHeader : public QHeaderView {
    Q_OBJECT
public:
    explicit IndicatorHeader(TZYRXDBGrid* grid);

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;

private:
    TZYRXDBGrid* m_grid;
};
