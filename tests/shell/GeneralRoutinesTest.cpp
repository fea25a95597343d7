// Shared routines: modal screens, Enter as Tab, the user-name key filter, integer reading,
// diagram trees and password scrambling.
#include "TestSupport.h"

#include "data/IniFile.h"
#include "fb/FbError.h"
#include "fb/Win1254.h"
#include "shell/GeneralRoutines.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDate>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

#include <climits>
#include <cmath>
#include <limits>

// ---------------------------------------------------------------- ShowModalForm

namespace {
class ProbeForm;
ProbeForm* g_probe = nullptr;
int g_created = 0;
int g_destroyed = 0;
bool g_refSetWhileShown = false;

class ProbeForm : public QDialog {
public:
    explicit ProbeForm(int result)
    {
        ++g_created;
        QTimer::singleShot(0, this, [this, result] {
            g_refSetWhileShown = (g_probe == this) && isVisible();
            done(result);
        });
    }
    ~ProbeForm() override { ++g_destroyed; }
};
} // namespace

TEST(ShowModalFormTest, ReferenceIsHeldWhileShownAndClearedAfter)
{
    g_created = g_destroyed = 0;
    EXPECT_EQ(ShowModalForm(g_probe, 7), 7);
    EXPECT_TRUE(g_refSetWhileShown);
    EXPECT_EQ(g_probe, nullptr);
    EXPECT_EQ(g_destroyed, 1);

    g_refSetWhileShown = false;
    EXPECT_EQ(ShowModalForm(g_probe, QDialog::Accepted), int(QDialog::Accepted));
    EXPECT_TRUE(g_refSetWhileShown);
    EXPECT_EQ(g_created, 2); // a fresh screen the second time
    EXPECT_EQ(g_destroyed, 2);
    EXPECT_EQ(g_probe, nullptr);
}

// ---------------------------------------------------------------- FocusNextControl

namespace {
// A data field that swallows Enter and moves on, as the cards do.
class EnterAsTab : public QObject {
public:
    explicit EnterAsTab(QWidget* form) : m_form(form) {}
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Return) {
            FocusNextControl(m_form);
            return true;
        }
        return false;
    }

private:
    QWidget* m_form;
};
} // namespace

TEST(FocusNextControlTest, EnterMovesToNextFieldOnceHandled)
{
    QWidget form;
    auto* layout = new QVBoxLayout(&form);
    auto* e1 = new QLineEdit(&form);
    auto* e2 = new QLineEdit(&form);
    auto* e3 = new QLineEdit(&form);
    layout->addWidget(e1);
    layout->addWidget(e2);
    layout->addWidget(e3);
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    e1->setFocus();
    ASSERT_EQ(form.focusWidget(), e1);

    ASSERT_TRUE(FocusNextControl(&form));
    EXPECT_EQ(form.focusWidget(), e1); // posted, not yet handled
    QCoreApplication::processEvents();
    EXPECT_EQ(form.focusWidget(), e2);
    EXPECT_TRUE(e1->text().isEmpty());

    EnterAsTab filter(&form);
    e2->installEventFilter(&filter);
    QTest::keyClick(e2, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(form.focusWidget(), e3);

    QWidget empty;
    EXPECT_FALSE(FocusNextControl(&empty));
    EXPECT_FALSE(FocusNextControl(nullptr));
}

// ---------------------------------------------------------------- UpperAsciiKey

TEST(UpperAsciiKeyTest, Table)
{
    const struct {
        char16_t key;
        char16_t result; // 0: discarded
    } cases[] = {
        {u'\b', u'\b'}, {u'0', u'0'}, {u'9', u'9'}, {u'A', u'A'}, {u'Z', u'Z'}, {u'_', u'_'},
        {u'a', u'A'},   {u'z', u'Z'}, {u'i', u'I'}, {u'ç', u'C'}, {u'Ç', u'C'}, {u'ğ', u'G'},
        {u'Ğ', u'G'},   {u'ı', u'I'}, {u'İ', u'I'}, {u'ö', u'O'}, {u'Ö', u'O'}, {u'ş', u'S'},
        {u'Ş', u'S'},   {u'ü', u'U'}, {u'Ü', u'U'}, {u' ', 0},    {u'-', 0},    {u'é', 0},
        {u'\r', 0},     {u'\t', 0},   {u'.', 0},    {u'@', 0},    {u'â', 0},    {u'ß', 0},
        {u'`', 0},      {u'[', 0},    {u'{', 0},    {u'/', 0},    {u':', 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(UpperAsciiKey(QChar(c.key)), QChar(c.result)) << "key U+" << std::hex << int(c.key);
}

// ---------------------------------------------------------------- VariantToInt

TEST(VariantToIntTest, NullsRoundingAndRange)
{
    const struct {
        QVariant value;
        int expected;
    } cases[] = {
        {QVariant(), -7},
        {QVariant(QMetaType::fromType<int>()), -7}, // a typed null
        {QVariant(2.5), 2},
        {QVariant(3.5), 4},
        {QVariant(-2.5), -2},
        {QVariant(-3.5), -4},
        {QVariant(0.5), 0},
        {QVariant(2.4999), 2},
        {QVariant(2.5001), 3},
        {QVariant(-0.6), -1},
        {QVariant(2147483647.4), INT_MAX},
        {QVariant(-2147483648.5), INT_MIN}, // half to even stays in range
        {QVariant(42), 42},
        {QVariant(qint64(-5)), -5},
        {QVariant(QStringLiteral(" 250 ")), 250},
        {QVariant(QStringLiteral("2.5")), 2},
        {QVariant(QStringLiteral("3,5")), 4},
        {QVariant(QByteArray("17")), 17},
        {QVariant(true), 1},
        {QVariant(3.5f), 4},
    };
    for (const auto& c : cases)
        EXPECT_EQ(VariantToInt(c.value, -7), c.expected) << c.value.toString().toStdString();
}

TEST(VariantToIntTest, UnconvertibleOrOutOfRangeThrows)
{
    const QVariant bad[] = {
        QVariant(QStringLiteral("abc")),
        QVariant(QString(QLatin1String(""))),
        QVariant(QStringLiteral("12abc")),
        QVariant(2147483647.5), // rounds to 2^31
        QVariant(qint64(1) << 40),
        QVariant(quint64(UINT_MAX)),
        QVariant(QStringLiteral("99999999999")),
        QVariant(std::numeric_limits<double>::quiet_NaN()),
        QVariant(std::numeric_limits<double>::infinity()),
        QVariant(QDate(2024, 1, 1)),
    };
    for (const QVariant& v : bad)
        EXPECT_THROW(VariantToInt(v, 0), ConversionError) << v.toString().toStdString();
    try {
        VariantToInt(QVariant(QStringLiteral("abc")), 0);
    } catch (const ConversionError& e) {
        EXPECT_TRUE(e.text().contains(QStringLiteral("abc")));
        EXPECT_TRUE(e.text().contains(QStringLiteral("tam sayı")));
    }
}

// ---------------------------------------------------------------- diagram trees

TEST(TreeNodesTest, ChildrenAreAppendedInOrderAndVisitedPreOrder)
{
    TreeNodes tree;
    TreeNode* root = AddTreeChild(tree, nullptr, QStringLiteral("Ahmet"), 0, 0, 1);
    TreeNode* father = AddTreeChild(tree, root, QStringLiteral("Baba Tarafı"), 2, 99, 0);
    TreeNode* mother = AddTreeChild(tree, root, QStringLiteral("Anne Tarafı"), 3, 99, 0);
    TreeNode* uncle = AddTreeChild(tree, father, QStringLiteral("Amca Mehmet"), 0, 0, 4000000000LL);
    TreeNode* aunt = AddTreeChild(tree, mother, QStringLiteral("Teyze Ayşe"), 1, 1, 12);
    TreeNode* second = AddTreeChild(tree, nullptr, QStringLiteral("İkinci kök"), 1, 1, 2);

    EXPECT_EQ(tree.roots.size(), 2u);
    EXPECT_EQ(root->children.size(), 2u);
    EXPECT_EQ(root->children[1].get(), mother);
    EXPECT_EQ(uncle->parent, father);
    EXPECT_EQ(father->parent, root);
    EXPECT_EQ(root->parent, nullptr);
    EXPECT_EQ(uncle->level(), 2);
    EXPECT_EQ(aunt->imageIndex, 1);
    EXPECT_EQ(aunt->selectedIndex, 1);
    EXPECT_EQ(aunt->stateIndex, 12);
    EXPECT_EQ(uncle->stateIndex, 4000000000LL); // keys beyond 32 bits survive

    EXPECT_EQ(tree.preOrder(), (std::vector<TreeNode*>{root, father, uncle, mother, aunt, second}));
    EXPECT_EQ(tree.count(), 6);
    tree.clear();
    EXPECT_TRUE(tree.isEmpty());
    EXPECT_EQ(tree.count(), 0);
}

// ---------------------------------------------------------------- ScrambleText

namespace {
bool iniSafe(const QString& s)
{
    for (QChar c : s)
        if (c.unicode() < 0x21 || c.unicode() > 0x7E)
            return false;
    return true;
}

QString win1254Char(int byte) { return fb::fromWin1254(QByteArray(1, char(byte))); }
} // namespace

TEST(ScrambleTextTest, RoundTripsTurkishPasswordsInIniSafeForm)
{
    const QString passwords[] = {
        QString(),
        QStringLiteral("masterkey"),
        QStringLiteral("ĞÜŞİÖÇğüşıöç"),
        QStringLiteral("Şifre 2024!"),
        QStringLiteral(" boşlukla başlar"),
        QStringLiteral("boşlukla biter "),
        QStringLiteral("%41%%yüzde=;#\"[x]"),
        QStringLiteral("€‰ÿ"),
    };
    for (const QString& p : passwords) {
        const QString stored = ScrambleText(p, true);
        EXPECT_TRUE(iniSafe(stored)) << stored.toStdString();
        if (!p.isEmpty()) {
            EXPECT_NE(stored, p);
        }
        EXPECT_EQ(ScrambleText(stored, false), p) << p.toStdString();
    }
}

TEST(ScrambleTextTest, ShiftWrapsModulo256)
{
    static_assert(kScrambleShift >= 1 && kScrambleShift <= 255);
    // The byte that lands on 0 and the last byte, which wraps past 255.
    EXPECT_EQ(ScrambleText(win1254Char(256 - kScrambleShift), true), QStringLiteral("%00"));
    const int wrapped = (0xFF + kScrambleShift) & 0xFF;
    EXPECT_EQ(ScrambleText(QStringLiteral("%00"), false), win1254Char(256 - kScrambleShift));
    EXPECT_EQ(ScrambleText(ScrambleText(win1254Char(0xFF), true), false), win1254Char(0xFF));
    EXPECT_EQ(fb::toWin1254(ScrambleText(QStringLiteral("%%1").arg(wrapped, 2, 16, QLatin1Char('0')), false)),
              QByteArray(1, char(0xFF)));

    // Every Windows-1254 byte, through a real Ayar.Ini on disk.
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all += char(b);
    const QString text = fb::fromWin1254(all);
    const QString stored = ScrambleText(text, true);
    EXPECT_TRUE(iniSafe(stored));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Ayar.Ini"));
    {
        IniFile ini(path);
        ini.writeString(QStringLiteral("TAnaF"), QStringLiteral("USERPWD"), stored);
        ASSERT_TRUE(ini.save());
    }
    IniFile again(path);
    EXPECT_EQ(ScrambleText(again.readString(QStringLiteral("TAnaF"), QStringLiteral("USERPWD")), false), text);
}

TEST(ScrambleTextTest, UnescapedValuesOfOlderInstallationsStillDecode)
{
    // An older installation wrote the shifted bytes as they were; a file read as Windows-1254
    // hands them over as those characters.
    QByteArray shifted;
    for (char c : fb::toWin1254(QStringLiteral("Ağaç1")))
        shifted += char((static_cast<unsigned char>(c) + kScrambleShift) & 0xFF);
    const QString raw = fb::fromWin1254(shifted);
    ASSERT_FALSE(raw.contains(QLatin1Char('%')));
    EXPECT_EQ(ScrambleText(raw, false), QStringLiteral("Ağaç1"));
}

TEST(ScrambleTextTest, CharacterOutsideTheCodePageIsAClearError)
{
    EXPECT_THROW(ScrambleText(QStringLiteral("parolaΩ"), true), fb::Error);
}
