// Times the person list's Filter (count, open, first screen of the grid) against the same two
// statements run through the Firebird layer alone, on a generated embedded database.
//
//   bench_filter [persons] [--keep]
//
// persons defaults to 100000. Each case runs once to warm up, then kRuns times alternating the
// two readers; the median of each is printed with the ratio and the peak memory of the process.
#include "controls/ZYRXDBGrid.h"
#include "data/DataModule.h"
#include "data/LoginState.h"
#include "data/Schema.h"
#include "fb/Firebird.h"
#include "persons/F_KisiU.h"
#include "persons/KisiFilter.h"

#if __has_include("persons/FamilyGenerator.h")
#include "persons/FamilyGenerator.h"
#define HAVE_FAMILY_GENERATOR 1
#endif

#include <QApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <sys/resource.h>
#include <unistd.h>

namespace {

constexpr int kRuns = 7;

const QStringList kParams = {QStringLiteral("user_name=SYSDBA"), QStringLiteral("password=x"),
                             QStringLiteral("lc_ctype=WIN1254")};

long peakKb()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

#ifndef HAVE_FAMILY_GENERATOR
// Plain persons with parents among the earlier rows, when the family generator is not built.
int insertPersons(fb::Database& db, fb::Transaction& tr, int count, quint32 seed)
{
    QRandomGenerator rng(seed);
    const QStringList men{"Ahmet", "Mehmet", "Mustafa", "Ali", "Hüseyin", "Hasan", "İbrahim", "İsmail", "Osman", "Yusuf",
                          "Ömer", "Murat", "Çağrı", "Gökhan", "Şükrü", "Ümit", "Oğuz", "Halil", "Süleyman", "Ilgaz"};
    const QStringList women{"Ayşe", "Fatma", "Emine", "Hatice", "Zeynep", "Elif", "Şerife", "Sultan", "Gülşen", "Özlem",
                            "Çiğdem", "Büşra", "Gözde", "Şule", "Ümran", "Nurcan", "Işıl", "Dilek", "Hülya", "Sıdıka"};
    const QStringList surnames{"Yılmaz", "Kaya", "Demir", "Şahin", "Çelik", "Yıldız", "Yıldırım", "Öztürk", "Aydın",
                               "Özdemir", "Arslan", "Doğan", "Kılıç", "Aslan", "Çetin", "Kara", "Koç", "Kurt", "Özkan"};
    const QStringList places{"Ankara", "İstanbul", "İzmir", "Bursa", "Çorum", "Diyarbakır", "Eskişehir", "Muğla", "Iğdır"};
    auto pick = [&](const QStringList& l) { return l[int(rng.bounded(int(l.size())))]; };
    fb::Statement ins(db, tr);
    ins.prepare(QStringLiteral(
        "INSERT INTO KISI (BLKISIKODU, KISI_KOD, AILE_AD, KAY_TAR, AD, SOYAD, BABA_KOD, ANNE_KOD, CINSIYET, DOG_TAR, "
        "DOG_YER, ADRES, IL, TEL1, K_NOT, KAYDEDEN, LAKAP) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    for (int i = 1; i <= count; ++i) {
        const bool woman = rng.bounded(2) == 1;
        const QString soyad = pick(surnames);
        const QVariantList v = {
            double(i), QStringLiteral("KS%1").arg(i, 6, 10, QLatin1Char('0')), soyad + QStringLiteral("ler"),
            QDate(2010, 1, 1).addDays(rng.bounded(5000)), woman ? pick(women) : pick(men), soyad,
            i > 2 ? QVariant(double(rng.bounded(1, i))) : QVariant(), i > 2 ? QVariant(double(rng.bounded(1, i))) : QVariant(),
            woman ? QStringLiteral("1") : QStringLiteral("0"), QDate(1900, 1, 1).addDays(rng.bounded(45000)), pick(places),
            QStringLiteral("Atatürk Cad. No:%1 %2").arg(rng.bounded(1, 200)).arg(pick(places)), pick(places),
            QStringLiteral("0312%1").arg(rng.bounded(1000000, 9999999)),
            rng.bounded(4) ? QVariant() : QVariant(QStringLiteral("Ailenin büyüğü")), QStringLiteral("Yetkili"),
            rng.bounded(5) ? QVariant() : QVariant(QStringLiteral("Hafız")),
        };
        for (int p = 0; p < v.size(); ++p)
            ins.setParam(p, v[p]);
        ins.execute();
        if (i % 10000 == 0)
            tr.commitRetaining();
    }
    tr.commitRetaining();
    return count;
}
#endif

// Resident set size now, from /proc/self/statm.
double rssMb()
{
    QFile f(QStringLiteral("/proc/self/statm"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> parts = f.readAll().split(' ');
    return parts.size() > 1 ? parts[1].toDouble() * double(getpagesize()) / (1024.0 * 1024.0) : 0;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// The two statements alone: the count, then the list opened and as many rows read (every
// column) as the grid's first screen took from the dataset.
double statementsAlone(TD_Genel& dm, const QStringList& lines, int rows, QString* count)
{
    QElapsedTimer t;
    t.start();
    *count = CountListRows(dm.DB_KUSAK, dm.TR_KUSAK, lines);
    fb::Statement st(dm.DB_KUSAK, dm.TR_KUSAK);
    st.prepare(JoinStatement(lines));
    st.execute();
    volatile qsizetype sink = 0;
    for (int r = 0; r < rows && st.fetch(); ++r)
        for (int c = 0; c < st.columnCount(); ++c)
            if (st.column(c).type == fb::SqlType::Blob)
                sink = sink + st.blobId(c).size();
            else
                sink = sink + st.value(c).toString().size();
    st.closeCursor();
    return double(t.nsecsElapsed()) / 1e6;
}

// The count with the ordering line kept inside the sub-select, for comparison.
double sortedCount(TD_Genel& dm, const QStringList& lines)
{
    QStringList inner = lines;
    inner[0] = QStringLiteral("SELECT K.BLKISIKODU FROM KISI K");
    const QString sql = QStringLiteral("SELECT COUNT(K.BLKISIKODU) FROM KISI K\nWHERE K.BLKISIKODU IN (")
                        + inner.join(QLatin1Char('\n')) + QStringLiteral("\n)");
    QElapsedTimer t;
    t.start();
    fb::Statement st(dm.DB_KUSAK, dm.TR_KUSAK);
    st.prepare(sql);
    st.execute();
    st.fetch();
    st.closeCursor();
    return double(t.nsecsElapsed()) / 1e6;
}

double screenFilter(TF_KisiF& s, int* rows)
{
    QElapsedTimer t;
    t.start();
    s.Filter();
    s.ZYRXDBGrid1->viewport()->repaint(); // the first screen of rows drawn
    const double ms = double(t.nsecsElapsed()) / 1e6;
    *rows = s.QLIST.fetchedCount();
    return ms;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    int persons = 100000;
    bool keep = false;
    for (int i = 1; i < argc; ++i) {
        const QString a = QString::fromLocal8Bit(argv[i]);
        if (a == QLatin1String("--keep"))
            keep = true;
        else
            persons = a.toInt();
    }
    QTemporaryDir home;
    home.setAutoRemove(!keep);
    qputenv("TAVRION_HOME", home.path().toLocal8Bit());
    const QString path = home.path() + QStringLiteral("/KUSAK.FDB");

    createEmptyDatabase(path, kParams);
    TD_Genel dm;
    setD_Genel(&dm);
    dm.DB_KUSAK.setDatabaseName(path);
    dm.DB_KUSAK.setParams(kParams);
    dm.DB_KUSAK.open();
    Login().currentUser = QStringLiteral("Yetkili");
    Login().serverMode = true;

    QElapsedTimer fill;
    fill.start();
    dm.TR_KUSAK.ensureStarted();
#ifdef HAVE_FAMILY_GENERATOR
    const int made = GenerateFamily(dm.DB_KUSAK, dm.TR_KUSAK, persons, 1071);
    const char* how = "GenerateFamily";
#else
    const int made = insertPersons(dm.DB_KUSAK, dm.TR_KUSAK, persons, 1071);
    const char* how = "own insert loop";
#endif
    dm.commitRetaining();
    std::printf("database: %s, %d persons (%s) in %.1f s\n", qPrintable(path), made, how, fill.elapsed() / 1000.0);
    const long baseKb = peakKb();
    const double baseRss = rssMb();

    TF_KisiF screen;
    screen.resize(1280, 800);
    screen.show();
    QApplication::processEvents();

    struct Case {
        const char* name;
        QString ad;
    } cases[] = {{"empty panel", QString()}, {"name criterion \"ah\"", QStringLiteral("ah")}};
    for (const Case& c : cases) {
        screen.Clear();
        screen.NameEdit->setText(c.ad);
        int rows = 0;
        QString count;
        screenFilter(screen, &rows); // warm-up
        statementsAlone(dm, screen.statement(), rows, &count);
        std::vector<double> filterMs, aloneMs;
        for (int r = 0; r < kRuns; ++r) {
            filterMs.push_back(screenFilter(screen, &rows));
            aloneMs.push_back(statementsAlone(dm, screen.statement(), rows, &count));
        }
        std::vector<double> sortedMs;
        for (int r = 0; r < 3; ++r)
            sortedMs.push_back(sortedCount(dm, screen.statement()));
        const double f = median(filterMs), a = median(aloneMs);
        std::printf("%-24s count %s (screen %s), first screen %d rows: Filter %.1f ms, statements alone %.1f ms, "
                    "ratio %.2f (goal <= 1.30)\n",
                    c.name, qPrintable(count), qPrintable(screen.statusText(1)), rows, f, a, f / a);
        std::printf("%-24s count with the ordering line inside the sub-select: %.1f ms\n", "", median(sortedMs));
    }
    std::printf("peak memory: %.1f MB (%.1f MB after filling the database); resident %.1f MB before the screen, "
                "%.1f MB after the runs\n",
                peakKb() / 1024.0, baseKb / 1024.0, baseRss, rssMb());
    screen.QLIST.close();
    dm.closeConnection();
    setD_Genel(nullptr);
    return 0;
}
