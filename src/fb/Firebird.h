#pragma once
// The program's one layer over the Firebird client's object API: a connection, transactions,
// prepared statements with dynamic metadata, blobs and database information. Values travel as
// QVariant: null, qint64, double, QString, QDate, QTime, QDateTime, QByteArray (binary blob), bool.
#include "fb/FbError.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <memory>
#include <vector>

namespace Firebird {
class ThrowStatusWrapper;
class IAttachment;
class ITransaction;
class IStatement;
class IResultSet;
class IMessageMetadata;
} // namespace Firebird

namespace fb {

class Database;
class Transaction;

// Anything that holds server handles of a connection and must let go of them before it closes.
class DatabaseClient {
public:
    virtual ~DatabaseClient() = default;
    virtual void databaseClosing() = 0;
    // The Database object itself is being destroyed (after databaseClosing): forget it.
    virtual void databaseDestroyed() {}
};

struct OdsVersion {
    int major = 0;
    int minor = 0;
};

// Version of the loaded client library, for example "3.0.11.33703"; empty when unknown.
QString clientLibraryVersion();

class Database {
public:
    Database();
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // "host:path" goes through the server, a plain path opens the file with the embedded engine.
    void setDatabaseName(const QString& name) { m_name = name; }
    const QString& databaseName() const { return m_name; }
    // Lines "user_name=...", "password=...", "lc_ctype=...", "sql_role_name=...".
    void setParams(const QStringList& params) { m_params = params; }
    const QStringList& params() const { return m_params; }
    QString param(const QString& key) const;

    void open();
    void create(int pageSize = 8192);
    void close();       // ends the transactions and lets every client go first
    void forceClose();  // as close, but never throws (for a connection the server dropped)
    bool connected() const { return m_att != nullptr; }

    OdsVersion odsVersion();
    // Runs a statement that needs no parameters and returns no rows.
    void executeImmediate(Transaction& tr, const QString& sql);

    // Runs after every successful open (the structure check hooks in here).
    std::function<void(Database&)> afterConnect;

    Transaction* defaultTransaction() const { return m_defaultTransaction; }
    void setDefaultTransaction(Transaction* tr) { m_defaultTransaction = tr; }

    Firebird::IAttachment* handle() const { return m_att; }
    void addClient(DatabaseClient* c);
    void removeClient(DatabaseClient* c);
    void addTransaction(Transaction* t);
    void removeTransaction(Transaction* t);

private:
    QByteArray buildDpb(bool forCreate, int pageSize) const;
    void releaseClients();

    QString m_name;
    QStringList m_params;
    Firebird::IAttachment* m_att = nullptr;
    Transaction* m_defaultTransaction = nullptr;
    std::vector<DatabaseClient*> m_clients;
    std::vector<Transaction*> m_transactions;
};

// Transaction parameters as IBX names them: "read_committed", "rec_version", "nowait",
// "wait", "concurrency", "consistency", "read", "write".
class Transaction {
public:
    explicit Transaction(Database& db, const QStringList& params = defaultParams());
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    static QStringList defaultParams() { return {"read_committed", "rec_version", "nowait"}; }

    void start();
    void commit();
    void commitRetaining();
    void rollback();
    void rollbackRetaining();
    bool active() const { return m_tr != nullptr; }
    void ensureStarted() { if (!active()) start(); }

    Database& database() const { return m_db; }
    Firebird::ITransaction* handle() const { return m_tr; }
    void databaseClosing(); // commits what is open, drops the handle

private:
    void finish(void (Firebird::ITransaction::*call)(Firebird::ThrowStatusWrapper*), bool ends);
    friend class Database;
    Database& m_db;
    bool m_dbGone = false;
    QStringList m_params;
    Firebird::ITransaction* m_tr = nullptr;
};

enum class SqlType { Unknown, Text, Integer, Float, Date, Time, Timestamp, Blob, Boolean };

struct Column {
    QString name;      // alias as the select names it
    QString field;     // field of the relation, empty for expressions
    QString relation;  // table, empty for expressions
    SqlType type = SqlType::Unknown;
    int firebirdType = 0;
    int subType = 0;
    int length = 0;    // bytes for text, characters = bytes in WIN1254
    int scale = 0;
    bool nullable = true;
    int charSet = 0;
};

class Statement : public DatabaseClient {
public:
    Statement(Database& db, Transaction& tr);
    ~Statement() override;
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    void prepare(const QString& sql);
    bool prepared() const { return m_stmt != nullptr; }
    const QString& sql() const { return m_sql; }
    bool isSelect() const;

    int paramCount() const;
    void setParam(int index, const QVariant& value); // 0-based
    void clearParams();

    // Runs the statement; a select opens its cursor, fetch() then moves to each row.
    void execute();
    bool fetch();
    void closeCursor();
    bool cursorOpen() const { return m_rs != nullptr; }
    bool eof() const { return m_eof; }
    int rowsAffected();

    int columnCount() const { return int(m_columns.size()); }
    const Column& column(int i) const { return m_columns[size_t(i)]; }
    const std::vector<Column>& columns() const { return m_columns; }
    int columnIndex(const QString& name) const; // -1 when absent, case-insensitive
    bool isNull(int i) const;                   // of the current row
    QVariant value(int i) const;                // blob columns read their contents
    QVariant value(const QString& name) const;
    QByteArray blobId(int i) const;             // raw 8-byte id of a blob column, empty when null

    Transaction& transaction() const { return m_tr; }
    void databaseClosing() override;
    void databaseDestroyed() override { m_dbGone = true; }

private:
    void free();
    Firebird::IMessageMetadata* bindParams(); // the message layout the values were written in

    Database& m_db;
    Transaction& m_tr;
    bool m_dbGone = false;
    QString m_sql;
    Firebird::IStatement* m_stmt = nullptr;
    Firebird::IResultSet* m_rs = nullptr;
    Firebird::IMessageMetadata* m_inMeta = nullptr;
    Firebird::IMessageMetadata* m_sendMeta = nullptr; // m_inMeta, or a copy widened for long text
    Firebird::IMessageMetadata* m_outMeta = nullptr;
    std::vector<Column> m_columns;
    std::vector<unsigned> m_outOffsets, m_outNullOffsets;
    std::vector<QVariant> m_params;
    QByteArray m_inBuf, m_outBuf;
    bool m_eof = true;
};

// Blob contents by id (as Statement::blobId gives it) in a transaction of the same connection.
QByteArray readBlob(Transaction& tr, const QByteArray& blobId);

} // namespace fb
