// Fetched rows are kept packed; every value a statement or a calculated field can hold must
// come back as it went in, with its type.
#include "data/Dataset.h"
#include "data/StoredRow.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

#include <gtest/gtest.h>

namespace {

void expectSame(const QVariant& got, const QVariant& want, const char* what)
{
    EXPECT_EQ(got.isValid(), want.isValid()) << what;
    EXPECT_EQ(got.userType(), want.userType()) << what;
    if (want.userType() == qMetaTypeId<BlobRef>()) {
        EXPECT_EQ(got.value<BlobRef>().id, want.value<BlobRef>().id) << what;
        EXPECT_EQ(got.value<BlobRef>().text, want.value<BlobRef>().text) << what;
    } else {
        EXPECT_EQ(got, want) << what;
    }
}

TEST(StoredRow, EveryKindOfValueComesBackUnchanged)
{
    const QString turkish = QString::fromUtf8("Şükrü Çağlayan Ilgaz İğdır");
    const struct {
        const char* what;
        QVariant value;
    } cases[] = {
        {"null", QVariant()},
        {"int64", QVariant(qint64(-1234567890123LL))},
        {"int", QVariant(42)},
        {"double", QVariant(12.5)},
        {"true", QVariant(true)},
        {"false", QVariant(false)},
        {"empty text", QVariant(QString(""))},
        {"turkish text", QVariant(turkish)},
        {"255 characters", QVariant(QString(255, QChar('a')))},
        {"long text", QVariant(turkish.repeated(3000))},
        {"bytes", QVariant(QByteArray("\0\1\2\xFF", 4))},
        {"date", QVariant(QDate(1950, 3, 1))},
        {"time", QVariant(QTime(23, 59, 58, 120))},
        {"timestamp", QVariant(QDateTime(QDate(2001, 12, 31), QTime(8, 30)))},
        {"picture", QVariant::fromValue(BlobRef{QByteArray(8, '\x07'), false})},
        {"memo", QVariant::fromValue(BlobRef{QByteArray(8, '\x01'), true})},
    };
    StoredRow::Values all;
    for (const auto& c : cases)
        all.push_back(c.value);
    const StoredRow row(all);
    ASSERT_EQ(row.size(), int(all.size()));
    const StoredRow::Values back = row.values();
    for (size_t i = 0; i < all.size(); ++i) {
        expectSame(row.value(int(i)), cases[i].value, cases[i].what);
        expectSame(back[i], cases[i].value, cases[i].what);
    }
    EXPECT_FALSE(row.value(-1).isValid());
    EXPECT_FALSE(row.value(row.size()).isValid());

    StoredRow copy(row);
    StoredRow assigned;
    assigned = copy;
    expectSame(assigned.value(7), QVariant(turkish), "copied");
}

TEST(StoredRow, RowsWithValuesThePackingDoesNotKnowAreKeptAsTheyAre)
{
    const StoredRow::Values values = {QVariant(QString("Ali")), QVariant(QStringList{"a", "b"}), QVariant(QDate()),
                                      QVariant(QDateTime(QDate(2020, 1, 1), QTime(1, 2), Qt::UTC))};
    const StoredRow row(values);
    for (size_t i = 0; i < values.size(); ++i)
        expectSame(row.value(int(i)), values[i], "kept");
    const StoredRow copy = row;
    EXPECT_EQ(copy.value(1).toStringList(), QStringList({"a", "b"}));
}

} // namespace
