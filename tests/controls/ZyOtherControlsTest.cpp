// The small controls: the bit button, the speed button, and the About texts of all.
#include "controls/ModalResult.h"
#include "controls/ZYFormHeader.h"
#include "controls/ZYOzelMenu.h"
#include "controls/ZyBitBtn.h"
#include "controls/ZyBtnEdit.h"
#include "controls/ZySpeedButton.h"
#include "controls/ZyWinButton.h"

#include <QApplication>
#include <QDialog>
#include <QEnterEvent>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {
QPixmap solid(QColor c, int size = 16)
{
    QPixmap pm(size, size);
    pm.fill(c);
    return pm;
}
} // namespace

// Every control that has one reports its own version text, and writing it changes nothing.
TEST(ZyControls, AboutIsReadOnlyWithEachControlsVersion)
{
    struct Case {
        const char* name;
        std::function<QObject*()> make;
        QString version;
    };
    const Case cases[] = {
        {"TZyWinButton", [] { return new TZyWinButton; }, "s1.06"},
        {"TZyBtnEdit", [] { return new TZyBtnEdit; }, "s1.04"},
        {"TZyDBBtnEdit", [] { return new TZyDBBtnEdit; }, "s1.04"},
        {"TZYOzelMenu", [] { return new TZYOzelMenu; }, "s1.04"},
        {"TZYFormHeader", [] { return new TZYFormHeader; }, "s1.02"},
        {"TZyBitBtn", [] { return new TZyBitBtn; }, "s1.01"},
    };
    for (const Case& c : cases) {
        std::unique_ptr<QObject> o(c.make());
        EXPECT_STREQ(o->metaObject()->className(), c.name);
        EXPECT_EQ(o->property("About").toString(), c.version) << c.name;
        o->setProperty("About", "s9.99");
        EXPECT_EQ(o->property("About").toString(), c.version) << c.name;
    }
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
