#include "controls/ZyBitBtn.h"

#include "controls/ModalResult.h"

TZyBitBtn::TZyBitBtn(QWidget* parent) : TZyBitBtn(QString(), parent) {}

TZyBitBtn::TZyBitBtn(const QString& caption, QWidget* parent) : QPushButton(caption, parent)
{
    setCursor(Qt::PointingHandCursor);
    // Enter belongs to the form's fields, not to a default button.
    setAutoDefault(false);
    connect(this, &QPushButton::clicked, this, [this] { ClickWithModalResult(this, m_modalResult, [this] { emit OnClick(); }); });
}

void TZyBitBtn::setBold(bool bold)
{
    QFont f = font();
    f.setBold(bold);
    setFont(f);
}

void TZyBitBtn::enterEvent(QEnterEvent* event)
{
    setBold(true);
    QPushButton::enterEvent(event);
}

void TZyBitBtn::leaveEvent(QEvent* event)
{
    setBold(false);
    QPushButton::leaveEvent(event);
}
