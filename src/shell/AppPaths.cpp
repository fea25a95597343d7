#include "shell/AppPaths.h"

#include <QCoreApplication>
#include <QDir>

namespace {
QString withSeparator(QString path)
{
    path = QDir::fromNativeSeparators(path);
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return path;
}
} // namespace

QString ProgramDir()
{
    const QString home = qEnvironmentVariable("TAVRION_HOME");
    if (!home.isEmpty())
        return withSeparator(QDir(home).absolutePath());
    return withSeparator(QCoreApplication::applicationDirPath());
}

QString DataDir() { return ProgramDir() + QStringLiteral("Data/"); }

QString IniDir()
{
    const QString dir = DataDir() + QStringLiteral("Ini/");
    QDir().mkpath(dir);
    return dir;
}
