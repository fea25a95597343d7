#include "shell/AnaFormU.h"

#include "persons/F_KisiU.h"
#include "persons/K_KisiU.h"
#include "persons/PersonFlags.h"

#include "controls/PopupGrid.h"
#include "controls/ZYOzelMenu.h"
#include "data/DataModule.h"
#include "data/IniFile.h"
#include "data/K_IBAyarU.h"
#include "data/K_PasswordU.h"
#include "data/K_PrgAyarU.h"
#include "data/LoginState.h"
#include "shell/AppPaths.h"
#include "shell/DialogService.h"
#include "shell/GeneralRoutines.h"
#include "shell/IslemU.h"
#include "shell/Messages.h"
#include "shell/ProgramIdentity.h"
#include "shell/SpeedBar.h"
#include "shell/StartUp.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QShowEvent>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

TAnaF* AnaF = nullptr;

namespace {
bool databaseConnected() { return D_Genel() && D_Genel()->connected(); }

QWidget* strip(QWidget* parent, const char* name, int height, const QString& style)
{
    auto* w = new QWidget(parent);
    w->setObjectName(QString::fromLatin1(name));
    w->setFixedHeight(height);
    w->setAttribute(Qt::WA_StyledBackground);
    w->setStyleSheet(QStringLiteral("#%1 { %2 }").arg(w->objectName(), style));
    return w;
}
} // namespace

bool restoreModeRequested(const QStringList& arguments)
{
    return arguments.size() > 1 && arguments.at(1).toLower() == QLatin1String("-g");
}

TAnaF::TAnaF(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("AnaF"));
    AnaF = this;
    setMainWindow(this);
    SetMainWindowCaptionSource([this] { return windowTitle(); });

    setWindowTitle(ProgramIdentity::mainCaption());
    setWindowIcon(QIcon(ProgramIconPixmap(32)));
    setMinimumSize(780, 580);
    buildLayout();
    buildMainMenu();
    buildSpeedBar();
    PopupGrid = new TPopupGrid(this);

    IniDir();
    FSAyar();

    BuildMenuTree();
    ImagePRG->setPixmap(ProgramIconPixmap(32));

    installErrorHooks();
    connectMaintenanceEvents();
}

TAnaF::~TAnaF()
{
    if (&ErrorHandler::current() == &m_errorHandler)
        ErrorHandler::install(nullptr);
    if (TD_Genel* dm = D_Genel())
        dm->structureCheckEnabled = false;
    delete IslemF;
    IslemF = nullptr;
    SetMainWindowCaptionSource({});
    if (MainWindow() == this)
        setMainWindow(nullptr);
    if (AnaF == this)
        AnaF = nullptr;
}

void TAnaF::buildLayout()
{
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("PanelAna"));
    central->setAutoFillBackground(true);
    QPalette pal = central->palette();
    pal.setColor(QPalette::Window, Qt::white);
    central->setPalette(pal);
    setCentralWidget(central);
    auto* main = new QVBoxLayout(central);
    main->setContentsMargins(0, 0, 0, 0);
    main->setSpacing(0);

    // Header strip
    QWidget* header = strip(central, "Panel1", 35, QStringLiteral("background: white; border-bottom: 1px solid #c8d3e3;"));
    auto* hl = new QHBoxLayout(header);
    hl->setContentsMargins(4, 0, 0, 0);
    hl->setSpacing(0);
    ImagePRG = new QLabel(header);
    ImagePRG->setObjectName(QStringLiteral("ImagePRG"));
    ImagePRG->setFixedSize(32, 32);
    hl->addWidget(ImagePRG);
    hl->addSpacing(8);
    Label2 = new QLabel(QStringLiteral("MERVATON Tavrion Soyağacı"), header);
    Label2->setObjectName(QStringLiteral("Label2"));
    QFont titleFont = Label2->font();
    titleFont.setPointSize(14);
    titleFont.setBold(true);
    Label2->setFont(titleFont);
    Label2->setStyleSheet(QStringLiteral("color: #1d4e89;"));
    hl->addWidget(Label2);
    hl->addStretch(1);
    ImageBASLIK1 = new QLabel(header);
    ImageBASLIK1->setObjectName(QStringLiteral("ImageBASLIK1"));
    ImageBASLIK1->setPixmap(HeaderPicture1());
    hl->addWidget(ImageBASLIK1);
    ImageBaslik2 = new QLabel(header);
    ImageBaslik2->setObjectName(QStringLiteral("ImageBaslik2"));
    ImageBaslik2->setPixmap(HeaderPicture2());
    hl->addWidget(ImageBaslik2);
    main->addWidget(header);

    auto* splitter = new QSplitter(Qt::Horizontal, central);
    splitter->setObjectName(QStringLiteral("Splitter1"));
    splitter->setChildrenCollapsible(false);
    main->addWidget(splitter, 1);

    // Navigation tree
    TreeView1 = new QTreeWidget(splitter);
    TreeView1->setObjectName(QStringLiteral("TreeView1"));
    TreeView1->setHeaderHidden(true);
    TreeView1->setColumnCount(1);
    TreeView1->setRootIsDecorated(false);
    TreeView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TreeView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    TreeView1->setSelectionMode(QAbstractItemView::SingleSelection);
    TreeView1->setAllColumnsShowFocus(true);
    TreeView1->viewport()->setCursor(Qt::PointingHandCursor);
    TreeView1->setIconSize(QSize(20, 20));
    TreeView1->setMinimumWidth(100);
    connect(TreeView1, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current, QTreeWidgetItem*) { treeSelectionChanged(current); });
    TreeView1->installEventFilter(this);

    // Right side: login status, title strip, the menu panel's area
    auto* right = new QWidget(splitter);
    right->setObjectName(QStringLiteral("Panel3"));
    auto* rl = new QVBoxLayout(right);
    rl->setContentsMargins(0, 0, 0, 0);
    rl->setSpacing(0);

    QWidget* status = strip(right, "Panel4", 30, QStringLiteral("background: #eef2f8; border-bottom: 1px solid #c8d3e3;"));
    auto* sl = new QHBoxLayout(status);
    sl->setContentsMargins(8, 0, 4, 0);
    Label1 = new QLabel(QStringLiteral("Oturum Kapalı"), status);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont bold = Label1->font();
    bold.setBold(true);
    Label1->setFont(bold);
    Label1->setStyleSheet(QStringLiteral("color: #8b0000;"));
    sl->addWidget(Label1);
    sl->addStretch(1);
    SpeedButton1 = new QToolButton(status);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton1->setToolTip(QStringLiteral("Oturumu Kapat"));
    SpeedButton1->setStatusTip(QStringLiteral("Oturumu Kapat"));
    SpeedButton1->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    SpeedButton1->setAutoRaise(true);
    SpeedButton1->setCursor(Qt::PointingHandCursor);
    SpeedButton1->setFocusPolicy(Qt::NoFocus);
    connect(SpeedButton1, &QToolButton::clicked, this, [this] { Logout(); });
    sl->addWidget(SpeedButton1);
    rl->addWidget(status);

    QWidget* title = strip(right, "Panel6", 34, QStringLiteral("background: white; border-bottom: 2px solid #f0c060;"));
    auto* tl = new QHBoxLayout(title);
    tl->setContentsMargins(4, 0, 4, 0);
    RxLabelBaslik = new QLabel(title);
    RxLabelBaslik->setObjectName(QStringLiteral("RxLabelBaslik"));
    QFont big = RxLabelBaslik->font();
    big.setPointSize(13);
    big.setBold(true);
    RxLabelBaslik->setFont(big);
    RxLabelBaslik->setStyleSheet(QStringLiteral("color: #1d4e89;"));
    tl->addWidget(RxLabelBaslik);
    rl->addWidget(title);

    ZYOzelMenu1 = new TZYOzelMenu(right);
    ZYOzelMenu1->setObjectName(QStringLiteral("ZYOzelMenu1"));
    ZYOzelMenu1->setFrameShape(QFrame::NoFrame);
    ZYOzelMenu1->setFocusPolicy(Qt::NoFocus);
    ZYOzelMenu1->setAutoFillBackground(true);
    ZYOzelMenu1->setPalette(pal);
    ZYOzelMenu1->content()->setAutoFillBackground(true);
    ZYOzelMenu1->content()->setPalette(pal);
    rl->addWidget(ZYOzelMenu1, 1);
    // The keys of the panel arrive here; the edit sits outside the visible area.
    ZYOzelEdit1 = new TZYOzelEdit(ZYOzelMenu1);
    ZYOzelEdit1->setObjectName(QStringLiteral("ZYOzelEdit1"));
    ZYOzelEdit1->setZYOzelMenu(ZYOzelMenu1);

    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({153, 627});

    MainMenu1 = new QMenuBar(this);
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    setMenuBar(MainMenu1);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusPanel0 = new QLabel(QStringLiteral("MERVATON Tavrion"), StatusBar1);
    StatusPanel0->setObjectName(QStringLiteral("StatusPanel0"));
    StatusBar1->addWidget(StatusPanel0, 1);
    setStatusBar(StatusBar1);

    // Enter in the tree moves on to the panel's edit.
    setTabOrder(TreeView1, ZYOzelEdit1);
}

void TAnaF::buildSpeedBar()
{
    SpeedBar1 = new TSpeedBar(this);
    // Before the first activation has ended the bar is still being set up for the login.
    SpeedBar1->setAutoSaveAllowed([this] { return firstActivationDone(); });
    PopupSPEED = new QMenu(this);
    PopupSPEED->setObjectName(QStringLiteral("PopupSPEED"));
    QAction* reset = PopupSPEED->addAction(QStringLiteral("Orjinal durumuna getir"));
    reset->setObjectName(QStringLiteral("Orjinaldurumunagetir1"));
    connect(reset, &QAction::triggered, this, [this] { AraubuunuSfrla1Click(); });
    SpeedBar1->setPopupMenu(PopupSPEED);
    connect(SpeedBar1, &TSpeedBar::customizeRequested, this, [this] { AraubuunuDzenle1Click(); });
}

void TAnaF::RaporGridSakla(TZYRXDBGrid* grid) { ::RaporGridSakla(grid); }

void TAnaF::BuildMenuTree()
{
    TreeView1->clear();
    const QIcon icon = style()->standardIcon(QStyle::SP_DirIcon);
    for (QAction* a : MainMenu1->actions()) {
        if (a->isSeparator() || !a->isVisible() || a->property("Tag").toInt() != 2)
            continue;
        auto* node = new QTreeWidgetItem(TreeView1, QStringList{StripAmpersand(a->text())});
        node->setIcon(0, icon);
    }
    selectFirstNavigationNode();
}

void TAnaF::selectFirstNavigationNode()
{
    if (TreeView1->topLevelItemCount() == 0)
        return;
    QTreeWidgetItem* first = TreeView1->topLevelItem(0);
    if (TreeView1->currentItem() == first)
        treeSelectionChanged(first); // the menus may have changed since it was shown
    else
        TreeView1->setCurrentItem(first);
}

void TAnaF::treeSelectionChanged(QTreeWidgetItem* current)
{
    const QString text = current ? current->text(0) : QString();
    RxLabelBaslik->setText(current ? QStringLiteral("     ") + text : QString());
    showMenuGroup(text);
}

void TAnaF::showMenuGroup(const QString& nodeText)
{
    QAction* group = nullptr;
    if (!nodeText.isEmpty()) {
        for (QAction* a : MainMenu1->actions()) {
            if (!a->isSeparator() && StripAmpersand(a->text()) == nodeText) {
                group = a;
                break;
            }
        }
    }
    if (group)
        ZYOzelMenu1->MenuOlustur(ZYOzelMenu1, MainMenu1, group);
    else
        ZYOzelMenu1->MenuTemizle();
}

bool TAnaF::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == TreeView1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            FocusNextControl(this);
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TAnaF::SpeedBarAktar()
{
    ++m_speedBarBuilds;
    SpeedBar1->build(MainMenu1->actions(), Login().speedBarIniFile);
}

void TAnaF::AraubuunuDzenle1Click() { SpeedBar1->customize(); }

void TAnaF::AraubuunuSfrla1Click()
{
    if (QuestionBox(QStringLiteral("Araç çubuğu sıfırlanacak. Devam etmek istiyor musunuz"), true) != MbYes)
        return;
    const QString file = Login().speedBarIniFile;
    if (!file.isEmpty() && QFileInfo::exists(file) && !QFile::remove(file)) {
        ShowInfo(QDir::toNativeSeparators(file) + QStringLiteral(" dosyası silinemedi."));
        return;
    }
    SpeedBarAktar();
}

void TAnaF::setStatusLabel(const QString& text) { Label1->setText(text); }

void TAnaF::closeMainWindow() { close(); }

// ---------------------------------------------------------------- error handler, data module

void TAnaF::installErrorHooks()
{
    ErrorHandlerHooks hooks;
    hooks.hidePleaseWait = [] {
        if (IslemF)
            IslemF->hide();
    };
    hooks.closeConnection = [] {
        if (TD_Genel* dm = D_Genel())
            dm->closeConnection();
    };
    hooks.forceCloseConnection = [] {
        if (TD_Genel* dm = D_Genel())
            dm->DB_KUSAK.forceClose();
    };
    hooks.showNetworkSettings = [] { ShowModalForm(K_IBAyarF); };
    hooks.rerunLoginOnShow = [] {
        if (TK_PasswordF* login = TK_PasswordF::current())
            login->runOnShowSteps();
    };
    hooks.closeMainWindow = [this] { closeMainWindow(); };
    m_errorHandler.setHooks(std::move(hooks));
    m_errorHandler.setDatabase(D_Genel() ? &D_Genel()->DB_KUSAK : nullptr);
    ErrorHandler::install(&m_errorHandler);
}

void TAnaF::connectMaintenanceEvents()
{
    TD_Genel* dm = D_Genel();
    if (!dm)
        return;
    dm->structureCheckEnabled = true;
    connect(dm, &TD_Genel::maintenanceNeededServer, this,
            [] { qWarning("Veritabanı bakımı gerekiyor (Server)."); });
    connect(dm, &TD_Genel::maintenanceNeededClient, this,
            [] { qWarning("Veritabanı bakımı gerekiyor (Client)."); });
}

// ---------------------------------------------------------------- activation, login, logout

void TAnaF::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    // No window manager may deliver an activation (headless displays), so the first show starts it.
    if (m_firstActivation && m_firstActivationOnShow && !m_activationQueued) {
        m_activationQueued = true;
        QTimer::singleShot(0, this, &TAnaF::runFirstActivation);
    }
}

void TAnaF::showLogin()
{
    try {
        ShowModalForm(K_PasswordF);
    } catch (...) {
        // A login that could not even run counts as a failed one.
        ErrorHandler::current().handleCurrentException();
    }
}

void TAnaF::runFirstActivation()
{
    if (!m_firstActivation || m_activationRunning)
        return;
    m_activationRunning = true;
    m_activationQueued = true;

    if (restoreModeRequested(m_argumentsSet ? m_arguments : QCoreApplication::arguments()))
        Login().restoreMode = true;
    if (!IslemF)
        IslemF = new TIslemF;
    showLogin();
    if (!databaseConnected() || Login().restoreMode)
        closeMainWindow();
    m_firstActivation = false;
    m_activationRunning = false;
}

void TAnaF::Logout()
{
    repaint();
    if (!IslemF)
        IslemF = new TIslemF;
    IslemF->show();
    IslemF->repaint();
    if (TD_Genel* dm = D_Genel())
        dm->closeConnection();
    Label1->setText(QStringLiteral("Oturum Kapalı"));
    IslemF->hide();
    showLogin();
    if (!databaseConnected())
        closeMainWindow();
}

void TAnaF::closeEvent(QCloseEvent* event)
{
    if (!FSAyar().save())
        ShowInfo(QStringLiteral("Ayarlar kaydedilemedi: ") + QDir::toNativeSeparators(FSAyar().path()));
    event->accept();
    QMainWindow::closeEvent(event);
    if (!m_closedEmitted) {
        m_closedEmitted = true;
        emit closed();
    }
}

// ---------------------------------------------------------------- menu items

void TAnaF::Kapat1Click()
{
    MessageRequest r;
    r.caption = QStringLiteral("Soru");
    r.text = QStringLiteral("Programı kapatmak istediğinizden emin misiniz?");
    r.icon = MsgIcon::Question;
    r.buttons = MbOk | MbCancel;
    r.defaultButton = MbOk;
    if (DialogService::instance().message(this, r) != MbOk)
        return;
    close();
}

void TAnaF::openHelpFile(const QString& fileName)
{
    const QString file = ProgramDir() + fileName;
    if (!QFileInfo(file).isFile()) {
        ShowInfo(file + QStringLiteral(" dosyası bulunamadı...") + QStringLiteral("\r\n")
                 + QStringLiteral("Yetkili satıcınızla irtibat kurunuz..."));
        return;
    }
    ShellOpen(file, QString());
}

void TAnaF::Yardim1Click() { openHelpFile(QStringLiteral("yardim.chm")); }

void TAnaF::Irtibat1Click() { openHelpFile(QStringLiteral("yardim_irtibat.chm")); }

void TAnaF::Hakkinda1Click()
{
    MessageRequest r;
    r.caption = windowTitle();
    r.text = ProgramIdentity::ProductName + QLatin1Char(' ') + ProgramIdentity::Version + QStringLiteral("\r\n\r\n")
             + ProgramIdentity::MakerName + QStringLiteral(" Yazılım\r\n") + kMakerWebAddress
             + QStringLiteral("\r\nbilgi@mervaton.com.tr");
    r.icon = MsgIcon::Information;
    r.buttons = MbOk;
    r.defaultButton = MbOk;
    DialogService::instance().message(this, r);
}

void TAnaF::WebSite1Click() { ShellOpen(QStringLiteral("https://") + kMakerWebAddress, QString()); }

void TAnaF::GenelAyarlar1Click() { ShowModalForm(K_PrgAyarF, this); }

void TAnaF::KisiKayit1Click()
{
    // The card opens on no rows and starts a new person when it sees this flag.
    NewCardRequested = true;
    TK_KisiF* card = nullptr;
    ShowModalForm(card, this);
    NewCardRequested = false;
}

void TAnaF::KisiKartArama1Click()
{
    TF_KisiF* list = nullptr;
    ShowModalForm(list, this);
}
