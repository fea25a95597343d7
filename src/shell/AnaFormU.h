#pragma once
// The main window: the frame with the main menu, the navigation tree, the login status and the
// form storage. Its first activation runs the login.
#include "shell/ErrorHandler.h"
#include "shell/MainWindowLink.h"

#include <QHash>
#include <QMainWindow>
#include <QPixmap>
#include <QStringList>

class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class QStatusBar;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;
class TPopupGrid;
class TSpeedBar;
class TZYRXDBGrid;
class TZYOzelEdit;
class TZYOzelMenu;

// True when the first argument after the program name is "-g" in any case (restore mode).
bool restoreModeRequested(const QStringList& arguments);

// The program's artwork, drawn rather than loaded so that no picture file can be missing.
QPixmap ProgramIconPixmap(int size = 32);
QPixmap WebIconPixmap(int size = 32);
QPixmap HeaderPicture1();
QPixmap HeaderPicture2();

class TAnaF : public QMainWindow, public MainWindowLink {
    Q_OBJECT
public:
    explicit TAnaF(QWidget* parent = nullptr);
    ~TAnaF() override;

    // Header strip
    QLabel* ImagePRG;
    QLabel* Label2;
    QLabel* ImageBASLIK1;
    QLabel* ImageBaslik2;
    // Login status strip
    QLabel* Label1;
    QToolButton* SpeedButton1;
    // Navigation and the menu panel of the selected group
    QTreeWidget* TreeView1;
    QLabel* RxLabelBaslik;
    TZYOzelMenu* ZYOzelMenu1;
    TZYOzelEdit* ZYOzelEdit1;
    // The speed bar and its right-click menu ("Orjinal durumuna getir")
    TSpeedBar* SpeedBar1;
    QMenu* PopupSPEED;
    QMenuBar* MainMenu1;
    QStatusBar* StatusBar1;
    QLabel* StatusPanel0;   // the status bar's one panel

    // The context menu of every list grid: layouts, exports, customising, full screen.
    TPopupGrid* PopupGrid;
    // Every list screen calls this with its grid when shown: the screen's design layout is
    // kept under IniDir + form name + "_o.ini", then the user's form name + ".ini" applied.
    void RaporGridSakla(TZYRXDBGrid* grid);

    // Icons of the 32-pixel list; FormAyar takes screen icons from here.
    QList<QPixmap> ImageList32;

    // A menu item (its action; a group's action is its menu's menuAction) by name, or nullptr.
    QAction* menuItem(const QString& name) const;
    QMenu* menuGroup(const QString& name) const;

    // Root nodes for the visible top-level groups with Tag 2, first node selected.
    void BuildMenuTree();
    // Rebuilds the speed bar from the menus and the user's layout file.
    void SpeedBarAktar();
    int speedBarBuildCount() const { return m_speedBarBuilds; }
    // "Araç Çubuğunu Düzenle" and a double click on the bar.
    void AraubuunuDzenle1Click();
    // "Araç Çubuğunu Sıfırla" and "Orjinal durumuna getir": asks, then drops the user's layout.
    void AraubuunuSfrla1Click();
    // The menu panel shows the group of the tree node with this text.
    void showMenuGroup(const QString& nodeText);

    // Logout: close the connection and show the login again; no login ends the program.
    void Logout();
    // The "Kapat" item: asks before closing.
    void Kapat1Click();
    void Yardim1Click();
    void Irtibat1Click();
    void Hakkinda1Click();
    void WebSite1Click();
    void GenelAyarlar1Click();
    void KisiKayit1Click();
    void KisiKartArama1Click();

    // The first activation starts from the first show unless a test turned that off.
    void setFirstActivationOnShow(bool on) { m_firstActivationOnShow = on; }
    void runFirstActivation();
    bool firstActivation() const { return m_firstActivation; }
    // Command line the first activation reads (the application's by default).
    void setArguments(const QStringList& arguments) { m_arguments = arguments; m_argumentsSet = true; }

    ErrorHandler& errorHandler() { return m_errorHandler; }

    // MainWindowLink
    void setStatusLabel(const QString& text) override;
    void setAdminItemsVisible(bool visible) override;
    void selectFirstNavigationNode() override;
    void rebuildSpeedBar() override { SpeedBarAktar(); }
    bool firstActivationDone() const override { return !m_firstActivation; }
    void closeMainWindow() override;

signals:
    // Once, when the window has closed; the program ends on it.
    void closed();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildLayout();
    void buildSpeedBar();
    void buildMainMenu(); // MainMenu.cpp
    void installErrorHooks();
    void connectMaintenanceEvents();
    void showLogin();
    void openHelpFile(const QString& fileName);
    void treeSelectionChanged(QTreeWidgetItem* current);

    QHash<QString, QAction*> m_items;
    QHash<QString, QMenu*> m_groups;
    ErrorHandler m_errorHandler;
    QStringList m_arguments;
    bool m_argumentsSet = false;
    bool m_firstActivation = true;
    bool m_firstActivationOnShow = true;
    bool m_activationQueued = false;
    bool m_activationRunning = false;
    bool m_closedEmitted = false;
    int m_speedBarBuilds = 0;
};

// The running main window; nullptr before it is created and after it is freed.
extern TAnaF* AnaF;

// Item names of the administrator-only entries.
inline const QStringList kAdminOnlyItems = {QStringLiteral("KullaniciKayt1"), QStringLiteral("GenelAyarlar1"),
                                            QStringLiteral("ifreAyarlar2"), QStringLiteral("Yedek2")};

// The caption without its first "&".
QString StripAmpersand(const QString& caption);

// The maker's web address shown by the "WWW" item.
inline const QString kMakerWebAddress = QStringLiteral("www.mervaton.com.tr");
