#include "data/Schema.h"
#include "fb/Firebird.h"
#include "SchemaFixtures.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>

#include <map>
#include <memory>

namespace {

// QStringLists compared as text, so a failure prints readable lines.
std::string str(const QStringList& l)
{
    return l.join(QLatin1Char('\n')).toStdString();
}

// Column "NAME TYPE[ NOT NULL]" lines in table order.
QStringList describe(const std::vector<fixtures::ColumnInfo>& cols)
{
    QStringList out;
    for (const auto& c : cols)
        out << c.name + QLatin1Char(' ') + c.type + (c.notNull ? QStringLiteral(" NOT NULL") : QString());
    return out;
}

QStringList texts(const QString& joined)
{
    return joined.split(QLatin1Char(';'));
}

const std::map<QString, QStringList>& expectedColumns()
{
    static const std::map<QString, QStringList> m = {
        {"KISI", texts("BLKISIKODU DOUBLE PRECISION NOT NULL;KISI_KOD VARCHAR(30) NOT NULL;AILE_AD VARCHAR(50);"
                       "GURUP_KOD VARCHAR(20);GURUP VARCHAR(30);OZEL_KOD1 VARCHAR(20);OZEL_KOD2 VARCHAR(20);"
                       "KAY_TAR DATE;AD VARCHAR(30);SOYAD VARCHAR(30);BABA_KOD DOUBLE PRECISION;"
                       "ANNE_KOD DOUBLE PRECISION;ES_KOD DOUBLE PRECISION;CINSIYET VARCHAR(5);DOG_TAR DATE;"
                       "OL_TAR DATE;DOG_YER VARCHAR(50);M_HAL VARCHAR(5);ASKERLIK VARCHAR(10);ADRES VARCHAR(200);"
                       "IL VARCHAR(20);ILCE VARCHAR(20);TEL1 VARCHAR(11);TEL2 VARCHAR(11);CEP_TEL1 VARCHAR(11);"
                       "CEP_TEL2 VARCHAR(11);RESIM BLOB SUB_TYPE 0;K_NOT VARCHAR(200);MEZUNIYET VARCHAR(20);"
                       "OKUL_AD VARCHAR(150);O_IL VARCHAR(20);O_ILCE VARCHAR(20);E_NOT VARCHAR(200);"
                       "TIC_UNV VARCHAR(200);IS_TEL VARCHAR(15);IS_FAX VARCHAR(15);IS_ADRES VARCHAR(200);"
                       "IS_IL VARCHAR(20);IS_ILCE VARCHAR(20);SAGLIK VARCHAR(150);S_NOT VARCHAR(200);"
                       "T_NOT VARCHAR(200);KAYDEDEN VARCHAR(20);DUZENLEYEN VARCHAR(20);LAKAP VARCHAR(50)")},
        {"EVLILIK", texts("BLEVKODU DOUBLE PRECISION NOT NULL;BABA_KOD VARCHAR(30);ANNE_KOD VARCHAR(30);EV_TAR DATE;"
                          "EV_NOT VARCHAR(200);AYR_TAR DATE;EK_1 VARCHAR(30);EK_2 VARCHAR(30);YER VARCHAR(200)")},
        {"PERSONEL", texts("BLPERKODU DOUBLE PRECISION NOT NULL;OZELKODU VARCHAR(20);ADI VARCHAR(20);"
                           "SOYADI VARCHAR(20);BABA_ADI VARCHAR(20);DOG_YERI VARCHAR(20);DOG_TARIHI DATE;"
                           "SICIL_NO VARCHAR(20);TELEFONU VARCHAR(20);CEP_TEL VARCHAR(20);E_MAIL VARCHAR(50);"
                           "USERPWD VARCHAR(20);BANKA_ADI VARCHAR(40);BANKA_NO VARCHAR(20);ADRES1 VARCHAR(50);"
                           "ADRES2 VARCHAR(50);ACIKLAMA1 VARCHAR(40);ACIKLAMA2 VARCHAR(40);ACIKLAMA3 VARCHAR(40);"
                           "USERNAME VARCHAR(20) NOT NULL;G_INSERT VARCHAR(1);G_DELETE VARCHAR(1);G_UPDATE VARCHAR(1)")},
        {"AYAR", texts("BLAYARKODU DOUBLE PRECISION NOT NULL;CROTONO VARCHAR(1);CRNO DOUBLE PRECISION;"
                       "CRBASSAYI VARCHAR(20);CRBASEK VARCHAR(10);CRSONEK VARCHAR(10);PROG_SURUM VARCHAR(12);"
                       "G1 VARCHAR(5);G2 VARCHAR(5);G3 VARCHAR(5);G4 VARCHAR(5);G5 VARCHAR(5);G6 VARCHAR(5);"
                       "G7 VARCHAR(5);G8 VARCHAR(5);RESIM_ORTALA VARCHAR(5);LAKAP_GOR SMALLINT;"
                       "SEMA_ES_GENISLIK SMALLINT")},
    };
    return m;
}

const QStringList kKisiIndexes = {
    "I_KISI_AD|KISI|0|AD", "I_KISI_AILE_AD|KISI|0|AILE_AD", "I_KISI_ANNE_KOD|KISI|0|ANNE_KOD",
    "I_KISI_BABA_KOD|KISI|0|BABA_KOD", "I_KISI_ES_KOD|KISI|0|ES_KOD", "I_KISI_LAKAP|KISI|0|LAKAP",
    "I_KISI_SOYAD|KISI|0|SOYAD",
};

class SchemaTest : public ::testing::Test {
protected:
    std::unique_ptr<fb::Database> open(const QString& file)
    {
        auto db = std::make_unique<fb::Database>();
        db->setDatabaseName(home.path() + file);
        db->setParams(fixtures::embeddedParams());
        db->open();
        return db;
    }
    std::unique_ptr<fb::Database> fresh(const QString& file = QStringLiteral("fresh.fdb"))
    {
        createEmptyDatabase(home.path() + file, fixtures::embeddedParams());
        return open(file);
    }
    std::unique_ptr<fb::Database> preUpgrade(const fixtures::PreUpgradeOptions& o = {})
    {
        fixtures::createPreUpgradeDatabase(home.path() + "old.fdb", o);
        return open(QStringLiteral("old.fdb"));
    }
    static void exec(fb::Database& db, const QString& sql)
    {
        fb::Transaction tr(db);
        db.executeImmediate(tr, sql);
        tr.commit();
    }
    // Every row of a query, values joined with '|' (null as "<null>").
    static QStringList rows(fb::Database& db, const QString& sql)
    {
        fb::Transaction tr(db);
        fb::Statement st(db, tr);
        st.prepare(sql);
        st.execute();
        QStringList out;
        while (st.fetch()) {
            QStringList v;
            for (int i = 0; i < st.columnCount(); ++i)
                v << (st.isNull(i) ? QStringLiteral("<null>") : st.value(i).toString());
            out << v.join(QLatin1Char('|'));
        }
        tr.commit();
        return out;
    }
    // The structure without generator values and rows: what two databases must share.
    static QStringList structure(fb::Database& db)
    {
        QStringList out;
        for (const auto& [table, expected] : expectedColumns())
            for (const auto& c : fixtures::tableColumns(db, table))
                out << QStringLiteral("%1.%2 %3 %4 %5 %6").arg(table, c.name, c.type,
                                                              c.notNull ? QStringLiteral("NOT NULL") : QString(),
                                                              c.charSet, c.collation);
        out << fixtures::userIndexes(db) << fixtures::userGenerators(db);
        return out;
    }

    TempHome home;
};

TEST_F(SchemaTest, FreshDatabaseHasEveryColumnInOrderWithItsType)
{
    auto db = fresh();
    for (const auto& [table, expected] : expectedColumns()) {
        const auto cols = fixtures::tableColumns(*db, table);
        EXPECT_EQ(str(describe(cols)), str(expected)) << table.toStdString();
        for (const auto& c : cols) {
            if (!c.type.startsWith("VARCHAR"))
                continue;
            EXPECT_EQ(c.charSet, "WIN1254") << (table + "." + c.name).toStdString();
            EXPECT_EQ(c.collation, "PXW_TURK") << (table + "." + c.name).toStdString();
        }
    }
    const QStringList keys = rows(*db, QStringLiteral(
        "SELECT TRIM(RC.RDB$RELATION_NAME) || '.' || TRIM(S.RDB$FIELD_NAME) FROM RDB$RELATION_CONSTRAINTS RC "
        "JOIN RDB$INDEX_SEGMENTS S ON S.RDB$INDEX_NAME = RC.RDB$INDEX_NAME "
        "WHERE RC.RDB$CONSTRAINT_TYPE = 'PRIMARY KEY' ORDER BY 1"));
    EXPECT_EQ(str(keys), str({"AYAR.BLAYARKODU", "EVLILIK.BLEVKODU", "KISI.BLKISIKODU", "PERSONEL.BLPERKODU"}));
    const QStringList indexes = fixtures::userIndexes(*db);
    EXPECT_TRUE(indexes.contains("USER_NAME_INDEX|PERSONEL|1|USERNAME"));
    for (const QString& index : kKisiIndexes)
        EXPECT_TRUE(indexes.contains(index)) << index.toStdString();
}

TEST_F(SchemaTest, FreshDatabaseGeneratorsStartSoTheFirstKeyIsOne)
{
    auto db = fresh();
    EXPECT_EQ(str(fixtures::userGenerators(*db)),
              str({"EVLILIK_ID", "KISI_GEN", "KISI_ID", "KULLANICI_GEN", "VERSIYONGEN_10204"}));
    for (const char* gen : {"KISI_GEN", "EVLILIK_ID", "KULLANICI_GEN"}) {
        EXPECT_EQ(fixtures::generatorValue(*db, gen), 0) << gen;
        EXPECT_EQ(str(rows(*db, QStringLiteral("SELECT GEN_ID(%1, 1) FROM RDB$DATABASE").arg(gen))), "1") << gen;
    }
    // The person-code counter starts equal to the default CRNO, so the first code carries 1.
    EXPECT_EQ(fixtures::generatorValue(*db, "KISI_ID"), 1);
    EXPECT_TRUE(rows(*db, "SELECT * FROM AYAR").isEmpty()); // the settings row is made at first use
}

TEST_F(SchemaTest, SecondUserWithTheSameNameIsRefusedNamingTheIndex)
{
    auto db = fresh();
    exec(*db, "INSERT INTO PERSONEL (BLPERKODU, USERNAME) VALUES (1, 'ali')");
    try {
        exec(*db, "INSERT INTO PERSONEL (BLPERKODU, USERNAME) VALUES (2, 'ali')");
        FAIL() << "duplicate user name accepted";
    } catch (const fb::Error& e) {
        EXPECT_TRUE(e.text().contains("USER_NAME_INDEX")) << e.text().toStdString();
    }
    EXPECT_EQ(str(rows(*db, "SELECT COUNT(*) FROM PERSONEL")), "1");
}

TEST_F(SchemaTest, CreatingOverAnExistingFileFailsAndKeepsIt)
{
    auto db = fresh();
    exec(*db, "INSERT INTO KISI (BLKISIKODU, KISI_KOD) VALUES (1, 'K1')");
    db->close();
    EXPECT_THROW(createEmptyDatabase(home.path() + "fresh.fdb", fixtures::embeddedParams()), fb::Error);
    ASSERT_TRUE(QFile::exists(home.path() + "fresh.fdb"));
    db = open("fresh.fdb");
    EXPECT_EQ(str(rows(*db, "SELECT KISI_KOD FROM KISI")), "K1");
}

TEST_F(SchemaTest, UpgradeOnFreshDatabaseChangesNothing)
{
    auto db = fresh();
    exec(*db, "INSERT INTO AYAR (BLAYARKODU, PROG_SURUM, RESIM_ORTALA, LAKAP_GOR, SEMA_ES_GENISLIK) "
              "VALUES (1, '1.2.8', NULL, 0, 120)");
    exec(*db, "INSERT INTO KISI (BLKISIKODU, KISI_KOD, BABA_KOD) VALUES (1, 'K1', 7)");
    const QStringList before = fixtures::schemaSnapshot(*db);
    const UpgradeReport report = UpdateKontrol(*db);
    EXPECT_TRUE(report.scriptsRun.isEmpty()) << report.scriptsRun.join(",").toStdString();
    EXPECT_TRUE(report.failures.empty());
    EXPECT_EQ(str(fixtures::schemaSnapshot(*db)), str(before));
}

TEST_F(SchemaTest, UpgradeBringsAnOldDatabaseToTheFreshStructureKeepingItsData)
{
    QStringList freshStructure;
    {
        auto f = fresh();
        freshStructure = structure(*f);
    }
    auto db = preUpgrade();
    const UpgradeReport report = UpdateKontrol(*db);
    EXPECT_EQ(str(report.scriptsRun), str({"Memo1020201", "Memo1020301", "Memo1020401"}));
    for (const auto& f : report.failures)
        ADD_FAILURE() << f.statement.toStdString() << ": " << f.error.toStdString();

    // Same columns, types, collations, order, indexes and generators as a fresh database.
    EXPECT_EQ(str(structure(*db)), str(freshStructure));
    for (const auto& [table, expected] : expectedColumns())
        EXPECT_EQ(str(describe(fixtures::tableColumns(*db, table))), str(expected)) << table.toStdString();

    // Link texts became numbers; empty, blank or non-numeric text means no link.
    EXPECT_EQ(str(rows(*db, "SELECT BLKISIKODU, BABA_KOD, ANNE_KOD, ES_KOD, AD FROM KISI ORDER BY 1")),
              str({"10|<null>|<null>|<null>|Ali", "11|<null>|<null>|10|Ayşe", "12|10|11|<null>|Mehmet",
                   "13|12|14|<null>|Zeynep", "14|0|<null>|<null>|Fatma"}));
    // Script 1 writes 'False' into the new column, so script 2 finds no null to turn 'True'.
    EXPECT_EQ(str(rows(*db, "SELECT RESIM_ORTALA, LAKAP_GOR, SEMA_ES_GENISLIK, PROG_SURUM, CRBASSAYI, G3 FROM AYAR")),
              "False|1|80|1.2.7|5 Basamağa tamamla|False");
    EXPECT_EQ(fixtures::generatorValue(*db, "KISI_GEN"), 14);

    // A person's marriages are found by the key written as quoted text.
    const QStringList father = rows(*db, "SELECT BABA_KOD FROM KISI WHERE BLKISIKODU = 13");
    ASSERT_EQ(str(father), "12");
    EXPECT_EQ(str(rows(*db, QStringLiteral("SELECT BLEVKODU FROM EVLILIK WHERE BABA_KOD='%1' OR ANNE_KOD='%1'")
                                .arg(father.first()))),
              "1");

    // Run again: nothing changes, except that the third probe writes 1 into VERSIYONGEN_10204,
    // whose value means nothing.
    const QStringList before = fixtures::schemaSnapshot(*db);
    EXPECT_TRUE(before.contains("GENERATOR VERSIYONGEN_10204 = 0"));
    const UpgradeReport again = UpdateKontrol(*db);
    EXPECT_TRUE(again.scriptsRun.isEmpty());
    QStringList after = fixtures::schemaSnapshot(*db);
    ASSERT_TRUE(after.contains("GENERATOR VERSIYONGEN_10204 = 1"));
    after.replace(after.indexOf("GENERATOR VERSIYONGEN_10204 = 1"), "GENERATOR VERSIYONGEN_10204 = 0");
    EXPECT_EQ(str(after), str(before));
}

TEST_F(SchemaTest, UpgradeTurnsOnlyNullPictureCentringOn)
{
    fixtures::PreUpgradeOptions o;
    o.withResimOrtala = true;
    auto db = preUpgrade(o);
    const UpgradeReport report = UpdateKontrol(*db);
    EXPECT_EQ(str(report.scriptsRun), str({"Memo1020301", "Memo1020401"}));
    EXPECT_TRUE(report.failures.empty());
    EXPECT_EQ(str(rows(*db, "SELECT RESIM_ORTALA, LAKAP_GOR, SEMA_ES_GENISLIK FROM AYAR")), "True|1|80");
}

TEST_F(SchemaTest, ExistingIndexFailsOnlyItsOwnStatement)
{
    fixtures::PreUpgradeOptions o;
    o.withIndexKisiAd = true;
    auto db = preUpgrade(o);
    const UpgradeReport report = UpdateKontrol(*db);
    ASSERT_EQ(report.failures.size(), 1u);
    EXPECT_EQ(report.failures[0].script, "Memo1020301");
    EXPECT_EQ(report.failures[0].statement, "CREATE INDEX I_KISI_AD ON KISI (AD);");
    const QStringList indexes = fixtures::userIndexes(*db);
    for (const QString& index : kKisiIndexes)
        EXPECT_TRUE(indexes.contains(index)) << index.toStdString();
    EXPECT_EQ(str(describe(fixtures::tableColumns(*db, "KISI"))), str(expectedColumns().at("KISI")));
    EXPECT_EQ(str(rows(*db, "SELECT LAKAP_GOR, SEMA_ES_GENISLIK FROM AYAR")), "1|80");
    EXPECT_EQ(fixtures::userGenerators(*db).count("VERSIYONGEN_10204"), 1);
}

// A database whose links are numbers already but that lacks LAKAP_GOR runs the second script
// again: the conversion must carry numbers over unchanged.
TEST_F(SchemaTest, RerunOnNumericLinksKeepsThem)
{
    auto db = fresh();
    exec(*db, "INSERT INTO AYAR (BLAYARKODU, RESIM_ORTALA) VALUES (1, 'False')");
    exec(*db, "INSERT INTO KISI (BLKISIKODU, KISI_KOD, BABA_KOD, ANNE_KOD, ES_KOD) VALUES (1, 'K1', 1234567, 0, NULL)");
    exec(*db, "ALTER TABLE AYAR DROP SEMA_ES_GENISLIK");
    exec(*db, "ALTER TABLE AYAR DROP LAKAP_GOR");
    const UpgradeReport report = UpdateKontrol(*db);
    EXPECT_EQ(str(report.scriptsRun), "Memo1020301");
    EXPECT_EQ(str(rows(*db, "SELECT BABA_KOD, ANNE_KOD, ES_KOD FROM KISI")), "1234567|0|<null>");
    EXPECT_EQ(str(describe(fixtures::tableColumns(*db, "KISI"))), str(expectedColumns().at("KISI")));
}

// When the link values cannot all be carried over (another connection holds a changed row), the
// text column is kept with every value rather than dropped.
TEST_F(SchemaTest, LinkConversionThatCannotCopyKeepsTheText)
{
    auto db = preUpgrade();
    auto other = open("old.fdb");
    fb::Transaction busy(*other);
    other->executeImmediate(busy, "UPDATE KISI SET AD = 'Zehra' WHERE BLKISIKODU = 13");

    const UpgradeReport report = UpdateKontrol(*db);
    busy.rollback();
    bool copyFailed = false;
    for (const auto& f : report.failures)
        copyFailed = copyFailed || f.statement.startsWith("UPDATE KISI SET BABA_KOD_NEW");
    EXPECT_TRUE(copyFailed);
    const QStringList cols = describe(fixtures::tableColumns(*db, "KISI"));
    EXPECT_TRUE(cols.filter("_NEW").isEmpty()) << cols.join("\n").toStdString();
    EXPECT_TRUE(cols.contains("BABA_KOD VARCHAR(30)"));
    EXPECT_EQ(str(rows(*db, "SELECT BLKISIKODU, BABA_KOD, ANNE_KOD, ES_KOD FROM KISI ORDER BY 1")),
              str({"10|<null>|<null>|<null>", "11||<null>|10", "12|10|11|", "13|12| 14 |yok", "14|0|<null>|<null>"}));
}

TEST(SchemaScripts, EveryScriptStartsWithItsProbeAndConvertsLinksBeforeIndexing)
{
    const auto& scripts = upgradeScripts();
    ASSERT_EQ(scripts.size(), 3u);
    EXPECT_EQ(scripts[0].lines.first(), "SELECT RESIM_ORTALA FROM AYAR");
    EXPECT_EQ(scripts[1].lines.first(), "SELECT LAKAP_GOR FROM AYAR");
    EXPECT_EQ(scripts[2].lines.first(), "SET GENERATOR VERSIYONGEN_10204 TO 1;");
    const QStringList& s2 = scripts[1].lines;
    // Firebird 3 refuses updates of system tables.
    EXPECT_TRUE(s2.filter(QRegularExpression("UPDATE\\s+RDB\\$", QRegularExpression::CaseInsensitiveOption)).isEmpty());
    const int firstIndex = int(s2.indexOf("CREATE INDEX I_KISI_ANNE_KOD ON KISI (ANNE_KOD);"));
    ASSERT_GT(firstIndex, 0);
    for (const char* rename : {"BABA_KOD_NEW TO BABA_KOD", "ANNE_KOD_NEW TO ANNE_KOD", "ES_KOD_NEW TO ES_KOD"}) {
        const int at = int(s2.indexOf(QStringLiteral("ALTER TABLE KISI ALTER COLUMN %1;").arg(rename)));
        EXPECT_GT(at, 0) << rename;
        EXPECT_LT(at, firstIndex) << rename;
    }
}

} // namespace
