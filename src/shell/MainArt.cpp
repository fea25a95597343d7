// The main window's pictures: program icon and header pictures.
#include "shell/AnaFormU.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace {
const QColor kNavy(0x1d, 0x4e, 0x89);
const QColor kDeepNavy(0x0b, 0x24, 0x47);
const QColor kGold(0xf0, 0xc0, 0x60);
} // namespace

QPixmap ProgramIconPixmap(int size)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);

    QPainterPath frame;
    frame.addRoundedRect(QRectF(1, 1, 30, 30), 6, 6);
    QLinearGradient bg(0, 0, 32, 32);
    bg.setColorAt(0.0, kNavy);
    bg.setColorAt(1.0, kDeepNavy);
    p.fillPath(frame, bg);

    // A small family tree: one root, two children, four grandchildren.
    p.setPen(QPen(kGold, 1.6));
    const QPointF root(16, 25);
    const QPointF kids[] = {{10, 16}, {22, 16}};
    for (const QPointF& k : kids) {
        p.drawLine(root, k);
        p.drawLine(k, k + QPointF(-4, -8));
        p.drawLine(k, k + QPointF(4, -8));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(root, 3, 3);
    p.setBrush(kGold);
    for (const QPointF& k : kids) {
        p.drawEllipse(k, 2.4, 2.4);
        p.drawEllipse(k + QPointF(-4, -8), 2, 2);
        p.drawEllipse(k + QPointF(4, -8), 2, 2);
    }
    return pm;
}

QPixmap WebIconPixmap(int size)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    // A globe: blue disc with meridians and parallels.
    QRadialGradient sea(QPointF(12, 11), 18);
    sea.setColorAt(0.0, QColor(0x7f, 0xc4, 0xf5));
    sea.setColorAt(1.0, kNavy);
    p.setBrush(sea);
    p.setPen(QPen(kDeepNavy, 1.2));
    p.drawEllipse(QRectF(2, 2, 28, 28));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::white, 1.1));
    p.drawEllipse(QRectF(10, 2, 12, 28));
    p.drawLine(QPointF(16, 2), QPointF(16, 30));
    p.drawLine(QPointF(2, 16), QPointF(30, 16));
    p.drawLine(QPointF(5, 9), QPointF(27, 9));
    p.drawLine(QPointF(5, 23), QPointF(27, 23));
    return pm;
}

QPixmap HeaderPicture1()
{
    QPixmap pm(240, 35);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, pm.width(), 0);
    g.setColorAt(0.0, Qt::white);
    g.setColorAt(1.0, kNavy);
    p.fillRect(pm.rect(), g);
    p.setPen(QPen(kGold, 2));
    p.drawLine(QPointF(40, 31), QPointF(pm.width(), 31));
    return pm;
}

QPixmap HeaderPicture2()
{
    QPixmap pm(110, 35);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, pm.width(), pm.height());
    g.setColorAt(0.0, kNavy);
    g.setColorAt(1.0, kDeepNavy);
    p.fillRect(pm.rect(), g);
    p.setPen(QPen(kGold, 2));
    p.drawLine(QPointF(0, 31), QPointF(pm.width(), 31));
    // Faint branches, as on the splash.
    p.setPen(QPen(QColor(255, 255, 255, 70), 1.5));
    const QPointF root(78, 28);
    for (const QPointF& m : {QPointF(62, 17), QPointF(94, 17)}) {
        p.drawLine(root, m);
        p.drawLine(m, m + QPointF(-8, -10));
        p.drawLine(m, m + QPointF(8, -10));
    }
    return pm;
}
