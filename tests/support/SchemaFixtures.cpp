#include "SchemaFixtures.h"

#include "fb/Firebird.h"

#include <QDate>

#include <algorithm>

namespace fixtures {

namespace {

// NOT NULL has to come before the collation.
QString text(int n, bool notNull = false)
{
    return QStringLiteral("VARCHAR(%1) CHARACTER SET WIN1254%2 COLLATE PXW_TURK")
        .arg(n)
        .arg(notNull ? QStringLiteral(" NOT NULL") : QString());
}

QString createTable(const QString& table, const QStringList& columns, const QString& key)
{
    return QStringLiteral("CREATE TABLE %1 (%2, CONSTRAINT PK_%1 PRIMARY KEY (%3))")
        .arg(table, columns.join(QStringLiteral(", ")), key);
}

QStringList preUpgradeScript(const PreUpgradeOptions& options)
{
    const QString d = QStringLiteral("DOUBLE PRECISION");
    QStringList kisi = {
        "BLKISIKODU " + d + " NOT NULL", "KISI_KOD " + text(30, true), "AILE_AD " + text(50),
        "GURUP_KOD " + text(20), "GURUP " + text(30), "OZEL_KOD1 " + text(20), "OZEL_KOD2 " + text(20),
        "KAY_TAR DATE", "AD " + text(30), "SOYAD " + text(30),
        // The links as older versions kept them: the key written as text.
        "BABA_KOD " + text(30), "ANNE_KOD " + text(30), "ES_KOD " + text(30),
        "CINSIYET " + text(5), "DOG_TAR DATE", "OL_TAR DATE", "DOG_YER " + text(50), "M_HAL " + text(5),
        "ASKERLIK " + text(10), "ADRES " + text(200), "IL " + text(20), "ILCE " + text(20),
        "TEL1 " + text(11), "TEL2 " + text(11), "CEP_TEL1 " + text(11), "CEP_TEL2 " + text(11),
        "RESIM BLOB SUB_TYPE 0", "K_NOT " + text(200), "MEZUNIYET " + text(20), "OKUL_AD " + text(150),
        "O_IL " + text(20), "O_ILCE " + text(20), "E_NOT " + text(200), "TIC_UNV " + text(200),
        "IS_TEL " + text(15), "IS_FAX " + text(15), "IS_ADRES " + text(200), "IS_IL " + text(20),
        "IS_ILCE " + text(20), "SAGLIK " + text(150), "S_NOT " + text(200), "T_NOT " + text(200),
        "KAYDEDEN " + text(20), "DUZENLEYEN " + text(20),
    };
    QStringList evlilik = {
        "BLEVKODU " + d + " NOT NULL", "BABA_KOD " + text(30), "ANNE_KOD " + text(30), "EV_TAR DATE",
        "EV_NOT " + text(200), "AYR_TAR DATE", "EK_1 " + text(30), "EK_2 " + text(30), "YER " + text(200),
    };
    QStringList personel = {
        "BLPERKODU " + d + " NOT NULL", "OZELKODU " + text(20), "ADI " + text(20), "SOYADI " + text(20),
        "BABA_ADI " + text(20), "DOG_YERI " + text(20), "DOG_TARIHI DATE", "SICIL_NO " + text(20),
        "TELEFONU " + text(20), "CEP_TEL " + text(20), "E_MAIL " + text(50), "USERPWD " + text(20),
        "BANKA_ADI " + text(40), "BANKA_NO " + text(20), "ADRES1 " + text(50), "ADRES2 " + text(50),
        "ACIKLAMA1 " + text(40), "ACIKLAMA2 " + text(40), "ACIKLAMA3 " + text(40),
        "USERNAME " + text(20, true), "G_INSERT " + text(1), "G_DELETE " + text(1),
        "G_UPDATE " + text(1),
    };
    QStringList ayar = {
        "BLAYARKODU " + d + " NOT NULL", "CROTONO " + text(1), "CRNO " + d, "CRBASSAYI " + text(20),
        "CRBASEK " + text(10), "CRSONEK " + text(10), "PROG_SURUM " + text(10),
    };
    for (int i = 1; i <= 8; ++i)
        ayar << QStringLiteral("G%1 ").arg(i) + text(5);
    if (options.withResimOrtala)
        ayar << "RESIM_ORTALA " + text(5);

    QStringList script = {
        createTable("KISI", kisi, "BLKISIKODU"), createTable("EVLILIK", evlilik, "BLEVKODU"),
        createTable("PERSONEL", personel, "BLPERKODU"), createTable("AYAR", ayar, "BLAYARKODU"),
        "CREATE GENERATOR KISI_GEN", "CREATE GENERATOR KISI_ID", "CREATE GENERATOR EVLILIK_ID",
        "CREATE GENERATOR KULLANICI_GEN",
        "CREATE UNIQUE INDEX USER_NAME_INDEX ON PERSONEL (USERNAME)",
    };
    if (options.withIndexKisiAd)
        script << "CREATE INDEX I_KISI_AD ON KISI (AD)";
    script << "SET GENERATOR KISI_GEN TO 14" << "SET GENERATOR KISI_ID TO 15"
           << "SET GENERATOR EVLILIK_ID TO 2" << "SET GENERATOR KULLANICI_GEN TO 1";

    const QString kisiInsert = QStringLiteral(
        "INSERT INTO KISI (BLKISIKODU, KISI_KOD, AD, SOYAD, BABA_KOD, ANNE_KOD, ES_KOD, CINSIYET) VALUES ");
    script << kisiInsert + "(10, 'K10', 'Ali', 'Yılmaz', NULL, NULL, NULL, '0')"
           << kisiInsert + "(11, 'K11', 'Ayşe', 'Yılmaz', '', NULL, '10', '1')"
           << kisiInsert + "(12, 'K12', 'Mehmet', 'Yılmaz', '10', '11', '', '0')"
           << kisiInsert + "(13, 'K13', 'Zeynep', 'Yılmaz', '12', ' 14 ', 'yok', '1')"
           << kisiInsert + "(14, 'K14', 'Fatma', 'Kaya', '0', NULL, NULL, '1')"
           << "INSERT INTO EVLILIK (BLEVKODU, BABA_KOD, ANNE_KOD, EV_TAR, EK_1) VALUES (1, '12', '14', '2001-06-15', 'Resmi')"
           << "INSERT INTO EVLILIK (BLEVKODU, BABA_KOD, ANNE_KOD, EK_1) VALUES (2, '10', '11', 'Resmi')"
           << "INSERT INTO PERSONEL (BLPERKODU, ADI, USERNAME, USERPWD, G_INSERT, G_DELETE, G_UPDATE) "
              "VALUES (1, 'Ali', 'ali', 'parola', '1', '0', '1')"
           << "INSERT INTO AYAR (BLAYARKODU, CROTONO, CRNO, CRBASSAYI, CRBASEK, CRSONEK, PROG_SURUM, "
              "G1, G2, G3, G4, G5, G6, G7, G8) VALUES (1, '1', 15, '5 Basamağa tamamla', 'A', '', '1.2.7', "
              "'True', 'True', 'False', 'True', 'False', 'True', 'True', 'False')";
    return script;
}

QString trimmed(const QVariant& v)
{
    return v.toString().trimmed();
}

QString typeName(int type, int subType, int charLength, int byteLength)
{
    switch (type) {
    case 37: return QStringLiteral("VARCHAR(%1)").arg(charLength > 0 ? charLength : byteLength);
    case 14: return QStringLiteral("CHAR(%1)").arg(charLength > 0 ? charLength : byteLength);
    case 27: return QStringLiteral("DOUBLE PRECISION");
    case 12: return QStringLiteral("DATE");
    case 7: return QStringLiteral("SMALLINT");
    case 8: return QStringLiteral("INTEGER");
    case 16: return QStringLiteral("BIGINT");
    case 261: return QStringLiteral("BLOB SUB_TYPE %1").arg(subType);
    default: return QStringLiteral("TYPE %1").arg(type);
    }
}

QString valueText(const QVariant& v)
{
    if (v.isNull())
        return QStringLiteral("<null>");
    switch (v.typeId()) {
    case QMetaType::QByteArray: return QString::fromLatin1(v.toByteArray().toHex());
    case QMetaType::Double: return QString::number(v.toDouble(), 'g', 17);
    case QMetaType::QDate: return v.toDate().toString(Qt::ISODate);
    default: return v.toString();
    }
}

} // namespace

QStringList embeddedParams()
{
    return {QStringLiteral("user_name=SYSDBA"), QStringLiteral("password=x"), QStringLiteral("lc_ctype=WIN1254")};
}

void createPreUpgradeDatabase(const QString& path, const PreUpgradeOptions& options)
{
    fb::Database db;
    db.setDatabaseName(path);
    db.setParams(embeddedParams());
    db.create();
    fb::Transaction tr(db);
    for (const QString& sql : preUpgradeScript(options)) {
        db.executeImmediate(tr, sql);
        tr.commitRetaining();
    }
    tr.commit();
    db.close();
}

std::vector<ColumnInfo> tableColumns(fb::Database& db, const QString& table)
{
    fb::Transaction tr(db);
    fb::Statement st(db, tr);
    st.prepare(QStringLiteral(
        "SELECT RF.RDB$FIELD_NAME, RF.RDB$FIELD_POSITION, F.RDB$FIELD_TYPE, F.RDB$FIELD_SUB_TYPE, "
        "F.RDB$CHARACTER_LENGTH, F.RDB$FIELD_LENGTH, COALESCE(RF.RDB$NULL_FLAG, F.RDB$NULL_FLAG, 0), "
        "CS.RDB$CHARACTER_SET_NAME, CO.RDB$COLLATION_NAME "
        "FROM RDB$RELATION_FIELDS RF JOIN RDB$FIELDS F ON F.RDB$FIELD_NAME = RF.RDB$FIELD_SOURCE "
        "LEFT JOIN RDB$CHARACTER_SETS CS ON CS.RDB$CHARACTER_SET_ID = F.RDB$CHARACTER_SET_ID "
        "LEFT JOIN RDB$COLLATIONS CO ON CO.RDB$CHARACTER_SET_ID = F.RDB$CHARACTER_SET_ID "
        "  AND CO.RDB$COLLATION_ID = COALESCE(RF.RDB$COLLATION_ID, F.RDB$COLLATION_ID, 0) "
        "WHERE RF.RDB$RELATION_NAME = ? ORDER BY RF.RDB$FIELD_POSITION"));
    st.setParam(0, table);
    st.execute();
    std::vector<ColumnInfo> out;
    while (st.fetch()) {
        ColumnInfo c;
        c.name = trimmed(st.value(0));
        c.position = st.value(1).toInt();
        c.type = typeName(st.value(2).toInt(), st.value(3).toInt(), st.value(4).toInt(), st.value(5).toInt());
        c.notNull = st.value(6).toInt() != 0;
        const bool isText = c.type.startsWith(QLatin1String("VARCHAR")) || c.type.startsWith(QLatin1String("CHAR"));
        if (isText) {
            c.charSet = trimmed(st.value(7));
            c.collation = trimmed(st.value(8));
        }
        out.push_back(c);
    }
    tr.commit();
    return out;
}

QStringList userIndexes(fb::Database& db)
{
    fb::Transaction tr(db);
    fb::Statement st(db, tr);
    st.prepare(QStringLiteral(
        "SELECT I.RDB$INDEX_NAME, I.RDB$RELATION_NAME, COALESCE(I.RDB$UNIQUE_FLAG, 0), S.RDB$FIELD_NAME "
        "FROM RDB$INDICES I LEFT JOIN RDB$INDEX_SEGMENTS S ON S.RDB$INDEX_NAME = I.RDB$INDEX_NAME "
        "WHERE COALESCE(I.RDB$SYSTEM_FLAG, 0) = 0 ORDER BY I.RDB$INDEX_NAME, S.RDB$FIELD_POSITION"));
    st.execute();
    QStringList out;
    QString current, line;
    while (st.fetch()) {
        const QString name = trimmed(st.value(0));
        if (name != current) {
            if (!line.isEmpty())
                out << line;
            current = name;
            line = QStringLiteral("%1|%2|%3|").arg(name, trimmed(st.value(1))).arg(st.value(2).toInt());
        } else {
            line += QLatin1Char(',');
        }
        line += trimmed(st.value(3));
    }
    if (!line.isEmpty())
        out << line;
    tr.commit();
    out.sort();
    return out;
}

QStringList userGenerators(fb::Database& db)
{
    fb::Transaction tr(db);
    fb::Statement st(db, tr);
    st.prepare(QStringLiteral(
        "SELECT RDB$GENERATOR_NAME FROM RDB$GENERATORS WHERE COALESCE(RDB$SYSTEM_FLAG, 0) = 0"));
    st.execute();
    QStringList out;
    while (st.fetch())
        out << trimmed(st.value(0));
    tr.commit();
    out.sort();
    return out;
}

qint64 generatorValue(fb::Database& db, const QString& name)
{
    fb::Transaction tr(db);
    fb::Statement st(db, tr);
    st.prepare(QStringLiteral("SELECT GEN_ID(%1, 0) FROM RDB$DATABASE").arg(name));
    st.execute();
    const qint64 v = st.fetch() ? st.value(0).toLongLong() : -1;
    tr.commit();
    return v;
}

QStringList schemaSnapshot(fb::Database& db)
{
    QStringList out;
    for (const QString& table : {QStringLiteral("AYAR"), QStringLiteral("EVLILIK"), QStringLiteral("KISI"),
                                 QStringLiteral("PERSONEL")}) {
        for (const ColumnInfo& c : tableColumns(db, table))
            out << QStringLiteral("COLUMN %1 %2 %3 %4%5 %6 %7")
                       .arg(table).arg(c.position).arg(c.name, c.type,
                                                       c.notNull ? QStringLiteral(" NOT NULL") : QString(),
                                                       c.charSet, c.collation);
    }
    for (const QString& index : userIndexes(db))
        out << QStringLiteral("INDEX ") + index;
    for (const QString& gen : userGenerators(db))
        out << QStringLiteral("GENERATOR %1 = %2").arg(gen).arg(generatorValue(db, gen));

    fb::Transaction tr(db);
    for (const QString& table : {QStringLiteral("AYAR"), QStringLiteral("KISI"), QStringLiteral("EVLILIK")}) {
        fb::Statement st(db, tr);
        st.prepare(QStringLiteral("SELECT * FROM %1 ORDER BY 1").arg(table));
        st.execute();
        while (st.fetch()) {
            QStringList values;
            for (int i = 0; i < st.columnCount(); ++i)
                values << st.column(i).name + QLatin1Char('=') + valueText(st.value(i));
            out << QStringLiteral("ROW %1 ").arg(table) + values.join(QLatin1Char('|'));
        }
    }
    tr.commit();
    return out;
}

} // namespace fixtures
