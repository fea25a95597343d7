#pragma once
// Where the database is and how the login reaches it: the connection settings of Ayar.Ini, the
// old ".GDB" files of the server workstation, the connection string per protocol, the version
// agreement of server and client, and the login steps themselves. No widgets here.
#include "shell/ProgramIdentity.h"

#include <QString>
#include <QStringList>

#include <optional>

class IniFile;
class TD_Genel;

// Connection keys of Ayar.Ini (section kAyarSection).
inline const QString kKeyServerClient = QStringLiteral("ServerClient");
inline const QString kKeyServerAdi = QStringLiteral("ServerAdi");
inline const QString kKeyDBYolu = QStringLiteral("DBYolu");
inline const QString kKeyIletisimPrt = QStringLiteral("IletisimPrt");
// Server mode opens the database through the Firebird server on this machine (so that client
// workstations can share it) instead of the embedded engine. The server runs as its own user
// (firebird on Linux), which must be able to write DataDir and read and write KUSAK.FDB; a file
// the embedded engine created belongs to the program's user and must be handed over first.
inline const QString kKeyYerelSunucu = QStringLiteral("YerelSunucu");
// Keys the login owns.
inline const QString kKeyUserName = QStringLiteral("USERNAME");
inline const QString kKeyPwdHat = QStringLiteral("PWDHAT");
inline const QString kKeyUserPwd = QStringLiteral("USERPWD");
inline const QString kKeyAPwd = QStringLiteral("APWD");

inline const QString kAdminUser = QStringLiteral("Yetkili");

struct ConnectionSettings {
    bool serverClient = true;  // true: this workstation holds the database
    QString serverAdi;
    QString dbYolu;
    QString iletisimPrt;
    bool yerelSunucu = false;

    static QString defaultServerAdi();
    static QString defaultDbYolu();
    // Missing keys give the defaults.
    static ConnectionSettings load(const IniFile& ini);
    // Into the store only; the caller writes the file.
    void store(IniFile& ini) const;
};

// ---------------------------------------------------------------- server workstation

enum class ResolveResult {
    Continue,    // the login may go on
    EndProgram,  // a database file could not be renamed; the program must end at once
};

// Gives every "*.GDB" file of DataDir the extension ".FDB". A file that cannot be renamed is
// listed in IniDir + "FDBMessage.Ini", which is then opened for the user. An old file whose new
// name is taken already (KUSAK.GDB beside KUSAK.FDB) is left as it is and listed the same way,
// but the program goes on with the existing .FDB: no data is in doubt then. Any other failure
// ends the program, since the login would otherwise create an empty KUSAK.FDB in place of it.
ResolveResult ResolveDatabaseFile();

// DataDir + DatabaseFileName; a file of that name in other letter case counts as it, as it
// does on Windows.
QString ServerDatabaseFile();
// The server workstation's connection string: the file itself (embedded engine) or
// "127.0.0.1:" + its absolute path (through the local server).
QString ServerDatabaseName(bool throughLocalServer);

// ---------------------------------------------------------------- client workstation

// "TCP/IP": server:folder/file, "NetBEUI": \\server\folder/file, "SPX": server@folder/file, the
// separator before the file being the one the folder uses (none added when the folder ends with
// one). nullopt for any other protocol: the database name stays as it was.
std::optional<QString> ComposeClientDatabaseName(const QString& server, const QString& folder,
                                                 const QString& protocol,
                                                 const QString& fileName = QStringLiteral("KUSAK.FDB"));

// ---------------------------------------------------------------- versions

// The refusal a client shows when its version differs from the server's; empty when they agree.
QString VersionMismatchMessage(const QString& serverVersion, const QString& programVersion = ProgramIdentity::Version);

// Server mode: writes the program version into AYAR.PROG_SURUM when it differs; true.
// Client mode: true when the versions agree, otherwise shows the refusal and returns false.
// Ayar_Ds must be open on the settings row.
bool SurumKontrol(TD_Genel& dm, bool serverMode, const QString& programVersion = ProgramIdentity::Version);

// ---------------------------------------------------------------- the login

struct LoginInput {
    QString user;       // the user field (ignored in server mode)
    QString password;
    bool remember = false;
};

enum class LoginResult {
    LoggedIn,    // the connection is open and the main window prepared
    Refused,     // a message was shown; the form stays open, no connection is left open
    EndProgram,  // the program must end at once
};

// Closes the data module's datasets, then the connection (the login's first step, "Vazgeç").
void CloseLoginConnection(TD_Genel& dm);
// As CloseLoginConnection, but never throws (a login that failed half-way).
void ForceCloseLoginConnection(TD_Genel& dm);

// The login's "Tamam": connects with the settings of Ayar.Ini, upgrades and checks the database,
// sets the login globals, saves the remembered values and prepares the main window.
// Connection errors propagate to the error handler (the connection is closed first).
LoginResult RunLogin(TD_Genel& dm, const LoginInput& input);
