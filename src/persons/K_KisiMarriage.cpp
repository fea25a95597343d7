// The person card's spouse list and the two marriage pages.
#include "persons/K_KisiU.h"

#include "controls/ZYRXDBGrid.h"
#include "data/DataModule.h"
#include "data/SettingsRecord.h"
#include "persons/FamilyLinks.h"
#include "persons/K_KisiResim.h"
#include "shell/Messages.h"
#include "shell/SilentAbort.h"

#include <QGroupBox>
#include <QTabWidget>

void TK_KisiF::installMarriageHandlers()
{
    ES_DS.afterScroll = [this](Dataset&) {
        if (!m_dying && m_quiet == 0)
            RefreshMarriagePage();
    };
    connect(DBGrid2, &TZYRXDBGrid::clicked, this, [this] { m_savedSpouseKey = selectedChildlessSpouse(); });

    EsEvlilik_Q.afterScroll = [this](Dataset&) {
        if (!m_dying)
            reopenSpouseMarriage();
    };
    auto showSpousePicture = [this] {
        const bool has = EsEvlilik_Q.active() && EsEvlilik_Q.recNo() >= 0;
        EsResim->setData(has ? EsEvlilik_Q.value(QStringLiteral("RESIM")).toByteArray() : QByteArray());
    };
    connect(&EsEvlilik_Q, &Dataset::currentChanged, EsResim, showSpousePicture);
    connect(&EsEvlilik_Q, &Dataset::closed, EsResim, showSpousePicture);

    for (Dataset* ds : {&EVLILIK_DS, &ES_EV_DS}) {
        // Marriage edits ride on the person's edit, so the card's post or cancel covers them.
        ds->beforeEdit = [this](Dataset&) { enterMarriage(); };
        ds->beforeInsert = [this](Dataset&) { enterMarriage(); };
        ds->beforePost = [](Dataset& d) {
            if (!d.isNull(QStringLiteral("BLEVKODU")))
                return;
            const int key = NextGeneratorValue(QStringLiteral("EVLILIK_ID"), 1);
            if (key < 1) {
                ShowInfo(QStringLiteral("Evlilik kaydına anahtar verilemedi: evlilik sayacı (EVLILIK_ID) okunamadı.\r\n"
                                        "Evlilik bilgileri kaydedilmedi."));
                Abort();
            }
            d.setValue(QStringLiteral("BLEVKODU"), double(key));
        };
        ds->afterPost = [](Dataset&) { D_Genel()->commitRetaining(); };
    }
    auto parentsCouple = [this](Dataset& d) {
        d.setValue(QStringLiteral("BABA_KOD"), KeyText(KISI_DS.value(QStringLiteral("BABA_KOD"))));
        d.setValue(QStringLiteral("ANNE_KOD"), KeyText(KISI_DS.value(QStringLiteral("ANNE_KOD"))));
    };
    EVLILIK_DS.afterInsert = parentsCouple;
    EVLILIK_DS.afterEdit = parentsCouple;
    ES_EV_DS.afterInsert = [this](Dataset& d) {
        const MarriageCouple c = MarriagePartners(personKey(), personText(QStringLiteral("CINSIYET")), selectedSpouse());
        d.setValue(QStringLiteral("BABA_KOD"), c.babaKod);
        d.setValue(QStringLiteral("ANNE_KOD"), c.anneKod);
    };
}

void TK_KisiF::enterMarriage()
{
    if (!KISI_DS.isEditing())
        KISI_DS.edit();
}

QString TK_KisiF::selectedSpouse() const
{
    return EsEvlilik_Q.active() && EsEvlilik_Q.recNo() >= 0 ? KeyText(EsEvlilik_Q.value(QStringLiteral("BLKISIKODU")))
                                                            : QString();
}

void TK_KisiF::rebuildSpouseList()
{
    const QString remembered = selectedSpouse();
    EsEvlilik_Q.close();
    if (!hasPerson() || KISI_DS.isEditing() || personKey().isEmpty()) {
        reopenSpouseMarriage();
        return;
    }
    EsEvlilik_Q.setSql(SpouseListSql(personKey(), personText(QStringLiteral("CINSIYET")),
                                     KeyText(KISI_DS.value(QStringLiteral("ES_KOD")))));
    EsEvlilik_Q.open();
    if (!remembered.isEmpty())
        EsEvlilik_Q.locate(QStringLiteral("BLKISIKODU"), remembered.toDouble());
}

void TK_KisiF::reopenMarriage(Dataset& ds, const QString& sql, QString& lastSql)
{
    if (ds.isEditing()) {
        if (ds.active() && sql == lastSql)
            return; // pending details of the same couple stay for the card's post or cancel
        ds.post();  // details typed for another couple are saved, not dropped
    }
    ds.close();
    ds.setSelectSql(sql);
    lastSql = sql;
    ds.open();
}

void TK_KisiF::closeMarriage(Dataset& ds)
{
    if (ds.isEditing())
        ds.post();
    ds.close();
}

void TK_KisiF::reopenSpouseMarriage()
{
    const QString key = personKey();
    const QString spouse = selectedSpouse();
    if (key.isEmpty() || spouse.isEmpty()) {
        // While the person is edited the list is closed; a marriage being typed in stays.
        if (!ES_EV_DS.isEditing())
            ES_EV_DS.close();
        enableGroup(GroupBox11, ES_EV_DS.isEditing());
        return;
    }
    reopenMarriage(ES_EV_DS, SpouseMarriageSql(key, personText(QStringLiteral("CINSIYET")), spouse), m_spouseMarriageSql);
    enableGroup(GroupBox11, true);
}

void TK_KisiF::enableGroup(QGroupBox* group, bool on) { group->setEnabled(on); }

void TK_KisiF::RefreshMarriagePage()
{
    if (m_dying)
        return;
    const int page = PageControl1->indexOf(TabSheet2);
    const bool has = hasPerson();
    // A spouse linked a moment ago counts at once: the list is rebuilt before it is looked at.
    // While the person is edited the list as last built counts.
    const bool editing = KISI_DS.isEditing();
    if (has && !editing)
        rebuildSpouseList();
    const bool hasSpouses = EsEvlilik_Q.active() && !EsEvlilik_Q.isEmpty();
    const QString father = has ? KeyText(KISI_DS.value(QStringLiteral("BABA_KOD"))) : QString();
    const QString mother = has ? KeyText(KISI_DS.value(QStringLiteral("ANNE_KOD"))) : QString();
    const bool bothParents = !father.isEmpty() && !mother.isEmpty();
    if (!has || (!hasSpouses && !bothParents)) {
        PageControl1->setTabVisible(page, false);
        return;
    }
    if (editing)
        rebuildSpouseList();
    PageControl1->setTabVisible(page, true);

    if (bothParents) {
        enableGroup(GroupBox10, true);
        reopenMarriage(EVLILIK_DS, ParentsMarriageSql(father, mother), m_parentsMarriageSql);
    } else {
        closeMarriage(EVLILIK_DS);
        enableGroup(GroupBox10, false);
    }
    // No spouse in either list: nothing is selected, so the group is closed and disabled.
    reopenSpouseMarriage();
}
