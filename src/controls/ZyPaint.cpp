#include "controls/ZyPaint.h"

#include <QBitmap>
#include <QImage>
#include <QPainter>

namespace zypaint {

void frameRect(QPainter& p, const QRect& r, const QColor& color)
{
    if (r.width() <= 0 || r.height() <= 0)
        return;
    p.fillRect(QRect(r.left(), r.top(), r.width(), 1), color);
    p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), color);
    p.fillRect(QRect(r.left(), r.top(), 1, r.height()), color);
    p.fillRect(QRect(r.right(), r.top(), 1, r.height()), color);
}

void fillGradient(QPainter& p, const QRect& r, const QColor& start, const QColor& end, GradientDirection dir, int bands)
{
    if (r.isEmpty() || bands <= 0)
        return;
    const bool vertical = dir == GradientDirection::TopToBottom || dir == GradientDirection::BottomToTop;
    const bool reversed = dir == GradientDirection::BottomToTop || dir == GradientDirection::RightToLeft;
    const int length = vertical ? r.height() : r.width();
    const int steps = bands > 1 ? bands - 1 : 1;
    auto colour = [&](int i) {
        return QColor(start.red() + (end.red() - start.red()) * i / steps, start.green() + (end.green() - start.green()) * i / steps,
                      start.blue() + (end.blue() - start.blue()) * i / steps);
    };
    auto fill = [&](int from, int to, const QColor& c) {
        if (reversed) {
            const int f = length - to;
            to = length - from;
            from = f;
        }
        if (vertical)
            p.fillRect(QRect(r.left(), r.top() + from, r.width(), to - from), c);
        else
            p.fillRect(QRect(r.left() + from, r.top(), to - from, r.height()), c);
    };
    if (length < bands) {
        // Too short for whole bands: each pixel takes its band, both ends exact.
        for (int i = 0; i < length; ++i)
            fill(i, i + 1, colour(length > 1 ? i * steps / (length - 1) : 0));
        return;
    }
    for (int i = 0; i < bands; ++i)
        fill(i * length / bands, (i + 1) * length / bands, colour(i));
}

QString stripMnemonics(const QString& caption)
{
    QString out;
    out.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&')) {
            if (i + 1 < caption.size() && caption[i + 1] == QLatin1Char('&')) {
                out += QLatin1Char('&');
                ++i;
            }
            continue;
        }
        out += caption[i];
    }
    return out;
}

QString removeFirstAmpersand(const QString& caption)
{
    QString s = caption;
    const qsizetype i = s.indexOf(QLatin1Char('&'));
    if (i >= 0)
        s.remove(i, 1);
    return s;
}

namespace {
// Opaque mask of the picture's shape.
QImage shapeOf(const QPixmap& picture)
{
    QImage img = picture.toImage().convertToFormat(QImage::Format_ARGB32);
    if (!picture.hasAlphaChannel() && img.width() > 0 && img.height() > 0) {
        const QRgb key = img.pixel(0, img.height() - 1);
        for (int y = 0; y < img.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
            for (int x = 0; x < img.width(); ++x)
                if (line[x] == key)
                    line[x] = 0;
        }
    }
    return img;
}
} // namespace

QPixmap withBackground(const QPixmap& picture, const QColor& background)
{
    if (picture.isNull())
        return picture;
    QImage out(picture.size(), QImage::Format_ARGB32);
    out.fill(background);
    QPainter p(&out);
    p.drawImage(0, 0, shapeOf(picture));
    p.end();
    return QPixmap::fromImage(out);
}

QPixmap silhouette(const QPixmap& picture, const QColor& color)
{
    if (picture.isNull())
        return picture;
    QImage img = shapeOf(picture);
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x)
            line[x] = qAlpha(line[x]) >= 128 ? color.rgb() : 0;
    }
    return QPixmap::fromImage(img);
}

} // namespace zypaint
