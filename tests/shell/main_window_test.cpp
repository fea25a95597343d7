#include "TestSupport.h"

#include "data/DataModule.h"
#include "data/IniFile.h"
#include "data/K_IBAyarU.h"
#include "data/K_PrgAyarU.h"
#include "data/LoginState.h"
#include "shell/AnaFormU.h"
#include "shell/ErrorHandler.h"
#include "shell/FormAyar.h"
#include "shell/GeneralRoutines.h"
#include "shell/IslemU.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

#include <algorithm>
#include <functional>

namespace {

using testenv::waitUntil;

QWidget* visibleTopLevel(const char* name)
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String(name) && w->isVisible())
            return w;
    return nullptr;
}

// Waits (from the event loop) for a window and acts on it once it is on screen.
void whenShows(const char* name, std::function<void(QWidget*)> act)
{
    auto* timer = new QTimer;
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, name, act] {
        QWidget* form = visibleTopLevel(name);
        if (!form)
            return;
        timer->stop();
        timer->deleteLater();
        act(form);
    });
    timer->start();
}

void whenLoginShows(std::function<void(QWidget*)> act) { whenShows("K_PasswordF", std::move(act)); }

void rejectDialog(QWidget* form) { static_cast<QDialog*>(form)->reject(); }

void typePasswordAndConfirm(QWidget* form, const QString& password)
{
    auto* pass = form->findChild<QLineEdit*>(QStringLiteral("EditPass"));
    auto* ok = form->findChild<QPushButton*>(QStringLiteral("IQGrap1"));
    ASSERT_TRUE(pass && ok);
    pass->clear();
    QTest::keyClicks(pass, password);
    QTest::mouseClick(ok, Qt::LeftButton);
}

void pressCancel(QWidget* form)
{
    auto* cancel = form->findChild<QPushButton*>(QStringLiteral("IQGrap2"));
    ASSERT_TRUE(cancel);
    QTest::mouseClick(cancel, Qt::LeftButton);
}

// Every menu entry in menu order (groups before their entries), separators left out.
void collect(const QList<QAction*>& actions, QStringList& out)
{
    for (QAction* a : actions) {
        if (a->isSeparator())
            continue;
        out << a->objectName();
        if (a->menu())
            collect(a->menu()->actions(), out);
    }
}

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override { Login() = LoginState(); }
    void TearDown() override
    {
        Login() = LoginState();
        ErrorHandler::install(nullptr);
    }

    TempHome home;
    FakeDialogService dialogs;
    TD_Genel dm;
};

struct MenuEntry {
    const char* name;
    const char* parent; // nullptr: the menu bar
    const char* caption;
    int tag;
    const char* hint; // nullptr: no hint
};

const MenuEntry kExpectedMenu[] = {
    {"Kayt1", nullptr, "Kişi", 2, nullptr},
    {"KisiKayit1", "Kayt1", "Kişi Kart Kaydı", 0, "Kişi Kayıt"},
    {"KisiKartArama1", "Kayt1", "Kişi Kartı Arama", 0, "Kişi Arama"},
    {"Raporlar2", "Kayt1", "Raporlar", 65, nullptr},
    {"AltKusak", "Raporlar2", "Alt Kuşak Soy Ağacı", 0, "Alt Kuşak"},
    {"UstKusak", "Raporlar2", "Üst Kuşak Soy Ağacı", 0, "Üst Kuşak"},
    {"EtennenAltKuakSoyAac1", "Raporlar2", "Eş'e Göre Alt Kuşak Soy Ağacı", 0, "Eş'e G.Alt.K."},
    {"Ebeveyn", "Raporlar2", "4 Kuşak Ebeveyn", 0, "4 K.Ebeveyn"},
    {"Kuzen", "Raporlar2", "Kuzen Kuşağı", 0, "Kzn. Kuşak"},
    {"Derece1", "Raporlar2", "1. Derece Akrabalık (Aile) Listesi", 0, "1.Derece Akr."},
    {"Derece2", "Raporlar2", "2. Derece Akrabalık Listesi", 0, "2.Derece Akr."},
    {"ifreAyarlar1", nullptr, "Yetkili K&işi", 2, nullptr},
    {"OturumuKapat", "ifreAyarlar1", "Oturumu Kapat", -1, "Otrm. Kapat"},
    {"AraubuunuDzenle1", "ifreAyarlar1", "Araç Çubuğunu Düzenle", 0, "Arç.Çb.Dz."},
    {"AraubuunuSfrla1", "ifreAyarlar1", "Araç Çubuğunu Sıfırla", 0, "Ar.Çb.Sf."},
    {"KullaniciKayt1", "ifreAyarlar1", "&Kullanıcı Kayıt", 0, "Kull. Kayıt"},
    {"Ayarlar1", "ifreAyarlar1", "Ayarlar", 65, nullptr},
    {"KullancyazelAyarlar1", "Ayarlar1", "Kullanıcıya Özel Ayarlar", 0, "Özel Ayarlar"},
    {"GenelAyarlar1", "Ayarlar1", "Genel Ayarlar", 0, "Gen. Ayar"},
    {"ifreAyarlar2", "Ayarlar1", "Şifre Değiştirme", 0, "Sif. Değ."},
    {"Yedek2", "ifreAyarlar1", "Yedekleme", 65, nullptr},
    {"Yedekleme1", "Yedek2", "Yedekleme", 0, "Yedeklm."},
    {"GeriYukle", "Yedek2", "Geri Yükleme", 0, "Geri Yukle"},
    {"MenuAraclar", nullptr, "&Araçlar", 0, nullptr},
    {"AralarMensnDzenle1", "MenuAraclar", "Araçlar Menüsünü &Düzenle", 0, "Ar.Mn.Dz."},
    {"Notlar1", nullptr, "Notlar", 2, nullptr},
    {"YeniNotEkle1", "Notlar1", "Yeni Not Ekle", 0, "Yeni Not"},
    {"NotlarGster1", "Notlar1", "Notları Göster", 0, "Not Göster"},
    {"NotlarGizle1", "Notlar1", "Notları Gizle", 0, "Not Gizle"},
    {"Yardm1", nullptr, "&Yardım", 2, nullptr},
    {"Yardim1", "Yardm1", "Tavrion Yardım", 0, "Yardım"},
    {"Irtibat1", "Yardm1", "Irtibat", 0, nullptr},
    {"Hakkinda1", "Yardm1", "&Hakkında", 0, "Hakkında"},
    {"WebSite1", "Yardm1", "www.mervaton.com.tr", 0, "WWW"},
    {"ProgramSrmnKontrolEt1", "Yardm1", "Program Sürümünü Kontrol Et", 0, "Sürüm Knt."},
    {"Kapat1", "Yardm1", "Kapat", 0, "Kapat"},
};

TEST_F(MainWindowTest, MainMenuHoldsEveryEntryWithCaptionTagHintAndPlace)
{
    TAnaF w;
    QStringList expectedOrder;
    for (const MenuEntry& e : kExpectedMenu) {
        SCOPED_TRACE(e.name);
        expectedOrder << QString::fromLatin1(e.name);
        QAction* a = w.findChild<QAction*>(QString::fromLatin1(e.name));
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(w.menuItem(QString::fromLatin1(e.name)), a);
        EXPECT_EQ(a->text(), QString::fromUtf8(e.caption));
        EXPECT_EQ(a->property("Tag").toInt(), e.tag);
        const QString hint = e.hint ? QString::fromUtf8(e.hint) : QString();
        EXPECT_EQ(a->property("Hint").toString(), hint);
        if (e.hint) {
            EXPECT_EQ(a->toolTip(), hint);
            EXPECT_EQ(a->statusTip(), hint);
        }
        const QList<QAction*> siblings =
            e.parent ? w.menuGroup(QString::fromLatin1(e.parent))->actions() : w.MainMenu1->actions();
        EXPECT_TRUE(siblings.contains(a));
        EXPECT_TRUE(a->isVisible());
        const bool isGroup = a->menu() != nullptr;
        const bool hasEntries = std::any_of(std::begin(kExpectedMenu), std::end(kExpectedMenu), [&](const MenuEntry& x) {
            return x.parent && qstrcmp(x.parent, e.name) == 0;
        });
        EXPECT_EQ(isGroup, hasEntries);
    }
    QStringList actualOrder;
    collect(w.MainMenu1->actions(), actualOrder);
    EXPECT_EQ(actualOrder, expectedOrder);

    EXPECT_EQ(w.menuItem("Kapat1")->shortcut(), QKeySequence(Qt::Key_Escape));
    for (QAction* a : w.findChildren<QAction*>()) {
        if (a->objectName() != QLatin1String("Kapat1")) {
            EXPECT_TRUE(a->shortcut().isEmpty()) << a->objectName().toStdString();
        }
    }
}

TEST_F(MainWindowTest, StripAmpersandDropsTheFirstAmpersandOnly)
{
    const std::pair<const char*, const char*> cases[] = {
        {"Yetkili K&işi", "Yetkili Kişi"}, {"&Yardım", "Yardım"}, {"Kişi", "Kişi"}, {"A&&B", "A&B"}, {"", ""},
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(StripAmpersand(QString::fromUtf8(in)), QString::fromUtf8(out)) << in;
}

TEST_F(MainWindowTest, FrameLayoutAndStartState)
{
    TAnaF w;
    EXPECT_EQ(w.objectName(), "AnaF");
    EXPECT_EQ(AnaF, &w);
    EXPECT_EQ(MainWindow(), static_cast<MainWindowLink*>(&w));
    EXPECT_EQ(w.windowTitle(), "MERVATON Tavrion s1.02.08f");
    EXPECT_EQ(MainWindowCaption(), "MERVATON Tavrion s1.02.08f");
    EXPECT_EQ(w.minimumSize(), QSize(780, 580));
    EXPECT_EQ(w.Label1->text(), "Oturum Kapalı");
    EXPECT_EQ(w.Label2->text(), "MERVATON Tavrion Soyağacı");
    EXPECT_EQ(w.SpeedButton1->toolTip(), "Oturumu Kapat");
    EXPECT_EQ(w.StatusPanel0->text(), "MERVATON Tavrion");
    EXPECT_FALSE(w.ImagePRG->pixmap().isNull());
    EXPECT_FALSE(w.TreeView1->rootIsDecorated());
    EXPECT_EQ(w.TreeView1->editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_TRUE(w.firstActivation());
    EXPECT_FALSE(w.firstActivationDone());
    EXPECT_EQ(&ErrorHandler::current(), &w.errorHandler());
    EXPECT_EQ(w.errorHandler().database(), &dm.DB_KUSAK);
    EXPECT_TRUE(dm.structureCheckEnabled);
    // Ayar.Ini lives in the program folder's Data/Ini.
    EXPECT_EQ(FSAyar().path(), home.path() + "Data/Ini/Ayar.Ini");

    // The caption others copy follows the window's.
    w.setWindowTitle("X");
    EXPECT_EQ(MainWindowCaption(), "X");
}

TEST_F(MainWindowTest, NavigationTreeShowsTheVisibleTagTwoGroups)
{
    TAnaF w;
    auto texts = [&] {
        QStringList t;
        for (int i = 0; i < w.TreeView1->topLevelItemCount(); ++i)
            t << w.TreeView1->topLevelItem(i)->text(0);
        return t;
    };
    EXPECT_EQ(texts(), QStringList({"Kişi", "Yetkili Kişi", "Notlar", "Yardım"}));
    EXPECT_EQ(w.TreeView1->currentItem(), w.TreeView1->topLevelItem(0));
    EXPECT_EQ(w.RxLabelBaslik->text(), "     Kişi");

    // A hidden group is left out on the next build; rebuilding does not add nodes twice.
    w.menuItem("Notlar1")->setVisible(false);
    w.TreeView1->setCurrentItem(w.TreeView1->topLevelItem(2));
    w.BuildMenuTree();
    EXPECT_EQ(texts(), QStringList({"Kişi", "Yetkili Kişi", "Yardım"}));
    EXPECT_EQ(w.TreeView1->currentItem()->text(0), "Kişi");
}

TEST_F(MainWindowTest, AdministratorItemsHideAndShowExactlyTheFour)
{
    TAnaF w;
    auto hidden = [&] {
        QStringList names;
        for (QAction* a : w.findChildren<QAction*>())
            if (!a->isSeparator() && !a->objectName().isEmpty() && !a->isVisible())
                names << a->objectName();
        names.sort();
        return names;
    };
    QStringList four = kAdminOnlyItems;
    four.sort();
    EXPECT_TRUE(hidden().isEmpty());
    w.setAdminItemsVisible(false);
    EXPECT_EQ(hidden(), four);
    EXPECT_EQ(four, QStringList({"GenelAyarlar1", "KullaniciKayt1", "Yedek2", "ifreAyarlar2"}));
    w.setAdminItemsVisible(true);
    EXPECT_TRUE(hidden().isEmpty());
}

TEST_F(MainWindowTest, EscapeAsksBeforeClosingAndCancelLeavesTheWindowOpen)
{
    TAnaF w;
    w.setFirstActivationOnShow(false);
    QSignalSpy closed(&w, &TAnaF::closed);
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));

    dialogs.answers = {MbCancel};
    QTest::keyClick(&w, Qt::Key_Escape);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    const MessageRequest& q = dialogs.messages[0];
    EXPECT_EQ(q.text, "Programı kapatmak istediğinizden emin misiniz?");
    EXPECT_EQ(q.caption, "Soru");
    EXPECT_EQ(q.icon, MsgIcon::Question);
    EXPECT_EQ(q.buttons, MbOk | MbCancel);
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(closed.count(), 0);
    EXPECT_FALSE(QFile::exists(home.path() + "Data/Ini/Ayar.Ini"));

    // OK closes, and closing writes the stored values back.
    FSAyar().writeString(kAyarSection, "DBYolu", "/veri");
    dialogs.answers = {MbOk};
    w.menuItem("Kapat1")->trigger();
    EXPECT_EQ(dialogs.messages.size(), 2u);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(closed.count(), 1);
    IniFile saved(home.path() + "Data/Ini/Ayar.Ini");
    EXPECT_EQ(saved.readString(kAyarSection, "DBYolu"), "/veri");
}

TEST_F(MainWindowTest, HelpFilesMissingOrPresent)
{
    TAnaF w;
    const std::pair<const char*, const char*> items[] = {{"Yardim1", "yardim.chm"}, {"Irtibat1", "yardim_irtibat.chm"}};
    for (const auto& [item, file] : items) {
        SCOPED_TRACE(item);
        dialogs.messages.clear();
        w.menuItem(item)->trigger();
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.lastText(), home.path() + file + " dosyası bulunamadı...\r\nYetkili satıcınızla irtibat kurunuz...");
        EXPECT_TRUE(dialogs.messages[0].caption.endsWith(" - Bilgi"));
        EXPECT_EQ(dialogs.messages[0].icon, MsgIcon::Information);
    }
    // A file that is there goes to the desktop, without a message.
    QFile f(home.path() + "yardim.chm");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    dialogs.messages.clear();
    w.menuItem("Yardim1")->trigger();
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(MainWindowTest, AboutBoxShowsCaptionProductAndVersion)
{
    TAnaF w;
    w.menuItem("Hakkinda1")->trigger();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].caption, "MERVATON Tavrion s1.02.08f");
    EXPECT_TRUE(dialogs.lastText().startsWith("Tavrion s1.02.08\r\n"));
    EXPECT_TRUE(dialogs.lastText().contains("www.mervaton.com.tr"));
}

TEST_F(MainWindowTest, RestoreArgumentInAnyCase)
{
    const std::pair<QStringList, bool> cases[] = {
        {{"tavrion", "-g"}, true},  {{"tavrion", "-G"}, true},        {{"tavrion"}, false},
        {{"tavrion", "-gx"}, false}, {{"tavrion", "x", "-g"}, false}, {{"tavrion", "g"}, false},
    };
    for (const auto& [args, expected] : cases)
        EXPECT_EQ(restoreModeRequested(args), expected) << args.join(' ').toStdString();
}

TEST_F(MainWindowTest, FormAyarCopiesCaptionAndPictures)
{
    TAnaF w;
    w.setWindowTitle("MERVATON Tavrion s1.02.08f");
    w.ImageList32 = {QPixmap(8, 8), QPixmap(16, 16)};
    w.ImageList32[1].fill(Qt::red);

    QDialog form;
    auto* b1 = new QLabel(&form);
    b1->setObjectName("ImageBASLIK1");
    auto* b2 = new QLabel(&form);
    b2->setObjectName("ImageBASLIK2");
    auto* top = new QLabel(&form);
    top->setObjectName("ImageTOP");

    FormAyar(&form);
    EXPECT_EQ(form.windowTitle(), "MERVATON Tavrion s1.02.08f");
    EXPECT_EQ(b1->pixmap().toImage(), w.ImageBASLIK1->pixmap().toImage());
    EXPECT_EQ(b2->pixmap().toImage(), w.ImageBaslik2->pixmap().toImage());
    EXPECT_EQ(top->pixmap().toImage(), w.ImagePRG->pixmap().toImage());

    FormAyar(&form, 1);
    EXPECT_EQ(top->pixmap().toImage(), w.ImageList32[1].toImage());

    // A form without the pictures only gets the caption.
    QDialog plain;
    FormAyar(&plain);
    EXPECT_EQ(plain.windowTitle(), "MERVATON Tavrion s1.02.08f");
}

// ---------------------------------------------------------------- with the real login

TEST_F(MainWindowTest, FirstActivationLogsInOnTheEmbeddedDatabase)
{
    TAnaF w;
    w.setArguments({"tavrion"});
    QSignalSpy closed(&w, &TAnaF::closed);
    whenLoginShows([](QWidget* form) { typePasswordAndConfirm(form, "parola"); });
    w.resize(1000, 700);
    w.show();
    ASSERT_TRUE(waitUntil([&] { return w.firstActivationDone(); }));

    EXPECT_TRUE(dm.connected());
    EXPECT_TRUE(QFile::exists(home.path() + "Data/KUSAK.FDB"));
    EXPECT_EQ(w.Label1->text(), "Server - Yetkili");
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(closed.count(), 0);
    EXPECT_FALSE(Login().restoreMode);
    EXPECT_GE(w.speedBarBuildCount(), 1);
    EXPECT_TRUE(w.menuItem("KullaniciKayt1")->isVisible());
    ASSERT_NE(IslemF, nullptr);
    EXPECT_FALSE(IslemF->isVisible());
    w.grab().save("/tmp/anaf.png");

    // Showing the window again does not log in a second time.
    w.hide();
    w.show();
    QTest::qWait(100);
    EXPECT_EQ(visibleTopLevel("K_PasswordF"), nullptr);

    // "Genel Ayarlar" runs the settings screen modally and frees it afterwards.
    QString settingsTitle;
    whenShows("K_PrgAyarF", [&](QWidget* form) {
        settingsTitle = form->windowTitle();
        rejectDialog(form);
    });
    w.menuItem("GenelAyarlar1")->trigger();
    EXPECT_EQ(settingsTitle, "MERVATON Tavrion s1.02.08f");
    EXPECT_EQ(K_PrgAyarF, nullptr);

    // Logout closes the connection and shows the login again; logging in again keeps the program.
    // The error handler's "show the login's on-show state again" reaches the open login.
    bool sawLoggedOut = false;
    QString passwordAfterRerun = "?";
    whenLoginShows([&](QWidget* form) {
        sawLoggedOut = w.Label1->text() == "Oturum Kapalı" && !dm.connected() && !IslemF->isVisible();
        auto* pass = form->findChild<QLineEdit*>(QStringLiteral("EditPass"));
        pass->setText("yazildi");
        w.errorHandler().hooks().rerunLoginOnShow();
        passwordAfterRerun = pass->text();
        typePasswordAndConfirm(form, "parola");
    });
    w.menuItem("OturumuKapat")->trigger();
    EXPECT_TRUE(sawLoggedOut);
    EXPECT_EQ(passwordAfterRerun, "");
    EXPECT_TRUE(dm.connected());
    EXPECT_EQ(w.Label1->text(), "Server - Yetkili");
    EXPECT_TRUE(w.isVisible());

    // The logout button does the same; leaving the login without logging in ends the program.
    whenLoginShows(pressCancel);
    QTest::mouseClick(w.SpeedButton1, Qt::LeftButton);
    EXPECT_FALSE(dm.connected());
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(closed.count(), 1);
}

TEST_F(MainWindowTest, CancelledFirstLoginEndsTheProgram)
{
    TAnaF w;
    w.setArguments({"tavrion"});
    QSignalSpy closed(&w, &TAnaF::closed);
    whenLoginShows(pressCancel);
    w.show();
    ASSERT_TRUE(waitUntil([&] { return w.firstActivationDone(); }));
    EXPECT_FALSE(dm.connected());
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(closed.count(), 1);
    EXPECT_FALSE(QFile::exists(home.path() + "Data/KUSAK.FDB"));
}

TEST_F(MainWindowTest, UpperCaseRestoreArgumentEndsTheProgramAfterTheLogin)
{
    TAnaF w;
    w.setArguments({"tavrion", "-G"});
    QSignalSpy closed(&w, &TAnaF::closed);
    whenLoginShows([](QWidget* form) { typePasswordAndConfirm(form, "parola"); });
    w.show();
    ASSERT_TRUE(waitUntil([&] { return w.firstActivationDone(); }));
    EXPECT_TRUE(Login().restoreMode);
    EXPECT_EQ(Login().currentUser, "Yetkili");
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(closed.count(), 1);
}

TEST_F(MainWindowTest, ErrorHandlerRecoversThroughTheMainWindow)
{
    TAnaF w;
    w.setArguments({"tavrion"});
    whenLoginShows([](QWidget* form) { typePasswordAndConfirm(form, "parola"); });
    w.show();
    ASSERT_TRUE(waitUntil([&] { return w.firstActivationDone(); }));
    ASSERT_TRUE(dm.connected());

    // The network settings open modally and are freed.
    bool networkShown = false;
    whenShows("K_IBAyarF", [&](QWidget* form) {
        networkShown = true;
        rejectDialog(form);
    });
    w.errorHandler().hooks().showNetworkSettings();
    EXPECT_TRUE(networkShown);
    EXPECT_EQ(K_IBAyarF, nullptr);

    // A dropped connection: the please-wait window goes, the connection is force closed and
    // the program ends.
    IslemF->show();
    dialogs.messages.clear();
    ErrorHandler::current().handle("connection shutdown");
    EXPECT_EQ(dialogs.lastText(), "Veritabanı ile bağlantı kurulamadı!..");
    EXPECT_FALSE(IslemF->isVisible());
    EXPECT_FALSE(dm.connected());
    EXPECT_FALSE(w.isVisible());
}

} // namespace
