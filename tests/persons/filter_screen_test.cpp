// The shared list screen through the person list: controls, show steps, filtering, keys,
// clearing, the sort choice and opening another screen for one person.
#include "controls/GridLayout.h"
#include "controls/PopupGrid.h"
#include "controls/ZYRXDBGrid.h"
#include "controls/ZyBtnEdit.h"
#include "controls/ZyWinButton.h"
#include "data/LoginState.h"
#include "persons/F_KisiU.h"
#include "persons/PersonFlags.h"
#include "shell/AppPaths.h"
#include "shell/SilentAbort.h"
#include "PersonDb.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include <gtest/gtest.h>

namespace {

class FilterScreen : public ::testing::Test {
protected:
    void SetUp() override
    {
        OpenForPerson = false;
        kaya = db.addPerson("Ayşe", "Kaya", "1");
        demir = db.addPerson("Can", "Demir", "0");
        ece = db.addPerson("Ece", "Demir", "1", demir, kaya);
        db.exec(QString("UPDATE KISI SET LAKAP='Deli' WHERE BLKISIKODU=%1").arg(demir));
    }

    // A shown screen; the show steps have run.
    std::unique_ptr<TF_KisiF> shown()
    {
        auto s = std::make_unique<TF_KisiF>();
        s->show();
        return s;
    }
    static QStringList listNames(TListScreen& s)
    {
        QStringList out;
        if (!s.QLIST.active())
            return out;
        const int keep = s.QLIST.recNo();
        for (s.QLIST.first(); !s.QLIST.eof(); s.QLIST.next())
            out << s.QLIST.text("AD");
        if (keep >= 0)
            s.QLIST.moveTo(keep);
        return out;
    }
    static QAction* action(QWidget& w, const char* name) { return w.findChild<QAction*>(name); }

    PersonDb db;
    FakeDialogService dialogs;
    qint64 kaya = 0, demir = 0, ece = 0;
};

TEST_F(FilterScreen, ControlsCarryTheirNamesAndTexts)
{
    TF_KisiF s;
    EXPECT_EQ(s.objectName(), "F_KisiF");
    EXPECT_EQ(s.windowTitle(), "Kişi Kartı Listesi");
    EXPECT_EQ(s.LabelBaslik->text(), "Kişi Kart Listesi");
    auto* pages = s.findChild<QTabWidget*>("PageControl1");
    ASSERT_TRUE(pages);
    ASSERT_EQ(pages->count(), 4);
    const char* tabs[][2] = {{"TabSheet1", "Filtreleme"}, {"TabSheet2", "Aralıklar"}, {"TabSheet3", "Sıralama"}, {"TabSheet4", "Yetkili"}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(pages->widget(i)->objectName(), tabs[i][0]);
        EXPECT_EQ(pages->tabText(i), QString::fromUtf8(tabs[i][1]));
    }
    for (const char* name : {"Panel4", "Panel5", "Edit6", "Edit7", "Edit4", "EditLAKAP", "Edit1", "Edit2", "Edit5", "Edit9",
                             "Edit8", "ComboBox1", "RxDateEdit1", "RxDateEdit2", "RxDateEdit3", "RxDateEdit4", "RG1", "CH1",
                             "ComboKAYDEDEN", "ComboDUZENLEYEN", "ZyBtnEdit1", "ZYRXDBGrid1", "StatusBar1", "QLIST"})
        EXPECT_TRUE(s.findChild<QObject*>(name) || s.QLIST.objectName() == name) << name;
    EXPECT_FALSE(s.findChild<QObject*>("EditAdi"));
    EXPECT_TRUE(s.findChild<TZyBtnEdit*>("ZyBtnEdit1"));

    // Labels of the criteria.
    QStringList labels;
    for (QLabel* l : s.findChildren<QLabel*>())
        labels << l->text();
    for (const char* t : {"Adı", "Soyadı", "Aile (Sülale)", "Lakap", "Bl.Kişi Kodu", "ile", "Kişi Kodu", "Özel Kodu-1",
                          "Özel Kodu-2", "Doğum Yeri", "Cinsiyeti", "Tarihinden", "Tarihine", "Kaydeden", "Düzenleyen"})
        EXPECT_TRUE(labels.contains(QString::fromUtf8(t))) << t;
    QStringList groups;
    for (QGroupBox* g : s.findChildren<QGroupBox*>())
        groups << g->title();
    EXPECT_TRUE(groups.contains("Kayıt Tarihi"));
    EXPECT_TRUE(groups.contains("Doğum Tarihi"));

    auto* gender = s.findChild<QComboBox*>("ComboBox1");
    EXPECT_EQ(gender->count(), 2);
    EXPECT_EQ(gender->itemText(0), "Bay");
    EXPECT_EQ(gender->itemText(1), "Bayan");
    EXPECT_EQ(gender->currentIndex(), -1);
    EXPECT_EQ(s.sortIndex(), 0);
    EXPECT_EQ(s.RG1Items->button(5)->text(), "Baba Kodu");
    EXPECT_EQ(s.CH1->text(), "Sıralamayı Ters Çevir");
    EXPECT_EQ(s.ComboKAYDEDEN->lineEdit()->maxLength(), 15);
    EXPECT_TRUE(s.ComboDUZENLEYEN->isEditable());
    EXPECT_EQ(s.RxDateEdit1->Text(), "  .  .    ");
    s.RxDateEdit1->setDate(QDate(2003, 2, 1));
    EXPECT_EQ(s.RxDateEdit1->Text(), "01.02.2003");

    const char* buttons[][3] = {{"ZyWinButton4", "Filtrele", "Filtrele (F2)"},
                                {"ZyWinButton5", "Hepsi", "Kayıtları Göster (F3)"},
                                {"ZyWinButton6", "", "Temizle (Alt+T)"}};
    for (const auto& b : buttons) {
        auto* w = s.findChild<TZyWinButton*>(b[0]);
        ASSERT_TRUE(w) << b[0];
        EXPECT_EQ(w->Caption(), QString::fromUtf8(b[1]));
        EXPECT_EQ(w->toolTip(), QString::fromUtf8(b[2]));
    }

    const std::pair<const char*, QKeySequence> keys[] = {
        {"Filter", QKeySequence(Qt::Key_F2)}, {"Hepsi", QKeySequence(Qt::Key_F3)},
        {"Temiz", QKeySequence(Qt::ALT | Qt::Key_T)}, {"Kartac", QKeySequence(Qt::Key_F8)},
        {"Yazdir", QKeySequence(Qt::Key_F4)}, {"Kapat", QKeySequence(Qt::Key_Escape)},
        {"kartbul", QKeySequence(Qt::Key_F5)}};
    for (const auto& [name, key] : keys) {
        QAction* a = action(s, name);
        ASSERT_TRUE(a) << name;
        EXPECT_EQ(a->shortcut(), key) << name;
    }

    QStringList tools;
    for (QAction* a : s.ToolBar1->actions())
        tools << a->text();
    EXPECT_EQ(tools, QStringList({"Kişi Kartını Aç", "Yazdır", "Özelleştir", "Alt Kuşak", "Üst Kuşak", "Eşten İn.Alt Kuş.",
                                  "Kzn.Kuşağı", "2.Der.Akr.", "Kapat"}));
    QStringList hints;
    for (QAction* a : s.ToolBar1->actions().mid(3, 5))
        hints << a->toolTip();
    EXPECT_EQ(hints, QStringList({"Alt Kuşak Soyağacı", "Üst Kuşak Soyağacı", "Eşten İnen Alt Kuşak", "Kuzen Kuşağı",
                                  "2.Derece Akraba Listesi"}));
    EXPECT_EQ(s.statusText(0), " Listelenen Kayıt Sayısı");
    EXPECT_EQ(s.statusText(1), "");
}

TEST_F(FilterScreen, GridColumnsAndTitles)
{
    TF_KisiF s;
    const TZYRXDBGrid* g = s.ZYRXDBGrid1;
    ASSERT_EQ(g->columnCount(), 42);
    const char* expected[][2] = {{"AD", "Adı"}, {"SOYAD", "Soyadı"}, {"ANNE_AD", "Anne"}, {"BABA_AD", "Baba"},
                                 {"AILE_AD", "Aile Adı (Sülale)"}, {"CNS", "Cinsiyeti"}, {"GURUP", "Gurubu"},
                                 {"DOG_YER", "Doğum Yeri"}, {"ILCE", "lçe"}, {"IS_ILCE", "İş İlçe"},
                                 {"BLKISIKODU", "Bl.Kişi Kodu"}, {"KISI_KOD", "Kişi Kodu"}, {"DUZENLEYEN", "Düzenleyen"}};
    for (const auto& [field, title] : expected) {
        const int i = ColumnIndexByField(g, field);
        ASSERT_GE(i, 0) << field;
        EXPECT_EQ(g->column(i).title, QString::fromUtf8(title)) << field;
        EXPECT_TRUE(g->column(i).titleFont.bold());
    }
    EXPECT_EQ(ColumnIndexByField(g, "GURUP"), ColumnIndexByField(g, "CNS") + 1);
    EXPECT_EQ(g->column(41).fieldName, "DUZENLEYEN");
    EXPECT_EQ(g->column(0).titleColor, TColor(205 | (206 << 8) | (179 << 16)));
    EXPECT_EQ(g->column(1).titleColor, g->column(0).titleColor);
    EXPECT_NE(g->column(2).titleColor, g->column(0).titleColor);

    // A screen without "Gurubu".
    ListScreenOptions o;
    o.formName = "F_Akr_1F";
    o.nameEditName = "EditAdi";
    o.gurupColumn = false;
    TListScreen other(o);
    EXPECT_EQ(other.ZYRXDBGrid1->columnCount(), 41);
    EXPECT_EQ(ColumnIndexByField(other.ZYRXDBGrid1, "GURUP"), -1);
    EXPECT_TRUE(other.findChild<QLineEdit*>("EditAdi"));
    EXPECT_FALSE(other.findChild<QLineEdit*>("Edit6"));
    // Without a print handler F4 does nothing; the print command itself still answers.
    other.YazdirAction->trigger();
    EXPECT_TRUE(dialogs.messages.empty());
    other.PrintList();
    EXPECT_EQ(dialogs.lastText(), "Liste boş !");
}

TEST_F(FilterScreen, ShownScreenShowsNoListUntilTheFirstFilter)
{
    auto s = shown();
    EXPECT_FALSE(s->QLIST.active());
    EXPECT_EQ(s->statusText(1), "");
    EXPECT_EQ(s->PageControl1->currentWidget(), s->TabSheet1);
    EXPECT_TRUE(QFile::exists(IniDir() + "Siralama.Ini")); // created empty
    EXPECT_EQ(QFile(IniDir() + "Siralama.Ini").size(), 0);
    EXPECT_TRUE(QFile::exists(IniDir() + "F_KisiF_o.agr")); // design layout kept
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(FilterScreen, RecorderBoxesAndColumnsByLoginKind)
{
    db.exec("INSERT INTO PERSONEL (BLPERKODU, USERNAME) VALUES (1, 'zeki')");
    db.exec("INSERT INTO PERSONEL (BLPERKODU, USERNAME) VALUES (2, 'ayse')");
    // A saved user layout that shows both recorder columns.
    {
        auto s = std::make_unique<TF_KisiF>();
        SaveGridLayout(s->ZYRXDBGrid1, IniDir() + "F_KisiF.ini");
    }
    for (bool server : {true, false}) {
        Login().serverMode = server;
        auto s = shown();
        EXPECT_EQ(s->PageControl1->isTabVisible(3), server);
        const TZYRXDBGrid* g = s->ZYRXDBGrid1;
        if (server) {
            QStringList items;
            for (int i = 0; i < s->ComboKAYDEDEN->count(); ++i)
                items << s->ComboKAYDEDEN->itemText(i);
            EXPECT_EQ(items, QStringList({" ", "Yetkili", "ayse", "zeki"}));
            EXPECT_EQ(s->ComboDUZENLEYEN->count(), 4);
            EXPECT_EQ(s->ComboKAYDEDEN->currentText(), " ");
            EXPECT_GE(ColumnIndexByField(g, "KAYDEDEN"), 0);
            EXPECT_GE(ColumnIndexByField(g, "DUZENLEYEN"), 0);
        } else {
            EXPECT_EQ(ColumnIndexByField(g, "KAYDEDEN"), -1);
            EXPECT_EQ(ColumnIndexByField(g, "DUZENLEYEN"), -1);
            int hidden = 0;
            for (int i = 0; i < g->columnCount(); ++i)
                if (g->column(i).fieldName.isEmpty()) {
                    EXPECT_FALSE(g->column(i).visible);
                    ++hidden;
                }
            EXPECT_EQ(hidden, 2);
            // Reloading the user's layout cannot bring them back.
            LoadGridLayout(s->ZYRXDBGrid1, IniDir() + "F_KisiF.ini");
            for (int i = 0; i < g->columnCount(); ++i) {
                if (g->column(i).fieldName.isEmpty()) {
                    EXPECT_FALSE(g->column(i).visible);
                }
            }
            // The recorder criteria stay at their blank entry and add nothing.
            s->Filter();
            EXPECT_EQ(s->statusText(1), "3");
        }
    }
    Login().serverMode = true;
}

TEST_F(FilterScreen, FilterCountsAndListsByEveryTrigger)
{
    auto s = shown();
    // The button.
    s->NameEdit->setText("e");
    s->ZyWinButton4->click();
    EXPECT_EQ(listNames(*s), QStringList({"Ayşe", "Ece"}));
    EXPECT_EQ(s->statusText(1), "2");
    EXPECT_EQ(s->QLIST.recNo(), 0);
    // Enter in a criterion control, including the gender box and a recorder box.
    s->Edit7->setText("demir");
    QTest::keyClick(s->Edit7, Qt::Key_Return);
    EXPECT_EQ(listNames(*s), QStringList({"Ece"}));
    s->NameEdit->clear();
    s->ComboBox1->setCurrentIndex(0);
    QTest::keyClick(s->ComboBox1, Qt::Key_Enter);
    EXPECT_EQ(listNames(*s), QStringList({"Can"}));
    EXPECT_EQ(s->statusText(1), "1");
    s->ComboBox1->setCurrentIndex(-1);
    s->Edit7->clear();
    s->ComboKAYDEDEN->setEditText("Yetkili");
    QTest::keyClick(s->ComboKAYDEDEN->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(s->statusText(1), "3");
    // F2 through the action.
    s->ComboKAYDEDEN->setEditText(" ");
    s->EditLAKAP->setText("el");
    action(*s, "Filter")->trigger();
    EXPECT_EQ(listNames(*s), QStringList({"Can"}));
    // Hepsi: everybody again, the nickname criterion cleared.
    action(*s, "Hepsi")->trigger();
    EXPECT_EQ(listNames(*s), QStringList({"Ayşe", "Can", "Ece"}));
    EXPECT_EQ(s->statusText(1), "3");
    EXPECT_EQ(s->EditLAKAP->text(), "");
    EXPECT_EQ(s->QLIST.text("CNS"), "Bayan");
    // An empty recorder text becomes the blank entry before building.
    s->ComboKAYDEDEN->setEditText("");
    s->Filter();
    EXPECT_EQ(s->ComboKAYDEDEN->currentText(), " ");
    EXPECT_EQ(s->statusText(1), "3");
    // The statement holds the criterion as typed, quotes doubled.
    s->NameEdit->setText("O'N");
    s->Filter();
    EXPECT_TRUE(s->statement().contains("AND UPPER(K.AD) LIKE UPPER('%O''N%' COLLATE PXW_TURK)"));
    EXPECT_EQ(s->statusText(1), "0");
    EXPECT_TRUE(s->QLIST.isEmpty());
}

TEST_F(FilterScreen, CountEqualsRowsForManyCriteria)
{
    for (int i = 0; i < 40; ++i)
        db.addPerson(QString("Kişi%1").arg(i), i % 3 ? "Işık" : "İnce", i % 2 ? "0" : "1");
    auto s = shown();
    const std::function<void(TListScreen&)> setups[] = {
        [](TListScreen&) {},
        [](TListScreen& x) { x.NameEdit->setText("1"); },
        [](TListScreen& x) { x.Edit7->setText("ı"); },
        [](TListScreen& x) { x.Edit7->setText("i"); x.ComboBox1->setCurrentIndex(1); },
        [](TListScreen& x) { x.Edit1->setText("10"); x.Edit2->setText("30"); },
        [](TListScreen& x) { x.Edit1->setText("10"); x.setSortIndex(3); x.CH1->setChecked(true); },
    };
    for (const auto& setup : setups) {
        s->Clear();
        setup(*s);
        s->Filter();
        EXPECT_EQ(s->statusText(1), QString::number(s->QLIST.recordCount()));
    }
}

TEST_F(FilterScreen, ClearResetsEveryCriterion)
{
    auto s = shown();
    for (QLineEdit* e : {s->Edit1, s->Edit2, static_cast<QLineEdit*>(s->ZyBtnEdit1), s->Edit4, s->Edit5, s->NameEdit,
                         s->Edit7, s->Edit8, s->Edit9, s->EditLAKAP})
        e->setText("x");
    s->ComboBox1->setCurrentIndex(1);
    for (TRxDateEdit* e : {s->RxDateEdit1, s->RxDateEdit2, s->RxDateEdit3, s->RxDateEdit4})
        e->setDate(QDate(2000, 1, 2));
    s->setSortIndex(4);
    s->CH1->setChecked(true);
    s->ComboKAYDEDEN->setEditText("Yetkili");
    s->ComboDUZENLEYEN->setEditText("ayse");
    s->PageControl1->setCurrentWidget(s->TabSheet3);

    action(*s, "Temiz")->trigger();
    KisiFilterCriteria defaults;
    const KisiFilterCriteria c = s->criteria();
    EXPECT_EQ(BuildListStatement(c), BuildListStatement(defaults));
    EXPECT_EQ(c.kaydeden, " ");
    EXPECT_EQ(c.duzenleyen, " ");
    EXPECT_EQ(c.gender, -1);
    EXPECT_EQ(c.sortIndex, 0);
    EXPECT_FALSE(c.sortDescending);
    EXPECT_EQ(s->RxDateEdit3->Text(), kEmptyDateText);
    EXPECT_EQ(s->PageControl1->currentWidget(), s->TabSheet1);
    // The button does the same.
    s->Edit4->setText("y");
    s->ZyWinButton6->click();
    EXPECT_EQ(s->Edit4->text(), "");
}

TEST_F(FilterScreen, SavedSortChoiceWinsOverTheClearedState)
{
    QFile f(IniDir() + "Siralama.Ini");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(SortRecord("F_Akr_1F", 2, false));
    f.write(SortRecord("f_kisif", 4, false)); // case counts
    f.write(SortRecord("F_KisiF", 3, true));
    f.write(SortRecord("F_KisiF", 1, false)); // the first match wins
    f.close();
    auto s = shown();
    EXPECT_EQ(s->sortIndex(), 3);
    EXPECT_TRUE(s->CH1->isChecked());
    s->Filter();
    EXPECT_EQ(s->statement().last(), "ORDER BY K.SOYAD DESC");
    const QStringList names = listNames(*s);
    ASSERT_EQ(names.size(), 3);
    EXPECT_EQ(names[0], "Ayşe"); // Kaya before the two Demirs
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(FilterScreen, DamagedSortFileKeepsTheDesignSortWithAMessage)
{
    QFile f(IniDir() + "Siralama.Ini");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray("\xff garbage that is no sort record at all, none", 47));
    f.close();
    auto s = shown();
    EXPECT_EQ(s->sortIndex(), 0);
    EXPECT_FALSE(s->CH1->isChecked());
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.lastText().contains("Siralama.Ini"));
    EXPECT_TRUE(dialogs.messages[0].caption.endsWith(" - Bilgi"));
    EXPECT_EQ(QFile(IniDir() + "Siralama.Ini").size(), 47); // nothing lost
}

TEST(SortFile, RecordsGoodTruncatedAndGarbage)
{
    const QByteArray good = SortRecord("F_Kzn_F", 5, true) + SortRecord("F_KisiF", 2, false);
    ASSERT_EQ(good.size(), 80);
    EXPECT_EQ(quint8(good[0]), 7);
    EXPECT_EQ(good.mid(1, 7), "F_Kzn_F");
    EXPECT_EQ(good.mid(32, 4), QByteArray("\x05\x00\x00\x00", 4));
    EXPECT_EQ(good[36], '\x01');

    struct Case {
        const char* name;
        QByteArray data;
        bool found;
        int index;
        bool desc;
        bool error;
    } cases[] = {
        {"empty", QByteArray(), false, 0, false, false},
        {"second record", good, true, 2, false, false},
        {"other form only", SortRecord("F_Kzn_F", 5, true), false, 0, false, false},
        {"match before a cut tail", good + QByteArray(13, 'x'), true, 2, false, false},
        {"cut record", good.left(60), false, 0, false, true},
        {"cut inside the match", good.left(79), false, 0, false, true},
        {"name too long", QByteArray(1, char(200)) + good.mid(1), false, 0, false, true},
        {"index out of range", SortRecord("F_KisiF", 6, false), false, 0, false, true},
        {"negative index", SortRecord("F_KisiF", -7, false), false, 0, false, true},
        {"no item selected", SortRecord("F_KisiF", -1, false), true, -1, false, false},
        {"flag not a boolean", SortRecord("F_KisiF", 1, false).replace(36, 1, "\x07"), false, 0, false, true},
        {"random bytes", QByteArray::fromHex("deadbeef00112233445566778899aabbccddeeff0123456789abcdef0102030405060708090a"), false,
         0, false, true},
    };
    for (const Case& tc : cases) {
        const SortChoice c = FindSortChoice(tc.data, "F_KisiF");
        EXPECT_EQ(c.found, tc.found) << tc.name;
        if (tc.found) {
            EXPECT_EQ(c.itemIndex, tc.index) << tc.name;
            EXPECT_EQ(c.descending, tc.desc) << tc.name;
        }
        EXPECT_EQ(!c.error.isEmpty(), tc.error) << tc.name;
    }
}

TEST(SortFile, LoadCreatesAMissingFileEmpty)
{
    TempHome home;
    ASSERT_FALSE(QFile::exists(SortFilePath()));
    const SortChoice c = LoadSortChoice("F_KisiF");
    EXPECT_FALSE(c.found);
    EXPECT_TRUE(c.error.isEmpty());
    EXPECT_TRUE(QFile::exists(SortFilePath()));
    QFile f(SortFilePath());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(SortRecord("F_KisiF", 5, true));
    f.close();
    const SortChoice d = LoadSortChoice("F_KisiF");
    EXPECT_TRUE(d.found);
    EXPECT_EQ(d.itemIndex, 5);
    EXPECT_TRUE(d.descending);
}

TEST_F(FilterScreen, EmptyListMessagesAndBadDates)
{
    auto s = shown();
    action(*s, "Kartac")->trigger(); // no list yet
    EXPECT_EQ(dialogs.lastText(), "Listede Kayıt Yok !");
    action(*s, "Yazdir")->trigger();
    EXPECT_EQ(dialogs.lastText(), "Liste boş !");
    s->NameEdit->setText("yokböyle");
    s->Filter();
    dialogs.messages.clear();
    s->ToolYazdir->trigger();
    s->OpenScreenForPerson("TF_Akr_2F");
    s->OpenCard();
    ASSERT_EQ(dialogs.messages.size(), 3u);
    EXPECT_EQ(dialogs.messages[0].text, "Liste boş !");
    EXPECT_EQ(dialogs.messages[1].text, "Listede Kayıt Yok !");
    EXPECT_EQ(dialogs.messages[2].text, "Listede Kayıt Yok !");
    for (const MessageRequest& m : dialogs.messages)
        EXPECT_TRUE(m.caption.endsWith(" - Bilgi"));

    // A date the edit cannot hold is refused before the server sees it; the list stays as it was.
    s->NameEdit->clear();
    s->Filter();
    dialogs.messages.clear();
    s->RxDateEdit4->setText("31.02.2000");
    EXPECT_THROW(s->Filter(), SilentAbort);
    EXPECT_EQ(dialogs.lastText(), "Geçersiz tarih : 31.02.2000");
    s->RxDateEdit4->setText("01.0");
    EXPECT_THROW(s->Filter(), SilentAbort);
    EXPECT_EQ(s->statusText(1), "3");
    EXPECT_TRUE(s->QLIST.active());
    // A key bound the server cannot convert: the error propagates, the list is closed.
    s->RxDateEdit4->clear();
    s->Edit1->setText("abc");
    EXPECT_THROW(s->Filter(), fb::Error);
    EXPECT_FALSE(s->QLIST.active());
    s->Edit1->clear();
    s->Filter();
    EXPECT_EQ(s->statusText(1), "3");
}

// A later screen that the person list opens for one person.
class TargetScreen : public TListScreen {
public:
    explicit TargetScreen(QWidget* parent) : TListScreen(options(), parent) {}
    static ListScreenOptions options()
    {
        ListScreenOptions o;
        o.formName = "F_Akr_2F";
        o.gurupColumn = false;
        return o;
    }
    QStringList seen;
    bool flagDuringShow = false;
    int openedCalls = 0;

protected:
    void openedForPerson() override
    {
        ++openedCalls;
        flagDuringShow = OpenForPerson;
        for (QLIST.first(); !QLIST.eof(); QLIST.next())
            seen << QLIST.text("AD");
    }
};

TEST_F(FilterScreen, OpensAnotherScreenForTheCurrentPerson)
{
    auto s = shown();
    s->Filter();
    ASSERT_TRUE(s->QLIST.locate("BLKISIKODU", double(demir)));

    // Not registered yet: nothing opens.
    s->OpenScreenForPerson("TF_Akr_2F");
    EXPECT_FALSE(OpenForPerson);
    EXPECT_TRUE(dialogs.messages.empty());

    TargetScreen* opened = nullptr;
    QStringList keys, seen;
    bool flag = false;
    RegisterListScreen("TF_Akr_2F", [&](QWidget* parent) {
        opened = new TargetScreen(parent);
        return opened;
    });
    QTimer::singleShot(0, [&] {
        ASSERT_TRUE(opened);
        keys << opened->Edit1->text() << opened->Edit2->text();
        seen = opened->seen;
        flag = opened->flagDuringShow;
        opened->KapatAction->trigger();
    });
    s->ToolBar1->findChild<QAction*>("BtnTF_Akr_2F")->trigger();
    EXPECT_EQ(keys, QStringList({QString::number(demir), QString::number(demir)}));
    EXPECT_EQ(seen, QStringList({"Can"}));
    EXPECT_TRUE(flag); // set while the target used it
    EXPECT_FALSE(OpenForPerson); // cleared afterwards
    RegisterListScreen("TF_Akr_2F", nullptr);

    // Opened from the menu (no flag): no list.
    TargetScreen plain(nullptr);
    plain.show();
    EXPECT_FALSE(plain.QLIST.active());
    EXPECT_EQ(plain.openedCalls, 0);
}

TEST_F(FilterScreen, CustomiseOpensTheGridMenuOnTheGrid)
{
    auto s = shown();
    auto* menu = qobject_cast<TPopupGrid*>(s->ZYRXDBGrid1->popupMenu());
    ASSERT_TRUE(menu);
    EXPECT_FALSE(menu->isVisible());
    s->ToolOzellestir->trigger();
    EXPECT_TRUE(menu->isVisible());
    EXPECT_EQ(menu->popupComponent(), s->ZYRXDBGrid1);
    menu->close();
}

TEST_F(FilterScreen, ScreenRunsModallyAndClosesWithEsc)
{
    TF_KisiF s;
    bool wasModal = false;
    QTimer::singleShot(0, [&] {
        wasModal = QApplication::activeModalWidget() == &s;
        s.NameEdit->setText("can");
        s.FilterAction->trigger();
        s.KapatAction->trigger();
    });
    s.exec();
    EXPECT_TRUE(wasModal);
    EXPECT_EQ(s.statusText(1), "1");
    EXPECT_FALSE(s.isVisible());
}

} // namespace
