// Connection, transactions and the helpers the layer's sources share.
#include "fb/Firebird.h"
#include "fb/FbApi.h"
#include "fb/Win1254.h"

#include <QStringDecoder>

#include <algorithm>
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
    return Error(decodeClientText(buf, int(std::strlen(buf))), code);
}

QString decodeClientText(const char* data, int size)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(QByteArrayView(data, size));
    if (utf8.hasError())
        return fromWin1254(data, size);
    return text;
}

Xpb::Xpb(unsigned kind)
{
    try {
        m_b.reset(master()->getUtilInterface()->getXpbBuilder(&m_call.status, kind, nullptr, 0));
    } catch (const FbException& e) {
        throw toError(e);
    }
}

void Xpb::tag(unsigned char t)
{
    try {
        m_b->insertTag(&m_call.status, t);
    } catch (const FbException& e) {
        throw toError(e);
    }
}

void Xpb::text(unsigned char t, const QByteArray& value)
{
    try {
        m_b->insertBytes(&m_call.status, t, value.constData(), unsigned(value.size()));
    } catch (const FbException& e) {
        throw toError(e);
    }
}

void Xpb::integer(unsigned char t, int value)
{
    try {
        m_b->insertInt(&m_call.status, t, value);
    } catch (const FbException& e) {
        throw toError(e);
    }
}

QByteArray Xpb::bytes() const
{
    try {
        FbCall call;
        const unsigned len = m_b->getBufferLength(&call.status);
        return QByteArray(reinterpret_cast<const char*>(m_b->getBuffer(&call.status)), int(len));
    } catch (const FbException& e) {
        throw toError(e);
    }
}

QString clientLibraryVersion()
{
    // isc_get_client_version gives "LI-V6.3.11.33637 Firebird 3.0": an InterBase-compatible
    // major.minor, then release and build. The real major.minor comes from IUtil.
    char buf[256] = {};
    isc_get_client_version(buf);
    const QString text = QString::fromLatin1(buf);
    const int v = int(text.indexOf(QLatin1Char('V')));
    const unsigned ver = master()->getUtilInterface()->getClientVersion();
    QString version = QStringLiteral("%1.%2").arg(ver >> 8).arg(ver & 0xFF);
    if (ver == 0)
        return {};
    const QStringList parts = v < 0 ? QStringList() : text.mid(v + 1).section(QLatin1Char(' '), 0, 0).split(QLatin1Char('.'));
    for (int i = 2; i < parts.size(); ++i)
        version += QLatin1Char('.') + parts[i];
    return version;
}

// ---------------------------------------------------------------- Database

Database::Database() = default;

Database::~Database()
{
    forceClose();
    // Objects that outlive their connection must not reach back into it.
    for (Transaction* t : m_transactions)
        t->m_dbGone = true;
    for (DatabaseClient* c : m_clients)
        c->databaseDestroyed();
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
    Xpb dpb(IXpbBuilder::DPB);
    for (const QString& line : m_params) {
        const int eq = int(line.indexOf(QLatin1Char('=')));
        if (eq <= 0)
            continue;
        const QString key = line.left(eq).trimmed().toLower();
        const QByteArray value = toWin1254(line.mid(eq + 1));
        if (key == QLatin1String("user_name"))
            dpb.text(isc_dpb_user_name, value);
        else if (key == QLatin1String("password"))
            dpb.text(isc_dpb_password, value);
        else if (key == QLatin1String("lc_ctype"))
            dpb.text(isc_dpb_lc_ctype, value);
        else if (key == QLatin1String("sql_role_name"))
            dpb.text(isc_dpb_sql_role_name, value);
    }
    dpb.integer(isc_dpb_sql_dialect, 3);
    if (forCreate) {
        dpb.integer(isc_dpb_page_size, pageSize);
        dpb.text(isc_dpb_set_db_charset, "WIN1254");
    }
    return dpb.bytes();
}

void Database::open()
{
    if (m_att)
        return;
    const QByteArray dpb = buildDpb(false, 0);
    const QByteArray name = m_name.toLocal8Bit();
    try {
        FbCall call;
        Ref<IProvider> prov(master()->getDispatcher());
        m_att = prov->attachDatabase(&call.status, name.constData(), unsigned(dpb.size()),
                                     reinterpret_cast<const unsigned char*>(dpb.constData()));
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
        Ref<IProvider> prov(master()->getDispatcher());
        m_att = prov->createDatabase(&call.status, name.constData(), unsigned(dpb.size()),
                                     reinterpret_cast<const unsigned char*>(dpb.constData()));
    } catch (const FbException& e) {
        throw toError(e);
    }
}

void Database::releaseClients()
{
    // Copies: clients deregister themselves while they let go, and a client may free
    // others (a dataset its cursor), so each is checked to be still registered.
    const auto clients = m_clients;
    for (DatabaseClient* c : clients)
        if (std::find(m_clients.begin(), m_clients.end(), c) != m_clients.end())
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
    if (!m_dbGone)
        m_db.removeTransaction(this);
}

void Transaction::start()
{
    if (m_tr)
        return;
    if (m_dbGone || !m_db.connected())
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

// Runs one end-of-transaction call; a full end drops the handle.
void Transaction::finish(void (Firebird::ITransaction::*call)(Firebird::ThrowStatusWrapper*), bool ends)
{
    if (!m_tr)
        return;
    try {
        FbCall c;
        (m_tr->*call)(&c.status);
        if (ends)
            m_tr = nullptr;
    } catch (const FbException& e) {
        throw toError(e);
    }
}

void Transaction::commit() { finish(&ITransaction::commit, true); }
void Transaction::commitRetaining() { finish(&ITransaction::commitRetaining, false); }
void Transaction::rollback() { finish(&ITransaction::rollback, true); }
void Transaction::rollbackRetaining() { finish(&ITransaction::rollbackRetaining, false); }

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

} // namespace fb
