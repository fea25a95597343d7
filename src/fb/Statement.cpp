// Prepared statements: parameters in, rows out, blobs both ways.
#include "fb/Firebird.h"
#include "fb/FbApi.h"
#include "fb/Win1254.h"

#include <QDateTime>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>

using namespace Firebird;

namespace fb {

// ---------------------------------------------------------------- Statement

Statement::Statement(Database& db, Transaction& tr) : m_db(db), m_tr(tr)
{
    m_db.addClient(this);
}

Statement::~Statement()
{
    free();
    if (!m_dbGone)
        m_db.removeClient(this);
}

void Statement::databaseClosing() { free(); }

void Statement::free()
{
    closeCursor();
    if (m_sendMeta && m_sendMeta != m_inMeta)
        m_sendMeta->release();
    m_sendMeta = nullptr;
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
    if (m_dbGone || !m_db.connected())
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

namespace {

constexpr unsigned kSegment = 65535;

ISC_QUAD writeBlob(Database& db, Transaction& tr, const QByteArray& data)
{
    ISC_QUAD id{};
    FbCall call;
    Ref<IBlob> blob(db.handle()->createBlob(&call.status, tr.handle(), &id, 0, nullptr));
    try {
        for (qsizetype pos = 0; pos < data.size(); pos += kSegment) {
            const unsigned len = unsigned(std::min<qsizetype>(kSegment, data.size() - pos));
            blob->putSegment(&call.status, len, data.constData() + pos);
        }
        blob->close(&call.status);
        blob.take(); // close released it
    } catch (...) {
        try {
            FbCall cancel;
            blob->cancel(&cancel.status);
            blob.take();
        } catch (...) {
        }
        throw;
    }
    return id;
}

[[noreturn]] void badValue(unsigned index, const QVariant& v, const char* typeName)
{
    throw Error(QStringLiteral("%1. parametrenin değeri (%2) %3 türüne çevrilemiyor.")
                    .arg(index + 1)
                    .arg(v.toString().left(40), QString::fromUtf8(typeName)));
}

[[noreturn]] void outOfRange()
{
    throw Error(QStringLiteral("arithmetic exception, numeric overflow, or string truncation\n"
                               "-numeric value is out of range"));
}

bool isIntegerVariant(const QVariant& v)
{
    switch (v.typeId()) {
    case QMetaType::Int: case QMetaType::UInt: case QMetaType::LongLong: case QMetaType::ULongLong:
    case QMetaType::Short: case QMetaType::UShort: case QMetaType::Long: case QMetaType::ULong:
    case QMetaType::Char: case QMetaType::SChar: case QMetaType::UChar: case QMetaType::Bool:
        return true;
    default:
        return false;
    }
}

// An exact number with the column's scale; text that is not a number is an error, never 0.
int64_t scaledInteger(unsigned index, const QVariant& v, int scale, int64_t lo, int64_t hi)
{
    if (scale == 0 && isIntegerVariant(v)) {
        if (v.typeId() == QMetaType::ULongLong && v.toULongLong() > uint64_t(INT64_MAX))
            outOfRange();
        const int64_t x = v.toLongLong();
        if (x < lo || x > hi)
            outOfRange();
        return x;
    }
    bool ok = false;
    if (scale == 0 && v.typeId() == QMetaType::QString) {
        const qlonglong x = v.toString().trimmed().toLongLong(&ok);
        if (ok) {
            if (x < lo || x > hi)
                outOfRange();
            return x;
        }
    }
    const double d = v.typeId() == QMetaType::QString ? v.toString().trimmed().toDouble(&ok) : v.toDouble(&ok);
    if (!ok || !std::isfinite(d))
        badValue(index, v, "sayı");
    double scaled = d;
    for (int s = 0; s < -scale; ++s)
        scaled *= 10;
    if (scaled < double(lo) - 0.5 || scaled > double(hi) + 0.5 || std::fabs(scaled) >= 9.2e18)
        outOfRange();
    return int64_t(std::llround(scaled));
}

double floatValue(unsigned index, const QVariant& v)
{
    bool ok = false;
    const double d = v.typeId() == QMetaType::QString ? v.toString().trimmed().toDouble(&ok) : v.toDouble(&ok);
    if (!ok)
        badValue(index, v, "sayı");
    return d;
}

QDate dateValue(unsigned index, const QVariant& v)
{
    const QDate d = v.toDate();
    if (!d.isValid() || d.year() < 1 || d.year() > 9999)
        badValue(index, v, "tarih");
    return d;
}

QTime timeValue(unsigned index, const QVariant& v)
{
    const QTime t = v.toTime();
    if (!t.isValid())
        badValue(index, v, "saat");
    return t;
}

ISC_TIME encodeTime(IUtil* util, const QTime& t)
{
    return util->encodeTime(unsigned(t.hour()), unsigned(t.minute()), unsigned(t.second()), unsigned(t.msec() * 10));
}

ISC_DATE encodeDate(IUtil* util, const QDate& d)
{
    return util->encodeDate(unsigned(d.year()), unsigned(d.month()), unsigned(d.day()));
}

bool isText(unsigned type) { return type == SQL_VARYING || type == SQL_TEXT; }

} // namespace

IMessageMetadata* Statement::bindParams()
{
    FbCall call;
    IUtil* util = master()->getUtilInterface();
    const unsigned n = m_inMeta->getCount(&call.status);

    // Text goes out at its own length, so a value longer than the described parameter reaches
    // the server, which judges it (a CONTAINING pattern may be longer than the column).
    std::vector<QByteArray> texts(n);
    Ref<IMetadataBuilder> builder;
    for (unsigned i = 0; i < n; ++i) {
        const QVariant& v = m_params[i];
        const unsigned type = m_inMeta->getType(&call.status, i) & ~1u;
        if (!isText(type) || !v.isValid() || v.isNull())
            continue;
        texts[i] = v.typeId() == QMetaType::QByteArray ? v.toByteArray() : toWin1254(v.toString());
        if (unsigned(texts[i].size()) > m_inMeta->getLength(&call.status, i)) {
            if (!builder)
                builder.reset(m_inMeta->getBuilder(&call.status));
            builder->setLength(&call.status, i, unsigned(texts[i].size()));
        }
    }
    if (m_sendMeta && m_sendMeta != m_inMeta)
        m_sendMeta->release();
    m_sendMeta = builder ? builder->getMetadata(&call.status) : m_inMeta;
    IMessageMetadata* meta = m_sendMeta;

    m_inBuf.fill(0, int(meta->getMessageLength(&call.status)));
    unsigned char* buf = reinterpret_cast<unsigned char*>(m_inBuf.data());
    for (unsigned i = 0; i < n; ++i) {
        const QVariant& v = m_params[i];
        const unsigned off = meta->getOffset(&call.status, i);
        short* nullInd = reinterpret_cast<short*>(buf + meta->getNullOffset(&call.status, i));
        const unsigned type = meta->getType(&call.status, i) & ~1u;
        const int scale = meta->getScale(&call.status, i);
        const unsigned len = meta->getLength(&call.status, i);
        if (!v.isValid() || v.isNull()) {
            *nullInd = -1;
            continue;
        }
        *nullInd = 0;
        unsigned char* p = buf + off;
        switch (type) {
        case SQL_VARYING: {
            const QByteArray& b = texts[i];
            const unsigned short l = static_cast<unsigned short>(b.size());
            std::memcpy(p, &l, 2);
            std::memcpy(p + 2, b.constData(), size_t(b.size()));
            break;
        }
        case SQL_TEXT:
            std::memset(p, ' ', len);
            std::memcpy(p, texts[i].constData(), size_t(texts[i].size()));
            break;
        case SQL_SHORT: { const short x = short(scaledInteger(i, v, scale, SHRT_MIN, SHRT_MAX)); std::memcpy(p, &x, 2); break; }
        case SQL_LONG: { const int32_t x = int32_t(scaledInteger(i, v, scale, INT32_MIN, INT32_MAX)); std::memcpy(p, &x, 4); break; }
        case SQL_INT64: { const int64_t x = scaledInteger(i, v, scale, INT64_MIN, INT64_MAX); std::memcpy(p, &x, 8); break; }
        case SQL_FLOAT: { const float x = float(floatValue(i, v)); std::memcpy(p, &x, 4); break; }
        case SQL_DOUBLE: case SQL_D_FLOAT: { const double x = floatValue(i, v); std::memcpy(p, &x, 8); break; }
        case SQL_BOOLEAN: *p = v.toBool() ? 1 : 0; break;
        case SQL_TYPE_DATE: {
            const ISC_DATE x = encodeDate(util, dateValue(i, v));
            std::memcpy(p, &x, sizeof x);
            break;
        }
        case SQL_TYPE_TIME: {
            const ISC_TIME x = encodeTime(util, timeValue(i, v));
            std::memcpy(p, &x, sizeof x);
            break;
        }
        case SQL_TIMESTAMP: {
            const QDateTime dt = v.toDateTime();
            if (!dt.isValid())
                badValue(i, v, "tarih ve saat");
            ISC_TIMESTAMP x;
            x.timestamp_date = encodeDate(util, dateValue(i, dt.date()));
            x.timestamp_time = encodeTime(util, dt.time());
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
    return meta;
}

void Statement::execute()
{
    if (!m_stmt)
        throw Error(QStringLiteral("Komut hazırlanmadı."));
    closeCursor();
    m_tr.ensureStarted();
    try {
        IMessageMetadata* inMeta = bindParams();
        FbCall call;
        const void* in = m_inBuf.isEmpty() ? nullptr : m_inBuf.constData();
        if (isSelect()) {
            m_rs = m_stmt->openCursor(&call.status, m_tr.handle(), inMeta, const_cast<void*>(in), m_outMeta, 0);
            m_eof = false;
        } else {
            m_stmt->execute(&call.status, m_tr.handle(), inMeta, const_cast<void*>(in), m_outMeta,
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
    if (i < 0 || i >= columnCount())
        throw Error(QStringLiteral("Alan sırası geçersiz: %1").arg(i));
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
    if (!tr.active())
        throw Error(QStringLiteral("Blob okunamadı: işlem (transaction) açık değil."));
    ISC_QUAD id;
    std::memcpy(&id, blobId.constData(), sizeof id);
    QByteArray out;
    try {
        FbCall call;
        Ref<IBlob> blob(tr.database().handle()->openBlob(&call.status, tr.handle(), &id, 0, nullptr));
        const unsigned char items[] = {isc_info_blob_total_length};
        unsigned char info[16] = {};
        blob->getInfo(&call.status, sizeof items, items, sizeof info, info);
        if (info[0] == isc_info_blob_total_length) {
            const int len = int(isc_vax_integer(reinterpret_cast<const char*>(info + 1), 2));
            const qint64 total = isc_vax_integer(reinterpret_cast<const char*>(info + 3), short(len));
            if (total > 0 && total < (qint64(1) << 31))
                out.reserve(qsizetype(total) + kSegment);
        }
        for (;;) {
            const qsizetype pos = out.size();
            out.resize(pos + kSegment);
            unsigned got = 0;
            const int rc = blob->getSegment(&call.status, kSegment, out.data() + pos, &got);
            out.resize(pos + qsizetype(got));
            if (rc != IStatus::RESULT_OK && rc != IStatus::RESULT_SEGMENT)
                break;
        }
        blob->close(&call.status);
        blob.take();
    } catch (const FbException& e) {
        throw toError(e);
    }
    return out;
}

} // namespace fb
