#include "persons/FamilyGenerator.h"

#include "fb/Firebird.h"

#include <QByteArray>
#include <QDate>
#include <QStringList>
#include <QVariant>

#include <algorithm>
#include <deque>
#include <iterator>
#include <vector>

namespace {

const QStringList kMen = {
    "Ahmet", "Mehmet", "Mustafa", "Ali", "Hüseyin", "Hasan", "İbrahim", "İsmail", "Osman", "Yusuf",
    "Murat", "Ömer", "Ramazan", "Halil", "Süleyman", "Abdullah", "Mahmut", "Recep", "Salih", "Kemal",
    "Fatih", "Kadir", "Emre", "Hakan", "Burak", "Serkan", "Orhan", "Cengiz", "Şükrü", "Gökhan",
    "Tuncay", "Erdoğan", "Yılmaz", "Bülent", "Cem", "Çağrı", "Doğan", "Eyüp", "Ferhat", "Gürkan",
    "Hikmet", "İlhan", "Kâzım", "Levent", "Necati", "Oğuz", "Rıza", "Selim", "Tayfun", "Ümit",
};
const QStringList kWomen = {
    "Fatma", "Ayşe", "Emine", "Hatice", "Zeynep", "Elif", "Meryem", "Şerife", "Zehra", "Sultan",
    "Hanife", "Merve", "Havva", "Zeliha", "Esra", "Fadime", "Özlem", "Hacer", "Yasemin", "Hülya",
    "Leyla", "Gül", "Sevgi", "Büşra", "Nuriye", "Irmak", "Dilek", "Gülşen", "Şükran", "Çiğdem",
    "Ebru", "Filiz", "Gönül", "Hande", "İpek", "Kübra", "Nazlı", "Özge", "Pınar", "Rabia",
    "Seda", "Songül", "Tuğba", "Ümran", "Yeliz", "Aysel", "Günay", "Nermin", "Sibel", "Ülkü",
};
const QStringList kSurnames = {
    "Yılmaz", "Kaya", "Demir", "Şahin", "Çelik", "Yıldız", "Yıldırım", "Öztürk", "Aydın", "Özdemir",
    "Arslan", "Doğan", "Kılıç", "Aslan", "Çetin", "Kara", "Koç", "Kurt", "Özkan", "Şimşek",
    "Polat", "Özcan", "Korkmaz", "Çakır", "Erdoğan", "Yavuz", "Can", "Acar", "Şen", "Aktaş",
    "Güler", "Yalçın", "Güneş", "Bozkurt", "Bulut", "Keskin", "Ünal", "Turan", "Gül", "Tekin",
};
const QStringList kLineages = {
    "Hacıoğulları", "Karaağaçlar", "Molla Hüseyinler", "Topallar", "Değirmenciler", "Kürtoğulları",
    "Demirciler", "Çobanlar", "Sarıkızlar", "Kethüdaoğulları", "Eğinliler", "Şeyhler",
};
const QStringList kPlaces = {
    "İstanbul", "Ankara", "İzmir", "Bursa", "Trabzon", "Rize", "Konya", "Kayseri", "Sivas", "Erzurum",
    "Diyarbakır", "Şanlıurfa", "Muğla", "Çanakkale", "Eskişehir", "Gaziantep", "Samsun", "Ordu",
};
const QStringList kNicknames = {"Deli", "Kara", "Topal", "Uzun", "Kısa", "Sarı", "Hacı", "Molla", "Çolak", "Pehlivan"};
const QStringList kSchools = {"İlk Okul", "Orta Okul", "İlk Öğretim", "Lise", "Yüksek Okul", "Üniversite",
                              "Yüksek Lisans", "Doktora"};
const QStringList kService = {"Yaptı", "Yapmadı", "Tecilli", "Muaf"};

constexpr int kLastYear = 2024;
constexpr int kBatch = 2000;

// splitmix64: fixed output for a seed on every platform and compiler.
class Rng {
public:
    explicit Rng(quint64 seed) : m_s(seed) {}
    quint64 next()
    {
        quint64 z = (m_s += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int below(int n) { return n <= 1 ? 0 : int(next() % quint64(n)); }
    bool chance(int percent) { return below(100) < percent; }
    const QString& pick(const QStringList& l) { return l.at(below(int(l.size()))); }

private:
    quint64 m_s;
};

struct Person {
    int father = -1, mother = -1, spouse = -1; // spouse: the ES_KOD of this row
    int gender = 0;                            // 0 man, 1 woman
    int born = 0;
    QString ad, soyad, aile;
    int place = 0;
    bool photo = false;
    std::vector<int> couples;
};

struct Couple {
    int husband = -1, wife = -1;
    int year = 0;
    int separated = 0; // year, 0 when still together
    bool recorded = true;
};

class Model {
public:
    Model(int limit, quint32 seed) : m_rng(quint64(seed) * 0x100000001B3ull + 17), m_limit(limit) {}

    void build()
    {
        int founders = std::max(1, m_limit / 150);
        while (founders-- > 0 && founderCouple())
            ;
        while (int(persons.size()) < m_limit) {
            if (m_pending.empty() && !founderCouple())
                break;
            const int c = m_pending.front();
            m_pending.pop_front();
            children(c);
        }
    }

    Rng& rng() { return m_rng; }
    std::vector<Person> persons;
    std::vector<Couple> couples;

private:
    bool full() const { return int(persons.size()) >= m_limit; }

    int newPerson(int gender, int born, int father, int mother)
    {
        if (full())
            return -1;
        Person p;
        p.gender = gender;
        p.born = std::min(born, kLastYear);
        p.father = father;
        p.mother = mother;
        p.ad = m_rng.pick(gender == 0 ? kMen : kWomen);
        const int line = father >= 0 ? father : mother;
        p.soyad = line >= 0 ? persons[size_t(line)].soyad : m_rng.pick(kSurnames);
        p.aile = line >= 0 ? persons[size_t(line)].aile : (m_rng.chance(60) ? m_rng.pick(kLineages) : QString());
        p.place = line >= 0 && m_rng.chance(70) ? persons[size_t(line)].place : m_rng.below(int(kPlaces.size()));
        p.photo = m_rng.chance(4);
        persons.push_back(p);
        return int(persons.size()) - 1;
    }

    // Someone from outside the family: both parents unknown.
    int outsider(int gender, int born) { return newPerson(gender, born, -1, -1); }

    bool founderCouple()
    {
        const int h = outsider(0, 1830 + m_rng.below(25));
        const int w = h < 0 ? -1 : outsider(1, persons[size_t(h)].born + m_rng.below(7) - 2);
        if (w < 0)
            return false;
        addCouple(h, w);
        return true;
    }

    void addCouple(int a, int b, int notBefore = 0)
    {
        Couple c;
        c.husband = persons[size_t(a)].gender == 0 ? a : b;
        c.wife = c.husband == a ? b : a;
        c.year = std::max(persons[size_t(a)].born, persons[size_t(b)].born) + 18 + m_rng.below(12);
        c.year = std::min(std::max(c.year, notBefore), kLastYear);
        c.recorded = m_rng.chance(92);
        couples.push_back(c);
        const int index = int(couples.size()) - 1;
        persons[size_t(a)].couples.push_back(index);
        persons[size_t(b)].couples.push_back(index);
        m_married.push_back(a);
        m_married.push_back(b);
        m_pending.push_back(index);
    }

    bool shareParent(int a, int b) const
    {
        const Person& x = persons[size_t(a)];
        const Person& y = persons[size_t(b)];
        return (x.father >= 0 && x.father == y.father) || (x.mother >= 0 && x.mother == y.mother);
    }
    bool parentOf(int a, int b) const
    {
        const Person& y = persons[size_t(b)];
        return y.father == a || y.mother == a;
    }
    bool mayMarry(int a, int b) const
    {
        return a != b && persons[size_t(a)].gender != persons[size_t(b)].gender && !shareParent(a, b)
            && !parentOf(a, b) && !parentOf(b, a) && std::abs(persons[size_t(a)].born - persons[size_t(b)].born) <= 12;
    }

    // A partner from a pool: one of its last entries that may marry p, taken out of the pool.
    int fromPool(std::vector<int>& pool, int p, bool remove)
    {
        const int n = int(pool.size());
        for (int tries = 0; tries < 8 && n > 0; ++tries) {
            const int i = n - 1 - m_rng.below(std::min(n, 60));
            const int cand = pool[size_t(i)];
            if (mayMarry(p, cand) && persons[size_t(cand)].couples.size() < 2) {
                if (remove)
                    pool.erase(pool.begin() + i);
                return cand;
            }
        }
        return -1;
    }

    void children(int c)
    {
        const Couple cp = couples[size_t(c)];
        static const int kSizes[] = {0, 0, 1, 1, 2, 2, 2, 2, 3, 3, 3, 4, 4, 5, 6};
        const int kids = kSizes[m_rng.below(int(std::size(kSizes)))];
        if (kids == 0) {
            // A childless couple is linked from one of the two rows, one that holds no link yet.
            int holder = m_rng.chance(50) ? cp.wife : cp.husband;
            if (persons[size_t(holder)].spouse >= 0)
                holder = holder == cp.wife ? cp.husband : cp.wife;
            if (persons[size_t(holder)].spouse < 0)
                persons[size_t(holder)].spouse = holder == cp.wife ? cp.husband : cp.wife;
            return;
        }
        for (int k = 0; k < kids; ++k) {
            const int born = cp.year + 1 + 2 * k + m_rng.below(2);
            if (born > kLastYear || (cp.separated && born >= cp.separated))
                break;
            int father = cp.husband, mother = cp.wife;
            if (m_rng.chance(3))
                father = -1;
            else if (m_rng.chance(2))
                mother = -1;
            const int child = newPerson(m_rng.below(2), born, father, mother);
            if (child < 0)
                return;
            if (born <= kLastYear - 20 && m_rng.chance(82))
                marry(child);
            else
                m_single.push_back(child);
        }
    }

    void marry(int p)
    {
        const int gender = persons[size_t(p)].gender;
        const int born = persons[size_t(p)].born;
        // Now and then within the family, mostly a cousin or a more distant relative.
        int partner = m_rng.chance(6) ? fromPool(m_single, p, true) : -1;
        if (partner < 0)
            partner = outsider(1 - gender, born + m_rng.below(9) - 4);
        if (partner < 0)
            return;
        addCouple(p, partner);
        if (!m_rng.chance(12))
            return;
        // Divorced or widowed, then married again: half siblings, and step siblings when the
        // new partner brings children of an earlier marriage.
        Couple first = couples[size_t(persons[size_t(p)].couples.front())];
        first.separated = std::min(first.year + 4 + m_rng.below(12), kLastYear);
        couples[size_t(persons[size_t(p)].couples.front())].separated = first.separated;
        int second = m_rng.chance(40) ? fromPool(m_married, p, false) : -1;
        if (second >= 0 && (second == partner || persons[size_t(second)].couples.size() >= 2))
            second = -1;
        if (second < 0)
            second = outsider(1 - gender, born + m_rng.below(9) - 4);
        if (second >= 0)
            addCouple(p, second, first.separated);
    }

    Rng m_rng;
    int m_limit;
    std::deque<int> m_pending;
    std::vector<int> m_single, m_married;
};

// A small 24-bit Windows bitmap: a face-coloured disc on a background chosen by the seed.
QByteArray smallBitmap(Rng& rng, int gender)
{
    constexpr int w = 24, h = 24, row = w * 3;
    QByteArray b(54 + row * h, '\0');
    auto put32 = [&](int off, quint32 v) {
        for (int i = 0; i < 4; ++i)
            b[off + i] = char((v >> (8 * i)) & 0xFF);
    };
    b[0] = 'B';
    b[1] = 'M';
    put32(2, quint32(b.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, w);
    put32(22, h);
    b[26] = 1;
    b[28] = 24;
    put32(34, quint32(row * h));
    const int bgR = gender == 0 ? 60 : 200, bgG = 80 + rng.below(100), bgB = gender == 0 ? 200 : 120;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int dx = x - w / 2, dy = y - h / 2;
            const bool face = dx * dx + dy * dy < 64;
            char* px = b.data() + 54 + y * row + x * 3; // blue, green, red
            px[0] = char(face ? 150 : bgB);
            px[1] = char(face ? 190 : bgG);
            px[2] = char(face ? 235 : bgR);
        }
    return b;
}

qint64 reserveKeys(fb::Database& db, fb::Transaction& tr, const QString& generator, int n)
{
    fb::Statement st(db, tr);
    st.prepare(QStringLiteral("SELECT GEN_ID(%1, %2) FROM RDB$DATABASE").arg(generator).arg(n));
    st.execute();
    st.fetch();
    const qint64 last = st.value(0).toLongLong();
    st.closeCursor();
    return last - n + 1;
}

QDate dateIn(Rng& rng, int year) { return QDate(year, 1 + rng.below(12), 1 + rng.below(28)); }

} // namespace

int GenerateFamily(fb::Database& db, fb::Transaction& tr, int count, quint32 seed)
{
    if (count <= 0)
        return 0;
    Model model(count, seed);
    model.build();
    Rng& rng = model.rng();
    const std::vector<Person>& persons = model.persons;
    const int n = int(persons.size());

    const qint64 base = reserveKeys(db, tr, QStringLiteral("KISI_GEN"), n);
    auto key = [base](int i) { return i < 0 ? QVariant() : QVariant(double(base + i)); };
    fb::Statement ins(db, tr);
    ins.prepare(QStringLiteral(
        "INSERT INTO KISI (BLKISIKODU, KISI_KOD, AILE_AD, AD, SOYAD, BABA_KOD, ANNE_KOD, ES_KOD, CINSIYET, DOG_TAR, "
        "OL_TAR, DOG_YER, M_HAL, ASKERLIK, IL, KAY_TAR, RESIM, LAKAP, MEZUNIYET, KAYDEDEN) "
        "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    const QDate entered(2010, 1, 1);
    for (int i = 0; i < n; ++i) {
        const Person& p = persons[size_t(i)];
        const QVariant none;
        const bool dead = p.born < 1945 && rng.chance(85);
        const int died = std::min(p.born + 45 + rng.below(50), kLastYear);
        const QVariantList values = {
            key(i),
            QStringLiteral("KS") + QString::number(base + i).rightJustified(5, QLatin1Char('0')),
            p.aile.isEmpty() ? none : QVariant(p.aile),
            p.ad,
            p.soyad,
            key(p.father),
            key(p.mother),
            key(p.spouse),
            QString::number(p.gender),
            dateIn(rng, p.born),
            dead ? QVariant(dateIn(rng, died)) : none,
            kPlaces.at(p.place),
            p.couples.empty() ? QStringLiteral("Bekar") : QStringLiteral("Evli"),
            p.gender == 0 && p.born >= 1900 && p.born <= kLastYear - 20 ? QVariant(rng.pick(kService)) : none,
            kPlaces.at(p.place),
            entered.addDays(rng.below(5000)),
            p.photo ? QVariant(smallBitmap(rng, p.gender)) : none,
            rng.chance(5) ? QVariant(rng.pick(kNicknames)) : none,
            p.born <= kLastYear - 7 ? QVariant(rng.pick(kSchools)) : none,
            QStringLiteral("Yetkili"),
        };
        for (int f = 0; f < int(values.size()); ++f)
            ins.setParam(f, values[f]);
        ins.execute();
        if ((i + 1) % kBatch == 0)
            tr.commitRetaining();
    }

    std::vector<const Couple*> recorded;
    for (const Couple& c : model.couples)
        if (c.recorded)
            recorded.push_back(&c);
    if (!recorded.empty()) {
        const qint64 evBase = reserveKeys(db, tr, QStringLiteral("EVLILIK_ID"), int(recorded.size()));
        fb::Statement ev(db, tr);
        ev.prepare(QStringLiteral("INSERT INTO EVLILIK (BLEVKODU, BABA_KOD, ANNE_KOD, EV_TAR, YER, EK_1, AYR_TAR, EK_2) "
                                  "VALUES (?, ?, ?, ?, ?, ?, ?, ?)"));
        for (size_t i = 0; i < recorded.size(); ++i) {
            const Couple& c = *recorded[i];
            const QVariantList values = {
                double(evBase + qint64(i)),
                QString::number(base + c.husband),
                QString::number(base + c.wife),
                dateIn(rng, c.year),
                kPlaces.at(persons[size_t(c.husband)].place),
                rng.chance(85) ? QStringLiteral("Resmi") : QStringLiteral("Gayri Resmi"),
                c.separated ? QVariant(dateIn(rng, c.separated)) : QVariant(),
                c.separated ? QVariant(QStringLiteral("Boşanma")) : QVariant(),
            };
            for (int f = 0; f < int(values.size()); ++f)
                ev.setParam(f, values[f]);
            ev.execute();
            if ((i + 1) % kBatch == 0)
                tr.commitRetaining();
        }
    }
    // The program's automatic codes must continue after the generated ones, not repeat them.
    const qint64 lastCode = base + n - 1;
    const qint64 counter = reserveKeys(db, tr, QStringLiteral("KISI_ID"), 0) - 1; // its current value
    if (counter <= lastCode)
        reserveKeys(db, tr, QStringLiteral("KISI_ID"), int(lastCode + 1 - counter));
    fb::Statement crno(db, tr);
    crno.prepare(QStringLiteral("UPDATE AYAR SET CRNO = ?"));
    crno.setParam(0, double(std::max(counter, lastCode + 1)));
    crno.execute();
    tr.commitRetaining();
    return n;
}
