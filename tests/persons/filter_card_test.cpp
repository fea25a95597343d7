// The person list with the other person screens: the card opened and left again, and the
// person search filling the code criterion.
#include "controls/ZYRXDBGrid.h"
#include "controls/ModalResult.h"
#include "controls/ZyBtnEdit.h"
#include "persons/A_KisiAraU.h"
#include "persons/F_KisiU.h"
#include "persons/K_KisiU.h"
#include "PersonDb.h"

#include <QAction>
#include <QApplication>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

class FilterCard : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* n : {"Ali", "Bora", "Cem", "Deniz", "Ela"})
            keys << db.addPerson(n, "Soy", "0");
    }

    // Runs `during` while the card is open, then closes it; returns the key the card showed.
    QVariant withCard(const std::function<void()>& open, const std::function<void(TK_KisiF&)>& during = {})
    {
        QVariant shownKey;
        QObject guard; // a card that never opens must not leave the check behind
        QTimer::singleShot(0, &guard, [&] {
            auto* card = qobject_cast<TK_KisiF*>(QApplication::activeModalWidget());
            ASSERT_TRUE(card);
            shownKey = card->KISI_DS.value("BLKISIKODU");
            if (during)
                during(*card);
            card->reject();
        });
        open();
        return shownKey;
    }

    PersonDb db;
    FakeDialogService dialogs;
    QList<qint64> keys;
};

TEST_F(FilterCard, EveryTriggerOpensTheCurrentPersonAndComesBackToIt)
{
    TF_KisiF s;
    s.show();
    s.Filter();
    const std::pair<const char*, std::function<void()>> triggers[] = {
        {"F8", [&] { s.KartacAction->trigger(); }},
        {"tool bar", [&] { s.ToolKartAc->trigger(); }},
        {"Enter in the grid", [&] { QTest::keyClick(s.ZYRXDBGrid1, Qt::Key_Return); }},
        {"double click", [&] {
             const QModelIndex i = s.ZYRXDBGrid1->model()->index(s.QLIST.recNo(), 0);
             const QPoint at = s.ZYRXDBGrid1->visualRect(i).center();
             QTest::mouseClick(s.ZYRXDBGrid1->viewport(), Qt::LeftButton, {}, at);
             QTest::mouseDClick(s.ZYRXDBGrid1->viewport(), Qt::LeftButton, {}, at);
         }},
    };
    int row = 1;
    for (const auto& [name, trigger] : triggers) {
        s.QLIST.moveTo(row);
        const QVariant key = s.QLIST.value("BLKISIKODU");
        EXPECT_EQ(withCard(trigger).toDouble(), key.toDouble()) << name;
        // The list was filtered again and stands on the same person.
        EXPECT_EQ(s.QLIST.value("BLKISIKODU").toDouble(), key.toDouble()) << name;
        EXPECT_EQ(s.QLIST.recNo(), row) << name;
        EXPECT_EQ(s.statusText(1), "5");
        ++row;
    }
}

TEST_F(FilterCard, ChangesMadeMeanwhileShowAfterTheCardCloses)
{
    TF_KisiF s;
    s.show();
    s.Filter();
    s.QLIST.moveTo(2); // Cem
    withCard([&] { s.OpenCard(); }, [&](TK_KisiF&) {
        db.exec(QString("UPDATE KISI SET AD='Cemil' WHERE BLKISIKODU=%1").arg(keys[2]));
        db.addPerson("Fuat", "Soy", "0");
    });
    EXPECT_EQ(s.QLIST.text("AD"), "Cemil");
    EXPECT_EQ(s.statusText(1), "6");
}

TEST_F(FilterCard, APersonDeletedMeanwhileLeavesTheListOnItsFirstRow)
{
    TF_KisiF s;
    s.show();
    s.Filter();
    s.QLIST.moveTo(3); // Deniz
    withCard([&] { s.OpenCard(); }, [&](TK_KisiF& card) {
        card.KISI_DS.close();
        db.exec(QString("DELETE FROM KISI WHERE BLKISIKODU=%1").arg(keys[3]));
    });
    EXPECT_EQ(s.statusText(1), "4");
    EXPECT_EQ(s.QLIST.recNo(), 0);
    EXPECT_FALSE(s.QLIST.locate("BLKISIKODU", double(keys[3])));
}

// Runs `during` on the search dialog while it is open; it closes the dialog itself.
void withSearch(const std::function<void()>& open, const std::function<void(TA_KisiAraF&)>& during)
{
    QObject guard;
    QTimer::singleShot(0, &guard, [&] {
        auto* search = qobject_cast<TA_KisiAraF*>(QApplication::activeModalWidget());
        ASSERT_TRUE(search);
        during(*search);
    });
    open();
}

TEST_F(FilterCard, SearchFillsTheCodeAndFiltersOnlyWhenConfirmed)
{
    db.exec(QString("UPDATE KISI SET KISI_KOD='A1' WHERE BLKISIKODU=%1").arg(keys[3]));
    db.exec(QString("UPDATE KISI SET KISI_KOD='A10' WHERE BLKISIKODU=%1").arg(keys[4]));
    TF_KisiF s;
    s.show();
    // Cancelled: nothing changes, no list.
    withSearch([&] { s.kartbulAction->trigger(); }, [](TA_KisiAraF& f) { f.done(mrCancel); });
    EXPECT_EQ(s.ZyBtnEdit1->text(), "");
    EXPECT_FALSE(s.QLIST.active());
    // Confirmed on Deniz (code A1): only Deniz is listed, not A10.
    withSearch([&] { emit s.ZyBtnEdit1->OnBtnClick(); }, [&](TA_KisiAraF& f) {
        f.Edit1->setText("Deniz");
        f.Search();
        ASSERT_TRUE(f.Q_KisiARA.locate("AD", "Deniz"));
        f.done(mrOk);
    });
    EXPECT_EQ(s.ZyBtnEdit1->text(), "A1");
    EXPECT_EQ(s.statusText(1), "1");
    EXPECT_EQ(s.QLIST.text("AD"), "Deniz");
    // Confirmed with an empty result: the criterion stays as it was.
    withSearch([&] { s.FindBySearch(); }, [&](TA_KisiAraF& f) {
        f.Edit1->setText("yokböylebiri");
        f.Search();
        f.done(mrOk);
    });
    EXPECT_EQ(s.ZyBtnEdit1->text(), "A1");
}

} // namespace
