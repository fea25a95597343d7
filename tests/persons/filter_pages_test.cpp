// The diagram pages of the shared list screen: the empty-list page rule, the zoom tools and
// keys, saving the picture, full screen, and the first page after filtering.
#include "controls/ZYRXDBGrid.h"
#include "controls/ZySpeedButton.h"
#include "controls/ZyWinButton.h"
#include "persons/ListScreen.h"
#include "persons/PersonFlags.h"
#include "PersonDb.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QScrollArea>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QToolBar>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

ListScreenOptions pagesOptions(bool hideToolbar)
{
    ListScreenOptions o;
    o.formName = QStringLiteral("F_PagesTest");
    o.caption = QStringLiteral("Sayfalar");
    o.diagramPages = true;
    o.diagramNote = true;
    o.fullScreenHidesToolbar = hideToolbar;
    return o;
}

// Records what the drawing screens would be asked to do.
class PagesScreen : public TListScreen {
public:
    explicit PagesScreen(bool hideToolbar = false) : TListScreen(pagesOptions(hideToolbar)) {}

    struct Zoom {
        int percent;
        bool waitCursor;
    };
    std::vector<Zoom> zooms;
    std::vector<std::pair<QString, int>> pictures;
    std::vector<QWidget*> pagesShown;
    int rebuilds = 0;
    int diagramF5 = 0;

protected:
    void ApplyZoom(int percent) override
    {
        const QCursor* c = QApplication::overrideCursor();
        zooms.push_back({percent, c && c->shape() == Qt::WaitCursor});
    }
    void CanvasToBitmap(const QString& fileName, int formatIndex) override { pictures.emplace_back(fileName, formatIndex); }
    void RebuildDiagram() override { ++rebuilds; }
    void diagramPageShown(QWidget* page) override { pagesShown.push_back(page); }
    void diagramPageF5() override { ++diagramF5; }
};

class FilterPages : public ::testing::Test {
protected:
    void SetUp() override
    {
        OpenForPerson = false;
        db.addPerson("Ayşe", "Kaya", "1");
        db.addPerson("Can", "Demir", "0");
    }

    // Shown, filtered to every person and on the diagram page.
    std::unique_ptr<PagesScreen> onDiagramPage()
    {
        auto s = std::make_unique<PagesScreen>();
        s->show();
        s->Hepsi();
        s->PageControl2->setCurrentWidget(s->TabSheet7);
        return s;
    }
    static std::vector<int> percents(const PagesScreen& s)
    {
        std::vector<int> out;
        for (const auto& z : s.zooms)
            out.push_back(z.percent);
        return out;
    }

    PersonDb db;
    FakeDialogService dialogs;
};

TEST_F(FilterPages, PagesToolsAndMenuAreBuiltOnlyWhenAsked)
{
    PagesScreen s;
    ASSERT_TRUE(s.PageControl2);
    EXPECT_EQ(s.findChild<QTabWidget*>("PageControl2"), s.PageControl2);
    const char* pages[][2] = {{"TabSheet5", "Filtrelenen Kayıtlar"},
                              {"TabSheet6", "Dikey Ağaç Şeması"},
                              {"TabSheet7", "Yatay Ağaç Şeması"}};
    ASSERT_EQ(s.PageControl2->count(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(s.PageControl2->widget(i)->objectName(), pages[i][0]);
        EXPECT_EQ(s.PageControl2->tabText(i), QString::fromUtf8(pages[i][1]));
    }
    EXPECT_TRUE(s.TabSheet5->isAncestorOf(s.ZYRXDBGrid1));
    EXPECT_TRUE(s.TabSheet6->isAncestorOf(s.findChild<QTreeWidget*>("TV1")));
    EXPECT_TRUE(s.TabSheet7->isAncestorOf(s.findChild<QScrollArea*>("ScrollBox2")));
    EXPECT_EQ(s.RxSpinEdit1->minimum(), 10);
    EXPECT_EQ(s.RxSpinEdit1->maximum(), 1000);
    EXPECT_EQ(s.RxSpinEdit1->singleStep(), 10);
    EXPECT_EQ(s.RxSpinEdit1->value(), 100);
    EXPECT_EQ(s.ZoomInButton->toolTip(), "Yakınlaştır (+)");
    EXPECT_EQ(s.ZoomOutButton->toolTip(), "Uzaklaştır (-)");
    EXPECT_EQ(s.RebuildButton->toolTip(), "Şemayı Yeniden Oluştur (F5)");
    EXPECT_EQ(s.SavePictureButton->Caption(), "Resim Olarak Kaydet");
    EXPECT_EQ(s.SavePictureButton->toolTip(), "Resim Olarak Kaydet (*.Jpg, *.Bmp)");
    EXPECT_EQ(s.ZySpeedButton1->text(), "Ayarla");
    ASSERT_EQ(s.PopupMenu1->actions().size(), 2);
    EXPECT_EQ(s.TamEkranAction->text(), "Tam Ekran");
    EXPECT_TRUE(s.TamEkranAction->isEnabled());
    EXPECT_EQ(s.NormalEkranAction->text(), "Normal Ekran");
    EXPECT_FALSE(s.NormalEkranAction->isEnabled());

    ListScreenOptions plain = pagesOptions(false);
    plain.diagramPages = false;
    TListScreen list(plain);
    EXPECT_FALSE(list.PageControl2);
    EXPECT_FALSE(list.findChild<QTabWidget*>("PageControl2"));
    EXPECT_FALSE(list.findChild<QSpinBox*>("RxSpinEdit1"));
}

TEST_F(FilterPages, TurningAPageWithAnEmptyListReturnsToTheList)
{
    struct Case {
        const char* name;
        bool filter;     // list opened at all
        QString nameCriterion;
    };
    const Case cases[] = {
        {"never filtered", false, {}},
        {"filtered to nobody", true, "Zeynep"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PagesScreen s;
        s.show();
        if (c.filter) {
            s.NameEdit->setText(c.nameCriterion);
            s.Filter();
        }
        for (QWidget* page : {s.TabSheet6, s.TabSheet7}) {
            dialogs.messages.clear();
            s.PageControl2->setCurrentWidget(page);
            EXPECT_EQ(s.PageControl2->currentWidget(), s.TabSheet5);
            ASSERT_EQ(dialogs.messages.size(), 1u);
            EXPECT_EQ(dialogs.messages[0].text, "Listede Kayıt Yok !");
            EXPECT_EQ(dialogs.messages[0].icon, MsgIcon::None);
        }
        for (QWidget* page : s.pagesShown)
            EXPECT_EQ(page, s.TabSheet5) << "a diagram page was shown with an empty list";
    }

    // With rows the page stays and the screen hears of it.
    PagesScreen s;
    s.show();
    s.Hepsi();
    dialogs.messages.clear();
    s.PageControl2->setCurrentWidget(s.TabSheet7);
    EXPECT_EQ(s.PageControl2->currentWidget(), s.TabSheet7);
    EXPECT_TRUE(dialogs.messages.empty());
    ASSERT_FALSE(s.pagesShown.empty());
    EXPECT_EQ(s.pagesShown.back(), s.TabSheet7);
}

TEST_F(FilterPages, ZoomToolsStepWithinLimitsUnderTheWaitCursor)
{
    auto s = onDiagramPage();
    QSpinBox* edit = s->RxSpinEdit1;
    struct Step {
        const char* name;
        int start;
        std::function<void()> act;
        int applied;
    };
    const Step steps[] = {
        {"zoom in", 100, [&] { QTest::mouseClick(s->ZoomInButton, Qt::LeftButton); }, 110},
        {"zoom out", 100, [&] { QTest::mouseClick(s->ZoomOutButton, Qt::LeftButton); }, 90},
        {"zoom in at the top", 1000, [&] { s->ZoomIn(); }, 1000},
        {"zoom out at the bottom", 10, [&] { s->ZoomOut(); }, 10},
        {"keypad plus", 200, [&] { QTest::keyClick(edit, Qt::Key_Plus, Qt::KeypadModifier); }, 210},
        {"keypad minus in a filter edit", 200, [&] { QTest::keyClick(s->Edit7, Qt::Key_Minus, Qt::KeypadModifier); }, 190},
        {"keypad plus on the page tabs", 300,
         [&] { QTest::keyClick(s->PageControl2->tabBar(), Qt::Key_Plus, Qt::KeypadModifier); }, 310},
    };
    for (const Step& st : steps) {
        SCOPED_TRACE(st.name);
        edit->setValue(st.start);
        s->zooms.clear();
        st.act();
        ASSERT_EQ(s->zooms.size(), 1u);
        EXPECT_EQ(s->zooms[0].percent, st.applied);
        EXPECT_TRUE(s->zooms[0].waitCursor);
        EXPECT_EQ(edit->value(), st.applied);
    }
    EXPECT_FALSE(QApplication::overrideCursor());
    EXPECT_EQ(s->Edit7->text(), "") << "the key went to the zoom, not into the edit";

    // A typed percentage, through "Ayarla" and through Enter, without filtering again.
    const QStringList statement = s->statement();
    s->NameEdit->setText("Ayşe");
    struct Typed {
        const char* name;
        const char* text;
        std::function<void()> act;
    };
    const Typed typed[] = {
        {"Ayarla", "250", [&] { QTest::mouseClick(s->ZySpeedButton1, Qt::LeftButton); }},
        {"Enter", "370", [&] { QTest::keyClick(edit, Qt::Key_Return); }},
    };
    for (const Typed& t : typed) {
        SCOPED_TRACE(t.name);
        s->zooms.clear();
        s->ZYRXDBGrid1->setFocus();
        edit->findChild<QLineEdit*>()->setText(t.text);
        t.act();
        EXPECT_EQ(percents(*s), std::vector<int>{QString(t.text).toInt()});
        EXPECT_TRUE(s->focusWidget() == edit || edit->isAncestorOf(s->focusWidget()));
    }
    EXPECT_EQ(s->statement(), statement);
    EXPECT_EQ(s->PageControl2->currentWidget(), s->TabSheet7);

    // Keypad keys zoom only on the diagram page; the main keyboard's plus never does.
    s->zooms.clear();
    QTest::keyClick(edit, Qt::Key_Plus);
    s->PageControl2->setCurrentWidget(s->TabSheet5);
    QTest::keyClick(s->Edit7, Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_TRUE(s->zooms.empty());
}

TEST_F(FilterPages, SavePictureAppendsBmpAndDoesNothingWhenCancelled)
{
    auto s = onDiagramPage();
    const QString folder = db.home().path();
    struct Case {
        const char* name;
        QString answer; // empty: cancelled
        QString expected;
    };
    const Case cases[] = {
        {"cancelled", QString(), QString()},
        {"plain name", folder + "Agac", folder + "Agac.Bmp"},
        {"name with its own extension", folder + "Agac.bmp", folder + "Agac.bmp.Bmp"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        s->pictures.clear();
        dialogs.files.push_back(c.answer);
        QTest::mouseClick(s->SavePictureButton, Qt::LeftButton);
        EXPECT_TRUE(dialogs.files.empty());
        if (c.expected.isEmpty()) {
            EXPECT_TRUE(s->pictures.empty());
            continue;
        }
        ASSERT_EQ(s->pictures.size(), 1u);
        EXPECT_EQ(s->pictures[0].first, c.expected);
        EXPECT_EQ(s->pictures[0].second, 3) << "the 256-colour entry is the first choice";
    }
}

TEST_F(FilterPages, FullScreenHidesThePanelsAndComesBack)
{
    for (bool hideToolbar : {false, true}) {
        SCOPED_TRACE(hideToolbar ? "tool bar screen" : "header screen");
        PagesScreen s(hideToolbar);
        s.show();
        QWidget* second = hideToolbar ? static_cast<QWidget*>(s.ToolBar1) : s.Panel2;
        QWidget* kept = hideToolbar ? static_cast<QWidget*>(s.Panel2) : s.ToolBar1;
        for (int round = 0; round < 2; ++round) {
            s.TamEkranAction->trigger();
            EXPECT_FALSE(s.Panel4->isVisible());
            EXPECT_FALSE(second->isVisible());
            EXPECT_TRUE(kept->isVisible());
            EXPECT_FALSE(s.TamEkranAction->isEnabled());
            EXPECT_TRUE(s.NormalEkranAction->isEnabled());
            s.NormalEkranAction->trigger();
            EXPECT_TRUE(s.Panel4->isVisible());
            EXPECT_TRUE(second->isVisible());
            EXPECT_TRUE(s.TamEkranAction->isEnabled());
            EXPECT_FALSE(s.NormalEkranAction->isEnabled());
        }
    }
}

TEST_F(FilterPages, FilterBringsBackTheListAndF5BelongsToTheDiagramPage)
{
    auto s = onDiagramPage();
    struct Case {
        const char* name;
        std::function<void()> act;
    };
    const Case cases[] = {
        {"Filtrele", [&] { s->Filter(); }},
        {"F2", [&] { s->FilterAction->trigger(); }},
        {"Hepsi", [&] { s->Hepsi(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        s->PageControl2->setCurrentWidget(s->TabSheet7);
        ASSERT_EQ(s->PageControl2->currentWidget(), s->TabSheet7);
        s->Edit7->setFocus();
        c.act();
        EXPECT_EQ(s->PageControl2->currentWidget(), s->TabSheet5);
        EXPECT_EQ(s->focusWidget(), s->ZYRXDBGrid1);
        EXPECT_EQ(s->QLIST.recordCount(), 2);
    }

    s->PageControl2->setCurrentWidget(s->TabSheet7);
    s->kartbulAction->trigger();
    EXPECT_EQ(s->diagramF5, 1);
    QTest::mouseClick(s->RebuildButton, Qt::LeftButton);
    EXPECT_EQ(s->rebuilds, 1);
}

} // namespace
