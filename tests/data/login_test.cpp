#include "data/Connection.h"
#include "data/DataModule.h"
#include "data/IniFile.h"
#include "data/K_IBAyarU.h"
#include "data/K_PasswordU.h"
#include "data/K_YardimU.h"
#include "data/LoginState.h"
#include "data/Schema.h"
#include "shell/AppPaths.h"
#include "shell/GeneralRoutines.h"
#include "shell/MainWindowLink.h"
#include "SchemaFixtures.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QUuid>

#include <functional>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class FakeMainWindow : public MainWindowLink {
public:
    QString status;
    int adminVisible = -1;  // -1: never set
    int firstNodeSelected = 0;
    int speedBarRebuilt = 0;
    QString speedBarFileAtRebuild;
    int closed = 0;
    bool firstDone = false;

    void setStatusLabel(const QString& text) override { status = text; }
    void setAdminItemsVisible(bool visible) override { adminVisible = visible ? 1 : 0; }
    void selectFirstNavigationNode() override { ++firstNodeSelected; }
    void rebuildSpeedBar() override
    {
        ++speedBarRebuilt;
        speedBarFileAtRebuild = Login().speedBarIniFile;
    }
    bool firstActivationDone() const override { return firstDone; }
    void closeMainWindow() override { ++closed; }
};

using testenv::waitUntil;

// Types text the way a keyboard delivers it, one key event per character.
void typeText(QWidget* w, const QString& text)
{
    for (QChar c : text) {
        const Qt::Key key = c.unicode() < 0x80 ? Qt::Key(c.toUpper().unicode()) : Qt::Key_unknown;
        QTest::sendKeyEvent(QTest::Press, w, key, QString(c), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, w, key, QString(c), Qt::NoModifier);
    }
}

QStringList adminParams()
{
    return {"user_name=SYSDBA", "password=" + testenv::adminPassword(), "lc_ctype=WIN1254"};
}

// One row of a database, read with a connection of its own.
QVariant queryValue(const QString& database, const QStringList& params, const QString& sql)
{
    fb::Database db;
    db.setDatabaseName(database);
    db.setParams(params);
    db.open();
    fb::Transaction tr(db);
    fb::Statement st(db, tr);
    st.prepare(sql);
    st.execute();
    const QVariant v = st.fetch() ? st.value(0) : QVariant(QStringLiteral("<no row>"));
    st.closeCursor();
    tr.commit();
    db.close();
    return v;
}

void execute(const QString& database, const QStringList& params, const QStringList& statements, bool ignoreErrors = false)
{
    testenv::executeStatements(database, params, statements, ignoreErrors);
}

IniFile& ayar() { return FSAyar(); }

bool setUnrenamable(const QByteArray& path, bool immutableFlag, bool on)
{
    if (!immutableFlag)
        return ::chmod(path.constData(), on ? 0555 : 0755) == 0;
    const int fd = ::open(path.constData(), O_RDONLY);
    if (fd < 0)
        return false;
    int flags = 0;
    bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (done) {
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        done = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return done;
}

// What is in Ayar.Ini on disk (not the store in memory).
QString savedValue(const QString& key)
{
    IniFile file(IniDir() + "Ayar.Ini");
    return file.readString(kAyarSection, key, "<missing>");
}

void writeSettings(const ConnectionSettings& s)
{
    s.store(ayar());
    ASSERT_TRUE(ayar().save());
}

class LoginTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Login() = LoginState{};
        setMainWindow(&main);
    }
    void TearDown() override
    {
        // The datasets let go of their cursors before the module closes the connection.
        ForceCloseLoginConnection(dm);
        setMainWindow(nullptr);
        Login() = LoginState{};
    }

    TempHome home;
    FakeDialogService dialogs;
    FakeMainWindow main;
    TD_Genel dm;
};

// ---------------------------------------------------------------- server workstation

TEST_F(LoginTest, ServerModeOnAFreshInstallationCreatesTheDatabaseAndLogsInAsYetkili)
{
    TK_PasswordF form;
    form.show();
    EXPECT_TRUE(Login().loginFormOpen);
    EXPECT_EQ(TK_PasswordF::current(), &form);
    EXPECT_EQ(form.windowTitle(), "Kullanıcı giriş");
    EXPECT_EQ(form.EditUser->text(), "Yetkili");
    EXPECT_FALSE(form.EditUser->isEnabled());
    EXPECT_EQ(form.focusWidget(), form.EditPass);
    EXPECT_EQ(form.minimumSize(), form.maximumSize()); // fixed size
    form.grab().save("/tmp/login.png");

    form.EditPass->setText("parola1");
    form.login();

    const QString file = home.path() + "Data/KUSAK.FDB";
    EXPECT_TRUE(QFileInfo(file).isFile());
    ASSERT_TRUE(dm.connected());
    EXPECT_EQ(dm.DB_KUSAK.databaseName(), file);
    EXPECT_EQ(dm.DB_KUSAK.params(), (QStringList{"user_name=SYSDBA", "password=parola1", "lc_ctype=WIN1254"}));
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(Login().loginFormOpen);

    // The settings row with its defaults and this program's version.
    EXPECT_EQ(dm.Ayar_Ds.value("PROG_SURUM").toString(), "s1.02.08");
    EXPECT_EQ(dm.Ayar_Ds.value("SEMA_ES_GENISLIK").toInt(), 120);
    EXPECT_TRUE(dm.Kullanici_Ds.active());
    EXPECT_EQ(queryValue(file, fixtures::embeddedParams(), "SELECT PROG_SURUM FROM AYAR").toString(), "s1.02.08");

    const LoginState& l = Login();
    EXPECT_EQ(l.currentUser, "Yetkili");
    EXPECT_EQ(l.currentPassword, "parola1");
    EXPECT_EQ(l.currentUserFirstName, "Yetkili");
    EXPECT_EQ(l.currentUserSurname, "");
    EXPECT_TRUE(l.serverMode);
    EXPECT_FALSE(l.throughLocalServer);
    EXPECT_TRUE(l.loginMayClose);
    EXPECT_EQ(l.speedBarIniFile, IniDir() + "Speed_YETKILI.Ini");

    EXPECT_EQ(main.status, "Server - Yetkili");
    EXPECT_EQ(main.adminVisible, 1);
    EXPECT_EQ(main.firstNodeSelected, 1);
    EXPECT_EQ(main.speedBarRebuilt, 1);
    EXPECT_EQ(main.speedBarFileAtRebuild, IniDir() + "Speed_YETKILI.Ini");

    EXPECT_EQ(savedValue("USERNAME"), "Yetkili");
    EXPECT_EQ(savedValue("PWDHAT"), "False");
    EXPECT_EQ(savedValue("USERPWD"), "");
    EXPECT_NE(savedValue("APWD"), "parola1");
    EXPECT_EQ(ScrambleText(savedValue("APWD"), false), "parola1");
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(LoginTest, ServerModeOpensARenamedGdbInsteadOfCreatingANewDatabase)
{
    // In lower case, as copied over from a Windows installation.
    const QString gdb = DataDir() + "kusak.gdb";
    QDir().mkpath(DataDir());
    createEmptyDatabase(gdb, fixtures::embeddedParams());
    execute(gdb, fixtures::embeddedParams(),
            {"INSERT INTO PERSONEL (BLPERKODU, USERNAME, ADI) VALUES (7, 'ESKI', 'Eski kayıt')"});

    TK_PasswordF form;
    form.show();
    form.EditPass->setText("x");
    form.login();
    ASSERT_TRUE(dm.connected());
    EXPECT_FALSE(QFile::exists(gdb));
    EXPECT_TRUE(dialogs.anyTextContains("olarak Değiştirilecektir"));
    EXPECT_EQ(dm.DB_KUSAK.databaseName(), DataDir() + "kusak.FDB");
    EXPECT_FALSE(QFile::exists(DataDir() + "KUSAK.FDB")); // no second, empty database
    EXPECT_TRUE(dm.Kullanici_Ds.locate("USERNAME", "ESKI"));
    EXPECT_EQ(dm.Kullanici_Ds.value("ADI").toString(), "Eski kayıt");
}

TEST_F(LoginTest, UnrenamableGdbWithoutADatabaseEndsTheProgram)
{
    const QString gdb = DataDir() + "KUSAK.GDB";
    IniDir();
    QFile f(gdb);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("old database");
    f.close();
    {
        // Root ignores folder permissions; the immutable flag stops even root's rename.
        const bool root = ::geteuid() == 0;
        const QByteArray target = QFile::encodeName(root ? gdb : DataDir());
        if (!setUnrenamable(target, root, true))
            GTEST_SKIP() << "cannot make a file unrenamable here";
        TK_PasswordF form;
        form.show();
        form.EditPass->setText("x");
        form.login();
        setUnrenamable(target, root, false);
        EXPECT_FALSE(form.isVisible());
        EXPECT_NE(form.result(), QDialog::Accepted);
    }
    EXPECT_EQ(main.closed, 1);
    EXPECT_FALSE(dm.connected());
    // No empty database in place of the one that could not be renamed.
    EXPECT_FALSE(QFile::exists(DataDir() + "KUSAK.FDB"));
    EXPECT_TRUE(QFile::exists(gdb));
    EXPECT_TRUE(dialogs.anyTextContains("Dikkat : Bazı database dosyalarının uzantıları değiştirilemedi."));
}

TEST_F(LoginTest, RestoreModeIsOpenToTheAdministratorOnly)
{
    Login().restoreMode = true;
    {
        // Server workstation: the user is always Yetkili.
        TK_PasswordF form;
        form.show();
        form.EditPass->setText("x");
        form.login();
        EXPECT_TRUE(dm.connected());
        CloseLoginConnection(dm);
    }
    EXPECT_TRUE(dialogs.messages.empty());

    writeSettings({false, "127.0.0.1", "/nowhere", "TCP/IP", false});
    TK_PasswordF form;
    form.show();
    typeText(form.EditUser, "ali");
    form.EditPass->setText("x");
    form.login();
    EXPECT_FALSE(dm.connected());
    EXPECT_TRUE(form.isVisible());
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.lastText(), "Geri Yükleme sadece Yetkili Durumunda yapılabilinir...");
}

TEST_F(LoginTest, WindowCloseIsRefusedUntilTheLoginMayClose)
{
    TK_PasswordF form;
    form.show();
    form.close();
    EXPECT_TRUE(form.isVisible());
    QTest::keyClick(&form, Qt::Key_Escape);
    EXPECT_TRUE(form.isVisible());
    Login().loginMayClose = true;
    form.close();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(main.closed, 0);
}

TEST_F(LoginTest, VazgecEndsTheProgram)
{
    TK_PasswordF form;
    form.show();
    form.EditPass->setText("x");
    form.login();
    ASSERT_TRUE(dm.connected());
    Login().loginMayClose = false;
    TK_PasswordF again;
    again.show();
    again.IQGrap2->click();
    EXPECT_FALSE(dm.connected());
    EXPECT_TRUE(Login().loginMayClose);
    EXPECT_EQ(main.closed, 1);
    EXPECT_FALSE(again.isVisible());
    EXPECT_EQ(again.result(), QDialog::Rejected);
}

TEST_F(LoginTest, KeysOfTheFields)
{
    writeSettings({false, "127.0.0.1", "/nowhere", "TCP/IP", false});
    TK_PasswordF form;
    form.show();
    EXPECT_TRUE(form.EditUser->isEnabled());
    EXPECT_EQ(form.focusWidget(), form.EditUser);

    struct Case {
        QString typed;
        QString expected;
    };
    const Case cases[] = {
        {"ç", "C"}, {"-", ""}, {".", ""}, {"ali_1", "ALI_1"}, {"şğıüöİ", "SGIUOI"}, {"a b@c", "ABC"},
        {"abcdefghijklmnopqrs", "ABCDEFGHIJKLMNOP"},
    };
    for (const Case& c : cases) {
        form.EditUser->clear();
        typeText(form.EditUser, c.typed);
        EXPECT_EQ(form.EditUser->text(), c.expected) << c.typed.toStdString();
    }
    form.EditUser->clear();
    typeText(form.EditUser, "ab");
    QTest::keyClick(form.EditUser, Qt::Key_Backspace);
    EXPECT_EQ(form.EditUser->text(), "A");

    QTest::keyClick(form.EditUser, Qt::Key_Return);
    EXPECT_EQ(form.focusWidget(), form.EditPass);

    typeText(form.EditPass, "g i z l i");
    EXPECT_EQ(form.EditPass->text(), "gizli");
    EXPECT_EQ(form.EditPass->echoMode(), QLineEdit::Password);
    EXPECT_EQ(form.EditPass->maxLength(), 16);
}

TEST_F(LoginTest, EnterInThePasswordOrOnTheCheckBoxLogsIn)
{
    for (int viaCheckBox = 0; viaCheckBox < 2; ++viaCheckBox) {
        CloseLoginConnection(dm);
        TK_PasswordF form;
        form.show();
        typeText(form.EditPass, "abc");
        QTest::keyClick(viaCheckBox ? static_cast<QWidget*>(form.CheckBox1) : form.EditPass, Qt::Key_Return);
        EXPECT_TRUE(dm.connected()) << viaCheckBox;
        EXPECT_EQ(form.result(), QDialog::Accepted);
    }
}

// ---------------------------------------------------------------- through the local server

// TAVRION_HOME in a folder the server's user may use; Data/ writable for it, as an
// installation that shares its database must have it.
class SharedHome {
public:
    SharedHome()
    {
        m_old = qgetenv("TAVRION_HOME");
        m_path = testenv::serverScratchDir() + "/home-" + QUuid::createUuid().toString(QUuid::Id128).left(8) + "/";
        QDir().mkpath(m_path + "Data/Ini");
        for (const QString& d : {m_path, m_path + "Data/"})
            ::chmod(QFile::encodeName(d).constData(), 0777);
        qputenv("TAVRION_HOME", m_path.toLocal8Bit());
    }
    ~SharedHome() { qputenv("TAVRION_HOME", m_old); }
    QString path() const { return m_path; }

private:
    QByteArray m_old;
    QString m_path;
};

TEST_F(LoginTest, ServerModeThroughTheLocalServer)
{
    if (!testenv::serverAvailable())
        GTEST_SKIP() << "no server on 127.0.0.1:3050";
    SharedHome shared;
    writeSettings({true, "", "", "TCP/IP", true});
    const QString file = shared.path() + "Data/KUSAK.FDB";

    TK_PasswordF form;
    form.show();
    // A wrong administrator password creates nothing.
    form.EditPass->setText("yanlis");
    try {
        form.login();
        ADD_FAILURE() << "a wrong password must fail";
    } catch (const fb::Error& e) {
        EXPECT_TRUE(e.text().contains("Your user name and password are not defined")) << e.text().toStdString();
    }
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_TRUE(form.isVisible());
    EXPECT_FALSE(dm.connected());

    form.EditPass->setText(testenv::adminPassword());
    form.login();
    ASSERT_TRUE(dm.connected());
    EXPECT_EQ(dm.DB_KUSAK.databaseName(), "127.0.0.1:" + file);
    EXPECT_TRUE(Login().throughLocalServer);
    EXPECT_TRUE(QFileInfo(file).isFile());
    EXPECT_EQ(QFileInfo(file).owner(), "firebird"); // the server made it
    EXPECT_EQ(dm.Ayar_Ds.value("PROG_SURUM").toString(), "s1.02.08");
    EXPECT_EQ(main.status, "Server - Yetkili");
    EXPECT_EQ(form.result(), QDialog::Accepted);
}

// ---------------------------------------------------------------- client workstation

// A database on the server with one program user: a server account with rights on the tables
// and its PERSONEL row. The account is dropped again whatever happens.
class ClientLoginTest : public LoginTest {
protected:
    static void SetUpTestSuite()
    {
        if (!testenv::serverAvailable() || testenv::adminPassword().isEmpty())
            return;
        folder = testenv::serverScratchDir() + "/client-" + QUuid::createUuid().toString(QUuid::Id128).left(8);
        QDir().mkpath(folder);
        ::chmod(QFile::encodeName(folder).constData(), 0777);
        database = "127.0.0.1:" + folder + "/KUSAK.FDB";
        user = QStringLiteral("TVLOGIN_%1").arg(::getpid() % 100000);
        createEmptyDatabase(database, adminParams());
        dropUser();
        execute(database, adminParams(),
                {"CREATE USER " + user + " PASSWORD '" + password + "'",
                 "GRANT SELECT, INSERT, UPDATE, DELETE ON AYAR TO " + user,
                 "GRANT SELECT, INSERT, UPDATE, DELETE ON PERSONEL TO " + user,
                 "GRANT SELECT, INSERT, UPDATE, DELETE ON KISI TO " + user,
                 "INSERT INTO AYAR (BLAYARKODU, PROG_SURUM, SEMA_ES_GENISLIK) VALUES (1, 's1.02.08', 120)",
                 "INSERT INTO PERSONEL (BLPERKODU, USERNAME, ADI, SOYADI) VALUES (1, 'BASKA', 'Başka', 'Kişi')",
                 "INSERT INTO PERSONEL (BLPERKODU, USERNAME, ADI, SOYADI) VALUES (2, '" + user + "', 'Ali', 'Yılmaz')"});
        ready = true;
    }
    static void TearDownTestSuite()
    {
        if (!database.isEmpty())
            dropUser();
    }
    static void dropUser()
    {
        try {
            execute(database, adminParams(), {"DROP USER " + user}, true);
        } catch (...) {
        }
    }

    void SetUp() override
    {
        LoginTest::SetUp();
        if (!ready)
            GTEST_SKIP() << "no server on 127.0.0.1:3050";
        writeSettings({false, "127.0.0.1", folder, "TCP/IP", false});
    }

    static inline QString folder, database, user;
    static inline const QString password = QStringLiteral("gizli1");
    static inline bool ready = false;
};

TEST_F(ClientLoginTest, UserLoginOverTcp)
{
    TK_PasswordF form;
    form.show();
    EXPECT_TRUE(form.EditUser->isEnabled());
    typeText(form.EditUser, user.toLower());
    EXPECT_EQ(form.EditUser->text(), user);
    typeText(form.EditPass, password);
    form.CheckBox1->setChecked(true);
    form.login();

    ASSERT_TRUE(dm.connected());
    EXPECT_EQ(dm.DB_KUSAK.databaseName(), "127.0.0.1:" + folder + "/KUSAK.FDB");
    EXPECT_EQ(form.result(), QDialog::Accepted);
    const LoginState& l = Login();
    EXPECT_EQ(l.currentUser, user);
    EXPECT_EQ(l.currentUserFirstName, "Ali");
    EXPECT_EQ(l.currentUserSurname, "Yılmaz");
    EXPECT_FALSE(l.serverMode);
    EXPECT_EQ(l.serverName, "127.0.0.1");
    EXPECT_EQ(main.status, "Client - Ali Yılmaz");
    EXPECT_EQ(main.adminVisible, 0);
    EXPECT_EQ(l.speedBarIniFile, IniDir() + "Speed_" + user + ".Ini");
    EXPECT_EQ(main.speedBarRebuilt, 1);

    EXPECT_EQ(savedValue("USERNAME"), user);
    EXPECT_EQ(savedValue("PWDHAT"), "True");
    const QString stored = savedValue("USERPWD");
    EXPECT_FALSE(stored.contains(password));
    EXPECT_EQ(ScrambleText(stored, false), password);
    EXPECT_EQ(savedValue("APWD"), "<missing>"); // only an administrator login keeps it
    QFile raw(IniDir() + "Ayar.Ini");
    ASSERT_TRUE(raw.open(QIODevice::ReadOnly));
    EXPECT_FALSE(raw.readAll().contains(password.toUtf8()));
}

TEST_F(ClientLoginTest, WrongPasswordRaisesAndTheFormStays)
{
    TK_PasswordF form;
    form.show();
    typeText(form.EditUser, user);
    form.EditPass->setText("yanlis");
    try {
        form.login();
        ADD_FAILURE() << "a wrong password must fail";
    } catch (const fb::Error& e) {
        EXPECT_TRUE(e.text().contains("Your user name and password are not defined")) << e.text().toStdString();
    }
    EXPECT_FALSE(dm.connected());
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(Login().loginFormOpen);
    EXPECT_FALSE(Login().loginMayClose);
    EXPECT_EQ(main.speedBarRebuilt, 0);
}

TEST_F(ClientLoginTest, ServerAccountWithoutAProgramUserIsRefused)
{
    const QString other = user + "X";
    execute(database, adminParams(), {"DROP USER " + other}, true);
    execute(database, adminParams(),
            {"CREATE USER " + other + " PASSWORD 'b'", "GRANT SELECT ON AYAR TO " + other,
             "GRANT SELECT ON PERSONEL TO " + other});
    struct Drop {
        QString name;
        ~Drop() { execute(database, adminParams(), {"DROP USER " + name}, true); }
    } drop{other};

    TK_PasswordF form;
    form.show();
    typeText(form.EditUser, other);
    form.EditPass->setText("b");
    form.login();
    EXPECT_FALSE(dm.connected());
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(dialogs.lastText(), "Hatalı Kullanıcı Adı veya Parolası!.");
    EXPECT_EQ(main.status, ""); // no one else's name on the status bar
}

TEST_F(ClientLoginTest, VersionMismatchRefusesAndLeavesNoConnection)
{
    execute(database, adminParams(), {"UPDATE AYAR SET PROG_SURUM = 's1.02.09'"});
    struct Restore {
        ~Restore() { execute(database, adminParams(), {"UPDATE AYAR SET PROG_SURUM = 's1.02.08'"}, true); }
    } restore;
    TK_PasswordF form;
    form.show();
    typeText(form.EditUser, user);
    form.EditPass->setText(password);
    form.login();
    EXPECT_EQ(dialogs.lastText(), VersionMismatchMessage("s1.02.09", "s1.02.08"));
    EXPECT_FALSE(dm.connected());
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(queryValue(database, adminParams(), "SELECT PROG_SURUM FROM AYAR").toString(), "s1.02.09");
}

TEST_F(ClientLoginTest, RememberedPasswordLogsInByItselfOncePerProgramStart)
{
    ayar().writeString(kAyarSection, kKeyUserName, user);
    ayar().writeBool(kAyarSection, kKeyPwdHat, true);
    ayar().writeString(kAyarSection, kKeyUserPwd, ScrambleText(password, true));
    ASSERT_TRUE(ayar().save());

    {
        TK_PasswordF form;
        form.show();
        EXPECT_EQ(form.EditUser->text(), user);
        EXPECT_TRUE(form.CheckBox1->isChecked());
        EXPECT_EQ(form.EditPass->text(), password);
        EXPECT_EQ(form.focusWidget(), form.EditPass);
        QTest::qWait(150);
        EXPECT_FALSE(dm.connected()); // the timer waits half a second
        EXPECT_TRUE(waitUntil([&] { return dm.connected(); }, 3000));
        EXPECT_EQ(form.result(), QDialog::Accepted);
        EXPECT_EQ(main.speedBarRebuilt, 1);
    }

    // Logout in the same run: the password is filled in but not submitted.
    CloseLoginConnection(dm);
    {
        TK_PasswordF form;
        form.show();
        EXPECT_EQ(form.EditPass->text(), password);
        QTest::qWait(1200);
        EXPECT_FALSE(dm.connected());
        EXPECT_TRUE(form.isVisible());
        // Showing the form again does not start it either.
        form.hide();
        form.show();
        QTest::qWait(800);
        EXPECT_FALSE(dm.connected());
    }

    // Once the main window's first activation is over, never.
    Login().autoLoginStarted = false;
    main.firstDone = true;
    {
        TK_PasswordF form;
        form.show();
        QTest::qWait(1200);
        EXPECT_FALSE(dm.connected());
    }
    EXPECT_EQ(main.speedBarRebuilt, 1);
}

// ---------------------------------------------------------------- network settings and help

TEST_F(LoginTest, NetworkButtonShowsTheFieldsAgainAfterTheSettings)
{
    writeSettings({false, "srv", "/data", "TCP/IP", false});
    ayar().writeString(kAyarSection, kKeyUserName, "ALI");
    ASSERT_TRUE(ayar().save());
    TK_PasswordF form;
    form.show();
    EXPECT_EQ(form.EditUser->text(), "ALI");
    EXPECT_TRUE(form.EditUser->isEnabled());

    // The user turns this workstation into the server.
    QTimer::singleShot(0, [] {
        ASSERT_NE(K_IBAyarF, nullptr);
        K_IBAyarF->CheckBox1->setChecked(false);
        K_IBAyarF->Button2->click();
    });
    form.IQGrap4->click();
    EXPECT_EQ(K_IBAyarF, nullptr);
    EXPECT_EQ(form.EditUser->text(), "Yetkili");
    EXPECT_FALSE(form.EditUser->isEnabled());
    EXPECT_EQ(form.IQGrap4->toolTip(), "Network Ayarları");
}

TEST_F(LoginTest, InstallationHelp)
{
    {
        TK_YardimF help;
        EXPECT_EQ(help.LabelBaslik->text(), "MERVATON Tavrion Kurulum Yardımı");
        EXPECT_EQ(help.Memo1->toPlainText(), "Yardım dosyası bulunamadı");
        EXPECT_TRUE(help.Memo1->isReadOnly());
    }
    QFile f(ProgramDir() + "KURULUM.TXT");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("Kurulum\r\n\xDE" "ifre"); // Windows-1254 "Şifre"
    f.close();
    TK_YardimF help;
    EXPECT_EQ(help.Memo1->toPlainText(), "Kurulum\nŞifre");
    help.show();
    QTest::keyClick(&help, Qt::Key_Escape);
    EXPECT_FALSE(help.isVisible());
}

} // namespace
