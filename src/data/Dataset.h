#pragma once
// The one dataset class: a read-only query or an editable dataset over one table keyed by one
// column, with the states, navigation and events the screens are written against. Rows are
// fetched from the server as they are needed and kept packed (StoredRow).
#include "data/StoredRow.h"
#include "fb/Firebird.h"

#include <QObject>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <memory>
#include <vector>

struct DatasetField {
    QString name;
    QString displayLabel;   // column title in grids; the name when empty
    fb::SqlType type = fb::SqlType::Unknown;
    int size = 0;           // characters of a text field
    bool calculated = false;
    bool visible = true;    // shown in grids
    bool readOnly = false;
    QString relation;       // table the column comes from; empty for expressions
    QString origin;         // column name in that table
};

class Dataset : public QObject, public fb::DatabaseClient {
    Q_OBJECT
public:
    enum class State { Inactive, Browse, Edit, Insert };
    using Handler = std::function<void(Dataset&)>;

    Dataset(fb::Database& db, fb::Transaction& tr, QObject* parent = nullptr);
    ~Dataset() override;

    fb::Database& database() const { return m_db; }
    fb::Transaction& transaction() const { return m_tr; }

    // Read-only query: its statement.
    void setSql(const QString& sql) { m_selectSql = sql; }
    const QString& sql() const { return m_selectSql; }
    // Editable dataset: the select statement plus the table and key the generated insert,
    // modify, refresh and delete statements work on.
    void setEditable(const QString& table, const QString& keyField);
    bool isEditable() const { return !m_table.isEmpty(); }
    void setSelectSql(const QString& sql) { m_selectSql = sql; }
    const QString& selectSql() const { return m_selectSql; }
    const QString& tableName() const { return m_table; }
    const QString& keyField() const { return m_keyField; }
    // Fields the generated statements leave out (server-filled or read-only columns).
    void setReadOnlyFields(const QStringList& names) { m_readOnlyNames = names; }

    // Calculated fields are filled by onCalcFields for every row; add them before open().
    void addCalcField(const QString& name, fb::SqlType type = fb::SqlType::Text, int size = 20);

    void open();
    void close();
    bool active() const { return m_state != State::Inactive; }
    State state() const { return m_state; }
    bool isEditing() const { return m_state == State::Edit || m_state == State::Insert; }

    // Navigation. recNo is 0-based; -1 when empty.
    int recNo() const { return m_cur; }
    bool bof() const { return m_bof; }
    bool eof() const { return m_eof; }
    bool isEmpty();
    int recordCount();          // every row (fetches the rest)
    int fetchedCount() const { return int(m_rows.size()); }
    bool allFetched() const { return m_allFetched; }
    int fetchMore(int count);   // returns the number of rows added
    void first();
    void next();
    void prior();
    void last();
    void moveTo(int row);
    bool locate(const QString& field, const QVariant& value, bool caseInsensitive = false);

    // Fields of the current row (the edit buffer while editing).
    int fieldCount() const { return int(m_fields.size()); }
    const DatasetField& field(int i) const { return m_fields[size_t(i)]; }
    DatasetField* fieldByName(const QString& name);
    int fieldIndex(const QString& name) const; // -1 when absent; case-insensitive
    QVariant value(const QString& name) const;
    QVariant value(int field) const;
    QVariant valueAt(int row, int field) const; // any fetched row, for grids
    QString text(const QString& name) const;    // display text
    bool isNull(const QString& name) const { return !value(name).isValid() || value(name).isNull(); }
    void setValue(const QString& name, const QVariant& v);
    void setDisplayLabel(const QString& name, const QString& label);

    // Editing. post and remove write through the transaction; the caller commits.
    void edit();
    void insert();
    void append();
    void post();
    void cancel();
    void remove();
    void refresh();        // reloads the current row from the server

    // Events in the order the platform raises them.
    Handler beforeOpen, afterOpen, beforeClose, afterClose;
    Handler beforeInsert, afterInsert, beforeEdit, afterEdit;
    Handler beforePost, afterPost, beforeCancel, afterCancel;
    Handler beforeDelete, afterDelete, afterScroll, onNewRecord, onCalcFields;

    void databaseClosing() override;

signals:
    void opened();
    void closed();
    void stateChanged(Dataset::State state);
    void currentChanged(int row);
    void rowChanged(int row);              // values of a fetched row changed
    void rowsAppended(int first, int last);
    void rowInserted(int row);
    void rowRemoved(int row);
    void fieldChanged(const QString& name); // setValue on the current row

private:
    using Row = std::vector<QVariant>;
    QVariant cell(Row& row, int field) const;
    QVariant resolve(const QVariant& v) const; // a blob's contents instead of its id
    Row* activeRow() const;
    Row& currentRow() const;   // the current fetched row, unpacked
    void dropCache() const { m_cacheRow = -1; }
    void loadFields();
    void calc(Row& row);
    Row readCurrent(fb::Statement& st);
    void scrolled();
    void setState(State s);
    void checkActive() const;
    void checkBrowse();
    void ensureRow(int row);
    void insertAt(int pos);
    void writeInsert();
    void writeModify();
    void reloadRow(Row& row, const QVariant& key);
    std::vector<int> writableFields() const;

    fb::Database& m_db;
    fb::Transaction& m_tr;
    QString m_selectSql, m_table, m_keyField;
    QStringList m_readOnlyNames;
    std::vector<DatasetField> m_fields;
    std::vector<DatasetField> m_calcDefs;
    std::unique_ptr<fb::Statement> m_cursor;
    int m_dataFieldCount = 0;
    std::vector<StoredRow> m_rows;
    mutable Row m_cache;        // the current row unpacked, with the blobs read so far
    mutable int m_cacheRow = -1;
    Row m_buffer;           // edit buffer
    QVariant m_oldKey;
    int m_cur = -1;
    int m_savedCur = -1;    // row before an insert, restored on cancel
    bool m_bof = true, m_eof = true, m_allFetched = true;
    State m_state = State::Inactive;
    Row* m_calcRow = nullptr;
};

// Blob contents are read when first asked for; a row holds this until then.
struct BlobRef {
    QByteArray id;
    bool text = false;
};
Q_DECLARE_METATYPE(BlobRef)
