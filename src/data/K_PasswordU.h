#pragma once
// The login form: user name and password, the remembered password, the network settings and
// the installation help. The login itself is RunLogin (Connection.h).
#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

class TK_PasswordF : public QDialog {
    Q_OBJECT
public:
    explicit TK_PasswordF(QWidget* parent = nullptr);
    ~TK_PasswordF() override;

    // The login form while it exists (the error handler shows its on-show state again).
    static TK_PasswordF* current();

    // Fills the fields from Ayar.Ini and puts the focus where the user goes on.
    void runOnShowSteps();

    // "Tamam": logs in; errors of the connection propagate to the error handler.
    void login();
    // "Vazgeç": no login; the program ends.
    void cancelLogin();
    // The network settings, then the fields again.
    void openNetworkSettings();
    void openHelp();

    QLabel* ImageTOP = nullptr;
    QLabel* LabelBaslik = nullptr;
    QLabel* LabelAciklama = nullptr;
    QLineEdit* EditUser = nullptr;
    QLineEdit* EditPass = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QPushButton* IQGrap1 = nullptr; // Tamam
    QPushButton* IQGrap2 = nullptr; // Vazgeç
    QPushButton* IQGrap3 = nullptr; // ?
    QPushButton* IQGrap4 = nullptr; // Network Ayarları
    QTimer* Timer1 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The first activation: a remembered password logs in by itself, once per program start.
    void activated();

    bool m_activationQueued = false;
};

// The login form while it runs modally (ShowModalForm).
extern TK_PasswordF* K_PasswordF;
