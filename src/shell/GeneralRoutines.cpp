#include "shell/GeneralRoutines.h"

#include "fb/Win1254.h"
#include "shell/ProgramIdentity.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>

#include <climits>
#include <cmath>

namespace {
std::function<QString()>& captionSource()
{
    static std::function<QString()> source;
    return source;
}

[[noreturn]] void notAnInteger(const QVariant& value)
{
    throw ConversionError(QStringLiteral("\"%1\" değeri tam sayıya dönüştürülemiyor.").arg(value.toString()));
}

[[noreturn]] void outOfRange(const QVariant& value)
{
    throw ConversionError(QStringLiteral("%1 değeri tam sayı aralığının dışında.").arg(value.toString()));
}

int fromDouble(double d, const QVariant& original)
{
    if (!std::isfinite(d))
        notAnInteger(original);
    // Halves go to the even neighbour, whatever the floating-point rounding mode is.
    const double f = std::floor(d);
    const double rest = d - f;
    double r = f;
    if (rest > 0.5 || (rest == 0.5 && std::fmod(f, 2.0) != 0.0))
        r = f + 1.0;
    if (r < double(INT_MIN) || r > double(INT_MAX))
        outOfRange(original);
    return int(r);
}

int fromText(const QString& raw, const QVariant& original)
{
    const QString s = raw.trimmed();
    bool ok = false;
    const qlonglong whole = s.toLongLong(&ok);
    if (ok) {
        if (whole < INT_MIN || whole > INT_MAX)
            outOfRange(original);
        return int(whole);
    }
    // Settings written under a Turkish locale have a decimal comma.
    QString c = s;
    if (c.contains(QLatin1Char(',')) && !c.contains(QLatin1Char('.')))
        c.replace(QLatin1Char(','), QLatin1Char('.'));
    const double d = c.toDouble(&ok);
    if (!ok)
        notAnInteger(original);
    return fromDouble(d, original);
}
} // namespace

QString MainWindowCaption()
{
    const auto& source = captionSource();
    return source ? source() : ProgramIdentity::mainCaption();
}

void SetMainWindowCaptionSource(std::function<QString()> source) { captionSource() = std::move(source); }

bool FocusNextControl(QWidget* form)
{
    if (!form)
        return false;
    QWidget* focused = form->focusWidget();
    if (!focused)
        return false;
    QCoreApplication::postEvent(focused, new QKeyEvent(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier));
    return true;
}

QChar UpperAsciiKey(QChar key)
{
    const char16_t c = key.unicode();
    if (c == u'\b' || (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || c == u'_')
        return key;
    if (c >= u'a' && c <= u'z')
        return QChar(char16_t(c - u'a' + u'A'));
    switch (c) {
    case u'Ç': case u'ç': return QChar(u'C');
    case u'Ğ': case u'ğ': return QChar(u'G');
    case u'İ': case u'ı': return QChar(u'I');
    case u'Ö': case u'ö': return QChar(u'O');
    case u'Ş': case u'ş': return QChar(u'S');
    case u'Ü': case u'ü': return QChar(u'U');
    default: return QChar();
    }
}

int VariantToInt(const QVariant& value, int def)
{
    if (!value.isValid() || value.isNull())
        return def;
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool() ? 1 : 0;
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
        return value.toInt();
    case QMetaType::UInt:
    case QMetaType::ULong:
    case QMetaType::ULongLong: {
        const qulonglong u = value.toULongLong();
        if (u > qulonglong(INT_MAX))
            outOfRange(value);
        return int(u);
    }
    case QMetaType::Long:
    case QMetaType::LongLong: {
        const qlonglong l = value.toLongLong();
        if (l < INT_MIN || l > INT_MAX)
            outOfRange(value);
        return int(l);
    }
    case QMetaType::Double:
    case QMetaType::Float:
        return fromDouble(value.toDouble(), value);
    case QMetaType::QString:
        return fromText(value.toString(), value);
    case QMetaType::QByteArray:
        return fromText(QString::fromLatin1(value.toByteArray()), value);
    case QMetaType::QChar:
        return fromText(QString(value.toChar()), value);
    default:
        notAnInteger(value);
    }
}

// ---------------------------------------------------------------- diagram trees

int TreeNode::level() const
{
    int n = 0;
    for (const TreeNode* p = parent; p; p = p->parent)
        ++n;
    return n;
}

int TreeNodes::count() const { return int(preOrder().size()); }

std::vector<TreeNode*> TreeNodes::preOrder() const
{
    std::vector<TreeNode*> out;
    std::vector<TreeNode*> stack;
    for (auto it = roots.rbegin(); it != roots.rend(); ++it)
        stack.push_back(it->get());
    while (!stack.empty()) {
        TreeNode* n = stack.back();
        stack.pop_back();
        out.push_back(n);
        for (auto it = n->children.rbegin(); it != n->children.rend(); ++it)
            stack.push_back(it->get());
    }
    return out;
}

TreeNode* AddTreeChild(TreeNodes& tree, TreeNode* parent, const QString& text, int imageIndex, int selectedIndex,
                       qint64 stateIndex)
{
    auto node = std::make_unique<TreeNode>();
    node->text = text;
    node->imageIndex = imageIndex;
    node->selectedIndex = selectedIndex;
    node->stateIndex = stateIndex;
    node->parent = parent;
    TreeNode* raw = node.get();
    if (parent)
        parent->children.push_back(std::move(node));
    else
        tree.roots.push_back(std::move(node));
    return raw;
}

// ---------------------------------------------------------------- ScrambleText

namespace {
int hexValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    return -1;
}

QString scramble(const QString& text)
{
    const QByteArray bytes = fb::toWin1254(text);
    QString out;
    out.reserve(bytes.size() * 3);
    for (char ch : bytes) {
        const int b = (static_cast<unsigned char>(ch) + kScrambleShift) & 0xFF;
        if (b >= 0x21 && b <= 0x7E && b != '%')
            out += QChar(char16_t(b));
        else
            out += QStringLiteral("%%1").arg(b, 2, 16, QLatin1Char('0')).toUpper();
    }
    return out;
}

QString unscramble(const QString& stored)
{
    QByteArray bytes;
    bytes.reserve(stored.size());
    for (qsizetype i = 0; i < stored.size(); ++i) {
        int b;
        if (stored[i] == QLatin1Char('%') && i + 2 < stored.size() && hexValue(stored[i + 1]) >= 0
            && hexValue(stored[i + 2]) >= 0) {
            b = hexValue(stored[i + 1]) * 16 + hexValue(stored[i + 2]);
            i += 2;
        } else if (stored[i].unicode() < 0x80) {
            b = stored[i].unicode();
        } else if (fb::fitsWin1254(QString(stored[i]))) {
            b = static_cast<unsigned char>(fb::toWin1254(QString(stored[i])).at(0));
        } else {
            b = '?'; // not something this program wrote; keep the length
        }
        bytes += char((b - kScrambleShift + 256) & 0xFF);
    }
    return fb::fromWin1254(bytes);
}
} // namespace

QString ScrambleText(const QString& text, bool encode) { return encode ? scramble(text) : unscramble(text); }

WaitCursor::WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }

WaitCursor::~WaitCursor()
{
    if (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
}
