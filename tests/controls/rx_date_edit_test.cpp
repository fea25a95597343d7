#include "controls/RxDateEdit.h"
#include "data/DataBinder.h"
#include "data/DataModule.h"
#include "data/Dataset.h"
#include "data/DatasetRoutines.h"
#include "ControlsTestUtil.h"
#include "PersonDb.h"
#include "TestSupport.h"

#include <QCalendarWidget>
#include <QSignalSpy>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

struct DateWindow {
    DateWindow()
    {
        window.resize(250, 100);
        auto* layout = new QVBoxLayout(&window);
        edit = new TRxDateEdit(&window);
        other = new QLineEdit(&window);
        layout->addWidget(edit);
        layout->addWidget(other);
    }
    QWidget window;
    TRxDateEdit* edit;
    QLineEdit* other;
};

QWidget* calendarView(TRxDateEdit* edit)
{
    return edit->calendar() ? edit->calendar()->findChild<QTableView*>() : nullptr;
}

} // namespace

TEST(RxDateEdit, EmptyTypedAndSetTexts)
{
    DateWindow w;
    ASSERT_TRUE(ctl::showActive(&w.window));
    EXPECT_EQ(w.edit->Text(), "  .  .    ");
    EXPECT_TRUE(w.edit->isEmptyDate());
    EXPECT_FALSE(w.edit->date().isValid());

    struct Case {
        const char* typed;
        const char* shown;
        QDate date; // invalid: no date
    } cases[] = {
        {"05061970", "05.06.1970", QDate(1970, 6, 5)},
        {"05.06.1970", "05.06.1970", QDate(1970, 6, 5)}, // the points are skipped over
        {"29022000", "29.02.2000", QDate(2000, 2, 29)},
        {"31022000", "31.02.2000", QDate()},
        {"0106", "01.06.    ", QDate()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        w.edit->clear();
        w.edit->setFocus();
        w.edit->end(false); // wherever the cursor is, an empty edit starts at the day
        QTest::keyClicks(w.edit, c.typed);
        EXPECT_EQ(w.edit->Text(), c.shown);
        EXPECT_EQ(w.edit->date(), c.date);
        EXPECT_FALSE(w.edit->isEmptyDate());
    }

    w.edit->setDate(QDate(2003, 2, 1));
    EXPECT_EQ(w.edit->Text(), "01.02.2003");
    w.edit->setDate(QDate());
    EXPECT_TRUE(w.edit->isEmptyDate());
}

TEST(RxDateEdit, ButtonSitsInsideTheRightEdgeAndTakesNoFocus)
{
    DateWindow w;
    ASSERT_TRUE(ctl::showActive(&w.window));
    QToolButton* b = w.edit->dropButton();
    EXPECT_TRUE(b->isVisible());
    EXPECT_EQ(b->focusPolicy(), Qt::NoFocus);
    EXPECT_TRUE(w.edit->rect().contains(b->geometry()));
    EXPECT_GE(b->geometry().left(), w.edit->width() / 2);
    EXPECT_GE(w.edit->textMargins().right(), b->width()); // digits never run under it
    w.edit->setReadOnly(true);
    EXPECT_FALSE(b->isEnabled());
    w.edit->showCalendar();
    EXPECT_FALSE(w.edit->calendarVisible());
}

TEST(RxDateEdit, DayChosenInTheCalendarBecomesTheDate)
{
    DateWindow w;
    ASSERT_TRUE(ctl::showActive(&w.window));
    w.edit->setDate(QDate(2003, 2, 1));
    QSignalSpy edited(w.edit, &QLineEdit::textEdited);

    w.edit->setFocus();
    QTest::keyClick(w.edit, Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(w.edit->calendarVisible());
    EXPECT_EQ(w.edit->calendar()->selectedDate(), QDate(2003, 2, 1)); // opens on the shown date
    QWidget* view = calendarView(w.edit);
    ASSERT_NE(view, nullptr);
    QTest::keyClick(view, Qt::Key_Right);
    QTest::keyClick(view, Qt::Key_Down);
    EXPECT_EQ(w.edit->Text(), "01.02.2003"); // moving around chooses nothing
    QTest::keyClick(view, Qt::Key_Return);

    EXPECT_FALSE(w.edit->calendarVisible());
    EXPECT_EQ(w.edit->Text(), "09.02.2003");
    EXPECT_EQ(w.edit->date(), QDate(2003, 2, 9));
    ASSERT_EQ(edited.count(), 1);
    EXPECT_EQ(edited.at(0).at(0).toString(), "09.02.2003");

    // An empty edit opens on today; the button opens it as Alt+Down does, a click chooses.
    w.edit->clear();
    QTest::mouseClick(w.edit->dropButton(), Qt::LeftButton);
    ASSERT_TRUE(w.edit->calendarVisible());
    EXPECT_EQ(w.edit->calendar()->selectedDate(), QDate::currentDate());
    emit w.edit->calendar()->clicked(QDate(1999, 12, 31)); // what a click on that day's cell reports
    EXPECT_FALSE(w.edit->calendarVisible());
    EXPECT_EQ(w.edit->Text(), "31.12.1999");
}

TEST(RxDateEdit, EscClosesTheCalendarAndLeavesTheValue)
{
    for (const QDate start : {QDate(1980, 7, 15), QDate()}) {
        SCOPED_TRACE(start.toString().toStdString());
        DateWindow w;
        ASSERT_TRUE(ctl::showActive(&w.window));
        w.edit->setDate(start);
        const QString before = w.edit->Text();
        QSignalSpy edited(w.edit, &QLineEdit::textEdited);
        w.edit->setFocus();
        w.edit->showCalendar();
        ASSERT_TRUE(w.edit->calendarVisible());
        QWidget* view = calendarView(w.edit);
        ASSERT_NE(view, nullptr);
        QTest::keyClick(view, Qt::Key_Left);
        QTest::keyClick(view, Qt::Key_Escape);
        EXPECT_FALSE(w.edit->calendarVisible());
        EXPECT_EQ(w.edit->Text(), before);
        EXPECT_EQ(edited.count(), 0);
        // The edit still takes typing afterwards.
        w.edit->clear();
        w.edit->setFocus();
        QTest::keyClicks(w.edit, "02031990");
        EXPECT_EQ(w.edit->date(), QDate(1990, 3, 2));
    }
}

// A KISI row's DOG_TAR shown and written through the binding.
class RxDateBinding : public ::testing::Test {
protected:
    void SetUp() override
    {
        key = db.addPerson("Ali", "Kaya", "0");
        ds.setSelectSql("select * from KISI");
        ds.setEditable("KISI", "BLKISIKODU");
        ASSERT_TRUE(ReopenDataset(ds, "KISI", QString("BLKISIKODU=%1").arg(key)));
        binder = new DataBinder(&ds, &w.window);
        binder->bindDate(w.edit, "DOG_TAR");
        ASSERT_TRUE(ctl::showActive(&w.window));
    }
    QVariant stored() { return db.committedValue(QString("SELECT DOG_TAR FROM KISI WHERE BLKISIKODU=%1").arg(key)); }
    void typeFresh(const QString& text)
    {
        w.edit->setFocus();
        w.edit->selectAll();
        QTest::keyClick(w.edit, Qt::Key_Delete);
        QTest::keyClicks(w.edit, text);
    }
    bool post()
    {
        try {
            ds.post();
            D_Genel()->commitRetaining();
            return true;
        } catch (const std::exception&) {
            return false;
        }
    }

    PersonDb db;
    FakeDialogService fake;
    Dataset ds{D_Genel()->DB_KUSAK, D_Genel()->TR_KUSAK};
    DateWindow w;
    DataBinder* binder = nullptr;
    qint64 key = 0;
};

TEST_F(RxDateBinding, NullIsTheEmptyMaskBothWays)
{
    EXPECT_TRUE(ds.isNull("DOG_TAR"));
    EXPECT_TRUE(w.edit->isEmptyDate());

    typeFresh("05061970");
    EXPECT_TRUE(ds.isEditing());
    EXPECT_EQ(ds.value("DOG_TAR").toDate(), QDate(1970, 6, 5));
    ASSERT_TRUE(post());
    EXPECT_EQ(stored().toDate(), QDate(1970, 6, 5));
    EXPECT_EQ(w.edit->Text(), "05.06.1970");

    // Deleting every digit leaves the mask's points, which is no date.
    w.edit->setFocus();
    w.edit->selectAll();
    QTest::keyClick(w.edit, Qt::Key_Delete);
    EXPECT_TRUE(w.edit->isEmptyDate());
    EXPECT_TRUE(ds.isNull("DOG_TAR"));
    ASSERT_TRUE(post());
    EXPECT_TRUE(stored().isNull());
    EXPECT_TRUE(fake.messages.empty());
}

TEST_F(RxDateBinding, CalendarChoiceAndStoredDateRoundTrip)
{
    db.exec(QString("UPDATE KISI SET DOG_TAR='1950-03-04' WHERE BLKISIKODU=%1").arg(key));
    ASSERT_TRUE(ReopenDataset(ds, "KISI", QString("BLKISIKODU=%1").arg(key)));
    EXPECT_EQ(w.edit->Text(), "04.03.1950");

    w.edit->setFocus();
    w.edit->showCalendar();
    ASSERT_TRUE(w.edit->calendarVisible());
    QWidget* view = calendarView(w.edit);
    ASSERT_NE(view, nullptr);
    QTest::keyClick(view, Qt::Key_Right);
    QTest::keyClick(view, Qt::Key_Return);
    EXPECT_EQ(w.edit->Text(), "05.03.1950");
    EXPECT_EQ(ds.value("DOG_TAR").toDate(), QDate(1950, 3, 5));
    ASSERT_TRUE(post());
    EXPECT_EQ(stored().toDate(), QDate(1950, 3, 5));
    EXPECT_TRUE(fake.messages.empty());
}

TEST_F(RxDateBinding, DateThatIsNoDateIsNeverStored)
{
    db.exec(QString("UPDATE KISI SET DOG_TAR='1950-03-04' WHERE BLKISIKODU=%1").arg(key));
    ASSERT_TRUE(ReopenDataset(ds, "KISI", QString("BLKISIKODU=%1").arg(key)));

    // Posted while still in the edit: refused with the message, the row stays in edit.
    for (const char* typed : {"31022000", "0106"}) {
        SCOPED_TRACE(typed);
        fake.messages.clear();
        typeFresh(typed);
        EXPECT_TRUE(ds.isEditing());
        EXPECT_FALSE(post());
        EXPECT_TRUE(ds.isEditing());
        ASSERT_EQ(fake.messages.size(), 1u);
        EXPECT_EQ(fake.lastText(), "Geçersiz tarih : " + w.edit->Text());
        EXPECT_EQ(stored().toDate(), QDate(1950, 3, 4));
    }

    // Leaving the edit refuses the text: the message, and the row's date shows again.
    ds.cancel();
    EXPECT_EQ(w.edit->Text(), "04.03.1950");
    fake.messages.clear();
    w.edit->setFocus();
    w.edit->setCursorPosition(0);
    QTest::keyClicks(w.edit, "3102"); // over the day and the month
    EXPECT_EQ(w.edit->Text(), "31.02.1950");
    w.other->setFocus();
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(fake.lastText(), "Geçersiz tarih : 31.02.1950");
    EXPECT_EQ(w.edit->Text(), "04.03.1950");
    ASSERT_TRUE(post());
    EXPECT_EQ(stored().toDate(), QDate(1950, 3, 4));
    EXPECT_EQ(fake.messages.size(), 1u);
}
