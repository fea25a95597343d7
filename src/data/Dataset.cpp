#include "data/Dataset.h"
#include "fb/Win1254.h"

#include <QDate>
#include <QDateTime>

namespace {
constexpr int kFirstBatch = 64;

bool sameValue(const QVariant& a, const QVariant& b, bool caseInsensitive)
{
    if (!a.isValid() || a.isNull() || !b.isValid() || b.isNull())
        return (!a.isValid() || a.isNull()) && (!b.isValid() || b.isNull());
    const bool aNum = a.typeId() == QMetaType::Double || a.typeId() == QMetaType::LongLong || a.typeId() == QMetaType::Int;
    const bool bNum = b.typeId() == QMetaType::Double || b.typeId() == QMetaType::LongLong || b.typeId() == QMetaType::Int;
    if (aNum || bNum) {
        bool ok1 = false, ok2 = false;
        const double x = a.toDouble(&ok1), y = b.toDouble(&ok2);
        return ok1 && ok2 && x == y;
    }
    if (a.typeId() == QMetaType::QString || b.typeId() == QMetaType::QString)
        return a.toString().compare(b.toString(), caseInsensitive ? Qt::CaseInsensitive : Qt::CaseSensitive) == 0;
    return a == b;
}
} // namespace

Dataset::Dataset(fb::Database& db, fb::Transaction& tr, QObject* parent) : QObject(parent), m_db(db), m_tr(tr)
{
    m_db.addClient(this);
}

Dataset::~Dataset()
{
    m_cursor.reset();
    m_db.removeClient(this);
}

void Dataset::setEditable(const QString& table, const QString& keyField)
{
    m_table = table;
    m_keyField = keyField;
}

void Dataset::addCalcField(const QString& name, fb::SqlType type, int size)
{
    DatasetField f;
    f.name = name;
    f.type = type;
    f.size = size;
    f.calculated = true;
    f.readOnly = true;
    m_calcDefs.push_back(f);
}

void Dataset::checkActive() const
{
    if (m_state == State::Inactive)
        throw fb::Error(QStringLiteral("Veri kümesi kapalı."));
}

void Dataset::setState(State s)
{
    if (m_state == s)
        return;
    m_state = s;
    emit stateChanged(s);
}

void Dataset::open()
{
    if (active())
        return;
    if (beforeOpen)
        beforeOpen(*this);
    m_cursor = std::make_unique<fb::Statement>(m_db, m_tr);
    try {
        m_cursor->prepare(m_selectSql);
        m_cursor->execute();
    } catch (...) {
        m_cursor.reset();
        throw;
    }
    loadFields();
    m_rows.clear();
    dropCache();
    m_allFetched = false;
    m_cur = -1;
    setState(State::Browse);
    fetchMore(kFirstBatch);
    m_cur = m_rows.empty() ? -1 : 0;
    m_bof = true;
    m_eof = m_rows.empty();
    emit opened();
    if (afterOpen)
        afterOpen(*this);
    scrolled();
}

void Dataset::loadFields()
{
    std::vector<DatasetField> old = std::move(m_fields);
    m_fields.clear();
    for (const fb::Column& c : m_cursor->columns()) {
        DatasetField f;
        f.name = c.name;
        f.type = c.type;
        f.size = c.type == fb::SqlType::Text ? c.length : 0;
        f.relation = c.relation;
        f.origin = c.field;
        // Keep labels and visibility a screen set before a reopen.
        for (const DatasetField& o : old)
            if (o.name == f.name) {
                f.displayLabel = o.displayLabel;
                f.visible = o.visible;
            }
        m_fields.push_back(f);
    }
    m_dataFieldCount = int(m_fields.size());
    for (const DatasetField& c : m_calcDefs)
        m_fields.push_back(c);
}

void Dataset::close()
{
    if (!active())
        return;
    if (beforeClose)
        beforeClose(*this);
    m_cursor.reset();
    std::vector<StoredRow>().swap(m_rows); // a long list's memory goes with it
    dropCache();
    m_buffer.clear();
    m_cur = -1;
    m_bof = m_eof = true;
    m_allFetched = true;
    setState(State::Inactive);
    emit closed();
    if (afterClose)
        afterClose(*this);
}

void Dataset::databaseClosing()
{
    // The connection goes: drop the rows without talking to the server.
    m_cursor.reset();
    if (active()) {
        m_rows.clear();
        dropCache();
        m_buffer.clear();
        m_cur = -1;
        m_bof = m_eof = true;
        m_allFetched = true;
        setState(State::Inactive);
        emit closed();
    }
}

Dataset::Row Dataset::readCurrent(fb::Statement& st)
{
    Row row(m_fields.size());
    for (int i = 0; i < m_dataFieldCount && i < st.columnCount(); ++i) {
        if (st.column(i).type == fb::SqlType::Blob) {
            const QByteArray id = st.blobId(i);
            if (!id.isEmpty())
                row[size_t(i)] = QVariant::fromValue(BlobRef{id, st.column(i).subType == 1});
        } else {
            row[size_t(i)] = st.value(i);
        }
    }
    calc(row);
    return row;
}

void Dataset::calc(Row& row)
{
    if (!onCalcFields || m_calcDefs.empty())
        return;
    Row* saved = m_calcRow;
    m_calcRow = &row;
    try {
        onCalcFields(*this);
    } catch (...) {
        m_calcRow = saved;
        throw;
    }
    m_calcRow = saved;
}

int Dataset::fetchMore(int count)
{
    if (m_allFetched || !m_cursor)
        return 0;
    const int first = int(m_rows.size());
    int added = 0;
    while (added < count) {
        if (!m_cursor->fetch()) {
            m_allFetched = true;
            break;
        }
        m_rows.emplace_back(readCurrent(*m_cursor));
        ++added;
    }
    if (added > 0)
        emit rowsAppended(first, first + added - 1);
    return added;
}

void Dataset::ensureRow(int row)
{
    while (row >= int(m_rows.size()) && !m_allFetched)
        fetchMore(std::max(kFirstBatch, row + 1 - int(m_rows.size())));
}

bool Dataset::isEmpty()
{
    checkActive();
    if (m_rows.empty())
        ensureRow(0);
    return m_rows.empty();
}

int Dataset::recordCount()
{
    if (!active())
        return 0;
    while (!m_allFetched)
        fetchMore(4096);
    return int(m_rows.size());
}

void Dataset::scrolled()
{
    emit currentChanged(m_cur);
    if (afterScroll)
        afterScroll(*this);
}

void Dataset::checkBrowse()
{
    checkActive();
    if (isEditing())
        post();
}

void Dataset::first()
{
    checkBrowse();
    ensureRow(0);
    m_cur = m_rows.empty() ? -1 : 0;
    m_bof = true;
    m_eof = m_rows.empty();
    scrolled();
}

void Dataset::next()
{
    checkBrowse();
    ensureRow(m_cur + 1);
    if (m_cur + 1 < int(m_rows.size())) {
        ++m_cur;
        m_bof = false;
        m_eof = false;
        scrolled();
    } else {
        m_eof = true;
    }
}

void Dataset::prior()
{
    checkBrowse();
    if (m_cur > 0) {
        --m_cur;
        m_bof = false;
        m_eof = false;
        scrolled();
    } else {
        m_bof = true;
    }
}

void Dataset::last()
{
    checkBrowse();
    recordCount();
    m_cur = int(m_rows.size()) - 1;
    m_eof = true;
    m_bof = m_rows.empty();
    scrolled();
}

void Dataset::moveTo(int row)
{
    checkBrowse();
    ensureRow(row);
    if (row < 0 || row >= int(m_rows.size()))
        return;
    if (row == m_cur)
        return;
    m_cur = row;
    m_bof = row == 0;
    m_eof = false;
    scrolled();
}

bool Dataset::locate(const QString& field, const QVariant& v, bool caseInsensitive)
{
    checkBrowse();
    const int f = fieldIndex(field);
    if (f < 0)
        throw fb::Error(QStringLiteral("Alan bulunamadı: %1").arg(field));
    for (int r = 0;; ++r) {
        ensureRow(r);
        if (r >= int(m_rows.size()))
            return false;
        if (sameValue(resolve(m_rows[size_t(r)].value(f)), v, caseInsensitive)) {
            m_cur = r;
            m_bof = r == 0;
            m_eof = false;
            scrolled();
            return true;
        }
    }
}

DatasetField* Dataset::fieldByName(const QString& name)
{
    const int i = fieldIndex(name);
    return i < 0 ? nullptr : &m_fields[size_t(i)];
}

int Dataset::fieldIndex(const QString& name) const
{
    for (size_t i = 0; i < m_fields.size(); ++i)
        if (m_fields[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

Dataset::Row* Dataset::activeRow() const
{
    if (m_calcRow)
        return m_calcRow;
    if (m_state == State::Edit || m_state == State::Insert)
        return const_cast<Row*>(&m_buffer);
    if (m_cur >= 0 && m_cur < int(m_rows.size()))
        return &currentRow();
    return nullptr;
}

Dataset::Row& Dataset::currentRow() const
{
    if (m_cacheRow != m_cur) {
        m_cache = m_rows[size_t(m_cur)].values();
        m_cacheRow = m_cur;
    }
    return m_cache;
}

QVariant Dataset::resolve(const QVariant& v) const
{
    if (v.userType() != qMetaTypeId<BlobRef>())
        return v;
    // Read for the caller only: pictures of rows other than the current one are not kept.
    const BlobRef ref = v.value<BlobRef>();
    const QByteArray data = fb::readBlob(m_tr, ref.id);
    return ref.text ? QVariant(fb::fromWin1254(data)) : QVariant(data);
}

QVariant Dataset::cell(Row& row, int f) const
{
    if (f < 0 || f >= int(row.size()))
        return {};
    QVariant& v = row[size_t(f)];
    if (v.userType() == qMetaTypeId<BlobRef>()) {
        const BlobRef ref = v.value<BlobRef>();
        const QByteArray data = fb::readBlob(m_tr, ref.id);
        v = ref.text ? QVariant(fb::fromWin1254(data)) : QVariant(data);
    }
    return v;
}

QVariant Dataset::value(int f) const
{
    Row* row = activeRow();
    return row ? cell(*row, f) : QVariant();
}

QVariant Dataset::value(const QString& name) const
{
    const int f = fieldIndex(name);
    if (f < 0)
        throw fb::Error(QStringLiteral("Alan bulunamadı: %1").arg(name));
    return value(f);
}

QVariant Dataset::valueAt(int row, int f) const
{
    if (row == m_cur && isEditing())
        return cell(const_cast<Row&>(m_buffer), f);
    if (row < 0 || row >= int(m_rows.size()))
        return {};
    if (row == m_cur)
        return cell(currentRow(), f); // unpacked once for all its fields
    return resolve(m_rows[size_t(row)].value(f));
}

QString Dataset::text(const QString& name) const
{
    const QVariant v = value(name);
    if (!v.isValid() || v.isNull())
        return {};
    switch (v.typeId()) {
    case QMetaType::QDate: return v.toDate().toString(QStringLiteral("dd.MM.yyyy"));
    case QMetaType::QDateTime: return v.toDateTime().toString(QStringLiteral("dd.MM.yyyy hh:mm:ss"));
    case QMetaType::Double: {
        const double d = v.toDouble();
        if (d == double(qint64(d)))
            return QString::number(qint64(d));
        return QString::number(d, 'g', 15);
    }
    default: return v.toString();
    }
}

void Dataset::setValue(const QString& name, const QVariant& v)
{
    const int f = fieldIndex(name);
    if (f < 0)
        throw fb::Error(QStringLiteral("Alan bulunamadı: %1").arg(name));
    if (m_calcRow) {
        (*m_calcRow)[size_t(f)] = v;
        return;
    }
    if (!isEditing()) {
        checkActive();
        if (m_fields[size_t(f)].calculated) {
            if (m_cur >= 0) {
                Row& row = currentRow();
                row[size_t(f)] = v;
                m_rows[size_t(m_cur)] = StoredRow(row);
            }
            return;
        }
        throw fb::Error(QStringLiteral("Veri kümesi düzenleme durumunda değil."));
    }
    m_buffer[size_t(f)] = v;
    emit fieldChanged(m_fields[size_t(f)].name);
    if (m_cur >= 0)
        emit rowChanged(m_cur);
}

void Dataset::setDisplayLabel(const QString& name, const QString& label)
{
    if (DatasetField* f = fieldByName(name))
        f->displayLabel = label;
}

void Dataset::edit()
{
    checkActive();
    if (isEditing())
        return;
    if (m_cur < 0)
        return insert(); // an empty dataset edits a new row, as the platform does
    if (!isEditable())
        throw fb::Error(QStringLiteral("Salt okunur veri kümesi değiştirilemez."));
    if (beforeEdit)
        beforeEdit(*this);
    m_buffer = currentRow();
    for (int f = 0; f < int(m_buffer.size()); ++f)
        cell(m_buffer, f); // the old blob ids would not survive the rewrite
    const int k = fieldIndex(m_keyField);
    m_oldKey = k >= 0 ? m_buffer[size_t(k)] : QVariant();
    setState(State::Edit);
    if (afterEdit)
        afterEdit(*this);
}

void Dataset::insert()
{
    checkBrowse();
    insertAt(m_cur < 0 ? 0 : m_cur);
}

void Dataset::append()
{
    checkBrowse();
    recordCount();
    insertAt(int(m_rows.size()));
}

void Dataset::insertAt(int pos)
{
    if (!isEditable())
        throw fb::Error(QStringLiteral("Salt okunur veri kümesine kayıt eklenemez."));
    if (beforeInsert)
        beforeInsert(*this);
    m_savedCur = m_cur;
    m_rows.insert(m_rows.begin() + pos, StoredRow(Row(m_fields.size())));
    dropCache();
    m_cur = pos;
    m_buffer = Row(m_fields.size());
    m_oldKey = QVariant();
    setState(State::Insert);
    emit rowInserted(pos);
    if (onNewRecord)
        onNewRecord(*this);
    calc(m_buffer);
    if (afterInsert)
        afterInsert(*this);
    scrolled();
}

std::vector<int> Dataset::writableFields() const
{
    std::vector<int> out;
    for (int i = 0; i < m_dataFieldCount; ++i) {
        const DatasetField& f = m_fields[size_t(i)];
        if (f.calculated || f.readOnly || f.origin.isEmpty())
            continue;
        if (f.relation.compare(m_table, Qt::CaseInsensitive) != 0)
            continue;
        if (m_readOnlyNames.contains(f.name, Qt::CaseInsensitive))
            continue;
        out.push_back(i);
    }
    return out;
}

void Dataset::writeInsert()
{
    QStringList cols, marks;
    const std::vector<int> fields = writableFields();
    for (int i : fields) {
        cols << m_fields[size_t(i)].origin;
        marks << QStringLiteral("?");
    }
    fb::Statement st(m_db, m_tr);
    st.prepare(QStringLiteral("INSERT INTO %1 (%2)\nVALUES (%3)").arg(m_table, cols.join(QStringLiteral(", ")),
                                                                      marks.join(QStringLiteral(", "))));
    for (size_t p = 0; p < fields.size(); ++p)
        st.setParam(int(p), m_buffer[size_t(fields[p])]);
    st.execute();
}

void Dataset::writeModify()
{
    QStringList sets;
    const std::vector<int> fields = writableFields();
    for (int i : fields)
        sets << m_fields[size_t(i)].origin + QStringLiteral(" = ?");
    fb::Statement st(m_db, m_tr);
    st.prepare(QStringLiteral("UPDATE %1 SET %2\nWHERE %3 = ?").arg(m_table, sets.join(QStringLiteral(", ")), m_keyField));
    int p = 0;
    for (int i : fields)
        st.setParam(p++, m_buffer[size_t(i)]);
    st.setParam(p, m_oldKey);
    st.execute();
    // A row another user deleted meanwhile must not look saved.
    if (st.rowsAffected() == 0)
        throw fb::Error(QStringLiteral("Kayıt başka bir kullanıcı tarafından silinmiş; değişiklikler kaydedilemedi."));
}

void Dataset::reloadRow(Row& row, const QVariant& key)
{
    if (!key.isValid() || key.isNull())
        return;
    fb::Statement st(m_db, m_tr);
    st.prepare(QStringLiteral("SELECT * FROM %1\nWHERE %2 = ?").arg(m_table, m_keyField));
    st.setParam(0, key);
    st.execute();
    if (st.fetch() && st.columnCount() == m_dataFieldCount)
        row = readCurrent(st);
    st.closeCursor();
}

void Dataset::post()
{
    checkActive();
    if (!isEditing())
        return;
    if (beforePost)
        beforePost(*this);
    if (m_state == State::Insert)
        writeInsert();
    else
        writeModify();
    const int k = fieldIndex(m_keyField);
    Row row = m_buffer;
    calc(row);
    if (k >= 0)
        reloadRow(row, m_buffer[size_t(k)]);
    m_rows[size_t(m_cur)] = StoredRow(row);
    dropCache();
    m_buffer.clear();
    setState(State::Browse);
    emit rowChanged(m_cur);
    if (afterPost)
        afterPost(*this);
}

void Dataset::cancel()
{
    if (!isEditing())
        return;
    if (beforeCancel)
        beforeCancel(*this);
    const bool wasInsert = m_state == State::Insert;
    m_buffer.clear();
    setState(State::Browse);
    if (wasInsert) {
        const int removed = m_cur;
        m_rows.erase(m_rows.begin() + removed);
        dropCache();
        emit rowRemoved(removed);
        m_cur = m_rows.empty() ? -1 : std::min(std::max(m_savedCur, 0), int(m_rows.size()) - 1);
        m_eof = m_rows.empty();
    } else {
        emit rowChanged(m_cur);
    }
    if (afterCancel)
        afterCancel(*this);
    scrolled();
}

void Dataset::remove()
{
    checkActive();
    if (m_state == State::Insert) {
        cancel();
        return;
    }
    if (m_cur < 0)
        return;
    if (!isEditable())
        throw fb::Error(QStringLiteral("Salt okunur veri kümesinden kayıt silinemez."));
    if (m_state == State::Edit)
        cancel();
    if (beforeDelete)
        beforeDelete(*this);
    const int k = fieldIndex(m_keyField);
    fb::Statement st(m_db, m_tr);
    st.prepare(QStringLiteral("DELETE FROM %1\nWHERE %2 = ?").arg(m_table, m_keyField));
    st.setParam(0, m_rows[size_t(m_cur)].value(k));
    st.execute();
    const int removed = m_cur;
    m_rows.erase(m_rows.begin() + removed);
    dropCache();
    emit rowRemoved(removed);
    ensureRow(removed);
    m_cur = m_rows.empty() ? -1 : std::min(removed, int(m_rows.size()) - 1);
    m_eof = m_rows.empty();
    if (afterDelete)
        afterDelete(*this);
    scrolled();
}

void Dataset::refresh()
{
    checkBrowse();
    if (m_cur < 0 || !isEditable())
        return;
    const int k = fieldIndex(m_keyField);
    Row row = m_rows[size_t(m_cur)].values();
    reloadRow(row, k >= 0 ? row[size_t(k)] : QVariant());
    m_rows[size_t(m_cur)] = StoredRow(row);
    dropCache();
    emit rowChanged(m_cur);
    scrolled();
}
