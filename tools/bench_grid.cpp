// Times a data grid over a large person list: the first screen of rows, the jump to the last
// row (Ctrl+End, which moves the dataset to its last row), scrolling to the end with the scroll
// bar, and the process's memory before and after; then the dataset alone for comparison. Each
// of the three runs in a child process of its own.
//
//   bench_grid [rows] [--keep] [--db FILE]
//
// rows defaults to 100000. --db reuses a database a run with --keep left (rows must match). The database is an embedded one of the program's own structure in a
// temporary folder, filled by a child process so that its memory does not count here. The grid
// runs on the offscreen platform unless QT_QPA_PLATFORM says otherwise.
#include "controls/ZYRXDBGrid.h"
#include "data/Dataset.h"
#include "data/Schema.h"
#include "fb/Firebird.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QProcess>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QUuid>
#include <QVBoxLayout>

#include <cstdio>
#include <ctime>

namespace {

const QStringList kParams{QStringLiteral("user_name=SYSDBA"), QStringLiteral("password=x"), QStringLiteral("lc_ctype=WIN1254")};

// VmHWM and VmRSS of this process in MiB.
struct Memory {
    double hwm = 0, rss = 0;
};

Memory memory()
{
    Memory m;
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return m;
    for (const QByteArray& line : f.readAll().split('\n')) {
        const QList<QByteArray> parts = line.simplified().split(' ');
        if (parts.size() >= 2 && (parts[0] == "VmHWM:" || parts[0] == "VmRSS:"))
            (parts[0] == "VmHWM:" ? m.hwm : m.rss) = parts[1].toDouble() / 1024.0;
    }
    return m;
}

void printMemory(const char* when)
{
    const Memory m = memory();
    std::printf("  memory %-34s VmHWM %7.1f MiB  VmRSS %7.1f MiB\n", when, m.hwm, m.rss);
}

// Person rows of the program's KISI table, all 45 columns, about as full as a real family's.
class RowMaker {
public:
    QVariantList row(int i)
    {
        const bool woman = rng.bounded(2) == 1;
        const QString il = pick(iller), soyad = pick(soyadlar);
        const QDate dog = QDate(1900, 1, 1).addDays(rng.bounded(45000));
        auto maybe = [&](const QVariant& v) { return rng.bounded(4) == 0 ? QVariant() : v; };
        auto phone = [&] { return QStringLiteral("05%1").arg(rng.bounded(100000000, 999999999)); };
        const QVariant parent = i > 2 ? QVariant(double(rng.bounded(1, i))) : QVariant();
        return {double(i), QStringLiteral("K%1").arg(i, 6, 10, QLatin1Char('0')), soyad + QStringLiteral("giller"),
                QVariant(), QVariant(), maybe(QStringLiteral("ÖZ-%1").arg(rng.bounded(100))), QVariant(),
                QDate(2010, 1, 1).addDays(rng.bounded(5000)), woman ? pick(kadin) : pick(erkek), soyad, parent, parent,
                maybe(0.0), woman ? QStringLiteral("1") : QStringLiteral("0"), dog, QVariant(), pick(iller),
                QStringLiteral("Evli"), woman ? QVariant() : QVariant(QStringLiteral("Yaptı")),
                QStringLiteral("Cumhuriyet Cad. No:%1 Daire:%2 Çankaya/%3").arg(rng.bounded(1, 200)).arg(rng.bounded(1, 30)).arg(il),
                il, QStringLiteral("Merkez"), maybe(QStringLiteral("03124567890")), QVariant(), phone(), maybe(phone()), QVariant(),
                maybe(QStringLiteral("Ailenin büyüğü; bayramlarda herkesi bir araya getirir.")), QStringLiteral("Lise"),
                maybe(QStringLiteral("%1 Anadolu Lisesi").arg(il)), il, QStringLiteral("Merkez"), maybe(QStringLiteral("Okul birincisi")),
                maybe(QStringLiteral("%1 İnşaat Ticaret Ltd. Şti.").arg(soyad)), maybe(QStringLiteral("03124567890")), QVariant(),
                maybe(QStringLiteral("Organize Sanayi Bölgesi %1. Cadde %2").arg(rng.bounded(1, 30)).arg(il)), il,
                QStringLiteral("Merkez"), maybe(QStringLiteral("Yüksek tansiyon")), QVariant(), QVariant(), QStringLiteral("YETKILI"),
                maybe(QStringLiteral("AYSE")), maybe(QStringLiteral("Hafız"))};
    }

private:
    QString pick(const QStringList& l) { return l[int(rng.bounded(int(l.size())))]; }
    QRandomGenerator rng{1071};
    const QStringList erkek{"Ahmet", "Mehmet", "Mustafa", "Ali", "Hüseyin", "İbrahim", "Ömer", "Çağrı", "Şükrü", "Ümit"};
    const QStringList kadin{"Ayşe", "Fatma", "Emine", "Zeynep", "Elif", "Şerife", "Gülşen", "Özlem", "Çiğdem", "Işıl"};
    const QStringList soyadlar{"Yılmaz", "Kaya", "Demir", "Şahin", "Çelik", "Yıldız", "Öztürk", "Aydın", "Doğan", "Ağaoğlu"};
    const QStringList iller{"Ankara", "İstanbul", "İzmir", "Bursa", "Çorum", "Diyarbakır", "Muğla", "Şanlıurfa", "Iğdır"};
};

int fill(const QString& file, int rows)
{
    createEmptyDatabase(file, kParams);
    fb::Database db;
    db.setDatabaseName(file);
    db.setParams(kParams);
    db.open();
    fb::Transaction tr(db);
    fb::Statement st(db, tr);
    QStringList marks;
    for (int i = 0; i < 45; ++i)
        marks << QStringLiteral("?");
    st.prepare(QStringLiteral("INSERT INTO KISI VALUES (%1)").arg(marks.join(QLatin1Char(','))));
    RowMaker maker;
    for (int i = 1; i <= rows; ++i) {
        const QVariantList values = maker.row(i);
        for (int c = 0; c < int(values.size()); ++c)
            st.setParam(c, values[c]);
        st.execute();
        if (i % 20000 == 0)
            tr.commitRetaining();
    }
    tr.commit();
    db.close();
    return 0;
}

void settle()
{
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
}

// One grid on a 1024 x 700 form over SELECT * FROM KISI, as a list screen shows it.
struct Screen {
    explicit Screen(fb::Database& db, fb::Transaction& tr) : ds(db, tr)
    {
        ds.setSql(QStringLiteral("SELECT * FROM KISI ORDER BY BLKISIKODU"));
        form.resize(1024, 700);
        auto* layout = new QVBoxLayout(&form);
        grid = new TZYRXDBGrid(&form);
        layout->addWidget(grid);
        grid->setDataset(&ds);
        form.show();
        settle();
    }
    Dataset ds;
    QWidget form;
    TZYRXDBGrid* grid = nullptr;
};

// Wall-clock and processor time (all threads, the embedded engine's too) of one step.
struct Stopwatch {
    QElapsedTimer wall;
    double cpu0 = 0;
    static double cpuMs()
    {
        timespec ts{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
        return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
    }
    void restart()
    {
        wall.start();
        cpu0 = cpuMs();
    }
    void print(const char* what, const QString& note = QString()) const
    {
        std::printf("  %-36s %8.1f ms wall %8.1f ms cpu  %s\n", what, wall.nsecsElapsed() / 1e6, cpuMs() - cpu0, qPrintable(note));
    }
};

// One step of the run, in a process of its own so that each starts from a clean heap.
int phase(const QString& name, const QString& file, int rows)
{
    fb::Database db;
    db.setDatabaseName(file);
    db.setParams(kParams);
    db.open();
    fb::Transaction tr(db);
    db.setDefaultTransaction(&tr);
    int rc = 0;
    Stopwatch t;
    if (name == QLatin1String("alone")) {
        std::printf("the dataset alone (no grid):\n");
        printMemory("connected");
        Dataset ds(db, tr);
        ds.setSql(QStringLiteral("SELECT * FROM KISI ORDER BY BLKISIKODU"));
        t.restart();
        ds.open();
        ds.last();
        t.print("open and last()", QStringLiteral("%1 rows").arg(ds.fetchedCount()));
        printMemory("holding every row");
        ds.close();
        printMemory("closed");
    } else if (name == QLatin1String("jump")) {
        std::printf("grid, jump to the last row with Ctrl+End:\n");
        Screen s(db, tr);
        printMemory("connected, grid shown");
        t.restart();
        s.ds.open();
        s.grid->viewport()->repaint();
        t.print("first screen of rows", QStringLiteral("%1 rows fetched").arg(s.ds.fetchedCount()));
        printMemory("with the first screen");
        t.restart();
        QKeyEvent end(QEvent::KeyPress, Qt::Key_End, Qt::ControlModifier);
        QApplication::sendEvent(s.grid, &end);
        settle();
        s.grid->viewport()->repaint();
        t.print("jump to the last row", QStringLiteral("on row %1 of %2").arg(s.ds.recNo() + 1).arg(s.ds.fetchedCount()));
        if (s.ds.recNo() != rows - 1 || s.grid->currentIndex().row() != rows - 1) {
            std::fprintf(stderr, "the grid is not on the last row (dataset %d, grid %d)\n", s.ds.recNo(), s.grid->currentIndex().row());
            rc = 1;
        }
        printMemory("on the last row");
    } else {
        std::printf("grid, dragging the scroll bar to the end until every row is there:\n");
        Screen s(db, tr);
        s.ds.open();
        s.grid->viewport()->repaint();
        printMemory("with the first screen");
        t.restart();
        int drags = 0;
        QScrollBar* bar = s.grid->verticalScrollBar();
        while (bar->value() < bar->maximum() || !s.ds.allFetched()) {
            bar->setValue(bar->maximum());
            settle();
            s.grid->viewport()->repaint();
            ++drags;
        }
        t.print("scrolled to the end", QStringLiteral("%1 drags, %2 rows").arg(drags).arg(s.ds.fetchedCount()));
        printMemory("scrolled to the end");
        if (s.ds.fetchedCount() != rows)
            rc = 1;
    }
    tr.commit();
    db.close();
    std::fflush(stdout);
    return rc;
}

int run(const QString& file, int rows)
{
    int rc = 0;
    for (const char* name : {"jump", "scroll", "alone"}) {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedChannels);
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--phase"), QLatin1String(name), file, QString::number(rows)});
        if (!child.waitForFinished(-1) || child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0)
            rc = 1;
    }
    return rc;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && QByteArray(argv[1]) == "--fill") {
        QCoreApplication app(argc, argv);
        try {
            return fill(QString::fromLocal8Bit(argv[2]), QByteArray(argv[3]).toInt());
        } catch (const fb::Error& e) {
            std::fprintf(stderr, "%s\n", qPrintable(e.text()));
            return 1;
        }
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc == 5 && QByteArray(argv[1]) == "--phase") {
        try {
            return phase(QString::fromLatin1(argv[2]), QString::fromLocal8Bit(argv[3]), QByteArray(argv[4]).toInt());
        } catch (const fb::Error& e) {
            std::fprintf(stderr, "%s\n", qPrintable(e.text()));
            return 1;
        }
    }
    int rows = 100000;
    bool keep = false;
    QString reuse;
    const QStringList args = app.arguments().mid(1);
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        bool ok = false;
        if (a == QLatin1String("--keep"))
            keep = true;
        else if (a == QLatin1String("--db") && i + 1 < args.size())
            reuse = args[++i];
        else if (const int n = a.toInt(&ok); ok && n > 0)
            rows = n;
        else {
            std::fprintf(stderr, "usage: bench_grid [rows] [--keep] [--db FILE]\n");
            return 2;
        }
    }
    if (!reuse.isEmpty()) {
        std::printf("%d KISI rows (45 columns) in %s; embedded engine, platform %s\n", rows, qPrintable(reuse),
                    qPrintable(QApplication::platformName()));
        std::fflush(stdout);
        try {
            return run(reuse, rows);
        } catch (const fb::Error& e) {
            std::fprintf(stderr, "%s\n", qPrintable(e.text()));
            return 1;
        }
    }
    const QString dir = QDir::tempPath() + QStringLiteral("/tavrion-grid-") + QUuid::createUuid().toString(QUuid::Id128).left(8);
    QDir().mkpath(dir);
    const QString file = dir + QStringLiteral("/KUSAK.FDB");
    QElapsedTimer t;
    t.start();
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--fill"), file, QString::number(rows)});
    if (!child.waitForFinished(-1) || child.exitCode() != 0) {
        std::fprintf(stderr, "filling the database failed\n");
        QDir(dir).removeRecursively();
        return 1;
    }
    std::printf("%d KISI rows (45 columns) in %s, filled in %.1f s; embedded engine, platform %s\n", rows, qPrintable(file),
                t.elapsed() / 1000.0, qPrintable(QApplication::platformName()));
    std::fflush(stdout);
    int rc = 1;
    try {
        rc = run(file, rows);
    } catch (const fb::Error& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.text()));
    }
    if (keep)
        std::printf("database kept: %s\n", qPrintable(file));
    else
        QDir(dir).removeRecursively();
    return rc;
}
