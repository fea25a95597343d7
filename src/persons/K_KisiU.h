#pragma once
// The person card: one row of KISI with its family links and marriages.
#include "data/Dataset.h"

#include <QDialog>

#include <functional>
#include <optional>

class DataBinder;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QShortcut;
class QTabWidget;
class QToolButton;
class TKisiResim;
class TZYRXDBGrid;
class TZyWinButton;

// The refusal of every person button while the card holds no saved person.
inline const QString kChoosePersonMessage = QStringLiteral("Kişi seçiniz yada kaydı tamamlayınız !");

class TK_KisiF : public QDialog {
    Q_OBJECT
public:
    explicit TK_KisiF(QWidget* parent = nullptr);
    ~TK_KisiF() override;

    // The card's person. A caller opening the card on one person reopens it with
    // ReopenDataset(KISI_DS, "KISI", "BLKISIKODU=" + key) before exec().
    Dataset KISI_DS;
    // Set when the card's person went into edit mode while shown.
    bool Edited = false;

    Dataset Baba_Q;      // father panel
    Dataset Anne_Q;      // mother panel
    Dataset ES_DS;       // childless spouses (either side of the link)
    Dataset EsEvlilik_Q; // every spouse
    Dataset EVLILIK_DS;  // the parents' marriage
    Dataset ES_EV_DS;    // the marriage with the spouse selected in EsEvlilik_Q

    // Written into CINSIYET of every new row when not empty (a card opened for a spouse).
    QString PresetGender;

    // A card opened from another card to enter or show one relative of that card's person.
    enum class SecondCard { None, Father, Mother, Spouse };
    // Title, fixed gender, no search and no relatives' screens; a father's or mother's card
    // cannot insert another person.
    void setSecondCard(SecondCard kind, const QString& title);
    SecondCard secondCard() const { return m_secondCard; }

    // The card's person: key as decimal text (empty while unsaved), and field texts.
    QString personKey() const;
    QString personText(const QString& field) const;
    bool hasPerson(); // the person dataset holds a row (an unsaved new one counts)

    // Family links.
    void LoadLinks();
    void RefreshMarriagePage();
    enum class Parent { Father, Mother };
    // Puts the person into edit mode with the chosen parent (saved with the card); a father's
    // family name fills an empty AILE_AD.
    void AssignParent(Parent role, const QString& key);

    // Buttons.
    void InsertClick();
    void DeleteClick();
    void EditClick();
    void PostClick();
    void CancelClick();
    void RefreshClick();
    void KisiBulClick();
    void ToolScreenClick();
    void FotoEkleClick();
    void FotoGosterClick();
    void FotoKaldirClick();
    void ParentFromSearchClick(Parent role);
    void ParentFromCardClick(Parent role);
    void ParentRemoveClick(Parent role);
    void SpouseFromSearchClick();
    void SpouseFromCardClick();
    void SpouseRemoveClick();

    // Header.
    QLabel* ImageBASLIK1 = nullptr;
    QLabel* ImageBASLIK2 = nullptr;
    QLabel* ImageTOP = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* BoxBLKISIKODU = nullptr;
    QWidget* PanelKaydeden = nullptr;
    QWidget* PanelDuzenleyen = nullptr;

    // Tool bar.
    TZyWinButton* ZyWinButton1 = nullptr; // "Kişi Bul"
    QToolButton* ToolButton1 = nullptr;   // "Alt Kuşak"
    QToolButton* ToolButton2 = nullptr;   // "Üst Kuşak"
    QToolButton* ToolButton5 = nullptr;   // "Eşt.İ.Alt Kuş."
    QToolButton* ToolButton3 = nullptr;   // "Kzn Kuşağı"
    QToolButton* ToolButton4 = nullptr;   // "2.Der.Akr."
    TZyWinButton* ZyWinButton3 = nullptr; // "Kapat"

    QTabWidget* PageControl1 = nullptr;
    QWidget* TabSheet1 = nullptr; // "Kişisel Bilgileri"
    QWidget* TabSheet3 = nullptr; // "Diğer Bilgileri Bilgileri"
    QWidget* TabSheet2 = nullptr; // "Evlilik Bilgileri"

    // Fields the card's steps refer to; every data field's objectName is its column.
    QLineEdit* KISI_KOD = nullptr;
    QLineEdit* AD = nullptr;
    QComboBox* CINSIYET = nullptr;
    QLineEdit* OZEL_KOD2 = nullptr;
    QLineEdit* KAY_TAR = nullptr;

    TKisiResim* DBImage1 = nullptr;
    QPushButton* BtnFotoEkle = nullptr;
    QPushButton* BtnFotoGoster = nullptr;
    QPushButton* BtnFotoKaldir = nullptr;

    // Parent groups on "Kişisel Bilgileri" and again on the parents' marriage page.
    struct ParentPanel {
        QGroupBox* box = nullptr;
        TKisiResim* picture = nullptr;
    };
    ParentPanel BabaPanel, AnnePanel, BabaPanel2, AnnePanel2;
    QPushButton* BtnBabaKayitli = nullptr;
    QPushButton* BtnBabaYeni = nullptr;
    QPushButton* BtnBabaSil = nullptr;
    QPushButton* BtnAnneKayitli = nullptr;
    QPushButton* BtnAnneYeni = nullptr;
    QPushButton* BtnAnneSil = nullptr;

    QGroupBox* GroupBoxEs = nullptr; // "Çocuğu Olmayan Eş Bilgileri"
    TZYRXDBGrid* DBGrid2 = nullptr;
    QPushButton* BtnEsKayitli = nullptr;
    QPushButton* BtnEsYeni = nullptr;
    QPushButton* BtnEsSil = nullptr;

    QTabWidget* PageControl2 = nullptr;
    QWidget* TabSheet4 = nullptr; // "Eş Evlilik Bilgileri"
    QWidget* TabSheet5 = nullptr; // "Anne - Baba Evlilik Bilgileri"
    TZYRXDBGrid* DBGrid1 = nullptr;
    TKisiResim* EsResim = nullptr;
    QGroupBox* GroupBox11 = nullptr; // marriage with the selected spouse
    QGroupBox* GroupBox10 = nullptr; // the parents' marriage

    QWidget* DBNavigator1 = nullptr;
    QToolButton* NavInsert = nullptr;
    QToolButton* NavDelete = nullptr;
    QToolButton* NavEdit = nullptr;
    QToolButton* NavPost = nullptr;
    QToolButton* NavCancel = nullptr;
    QToolButton* NavRefresh = nullptr;

public slots:
    void reject() override; // "Kapat", Escape and the close box

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Layout (K_KisiLayout.cpp).
    void buildUi();
    QWidget* buildHeader();
    QWidget* buildToolBar();
    QWidget* buildPersonalPage();
    QWidget* buildOtherPage();
    QWidget* buildMarriagePage();
    QWidget* buildNavigator();
    QGroupBox* buildParentPanel(ParentPanel& panel, Dataset& ds, bool father, const QString& objectName);
    QGroupBox* buildMarriageGroup(DataBinder* binder, const QString& dateCaption, const QString& name);
    enum class FieldKind { Line, Date, Memo, Combo };
    QWidget* dataField(DataBinder* binder, const QString& field, FieldKind kind, int maxLength,
                       const QStringList& items = {});
    void bindGender();
    void installShortcuts();

    // Person dataset steps (K_KisiU.cpp).
    void installPersonHandlers();
    void afterNewRow();
    void beforePostSteps();
    void afterPostSteps();
    void beforeDeleteSteps();
    void afterDeleteSteps();
    void afterCancelSteps();
    void reloadPhoto();
    void showFirstPage();
    void updateNavigator();
    void runGuarded(const std::function<void()>& step);

    // Links (K_KisiLinks.cpp).
    std::optional<QString> runSearch(SecondCard mode);
    void reopenParentPanel(Parent role, const QString& key);
    void reloadChildlessSpouses();
    QString selectedChildlessSpouse() const;
    void syncPersonSpouseLink();

    // Marriages (K_KisiMarriage.cpp).
    void installMarriageHandlers();
    void rebuildSpouseList();
    QString selectedSpouse() const;
    void reopenSpouseMarriage();
    void reopenMarriage(Dataset& ds, const QString& sql, QString& lastSql);
    void closeMarriage(Dataset& ds);
    void enableGroup(QGroupBox* group, bool on);
    void enterMarriage();

    // While one lives, moves in the childless-spouse list do not refresh the marriage page: the
    // step that moves it refreshes the page itself.
    struct QuietScope {
        explicit QuietScope(TK_KisiF& f) : form(f) { ++form.m_quiet; }
        ~QuietScope() { --form.m_quiet; }
        TK_KisiF& form;
    };

    DataBinder* m_binder = nullptr;
    QShortcut* m_scInsert = nullptr;
    QShortcut* m_scKisiBul = nullptr;
    DataBinder* m_marriageBinder = nullptr;
    DataBinder* m_spouseMarriageBinder = nullptr;
    SecondCard m_secondCard = SecondCard::None;
    QString m_savedSpouseKey;
    int m_savedPage = 0;
    int m_quiet = 0;
    bool m_dying = false;
    QString m_badPhotoKey;    // person whose unreadable photograph was reported
    QString m_parentsMarriageSql, m_spouseMarriageSql;
};
