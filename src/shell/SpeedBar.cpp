#include "shell/SpeedBar.h"

#include "data/IniFile.h"
#include "shell/AnaFormU.h"
#include "shell/GeneralRoutines.h"
#include "shell/SpeedBarCustomize.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QMainWindow>
#include <QMenu>
#include <QMouseEvent>

namespace {

const QString kBarSection = QStringLiteral("SpeedBar1");
const QString kKeyPosition = QStringLiteral("Position");
const QString kKeySection = QStringLiteral("Section");
const QString kKeyVisible = QStringLiteral("Visible");
const QString kKeyLeft = QStringLiteral("Left");
const QString kKeyTop = QStringLiteral("Top");
// Positions outside this range come from a damaged file; the button goes back to the edge.
constexpr int kMaxCoordinate = 4000;

int tagOf(const QAction* a) { return a->property("Tag").toInt(); }

bool hasSubItems(const QAction* a) { return a->menu() && !a->menu()->actions().isEmpty(); }

QString positionText(SpeedBarPosition p) { return p == SpeedBarPosition::Top ? QStringLiteral("Top") : QStringLiteral("Right"); }

} // namespace

// ---------------------------------------------------------------- what the menus give

SpeedBarButtonDef SpeedBarButtonFor(QAction* item, const QString& section, int tag)
{
    SpeedBarButtonDef b;
    b.name = item->objectName() + QStringLiteral("_SP");
    b.section = section;
    b.caption = StripAmpersand(item->text());
    b.text = item->property("Hint").toString();
    b.icon = item->icon();
    b.tag = tag;
    b.action = item;
    return b;
}

QList<SpeedBarSectionDef> SpeedBarSections(const QList<QAction*>& topLevel)
{
    QList<SpeedBarSectionDef> sections;
    for (QAction* top : topLevel) {
        if (!top || top->isSeparator() || !top->isVisible() || tagOf(top) == -1
            || top->text().contains(QStringLiteral("Raporlar")))
            continue;
        SpeedBarSectionDef section;
        section.name = StripAmpersand(top->text());
        if (QMenu* menu = top->menu()) {
            for (QAction* second : menu->actions()) {
                if (second->isSeparator() || !second->isVisible() || tagOf(second) == -1)
                    continue;
                const int tag = tagOf(second);
                if (!hasSubItems(second)) {
                    section.buttons << SpeedBarButtonFor(second, section.name, tag);
                    continue;
                }
                for (QAction* third : second->menu()->actions())
                    if (!third->isSeparator() && third->isVisible() && tagOf(third) != -1 && !hasSubItems(third))
                        section.buttons << SpeedBarButtonFor(third, section.name, tag);
            }
        }
        sections << section;
    }
    return sections;
}

// ---------------------------------------------------------------- the saved layout

const SpeedBarButtonLayout* SpeedBarLayout::find(const QString& name) const
{
    for (const SpeedBarButtonLayout& b : buttons)
        if (b.name == name)
            return &b;
    return nullptr;
}

SpeedBarLayout DefaultSpeedBarLayout()
{
    SpeedBarLayout layout;
    layout.position = SpeedBarPosition::Right;
    const QString section = QStringLiteral("Yardım");
    const char* names[] = {"Yardim1_SP", "Hakkinda1_SP", "WebSite1_SP", "Kapat1_SP"};
    int top = 4;
    for (const char* name : names) {
        layout.buttons << SpeedBarButtonLayout{QString::fromLatin1(name), section, true, QPoint(2, top)};
        top += kSpeedButtonSize;
    }
    return layout;
}

std::optional<SpeedBarLayout> LoadSpeedBarLayout(const QString& path)
{
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return std::nullopt;
    IniFile ini(path);
    SpeedBarLayout layout;
    layout.position = ini.readString(kBarSection, kKeyPosition).trimmed().compare(QStringLiteral("Top"), Qt::CaseInsensitive) == 0
                          ? SpeedBarPosition::Top
                          : SpeedBarPosition::Right;
    for (const QString& name : ini.sections()) {
        if (name.compare(kBarSection, Qt::CaseInsensitive) == 0 || !ini.hasKey(name, kKeyVisible))
            continue;
        SpeedBarButtonLayout b;
        b.name = name;
        b.section = ini.readString(name, kKeySection);
        b.visible = ini.readBool(name, kKeyVisible);
        b.pos = QPoint(std::clamp(ini.readInt(name, kKeyLeft), 0, kMaxCoordinate),
                       std::clamp(ini.readInt(name, kKeyTop), 0, kMaxCoordinate));
        layout.buttons << b;
    }
    if (layout.buttons.isEmpty())
        return std::nullopt;
    return layout;
}

bool SaveSpeedBarLayout(const QString& path, const SpeedBarLayout& layout)
{
    IniFile ini(path);
    for (const QString& s : ini.sections())
        ini.eraseSection(s);
    ini.writeString(kBarSection, kKeyPosition, positionText(layout.position));
    for (const SpeedBarButtonLayout& b : layout.buttons) {
        ini.writeString(b.name, kKeySection, b.section);
        ini.writeBool(b.name, kKeyVisible, b.visible);
        ini.writeInt(b.name, kKeyLeft, b.pos.x());
        ini.writeInt(b.name, kKeyTop, b.pos.y());
    }
    return ini.save();
}

QPoint SpeedBarGridOrigin(SpeedBarPosition position)
{
    return position == SpeedBarPosition::Right ? QPoint(2, 4) : QPoint(4, 2);
}

QPoint SnapToSpeedBarGrid(QPoint topLeft, SpeedBarPosition position)
{
    const QPoint o = SpeedBarGridOrigin(position);
    auto snap = [](int v, int origin) {
        const int cell = qRound(double(v - origin) / kSpeedButtonSize);
        return origin + std::max(0, cell) * kSpeedButtonSize;
    };
    return QPoint(snap(topLeft.x(), o.x()), snap(topLeft.y(), o.y()));
}

// ---------------------------------------------------------------- a button

TSpeedItem::TSpeedItem(const SpeedBarButtonDef& def, QWidget* parent)
    : QToolButton(parent), Caption(def.caption), Section(def.section), Tag(def.tag), Action(def.action)
{
    setObjectName(def.name);
    setProperty("Tag", def.tag);
    setProperty("Caption", def.caption);
    setText(def.text);
    setIcon(def.icon);
    setIconSize(QSize(32, 32));
    setToolTip(def.caption);
    setStatusTip(def.caption);
    setCursor(Qt::PointingHandCursor);
    setFixedSize(kSpeedButtonSize, kSpeedButtonSize);
    setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    setAutoRaise(true);
    setFocusPolicy(Qt::NoFocus);
    connect(this, &QToolButton::clicked, this, [this] {
        if (Action)
            Action->trigger();
    });
}

void TSpeedItem::mousePressEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton) {
        m_pressed = true;
        m_dragging = false;
        m_pressPos = e->position().toPoint();
        m_startPos = pos();
    }
    QToolButton::mousePressEvent(e);
}

void TSpeedItem::mouseMoveEvent(QMouseEvent* e)
{
    if (m_pressed && (e->buttons() & Qt::LeftButton)) {
        const QPoint p = e->position().toPoint();
        if (!m_dragging && (p - m_pressPos).manhattanLength() >= QApplication::startDragDistance()) {
            m_dragging = true;
            setDown(false);
            raise();
        }
        if (m_dragging) {
            move(pos() + p - m_pressPos);
            return;
        }
    }
    QToolButton::mouseMoveEvent(e);
}

void TSpeedItem::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton || !m_dragging) {
        m_pressed = false;
        QToolButton::mouseReleaseEvent(e);
        return;
    }
    // The bar decides where a dropped button ends up; until then it stands where it started.
    const QPoint target = pos() + e->position().toPoint() - m_pressPos;
    move(m_startPos);
    m_pressed = false;
    m_dragging = false;
    setDown(false);
    QToolButton::mouseReleaseEvent(e); // not down any more, so no click
    emit dropped(this, target);
}

// ---------------------------------------------------------------- the canvas

TSpeedBarCanvas::TSpeedBarCanvas(TSpeedBar* bar) : QWidget(bar), m_bar(bar)
{
    setObjectName(QStringLiteral("SpeedBarCanvas"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

QSize TSpeedBarCanvas::sizeHint() const
{
    int right = 0;
    int bottom = 0;
    for (const TSpeedItem* item : m_bar->items()) {
        if (item->shownOnBar()) {
            right = std::max(right, item->x() + item->width());
            bottom = std::max(bottom, item->y() + item->height());
        }
    }
    return QSize(std::max(kSpeedBarThickness, right + 4), std::max(kSpeedBarThickness, bottom + 4));
}

void TSpeedBarCanvas::mouseDoubleClickEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton)
        emit m_bar->customizeRequested();
}

// ---------------------------------------------------------------- the bar

TSpeedBar::TSpeedBar(QMainWindow* parent) : QToolBar(parent), m_window(parent)
{
    setObjectName(QStringLiteral("SpeedBar1"));
    setWindowTitle(QStringLiteral("Araç Çubuğu"));
    setMovable(true);
    setFloatable(false);
    setAllowedAreas(Qt::RightToolBarArea | Qt::TopToolBarArea);
    toggleViewAction()->setVisible(false);
    setStyleSheet(QStringLiteral("QToolBar#SpeedBar1 { background: white; border: 0; }"));
    m_canvas = new TSpeedBarCanvas(this);
    addWidget(m_canvas);
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this, [this](const QPoint& p) {
        if (m_popup)
            m_popup->exec(mapToGlobal(p));
    });
    connect(this, &QToolBar::orientationChanged, this, &TSpeedBar::orientationChangedByLayout);
    applyPosition(SpeedBarPosition::Right);
}

TSpeedItem* TSpeedBar::item(const QString& name) const
{
    for (TSpeedItem* i : m_items)
        if (i->objectName() == name)
            return i;
    return nullptr;
}

QList<TSpeedItem*> TSpeedBar::sectionItems(const QString& section) const
{
    QList<TSpeedItem*> out;
    for (TSpeedItem* i : m_items)
        if (i->Section == section)
            out << i;
    return out;
}

QList<TSpeedItem*> TSpeedBar::shownItems() const
{
    QList<TSpeedItem*> out;
    for (TSpeedItem* i : m_items)
        if (i->shownOnBar())
            out << i;
    const bool vertical = m_position == SpeedBarPosition::Right;
    std::stable_sort(out.begin(), out.end(), [vertical](const TSpeedItem* a, const TSpeedItem* b) {
        const auto ka = vertical ? std::pair(a->x(), a->y()) : std::pair(a->y(), a->x());
        const auto kb = vertical ? std::pair(b->x(), b->y()) : std::pair(b->y(), b->x());
        return ka < kb;
    });
    return out;
}

void TSpeedBar::clearItems()
{
    // A button may be deleting the bar from its own click (the reset item), so old buttons go
    // away once their events are done.
    for (TSpeedItem* i : std::as_const(m_items)) {
        i->hide();
        i->disconnect(this);
        i->setObjectName(QString());
        i->setParent(nullptr);
        i->deleteLater();
    }
    m_items.clear();
    m_sectionNames.clear();
}

void TSpeedBar::build(const QList<QAction*>& topLevel, const QString& iniFile)
{
    struct Mark {
        bool& flag;
        explicit Mark(bool& f) : flag(f) { flag = true; }
        ~Mark() { flag = false; }
    } mark(m_building);

    clearItems();
    m_iniFile = iniFile;
    QList<SpeedBarSectionDef> sections;
    try {
        sections = SpeedBarSections(topLevel);
    } catch (...) {
    }
    for (const SpeedBarSectionDef& section : std::as_const(sections)) {
        try {
            m_sectionNames << section.name;
            for (const SpeedBarButtonDef& def : section.buttons) {
                try {
                    auto* b = new TSpeedItem(def, m_canvas);
                    b->hide();
                    connect(b, &TSpeedItem::dropped, this, &TSpeedBar::moveItem);
                    m_items << b;
                } catch (...) {
                    // One button that cannot be made leaves the rest of the bar intact.
                }
            }
        } catch (...) {
        }
    }

    if (const std::optional<SpeedBarLayout> saved = LoadSpeedBarLayout(iniFile)) {
        applyLayout(*saved);
    } else {
        applyLayout(DefaultSpeedBarLayout());
        if (!iniFile.isEmpty() && !saveLayout())
            qWarning("Araç çubuğu dosyası yazılamadı: %s", qPrintable(iniFile));
    }
}

void TSpeedBar::applyLayout(const SpeedBarLayout& layout)
{
    applyPosition(layout.position);
    for (TSpeedItem* i : std::as_const(m_items)) {
        const SpeedBarButtonLayout* b = layout.find(i->objectName());
        i->move(b ? b->pos : SpeedBarGridOrigin(m_position));
        i->setVisible(b && b->visible);
    }
    updateCanvas();
}

void TSpeedBar::applyPosition(SpeedBarPosition position)
{
    m_applyingPosition = true;
    m_position = position;
    if (m_window)
        m_window->addToolBar(position == SpeedBarPosition::Right ? Qt::RightToolBarArea : Qt::TopToolBarArea, this);
    m_applyingPosition = false;
    updateCanvas();
}

void TSpeedBar::orientationChangedByLayout(Qt::Orientation orientation)
{
    if (m_applyingPosition)
        return;
    // The user dragged the bar to the other edge.
    const SpeedBarPosition p = orientation == Qt::Vertical ? SpeedBarPosition::Right : SpeedBarPosition::Top;
    if (p == m_position)
        return;
    for (TSpeedItem* i : std::as_const(m_items))
        i->move(i->y(), i->x());
    m_position = p;
    updateCanvas();
    changedByUser();
}

void TSpeedBar::setPositionByUser(SpeedBarPosition position)
{
    if (position == m_position)
        return;
    for (TSpeedItem* i : std::as_const(m_items))
        i->move(i->y(), i->x());
    applyPosition(position);
    changedByUser();
}

SpeedBarLayout TSpeedBar::currentLayout() const
{
    SpeedBarLayout layout;
    layout.position = m_position;
    for (const TSpeedItem* i : m_items)
        layout.buttons << SpeedBarButtonLayout{i->objectName(), i->Section, i->shownOnBar(), i->pos()};
    return layout;
}

bool TSpeedBar::saveLayout() const
{
    if (m_iniFile.isEmpty())
        return false;
    return SaveSpeedBarLayout(m_iniFile, currentLayout());
}

void TSpeedBar::changedByUser()
{
    updateCanvas();
    if (m_building || (m_autoSaveAllowed && !m_autoSaveAllowed()))
        return;
    if (!m_iniFile.isEmpty() && !saveLayout())
        qWarning("Araç çubuğu dosyası yazılamadı: %s", qPrintable(m_iniFile));
}

TSpeedItem* TSpeedBar::itemAt(QPoint topLeft, const TSpeedItem* except) const
{
    const QRect cell(topLeft, QSize(kSpeedButtonSize, kSpeedButtonSize));
    for (TSpeedItem* i : m_items)
        if (i != except && i->shownOnBar() && i->geometry().intersects(cell.adjusted(8, 8, -8, -8)))
            return i;
    return nullptr;
}

QPoint TSpeedBar::firstFreeCell(const TSpeedItem* except) const
{
    const bool vertical = m_position == SpeedBarPosition::Right;
    const QPoint o = SpeedBarGridOrigin(m_position);
    // Fill along the bar as far as the window reaches, then start the next row.
    const int length = m_window ? (vertical ? m_window->height() : m_window->width()) - 120 : 0;
    const int perLine = std::max(4, length / kSpeedButtonSize);
    for (int line = 0;; ++line) {
        for (int k = 0; k < perLine; ++k) {
            const QPoint cell = vertical ? QPoint(o.x() + line * kSpeedButtonSize, o.y() + k * kSpeedButtonSize)
                                         : QPoint(o.x() + k * kSpeedButtonSize, o.y() + line * kSpeedButtonSize);
            if (!itemAt(cell, except))
                return cell;
        }
    }
}

void TSpeedBar::moveItem(TSpeedItem* item, QPoint topLeft)
{
    if (!item || !m_items.contains(item))
        return;
    const QPoint target = SnapToSpeedBarGrid(topLeft, m_position);
    const QPoint old = item->pos();
    if (target == old)
        return;
    // A button already in that cell takes the place the moved one left.
    if (TSpeedItem* other = itemAt(target, item))
        other->move(old);
    item->move(target);
    changedByUser();
}

void TSpeedBar::setShown(const QHash<QString, bool>& shown)
{
    // Hidden ones first, so that the buttons coming in can take the cells they leave.
    for (bool show : {false, true}) {
        for (TSpeedItem* i : std::as_const(m_items)) {
            const auto it = shown.constFind(i->objectName());
            if (it == shown.constEnd() || *it != show || i->shownOnBar() == show)
                continue;
            if (show) {
                i->move(firstFreeCell(i));
                i->show();
            } else {
                i->hide();
            }
        }
    }
    updateCanvas();
}

void TSpeedBar::customize()
{
    TSpeedBarCustomizeF form(this, parentWidget());
    SpeedBarCustomizeF = &form;
    const int result = form.exec();
    SpeedBarCustomizeF = nullptr;
    if (result != QDialog::Accepted)
        return;
    setShown(form.shownButtons());
    changedByUser();
}

void TSpeedBar::updateCanvas()
{
    m_canvas->updateGeometry();
    m_canvas->update();
}
