#include "FbTestSupport.h"

using namespace fbtest;

namespace {

// One database reached through the server by two connections, as two workstations would.
class FbServerPair : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString name = serverDatabaseName("TR");
        a = createDatabase(name, serverParams());
        run(*a, {"CREATE TABLE T (ID INTEGER NOT NULL PRIMARY KEY, AD VARCHAR(20) CHARACTER SET WIN1254)"});
        run(*a, {"INSERT INTO T VALUES (1, 'bir')", "INSERT INTO T VALUES (2, 'iki')"});
        b = openDatabase(name, serverParams());
    }
    std::unique_ptr<fb::Database> a, b;
};

QString adOf(fb::Database& db, int id)
{
    return scalar(db, QStringLiteral("SELECT AD FROM T WHERE ID = %1").arg(id)).toString();
}

} // namespace

TEST_F(FbServerPair, WriteConflictFailsAtOnceWithTheServersText)
{
    fb::Transaction ta(*a), tb(*b);
    fb::Statement sa(*a, ta), sb(*b, tb);
    sa.prepare("UPDATE T SET AD = ? WHERE ID = 1");
    sa.setParam(0, "ayşe");
    sa.execute();

    sb.prepare("UPDATE T SET AD = ? WHERE ID = 1");
    sb.setParam(0, "fatma");
    QElapsedTimer timer;
    timer.start();
    try {
        sb.execute();
        FAIL() << "the second writer was not stopped";
    } catch (const fb::Error& e) {
        EXPECT_LT(timer.elapsed(), 3000) << "the default transaction waited for the lock";
        EXPECT_TRUE(e.text().startsWith("deadlock")) << e.text().toStdString();
        EXPECT_TRUE(e.text().contains("update conflicts with concurrent update")) << e.text().toStdString();
        EXPECT_NE(e.gdsCode(), 0);
    }
    // The loser's transaction stays usable; the winner's change is the one that lands.
    sb.prepare("UPDATE T SET AD = 'zeynep' WHERE ID = 2");
    sb.execute();
    tb.commit();
    ta.commit();
    EXPECT_EQ(adOf(*b, 1), "ayşe");
    EXPECT_EQ(adOf(*b, 2), "zeynep");
}

TEST_F(FbServerPair, CommitRetainingPublishesAndKeepsTheTransaction)
{
    fb::Transaction ta(*a);
    fb::Statement sa(*a, ta);
    sa.prepare("UPDATE T SET AD = ? WHERE ID = ?");
    sa.setParam(0, "ümit");
    sa.setParam(1, 1);
    sa.execute();
    EXPECT_EQ(adOf(*b, 1), "bir"); // not yet visible elsewhere

    ta.commitRetaining();
    EXPECT_TRUE(ta.active());
    EXPECT_EQ(adOf(*b, 1), "ümit");

    // Same transaction and prepared statement go on working.
    sa.setParam(0, "ılgın");
    sa.setParam(1, 2);
    sa.execute();
    EXPECT_EQ(sa.rowsAffected(), 1);
    ta.rollbackRetaining();
    EXPECT_TRUE(ta.active());
    EXPECT_EQ(adOf(*a, 2), "iki");

    // A cursor opened before commit retaining keeps fetching after it.
    sa.prepare("SELECT ID FROM T ORDER BY ID");
    sa.execute();
    ASSERT_TRUE(sa.fetch());
    ta.commitRetaining();
    ASSERT_TRUE(sa.fetch());
    EXPECT_EQ(sa.value(0).toLongLong(), 2);
    EXPECT_FALSE(sa.fetch());
    ta.commit();
    EXPECT_FALSE(ta.active());
}

TEST_F(FbServerPair, RollbackUndoesAndCloseLetsClientsGo)
{
    {
        fb::Transaction ta(*a);
        a->executeImmediate(ta, "DELETE FROM T");
        ta.rollback();
    }
    EXPECT_EQ(scalar(*a, "SELECT COUNT(*) FROM T").toLongLong(), 2);

    // A transaction left running when its owner goes away is rolled back, not committed.
    {
        fb::Transaction ta(*a);
        a->executeImmediate(ta, "DELETE FROM T WHERE ID = 2");
    }
    EXPECT_EQ(scalar(*b, "SELECT COUNT(*) FROM T").toLongLong(), 2);

    // Closing the connection lets go of open cursors and transactions first.
    fb::Transaction ta(*a);
    fb::Statement sa(*a, ta);
    sa.prepare("SELECT ID FROM T");
    sa.execute();
    ASSERT_TRUE(sa.fetch());
    a->close();
    EXPECT_FALSE(a->connected());
    EXPECT_FALSE(ta.active());
    EXPECT_FALSE(sa.prepared());
    EXPECT_FALSE(sa.cursorOpen());
}

TEST_F(FbServerPair, DroppedConnectionReportsShutdownAndCloses)
{
    const qint64 id = scalar(*b, "SELECT CURRENT_CONNECTION FROM RDB$DATABASE").toLongLong();
    run(*a, {QStringLiteral("DELETE FROM MON$ATTACHMENTS WHERE MON$ATTACHMENT_ID = %1").arg(id)});
    try {
        scalar(*b, "SELECT COUNT(*) FROM T");
        FAIL() << "a dropped connection still answered";
    } catch (const fb::Error& e) {
        EXPECT_TRUE(e.text().contains("connection shutdown") || e.text().contains("Error writing data"))
            << e.text().toStdString();
    }
    b->forceClose();
    EXPECT_FALSE(b->connected());
}

TEST(FbLifetime, ObjectsOutlivingTheirDatabaseObjectFailCleanly)
{
    TempHome home;
    auto db = createDatabase(home.path() + "L.fdb", embeddedParams());
    run(*db, {"CREATE TABLE T (ID INTEGER)"});
    auto tr = std::make_unique<fb::Transaction>(*db);
    auto st = std::make_unique<fb::Statement>(*db, *tr);
    st->prepare("INSERT INTO T VALUES (1)");
    st->execute();
    db.reset(); // the open transaction is committed on the way out, as close() does

    EXPECT_FALSE(tr->active());
    EXPECT_FALSE(st->prepared());
    EXPECT_THROW(tr->start(), fb::Error);
    EXPECT_THROW(st->prepare("SELECT 1 FROM RDB$DATABASE"), fb::Error);
    st.reset();
    tr.reset();

    auto again = openDatabase(home.path() + "L.fdb", embeddedParams());
    EXPECT_EQ(scalar(*again, "SELECT COUNT(*) FROM T").toLongLong(), 1);
}
