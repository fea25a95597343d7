// The person card's father, mother and childless-spouse links.
#include "persons/K_KisiU.h"

#include "data/DataModule.h"
#include "data/DatasetRoutines.h"
#include "data/SqlText.h"
#include "persons/A_KisiAraU.h"
#include "persons/FamilyLinks.h"
#include "persons/PersonFlags.h"
#include "shell/Messages.h"

namespace {

const QString kFatherField = QStringLiteral("BABA_KOD");
const QString kMotherField = QStringLiteral("ANNE_KOD");

// The saved person a second card holds after it closed: key and "AD SOYAD".
struct CardPerson {
    QString key;
    QString name;
};

CardPerson savedPerson(TK_KisiF& card)
{
    if (!card.KISI_DS.active() || card.KISI_DS.isEditing() || card.KISI_DS.recNo() < 0)
        return {};
    return {card.personKey(), card.personText(QStringLiteral("AD")) + QLatin1Char(' ') + card.personText(QStringLiteral("SOYAD"))};
}

} // namespace

void TK_KisiF::LoadLinks()
{
    if (!hasPerson())
        return;
    reloadChildlessSpouses();
    reopenParentPanel(Parent::Father, KeyText(KISI_DS.value(kFatherField)));
    reopenParentPanel(Parent::Mother, KeyText(KISI_DS.value(kMotherField)));
}

void TK_KisiF::reloadChildlessSpouses()
{
    // Opening the list is not a move in it: the callers refresh the marriage page themselves.
    QuietScope quiet(*this);
    const QString key = personKey();
    ES_DS.close();
    if (key.isEmpty())
        return;
    ES_DS.setSelectSql(ChildlessSpouseListSql(key, KeyText(KISI_DS.value(QStringLiteral("ES_KOD")))));
    ES_DS.open();
}

void TK_KisiF::reopenParentPanel(Parent role, const QString& key)
{
    Dataset& q = role == Parent::Father ? Baba_Q : Anne_Q;
    if (key.isEmpty())
        q.close();
    else
        ReopenDataset(q, QStringLiteral("KISI"), QStringLiteral("BLKISIKODU =") + QuotedStr(key));
}

QString TK_KisiF::selectedChildlessSpouse() const
{
    return ES_DS.active() && ES_DS.recNo() >= 0 ? KeyText(ES_DS.value(QStringLiteral("BLKISIKODU"))) : QString();
}

std::optional<QString> TK_KisiF::runSearch(SecondCard mode)
{
    TA_KisiAraF search(this);
    search.BabaModu = mode == SecondCard::Father;
    search.AnneModu = mode == SecondCard::Mother;
    search.EsModu = mode == SecondCard::Spouse;
    if (mode != SecondCard::None)
        ReopenDataset(search.Kisi_Q, QStringLiteral("KISI"), QStringLiteral("BLKISIKODU=") + QuotedStr(personKey()));
    search.exec();
    std::optional<QString> chosen;
    if (SearchConfirmed && search.Q_KisiARA.active() && !search.Q_KisiARA.isEmpty()) {
        const QString key = KeyText(search.Q_KisiARA.value(QStringLiteral("BLKISIKODU")));
        if (!key.isEmpty())
            chosen = key;
    }
    SearchConfirmed = false;
    return chosen;
}

void TK_KisiF::AssignParent(Parent role, const QString& key)
{
    if (!KISI_DS.isEditing())
        KISI_DS.edit();
    KISI_DS.setValue(role == Parent::Father ? kFatherField : kMotherField, key.toDouble());
    reopenParentPanel(role, key);
    // The lineage follows the father, never the mother.
    if (role == Parent::Father && personText(QStringLiteral("AILE_AD")).trimmed().isEmpty() && Baba_Q.active()
        && Baba_Q.recNo() >= 0)
        KISI_DS.setValue(QStringLiteral("AILE_AD"), Baba_Q.value(QStringLiteral("AILE_AD")));
}

void TK_KisiF::ParentFromSearchClick(Parent role)
{
    if (personKey().isEmpty()) {
        ShowInfo(kChoosePersonMessage);
        return;
    }
    runGuarded([this, role] {
        if (const std::optional<QString> key = runSearch(role == Parent::Father ? SecondCard::Father : SecondCard::Mother))
            AssignParent(role, *key);
        RefreshMarriagePage();
    });
}

void TK_KisiF::ParentFromCardClick(Parent role)
{
    const QString key = personKey();
    if (key.isEmpty()) {
        ShowInfo(kChoosePersonMessage);
        return;
    }
    const bool father = role == Parent::Father;
    const QString current = KeyText(KISI_DS.value(father ? kFatherField : kMotherField));
    const QString name = personText(QStringLiteral("AD")) + QLatin1Char(' ') + personText(QStringLiteral("SOYAD"));
    runGuarded([&] {
        CardPerson chosen;
        {
            TK_KisiF second(this);
            second.setSecondCard(father ? SecondCard::Father : SecondCard::Mother,
                                 name + (father ? QStringLiteral(" için baba kaydı") : QStringLiteral(" için anne kaydı")));
            if (!current.isEmpty()) {
                ReopenDataset(second.KISI_DS, QStringLiteral("KISI"), QStringLiteral("BLKISIKODU=") + QuotedStr(current));
            } else {
                ReopenDataset(second.KISI_DS, QStringLiteral("KISI"), QStringLiteral("BLKISIKODU=0"));
                second.KISI_DS.insert();
                second.KISI_DS.setValue(QStringLiteral("CINSIYET"), father ? QStringLiteral("0") : QStringLiteral("1"));
            }
            second.exec();
            chosen = savedPerson(second);
        }
        if (!chosen.key.isEmpty() && chosen.key != current
            && QuestionBox(chosen.name + QStringLiteral(" Kaydını ") + name
                           + (father ? QStringLiteral(" için BABA olarak atamak istiyormusunuz ?")
                                     : QStringLiteral(" için ANNE olarak atamak istiyormusunuz ?")))
                   == MbYes)
            AssignParent(role, chosen.key);
        LoadLinks();
        RefreshMarriagePage();
    });
}

void TK_KisiF::ParentRemoveClick(Parent role)
{
    const bool father = role == Parent::Father;
    if (!hasPerson() || KeyText(KISI_DS.value(father ? kFatherField : kMotherField)).isEmpty())
        return;
    if (QuestionBox(father ? QStringLiteral("Kişinin Baba tanımını silmek istediğinizden eminmisiniz ?")
                           : QStringLiteral("Kişinin Anne tanımını silmek istediğinizden eminmisiniz ?"))
        != MbYes)
        return;
    runGuarded([&] {
        if (!KISI_DS.isEditing())
            KISI_DS.edit();
        KISI_DS.setValue(father ? kFatherField : kMotherField, QVariant());
        ReopenDataset(father ? Baba_Q : Anne_Q, QStringLiteral("KISI"), QStringLiteral("BLKISIKODU =0"));
        RefreshMarriagePage();
    });
}

void TK_KisiF::SpouseFromSearchClick()
{
    const QString key = personKey();
    if (key.isEmpty()) {
        ShowInfo(kChoosePersonMessage);
        return;
    }
    runGuarded([&] {
        if (const std::optional<QString> spouse = runSearch(SecondCard::Spouse)) {
            if (LinkChildlessSpouse(*D_Genel(), *spouse, key)) {
                reloadChildlessSpouses();
                QuietScope quiet(*this);
                ES_DS.locate(QStringLiteral("BLKISIKODU"), spouse->toDouble());
            }
        }
        RefreshMarriagePage();
    });
}

void TK_KisiF::SpouseFromCardClick()
{
    const QString key = personKey();
    if (key.isEmpty()) {
        ShowInfo(kChoosePersonMessage);
        return;
    }
    const QString selected = selectedChildlessSpouse();
    const QString gender = OppositeGender(personText(QStringLiteral("CINSIYET")));
    const QString name = personText(QStringLiteral("AD")) + QLatin1Char(' ') + personText(QStringLiteral("SOYAD"));
    runGuarded([&] {
        CardPerson chosen;
        {
            TK_KisiF second(this);
            second.setSecondCard(SecondCard::Spouse, name + QStringLiteral(" için EŞ kaydı"));
            second.PresetGender = gender; // every new row of that card, the first one too
            if (!selected.isEmpty()) {
                ReopenDataset(second.KISI_DS, QStringLiteral("KISI"), QStringLiteral("BLKISIKODU=") + QuotedStr(selected));
            } else {
                ReopenDataset(second.KISI_DS, QStringLiteral("KISI"), QStringLiteral("BLKISIKODU=0"));
                second.KISI_DS.insert();
            }
            second.exec();
            chosen = savedPerson(second);
        }
        if (!chosen.key.isEmpty() && chosen.key != selected
            && QuestionBox(chosen.name + QStringLiteral(" Kaydını ") + name
                           + QStringLiteral(" için EŞ olarak atamak istiyormusunuz ?"))
                   == MbYes)
            LinkChildlessSpouse(*D_Genel(), chosen.key, key);
        LoadLinks();
        if (!chosen.key.isEmpty() && ES_DS.active()) {
            QuietScope quiet(*this);
            ES_DS.locate(QStringLiteral("BLKISIKODU"), chosen.key.toDouble());
        }
        RefreshMarriagePage();
    });
}

void TK_KisiF::SpouseRemoveClick()
{
    if (!ES_DS.active() || ES_DS.isEmpty())
        return;
    const QString spouse = selectedChildlessSpouse();
    if (QuestionBox(QStringLiteral("Seçili olan Eş tanımını silmek istediğinizden eminmisiniz ?")) != MbYes)
        return;
    runGuarded([&] {
        const RemovedLink removed = RemoveChildlessSpouseLink(*D_Genel(), personKey(), spouse);
        if (removed.personRow)
            syncPersonSpouseLink();
        LoadLinks();
        RefreshMarriagePage();
    });
}

void TK_KisiF::syncPersonSpouseLink()
{
    // The person's own row lost its ES_KOD in the database; the card must not write the old
    // value back with its next save.
    if (KISI_DS.isEditing())
        KISI_DS.setValue(QStringLiteral("ES_KOD"), QVariant());
    else
        KISI_DS.refresh();
}
