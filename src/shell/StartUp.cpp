#include "shell/StartUp.h"

#include "fb/Firebird.h"
#include "shell/AppPaths.h"
#include "shell/DialogService.h"
#include "shell/Messages.h"
#include "shell/ProgramIdentity.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

QUrl shellUrl(const QString& file)
{
    // "C:/x" would parse as scheme "c"; only schemes of two or more letters are URLs.
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    if (scheme.match(file).hasMatch())
        return QUrl(file);
    return QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath());
}

bool ShellOpen(const QString& file, const QString& parameters)
{
    if (file.isEmpty())
        return false;
    const QUrl url = shellUrl(file);
    if (url.isLocalFile()) {
        const QFileInfo info(url.toLocalFile());
        if (!info.exists())
            return false;
        if (!parameters.trimmed().isEmpty() && info.isFile() && info.isExecutable())
            return QProcess::startDetached(info.absoluteFilePath(), QProcess::splitCommand(parameters));
    }
    return QDesktopServices::openUrl(url);
}

QString GetProductVersion() { return fb::clientLibraryVersion(); }

bool clientVersionAccepted(const QString& version)
{
    if (version.contains(QLatin1String("2.1.3")) || version.contains(QLatin1String("2.5.")))
        return true;
    static const QRegularExpression major(QStringLiteral("^\\s*(\\d+)(\\.|$)"));
    const auto m = major.match(version);
    bool ok = false;
    const int v = m.hasMatch() ? m.captured(1).toInt(&ok) : 0;
    return ok && v >= 3;
}

QString clientVersionMessage(const QString& version)
{
    return QStringLiteral("Uyumsuz firebird sürümü : \r\nKullanılan Sürüm : ") + version + QStringLiteral("\r\n")
           + QStringLiteral("Gerekli Sürüm : 2.1.3.xxxx");
}

bool CheckClientLibrary(const QString& version)
{
    if (clientVersionAccepted(version))
        return true;
    MessageRequest r;
    r.caption = QStringLiteral("Bilgi");
    r.text = clientVersionMessage(version);
    r.icon = MsgIcon::None;
    r.buttons = MbOk;
    DialogService::instance().message(nullptr, r);
    ShellOpen(ProgramDir() + QStringLiteral("FIREBIRD2_1KURULUM.TXT"), QString());
    return false;
}

bool CheckClientLibrary() { return CheckClientLibrary(GetProductVersion()); }

// ---------------------------------------------------------------- SingleInstance

SingleInstance::SingleInstance(const QString& name, const QString& folder)
{
    QString dir = folder;
    if (dir.isEmpty())
        dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    QDir().mkpath(dir);
    m_path = QDir(dir).filePath((name.isEmpty() ? ProgramIdentity::ProductName : name) + QStringLiteral(".lock"));
    m_lock = std::make_unique<QLockFile>(m_path);
    // The lock lives as long as the program; only a dead owner makes it stale, never its age.
    m_lock->setStaleLockTime(0);
}

SingleInstance::~SingleInstance() = default; // QLockFile removes its file

bool SingleInstance::tryAcquire()
{
    if (m_owned)
        return true;
    // tryLock removes a lock whose process no longer runs and takes it.
    if (m_lock->tryLock(0)) {
        m_owned = true;
        return true;
    }
    // A folder we cannot write to must not keep the program from starting.
    return m_lock->error() != QLockFile::LockFailedError;
}

bool EnsureSingleInstance(SingleInstance& instance)
{
    if (instance.tryAcquire())
        return true;
    ShowInfo(QStringLiteral("MERVATON Tavrion şu an sistemde çalışmaktadır!.."));
    return false;
}
