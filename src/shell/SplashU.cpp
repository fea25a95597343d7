#include "shell/SplashU.h"

#include "shell/ProgramIdentity.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QProgressBar>
#include <QScreen>
#include <QTimer>

#include <memory>

TSplashF* SplashF = nullptr;

TSplashF::TSplashF(QWidget* parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("SplashF"));
    // The rounded corners outside the drawn background stay see-through.
    setAttribute(Qt::WA_TranslucentBackground);
    setFixedSize(442, 200);

    LabelPrg = new QLabel(ProgramIdentity::ProductName, this);
    LabelPrg->setObjectName(QStringLiteral("LabelPrg"));
    QFont big(QStringLiteral("Liberation Serif"), 34, QFont::Bold);
    LabelPrg->setFont(big);
    LabelPrg->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
    LabelPrg->setGeometry(28, 42, 386, 60);

    LabelSrm = new QLabel(ProgramIdentity::displayVersion(), this);
    LabelSrm->setObjectName(QStringLiteral("LabelSrm"));
    LabelSrm->setFont(QFont(QStringLiteral("Liberation Sans"), 10));
    LabelSrm->setStyleSheet(QStringLiteral("color: #dde7f5; background: transparent;"));
    LabelSrm->setGeometry(30, 104, 386, 20);

    Gauge1 = new QProgressBar(this);
    Gauge1->setObjectName(QStringLiteral("Gauge1"));
    Gauge1->setRange(0, 3);
    Gauge1->setValue(0);
    Gauge1->setTextVisible(false);
    Gauge1->setGeometry(30, 166, 382, 10);
    Gauge1->setStyleSheet(QStringLiteral("QProgressBar { border: 1px solid #9fb6d6; border-radius: 4px; background: #17335c; }"
                                         "QProgressBar::chunk { border-radius: 3px; background: #f0c060; }"));

    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect g = screen->geometry();
        move(g.x() + (g.width() - width()) / 2, g.y() + (g.height() - height()) / 2);
    }
}

void TSplashF::step()
{
    Gauge1->setValue(Gauge1->value() + 1);
    repaint();
    QCoreApplication::processEvents();
}

void TSplashF::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QPainterPath frame;
    frame.addRoundedRect(r, 14, 14);

    QLinearGradient bg(0, 0, width(), height());
    bg.setColorAt(0.0, QColor(0x1d, 0x4e, 0x89));
    bg.setColorAt(1.0, QColor(0x0b, 0x24, 0x47));
    p.fillPath(frame, bg);

    // A few faint branches behind the name: the family-tree motif.
    p.save();
    p.setClipPath(frame);
    p.setPen(QPen(QColor(255, 255, 255, 38), 2));
    const QPointF root(372, 150);
    const QPointF mid[] = {{340, 96}, {404, 96}};
    for (const QPointF& m : mid) {
        p.drawLine(root, m);
        p.drawLine(m, m + QPointF(-22, -48));
        p.drawLine(m, m + QPointF(22, -48));
        p.setBrush(QColor(255, 255, 255, 30));
        p.drawEllipse(m + QPointF(-22, -48), 7, 7);
        p.drawEllipse(m + QPointF(22, -48), 7, 7);
    }
    p.drawEllipse(root, 9, 9);
    p.restore();

    p.setPen(QPen(QColor(0xf0, 0xc0, 0x60), 2));
    p.drawLine(QPointF(30, 132), QPointF(250, 132));
    p.setPen(QPen(QColor(255, 255, 255, 90), 1));
    p.drawPath(frame);
}

void RunWithSplash(const std::function<void()>& createDataModule, const std::function<void()>& createMainWindow,
                   int pauseMs)
{
    std::unique_ptr<TSplashF> splash(new TSplashF);
    SplashF = splash.get();
    struct Clear {
        ~Clear() { SplashF = nullptr; }
    } clear;

    splash->show();
    splash->repaint();
    splash->step();
    if (createDataModule)
        createDataModule();
    splash->step();
    if (createMainWindow)
        createMainWindow();
    splash->step();

    if (pauseMs > 0) {
        // Keeps the splash painted while it waits; input waits for the main window.
        QEventLoop loop;
        QTimer::singleShot(pauseMs, &loop, &QEventLoop::quit);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    splash->hide();
}
