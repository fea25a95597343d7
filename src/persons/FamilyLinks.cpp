#include "persons/FamilyLinks.h"

#include "data/DataModule.h"
#include "data/SqlText.h"

#include <QStringList>

namespace {

QString lines(const QStringList& l) { return l.join(QStringLiteral("\r\n")); }

// Runs one change statement in the default transaction; returns the rows it changed.
int run(TD_Genel& m, const QString& sql)
{
    fb::Statement st(m.DB_KUSAK, m.TR_KUSAK);
    st.prepare(sql);
    st.execute();
    return st.rowsAffected();
}

QString clearLinkSql(const QString& rowKey, const QString& namedKey)
{
    return lines({QStringLiteral("UPDATE KISI SET ES_KOD = NULL"),
                  QStringLiteral("WHERE BLKISIKODU = ") + QuotedStr(rowKey),
                  QStringLiteral("AND ES_KOD = ") + QuotedStr(namedKey)});
}

} // namespace

QString ChildlessSpouseListSql(const QString& personKey, const QString& esKod)
{
    QStringList l{QStringLiteral("Select * from KISI"), QStringLiteral("WHERE ES_KOD =") + QuotedStr(personKey)};
    if (!esKod.isEmpty())
        l << QStringLiteral("OR BLKISIKODU =") + QuotedStr(esKod);
    return lines(l);
}

QString SpouseListSql(const QString& personKey, const QString& gender, const QString& esKod)
{
    const QString p = QuotedStr(personKey);
    QStringList l{QStringLiteral("SELECT K.BLKISIKODU,K.AD, K.SOYAD,K.AILE_AD,K.RESIM FROM KISI K"),
                  QStringLiteral("WHERE K.BLKISIKODU IN (")};
    if (IsMan(gender))
        l << QStringLiteral("SELECT KA.ANNE_KOD FROM KISI KA WHERE KA.BABA_KOD=") + p + QStringLiteral(" GROUP BY KA.ANNE_KOD)");
    else
        l << QStringLiteral("SELECT KA.BABA_KOD FROM KISI KA WHERE KA.ANNE_KOD=") + p + QStringLiteral(" GROUP BY KA.BABA_KOD)");
    l << QStringLiteral("OR K.ES_KOD=") + p;
    if (!esKod.isEmpty())
        l << QStringLiteral("OR K.BLKISIKODU=") + QuotedStr(esKod);
    return lines(l);
}

QString ParentsMarriageSql(const QString& fatherKey, const QString& motherKey)
{
    return lines({QStringLiteral("Select * from EVLILIK"), QStringLiteral("Where BLEVKODU>0"),
                  QStringLiteral("AND BABA_KOD=") + QuotedStr(fatherKey),
                  QStringLiteral("AND ANNE_KOD=") + QuotedStr(motherKey)});
}

QString SpouseMarriageSql(const QString& personKey, const QString& gender, const QString& spouseKey)
{
    QStringList l{QStringLiteral("Select * from EVLILIK"), QStringLiteral("Where BLEVKODU>0")};
    if (IsMan(gender))
        l << QStringLiteral("AND BABA_KOD=") + QuotedStr(personKey) << QStringLiteral("AND ANNE_KOD=") + QuotedStr(spouseKey);
    else
        l << QStringLiteral("AND ANNE_KOD=") + QuotedStr(personKey) << QStringLiteral("AND BABA_KOD=") + QuotedStr(spouseKey);
    return lines(l);
}

MarriageCouple MarriagePartners(const QString& personKey, const QString& gender, const QString& spouseKey)
{
    if (IsMan(gender))
        return {personKey, spouseKey};
    return {spouseKey, personKey};
}

int ClearParentsLink(TD_Genel& m, const QString& fatherKey, const QString& motherKey)
{
    if (fatherKey.isEmpty() || motherKey.isEmpty())
        return 0;
    const int n = run(m, clearLinkSql(motherKey, fatherKey)) + run(m, clearLinkSql(fatherKey, motherKey));
    if (n > 0)
        m.commitRetaining();
    return n;
}

bool LinkChildlessSpouse(TD_Genel& m, const QString& spouseKey, const QString& personKey)
{
    if (spouseKey.isEmpty() || personKey.isEmpty() || spouseKey == personKey)
        return false;
    const int n = run(m, lines({QStringLiteral("UPDATE KISI SET ES_KOD = ") + QuotedStr(personKey),
                                QStringLiteral("WHERE BLKISIKODU = ") + QuotedStr(spouseKey)}));
    m.commitRetaining();
    return n > 0;
}

RemovedLink RemoveChildlessSpouseLink(TD_Genel& m, const QString& personKey, const QString& spouseKey)
{
    RemovedLink r;
    if (personKey.isEmpty() || spouseKey.isEmpty())
        return r;
    r.spouseRow = run(m, clearLinkSql(spouseKey, personKey)) > 0;
    r.personRow = run(m, clearLinkSql(personKey, spouseKey)) > 0;
    if (r.spouseRow || r.personRow)
        m.commitRetaining();
    return r;
}

int ClearSpouseLinksTo(TD_Genel& m, const QString& personKey)
{
    if (personKey.isEmpty())
        return 0;
    return run(m, lines({QStringLiteral("UPDATE KISI SET ES_KOD = NULL"),
                         QStringLiteral("WHERE ES_KOD = ") + QuotedStr(personKey)}));
}
