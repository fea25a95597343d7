#include "FamilyFixture.h"

#include "data/SqlText.h"

FamilyFixture::FamilyFixture()
{
    const QString m = QStringLiteral("0"), w = QStringLiteral("1");
    add("ggf", QStringLiteral("Osman"), m);
    add("gfP", QStringLiteral("Mehmet"), m, "ggf");
    add("gmP", QStringLiteral("Fatma"), w);
    add("gfM", QStringLiteral("Hasan"), m);
    add("gmM", QStringLiteral("Zeynep"), w);
    add("father", QStringLiteral("Ahmet"), m, "gfP", "gmP");
    add("mother", QStringLiteral("Emine"), w, "gfM", "gmM");
    add("wifeEs", QStringLiteral("Leyla"), w);
    add("subject", QStringLiteral("Ali"), m, "father", "mother", "wifeEs");
    add("partnerEs", QStringLiteral("Sevgi"), w, {}, {}, "subject");
    add("brother", QStringLiteral("Veli"), m, "father", "mother");
    add("sister", QStringLiteral("Ayşe"), w, "father", "mother");
    add("stepmother", QStringLiteral("Hatice"), w);
    add("halfBrother", QStringLiteral("Mustafa"), m, "father", "stepmother");
    add("stepfather", QStringLiteral("Hüseyin"), m);
    add("halfSister", QStringLiteral("Elif"), w, "stepfather", "mother");
    add("halfNiece", QStringLiteral("Sultan"), w, {}, "halfSister");
    add("brotherWife", QStringLiteral("Hacer"), w);
    add("nephew", QStringLiteral("Yusuf"), m, "brother", "brotherWife");
    add("nephewSister", QStringLiteral("Büşra"), w, "brother", "brotherWife");
    add("sisterHusband", QStringLiteral("Kadir"), m);
    add("niece", QStringLiteral("Meryem"), w, "sisterHusband", "sister");
    add("cmFather", QStringLiteral("Kemal"), m);
    add("cmMother", QStringLiteral("Nuriye"), w);
    add("childMother", QStringLiteral("Gül"), w, "cmFather", "cmMother");
    add("son", QStringLiteral("Murat"), m, "subject", "childMother");
    add("daughter", QStringLiteral("Esra"), w, "subject", "childMother");

    for (const char* r : {"ismailU", "ismailL", "cem", "irmakU", "irmakL", "aysel", "gunay"})
        m_unrelated.insert(QString::fromLatin1(r));
    add("ismailU", QStringLiteral("İsmail"), m);
    add("ismailL", QStringLiteral("ismail"), m);
    add("cem", QStringLiteral("Cem"), m);
    add("irmakU", QStringLiteral("Irmak"), w);
    add("irmakL", QStringLiteral("ırmak"), w);
    add("aysel", QStringLiteral("AYSEL"), w);
    add("gunay", QStringLiteral("Günay"), w);
    m_db.exec(QStringLiteral("UPDATE KISI SET GURUP=%1 WHERE AD IN ('İsmail','ismail','Cem','Irmak','ırmak','AYSEL','Günay')")
                  .arg(QuotedStr(QStringLiteral("Komşu"))));
    m_db.exec(QStringLiteral("UPDATE KISI SET AILE_AD='Çelikler' WHERE AD='İsmail'"));
    m_db.exec(QStringLiteral("UPDATE KISI SET AILE_AD='Ak''ın', KISI_KOD='KOD-CEM' WHERE AD='Cem'"));
    // Links written as 0 mean "none", as older data has them.
    m_db.exec(QStringLiteral("UPDATE KISI SET BABA_KOD=0, ANNE_KOD=0, ES_KOD=0 WHERE AD IN ('Cem','Irmak')"));
}

qint64 FamilyFixture::add(const QString& role, const QString& ad, const QString& gender, const QString& father,
                          const QString& mother, const QString& spouse)
{
    const qint64 k = m_db.addPerson(ad, QStringLiteral("Kaya"), gender, father.isEmpty() ? 0 : key(father),
                                    mother.isEmpty() ? 0 : key(mother), spouse.isEmpty() ? 0 : key(spouse));
    m_keys.insert(role, k);
    m_roles.insert(k, role);
    m_names.insert(role, ad);
    (gender == QLatin1String("0") ? m_men : m_women).insert(role);
    return k;
}

qint64 FamilyFixture::key(const QString& role) const
{
    Q_ASSERT(m_keys.contains(role));
    return m_keys.value(role);
}

QString FamilyFixture::role(qint64 key) const { return m_roles.value(key); }

QSet<QString> FamilyFixture::roles() const
{
    QSet<QString> all;
    for (auto it = m_keys.begin(); it != m_keys.end(); ++it)
        all.insert(it.key());
    return all;
}
