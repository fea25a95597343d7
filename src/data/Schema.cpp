#include "data/Schema.h"

#include "fb/Firebird.h"

#include <QFile>
#include <QFileInfo>

#include <memory>
#include <utility>

namespace {

// NOT NULL has to come before the collation.
QString text(int n, bool notNull = false)
{
    return QStringLiteral("VARCHAR(%1) CHARACTER SET WIN1254%2 COLLATE PXW_TURK")
        .arg(n)
        .arg(notNull ? QStringLiteral(" NOT NULL") : QString());
}

const QString kDouble = QStringLiteral("DOUBLE PRECISION");
const QString kDate = QStringLiteral("DATE");

using ColumnList = std::vector<std::pair<QString, QString>>;

QString createTable(const QString& table, const ColumnList& columns, const QString& key)
{
    QStringList defs;
    for (const auto& [name, type] : columns)
        defs << QStringLiteral("  %1 %2").arg(name, type);
    defs << QStringLiteral("  CONSTRAINT PK_%1 PRIMARY KEY (%2)").arg(table, key);
    return QStringLiteral("CREATE TABLE %1 (\n%2\n)").arg(table, defs.join(QStringLiteral(",\n")));
}

ColumnList kisiColumns()
{
    return {
        {"BLKISIKODU", kDouble + " NOT NULL"}, {"KISI_KOD", text(30, true)},
        {"AILE_AD", text(50)}, {"GURUP_KOD", text(20)}, {"GURUP", text(30)},
        {"OZEL_KOD1", text(20)}, {"OZEL_KOD2", text(20)}, {"KAY_TAR", kDate},
        {"AD", text(30)}, {"SOYAD", text(30)},
        {"BABA_KOD", kDouble}, {"ANNE_KOD", kDouble}, {"ES_KOD", kDouble},
        {"CINSIYET", text(5)}, {"DOG_TAR", kDate}, {"OL_TAR", kDate}, {"DOG_YER", text(50)},
        {"M_HAL", text(5)}, {"ASKERLIK", text(10)}, {"ADRES", text(200)},
        {"IL", text(20)}, {"ILCE", text(20)}, {"TEL1", text(11)}, {"TEL2", text(11)},
        {"CEP_TEL1", text(11)}, {"CEP_TEL2", text(11)}, {"RESIM", "BLOB SUB_TYPE 0"},
        {"K_NOT", text(200)}, {"MEZUNIYET", text(20)}, {"OKUL_AD", text(150)},
        {"O_IL", text(20)}, {"O_ILCE", text(20)}, {"E_NOT", text(200)}, {"TIC_UNV", text(200)},
        {"IS_TEL", text(15)}, {"IS_FAX", text(15)}, {"IS_ADRES", text(200)},
        {"IS_IL", text(20)}, {"IS_ILCE", text(20)}, {"SAGLIK", text(150)},
        {"S_NOT", text(200)}, {"T_NOT", text(200)}, {"KAYDEDEN", text(20)},
        {"DUZENLEYEN", text(20)}, {"LAKAP", text(50)},
    };
}

ColumnList evlilikColumns()
{
    return {
        {"BLEVKODU", kDouble + " NOT NULL"}, {"BABA_KOD", text(30)}, {"ANNE_KOD", text(30)},
        {"EV_TAR", kDate}, {"EV_NOT", text(200)}, {"AYR_TAR", kDate},
        {"EK_1", text(30)}, {"EK_2", text(30)}, {"YER", text(200)},
    };
}

ColumnList personelColumns()
{
    return {
        {"BLPERKODU", kDouble + " NOT NULL"}, {"OZELKODU", text(20)}, {"ADI", text(20)},
        {"SOYADI", text(20)}, {"BABA_ADI", text(20)}, {"DOG_YERI", text(20)},
        {"DOG_TARIHI", kDate}, {"SICIL_NO", text(20)}, {"TELEFONU", text(20)},
        {"CEP_TEL", text(20)}, {"E_MAIL", text(50)}, {"USERPWD", text(20)},
        {"BANKA_ADI", text(40)}, {"BANKA_NO", text(20)}, {"ADRES1", text(50)},
        {"ADRES2", text(50)}, {"ACIKLAMA1", text(40)}, {"ACIKLAMA2", text(40)},
        {"ACIKLAMA3", text(40)}, {"USERNAME", text(20, true)},
        {"G_INSERT", text(1)}, {"G_DELETE", text(1)}, {"G_UPDATE", text(1)},
    };
}

ColumnList ayarColumns()
{
    ColumnList cols = {
        {"BLAYARKODU", kDouble + " NOT NULL"}, {"CROTONO", text(1)}, {"CRNO", kDouble},
        {"CRBASSAYI", text(20)}, {"CRBASEK", text(10)}, {"CRSONEK", text(10)},
        {"PROG_SURUM", text(12)},
    };
    for (int i = 1; i <= 8; ++i)
        cols.emplace_back(QStringLiteral("G%1").arg(i), text(5));
    cols.emplace_back("RESIM_ORTALA", text(5));
    cols.emplace_back("LAKAP_GOR", "SMALLINT");
    cols.emplace_back("SEMA_ES_GENISLIK", "SMALLINT");
    return cols;
}

// Older databases keep the person links of KISI as text. Firebird 3 refuses the system-table
// update that once changed their type in place, so each column is rebuilt: a double column is
// filled from the text, and the text column is dropped only when it is still text and every row
// was carried over; otherwise (already a number, a row changed meanwhile, the drop refused) the
// new column goes instead and the old one stays with its values. The survivor takes the old
// name and place. Text that is not a number cannot name a person and becomes null, like "".
QStringList linkColumnToDouble(const QString& column, int position)
{
    const QString fresh = column + QStringLiteral("_NEW");
    const QString value =
        QStringLiteral("CASE WHEN TRIM(%1) SIMILAR TO '[0-9]{1,15}([.][0-9]*)?' "
                       "THEN CAST(TRIM(%1) AS DOUBLE PRECISION) END").arg(column);
    const QString isText = QStringLiteral(
        "EXISTS(SELECT 1 FROM RDB$RELATION_FIELDS RF JOIN RDB$FIELDS F ON F.RDB$FIELD_NAME = RF.RDB$FIELD_SOURCE "
        "WHERE RF.RDB$RELATION_NAME = 'KISI' AND RF.RDB$FIELD_NAME = '%1' AND F.RDB$FIELD_TYPE IN (14, 37))")
                               .arg(column);
    return {
        QStringLiteral("ALTER TABLE KISI ADD %1 DOUBLE PRECISION;").arg(fresh),
        QStringLiteral("UPDATE KISI SET %1 = %2;").arg(fresh, value),
        QStringLiteral("EXECUTE BLOCK AS BEGIN "
                       "IF (%1 AND NOT EXISTS(SELECT 1 FROM KISI WHERE %2 IS DISTINCT FROM %3)) THEN BEGIN "
                       "EXECUTE STATEMENT 'ALTER TABLE KISI DROP %4'; "
                       "WHEN ANY DO EXECUTE STATEMENT 'ALTER TABLE KISI DROP %2'; END "
                       "ELSE EXECUTE STATEMENT 'ALTER TABLE KISI DROP %2'; END")
            .arg(isText, fresh, value, column),
        QStringLiteral("ALTER TABLE KISI ALTER COLUMN %1 TO %2;").arg(fresh, column),
        QStringLiteral("ALTER TABLE KISI ALTER %1 POSITION %2;").arg(column).arg(position),
    };
}

std::vector<UpgradeScript> buildUpgradeScripts()
{
    UpgradeScript s1{QStringLiteral("Memo1020201"), {
        QStringLiteral("SELECT RESIM_ORTALA FROM AYAR"),
        QStringLiteral("ALTER TABLE AYAR ADD RESIM_ORTALA VARCHAR(5) CHARACTER SET WIN1254 COLLATE PXW_TURK;"),
        QStringLiteral("UPDATE AYAR SET RESIM_ORTALA='False';"),
    }};

    UpgradeScript s2{QStringLiteral("Memo1020301"), {
        QStringLiteral("SELECT LAKAP_GOR FROM AYAR"),
        QStringLiteral("ALTER TABLE KISI ADD LAKAP VARCHAR(50) CHARACTER SET WIN1254 COLLATE PXW_TURK;"),
    }};
    s2.lines << linkColumnToDouble(QStringLiteral("BABA_KOD"), 11)
             << linkColumnToDouble(QStringLiteral("ANNE_KOD"), 12)
             << linkColumnToDouble(QStringLiteral("ES_KOD"), 13);
    s2.lines << QStringLiteral("CREATE INDEX I_KISI_ANNE_KOD ON KISI (ANNE_KOD);")
             << QStringLiteral("CREATE INDEX I_KISI_BABA_KOD ON KISI (BABA_KOD);")
             << QStringLiteral("CREATE INDEX I_KISI_ES_KOD ON KISI (ES_KOD);")
             << QStringLiteral("CREATE INDEX I_KISI_AD ON KISI (AD);")
             << QStringLiteral("CREATE INDEX I_KISI_SOYAD ON KISI (SOYAD);")
             << QStringLiteral("CREATE INDEX I_KISI_AILE_AD ON KISI (AILE_AD);")
             << QStringLiteral("CREATE INDEX I_KISI_LAKAP ON KISI (LAKAP);")
             << QStringLiteral("ALTER TABLE AYAR ADD LAKAP_GOR SMALLINT;")
             << QStringLiteral("UPDATE AYAR SET LAKAP_GOR=1;")
             << QStringLiteral("ALTER TABLE AYAR ADD SEMA_ES_GENISLIK SMALLINT;")
             << QStringLiteral("UPDATE AYAR SET SEMA_ES_GENISLIK=80;")
             << QStringLiteral("UPDATE AYAR SET RESIM_ORTALA='True' WHERE RESIM_ORTALA IS NULL;");

    UpgradeScript s3{QStringLiteral("Memo1020401"), {
        QStringLiteral("SET GENERATOR VERSIYONGEN_10204 TO 1;"),
        QStringLiteral("ALTER TABLE AYAR ALTER COLUMN PROG_SURUM TYPE VARCHAR(12);"),
        QStringLiteral("CREATE GENERATOR VERSIYONGEN_10204;"),
    }};

    return {s1, s2, s3};
}

// Scripts whose later statements need what an earlier one created see it only once committed.
bool commitsEachStatement(const QString& name)
{
    return name.contains(QStringLiteral("Memo10202")) || name == QStringLiteral("Memo1020301");
}

bool probeSucceeds(fb::Database& db, fb::Transaction& tr, const QString& sql)
{
    try {
        fb::Statement st(db, tr);
        st.prepare(sql);
        st.execute();
        st.closeCursor();
        return true;
    } catch (const fb::Error&) {
        return false;
    }
}

} // namespace

QStringList emptyDatabaseScript()
{
    QStringList script;
    script << createTable(QStringLiteral("KISI"), kisiColumns(), QStringLiteral("BLKISIKODU"))
           << createTable(QStringLiteral("EVLILIK"), evlilikColumns(), QStringLiteral("BLEVKODU"))
           << createTable(QStringLiteral("PERSONEL"), personelColumns(), QStringLiteral("BLPERKODU"))
           << createTable(QStringLiteral("AYAR"), ayarColumns(), QStringLiteral("BLAYARKODU"));
    for (const char* gen : {"KISI_GEN", "KISI_ID", "EVLILIK_ID", "KULLANICI_GEN", "VERSIYONGEN_10204"})
        script << QStringLiteral("CREATE GENERATOR %1").arg(QLatin1String(gen));
    // The upgrade's probe sets this one to 1; starting there keeps the probe from changing it.
    script << QStringLiteral("SET GENERATOR VERSIYONGEN_10204 TO 1");
    // The person-code counter stays equal to AYAR.CRNO, whose default is 1.
    script << QStringLiteral("SET GENERATOR KISI_ID TO 1");
    script << QStringLiteral("CREATE UNIQUE INDEX USER_NAME_INDEX ON PERSONEL (USERNAME)");
    const std::pair<const char*, const char*> indexes[] = {
        {"I_KISI_ANNE_KOD", "ANNE_KOD"}, {"I_KISI_BABA_KOD", "BABA_KOD"}, {"I_KISI_ES_KOD", "ES_KOD"},
        {"I_KISI_AD", "AD"}, {"I_KISI_SOYAD", "SOYAD"}, {"I_KISI_AILE_AD", "AILE_AD"},
        {"I_KISI_LAKAP", "LAKAP"},
    };
    for (const auto& [index, column] : indexes)
        script << QStringLiteral("CREATE INDEX %1 ON KISI (%2)").arg(QLatin1String(index), QLatin1String(column));
    return script;
}

void createEmptyDatabase(const QString& databaseName, const QStringList& params)
{
    fb::Database db;
    db.setDatabaseName(databaseName);
    db.setParams(params);
    db.create();
    try {
        fb::Transaction tr(db);
        for (const QString& sql : emptyDatabaseScript()) {
            db.executeImmediate(tr, sql);
            tr.commitRetaining();
        }
        tr.commit();
        db.close();
    } catch (...) {
        // A half-built file would be taken for a good database at the next start.
        db.forceClose();
        if (QFileInfo(databaseName).isFile())
            QFile::remove(databaseName);
        throw;
    }
}

const std::vector<UpgradeScript>& upgradeScripts()
{
    static const std::vector<UpgradeScript> scripts = buildUpgradeScripts();
    return scripts;
}

UpgradeReport UpdateKontrol(fb::Database& db, fb::Transaction* queryTransaction)
{
    UpgradeReport report;
    std::unique_ptr<fb::Transaction> ownQuery;
    if (!queryTransaction)
        queryTransaction = db.defaultTransaction();
    if (!queryTransaction) {
        ownQuery = std::make_unique<fb::Transaction>(db);
        queryTransaction = ownQuery.get();
    }
    fb::Transaction upgrade(db, {QStringLiteral("read_committed"), QStringLiteral("rec_version"),
                                 QStringLiteral("nowait")});

    for (const UpgradeScript& script : upgradeScripts()) {
        if (script.lines.isEmpty() || probeSucceeds(db, *queryTransaction, script.lines.first()))
            continue;
        report.scriptsRun << script.name;
        const bool commitEach = commitsEachStatement(script.name);
        for (int i = 1; i < script.lines.size(); ++i) {
            try {
                db.executeImmediate(upgrade, script.lines[i]);
                if (commitEach)
                    upgrade.commitRetaining();
            } catch (const fb::Error& e) {
                report.failures.push_back({script.name, script.lines[i], e.text()});
            }
        }
    }

    if (upgrade.active()) {
        try {
            upgrade.commit();
        } catch (const fb::Error& e) {
            report.failures.push_back({QString(), QStringLiteral("COMMIT"), e.text()});
        }
    }
    if (ownQuery)
        ownQuery->commit();
    return report;
}
