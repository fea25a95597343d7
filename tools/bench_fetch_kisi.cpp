// Times reading every row and column of a KISI table through the Firebird layer and through
// isql-fb, against the same database by the same access path.
//
//   bench_fetch_kisi [rows] [--embedded] [--keep]
//
// rows defaults to 100000. By default both readers go through the local server (127.0.0.1),
// with the SYSDBA password from TAVRION_FB_ADMIN_PASSWORD or /etc/firebird/3.0/SYSDBA.password;
// --embedded opens the file with the embedded engine in both. --keep leaves the database file.
// Both times run from connecting to disconnecting (isql-fb: the whole process).
#include "fb/Firebird.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QUuid>

#include <algorithm>
#include <cstdio>
#include <sys/stat.h>

namespace {

const char* const kIsql = "/usr/bin/isql-fb";
constexpr int kRuns = 3;

QString adminPassword()
{
    const QString env = qEnvironmentVariable("TAVRION_FB_ADMIN_PASSWORD");
    if (!env.isEmpty())
        return env;
    QFile f(QStringLiteral("/etc/firebird/3.0/SYSDBA.password"));
    if (f.open(QIODevice::ReadOnly))
        for (const QByteArray& line : f.readAll().split('\n'))
            if (line.startsWith("ISC_PASSWORD="))
                return QString::fromUtf8(line.mid(13)).remove(QLatin1Char('"')).trimmed();
    return {};
}

QString text(int n, bool notNull = false)
{
    return QStringLiteral("VARCHAR(%1) CHARACTER SET WIN1254%2 COLLATE PXW_TURK").arg(n).arg(notNull ? " NOT NULL" : "");
}

QString createKisi()
{
    const QString d = QStringLiteral("DOUBLE PRECISION");
    const QList<std::pair<const char*, QString>> cols = {
        {"BLKISIKODU", d + " NOT NULL PRIMARY KEY"}, {"KISI_KOD", text(30, true)},
        {"AILE_AD", text(50)}, {"GURUP_KOD", text(20)}, {"GURUP", text(30)}, {"OZEL_KOD1", text(20)},
        {"OZEL_KOD2", text(20)}, {"KAY_TAR", "DATE"}, {"AD", text(30)}, {"SOYAD", text(30)},
        {"BABA_KOD", d}, {"ANNE_KOD", d}, {"ES_KOD", d}, {"CINSIYET", text(5)}, {"DOG_TAR", "DATE"},
        {"OL_TAR", "DATE"}, {"DOG_YER", text(50)}, {"M_HAL", text(5)}, {"ASKERLIK", text(10)},
        {"ADRES", text(200)}, {"IL", text(20)}, {"ILCE", text(20)}, {"TEL1", text(11)}, {"TEL2", text(11)},
        {"CEP_TEL1", text(11)}, {"CEP_TEL2", text(11)}, {"RESIM", "BLOB SUB_TYPE 0"}, {"K_NOT", text(200)},
        {"MEZUNIYET", text(20)}, {"OKUL_AD", text(150)}, {"O_IL", text(20)}, {"O_ILCE", text(20)},
        {"E_NOT", text(200)}, {"TIC_UNV", text(200)}, {"IS_TEL", text(15)}, {"IS_FAX", text(15)},
        {"IS_ADRES", text(200)}, {"IS_IL", text(20)}, {"IS_ILCE", text(20)}, {"SAGLIK", text(150)},
        {"S_NOT", text(200)}, {"T_NOT", text(200)}, {"KAYDEDEN", text(20)}, {"DUZENLEYEN", text(20)},
        {"LAKAP", text(50)},
    };
    QStringList defs;
    for (const auto& [name, type] : cols)
        defs << QLatin1String(name) + QLatin1Char(' ') + type;
    return QStringLiteral("CREATE TABLE KISI (\n  ") + defs.join(QStringLiteral(",\n  ")) + QStringLiteral(")");
}

// Realistic rows: Turkish names, places, addresses and remarks, parents from earlier rows.
class RowMaker {
public:
    QVariantList row(int i)
    {
        const bool woman = rng.bounded(2) == 1;
        const QString il = pick(iller), ilce = pick(ilceler);
        const QDate dog = QDate(1900, 1, 1).addDays(rng.bounded(45000));
        const bool dead = dog.year() < 1950 && rng.bounded(3) > 0;
        auto phone = [&] { return QStringLiteral("05%1").arg(rng.bounded(100000000, 999999999)); };
        auto maybe = [&](const QVariant& v) { return rng.bounded(4) == 0 ? QVariant() : v; };
        const QString soyad = pick(soyadlar);
        return {
            double(i), QStringLiteral("K%1").arg(i, 6, 10, QLatin1Char('0')), soyad + QStringLiteral("giller"),
            QVariant(), QVariant(), maybe(QStringLiteral("ÖZ-%1").arg(rng.bounded(100))), QVariant(),
            QDate(2010, 1, 1).addDays(rng.bounded(5000)), woman ? pick(kadin) : pick(erkek), soyad,
            i > 2 ? QVariant(double(rng.bounded(1, i))) : QVariant(), i > 2 ? QVariant(double(rng.bounded(1, i))) : QVariant(),
            maybe(0.0), woman ? QStringLiteral("1") : QStringLiteral("0"), dog,
            dead ? QVariant(dog.addYears(40 + rng.bounded(50))) : QVariant(), pick(iller),
            rng.bounded(2) ? QStringLiteral("Evli") : QStringLiteral("Bekar"), woman ? QVariant() : QVariant(pick(askerlik)),
            QStringLiteral("%1 %2 No:%3 Daire:%4 %5/%6").arg(pick(sokaklar)).arg(pick(QStringList{"Cad.", "Sok.", "Bulvarı"}))
                .arg(rng.bounded(1, 200)).arg(rng.bounded(1, 30)).arg(ilce, il),
            il, ilce, maybe(QStringLiteral("0312%1").arg(rng.bounded(1000000, 9999999))), QVariant(), phone(), maybe(phone()),
            QVariant(), maybe(QStringLiteral("Ailenin büyüğü; düğünlerde ve bayramlarda herkesi bir araya getirir.")),
            pick(mezuniyet), maybe(QStringLiteral("%1 Anadolu Lisesi").arg(pick(iller))), il, ilce, maybe(QStringLiteral("Okul birincisi")),
            maybe(QStringLiteral("%1 İnşaat Taahhüt Ticaret Ltd. Şti.").arg(soyad)), maybe(QStringLiteral("03124567890")), QVariant(),
            maybe(QStringLiteral("Organize Sanayi Bölgesi %1. Cadde No:%2 %3").arg(rng.bounded(1, 30)).arg(rng.bounded(1, 99)).arg(il)),
            il, ilce, maybe(pick(QStringList{"Şeker hastalığı", "Yüksek tansiyon", "Astım"})), QVariant(), QVariant(),
            QStringLiteral("YETKILI"), maybe(QStringLiteral("AYSE")), maybe(pick(QStringList{"Çolak", "Deli", "Hafız", "Topal"})),
        };
    }

private:
    QString pick(const QStringList& l) { return l[int(rng.bounded(int(l.size())))]; }
    QRandomGenerator rng{1071};
    const QStringList erkek{"Ahmet", "Mehmet", "Mustafa", "Ali", "Hüseyin", "Hasan", "İbrahim", "İsmail", "Osman", "Yusuf",
                            "Ömer", "Murat", "Çağrı", "Gökhan", "Şükrü", "Ümit", "Oğuz", "Halil", "Süleyman", "Ilgaz"};
    const QStringList kadin{"Ayşe", "Fatma", "Emine", "Hatice", "Zeynep", "Elif", "Şerife", "Sultan", "Gülşen", "Özlem",
                            "Çiğdem", "Büşra", "Gözde", "Şule", "Ümran", "Nurcan", "Işıl", "Dilek", "Hülya", "Sıdıka"};
    const QStringList soyadlar{"Yılmaz", "Kaya", "Demir", "Şahin", "Çelik", "Yıldız", "Yıldırım", "Öztürk", "Aydın", "Özdemir",
                               "Arslan", "Doğan", "Kılıç", "Aslan", "Çetin", "Kara", "Koç", "Kurt", "Özkan", "Şimşek",
                               "Ağaoğlu", "Gündoğdu", "Karagöz", "Uçar", "Eşme"};
    const QStringList iller{"Ankara", "İstanbul", "İzmir", "Bursa", "Çorum", "Diyarbakır", "Eskişehir", "Muğla", "Şanlıurfa",
                            "Kırşehir", "Iğdır", "Ağrı", "Düzce", "Gümüşhane", "Çanakkale"};
    const QStringList ilceler{"Çankaya", "Keçiören", "Üsküdar", "Kadıköy", "Bornova", "Karşıyaka", "Nilüfer", "Osmangazi",
                              "Merkez", "Sarıyer", "Beşiktaş", "Gölbaşı", "Şişli", "Ödemiş"};
    const QStringList sokaklar{"Atatürk", "Cumhuriyet", "İnönü", "Gazi Mustafa Kemal", "Şehit Öğretmen", "Gül", "Menekşe",
                               "Çınar", "Ihlamur", "Üniversite"};
    const QStringList askerlik{"Yaptı", "Yapmadı", "Tecilli", "Muaf"};
    const QStringList mezuniyet{"İlk Okul", "Orta Okul", "İlk Öğretim", "Lise", "Yüksek Okul", "Üniversite",
                                "Yüksek Lisans", "Doktora"};
};

void fill(fb::Database& db, int rows)
{
    {
        fb::Transaction tr(db);
        db.executeImmediate(tr, createKisi());
        tr.commit();
    }
    fb::Transaction tr(db);
    fb::Statement st(db, tr);
    RowMaker maker;
    QStringList marks;
    for (int i = 0; i < 45; ++i)
        marks << QStringLiteral("?");
    st.prepare(QStringLiteral("INSERT INTO KISI VALUES (%1)").arg(marks.join(QLatin1Char(','))));
    for (int i = 1; i <= rows; ++i) {
        const QVariantList values = maker.row(i);
        for (int c = 0; c < int(values.size()); ++c)
            st.setParam(c, values[c]);
        st.execute();
        if (i % 20000 == 0)
            tr.commitRetaining();
    }
    tr.commit();
}

struct LayerResult {
    qint64 ms = 0;
    qint64 rows = 0;
    qint64 values = 0;
};

// Connect, read every value of every row into a QVariant, disconnect.
LayerResult readWithLayer(const QString& name, const QStringList& params)
{
    QElapsedTimer timer;
    timer.start();
    fb::Database db;
    db.setDatabaseName(name);
    db.setParams(params);
    db.open();
    LayerResult r;
    {
        fb::Transaction tr(db);
        fb::Statement st(db, tr);
        st.prepare(QStringLiteral("SELECT * FROM KISI"));
        st.execute();
        std::vector<QVariant> row(size_t(st.columnCount()));
        while (st.fetch()) {
            for (int c = 0; c < st.columnCount(); ++c) {
                row[size_t(c)] = st.value(c);
                r.values += row[size_t(c)].isNull() ? 0 : 1;
            }
            ++r.rows;
        }
        tr.commit();
    }
    db.close();
    r.ms = timer.elapsed();
    return r;
}

qint64 readWithIsql(const QString& name, const QString& password, const QString& scriptFile)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("ISC_USER"), QStringLiteral("SYSDBA"));
    env.insert(QStringLiteral("ISC_PASSWORD"), password);
    p.setProcessEnvironment(env);
    p.setStandardOutputFile(QProcess::nullDevice());
    p.setStandardErrorFile(QProcess::nullDevice());
    QElapsedTimer timer;
    timer.start();
    p.start(QString::fromLatin1(kIsql), {QStringLiteral("-q"), QStringLiteral("-ch"), QStringLiteral("WIN1254"),
                                         QStringLiteral("-i"), scriptFile, name});
    if (!p.waitForFinished(-1) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        throw fb::Error(QStringLiteral("isql-fb çalışmadı (çıkış kodu %1).").arg(p.exitCode()));
    return timer.elapsed();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    int rows = 100000;
    bool embedded = false, keep = false;
    for (const QString& a : app.arguments().mid(1)) {
        bool ok = false;
        if (a == QLatin1String("--embedded"))
            embedded = true;
        else if (a == QLatin1String("--keep"))
            keep = true;
        else if (const int n = a.toInt(&ok); ok && n > 0)
            rows = n;
        else {
            std::fprintf(stderr, "usage: bench_fetch_kisi [rows] [--embedded] [--keep]\n");
            return 2;
        }
    }
    if (!QFile::exists(QString::fromLatin1(kIsql))) {
        std::fprintf(stderr, "%s not found\n", kIsql);
        return 1;
    }

    // The server (user firebird) must be able to create the file.
    const QString dir = QDir::tempPath() + QStringLiteral("/tavrion-bench-") + QUuid::createUuid().toString(QUuid::Id128).left(8);
    QDir().mkpath(dir);
    ::chmod(QFile::encodeName(dir).constData(), 01777);
    const QString file = dir + QStringLiteral("/KISI.FDB");
    const QString password = embedded ? QStringLiteral("x") : adminPassword();
    const QString name = embedded ? file : QStringLiteral("127.0.0.1:") + file;
    const QStringList params{QStringLiteral("user_name=SYSDBA"), QStringLiteral("password=") + password,
                             QStringLiteral("lc_ctype=WIN1254")};
    const QString script = dir + QStringLiteral("/select.sql");
    int rc = 0;
    try {
        QFile s(script);
        if (!s.open(QIODevice::WriteOnly) || s.write("SELECT * FROM KISI;\n") < 0)
            throw fb::Error(QStringLiteral("Betik dosyası yazılamadı: ") + script);
        s.close();

        QElapsedTimer timer;
        timer.start();
        {
            fb::Database db;
            db.setDatabaseName(name);
            db.setParams(params);
            db.create();
            fill(db, rows);
            db.close();
        }
        std::printf("access path: %s (%s)\n", embedded ? "embedded engine, both" : "local server 127.0.0.1, both",
                    qPrintable(name));
        std::printf("filled %d rows in %.1f s\n", rows, timer.elapsed() / 1000.0);

        // Warm the page cache once, then take the best of a few runs of each.
        readWithLayer(name, params);
        qint64 layerMs = -1, isqlMs = -1;
        LayerResult last;
        for (int run = 0; run < kRuns; ++run) {
            last = readWithLayer(name, params);
            layerMs = layerMs < 0 ? last.ms : std::min(layerMs, last.ms);
            const qint64 i = readWithIsql(name, password, script);
            isqlMs = isqlMs < 0 ? i : std::min(isqlMs, i);
            std::printf("run %d: layer %lld ms, isql %lld ms\n", run + 1, last.ms, i);
        }
        if (last.rows != rows)
            throw fb::Error(QStringLiteral("%1 satır okundu, %2 bekleniyordu.").arg(last.rows).arg(rows));
        std::printf("rows %lld, non-null values %lld\n", last.rows, last.values);
        std::printf("layer (fb::Statement -> QVariant): %lld ms\n", layerMs);
        std::printf("isql-fb (output to /dev/null):     %lld ms\n", isqlMs);
        std::printf("ratio layer/isql: %.2f (target <= 1.5)\n", double(layerMs) / double(std::max<qint64>(isqlMs, 1)));
    } catch (const fb::Error& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.text()));
        rc = 1;
    }
    if (keep)
        std::printf("database kept: %s\n", qPrintable(file));
    else
        QDir(dir).removeRecursively();
    return rc;
}
