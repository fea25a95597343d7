// The busy panel put over a window during long drawing runs.
#include "TestSupport.h"

#include "shell/BusyPanel.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QPointer>
#include <QWidget>

namespace {
int panelCount(QWidget* host)
{
    return int(host->findChildren<QObject*>(QStringLiteral("PanelFILTRE"), Qt::FindDirectChildrenOnly).size());
}
} // namespace

TEST(BusyPanelTest, CentredPanelDisablesHostAndVisibleActionsOnly)
{
    QWidget host;
    host.resize(641, 481); // odd sizes: the halves are truncated
    host.show();
    QWidget mainWindow; // the actions are the main window's, as in the diagram screens
    QAction shown(QStringLiteral("Yazdır"), &mainWindow);
    QAction hidden(QStringLiteral("Gizli"), &mainWindow);
    hidden.setVisible(false);
    QAction hiddenDisabled(QStringLiteral("Gizli kapalı"), &mainWindow);
    hiddenDisabled.setVisible(false);
    hiddenDisabled.setEnabled(false);
    const QList<QAction*> actions{&shown, &hidden, &hiddenDisabled};

    ShowBusyPanel(&host, actions);
    QPointer<TPanelFiltre> panel = host.findChild<TPanelFiltre*>(QStringLiteral("PanelFILTRE"));
    ASSERT_TRUE(panel);
    EXPECT_EQ(panel->parentWidget(), &host);
    EXPECT_EQ(panel->geometry(), QRect(170, 203, 300, 74));
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(panel->label()->text(), QStringLiteral("Lütfen Bekleyiniz."));
    EXPECT_EQ(panel->label()->font().pointSize(), 14);
    EXPECT_EQ(panel->label()->alignment(), Qt::AlignCenter);
    EXPECT_FALSE(host.isEnabled());
    EXPECT_FALSE(shown.isEnabled());

    // The text stays navy although the host, and so the panel, is disabled.
    const QImage shot = panel->grab().toImage();
    bool navy = false;
    for (int y = 0; y < shot.height() && !navy; ++y)
        for (int x = 0; x < shot.width() && !navy; ++x) {
            const QRgb c = shot.pixel(x, y);
            navy = qRed(c) < 40 && qGreen(c) < 40 && qBlue(c) > 100;
        }
    EXPECT_TRUE(navy);

    ShowBusyPanel(&host, actions); // a second call adds no second panel
    EXPECT_EQ(panelCount(&host), 1);

    HideBusyPanel(&host, actions);
    EXPECT_FALSE(panel);
    EXPECT_EQ(panelCount(&host), 0);
    EXPECT_TRUE(host.isEnabled());
    EXPECT_TRUE(shown.isEnabled());
    // Hidden actions are left alone: shown again, each has the state it had before.
    hidden.setVisible(true);
    hiddenDisabled.setVisible(true);
    EXPECT_TRUE(hidden.isEnabled());
    EXPECT_FALSE(hiddenDisabled.isEnabled());
}

TEST(BusyPanelTest, HideFreesEveryPanelOfThatName)
{
    QWidget host;
    host.resize(400, 300);
    ShowBusyPanel(&host, {});
    auto* extra = new QWidget(&host);
    extra->setObjectName(QStringLiteral("PanelFILTRE"));
    EXPECT_EQ(panelCount(&host), 2);
    HideBusyPanel(&host, {});
    EXPECT_EQ(panelCount(&host), 0);

    // A small host puts the panel partly outside, as the integer halves say.
    QWidget small;
    small.resize(100, 50);
    ShowBusyPanel(&small, {});
    auto* p = small.findChild<TPanelFiltre*>(QStringLiteral("PanelFILTRE"));
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->pos(), QPoint(-100, -12));
    HideBusyPanel(&small, {});

    ShowBusyPanel(nullptr, {});
    HideBusyPanel(nullptr, {});
}
