#include "TestSupport.h"

#include "controls/ZYOzelMenu.h"
#include "data/Connection.h"
#include "data/DataModule.h"
#include "data/IniFile.h"
#include "data/LoginState.h"
#include "data/Schema.h"
#include "fb/Firebird.h"
#include "shell/AnaFormU.h"
#include "shell/AppPaths.h"
#include "shell/ErrorHandler.h"
#include "shell/SpeedBar.h"

#include <QLabel>
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QUuid>

#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using testenv::waitUntil;

void whenLoginShows(std::function<void(QWidget*)> act)
{
    auto* timer = new QTimer;
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, act] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->objectName() == QLatin1String("K_PasswordF") && w->isVisible()) {
                timer->stop();
                timer->deleteLater();
                act(w);
                return;
            }
        }
    });
    timer->start();
}

struct Label {
    const char* caption;
    int x;
    int row;
};

// What the panel shows for each node of the tree before anyone is hidden.
const std::pair<const char*, std::vector<Label>> kPanels[] = {
    {"Kişi",
     {{"Kişi Kart Kaydı", 10, 0}, {"Kişi Kartı Arama", 10, 1}, {"Alt Kuşak Soy Ağacı", 300, 0},
      {"Üst Kuşak Soy Ağacı", 300, 1}, {"Eş'e Göre Alt Kuşak Soy Ağacı", 300, 2}, {"4 Kuşak Ebeveyn", 300, 3},
      {"Kuzen Kuşağı", 300, 4}, {"1. Derece Akrabalık (Aile) Listesi", 300, 5}, {"2. Derece Akrabalık Listesi", 300, 6}}},
    {"Yetkili Kişi",
     {{"Araç Çubuğunu Düzenle", 10, 0}, {"Araç Çubuğunu Sıfırla", 10, 1}, {"Kullanıcı Kayıt", 10, 2},
      {"Kullanıcıya Özel Ayarlar", 300, 0}, {"Genel Ayarlar", 300, 1}, {"Şifre Değiştirme", 300, 2},
      {"Yedekleme", 300, 3}, {"Geri Yükleme", 300, 4}}},
    {"Notlar", {{"Yeni Not Ekle", 10, 0}, {"Notları Göster", 10, 1}, {"Notları Gizle", 10, 2}}},
    {"Yardım",
     {{"Tavrion Yardım", 10, 0}, {"Irtibat", 10, 1}, {"Hakkında", 10, 2}, {"www.mervaton.com.tr", 10, 3},
      {"Program Sürümünü Kontrol Et", 10, 4}, {"Kapat", 10, 5}}},
};

QStringList captions(const TZYOzelMenu* panel)
{
    QStringList out;
    for (const TZYOzelLabel* l : panel->labels())
        out << l->Caption();
    return out;
}

QTreeWidgetItem* node(TAnaF& w, const QString& text)
{
    for (int i = 0; i < w.TreeView1->topLevelItemCount(); ++i)
        if (w.TreeView1->topLevelItem(i)->text(0) == text)
            return w.TreeView1->topLevelItem(i);
    return nullptr;
}

TZYOzelLabel* label(TAnaF& w, const QString& caption)
{
    for (TZYOzelLabel* l : w.ZYOzelMenu1->labels())
        if (l->Caption() == caption)
            return l;
    return nullptr;
}

class NavigationTest : public ::testing::Test {
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

TEST_F(NavigationTest, PanelShowsTheGroupOfTheSelectedNode)
{
    TAnaF w;
    EXPECT_EQ(w.findChild<TZYOzelMenu*>("ZYOzelMenu1"), w.ZYOzelMenu1);
    EXPECT_EQ(w.findChild<TZYOzelEdit*>("ZYOzelEdit1"), w.ZYOzelEdit1);
    EXPECT_EQ(w.ZYOzelEdit1->ZYOzelMenu(), w.ZYOzelMenu1);
    EXPECT_EQ(w.findChild<QWidget*>("PanelOzelMenu"), nullptr);

    for (const auto& [text, expected] : kPanels) {
        SCOPED_TRACE(text);
        QTreeWidgetItem* n = node(w, QString::fromUtf8(text));
        ASSERT_NE(n, nullptr);
        w.TreeView1->setCurrentItem(n);
        EXPECT_EQ(w.RxLabelBaslik->text(), "     " + QString::fromUtf8(text));
        const QList<TZYOzelLabel*>& labels = w.ZYOzelMenu1->labels();
        ASSERT_EQ(labels.size(), int(expected.size()));
        for (int i = 0; i < labels.size(); ++i) {
            const Label& e = expected[i];
            SCOPED_TRACE(e.caption);
            EXPECT_EQ(labels[i]->Caption(), QString::fromUtf8(e.caption));
            EXPECT_EQ(labels[i]->pos(), QPoint(e.x, 10 + 33 * e.row));
            EXPECT_EQ(labels[i]->fontColor(), e.x == 10 ? QColor(128, 0, 0) : QColor(0, 0, 128));
            EXPECT_TRUE(labels[i]->font().bold());
            EXPECT_FALSE(labels[i]->Glpyh().isNull()); // the menu item's picture
        }
    }

    // A group hidden while its node is shown leaves the panel at once.
    w.TreeView1->setCurrentItem(node(w, "Yetkili Kişi"));
    w.setAdminItemsVisible(false);
    EXPECT_EQ(captions(w.ZYOzelMenu1), QStringList({"Araç Çubuğunu Düzenle", "Araç Çubuğunu Sıfırla", "Kullanıcıya Özel Ayarlar"}));
    w.setAdminItemsVisible(true);
    EXPECT_EQ(w.ZYOzelMenu1->labels().size(), 8);

    // Selecting the first node again refreshes the panel even when it is selected already.
    w.TreeView1->setCurrentItem(node(w, "Kişi"));
    w.menuItem("KisiKartArama1")->setVisible(false);
    w.selectFirstNavigationNode();
    EXPECT_FALSE(captions(w.ZYOzelMenu1).contains("Kişi Kartı Arama"));
}

TEST_F(NavigationTest, ClicksAndKeysOnThePanelRunTheMenuItems)
{
    TAnaF w;
    w.setFirstActivationOnShow(false);
    w.resize(1000, 700);
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));

    // A mouse click on a label.
    QSignalSpy cousins(w.menuItem("Kuzen"), &QAction::triggered);
    TZYOzelLabel* kuzen = label(w, "Kuzen Kuşağı");
    ASSERT_NE(kuzen, nullptr);
    QTest::mouseClick(kuzen, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(cousins.count(), 1);

    // Enter in the tree moves on to the panel's edit, which selects the first label.
    w.TreeView1->setCurrentItem(node(w, "Yardım"));
    w.TreeView1->setFocus();
    ASSERT_TRUE(waitUntil([&] { return w.TreeView1->hasFocus(); }, 2000));
    QTest::keyClick(w.TreeView1, Qt::Key_Return);
    ASSERT_TRUE(waitUntil([&] { return w.ZYOzelEdit1->hasFocus(); }, 2000));
    EXPECT_EQ(w.TreeView1->currentItem()->text(0), "Yardım");
    EXPECT_TRUE(w.ZYOzelMenu1->selectionShown());
    EXPECT_EQ(w.ZYOzelMenu1->selectedNumber(), 1);

    // Down twice reaches "Hakkında"; Enter runs it.
    QSignalSpy about(w.menuItem("Hakkinda1"), &QAction::triggered);
    QTest::keyClick(w.ZYOzelEdit1, Qt::Key_Down);
    QTest::keyClick(w.ZYOzelEdit1, Qt::Key_Down);
    EXPECT_EQ(w.ZYOzelMenu1->selectedLabel()->Caption(), "Hakkında");
    QTest::keyClick(w.ZYOzelEdit1, Qt::Key_Return);
    EXPECT_EQ(about.count(), 1);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].caption, w.windowTitle());
    EXPECT_TRUE(w.ZYOzelEdit1->text().isEmpty());
}

// ---------------------------------------------------------------- a user who is not the administrator

// A database on the local server with one program user; the server account is dropped again.
class UserLoginTest : public NavigationTest {
protected:
    static QStringList adminParams()
    {
        return {"user_name=SYSDBA", "password=" + testenv::adminPassword(), "lc_ctype=WIN1254"};
    }
    static void execute(const QStringList& statements, bool ignoreErrors = false)
    {
        testenv::executeStatements(database, adminParams(), statements, ignoreErrors);
    }
    static void SetUpTestSuite()
    {
        if (!testenv::serverAvailable() || testenv::adminPassword().isEmpty())
            return;
        folder = testenv::serverScratchDir() + "/nav-" + QUuid::createUuid().toString(QUuid::Id128).left(8);
        QDir().mkpath(folder);
        ::chmod(QFile::encodeName(folder).constData(), 0777);
        database = "127.0.0.1:" + folder + "/KUSAK.FDB";
        user = QStringLiteral("TVNAV_%1").arg(::getpid() % 100000);
        createEmptyDatabase(database, adminParams());
        execute({"DROP USER " + user}, true);
        execute({"CREATE USER " + user + " PASSWORD '" + password + "'",
                 "GRANT SELECT, INSERT, UPDATE, DELETE ON AYAR TO " + user,
                 "GRANT SELECT, INSERT, UPDATE, DELETE ON PERSONEL TO " + user,
                 "GRANT SELECT, INSERT, UPDATE, DELETE ON KISI TO " + user,
                 "INSERT INTO AYAR (BLAYARKODU, PROG_SURUM, SEMA_ES_GENISLIK) VALUES (1, 's1.02.08', 120)",
                 "INSERT INTO PERSONEL (BLPERKODU, USERNAME, ADI, SOYADI) VALUES (1, '" + user + "', 'Ayşe', 'Kaya')"});
        ready = true;
    }
    static void TearDownTestSuite()
    {
        if (ready)
            execute({"DROP USER " + user}, true);
    }
    void SetUp() override
    {
        NavigationTest::SetUp();
        if (!ready)
            GTEST_SKIP() << "no server on 127.0.0.1:3050";
        ConnectionSettings{false, "127.0.0.1", folder, "TCP/IP", false}.store(FSAyar());
        ASSERT_TRUE(FSAyar().save());
    }

    static inline QString folder, database, user;
    static inline const QString password = QStringLiteral("gizli2");
    static inline bool ready = false;
};

TEST_F(UserLoginTest, AdministratorItemsAreMissingFromPanelAndBar)
{
    // The administrator's bar, arranged earlier on this workstation, stays his own.
    const QString adminFile = IniDir() + "Speed_YETKILI.Ini";
    SpeedBarLayout adminLayout;
    adminLayout.position = SpeedBarPosition::Top;
    adminLayout.buttons = {{"GenelAyarlar1_SP", "Yetkili Kişi", true, QPoint(4, 2)}};
    ASSERT_TRUE(SaveSpeedBarLayout(adminFile, adminLayout));
    QFile a(adminFile);
    ASSERT_TRUE(a.open(QIODevice::ReadOnly));
    const QByteArray adminBefore = a.readAll();
    a.close();

    TAnaF w;
    w.setArguments({"tavrion"});
    whenLoginShows([](QWidget* form) {
        auto* name = form->findChild<QLineEdit*>(QStringLiteral("EditUser"));
        auto* pass = form->findChild<QLineEdit*>(QStringLiteral("EditPass"));
        auto* ok = form->findChild<QPushButton*>(QStringLiteral("IQGrap1"));
        ASSERT_TRUE(name && pass && ok);
        name->clear();
        QTest::keyClicks(name, user.toLower());
        QTest::keyClicks(pass, password);
        QTest::mouseClick(ok, Qt::LeftButton);
    });
    w.resize(1100, 720);
    w.show();
    ASSERT_TRUE(waitUntil([&] { return w.firstActivationDone(); }));
    ASSERT_TRUE(dm.connected());
    EXPECT_EQ(w.Label1->text(), "Client - Ayşe Kaya");

    // The first node is selected and shown.
    EXPECT_EQ(w.TreeView1->currentItem()->text(0), "Kişi");
    EXPECT_EQ(w.RxLabelBaslik->text(), "     Kişi");
    EXPECT_EQ(w.ZYOzelMenu1->labels().size(), 9);

    // First run for this user: the default bar, in a file of the user's own.
    const QString userFile = IniDir() + "Speed_" + user + ".Ini";
    EXPECT_EQ(Login().speedBarIniFile, userFile);
    EXPECT_TRUE(QFile::exists(userFile));
    EXPECT_EQ(w.toolBarArea(w.SpeedBar1), Qt::RightToolBarArea);
    QStringList shown;
    for (const TSpeedItem* i : w.SpeedBar1->shownItems())
        shown << i->objectName();
    EXPECT_EQ(shown, QStringList({"Yardim1_SP", "Hakkinda1_SP", "WebSite1_SP", "Kapat1_SP"}));
    QFile after(adminFile);
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), adminBefore);

    // No button and no panel entry for what only the administrator may do.
    for (const char* item : {"KullaniciKayt1", "GenelAyarlar1", "ifreAyarlar2", "Yedekleme1", "GeriYukle"}) {
        EXPECT_EQ(w.SpeedBar1->item(QString::fromLatin1(item) + "_SP"), nullptr) << item;
        EXPECT_EQ(IniFile(userFile).hasKey(QString::fromLatin1(item) + "_SP", "Visible"), false) << item;
    }
    EXPECT_NE(w.SpeedBar1->item("KullancyazelAyarlar1_SP"), nullptr);
    w.TreeView1->setCurrentItem(node(w, "Yetkili Kişi"));
    EXPECT_EQ(w.RxLabelBaslik->text(), "     Yetkili Kişi");
    EXPECT_EQ(captions(w.ZYOzelMenu1), QStringList({"Araç Çubuğunu Düzenle", "Araç Çubuğunu Sıfırla", "Kullanıcıya Özel Ayarlar"}));
    EXPECT_EQ(w.ZYOzelMenu1->leftCount(), 2);
    EXPECT_EQ(w.ZYOzelMenu1->rightCount(), 1);

    QTest::qWait(50);
    EXPECT_TRUE(w.grab().save("/tmp/anaf_nav_yetkili.png"));
    w.TreeView1->setCurrentItem(node(w, "Kişi"));
    QTest::qWait(50);
    EXPECT_TRUE(w.grab().save("/tmp/anaf_nav.png"));
}

} // namespace
