#include "controls/ZYOzelMenu.h"

#include "controls/ZyPaint.h"

#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>

namespace {

int tagOf(const QAction* a) { return a->property("Tag").toInt(); }

bool isSeparatorEntry(const QAction* a) { return a->isSeparator() || a->text() == QLatin1String("-"); }

// Visible, not a separator and not kept off the panel with Tag -1.
bool isShown(const QAction* a) { return a->isVisible() && !isSeparatorEntry(a) && tagOf(a) != -1; }

QList<QAction*> entriesOf(const QAction* a) { return a->menu() ? a->menu()->actions() : QList<QAction*>(); }

QFont timesBold16()
{
    QFont f(QStringLiteral("Times New Roman"));
    f.setPixelSize(16);
    f.setBold(true);
    return f;
}

} // namespace

// ---- TZYOzelLabel ----

TZYOzelLabel::TZYOzelLabel(QWidget* parent) : QWidget(parent)
{
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
}

void TZYOzelLabel::setTransParent(bool on)
{
    m_transparent = on;
    update();
}

void TZYOzelLabel::click()
{
    QPointer<TZYOzelLabel> self(this);
    emit OnLabelClick(this);
    if (self && OnClick)
        OnClick(this);
}

void TZYOzelLabel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const bool selected = m_menu && m_menu->selectionShown() && m_menu->selectedLabel() == this;
    const QFont f = selected ? m_menu->SelectedFont : font();
    if (!m_transparent)
        p.fillRect(rect(), palette().color(QPalette::Window));
    int x = 0;
    if (!m_glyph.isNull()) {
        p.drawPixmap(0, 0, m_glyph);
        x = m_glyph.deviceIndependentSize().toSize().width() + 10;
    }
    const QFontMetrics fm(f);
    const QRect text(x, (height() - fm.height()) / 2, fm.horizontalAdvance(m_caption), fm.height());
    if (selected)
        p.fillRect(text, m_menu->SelectedColor);
    p.setFont(f);
    p.setPen(selected ? m_menu->SelectedFontColor : m_fontColor);
    p.drawText(text, Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip | Qt::TextSingleLine, m_caption);
}

void TZYOzelLabel::mousePressEvent(QMouseEvent* event)
{
    QPointer<TZYOzelLabel> self(this);
    if (m_menu)
        m_menu->labelPressed(this);
    if (!self)
        return;
    if (event->button() == Qt::LeftButton)
        m_down = true;
    emit OnMouseDown(this, event->button());
}

void TZYOzelLabel::mouseReleaseEvent(QMouseEvent* event)
{
    QPointer<TZYOzelLabel> self(this);
    const bool clicked = event->button() == Qt::LeftButton && m_down && rect().contains(event->position().toPoint());
    if (event->button() == Qt::LeftButton)
        m_down = false;
    emit OnMouseUp(this, event->button());
    if (self && clicked)
        click();
}

void TZYOzelLabel::enterEvent(QEnterEvent* event)
{
    emit OnMouseEnter(this);
    QWidget::enterEvent(event);
}

void TZYOzelLabel::leaveEvent(QEvent* event)
{
    emit OnMouseLeave(this);
    QWidget::leaveEvent(event);
}

// ---- TZYOzelEdit ----

TZYOzelEdit::TZYOzelEdit(QWidget* parent) : QLineEdit(parent)
{
    // Outside the visible area: it only receives the keys.
    setGeometry(-1000, 20, 10, sizeHint().height());
}

void TZYOzelEdit::setZYOzelMenu(TZYOzelMenu* menu)
{
    m_menu = menu;
    if (menu && menu->ZYOzelEdit() != this)
        menu->setZYOzelEdit(this);
}

void TZYOzelEdit::keyPressEvent(QKeyEvent* event)
{
    if (m_menu && m_menu->handleKey(event))
        return;
    QLineEdit::keyPressEvent(event);
}

void TZYOzelEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    if (m_menu)
        m_menu->editFocused(event->reason());
}

void TZYOzelEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    if (m_menu && event->reason() != Qt::PopupFocusReason)
        m_menu->showSelection(false);
}

// ---- TZYOzelMenu ----

TZYOzelMenu::TZYOzelMenu(QWidget* parent) : QScrollArea(parent)
{
    MenuFont = RaporFont = SelectedFont = timesBold16();
    auto* content = new QWidget;
    content->setObjectName(QStringLiteral("ZYOzelMenuContent"));
    setWidget(content);
    setWidgetResizable(true);
}

TZYOzelMenu::~TZYOzelMenu()
{
    // Labels may sit on a parent other than the panel; they are the panel's all the same.
    const QList<TZYOzelLabel*> labels = m_labels;
    m_labels.clear();
    for (TZYOzelLabel* l : labels) {
        disconnect(l, nullptr, this, nullptr);
        delete l;
    }
}

void TZYOzelMenu::setZYOzelEdit(TZYOzelEdit* edit)
{
    m_edit = edit;
    if (edit && edit->ZYOzelMenu() != this)
        edit->setZYOzelMenu(this);
}

TZYOzelLabel* TZYOzelMenu::NewLabel(QWidget* parent)
{
    auto* l = new TZYOzelLabel(parent ? parent : widget());
    const int number = int(m_labels.size()) + 1;
    l->setTag(number);
    l->setObjectName(QStringLiteral("ZYOzelLabel%1").arg(number));
    l->m_menu = this;
    m_labels.append(l);
    connect(l, &QObject::destroyed, this, [this, l] { m_labels.removeOne(l); });
    connect(l, &TZYOzelLabel::OnMouseEnter, this, &TZYOzelMenu::OnLabelMouseEnter);
    connect(l, &TZYOzelLabel::OnMouseLeave, this, &TZYOzelMenu::OnLabelMouseLeave);
    connect(l, &TZYOzelLabel::OnMouseDown, this, &TZYOzelMenu::OnLabelMouseDown);
    connect(l, &TZYOzelLabel::OnMouseUp, this, &TZYOzelMenu::OnLabelMouseUp);
    connect(l, &TZYOzelLabel::OnLabelClick, this, &TZYOzelMenu::OnLabelClick);
    return l;
}

void TZYOzelMenu::MenuTemizle()
{
    const QList<TZYOzelLabel*> labels = m_labels;
    m_labels.clear();
    // Deferred: the label being clicked may be the one that asked for a rebuild.
    for (TZYOzelLabel* l : labels) {
        disconnect(l, nullptr, this, nullptr);
        l->m_menu = nullptr;
        l->hide();
        l->deleteLater();
    }
    m_selected = 1;
    m_leftCount = 0;
    m_rightCount = 0;
    m_selectedLabel = nullptr;
    updateContentSize();
}

void TZYOzelMenu::MenuOlustur(QWidget* parent, QMenuBar* mainMenu, QAction* menuItem)
{
    if (OSVista)
        hide();
    MenuTemizle();
    m_leftRow = 0;
    m_rightRow = 0;
    QWidget* target = (!parent || parent == this) ? widget() : parent;

    auto shownLeft = [this](const QAction* a) { return isShown(a) && tagOf(a) != RaporTag; };
    const QList<QAction*> subEntries = menuItem ? entriesOf(menuItem) : QList<QAction*>();
    for (QAction* s : subEntries) {
        if (shownLeft(s)) {
            const QList<QAction*> children = entriesOf(s);
            if (children.isEmpty())
                addLabel(target, mainMenu, s, Column::Left);
            for (QAction* c : children) {
                if (shownLeft(c)) {
                    addLabel(target, mainMenu, c, Column::Left);
                    continue;
                }
                for (QAction* g : entriesOf(c))
                    if (shownLeft(g))
                        addLabel(target, mainMenu, g, Column::Left);
            }
        } else if (s->isVisible() && !isSeparatorEntry(s) && tagOf(s) == RaporTag) {
            const QList<QAction*> children = entriesOf(s);
            if (children.isEmpty())
                addLabel(target, mainMenu, s, Column::Right);
            for (QAction* c : children) {
                if (isShown(c)) {
                    addLabel(target, mainMenu, c, Column::Right);
                    continue;
                }
                for (QAction* g : entriesOf(c))
                    if (isShown(g))
                        addLabel(target, mainMenu, g, Column::Right);
            }
        }
    }
    updateContentSize();
    if (OSVista)
        show();
}

void TZYOzelMenu::addLabel(QWidget* parent, QMenuBar* mainMenu, QAction* entry, Column column)
{
    const bool left = column == Column::Left;
    TZYOzelLabel* l = NewLabel(parent);
    const QFont font = left ? MenuFont : RaporFont;
    l->setFont(font);
    l->setFontColor(left ? MenuFontColor : RaporFontColor);
    l->setCaption(zypaint::removeFirstAmpersand(entry->text()));
    l->setMenuAction(entry);
    l->OnClick = [action = QPointer<QAction>(entry)](TZYOzelLabel*) {
        if (action)
            action->trigger();
    };
    if (mainMenu && !entry->icon().isNull())
        l->setGlpyh(entry->icon().pixmap(IconSize));

    const QFontMetrics fm(font);
    const int tw = fm.horizontalAdvance(l->Caption());
    QSize size(tw + 2, fm.height() + 2);
    if (!l->Glpyh().isNull()) {
        const QSize g = l->Glpyh().deviceIndependentSize().toSize();
        size = QSize(g.width() + 10 + tw + 2, g.height() + 2);
    }
    int& row = left ? m_leftRow : m_rightRow;
    l->setGeometry(left ? MenuLeft : RaporLeft, DikeyAralik * row + LabelTop, size.width(), size.height());
    ++row;
    ++(left ? m_leftCount : m_rightCount);
    l->show();
}

void TZYOzelMenu::updateContentSize()
{
    QRect used;
    for (TZYOzelLabel* l : m_labels)
        if (l->parentWidget() == widget())
            used |= l->geometry();
    widget()->setMinimumSize(used.isEmpty() ? QSize(0, 0) : QSize(used.right() + 1 + MenuLeft, used.bottom() + 1 + LabelTop));
}

void TZYOzelMenu::selectNumber(int n)
{
    if (n < 1 || n > m_labels.size())
        return;
    TZYOzelLabel* old = m_selectedLabel;
    m_selected = n;
    m_selectedLabel = m_labels[n - 1];
    if (old && old != m_selectedLabel)
        old->update();
    m_selectedLabel->update();
    if (m_selectedLabel->parentWidget() == widget())
        ensureWidgetVisible(m_selectedLabel, 0, 0);
}

void TZYOzelMenu::showSelection(bool shown)
{
    m_shown = shown;
    if (m_selectedLabel)
        m_selectedLabel->update();
}

void TZYOzelMenu::editFocused(Qt::FocusReason)
{
    if (m_labels.isEmpty())
        return;
    m_shown = true;
    if (m_selectedLabel)
        m_selectedLabel->update();
    else
        selectNumber(1);
}

void TZYOzelMenu::labelPressed(TZYOzelLabel* label)
{
    if (m_edit)
        m_edit->setFocus(Qt::MouseFocusReason);
    const int n = int(m_labels.indexOf(label)) + 1;
    if (n > 0)
        selectNumber(n);
}

int TZYOzelMenu::numberAfterKey(int key, Qt::KeyboardModifiers modifiers) const
{
    const int n = int(m_labels.size());
    const int l = m_leftCount;
    const int r = n - l;
    const int s = m_selected;
    const bool ctrl = modifiers & Qt::ControlModifier;
    switch (key) {
    case Qt::Key_Down: return s >= n ? 1 : s + 1;
    case Qt::Key_Up: return s <= 1 ? n : s - 1;
    case Qt::Key_Right:
        if (s <= l && r > 0)
            return l + s <= n ? l + s : l + 1;
        return s;
    case Qt::Key_Left:
        if (s > l && l > 0)
            return qMin(l, s - l);
        return s;
    case Qt::Key_Home: return ctrl || s <= l ? 1 : l + 1;
    case Qt::Key_End: return ctrl ? n : (s <= l ? l : n);
    default: return s;
    }
}

bool TZYOzelMenu::handleKey(QKeyEvent* event)
{
    if (!m_selectedLabel)
        return false;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (m_selectedLabel->OnClick)
            m_selectedLabel->click();
        event->accept();
        return true;
    case Qt::Key_Down:
    case Qt::Key_Up:
    case Qt::Key_Right:
    case Qt::Key_Left:
    case Qt::Key_Home:
    case Qt::Key_End: {
        const int n = numberAfterKey(event->key(), event->modifiers());
        if (n != m_selected)
            selectNumber(n);
        event->accept();
        return true;
    }
    default:
        return false;
    }
}
