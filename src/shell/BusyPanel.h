#pragma once
// The "Lütfen Bekleyiniz." panel put over a window during long drawing runs.
#include <QFrame>
#include <QList>

class QAction;
class QLabel;

class TPanelFiltre : public QFrame {
    Q_OBJECT
public:
    explicit TPanelFiltre(QWidget* parent = nullptr);
    QLabel* label() const { return m_label; }

private:
    QLabel* m_label; // owned: freed with the panel
};

// Puts a centred "PanelFILTRE" on host (unless it has one), disables host and every visible
// action, and lets the panel paint. Never throws.
void ShowBusyPanel(QWidget* host, const QList<QAction*>& actions);
// Frees every "PanelFILTRE" of host, enables every visible action and host. Never throws.
void HideBusyPanel(QWidget* host, const QList<QAction*>& actions);
