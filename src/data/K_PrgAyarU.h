#pragma once
// The program settings screen: the person-code settings and general switches of the shared
// settings row (Ayar_Ds), and this workstation's automatic backup settings (Ayar.Ini).
#include <QDialog>

class DataBinder;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QStackedWidget;
class QToolButton;
class QTreeWidget;
class TD_Genel;

class TK_PrgAyarF : public QDialog {
    Q_OBJECT
public:
    explicit TK_PrgAyarF(QWidget* parent = nullptr);
    TK_PrgAyarF(TD_Genel& module, QWidget* parent = nullptr);

    // Whether the screen may close: pending changes of the settings row are saved, dropped or
    // kept (then false) as the user answers.
    bool canClose();

    QLabel* ImageTOP = nullptr;
    QLabel* LabelBaslik = nullptr;
    QTreeWidget* TreeView1 = nullptr;
    QStackedWidget* PageControl1 = nullptr;

    // "Kişi Kart Ayarları"
    QCheckBox* CROTONO = nullptr;
    QLabel* LabelCRNO = nullptr;
    QLineEdit* CRNO = nullptr;
    QToolButton* BtnCariKod = nullptr;
    QComboBox* CRBASSAYI = nullptr;
    QLineEdit* CRBASEK = nullptr;
    QLineEdit* CRSONEK = nullptr;

    // "Yedekleme"
    QCheckBox* CheckOtoYedek = nullptr;
    QComboBox* ComboYedekTuru = nullptr;
    QLineEdit* EditYedekDizin = nullptr;
    QToolButton* BtnYedekDizin = nullptr;
    QPushButton* BtnYedekKaydet = nullptr;
    QPushButton* BtnYedekIptal = nullptr;

    // "Genel Ayarlar"
    QCheckBox* G[8] = {}; // G[0] is G1 ... G[6] is G7
    QGroupBox* GroupBox1 = nullptr;
    QCheckBox* RESIM_ORTALA = nullptr;
    QSpinBox* SEMA_ES_GENISLIK = nullptr;

    QPushButton* BtnKaydet = nullptr;
    QPushButton* BtnVazgec = nullptr;
    QPushButton* BtnKapat = nullptr;

public slots:
    void reject() override; // Escape, "Kapat" and the close box all end here

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildPersonCodePage();
    QWidget* buildBackupPage();
    QWidget* buildGeneralPage();
    void loadBackupPage();
    void saveBackupPage();
    void backupChanged();
    void setBackupButtons(bool enabled);

    TD_Genel& m_module;
    DataBinder* m_binder = nullptr;
    bool m_loadingBackup = false;
};

// The screen while it is open (ShowModalForm keeps it here).
extern TK_PrgAyarF* K_PrgAyarF;
