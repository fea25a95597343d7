#include "data/StoredRow.h"
#include "data/Dataset.h"

#include <QDate>
#include <QDateTime>
#include <QStringEncoder>
#include <QTime>

#include <cstring>

namespace {

enum Tag : char { Invalid, Int64, Int32, Double, False, True, Text, Bytes, Date, Time, DateTime, Blob, TextBlob };

template <typename T> void put(QByteArray& out, T v) { out.append(reinterpret_cast<const char*>(&v), sizeof v); }

template <typename T> T get(const char*& p)
{
    T v;
    std::memcpy(&v, p, sizeof v);
    p += sizeof v;
    return v;
}

// Lengths below 255 take one byte.
void putBytes(QByteArray& out, const QByteArray& data)
{
    if (data.size() < 255) {
        out.append(char(quint8(data.size())));
    } else {
        out.append(char(0xFF));
        put<quint32>(out, quint32(data.size()));
    }
    out.append(data);
}

// Texts go straight into the buffer as UTF-8, without a temporary per value.
void putText(QByteArray& out, QStringView text)
{
    static thread_local QStringEncoder utf8(QStringEncoder::Utf8, QStringEncoder::Flag::Stateless);
    const qsizetype max = utf8.requiredSpace(text.size());
    const qsizetype at = out.size();
    const qsizetype head = max < 255 ? 1 : 5;
    out.resize(at + head + max);
    char* begin = out.data() + at + head;
    const quint32 len = quint32(utf8.appendToBuffer(begin, text) - begin);
    if (head == 1) {
        out[at] = char(quint8(len));
    } else {
        out[at] = char(0xFF);
        std::memcpy(out.data() + at + 1, &len, sizeof len);
    }
    out.resize(at + head + qsizetype(len));
}

QByteArray getBytes(const char*& p)
{
    quint32 len = quint8(*p++);
    if (len == 0xFF)
        len = get<quint32>(p);
    const QByteArray data(p, qsizetype(len));
    p += len;
    return data;
}

void skipBytes(const char*& p)
{
    quint32 len = quint8(*p++);
    if (len == 0xFF)
        len = get<quint32>(p);
    p += len;
}

bool pack(const QVariant& v, QByteArray& out)
{
    if (!v.isValid()) {
        out.append(char(Invalid));
        return true;
    }
    switch (v.typeId()) {
    case QMetaType::LongLong: out.append(char(Int64)); put<qint64>(out, v.toLongLong()); return true;
    case QMetaType::Int: out.append(char(Int32)); put<qint32>(out, v.toInt()); return true;
    case QMetaType::Double: out.append(char(Double)); put<double>(out, v.toDouble()); return true;
    case QMetaType::Bool: out.append(char(v.toBool() ? True : False)); return true;
    case QMetaType::QString: out.append(char(Text)); putText(out, *static_cast<const QString*>(v.constData())); return true;
    case QMetaType::QByteArray: out.append(char(Bytes)); putBytes(out, v.toByteArray()); return true;
    case QMetaType::QDate: {
        const QDate d = v.toDate();
        if (!d.isValid())
            return false;
        out.append(char(Date));
        put<qint64>(out, d.toJulianDay());
        return true;
    }
    case QMetaType::QTime: {
        const QTime t = v.toTime();
        if (!t.isValid())
            return false;
        out.append(char(Time));
        put<qint32>(out, t.msecsSinceStartOfDay());
        return true;
    }
    case QMetaType::QDateTime: {
        const QDateTime dt = v.toDateTime();
        if (!dt.isValid() || dt.timeSpec() != Qt::LocalTime)
            return false;
        out.append(char(DateTime));
        put<qint64>(out, dt.date().toJulianDay());
        put<qint32>(out, dt.time().msecsSinceStartOfDay());
        return true;
    }
    default: break;
    }
    if (v.userType() == qMetaTypeId<BlobRef>()) {
        const BlobRef ref = v.value<BlobRef>();
        out.append(char(ref.text ? TextBlob : Blob));
        putBytes(out, ref.id);
        return true;
    }
    return false;
}

// Reads the value at p and moves p past it; with skip set only moves.
QVariant unpack(const char*& p, bool skip)
{
    const Tag tag = Tag(*p++);
    switch (tag) {
    case Invalid: return {};
    case Int64: return skip ? (p += 8, QVariant()) : QVariant(get<qint64>(p));
    case Int32: return skip ? (p += 4, QVariant()) : QVariant(get<qint32>(p));
    case Double: return skip ? (p += 8, QVariant()) : QVariant(get<double>(p));
    case False: return skip ? QVariant() : QVariant(false);
    case True: return skip ? QVariant() : QVariant(true);
    case Text:
        if (skip) {
            skipBytes(p);
            return {};
        }
        return QString::fromUtf8(getBytes(p));
    case Bytes:
        if (skip) {
            skipBytes(p);
            return {};
        }
        return getBytes(p);
    case Date: return skip ? (p += 8, QVariant()) : QVariant(QDate::fromJulianDay(get<qint64>(p)));
    case Time: return skip ? (p += 4, QVariant()) : QVariant(QTime::fromMSecsSinceStartOfDay(get<qint32>(p)));
    case DateTime: {
        if (skip) {
            p += 12;
            return {};
        }
        const QDate d = QDate::fromJulianDay(get<qint64>(p));
        return QDateTime(d, QTime::fromMSecsSinceStartOfDay(get<qint32>(p)));
    }
    case Blob:
    case TextBlob:
        if (skip) {
            skipBytes(p);
            return {};
        }
        return QVariant::fromValue(BlobRef{getBytes(p), tag == TextBlob});
    }
    return {};
}

} // namespace

StoredRow::StoredRow(const Values& values) : m_count(int(values.size()))
{
    // Packed in a buffer that is kept between rows, then copied once at its exact size.
    static thread_local QByteArray buffer;
    buffer.resize(0);
    for (const QVariant& v : values)
        if (!pack(v, buffer)) {
            m_plain = std::make_unique<Values>(values);
            return;
        }
    m_packed = QByteArray(buffer.constData(), buffer.size());
}

StoredRow::StoredRow(const StoredRow& other)
    : m_packed(other.m_packed), m_plain(other.m_plain ? std::make_unique<Values>(*other.m_plain) : nullptr), m_count(other.m_count)
{
}

StoredRow& StoredRow::operator=(const StoredRow& other)
{
    if (this != &other)
        *this = StoredRow(other);
    return *this;
}

QVariant StoredRow::value(int field) const
{
    if (field < 0 || field >= m_count)
        return {};
    if (m_plain)
        return (*m_plain)[size_t(field)];
    const char* p = m_packed.constData();
    for (int i = 0; i < field; ++i)
        unpack(p, true);
    return unpack(p, false);
}

StoredRow::Values StoredRow::values() const
{
    if (m_plain)
        return *m_plain;
    Values out;
    out.reserve(size_t(m_count));
    const char* p = m_packed.constData();
    for (int i = 0; i < m_count; ++i)
        out.push_back(unpack(p, false));
    return out;
}
