#include "controls/ZyBtnEdit.h"
#include "data/Dataset.h"
#include "ControlsTestUtil.h"
#include "TestSupport.h"

#include <QClipboard>
#include <QDialog>
#include <QPushButton>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

struct EditWindow {
    EditWindow()
    {
        window.resize(300, 150);
        auto* layout = new QVBoxLayout(&window);
        first = new QLineEdit(&window);
        edit = new TZyBtnEdit(&window);
        edit->setObjectName("Edit6");
        last = new QLineEdit(&window);
        layout->addWidget(first);
        layout->addWidget(edit);
        layout->addWidget(last);
    }
    QWidget window;
    QLineEdit* first;
    TZyBtnEdit* edit;
    QLineEdit* last;
};

} // namespace

TEST(ZyBtnEdit, PastedLinesBecomeOneLineAtTheCaret)
{
    EditWindow w;
    ASSERT_TRUE(ctl::showActive(&w.window));
    w.edit->setFocus();
    w.edit->setText("abXYcd");
    w.edit->setSelection(2, 2);
    QGuiApplication::clipboard()->setText("bir\r\niki\nüç");
    QTest::keyClick(w.edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(w.edit->text(), QString::fromUtf8("abbirikiüçcd"));
    EXPECT_EQ(w.edit->cursorPosition(), 10);

    // A read-only edit pastes nothing.
    w.edit->setReadOnly(true);
    QTest::keyClick(w.edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(w.edit->text(), QString::fromUtf8("abbirikiüçcd"));
}

TEST(ZyBtnEdit, LineBreaksNeverStayInTheText)
{
    TZyBtnEdit edit;
    edit.setText("Ali\r\nVeli\n");
    EXPECT_EQ(edit.text(), "AliVeli");
    edit.setCursorPosition(3);
    edit.insert("x\ny");
    EXPECT_EQ(edit.text(), "AlixyVeli");
    EXPECT_EQ(edit.cursorPosition(), 5);
}

TEST(ZyBtnEdit, EnterReachesTheEditButNotTheDialog)
{
    QDialog dialog;
    auto* layout = new QVBoxLayout(&dialog);
    auto* edit = new TZyBtnEdit(&dialog);
    auto* ok = new QPushButton("Tamam", &dialog);
    ok->setDefault(true);
    layout->addWidget(edit);
    layout->addWidget(ok);
    int accepted = 0, returns = 0;
    QObject::connect(&dialog, &QDialog::accepted, [&] { ++accepted; });
    QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    QObject::connect(edit, &QLineEdit::returnPressed, [&] { ++returns; });
    ASSERT_TRUE(ctl::showActive(&dialog));
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(returns, 1);
    EXPECT_EQ(accepted, 0);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(edit->text().isEmpty());
}

TEST(ZyBtnEdit, ButtonSitsInsideTheRightEdgeAndTextStopsBeforeIt)
{
    EditWindow w;
    ASSERT_TRUE(ctl::showActive(&w.window));
    TZyEditButton* b = w.edit->ZyWinButton();
    EXPECT_EQ(b->objectName(), "EditButton");
    EXPECT_EQ(b->width(), 21);
    EXPECT_TRUE(b->isVisible());
    EXPECT_LE(b->geometry().right(), w.edit->width() - 1);
    EXPECT_GE(b->geometry().right(), w.edit->width() - 4);
    EXPECT_EQ(w.edit->textMargins().right(), 23);

    // QLineEdit scrolls its text while painting: paint before asking where the caret is.
    auto caretRight = [&] {
        w.edit->repaint();
        return w.edit->inputMethodQuery(Qt::ImCursorRectangle).toRect().right();
    };
    w.edit->setText(QString(200, QLatin1Char('W')));
    w.edit->setCursorPosition(200);
    EXPECT_LE(caretRight(), b->x());
    EXPECT_GE(caretRight(), b->x() - 8); // scrolled up to the button, not stopped far before it
    ctl::save(w.edit, "btnedit");

    w.edit->setButtonWidht(40);
    EXPECT_EQ(b->width(), 40);
    EXPECT_EQ(w.edit->textMargins().right(), 42);
    EXPECT_LE(caretRight(), b->x());
    w.edit->setButtonWidht(1);
    EXPECT_FALSE(b->isVisible());
    w.edit->setButtonWidht(2);
    EXPECT_TRUE(b->isVisible());
}

TEST(ZyBtnEdit, ButtonClickFiresOnBtnClickAndKeepsTheFocus)
{
    EditWindow w;
    ASSERT_TRUE(ctl::showActive(&w.window));
    QObject* sender = nullptr;
    QObject receiver;
    QObject::connect(w.edit, &ZyButtonEditBase::OnBtnClick, &receiver, [&] { sender = w.edit; });
    int clicks = 0;
    QObject::connect(w.edit, &ZyButtonEditBase::OnBtnClick, [&] { ++clicks; });
    w.edit->setFocus();
    QTest::mouseClick(w.edit->ZyWinButton(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(sender, w.edit);
    EXPECT_TRUE(w.edit->hasFocus());
}

TEST(ZyBtnEdit, KeyboardEntrySelectsAllMouseEntryDoesNot)
{
    EditWindow w;
    ASSERT_TRUE(ctl::showActive(&w.window));
    w.edit->setText("Ahmet");
    w.first->setFocus();
    QTest::keyClick(w.first, Qt::Key_Tab);
    ASSERT_TRUE(w.edit->hasFocus());
    EXPECT_EQ(w.edit->selectedText(), "Ahmet");

    w.last->setFocus();
    QTest::mouseClick(w.edit, Qt::LeftButton, {}, QPoint(5, w.edit->height() / 2));
    ASSERT_TRUE(w.edit->hasFocus());
    EXPECT_TRUE(w.edit->selectedText().isEmpty());

    w.edit->setAutoSelect(false);
    w.first->setFocus();
    QTest::keyClick(w.first, Qt::Key_Tab);
    EXPECT_TRUE(w.edit->selectedText().isEmpty());
}

TEST(ZyEditButton, DefaultGlyphIsTheSharedFolderPicture)
{
    TZyEditButton b;
    EXPECT_TRUE(b.Glpyh().isNull());
    EXPECT_TRUE(b.Caption().isEmpty());
    b.setGlyphKind(TZyEditButton::gkDefault);
    ASSERT_FALSE(b.Glpyh().isNull());
    EXPECT_EQ(b.Glpyh().cacheKey(), TZyEditButton::OpenDirBitmap().cacheKey());
    TZyEditButton other;
    other.setGlyphKind(TZyEditButton::gkDefault);
    EXPECT_EQ(other.Glpyh().cacheKey(), b.Glpyh().cacheKey()); // one shared copy

    // Drawn centred on the button, its transparent parts in the button's colour.
    b.resize(21, 21);
    b.setColor(QColor(212, 208, 200));
    const QImage img = ctl::grab(&b);
    ctl::save(&b, "editbutton_opendir");
    auto folder = [](QColor c) { return c.red() > 200 && c.green() > 150 && c.blue() < 140; };
    EXPECT_GT(ctl::countPixels(img, QRect(2, 2, 17, 17), folder), 40);
    EXPECT_EQ(img.pixelColor(3, 18), QColor(212, 208, 200));

    // A custom picture stays when the kind goes back to gkCustom; the folder does not.
    b.setGlyphKind(TZyEditButton::gkCustom);
    EXPECT_TRUE(b.Glpyh().isNull());
    QPixmap own(8, 8);
    own.fill(Qt::blue);
    b.setGlpyh(own);
    b.setGlyphKind(TZyEditButton::gkCustom);
    EXPECT_EQ(b.Glpyh().cacheKey(), own.cacheKey());
}

// The data-aware edit on a real embedded database.
class ZyDBBtnEditTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        db.setDatabaseName(home.path() + "btn.fdb");
        db.setParams({"user_name=SYSDBA", "password=x", "lc_ctype=WIN1254"});
        db.create();
        fb::Transaction ddl(db);
        db.executeImmediate(ddl, "CREATE TABLE P (ID INTEGER NOT NULL PRIMARY KEY, AD VARCHAR(30) CHARACTER SET WIN1254)");
        ddl.commit();
        db.executeImmediate(ddl, "INSERT INTO P (ID, AD) VALUES (1, 'Ali')");
        db.executeImmediate(ddl, "INSERT INTO P (ID, AD) VALUES (2, 'Ayşe')");
        ddl.commit();
        db.setDefaultTransaction(&tr);
        ds = std::make_unique<Dataset>(db, tr);
        ds->setSelectSql("SELECT * FROM P ORDER BY ID");
        ds->setEditable("P", "ID");
        ds->open();
    }

    TempHome home;
    fb::Database db;
    fb::Transaction tr{db};
    std::unique_ptr<Dataset> ds;
};

TEST_F(ZyDBBtnEditTest, PastePutsTheDatasetIntoEditAndWritesTheField)
{
    QWidget window;
    auto* edit = new TZyDBBtnEdit(&window);
    edit->setDataSource(ds.get());
    edit->setDataField("AD");
    EXPECT_EQ(edit->text(), "Ali");
    EXPECT_EQ(edit->ButtonWidth(), 21);
    ASSERT_TRUE(ctl::showActive(&window));
    edit->setFocus();
    edit->setCursorPosition(3);
    QGuiApplication::clipboard()->setText("ka\r\nn");
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(ds->state(), Dataset::State::Edit);
    EXPECT_EQ(edit->text(), "Alikan");
    EXPECT_EQ(ds->value("AD").toString(), "Alikan");
    ds->post();
    EXPECT_EQ(ds->value("AD").toString(), "Alikan");

    // The edit lets go of a dataset that is destroyed.
    ds.reset();
    EXPECT_EQ(edit->DataSource(), nullptr);
    QTest::keyClicks(edit, "x");
    EXPECT_EQ(edit->text(), "Alikanx");
}

TEST_F(ZyDBBtnEditTest, FollowsTheRowAndTypingEditsIt)
{
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* edit = new TZyDBBtnEdit(&window);
    layout->addWidget(edit);
    edit->setDataSource(ds.get());
    edit->setDataField("AD");
    ASSERT_TRUE(ctl::showActive(&window));
    ds->next();
    EXPECT_EQ(edit->text(), QString::fromUtf8("Ayşe"));
    EXPECT_EQ(ds->state(), Dataset::State::Browse);

    edit->setFocus();
    edit->setCursorPosition(4);
    QTest::keyClicks(edit, "n");
    EXPECT_EQ(ds->state(), Dataset::State::Edit);
    EXPECT_EQ(ds->value("AD").toString(), QString::fromUtf8("Ayşen"));
    QTest::keyClick(edit, Qt::Key_Return); // swallowed: no line break, the row stays in edit
    EXPECT_EQ(edit->text(), QString::fromUtf8("Ayşen"));
    ds->cancel();
    EXPECT_EQ(edit->text(), QString::fromUtf8("Ayşe"));

    // A read-only edit takes no paste and leaves the row alone.
    edit->setReadOnly(true);
    QGuiApplication::clipboard()->setText("x");
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit->text(), QString::fromUtf8("Ayşe"));
    EXPECT_EQ(ds->state(), Dataset::State::Browse);

    edit->setButtonWidth(30);
    EXPECT_EQ(edit->ZyWinButton()->width(), 30);
    EXPECT_EQ(edit->textMargins().right(), 32);
    edit->setButtonWidth(0);
    EXPECT_FALSE(edit->ZyWinButton()->isVisible());
    EXPECT_EQ(edit->textMargins().right(), 2);
}
