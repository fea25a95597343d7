#include "controls/ModalResult.h"
#include "controls/ZyBitBtn.h"
#include "controls/ZySpeedButton.h"
#include "controls/ZyWinButton.h"
#include "ControlsTestUtil.h"

#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

QPixmap solid(QColor c, int size = 16)
{
    QPixmap pm(size, size);
    pm.fill(c);
    return pm;
}

// A dialog with a button and an edit to move the focus to.
struct ButtonDialog {
    ButtonDialog()
    {
        dialog.resize(300, 200);
        button = new TZyWinButton(&dialog);
        button->setObjectName("ZyWinButton1");
        button->setCaption("&Tamam");
        button->move(20, 20);
        other = new QLineEdit(&dialog);
        other->move(20, 100);
        QObject::connect(button, &TZyWinButton::OnClick, [this] { ++clicks; });
    }
    QDialog dialog;
    TZyWinButton* button;
    QLineEdit* other;
    int clicks = 0;
};

} // namespace

TEST(ZyWinButton, StartsAsAHandCursorTabStopOfHundredByThirty)
{
    QWidget parent;
    QPalette pal = parent.palette();
    pal.setColor(QPalette::Window, QColor(10, 200, 30));
    parent.setPalette(pal);
    TZyWinButton b(&parent);
    EXPECT_EQ(b.size(), QSize(100, 30));
    EXPECT_EQ(b.cursor().shape(), Qt::PointingHandCursor);
    EXPECT_TRUE(b.focusPolicy() & Qt::TabFocus);
    EXPECT_EQ(b.Color(), QColor(10, 200, 30)); // colour comes from the parent
    EXPECT_EQ(b.ImageIndex(), -1);
    EXPECT_TRUE(b.font().bold());
    b.setAbout("x");
    EXPECT_EQ(b.About(), "s1.06");
}

TEST(ZyWinButton, PressedLooksFlatAndNormalHasTheHighlight)
{
    ButtonDialog d;
    ASSERT_TRUE(ctl::showActive(&d.dialog));
    TZyWinButton* b = d.button;
    b->setColor(QColor(212, 208, 200));
    d.other->setFocus(); // no focus frame on the button for the normal picture
    const int W = b->width(), H = b->height();

    const QImage normal = ctl::grab(b);
    ctl::save(b, "button_normal");
    EXPECT_EQ(normal.pixelColor(0, 0), QColor(Qt::white));
    EXPECT_EQ(normal.pixelColor(1, 1), QColor(Qt::white));
    EXPECT_EQ(normal.pixelColor(0, H - 2), QColor(Qt::white)); // left highlight ends above the dark edge
    EXPECT_EQ(normal.pixelColor(W - 1, H - 1), QColor(Qt::black));
    EXPECT_EQ(normal.pixelColor(W - 2, H - 2), QColor(Qt::black)); // 2-pixel dark edge
    EXPECT_EQ(normal.pixelColor(W - 3, H - 3), QColor(212, 208, 200));

    QTest::mousePress(b, Qt::LeftButton, {}, QPoint(W / 2, H / 2));
    ASSERT_TRUE(b->isPressed());
    const QImage pressed = ctl::grab(b);
    ctl::save(b, "button_pressed");
    EXPECT_EQ(pressed.pixelColor(0, 0), QColor(Qt::black));
    EXPECT_EQ(pressed.pixelColor(1, 1), QColor(212, 208, 200));
    EXPECT_EQ(pressed.pixelColor(W - 2, H - 2), QColor(212, 208, 200));
    // The caption moved: in OverCol (blue) and 2 pixels right and down.
    auto blue = [](QColor c) { return c.blue() > 150 && c.red() < 100 && c.green() < 100; };
    EXPECT_GT(ctl::countPixels(pressed, pressed.rect(), blue), 10);
    QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(W / 2, H / 2));
}

TEST(ZyWinButton, FocusedButtonDrawsCaptionInOverColAndAFocusRectangle)
{
    ButtonDialog d;
    ASSERT_TRUE(ctl::showActive(&d.dialog));
    d.button->setFocus();
    ASSERT_TRUE(d.button->hasFocus());
    const QImage img = ctl::grab(d.button);
    ctl::save(d.button, "button_focused");
    EXPECT_EQ(img.pixelColor(0, 0), QColor(Qt::black)); // the focus frame covers the highlight corner
    EXPECT_EQ(img.pixelColor(1, 1), QColor(Qt::white));
    // Dotted focus rectangle 3 pixels inside.
    const int dots = ctl::countPixels(img, QRect(3, 3, 1, img.height() - 6), [](QColor c) { return c == QColor(Qt::black); });
    EXPECT_GT(dots, 3);
    EXPECT_LT(dots, img.height() - 6);
}

TEST(ZyWinButton, ContentLayoutUsesIntegerDivisions)
{
    using B = TZyWinButton;
    struct Case {
        QSize size, pic, cap;
        B::TPicPos align;
        int d;
        QPoint picAt, capAt;
    };
    const QSize even(100, 30), odd(101, 31), pic16(16, 16), pic15(15, 15), cap(40, 13);
    const Case cases[] = {
        {even, pic16, cap, B::poLeft, 0, {21, 7}, {42, 9}},
        {even, pic16, cap, B::poLeft, 2, {23, 9}, {44, 11}},
        {even, pic16, cap, B::poRight, 0, {66, 7}, {21, 9}},
        {even, pic16, cap, B::poTop, 0, {42, -1}, {30, 18}},
        {even, pic16, cap, B::poBottom, 0, {42, 13}, {30, 0}},
        {odd, pic15, cap, B::poLeft, 0, {22, 8}, {42, 9}},
        {odd, pic15, cap, B::poTop, 2, {45, 1}, {32, 19}},
        {odd, pic15, QSize(), B::poLeft, 2, {45, 10}, {}},
    };
    for (const Case& c : cases) {
        const B::ContentLayout l = B::layoutContent(c.size, c.pic, c.cap, c.align, c.d);
        EXPECT_EQ(l.picture.topLeft(), c.picAt) << int(c.align) << " d=" << c.d;
        if (!c.cap.isEmpty())
            EXPECT_EQ(l.caption.topLeft(), c.capAt) << int(c.align) << " d=" << c.d;
        else
            EXPECT_TRUE(l.caption.isNull());
    }
    const B::ContentLayout captionOnly = B::layoutContent(odd, QSize(), cap, B::poTop, 0);
    EXPECT_TRUE(captionOnly.picture.isNull());
    EXPECT_EQ(captionOnly.caption.topLeft(), QPoint(30, 9));
}

TEST(ZyWinButton, ReleaseOutsideDoesNotClickInsideClicksAndClosesTheDialog)
{
    ButtonDialog d;
    d.button->setModalResult(mrOk);
    ASSERT_TRUE(ctl::showActive(&d.dialog));
    TZyWinButton* b = d.button;
    const QPoint mid(50, 15);

    QTest::mousePress(b, Qt::LeftButton, {}, mid);
    EXPECT_TRUE(b->isHeld());
    EXPECT_TRUE(b->hasFocus()); // a tab stop takes the focus on press
    ctl::moveHeld(b, QPoint(200, 200));
    EXPECT_FALSE(b->isPressed());
    QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(200, 200));
    EXPECT_EQ(d.clicks, 0);
    EXPECT_FALSE(b->isHeld());
    EXPECT_TRUE(d.dialog.isVisible());

    // Out and back in while held: pressed again, and the release clicks.
    QTest::mousePress(b, Qt::LeftButton, {}, mid);
    ctl::moveHeld(b, QPoint(-5, 15));
    EXPECT_FALSE(b->isPressed());
    ctl::moveHeld(b, mid);
    EXPECT_TRUE(b->isPressed());
    QTest::mouseRelease(b, Qt::LeftButton, {}, mid);
    EXPECT_EQ(d.clicks, 1);
    EXPECT_EQ(d.dialog.result(), mrOk);
    EXPECT_FALSE(d.dialog.isVisible());
}

TEST(ZyWinButton, ModalResultEndsExecAndAHandlerMayKeepTheDialogOpen)
{
    ButtonDialog d;
    d.button->setModalResult(mrCancel);
    QTimer::singleShot(0, d.button, [&] { d.button->click(); });
    EXPECT_EQ(d.dialog.exec(), mrCancel);

    // A handler refusing the input sets the result back to none: the dialog stays.
    ButtonDialog keep;
    keep.button->setModalResult(mrOk);
    QObject::connect(keep.button, &TZyWinButton::OnClick, [&] { keep.dialog.setResult(mrNone); });
    ASSERT_TRUE(ctl::showActive(&keep.dialog));
    keep.button->click();
    EXPECT_EQ(keep.clicks, 1);
    EXPECT_TRUE(keep.dialog.isVisible());

    // Without a modal result a click leaves the dialog open.
    ButtonDialog plain;
    ASSERT_TRUE(ctl::showActive(&plain.dialog));
    plain.button->click();
    EXPECT_EQ(plain.clicks, 1);
    EXPECT_TRUE(plain.dialog.isVisible());
}

TEST(ZyWinButton, KeyboardSpaceEnterAndOtherKeys)
{
    ButtonDialog d;
    ASSERT_TRUE(ctl::showActive(&d.dialog));
    TZyWinButton* b = d.button;
    b->setFocus();

    QTest::keyPress(b, Qt::Key_Space);
    EXPECT_TRUE(b->isPressed());
    EXPECT_EQ(d.clicks, 0);
    QTest::keyRelease(b, Qt::Key_Space);
    EXPECT_EQ(d.clicks, 1);
    EXPECT_FALSE(b->isPressed());

    // Another key while Space is down ends the press; the Space release then does nothing.
    QTest::keyPress(b, Qt::Key_Space);
    QTest::keyClick(b, Qt::Key_A);
    EXPECT_FALSE(b->isPressed());
    QTest::keyRelease(b, Qt::Key_Space);
    EXPECT_EQ(d.clicks, 1);

    QTest::keyClick(b, Qt::Key_Return);
    EXPECT_EQ(d.clicks, 2);
    EXPECT_TRUE(d.dialog.isVisible()); // Enter went to the button, not to the dialog

    // A focus change in the window ends a press.
    QTest::keyPress(b, Qt::Key_Space);
    d.other->setFocus();
    EXPECT_FALSE(b->isPressed());
    QTest::keyRelease(b, Qt::Key_Space);
    EXPECT_EQ(d.clicks, 2);

    // The "&" of the caption gives Alt+T.
    QTest::keyClick(&d.dialog, Qt::Key_T, Qt::AltModifier);
    EXPECT_EQ(d.clicks, 3);
}

TEST(ZyWinButton, DisabledButtonDoesNotClickAndDrawsGreyAndEmbossed)
{
    ButtonDialog d;
    ImageList images;
    images.add(solid(Qt::red));
    d.button->setImages(&images);
    d.button->setImageIndex(0);
    d.button->setColor(QColor(212, 208, 200));
    ASSERT_TRUE(ctl::showActive(&d.dialog));
    auto red = [](QColor c) { return c.red() > 200 && c.green() < 60 && c.blue() < 60; };
    auto grey = [](QColor c) { return c == QColor(128, 128, 128); };

    const QImage enabled = ctl::grab(d.button);
    EXPECT_EQ(ctl::countPixels(enabled, enabled.rect(), red), 16 * 16);

    d.button->setEnabled(false);
    QTest::mouseClick(d.button, Qt::LeftButton, {}, QPoint(50, 15));
    EXPECT_EQ(d.clicks, 0);
    EXPECT_FALSE(d.button->isPressed());
    const QImage disabled = ctl::grab(d.button);
    ctl::save(d.button, "button_disabled");
    EXPECT_EQ(ctl::countPixels(disabled, disabled.rect(), red), 0);
    const QColor shadow = d.button->palette().color(QPalette::Dark);
    EXPECT_GE(ctl::countPixels(disabled, disabled.rect(), [&](QColor c) { return c == shadow; }), 16 * 16);
    EXPECT_GT(ctl::countPixels(disabled, disabled.rect(), grey), 5); // the caption in the grey colour

    // A Glpyh picture is drawn unchanged even when disabled.
    d.button->setGlpyh(solid(Qt::red));
    const QImage glyph = ctl::grab(d.button);
    EXPECT_EQ(ctl::countPixels(glyph, glyph.rect(), red), 16 * 16);
}

TEST(ZyWinButton, GradientRunsFromStartToEndColour)
{
    TZyWinButton b;
    b.resize(200, 30);
    b.setShowCaption(false);
    b.setGradient(TZyWinButton::grLeftToRight);
    b.setGradStartCl(QColor(255, 0, 0));
    b.setGradEndCl(QColor(0, 0, 255));
    QImage img = ctl::grab(&b);
    ctl::save(&b, "button_gradient");
    EXPECT_EQ(img.pixelColor(3, 15), QColor(255, 0, 0));
    EXPECT_EQ(img.pixelColor(196, 15), QColor(0, 0, 255));
    EXPECT_TRUE(ctl::near(img.pixelColor(100, 15), QColor(128, 0, 128), 10));

    b.setGradient(TZyWinButton::grBottomToTop);
    img = ctl::grab(&b);
    EXPECT_EQ(img.pixelColor(100, 28), QColor(255, 0, 0));
    EXPECT_TRUE(ctl::near(img.pixelColor(100, 2), QColor(0, 0, 255), 15));
}

TEST(ZyWinButton, DropDownMenuOpensBelowAndClosingItFinishesTheClick)
{
    ButtonDialog d;
    QMenu menu;
    menu.addAction("Bir");
    d.button->setDropDownMenu(&menu);
    ASSERT_TRUE(ctl::showActive(&d.dialog));
    QPoint openedAt;
    bool wasOpen = false;
    QTimer::singleShot(50, [&] {
        wasOpen = menu.isVisible();
        openedAt = menu.pos();
        menu.close();
    });
    QTest::mousePress(d.button, Qt::LeftButton, {}, QPoint(50, 15));
    EXPECT_TRUE(wasOpen);
    EXPECT_EQ(openedAt, d.button->mapToGlobal(QPoint(1, d.button->height() + 1)));
    EXPECT_EQ(d.clicks, 1);
    EXPECT_FALSE(d.button->isPressed());
    EXPECT_FALSE(d.button->isHeld());
}

TEST(ZyBitBtn, BoldUnderTheMouseAndModalResult)
{
    QDialog dialog;
    auto* b = new TZyBitBtn("Kaydet", &dialog);
    b->setModalResult(mrYes);
    EXPECT_EQ(b->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_FALSE(b->font().bold());
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QApplication::sendEvent(b, &enter);
    EXPECT_TRUE(b->font().bold());
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(b, &leave);
    EXPECT_FALSE(b->font().bold());

    int clicks = 0;
    QObject::connect(b, &TZyBitBtn::OnClick, [&] { ++clicks; });
    QTimer::singleShot(0, b, [b] { b->click(); });
    EXPECT_EQ(dialog.exec(), mrYes);
    EXPECT_EQ(clicks, 1);
}

TEST(ZySpeedButton, GlyphFollowsTheImageListAndIndex)
{
    auto images = std::make_unique<ImageList>();
    images->add(solid(Qt::red));
    images->add(solid(Qt::green));
    TZySpeedButton b;
    b.setIcon(QIcon(solid(Qt::yellow))); // a design-time glyph
    b.setImageIndex(1);
    b.setImageList(images.get());
    EXPECT_EQ(b.Glyph().toImage().pixelColor(3, 3), QColor(Qt::green));
    EXPECT_FALSE(b.icon().isNull());

    b.setImageIndex(0);
    EXPECT_EQ(b.Glyph().toImage().pixelColor(3, 3), QColor(Qt::red));
    images->replace(0, solid(Qt::blue));
    EXPECT_EQ(b.Glyph().toImage().pixelColor(3, 3), QColor(Qt::blue));

    b.setImageIndex(-1);
    EXPECT_TRUE(b.Glyph().isNull());
    EXPECT_TRUE(b.icon().isNull());
    b.setImageIndex(7); // a number the list does not hold
    EXPECT_TRUE(b.Glyph().isNull());

    b.setImageIndex(1);
    images.reset();
    EXPECT_EQ(b.imageList(), nullptr);
    b.setImageIndex(0); // no list: the glyph is cleared, nothing is touched
    EXPECT_TRUE(b.Glyph().isNull());
}
