#include "grid_fixture.h"
#include "shell/AppPaths.h"

#include <QDesktopServices>
#include <QFile>
#include <QVBoxLayout>

GridUrlRecorder::GridUrlRecorder() { QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "open"); }
GridUrlRecorder::~GridUrlRecorder() { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
void GridUrlRecorder::open(const QUrl& url) { opened << url.toLocalFile(); }

void GridFixture::SetUp()
{
    db.setDatabaseName(home.path() + "grid.fdb");
    db.setParams({"user_name=SYSDBA", "password=x", "lc_ctype=WIN1254"});
    db.create();
    fb::Transaction ddl(db);
    db.executeImmediate(ddl, "CREATE TABLE P (ID INTEGER NOT NULL PRIMARY KEY, "
                             "AD VARCHAR(30) CHARACTER SET WIN1254 COLLATE PXW_TURK, "
                             "SOYAD VARCHAR(30) CHARACTER SET WIN1254 COLLATE PXW_TURK, "
                             "NOTLAR VARCHAR(200) CHARACTER SET WIN1254, DOG DATE, TUTAR DOUBLE PRECISION)");
    ddl.commit();
    db.executeImmediate(ddl, "INSERT INTO P VALUES (1, 'Ali', 'Yılmaz', 'birinci' || ASCII_CHAR(13) || ASCII_CHAR(10) || 'ikinci', '1950-03-01', 12.5)");
    db.executeImmediate(ddl, "INSERT INTO P VALUES (2, 'Ayşe', 'Kaya', 'iki \"tırnak\" var', NULL, NULL)");
    db.executeImmediate(ddl, "INSERT INTO P VALUES (3, '<b>&', 'Şahin', 'sekme' || ASCII_CHAR(9) || 'var', '2001-12-31', 7)");
    db.executeImmediate(ddl, "INSERT INTO P VALUES (4, ' ', 'Öz', 'yalnız' || ASCII_CHAR(10) || 'LF', NULL, 1000)");
    ddl.commit();
    db.setDefaultTransaction(&tr);

    ds = std::make_unique<Dataset>(db, tr);
    ds->setSql("SELECT * FROM P ORDER BY ID");
    form = std::make_unique<QWidget>();
    form->setObjectName("F_TestF");
    form->resize(640, 300);
    auto* layout = new QVBoxLayout(form.get());
    grid = new TZYRXDBGrid(form.get());
    grid->setObjectName("ZYRXDBGrid1");
    layout->addWidget(grid);
    grid->setDataset(ds.get());
}

void GridFixture::TearDown()
{
    form.reset();
    ds.reset();
    if (tr.active())
        tr.commit();
}

void GridFixture::defineColumns()
{
    grid->addColumn("ID", "No", 40);
    grid->addColumn("AD", "Adı", 80);
    grid->addColumn("SOYAD", "Soyadı", 90);
    grid->addColumn("NOTLAR", "Notlar", 150);
    grid->addColumn("DOG", "Doğum Tar.", 90);
}

QString GridFixture::iniDir() const { return IniDir(); }

QByteArray GridFixture::readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void GridFixture::writeAll(const QString& path, const QByteArray& data)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(data);
}

QStringList GridFixture::fieldOrder() const
{
    QStringList out;
    for (const GridColumn& c : grid->columns())
        out << c.fieldName;
    return out;
}
