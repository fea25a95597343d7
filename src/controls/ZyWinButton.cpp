#include "controls/ZyWinButton.h"

#include "controls/ModalResult.h"
#include "controls/ZyPaint.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcutEvent>

using zypaint::edges;

TZyWinButton::TZyWinButton(QWidget* parent) : QWidget(parent)
{
    resize(100, 30);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    QFont f(QStringLiteral("Arial"));
    f.setPointSize(8);
    f.setBold(true);
    setFont(f);
    m_grayedFont = f;
    // A focus change anywhere in the window ends a press (a popup taking the focus does not).
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now && now->window() == window() && (m_pressed || m_held))
            resetStates();
    });
}

TZyWinButton::~TZyWinButton() = default;

void TZyWinButton::setCaption(const QString& caption)
{
    m_caption = caption;
    if (m_shortcutId)
        releaseShortcut(m_shortcutId);
    m_shortcutId = grabShortcut(QKeySequence::mnemonic(caption));
    update();
}

void TZyWinButton::setFontColor(const QColor& c) { m_fontColor = c; update(); }

QColor TZyWinButton::Color() const { return palette().color(QPalette::Window); }

void TZyWinButton::setColor(const QColor& c)
{
    QPalette pal = palette();
    pal.setColor(QPalette::Window, c);
    setPalette(pal);
    update();
}

void TZyWinButton::setRaiseCol(const QColor& c) { m_raiseCol = c; update(); }
void TZyWinButton::setOverCol(const QColor& c) { m_overCol = c; update(); }
void TZyWinButton::setGlpyh(const QPixmap& glyph) { m_glyph = glyph; update(); }
void TZyWinButton::setGlphyAlign(TPicPos align) { m_align = align; update(); }
void TZyWinButton::setGrayedFontColor(const QColor& c) { m_grayedColor = c; update(); }
void TZyWinButton::setShowCaption(bool on) { m_showCaption = on; update(); }
void TZyWinButton::setGradient(TZyGradient g) { m_gradient = g; update(); }
void TZyWinButton::setGradStartCl(const QColor& c) { m_gradStart = c; update(); }
void TZyWinButton::setGradEndCl(const QColor& c) { m_gradEnd = c; update(); }

void TZyWinButton::setImages(ImageList* images)
{
    if (m_images)
        disconnect(m_images, nullptr, this, nullptr);
    m_images = images;
    if (images)
        connect(images, &ImageList::changed, this, qOverload<>(&QWidget::update));
    update();
}

void TZyWinButton::setImageIndex(int index) { m_imageIndex = index; update(); }

TZyWinButton::ContentLayout TZyWinButton::layoutContent(QSize size, QSize pic, QSize cap, TPicPos align, int d)
{
    const int W = size.width(), H = size.height();
    const int gw = pic.width(), gh = pic.height(), tw = cap.width(), th = cap.height();
    const bool hasPic = !pic.isEmpty(), hasCap = !cap.isEmpty();
    ContentLayout out;
    int px = 0, py = 0, cx = 0, cy = 0;
    if (hasPic && hasCap) {
        switch (align) {
        case poLeft:
            px = d + W / 2 - (gw + tw) / 2 - 1;
            py = d + H / 2 - gh / 2;
            cx = px + gw + 5;
            cy = d + H / 2 - th / 2;
            break;
        case poRight:
            cx = d + W / 2 - (gw + tw) / 2 - 1;
            cy = d + H / 2 - th / 2;
            px = cx + tw + 5;
            py = d + H / 2 - gh / 2;
            break;
        case poTop:
            px = d + W / 2 - gw / 2;
            py = d + H / 2 - (gh + th) / 2 - 2;
            cx = d + W / 2 - tw / 2;
            cy = py + gh + 3;
            break;
        case poBottom:
            cx = d + W / 2 - tw / 2;
            cy = d + H / 2 - (gh + th) / 2 - 1;
            px = d + W / 2 - gw / 2;
            py = cy + th;
            break;
        }
        out.picture = QRect(px, py, gw, gh);
        out.caption = QRect(cx, cy, tw, th);
    } else if (hasPic) {
        out.picture = QRect(d + W / 2 - gw / 2, d + H / 2 - gh / 2, gw, gh);
    } else if (hasCap) {
        out.caption = QRect(d + W / 2 - tw / 2, d + H / 2 - th / 2, tw, th);
    }
    return out;
}

QPixmap TZyWinButton::picture(bool& fromImages) const
{
    fromImages = false;
    if (!m_glyph.isNull())
        return m_glyph;
    if (m_images && m_images->has(m_imageIndex)) {
        fromImages = true;
        return m_images->image(m_imageIndex);
    }
    return QPixmap();
}

void TZyWinButton::paintContent(QPainter& p, int d, const QColor& color, bool captionOnly)
{
    bool fromImages = false;
    const QPixmap pic = picture(fromImages);
    const QString text = zypaint::stripMnemonics(m_caption);
    const bool withCaption = m_showCaption && !text.isEmpty();
    const QFontMetrics fm(font());
    const QSize capSize = withCaption ? QSize(fm.horizontalAdvance(text), fm.height()) : QSize();
    const QSize picSize = pic.isNull() ? QSize() : pic.deviceIndependentSize().toSize();
    const ContentLayout l = layoutContent(size(), picSize, capSize, m_align, d);

    if (!captionOnly && !pic.isNull()) {
        if (fromImages && !isEnabled()) {
            p.drawPixmap(l.picture.topLeft() + QPoint(1, 1), zypaint::silhouette(pic, palette().color(QPalette::Light)));
            p.drawPixmap(l.picture.topLeft(), zypaint::silhouette(pic, palette().color(QPalette::Dark)));
        } else {
            p.drawPixmap(l.picture.topLeft(), zypaint::withBackground(pic, Color()));
        }
    }
    if (withCaption) {
        p.setPen(isEnabled() ? color : m_grayedColor);
        p.drawText(l.caption, Qt::AlignLeft | Qt::AlignTop | Qt::TextShowMnemonic | Qt::TextDontClip | Qt::TextSingleLine,
                   m_caption);
    }
}

void TZyWinButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setFont(font());
    const int W = width(), H = height();
    const QRect face = edges(1, 1, W - 1, H - 1);
    auto fillFace = [&] {
        switch (m_gradient) {
        case grNone: p.fillRect(face, Color()); break;
        case grTopToBottom: zypaint::fillGradient(p, face, m_gradStart, m_gradEnd, GradientDirection::TopToBottom); break;
        case grBottomToTop: zypaint::fillGradient(p, face, m_gradStart, m_gradEnd, GradientDirection::BottomToTop); break;
        case grLeftToRight: zypaint::fillGradient(p, face, m_gradStart, m_gradEnd, GradientDirection::LeftToRight); break;
        case grRightToLeft: zypaint::fillGradient(p, face, m_gradStart, m_gradEnd, GradientDirection::RightToLeft); break;
        }
    };

    if (!m_pressed) {
        fillFace();
        zypaint::frameRect(p, edges(0, 0, W, H), Qt::black);
        zypaint::frameRect(p, edges(0, 0, W - 1, H - 1), Qt::black);
        paintContent(p, 0, m_hover ? m_overCol : m_fontColor, false);
        p.fillRect(edges(0, 0, 2, H - 1), m_raiseCol);
        p.fillRect(edges(0, 0, W - 1, 2), m_raiseCol);
    } else {
        fillFace();
        paintContent(p, 2, m_overCol, false);
        zypaint::frameRect(p, edges(0, 0, W, H), Qt::black);
    }

    if (hasFocus() && (focusPolicy() & Qt::TabFocus)) {
        zypaint::frameRect(p, edges(0, 0, W, H), Qt::black);
        QPen dotted(Qt::black, 0, Qt::DotLine);
        p.setPen(dotted);
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRect(3, 3, W - 7, H - 7));
        if (!m_pressed && m_showCaption)
            paintContent(p, 0, m_overCol, true);
    }
}

void TZyWinButton::resetStates()
{
    m_pressed = false;
    m_held = false;
    update();
}

void TZyWinButton::click()
{
    resetStates();
    ClickWithModalResult(this, m_modalResult, [this] { emit OnClick(); });
}

void TZyWinButton::openDropDown()
{
    if (m_dropDown)
        m_dropDown->exec(mapToGlobal(QPoint(1, height() + 1)));
}

// What a left button up does: both states end, and a button still pressed clicks.
void TZyWinButton::finishPress()
{
    const bool wasPressed = m_pressed;
    resetStates();
    if (wasPressed)
        click();
}

void TZyWinButton::mousePressEvent(QMouseEvent* event)
{
    if (!isEnabled())
        return;
    if (event->button() == Qt::LeftButton) {
        if (focusPolicy() & Qt::TabFocus)
            setFocus(Qt::MouseFocusReason);
        m_held = true;
        m_pressed = true;
        QPointer<TZyWinButton> self(this);
        emit OnMouseDown(event->button(), event->modifiers(), event->position().toPoint());
        if (!self)
            return;
        update();
        if (m_dropDown) {
            openDropDown();
            if (self)
                finishPress();
        }
    } else if (event->button() == Qt::RightButton && m_popup) {
        m_popup->popup(event->globalPosition().toPoint());
    }
}

void TZyWinButton::mouseMoveEvent(QMouseEvent* event)
{
    // The press follows the mouse while the button is held: out is released, back in is pressed.
    if (m_held) {
        const bool inside = rect().contains(event->position().toPoint());
        if (inside != m_pressed) {
            m_pressed = inside;
            update();
        }
    }
}

void TZyWinButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !m_held)
        return;
    const bool wasPressed = m_pressed && rect().contains(event->position().toPoint());
    resetStates();
    if (wasPressed)
        click();
}

void TZyWinButton::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Space:
        if (!event->isAutoRepeat()) {
            m_pressed = true;
            update();
            if (m_dropDown) {
                QPointer<TZyWinButton> self(this);
                openDropDown();
                if (self)
                    resetStates();
            }
        }
        event->accept();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (m_dropDown)
            openDropDown();
        else
            click();
        event->accept();
        return;
    default:
        if (m_pressed) {
            m_pressed = false;
            update();
        }
        QWidget::keyPressEvent(event);
    }
}

void TZyWinButton::keyReleaseEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat()) {
        if (m_pressed && !m_dropDown)
            click();
        event->accept();
        return;
    }
    QWidget::keyReleaseEvent(event);
}

void TZyWinButton::enterEvent(QEnterEvent* event)
{
    if (isEnabled() && isVisible()) {
        m_hover = true;
        if (m_held && (QGuiApplication::mouseButtons() & Qt::LeftButton))
            m_pressed = true;
        update();
    }
    QWidget::enterEvent(event);
}

void TZyWinButton::leaveEvent(QEvent* event)
{
    m_hover = false;
    m_pressed = false;
    update();
    QWidget::leaveEvent(event);
}

void TZyWinButton::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange) {
        if (!isEnabled()) {
            m_hover = false;
            m_pressed = m_held = false;
        }
        update();
    }
    QWidget::changeEvent(event);
}

bool TZyWinButton::event(QEvent* event)
{
    if (event->type() == QEvent::Shortcut && static_cast<QShortcutEvent*>(event)->shortcutId() == m_shortcutId) {
        if (isEnabled()) {
            if (focusPolicy() & Qt::TabFocus)
                setFocus(Qt::ShortcutFocusReason);
            click();
        }
        return true;
    }
    return QWidget::event(event);
}
