#pragma once
// Small routines the screens share: modal screens, Enter as Tab, the user-name key filter,
// integer reading of settings, diagram trees and the scrambling of stored passwords.
#include <QChar>
#include <QString>
#include <QVariant>

#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

class QWidget;

// The wait cursor for as long as it lives, also when the work inside throws.
class WaitCursor {
public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

// Creates a screen, keeps it in ref while it runs modally, then frees it and clears ref, so the
// next opening creates a fresh screen. Returns the dialog's result code.
template <class T, class... Args>
int ShowModalForm(T*& ref, Args&&... args)
{
    struct Release {
        T*& ref;
        ~Release()
        {
            delete ref;
            ref = nullptr;
        }
    };
    ref = nullptr;
    Release release{ref};
    ref = new T(std::forward<Args>(args)...);
    return ref->exec();
}

// The main window's caption, which several windows copy. The main window installs its source;
// until then it is the program's caption.
QString MainWindowCaption();
void SetMainWindowCaptionSource(std::function<QString()> source);

// Posts a Tab key press to the form's focused control, so the focus moves on once it is handled.
// False when the form has no focused control.
bool FocusNextControl(QWidget* form);

// Key filter of user names: letters a-z and the Turkish letters become A-Z, digits, "A"-"Z", "_"
// and Backspace pass; any other key gives a null QChar (discard it).
QChar UpperAsciiKey(QChar key);

// A value that cannot be read as an integer.
class ConversionError : public std::runtime_error {
public:
    explicit ConversionError(const QString& text) : std::runtime_error(text.toStdString()), m_text(text) {}
    const QString& text() const { return m_text; }

private:
    QString m_text;
};

// def for a null value; otherwise the value as an integer, floating values rounded to the nearest
// integer with halves going to the even neighbour. Throws ConversionError when the value is out
// of the integer range or not a number.
int VariantToInt(const QVariant& value, int def);

// A diagram tree: each node has a caption and three indexes, as the diagram screens use them
// (image: tree icon, selected: box kind, state: person key).
struct TreeNode {
    QString text;
    int imageIndex = -1;
    int selectedIndex = -1;
    qint64 stateIndex = -1;
    TreeNode* parent = nullptr;
    std::vector<std::unique_ptr<TreeNode>> children;

    int level() const; // 0 for a root
};

struct TreeNodes {
    std::vector<std::unique_ptr<TreeNode>> roots;

    void clear() { roots.clear(); }
    bool isEmpty() const { return roots.empty(); }
    int count() const;
    // Every node, a node before its children, siblings in their order.
    std::vector<TreeNode*> preOrder() const;
};

// Adds a node as the last child of parent (a root when parent is nullptr); parent must belong to
// tree. Returns the new node, which the tree owns.
TreeNode* AddTreeChild(TreeNodes& tree, TreeNode* parent, const QString& text, int imageIndex, int selectedIndex,
                       qint64 stateIndex);

// Shift of ScrambleText, the same for every value and every file.
inline constexpr int kScrambleShift = 73;

// Scrambles (encode) or unscrambles a password kept in Ayar.Ini.
// Each Windows-1254 byte of the text is shifted by kScrambleShift (back when decoding), modulo
// 256. The shifted bytes end up in a UTF-8, line-based INI file, where control bytes, spaces at
// the ends or bytes >= 0x80 would not survive; so every shifted byte outside "!".."~", and "%"
// itself, is written as "%XX" (two upper-case hex digits). Decoding also takes characters that
// are not escaped as their Windows-1254 byte, so values written unescaped by older installations
// still read back. Encoding throws fb::Error for a character Windows-1254 cannot hold.
QString ScrambleText(const QString& text, bool encode);
