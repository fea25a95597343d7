// The person search statement as text: head, mode lines with their key queries, criteria.
#include "persons/KisiAraSql.h"

#include <gtest/gtest.h>

namespace {

const QStringList kHead = {
    "Select K.*,KA.AD || ' ' || KA.SOYAD AS ANNE_ADI, KB.AD || ' ' || KB.SOYAD AS BABA_ADI FROM KISI K",
    "LEFT JOIN KISI KA ON (KA.BLKISIKODU=K.ANNE_KOD)",
    "LEFT JOIN KISI KB ON (KB.BLKISIKODU=K.BABA_KOD)",
    "WHERE K.BLKISIKODU>0",
};

// Answers the n-th key query with "100+n" and records the queries.
struct CountingKeys {
    QStringList asked;
    KisiAraKeys fn()
    {
        return [this](const QString& sql) {
            asked << sql;
            return QString::number(100 + asked.size());
        };
    }
};

KisiAraSubject fullSubject(const QString& gender = "0")
{
    return {"10", "20", "30", "40", gender};
}

KisiAraCriteria noText() { return {KisiAraField::KisiAdi, {}, {}}; }

QStringList tail(const QStringList& lines) { return lines.mid(kHead.size()); }

TEST(SearchStatement, PlainSearchIsTheHeadOnly)
{
    CountingKeys keys;
    EXPECT_EQ(KisiAraLines(fullSubject(), {}, noText(), keys.fn()), kHead);
    EXPECT_TRUE(keys.asked.isEmpty());
}

TEST(SearchStatement, SpouseModeLinesInOrder)
{
    CountingKeys keys;
    KisiAraModes modes;
    modes.spouse = true;
    const QStringList lines = KisiAraLines(fullSubject(), modes, noText(), keys.fn());
    EXPECT_EQ(lines.mid(0, 4), kHead);
    const QStringList expected = {
        "AND K.BLKISIKODU <>'10'",
        "AND COALESCE(K.ES_KOD,0) <>'10'",
        "AND COALESCE(K.BLKISIKODU,0) <>'40'",
        "AND K.BLKISIKODU NOT IN(101)",
        "AND K.BLKISIKODU NOT IN(102)",
        "AND K.BLKISIKODU NOT IN(103)",
        "AND K.BLKISIKODU NOT IN(104)",
        "AND COALESCE(K.BABA_KOD,0) <>'10'",
        "AND K.CINSIYET ='1'",
        "AND K.BLKISIKODU <>'20'",
        "AND COALESCE(K.BABA_KOD,0) <>'20'",
        "AND COALESCE(K.BABA_KOD,0) NOT IN (105)",
        "AND COALESCE(K.ANNE_KOD,0) NOT IN (105)",
        "AND K.BLKISIKODU NOT IN(106)",
        "AND K.BLKISIKODU NOT IN(107)",
        "AND K.BLKISIKODU <>'30'",
        "AND COALESCE(K.ANNE_KOD,0)<>'30'",
        "AND COALESCE(K.BABA_KOD,0) NOT IN (108)",
        "AND COALESCE(K.ANNE_KOD,0) NOT IN (108)",
        "AND K.BLKISIKODU NOT IN (109)",
        "AND K.BLKISIKODU NOT IN (110)",
    };
    EXPECT_EQ(tail(lines), expected);
    const QStringList queries = {
        "SELECT COALESCE(ANNE_KOD,0) FROM KISI WHERE COALESCE(BABA_KOD,0) ='10'",
        "SELECT COALESCE(BABA_KOD,0) FROM KISI WHERE COALESCE(ANNE_KOD,0) ='10'",
        "SELECT COALESCE(BLKISIKODU,0) FROM KISI WHERE COALESCE(BABA_KOD,0) ='10'",
        "SELECT COALESCE(BLKISIKODU,0) FROM KISI WHERE COALESCE(ANNE_KOD,0) ='10'",
        "SELECT COALESCE(BLKISIKODU,0) FROM KISI WHERE COALESCE(BABA_KOD,0) ='20'",
        "SELECT COALESCE(BABA_KOD,0) FROM KISI WHERE BLKISIKODU ='20'",
        "SELECT COALESCE(ANNE_KOD,0) FROM KISI WHERE BLKISIKODU ='20'",
        "SELECT COALESCE(BLKISIKODU,0) FROM KISI WHERE COALESCE(ANNE_KOD,0) ='30'",
        "SELECT COALESCE(BABA_KOD,0) FROM KISI WHERE BLKISIKODU ='30'",
        "SELECT COALESCE(ANNE_KOD,0) FROM KISI WHERE BLKISIKODU ='30'",
    };
    EXPECT_EQ(keys.asked, queries);
}

TEST(SearchStatement, FatherModeLinesInOrder)
{
    CountingKeys keys;
    KisiAraModes modes;
    modes.father = true;
    const QStringList expected = {
        "AND K.BLKISIKODU NOT IN (101)",
        "AND K.BLKISIKODU NOT IN (102)",
        "AND K.BLKISIKODU NOT IN(103)",
        "AND K.BLKISIKODU <>'10'",
        "AND COALESCE(K.BABA_KOD,0) <>'10'",
        "AND K.BLKISIKODU NOT IN (104)",
        "AND K.CINSIYET ='0'",
        "AND COALESCE(K.BABA_KOD,0) NOT IN (105)",
        "AND COALESCE(K.ANNE_KOD,0) NOT IN (105)",
        "AND K.BLKISIKODU NOT IN(106)",
        "AND K.BLKISIKODU <>'20'",
        "AND COALESCE(K.BABA_KOD,0)<>'20'",
        "AND K.BLKISIKODU NOT IN(107)",
        "AND COALESCE(K.BABA_KOD,0) NOT IN (108)",
        "AND COALESCE(K.ANNE_KOD,0) NOT IN (108)",
        "AND COALESCE(K.ANNE_KOD,0)<>'30'",
        "AND K.BLKISIKODU NOT IN(109)",
        "AND K.BLKISIKODU NOT IN(110)",
        // A woman subject's own children and her recorded spouse are no fathers either.
        "AND COALESCE(K.ANNE_KOD,0) <>'10'",
        "AND COALESCE(K.BLKISIKODU,0) <>'40'",
    };
    EXPECT_EQ(tail(KisiAraLines(fullSubject("1"), modes, noText(), keys.fn())), expected);
    const QStringList queries = {
        "SELECT COALESCE(BABA_KOD,0) FROM KISI WHERE BLKISIKODU IN(SELECT COALESCE(BABA_KOD,0) FROM KISI WHERE "
        "COALESCE(ANNE_KOD,0) ='10')",
        "SELECT COALESCE(BABA_KOD,0) FROM KISI WHERE BLKISIKODU IN(SELECT COALESCE(ANNE_KOD,0) FROM KISI WHERE "
        "COALESCE(BABA_KOD,0) ='10')",
        "SELECT COALESCE(BABA_KOD,0) FROM KISI WHERE COALESCE(ANNE_KOD,0) ='10'",
        "SELECT COALESCE(BLKISIKODU,0) FROM KISI WHERE COALESCE(KISI.ES_KOD,0) ='10'",
        "SELECT COALESCE(BLKISIKODU,0) FROM KISI WHERE COALESCE(BABA_KOD,0) ='20'",
        "SELECT COALESCE(BABA_KOD,0) FROM KISI WHERE BLKISIKODU IN(SELECT COALESCE(BABA_KOD,0) FROM KISI WHERE "
        "BLKISIKODU ='20')",
        "SELECT COALESCE(BABA_KOD,0) FROM KISI WHERE BLKISIKODU ='20'",
        "SELECT COALESCE(BLKISIKODU,0) FROM KISI WHERE COALESCE(ANNE_KOD,0) ='30'",
        "SELECT COALESCE(BLKISIKODU,0) FROM KISI WHERE BLKISIKODU IN (SELECT COALESCE(BABA_KOD,0) FROM KISI WHERE "
        "BLKISIKODU ='30')",
        "SELECT COALESCE(BABA_KOD,0) FROM KISI WHERE BLKISIKODU ='30'",
    };
    EXPECT_EQ(keys.asked, queries);
}

TEST(SearchStatement, MotherModeLinesInOrder)
{
    CountingKeys keys;
    KisiAraModes modes;
    modes.mother = true;
    const QStringList expected = {
        "AND K.BLKISIKODU NOT IN (101)",
        "AND K.BLKISIKODU NOT IN (102)",
        "AND K.BLKISIKODU <>'10'",
        "AND K.BLKISIKODU NOT IN(103)",
        "AND COALESCE(K.BABA_KOD,0) <>'10'",
        "AND K.BLKISIKODU NOT IN(104)",
        "AND K.CINSIYET ='1'",
        "AND COALESCE(K.BABA_KOD,0) NOT IN (105)",
        "AND COALESCE(K.ANNE_KOD,0) NOT IN (105)",
        "AND K.BLKISIKODU NOT IN(106)",
        "AND COALESCE(K.BABA_KOD,0) <>'20'",
        "AND COALESCE(K.BABA_KOD,0) NOT IN (107)",
        "AND COALESCE(K.ANNE_KOD,0) NOT IN (107)",
        "AND K.BLKISIKODU <>'30'",
        "AND COALESCE(K.ANNE_KOD,0)<>'30'",
        "AND K.BLKISIKODU NOT IN(108)",
        "AND COALESCE(K.ANNE_KOD,0) <>'10'",
        "AND COALESCE(K.BLKISIKODU,0) <>'40'",
    };
    EXPECT_EQ(tail(KisiAraLines(fullSubject(), modes, noText(), keys.fn())), expected);
    const QStringList queries = {
        "SELECT COALESCE(ANNE_KOD,0) FROM KISI WHERE BLKISIKODU IN(SELECT COALESCE(BABA_KOD,0) FROM KISI WHERE "
        "COALESCE(ANNE_KOD,0) ='10')",
        "SELECT COALESCE(ANNE_KOD,0) FROM KISI WHERE BLKISIKODU IN(SELECT COALESCE(ANNE_KOD,0) FROM KISI WHERE "
        "COALESCE(BABA_KOD,0) ='10')",
        "SELECT COALESCE(ANNE_KOD,0) FROM KISI WHERE COALESCE(BABA_KOD,0) ='10'",
        "SELECT COALESCE(BLKISIKODU,0) FROM KISI WHERE COALESCE(ES_KOD,0) ='10'",
        "SELECT COALESCE(BLKISIKODU,0) FROM KISI WHERE COALESCE(BABA_KOD,0) ='20'",
        "SELECT COALESCE(ANNE_KOD,0) FROM KISI WHERE BLKISIKODU ='20'",
        "SELECT COALESCE(BLKISIKODU,0) FROM KISI WHERE COALESCE(ANNE_KOD,0) ='30'",
        "SELECT COALESCE(ANNE_KOD,0) FROM KISI WHERE BLKISIKODU ='30'",
    };
    EXPECT_EQ(keys.asked, queries);
}

TEST(SearchStatement, EmptyKeyListsAndMissingLinksLeaveTheirLinesOut)
{
    // Parents, spouse and gender unknown; no key query returns anything.
    const KisiAraSubject lone{"7", {}, {}, {}, {}};
    const KisiAraKeys none = [](const QString&) { return QString(); };
    KisiAraModes spouse;
    spouse.spouse = true;
    EXPECT_EQ(tail(KisiAraLines(lone, spouse, noText(), none)),
              QStringList({"AND K.BLKISIKODU <>'7'", "AND COALESCE(K.ES_KOD,0) <>'7'", "AND COALESCE(K.BABA_KOD,0) <>'7'"}));
    KisiAraModes father;
    father.father = true;
    EXPECT_EQ(tail(KisiAraLines(lone, father, noText(), none)),
              QStringList({"AND K.BLKISIKODU <>'7'", "AND COALESCE(K.BABA_KOD,0) <>'7'", "AND K.CINSIYET ='0'",
                           "AND COALESCE(K.ANNE_KOD,0) <>'7'"}));
    // A woman gets men offered as spouses.
    const KisiAraSubject woman{"7", {}, {}, {}, "1"};
    EXPECT_TRUE(KisiAraLines(woman, spouse, noText(), none).contains("AND K.CINSIYET ='0'"));
}

TEST(SearchStatement, TextCriteriaFollowTheCheckedButton)
{
    struct Case {
        KisiAraField field;
        QString text, group;
        QStringList lines;
    };
    const Case cases[] = {
        {KisiAraField::KisiAdi, "ay", {}, {"AND UPPER(K.AD) LIKE UPPER('%ay%' COLLATE PXW_TURK)"}},
        {KisiAraField::KisiKodu, "KS1", {}, {"AND UPPER(K.KISI_KOD) LIKE UPPER('%KS1%' COLLATE PXW_TURK)"}},
        {KisiAraField::AileAdi, "Ak'ın", {}, {"AND UPPER(K.AILE_AD) LIKE UPPER('%Ak''ın%' COLLATE PXW_TURK)"}},
        {KisiAraField::Hepsi, "ignored", {}, {}},
        {KisiAraField::KisiAdi, {}, {}, {}},
        {KisiAraField::Hepsi, "x", "Komşu", {"AND UPPER(K.GURUP) LIKE UPPER('%Komşu%' COLLATE PXW_TURK)"}},
        {KisiAraField::KisiAdi, "Ali", "A", {"AND UPPER(K.AD) LIKE UPPER('%Ali%' COLLATE PXW_TURK)",
                                             "AND UPPER(K.GURUP) LIKE UPPER('%A%' COLLATE PXW_TURK)"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(tail(KisiAraLines({}, {}, {c.field, c.text, c.group}, {})), c.lines) << c.text.toStdString();

    // Criteria come after the mode lines.
    KisiAraModes spouse;
    spouse.spouse = true;
    const QStringList lines = KisiAraLines({"5", {}, {}, {}, "0"}, spouse, {KisiAraField::KisiAdi, "a", {}}, {});
    EXPECT_EQ(lines.last(), "AND UPPER(K.AD) LIKE UPPER('%a%' COLLATE PXW_TURK)");
}

TEST(SearchStatement, KeysAreWholeNumberTextsAndZeroLinksAreMissing)
{
    EXPECT_EQ(KeyValueText(QVariant(12.0)), "12");
    EXPECT_EQ(KeyValueText(QVariant(0.0)), "0");
    EXPECT_EQ(KeyValueText(QVariant(qint64(123456789012))), "123456789012");
    EXPECT_EQ(KeyValueText(QVariant()), "");
    EXPECT_EQ(KeyText(QVariant(0.0)), "");
    EXPECT_EQ(KeyText(QVariant(34.0)), "34");
}

} // namespace
