#include "data/Connection.h"
#include "data/DataModule.h"
#include "data/IniFile.h"
#include "data/K_IBAyarU.h"
#include "data/LoginState.h"
#include "data/Schema.h"
#include "data/SettingsRecord.h"
#include "shell/AppPaths.h"
#include "shell/MainWindowLink.h"
#include "SchemaFixtures.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QUrl>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    f.write(bytes);
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

const QString kRenameMessage = QStringLiteral(
    "Veri Tabanı Dosyalarınızın uzantıları \".FDB\" olarak Değiştirilecektir !\r\n"
    "Yedekleme Servisi v.b. programlar kullanıyorsanız dosya yollarını kontrol ediniz..");
const QString kFailedMessage =
    QStringLiteral("Dikkat : Bazı database dosyalarının uzantıları değiştirilemedi. Lütfen kontrol ediniz.");

// Records what ShellOpen hands to the desktop.
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    UrlRecorder() { QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "open"); }
    ~UrlRecorder() override { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
    QStringList opened;
public slots:
    void open(const QUrl& url) { opened << url.toLocalFile(); }
};

// Makes one file impossible to rename for as long as it lives: a read-only folder for an
// ordinary user, the immutable flag for root (who ignores permissions).
class Unrenamable {
public:
    explicit Unrenamable(const QString& file) : m_file(file), m_dir(QFileInfo(file).absolutePath())
    {
        if (::geteuid() != 0) {
            m_ok = ::chmod(QFile::encodeName(m_dir).constData(), 0555) == 0;
            m_chmod = m_ok;
            return;
        }
        m_ok = setImmutable(true);
    }
    ~Unrenamable()
    {
        if (m_chmod)
            ::chmod(QFile::encodeName(m_dir).constData(), 0755);
        else if (m_ok)
            setImmutable(false);
    }
    bool ok() const { return m_ok; }

private:
    bool setImmutable(bool on)
    {
        const int fd = ::open(QFile::encodeName(m_file).constData(), O_RDONLY);
        if (fd < 0)
            return false;
        int flags = 0;
        bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        if (done) {
            flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
            done = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        }
        ::close(fd);
        return done;
    }
    QString m_file, m_dir;
    bool m_ok = false, m_chmod = false;
};

} // namespace

TEST(ResolveDatabaseFile, NothingToRenameShowsNothing)
{
    TempHome home;
    FakeDialogService dialogs;
    writeFile(DataDir() + "KUSAK.FDB", "db");
    EXPECT_EQ(ResolveDatabaseFile(), ResolveResult::Continue);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST(ResolveDatabaseFile, RenamesEveryOldFileAfterTellingTheUser)
{
    struct Case {
        QStringList files;
        QStringList expected;  // file names in Data/ afterwards
    };
    const Case cases[] = {
        {{"KUSAK.GDB"}, {"KUSAK.FDB"}},
        {{"OLD.GDB"}, {"OLD.FDB"}},
        {{"A.GDB", "B.GDB", "kusak.gdb", "notes.txt"}, {"A.FDB", "B.FDB", "kusak.FDB", "notes.txt"}},
    };
    for (const Case& c : cases) {
        TempHome home;
        FakeDialogService dialogs;
        UrlRecorder urls;
        for (const QString& f : c.files)
            writeFile(DataDir() + f, f.toUtf8());
        // Only files directly in Data/ are renamed.
        writeFile(DataDir() + "sub/DEEP.GDB", "deep");

        EXPECT_EQ(ResolveDatabaseFile(), ResolveResult::Continue) << c.files.join(',').toStdString();
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.messages[0].text, kRenameMessage);
        EXPECT_EQ(dialogs.messages[0].caption, "Bilgi");
        EXPECT_EQ(dialogs.messages[0].icon, MsgIcon::Information);
        QStringList names = QDir(DataDir()).entryList(QDir::Files, QDir::Name);
        QStringList expected = c.expected;
        names.sort();
        expected.sort();
        EXPECT_EQ(names, expected);
        // The contents travel with the name.
        for (int i = 0; i < c.files.size(); ++i) {
            if (c.files[i].endsWith("GDB", Qt::CaseInsensitive)) {
                EXPECT_EQ(readFile(DataDir() + QFileInfo(c.files[i]).completeBaseName() + ".FDB"), c.files[i].toUtf8());
            }
        }
        EXPECT_TRUE(QFile::exists(DataDir() + "sub/DEEP.GDB"));
        EXPECT_FALSE(QFile::exists(IniDir() + "FDBMessage.Ini"));
        EXPECT_TRUE(urls.opened.isEmpty());
    }
}

TEST(ResolveDatabaseFile, ExistingFdbIsNeverReplacedByAnOldGdb)
{
    TempHome home;
    FakeDialogService dialogs;
    UrlRecorder urls;
    QByteArray current;
    for (int i = 0; i < 4096; ++i)
        current += char(i * 7);
    writeFile(DataDir() + "KUSAK.FDB", current);
    writeFile(DataDir() + "KUSAK.GDB", "old database");
    writeFile(DataDir() + "OLD.GDB", "other");
    writeFile(DataDir() + "kusak.gdb", "older still"); // would become kusak.FDB beside KUSAK.FDB

    // The database the login opens is there: the program goes on, but the user learns of the
    // file left behind.
    EXPECT_EQ(ResolveDatabaseFile(), ResolveResult::Continue);
    EXPECT_EQ(readFile(DataDir() + "KUSAK.FDB"), current);
    EXPECT_EQ(readFile(DataDir() + "KUSAK.GDB"), "old database");
    EXPECT_EQ(readFile(DataDir() + "OLD.FDB"), "other");
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[0].text, kRenameMessage);
    EXPECT_EQ(dialogs.messages[1].text, kFailedMessage);
    EXPECT_EQ(dialogs.messages[1].caption, "Bilgi");
    const QString list = IniDir() + "FDBMessage.Ini";
    EXPECT_EQ(readFile(DataDir() + "kusak.gdb"), "older still");
    EXPECT_EQ(QDir(DataDir()).entryList({"*.FDB"}, QDir::Files, QDir::Name), (QStringList{"KUSAK.FDB", "OLD.FDB"}));
    EXPECT_EQ(readFile(list), (QDir::toNativeSeparators(DataDir() + "KUSAK.GDB") + "\n"
                               + QDir::toNativeSeparators(DataDir() + "kusak.gdb") + "\n").toUtf8());
    EXPECT_EQ(urls.opened, QStringList{list});
}

TEST(ResolveDatabaseFile, FileThatCannotBeRenamedEndsTheProgram)
{
    TempHome home;
    FakeDialogService dialogs;
    UrlRecorder urls;
    writeFile(DataDir() + "KUSAK.GDB", "kusak");
    IniDir(); // the list goes here; it must exist before Data/ may become read-only
    {
        Unrenamable lock(DataDir() + "KUSAK.GDB");
        if (!lock.ok())
            GTEST_SKIP() << "cannot make a file unrenamable here";
        EXPECT_EQ(ResolveDatabaseFile(), ResolveResult::EndProgram);
    }
    EXPECT_EQ(readFile(DataDir() + "KUSAK.GDB"), "kusak");
    EXPECT_FALSE(QFile::exists(DataDir() + "KUSAK.FDB"));
    EXPECT_EQ(readFile(IniDir() + "FDBMessage.Ini"), (QDir::toNativeSeparators(DataDir() + "KUSAK.GDB") + "\n").toUtf8());
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[1].text, kFailedMessage);
    EXPECT_EQ(urls.opened, QStringList{IniDir() + "FDBMessage.Ini"});
}

TEST(ConnectionNames, ClientDatabaseNamePerProtocol)
{
    struct Case {
        const char* server;
        const char* folder;
        const char* protocol;
        const char* expected;  // nullptr: the name stays as it was
    };
    const Case cases[] = {
        {"srv", "D:\\Data", "TCP/IP", "srv:D:\\Data\\KUSAK.FDB"},
        {"srv", "D:\\Data\\", "TCP/IP", "srv:D:\\Data\\KUSAK.FDB"},
        {"10.0.0.5", "/var/lib/tavrion", "TCP/IP", "10.0.0.5:/var/lib/tavrion/KUSAK.FDB"},
        {"10.0.0.5", "/var/lib/tavrion/", "TCP/IP", "10.0.0.5:/var/lib/tavrion/KUSAK.FDB"},
        {"srv", "C:\\MERVATON\\TAVRION1\\DATA\\", "TCP/IP", "srv:C:\\MERVATON\\TAVRION1\\DATA\\KUSAK.FDB"},
        {"srv", "D:\\Data", "NetBEUI", "\\\\srv\\D:\\Data\\KUSAK.FDB"},
        {"srv", "/data/", "NetBEUI", "\\\\srv\\/data/KUSAK.FDB"},
        {"srv", "D:\\Data", "SPX", "srv@D:\\Data\\KUSAK.FDB"},
        {"srv", "/data", "SPX", "srv@/data/KUSAK.FDB"},
        {"srv", "C:", "TCP/IP", "srv:C:\\KUSAK.FDB"},
        {"srv", "D:\\Data", "IPX", nullptr},
        {"srv", "D:\\Data", "tcp/ip", nullptr},
        {"srv", "D:\\Data", "", nullptr},
    };
    for (const Case& c : cases) {
        const auto name = ComposeClientDatabaseName(c.server, c.folder, c.protocol);
        if (!c.expected) {
            EXPECT_FALSE(name.has_value()) << c.protocol;
            continue;
        }
        ASSERT_TRUE(name.has_value()) << c.protocol;
        EXPECT_EQ(*name, QString::fromUtf8(c.expected)) << c.folder << " " << c.protocol;
    }
}

TEST(ConnectionNames, ServerTargetFollowsTheLocalServerSetting)
{
    TempHome home;
    EXPECT_EQ(ServerDatabaseName(false), home.path() + "Data/KUSAK.FDB");
    EXPECT_EQ(ServerDatabaseName(true), "127.0.0.1:" + home.path() + "Data/KUSAK.FDB");
    EXPECT_TRUE(QFileInfo(ServerDatabaseName(false)).isAbsolute());
    // A database copied from Windows in other letters is the same database.
    writeFile(DataDir() + "Kusak.fdb", "db");
    EXPECT_EQ(ServerDatabaseName(false), home.path() + "Data/Kusak.fdb");
    writeFile(DataDir() + "KUSAK.FDB", "db");
    EXPECT_EQ(ServerDatabaseName(true), "127.0.0.1:" + home.path() + "Data/KUSAK.FDB");
}

TEST(ConnectionSettingsTest, MissingKeysGiveTheDefaultsAndValuesRoundTrip)
{
    TempHome home;
    IniFile ini(IniDir() + "Ayar.Ini");
    const ConnectionSettings d = ConnectionSettings::load(ini);
    EXPECT_TRUE(d.serverClient);
    EXPECT_EQ(d.iletisimPrt, "TCP/IP");
    EXPECT_FALSE(d.yerelSunucu);
    EXPECT_FALSE(d.serverAdi.isEmpty());
    EXPECT_FALSE(d.dbYolu.isEmpty());

    ConnectionSettings s{false, "srv", "D:\\Data\\", "SPX", true};
    s.store(ini);
    ASSERT_TRUE(ini.save());
    IniFile again(IniDir() + "Ayar.Ini");
    EXPECT_EQ(again.readString(kAyarSection, "ServerClient"), "False");
    EXPECT_EQ(again.readString(kAyarSection, "YerelSunucu"), "True");
    const ConnectionSettings r = ConnectionSettings::load(again);
    EXPECT_FALSE(r.serverClient);
    EXPECT_EQ(r.serverAdi, "srv");
    EXPECT_EQ(r.dbYolu, "D:\\Data\\");
    EXPECT_EQ(r.iletisimPrt, "SPX");
    EXPECT_TRUE(r.yerelSunucu);
}

TEST(SurumKontrolTest, MismatchMessagesNameTheVersionToInstall)
{
    EXPECT_EQ(VersionMismatchMessage("s1.02.08", "s1.02.08"), QString());
    // The server is older: install 1.02.08 on the server or 1.02.07 here.
    EXPECT_EQ(VersionMismatchMessage("s1.02.07", "s1.02.08"),
              QStringLiteral("Problem :\r\n    Server-Client sürüm uyuşmazlığı;\r\n"
                             "    Server Bilgisayarda kullanılan sürüm : 1.02.07\r\n"
                             "    Client Bilgisayarda kullanılan sürüm : 1.02.08\r\n\r\n"
                             "Çözüm : \r\n"
                             "    Server Bilgisayara Tavrion 1.02.08 sürümünü yükleyiniz veya\r\n"
                             "    Bilgisayarınıza Tavrion 1.02.07 sürümünü yükleyiniz..."));
    // This workstation is older: install 1.02.09 here.
    EXPECT_EQ(VersionMismatchMessage("s1.02.09", "s1.02.08"),
              QStringLiteral("Problem :\r\n    Server-Client sürüm uyuşmazlığı;\r\n"
                             "    Server Bilgisayarda kullanılan sürüm : 1.02.09\r\n"
                             "    Client Bilgisayarda kullanılan sürüm : 1.02.08\r\n\r\n"
                             "Çözüm : \r\n"
                             "    Bilgisayarınıza Tavrion 1.02.09 sürümünü yükleyiniz..."));
    // Ordinal comparison, character by character: "s1.10" sorts after "s1.02".
    EXPECT_TRUE(VersionMismatchMessage("s1.10.00", "s1.02.08").contains("Bilgisayarınıza Tavrion 1.10.00 sürümünü yükleyiniz..."));
}

class SurumKontrolDb : public ::testing::Test {
protected:
    void SetUp() override
    {
        Login() = LoginState{};
        path = home.path() + "v.fdb";
        createEmptyDatabase(path, fixtures::embeddedParams());
        dm.DB_KUSAK.setDatabaseName(path);
        dm.DB_KUSAK.setParams(fixtures::embeddedParams());
        dm.DB_KUSAK.open();
        AyarVarsayilan(dm);
    }
    void TearDown() override { ForceCloseLoginConnection(dm); }
    void setStored(const QVariant& version)
    {
        dm.Ayar_Ds.edit();
        dm.Ayar_Ds.setValue("PROG_SURUM", version);
        dm.Ayar_Ds.post();
    }
    QString storedOnDisk()
    {
        fb::Database db;
        db.setDatabaseName(path);
        db.setParams(fixtures::embeddedParams());
        db.open();
        fb::Transaction tr(db);
        fb::Statement st(db, tr);
        st.prepare("SELECT PROG_SURUM FROM AYAR");
        st.execute();
        const QString v = st.fetch() ? st.value(0).toString() : QString("<no row>");
        tr.commit();
        db.close();
        return v;
    }

    TempHome home;
    FakeDialogService dialogs;
    TD_Genel dm;
    QString path;
};

TEST_F(SurumKontrolDb, ClientRefusesEitherMismatchAndAcceptsEquality)
{
    for (const char* stored : {"s1.02.07", "s1.02.09"}) {
        setStored(QString(stored));
        dialogs.messages.clear();
        EXPECT_FALSE(SurumKontrol(dm, false)) << stored;
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.messages[0].text, VersionMismatchMessage(stored, "s1.02.08"));
        EXPECT_TRUE(dialogs.messages[0].caption.endsWith(" - Bilgi"));
        EXPECT_EQ(storedOnDisk(), stored); // a client never changes the server's value
    }
    setStored(QString("s1.02.08"));
    dialogs.messages.clear();
    EXPECT_TRUE(SurumKontrol(dm, false));
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(SurumKontrolDb, ServerWritesItsVersionIntoTheSettingsRow)
{
    for (const QVariant& stored : {QVariant(), QVariant(QString("s1.02.07")), QVariant(QString("s1.02.09"))}) {
        setStored(stored);
        EXPECT_TRUE(SurumKontrol(dm, true));
        EXPECT_EQ(dm.Ayar_Ds.value("PROG_SURUM").toString(), "s1.02.08");
        EXPECT_EQ(storedOnDisk(), "s1.02.08"); // committed at once
    }
    EXPECT_TRUE(dialogs.messages.empty());
}

// ---------------------------------------------------------------- network settings screen

namespace {

class ClosingMainWindow : public MainWindowLink {
public:
    int closed = 0;
    void setStatusLabel(const QString&) override {}
    void setAdminItemsVisible(bool) override {}
    void selectFirstNavigationNode() override {}
    void rebuildSpeedBar() override {}
    bool firstActivationDone() const override { return true; }
    void closeMainWindow() override { ++closed; }
};

// What is in Ayar.Ini on disk (not the store in memory).
QString savedValue(const QString& key)
{
    IniFile file(IniDir() + "Ayar.Ini");
    return file.readString(kAyarSection, key, "<missing>");
}

void writeSettings(const ConnectionSettings& s)
{
    s.store(FSAyar());
    ASSERT_TRUE(FSAyar().save());
}

class NetworkSettingsTest : public ::testing::Test {
protected:
    void SetUp() override { setMainWindow(&main); }
    void TearDown() override { setMainWindow(nullptr); }

    TempHome home;
    FakeDialogService dialogs;
    ClosingMainWindow main;
};

} // namespace


TEST_F(NetworkSettingsTest, OnShowFollowsTheMode)
{
    TK_IBAyarF form;
    form.show();
    const QColor face = form.palette().color(QPalette::Active, QPalette::Button);
    EXPECT_EQ(form.LabelBaslik->text(), "Network Ayarları");
    EXPECT_FALSE(form.CheckBox1->isChecked());
    EXPECT_FALSE(form.GroupBox1->isEnabled());
    EXPECT_EQ(form.Edit1->palette().color(QPalette::Base), face);
    EXPECT_EQ(form.ComboBox1->palette().color(QPalette::Base), face);
    EXPECT_TRUE(form.CheckBoxYerelSunucu->isEnabled());
    EXPECT_FALSE(form.CheckBoxYerelSunucu->isChecked());
    EXPECT_EQ(form.ComboBox1->currentText(), "TCP/IP");
    EXPECT_EQ(form.ComboBox1->count(), 3);
    EXPECT_TRUE(form.ComboBox1->isEditable());

    form.CheckBox1->setChecked(true);
    EXPECT_TRUE(form.GroupBox1->isEnabled());
    EXPECT_EQ(form.Edit1->palette().color(QPalette::Base), QColor(Qt::white));
    EXPECT_EQ(form.Edit2->palette().color(QPalette::Base), QColor(Qt::white));
    EXPECT_FALSE(form.CheckBoxYerelSunucu->isEnabled());

    writeSettings({false, "srv", "D:\\Data", "SPX", false});
    TK_IBAyarF client;
    client.show();
    EXPECT_TRUE(client.CheckBox1->isChecked());
    EXPECT_TRUE(client.GroupBox1->isEnabled());
    EXPECT_EQ(client.Edit1->text(), "srv");
    EXPECT_EQ(client.Edit2->text(), "D:\\Data");
    EXPECT_EQ(client.ComboBox1->currentText(), "SPX");
}

TEST_F(NetworkSettingsTest, ChecksTheClientFieldsInOrder)
{
    struct Case {
        QString server, folder, protocol, message;
    };
    const Case cases[] = {
        {"", "", "", "Server ismini girmelisiniz"},
        {"  ", "D:\\Data", "TCP/IP", "Server ismini girmelisiniz"},
        {"srv", "", "", "Veritabanı yolunu girmelisiniz"},
        {"srv", "D:\\Data", "", "İletişim protokolü ismini girmelisiniz"},
    };
    for (const Case& c : cases) {
        TK_IBAyarF form;
        form.show();
        form.CheckBox1->setChecked(true);
        form.Edit1->setText(c.server);
        form.Edit2->setText(c.folder);
        form.ComboBox1->setEditText(c.protocol);
        dialogs.messages.clear();
        EXPECT_FALSE(form.save());
        EXPECT_EQ(dialogs.lastText(), c.message);
        EXPECT_EQ(dialogs.messages.size(), 1u);
        EXPECT_TRUE(form.isVisible());
        EXPECT_FALSE(QFile::exists(IniDir() + "Ayar.Ini")) << "nothing saved";
    }

    TK_IBAyarF form;
    form.show();
    form.CheckBox1->setChecked(true);
    form.Edit1->setText("srv");
    form.Edit2->setText("/data/");
    form.ComboBox1->setEditText("NetBEUI");
    EXPECT_TRUE(form.save());
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(savedValue("ServerClient"), "False");
    EXPECT_EQ(savedValue("ServerAdi"), "srv");
    EXPECT_EQ(savedValue("DBYolu"), "/data/");
    EXPECT_EQ(savedValue("IletisimPrt"), "NetBEUI");
}

TEST_F(NetworkSettingsTest, WithTheBoxClearSavesEmptyServerFields)
{
    TK_IBAyarF form;
    form.show();
    form.Edit1->clear();
    form.Edit2->clear();
    form.ComboBox1->setEditText("");
    form.CheckBoxYerelSunucu->setChecked(true);
    EXPECT_TRUE(form.save());
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(savedValue("ServerClient"), "True");
    EXPECT_EQ(savedValue("ServerAdi"), "");
    EXPECT_EQ(savedValue("DBYolu"), "");
    EXPECT_EQ(savedValue("IletisimPrt"), "");
    EXPECT_EQ(savedValue("YerelSunucu"), "True");
}

TEST_F(NetworkSettingsTest, CloseNeedsTheSettingsFile)
{
    TK_IBAyarF form;
    form.show();
    form.Button3->click();
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(dialogs.lastText(), "Network ayarlarını yapmalısınız...");
    writeSettings(ConnectionSettings{});
    form.Button3->click();
    EXPECT_FALSE(form.isVisible());

    TK_IBAyarF other;
    other.show();
    other.Button1->click();
    EXPECT_EQ(main.closed, 1);
    EXPECT_FALSE(other.isVisible());
}

#include "connection_test.moc"
