#include "shell/IslemU.h"

#include "shell/GeneralRoutines.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

TIslemF* IslemF = nullptr;

TIslemF::TIslemF(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus)
{
    setObjectName(QStringLiteral("IslemF"));
    setFixedSize(286, 131);
    setAutoFillBackground(true);
    setStyleSheet(QStringLiteral("#IslemF { background: #f4f6fa; border: 1px solid #1f3f7a; }"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(0);

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFixedHeight(24);
    Label1->setContentsMargins(8, 0, 8, 0);
    Label1->setAlignment(Qt::AlignVCenter | Qt::AlignLeft);
    // Fixed colours in every state: the window is disabled on purpose.
    Label1->setStyleSheet(QStringLiteral("background: #1f4f9a; color: white; font-weight: bold;"));
    layout->addWidget(Label1);

    Label2 = new QLabel(QStringLiteral("Lütfen Bekleyiniz..."), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setAlignment(Qt::AlignCenter);
    QFont f = Label2->font();
    f.setPointSize(12);
    f.setBold(true);
    Label2->setFont(f);
    Label2->setStyleSheet(QStringLiteral("color: #000080;"));
    layout->addWidget(Label2, 1);

    // It only informs; clicks and keys go nowhere.
    setEnabled(false);
}

void TIslemF::setVisible(bool visible)
{
    if (visible) {
        Label1->setText(MainWindowCaption());
        if (QScreen* screen = QGuiApplication::primaryScreen()) {
            const QRect g = screen->geometry();
            move(g.x() + (g.width() - width()) / 2, g.y() + (g.height() - height()) / 2);
        }
    }
    QWidget::setVisible(visible);
}
