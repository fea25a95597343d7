#include "FbTestSupport.h"
#include "fb/Services.h"

#include <QFile>
#include <QFileInfo>

using namespace fbtest;

namespace {

fb::Service serverService(const QString& password = testenv::adminPassword())
{
    return fb::Service("127.0.0.1", "SYSDBA", password);
}

// Deletes the account at the end of the test, whatever happened in between.
struct AccountGuard {
    QString name;
    ~AccountGuard()
    {
        try {
            serverService().deleteUser(name);
        } catch (const fb::Error&) {
            // already gone
        }
    }
};

const fb::UserInfo* findUser(const QList<fb::UserInfo>& users, const QString& name)
{
    for (const fb::UserInfo& u : users)
        if (u.userName == name)
            return &u;
    return nullptr;
}

bool canLogIn(const QString& dbName, const QString& user, const QString& password)
{
    try {
        openDatabase(dbName, serverParams(user, password));
        return true;
    } catch (const fb::Error& e) {
        EXPECT_TRUE(e.text().contains("Your user name and password are not defined")) << e.text().toStdString();
        return false;
    }
}

} // namespace

TEST(FbService, BackupAndRestoreThroughServerDeliverVerboseLines)
{
    const QString dir = testenv::serverScratchDir() + "/";
    const QString stem = uniqueName("BR");
    const QString dbFile = dir + stem + ".fdb";
    const QString backupFile = dir + stem + ".IBK";
    const QString restoredFile = dir + stem + "_R.fdb";
    {
        auto db = createDatabase("127.0.0.1:" + dbFile, serverParams());
        run(*db, {"CREATE TABLE T (ID INTEGER, AD VARCHAR(20) CHARACTER SET WIN1254 COLLATE PXW_TURK)"});
        run(*db, {"INSERT INTO T VALUES (1, 'Çağrı')", "INSERT INTO T VALUES (2, 'Işık')"});
        db->close();
    }

    QStringList backupLines;
    serverService().backup(dbFile, backupFile, [&](const QString& line) { backupLines << line; });
    EXPECT_GT(backupLines.size(), 0);
    EXPECT_TRUE(backupLines.join('\n').contains("T")) << backupLines.join('\n').toStdString();
    EXPECT_GT(QFileInfo(backupFile).size(), 0);

    QStringList restoreLines;
    serverService().restore(backupFile, restoredFile, false, [&](const QString& line) { restoreLines << line; }, 4096);
    EXPECT_GT(restoreLines.size(), 0);

    auto restored = openDatabase("127.0.0.1:" + restoredFile, serverParams());
    EXPECT_EQ(scalar(*restored, "SELECT LIST(AD, ',') FROM (SELECT AD FROM T ORDER BY ID)").toString(), "Çağrı,Işık");
    EXPECT_EQ(scalar(*restored, "SELECT MON$PAGE_SIZE FROM MON$DATABASE").toLongLong(), 4096);
    restored->close();

    // Without replace an existing file is refused; with it the file is overwritten.
    EXPECT_THROW(serverService().restore(backupFile, restoredFile, false, {}), fb::Error);
    int replaced = 0;
    serverService().restore(backupFile, restoredFile, true, [&](const QString&) { ++replaced; });
    EXPECT_GT(replaced, 0);
    restored = openDatabase("127.0.0.1:" + restoredFile, serverParams());
    EXPECT_EQ(scalar(*restored, "SELECT COUNT(*) FROM T").toLongLong(), 2);
}

TEST(FbService, BackupEmbeddedWithoutServer)
{
    TempHome home;
    const QString dbFile = home.path() + "E.fdb";
    auto db = createDatabase(dbFile, embeddedParams());
    run(*db, {"CREATE TABLE T (ID INTEGER)"});
    run(*db, {"INSERT INTO T VALUES (7)"});
    db->close();

    int lines = 0;
    fb::Service("", "SYSDBA", "x").backup(dbFile, home.path() + "E.IBK", [&](const QString&) { ++lines; });
    EXPECT_GT(lines, 0);
    fb::Service("", "SYSDBA", "x").restore(home.path() + "E.IBK", home.path() + "E2.fdb", false, {});
    auto restored = openDatabase(home.path() + "E2.fdb", embeddedParams());
    EXPECT_EQ(scalar(*restored, "SELECT ID FROM T").toLongLong(), 7);
}

TEST(FbService, FailuresCarryTheServersText)
{
    const QString dir = testenv::serverScratchDir() + "/";
    try {
        serverService().backup(dir + "missing.fdb", dir + "missing.IBK", {});
        FAIL() << "backup of a missing database succeeded";
    } catch (const fb::Error& e) {
        EXPECT_TRUE(e.text().contains("missing.fdb")) << e.text().toStdString();
    }
    try {
        serverService("wrong-password").users();
        FAIL() << "service attached with a wrong password";
    } catch (const fb::Error& e) {
        EXPECT_TRUE(e.text().contains("Your user name and password are not defined")) << e.text().toStdString();
    }
    try {
        serverService().restore(dir + "missing.IBK", dir + "never.fdb", false, {});
        FAIL() << "restore of a missing backup succeeded";
    } catch (const fb::Error& e) {
        EXPECT_TRUE(e.text().contains("missing.IBK")) << e.text().toStdString();
    }
    EXPECT_FALSE(QFile::exists(dir + "never.fdb"));
}

TEST(FbService, AccountIsAddedChangedListedAndDeleted)
{
    const QString name = uniqueName("TVT_");
    AccountGuard guard{name};
    const QString dbName = serverDatabaseName("USR");
    createDatabase(dbName, serverParams())->close();

    serverService().addUser({name, "ilk_sifre", "Çağla", "", "Öztürk"});
    const QList<fb::UserInfo> listed = serverService().users();
    const fb::UserInfo* u = findUser(listed, name);
    ASSERT_NE(u, nullptr) << "new account is not listed";
    EXPECT_EQ(u->firstName, "Çağla");
    EXPECT_EQ(u->lastName, "Öztürk");
    EXPECT_TRUE(u->password.isEmpty());
    EXPECT_NE(findUser(listed, "SYSDBA"), nullptr);
    EXPECT_TRUE(serverService().userExists(name.toLower()));
    EXPECT_TRUE(canLogIn(dbName, name, "ilk_sifre"));

    EXPECT_THROW(serverService().addUser({name, "baska", "", "", ""}), fb::Error);

    serverService().modifyUser({name, "yeni_sifre", "", "Can", ""});
    EXPECT_TRUE(canLogIn(dbName, name, "yeni_sifre"));
    EXPECT_FALSE(canLogIn(dbName, name, "ilk_sifre"));
    u = findUser(serverService().users(), name);
    ASSERT_NE(u, nullptr);
    EXPECT_EQ(u->firstName, "Çağla"); // empty parts stay as they were
    EXPECT_EQ(u->middleName, "Can");

    serverService().deleteUser(name);
    EXPECT_EQ(findUser(serverService().users(), name), nullptr);
    EXPECT_FALSE(serverService().userExists(name));
    EXPECT_FALSE(canLogIn(dbName, name, "yeni_sifre"));
    EXPECT_THROW(serverService().deleteUser(name), fb::Error);
}
