#include "data/Connection.h"

#include "data/DataModule.h"
#include "data/IniFile.h"
#include "data/LoginState.h"
#include "data/Schema.h"
#include "data/SettingsRecord.h"
#include "shell/AppPaths.h"
#include "shell/GeneralRoutines.h"
#include "shell/MainWindowLink.h"
#include "shell/Messages.h"
#include "shell/StartUp.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <optional>

namespace {

const QString kCrLf = QStringLiteral("\r\n");

void showBilgi(const QString& text)
{
    MessageRequest r;
    r.caption = QStringLiteral("Bilgi");
    r.text = text;
    r.icon = MsgIcon::Information;
    r.buttons = MbOk;
    DialogService::instance().message(nullptr, r);
}

QStringList connectionParams(const QString& user, const QString& password)
{
    return {QStringLiteral("user_name=") + user, QStringLiteral("password=") + password,
            QStringLiteral("lc_ctype=WIN1254")};
}

// The file of that name in dir, whatever the case of its letters (databases copied over from
// Windows keep theirs); empty when there is none.
QString findFileAnyCase(const QString& dir, const QString& name)
{
    if (QFileInfo::exists(dir + name))
        return dir + name;
    const QStringList entries = QDir(dir).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::System);
    for (const QString& entry : entries)
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return dir + entry;
    return {};
}

void writeList(const QString& path, const QStringList& lines)
{
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return;
    for (const QString& line : lines)
        f.write(line.toUtf8() + '\n');
    f.commit();
}

} // namespace

// ---------------------------------------------------------------- settings

QString ConnectionSettings::defaultServerAdi() { return QStringLiteral("192.168.1.1"); }

QString ConnectionSettings::defaultDbYolu()
{
#ifdef Q_OS_WIN
    return QStringLiteral("C:\\MERVATON\\TAVRION1\\DATA\\");
#else
    return QStringLiteral("/opt/MERVATON/TAVRION1/DATA/");
#endif
}

ConnectionSettings ConnectionSettings::load(const IniFile& ini)
{
    ConnectionSettings s;
    s.serverClient = ini.readBool(kAyarSection, kKeyServerClient, true);
    s.serverAdi = ini.readString(kAyarSection, kKeyServerAdi, defaultServerAdi());
    s.dbYolu = ini.readString(kAyarSection, kKeyDBYolu, defaultDbYolu());
    s.iletisimPrt = ini.readString(kAyarSection, kKeyIletisimPrt, QStringLiteral("TCP/IP"));
    s.yerelSunucu = ini.readBool(kAyarSection, kKeyYerelSunucu, false);
    return s;
}

void ConnectionSettings::store(IniFile& ini) const
{
    ini.writeBool(kAyarSection, kKeyServerClient, serverClient);
    ini.writeString(kAyarSection, kKeyServerAdi, serverAdi);
    ini.writeString(kAyarSection, kKeyDBYolu, dbYolu);
    ini.writeString(kAyarSection, kKeyIletisimPrt, iletisimPrt);
    ini.writeBool(kAyarSection, kKeyYerelSunucu, yerelSunucu);
}

// ---------------------------------------------------------------- server workstation

ResolveResult ResolveDatabaseFile()
{
    const QDir dataDir(DataDir());
    QStringList files;
    if (dataDir.exists()) {
        // Files copied over from Windows may carry the extension in any case.
        const QFileInfoList found = dataDir.entryInfoList({QStringLiteral("*.GDB")}, QDir::Files, QDir::Name);
        for (const QFileInfo& fi : found)
            files << fi.absoluteFilePath();
    }
    if (files.isEmpty())
        return ResolveResult::Continue;

    showBilgi(QStringLiteral("Veri Tabanı Dosyalarınızın uzantıları \".FDB\" olarak Değiştirilecektir !\r\n"
                             "Yedekleme Servisi v.b. programlar kullanıyorsanız dosya yollarını kontrol ediniz.."));

    bool onlyTaken = true;  // every failure was a name already taken by an existing .FDB
    for (qsizetype i = files.size() - 1; i >= 0; --i) {
        const QFileInfo fi(files[i]);
        const QString folder = fi.absolutePath() + QLatin1Char('/');
        const QString target = folder + fi.completeBaseName() + QStringLiteral(".FDB");
        if (!findFileAnyCase(folder, fi.completeBaseName() + QStringLiteral(".FDB")).isEmpty()) {
            // Never replace a database that is there already, nor put a second one beside it
            // that differs only in the case of its name.
            continue;
        }
        if (QFile::rename(fi.absoluteFilePath(), target))
            files.removeAt(i);
        else
            onlyTaken = false;
    }
    if (files.isEmpty())
        return ResolveResult::Continue;

    QStringList lines;
    for (const QString& f : files)
        lines << QDir::toNativeSeparators(f);
    const QString listFile = IniDir() + QStringLiteral("FDBMessage.Ini");
    writeList(listFile, lines);
    showBilgi(QStringLiteral("Dikkat : Bazı database dosyalarının uzantıları değiştirilemedi. Lütfen kontrol ediniz."));
    ShellOpen(listFile);
    return onlyTaken ? ResolveResult::Continue : ResolveResult::EndProgram;
}

QString ServerDatabaseFile()
{
    const QString found = findFileAnyCase(DataDir(), DatabaseFileName);
    return found.isEmpty() ? DataDir() + DatabaseFileName : found;
}

QString ServerDatabaseName(bool throughLocalServer)
{
    const QString file = ServerDatabaseFile();
    if (!throughLocalServer)
        return file;
    return QStringLiteral("127.0.0.1:") + QFileInfo(file).absoluteFilePath();
}

// ---------------------------------------------------------------- client workstation

std::optional<QString> ComposeClientDatabaseName(const QString& server, const QString& folder,
                                                 const QString& protocol, const QString& fileName)
{
    // The folder names a path on the server, whose separator it already uses.
    const qsizetype back = folder.lastIndexOf(QLatin1Char('\\'));
    const qsizetype slash = folder.lastIndexOf(QLatin1Char('/'));
    const QChar sep = slash > back ? QLatin1Char('/') : QLatin1Char('\\');
    QString path = folder;
    if (!path.endsWith(QLatin1Char('\\')) && !path.endsWith(QLatin1Char('/')))
        path += sep;
    path += fileName;

    if (protocol == QLatin1String("TCP/IP"))
        return server + QLatin1Char(':') + path;
    if (protocol == QLatin1String("NetBEUI"))
        return QStringLiteral("\\\\") + server + QLatin1Char('\\') + path;
    if (protocol == QLatin1String("SPX"))
        return server + QLatin1Char('@') + path;
    return std::nullopt;
}

// ---------------------------------------------------------------- versions

QString VersionMismatchMessage(const QString& serverVersion, const QString& programVersion)
{
    const int c = QString::compare(programVersion, serverVersion, Qt::CaseSensitive);
    if (c == 0)
        return {};
    const QString s = serverVersion.mid(1);
    const QString v = programVersion.mid(1);
    const QString& product = ProgramIdentity::ProductName;
    QString text = QStringLiteral("Problem :\r\n    Server-Client sürüm uyuşmazlığı;\r\n    Server Bilgisayarda kullanılan sürüm : ")
        + s + kCrLf + QStringLiteral("    Client Bilgisayarda kullanılan sürüm : ") + v + kCrLf + kCrLf
        + QStringLiteral("Çözüm : ") + kCrLf;
    if (c < 0)
        text += QStringLiteral("    Bilgisayarınıza ") + product + QLatin1Char(' ') + s + QStringLiteral(" sürümünü yükleyiniz...");
    else
        text += QStringLiteral("    Server Bilgisayara ") + product + QLatin1Char(' ') + v
            + QStringLiteral(" sürümünü yükleyiniz veya") + kCrLf + QStringLiteral("    Bilgisayarınıza ") + product
            + QLatin1Char(' ') + s + QStringLiteral(" sürümünü yükleyiniz...");
    return text;
}

bool SurumKontrol(TD_Genel& dm, bool serverMode, const QString& programVersion)
{
    Dataset& ayar = dm.Ayar_Ds;
    const QString serverVersion = ayar.value(QStringLiteral("PROG_SURUM")).toString();
    if (serverMode) {
        if (programVersion != serverVersion) {
            ayar.edit();
            ayar.setValue(QStringLiteral("PROG_SURUM"), programVersion);
            ayar.post();
        }
        return true;
    }
    const QString message = VersionMismatchMessage(serverVersion, programVersion);
    if (message.isEmpty())
        return true;
    ShowInfo(message);
    return false;
}

// ---------------------------------------------------------------- the login

namespace {
void closeModuleDatasets(TD_Genel& dm)
{
    // Each one lets go of its cursor itself before the connection goes.
    for (Dataset* ds : {&dm.Ayar_Ds, &dm.Kullanici_Ds, &dm.KullaniciAra_Ds, &dm.Kullanici_Q, &dm.Mesaj_Q})
        ds->close();
}
} // namespace

void CloseLoginConnection(TD_Genel& dm)
{
    if (dm.connected())
        closeModuleDatasets(dm);
    dm.closeConnection();
}

void ForceCloseLoginConnection(TD_Genel& dm)
{
    try {
        closeModuleDatasets(dm);
    } catch (...) {
        // The connection may be broken; it goes anyway.
    }
    dm.DB_KUSAK.forceClose();
}

LoginResult RunLogin(TD_Genel& dm, const LoginInput& input)
{
    LoginState& login = Login();
    IniFile& ini = FSAyar();
    const ConnectionSettings cs = ConnectionSettings::load(ini);
    // A password that cannot be stored fails here, before anything is connected.
    const QString scrambled = ScrambleText(input.password, true);

    CloseLoginConnection(dm);

    if (cs.serverClient) {
        if (ResolveDatabaseFile() == ResolveResult::EndProgram)
            return LoginResult::EndProgram;
        dm.DB_KUSAK.setDatabaseName(ServerDatabaseName(cs.yerelSunucu));
        dm.DB_KUSAK.setParams(connectionParams(QStringLiteral("SYSDBA"), input.password));
        login.currentUser = kAdminUser;
        login.currentPassword = input.password;
        login.serverMode = true;
        login.throughLocalServer = cs.yerelSunucu;
        // Named in the message when the local server cannot be reached.
        login.serverName = cs.yerelSunucu ? QStringLiteral("127.0.0.1") : QString();
    } else {
        if (const auto name = ComposeClientDatabaseName(cs.serverAdi, cs.dbYolu, cs.iletisimPrt, DatabaseFileName))
            dm.DB_KUSAK.setDatabaseName(*name);
        dm.DB_KUSAK.setParams(connectionParams(input.user, input.password));
        login.currentUser = input.user;
        login.currentPassword = input.password;
        login.serverMode = false;
        login.throughLocalServer = false;
        login.serverName = cs.serverAdi;
    }

    if (login.restoreMode && login.currentUser != kAdminUser) {
        ShowInfo(QStringLiteral("Geri Yükleme sadece Yetkili Durumunda yapılabilinir..."));
        return LoginResult::Refused;
    }

    std::optional<WaitCursor> busy(std::in_place);
    if (cs.serverClient && !QFileInfo::exists(ServerDatabaseFile())) {
        // A new installation: the empty database, built from the program's own script.
        QDir().mkpath(DataDir());
        createEmptyDatabase(dm.DB_KUSAK.databaseName(), dm.DB_KUSAK.params());
    }
    dm.DB_KUSAK.open();

    // A login that does not finish leaves no connection behind, so the caller never takes it
    // for a successful one.
    try {
        if (cs.serverClient)
            UpdateKontrol(dm.DB_KUSAK);

        dm.Ayar_Ds.open();
        AyarVarsayilan(dm);
        dm.Kullanici_Ds.open();
        busy.reset(); // messages from here on come with the normal cursor

        if (!SurumKontrol(dm, cs.serverClient)) {
            CloseLoginConnection(dm);
            return LoginResult::Refused;
        }

        MainWindowLink* main = MainWindow();
        const bool adminLogin = cs.serverClient || login.currentUser == kAdminUser;
        if (!adminLogin) {
            Dataset& users = dm.Kullanici_Ds;
            if (!users.locate(QStringLiteral("USERNAME"), login.currentUser)) {
                // A server account that is not a user of the program.
                CloseLoginConnection(dm);
                ShowInfo(QStringLiteral("Hatalı Kullanıcı Adı veya Parolası!."));
                return LoginResult::Refused;
            }
            const QString adi = users.value(QStringLiteral("ADI")).toString();
            const QString soyadi = users.value(QStringLiteral("SOYADI")).toString();
            login.currentUserFirstName = adi;
            login.currentUserSurname = soyadi;
            if (main) {
                main->setStatusLabel(QStringLiteral("Client - ") + adi + QLatin1Char(' ') + soyadi);
                main->setAdminItemsVisible(false);
            }
        } else {
            login.currentUserFirstName = kAdminUser;
            login.currentUserSurname.clear();
            if (main) {
                main->setStatusLabel(QStringLiteral("Server - Yetkili"));
                main->setAdminItemsVisible(true);
            }
        }

        ini.writeString(kAyarSection, kKeyUserName, login.currentUser);
        ini.writeBool(kAyarSection, kKeyPwdHat, input.remember);
        ini.writeString(kAyarSection, kKeyUserPwd, input.remember ? scrambled : QString());
        // The backup screens read the administrator password from here; a user whose first
        // name happens to be "Yetkili" must not replace it.
        if (adminLogin)
            ini.writeString(kAyarSection, kKeyAPwd, scrambled);
        if (!ini.save())
            qWarning("Ayar dosyası yazılamadı: %s", qPrintable(ini.path()));

        login.loginMayClose = true;
        if (main)
            main->selectFirstNavigationNode();
        login.speedBarIniFile = IniDir() + QStringLiteral("Speed_") + login.currentUser.toUpper() + QStringLiteral(".Ini");
        if (main)
            main->rebuildSpeedBar();
    } catch (...) {
        ForceCloseLoginConnection(dm);
        throw;
    }
    return LoginResult::LoggedIn;
}
