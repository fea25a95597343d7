#pragma once
// The server's service manager: backup, restore and the accounts of the security database.
#include "fb/FbError.h"

#include <QList>
#include <QString>

#include <functional>

namespace fb {

struct UserInfo {
    QString userName;
    QString password;   // never filled by users(); empty in modifyUser keeps the old one
    QString firstName;
    QString middleName;
    QString lastName;
};

using LineCallback = std::function<void(const QString&)>;

// Each operation attaches to the service manager with the given account, runs and detaches.
// host "" reaches the engine of this process (embedded), "127.0.0.1" the server on this
// machine; file names are those of the machine the service runs on.
class Service {
public:
    Service(const QString& host, const QString& user, const QString& password);

    const QString& host() const { return m_host; }

    // Each line of the verbose output goes to verboseLine as soon as the service hands it over.
    void backup(const QString& databaseFile, const QString& backupFile, const LineCallback& verboseLine);
    // pageSize 0 keeps the page size of the backed-up database.
    void restore(const QString& backupFile, const QString& databaseFile, bool replace,
                 const LineCallback& verboseLine, int pageSize = 0);

    void addUser(const UserInfo& user);
    void modifyUser(const UserInfo& user);  // empty name parts are left unchanged
    void deleteUser(const QString& userName);
    QList<UserInfo> users();
    bool userExists(const QString& userName);  // compared without regard to case

private:
    QString m_host;
    QString m_user;
    QString m_password;
};

} // namespace fb
