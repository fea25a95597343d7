// The person search dialog: layout, keys, closing, grid layout files and the modes.
#include "controls/GridLayout.h"
#include "controls/ZYFormHeader.h"
#include "controls/ZYRXDBGrid.h"
#include "controls/ZyWinButton.h"
#include "data/DatasetRoutines.h"
#include "controls/ModalResult.h"
#include "persons/A_KisiAraU.h"
#include "persons/PersonFlags.h"
#include "shell/AppPaths.h"
#include "shell/GeneralRoutines.h"
#include "shell/SilentAbort.h"
#include "FamilyFixture.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

class SearchDialog : public ::testing::Test {
protected:
    static void SetUpTestSuite() { family = std::make_unique<FamilyFixture>(); }
    static void TearDownTestSuite() { family.reset(); }

    // Runs the dialog modally; steps run once it is shown. A dialog still open after ten
    // seconds is closed with 99.
    static int runModal(TA_KisiAraF& d, const std::function<void()>& steps)
    {
        QTimer::singleShot(0, &d, steps);
        QTimer::singleShot(10000, &d, [&d] {
            if (d.isVisible())
                d.done(99);
        });
        return d.exec();
    }

    static QSet<QString> rows(TA_KisiAraF& d)
    {
        QSet<QString> roles;
        if (!d.Q_KisiARA.active())
            return roles;
        for (int r = 0; r < d.Q_KisiARA.recordCount(); ++r)
            roles.insert(family->role(d.Q_KisiARA.valueAt(r, d.Q_KisiARA.fieldIndex("BLKISIKODU")).toLongLong()));
        return roles;
    }

    // A search for the unrelated persons (group "Komşu"), all seven of them.
    static void searchNeighbours(TA_KisiAraF& d)
    {
        d.Edit2->setText("Komşu");
        QTest::keyClick(d.Edit1, Qt::Key_F2);
        ASSERT_TRUE(d.Q_KisiARA.active());
        ASSERT_EQ(d.Q_KisiARA.recordCount(), 7);
    }

    static std::unique_ptr<FamilyFixture> family;
    FakeDialogService dialogs;
};
std::unique_ptr<FamilyFixture> SearchDialog::family;

TEST_F(SearchDialog, LayoutCaptionsAndStartState)
{
    SearchConfirmed = true;
    TA_KisiAraF d;
    EXPECT_FALSE(SearchConfirmed);
    EXPECT_FALSE(d.EsModu || d.BabaModu || d.AnneModu);
    EXPECT_EQ(d.objectName(), "A_KisiAraF");
    EXPECT_EQ(d.windowTitle(), MainWindowCaption());
    EXPECT_TRUE(d.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(d.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(d.ZYFormHeader1->Title(), "Kişi Arama");
    EXPECT_EQ(d.Panel1->width(), 148);
    EXPECT_EQ(d.Label1->text(), "Arama");
    EXPECT_EQ(d.Label2->text(), "Gurubu");
    EXPECT_EQ(d.Label3->text(), "Arama Kriteri");
    EXPECT_EQ(d.ZyWinButton1->Caption(), "Filtrele (F2)");
    const std::pair<QRadioButton*, const char*> radios[] = {
        {d.RB1, "Kişi Kodu"}, {d.RB2, "Kişi Adı"}, {d.RB4, "Aile Adı"}, {d.RB5, "Hepsi"}};
    for (const auto& [rb, text] : radios) {
        EXPECT_EQ(rb->text(), QString::fromUtf8(text));
        EXPECT_EQ(rb->isChecked(), rb == d.RB2) << text;
    }
    EXPECT_EQ(d.BTNOK->Caption(), "Tamam");
    EXPECT_EQ(d.BTNVAZ->Caption(), "Vazgeç");
    const char* columns[][2] = {{"AD", "Adı"},           {"SOYAD", "Soyadı"},        {"ANNE_ADI", "Anne"},
                                {"BABA_ADI", "Baba"},    {"AILE_AD", "Aile Adı"},    {"KISI_KOD", "Kişi Kodu"},
                                {"BLKISIKODU", "Bl.Kisi.Kd."}};
    ASSERT_EQ(d.ZYRXDBGrid1->columnCount(), 7);
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(d.ZYRXDBGrid1->column(i).fieldName, columns[i][0]);
        EXPECT_EQ(d.ZYRXDBGrid1->column(i).title, QString::fromUtf8(columns[i][1]));
    }
    EXPECT_EQ(d.findChild<QWidget*>("ZYRXDBGrid1"), d.ZYRXDBGrid1);
    EXPECT_EQ(d.findChild<QWidget*>("Edit1"), d.Edit1);
}

TEST_F(SearchDialog, ShowEmptiesTheEditsFocusesEdit1AndKeepsTheGridLayouts)
{
    {
        // The user's saved layout: a wider first column.
        TA_KisiAraF saved;
        GridColumn c = saved.ZYRXDBGrid1->column(0);
        c.width = 222;
        saved.ZYRXDBGrid1->setColumn(0, c);
        SaveGridLayout(saved.ZYRXDBGrid1, IniDir() + "A_KisiAraF.ini");
    }
    TA_KisiAraF d;
    d.Edit1->setText("eski");
    d.Edit2->setText("metin");
    runModal(d, [&] {
        EXPECT_TRUE(d.Edit1->text().isEmpty());
        EXPECT_TRUE(d.Edit2->text().isEmpty());
        EXPECT_EQ(d.focusWidget(), d.Edit1);
        EXPECT_FALSE(d.Q_KisiARA.active()); // empty until the first search
        EXPECT_TRUE(QFile::exists(IniDir() + "A_KisiAraF_o.agr"));
        EXPECT_EQ(d.ZYRXDBGrid1->column(0).width, 222);
        d.done(mrCancel);
    });
    QFile::remove(IniDir() + "A_KisiAraF.agr");
}

TEST_F(SearchDialog, F2SearchesAndEnterInTheSearchEditConfirms)
{
    TA_KisiAraF d;
    const int result = runModal(d, [&] {
        QTest::keyClicks(d.Edit1, "i");
        d.Edit2->setText("komşu");
        QTest::keyClick(d.Edit1, Qt::Key_F2);
        EXPECT_EQ(rows(d), QSet<QString>({"ismailU", "ismailL"}));
        EXPECT_EQ(d.focusWidget(), d.ZYRXDBGrid1);
        EXPECT_TRUE(d.isVisible()); // F2 only searches
        QTest::keyClick(d.Edit1, Qt::Key_Return);
    });
    EXPECT_EQ(result, mrOk);
    EXPECT_TRUE(SearchConfirmed);
    ASSERT_TRUE(d.Q_KisiARA.active());
    EXPECT_EQ(d.Q_KisiARA.recNo(), 0);
}

TEST_F(SearchDialog, EnterAnywhereInTheFormConfirms)
{
    const char* targets[] = {"Edit2", "RB4", "ZYRXDBGrid1", "ZyWinButton1", "BTNVAZ"};
    for (const char* name : targets) {
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
            SearchConfirmed = false;
            TA_KisiAraF d;
            const int result = runModal(d, [&] {
                QWidget* w = d.findChild<QWidget*>(name);
                ASSERT_TRUE(w) << name;
                QTest::keyClick(w, key);
            });
            EXPECT_EQ(result, mrOk) << name;
            EXPECT_TRUE(SearchConfirmed) << name;
        }
    }
}

TEST_F(SearchDialog, EscVazgecAndTheCloseBoxNeverHandOverAPerson)
{
    struct Case {
        const char* name;
        std::function<void(TA_KisiAraF&)> close;
    };
    const Case cases[] = {
        {"Esc in the grid", [](TA_KisiAraF& d) { QTest::keyClick(d.ZYRXDBGrid1, Qt::Key_Escape); }},
        {"Esc in the search edit", [](TA_KisiAraF& d) { QTest::keyClick(d.Edit1, Qt::Key_Escape); }},
        {"Vazgeç", [](TA_KisiAraF& d) { QTest::mouseClick(d.BTNVAZ, Qt::LeftButton); }},
        {"close box", [](TA_KisiAraF& d) { d.close(); }},
    };
    for (const Case& c : cases) {
        // An earlier search was confirmed.
        {
            TA_KisiAraF first;
            runModal(first, [&] {
                searchNeighbours(first);
                QTest::mouseClick(first.BTNOK, Qt::LeftButton);
            });
            ASSERT_TRUE(SearchConfirmed) << c.name;
        }
        TA_KisiAraF d;
        const int result = runModal(d, [&] {
            searchNeighbours(d);
            c.close(d);
        });
        EXPECT_FALSE(d.isVisible()) << c.name;
        EXPECT_NE(result, mrOk) << c.name;
        EXPECT_FALSE(SearchConfirmed) << c.name;
    }
}

TEST_F(SearchDialog, TamamAndDoubleClickConfirmTheChosenRow)
{
    {
        TA_KisiAraF d;
        runModal(d, [&] {
            d.Edit2->setText("Komşu");
            d.ZyWinButton1->click(); // "Filtrele (F2)"
            ASSERT_EQ(d.Q_KisiARA.recordCount(), 7);
            d.ZYRXDBGrid1->setCurrentIndex(d.ZYRXDBGrid1->model()->index(1, 0));
            QTest::mouseClick(d.BTNOK, Qt::LeftButton);
        });
        EXPECT_TRUE(SearchConfirmed);
        EXPECT_EQ(d.Q_KisiARA.recNo(), 1);
    }
    {
        TA_KisiAraF d;
        QString chosen;
        runModal(d, [&] {
            searchNeighbours(d);
            const QRect cell = d.ZYRXDBGrid1->visualRect(d.ZYRXDBGrid1->model()->index(2, 0));
            QTest::mouseClick(d.ZYRXDBGrid1->viewport(), Qt::LeftButton, {}, cell.center());
            chosen = d.Q_KisiARA.text("AD");
            QTest::mouseDClick(d.ZYRXDBGrid1->viewport(), Qt::LeftButton, {}, cell.center());
        });
        EXPECT_TRUE(SearchConfirmed);
        EXPECT_EQ(d.Q_KisiARA.recNo(), 2);
        EXPECT_EQ(d.Q_KisiARA.text("AD"), chosen);
    }
}

TEST_F(SearchDialog, ParentNamesAreShownBesideEachPerson)
{
    TA_KisiAraF d;
    runModal(d, [&] {
        d.RB5->setChecked(true); // "Hepsi": the text is ignored
        d.Edit1->setText("yok böyle biri");
        QTest::keyClick(d.Edit1, Qt::Key_F2);
        ASSERT_TRUE(d.Q_KisiARA.locate("BLKISIKODU", family->key("subject")));
        EXPECT_EQ(d.Q_KisiARA.text("ANNE_ADI"), "Emine Kaya");
        EXPECT_EQ(d.Q_KisiARA.text("BABA_ADI"), "Ahmet Kaya");
        EXPECT_EQ(d.Q_KisiARA.recordCount(), family->roles().size());
        d.done(mrCancel);
    });
}

TEST_F(SearchDialog, SpouseModeForTheCardsPerson)
{
    TA_KisiAraF d;
    d.EsModu = true;
    ASSERT_TRUE(ReopenDataset(d.Kisi_Q, "KISI", "BLKISIKODU=" + QString::number(family->key("subject"))));
    runModal(d, [&] {
        QTest::keyClick(d.Edit1, Qt::Key_F2);
        EXPECT_EQ(rows(d), QSet<QString>({"stepmother", "brotherWife", "cmMother", "irmakU", "irmakL", "aysel", "gunay"}));
        QTest::keyClick(d.ZYRXDBGrid1, Qt::Key_Return);
    });
    EXPECT_TRUE(SearchConfirmed);
}

TEST_F(SearchDialog, AModeWithoutASubjectIsRefused)
{
    TA_KisiAraF d;
    d.BabaModu = true;
    EXPECT_THROW(d.Search(), SilentAbort);
    EXPECT_EQ(dialogs.lastText(), "Kişi seçiniz yada kaydı tamamlayınız !");
    EXPECT_FALSE(d.Q_KisiARA.active());
}

TEST_F(SearchDialog, ARejectedStatementLeavesTheListClosed)
{
    TA_KisiAraF d;
    d.Edit1->setText("Ali");
    d.Search();
    ASSERT_TRUE(d.Q_KisiARA.active());
    // A character the connection's code page cannot carry.
    d.Edit1->setText(QString::fromUtf8("中"));
    EXPECT_ANY_THROW(d.Search());
    EXPECT_FALSE(d.Q_KisiARA.active());
}

} // namespace
