// Who the person search offers in a real family: each relationship mode and the text criteria.
#include "data/DataModule.h"
#include "data/Dataset.h"
#include "data/DatasetRoutines.h"
#include "persons/KisiAraSql.h"
#include "FamilyFixture.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class SearchFamily : public ::testing::Test {
protected:
    static void SetUpTestSuite() { family = std::make_unique<FamilyFixture>(); }
    static void TearDownTestSuite() { family.reset(); }

    static QSet<QString> offered(const QString& subjectRole, KisiAraModes modes, const KisiAraCriteria& criteria = {})
    {
        TD_Genel& m = family->db().module();
        Dataset subject(m.DB_KUSAK, m.TR_KUSAK), ek(m.DB_KUSAK, m.TR_KUSAK), result(m.DB_KUSAK, m.TR_KUSAK);
        KisiAraSubject s;
        if (!subjectRole.isEmpty()) {
            EXPECT_TRUE(ReopenDataset(subject, "KISI", "BLKISIKODU=" + QString::number(family->key(subjectRole))));
            s = SubjectFrom(subject);
        }
        result.setSql(KisiAraLines(s, modes, criteria, [&](const QString& sql) { return JoinedKeys(ek, sql); })
                          .join('\n'));
        result.open();
        QSet<QString> roles;
        for (int row = 0; row < result.recordCount(); ++row) {
            const QString r = family->role(result.valueAt(row, result.fieldIndex("BLKISIKODU")).toLongLong());
            EXPECT_FALSE(r.isEmpty());
            roles.insert(r);
        }
        return roles;
    }

    static QSet<QString> minus(QSet<QString> all, const QSet<QString>& out) { return all.subtract(out); }
    static QString show(const QSet<QString>& s)
    {
        QStringList l(s.begin(), s.end());
        l.sort();
        return l.join(", ");
    }

    static std::unique_ptr<FamilyFixture> family;
};
std::unique_ptr<FamilyFixture> SearchFamily::family;

KisiAraModes mode(char m)
{
    KisiAraModes modes;
    modes.spouse = m == 's';
    modes.father = m == 'f';
    modes.mother = m == 'm';
    return modes;
}

TEST_F(SearchFamily, EachModeOffersOnlyWhoCanTakeTheRole)
{
    const QSet<QString> men = family->men(), women = family->women();
    struct Case {
        const char* subject;
        char mode;
        QSet<QString> expected;
    };
    const Case cases[] = {
        // A man with a wife in ES_KOD, a partner whose ES_KOD points at him, two children by a
        // third woman, full and half siblings through either parent, nieces and nephews.
        {"subject", 's', {"stepmother", "brotherWife", "cmMother", "irmakU", "irmakL", "aysel", "gunay"}},
        // A woman whose husband is known only through their child.
        {"sister", 's', {"ggf", "stepfather", "cmFather", "ismailU", "ismailL", "cem"}},
        {"subject", 'f', {"stepfather", "sisterHusband", "ismailU", "ismailL", "cem"}},
        {"subject", 'm', {"stepmother", "brotherWife", "irmakU", "irmakL", "aysel", "gunay"}},
        // Parents unknown: her son and her child's father are no father of hers.
        {"stepmother", 'f', minus(men, {"gfP", "father", "halfBrother"})},
        {"brotherWife", 'm', minus(women, {"brotherWife", "mother", "nephewSister"})},
        // Her ES_KOD names the subject.
        {"partnerEs", 'f', minus(men, {"subject"})},
        // Links stored as 0 are no links: every man is offered.
        {"irmakU", 's', men},
    };
    for (const Case& c : cases) {
        const QSet<QString> got = offered(c.subject, mode(c.mode));
        EXPECT_EQ(got, c.expected) << c.subject << " mode " << c.mode << "\n got:      " << show(got).toStdString()
                                   << "\n expected: " << show(c.expected).toStdString();
    }
}

TEST_F(SearchFamily, TextCriteriaFollowTurkishCaseRules)
{
    struct Case {
        KisiAraField field;
        QString text;
        QSet<QString> expected;
    };
    const QSet<QString> neighbours = family->unrelated();
    const Case cases[] = {
        {KisiAraField::KisiAdi, "i", {"ismailU", "ismailL"}},
        {KisiAraField::KisiAdi, "İ", {"ismailU", "ismailL"}},
        {KisiAraField::KisiAdi, "ı", {"irmakU", "irmakL"}},
        {KisiAraField::KisiAdi, "I", {"irmakU", "irmakL"}},
        // At the start, at the end, any case.
        {KisiAraField::KisiAdi, "ay", {"aysel", "gunay"}},
        {KisiAraField::KisiAdi, "AY", {"aysel", "gunay"}},
        {KisiAraField::KisiKodu, "kod-c", {"cem"}},
        {KisiAraField::AileAdi, "çelik", {"ismailU"}},
        {KisiAraField::AileAdi, "k'ı", {"cem"}},
        {KisiAraField::Hepsi, "zzz", neighbours},
        {KisiAraField::KisiAdi, "", neighbours},
    };
    for (const Case& c : cases) {
        // The group criterion, also case-insensitive, keeps the relatives out.
        const QSet<QString> got = offered({}, {}, {c.field, c.text, "KOMŞU"});
        EXPECT_EQ(got, c.expected) << c.text.toStdString() << ": " << show(got).toStdString();
    }
}

TEST_F(SearchFamily, ModeAndTextCriteriaTogether)
{
    EXPECT_EQ(offered("subject", mode('s'), {KisiAraField::KisiAdi, "ı", {}}), QSet<QString>({"irmakU", "irmakL"}));
    // The sister is a woman: no woman is offered to her as a spouse.
    EXPECT_TRUE(offered("sister", mode('s'), {KisiAraField::KisiAdi, "ı", {}}).isEmpty());
}

TEST_F(SearchFamily, KeyListsComeFromTheAuxiliaryQuery)
{
    TD_Genel& m = family->db().module();
    Dataset ek(m.DB_KUSAK, m.TR_KUSAK);
    const QString children = JoinedKeys(
        ek, "SELECT COALESCE(BLKISIKODU,0) FROM KISI WHERE COALESCE(BABA_KOD,0) ='"
                + QString::number(family->key("subject")) + "' ORDER BY BLKISIKODU");
    EXPECT_EQ(children, QString::number(family->key("son")) + ", " + QString::number(family->key("daughter")));
    EXPECT_EQ(JoinedKeys(ek, "SELECT BLKISIKODU FROM KISI WHERE BLKISIKODU < 0"), "");
    EXPECT_FALSE(ek.active());
}

} // namespace
