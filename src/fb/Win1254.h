#pragma once
#include <QByteArray>
#include <QString>

namespace fb {

// The connection character set is WIN1254; text crosses the boundary here.
QString fromWin1254(const char* data, int size);
inline QString fromWin1254(const QByteArray& bytes) { return fromWin1254(bytes.constData(), int(bytes.size())); }

// Throws fb::Error naming the first character that Windows-1254 cannot hold.
QByteArray toWin1254(const QString& text);

// True when every character of text can be written in Windows-1254.
bool fitsWin1254(const QString& text);

} // namespace fb
