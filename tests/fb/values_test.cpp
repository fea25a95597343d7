#include "FbTestSupport.h"

#include <QDateTime>
#include <QRandomGenerator>

using namespace fbtest;

namespace {

struct TypedCase {
    const char* column;   // column definition
    QVariant value;       // written as a parameter
    QVariant expected;    // read back
    fb::SqlType type;
};

std::vector<TypedCase> typedCases()
{
    const QDate date(1923, 10, 29);
    const QTime time(23, 59, 58, 123);
    return {
        {"INTEGER", QVariant(), QVariant(), fb::SqlType::Integer},
        {"INTEGER", 2147483647, qint64(2147483647), fb::SqlType::Integer},
        {"SMALLINT", -32768, qint64(-32768), fb::SqlType::Integer},
        {"BIGINT", qint64(9007199254740993), qint64(9007199254740993), fb::SqlType::Integer}, // beyond double
        {"BIGINT", "-42", qint64(-42), fb::SqlType::Integer},
        {"NUMERIC(15,2)", 1234.56, 1234.56, fb::SqlType::Float},
        {"DOUBLE PRECISION", 1.0 / 3.0, 1.0 / 3.0, fb::SqlType::Float},
        {"DOUBLE PRECISION", "2.5", 2.5, fb::SqlType::Float},
        {"DOUBLE PRECISION", QVariant(), QVariant(), fb::SqlType::Float},
        {"DATE", date, date, fb::SqlType::Date},
        {"DATE", "2024-03-05", QDate(2024, 3, 5), fb::SqlType::Date},
        {"DATE", QDate(1, 1, 1), QDate(1, 1, 1), fb::SqlType::Date},
        {"TIME", time, time, fb::SqlType::Time},
        {"TIMESTAMP", QDateTime(date, time), QDateTime(date, time), fb::SqlType::Timestamp},
        {"TIMESTAMP", date, QDateTime(date, QTime(0, 0)), fb::SqlType::Timestamp},
        {"VARCHAR(40) CHARACTER SET WIN1254", "Gülşen Ağaoğlu", "Gülşen Ağaoğlu", fb::SqlType::Text},
        {"VARCHAR(40) CHARACTER SET WIN1254", "", "", fb::SqlType::Text},  // empty is not null
        {"VARCHAR(40) CHARACTER SET WIN1254", QVariant(), QVariant(), fb::SqlType::Text},
        {"BOOLEAN", true, true, fb::SqlType::Boolean},
        {"BLOB SUB_TYPE TEXT CHARACTER SET WIN1254", "Not: ığüşöç", "Not: ığüşöç", fb::SqlType::Blob},
        {"BLOB SUB_TYPE 0", QByteArray("\x00\x01\xFF", 3), QByteArray("\x00\x01\xFF", 3), fb::SqlType::Blob},
    };
}

} // namespace

using FbValues = EmbeddedDb;

TEST_F(FbValues, TypedValuesRoundTrip)
{
    const auto cases = typedCases();
    QStringList ddl;
    for (size_t i = 0; i < cases.size(); ++i)
        ddl << QStringLiteral("CREATE TABLE V%1 (X %2)").arg(i).arg(QLatin1String(cases[i].column));
    run(*db, ddl);
    for (size_t i = 0; i < cases.size(); ++i) {
        const TypedCase& c = cases[i];
        SCOPED_TRACE(QStringLiteral("%1 %2 <- %3").arg(i).arg(c.column, c.value.toString()).toStdString());
        const QString table = QStringLiteral("V%1").arg(i);
        fb::Transaction tr(*db);
        fb::Statement st(*db, tr);
        st.prepare("INSERT INTO " + table + " (X) VALUES (?)");
        st.setParam(0, c.value);
        st.execute();
        tr.commitRetaining();

        st.prepare("SELECT X FROM " + table);
        st.execute();
        ASSERT_TRUE(st.fetch());
        EXPECT_EQ(st.column(0).type, c.type);
        EXPECT_EQ(st.column(0).name, "X");
        EXPECT_EQ(st.column(0).relation, table);
        const QVariant got = st.value(0);
        EXPECT_EQ(st.isNull(0), c.expected.isNull());
        if (c.expected.isNull()) {
            EXPECT_TRUE(got.isNull());
            EXPECT_TRUE(st.blobId(0).isEmpty());
        } else if (c.expected.typeId() == QMetaType::Double) {
            EXPECT_EQ(got.typeId(), QMetaType::Double);
            EXPECT_DOUBLE_EQ(got.toDouble(), c.expected.toDouble());
        } else {
            EXPECT_EQ(got.typeId(), c.expected.typeId()) << got.typeName();
            EXPECT_EQ(got, c.expected) << got.toString().toStdString();
        }
        EXPECT_FALSE(st.fetch());
        tr.commit();
    }
}

TEST_F(FbValues, ValuesThatDoNotFitAreErrorsNotZeroes)
{
    run(*db, {"CREATE TABLE T (I INTEGER, S SMALLINT, D DOUBLE PRECISION, DT DATE, TS TIMESTAMP)"});
    struct Bad {
        const char* column;
        QVariant value;
        const char* fragment;
    };
    const Bad cases[] = {
        {"I", "on iki", "sayı"},
        {"I", qint64(1) << 40, "numeric value is out of range"},
        {"S", 40000, "numeric value is out of range"},
        {"D", "12,5", "sayı"},           // decimal comma is not guessed
        {"DT", "31.02.2024", "tarih"},
        {"DT", QDate(), "tarih"},
        {"TS", "yarın", "tarih ve saat"},
    };
    fb::Transaction tr(*db);
    fb::Statement st(*db, tr);
    for (const Bad& c : cases) {
        SCOPED_TRACE(QStringLiteral("%1 <- %2").arg(c.column, c.value.toString()).toStdString());
        st.prepare(QStringLiteral("INSERT INTO T (%1) VALUES (?)").arg(c.column));
        st.setParam(0, c.value);
        try {
            st.execute();
            ADD_FAILURE() << "accepted";
        } catch (const fb::Error& e) {
            EXPECT_TRUE(e.text().contains(c.fragment)) << e.text().toStdString();
        }
    }
    tr.commit();
    EXPECT_EQ(scalar(*db, "SELECT COUNT(*) FROM T").toLongLong(), 0);
    EXPECT_THROW(st.setParam(1, 1), fb::Error);
}

TEST(FbBlob, FiveMegabytesRoundTripThroughTheServer)
{
    auto db = createDatabase(serverDatabaseName("BLOB"), serverParams());
    run(*db, {"CREATE TABLE P (ID INTEGER, RESIM BLOB SUB_TYPE 0)"});
    QByteArray data(5 * 1024 * 1024 + 17, Qt::Uninitialized);
    QRandomGenerator rng(1923);
    rng.fillRange(reinterpret_cast<quint32*>(data.data()), data.size() / 4);
    data[data.size() - 1] = '\x7F';

    fb::Transaction tr(*db);
    fb::Statement st(*db, tr);
    st.prepare("INSERT INTO P (ID, RESIM) VALUES (1, ?)");
    st.setParam(0, data);
    st.execute();
    tr.commit();

    EXPECT_EQ(scalar(*db, "SELECT OCTET_LENGTH(RESIM) FROM P").toLongLong(), data.size());
    st.prepare("SELECT ID, RESIM FROM P");
    st.execute();
    ASSERT_TRUE(st.fetch());
    const QByteArray back = st.value("RESIM").toByteArray();
    EXPECT_EQ(back.size(), data.size());
    EXPECT_TRUE(back == data);
    // The id alone reads the same contents.
    EXPECT_TRUE(fb::readBlob(tr, st.blobId(1)) == data);
}

TEST_F(FbValues, NewDatabaseHasOnDiskStructure12)
{
    const fb::OdsVersion ods = db->odsVersion();
    EXPECT_EQ(ods.major, 12);
    EXPECT_EQ(ods.minor, 0);
    EXPECT_EQ(scalar(*db, "SELECT RDB$CHARACTER_SET_NAME FROM RDB$DATABASE").toString().trimmed(), "WIN1254");
    EXPECT_TRUE(fb::clientLibraryVersion().startsWith("3.")) << fb::clientLibraryVersion().toStdString();
}

TEST_F(FbValues, ServerErrorsKeepTurkishLetters)
{
    run(*db, {"CREATE TABLE T (AD VARCHAR(20) CHARACTER SET WIN1254 NOT NULL PRIMARY KEY)",
              "CREATE EXCEPTION E_YASAK 'Bu kişi silinemez: ağaçta çocuğu var'"});
    run(*db, {"INSERT INTO T VALUES ('Çağrı')"});
    try {
        run(*db, {"INSERT INTO T VALUES ('Çağrı')"});
        FAIL() << "duplicate key accepted";
    } catch (const fb::Error& e) {
        EXPECT_TRUE(e.text().contains("violation of PRIMARY or UNIQUE KEY")) << e.text().toStdString();
        EXPECT_TRUE(e.text().contains("Çağrı")) << e.text().toStdString();
    }
    try {
        run(*db, {"EXECUTE BLOCK AS BEGIN EXCEPTION E_YASAK; END"});
        FAIL() << "exception not raised";
    } catch (const fb::Error& e) {
        EXPECT_TRUE(e.text().contains("Bu kişi silinemez: ağaçta çocuğu var")) << e.text().toStdString();
    }
}

TEST_F(FbValues, SingletonResultsReadAsOneRow)
{
    run(*db, {"CREATE TABLE T (ID INTEGER GENERATED BY DEFAULT AS IDENTITY, AD VARCHAR(10))"});
    fb::Transaction tr(*db);
    fb::Statement st(*db, tr);
    st.prepare("INSERT INTO T (AD) VALUES (?) RETURNING ID");
    EXPECT_FALSE(st.isSelect());
    for (int expected : {1, 2}) {
        st.setParam(0, "x");
        st.execute();
        ASSERT_TRUE(st.fetch());
        EXPECT_EQ(st.value("id").toLongLong(), expected);
        EXPECT_FALSE(st.fetch());
    }
    st.prepare("UPDATE T SET AD = 'y'");
    st.execute();
    EXPECT_EQ(st.rowsAffected(), 2);
    EXPECT_FALSE(st.fetch());
    EXPECT_EQ(st.columnIndex("AD"), -1);
    EXPECT_THROW(st.value("AD"), fb::Error);
}
