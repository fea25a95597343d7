// The person card's photograph: stored as a bitmap whatever file it came from.
#include "persons/K_KisiU.h"

#include "persons/K_KisiResim.h"
#include "shell/DialogService.h"
#include "shell/Messages.h"
#include "shell/PictureRoutines.h"

namespace {
const QString kNoPicture = QStringLiteral("Resim eklenmemiş...");
}

void TK_KisiF::reloadPhoto()
{
    const QByteArray data = hasPerson() ? KISI_DS.value(QStringLiteral("RESIM")).toByteArray() : QByteArray();
    if (data.isEmpty()) {
        DBImage1->clear();
        DBImage1->hide();
        return;
    }
    DBImage1->show();
    if (DBImage1->setData(data))
        return;
    // Reported once per person, not on every reload.
    if (m_badPhotoKey != personKey()) {
        m_badPhotoKey = personKey();
        ShowInfo(kBadPictureMessage);
    }
}

void TK_KisiF::FotoEkleClick()
{
    if (!KISI_DS.active())
        return;
    FileRequest r;
    r.caption = QStringLiteral("Fotoğraf ekle");
    r.filter = QStringLiteral("Resim dosyaları (*.jpg *.jpeg *.gif *.bmp *.JPG *.JPEG *.GIF *.BMP);;Tüm dosyalar (*)");
    const QString file = DialogService::instance().openFile(this, r);
    if (file.isEmpty())
        return;
    QImage image;
    try {
        image = LoadPictureFile(file);
    } catch (const PictureError& e) {
        ShowInfo(e.text());
        return;
    }
    if (image.isNull())
        return;
    runGuarded([this, &image] {
        if (!KISI_DS.isEditing())
            KISI_DS.edit();
        KISI_DS.setValue(QStringLiteral("RESIM"), PictureToBmp(image));
        DBImage1->setImage(image);
        DBImage1->show();
    });
}

void TK_KisiF::FotoGosterClick()
{
    const QByteArray data = hasPerson() ? KISI_DS.value(QStringLiteral("RESIM")).toByteArray() : QByteArray();
    if (data.isEmpty()) {
        ShowInfo(kNoPicture);
        return;
    }
    const QImage image = PictureFromBmp(data);
    if (image.isNull()) {
        ShowInfo(kBadPictureMessage);
        return;
    }
    ShowPictureFullSize(image, this);
}

void TK_KisiF::FotoKaldirClick()
{
    if (!hasPerson() || KISI_DS.value(QStringLiteral("RESIM")).toByteArray().isEmpty()) {
        ShowInfo(kNoPicture);
        return;
    }
    runGuarded([this] {
        if (!KISI_DS.isEditing())
            KISI_DS.edit();
        KISI_DS.setValue(QStringLiteral("RESIM"), QVariant());
        DBImage1->clear();
    });
}
