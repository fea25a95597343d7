#pragma once
// Table model of a dataset for the grids: the visible fields as columns, rows fetched from the
// server as the view scrolls, and the view's current row kept in step with the dataset's.
#include "data/Dataset.h"

#include <QAbstractTableModel>
#include <QPointer>

class DatasetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit DatasetModel(Dataset* dataset, QObject* parent = nullptr);

    Dataset* dataset() const { return m_ds; }
    int fieldOfColumn(int column) const; // dataset field index, -1 when out of range
    int columnOfField(const QString& name) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation o, int role = Qt::DisplayRole) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

    static QString displayText(const QVariant& v, fb::SqlType type);

public slots:
    void reset(); // after the dataset opened, closed, or its fields changed

private:
    void rebuildColumns();
    QPointer<Dataset> m_ds;
    std::vector<int> m_columns;
    int m_rows = 0;
};
