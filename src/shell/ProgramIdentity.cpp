#include "shell/ProgramIdentity.h"

namespace ProgramIdentity {

QString displayVersion(const QString& version, const QString& letter)
{
    QString beta;
    if (version.size() == 11)
        beta = QStringLiteral(" (Beta-%1)").arg(version.right(2));
    return version.left(8) + letter + beta;
}

QString mainCaption() { return MakerName + QLatin1Char(' ') + ProductName + QLatin1Char(' ') + displayVersion(); }

} // namespace ProgramIdentity
