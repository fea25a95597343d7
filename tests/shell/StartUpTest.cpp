// Start-up: client library check, single instance, program folders, splash and please-wait window.
#include "TestSupport.h"

#include "shell/AppPaths.h"
#include "shell/GeneralRoutines.h"
#include "shell/IslemU.h"
#include "shell/ProgramIdentity.h"
#include "shell/SplashU.h"
#include "shell/StartUp.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLockFile>
#include <QProcess>
#include <QProgressBar>
#include <QScreen>
#include <QTemporaryDir>

TEST(ClientLibrary, VersionAcceptance)
{
    const struct {
        const char* version;
        bool accepted;
    } cases[] = {
        {"2.1.3.18185", true},  {"2.5.2.26539", true}, {"WI-V2.5.1.26351", true},
        {"12.5.1", true},       // a plain substring test: "2.5." anywhere
        {"2.1.30.1", true},     // likewise "2.1.3"
        {"3.0.11.33703", true}, {"4.0.4.3010", true},  {"5.0.0.1306", true}, {"3", true},
        {"2.1.2.18118", false}, {"2.0.5.13206", false}, {"1.5.6.5026", false}, {"", false},
        {"abc", false},         {"0.3.1", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(clientVersionAccepted(QString::fromLatin1(c.version)), c.accepted) << c.version;
}

TEST(ClientLibrary, RefusalShowsMessageAndReportsFailure)
{
    TempHome home;
    FakeDialogService dialogs;
    EXPECT_FALSE(CheckClientLibrary(QString()));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    const MessageRequest& m = dialogs.messages[0];
    EXPECT_EQ(m.text, QStringLiteral("Uyumsuz firebird sürümü : \r\nKullanılan Sürüm : \r\nGerekli Sürüm : 2.1.3.xxxx"));
    EXPECT_EQ(m.caption, QStringLiteral("Bilgi"));
    EXPECT_EQ(m.buttons, int(MbOk));

    dialogs.messages.clear();
    EXPECT_FALSE(CheckClientLibrary(QStringLiteral("2.0.5.13206")));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].text.contains(QStringLiteral("Kullanılan Sürüm : 2.0.5.13206\r\n")));
}

TEST(ClientLibrary, InstalledClientIsAcceptedSilently)
{
    FakeDialogService dialogs;
    const QString version = GetProductVersion();
    EXPECT_FALSE(version.isEmpty());
    EXPECT_TRUE(CheckClientLibrary()) << version.toStdString();
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST(ShellOpenTest, MissingFileOnlyReturnsFalse)
{
    TempHome home;
    FakeDialogService dialogs;
    EXPECT_FALSE(ShellOpen(home.path() + QStringLiteral("FIREBIRD2_1KURULUM.TXT")));
    EXPECT_FALSE(ShellOpen(QString()));
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST(ShellOpenTest, UrlsAndPaths)
{
    EXPECT_EQ(shellUrl(QStringLiteral("mailto:bilgi@mervaton.com")).scheme(), QStringLiteral("mailto"));
    EXPECT_EQ(shellUrl(QStringLiteral("https://www.mervaton.com/a")).toString(), QStringLiteral("https://www.mervaton.com/a"));
    const QUrl file = shellUrl(QStringLiteral("/tmp/Kurulum Notları.txt"));
    EXPECT_TRUE(file.isLocalFile());
    EXPECT_EQ(file.toLocalFile(), QStringLiteral("/tmp/Kurulum Notları.txt"));
    // A drive letter is no URL scheme.
    EXPECT_TRUE(shellUrl(QStringLiteral("C:/yardim.chm")).isLocalFile());
}

// ---------------------------------------------------------------- single instance

namespace {
// The text a QLockFile of this process writes, with its first line (the owner's pid) replaced.
QByteArray lockContentWithPid(const QString& folder, qint64 pid)
{
    const QString probe = folder + QStringLiteral("/probe.lock");
    QLockFile lock(probe);
    EXPECT_TRUE(lock.tryLock(0));
    QFile f(probe);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    QByteArray content = f.readAll();
    f.close();
    lock.unlock();
    const int nl = int(content.indexOf('\n'));
    return QByteArray::number(pid) + content.mid(nl);
}

void writeFile(const QString& path, const QByteArray& content)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(content);
}
} // namespace

TEST(SingleInstanceTest, SecondCopyIsRefusedUntilFirstEnds)
{
    QTemporaryDir dir;
    FakeDialogService dialogs;
    auto first = std::make_unique<SingleInstance>(QString(), dir.path());
    EXPECT_TRUE(QFileInfo(first->lockFilePath()).fileName().startsWith(QStringLiteral("Tavrion")));
    ASSERT_TRUE(EnsureSingleInstance(*first));
    EXPECT_TRUE(dialogs.messages.empty());

    SingleInstance second(QString(), dir.path());
    EXPECT_FALSE(EnsureSingleInstance(second));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("MERVATON Tavrion şu an sistemde çalışmaktadır!.."));
    EXPECT_EQ(dialogs.messages[0].caption, QGuiApplication::applicationDisplayName() + QStringLiteral(" - Bilgi"));
    EXPECT_EQ(dialogs.messages[0].icon, MsgIcon::Information);

    first.reset(); // the first copy ends
    SingleInstance third(QString(), dir.path());
    EXPECT_TRUE(EnsureSingleInstance(third));
    EXPECT_EQ(dialogs.messages.size(), 1u);
}

TEST(SingleInstanceTest, LockOfCrashedCopyIsTakenOver)
{
    QTemporaryDir dir;
    QProcess gone;
    gone.start(QStringLiteral("true"), {});
    ASSERT_TRUE(gone.waitForStarted());
    const qint64 deadPid = gone.processId();
    ASSERT_TRUE(gone.waitForFinished());

    SingleInstance instance(QString(), dir.path());
    writeFile(instance.lockFilePath(), lockContentWithPid(dir.path(), deadPid));
    EXPECT_TRUE(instance.tryAcquire());
    EXPECT_TRUE(instance.owned());
}

TEST(SingleInstanceTest, LongRunningCopyKeepsItsLock)
{
    // A copy that has run for an hour still owns its lock: age alone makes no lock stale.
    QTemporaryDir dir;
    SingleInstance instance(QString(), dir.path());
    writeFile(instance.lockFilePath(), lockContentWithPid(dir.path(), QCoreApplication::applicationPid()));
    QFile f(instance.lockFilePath());
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime));
    f.close();
    EXPECT_FALSE(instance.tryAcquire());
}

TEST(SingleInstanceTest, UnusableLockFolderDoesNotBlockStart)
{
    QTemporaryDir dir;
    const QString notAFolder = dir.filePath(QStringLiteral("plain-file"));
    writeFile(notAFolder, "x");
    SingleInstance instance(QString(), notAFolder);
    EXPECT_TRUE(instance.tryAcquire());
    EXPECT_FALSE(instance.owned());
}

// ---------------------------------------------------------------- folders and identity

TEST(ProgramFolders, IniDirCreatesItsParentsDataDirCreatesNothing)
{
    TempHome home;
    EXPECT_EQ(ProgramDir(), home.path());
    EXPECT_EQ(DataDir(), home.path() + QStringLiteral("Data/"));
    EXPECT_FALSE(QFileInfo::exists(home.path() + QStringLiteral("Data")));

    EXPECT_EQ(IniDir(), home.path() + QStringLiteral("Data/Ini/"));
    EXPECT_TRUE(QFileInfo(home.path() + QStringLiteral("Data")).isDir());
    EXPECT_TRUE(QFileInfo(home.path() + QStringLiteral("Data/Ini")).isDir());

    // Removed while the program runs: asked for again, it is there again.
    QDir(home.path() + QStringLiteral("Data")).removeRecursively();
    IniDir();
    EXPECT_TRUE(QFileInfo(home.path() + QStringLiteral("Data/Ini")).isDir());
}

TEST(ProgramIdentityTest, DisplayVersion)
{
    EXPECT_EQ(ProgramIdentity::displayVersion(), QStringLiteral("s1.02.08f"));
    EXPECT_EQ(ProgramIdentity::displayVersion(QStringLiteral("s1.02.08b03"), QStringLiteral("f")),
              QStringLiteral("s1.02.08f (Beta-03)"));
    EXPECT_EQ(ProgramIdentity::displayVersion(QStringLiteral("s1.02.08b3"), QStringLiteral("f")), QStringLiteral("s1.02.08f"));
    EXPECT_EQ(ProgramIdentity::displayVersion(QStringLiteral("s1.02.08b033"), QStringLiteral("f")), QStringLiteral("s1.02.08f"));
}

// ---------------------------------------------------------------- splash and please-wait window

namespace {
QPoint screenCentred(const QSize& size)
{
    const QRect g = QGuiApplication::primaryScreen()->geometry();
    return {g.x() + (g.width() - size.width()) / 2, g.y() + (g.height() - size.height()) / 2};
}
} // namespace

TEST(Splash, Layout)
{
    TSplashF splash;
    EXPECT_EQ(splash.objectName(), QStringLiteral("SplashF"));
    EXPECT_EQ(splash.size(), QSize(442, 200));
    EXPECT_TRUE(splash.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(splash.pos(), screenCentred(splash.size()));
    EXPECT_EQ(splash.findChild<QLabel*>(QStringLiteral("LabelPrg"))->text(), QStringLiteral("Tavrion"));
    EXPECT_EQ(splash.findChild<QLabel*>(QStringLiteral("LabelSrm"))->text(), QStringLiteral("s1.02.08f"));
    auto* gauge = splash.findChild<QProgressBar*>(QStringLiteral("Gauge1"));
    ASSERT_NE(gauge, nullptr);
    EXPECT_EQ(gauge->maximum(), 3);
    EXPECT_EQ(gauge->value(), 0);
    EXPECT_FALSE(gauge->isTextVisible());
}

TEST(Splash, StartUpStepsMoveTheGaugeAndFreeTheSplash)
{
    std::vector<int> seen;
    RunWithSplash(
        [&] {
            ASSERT_NE(SplashF, nullptr);
            EXPECT_TRUE(SplashF->isVisible());
            seen.push_back(SplashF->Gauge1->value());
        },
        [&] { seen.push_back(SplashF->Gauge1->value()); }, 0);
    EXPECT_EQ(seen, (std::vector<int>{1, 2}));
    EXPECT_EQ(SplashF, nullptr);

    // A failing creation step reaches the caller and leaves no splash behind.
    EXPECT_THROW(RunWithSplash([] {}, [] { throw std::runtime_error("AnaF"); }, 0), std::runtime_error);
    EXPECT_EQ(SplashF, nullptr);
}

TEST(PleaseWait, CaptionIsRefreshedOnEveryShow)
{
    QString caption = QStringLiteral("MERVATON Tavrion s1.02.08f");
    SetMainWindowCaptionSource([&] { return caption; });
    {
        TIslemF w;
        EXPECT_EQ(w.objectName(), QStringLiteral("IslemF"));
        EXPECT_EQ(w.size(), QSize(286, 131));
        EXPECT_TRUE(w.windowFlags() & Qt::FramelessWindowHint);
        EXPECT_TRUE(w.windowFlags() & Qt::WindowStaysOnTopHint);
        EXPECT_FALSE(w.isEnabled());
        EXPECT_EQ(w.Label2->text(), QStringLiteral("Lütfen Bekleyiniz..."));

        w.show();
        EXPECT_EQ(w.Label1->text(), caption);
        EXPECT_EQ(w.pos(), screenCentred(w.size()));
        w.hide();
        caption = QStringLiteral("MERVATON Tavrion s1.02.08f - [YETKILI]");
        w.show();
        EXPECT_EQ(w.Label1->text(), caption);
    }
    SetMainWindowCaptionSource(nullptr);
    EXPECT_EQ(MainWindowCaption(), ProgramIdentity::mainCaption());
}
