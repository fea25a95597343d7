#include "controls/ZyBtnEdit.h"

#include "data/DataBinder.h"
#include "data/Dataset.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

namespace {
QString withoutLineBreaks(QString s)
{
    s.remove(QLatin1Char('\r'));
    s.remove(QLatin1Char('\n'));
    return s;
}
} // namespace

// ---- TZyEditButton ----

TZyEditButton::TZyEditButton(QWidget* parent) : TZyWinButton(parent)
{
    setObjectName(QStringLiteral("EditButton"));
    setCaption(QString());
}

void TZyEditButton::setGlyphKind(TGlyphKind kind)
{
    m_kind = kind;
    if (kind == gkDefault)
        setGlpyh(OpenDirBitmap());
    else if (Glpyh().cacheKey() == OpenDirBitmap().cacheKey())
        setGlpyh(QPixmap());
}

QPixmap TZyEditButton::OpenDirBitmap()
{
    static const QPixmap folder = [] {
        QPixmap pm(16, 16);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        const QColor edge(128, 96, 0), back(230, 190, 60), front(255, 224, 120);
        // The back of the folder with its tab.
        p.setPen(edge);
        p.setBrush(back);
        p.drawPolygon(QPolygon({QPoint(1, 3), QPoint(5, 3), QPoint(6, 4), QPoint(11, 4), QPoint(11, 13), QPoint(1, 13)}));
        // The opened front leaf, tilted forward.
        p.setBrush(front);
        p.drawPolygon(QPolygon({QPoint(3, 7), QPoint(15, 7), QPoint(12, 13), QPoint(1, 13)}));
        return pm;
    }();
    return folder;
}

// ---- ZyButtonEditBase ----

ZyButtonEditBase::ZyButtonEditBase(QWidget* parent) : QLineEdit(parent), m_button(new TZyEditButton(this))
{
    // Clicking the button leaves the focus in the edit.
    m_button->setFocusPolicy(Qt::NoFocus);
    m_button->setColor(palette().color(QPalette::Button));
    connect(m_button, &TZyWinButton::OnClick, this, &ZyButtonEditBase::OnBtnClick);
    applyButtonWidth(21);
}

void ZyButtonEditBase::applyButtonWidth(int width)
{
    m_buttonWidth = width;
    m_button->setVisible(width > 1);
    // The text stops 2 pixels before the button (a negative width counts as none).
    setTextMargins(0, 0, qMax(width, 0) + 2, 0);
    placeButton();
}

void ZyButtonEditBase::placeButton()
{
    QStyleOptionFrame opt;
    initStyleOption(&opt);
    const int fw = hasFrame() ? style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, this) : 0;
    const int w = qMax(m_buttonWidth, 0);
    m_button->setGeometry(width() - fw - w, fw, w, qMax(height() - 2 * fw, 0));
}

void ZyButtonEditBase::resizeEvent(QResizeEvent* event)
{
    QLineEdit::resizeEvent(event);
    placeButton();
}

void ZyButtonEditBase::changeEvent(QEvent* event)
{
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::StyleChange)
        placeButton();
}

void ZyButtonEditBase::paste()
{
    // QLineEdit::paste() would insert even into a read-only edit; only its key handling guards it.
    if (isReadOnly())
        return;
    const QString text = withoutLineBreaks(QGuiApplication::clipboard()->text());
    beforePaste();
    insert(text);
}

void ZyButtonEditBase::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Paste) && !isReadOnly()) {
        paste();
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        // The edit's own handlers see it (returnPressed), then it goes no further.
        QLineEdit::keyPressEvent(event);
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void ZyButtonEditBase::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    switch (event->reason()) {
    case Qt::MouseFocusReason:
    case Qt::PopupFocusReason:
    case Qt::ActiveWindowFocusReason:
        break;
    default:
        if (m_autoSelect)
            selectAll();
        else
            deselect();
    }
}

void ZyButtonEditBase::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu* menu = createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    for (QAction* a : menu->actions()) {
        if (a->objectName() == QLatin1String("edit-paste")) {
            disconnect(a, &QAction::triggered, nullptr, nullptr);
            connect(a, &QAction::triggered, this, &ZyButtonEditBase::paste);
        }
    }
    menu->popup(event->globalPos());
}

// ---- TZyBtnEdit ----

TZyBtnEdit::TZyBtnEdit(QWidget* parent) : ZyButtonEditBase(parent)
{
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!text.contains(QLatin1Char('\r')) && !text.contains(QLatin1Char('\n')))
            return;
        const int cursor = cursorPosition();
        const int removedBefore = int(text.left(cursor).count(QLatin1Char('\r')) + text.left(cursor).count(QLatin1Char('\n')));
        setText(withoutLineBreaks(text));
        setCursorPosition(cursor - removedBefore);
    });
}

// ---- TZyDBBtnEdit ----

TZyDBBtnEdit::TZyDBBtnEdit(QWidget* parent) : ZyButtonEditBase(parent) {}

TZyDBBtnEdit::~TZyDBBtnEdit() = default;

Dataset* TZyDBBtnEdit::DataSource() const { return m_dataset; }

void TZyDBBtnEdit::setDataSource(Dataset* dataset)
{
    if (m_dataset)
        disconnect(m_dataset, nullptr, this, nullptr);
    m_dataset = dataset;
    if (dataset) {
        // The binder talks to the dataset directly; it must not outlive it.
        connect(dataset, &QObject::destroyed, this, [this] {
            delete m_binder;
            m_binder = nullptr;
        });
    }
    rebind();
}

void TZyDBBtnEdit::setDataField(const QString& field)
{
    m_field = field;
    rebind();
}

void TZyDBBtnEdit::rebind()
{
    delete m_binder;
    m_binder = nullptr;
    if (m_dataset && !m_field.isEmpty()) {
        m_binder = new DataBinder(m_dataset, this);
        m_binder->bind(this, m_field);
    }
}

void TZyDBBtnEdit::beforePaste()
{
    if (m_dataset && m_dataset->active() && !m_dataset->isEditing())
        m_dataset->edit();
}
