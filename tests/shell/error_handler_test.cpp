// The application-wide error handler, fed with errors provoked for real through the Firebird
// layer: the embedded engine and the local server on 127.0.0.1.
#include "data/LoginState.h"
#include "fb/Firebird.h"
#include "shell/AppPaths.h"
#include "shell/Application.h"
#include "shell/ErrorHandler.h"
#include "shell/SilentAbort.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDateTime>
#include <QEvent>
#include <QFile>
#include <QLocale>
#include <QThread>
#include <QUuid>
#include <QWidget>

#include <functional>
#include <memory>
#include <ostream>

// Readable failures; internal linkage keeps it out of the other test files' way.
static void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

const QString kNetworkText = QStringLiteral(
    "Problem  :\r\n   \"SRV-1\" isim/IP li Server Bilgisayar\r\n   ile bağlantı kurulumadı...\r\n\r\n"
    "Çözüm  :\r\n   Ağ komşularından \"SRV-1\" isim/IP li bilgisayarı gördüğünden\r\n"
    "   emin olduktan sonra yeniden deyeniz.\r\n\r\n"
    "   NOT : Eğer herhangi bir firewall programı kullanıyorsanız, \r\n         3050 nolu portu açmanız gerekir.");
const QString kDeadlockText = QStringLiteral(
    "Problem  :\r\n   İşlem yapmaya çalıştığınız kayıt başka bir\r\n   kullanıcı tarafından kullanılmaktadır.\r\n\r\n"
    "Çözüm  :\r\n   Diğer kullanıcı işlemini bitirdikten sonra yeniden deneyiniz...\r\n\r\n"
    "   NOT : Düzenleme işlemine başlamadan önce mutlaka, \r\n         \"Kaydı Yenile (Refresh)\" butonuna basınız...");
const QString kPasswordText = QStringLiteral(
    "Problem  :\r\n   Geçersiz kullanıcı adı veya parolası...\r\n\r\n"
    "Çözüm  :\r\n   Kullanıcı adını ve parolasını yeniden giriniz..\r\n\r\n"
    "   NOT : Programı Client olarak kullanıyorsanız, Server bilgisayara\r\n"
    "         kullanıcı hesabınızın kaydedildiğinden emin olunuz...");
const QString kLostText = QStringLiteral("Veritabanı ile bağlantı kurulamadı!..");
const QString kNameLine = QStringLiteral("Kullanıcı Adı   : Ayşe Yılmaz\r\n");

QString fileText(const QString& path)
{
    return QStringLiteral("Problem  :\r\n   \"") + path + QStringLiteral("\"\r\n   Veri tabanı dosyasına bağlanılamadı...\r\n\r\n"
                                                               "Çözüm  :\r\n   Yolun doğruluğunu kontrol edip yeniden deneyiniz..");
}

QString uniqueText(const QString& table, const QString& field)
{
    return QStringLiteral("Problem  :\r\n   Bu \"") + field + QStringLiteral("\" daha önceden kaydedilmiş...\r\n   Veri Tablosu : ")
        + table + QStringLiteral("\r\n   Veri Alanı  : ") + field + QStringLiteral("\r\n\r\nÇözüm  :\r\n   \"") + field
        + QStringLiteral("\" veri alanını değiştirerek yeniden kaydediniz...");
}

QStringList embeddedParams() { return {"user_name=SYSDBA", "password=x", "lc_ctype=WIN1254"}; }
QStringList adminParams() { return {"user_name=SYSDBA", "password=" + testenv::adminPassword(), "lc_ctype=WIN1254"}; }

// The text of the fb::Error that work throws.
QString errorOf(const std::function<void()>& work)
{
    try {
        work();
    } catch (const fb::Error& e) {
        return e.text();
    }
    ADD_FAILURE() << "no database error";
    return {};
}

QString serverDbName(const QString& file) { return "127.0.0.1:" + testenv::serverScratchDir() + "/" + file; }

// A fresh database through the server with the statements given, committed.
std::unique_ptr<fb::Database> createServerDb(const QString& file, const QStringList& ddl)
{
    auto db = std::make_unique<fb::Database>();
    db->setDatabaseName(serverDbName(file));
    db->setParams(adminParams());
    db->create();
    fb::Transaction tr(*db);
    for (const QString& sql : ddl) {
        db->executeImmediate(tr, sql);
        tr.commit();
    }
    return db;
}

class ErrorHandlerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_savedLogin = Login();
        Login().currentUserFirstName = QStringLiteral("Ayşe");
        Login().currentUserSurname = QStringLiteral("Yılmaz");
        Login().serverName = QStringLiteral("SRV-1");
        Login().loginFormOpen = false;
        handler.setHooks(recordingHooks());
    }
    void TearDown() override { Login() = m_savedLogin; }

    // Each hook notes its name and how many messages had been shown when it ran.
    ErrorHandlerHooks recordingHooks()
    {
        auto note = [this](const char* name) {
            return [this, name] { calls << QStringLiteral("%1@%2").arg(name).arg(dialogs.messages.size()); };
        };
        return {note("hidePleaseWait"), note("closeConnection"), note("forceCloseConnection"),
                note("showNetworkSettings"), note("rerunLoginOnShow"), note("closeMainWindow")};
    }

    QStringList logLines() const
    {
        QFile f(IniDir() + "Hata.Ini");
        if (!f.open(QIODevice::ReadOnly))
            return {};
        QStringList lines = QString::fromUtf8(f.readAll()).split('\n');
        if (!lines.isEmpty() && lines.last().isEmpty())
            lines.removeLast();
        return lines;
    }

    // Handles message and checks what every error leaves behind: one more log line, the
    // please-wait window hidden first, at most one message shown.
    void handle(const QString& message)
    {
        const qsizetype before = logLines().size();
        const QString stampBefore = QLocale::system().toString(QDateTime::currentDateTime(), QLocale::ShortFormat);
        handler.handle(message);
        const QString stampAfter = QLocale::system().toString(QDateTime::currentDateTime(), QLocale::ShortFormat);
        const QStringList lines = logLines();
        ASSERT_EQ(lines.size(), before + 1);
        QString entry = message;
        entry.replace("\r\n", " ").replace('\r', ' ').replace('\n', ' ');
        EXPECT_TRUE(lines.last() == stampBefore + " - " + entry || lines.last() == stampAfter + " - " + entry) << qPrintable(lines.last());
        ASSERT_FALSE(calls.isEmpty());
        EXPECT_EQ(calls.first(), "hidePleaseWait@0");
        calls.removeFirst();
        EXPECT_LE(dialogs.messages.size(), size_t(1));
    }

    void expectShown(const QString& text)
    {
        ASSERT_EQ(dialogs.messages.size(), size_t(1));
        EXPECT_EQ(dialogs.messages[0].text, text);
        EXPECT_EQ(dialogs.messages[0].caption, QApplication::applicationDisplayName() + " - Bilgi");
        EXPECT_EQ(dialogs.messages[0].icon, MsgIcon::Information);
        EXPECT_EQ(dialogs.messages[0].buttons, int(MbOk));
    }

    TempHome home;
    FakeDialogService dialogs;
    ErrorHandler handler;
    QStringList calls;

private:
    LoginState m_savedLogin;
};

// ---------------------------------------------------------------- connection errors

TEST_F(ErrorHandlerTest, WrongPasswordOnServer)
{
    ASSERT_TRUE(testenv::serverAvailable());
    createServerDb("pwd.fdb", {})->close();
    fb::Database db;
    db.setDatabaseName(serverDbName("pwd.fdb"));
    db.setParams({"user_name=SYSDBA", "password=wrong-one", "lc_ctype=WIN1254"});
    const QString msg = errorOf([&] { db.open(); });
    ASSERT_TRUE(msg.startsWith("Your user name and password are not defined")) << qPrintable(msg);
    Login().loginFormOpen = true;
    handle(msg);
    expectShown(kPasswordText);
    EXPECT_TRUE(calls.isEmpty()) << qPrintable(calls.join(','));
}

TEST_F(ErrorHandlerTest, UnreachableServer)
{
    fb::Database db;
    db.setDatabaseName("127.0.0.1/3999:/x.fdb");
    db.setParams(adminParams());
    const QString msg = errorOf([&] { db.open(); });
    ASSERT_TRUE(msg.startsWith("Unable to complete network request to host \"127.0.0.1\".")) << qPrintable(msg);

    // At login: message, close, network settings, then the login's on-show steps again.
    Login().loginFormOpen = true;
    handle(msg);
    expectShown(kNetworkText);
    EXPECT_EQ(calls, QStringList({"closeConnection@1", "showNetworkSettings@1", "rerunLoginOnShow@1"}));

    // While working: the program ends.
    Login().loginFormOpen = false;
    Login().serverName.clear();
    dialogs.messages.clear();
    calls.clear();
    handle(msg);
    ASSERT_EQ(dialogs.messages.size(), size_t(1));
    EXPECT_TRUE(dialogs.lastText().startsWith("Problem  :\r\n   \"\" isim/IP li Server Bilgisayar\r\n"));
    EXPECT_EQ(calls, QStringList({"forceCloseConnection@1", "closeMainWindow@1"}));
}

TEST_F(ErrorHandlerTest, MissingDatabaseFile)
{
    ASSERT_TRUE(testenv::serverAvailable());
    const QString serverPath = testenv::serverScratchDir() + "/yok.fdb";
    const QString embeddedPath = home.path() + "Data/yok klasör/KUSAK.FDB";
    struct Case { QString name; QString path; QStringList params; };
    for (const Case& c : {Case{"127.0.0.1:" + serverPath, serverPath, adminParams()},
                          Case{embeddedPath, embeddedPath, embeddedParams()}}) {
        SCOPED_TRACE(qPrintable(c.name));
        fb::Database db;
        db.setDatabaseName(c.name);
        db.setParams(c.params);
        const QString msg = errorOf([&] { db.open(); });
        ASSERT_TRUE(msg.startsWith("I/O error during \"open\" operation for file \"" + c.path + "\"\n")) << qPrintable(msg);
        EXPECT_EQ(HataMesajBul(msg), fileText(c.path));
        dialogs.messages.clear();
        calls.clear();
        handle(msg);
        expectShown(fileText(c.path));
        // Closed before the message, network settings after it.
        EXPECT_EQ(calls, QStringList({"closeConnection@0", "showNetworkSettings@1"}));
    }
}

TEST_F(ErrorHandlerTest, ConnectionDroppedByServer)
{
    ASSERT_TRUE(testenv::serverAvailable());
    auto admin = createServerDb("drop.fdb", {"CREATE TABLE T (ID INTEGER)"});
    fb::Database victim;
    victim.setDatabaseName(serverDbName("drop.fdb"));
    victim.setParams(adminParams());
    victim.open();
    fb::Transaction vtr(victim);
    fb::Statement vq(victim, vtr);
    vq.prepare("SELECT CURRENT_CONNECTION FROM RDB$DATABASE");
    vq.execute();
    ASSERT_TRUE(vq.fetch());
    const qint64 id = vq.value(0).toLongLong();
    vq.closeCursor();

    fb::Transaction atr(*admin);
    admin->executeImmediate(atr, QStringLiteral("DELETE FROM MON$ATTACHMENTS WHERE MON$ATTACHMENT_ID = %1").arg(id));
    atr.commit();

    // The first statement learns of the shutdown; once the server has closed the socket the
    // later ones fail to write.
    const QString first = errorOf([&] { vq.prepare("SELECT COUNT(*) FROM T"); vq.execute(); });
    EXPECT_TRUE(first.startsWith("connection shutdown")) << qPrintable(first);
    QString later;
    for (int attempt = 0; attempt < 20 && !later.startsWith("Error writing data to the connection"); ++attempt) {
        QThread::msleep(100);
        later = errorOf([&] { vq.prepare("SELECT COUNT(*) FROM T"); vq.execute(); });
    }
    EXPECT_TRUE(later.startsWith("Error writing data to the connection")) << qPrintable(later);
    for (const QString& msg : {first, later}) {
        SCOPED_TRACE(qPrintable(msg));
        dialogs.messages.clear();
        calls.clear();
        handle(msg);
        expectShown(kLostText);
        EXPECT_EQ(calls, QStringList({"forceCloseConnection@1", "closeMainWindow@1"}));
    }
    victim.forceClose();
}

// ---------------------------------------------------------------- data errors

TEST_F(ErrorHandlerTest, WriteConflictBetweenTwoConnections)
{
    const QString path = home.path() + "lock.fdb";
    fb::Database a;
    a.setDatabaseName(path);
    a.setParams(embeddedParams());
    a.create();
    fb::Transaction atr(a);
    a.executeImmediate(atr, "CREATE TABLE T (ID INTEGER NOT NULL PRIMARY KEY, A VARCHAR(10))");
    atr.commit();
    a.executeImmediate(atr, "INSERT INTO T VALUES (1, 'x')");
    atr.commit();
    a.executeImmediate(atr, "UPDATE T SET A = 'a' WHERE ID = 1");

    fb::Database b;
    b.setDatabaseName(path);
    b.setParams(embeddedParams());
    b.open();
    fb::Transaction btr(b);
    const QString msg = errorOf([&] { b.executeImmediate(btr, "UPDATE T SET A = 'b' WHERE ID = 1"); });
    ASSERT_TRUE(msg.startsWith("deadlock\n-update conflicts with concurrent update")) << qPrintable(msg);
    handle(msg);
    expectShown(kDeadlockText);
    EXPECT_TRUE(calls.isEmpty());
}

class UniqueKeyTest : public ErrorHandlerTest {
protected:
    void SetUp() override
    {
        ErrorHandlerTest::SetUp();
        db.setDatabaseName(home.path() + "uniq.fdb");
        db.setParams(embeddedParams());
        db.create();
        fb::Transaction tr(db);
        for (const char* sql : {"CREATE TABLE PERSONEL (BLPERKODU INTEGER NOT NULL PRIMARY KEY, USERNAME VARCHAR(20))",
                                "CREATE UNIQUE INDEX USER_NAME_INDEX ON PERSONEL (USERNAME)",
                                "CREATE TABLE ADRES (KOD INTEGER NOT NULL, CONSTRAINT PK_ADRES PRIMARY KEY (KOD))"}) {
            db.executeImmediate(tr, sql);
            tr.commit();
        }
        db.executeImmediate(tr, "INSERT INTO PERSONEL VALUES (1, 'ali')");
        db.executeImmediate(tr, "INSERT INTO ADRES VALUES (1)");
        tr.commit();
        handler.setDatabase(&db);
    }

    QString insertError(const QString& sql)
    {
        fb::Transaction tr(db);
        return errorOf([&] { db.executeImmediate(tr, sql); });
    }

    fb::Database db;
};

TEST_F(UniqueKeyTest, DuplicateUserName)
{
    const QString msg = insertError("INSERT INTO PERSONEL VALUES (2, 'ali')");
    ASSERT_TRUE(msg.startsWith("attempt to store duplicate value (visible to active transactions) in unique index \"USER_NAME_INDEX\""))
        << qPrintable(msg);
    handle(msg);
    expectShown(kNameLine + "Bilgi Mesajı    : Bu kullanıcı adı daha önce kaydedilmiş. Lütfen değiştiriniz.");
}

TEST_F(UniqueKeyTest, AutomaticallyNamedPrimaryKeyNamesTableAndField)
{
    const QString msg = insertError("INSERT INTO PERSONEL VALUES (1, 'veli')");
    ASSERT_TRUE(msg.startsWith("violation of PRIMARY or UNIQUE KEY constraint \"INTEG_")) << qPrintable(msg);
    const QString expected = uniqueText("PERSONEL", "BLPERKODU");

    // Over the connection's default transaction, and over one of its own when there is none.
    fb::Transaction defaultTr(db);
    db.setDefaultTransaction(&defaultTr);
    handle(msg);
    expectShown(expected);
    EXPECT_TRUE(defaultTr.active());
    db.setDefaultTransaction(nullptr);
    EXPECT_EQ(UNIQUEMesajBul(msg, &db), expected);

    // Not connected: no look-ups.
    db.close();
    EXPECT_EQ(UNIQUEMesajBul(msg, &db), uniqueText("", ""));
    EXPECT_EQ(UNIQUEMesajBul(msg, nullptr), uniqueText("", ""));
}

TEST_F(UniqueKeyTest, NamedConstraintAndHostileNames)
{
    const QString msg = insertError("INSERT INTO ADRES VALUES (1)");
    ASSERT_TRUE(msg.startsWith("violation of PRIMARY or UNIQUE KEY constraint \"PK_ADRES\" on table \"ADRES\"")) << qPrintable(msg);
    EXPECT_EQ(UNIQUEMesajBul(msg, &db), uniqueText("ADRES", "KOD"));

    // A name from the message is data, never part of the statement.
    for (const QString& name : {QStringLiteral("X' OR '1'='1"), QStringLiteral("O'Brien"), QStringLiteral("Ω")}) {
        SCOPED_TRACE(qPrintable(name));
        EXPECT_EQ(UNIQUEMesajBul("violation of PRIMARY or UNIQUE KEY constraint \"" + name + "\" on table \"T\"", &db),
                  uniqueText("", ""));
    }
}

// ---------------------------------------------------------------- permissions

// A server account for one test, dropped again however the test ends.
class ServerUser {
public:
    ServerUser()
        : name("ERRT_" + QUuid::createUuid().toString(QUuid::Id128).left(10).toUpper())
    {
        run("CREATE USER " + name + " PASSWORD 'pw12345'");
    }
    ~ServerUser()
    {
        try {
            run("DROP USER " + name);
        } catch (const fb::Error& e) {
            ADD_FAILURE() << "user not dropped: " << e.what();
        }
    }
    void run(const QString& sql)
    {
        fb::Database db;
        db.setDatabaseName(serverDbName("perm.fdb"));
        db.setParams(adminParams());
        db.open();
        fb::Transaction tr(db);
        db.executeImmediate(tr, sql);
        tr.commit();
    }
    const QString name;
};

TEST_F(ErrorHandlerTest, RefusedWithoutGrants)
{
    ASSERT_TRUE(testenv::serverAvailable());
    createServerDb("perm.fdb", {"CREATE TABLE T (ID INTEGER, A VARCHAR(10))", "INSERT INTO T VALUES (1, 'a')",
                                "CREATE TABLE GIZLI (ID INTEGER)"})->close();
    ServerUser user;
    user.run("GRANT SELECT ON T TO " + user.name);
    fb::Database db;
    db.setDatabaseName(serverDbName("perm.fdb"));
    db.setParams({"user_name=" + user.name, "password=pw12345", "lc_ctype=WIN1254"});
    db.open();
    fb::Transaction tr(db);

    struct Case { const char* sql; const char* wording; QString shown; };
    const Case cases[] = {
        {"INSERT INTO T VALUES (2, 'b')", "no permission for INSERT access to TABLE T", kNameLine + "Bilgi Mesajı    : Kayıt eklemek için yetkiniz yok."},
        {"UPDATE T SET A = 'c'", "no permission for UPDATE access to TABLE T", kNameLine + "Bilgi Mesajı    : Kayıt düzenleme için yetkiniz yok."},
        {"DELETE FROM T", "no permission for DELETE access to TABLE T", kNameLine + "Bilgi Mesajı    : Kayıt silmek için yetkiniz yok."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sql);
        const QString msg = errorOf([&] { db.executeImmediate(tr, c.sql); });
        ASSERT_TRUE(msg.contains(c.wording)) << qPrintable(msg);
        dialogs.messages.clear();
        handle(msg);
        expectShown(c.shown);
        EXPECT_TRUE(calls.isEmpty());
    }

    // Reading refused: explained only while the login form is open.
    const QString msg = errorOf([&] { fb::Statement q(db, tr); q.prepare("SELECT * FROM GIZLI"); q.execute(); });
    ASSERT_TRUE(msg.contains("no permission for SELECT access to TABLE GIZLI")) << qPrintable(msg);
    dialogs.messages.clear();
    handle(msg);
    EXPECT_TRUE(dialogs.messages.empty());
    Login().loginFormOpen = true;
    handle(msg);
    expectShown("MERVATON Tavrion programını kullanmak için yetkiniz yok!..");
    db.close();
}

// ---------------------------------------------------------------- other rules and the log

TEST_F(ErrorHandlerTest, UnrecognisedErrorShowsItsOwnText)
{
    fb::Database db;
    db.setDatabaseName(home.path() + "x.fdb");
    db.setParams(embeddedParams());
    db.create();
    fb::Transaction tr(db);
    const QString msg = errorOf([&] { fb::Statement q(db, tr); q.prepare("SELEC 1 FROM RDB$DATABASE"); });
    ASSERT_TRUE(msg.contains("\n")) << qPrintable(msg);
    handle(msg);
    expectShown("Programda bir hatayla karşılaşıldı!..\r\n" + msg);
    EXPECT_TRUE(calls.isEmpty());
}

// The wordings of the older client components, which this platform cannot produce.
TEST_F(ErrorHandlerTest, OlderClientWordings)
{
    struct Case { QString message; bool loginOpen; QString shown; QStringList hooks; };
    const QString generic = QStringLiteral("Programda bir hatayla karşılaşıldı!..\r\n");
    const Case cases[] = {
        {"Could not convert variant of type (Null) into type (OleStr)", true, "Hatalı Kullanıcı Adı veya Parolası!.", {}},
        {"Could not convert variant of type (Null) into type (OleStr)", false, generic + "Could not convert variant of type (Null) into type (OleStr)", {}},
        {"Connection Failed.", false, "Aktif Bir İnternet Bağlantısı Bulunamadı...", {}},
        {"Connect timed out.", false, "Aktif Bir İnternet Bağlantısı Bulunamadı...", {}},
        {"Socket Error # 10061 Connection Failed.", false, generic + "Socket Error # 10061 Connection Failed.", {}},
        {"Unable to complete network request to host \"SRV-1\".\r\nFailed to locate host machine.", false, kNetworkText,
         {"forceCloseConnection@1", "closeMainWindow@1"}},
        {"connection lost to database", false, kLostText, {"forceCloseConnection@1", "closeMainWindow@1"}},
        {"I/O error for file \"C:\\Tavrion\\Data\\KUSAK.FDB\"\r\nError while trying to open file\r\nThe system cannot find the file specified.",
         false, fileText("C:\\Tavrion\\Data\\KUSAK.FDB"), {"closeConnection@0", "showNetworkSettings@1"}},
        {"Cannot insert into dataset. (No Insert Query)", false, kNameLine + "Bilgi Mesajı    : Kayıt eklemek için yetkiniz yok.", {}},
        {"Cannot update a read-only dataset", false, kNameLine + "Bilgi Mesajı    : Kayıt düzenleme için yetkiniz yok.", {}},
        {"Cannot modify a read-only dataset", false, kNameLine + "Bilgi Mesajı    : Kayıt düzenleme için yetkiniz yok.", {}},
        {"Cannot delete from dataset. (No Delete Query)", false, kNameLine + "Bilgi Mesajı    : Kayıt silmek için yetkiniz yok.", {}},
        {"no permission for read/select access to TABLE KISI", true, "MERVATON Tavrion programını kullanmak için yetkiniz yok!..", {}},
        // The first match decides: the user name index is named inside a key violation.
        {"violation of PRIMARY or UNIQUE KEY constraint \"USER_NAME_INDEX\" on table \"PERSONEL\"", false,
         kNameLine + "Bilgi Mesajı    : Bu kullanıcı adı daha önce kaydedilmiş. Lütfen değiştiriniz.", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(qPrintable(c.message));
        Login().loginFormOpen = c.loginOpen;
        dialogs.messages.clear();
        calls.clear();
        handle(c.message);
        expectShown(c.shown);
        EXPECT_EQ(calls, c.hooks);
    }
}

TEST_F(ErrorHandlerTest, LogKeepsTheLast751Entries)
{
    for (int i = 1; i <= 800; ++i)
        handler.handle(QStringLiteral("hata %1").arg(i));
    const QStringList lines = logLines();
    ASSERT_EQ(lines.size(), 751);
    EXPECT_TRUE(lines.first().endsWith(" - hata 50"));
    EXPECT_TRUE(lines.last().endsWith(" - hata 800"));
}

TEST_F(ErrorHandlerTest, LogEntryIsOneLineAndOlderFileIsKept)
{
    // An installation's earlier log written in Windows-1254 with CR LF.
    QFile old(IniDir() + "Hata.Ini");
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("01.02.2010 10:00:00 - eski \xFE\xDD\xF0\r\n");
    old.close();

    handle("deadlock\n-update conflicts with concurrent update\r\n-concurrent transaction number is 15");
    const QStringList lines = logLines();
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0], QStringLiteral("01.02.2010 10:00:00 - eski şİğ"));
    EXPECT_TRUE(lines[1].endsWith(" - deadlock -update conflicts with concurrent update -concurrent transaction number is 15"));
}

TEST_F(ErrorHandlerTest, ReenablesTheWindowBelowThePleaseWaitWindow)
{
    QWidget main;
    main.setObjectName("AnaF");
    main.show();
    QWidget islem;
    islem.setObjectName("IslemF");
    islem.setWindowModality(Qt::ApplicationModal);
    islem.show();
    main.setEnabled(false);
    ASSERT_EQ(QApplication::activeModalWidget(), &islem);

    // The please-wait window left on top: the one below it is enabled.
    handler.setHooks({});
    handler.handle("x");
    EXPECT_TRUE(main.isEnabled());

    // Hidden as it should be: the working window is the top one.
    main.setEnabled(false);
    ErrorHandlerHooks hooks;
    hooks.hidePleaseWait = [&] { islem.hide(); };
    handler.setHooks(hooks);
    handler.handle("y");
    EXPECT_FALSE(islem.isVisible());
    EXPECT_TRUE(main.isEnabled());
}

// ---------------------------------------------------------------- exceptions from event handlers

class Thrower : public QObject {
public:
    std::function<void()> action;
    bool event(QEvent* e) override
    {
        if (e->type() == QEvent::User) {
            action();
            return true;
        }
        return QObject::event(e);
    }
};

TEST_F(ErrorHandlerTest, ApplicationReportsAllButSilentAborts)
{
    ErrorHandler::install(&handler);
    Thrower target;
    QEvent ev(QEvent::User);

    target.action = [] { Abort(); };
    EXPECT_FALSE(TavrionApplication::notifyReporting(qApp, &target, &ev));
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_TRUE(logLines().isEmpty());
    EXPECT_TRUE(calls.isEmpty());

    target.action = [] { throw fb::Error("lock time-out on wait transaction\n-deadlock"); };
    TavrionApplication::notifyReporting(qApp, &target, &ev);
    expectShown(kDeadlockText);
    EXPECT_EQ(logLines().size(), 1);

    target.action = [] { throw std::runtime_error("Dosya açılamadı"); };
    TavrionApplication::notifyReporting(qApp, &target, &ev);
    ASSERT_EQ(dialogs.messages.size(), size_t(2));
    EXPECT_EQ(dialogs.lastText(), QStringLiteral("Programda bir hatayla karşılaşıldı!..\r\nDosya açılamadı"));
    EXPECT_EQ(logLines().size(), 2);

    // Without an installed handler the error is still reported.
    ErrorHandler::install(nullptr);
    TavrionApplication::notifyReporting(qApp, &target, &ev);
    EXPECT_EQ(dialogs.messages.size(), size_t(3));
    EXPECT_EQ(logLines().size(), 3);
}

} // namespace
