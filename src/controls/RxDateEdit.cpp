#include "controls/RxDateEdit.h"

#include <QCalendarWidget>
#include <QKeyEvent>
#include <QScreen>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
const QString kFormat = QStringLiteral("dd.MM.yyyy");
}

TRxDateEdit::TRxDateEdit(QWidget* parent) : QLineEdit(parent)
{
    setInputMask(QStringLiteral("99.99.9999; "));
    m_button = new QToolButton(this);
    m_button->setObjectName(QStringLiteral("DropButton"));
    m_button->setArrowType(Qt::DownArrow);
    m_button->setAutoRaise(true);
    m_button->setCursor(Qt::ArrowCursor);
    m_button->setFocusPolicy(Qt::NoFocus); // the edit keeps the focus, so the form's keys still reach it
    m_button->setToolTip(QStringLiteral("Takvim (Alt+Aşağı)"));
    connect(m_button, &QToolButton::clicked, this, [this] { calendarVisible() ? hideCalendar() : showCalendar(); });
    placeButton();
}

QDate TRxDateEdit::date() const { return QDate::fromString(Text(), kFormat); }

void TRxDateEdit::setDate(const QDate& date)
{
    if (date.isValid())
        setText(date.toString(kFormat));
    else
        clear();
}

QCalendarWidget* TRxDateEdit::calendar() const { return m_calendar; }

bool TRxDateEdit::calendarVisible() const { return m_popup && m_popup->isVisible(); }

void TRxDateEdit::showCalendar()
{
    if (isReadOnly() || !isEnabled())
        return;
    if (!m_popup) {
        m_popup = new QFrame(this, Qt::Popup);
        m_popup->setObjectName(QStringLiteral("CalendarPopup"));
        m_popup->setFrameShape(QFrame::StyledPanel);
        auto* l = new QVBoxLayout(m_popup);
        l->setContentsMargins(1, 1, 1, 1);
        m_calendar = new QCalendarWidget(m_popup);
        m_calendar->setObjectName(QStringLiteral("Calendar"));
        m_calendar->setFirstDayOfWeek(Qt::Monday);
        m_calendar->setGridVisible(true);
        l->addWidget(m_calendar);
        // A click or Enter on a day chooses it; moving around with the arrow keys does not.
        connect(m_calendar, &QCalendarWidget::clicked, this, &TRxDateEdit::chooseDate);
        connect(m_calendar, &QCalendarWidget::activated, this, &TRxDateEdit::chooseDate);
    }
    const QDate current = date();
    m_calendar->setSelectedDate(current.isValid() ? current : QDate::currentDate());
    m_popup->adjustSize();
    QPoint pos = mapToGlobal(QPoint(0, height()));
    if (const QScreen* s = screen()) {
        const QRect area = s->availableGeometry();
        if (pos.y() + m_popup->height() > area.bottom())
            pos.setY(mapToGlobal(QPoint(0, 0)).y() - m_popup->height());
        pos.setX(qBound(area.left(), pos.x(), qMax(area.left(), area.right() - m_popup->width())));
    }
    m_popup->move(pos);
    m_popup->show();
    m_calendar->setFocus(Qt::PopupFocusReason);
}

void TRxDateEdit::hideCalendar()
{
    if (m_popup)
        m_popup->hide();
}

void TRxDateEdit::chooseDate(const QDate& date)
{
    hideCalendar();
    if (!date.isValid() || isReadOnly())
        return;
    setDate(date);
    setFocus(Qt::PopupFocusReason);
    // To whoever listens for typing (a data binding), a chosen day is a typed one.
    emit textEdited(text());
}

void TRxDateEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Down && (event->modifiers() & Qt::AltModifier)) {
        showCalendar();
        return;
    }
    // An empty edit starts at the day, wherever the cursor was put.
    if (isEmptyDate() && !event->text().isEmpty() && event->text().at(0).isDigit())
        setCursorPosition(0);
    QLineEdit::keyPressEvent(event);
}

void TRxDateEdit::mousePressEvent(QMouseEvent* event)
{
    QLineEdit::mousePressEvent(event);
    if (isEmptyDate())
        setCursorPosition(0);
}

void TRxDateEdit::resizeEvent(QResizeEvent* event)
{
    QLineEdit::resizeEvent(event);
    placeButton();
}

void TRxDateEdit::changeEvent(QEvent* event)
{
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::EnabledChange || event->type() == QEvent::ReadOnlyChange)
        m_button->setEnabled(isEnabled() && !isReadOnly());
}

void TRxDateEdit::placeButton()
{
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    const int h = qMax(0, height() - 2 * frame);
    const int w = qMin(h, 18);
    m_button->setGeometry(width() - frame - w, frame, w, h);
    // Digits never run under the button.
    setTextMargins(0, 0, w, 0);
}
