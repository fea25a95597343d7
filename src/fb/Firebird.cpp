#include "fb/Firebird.h"
#include "fb/FbApi.h"
#include "fb/Win1254.h"

#include <QDateTime>

#include <algorithm>
#include <cmath>
#include <cstring>

using namespace Firebird;

namespace fb {

// ---------------------------------------------------------------- shared helpers

IMaster* master()
{
    static IMaster* m = fb_get_master_interface();
    return m;
}

Error toError(const FbException& e)
{
    char buf[4096];
    master()->getUtilInterface()->formatStatus(buf, sizeof buf, e.getStatus());
    const intptr_t* errs = e.getStatus()->getErrors();
    long code = (errs && errs[0] == isc_arg_gds) ? long(errs[1]) : 0;
    return Error(QString::fromLocal8Bit(buf), code);
}

QString clientLibraryVersion()
{
    char buf[256] = {};
    isc_get_client_version(buf);
    // "LI-V3.0.11.33703 Firebird 3.0": the number after the platform prefix.
    const QString text = QString::fromLatin1(buf);
    const int v = int(text.indexOf(QLatin1Char('V')));
    if (v < 0)
        return {};
    return text.mid(v + 1).section(QLatin1Char(' '), 0, 0);
}

// ---------------------------------------------------------------- Database

Database::Database() = default;

Database::~Database()
{
    forceClose();
}

QString Database::param(const QString& key) const
{
    for (const QString& line : m_params) {
        const int eq = int(line.indexOf(QLatin1Char('=')));
        if (eq > 0 && line.left(eq).trimmed().compare(key, Qt::CaseInsensitive) == 0)
            return line.mid(eq + 1);
    }
    return {};
}

QByteArray Database::buildDpb(bool forCreate, int pageSize) const
{
    FbCall call;
    IXpbBuilder* dpb = master()->getUtilInterface()->getXpbBuilder(&call.status, IXpbBuilder::DPB, nullptr, 0);
    for (const QString& line : m_params) {
        const int eq = int(line.indexOf(QLatin1Char('=')));
        if (eq <= 0)
            continue;
        const QString key = line.left(eq).trimmed().toLower();
        const QByteArray value = toWin1254(line.mid(eq + 1));
        if (key == QLatin1String("user_name"))
            dpb->insertString(&call.status, isc_dpb_user_name, value.constData());
        else if (key == QLatin1String("password"))
            dpb->insertString(&call.status, isc_dpb_password, value.constData());
        else if (key == QLatin1String("lc_ctype"))
            dpb->insertString(&call.status, isc_dpb_lc_ctype, value.constData());
        else if (key == QLatin1String("sql_role_name"))
            dpb->insertString(&call.status, isc_dpb_sql_role_name, value.constData());
    }
    dpb->insertInt(&call.status, isc_dpb_sql_dialect, 3);
    if (forCreate) {
        dpb->insertInt(&call.status, isc_dpb_page_size, pageSize);
        dpb->insertString(&call.status, isc_dpb_set_db_charset, "WIN1254");
    }
    QByteArray out(reinterpret_cast<const char*>(dpb->getBuffer(&call.status)), int(dpb->getBufferLength(&call.status)));
    dpb->dispose();
    return out;
}

void Database::open()
{
    if (m_att)
        return;
    const QByteArray dpb = buildDpb(false, 0);
    const QByteArray name = m_name.toLocal8Bit();
    try {
        FbCall call;
        IProvider* prov = master()->getDispatcher();
        m_att = prov->attachDatabase(&call.status, name.constData(), unsigned(dpb.size()),
                                     reinterpret_cast<const unsigned char*>(dpb.constData()));
        prov->release();
    } catch (const FbException& e) {
        throw toError(e);
    }
    if (afterConnect)
        afterConnect(*this);
}

void Database::create(int pageSize)
{
    if (m_att)
        throw Error(QStringLiteral("Veri tabanı zaten açık."));
    const QByteArray dpb = buildDpb(true, pageSize);
    const QByteArray name = m_name.toLocal8Bit();
    try {
        FbCall call;
        IProvider* prov = master()->getDispatcher();
        m_att = prov->createDatabase(&call.status, name.constData(), unsigned(dpb.size()),
                                     reinterpret_cast<const unsigned char*>(dpb.constData()));
        prov->release();
    } catch (const FbException& e) {
        throw toError(e);
    }
}

void Database::releaseClients()
{
    // Copies: clients deregister themselves while they let go.
    const auto clients = m_clients;
    for (DatabaseClient* c : clients)
        c->databaseClosing();
    const auto transactions = m_transactions;
    for (Transaction* t : transactions)
        t->databaseClosing();
}

void Database::close()
{
    if (!m_att)
        return;
    releaseClients();
    try {
        FbCall call;
        m_att->detach(&call.status);
        m_att = nullptr;
    } catch (const FbException& e) {
        m_att->release();
        m_att = nullptr;
        throw toError(e);
    }
}

void Database::forceClose()
{
    if (!m_att)
        return;
    try {
        releaseClients();
    } catch (...) {
    }
    try {
        FbCall call;
        m_att->detach(&call.status);
    } catch (...) {
        m_att->release();
    }
    m_att = nullptr;
}

OdsVersion Database::odsVersion()
{
    if (!m_att)
        throw Error(QStringLiteral("Veri tabanı bağlantısı açık değil."));
    const unsigned char items[] = {isc_info_ods_version, isc_info_ods_minor_version, isc_info_end};
    unsigned char buf[64] = {};
    try {
        FbCall call;
        m_att->getInfo(&call.status, sizeof items, items, sizeof buf, buf);
    } catch (const FbException& e) {
        throw toError(e);
    }
    OdsVersion v;
    for (const unsigned char* p = buf; p < buf + sizeof buf && *p != isc_info_end;) {
        const unsigned char item = *p++;
        const short len = short(isc_vax_integer(reinterpret_cast<const char*>(p), 2));
        p += 2;
        const int value = int(isc_vax_integer(reinterpret_cast<const char*>(p), len));
        p += len;
        if (item == isc_info_ods_version)
            v.major = value;
        else if (item == isc_info_ods_minor_version)
            v.minor = value;
        else
            break;
    }
    return v;
}

void Database::executeImmediate(Transaction& tr, const QString& sql)
{
    if (!m_att)
        throw Error(QStringLiteral("Veri tabanı bağlantısı açık değil."));
    tr.ensureStarted();
    const QByteArray text = toWin1254(sql);
    try {
        FbCall call;
        m_att->execute(&call.status, tr.handle(), unsigned(text.size()), text.constData(), 3,
                       nullptr, nullptr, nullptr, nullptr);
    } catch (const FbException& e) {
        throw toError(e);
    }
}

void Database::addClient(DatabaseClient* c)
{
    if (std::find(m_clients.begin(), m_clients.end(), c) == m_clients.end())
        m_clients.push_back(c);
}

void Database::removeClient(DatabaseClient* c)
{
    m_clients.erase(std::remove(m_clients.begin(), m_clients.end(), c), m_clients.end());
}

void Database::addTransaction(Transaction* t) { m_transactions.push_back(t); }

void Database::removeTransaction(Transaction* t)
{
    m_transactions.erase(std::remove(m_transactions.begin(), m_transactions.end(), t), m_transactions.end());
    if (m_defaultTransaction == t)
        m_defaultTransaction = nullptr;
}

// ---------------------------------------------------------------- Transaction

Transaction::Transaction(Database& db, const QStringList& params) : m_db(db), m_params(params)
{
    m_db.addTransaction(this);
}

Transaction::~Transaction()
{
    if (m_tr) {
        try {
            FbCall call;
            m_tr->rollback(&call.status);
        } catch (...) {
            m_tr->release();
        }
        m_tr = nullptr;
    }
    m_db.removeTransaction(this);
}

void Transaction::start()
{
    if (m_tr)
        return;
    if (!m_db.connected())
        throw Error(QStringLiteral("Veri tabanı bağlantısı açık değil."));
    QByteArray tpb;
    tpb.append(char(isc_tpb_version3));
    bool readOnly = false;
    for (const QString& p : m_params) {
        const QString k = p.trimmed().toLower();
        if (k == QLatin1String("read_committed")) tpb.append(char(isc_tpb_read_committed));
        else if (k == QLatin1String("rec_version")) tpb.append(char(isc_tpb_rec_version));
        else if (k == QLatin1String("no_rec_version")) tpb.append(char(isc_tpb_no_rec_version));
        else if (k == QLatin1String("nowait")) tpb.append(char(isc_tpb_nowait));
        else if (k == QLatin1String("wait")) tpb.append(char(isc_tpb_wait));
        else if (k == QLatin1String("concurrency")) tpb.append(char(isc_tpb_concurrency));
        else if (k == QLatin1String("consistency")) tpb.append(char(isc_tpb_consistency));
        else if (k == QLatin1String("read")) { tpb.append(char(isc_tpb_read)); readOnly = true; }
        else if (k == QLatin1String("write")) tpb.append(char(isc_tpb_write));
    }
    if (!readOnly && !m_params.contains(QStringLiteral("write")))
        tpb.append(char(isc_tpb_write));
    try {
        FbCall call;
        m_tr = m_db.handle()->startTransaction(&call.status, unsigned(tpb.size()),
                                               reinterpret_cast<const unsigned char*>(tpb.constData()));
    } catch (const FbException& e) {
        throw toError(e);
    }
}

void Transaction::commit()
{
    if (!m_tr)
        return;
    try {
        FbCall call;
        m_tr->commit(&call.status);
        m_tr = nullptr;
    } catch (const FbException& e) {
        throw toError(e);
    }
}

void Transaction::commitRetaining()
{
    if (!m_tr)
        return;
    try {
        FbCall call;
        m_tr->commitRetaining(&call.status);
    } catch (const FbException& e) {
        throw toError(e);
    }
}

void Transaction::rollback()
{
    if (!m_tr)
        return;
    try {
        FbCall call;
        m_tr->rollback(&call.status);
        m_tr = nullptr;
    } catch (const FbException& e) {
        throw toError(e);
    }
}

void Transaction::rollbackRetaining()
{
    if (!m_tr)
        return;
    try {
        FbCall call;
        m_tr->rollbackRetaining(&call.status);
    } catch (const FbException& e) {
        throw toError(e);
    }
}

void Transaction::databaseClosing()
{
    if (!m_tr)
        return;
    // Every post is committed at once, so what is open here holds only reads.
    try {
        FbCall call;
        m_tr->commit(&call.status);
    } catch (...) {
        try {
            FbCall call;
            m_tr->rollback(&call.status);
        } catch (...) {
            m_tr->release();
        }
    }
    m_tr = nullptr;
}

// ---------------------------------------------------------------- Statement

Statement::Statement(Database& db, Transaction& tr) : m_db(db), m_tr(tr)
{
    m_db.addClient(this);
}

Statement::~Statement()
{
    free();
    m_db.removeClient(this);
}

void Statement::databaseClosing() { free(); }

void Statement::free()
{
    closeCursor();
    if (m_inMeta) { m_inMeta->release(); m_inMeta = nullptr; }
    if (m_outMeta) { m_outMeta->release(); m_outMeta = nullptr; }
    if (m_stmt) {
        try {
            FbCall call;
            m_stmt->free(&call.status);
        } catch (...) {
            m_stmt->release();
        }
        m_stmt = nullptr;
    }
    m_columns.clear();
    m_params.clear();
}

static SqlType mapType(unsigned type, int scale)
{
    switch (type & ~1u) {
    case SQL_VARYING: case SQL_TEXT: return SqlType::Text;
    case SQL_SHORT: case SQL_LONG: case SQL_INT64: return scale == 0 ? SqlType::Integer : SqlType::Float;
    case SQL_FLOAT: case SQL_DOUBLE: case SQL_D_FLOAT: return SqlType::Float;
    case SQL_TYPE_DATE: return SqlType::Date;
    case SQL_TYPE_TIME: return SqlType::Time;
    case SQL_TIMESTAMP: return SqlType::Timestamp;
    case SQL_BLOB: return SqlType::Blob;
    case SQL_BOOLEAN: return SqlType::Boolean;
    default: return SqlType::Unknown;
    }
}

void Statement::prepare(const QString& sql)
{
    free();
    if (!m_db.connected())
        throw Error(QStringLiteral("Veri tabanı bağlantısı açık değil."));
    m_tr.ensureStarted();
    m_sql = sql;
    const QByteArray text = toWin1254(sql);
    try {
        FbCall call;
        m_stmt = m_db.handle()->prepare(&call.status, m_tr.handle(), unsigned(text.size()), text.constData(), 3,
                                        IStatement::PREPARE_PREFETCH_METADATA);
        m_inMeta = m_stmt->getInputMetadata(&call.status);
        m_outMeta = m_stmt->getOutputMetadata(&call.status);
        const unsigned n = m_outMeta->getCount(&call.status);
        m_columns.resize(n);
        m_outOffsets.resize(n);
        m_outNullOffsets.resize(n);
        for (unsigned i = 0; i < n; ++i) {
            Column& c = m_columns[i];
            c.name = fromWin1254(QByteArray(m_outMeta->getAlias(&call.status, i))).trimmed();
            c.field = fromWin1254(QByteArray(m_outMeta->getField(&call.status, i))).trimmed();
            c.relation = fromWin1254(QByteArray(m_outMeta->getRelation(&call.status, i))).trimmed();
            c.firebirdType = int(m_outMeta->getType(&call.status, i));
            c.subType = m_outMeta->getSubType(&call.status, i);
            c.length = int(m_outMeta->getLength(&call.status, i));
            c.scale = m_outMeta->getScale(&call.status, i);
            c.nullable = m_outMeta->isNullable(&call.status, i);
            c.charSet = int(m_outMeta->getCharSet(&call.status, i));
            c.type = mapType(unsigned(c.firebirdType), c.scale);
            m_outOffsets[i] = m_outMeta->getOffset(&call.status, i);
            m_outNullOffsets[i] = m_outMeta->getNullOffset(&call.status, i);
        }
        m_outBuf.fill(0, int(m_outMeta->getMessageLength(&call.status)));
        const unsigned pn = m_inMeta->getCount(&call.status);
        m_params.assign(pn, QVariant());
    } catch (const FbException& e) {
        free();
        throw toError(e);
    }
}

bool Statement::isSelect() const
{
    if (!m_stmt)
        return false;
    FbCall call;
    const unsigned t = m_stmt->getType(&call.status);
    return t == isc_info_sql_stmt_select || t == isc_info_sql_stmt_select_for_upd;
}

int Statement::paramCount() const { return int(m_params.size()); }

void Statement::setParam(int index, const QVariant& value)
{
    if (index < 0 || index >= paramCount())
        throw Error(QStringLiteral("Parametre sırası geçersiz: %1").arg(index));
    m_params[size_t(index)] = value;
}

void Statement::clearParams() { std::fill(m_params.begin(), m_params.end(), QVariant()); }

static ISC_QUAD writeBlob(Database& db, Transaction& tr, const QByteArray& data)
{
    ISC_QUAD id{};
    FbCall call;
    IBlob* blob = db.handle()->createBlob(&call.status, tr.handle(), &id, 0, nullptr);
    try {
        const int chunk = 32 * 1024;
        for (int pos = 0; pos < data.size(); pos += chunk) {
            const int len = std::min(chunk, int(data.size()) - pos);
            blob->putSegment(&call.status, unsigned(len), data.constData() + pos);
        }
        blob->close(&call.status);
    } catch (...) {
        try { blob->cancel(&call.status); } catch (...) { blob->release(); }
        throw;
    }
    return id;
}

void Statement::bindParams()
{
    FbCall call;
    IUtil* util = master()->getUtilInterface();
    const unsigned n = m_inMeta->getCount(&call.status);
    m_inBuf.fill(0, int(m_inMeta->getMessageLength(&call.status)));
    unsigned char* buf = reinterpret_cast<unsigned char*>(m_inBuf.data());
    for (unsigned i = 0; i < n; ++i) {
        const QVariant& v = m_params[i];
        const unsigned off = m_inMeta->getOffset(&call.status, i);
        short* nullInd = reinterpret_cast<short*>(buf + m_inMeta->getNullOffset(&call.status, i));
        const unsigned type = m_inMeta->getType(&call.status, i) & ~1u;
        const int scale = m_inMeta->getScale(&call.status, i);
        const unsigned len = m_inMeta->getLength(&call.status, i);
        if (!v.isValid() || v.isNull()) {
            *nullInd = -1;
            continue;
        }
        *nullInd = 0;
        unsigned char* p = buf + off;
        double scaled = 1;
        for (int s = 0; s < -scale; ++s)
            scaled *= 10;
        switch (type) {
        case SQL_VARYING: case SQL_TEXT: {
            const QByteArray b = v.typeId() == QMetaType::QByteArray ? v.toByteArray() : toWin1254(v.toString());
            if (unsigned(b.size()) > len)
                throw Error(QStringLiteral("arithmetic exception, numeric overflow, or string truncation\n"
                                           "-string right truncation"));
            if (type == SQL_VARYING) {
                const unsigned short l = static_cast<unsigned short>(b.size());
                std::memcpy(p, &l, 2);
                std::memcpy(p + 2, b.constData(), size_t(b.size()));
            } else {
                std::memset(p, ' ', len);
                std::memcpy(p, b.constData(), size_t(b.size()));
            }
            break;
        }
        case SQL_SHORT: { const short x = short(std::llround(v.toDouble() * scaled)); std::memcpy(p, &x, 2); break; }
        case SQL_LONG: { const int32_t x = int32_t(std::llround(v.toDouble() * scaled)); std::memcpy(p, &x, 4); break; }
        case SQL_INT64: {
            const int64_t x = scale == 0 && v.canConvert<qlonglong>() && v.typeId() != QMetaType::Double
                                  ? v.toLongLong() : int64_t(std::llround(v.toDouble() * scaled));
            std::memcpy(p, &x, 8);
            break;
        }
        case SQL_FLOAT: { const float x = v.toFloat(); std::memcpy(p, &x, 4); break; }
        case SQL_DOUBLE: case SQL_D_FLOAT: { const double x = v.toDouble(); std::memcpy(p, &x, 8); break; }
        case SQL_BOOLEAN: { const unsigned char x = v.toBool() ? 1 : 0; *p = x; break; }
        case SQL_TYPE_DATE: {
            const QDate d = v.toDate();
            const ISC_DATE x = util->encodeDate(unsigned(d.year()), unsigned(d.month()), unsigned(d.day()));
            std::memcpy(p, &x, sizeof x);
            break;
        }
        case SQL_TYPE_TIME: {
            const QTime t = v.toTime();
            const ISC_TIME x = util->encodeTime(unsigned(t.hour()), unsigned(t.minute()), unsigned(t.second()), unsigned(t.msec() * 10));
            std::memcpy(p, &x, sizeof x);
            break;
        }
        case SQL_TIMESTAMP: {
            const QDateTime dt = v.toDateTime();
            ISC_TIMESTAMP x;
            x.timestamp_date = util->encodeDate(unsigned(dt.date().year()), unsigned(dt.date().month()), unsigned(dt.date().day()));
            x.timestamp_time = util->encodeTime(unsigned(dt.time().hour()), unsigned(dt.time().minute()),
                                                unsigned(dt.time().second()), unsigned(dt.time().msec() * 10));
            std::memcpy(p, &x, sizeof x);
            break;
        }
        case SQL_BLOB: {
            const QByteArray data = v.typeId() == QMetaType::QString ? toWin1254(v.toString()) : v.toByteArray();
            const ISC_QUAD id = writeBlob(m_db, m_tr, data);
            std::memcpy(p, &id, sizeof id);
            break;
        }
        case SQL_NULL:
            break;
        default:
            throw Error(QStringLiteral("Desteklenmeyen parametre türü: %1").arg(type));
        }
    }
}

void Statement::execute()
{
    if (!m_stmt)
        throw Error(QStringLiteral("Komut hazırlanmadı."));
    closeCursor();
    m_tr.ensureStarted();
    try {
        bindParams();
        FbCall call;
        const void* in = m_inBuf.isEmpty() ? nullptr : m_inBuf.constData();
        if (isSelect()) {
            m_rs = m_stmt->openCursor(&call.status, m_tr.handle(), m_inMeta, const_cast<void*>(in), m_outMeta, 0);
            m_eof = false;
        } else {
            m_stmt->execute(&call.status, m_tr.handle(), m_inMeta, const_cast<void*>(in), m_outMeta,
                            m_outBuf.isEmpty() ? nullptr : m_outBuf.data());
            // A singleton result (EXECUTE PROCEDURE, RETURNING) reads as one row.
            m_eof = m_columns.empty();
        }
    } catch (const FbException& e) {
        throw toError(e);
    }
}

bool Statement::fetch()
{
    if (!m_rs) {
        // A non-select with outputs has its one row already in the buffer.
        if (!m_eof && !m_columns.empty()) {
            m_eof = true;
            return true;
        }
        return false;
    }
    try {
        FbCall call;
        if (m_rs->fetchNext(&call.status, m_outBuf.data()) == IStatus::RESULT_OK)
            return true;
        m_eof = true;
        closeCursor();
        return false;
    } catch (const FbException& e) {
        closeCursor();
        throw toError(e);
    }
}

void Statement::closeCursor()
{
    if (!m_rs)
        return;
    try {
        FbCall call;
        m_rs->close(&call.status);
    } catch (...) {
        m_rs->release();
    }
    m_rs = nullptr;
}

int Statement::rowsAffected()
{
    if (!m_stmt)
        return 0;
    try {
        FbCall call;
        return int(m_stmt->getAffectedRecords(&call.status));
    } catch (const FbException& e) {
        throw toError(e);
    }
}

int Statement::columnIndex(const QString& name) const
{
    for (size_t i = 0; i < m_columns.size(); ++i)
        if (m_columns[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

bool Statement::isNull(int i) const
{
    short ind;
    std::memcpy(&ind, m_outBuf.constData() + m_outNullOffsets[size_t(i)], 2);
    return ind != 0;
}

QByteArray Statement::blobId(int i) const
{
    if (isNull(i) || m_columns[size_t(i)].type != SqlType::Blob)
        return {};
    return QByteArray(m_outBuf.constData() + m_outOffsets[size_t(i)], int(sizeof(ISC_QUAD)));
}

QVariant Statement::value(int i) const
{
    if (i < 0 || i >= columnCount())
        throw Error(QStringLiteral("Alan sırası geçersiz: %1").arg(i));
    if (isNull(i))
        return QVariant();
    const Column& c = m_columns[size_t(i)];
    const char* p = m_outBuf.constData() + m_outOffsets[size_t(i)];
    IUtil* util = master()->getUtilInterface();
    auto scaleDown = [&](int64_t raw) -> QVariant {
        if (c.scale == 0)
            return QVariant(qint64(raw));
        double d = double(raw);
        for (int s = 0; s < -c.scale; ++s)
            d /= 10;
        return QVariant(d);
    };
    switch (unsigned(c.firebirdType) & ~1u) {
    case SQL_VARYING: {
        unsigned short len;
        std::memcpy(&len, p, 2);
        if (c.charSet == 1) // OCTETS
            return QByteArray(p + 2, len);
        return fromWin1254(p + 2, len);
    }
    case SQL_TEXT:
        if (c.charSet == 1)
            return QByteArray(p, c.length);
        return fromWin1254(p, c.length);
    case SQL_SHORT: { short x; std::memcpy(&x, p, 2); return scaleDown(x); }
    case SQL_LONG: { int32_t x; std::memcpy(&x, p, 4); return scaleDown(x); }
    case SQL_INT64: { int64_t x; std::memcpy(&x, p, 8); return scaleDown(x); }
    case SQL_FLOAT: { float x; std::memcpy(&x, p, 4); return double(x); }
    case SQL_DOUBLE: case SQL_D_FLOAT: { double x; std::memcpy(&x, p, 8); return x; }
    case SQL_BOOLEAN: return *p != 0;
    case SQL_TYPE_DATE: {
        ISC_DATE x; std::memcpy(&x, p, sizeof x);
        unsigned y, m, d; util->decodeDate(x, &y, &m, &d);
        return QDate(int(y), int(m), int(d));
    }
    case SQL_TYPE_TIME: {
        ISC_TIME x; std::memcpy(&x, p, sizeof x);
        unsigned h, m, s, f; util->decodeTime(x, &h, &m, &s, &f);
        return QTime(int(h), int(m), int(s), int(f / 10));
    }
    case SQL_TIMESTAMP: {
        ISC_TIMESTAMP x; std::memcpy(&x, p, sizeof x);
        unsigned y, mo, d, h, mi, s, f;
        util->decodeDate(x.timestamp_date, &y, &mo, &d);
        util->decodeTime(x.timestamp_time, &h, &mi, &s, &f);
        return QDateTime(QDate(int(y), int(mo), int(d)), QTime(int(h), int(mi), int(s), int(f / 10)));
    }
    case SQL_BLOB: {
        const QByteArray data = readBlob(m_tr, blobId(i));
        if (c.subType == 1 && c.charSet != 1)
            return fromWin1254(data);
        return data;
    }
    default:
        return QVariant();
    }
}

QVariant Statement::value(const QString& name) const
{
    const int i = columnIndex(name);
    if (i < 0)
        throw Error(QStringLiteral("Alan bulunamadı: %1").arg(name));
    return value(i);
}

QByteArray readBlob(Transaction& tr, const QByteArray& blobId)
{
    if (blobId.size() != int(sizeof(ISC_QUAD)))
        return {};
    ISC_QUAD id;
    std::memcpy(&id, blobId.constData(), sizeof id);
    QByteArray out;
    try {
        FbCall call;
        IBlob* blob = tr.database().handle()->openBlob(&call.status, tr.handle(), &id, 0, nullptr);
        char seg[32 * 1024];
        for (;;) {
            unsigned got = 0;
            const int rc = blob->getSegment(&call.status, sizeof seg, seg, &got);
            if (rc == IStatus::RESULT_OK || rc == IStatus::RESULT_SEGMENT)
                out.append(seg, int(got));
            else
                break;
        }
        blob->close(&call.status);
    } catch (const FbException& e) {
        throw toError(e);
    }
    return out;
}

} // namespace fb
