#pragma once
// The network settings screen: whether this workstation is a client, and where the server and
// its database are. Opened from the login form and from the error handler.
#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TK_IBAyarF : public QDialog {
    Q_OBJECT
public:
    explicit TK_IBAyarF(QWidget* parent = nullptr);

    // Loads the fields from Ayar.Ini.
    void loadSettings();
    // "Tamam": checks the client fields, saves and closes. False when a check failed.
    bool save();
    // "Kapat": closes only once Ayar.Ini exists.
    void closeScreen();
    // "Programı Kapat".
    void closeProgram();

    QLabel* ImageTOP = nullptr;
    QLabel* LabelBaslik = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QLineEdit* Edit1 = nullptr;    // server
    QLineEdit* Edit2 = nullptr;    // database folder
    QComboBox* ComboBox1 = nullptr; // protocol
    // Server workstation: open the database through the Firebird server of this machine.
    QCheckBox* CheckBoxYerelSunucu = nullptr;
    QPushButton* Button1 = nullptr; // Programı Kapat
    QPushButton* Button2 = nullptr; // Tamam
    QPushButton* Button3 = nullptr; // Kapat

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The client fields are usable only for a client; the local-server choice only for the server.
    void clientChanged();
};

extern TK_IBAyarF* K_IBAyarF;
