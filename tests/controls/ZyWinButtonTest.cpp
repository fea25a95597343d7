#include "controls/ModalResult.h"
#include "controls/ZyWinButton.h"
#include "ControlsTestUtil.h"

#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QSet>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

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

// A 16x16 picture without alpha: a 12x12 square of `c` on magenta, the colour of its
// bottom-left pixel and so its transparent colour.
QPixmap keyed(QColor c)
{
    QPixmap pm(16, 16);
    pm.fill(Qt::magenta);
    QPainter p(&pm);
    p.fillRect(2, 2, 12, 12, c);
    return pm;
}

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

// The painted picture and caption stand where the layout says, normal and pressed.
TEST(ZyWinButton, PaintedContentFollowsTheLayout)
{
    using B = TZyWinButton;
    TZyWinButton b;
    b.resize(120, 60);
    b.setColor(QColor(212, 208, 200));
    b.setCaption("Kaydet");
    b.setGlpyh(keyed(Qt::red));
    const QFontMetrics fm(b.font());
    const QSize cap(fm.horizontalAdvance("Kaydet"), fm.height());
    auto redBox = [](const QImage& img) {
        QRect box;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if (img.pixelColor(x, y) == QColor(Qt::red))
                    box |= QRect(x, y, 1, 1);
        return box;
    };
    auto inkBox = [](const QImage& img, const QRect& within) {
        QRect box;
        for (int y = within.top(); y <= within.bottom(); ++y)
            for (int x = within.left(); x <= within.right(); ++x)
                if (img.pixelColor(x, y).lightness() < 100)
                    box |= QRect(x, y, 1, 1);
        return box;
    };
    for (B::TPicPos align : {B::poLeft, B::poRight, B::poTop, B::poBottom}) {
        b.setGlphyAlign(align);
        const B::ContentLayout l = B::layoutContent(b.size(), QSize(16, 16), cap, align, 0);
        const QImage img = ctl::grab(&b);
        EXPECT_EQ(redBox(img), l.picture.adjusted(2, 2, -2, -2)) << int(align); // the 12x12 square inside the key colour
        // The caption's ink lies inside its box (the face is light, the edges are left out).
        const QRect ink = inkBox(img, QRect(2, 2, b.width() - 4, b.height() - 4)); // red is too light to count
        EXPECT_FALSE(ink.isEmpty()) << int(align);
        EXPECT_TRUE(l.caption.adjusted(-1, -1, 1, 1).contains(ink)) << int(align) << " ink " << ink.x() << "," << ink.y();
    }
    // Without a caption the picture is centred; with ShowCaption off as well.
    b.setShowCaption(false);
    EXPECT_EQ(redBox(ctl::grab(&b)), QRect(60 - 8 + 2, 30 - 8 + 2, 12, 12));
    b.setShowCaption(true);
    b.setCaption(QString());
    EXPECT_EQ(redBox(ctl::grab(&b)), QRect(60 - 8 + 2, 30 - 8 + 2, 12, 12));
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
    images.add(keyed(Qt::red));
    d.button->setImages(&images);
    d.button->setImageIndex(0);
    d.button->setColor(QColor(212, 208, 200));
    ASSERT_TRUE(ctl::showActive(&d.dialog));
    d.other->setFocus();
    auto red = [](QColor c) { return c.red() > 200 && c.green() < 60 && c.blue() < 60; };
    auto magenta = [](QColor c) { return c == QColor(Qt::magenta); };
    auto grey = [](QColor c) { return c == QColor(128, 128, 128); };
    const QRect inside(2, 2, d.button->width() - 4, d.button->height() - 4); // within the edges

    const QImage enabled = ctl::grab(d.button);
    EXPECT_EQ(ctl::countPixels(enabled, enabled.rect(), red), 12 * 12);
    EXPECT_EQ(ctl::countPixels(enabled, enabled.rect(), magenta), 0); // the transparent colour became the face

    d.button->setEnabled(false);
    QTest::mouseClick(d.button, Qt::LeftButton, {}, QPoint(50, 15));
    EXPECT_EQ(d.clicks, 0);
    EXPECT_FALSE(d.button->isPressed());
    const QImage disabled = ctl::grab(d.button);
    ctl::save(d.button, "button_disabled");
    EXPECT_EQ(ctl::countPixels(disabled, disabled.rect(), red), 0);
    EXPECT_EQ(ctl::countPixels(disabled, disabled.rect(), magenta), 0);
    // Embossed: the shape in the shadow colour, its highlight copy showing along the right and bottom.
    const QColor shadow = d.button->palette().color(QPalette::Dark);
    const QColor light = d.button->palette().color(QPalette::Light);
    ASSERT_NE(shadow, light);
    EXPECT_EQ(ctl::countPixels(disabled, inside, [&](QColor c) { return c == shadow; }), 12 * 12);
    EXPECT_EQ(ctl::countPixels(disabled, inside, [&](QColor c) { return c == light; }), 12 + 12 - 1);
    EXPECT_GT(ctl::countPixels(disabled, disabled.rect(), grey), 5); // the caption in the grey colour

    // A Glpyh picture is drawn unchanged even when disabled.
    d.button->setGlpyh(keyed(Qt::red));
    const QImage glyph = ctl::grab(d.button);
    EXPECT_EQ(ctl::countPixels(glyph, glyph.rect(), red), 12 * 12);

    d.button->setEnabled(true);
    QTest::mouseClick(d.button, Qt::LeftButton, {}, QPoint(50, 15));
    EXPECT_EQ(d.clicks, 1);
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
    EXPECT_EQ(img.pixelColor(100, 28), QColor(Qt::black)); // the 2-pixel dark edge
    // The lowest row of the face shows the second band: the first lies under the dark edge.
    EXPECT_TRUE(ctl::near(img.pixelColor(100, 27), QColor(255, 0, 0), 10));
    EXPECT_TRUE(ctl::near(img.pixelColor(100, 2), QColor(0, 0, 255), 15));
}

TEST(ZyWinButton, GradientHasFiftyBandsInEachDirection)
{
    TZyWinButton b;
    b.resize(300, 120);
    b.setShowCaption(false);
    b.setGradStartCl(QColor(0, 200, 0));
    b.setGradEndCl(QColor(200, 0, 100));
    struct Case {
        TZyWinButton::TZyGradient gradient;
        QPoint startAt, endAt;
        bool vertical;
    };
    // Points just inside the highlight and the dark edge.
    const Case cases[] = {
        {TZyWinButton::grLeftToRight, {2, 60}, {297, 60}, false},
        {TZyWinButton::grRightToLeft, {297, 60}, {2, 60}, false},
        {TZyWinButton::grTopToBottom, {150, 2}, {150, 117}, true},
        {TZyWinButton::grBottomToTop, {150, 117}, {150, 2}, true},
    };
    for (const Case& c : cases) {
        b.setGradient(c.gradient);
        const QImage img = ctl::grab(&b);
        EXPECT_EQ(img.pixelColor(c.startAt), QColor(0, 200, 0)) << int(c.gradient);
        EXPECT_EQ(img.pixelColor(c.endAt), QColor(200, 0, 100)) << int(c.gradient);
        QSet<QRgb> bands;
        const int from = 2, to = c.vertical ? 117 : 297;
        for (int i = from; i <= to; ++i)
            bands.insert(img.pixel(c.vertical ? QPoint(150, i) : QPoint(i, 60)));
        EXPECT_EQ(bands.size(), 50) << int(c.gradient);
    }
    b.setGradient(TZyWinButton::grNone);
    b.setColor(QColor(10, 20, 30));
    EXPECT_EQ(ctl::grab(&b).pixelColor(150, 60), QColor(10, 20, 30));
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

TEST(ZyWinButton, SpaceAndEnterOpenTheDropDownWithoutClicking)
{
    for (Qt::Key key : {Qt::Key_Space, Qt::Key_Return}) {
        ButtonDialog d;
        QMenu menu;
        menu.addAction("Bir");
        d.button->setDropDownMenu(&menu);
        ASSERT_TRUE(ctl::showActive(&d.dialog));
        d.button->setFocus();
        bool wasOpen = false;
        QTimer::singleShot(50, [&] {
            wasOpen = menu.isVisible();
            menu.close();
        });
        QTest::keyPress(d.button, key);
        EXPECT_TRUE(wasOpen) << key;
        QTest::keyRelease(d.button, key);
        EXPECT_EQ(d.clicks, 0) << key;
        EXPECT_FALSE(d.button->isPressed()) << key;
    }
}

TEST(ZyWinButton, RightButtonOpensThePopupMenuAtTheMouse)
{
    ButtonDialog d;
    QMenu popup;
    popup.addAction("Bir");
    ASSERT_TRUE(ctl::showActive(&d.dialog));
    QTest::mouseClick(d.button, Qt::RightButton, {}, QPoint(30, 10)); // no menu: nothing happens
    EXPECT_EQ(d.clicks, 0);
    d.button->setPopupMenu(&popup);
    QTest::mousePress(d.button, Qt::RightButton, {}, QPoint(30, 10));
    EXPECT_TRUE(popup.isVisible());
    EXPECT_EQ(popup.pos(), d.button->mapToGlobal(QPoint(30, 10)));
    EXPECT_FALSE(d.button->isPressed());
    popup.close();
    EXPECT_EQ(d.clicks, 0);
}

TEST(ZyWinButton, MouseOverDrawsTheCaptionInOverCol)
{
    ButtonDialog d;
    d.button->setOverCol(QColor(0, 160, 0));
    ASSERT_TRUE(ctl::showActive(&d.dialog));
    d.other->setFocus(); // the focused look would draw OverCol too
    auto over = [](QColor c) { return c == QColor(0, 160, 0); };
    EXPECT_EQ(ctl::countPixels(ctl::grab(d.button), d.button->rect(), over), 0);
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(d.button->mapToGlobal(QPoint(5, 5))));
    QApplication::sendEvent(d.button, &enter);
    EXPECT_GT(ctl::countPixels(ctl::grab(d.button), d.button->rect(), over), 10);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(d.button, &leave);
    EXPECT_EQ(ctl::countPixels(ctl::grab(d.button), d.button->rect(), over), 0);

    // A disabled button takes no notice of the mouse.
    d.button->setEnabled(false);
    QApplication::sendEvent(d.button, &enter);
    EXPECT_EQ(ctl::countPixels(ctl::grab(d.button), d.button->rect(), over), 0);
}

TEST(ZyWinButton, DestroyedImageListAndMenusAreDropped)
{
    TZyWinButton b;
    b.setShowCaption(false);
    auto images = std::make_unique<ImageList>();
    images->add(keyed(Qt::red));
    auto menu = std::make_unique<QMenu>();
    auto popup = std::make_unique<QMenu>();
    b.setImages(images.get());
    b.setImageIndex(0);
    b.setDropDownMenu(menu.get());
    b.setPopupMenu(popup.get());
    auto red = [](QColor c) { return c == QColor(Qt::red); };
    EXPECT_EQ(ctl::countPixels(ctl::grab(&b), b.rect(), red), 12 * 12);
    images.reset();
    menu.reset();
    popup.reset();
    EXPECT_EQ(b.Images(), nullptr);
    EXPECT_EQ(b.DropDownMenu(), nullptr);
    EXPECT_EQ(b.PopupMenu(), nullptr);
    EXPECT_EQ(ctl::countPixels(ctl::grab(&b), b.rect(), red), 0);
}
