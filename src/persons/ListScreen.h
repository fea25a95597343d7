#pragma once
// The common part of the person list screens (person list, kinship lists, diagram screens): the
// filter panel, the list QLIST in its grid, the count in the status bar, the saved sort choice,
// the tool actions and keys, the person card and the way back, the person search, and opening
// another screen for the current person.
#include "controls/RxDateEdit.h"
#include "data/Dataset.h"
#include "persons/KisiFilter.h"

#include <QDialog>
#include <QLineEdit>

#include <functional>

class QAction;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QMenu;
class QScrollArea;
class QSpinBox;
class QStatusBar;
class QTabWidget;
class QToolBar;
class QTreeWidget;
class TZySpeedButton;
class TZYRXDBGrid;
class TZyBtnEdit;
class TZyWinButton;

class TListScreen;
// The screens one screen opens for one person, found by class name ("TF_inAgac_F", ...). Each
// such screen registers itself at program start; until it does, its button opens nothing.
using ListScreenFactory = std::function<TListScreen*(QWidget* parent)>;
void RegisterListScreen(const QString& className, ListScreenFactory factory);
ListScreenFactory ListScreenFactoryFor(const QString& className);

struct ListScreenOptions {
    QString formName;                    // component name: "F_KisiF"
    QString caption;                     // design caption, replaced by the main window's when shown
    QString headerText;
    QString nameEditName = QStringLiteral("Edit6"); // or "EditAdi"
    QString filterPanelName = QStringLiteral("Panel4");
    bool gurupColumn = true;             // the grid has "Gurubu"
    bool clearOnShow = false;            // Clear runs among the show steps
    bool printShortcut = false;          // F4 prints
    bool diagramNote = false;            // third status panel with the diagram note
    QString menuItemName;                // main menu item whose picture heads the screen
    bool diagramPages = false;           // the list shares PageControl2 with the tree pages
    bool fullScreenHidesToolbar = false; // "Tam Ekran" hides the tool bar instead of Panel2
};

class TListScreen : public QDialog {
    Q_OBJECT
public:
    explicit TListScreen(const ListScreenOptions& options, QWidget* parent = nullptr);
    ~TListScreen() override;

    const ListScreenOptions& options() const { return m_options; }

    // Header and tool bar
    QFrame* Panel2;
    QLabel* ImageTOP;
    QLabel* LabelBaslik;
    QLabel* ImageBASLIK1;
    QLabel* ImageBASLIK2;
    QToolBar* ToolBar1;
    // Filter panel
    QFrame* Panel4; // "Panel4" or "PanelSOL"
    QTabWidget* PageControl1;
    QWidget* TabSheet1;
    QWidget* TabSheet2;
    QWidget* TabSheet3;
    QWidget* TabSheet4;
    QLineEdit* NameEdit; // "Edit6" or "EditAdi"
    QLineEdit* Edit7;
    QLineEdit* Edit4;
    QLineEdit* EditLAKAP;
    QLineEdit* Edit1;
    QLineEdit* Edit2;
    TZyBtnEdit* ZyBtnEdit1;
    QLineEdit* Edit5;
    QLineEdit* Edit9;
    QLineEdit* Edit8;
    QComboBox* ComboBox1;
    TRxDateEdit* RxDateEdit1;
    TRxDateEdit* RxDateEdit2;
    TRxDateEdit* RxDateEdit4;
    TRxDateEdit* RxDateEdit3;
    QGroupBox* RG1;
    QButtonGroup* RG1Items;
    QCheckBox* CH1;
    QComboBox* ComboKAYDEDEN;
    QComboBox* ComboDUZENLEYEN;
    QFrame* Panel5;
    TZyWinButton* ZyWinButton4; // "Filtrele"
    TZyWinButton* ZyWinButton5; // "Hepsi"
    TZyWinButton* ZyWinButton6; // clear
    // The list
    Dataset QLIST;
    TZYRXDBGrid* ZYRXDBGrid1;
    QStatusBar* StatusBar1;
    // Action list
    QAction* FilterAction;  // "Filter", F2
    QAction* HepsiAction;   // "Hepsi", F3
    QAction* TemizAction;   // "Temiz", Alt+T
    QAction* KartacAction;  // "Kartac", F8
    QAction* YazdirAction;  // "Yazdir", F4 where the screen prints with it
    QAction* KapatAction;   // "Kapat", Esc
    QAction* kartbulAction; // "kartbul", F5

    // Diagram pages; all null unless the screen has them.
    QTabWidget* PageControl2 = nullptr;
    QWidget* TabSheet5 = nullptr; // "Filtrelenen Kayıtlar", the list
    QWidget* TabSheet6 = nullptr; // "Dikey Ağaç Şeması"
    QWidget* TabSheet7 = nullptr; // "Yatay Ağaç Şeması"
    QTreeWidget* TV1 = nullptr;
    QFrame* Panel8 = nullptr;     // the diagram page's tool bar
    TZyWinButton* RebuildButton = nullptr;
    TZyWinButton* ZoomInButton = nullptr;
    TZyWinButton* ZoomOutButton = nullptr;
    TZyWinButton* SavePictureButton = nullptr;
    QFrame* Panel6 = nullptr;
    QSpinBox* RxSpinEdit1 = nullptr;
    TZySpeedButton* ZySpeedButton1 = nullptr; // "Ayarla"
    QScrollArea* ScrollBox2 = nullptr;        // hosts the tree panel
    QMenu* PopupMenu1 = nullptr;
    QAction* TamEkranAction = nullptr;
    QAction* NormalEkranAction = nullptr;

    // Operations
    void Filter();
    void Hepsi();
    void Clear();
    void OpenCard(); // the list's current person
    void OpenCardFor(Dataset& dataset);
    void PrintList(); // the tool bar's print command
    void Customize();
    void FindBySearch();
    void OpenScreenForPerson(const QString& className);
    void ApplySortChoice();

    KisiFilterCriteria criteria() const;
    const QStringList& statement() const { return m_statement; }
    int sortIndex() const;
    void setSortIndex(int index); // -1 selects nothing
    QString statusText(int panel) const;

    // Diagram page tools.
    void ZoomIn();
    void ZoomOut();
    void ApplyTypedZoom(); // "Ayarla", Enter in the zoom edit
    void SaveAsPicture();
    void FullScreen();
    void NormalScreen();

    // Tool bar buttons: caption under a 32-pixel picture, with a hint.
    QAction* addToolButton(const QString& name, const QString& caption, const QString& hint, const QIcon& icon,
                           std::function<void()> handler);
    // The kinship navigation buttons, by target class name, in the given order.
    void addNavigationButtons(const QStringList& classNames);
    void addCloseButton();

protected:
    // Hooks of the screens.
    virtual void beforeShowSteps() {}            // legend colours
    virtual void afterShowSteps() {}             // the screen's own show steps
    virtual void afterFilter() {}                // the screen's final steps of Filter
    virtual void openedForPerson() {}            // after the Filter of an opening for one person
    virtual void calcFields(Dataset& dataset);   // CNS
    virtual Dataset& personDataset();            // person of navigation and card: QLIST
    virtual void showNoRows();                   // "Listede Kayıt Yok !" through ShowInfo
    virtual void showListReport() {}             // print preview of the screen's report
    virtual void kartbulTriggered(); // F5
    // After the card: Filter again and locate the list's person.
    virtual void afterCardClosed(Dataset& from, const QVariant& listKey, const QVariant& fromKey, bool edited);

    // Diagram page hooks; the tree panel comes with the screens that draw.
    virtual void ApplyZoom(int /*percent*/) {}
    virtual void CanvasToBitmap(const QString& /*fileName*/, int /*formatIndex*/) {}
    virtual void RebuildDiagram() {}
    virtual void diagramPageShown(QWidget* /*page*/) {} // a page change the list allowed
    virtual void diagramPageF5() {}                     // F5 on "Yatay Ağaç Şeması"

    // The list area: the grid unless a screen puts its own pages there.
    void setListWidget(QWidget* widget);

    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildHeader();
    void buildFilterPanel();
    void buildList();
    void buildActions();
    void runShowSteps();
    void hideRecorderColumns();
    void checkDates();
    void buildDiagramPages();
    void pageChanging(int index);
    void applyZoomValue();
    bool diagramKey(QKeyEvent* event);
    void setFullScreen(bool on);

    ListScreenOptions m_options;
    QHBoxLayout* m_body = nullptr;
    QWidget* m_listWidget = nullptr;
    QList<QLabel*> m_statusPanels;
    QStringList m_statement;
    bool m_shown = false;
    int m_pictureFilterIndex = 3; // the save dialog keeps the last choice
};

// The texts the screens show.
inline const QString kListeKayitYok = QStringLiteral("Listede Kayıt Yok !");
inline const QString kListeBos = QStringLiteral("Liste boş !");
