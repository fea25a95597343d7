// The list statement as text, and what it finds in a real database.
#include "data/DataModule.h"
#include "data/Dataset.h"
#include "persons/KisiFilter.h"
#include "PersonDb.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

const QString kHead[] = {
    "SELECT K.*, KA.AD || ' ' || KA.SOYAD AS ANNE_AD, KB.AD || ' ' || KB.SOYAD AS BABA_AD FROM KISI K",
    "LEFT JOIN KISI KA ON (KA.BLKISIKODU=K.ANNE_KOD)",
    "LEFT JOIN KISI KB ON (KB.BLKISIKODU=K.BABA_KOD)",
    "Where K.BLKISIKODU>0",
};

QStringList head() { return QStringList(std::begin(kHead), std::end(kHead)); }

KisiFilterCriteria unsorted()
{
    KisiFilterCriteria c;
    c.sortIndex = -1;
    return c;
}

TEST(FilterStatement, EmptyPanelGivesTheFourHeadLinesAndTheDefaultSort)
{
    EXPECT_EQ(BuildListStatement(unsorted()), head());
    EXPECT_EQ(BuildListStatement(KisiFilterCriteria{}), head() << "ORDER BY K.BLKISIKODU ASC");
}

struct CriterionCase {
    const char* name;
    std::function<void(KisiFilterCriteria&)> set;
    QString line;
};

TEST(FilterStatement, EachCriterionAddsItsOwnLine)
{
    const CriterionCase cases[] = {
        {"lower key", [](auto& c) { c.blKisiKoduFrom = "12"; }, "AND K.BLKISIKODU >='12'"},
        {"upper key", [](auto& c) { c.blKisiKoduTo = "40"; }, "AND K.BLKISIKODU <='40'"},
        {"code", [](auto& c) { c.kisiKod = "A1"; }, "AND UPPER(K.KISI_KOD) = UPPER('A1' COLLATE PXW_TURK)"},
        {"family", [](auto& c) { c.aileAd = "oğlu"; }, "AND UPPER(K.AILE_AD) LIKE UPPER('%oğlu%' COLLATE PXW_TURK)"},
        {"nickname", [](auto& c) { c.lakap = "Deli"; }, "AND UPPER(K.LAKAP) LIKE UPPER('%Deli%' COLLATE PXW_TURK)"},
        {"code 1", [](auto& c) { c.ozelKod1 = "x"; }, "AND UPPER(K.OZEL_KOD1) LIKE UPPER('%x%' COLLATE PXW_TURK)"},
        {"code 2", [](auto& c) { c.ozelKod2 = "y"; }, "AND UPPER(K.OZEL_KOD2) LIKE UPPER('%y%' COLLATE PXW_TURK)"},
        {"name", [](auto& c) { c.ad = "ah"; }, "AND UPPER(K.AD) LIKE UPPER('%ah%' COLLATE PXW_TURK)"},
        {"surname", [](auto& c) { c.soyad = "Kaya"; }, "AND UPPER(K.SOYAD) LIKE UPPER('%Kaya%' COLLATE PXW_TURK)"},
        {"birthplace", [](auto& c) { c.dogYer = "Çorum"; }, "AND UPPER(K.DOG_YER) LIKE UPPER('%Çorum%' COLLATE PXW_TURK)"},
        {"man", [](auto& c) { c.gender = 0; }, "AND UPPER(K.CINSIYET) = UPPER('0' COLLATE PXW_TURK)"},
        {"woman", [](auto& c) { c.gender = 1; }, "AND UPPER(K.CINSIYET) = UPPER('1' COLLATE PXW_TURK)"},
        {"entered from", [](auto& c) { c.kayTarFrom = "01.02.2003"; }, "AND K.KAY_TAR >='01.02.2003'"},
        {"entered to", [](auto& c) { c.kayTarTo = "31.12.2020"; }, "AND K.KAY_TAR <='31.12.2020'"},
        {"born from", [](auto& c) { c.dogTarFrom = "05.06.1950"; }, "AND K.DOG_TAR >='05.06.1950'"},
        {"born to", [](auto& c) { c.dogTarTo = "07.08.1960"; }, "AND K.DOG_TAR <='07.08.1960'"},
        {"recorder", [](auto& c) { c.kaydeden = "Yetkili"; }, "AND UPPER(K.KAYDEDEN) = UPPER('Yetkili' COLLATE PXW_TURK)"},
        {"editor", [](auto& c) { c.duzenleyen = "ayse"; }, "AND UPPER(K.DUZENLEYEN) = UPPER('ayse' COLLATE PXW_TURK)"},
        // Quotes are doubled inside the literal.
        {"quote", [](auto& c) { c.ad = "O'Neil"; }, "AND UPPER(K.AD) LIKE UPPER('%O''Neil%' COLLATE PXW_TURK)"},
        {"quoted code", [](auto& c) { c.kisiKod = "'"; }, "AND UPPER(K.KISI_KOD) = UPPER('''' COLLATE PXW_TURK)"},
        // A single blank is a given text; the recorder boxes treat it as "none" (next case).
        {"blank name", [](auto& c) { c.ad = " "; }, "AND UPPER(K.AD) LIKE UPPER('% %' COLLATE PXW_TURK)"},
        {"blank lower key", [](auto& c) { c.blKisiKoduFrom = " "; }, "AND K.BLKISIKODU >=' '"},
        // A partly filled date goes in as the edit shows it.
        {"partial date", [](auto& c) { c.dogTarTo = "01.  .    "; }, "AND K.DOG_TAR <='01.  .    '"},
    };
    for (const CriterionCase& tc : cases) {
        KisiFilterCriteria c = unsorted();
        tc.set(c);
        EXPECT_EQ(BuildListStatement(c), head() << tc.line) << tc.name;
    }
}

TEST(FilterStatement, BlankRecorderAndEmptyDateAddNothing)
{
    KisiFilterCriteria c = unsorted();
    c.kaydeden = " ";
    c.duzenleyen = " ";
    c.kayTarFrom = kEmptyDateText;
    c.dogTarTo = "  .  .    ";
    c.gender = -1;
    EXPECT_EQ(BuildListStatement(c), head());
    // An empty recorder text is not the blank entry; the screen turns it into one before building.
    c.kaydeden = "";
    EXPECT_EQ(BuildListStatement(c).size(), 5);
}

TEST(FilterStatement, EveryCriterionInTheFixedOrderThenTheSort)
{
    KisiFilterCriteria c;
    c.ad = "a";
    c.soyad = "b";
    c.aileAd = "c";
    c.lakap = "d";
    c.blKisiKoduFrom = "1";
    c.blKisiKoduTo = "9";
    c.kisiKod = "K1";
    c.ozelKod1 = "e";
    c.ozelKod2 = "f";
    c.dogYer = "g";
    c.gender = 1;
    c.kayTarFrom = "01.01.2000";
    c.kayTarTo = "02.01.2000";
    c.dogTarFrom = "03.01.1900";
    c.dogTarTo = "04.01.1990";
    c.kaydeden = "Yetkili";
    c.duzenleyen = "ali";
    c.sortIndex = 3;
    c.sortDescending = true;
    const QStringList expected = head() << "AND K.BLKISIKODU >='1'"
                                        << "AND K.BLKISIKODU <='9'"
                                        << "AND UPPER(K.KISI_KOD) = UPPER('K1' COLLATE PXW_TURK)"
                                        << "AND UPPER(K.AILE_AD) LIKE UPPER('%c%' COLLATE PXW_TURK)"
                                        << "AND UPPER(K.LAKAP) LIKE UPPER('%d%' COLLATE PXW_TURK)"
                                        << "AND UPPER(K.OZEL_KOD1) LIKE UPPER('%e%' COLLATE PXW_TURK)"
                                        << "AND UPPER(K.OZEL_KOD2) LIKE UPPER('%f%' COLLATE PXW_TURK)"
                                        << "AND UPPER(K.AD) LIKE UPPER('%a%' COLLATE PXW_TURK)"
                                        << "AND UPPER(K.SOYAD) LIKE UPPER('%b%' COLLATE PXW_TURK)"
                                        << "AND UPPER(K.DOG_YER) LIKE UPPER('%g%' COLLATE PXW_TURK)"
                                        << "AND UPPER(K.CINSIYET) = UPPER('1' COLLATE PXW_TURK)"
                                        << "AND K.KAY_TAR >='01.01.2000'"
                                        << "AND K.KAY_TAR <='02.01.2000'"
                                        << "AND K.DOG_TAR >='03.01.1900'"
                                        << "AND K.DOG_TAR <='04.01.1990'"
                                        << "AND UPPER(K.KAYDEDEN) = UPPER('Yetkili' COLLATE PXW_TURK)"
                                        << "AND UPPER(K.DUZENLEYEN) = UPPER('ali' COLLATE PXW_TURK)"
                                        << "ORDER BY K.SOYAD DESC";
    EXPECT_EQ(BuildListStatement(c), expected);
}

TEST(FilterStatement, EverySortInBothDirections)
{
    const char* columns[] = {"K.BLKISIKODU", "K.KISI_KOD", "K.AD", "K.SOYAD", "K.ANNE_KOD", "K.BABA_KOD"};
    for (int i = 0; i < 6; ++i)
        for (bool desc : {false, true}) {
            KisiFilterCriteria c;
            c.sortIndex = i;
            c.sortDescending = desc;
            EXPECT_EQ(BuildListStatement(c).last(),
                      QString("ORDER BY %1 %2").arg(columns[i], desc ? "DESC" : "ASC"));
        }
    EXPECT_EQ(SortItems(), QStringList({"Bil. Kişi Kodu", "Kişi Kodu", "Adı", "Soyadı", "Anne Kodu", "Baba Kodu"}));
}

TEST(FilterStatement, CountStatementWrapsTheListWithItsFirstLineReplaced)
{
    KisiFilterCriteria c;
    c.ad = "x";
    const QStringList list = BuildListStatement(c);
    const QStringList count = CountStatement(list, "KISI K", "K.BLKISIKODU");
    ASSERT_EQ(count.size(), 2);
    EXPECT_EQ(count[0], "SELECT COUNT(K.BLKISIKODU) FROM KISI K");
    QStringList inner = list;
    inner[0] = "SELECT K.BLKISIKODU FROM KISI K";
    ASSERT_EQ(inner.takeLast(), "ORDER BY K.BLKISIKODU ASC"); // a count needs no order
    EXPECT_EQ(count[1], "WHERE K.BLKISIKODU IN (" + inner.join('\n') + "\n)");
    c.sortIndex = -1;
    EXPECT_EQ(CountStatement(BuildListStatement(c), "KISI K", "K.BLKISIKODU")[1], count[1]);
    EXPECT_EQ(list[0], kHead[0]); // the caller's statement is left as it was
}

TEST(FilterStatement, GenderTextIsBayOnlyForZero)
{
    EXPECT_EQ(GenderText("0"), "Bay");
    for (const QVariant& v : {QVariant("1"), QVariant(""), QVariant("x"), QVariant(), QVariant(QString()), QVariant("00")})
        EXPECT_EQ(GenderText(v), "Bayan") << v.toString().toStdString();
}

// The statement against a real database.
class FilterQuery : public ::testing::Test {
protected:
    QStringList names(const KisiFilterCriteria& c, QString* count = nullptr)
    {
        const QStringList lines = BuildListStatement(c);
        Dataset ds(db.module().DB_KUSAK, db.module().TR_KUSAK);
        AddGenderField(ds);
        ds.onCalcFields = [](Dataset& d) { CalcGenderField(d); };
        ds.setSql(JoinStatement(lines));
        ds.open();
        QStringList out;
        for (ds.first(); !ds.eof(); ds.next())
            out << ds.text("AD");
        const QString n = CountListRows(db.module().DB_KUSAK, db.module().TR_KUSAK, lines);
        EXPECT_EQ(n, QString::number(out.size())) << "count differs from the rows";
        if (count)
            *count = n;
        return out;
    }
    static KisiFilterCriteria byName(const QString& ad)
    {
        KisiFilterCriteria c;
        c.ad = ad;
        c.sortIndex = 0;
        return c;
    }

    PersonDb db;
};

TEST_F(FilterQuery, TurkishCaseRulesOfTheNameCriterion)
{
    for (const char* n : {"İsmail", "ismail", "Irmak", "ırmak", "Ahmet", "Şahin", "Mahir", "Ali Rıza"})
        db.addPerson(QString::fromUtf8(n), "Test", "0");
    struct Case {
        const char* criterion;
        QStringList found;
    } cases[] = {
        {"i", {"İsmail", "ismail", "Şahin", "Mahir", "Ali Rıza"}},
        {"İ", {"İsmail", "ismail", "Şahin", "Mahir", "Ali Rıza"}},
        {"ı", {"Irmak", "ırmak", "Ali Rıza"}},
        {"I", {"Irmak", "ırmak", "Ali Rıza"}},
        {"ah", {"Ahmet", "Şahin", "Mahir"}},
        {"şA", {"Şahin"}},
        {" ", {"Ali Rıza"}},
        {"O'", {}},
    };
    for (const Case& tc : cases)
        EXPECT_EQ(names(byName(QString::fromUtf8(tc.criterion))), tc.found) << tc.criterion;
}

TEST_F(FilterQuery, CodeMatchesTheWholeCodeWithoutRegardToCase)
{
    const qint64 a1 = db.addPerson("Bir", "X", "0");
    const qint64 a10 = db.addPerson("On", "X", "0");
    db.exec(QString("UPDATE KISI SET KISI_KOD='A1' WHERE BLKISIKODU=%1").arg(a1));
    db.exec(QString("UPDATE KISI SET KISI_KOD='A10' WHERE BLKISIKODU=%1").arg(a10));
    KisiFilterCriteria c;
    c.kisiKod = "A1";
    EXPECT_EQ(names(c), QStringList({"Bir"}));
    c.kisiKod = "a10";
    EXPECT_EQ(names(c), QStringList({"On"}));
    c.kisiKod = "A";
    EXPECT_EQ(names(c), QStringList());
}

TEST_F(FilterQuery, KeyBoundsDatesGenderRecorderAndSort)
{
    const qint64 k1 = db.addPerson("Ayşe", "Kaya", "1");
    const qint64 k2 = db.addPerson("Can", "Demir", "0");
    db.addPerson("Ece", "Akın", "1", k2, k1);
    db.exec(QString("UPDATE KISI SET DOG_TAR='1950-03-04', KAY_TAR='2010-01-01', LAKAP='Deli' WHERE BLKISIKODU=%1").arg(k1));
    db.exec(QString("UPDATE KISI SET DOG_TAR='1960-03-04', KAY_TAR='2012-01-01', KAYDEDEN='ali', DUZENLEYEN='veli' "
                    "WHERE BLKISIKODU=%1").arg(k2));

    KisiFilterCriteria c;
    c.blKisiKoduFrom = QString::number(k2);
    EXPECT_EQ(names(c), QStringList({"Can", "Ece"}));
    c = {};
    c.blKisiKoduTo = QString::number(k2);
    EXPECT_EQ(names(c), QStringList({"Ayşe", "Can"}));
    c = {};
    c.dogTarFrom = "01.01.1955";
    EXPECT_EQ(names(c), QStringList({"Can"}));
    c = {};
    c.dogTarTo = "04.03.1950";
    EXPECT_EQ(names(c), QStringList({"Ayşe"}));
    c = {};
    c.kayTarFrom = "01.01.2011";
    c.kayTarTo = "31.12.2012";
    EXPECT_EQ(names(c), QStringList({"Can"}));
    c = {};
    c.gender = 1;
    EXPECT_EQ(names(c), QStringList({"Ayşe", "Ece"}));
    c = {};
    c.gender = 0;
    EXPECT_EQ(names(c), QStringList({"Can"}));
    c = {};
    c.kaydeden = "Yetkili";
    EXPECT_EQ(names(c), QStringList({"Ayşe", "Ece"}));
    c = {};
    c.kaydeden = "ALİ"; // Turkish upper case of "ali"
    c.duzenleyen = "VELİ";
    EXPECT_EQ(names(c), QStringList({"Can"}));
    c.kaydeden = "ALI";
    EXPECT_EQ(names(c), QStringList());
    c.kaydeden = "Ali";
    EXPECT_EQ(names(c), QStringList({"Can"}));
    c = {};
    c.lakap = "el";
    EXPECT_EQ(names(c), QStringList({"Ayşe"}));
    c = {};
    c.sortIndex = 3; // surname
    c.sortDescending = true;
    EXPECT_EQ(names(c), QStringList({"Ayşe", "Can", "Ece"})); // Kaya, Demir, Akın
    c.sortIndex = 2;
    c.sortDescending = false;
    EXPECT_EQ(names(c), QStringList({"Ayşe", "Can", "Ece"}));
}

TEST_F(FilterQuery, ParentsNamesAndGenderField)
{
    const qint64 anne = db.addPerson("Ayşe", "Kaya", "1");
    const qint64 baba = db.addPerson("Can", "Demir", "0");
    db.addPerson("Ece", "Demir", "x", baba, anne);
    db.exec("UPDATE KISI SET CINSIYET=NULL WHERE AD='Can'");
    Dataset ds(db.module().DB_KUSAK, db.module().TR_KUSAK);
    AddGenderField(ds);
    ds.onCalcFields = [](Dataset& d) { CalcGenderField(d); };
    ds.setSql(JoinStatement(BuildListStatement(KisiFilterCriteria{})));
    ds.open();
    ASSERT_TRUE(ds.locate("AD", "Ece"));
    EXPECT_EQ(ds.text("ANNE_AD"), "Ayşe Kaya");
    EXPECT_EQ(ds.text("BABA_AD"), "Can Demir");
    EXPECT_EQ(ds.text("CNS"), "Bayan");
    ASSERT_TRUE(ds.locate("AD", "Can"));
    EXPECT_EQ(ds.text("CNS"), "Bayan"); // null gender
    EXPECT_TRUE(ds.isNull("ANNE_AD"));
    ds.close();
    db.exec("UPDATE KISI SET CINSIYET='0' WHERE AD='Can'");
    ds.open();
    ASSERT_TRUE(ds.locate("AD", "Can"));
    EXPECT_EQ(ds.text("CNS"), "Bay");
}

TEST_F(FilterQuery, BadCriteriaAreRejectedByTheServer)
{
    db.addPerson("Ali", "Kaya", "0");
    db.exec("UPDATE KISI SET DOG_TAR='1950-01-01', KAY_TAR='2000-01-01'"); // a null date never converts the literal
    names(KisiFilterCriteria{});
    for (auto set : std::initializer_list<std::function<void(KisiFilterCriteria&)>>{
             [](auto& c) { c.blKisiKoduFrom = "abc"; },
             [](auto& c) { c.dogTarFrom = "31.02.2000"; },
             [](auto& c) { c.kayTarTo = "01.  .    "; },
         }) {
        KisiFilterCriteria c;
        set(c);
        EXPECT_THROW(CountListRows(db.module().DB_KUSAK, db.module().TR_KUSAK, BuildListStatement(c)), fb::Error);
    }
    // The connection is still usable afterwards, and still closes cleanly (a sorted sub-select
    // in the failed count used to bring the engine down when the connection was closed).
    for (int sort = 0; sort < 6; ++sort) {
        KisiFilterCriteria c;
        c.sortIndex = sort;
        QString n;
        names(c, &n);
        EXPECT_EQ(n, "1");
    }
    db.module().closeConnection();
    EXPECT_FALSE(db.module().connected());
}

} // namespace
