#include "fb/Firebird.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

TEST(FbSmoke, CreateInsertSelectEmbedded)
{
    TempHome home;
    fb::Database db;
    db.setDatabaseName(home.path() + "t.fdb");
    db.setParams({"user_name=SYSDBA", "password=x", "lc_ctype=WIN1254"});
    db.create();
    fb::Transaction tr(db);
    db.executeImmediate(tr, "CREATE TABLE T (A VARCHAR(30) CHARACTER SET WIN1254 COLLATE PXW_TURK, B DOUBLE PRECISION)");
    tr.commit();
    fb::Statement st(db, tr);
    st.prepare("INSERT INTO T (A, B) VALUES (?, ?)");
    st.setParam(0, QString::fromUtf8("çğıöşüÇĞİÖŞÜ"));
    st.setParam(1, 12.0);
    st.execute();
    st.prepare("SELECT A, B, UPPER('i' COLLATE PXW_TURK) FROM T");
    st.execute();
    ASSERT_TRUE(st.fetch());
    EXPECT_EQ(st.value(0).toString(), QString::fromUtf8("çğıöşüÇĞİÖŞÜ"));
    EXPECT_EQ(st.value(1).toDouble(), 12.0);
    EXPECT_EQ(st.value(2).toString(), QString::fromUtf8("İ"));
    EXPECT_FALSE(st.fetch());
    tr.commit();
    db.close();
}
