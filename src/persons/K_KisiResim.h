#pragma once
// Photographs of persons: RESIM always holds a Windows bitmap, whatever file it came from.
#include <QByteArray>
#include <QImage>
#include <QString>
#include <QWidget>

// The text shown when a stored photograph cannot be read as a bitmap.
inline const QString kBadPictureMessage =
    QStringLiteral("Kişinin kayıtlı fotoğrafı okunamadı: kayıt geçerli bir bitmap (BMP) resmi içermiyor.");

// The picture as the bytes of a BMP file.
QByteArray PictureToBmp(const QImage& image);

// The stored photograph; a null image when the data is empty or not a bitmap (then *bad is set
// for data that is there but unreadable).
QImage PictureFromBmp(const QByteArray& data, bool* bad = nullptr);

// A photograph box: the picture stretched to the box keeping its proportions, centred. A box
// given unreadable data says so in place of the picture.
class TKisiResim : public QWidget {
    Q_OBJECT
public:
    explicit TKisiResim(QWidget* parent = nullptr);

    // Empty data clears the box. Returns false for data that is not a bitmap.
    bool setData(const QByteArray& data);
    void setImage(const QImage& image);
    void clear();

    const QImage& image() const { return m_image; }
    bool isBad() const { return m_bad; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_image;
    bool m_bad = false;
};
