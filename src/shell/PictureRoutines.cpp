#include "shell/PictureRoutines.h"

#include "shell/GeneralRoutines.h"
#include "shell/Messages.h"

#include <QDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>

#include <memory>

namespace {
QImage decode(const QString& file, const char* format, const char* formatName)
{
    QImageReader reader(file, format);
    // The extension decides the decoder; content of another kind is an error, not a guess.
    reader.setAutoDetectImageFormat(false);
    reader.setDecideFormatFromContent(false);
    QImage image = reader.read();
    if (image.isNull())
        throw PictureError(QStringLiteral("%1 resim dosyası okunamadı: dosyanın içeriği geçerli bir %2 resmi değil.\r\n(%3)")
                               .arg(file, QLatin1String(formatName), reader.errorString()));
    return image;
}
} // namespace

QImage LoadPictureFile(const QString& file)
{
    const QFileInfo info(file);
    if (!info.isFile()) {
        ShowInfo(file + QStringLiteral(" Resim dosyası bulunamadı..."));
        return {};
    }
    const QString ext = info.suffix().toLower();
    if (ext == QLatin1String("bmp"))
        return decode(file, "bmp", "BMP");
    QImage image;
    if (ext == QLatin1String("jpg") || ext == QLatin1String("jpeg"))
        image = decode(file, "jpeg", "JPEG");
    else if (ext == QLatin1String("gif"))
        image = decode(file, "gif", "GIF");
    else {
        ShowInfo(QStringLiteral("Geçersiz resim formatı..."));
        return {};
    }
    // Drawn onto a plain bitmap: transparent GIF pixels become white.
    QImage bitmap(image.size(), QImage::Format_RGB32);
    bitmap.fill(Qt::white);
    QPainter p(&bitmap);
    p.drawImage(0, 0, image);
    p.end();
    return bitmap;
}

QDialog* BuildPictureFullSizeDialog(const QImage& image, QWidget* parent)
{
    auto* dlg = new QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                                        | Qt::WindowCloseButtonHint);
    dlg->setObjectName(QStringLiteral("PictureFullSize"));
    dlg->resize(100, 100);

    auto* layout = new QVBoxLayout(dlg);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* picture = new QLabel(dlg);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setAlignment(Qt::AlignCenter);
    picture->setPixmap(QPixmap::fromImage(image));
    layout->addWidget(picture);

    dlg->setWindowTitle(MainWindowCaption());
    // Fixed size, no resizing: the window is exactly the picture. Escape rejects a QDialog.
    dlg->setFixedSize(image.isNull() ? QSize(100, 100) : image.size());
    QRect screen(0, 0, 0, 0);
    if (QScreen* s = parent && parent->screen() ? parent->screen() : QGuiApplication::primaryScreen())
        screen = s->geometry();
    // Halves truncated toward zero: a picture larger than the screen starts off its top-left.
    dlg->move(screen.x() + (screen.width() - dlg->width()) / 2, screen.y() + (screen.height() - dlg->height()) / 2);
    return dlg;
}

void ShowPictureFullSize(const QImage& image, QWidget* parent)
{
    std::unique_ptr<QDialog> dlg(BuildPictureFullSizeDialog(image, parent));
    dlg->exec();
}
