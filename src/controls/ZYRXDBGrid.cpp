#include "controls/ZYRXDBGrid.h"

#include <QMouseEvent>
#include "controls/PopupGrid.h"
#include "controls/ZYRXDBGridModel.h"
#include "data/DatasetModel.h"

#include <QContextMenuEvent>
#include <QDialog>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>

TZYRXDBGrid::TZYRXDBGrid(QWidget* parent) : QTableView(parent)
{
    setVerticalHeader(new IndicatorHeader(this));
    m_model = new GridColumnModel(this);
    setModel(m_model);
    setItemDelegate(new GridDelegate(this));
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setWordWrap(false);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    QHeaderView* h = horizontalHeader();
    h->setSectionsMovable(true);
    h->setHighlightSections(false);
    h->setSectionsClickable(false);
    h->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    connect(h, &QHeaderView::sectionResized, this, &TZYRXDBGrid::sectionResized);
    connect(h, &QHeaderView::sectionMoved, this, &TZYRXDBGrid::sectionMoved);
    connect(h, &QHeaderView::sectionClicked, this, [this](int logical) {
        if (m_titleButtons && onTitleBtnClick && logical >= 0 && logical < columnCount())
            onTitleBtnClick(*this, logical, m_columns[size_t(logical)].fieldName);
    });
}

TZYRXDBGrid::~TZYRXDBGrid() = default;

void TZYRXDBGrid::setDataset(Dataset* ds)
{
    if (ds == m_ds)
        return;
    if (m_ds)
        disconnect(m_ds, nullptr, this, nullptr);
    DatasetModel* old = m_dsModel;
    m_ds = ds;
    m_dsModel = ds ? new DatasetModel(ds, this) : nullptr;
    if (ds)
        connect(ds, &Dataset::currentChanged, this, [this] {
            if (m_follow)
                syncFromDataset();
            verticalHeader()->viewport()->update();
        });
    datasetReset();
    m_model->setSource(m_dsModel);
    delete old;
    applyColumnsToView();
    syncFromDataset();
}

void TZYRXDBGrid::datasetReset()
{
    if (!dataActive())
        return;
    if (m_autoColumns)
        buildAutoColumns();
    rebuildFieldMap();
    for (GridColumn& c : m_columns)
        if (c.autoWidth && m_ds->fieldIndex(c.fieldName) >= 0) {
            c.width = autoWidth(c);
            c.autoWidth = false;
        }
}

void TZYRXDBGrid::buildAutoColumns()
{
    m_columns.clear();
    for (int i = 0; i < m_ds->fieldCount(); ++i) {
        const DatasetField& f = m_ds->field(i);
        if (f.visible)
            m_columns.push_back(makeColumn(f.name, f.displayLabel.isEmpty() ? f.name : f.displayLabel));
    }
}

void TZYRXDBGrid::rebuildFieldMap()
{
    m_fieldOf.assign(m_columns.size(), -1);
    if (!m_ds)
        return;
    for (size_t i = 0; i < m_columns.size(); ++i)
        if (!m_columns[i].fieldName.trimmed().isEmpty())
            m_fieldOf[i] = m_ds->fieldIndex(m_columns[i].fieldName);
}

int TZYRXDBGrid::autoWidth(const GridColumn& c) const
{
    int chars = 10;
    const int f = m_ds ? m_ds->fieldIndex(c.fieldName) : -1;
    if (f >= 0) {
        const DatasetField& fd = m_ds->field(f);
        if (fd.size > 0)
            chars = fd.size;
        else if (fd.type == fb::SqlType::Timestamp)
            chars = 19;
    }
    chars = std::min(chars, 40);
    const int data = QFontMetrics(c.font).horizontalAdvance(QLatin1Char('0')) * chars;
    const int title = QFontMetrics(c.titleFont).horizontalAdvance(c.title);
    return std::max(data, title) + 8;
}

GridColumn TZYRXDBGrid::makeColumn(const QString& field, const QString& title, int width) const
{
    GridColumn c;
    c.fieldName = field;
    c.title = title;
    c.font = font();
    c.titleFont = font();
    if (width < 0) {
        c.width = autoWidth(c);
        c.autoWidth = !dataActive() || m_ds->fieldIndex(field) < 0;
    } else {
        c.width = width;
    }
    return c;
}

void TZYRXDBGrid::setColumns(std::vector<GridColumn> columns)
{
    m_columns = std::move(columns);
    m_autoColumns = false;
    if (dataActive())
        for (GridColumn& c : m_columns)
            if (c.autoWidth && m_ds->fieldIndex(c.fieldName) >= 0) {
                c.width = autoWidth(c);
                c.autoWidth = false;
            }
    rebuildFieldMap();
    m_model->columnsReset();
    applyColumnsToView();
    syncFromDataset();
    emit columnsChanged();
}

void TZYRXDBGrid::setColumn(int i, const GridColumn& c)
{
    if (i < 0 || i >= columnCount())
        return;
    std::vector<GridColumn> copy = m_columns;
    copy[size_t(i)] = c;
    setColumns(std::move(copy));
}

void TZYRXDBGrid::addColumn(const QString& field, const QString& title, int width)
{
    std::vector<GridColumn> copy = m_autoColumns ? std::vector<GridColumn>() : m_columns;
    copy.push_back(makeColumn(field, title, width));
    setColumns(std::move(copy));
}

void TZYRXDBGrid::moveColumn(int from, int to)
{
    if (from < 0 || from >= columnCount() || to < 0 || to >= columnCount() || from == to)
        return;
    std::vector<GridColumn> copy = m_columns;
    GridColumn c = copy[size_t(from)];
    copy.erase(copy.begin() + from);
    copy.insert(copy.begin() + to, c);
    setColumns(std::move(copy));
}

void TZYRXDBGrid::setColumnVisible(int i, bool visible)
{
    if (i < 0 || i >= columnCount())
        return;
    GridColumn c = m_columns[size_t(i)];
    c.visible = visible;
    setColumn(i, c);
}

void TZYRXDBGrid::setFixedCols(int count)
{
    m_fixedCols = std::max(0, count);
    updateFrozen();
}

void TZYRXDBGrid::setTitleButtons(bool on)
{
    m_titleButtons = on;
    horizontalHeader()->setSectionsClickable(on);
    if (m_frozen)
        m_frozen->horizontalHeader()->setSectionsClickable(on);
}

QString TZYRXDBGrid::cellText(int row, int column) const
{
    const int f = datasetField(column);
    if (f < 0 || !m_ds || f >= m_ds->fieldCount())
        return {};
    const DatasetField& fd = m_ds->field(f);
    if (fd.type == fb::SqlType::Blob)
        return QStringLiteral("(BLOB)"); // never pull pictures for a cell
    return DatasetModel::displayText(m_ds->valueAt(row, f), fd.type);
}

QString TZYRXDBGrid::currentText(int column) const
{
    return m_ds && m_ds->active() ? cellText(m_ds->recNo(), column) : QString();
}

Qt::Alignment TZYRXDBGrid::columnAlignment(int column) const
{
    if (column < 0 || column >= columnCount())
        return Qt::AlignLeft;
    switch (m_columns[size_t(column)].alignment) {
    case ColumnAlign::Left: return Qt::AlignLeft;
    case ColumnAlign::Right: return Qt::AlignRight;
    case ColumnAlign::Center: return Qt::AlignHCenter;
    case ColumnAlign::Default: break;
    }
    const int f = datasetField(column);
    if (f >= 0 && m_ds && f < m_ds->fieldCount()) {
        const fb::SqlType t = m_ds->field(f).type;
        if (t == fb::SqlType::Integer || t == fb::SqlType::Float)
            return Qt::AlignRight;
    }
    return Qt::AlignLeft;
}

void TZYRXDBGrid::setFollowDataset(bool on)
{
    m_follow = on;
    if (on)
        syncFromDataset();
}

void TZYRXDBGrid::syncFromDataset()
{
    if (m_syncing || !m_follow || !selectionModel())
        return;
    m_syncing = true;
    const int row = dataActive() ? m_ds->recNo() : -1;
    if (row < 0 || row >= m_model->rowCount()) {
        selectionModel()->clear();
    } else {
        int col = currentIndex().isValid() ? currentIndex().column() : -1;
        if (col < 0 || col >= columnCount() || isColumnHidden(col)) {
            col = 0;
            while (col < columnCount() - 1 && isColumnHidden(col))
                ++col;
        }
        const QModelIndex idx = m_model->index(row, col);
        if (idx.isValid()) {
            selectionModel()->setCurrentIndex(idx, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
            scrollTo(idx);
        }
    }
    m_syncing = false;
    verticalHeader()->viewport()->update();
}

void TZYRXDBGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTableView::currentChanged(current, previous);
    verticalHeader()->viewport()->update();
    if (m_syncing || !dataActive() || !current.isValid() || current.row() == m_ds->recNo())
        return;
    m_syncing = true;
    try {
        m_ds->moveTo(current.row());
    } catch (...) {
        m_syncing = false;
        syncFromDataset(); // the dataset stayed where it was (a failed post)
        throw;
    }
    m_syncing = false;
}

void TZYRXDBGrid::applyColumnsToView()
{
    m_applying = true;
    for (int i = 0; i < columnCount(); ++i) {
        setColumnHidden(i, !m_columns[size_t(i)].visible);
        setColumnWidth(i, m_columns[size_t(i)].width);
    }
    m_applying = false;
    updateFrozen();
}

void TZYRXDBGrid::sectionResized(int logical, int, int newSize)
{
    if (m_applying || logical < 0 || logical >= columnCount() || isColumnHidden(logical) || newSize <= 0)
        return;
    m_columns[size_t(logical)].width = newSize;
    m_columns[size_t(logical)].autoWidth = false;
    if (logical < m_fixedCols)
        updateFrozen();
}

void TZYRXDBGrid::sectionMoved(int, int oldVisual, int newVisual)
{
    if (m_applying)
        return;
    // Column order lives in the collection: undo the header's move, then move the column.
    QMetaObject::invokeMethod(this, [this, oldVisual, newVisual] {
        m_applying = true;
        horizontalHeader()->moveSection(newVisual, oldVisual);
        m_applying = false;
        moveColumn(oldVisual, newVisual);
    }, Qt::QueuedConnection);
}

// ---------------------------------------------------------------- frozen columns

int TZYRXDBGrid::frozenWidth() const
{
    int w = 0;
    for (int i = 0; i < std::min(m_fixedCols, columnCount()); ++i)
        if (m_columns[size_t(i)].visible)
            w += columnWidth(i);
    return w;
}

void TZYRXDBGrid::updateFrozen()
{
    const int n = std::min(m_fixedCols, columnCount());
    if (n <= 0) {
        if (m_frozen)
            m_frozen->hide();
        return;
    }
    if (!m_frozen) {
        m_frozen = new QTableView(this);
        m_frozen->setObjectName(QStringLiteral("FrozenColumns"));
        m_frozen->setModel(m_model);
        m_frozen->setSelectionModel(selectionModel());
        m_frozen->setItemDelegate(itemDelegate());
        m_frozen->setFocusPolicy(Qt::NoFocus);
        m_frozen->verticalHeader()->hide();
        m_frozen->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        m_frozen->verticalHeader()->setDefaultSectionSize(verticalHeader()->defaultSectionSize());
        m_frozen->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        m_frozen->horizontalHeader()->setHighlightSections(false);
        m_frozen->horizontalHeader()->setDefaultAlignment(horizontalHeader()->defaultAlignment());
        m_frozen->horizontalHeader()->setSectionsClickable(m_titleButtons);
        m_frozen->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        m_frozen->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        m_frozen->setSelectionBehavior(selectionBehavior());
        m_frozen->setSelectionMode(selectionMode());
        m_frozen->setEditTriggers(QAbstractItemView::NoEditTriggers);
        m_frozen->setWordWrap(false);
        m_frozen->setFrameShape(QFrame::NoFrame);
        m_frozen->setVerticalScrollMode(verticalScrollMode());
        viewport()->stackUnder(m_frozen);
        connect(m_frozen->verticalScrollBar(), &QAbstractSlider::valueChanged, verticalScrollBar(), &QAbstractSlider::setValue);
        connect(verticalScrollBar(), &QAbstractSlider::valueChanged, m_frozen->verticalScrollBar(), &QAbstractSlider::setValue);
        connect(m_frozen->horizontalHeader(), &QHeaderView::sectionClicked, horizontalHeader(), &QHeaderView::sectionClicked);
        // Screens open the current person on a double-click wherever it lands.
        m_frozen->viewport()->installEventFilter(this);
    }
    for (int i = 0; i < columnCount(); ++i) {
        m_frozen->setColumnHidden(i, i >= n || !m_columns[size_t(i)].visible);
        if (i < n)
            m_frozen->setColumnWidth(i, columnWidth(i));
    }
    m_frozen->setGeometry(verticalHeader()->width() + frameWidth(), frameWidth(), frozenWidth(),
                          viewport()->height() + horizontalHeader()->height());
    m_frozen->horizontalHeader()->setFixedHeight(horizontalHeader()->height());
    m_frozen->verticalScrollBar()->setValue(verticalScrollBar()->value());
    m_frozen->show();
}

void TZYRXDBGrid::resizeEvent(QResizeEvent* event)
{
    QTableView::resizeEvent(event);
    if (m_frozen && m_frozen->isVisible())
        updateFrozen();
}

void TZYRXDBGrid::updateGeometries()
{
    QTableView::updateGeometries();
    if (m_frozen && m_frozen->isVisible())
        m_frozen->setGeometry(verticalHeader()->width() + frameWidth(), frameWidth(), frozenWidth(),
                              viewport()->height() + horizontalHeader()->height());
}

void TZYRXDBGrid::scrollTo(const QModelIndex& index, ScrollHint hint)
{
    const int n = m_frozen && m_frozen->isVisible() ? std::min(m_fixedCols, columnCount()) : 0;
    if (n == 0 || !index.isValid()) {
        QTableView::scrollTo(index, hint);
        return;
    }
    const int h = horizontalScrollBar()->value();
    QTableView::scrollTo(index, hint);
    if (index.column() < n) {
        horizontalScrollBar()->setValue(h); // frozen cells are always in view
        return;
    }
    const int left = visualRect(index).left();
    if (left < frozenWidth())
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() - (frozenWidth() - left));
}

void TZYRXDBGrid::keyPressEvent(QKeyEvent* event)
{
    // The view knows only the rows fetched so far; the list's first and last rows are the
    // dataset's.
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    if (ctrl && dataActive() && (event->key() == Qt::Key_End || event->key() == Qt::Key_Home)) {
        if (event->key() == Qt::Key_End)
            m_ds->last();
        else
            m_ds->first();
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void TZYRXDBGrid::contextMenuEvent(QContextMenuEvent* event)
{
    if (!m_popup) {
        QTableView::contextMenuEvent(event);
        return;
    }
    if (auto* p = qobject_cast<TPopupGrid*>(m_popup.data()))
        p->popupFor(this, event->globalPos());
    else
        m_popup->popup(event->globalPos());
    event->accept();
}

// ---------------------------------------------------------------- shared routines

bool TZYRXDBGrid::eventFilter(QObject* watched, QEvent* event)
{
    if (m_frozen && watched == m_frozen->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        const auto* me = static_cast<QMouseEvent*>(event);
        const QModelIndex index = m_frozen->indexAt(me->position().toPoint());
        if (me->button() == Qt::LeftButton && index.isValid()) {
            setCurrentIndex(index);
            emit doubleClicked(index);
            return true;
        }
    }
    return QTableView::eventFilter(watched, event);
}

int ColumnIndexByField(const TZYRXDBGrid* grid, const QString& field)
{
    if (!grid)
        return -1;
    for (int i = 0; i < grid->columnCount(); ++i)
        if (grid->column(i).fieldName == field)
            return i;
    return -1;
}

void ShowGridFullScreen(TZYRXDBGrid* grid)
{
    if (!grid || !grid->dataActive())
        return;
    QDialog form(grid->window(), Qt::Dialog | Qt::FramelessWindowHint);
    form.setObjectName(QStringLiteral("TamEkranF"));
    if (QScreen* s = grid->screen())
        form.setGeometry(s->geometry());
    auto* layout = new QVBoxLayout(&form);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* full = new TZYRXDBGrid(&form);
    full->setObjectName(QStringLiteral("RxDBGrid1"));
    full->setFont(grid->font());
    full->setPalette(grid->palette());
    full->setDataset(grid->dataset());
    full->setColumns(grid->columns());
    full->setFixedCols(grid->fixedCols());
    full->setTitleButtons(true);
    full->onGetCellParams = grid->onGetCellParams;
    full->onTitleBtnClick = grid->onTitleBtnClick;
    layout->addWidget(full);
    // Outside the visible area; it only gives Esc something to press.
    auto* cancel = new QPushButton(QStringLiteral("Kapat"), &form);
    cancel->setObjectName(QStringLiteral("BtnKapat"));
    cancel->setGeometry(-200, -200, 75, 25);
    cancel->setShortcut(Qt::Key_Escape);
    QObject::connect(cancel, &QPushButton::clicked, &form, &QDialog::reject);
    full->setFocus();
    form.exec();
}
