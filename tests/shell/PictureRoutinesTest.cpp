// Loading photographs by extension and showing a picture at its own size.
#include "TestSupport.h"

#include "shell/GeneralRoutines.h"
#include "shell/PictureRoutines.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {
QString writeImage(const QTemporaryDir& dir, const QString& name, const char* format, QSize size = {40, 30})
{
    QImage img(size, QImage::Format_RGB32);
    img.fill(QColor(200, 30, 40));
    const QString path = dir.filePath(name);
    EXPECT_TRUE(img.save(path, format)) << name.toStdString();
    return path;
}

QString writeBytes(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    const QString path = dir.filePath(name);
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    return path;
}

// A 1x1 GIF89a whose only pixel is palette colour 0, pure red (Qt writes no GIF).
const QByteArray kRedGif = QByteArray::fromHex("474946383961" "01000100" "800000" "ff0000" "000000"
                                               "2c" "00000000" "01000100" "00" "02" "02" "4401" "00" "3b");

bool nearlyRed(QRgb c) { return qRed(c) > 170 && qGreen(c) < 70 && qBlue(c) < 70; }
} // namespace

TEST(LoadPictureFileTest, DecodesByExtensionInAnyCase)
{
    QTemporaryDir dir;
    FakeDialogService dialogs;
    const QString files[] = {
        writeImage(dir, QStringLiteral("foto.jpg"), "JPEG"),
        writeImage(dir, QStringLiteral("FOTO2.JPG"), "JPEG"),
        writeImage(dir, QStringLiteral("foto3.Jpeg"), "JPEG"),
        writeImage(dir, QStringLiteral("foto4.bmp"), "BMP"),
        writeImage(dir, QStringLiteral("FOTO5.BMP"), "BMP"),
    };
    for (const QString& f : files) {
        const QImage img = LoadPictureFile(f);
        ASSERT_FALSE(img.isNull()) << f.toStdString();
        EXPECT_EQ(img.size(), QSize(40, 30));
        EXPECT_TRUE(nearlyRed(img.pixel(20, 15))) << f.toStdString();
    }
    for (const QString& name : {QStringLiteral("kucuk.gif"), QStringLiteral("KUCUK.GIF")}) {
        const QImage gif = LoadPictureFile(writeBytes(dir, name, kRedGif));
        ASSERT_FALSE(gif.isNull());
        EXPECT_EQ(gif.size(), QSize(1, 1));
        EXPECT_EQ(gif.pixel(0, 0), qRgb(255, 0, 0));
    }
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST(LoadPictureFileTest, MissingFileAndOtherExtensionsAreReported)
{
    QTemporaryDir dir;
    FakeDialogService dialogs;
    const QString missing = dir.filePath(QStringLiteral("yok.jpg"));
    EXPECT_TRUE(LoadPictureFile(missing).isNull());
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, missing + QStringLiteral(" Resim dosyası bulunamadı..."));
    EXPECT_EQ(dialogs.messages[0].icon, MsgIcon::Information);

    // A folder is no picture file either.
    EXPECT_TRUE(LoadPictureFile(dir.path()).isNull());
    EXPECT_EQ(dialogs.messages.size(), 2u);

    const QString refused[] = {
        writeImage(dir, QStringLiteral("resim.png"), "PNG"),
        writeImage(dir, QStringLiteral("resim.PNG"), "PNG"),
        writeImage(dir, QStringLiteral("resim"), "BMP"),
        writeImage(dir, QStringLiteral("resim.jpg.txt"), "JPEG"),
    };
    for (const QString& f : refused) {
        dialogs.messages.clear();
        EXPECT_TRUE(LoadPictureFile(f).isNull()) << f.toStdString();
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("Geçersiz resim formatı..."));
    }
}

TEST(LoadPictureFileTest, ContentNotMatchingItsExtensionRaises)
{
    QTemporaryDir dir;
    FakeDialogService dialogs;
    QImage png(8, 8, QImage::Format_RGB32);
    png.fill(Qt::blue);
    const QString mislabelled = dir.filePath(QStringLiteral("aslinda-png.jpg"));
    ASSERT_TRUE(png.save(mislabelled, "PNG"));

    QByteArray truncatedGif = kRedGif.left(10);
    const QString bad[] = {
        writeBytes(dir, QStringLiteral("cop.jpg"), QByteArray("bu bir resim degil, sadece metin")),
        writeBytes(dir, QStringLiteral("bos.jpeg"), QByteArray()),
        writeBytes(dir, QStringLiteral("cop.gif"), QByteArray(300, '\x7f')),
        writeBytes(dir, QStringLiteral("yarim.gif"), truncatedGif),
        writeBytes(dir, QStringLiteral("cop.bmp"), QByteArray("BM garbage that is not a bitmap")),
        mislabelled,
        writeImage(dir, QStringLiteral("aslinda-jpeg.bmp"), "JPEG"),
    };
    for (const QString& f : bad) {
        try {
            LoadPictureFile(f);
            ADD_FAILURE() << "no error for " << f.toStdString();
        } catch (const PictureError& e) {
            EXPECT_TRUE(e.text().contains(QStringLiteral("okunamadı"))) << e.text().toStdString();
            EXPECT_TRUE(e.text().contains(f));
        }
    }
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST(ShowPictureFullSizeTest, WindowIsThePictureCentredAndEscapeCloses)
{
    SetMainWindowCaptionSource([] { return QStringLiteral("MERVATON Tavrion s1.02.08f"); });
    QImage picture(123, 77, QImage::Format_RGB32);
    picture.fill(Qt::darkGreen);
    std::unique_ptr<QDialog> dlg(BuildPictureFullSizeDialog(picture));
    SetMainWindowCaptionSource(nullptr);

    EXPECT_EQ(dlg->size(), QSize(123, 77));
    EXPECT_EQ(dlg->minimumSize(), dlg->maximumSize()); // not resizable
    EXPECT_EQ(dlg->windowTitle(), QStringLiteral("MERVATON Tavrion s1.02.08f"));
    const Qt::WindowFlags flags = dlg->windowFlags();
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowContextHelpButtonHint);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(dlg->pos(), QPoint(screen.x() + (screen.width() - 123) / 2, screen.y() + (screen.height() - 77) / 2));

    bool escaped = false;
    QTimer::singleShot(50, [&] {
        escaped = true;
        QTest::keyClick(dlg.get(), Qt::Key_Escape);
    });
    QTimer guard;
    QObject::connect(&guard, &QTimer::timeout, [&] { dlg->done(99); });
    guard.start(3000);
    const int result = dlg->exec();
    EXPECT_TRUE(escaped);
    EXPECT_EQ(result, int(QDialog::Rejected));
    EXPECT_EQ(dlg->size(), QSize(123, 77)); // as shown
}

TEST(ShowPictureFullSizeTest, PictureLargerThanTheScreenStartsOffItsCorner)
{
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QImage big(screen.width() + 401, screen.height() + 301, QImage::Format_RGB32);
    big.fill(Qt::gray);
    std::unique_ptr<QDialog> dlg(BuildPictureFullSizeDialog(big));
    EXPECT_EQ(dlg->size(), big.size());
    EXPECT_EQ(dlg->pos(), QPoint(screen.x() + (-401) / 2, screen.y() + (-301) / 2)); // truncated toward zero
}
