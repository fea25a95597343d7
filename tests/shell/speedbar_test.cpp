#include "TestSupport.h"

#include "data/DataModule.h"
#include "data/IniFile.h"
#include "data/LoginState.h"
#include "shell/AnaFormU.h"
#include "shell/AppPaths.h"
#include "shell/ErrorHandler.h"
#include "shell/SpeedBar.h"
#include "shell/SpeedBarCustomize.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

using testenv::waitUntil;

// Acts on a window of this name once it is on screen (from the event loop of a modal run).
void whenShows(const char* name, std::function<void(QWidget*)> act)
{
    auto* timer = new QTimer;
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, name, act] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->objectName() == QLatin1String(name) && w->isVisible()) {
                timer->stop();
                timer->deleteLater();
                act(w);
                return;
            }
        }
    });
    timer->start();
}

void logInAsAdministrator(QWidget* form)
{
    auto* pass = form->findChild<QLineEdit*>(QStringLiteral("EditPass"));
    auto* ok = form->findChild<QPushButton*>(QStringLiteral("IQGrap1"));
    ASSERT_TRUE(pass && ok);
    pass->clear();
    QTest::keyClicks(pass, QStringLiteral("parola"));
    QTest::mouseClick(ok, Qt::LeftButton);
}

QStringList names(const QList<TSpeedItem*>& items)
{
    QStringList out;
    for (const TSpeedItem* i : items)
        out << i->objectName();
    return out;
}

QList<QPoint> positions(const QList<TSpeedItem*>& items)
{
    QList<QPoint> out;
    for (const TSpeedItem* i : items)
        out << i->pos();
    return out;
}

void sendMouse(QWidget* w, QEvent::Type type, QPoint local, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    QMouseEvent e(type, QPointF(local), QPointF(w->mapToGlobal(local)), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

// Drags a button with the mouse so that its top-left corner ends near `topLeft` of the bar.
void dragTo(TSpeedItem* item, QPoint topLeft)
{
    const QPoint grip(30, 30);
    sendMouse(item, QEvent::MouseButtonPress, grip, Qt::LeftButton, Qt::LeftButton);
    sendMouse(item, QEvent::MouseMove, grip + QPoint(0, 20), Qt::NoButton, Qt::LeftButton);
    sendMouse(item, QEvent::MouseMove, topLeft + grip - item->pos(), Qt::NoButton, Qt::LeftButton);
    sendMouse(item, QEvent::MouseButtonRelease, topLeft + grip - item->pos(), Qt::LeftButton, Qt::NoButton);
}

QString fileText(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

QAction* addItem(QMenu* menu, const QString& name, int tag = 0, const QString& hint = QString())
{
    QAction* a = menu->addAction(name + QStringLiteral(" yazısı"));
    a->setObjectName(name);
    a->setProperty("Tag", tag);
    a->setProperty("Hint", hint);
    return a;
}

QMenu* addGroup(QMenu* parent, QMenuBar* bar, const QString& caption, const QString& name, int tag = 0)
{
    QMenu* m = parent ? parent->addMenu(caption) : bar->addMenu(caption);
    m->menuAction()->setObjectName(name);
    m->menuAction()->setProperty("Tag", tag);
    return m;
}

class SpeedBarTest : public ::testing::Test {
protected:
    void SetUp() override { Login() = LoginState(); }
    void TearDown() override
    {
        Login() = LoginState();
        ErrorHandler::install(nullptr);
    }

    // A main window whose first activation (the login) has run for the administrator.
    void logIn(TAnaF& w)
    {
        w.setArguments({"tavrion"});
        whenShows("K_PasswordF", logInAsAdministrator);
        w.resize(1000, 700);
        w.show();
        ASSERT_TRUE(waitUntil([&] { return w.firstActivationDone(); }));
        ASSERT_TRUE(dm.connected());
    }

    TempHome home;
    FakeDialogService dialogs;
    TD_Genel dm;
};

// ---------------------------------------------------------------- which buttons

TEST_F(SpeedBarTest, SectionsFollowTheMenuRules)
{
    QMenuBar bar;
    QMenu* a = addGroup(nullptr, &bar, "&Alfa", "Alfa");
    addItem(a, "A1", 0, "a-bir");
    addItem(a, "A2", -1);                  // kept off
    addItem(a, "A3")->setVisible(false);   // hidden
    a->addSeparator();
    QMenu* sub = addGroup(a, nullptr, "Alt", "Alt", 65);
    addItem(sub, "S1");
    addItem(sub, "S2", -1);
    addItem(sub, "S3")->setVisible(false);
    QMenu* deeper = addGroup(sub, nullptr, "Derin", "Derin");
    addItem(deeper, "D1");                 // a fourth level gives nothing
    addGroup(a, nullptr, "Bos", "Bos", 7); // a group without entries is a button itself
    QMenu* off = addGroup(a, nullptr, "Kapali", "Kapali", -1);
    addItem(off, "K1");
    QMenu* r = addGroup(nullptr, &bar, "Eski Raporlar", "Rap");
    addItem(r, "R1");
    QMenu* minus = addGroup(nullptr, &bar, "Eksi", "Eksi", -1);
    addItem(minus, "E1");
    QMenu* hidden = addGroup(nullptr, &bar, "Gizli", "Gizli");
    addItem(hidden, "G1");
    hidden->menuAction()->setVisible(false);
    addGroup(nullptr, &bar, "B&o&ş", "BosUst");

    const QList<SpeedBarSectionDef> sections = SpeedBarSections(bar.actions());
    ASSERT_EQ(sections.size(), 2);
    EXPECT_EQ(sections[0].name, "Alfa");
    EXPECT_EQ(sections[1].name, "Bo&ş");
    EXPECT_TRUE(sections[1].buttons.isEmpty());
    struct Expected {
        const char* name;
        int tag;
    };
    const Expected expected[] = {{"A1_SP", 0}, {"S1_SP", 65}, {"Bos_SP", 7}};
    ASSERT_EQ(sections[0].buttons.size(), int(std::size(expected)));
    for (int i = 0; i < sections[0].buttons.size(); ++i) {
        const SpeedBarButtonDef& b = sections[0].buttons[i];
        EXPECT_EQ(b.name, expected[i].name);
        EXPECT_EQ(b.tag, expected[i].tag) << expected[i].name;
        EXPECT_EQ(b.section, "Alfa");
    }
    EXPECT_EQ(sections[0].buttons[0].caption, "A1 yazısı");
    EXPECT_EQ(sections[0].buttons[0].text, "a-bir");
}

struct ExpectedButton {
    const char* section;
    const char* name;
    const char* caption;
    const char* text;
    int tag;
};

const ExpectedButton kMainButtons[] = {
    {"Kişi", "KisiKayit1_SP", "Kişi Kart Kaydı", "Kişi Kayıt", 0},
    {"Kişi", "KisiKartArama1_SP", "Kişi Kartı Arama", "Kişi Arama", 0},
    {"Kişi", "AltKusak_SP", "Alt Kuşak Soy Ağacı", "Alt Kuşak", 65},
    {"Kişi", "UstKusak_SP", "Üst Kuşak Soy Ağacı", "Üst Kuşak", 65},
    {"Kişi", "EtennenAltKuakSoyAac1_SP", "Eş'e Göre Alt Kuşak Soy Ağacı", "Eş'e G.Alt.K.", 65},
    {"Kişi", "Ebeveyn_SP", "4 Kuşak Ebeveyn", "4 K.Ebeveyn", 65},
    {"Kişi", "Kuzen_SP", "Kuzen Kuşağı", "Kzn. Kuşak", 65},
    {"Kişi", "Derece1_SP", "1. Derece Akrabalık (Aile) Listesi", "1.Derece Akr.", 65},
    {"Kişi", "Derece2_SP", "2. Derece Akrabalık Listesi", "2.Derece Akr.", 65},
    {"Yetkili Kişi", "AraubuunuDzenle1_SP", "Araç Çubuğunu Düzenle", "Arç.Çb.Dz.", 0},
    {"Yetkili Kişi", "AraubuunuSfrla1_SP", "Araç Çubuğunu Sıfırla", "Ar.Çb.Sf.", 0},
    {"Yetkili Kişi", "KullaniciKayt1_SP", "Kullanıcı Kayıt", "Kull. Kayıt", 0},
    {"Yetkili Kişi", "KullancyazelAyarlar1_SP", "Kullanıcıya Özel Ayarlar", "Özel Ayarlar", 65},
    {"Yetkili Kişi", "GenelAyarlar1_SP", "Genel Ayarlar", "Gen. Ayar", 65},
    {"Yetkili Kişi", "ifreAyarlar2_SP", "Şifre Değiştirme", "Sif. Değ.", 65},
    {"Yetkili Kişi", "Yedekleme1_SP", "Yedekleme", "Yedeklm.", 65},
    {"Yetkili Kişi", "GeriYukle_SP", "Geri Yükleme", "Geri Yukle", 65},
    {"Araçlar", "AralarMensnDzenle1_SP", "Araçlar Menüsünü Düzenle", "Ar.Mn.Dz.", 0},
    {"Notlar", "YeniNotEkle1_SP", "Yeni Not Ekle", "Yeni Not", 0},
    {"Notlar", "NotlarGster1_SP", "Notları Göster", "Not Göster", 0},
    {"Notlar", "NotlarGizle1_SP", "Notları Gizle", "Not Gizle", 0},
    {"Yardım", "Yardim1_SP", "Tavrion Yardım", "Yardım", 0},
    {"Yardım", "Irtibat1_SP", "Irtibat", "", 0},
    {"Yardım", "Hakkinda1_SP", "Hakkında", "Hakkında", 0},
    {"Yardım", "WebSite1_SP", "www.mervaton.com.tr", "WWW", 0},
    {"Yardım", "ProgramSrmnKontrolEt1_SP", "Program Sürümünü Kontrol Et", "Sürüm Knt.", 0},
    {"Yardım", "Kapat1_SP", "Kapat", "Kapat", 0},
};

TEST_F(SpeedBarTest, MainMenuGivesItsButtons)
{
    TAnaF w;
    w.setFirstActivationOnShow(false);
    Login().speedBarIniFile = IniDir() + "Speed_ALI.Ini";
    w.SpeedBarAktar();

    EXPECT_EQ(w.SpeedBar1->sectionNames(), QStringList({"Kişi", "Yetkili Kişi", "Araçlar", "Notlar", "Yardım"}));
    QStringList expectedNames;
    for (const ExpectedButton& e : kMainButtons)
        expectedNames << e.name;
    EXPECT_EQ(names(w.SpeedBar1->items()), expectedNames);
    for (const ExpectedButton& e : kMainButtons) {
        SCOPED_TRACE(e.name);
        TSpeedItem* b = w.SpeedBar1->item(e.name);
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->Section, QString::fromUtf8(e.section));
        EXPECT_EQ(b->Caption, QString::fromUtf8(e.caption));
        EXPECT_EQ(b->text(), QString::fromUtf8(e.text));
        EXPECT_EQ(b->toolTip(), QString::fromUtf8(e.caption));
        EXPECT_EQ(b->Tag, e.tag);
        EXPECT_EQ(b->property("Tag").toInt(), e.tag);
        EXPECT_EQ(b->size(), QSize(65, 65));
        EXPECT_EQ(b->cursor().shape(), Qt::PointingHandCursor);
        EXPECT_FALSE(b->icon().isNull());
        const QString item = QString::fromLatin1(e.name).chopped(3);
        EXPECT_EQ(b->Action, w.menuItem(item));
    }

    // A click runs the menu item.
    w.show();
    TSpeedItem* about = w.SpeedBar1->item("Hakkinda1_SP");
    ASSERT_TRUE(about->isVisible());
    QTest::mouseClick(about, Qt::LeftButton);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].caption, w.windowTitle());

    // Hidden menu items make no buttons on the next build.
    w.setAdminItemsVisible(false);
    w.SpeedBarAktar();
    for (const char* gone : {"KullaniciKayt1_SP", "GenelAyarlar1_SP", "ifreAyarlar2_SP", "Yedekleme1_SP", "GeriYukle_SP"})
        EXPECT_EQ(w.SpeedBar1->item(gone), nullptr) << gone;
    EXPECT_NE(w.SpeedBar1->item("KullancyazelAyarlar1_SP"), nullptr);
    EXPECT_EQ(w.SpeedBar1->findChildren<TSpeedItem*>().size(), w.SpeedBar1->items().size());
}

// ---------------------------------------------------------------- the layout file

TEST_F(SpeedBarTest, LayoutFileRoundTripAndDamagedFiles)
{
    const QString path = home.path() + "Speed_X.Ini";
    EXPECT_FALSE(LoadSpeedBarLayout(path).has_value());
    EXPECT_FALSE(LoadSpeedBarLayout(QString()).has_value());

    SpeedBarLayout layout;
    layout.position = SpeedBarPosition::Top;
    layout.buttons = {{"Kapat1_SP", "Yardım", true, QPoint(4, 2)}, {"Yardim1_SP", "Yardım", false, QPoint(69, 2)}};
    ASSERT_TRUE(SaveSpeedBarLayout(path, layout));
    const std::optional<SpeedBarLayout> back = LoadSpeedBarLayout(path);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->position, SpeedBarPosition::Top);
    ASSERT_EQ(back->buttons.size(), 2);
    const SpeedBarButtonLayout* k = back->find("Kapat1_SP");
    ASSERT_NE(k, nullptr);
    EXPECT_EQ(k->section, "Yardım");
    EXPECT_TRUE(k->visible);
    EXPECT_EQ(k->pos, QPoint(4, 2));
    EXPECT_FALSE(back->find("Yardim1_SP")->visible);

    // Saving replaces the whole file.
    layout.buttons.removeLast();
    ASSERT_TRUE(SaveSpeedBarLayout(path, layout));
    EXPECT_EQ(LoadSpeedBarLayout(path)->buttons.size(), 1);

    struct Case {
        const char* name;
        QByteArray content;
        bool readable;
    };
    const Case cases[] = {
        {"garbage", QByteArray("\x01\x02\xff\xfe garbage\n\0\0[[[", 20), false},
        {"empty", QByteArray(), false},
        {"bar only", "[SpeedBar1]\nPosition=Top\n", false},
        {"truncated", "[SpeedBar1]\nPosition=top\n[Kapat1_SP]\nVisible=True\nLeft=99999\nTop=-5\n[Yardim1_SP]\nVisi", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(c.content);
        f.close();
        const std::optional<SpeedBarLayout> l = LoadSpeedBarLayout(path);
        ASSERT_EQ(l.has_value(), c.readable);
        if (l) {
            EXPECT_EQ(l->position, SpeedBarPosition::Top);
            ASSERT_EQ(l->buttons.size(), 1);
            EXPECT_EQ(l->buttons[0].pos, QPoint(4000, 0)); // kept within reach
        }
    }

    // A file that holds no button gives the default bar, which replaces it.
    TAnaF w;
    w.setFirstActivationOnShow(false);
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write("\x01\x02 bozuk");
    f.close();
    Login().speedBarIniFile = path;
    w.SpeedBarAktar();
    EXPECT_EQ(names(w.SpeedBar1->shownItems()), QStringList({"Yardim1_SP", "Hakkinda1_SP", "WebSite1_SP", "Kapat1_SP"}));
    EXPECT_TRUE(LoadSpeedBarLayout(path).has_value());
}

TEST_F(SpeedBarTest, GridSnapping)
{
    const struct {
        QPoint in;
        SpeedBarPosition pos;
        QPoint out;
    } cases[] = {
        {{2, 4}, SpeedBarPosition::Right, {2, 4}},       {{10, 100}, SpeedBarPosition::Right, {2, 69}},
        {{-40, -40}, SpeedBarPosition::Right, {2, 4}},   {{40, 140}, SpeedBarPosition::Right, {67, 134}},
        {{100, 1}, SpeedBarPosition::Top, {69, 2}},      {{110, 40}, SpeedBarPosition::Top, {134, 67}},
        {{30, 30}, SpeedBarPosition::Top, {4, 2}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SnapToSpeedBarGrid(c.in, c.pos), c.out) << c.in.x() << "," << c.in.y();
}

// ---------------------------------------------------------------- when the layout is saved

TEST_F(SpeedBarTest, NothingIsSavedDuringTheBuildOrBeforeTheFirstActivationEnded)
{
    const QString path = IniDir() + "Speed_ALI.Ini";
    SpeedBarLayout layout;
    layout.buttons = {{"Kapat1_SP", "Yardım", true, QPoint(2, 4)}, {"Hakkinda1_SP", "Yardım", true, QPoint(2, 69)}};
    ASSERT_TRUE(SaveSpeedBarLayout(path, layout));
    {
        IniFile marked(path);
        marked.writeString("Elle", "Not", "kalsin");
        ASSERT_TRUE(marked.save());
    }
    const QString before = fileText(path);

    TAnaF w;
    w.setFirstActivationOnShow(false);
    w.resize(1000, 700);
    w.show();
    Login().speedBarIniFile = path;
    w.SpeedBarAktar();
    EXPECT_EQ(names(w.SpeedBar1->shownItems()), QStringList({"Kapat1_SP", "Hakkinda1_SP"}));
    EXPECT_EQ(fileText(path), before);

    // The user moves a button and shows another before the login has finished.
    dragTo(w.SpeedBar1->item("Kapat1_SP"), QPoint(2, 69));
    EXPECT_EQ(names(w.SpeedBar1->shownItems()), QStringList({"Hakkinda1_SP", "Kapat1_SP"}));
    whenShows("SpeedBarCustomizeF", [](QWidget* form) {
        auto* f = static_cast<TSpeedBarCustomizeF*>(form);
        f->setButtonShown("Yardim1_SP", true);
        f->BtnTamam->click();
    });
    w.menuItem("AraubuunuDzenle1")->trigger();
    EXPECT_TRUE(w.SpeedBar1->item("Yardim1_SP")->shownOnBar());
    w.SpeedBar1->setPositionByUser(SpeedBarPosition::Top);
    EXPECT_EQ(fileText(path), before);
    EXPECT_FALSE(w.firstActivationDone());
}

TEST_F(SpeedBarTest, FirstLoginGivesTheDefaultBarAndRearrangedBarsComeBack)
{
    TAnaF w;
    logIn(w);
    const QString path = home.path() + "Data/Ini/Speed_YETKILI.Ini";
    EXPECT_EQ(Login().speedBarIniFile, path);

    // First run: right-hand bar with the four help buttons, saved at once.
    TSpeedBar* bar = w.SpeedBar1;
    EXPECT_EQ(w.toolBarArea(bar), Qt::RightToolBarArea);
    EXPECT_EQ(bar->position(), SpeedBarPosition::Right);
    EXPECT_EQ(names(bar->shownItems()), QStringList({"Yardim1_SP", "Hakkinda1_SP", "WebSite1_SP", "Kapat1_SP"}));
    EXPECT_EQ(positions(bar->shownItems()), QList<QPoint>({{2, 4}, {2, 69}, {2, 134}, {2, 199}}));
    EXPECT_TRUE(bar->item("Yardim1_SP")->isVisible());
    EXPECT_FALSE(bar->item("KisiKayit1_SP")->isVisible());
    {
        IniFile saved(path);
        EXPECT_EQ(saved.readString("SpeedBar1", "Position"), "Right");
        EXPECT_EQ(saved.readString("Kapat1_SP", "Section"), "Yardım");
        EXPECT_TRUE(saved.readBool("Kapat1_SP", "Visible"));
        EXPECT_EQ(saved.readInt("Kapat1_SP", "Top"), 199);
        EXPECT_EQ(saved.readInt("Kapat1_SP", "Left"), 2);
        EXPECT_FALSE(saved.readBool("KisiKayit1_SP", "Visible", true));
        EXPECT_EQ(saved.readString("AltKusak_SP", "Section"), "Kişi");
    }

    // Dragging the close button onto the help button swaps the two; saved at once.
    dragTo(bar->item("Kapat1_SP"), QPoint(5, 10));
    EXPECT_EQ(names(bar->shownItems()), QStringList({"Kapat1_SP", "Hakkinda1_SP", "WebSite1_SP", "Yardim1_SP"}));
    EXPECT_EQ(IniFile(path).readInt("Kapat1_SP", "Top"), 4);
    EXPECT_EQ(IniFile(path).readInt("Yardim1_SP", "Top"), 199);
    // A click that does not travel is a click, not a move.
    dialogs.messages.clear();
    QTest::mouseClick(bar->item("Hakkinda1_SP"), Qt::LeftButton);
    EXPECT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(bar->item("Hakkinda1_SP")->pos(), QPoint(2, 69));

    // The customising dialog (a double click on the bar) shows a hidden button; "İptal" changes nothing.
    whenShows("SpeedBarCustomizeF", [](QWidget* form) { static_cast<TSpeedBarCustomizeF*>(form)->BtnIptal->click(); });
    QTest::mouseDClick(bar->canvas(), Qt::LeftButton, Qt::NoModifier, QPoint(30, 400));
    EXPECT_FALSE(bar->item("AltKusak_SP")->shownOnBar());
    QStringList sectionsInDialog, kisiButtons;
    whenShows("SpeedBarCustomizeF", [&](QWidget* form) {
        auto* f = static_cast<TSpeedBarCustomizeF*>(form);
        for (int i = 0; i < f->ListSections->count(); ++i)
            sectionsInDialog << f->ListSections->item(i)->text();
        for (int i = 0; i < f->ListButtons->count(); ++i)
            kisiButtons << f->ListButtons->item(i)->text();
        // Ticking in the list as the user does.
        f->ListButtons->item(2)->setCheckState(Qt::Checked);
        f->ListSections->setCurrentRow(4);
        f->ListButtons->item(3)->setCheckState(Qt::Unchecked); // "WWW"
        f->BtnTamam->click();
    });
    QTest::mouseDClick(bar->canvas(), Qt::LeftButton, Qt::NoModifier, QPoint(30, 400));
    EXPECT_EQ(sectionsInDialog, bar->sectionNames());
    ASSERT_GE(kisiButtons.size(), 3);
    EXPECT_EQ(kisiButtons[2], "Alt Kuşak Soy Ağacı");
    // The new button takes the first free cell, the place of the one hidden with it.
    EXPECT_EQ(names(bar->shownItems()), QStringList({"Kapat1_SP", "Hakkinda1_SP", "AltKusak_SP", "Yardim1_SP"}));
    EXPECT_TRUE(IniFile(path).readBool("AltKusak_SP", "Visible"));
    EXPECT_FALSE(IniFile(path).readBool("WebSite1_SP", "Visible", true));

    // The bar goes to the top edge: positions turn with it.
    bar->setPositionByUser(SpeedBarPosition::Top);
    EXPECT_EQ(w.toolBarArea(bar), Qt::TopToolBarArea);
    EXPECT_EQ(positions(bar->shownItems()), QList<QPoint>({{4, 2}, {69, 2}, {134, 2}, {199, 2}}));
    EXPECT_EQ(IniFile(path).readString("SpeedBar1", "Position"), "Top");
    const QString arranged = fileText(path);

    // Logging out and in again rebuilds the bar from the file, without writing it.
    whenShows("K_PasswordF", logInAsAdministrator);
    w.menuItem("OturumuKapat")->trigger();
    ASSERT_TRUE(dm.connected());
    EXPECT_EQ(w.speedBarBuildCount(), 2);
    bar = w.SpeedBar1;
    EXPECT_EQ(w.toolBarArea(bar), Qt::TopToolBarArea);
    EXPECT_EQ(names(bar->shownItems()), QStringList({"Kapat1_SP", "Hakkinda1_SP", "AltKusak_SP", "Yardim1_SP"}));
    EXPECT_EQ(positions(bar->shownItems()), QList<QPoint>({{4, 2}, {69, 2}, {134, 2}, {199, 2}}));
    EXPECT_EQ(fileText(path), arranged);

    // Another user's bar lives in a file of its own.
    Login().speedBarIniFile = IniDir() + "Speed_ALI.Ini";
    w.SpeedBarAktar();
    EXPECT_EQ(names(w.SpeedBar1->shownItems()), QStringList({"Yardim1_SP", "Hakkinda1_SP", "WebSite1_SP", "Kapat1_SP"}));
    EXPECT_EQ(w.toolBarArea(w.SpeedBar1), Qt::RightToolBarArea);
    EXPECT_TRUE(QFile::exists(IniDir() + "Speed_ALI.Ini"));
    EXPECT_EQ(fileText(path), arranged);
}

TEST_F(SpeedBarTest, ResetAsksWithNoPreselected)
{
    TAnaF w;
    logIn(w);
    const QString path = Login().speedBarIniFile;
    w.SpeedBar1->setPositionByUser(SpeedBarPosition::Top);
    dragTo(w.SpeedBar1->item("Yardim1_SP"), QPoint(300, 2));
    const QString arranged = fileText(path);
    ASSERT_TRUE(arranged.contains("Position=Top"));

    // No keeps the file and the bar.
    dialogs.messages.clear();
    dialogs.answers = {MbNo};
    w.menuItem("AraubuunuSfrla1")->trigger();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    const MessageRequest& q = dialogs.messages[0];
    EXPECT_EQ(q.text, "Araç çubuğu sıfırlanacak. Devam etmek istiyor musunuz");
    EXPECT_EQ(q.caption, "Soru");
    EXPECT_EQ(q.buttons, MbYes | MbNo);
    EXPECT_EQ(q.defaultButton, MbNo);
    EXPECT_EQ(fileText(path), arranged);
    EXPECT_EQ(w.SpeedBar1->position(), SpeedBarPosition::Top);
    const int builds = w.speedBarBuildCount();

    // Yes, from the bar's own menu: the file goes, the default bar is built and saved.
    QAction* original = w.PopupSPEED->findChild<QAction*>("Orjinaldurumunagetir1");
    ASSERT_NE(original, nullptr);
    EXPECT_EQ(original->text(), "Orjinal durumuna getir");
    dialogs.answers = {MbYes};
    original->trigger();
    EXPECT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[1].defaultButton, MbNo);
    EXPECT_EQ(w.speedBarBuildCount(), builds + 1);
    EXPECT_EQ(w.toolBarArea(w.SpeedBar1), Qt::RightToolBarArea);
    EXPECT_EQ(names(w.SpeedBar1->shownItems()), QStringList({"Yardim1_SP", "Hakkinda1_SP", "WebSite1_SP", "Kapat1_SP"}));
    EXPECT_TRUE(fileText(path).contains("Position=Right"));

    // The reset button on the bar itself may rebuild the bar from its own click.
    whenShows("SpeedBarCustomizeF", [](QWidget* form) {
        auto* f = static_cast<TSpeedBarCustomizeF*>(form);
        f->setButtonShown("AraubuunuSfrla1_SP", true);
        f->BtnTamam->click();
    });
    w.AraubuunuDzenle1Click();
    TSpeedItem* resetButton = w.SpeedBar1->item("AraubuunuSfrla1_SP");
    ASSERT_TRUE(resetButton && resetButton->isVisible());
    dialogs.answers = {MbYes};
    QTest::mouseClick(resetButton, Qt::LeftButton);
    QTest::qWait(20);
    EXPECT_EQ(names(w.SpeedBar1->shownItems()), QStringList({"Yardim1_SP", "Hakkinda1_SP", "WebSite1_SP", "Kapat1_SP"}));
}

} // namespace
