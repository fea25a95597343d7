#include "fb/Services.h"
#include "fb/FbApi.h"

#include <cstring>

using namespace Firebird;

namespace fb {
namespace {

// Strings of the service parameter blocks travel as UTF-8 (announced at attach).
QByteArray spbText(const QString& s) { return s.toUtf8(); }

int readInt(const unsigned char* p, int len)
{
    return int(isc_vax_integer(reinterpret_cast<const char*>(p), short(len)));
}

// One attachment to the service manager, detached when it goes out of scope.
class ServiceHandle {
public:
    ServiceHandle(const QString& host, const QString& user, const QString& password)
    {
        Xpb spb(IXpbBuilder::SPB_ATTACH);
        spb.text(isc_spb_user_name, spbText(user));
        spb.text(isc_spb_password, spbText(password));
        spb.tag(isc_spb_utf8_filename);
        const QByteArray bytes = spb.bytes();
        const QByteArray name = (host.isEmpty() ? QString() : host + QLatin1Char(':')).toUtf8() + "service_mgr";
        try {
            FbCall call;
            Ref<IProvider> prov(master()->getDispatcher());
            m_svc.reset(prov->attachServiceManager(&call.status, name.constData(), unsigned(bytes.size()),
                                                   reinterpret_cast<const unsigned char*>(bytes.constData())));
        } catch (const FbException& e) {
            throw toError(e);
        }
    }

    ~ServiceHandle()
    {
        if (!m_svc)
            return;
        try {
            FbCall call;
            m_svc->detach(&call.status);
            m_svc.take();
        } catch (...) {
            // the reference is released by m_svc
        }
    }

    ServiceHandle(const ServiceHandle&) = delete;
    ServiceHandle& operator=(const ServiceHandle&) = delete;

    void start(const QByteArray& spb)
    {
        try {
            FbCall call;
            m_svc->start(&call.status, unsigned(spb.size()), reinterpret_cast<const unsigned char*>(spb.constData()));
        } catch (const FbException& e) {
            throw toError(e);
        }
    }

    // Asks for one item; the answer lands in m_buf. A failure of the running action arrives here.
    const unsigned char* query(unsigned char item)
    {
        const unsigned char items[] = {item};
        try {
            FbCall call;
            m_svc->query(&call.status, 0, nullptr, sizeof items, items, unsigned(sizeof m_buf), m_buf);
        } catch (const FbException& e) {
            throw toError(e);
        }
        return m_buf;
    }

    // Hands each output line to the callback until the service says it has no more.
    void readLines(const LineCallback& onLine)
    {
        for (;;) {
            const unsigned char* p = query(isc_info_svc_line);
            if (*p != isc_info_svc_line)
                throw Error(QStringLiteral("Sunucu hizmetinden beklenmeyen yanıt (%1).").arg(int(*p)));
            const int len = readInt(p + 1, 2);
            if (len <= 0)
                return;
            if (onLine)
                onLine(decodeClientText(reinterpret_cast<const char*>(p + 3), len));
        }
    }

    // Collects a binary answer the service gives in pieces (the user list).
    QByteArray readAll(unsigned char item)
    {
        QByteArray out;
        for (;;) {
            const unsigned char* p = query(item);
            if (*p != item)
                throw Error(QStringLiteral("Sunucu hizmetinden beklenmeyen yanıt (%1).").arg(int(*p)));
            const int len = readInt(p + 1, 2);
            if (len <= 0)
                return out;
            out.append(reinterpret_cast<const char*>(p + 3), len);
        }
    }

private:
    Ref<IService> m_svc;
    unsigned char m_buf[32 * 1024];
};

void putUser(Xpb& spb, const UserInfo& u, bool withEmpty)
{
    spb.text(isc_spb_sec_username, spbText(u.userName));
    const std::pair<unsigned char, const QString*> parts[] = {
        {isc_spb_sec_password, &u.password},
        {isc_spb_sec_firstname, &u.firstName},
        {isc_spb_sec_middlename, &u.middleName},
        {isc_spb_sec_lastname, &u.lastName},
    };
    for (const auto& [tag, value] : parts)
        if (withEmpty || !value->isEmpty())
            spb.text(tag, spbText(*value));
}

void requireName(const QString& name)
{
    if (name.trimmed().isEmpty())
        throw Error(QStringLiteral("Kullanıcı adı boş olamaz."));
}

} // namespace

Service::Service(const QString& host, const QString& user, const QString& password)
    : m_host(host), m_user(user), m_password(password)
{
}

void Service::backup(const QString& databaseFile, const QString& backupFile, const LineCallback& verboseLine)
{
    Xpb spb(IXpbBuilder::SPB_START);
    spb.tag(isc_action_svc_backup);
    spb.text(isc_spb_dbname, spbText(databaseFile));
    spb.text(isc_spb_bkp_file, spbText(backupFile));
    spb.tag(isc_spb_verbose);
    ServiceHandle svc(m_host, m_user, m_password);
    svc.start(spb.bytes());
    svc.readLines(verboseLine);
}

void Service::restore(const QString& backupFile, const QString& databaseFile, bool replace,
                      const LineCallback& verboseLine, int pageSize)
{
    Xpb spb(IXpbBuilder::SPB_START);
    spb.tag(isc_action_svc_restore);
    spb.text(isc_spb_bkp_file, spbText(backupFile));
    spb.text(isc_spb_dbname, spbText(databaseFile));
    spb.integer(isc_spb_options, isc_spb_res_create | (replace ? isc_spb_res_replace : 0));
    if (pageSize > 0)
        spb.integer(isc_spb_res_page_size, pageSize);
    spb.tag(isc_spb_verbose);
    ServiceHandle svc(m_host, m_user, m_password);
    svc.start(spb.bytes());
    svc.readLines(verboseLine);
}

void Service::addUser(const UserInfo& user)
{
    requireName(user.userName);
    Xpb spb(IXpbBuilder::SPB_START);
    spb.tag(isc_action_svc_add_user);
    putUser(spb, user, false);
    ServiceHandle svc(m_host, m_user, m_password);
    svc.start(spb.bytes());
    svc.readLines({});
}

void Service::modifyUser(const UserInfo& user)
{
    requireName(user.userName);
    Xpb spb(IXpbBuilder::SPB_START);
    spb.tag(isc_action_svc_modify_user);
    putUser(spb, user, false);
    ServiceHandle svc(m_host, m_user, m_password);
    svc.start(spb.bytes());
    svc.readLines({});
}

void Service::deleteUser(const QString& userName)
{
    requireName(userName);
    Xpb spb(IXpbBuilder::SPB_START);
    spb.tag(isc_action_svc_delete_user);
    spb.text(isc_spb_sec_username, spbText(userName));
    ServiceHandle svc(m_host, m_user, m_password);
    svc.start(spb.bytes());
    svc.readLines({});
}

QList<UserInfo> Service::users()
{
    Xpb spb(IXpbBuilder::SPB_START);
    spb.tag(isc_action_svc_display_user);
    ServiceHandle svc(m_host, m_user, m_password);
    svc.start(spb.bytes());
    const QByteArray data = svc.readAll(isc_info_svc_get_users);

    QList<UserInfo> out;
    const auto* p = reinterpret_cast<const unsigned char*>(data.constData());
    const auto* end = p + data.size();
    while (p < end) {
        const unsigned char tag = *p++;
        switch (tag) {
        case isc_spb_sec_username: case isc_spb_sec_firstname:
        case isc_spb_sec_middlename: case isc_spb_sec_lastname: case isc_spb_sec_groupname: {
            if (end - p < 2)
                throw Error(QStringLiteral("Kullanıcı listesi eksik geldi."));
            const int len = readInt(p, 2);
            p += 2;
            if (end - p < len)
                throw Error(QStringLiteral("Kullanıcı listesi eksik geldi."));
            const QString text = decodeClientText(reinterpret_cast<const char*>(p), len);
            p += len;
            if (tag == isc_spb_sec_username)
                out.append(UserInfo{text, {}, {}, {}, {}});
            else if (!out.isEmpty() && tag == isc_spb_sec_firstname)
                out.last().firstName = text;
            else if (!out.isEmpty() && tag == isc_spb_sec_middlename)
                out.last().middleName = text;
            else if (!out.isEmpty() && tag == isc_spb_sec_lastname)
                out.last().lastName = text;
            break;
        }
        case isc_spb_sec_userid: case isc_spb_sec_groupid: case isc_spb_sec_admin:
            p += 4;
            break;
        default:
            throw Error(QStringLiteral("Kullanıcı listesinde bilinmeyen alan (%1).").arg(int(tag)));
        }
    }
    return out;
}

bool Service::userExists(const QString& userName)
{
    const QList<UserInfo> all = users();
    for (const UserInfo& u : all)
        if (u.userName.compare(userName, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

} // namespace fb
