#include "controls/ZYRXDBGridModel.h"
#include "controls/ZYRXDBGrid.h"
#include "data/DatasetModel.h"

#include <QPainter>
#include <QPainterPath>

// ---------------------------------------------------------------- GridColumnModel

GridColumnModel::GridColumnModel(TZYRXDBGrid* grid) : QAbstractTableModel(grid), m_grid(grid) {}

void GridColumnModel::setSource(DatasetModel* source)
{
    beginResetModel();
    if (m_src)
        disconnect(m_src, nullptr, this, nullptr);
    m_src = source;
    if (source) {
        connect(source, &QAbstractItemModel::modelAboutToBeReset, this, [this] { beginResetModel(); });
        connect(source, &QAbstractItemModel::modelReset, this, [this] {
            m_grid->datasetReset();
            endResetModel();
            m_grid->applyColumnsToView();
            m_grid->syncFromDataset();
        });
        connect(source, &QAbstractItemModel::rowsAboutToBeInserted, this,
                [this](const QModelIndex&, int first, int last) { beginInsertRows(QModelIndex(), first, last); });
        connect(source, &QAbstractItemModel::rowsInserted, this, [this] { endInsertRows(); });
        connect(source, &QAbstractItemModel::rowsAboutToBeRemoved, this,
                [this](const QModelIndex&, int first, int last) { beginRemoveRows(QModelIndex(), first, last); });
        connect(source, &QAbstractItemModel::rowsRemoved, this, [this] { endRemoveRows(); });
        connect(source, &QAbstractItemModel::dataChanged, this, [this](const QModelIndex& tl, const QModelIndex& br) {
            if (columnCount() > 0)
                emit dataChanged(index(tl.row(), 0), index(br.row(), columnCount() - 1));
        });
    }
    endResetModel();
}

void GridColumnModel::columnsReset()
{
    beginResetModel();
    endResetModel();
}

int GridColumnModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() || !m_src ? 0 : m_src->rowCount();
}

int GridColumnModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_grid->columnCount();
}

QVariant GridColumnModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.column() >= m_grid->columnCount())
        return {};
    const GridColumn& c = m_grid->column(index.column());
    switch (role) {
    case Qt::DisplayRole: return m_grid->cellText(index.row(), index.column());
    case Qt::TextAlignmentRole: return int(m_grid->columnAlignment(index.column()) | Qt::AlignVCenter);
    case Qt::FontRole: return c.font;
    case Qt::BackgroundRole: {
        const QColor bg = TColorToQColor(c.color, m_grid->palette());
        return bg.isValid() ? QVariant(bg) : QVariant();
    }
    case Qt::ForegroundRole: {
        const QColor fg = TColorToQColor(c.fontColor, m_grid->palette());
        return fg.isValid() ? QVariant(fg) : QVariant();
    }
    default: return {};
    }
}

QVariant GridColumnModel::headerData(int section, Qt::Orientation o, int role) const
{
    if (o == Qt::Vertical)
        return {};
    if (section < 0 || section >= m_grid->columnCount())
        return {};
    const GridColumn& c = m_grid->column(section);
    switch (role) {
    case Qt::DisplayRole: return c.title;
    case Qt::FontRole: return c.titleFont;
    case Qt::TextAlignmentRole: return int(Qt::AlignLeft | Qt::AlignVCenter);
    case Qt::BackgroundRole: {
        const QColor bg = TColorToQColor(c.titleColor, m_grid->palette());
        return bg.isValid() ? QVariant(bg) : QVariant();
    }
    case Qt::ForegroundRole: {
        const QColor fg = TColorToQColor(c.titleFontColor, m_grid->palette());
        return fg.isValid() ? QVariant(fg) : QVariant();
    }
    default: return {};
    }
}

Qt::ItemFlags GridColumnModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

bool GridColumnModel::canFetchMore(const QModelIndex& parent) const
{
    return m_src && m_src->canFetchMore(parent);
}

void GridColumnModel::fetchMore(const QModelIndex& parent)
{
    if (m_src)
        m_src->fetchMore(parent);
}

// ---------------------------------------------------------------- GridDelegate

GridDelegate::GridDelegate(TZYRXDBGrid* grid) : QStyledItemDelegate(grid), m_grid(grid) {}

void GridDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    if (!m_grid->onGetCellParams || index.column() >= m_grid->columnCount())
        return;
    QFont font = option->font;
    QColor bg = option->backgroundBrush.color();
    QColor fg = option->palette.color(QPalette::Text);
    const bool highlight = option->state & QStyle::State_Selected;
    m_grid->onGetCellParams(*m_grid, m_grid->column(index.column()).fieldName, index.row(), font, bg, fg, highlight);
    option->font = font;
    option->fontMetrics = QFontMetrics(font);
    option->backgroundBrush = bg;
    option->palette.setColor(QPalette::Text, fg);
}

// ---------------------------------------------------------------- IndicatorHeader

IndicatorHeader::IndicatorHeader(TZYRXDBGrid* grid) : QHeaderView(Qt::Vertical, grid), m_grid(grid)
{
    setSectionResizeMode(QHeaderView::Fixed);
    setFixedWidth(12);
    setHighlightSections(false);
    setSectionsClickable(false);
}

void IndicatorHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const
{
    // The base class leaves the painter clipped to its text area (empty for this narrow
    // header), so the mark is drawn with the painter as it was before.
    painter->save();
    QHeaderView::paintSection(painter, rect, logicalIndex);
    painter->restore();
    const Dataset* ds = m_grid->dataset();
    if (!ds || !ds->active() || ds->recNo() != logicalIndex)
        return;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    const QPointF c = QRectF(rect).center();
    QPainterPath tri;
    tri.moveTo(c.x() - 2.5, c.y() - 4.5);
    tri.lineTo(c.x() + 2.5, c.y());
    tri.lineTo(c.x() - 2.5, c.y() + 4.5);
    tri.closeSubpath();
    painter->fillPath(tri, palette().color(QPalette::WindowText));
    painter->restore();
}
