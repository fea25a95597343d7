// The person card's photograph: loaded from JPEG, GIF or BMP files and stored as a bitmap;
// refused files and unreadable stored data give their messages and change nothing.
#include "card_fixture.h"

#include "persons/K_KisiResim.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QImage>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

namespace {

class CardPhoto : public CardTest {
protected:
    QByteArray storedPhoto(qint64 key) { return committed(key, "RESIM").toByteArray(); }
};

// A 1x1 GIF89a whose only pixel is pure red (Qt writes no GIF).
const QByteArray kRedGif = QByteArray::fromHex("474946383961" "01000100" "800000" "ff0000" "000000"
                                               "2c" "00000000" "01000100" "00" "02" "02" "4401" "00" "3b");

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    QFile f(dir.filePath(name));
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    return f.fileName();
}

QString writeImage(const QTemporaryDir& dir, const QString& name, const char* format, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(0, 0, 255));
    EXPECT_TRUE(image.save(dir.filePath(name), format));
    return dir.filePath(name);
}

TEST_F(CardPhoto, PicturesOfEachFormatAreStoredAsBitmaps)
{
    QTemporaryDir dir;
    struct Case {
        QString file;
        QSize size;
    };
    const Case cases[] = {
        {writeImage(dir, "foto.jpg", "JPEG", {40, 30}), {40, 30}},
        {writeImage(dir, "FOTO.JPEG", "JPEG", {20, 50}), {20, 50}},
        {writeFile(dir, "kucuk.gif", kRedGif), {1, 1}},
        {writeImage(dir, "foto.bmp", "BMP", {33, 17}), {33, 17}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.file.toStdString());
        const qint64 p = db.addPerson("Ali", "Demir", "0");
        auto c = card(p);
        EXPECT_FALSE(c->DBImage1->isVisibleTo(c.get()));
        fake.files = {k.file};
        c->BtnFotoEkle->click();
        EXPECT_TRUE(fake.messages.empty()) << fake.lastText().toStdString();
        EXPECT_EQ(c->KISI_DS.state(), Dataset::State::Edit);
        EXPECT_TRUE(c->DBImage1->isVisibleTo(c.get()));
        c->PostClick();
        const QByteArray stored = storedPhoto(p);
        ASSERT_TRUE(stored.startsWith("BM"));
        EXPECT_EQ(PictureFromBmp(stored).size(), k.size);
        c.reset();

        // Shown again when the card is opened next time.
        c = card(p);
        EXPECT_TRUE(c->DBImage1->isVisibleTo(c.get()));
        EXPECT_EQ(c->DBImage1->image().size(), k.size);
    }
}

TEST_F(CardPhoto, RefusedFilesChangeNothing)
{
    QTemporaryDir dir;
    const qint64 p = db.addPerson("Ali", "Demir", "0");
    auto c = card(p);
    const QString missing = dir.filePath("yok.jpg");
    struct Case {
        QString file;
        QString message;
    };
    const Case cases[] = {
        {writeImage(dir, "foto.png", "PNG", {10, 10}), "Geçersiz resim formatı..."},
        {missing, missing + " Resim dosyası bulunamadı..."},
        // The extension decides the decoder: content that is no JPEG cannot be read.
        {writeFile(dir, "sahte.jpg", QByteArray(200, '\x11')), ""},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.file.toStdString());
        fake.messages.clear();
        fake.files = {k.file};
        c->BtnFotoEkle->click();
        ASSERT_EQ(fake.messages.size(), 1u);
        if (!k.message.isEmpty())
            EXPECT_EQ(fake.lastText(), k.message);
        else
            EXPECT_TRUE(fake.lastText().contains("sahte.jpg")) << fake.lastText().toStdString();
        EXPECT_EQ(c->KISI_DS.state(), Dataset::State::Browse);
        EXPECT_TRUE(c->KISI_DS.isNull("RESIM"));
    }
    // No file chosen: nothing at all.
    fake.messages.clear();
    c->BtnFotoEkle->click();
    EXPECT_TRUE(fake.messages.empty());
    EXPECT_EQ(c->KISI_DS.state(), Dataset::State::Browse);
}

TEST_F(CardPhoto, ShowingAndRemovingNeedAPicture)
{
    QTemporaryDir dir;
    const qint64 p = db.addPerson("Ali", "Demir", "0");
    auto c = card(p);
    for (QPushButton* b : {c->BtnFotoGoster, c->BtnFotoKaldir}) {
        fake.messages.clear();
        b->click();
        ASSERT_EQ(fake.messages.size(), 1u);
        EXPECT_EQ(fake.lastText(), "Resim eklenmemiş...");
        EXPECT_EQ(c->KISI_DS.state(), Dataset::State::Browse);
    }

    fake.files = {writeImage(dir, "foto.bmp", "BMP", {64, 48})};
    c->BtnFotoEkle->click();
    c->PostClick();
    fake.messages.clear();
    QSize shown;
    QTimer::singleShot(0, [&shown] {
        auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr);
        shown = d->size();
        d->reject();
    });
    c->BtnFotoGoster->click();
    EXPECT_EQ(shown, QSize(64, 48));
    EXPECT_TRUE(fake.messages.empty());

    c->BtnFotoKaldir->click();
    EXPECT_EQ(c->KISI_DS.state(), Dataset::State::Edit);
    EXPECT_TRUE(c->DBImage1->image().isNull());
    c->PostClick();
    EXPECT_TRUE(storedPhoto(p).isEmpty());
}

TEST_F(CardPhoto, AStoredPictureThatIsNoBitmapIsReportedNotShown)
{
    QTemporaryDir dir;
    const qint64 p = db.addPerson("Ali", "Demir", "0");
    // Another program stored a PNG.
    const QString png = writeImage(dir, "foto.png", "PNG", {8, 8});
    QFile f(png);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray pngBytes = f.readAll();
    setColumn(p, "RESIM", "x'" + QString::fromLatin1(pngBytes.toHex()) + "'");
    ASSERT_EQ(storedPhoto(p), pngBytes);

    auto c = card(p);
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(fake.lastText(), kBadPictureMessage);
    EXPECT_TRUE(c->DBImage1->isBad());
    // Reported once per person, not at every reload.
    c->RefreshClick();
    EXPECT_EQ(fake.messages.size(), 1u);
    c->BtnFotoGoster->click();
    EXPECT_EQ(fake.messages.size(), 2u);
    EXPECT_EQ(fake.lastText(), kBadPictureMessage);
    // The data stays until the user replaces or removes it.
    EXPECT_EQ(storedPhoto(p), pngBytes);
    c->BtnFotoKaldir->click();
    c->PostClick();
    EXPECT_TRUE(storedPhoto(p).isEmpty());
}

} // namespace
