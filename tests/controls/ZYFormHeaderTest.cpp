#include "controls/ZYFormHeader.h"
#include "ControlsTestUtil.h"

#include <QLabel>
#include <QSet>

#include <memory>

#include <gtest/gtest.h>

namespace {
bool whiteish(QColor c) { return c.red() > 240 && c.green() > 240 && c.blue() > 240; }
} // namespace

TEST(ZYFormHeader, GradientFromStartToEndWithTheCircleWhenThereIsNoImage)
{
    TZYFormHeader h;
    h.resize(300, 30);
    EXPECT_EQ(h.height(), 30);
    EXPECT_EQ(h.StartColor(), QColor(99, 147, 206));
    EXPECT_EQ(h.EndColor(), QColor(229, 239, 255));
    h.setTitle(QString::fromUtf8("Kişi Kartı"));
    const QImage img = ctl::grab(&h);
    ctl::save(&h, "header_circle");

    EXPECT_EQ(img.pixelColor(3, 2), QColor(99, 147, 206));
    EXPECT_EQ(img.pixelColor(296, 2), QColor(229, 239, 255));
    EXPECT_EQ(img.pixelColor(299, 2), QColor(229, 239, 255)); // the fill covers the right bevel
    QSet<QRgb> bands;
    for (int x = 1; x < 300; ++x)
        bands.insert(img.pixel(x, 2));
    EXPECT_EQ(bands.size(), 50);
    // The circle: filled with EndColor, outlined in black, at x 15..34.
    EXPECT_EQ(img.pixelColor(25, 15), QColor(229, 239, 255));
    EXPECT_EQ(img.pixelColor(15, 15), QColor(Qt::black));
    EXPECT_FALSE(ctl::near(img.pixelColor(10, 15), QColor(229, 239, 255), 30));
    // The title in white from x 40 on.
    EXPECT_GT(ctl::countPixels(img, QRect(40, 3, 150, 24), whiteish), 20);
    EXPECT_EQ(ctl::countPixels(img, QRect(36, 3, 4, 24), whiteish), 0);
    EXPECT_FALSE(h.titleLabel()->isVisible());
}

TEST(ZYFormHeader, ImageListPictureTakesThePlaceOfTheCircle)
{
    ImageList images;
    QPixmap red(16, 16);
    red.fill(Qt::red);
    images.add(red);
    TZYFormHeader h;
    h.resize(300, 30);
    h.setImageList(&images);
    h.setImageIndex(0);
    const QImage img = ctl::grab(&h);
    ctl::save(&h, "header_image");
    EXPECT_EQ(img.pixelColor(5, 7), QColor(Qt::red)); // x 5, y = 30/2 - 16/2
    EXPECT_EQ(img.pixelColor(20, 22), QColor(Qt::red));
    EXPECT_NE(img.pixelColor(25, 15), QColor(229, 239, 255)); // no circle
}

TEST(ZYFormHeader, MenuItemGivesTitleAndPicture)
{
    QPixmap green(16, 16);
    green.fill(Qt::green);
    auto* action = new QAction(QIcon(green), QString::fromUtf8("&Kişi Kart &Kaydı"));
    TZYFormHeader h;
    h.resize(300, 30);
    h.setMenuItem(action);
    EXPECT_EQ(h.Title(), QString::fromUtf8("Kişi Kart Kaydı"));
    EXPECT_EQ(h.titleLabel()->text(), h.Title());
    const QImage img = ctl::grab(&h);
    ctl::save(&h, "header_menuitem");
    EXPECT_EQ(img.pixelColor(10, 15), QColor(Qt::green));
    delete action;
    EXPECT_EQ(h.MenuItem(), nullptr);
}

TEST(ZYFormHeader, DefaultsAndTheHiddenTitleLabel)
{
    TZYFormHeader h;
    EXPECT_EQ(h.height(), 30);
    EXPECT_EQ(h.ImageIndex(), -1);
    EXPECT_EQ(h.TitleFont().pointSize(), 14);
    EXPECT_TRUE(h.TitleFont().bold());
    EXPECT_EQ(h.TitleFontColor(), QColor(Qt::white));
    EXPECT_EQ(h.frameShadow(), QFrame::Sunken);
    EXPECT_EQ(h.lineWidth(), 2);
    h.resize(300, 40);
    h.setTitle("Yedekleme");
    EXPECT_EQ(h.titleLabel()->text(), "Yedekleme");
    EXPECT_EQ(h.titleLabel()->x(), 40);
    EXPECT_EQ(h.titleLabel()->y(), (40 - h.titleLabel()->height()) / 2);
    h.show();
    h.resize(300, 60); // centred again when the height changes
    EXPECT_EQ(h.titleLabel()->y(), (60 - h.titleLabel()->height()) / 2);
    EXPECT_TRUE(h.titleLabel()->isHidden());
}

TEST(ZYFormHeader, MenuItemImageNumberAndALostImageList)
{
    auto images = std::make_unique<ImageList>();
    QPixmap red(16, 16), blue(16, 16);
    red.fill(Qt::red);
    blue.fill(Qt::blue);
    images->add(red);
    images->add(blue);
    QAction action(QString::fromUtf8("&Yedek Al"));
    action.setProperty("ImageIndex", 1);
    TZYFormHeader h;
    h.resize(300, 30);
    h.setImageList(images.get());
    h.setMenuItem(&action);
    EXPECT_EQ(h.ImageIndex(), 1);
    EXPECT_EQ(h.Title(), "Yedek Al");
    EXPECT_EQ(ctl::grab(&h).pixelColor(10, 15), QColor(Qt::blue));

    h.setImageIndex(5); // a number the list does not hold: the circle
    EXPECT_EQ(ctl::grab(&h).pixelColor(25, 15), QColor(229, 239, 255));
    h.setImageIndex(0);
    EXPECT_EQ(ctl::grab(&h).pixelColor(10, 15), QColor(Qt::red));
    images.reset();
    EXPECT_EQ(h.imageList(), nullptr);
    EXPECT_EQ(ctl::grab(&h).pixelColor(25, 15), QColor(229, 239, 255));
}
