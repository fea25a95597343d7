#include "controls/ZYOzelMenu.h"
#include "ControlsTestUtil.h"

#include <QMenu>
#include <QMenuBar>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

QAction* item(QMenu* menu, const QString& caption, int tag = 0, bool visible = true)
{
    QAction* a = menu->addAction(caption);
    a->setProperty("Tag", tag);
    a->setVisible(visible);
    return a;
}

QMenu* group(QMenu* parent, const QString& caption, int tag = 0, bool visible = true)
{
    QMenu* m = parent->addMenu(caption);
    m->menuAction()->setProperty("Tag", tag);
    m->menuAction()->setVisible(visible);
    return m;
}

// The main window's pieces: a menu bar, the panel and its keyboard edit.
struct MenuWindow {
    MenuWindow()
    {
        window.resize(700, 400);
        auto* layout = new QVBoxLayout(&window);
        bar = new QMenuBar(&window);
        layout->setMenuBar(bar);
        panel = new TZYOzelMenu(&window);
        panel->setObjectName("ZYOzelMenu1");
        layout->addWidget(panel);
        edit = new TZYOzelEdit(panel->content());
        edit->setObjectName("ZYOzelEdit1");
        panel->setZYOzelEdit(edit);
    }
    QStringList captions(bool right) const
    {
        QStringList out;
        for (TZYOzelLabel* l : panel->labels())
            if ((l->x() == panel->RaporLeft) == right)
                out << l->Caption();
        return out;
    }
    QWidget window;
    QMenuBar* bar;
    TZYOzelMenu* panel;
    TZYOzelEdit* edit;
};

} // namespace

TEST(ZYOzelMenu, ReportGroupGoesToTheRightColumn)
{
    MenuWindow w;
    QMenu* kisi = w.bar->addMenu(QString::fromUtf8("Kişi"));
    item(kisi, QString::fromUtf8("Kişi Kart Kaydı"));
    item(kisi, QString::fromUtf8("Kişi Kartı &Arama"));
    kisi->addSeparator();
    QMenu* raporlar = group(kisi, "Raporlar", 65);
    item(raporlar, QString::fromUtf8("Alt Kuşak Soy Ağacı"));
    item(raporlar, QString::fromUtf8("Üst Kuşak Soy Ağacı"));
    item(raporlar, "Kuzen &&Kuşağı");

    w.panel->MenuOlustur(w.panel, w.bar, kisi->menuAction());
    const auto& labels = w.panel->labels();
    ASSERT_EQ(labels.size(), 5);
    EXPECT_EQ(w.panel->leftCount(), 2);
    EXPECT_EQ(w.panel->rightCount(), 3);
    const QList<QPoint> at = {{10, 10}, {10, 43}, {300, 10}, {300, 43}, {300, 76}};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(labels[i]->pos(), at[i]) << i;
        EXPECT_EQ(labels[i]->Tag(), i + 1);
        EXPECT_EQ(labels[i]->parentWidget(), w.panel->content());
    }
    EXPECT_EQ(labels[1]->Caption(), QString::fromUtf8("Kişi Kartı Arama"));
    EXPECT_EQ(labels[4]->Caption(), QString::fromUtf8("Kuzen &Kuşağı")); // only the first "&" goes
    EXPECT_EQ(labels[0]->font().family(), "Times New Roman");
    EXPECT_EQ(labels[0]->fontColor(), QColor(128, 0, 0));
    EXPECT_EQ(labels[2]->fontColor(), QColor(0, 0, 128));

    // Size from the font's metrics: caption + 2 by its height + 2.
    const QFontMetrics fm(w.panel->MenuFont);
    EXPECT_EQ(labels[0]->size(), QSize(fm.horizontalAdvance(labels[0]->Caption()) + 2, fm.height() + 2));
}

TEST(ZYOzelMenu, SeparatorsInvisibleAndTagMinusOneEntries)
{
    MenuWindow w;
    QMenu* top = w.bar->addMenu("Top");
    item(top, "S1");
    item(top, "S2 gizli", 0, false);
    item(top, "S3 eksi", -1);
    QMenu* s4 = group(top, "S4");
    item(s4, "C1");
    s4->addSeparator();
    item(s4, "-");
    QMenu* c3 = group(s4, "C3 gizli", 0, false); // its own shown entries still count
    item(c3, "G1");
    item(c3, "G2 eksi", -1);
    item(s4, "C4 eksi", -1);
    QMenu* c6 = group(s4, "C6 rapor", 65); // not for the left column; its plain entries are
    item(c6, "X1");
    item(c6, "X2 rapor", 65);
    QMenu* s5 = group(top, "S5 gizli", 0, false); // a direct sub-entry that is hidden adds nothing
    item(s5, "H1");
    QMenu* s6 = group(top, "S6 eksi", -1);
    item(s6, "H2");
    QMenu* s7 = group(top, "S7 rapor gizli", 65, false);
    item(s7, "H3");
    QMenu* s8 = group(top, "S8 rapor", 65);
    item(s8, "R1");
    item(s8, "R2 rapor", 65);
    QMenu* r3 = group(s8, "R3 gizli", 0, false);
    item(r3, "RR1");
    item(s8, "R4 eksi", -1);
    s8->addSeparator();
    item(top, "S9 rapor", 65);
    item(top, "S10");

    w.panel->MenuOlustur(w.panel, w.bar, top->menuAction());
    EXPECT_EQ(w.captions(false), QStringList({"S1", "C1", "G1", "X1", "S10"}));
    EXPECT_EQ(w.captions(true), QStringList({"R1", "R2 rapor", "RR1", "S9 rapor"}));
    EXPECT_EQ(w.panel->leftCount(), 5);
    EXPECT_EQ(w.panel->rightCount(), 4);
    // Rows count per column in creation order.
    EXPECT_EQ(w.panel->labels().last()->Caption(), "S10");
    EXPECT_EQ(w.panel->labels().last()->y(), 10 + 4 * 33);
    EXPECT_EQ(w.panel->labels()[7]->Caption(), "S9 rapor"); // number 8: created before S10
    EXPECT_EQ(w.panel->labels()[7]->y(), 10 + 3 * 33);

    // An item without entries makes no labels; nothing given makes none either.
    QAction* lone = w.bar->addAction("Tek");
    w.panel->MenuOlustur(w.panel, w.bar, lone);
    EXPECT_TRUE(w.panel->labels().isEmpty());
    w.panel->MenuOlustur(w.panel, w.bar, nullptr);
    EXPECT_TRUE(w.panel->labels().isEmpty());
}

TEST(ZYOzelMenu, IconsComeWithTheMainMenuAndWidenTheLabel)
{
    MenuWindow w;
    QMenu* top = w.bar->addMenu("Top");
    QPixmap red(16, 16);
    red.fill(Qt::red);
    QAction* a = item(top, "Ikonlu");
    a->setIcon(QIcon(red));
    const QFontMetrics fm(w.panel->MenuFont);
    const int tw = fm.horizontalAdvance("Ikonlu");

    w.panel->MenuOlustur(w.panel, w.bar, top->menuAction());
    TZYOzelLabel* l = w.panel->labels().value(0);
    ASSERT_NE(l, nullptr);
    EXPECT_EQ(l->size(), QSize(16 + 10 + tw + 2, 16 + 2));
    EXPECT_EQ(ctl::grab(l).pixelColor(0, 0), QColor(Qt::red));

    w.panel->MenuOlustur(w.panel, nullptr, top->menuAction());
    l = w.panel->labels().value(0);
    ASSERT_NE(l, nullptr);
    EXPECT_TRUE(l->Glpyh().isNull());
    EXPECT_EQ(l->size(), QSize(tw + 2, fm.height() + 2));
}

namespace {
// 4 left and 2 right labels; their actions record the triggers.
struct SixLabels : MenuWindow {
    SixLabels()
    {
        top = bar->addMenu("Top");
        for (int i = 1; i <= 4; ++i)
            actions << item(top, QStringLiteral("Sol %1").arg(i));
        QMenu* r = group(top, "Raporlar", 65);
        for (int i = 5; i <= 6; ++i)
            actions << item(r, QStringLiteral("Sag %1").arg(i));
        for (QAction* a : actions)
            QObject::connect(a, &QAction::triggered, [this, a] { log << "trigger " + a->text(); });
        QObject::connect(panel, &TZYOzelMenu::OnLabelClick, [this](TZYOzelLabel* l) { log << "label " + l->Caption(); });
        panel->MenuOlustur(panel, bar, top->menuAction());
    }
    QMenu* top;
    QList<QAction*> actions;
    QStringList log;
};
} // namespace

TEST(ZYOzelMenu, KeyboardMovesBetweenRowsAndColumns)
{
    SixLabels w;
    ASSERT_EQ(w.panel->leftCount(), 4);
    ASSERT_EQ(w.panel->rightCount(), 2);
    EXPECT_EQ(w.panel->selectedLabel(), nullptr); // nothing selected after a build
    ASSERT_TRUE(ctl::showActive(&w.window));
    w.edit->setFocus();
    ASSERT_TRUE(w.edit->hasFocus());
    EXPECT_TRUE(w.panel->selectionShown());
    EXPECT_EQ(w.panel->selectedNumber(), 1);

    struct Case {
        int from;
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        int to;
    };
    const Qt::KeyboardModifiers none = Qt::NoModifier, ctrl = Qt::ControlModifier;
    const Case cases[] = {
        {2, Qt::Key_Right, none, 6}, {3, Qt::Key_Right, none, 5}, {4, Qt::Key_Right, none, 5},
        {5, Qt::Key_Right, none, 5}, {6, Qt::Key_Left, none, 2},  {5, Qt::Key_Left, none, 1},
        {2, Qt::Key_Left, none, 2},  {2, Qt::Key_End, none, 4},   {5, Qt::Key_End, none, 6},
        {6, Qt::Key_Home, none, 5},  {3, Qt::Key_Home, none, 1},  {6, Qt::Key_Down, none, 1},
        {4, Qt::Key_Down, none, 5},  {1, Qt::Key_Up, none, 6},    {5, Qt::Key_Up, none, 4},
        {6, Qt::Key_Home, ctrl, 1},  {2, Qt::Key_End, ctrl, 6},   {5, Qt::Key_Home, ctrl, 1},
    };
    for (const Case& c : cases) {
        w.panel->selectNumber(c.from);
        QTest::keyClick(w.edit, c.key, c.mods);
        EXPECT_EQ(w.panel->selectedNumber(), c.to) << "from " << c.from << " key " << c.key;
        EXPECT_EQ(w.panel->selectedLabel(), w.panel->labels()[c.to - 1]);
    }
    EXPECT_TRUE(w.edit->text().isEmpty());

    // Losing the focus hides the selection; coming back keeps the selected label.
    w.panel->selectNumber(3);
    w.window.setFocus();
    w.edit->clearFocus();
    EXPECT_FALSE(w.panel->selectionShown());
    w.edit->setFocus();
    EXPECT_TRUE(w.panel->selectionShown());
    EXPECT_EQ(w.panel->selectedNumber(), 3);
}

TEST(ZYOzelMenu, SideKeysStayPutWithOneColumn)
{
    MenuWindow w;
    QMenu* top = w.bar->addMenu("Top");
    item(top, "A");
    item(top, "B");
    w.panel->MenuOlustur(w.panel, w.bar, top->menuAction());
    ASSERT_TRUE(ctl::showActive(&w.window));
    w.edit->setFocus();
    w.panel->selectNumber(2);
    QTest::keyClick(w.edit, Qt::Key_Right);
    EXPECT_EQ(w.panel->selectedNumber(), 2);
    QTest::keyClick(w.edit, Qt::Key_Left);
    EXPECT_EQ(w.panel->selectedNumber(), 2);
    QTest::keyClick(w.edit, Qt::Key_Down);
    EXPECT_EQ(w.panel->selectedNumber(), 1);
}

TEST(ZYOzelMenu, EnterAndMouseClickRunTheEntryAfterOnLabelClick)
{
    SixLabels w;
    ASSERT_TRUE(ctl::showActive(&w.window));
    w.edit->setFocus();
    w.panel->selectNumber(6);
    QTest::keyClick(w.edit, Qt::Key_Return);
    EXPECT_EQ(w.log, QStringList({"label Sag 6", "trigger Sag 6"}));

    // A mouse press focuses the edit and selects the pressed label; the release clicks it.
    w.log.clear();
    w.window.setFocus();
    TZYOzelLabel* third = w.panel->labels()[2];
    QTest::mousePress(third, Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_TRUE(w.edit->hasFocus());
    EXPECT_EQ(w.panel->selectedNumber(), 3);
    EXPECT_TRUE(w.log.isEmpty());
    QTest::mouseRelease(third, Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(w.log, QStringList({"label Sol 3", "trigger Sol 3"}));

    // Released outside the label: no click.
    w.log.clear();
    QTest::mousePress(third, Qt::LeftButton, {}, QPoint(3, 3));
    QTest::mouseRelease(third, Qt::LeftButton, {}, QPoint(-50, 3));
    EXPECT_TRUE(w.log.isEmpty());
}

TEST(ZYOzelMenu, SelectedLabelDrawsOnSelectedColor)
{
    SixLabels w;
    ASSERT_TRUE(ctl::showActive(&w.window));
    w.edit->setFocus();
    w.panel->selectNumber(2);
    auto blue = [](QColor c) { return c == QColor(Qt::blue); };
    auto maroon = [](QColor c) { return c == QColor(128, 0, 0); };
    const QImage selected = ctl::grab(w.panel->labels()[1]);
    const QImage plain = ctl::grab(w.panel->labels()[0]);
    ctl::save(w.panel->labels()[1], "ozel_label_selected");
    ctl::save(&w.window, "ozel_menu");
    EXPECT_GT(ctl::countPixels(selected, selected.rect(), blue), 50);
    EXPECT_EQ(ctl::countPixels(selected, selected.rect(), maroon), 0);
    EXPECT_EQ(ctl::countPixels(plain, plain.rect(), blue), 0);
    EXPECT_GT(ctl::countPixels(plain, plain.rect(), maroon), 10);

    // Hidden selection: drawn like the others.
    w.panel->showSelection(false);
    const QImage hidden = ctl::grab(w.panel->labels()[1]);
    EXPECT_EQ(ctl::countPixels(hidden, hidden.rect(), blue), 0);
}

TEST(ZYOzelMenu, MenuTemizleResetsAndARebuildFromAClickIsSafe)
{
    SixLabels w;
    ASSERT_TRUE(ctl::showActive(&w.window));
    w.edit->setFocus();
    w.panel->selectNumber(4);
    w.panel->MenuTemizle();
    EXPECT_TRUE(w.panel->labels().isEmpty());
    EXPECT_EQ(w.panel->leftCount(), 0);
    EXPECT_EQ(w.panel->rightCount(), 0);
    EXPECT_EQ(w.panel->selectedNumber(), 1);
    EXPECT_EQ(w.panel->selectedLabel(), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(w.panel->content()->findChildren<TZYOzelLabel*>().isEmpty());
    EXPECT_EQ(w.edit->parentWidget(), w.panel->content()); // the edit is not the panel's to destroy

    // Keys with no labels fall through to the edit.
    QTest::keyClick(w.edit, Qt::Key_Down);
    EXPECT_EQ(w.panel->selectedLabel(), nullptr);

    // An entry that rebuilds the panel from its own label's click.
    w.panel->MenuOlustur(w.panel, w.bar, w.top->menuAction());
    QObject::connect(w.actions[0], &QAction::triggered, w.panel, [&] { w.panel->MenuOlustur(w.panel, w.bar, w.top->menuAction()); });
    QPointer<TZYOzelLabel> first = w.panel->labels()[0];
    QTest::mouseClick(first, Qt::LeftButton, {}, QPoint(3, 3));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(first.isNull());
    EXPECT_EQ(w.panel->labels().size(), 6);
    EXPECT_EQ(w.panel->content()->findChildren<TZYOzelLabel*>().size(), 6);
}

TEST(ZYOzelMenu, OSVistaHidesThePanelWhileBuildingAndTheEditSitsOffScreen)
{
    MenuWindow w;
    QMenu* top = w.bar->addMenu("Top");
    item(top, "A");
    item(top, "B");
    bool visibleDuringBuild = true;
    w.panel->OSVista = true;
    ASSERT_TRUE(ctl::showActive(&w.window));
    // Labels are added in the middle of the build: look at the panel from there.
    struct Probe : QObject {
        TZYOzelMenu* panel;
        bool* seen;
        bool eventFilter(QObject*, QEvent* e) override
        {
            if (e->type() == QEvent::ChildAdded)
                *seen = panel->isVisible();
            return false;
        }
    } probe;
    probe.panel = w.panel;
    probe.seen = &visibleDuringBuild;
    w.panel->content()->installEventFilter(&probe);
    w.panel->MenuOlustur(w.panel, w.bar, top->menuAction());
    EXPECT_FALSE(visibleDuringBuild);
    EXPECT_TRUE(w.panel->isVisible());
    EXPECT_EQ(w.edit->geometry().topLeft(), QPoint(-1000, 20));
    EXPECT_EQ(w.edit->width(), 10);
    EXPECT_EQ(w.edit->ZYOzelMenu(), w.panel);
}

TEST(ZYOzelMenu, LabelEventsReachThePanelAfterTheSelection)
{
    SixLabels w;
    QStringList seen;
    QObject::connect(w.panel, &TZYOzelMenu::OnLabelMouseDown, [&](TZYOzelLabel* l, Qt::MouseButton) {
        seen << QStringLiteral("down %1 selected %2 focus %3").arg(l->Tag()).arg(w.panel->selectedNumber()).arg(w.edit->hasFocus());
    });
    QObject::connect(w.panel, &TZYOzelMenu::OnLabelMouseUp, [&](TZYOzelLabel* l, Qt::MouseButton) { seen << QStringLiteral("up %1").arg(l->Tag()); });
    QObject::connect(w.panel, &TZYOzelMenu::OnLabelMouseEnter, [&](TZYOzelLabel* l) { seen << QStringLiteral("enter %1").arg(l->Tag()); });
    QObject::connect(w.panel, &TZYOzelMenu::OnLabelMouseLeave, [&](TZYOzelLabel* l) { seen << QStringLiteral("leave %1").arg(l->Tag()); });
    ASSERT_TRUE(ctl::showActive(&w.window));
    w.window.setFocus();
    TZYOzelLabel* fifth = w.panel->labels()[4];
    EXPECT_EQ(fifth->property("Tag").toInt(), 5);
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(fifth->mapToGlobal(QPoint(2, 2))));
    QApplication::sendEvent(fifth, &enter);
    QTest::mouseClick(fifth, Qt::LeftButton, {}, QPoint(3, 3));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(fifth, &leave);
    EXPECT_EQ(seen, QStringList({"enter 5", "down 5 selected 5 focus 1", "up 5", "leave 5"}));
    EXPECT_EQ(w.log, QStringList({"label Sag 5", "trigger Sag 5"}));
}

TEST(ZYOzelMenu, EmptyPanelShowsNoSelectionAndLostPartnersAreDropped)
{
    MenuWindow w;
    ASSERT_TRUE(ctl::showActive(&w.window));
    w.edit->setFocus();
    EXPECT_FALSE(w.panel->selectionShown()); // no labels: nothing to show
    EXPECT_EQ(w.panel->selectedLabel(), nullptr);
    QTest::keyClick(w.edit, Qt::Key_Return); // and Enter has nothing to click

    // A label made by hand has no entry behind it: Enter selects nothing to run.
    TZYOzelLabel* bare = w.panel->NewLabel();
    EXPECT_EQ(bare->Tag(), 1);
    EXPECT_EQ(bare->parentWidget(), w.panel->content());
    w.panel->selectNumber(1);
    int clicks = 0;
    QObject::connect(w.panel, &TZYOzelMenu::OnLabelClick, [&] { ++clicks; });
    QTest::keyClick(w.edit, Qt::Key_Return);
    EXPECT_EQ(clicks, 0);

    delete w.edit;
    EXPECT_EQ(w.panel->ZYOzelEdit(), nullptr);
    auto* edit = new TZYOzelEdit(&w.window);
    edit->setZYOzelMenu(w.panel);
    EXPECT_EQ(w.panel->ZYOzelEdit(), edit);
    delete w.panel;
    EXPECT_EQ(edit->ZYOzelMenu(), nullptr);
    QTest::keyClick(edit, Qt::Key_Down); // a plain edit now
    delete edit;
}
