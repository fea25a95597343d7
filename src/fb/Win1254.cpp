#include "fb/Win1254.h"
#include "fb/FbError.h"

#include <array>

namespace fb {
namespace {

// 0x80..0x9F of Windows-1254; unassigned bytes keep their C1 code point so they round-trip.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x008E, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x009E, 0x0178};

char16_t decodeByte(unsigned char b)
{
    if (b < 0x80)
        return b;
    if (b < 0xA0)
        return kHigh[b - 0x80];
    switch (b) {
    case 0xD0: return 0x011E; // Ğ
    case 0xDD: return 0x0130; // İ
    case 0xDE: return 0x015E; // Ş
    case 0xF0: return 0x011F; // ğ
    case 0xFD: return 0x0131; // ı
    case 0xFE: return 0x015F; // ş
    default: return b;
    }
}

// Returns -1 when the character has no Windows-1254 byte.
int encodeChar(char16_t c)
{
    if (c < 0x80)
        return c;
    switch (c) {
    case 0x011E: return 0xD0;
    case 0x0130: return 0xDD;
    case 0x015E: return 0xDE;
    case 0x011F: return 0xF0;
    case 0x0131: return 0xFD;
    case 0x015F: return 0xFE;
    case 0xD0: case 0xDD: case 0xDE: case 0xF0: case 0xFD: case 0xFE:
        return -1; // these Latin-1 letters were replaced by the Turkish ones
    default: break;
    }
    if (c >= 0xA0 && c <= 0xFF)
        return c;
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] == c)
            return 0x80 + i;
    return -1;
}

} // namespace

QString fromWin1254(const char* data, int size)
{
    QString out(size, Qt::Uninitialized);
    QChar* d = out.data();
    for (int i = 0; i < size; ++i)
        d[i] = QChar(decodeByte(static_cast<unsigned char>(data[i])));
    return out;
}

QByteArray toWin1254(const QString& text)
{
    QByteArray out(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int b = encodeChar(text[i].unicode());
        if (b < 0) {
            const QString ch = text[i].isSurrogate() && i + 1 < text.size() ? text.mid(i, 2) : QString(text[i]);
            throw Error(QStringLiteral("\"%1\" karakteri (U+%2) Türkçe (Windows-1254) karakter kümesinde yok; "
                                       "bu metin veri tabanına yazılamaz.")
                            .arg(ch, QString::number(text[i].unicode(), 16).toUpper().rightJustified(4, QLatin1Char('0'))));
        }
        out[i] = char(b);
    }
    return out;
}

bool fitsWin1254(const QString& text)
{
    for (QChar c : text)
        if (encodeChar(c.unicode()) < 0)
            return false;
    return true;
}

} // namespace fb
