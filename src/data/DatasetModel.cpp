#include "data/DatasetModel.h"

#include <QDate>
#include <QDateTime>

namespace {
constexpr int kBatch = 256;
}

DatasetModel::DatasetModel(Dataset* ds, QObject* parent) : QAbstractTableModel(parent), m_ds(ds)
{
    connect(ds, &Dataset::opened, this, &DatasetModel::reset);
    connect(ds, &Dataset::closed, this, &DatasetModel::reset);
    connect(ds, &Dataset::rowsAppended, this, [this](int first, int last) {
        // Rows fetched by the dataset itself (navigation, locate) join the view too.
        if (last < m_rows)
            return;
        beginInsertRows(QModelIndex(), m_rows, last);
        m_rows = last + 1;
        endInsertRows();
        (void)first;
    });
    connect(ds, &Dataset::rowInserted, this, [this](int row) {
        beginInsertRows(QModelIndex(), row, row);
        ++m_rows;
        endInsertRows();
    });
    connect(ds, &Dataset::rowRemoved, this, [this](int row) {
        beginRemoveRows(QModelIndex(), row, row);
        --m_rows;
        endRemoveRows();
    });
    connect(ds, &Dataset::rowChanged, this, [this](int row) {
        if (row >= 0 && row < m_rows && !m_columns.empty())
            emit dataChanged(index(row, 0), index(row, int(m_columns.size()) - 1));
    });
    reset();
}

void DatasetModel::rebuildColumns()
{
    m_columns.clear();
    if (!m_ds || !m_ds->active())
        return;
    for (int i = 0; i < m_ds->fieldCount(); ++i)
        if (m_ds->field(i).visible)
            m_columns.push_back(i);
}

void DatasetModel::reset()
{
    beginResetModel();
    rebuildColumns();
    m_rows = m_ds && m_ds->active() ? m_ds->fetchedCount() : 0;
    endResetModel();
}

int DatasetModel::fieldOfColumn(int column) const
{
    return column >= 0 && column < int(m_columns.size()) ? m_columns[size_t(column)] : -1;
}

int DatasetModel::columnOfField(const QString& name) const
{
    if (!m_ds)
        return -1;
    const int f = m_ds->fieldIndex(name);
    for (size_t c = 0; c < m_columns.size(); ++c)
        if (m_columns[c] == f)
            return int(c);
    return -1;
}

int DatasetModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : m_rows; }

int DatasetModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(m_columns.size()); }

QString DatasetModel::displayText(const QVariant& v, fb::SqlType type)
{
    if (!v.isValid() || v.isNull())
        return {};
    switch (v.typeId()) {
    case QMetaType::QDate: return v.toDate().toString(QStringLiteral("dd.MM.yyyy"));
    case QMetaType::QTime: return v.toTime().toString(QStringLiteral("hh:mm:ss"));
    case QMetaType::QDateTime: return v.toDateTime().toString(QStringLiteral("dd.MM.yyyy hh:mm:ss"));
    case QMetaType::Double: {
        const double d = v.toDouble();
        if (d == double(qint64(d)))
            return QString::number(qint64(d));
        return QString::number(d, 'g', 15);
    }
    case QMetaType::QByteArray: return type == fb::SqlType::Blob ? QStringLiteral("(BLOB)") : QString::fromLatin1(v.toByteArray().toHex());
    default: return v.toString();
    }
}

QVariant DatasetModel::data(const QModelIndex& index, int role) const
{
    if (!m_ds || !index.isValid() || index.row() >= m_rows)
        return {};
    const int f = fieldOfColumn(index.column());
    if (f < 0)
        return {};
    const DatasetField& fd = m_ds->field(f);
    if (role == Qt::DisplayRole) {
        if (fd.type == fb::SqlType::Blob)
            return QStringLiteral("(BLOB)"); // never pull pictures for a grid cell
        return displayText(m_ds->valueAt(index.row(), f), fd.type);
    }
    if (role == Qt::EditRole)
        return m_ds->valueAt(index.row(), f);
    if (role == Qt::TextAlignmentRole && (fd.type == fb::SqlType::Integer || fd.type == fb::SqlType::Float))
        return int(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant DatasetModel::headerData(int section, Qt::Orientation o, int role) const
{
    if (role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, o, role);
    if (o == Qt::Vertical)
        return section + 1;
    const int f = fieldOfColumn(section);
    if (f < 0 || !m_ds)
        return {};
    const DatasetField& fd = m_ds->field(f);
    return fd.displayLabel.isEmpty() ? fd.name : fd.displayLabel;
}

bool DatasetModel::canFetchMore(const QModelIndex& parent) const
{
    return !parent.isValid() && m_ds && m_ds->active() && !m_ds->allFetched();
}

void DatasetModel::fetchMore(const QModelIndex& parent)
{
    if (canFetchMore(parent))
        m_ds->fetchMore(kBatch); // rowsAppended extends the model
}
