// Statement text of the person card's links and marriages, key text and stored photographs.
#include "persons/FamilyLinks.h"
#include "persons/K_KisiResim.h"

#include <QBuffer>
#include <QImage>

#include <gtest/gtest.h>

namespace {

QString joined(std::initializer_list<const char*> lines)
{
    QStringList l;
    for (const char* s : lines)
        l << QString::fromUtf8(s);
    return l.join(QStringLiteral("\r\n"));
}

TEST(CardStatements, ChildlessSpouseListNamesBothSidesOfTheLink)
{
    EXPECT_EQ(ChildlessSpouseListSql("12", ""), joined({"Select * from KISI", "WHERE ES_KOD ='12'"}));
    EXPECT_EQ(ChildlessSpouseListSql("12", "34"),
              joined({"Select * from KISI", "WHERE ES_KOD ='12'", "OR BLKISIKODU ='34'"}));
}

TEST(CardStatements, SpouseListTakesTheOtherParentByGender)
{
    struct Case {
        const char* gender;
        const char* esKod;
        QString expected;
    };
    const Case cases[] = {
        {"0", "",
         joined({"SELECT K.BLKISIKODU,K.AD, K.SOYAD,K.AILE_AD,K.RESIM FROM KISI K", "WHERE K.BLKISIKODU IN (",
                 "SELECT KA.ANNE_KOD FROM KISI KA WHERE KA.BABA_KOD='7' GROUP BY KA.ANNE_KOD)", "OR K.ES_KOD='7'"})},
        {"1", "9",
         joined({"SELECT K.BLKISIKODU,K.AD, K.SOYAD,K.AILE_AD,K.RESIM FROM KISI K", "WHERE K.BLKISIKODU IN (",
                 "SELECT KA.BABA_KOD FROM KISI KA WHERE KA.ANNE_KOD='7' GROUP BY KA.BABA_KOD)", "OR K.ES_KOD='7'",
                 "OR K.BLKISIKODU='9'"})},
        // Any gender but "0" is treated as a woman.
        {"", "",
         joined({"SELECT K.BLKISIKODU,K.AD, K.SOYAD,K.AILE_AD,K.RESIM FROM KISI K", "WHERE K.BLKISIKODU IN (",
                 "SELECT KA.BABA_KOD FROM KISI KA WHERE KA.ANNE_KOD='7' GROUP BY KA.BABA_KOD)", "OR K.ES_KOD='7'"})},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SpouseListSql("7", c.gender, c.esKod), c.expected) << "gender '" << c.gender << "'";
}

TEST(CardStatements, MarriageStatementsPutTheManInBabaKod)
{
    EXPECT_EQ(ParentsMarriageSql("3", "4"),
              joined({"Select * from EVLILIK", "Where BLEVKODU>0", "AND BABA_KOD='3'", "AND ANNE_KOD='4'"}));
    EXPECT_EQ(SpouseMarriageSql("12", "0", "34"),
              joined({"Select * from EVLILIK", "Where BLEVKODU>0", "AND BABA_KOD='12'", "AND ANNE_KOD='34'"}));
    EXPECT_EQ(SpouseMarriageSql("34", "1", "12"),
              joined({"Select * from EVLILIK", "Where BLEVKODU>0", "AND ANNE_KOD='34'", "AND BABA_KOD='12'"}));

    // Entered from either card, the couple is stored the same way.
    const MarriageCouple fromHim = MarriagePartners("12", "0", "34");
    const MarriageCouple fromHer = MarriagePartners("34", "1", "12");
    EXPECT_EQ(fromHim.babaKod, "12");
    EXPECT_EQ(fromHim.anneKod, "34");
    EXPECT_EQ(fromHer.babaKod, fromHim.babaKod);
    EXPECT_EQ(fromHer.anneKod, fromHim.anneKod);
}

TEST(CardStatements, QuotesInKeysCannotBreakOutOfTheLiteral)
{
    EXPECT_EQ(ChildlessSpouseListSql("1' OR '1'='1", ""),
              joined({"Select * from KISI", "WHERE ES_KOD ='1'' OR ''1''=''1'"}));
}

TEST(CardStatements, KeyTextIsDecimalWithoutDecimals)
{
    struct Case {
        QVariant value;
        QString expected;
    };
    const Case cases[] = {
        {QVariant(12.0), "12"},        {QVariant(qint64(1234567890123)), "1234567890123"},
        {QVariant(QStringLiteral("34")), "34"}, {QVariant(0.0), ""},
        {QVariant(), ""},              {QVariant(QStringLiteral("abc")), ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(KeyText(c.value), c.expected) << c.value.toString().toStdString();
    EXPECT_EQ(OppositeGender("0"), "1");
    EXPECT_EQ(OppositeGender("1"), "0");
    EXPECT_EQ(OppositeGender(""), "0");
}

TEST(CardPhotographs, StoredAsBitmapAndReadBackOnlyAsBitmap)
{
    QImage image(7, 5, QImage::Format_RGB32);
    image.fill(QColor(10, 200, 30));
    const QByteArray bmp = PictureToBmp(image);
    ASSERT_TRUE(bmp.startsWith("BM"));
    bool bad = true;
    const QImage back = PictureFromBmp(bmp, &bad);
    EXPECT_FALSE(bad);
    ASSERT_EQ(back.size(), image.size());
    EXPECT_EQ(back.pixelColor(3, 2), QColor(10, 200, 30));

    QByteArray png;
    QBuffer buf(&png);
    buf.open(QIODevice::WriteOnly);
    image.save(&buf, "PNG");
    for (const QByteArray& junk : {png, QByteArray("BM not really a bitmap"), QByteArray("\x00\x01\x02", 3)}) {
        EXPECT_TRUE(PictureFromBmp(junk, &bad).isNull());
        EXPECT_TRUE(bad);
    }
    EXPECT_TRUE(PictureFromBmp({}, &bad).isNull());
    EXPECT_FALSE(bad);
}

} // namespace
