#pragma once
// Delphi colours as the layout files hold them: a 32-bit value with red in the lowest byte,
// system colours as 0xFF000000 + the system colour index, and the text form "clRed",
// "clWindow" or "$00FF0000".
#include <QColor>
#include <QPalette>
#include <QString>

#include <cstdint>

using TColor = std::int32_t;

namespace tcolor {
constexpr TColor fromRgb(int r, int g, int b) { return TColor(r | (g << 8) | (b << 16)); }
constexpr TColor system(int index) { return TColor(std::uint32_t(0xFF000000u) | std::uint32_t(index)); }

constexpr TColor clBlack = 0x000000, clMaroon = 0x000080, clGreen = 0x008000, clOlive = 0x008080;
constexpr TColor clNavy = 0x800000, clPurple = 0x800080, clTeal = 0x808000, clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0, clRed = 0x0000FF, clLime = 0x00FF00, clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000, clFuchsia = 0xFF00FF, clAqua = 0xFFFF00, clWhite = 0xFFFFFF;
constexpr TColor clMoneyGreen = 0xC0DCC0, clSkyBlue = 0xF0CAA6, clCream = 0xF0FBFF, clMedGray = 0xA4A0A0;
constexpr TColor clNone = 0x1FFFFFFF, clDefault = 0x20000000;

constexpr TColor clScrollBar = system(0), clBackground = system(1), clActiveCaption = system(2);
constexpr TColor clInactiveCaption = system(3), clMenu = system(4), clWindow = system(5);
constexpr TColor clWindowFrame = system(6), clMenuText = system(7), clWindowText = system(8);
constexpr TColor clCaptionText = system(9), clActiveBorder = system(10), clInactiveBorder = system(11);
constexpr TColor clAppWorkSpace = system(12), clHighlight = system(13), clHighlightText = system(14);
constexpr TColor clBtnFace = system(15), clBtnShadow = system(16), clGrayText = system(17);
constexpr TColor clBtnText = system(18), clInactiveCaptionText = system(19), clBtnHighlight = system(20);
constexpr TColor cl3DDkShadow = system(21), cl3DLight = system(22), clInfoText = system(23);
constexpr TColor clInfoBk = system(24), clHotLight = system(26), clGradientActiveCaption = system(27);
constexpr TColor clGradientInactiveCaption = system(28), clMenuHighlight = system(29), clMenuBar = system(30);
} // namespace tcolor

// Older files hold system colours as 0x80000000 + index; both forms mean the same colour.
TColor NormalizeColor(TColor c);

// The name of a standard colour, otherwise "$" and eight upper-case hexadecimal digits.
QString ColorToString(TColor c);
// Reads a colour name (any case), "$hex", "0x hex" or a decimal number; false for anything else.
bool StringToColor(const QString& text, TColor& out);

// System colours are taken from the palette; clNone and clDefault give an invalid colour.
QColor TColorToQColor(TColor c, const QPalette& palette = QPalette());
TColor QColorToTColor(const QColor& c);
