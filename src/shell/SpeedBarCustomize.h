#pragma once
// The speed bar's customising dialog: the sections on the left, their buttons with a tick for
// "on the bar" on the right. Nothing changes on the bar until "Tamam".
#include <QDialog>
#include <QHash>

class QListWidget;
class QListWidgetItem;
class QPushButton;
class TSpeedBar;

class TSpeedBarCustomizeF : public QDialog {
    Q_OBJECT
public:
    TSpeedBarCustomizeF(const TSpeedBar* bar, QWidget* parent = nullptr);

    QListWidget* ListSections;
    QListWidget* ListButtons;
    QPushButton* BtnTamam;
    QPushButton* BtnIptal;

    // Whether each button (by name) is to stand on the bar.
    const QHash<QString, bool>& shownButtons() const { return m_shown; }
    // Ticks or clears a button as the user would.
    void setButtonShown(const QString& name, bool shown);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showSection(int row);
    void buttonChanged(QListWidgetItem* item);

    const TSpeedBar* m_bar;
    QHash<QString, bool> m_shown;
    bool m_filling = false;
};

// The running dialog; nullptr when none is open.
extern TSpeedBarCustomizeF* SpeedBarCustomizeF;
