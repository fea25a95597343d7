#include "controls/GridLayoutColor.h"

#include <array>
#include <utility>

using namespace tcolor;

namespace {

// The names Delphi writes, in the order it looks them up.
const std::array<std::pair<TColor, const char*>, 52> kNames = {{
    {clBlack, "clBlack"}, {clMaroon, "clMaroon"}, {clGreen, "clGreen"}, {clOlive, "clOlive"},
    {clNavy, "clNavy"}, {clPurple, "clPurple"}, {clTeal, "clTeal"}, {clGray, "clGray"},
    {clSilver, "clSilver"}, {clRed, "clRed"}, {clLime, "clLime"}, {clYellow, "clYellow"},
    {clBlue, "clBlue"}, {clFuchsia, "clFuchsia"}, {clAqua, "clAqua"}, {clWhite, "clWhite"},
    {clMoneyGreen, "clMoneyGreen"}, {clSkyBlue, "clSkyBlue"}, {clCream, "clCream"}, {clMedGray, "clMedGray"},
    {clActiveBorder, "clActiveBorder"}, {clActiveCaption, "clActiveCaption"}, {clAppWorkSpace, "clAppWorkSpace"},
    {clBackground, "clBackground"}, {clBtnFace, "clBtnFace"}, {clBtnHighlight, "clBtnHighlight"},
    {clBtnShadow, "clBtnShadow"}, {clBtnText, "clBtnText"}, {clCaptionText, "clCaptionText"},
    {clDefault, "clDefault"}, {clGradientActiveCaption, "clGradientActiveCaption"},
    {clGradientInactiveCaption, "clGradientInactiveCaption"}, {clGrayText, "clGrayText"},
    {clHighlight, "clHighlight"}, {clHighlightText, "clHighlightText"}, {clHotLight, "clHotLight"},
    {clInactiveBorder, "clInactiveBorder"}, {clInactiveCaption, "clInactiveCaption"},
    {clInactiveCaptionText, "clInactiveCaptionText"}, {clInfoBk, "clInfoBk"}, {clInfoText, "clInfoText"},
    {clMenu, "clMenu"}, {clMenuBar, "clMenuBar"}, {clMenuHighlight, "clMenuHighlight"}, {clMenuText, "clMenuText"},
    {clNone, "clNone"}, {clScrollBar, "clScrollBar"}, {cl3DDkShadow, "cl3DDkShadow"}, {cl3DLight, "cl3DLight"},
    {clWindow, "clWindow"}, {clWindowFrame, "clWindowFrame"}, {clWindowText, "clWindowText"},
}};

bool isSystem(TColor c) { return (std::uint32_t(c) & 0xFF000000u) == 0xFF000000u && (c & 0xFF) <= 30; }

} // namespace

TColor NormalizeColor(TColor c)
{
    const std::uint32_t u = std::uint32_t(c);
    if ((u & 0xFFFFFF00u) == 0x80000000u && (u & 0xFF) <= 30)
        return system(int(u & 0xFF));
    return c;
}

QString ColorToString(TColor c)
{
    c = NormalizeColor(c);
    for (const auto& [value, name] : kNames)
        if (value == c)
            return QLatin1String(name);
    return QStringLiteral("$%1").arg(std::uint32_t(c), 8, 16, QLatin1Char('0')).toUpper();
}

bool StringToColor(const QString& text, TColor& out)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return false;
    for (const auto& [value, name] : kNames)
        if (t.compare(QLatin1String(name), Qt::CaseInsensitive) == 0) {
            out = value;
            return true;
        }
    bool ok = false;
    qint64 v = 0;
    if (t.startsWith(QLatin1Char('$')))
        v = t.mid(1).toLongLong(&ok, 16);
    else if (t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        v = t.mid(2).toLongLong(&ok, 16);
    else
        v = t.toLongLong(&ok, 10);
    if (!ok || v < -2147483648LL || v > 0xFFFFFFFFLL)
        return false;
    out = NormalizeColor(TColor(std::uint32_t(v)));
    return true;
}

QColor TColorToQColor(TColor c, const QPalette& p)
{
    c = NormalizeColor(c);
    if (c == clNone || c == clDefault)
        return {};
    if (!isSystem(c)) {
        const std::uint32_t u = std::uint32_t(c);
        return QColor(int(u & 0xFF), int((u >> 8) & 0xFF), int((u >> 16) & 0xFF));
    }
    switch (c & 0xFF) {
    case 0: return p.color(QPalette::Mid);                 // scroll bar
    case 1: return p.color(QPalette::Dark);                // desktop
    case 2: case 27: return p.color(QPalette::Highlight);  // active caption
    case 3: case 28: return p.color(QPalette::Mid);        // inactive caption
    case 4: case 30: return p.color(QPalette::Window);     // menu
    case 5: return p.color(QPalette::Base);
    case 6: return p.color(QPalette::Shadow);
    case 7: return p.color(QPalette::WindowText);
    case 8: return p.color(QPalette::Text);
    case 9: return p.color(QPalette::HighlightedText);
    case 10: case 11: return p.color(QPalette::Midlight);
    case 12: return p.color(QPalette::Dark);
    case 13: case 29: return p.color(QPalette::Highlight);
    case 14: return p.color(QPalette::HighlightedText);
    case 15: return p.color(QPalette::Button);
    case 16: return p.color(QPalette::Mid);
    case 17: return p.color(QPalette::Disabled, QPalette::Text);
    case 18: return p.color(QPalette::ButtonText);
    case 19: return p.color(QPalette::Disabled, QPalette::WindowText);
    case 20: return p.color(QPalette::Light);
    case 21: return p.color(QPalette::Shadow);
    case 22: return p.color(QPalette::Midlight);
    case 23: return p.color(QPalette::ToolTipText);
    case 24: return p.color(QPalette::ToolTipBase);
    case 26: return p.color(QPalette::Link);
    default: return p.color(QPalette::Window);
    }
}

TColor QColorToTColor(const QColor& c)
{
    if (!c.isValid())
        return clNone;
    return fromRgb(c.red(), c.green(), c.blue());
}
