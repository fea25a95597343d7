#pragma once
// A date edit: "  .  .    " when empty, day.month.year with two, two and four digits when
// filled. A small button inside its right edge (or Alt+Down) drops down a month calendar;
// choosing a day there sets the date as if it had been typed, Esc closes it unchanged.
#include <QDate>
#include <QFrame>
#include <QLineEdit>

class QCalendarWidget;
class QToolButton;

class TRxDateEdit : public QLineEdit {
    Q_OBJECT
public:
    static inline const QString kEmptyText = QStringLiteral("  .  .    ");

    explicit TRxDateEdit(QWidget* parent = nullptr);

    QString Text() const { return displayText(); } // as shown
    bool isEmptyDate() const { return Text() == kEmptyText; }
    QDate date() const; // invalid when empty or not a date
    void setDate(const QDate& date);

    QToolButton* dropButton() const { return m_button; }
    void showCalendar();
    void hideCalendar();
    bool calendarVisible() const;
    QCalendarWidget* calendar() const; // null until first dropped down

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void placeButton();
    void chooseDate(const QDate& date);

    QToolButton* m_button;
    QFrame* m_popup = nullptr;
    QCalendarWidget* m_calendar = nullptr;
};
