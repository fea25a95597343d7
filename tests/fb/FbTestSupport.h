#pragma once
// Databases for the Firebird layer's tests: a fresh embedded file per test, or one reached
// through the local server.
#include "fb/Firebird.h"
#include "TestSupport.h"

#include <QElapsedTimer>
#include <QUuid>

#include <gtest/gtest.h>

#include <memory>

namespace fbtest {

inline QString uniqueName(const QString& prefix)
{
    return prefix + QUuid::createUuid().toString(QUuid::Id128).left(10).toUpper();
}

inline QStringList embeddedParams()
{
    return {"user_name=SYSDBA", "password=x", "lc_ctype=WIN1254"};
}

inline QStringList serverParams(const QString& user = "SYSDBA", const QString& password = testenv::adminPassword())
{
    return {"user_name=" + user, "password=" + password, "lc_ctype=WIN1254"};
}

// A new database file in the server's scratch folder, as the server names it.
inline QString serverDatabaseName(const QString& stem)
{
    return "127.0.0.1:" + testenv::serverScratchDir() + "/" + uniqueName(stem) + ".fdb";
}

inline std::unique_ptr<fb::Database> createDatabase(const QString& name, const QStringList& params)
{
    auto db = std::make_unique<fb::Database>();
    db->setDatabaseName(name);
    db->setParams(params);
    db->create();
    return db;
}

inline std::unique_ptr<fb::Database> openDatabase(const QString& name, const QStringList& params)
{
    auto db = std::make_unique<fb::Database>();
    db->setDatabaseName(name);
    db->setParams(params);
    db->open();
    return db;
}

// Runs DDL or DML statements in one transaction and commits.
inline void run(fb::Database& db, const QStringList& statements)
{
    fb::Transaction tr(db);
    for (const QString& sql : statements)
        db.executeImmediate(tr, sql);
    tr.commit();
}

// The first column of the first row, read in its own transaction.
inline QVariant scalar(fb::Database& db, const QString& sql)
{
    fb::Transaction tr(db);
    fb::Statement st(db, tr);
    st.prepare(sql);
    st.execute();
    const QVariant v = st.fetch() ? st.value(0) : QVariant();
    st.closeCursor();
    tr.commit();
    return v;
}

// A fresh embedded database per test.
class EmbeddedDb : public ::testing::Test {
protected:
    void SetUp() override { db = createDatabase(home.path() + "t.fdb", embeddedParams()); }
    void TearDown() override
    {
        if (db)
            db->forceClose();
    }
    TempHome home;
    std::unique_ptr<fb::Database> db;
};

} // namespace fbtest
