#pragma once
// Small helpers for the control tests: showing a window for real input and looking at pixels.
#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QTest>
#include <QWidget>

#include <functional>

namespace ctl {

// Shows `w` and waits until it is exposed and active, so focus and mouse input behave.
inline bool showActive(QWidget* w)
{
    w->show();
    w->activateWindow();
    return QTest::qWaitForWindowExposed(w) && QTest::qWaitForWindowActive(w);
}

inline QImage grab(QWidget* w) { return w->grab().toImage().convertToFormat(QImage::Format_RGB32); }

inline bool near(QColor a, QColor b, int tolerance = 8)
{
    return qAbs(a.red() - b.red()) <= tolerance && qAbs(a.green() - b.green()) <= tolerance
        && qAbs(a.blue() - b.blue()) <= tolerance;
}

// Pixels of `img` inside `area` for which `pred` holds.
inline int countPixels(const QImage& img, const QRect& area, const std::function<bool(QColor)>& pred)
{
    int n = 0;
    const QRect r = area.intersected(img.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (pred(img.pixelColor(x, y)))
                ++n;
    return n;
}

// A mouse move with the left button held (QTest's move carries no buttons).
inline void moveHeld(QWidget* w, QPoint pos)
{
    QMouseEvent e(QEvent::MouseMove, QPointF(pos), QPointF(w->mapToGlobal(pos)), Qt::NoButton, Qt::LeftButton,
                  Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

inline void save(QWidget* w, const QString& name) { w->grab().save(QStringLiteral("/tmp/controls_%1.png").arg(name)); }

} // namespace ctl
