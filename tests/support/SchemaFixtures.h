#pragma once
// Databases of known structure for tests, and readers of a database's structure.
#include <QString>
#include <QStringList>

#include <vector>

namespace fb {
class Database;
} // namespace fb

namespace fixtures {

// Connection lines for an embedded database (the user name is trusted, any password).
QStringList embeddedParams();

struct PreUpgradeOptions {
    bool withResimOrtala = false;  // the first upgrade was applied: AYAR.RESIM_ORTALA exists, null
    bool withIndexKisiAd = false;  // I_KISI_AD exists already
};

// A database as older versions of the program left it: no RESIM_ORTALA, LAKAP, LAKAP_GOR,
// SEMA_ES_GENISLIK, no generator VERSIYONGEN_10204, no KISI indexes, PROG_SURUM VARCHAR(10),
// and the KISI links BABA_KOD, ANNE_KOD, ES_KOD as text. Rows (BLKISIKODU: BABA, ANNE, ES):
//   10: null, null, null        11: '', null, '10'          12: '10', '11', ''
//   13: '12', ' 14 ', 'yok'     14: '0', null, null
// EVLILIK: 1 = ('12', '14'), 2 = ('10', '11'). One AYAR row (BLAYARKODU 1, PROG_SURUM "1.2.7").
void createPreUpgradeDatabase(const QString& path, const PreUpgradeOptions& options = {});

struct ColumnInfo {
    QString name;
    int position = 0;   // 0-based, as the system tables keep it
    QString type;       // "VARCHAR(30)", "DOUBLE PRECISION", "DATE", "SMALLINT", "BLOB SUB_TYPE 0"
    bool notNull = false;
    QString charSet;    // empty for non-text columns
    QString collation;
};

// The columns of a table in table order.
std::vector<ColumnInfo> tableColumns(fb::Database& db, const QString& table);

// "name|relation|unique|field,field" for every index of the user tables, sorted.
QStringList userIndexes(fb::Database& db);

// Generator names (user generators only), sorted.
QStringList userGenerators(fb::Database& db);

// Current value of a generator.
qint64 generatorValue(fb::Database& db, const QString& name);

// Everything UpdateKontrol could touch, one line each: columns with types, indexes, generators
// with their values and every row of AYAR, KISI and EVLILIK.
QStringList schemaSnapshot(fb::Database& db);

} // namespace fixtures
