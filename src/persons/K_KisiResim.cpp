#include "persons/K_KisiResim.h"

#include <QBuffer>
#include <QPainter>

QByteArray PictureToBmp(const QImage& image)
{
    QByteArray out;
    if (image.isNull())
        return out;
    QBuffer buf(&out);
    buf.open(QIODevice::WriteOnly);
    // 24-bit bitmaps: what every reader of the format understands.
    image.convertToFormat(QImage::Format_RGB888).save(&buf, "BMP");
    return out;
}

QImage PictureFromBmp(const QByteArray& data, bool* bad)
{
    if (bad)
        *bad = false;
    if (data.isEmpty())
        return {};
    QImage image;
    // Only a bitmap is accepted: the column is defined to hold one.
    if (!data.startsWith("BM") || !image.loadFromData(data, "BMP")) {
        if (bad)
            *bad = true;
        return {};
    }
    return image;
}

TKisiResim::TKisiResim(QWidget* parent) : QWidget(parent)
{
    setMinimumSize(40, 40);
}

bool TKisiResim::setData(const QByteArray& data)
{
    bool bad = false;
    m_image = PictureFromBmp(data, &bad);
    m_bad = bad;
    update();
    return !bad;
}

void TKisiResim::setImage(const QImage& image)
{
    m_image = image;
    m_bad = false;
    update();
}

void TKisiResim::clear()
{
    m_image = QImage();
    m_bad = false;
    update();
}

void TKisiResim::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (m_bad) {
        p.drawText(rect().adjusted(2, 2, -2, -2), Qt::AlignCenter | Qt::TextWordWrap, QStringLiteral("Resim okunamadı"));
        return;
    }
    if (m_image.isNull())
        return;
    const QSize s = m_image.size().scaled(size(), Qt::KeepAspectRatio);
    const QRect r(QPoint((width() - s.width()) / 2, (height() - s.height()) / 2), s);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(r, m_image);
}
