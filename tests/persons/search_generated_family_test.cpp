// The family generator that fills databases for trying out and timing the person screens.
#include "data/Schema.h"
#include "fb/Firebird.h"
#include "persons/FamilyGenerator.h"
#include "SchemaFixtures.h"
#include "TestSupport.h"

#include <QHash>
#include <QImage>
#include <QSet>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

struct GeneratedDb {
    explicit GeneratedDb(const QString& path)
    {
        createEmptyDatabase(path, fixtures::embeddedParams());
        db.setDatabaseName(path);
        db.setParams(fixtures::embeddedParams());
        db.open();
        tr = std::make_unique<fb::Transaction>(db);
    }
    ~GeneratedDb()
    {
        tr.reset();
        db.close();
    }

    // Every row of a select, each as its values joined with "|".
    QStringList rows(const QString& sql)
    {
        fb::Statement st(db, *tr);
        st.prepare(sql);
        st.execute();
        QStringList out;
        while (st.fetch()) {
            QStringList values;
            for (int i = 0; i < st.columnCount(); ++i)
                values << (st.isNull(i) ? QStringLiteral("<null>") : st.value(i).toString());
            out << values.join('|');
        }
        return out;
    }

    fb::Database db;
    std::unique_ptr<fb::Transaction> tr;
};

const QString kAllPersons = "SELECT * FROM KISI ORDER BY BLKISIKODU";
const QString kAllMarriages = "SELECT * FROM EVLILIK ORDER BY BLEVKODU";

TEST(GeneratedFamily, TheSameSeedGivesTheSameFamily)
{
    TempHome home;
    GeneratedDb a(home.path() + "A.FDB"), b(home.path() + "B.FDB"), c(home.path() + "C.FDB");
    EXPECT_EQ(GenerateFamily(a.db, *a.tr, 400, 11), 400);
    EXPECT_EQ(GenerateFamily(b.db, *b.tr, 400, 11), 400);
    EXPECT_EQ(GenerateFamily(c.db, *c.tr, 400, 12), 400);
    EXPECT_EQ(a.rows(kAllPersons), b.rows(kAllPersons));
    EXPECT_EQ(a.rows(kAllMarriages), b.rows(kAllMarriages));
    EXPECT_NE(a.rows(kAllPersons), c.rows(kAllPersons));
}

struct Row {
    qint64 father = 0, mother = 0, spouse = 0;
    QString gender;
};

class GeneratedFamilyShape : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        home = std::make_unique<TempHome>();
        gen = std::make_unique<GeneratedDb>(home->path() + "F.FDB");
        written = GenerateFamily(gen->db, *gen->tr, kCount, 2024);
        for (const QString& line : gen->rows("SELECT BLKISIKODU, COALESCE(BABA_KOD,0), COALESCE(ANNE_KOD,0), "
                                             "COALESCE(ES_KOD,0), CINSIYET FROM KISI")) {
            const QStringList f = line.split('|');
            persons.insert(qint64(f[0].toDouble()), Row{qint64(f[1].toDouble()), qint64(f[2].toDouble()),
                                                qint64(f[3].toDouble()), f[4]});
        }
        for (const QString& line : gen->rows("SELECT BABA_KOD, ANNE_KOD FROM EVLILIK")) {
            const qint64 h = line.section('|', 0, 0).toLongLong(), w = line.section('|', 1, 1).toLongLong();
            marriages.push_back({h, w});
            couples.insert({h, w});
        }
    }
    static void TearDownTestSuite()
    {
        persons.clear();
        marriages.clear();
        couples.clear();
        gen.reset();
        home.reset();
    }

    static bool married(qint64 a, qint64 b) { return couples.contains({a, b}) || couples.contains({b, a}); }
    static bool siblings(qint64 a, qint64 b)
    {
        const Row &x = persons[a], &y = persons[b];
        return a != b && ((x.father && x.father == y.father) || (x.mother && x.mother == y.mother));
    }

    static constexpr int kCount = 1500;
    static inline std::unique_ptr<TempHome> home;
    static inline std::unique_ptr<GeneratedDb> gen;
    static inline int written = 0;
    static inline QHash<qint64, Row> persons;
    static inline std::vector<std::pair<qint64, qint64>> marriages;
    static inline QSet<QPair<qint64, qint64>> couples;
};

TEST_F(GeneratedFamilyShape, CountsCodesAndLinksToPersonsOfTheRightGender)
{
    EXPECT_EQ(written, kCount);
    ASSERT_EQ(persons.size(), kCount);
    EXPECT_EQ(gen->rows("SELECT COUNT(*) FROM KISI WHERE KISI_KOD <> 'KS' || LPAD(CAST(CAST(BLKISIKODU AS BIGINT) "
                        "AS VARCHAR(18)), 5, '0')"),
              QStringList{"0"});
    for (auto it = persons.begin(); it != persons.end(); ++it) {
        const Row& p = it.value();
        ASSERT_TRUE(p.gender == "0" || p.gender == "1") << it.key();
        if (p.father) {
            ASSERT_TRUE(persons.contains(p.father)) << it.key();
            EXPECT_EQ(persons[p.father].gender, "0") << it.key();
        }
        if (p.mother) {
            ASSERT_TRUE(persons.contains(p.mother)) << it.key();
            EXPECT_EQ(persons[p.mother].gender, "1") << it.key();
        }
        if (p.spouse) {
            ASSERT_TRUE(persons.contains(p.spouse)) << it.key();
            EXPECT_NE(persons[p.spouse].gender, p.gender) << it.key();
        }
    }
    // A childless-spouse link is never held by a couple that has a child.
    for (const Row& child : persons) {
        if (child.father && child.mother) {
            EXPECT_FALSE(persons[child.father].spouse == child.mother || persons[child.mother].spouse == child.father);
        }
    }
    for (const auto& [h, w] : marriages) {
        ASSERT_TRUE(persons.contains(h) && persons.contains(w));
        EXPECT_EQ(persons[h].gender, "0");
        EXPECT_EQ(persons[w].gender, "1");
    }
}

TEST_F(GeneratedFamilyShape, NobodyIsTheirOwnAncestor)
{
    // Depth-first over the parent links: a person met again while still on the path closes a loop.
    QHash<qint64, int> state; // 1 on the path, 2 done
    int deepest = 0;
    std::function<int(qint64)> depth = [&](qint64 k) -> int {
        if (!k)
            return 0;
        if (state.value(k) == 1) {
            ADD_FAILURE() << "loop through " << k;
            return 0;
        }
        state[k] = 1;
        const int d = 1 + std::max(depth(persons[k].father), depth(persons[k].mother));
        state[k] = 2;
        return d;
    };
    for (auto it = persons.begin(); it != persons.end(); ++it)
        deepest = std::max(deepest, depth(it.key()));
    EXPECT_GE(deepest, 4); // several generations
}

TEST_F(GeneratedFamilyShape, HasEveryKindOfRelationTheScreensShow)
{
    int oneParent = 0, halfSiblings = 0, stepSiblings = 0, cousins = 0, childless = 0, remarried = 0;
    QHash<qint64, int> marriageCount;
    for (const auto& [h, w] : marriages) {
        ++marriageCount[h];
        ++marriageCount[w];
    }
    for (int n : marriageCount)
        remarried += n >= 2;
    QHash<qint64, QList<qint64>> byFather;
    for (auto it = persons.begin(); it != persons.end(); ++it) {
        const Row& p = it.value();
        oneParent += (p.father == 0) != (p.mother == 0);
        childless += p.spouse != 0;
        if (p.father)
            byFather[p.father] << it.key();
    }
    for (const QList<qint64>& kids : byFather)
        for (qint64 a : kids)
            for (qint64 b : kids)
                halfSiblings += persons[a].mother && persons[b].mother && persons[a].mother != persons[b].mother;
    QList<qint64> keys = persons.keys();
    std::sort(keys.begin(), keys.end());
    for (qint64 a : keys)
        for (qint64 b : keys) {
            if (b <= a || siblings(a, b))
                continue;
            const Row &x = persons[a], &y = persons[b];
            // Step siblings: a parent of one is married to a parent of the other.
            if ((x.father && y.mother && married(x.father, y.mother)) || (y.father && x.mother && married(y.father, x.mother)))
                ++stepSiblings;
            // Cousins: a parent of one is a sibling of a parent of the other.
            for (qint64 px : {x.father, x.mother})
                for (qint64 py : {y.father, y.mother})
                    if (px && py && siblings(px, py))
                        ++cousins;
        }
    EXPECT_GT(oneParent, 0);
    EXPECT_GT(halfSiblings, 0);
    EXPECT_GT(stepSiblings, 0);
    EXPECT_GT(cousins, 0);
    EXPECT_GT(childless, 0);
    EXPECT_GT(remarried, 0);

    // Photographs are small Windows bitmaps; names use the Turkish letters.
    fb::Statement st(gen->db, *gen->tr);
    st.prepare("SELECT RESIM FROM KISI WHERE RESIM IS NOT NULL");
    st.execute();
    int pictures = 0;
    while (st.fetch()) {
        const QByteArray bmp = st.value(0).toByteArray();
        EXPECT_TRUE(bmp.startsWith("BM"));
        EXPECT_FALSE(QImage::fromData(bmp, "BMP").isNull());
        ++pictures;
    }
    EXPECT_GT(pictures, 0);
    EXPECT_FALSE(gen->rows("SELECT FIRST 1 AD FROM KISI WHERE AD CONTAINING 'ş' OR AD CONTAINING 'ğ' OR AD CONTAINING 'ı'")
                     .isEmpty());
}

TEST(GeneratedFamily, KeysFollowThoseAlreadyGiven)
{
    TempHome home;
    GeneratedDb g(home.path() + "K.FDB");
    EXPECT_EQ(GenerateFamily(g.db, *g.tr, 50, 1), 50);
    EXPECT_EQ(GenerateFamily(g.db, *g.tr, 30, 1), 30);
    EXPECT_EQ(g.rows("SELECT COUNT(*), MIN(BLKISIKODU), MAX(BLKISIKODU) FROM KISI"), QStringList{"80|1|80"});
    EXPECT_EQ(g.rows("SELECT COUNT(*) FROM KISI WHERE BLKISIKODU > 50 AND (BABA_KOD <= 50 OR ANNE_KOD <= 50)"),
              QStringList{"0"});
    EXPECT_EQ(GenerateFamily(g.db, *g.tr, 0, 1), 0);
    // The automatic code counter stands after the last generated code, so a person entered in
    // the program afterwards never repeats one.
    EXPECT_EQ(g.rows("SELECT GEN_ID(KISI_ID, 0) FROM RDB$DATABASE"), QStringList{"81"});
}

} // namespace
