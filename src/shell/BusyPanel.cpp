#include "shell/BusyPanel.h"

#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QVBoxLayout>

namespace {
const QString kPanelName = QStringLiteral("PanelFILTRE");

QObject* ownedPanel(QWidget* host) { return host->findChild<QObject*>(kPanelName, Qt::FindDirectChildrenOnly); }
} // namespace

TPanelFiltre::TPanelFiltre(QWidget* parent) : QFrame(parent)
{
    setFixedSize(300, 74);
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setAutoFillBackground(true);
    setWindowTitle(QStringLiteral(" "));

    m_label = new QLabel(QStringLiteral("Lütfen Bekleyiniz."), this);
    m_label->setObjectName(QStringLiteral("Label1"));
    m_label->setAlignment(Qt::AlignCenter);
    QFont f = m_label->font();
    f.setPointSize(14);
    m_label->setFont(f);
    // The host is disabled while the panel shows; the text keeps its navy colour all the same.
    QPalette pal = m_label->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        pal.setColor(group, QPalette::WindowText, QColor(0, 0, 128));
    m_label->setPalette(pal);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_label);
}

void ShowBusyPanel(QWidget* host, const QList<QAction*>& actions)
{
    if (!host)
        return;
    try {
        if (!ownedPanel(host)) {
            auto* panel = new TPanelFiltre;
            panel->hide();
            panel->setObjectName(kPanelName);
            panel->setParent(host);
            panel->move((host->width() - panel->width()) / 2, (host->height() - panel->height()) / 2);
            panel->raise();
            panel->show();
        }
        host->setEnabled(false);
        for (QAction* a : actions)
            if (a && a->isVisible())
                a->setEnabled(false);
        QCoreApplication::processEvents();
    } catch (...) {
    }
}

void HideBusyPanel(QWidget* host, const QList<QAction*>& actions)
{
    if (!host)
        return;
    try {
        while (QObject* panel = ownedPanel(host))
            delete panel;
        for (QAction* a : actions)
            if (a && a->isVisible())
                a->setEnabled(true);
        host->setEnabled(true);
    } catch (...) {
    }
}
