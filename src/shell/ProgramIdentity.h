#pragma once
#include <QString>

namespace ProgramIdentity {
inline const QString MakerName = QStringLiteral("MERVATON");
inline const QString ProductName = QStringLiteral("Tavrion");
inline const QString ApplicationTitle = QStringLiteral("MERVATON Tavrion");
inline const QString ProductCode = QStringLiteral("TVRN");
inline const QString Version = QStringLiteral("s1.02.08");
inline const QString ReleaseLetter = QStringLiteral("f");

// First 8 characters of the version, the release letter, then " (Beta-xx)" for an
// 11-character version (xx its last two characters).
QString displayVersion(const QString& version = Version, const QString& letter = ReleaseLetter);
// MERVATON Tavrion s1.02.08f
QString mainCaption();
} // namespace ProgramIdentity
