#include "FbTestSupport.h"
#include "fb/Win1254.h"

using namespace fbtest;

namespace {

const QString kTurkish = QStringLiteral("çğıöşüÇĞİÖŞÜ");

class FbText : public EmbeddedDb {
protected:
    void SetUp() override
    {
        EmbeddedDb::SetUp();
        run(*db, {"CREATE TABLE T (ID INTEGER, AD VARCHAR(30) CHARACTER SET WIN1254 COLLATE PXW_TURK, "
                  "KOD CHAR(4) CHARACTER SET WIN1254, NOT_ BLOB SUB_TYPE TEXT CHARACTER SET WIN1254)"});
    }
};

} // namespace

TEST_F(FbText, TurkishLettersRoundTripAsParametersAndLiterals)
{
    fb::Transaction tr(*db);
    fb::Statement st(*db, tr);
    st.prepare("INSERT INTO T (ID, AD, KOD, NOT_) VALUES (?, ?, ?, ?)");
    st.setParam(0, 1);
    st.setParam(1, kTurkish);
    st.setParam(2, "Şğ");
    st.setParam(3, kTurkish + "\r\n" + kTurkish);
    st.execute();
    db->executeImmediate(tr, "INSERT INTO T (ID, AD) VALUES (2, '" + kTurkish + "')");
    tr.commit();

    for (int id : {1, 2}) {
        SCOPED_TRACE(id);
        st.prepare("SELECT AD, KOD, NOT_, CHAR_LENGTH(AD), OCTET_LENGTH(AD) FROM T WHERE ID = ?");
        st.setParam(0, id);
        st.execute();
        ASSERT_TRUE(st.fetch());
        EXPECT_EQ(st.value(0).toString(), kTurkish);
        EXPECT_EQ(st.value(3).toLongLong(), 12); // one byte per letter: stored as WIN1254
        EXPECT_EQ(st.value(4).toLongLong(), 12);
        if (id == 1) {
            EXPECT_EQ(st.value(1).toString(), "Şğ  "); // CHAR keeps its padding
            EXPECT_EQ(st.value(2).toString(), kTurkish + "\r\n" + kTurkish);
        }
        EXPECT_FALSE(st.fetch());
    }
    // The parameter is compared in the database's collation, not byte by byte.
    st.prepare("SELECT COUNT(*) FROM T WHERE AD = ?");
    st.setParam(0, kTurkish);
    st.execute();
    ASSERT_TRUE(st.fetch());
    EXPECT_EQ(st.value(0).toLongLong(), 2);
}

TEST_F(FbText, TurkishCollationUpperAndLower)
{
    fb::Transaction tr(*db);
    fb::Statement st(*db, tr);
    st.prepare("SELECT UPPER('i' COLLATE PXW_TURK), UPPER('ı' COLLATE PXW_TURK), UPPER('" + QString("çğöşü") +
               "' COLLATE PXW_TURK) FROM RDB$DATABASE");
    st.execute();
    ASSERT_TRUE(st.fetch());
    EXPECT_EQ(st.value(0).toString(), "İ");
    EXPECT_EQ(st.value(1).toString(), "I");
    EXPECT_EQ(st.value(2).toString(), "ÇĞÖŞÜ");
}

TEST_F(FbText, CharacterOutsideWindows1254IsRefusedClearly)
{
    fb::Transaction tr(*db);
    fb::Statement st(*db, tr);
    st.prepare("INSERT INTO T (ID, AD) VALUES (1, ?)");
    st.setParam(0, QString::fromUtf8("Ali \u0416"));  // Cyrillic Zhe
    try {
        st.execute();
        FAIL() << "a Cyrillic letter was written";
    } catch (const fb::Error& e) {
        EXPECT_TRUE(e.text().contains("U+0416")) << e.text().toStdString();
        EXPECT_TRUE(e.text().contains("Windows-1254")) << e.text().toStdString();
    }
    // In the statement text, too, and the statement is not left half-prepared.
    EXPECT_THROW(st.prepare(QString::fromUtf8("SELECT '\u20BA\u4E2D' FROM RDB$DATABASE")), fb::Error);
    EXPECT_FALSE(st.prepared());
    // Nothing was written.
    EXPECT_EQ(scalar(*db, "SELECT COUNT(*) FROM T").toLongLong(), 0);

    EXPECT_TRUE(fb::fitsWin1254(kTurkish + "€âî"));
    EXPECT_FALSE(fb::fitsWin1254(QString::fromUtf8("\u0416")));
}

TEST_F(FbText, Windows1254CodecIsTheWholeCodePage)
{
    // Every byte decodes to one character that encodes back to the same byte.
    QByteArray all;
    for (int b = 1; b < 256; ++b)
        all.append(char(b));
    const QString text = fb::fromWin1254(all);
    ASSERT_EQ(text.size(), 255);
    EXPECT_EQ(fb::toWin1254(text), all);
    EXPECT_EQ(fb::toWin1254(kTurkish), QByteArray("\xE7\xF0\xFD\xF6\xFE\xFC\xC7\xD0\xDD\xD6\xDE\xDC"));
    // Latin-1 letters that Windows-1254 replaced by Turkish ones have no byte.
    for (char16_t c : {u'\u00D0', u'\u00DD', u'\u00DE', u'\u00F0', u'\u00FD', u'\u00FE'})
        EXPECT_FALSE(fb::fitsWin1254(QString(QChar(c)))) << int(c);
}

TEST_F(FbText, TooLongTextIsJudgedByTheServer)
{
    fb::Transaction tr(*db);
    fb::Statement st(*db, tr);
    st.prepare("INSERT INTO T (ID, AD) VALUES (1, ?)");
    st.setParam(0, QString(31, QChar(u'ş')));
    try {
        st.execute();
        FAIL() << "31 letters went into VARCHAR(30)";
    } catch (const fb::Error& e) {
        EXPECT_TRUE(e.text().contains("string right truncation")) << e.text().toStdString();
        EXPECT_TRUE(e.text().contains("expected length 30, actual 31")) << e.text().toStdString();
    }
    st.setParam(0, QString(30, QChar(u'ş')));
    st.execute();
    EXPECT_EQ(st.rowsAffected(), 1);
}
