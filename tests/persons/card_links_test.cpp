// The person card's family links and marriages against the database, through the real person
// search and real second cards.
#include "card_fixture.h"

#include "controls/ModalResult.h"
#include "controls/ZyWinButton.h"
#include "persons/A_KisiAraU.h"
#include "persons/PersonFlags.h"

#include <QComboBox>
#include <QDate>
#include <QGroupBox>
#include <QLineEdit>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

namespace {

using CardLinks = CardTest;

bool marriagePageShown(TK_KisiF& c) { return c.PageControl1->isTabVisible(c.PageControl1->indexOf(c.TabSheet2)); }

QStringList keys(Dataset& ds)
{
    QStringList l;
    if (!ds.active())
        return l;
    for (int r = 0; r < ds.recordCount(); ++r)
        l << QString::number(ds.valueAt(r, ds.fieldIndex("BLKISIKODU")).toLongLong());
    return l;
}

QString key(qint64 k) { return QString::number(k); }

TEST_F(CardLinks, ParentsFromTheSearchAndTheirChildlessLinkEndsWithTheChildsSave)
{
    struct Case {
        const char* holder; // whose row holds the childless link of the parents
        const char* ownFamilyName;
        const char* expectedFamilyName;
    };
    const Case cases[] = {{"mother", "", "Yılmazlar"}, {"father", "Kendi", "Kendi"}};
    for (const Case& k : cases) {
        SCOPED_TRACE(k.holder);
        const qint64 f = db.addPerson("Ahmet", "Yılmaz", "0");
        const qint64 m = db.addPerson("Ayşe", "Kaya", "1");
        const qint64 other = db.addPerson("Oya", "Ak", "1", 0, 0, f);
        setColumn(f, "AILE_AD", "'Yılmazlar'");
        setColumn(m, "AILE_AD", "'Kayalar'");
        if (QByteArray(k.holder) == "mother")
            setColumn(m, "ES_KOD", key(f));
        else
            setColumn(f, "ES_KOD", key(m));
        const qint64 child = db.addPerson("Can", "Yılmaz", "0");
        if (*k.ownFamilyName)
            setColumn(child, "AILE_AD", QStringLiteral("'%1'").arg(k.ownFamilyName));
        auto c = card(child);
        EXPECT_FALSE(marriagePageShown(*c));

        // A cancelled search changes nothing.
        onModalSearch([](TA_KisiAraF& s) { s.done(mrCancel); });
        c->BtnAnneKayitli->click();
        EXPECT_EQ(c->KISI_DS.state(), Dataset::State::Browse);

        pickInSearch(m, 'm', child);
        c->BtnAnneKayitli->click();
        EXPECT_EQ(c->KISI_DS.state(), Dataset::State::Edit);
        EXPECT_EQ(fieldText(c->AnnePanel.box, "AnneAD"), "Ayşe");
        EXPECT_EQ(fieldText(c->AnnePanel2.box, "AnneAD"), "Ayşe");
        EXPECT_EQ(fieldText(c.get(), "AILE_AD"), k.ownFamilyName); // never from the mother
        EXPECT_FALSE(SearchConfirmed);

        pickInSearch(f, 'f', child);
        c->BtnBabaKayitli->click();
        EXPECT_EQ(fieldText(c->BabaPanel.box, "BabaAD"), "Ahmet");
        EXPECT_EQ(fieldText(c->BabaPanel.box, "BabaBLKISIKODU"), key(f));
        EXPECT_EQ(fieldText(c.get(), "AILE_AD"), k.expectedFamilyName);
        EXPECT_TRUE(marriagePageShown(*c));
        EXPECT_TRUE(c->GroupBox10->isEnabled());

        // Nothing is saved before the card is.
        EXPECT_TRUE(committed(child, "BABA_KOD").isNull());
        c->PostClick();
        EXPECT_EQ(committed(child, "BABA_KOD").toLongLong(), f);
        EXPECT_EQ(committed(child, "ANNE_KOD").toLongLong(), m);
        EXPECT_EQ(committed(child, "AILE_AD").toString(), k.expectedFamilyName);
        EXPECT_TRUE(committed(m, "ES_KOD").isNull());
        EXPECT_TRUE(committed(f, "ES_KOD").isNull());
        EXPECT_EQ(committed(other, "ES_KOD").toLongLong(), f); // another woman's link to him stays
    }
}

TEST_F(CardLinks, RemovingAParentAsksAndIsSavedWithTheCard)
{
    const qint64 f = db.addPerson("Ahmet", "Yılmaz", "0");
    const qint64 m = db.addPerson("Ayşe", "Kaya", "1");
    const qint64 child = db.addPerson("Can", "Yılmaz", "0", f, m);
    auto c = card(child);
    struct Case {
        QPushButton* button;
        const char* question;
        const char* column;
        TK_KisiF::ParentPanel panel;
        const char* nameField;
    };
    const Case cases[] = {
        {c->BtnBabaSil, "Kişinin Baba tanımını silmek istediğinizden eminmisiniz ?", "BABA_KOD", c->BabaPanel, "BabaAD"},
        {c->BtnAnneSil, "Kişinin Anne tanımını silmek istediğinizden eminmisiniz ?", "ANNE_KOD", c->AnnePanel, "AnneAD"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.column);
        EXPECT_FALSE(fieldText(k.panel.box, k.nameField).isEmpty());
        fake.answers = {MbNo};
        k.button->click();
        EXPECT_EQ(fake.lastText(), QString::fromUtf8(k.question));
        EXPECT_FALSE(c->KISI_DS.isNull(k.column));
        fake.answers = {MbYes};
        k.button->click();
        EXPECT_TRUE(c->KISI_DS.isNull(k.column));
        EXPECT_TRUE(fieldText(k.panel.box, k.nameField).isEmpty());
        EXPECT_FALSE(committed(child, k.column).isNull());
    }
    EXPECT_FALSE(marriagePageShown(*c));
    // With no parent left there is nothing to remove, and nothing is asked.
    fake.messages.clear();
    c->BtnBabaSil->click();
    EXPECT_TRUE(fake.messages.empty());
    c->PostClick();
    EXPECT_TRUE(committed(child, "BABA_KOD").isNull());
    EXPECT_TRUE(committed(child, "ANNE_KOD").isNull());
}

TEST_F(CardLinks, ParentAsANewCard)
{
    struct Case {
        QPushButton* TK_KisiF::*button;
        const char* title;
        const char* gender;
        const char* question;
        MsgButton answer;
        const char* column;
    };
    const Case cases[] = {
        {&TK_KisiF::BtnBabaYeni, "Can Demir için baba kaydı", "Bay", "Veli  Kaydını Can Demir için BABA olarak atamak istiyormusunuz ?",
         MbYes, "BABA_KOD"},
        {&TK_KisiF::BtnAnneYeni, "Can Demir için anne kaydı", "Bayan",
         "Veli  Kaydını Can Demir için ANNE olarak atamak istiyormusunuz ?", MbNo, "ANNE_KOD"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.column);
        const qint64 child = db.addPerson("Can", "Demir", "0");
        auto c = card(child);
        qint64 created = 0;
        onModalCard([&](TK_KisiF& s) {
            EXPECT_EQ(s.Label1->text(), QString::fromUtf8(k.title));
            EXPECT_EQ(s.KISI_DS.state(), Dataset::State::Insert);
            EXPECT_EQ(s.CINSIYET->currentText(), QString::fromUtf8(k.gender));
            EXPECT_FALSE(s.CINSIYET->isEnabled());
            for (QWidget* w : std::initializer_list<QWidget*>{s.ZyWinButton1, s.ToolButton1, s.ToolButton2, s.ToolButton5,
                                                              s.ToolButton3, s.ToolButton4, s.NavInsert})
                EXPECT_FALSE(w->isVisible()) << w->objectName().toStdString();
            type(s.AD, "Veli");
            s.PostClick();
            created = s.personKey().toLongLong();
            s.InsertClick(); // a parent's card enters no other person
            EXPECT_EQ(s.KISI_DS.state(), Dataset::State::Browse);
            s.reject();
        });
        fake.answers = {k.answer};
        (c.get()->*k.button)->click();
        ASSERT_GT(created, 0);
        EXPECT_EQ(fake.lastText(), QString::fromUtf8(k.question));
        if (k.answer == MbYes) {
            EXPECT_EQ(c->KISI_DS.value(k.column).toLongLong(), created);
            EXPECT_EQ(fieldText(c->BabaPanel.box, "BabaAD"), "Veli");
            c->PostClick();
            EXPECT_EQ(committed(child, k.column).toLongLong(), created);
        } else {
            EXPECT_TRUE(c->KISI_DS.isNull(k.column));
            EXPECT_EQ(c->KISI_DS.state(), Dataset::State::Browse);
        }

        // The parent's card opens on the parent present; unchanged, nothing is asked.
        if (k.answer == MbYes) {
            onModalCard([&](TK_KisiF& s) {
                EXPECT_EQ(s.KISI_DS.state(), Dataset::State::Browse);
                EXPECT_EQ(s.personKey().toLongLong(), created);
                s.reject();
            });
            fake.messages.clear();
            (c.get()->*k.button)->click();
            EXPECT_TRUE(fake.messages.empty());
        }
    }
}

TEST_F(CardLinks, ChildlessSpouseFromTheSearchIsListedOnBothCardsAndRemovedFromEither)
{
    const qint64 p = db.addPerson("Ali", "Demir", "0");
    const qint64 s = db.addPerson("Zeynep", "Ak", "1");
    {
        auto c = card(p);
        EXPECT_FALSE(marriagePageShown(*c));
        pickInSearch(s, 's', p);
        c->BtnEsKayitli->click();
        EXPECT_EQ(committed(s, "ES_KOD").toLongLong(), p);
        EXPECT_TRUE(committed(p, "ES_KOD").isNull());
        EXPECT_EQ(keys(c->ES_DS), QStringList{key(s)});
        EXPECT_EQ(keys(c->EsEvlilik_Q), QStringList{key(s)});
        EXPECT_TRUE(marriagePageShown(*c));
        EXPECT_TRUE(c->GroupBox11->isEnabled());
        EXPECT_EQ(c->KISI_DS.state(), Dataset::State::Browse);
    }
    auto onS = card(s);
    EXPECT_EQ(keys(onS->ES_DS), QStringList{key(p)});

    fake.answers = {MbNo};
    onS->BtnEsSil->click();
    EXPECT_EQ(fake.lastText(), "Seçili olan Eş tanımını silmek istediğinizden eminmisiniz ?");
    EXPECT_EQ(committed(s, "ES_KOD").toLongLong(), p);
    fake.answers = {MbYes};
    onS->BtnEsSil->click();
    EXPECT_TRUE(committed(s, "ES_KOD").isNull());
    EXPECT_TRUE(onS->KISI_DS.isNull("ES_KOD")); // the card will not write the old link back
    EXPECT_TRUE(keys(onS->ES_DS).isEmpty());
    EXPECT_FALSE(marriagePageShown(*onS));

    // With an empty list there is nothing to remove.
    fake.messages.clear();
    onS->BtnEsSil->click();
    EXPECT_TRUE(fake.messages.empty());
}

TEST_F(CardLinks, RemovingALinkHeldByThePersonBeingEditedKeepsItRemoved)
{
    const qint64 s = db.addPerson("Zeynep", "Ak", "1");
    const qint64 p = db.addPerson("Ali", "Demir", "0", 0, 0, s);
    auto c = card(p);
    EXPECT_EQ(keys(c->ES_DS), QStringList{key(s)});
    type(field(c.get(), "LAKAP"), "Kara");
    fake.answers = {MbYes};
    c->BtnEsSil->click();
    EXPECT_TRUE(committed(p, "ES_KOD").isNull());
    EXPECT_EQ(c->KISI_DS.state(), Dataset::State::Edit);
    c->PostClick();
    EXPECT_TRUE(committed(p, "ES_KOD").isNull());
    EXPECT_EQ(committed(p, "LAKAP").toString(), "Kara");
}

TEST_F(CardLinks, SpouseAsANewCardGetsTheOppositeGender)
{
    const qint64 p = db.addPerson("Ali", "Demir", "0");
    auto c = card(p);
    qint64 created = 0;
    onModalCard([&](TK_KisiF& s) {
        EXPECT_EQ(s.Label1->text(), "Ali Demir için EŞ kaydı");
        EXPECT_EQ(s.KISI_DS.state(), Dataset::State::Insert);
        EXPECT_EQ(s.CINSIYET->currentText(), "Bayan");
        EXPECT_FALSE(s.CINSIYET->isEnabled());
        EXPECT_FALSE(s.ZyWinButton1->isVisible());
        EXPECT_TRUE(s.NavInsert->isVisible());
        type(s.AD, "Deniz");
        s.PostClick();
        created = s.personKey().toLongLong();
        // Every new row of a spouse's card gets the preset gender.
        s.InsertClick();
        EXPECT_EQ(s.KISI_DS.value("CINSIYET").toString(), "1");
        s.CancelClick();
        s.reject();
    });
    fake.answers = {MbYes};
    c->BtnEsYeni->click();
    ASSERT_GT(created, 0);
    EXPECT_EQ(fake.lastText(), "Deniz  Kaydını Ali Demir için EŞ olarak atamak istiyormusunuz ?");
    EXPECT_EQ(committed(created, "ES_KOD").toLongLong(), p);
    EXPECT_EQ(committed(created, "CINSIYET").toString(), "1");
    EXPECT_EQ(keys(c->ES_DS), QStringList{key(created)});
    EXPECT_TRUE(marriagePageShown(*c));

    // With the spouse selected the card opens on her; unchanged, nothing is asked.
    onModalCard([&](TK_KisiF& s) {
        EXPECT_EQ(s.personKey().toLongLong(), created);
        EXPECT_EQ(s.PresetGender, "1");
        s.reject();
    });
    fake.messages.clear();
    c->BtnEsYeni->click();
    EXPECT_TRUE(fake.messages.empty());
}

TEST_F(CardLinks, MarriageRowsStoreTheManAsBabaKodFromEitherCard)
{
    for (bool fromMan : {true, false}) {
        SCOPED_TRACE(fromMan ? "from the man's card" : "from the woman's card");
        const qint64 man = db.addPerson("Ali", "Demir", "0");
        const qint64 woman = db.addPerson("Ayşe", "Kaya", "1");
        const qint64 child = db.addPerson("Can", "Demir", "0", man, woman);
        const QString where = QStringLiteral(" FROM EVLILIK WHERE BABA_KOD = '%1' AND ANNE_KOD = '%2'").arg(man).arg(woman);

        auto c = card(fromMan ? man : woman);
        // Spouses through a child: listed, though no childless link is stored.
        EXPECT_TRUE(marriagePageShown(*c));
        EXPECT_TRUE(keys(c->ES_DS).isEmpty());
        EXPECT_EQ(keys(c->EsEvlilik_Q), QStringList{key(fromMan ? woman : man)});
        EXPECT_TRUE(c->GroupBox11->isEnabled());
        EXPECT_FALSE(c->GroupBox10->isEnabled());

        // Typing into the empty marriage starts it and the person's edit; cancel drops both.
        type(field(c->GroupBox11, "EK_2"), "x");
        EXPECT_EQ(c->ES_EV_DS.state(), Dataset::State::Insert);
        EXPECT_EQ(c->KISI_DS.state(), Dataset::State::Edit);
        c->CancelClick();
        EXPECT_EQ(c->ES_EV_DS.state(), Dataset::State::Browse);
        EXPECT_TRUE(fieldText(c->GroupBox11, "EK_2").isEmpty());

        type(field(c->GroupBox11, "YER"), "Bursa");
        type(field(c->GroupBox11, "EV_TAR"), "01.06.1990");
        c->PostClick();
        EXPECT_EQ(c->ES_EV_DS.state(), Dataset::State::Browse);
        EXPECT_EQ(committedValue("SELECT COUNT(*)" + where).toInt(), 1);
        EXPECT_EQ(committedValue("SELECT YER" + where).toString(), "Bursa");
        EXPECT_EQ(committedValue("SELECT EV_TAR" + where).toDate(), QDate(1990, 6, 1));
        EXPECT_GT(committedValue("SELECT BLEVKODU" + where).toDouble(), 0);
        c.reset();

        // The other spouse's card and the child's parents' page show the same row.
        auto other = card(fromMan ? woman : man);
        EXPECT_EQ(fieldText(other->GroupBox11, "YER"), "Bursa");
        type(field(other->GroupBox11, "EV_NOT"), "ikinci");
        other->PostClick();
        EXPECT_EQ(committedValue("SELECT COUNT(*)" + where).toInt(), 1);
        EXPECT_EQ(committedValue("SELECT EV_NOT" + where).toString(), "ikinci");
        other.reset();
        auto onChild = card(child);
        EXPECT_TRUE(onChild->GroupBox10->isEnabled());
        EXPECT_EQ(fieldText(onChild->GroupBox10, "YER"), "Bursa");
        EXPECT_EQ(fieldText(onChild->GroupBox10, "EV_TAR"), "01.06.1990");
    }
}

TEST_F(CardLinks, EachSpouseInTheListHasItsOwnMarriage)
{
    const qint64 man = db.addPerson("Ali", "Demir", "0");
    const qint64 first = db.addPerson("Ayşe", "Kaya", "1");
    const qint64 second = db.addPerson("Bahar", "Tan", "1");
    db.addPerson("Can", "Demir", "0", man, first);
    db.addPerson("Cem", "Demir", "0", man, second);
    db.exec(QStringLiteral("INSERT INTO EVLILIK (BLEVKODU, BABA_KOD, ANNE_KOD, YER) VALUES (GEN_ID(EVLILIK_ID, 1), '%1', '%2', 'Bursa')")
                .arg(man)
                .arg(first));
    auto c = card(man);
    ASSERT_EQ(keys(c->EsEvlilik_Q), QStringList({key(first), key(second)}));
    EXPECT_EQ(fieldText(c->GroupBox11, "YER"), "Bursa");
    c->EsEvlilik_Q.moveTo(1);
    EXPECT_TRUE(fieldText(c->GroupBox11, "YER").isEmpty());

    // Details typed for one spouse are kept when another spouse is selected.
    type(field(c->GroupBox11, "YER"), "Adana");
    c->EsEvlilik_Q.moveTo(0);
    EXPECT_EQ(fieldText(c->GroupBox11, "YER"), "Bursa");
    EXPECT_EQ(committedValue(QStringLiteral("SELECT YER FROM EVLILIK WHERE BABA_KOD = '%1' AND ANNE_KOD = '%2'")
                                 .arg(man)
                                 .arg(second))
                  .toString(),
              "Adana");
}

TEST_F(CardLinks, ParentsMarriageEnteredOnTheChildsCard)
{
    const qint64 man = db.addPerson("Ali", "Demir", "0");
    const qint64 woman = db.addPerson("Ayşe", "Kaya", "1");
    const qint64 child = db.addPerson("Can", "Demir", "0", man, woman);
    auto c = card(child);
    EXPECT_FALSE(c->GroupBox11->isEnabled());
    type(field(c->GroupBox10, "YER"), "İzmir");
    EXPECT_EQ(c->KISI_DS.state(), Dataset::State::Edit);
    c->PostClick();
    EXPECT_EQ(committedValue(QStringLiteral("SELECT YER FROM EVLILIK WHERE BABA_KOD = '%1' AND ANNE_KOD = '%2'")
                                 .arg(man)
                                 .arg(woman))
                  .toString(),
              "İzmir");
}

TEST_F(CardLinks, MarriagePageOnlyForPersonsWithBothParentsOrASpouse)
{
    const qint64 f = db.addPerson("Ahmet", "Yılmaz", "0");
    const qint64 m = db.addPerson("Ayşe", "Kaya", "1");
    struct Case {
        const char* who;
        qint64 father, mother;
        bool shown;
    };
    const Case cases[] = {
        {"no one", 0, 0, false},
        {"father only", f, 0, false},
        {"mother only", 0, m, false},
        {"both parents", f, m, true},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.who);
        auto c = card(db.addPerson("Can", "", "0", k.father, k.mother));
        EXPECT_EQ(marriagePageShown(*c), k.shown);
    }
}

TEST_F(CardLinks, KisiBulMovesTheCardToTheChosenPerson)
{
    const qint64 a = db.addPerson("Ali", "Demir", "0");
    const qint64 b = db.addPerson("Berk", "Ak", "0");
    auto c = card(a);
    activate(c.get());
    pickInSearch(b, 0, 0);
    QTest::keyClick(c.get(), Qt::Key_F5);
    EXPECT_EQ(c->personKey().toLongLong(), b);
    EXPECT_EQ(c->AD->text(), "Berk");
    EXPECT_FALSE(SearchConfirmed);

    // Pending changes are not dropped silently: Cancel keeps the person and the edit.
    type(field(c.get(), "LAKAP"), "x");
    pickInSearch(a, 0, 0);
    fake.answers = {MbCancel};
    c->ZyWinButton1->click();
    EXPECT_EQ(fake.lastText(), "Kart üzerindeki değişiklikleri kaydetmek ister misiniz?");
    EXPECT_EQ(c->personKey().toLongLong(), b);
    EXPECT_EQ(c->KISI_DS.state(), Dataset::State::Edit);
}

} // namespace
