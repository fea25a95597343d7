// Start-up: client library check, one running copy, splash while the data module and the main
// window are created, then the message loop. The login runs at the main window's first activation.
#include "data/DataModule.h"
#include "shell/AnaFormU.h"
#include "shell/Application.h"
#include "shell/ProgramIdentity.h"
#include "shell/SplashU.h"
#include "shell/StartUp.h"

#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QLibraryInfo>
#include <QScreen>
#include <QStandardPaths>
#include <QTranslator>

#include <cstdio>
#include <memory>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

QElapsedTimer g_clock;

bool envFlag(const char* name) { return qEnvironmentVariable(name) == QLatin1String("1"); }

// Firebird's embedded engine keeps its lock files in /tmp/firebird, which the server package
// creates for its own user only. An ordinary user gets a private lock folder instead, set
// before the client library starts the engine.
void chooseFirebirdLockFolder()
{
#ifdef Q_OS_UNIX
    if (qEnvironmentVariableIsSet("FIREBIRD_LOCK"))
        return;
    const QByteArray shared("/tmp/firebird");
    if (::access(shared.constData(), W_OK | X_OK) == 0)
        return;
    QString base = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (base.isEmpty())
        base = QDir::tempPath() + QStringLiteral("/tavrion-") + QString::number(::getuid());
    const QString folder = base + QStringLiteral("/tavrion-firebird");
    if (!QDir().mkpath(folder))
        return;
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("FIREBIRD_LOCK", QFile::encodeName(folder));
#endif
}

void loadQtTranslation(QCoreApplication& app)
{
    auto* translator = new QTranslator(&app);
    if (translator->load(QLocale(QLocale::Turkish, QLocale::Turkey), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(translator);
    else
        delete translator;
}

// Reports, once, how long the program took to put the login window on screen.
class LoginShownTimer : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && watched->objectName() == QLatin1String("K_PasswordF")) {
            std::fprintf(stderr, "tavrion: giriş penceresi %lld ms\n", static_cast<long long>(g_clock.elapsed()));
            std::fflush(stderr);
            qApp->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }
};

void timing(const char* step)
{
    if (envFlag("TAVRION_STARTUP_TIMING"))
        std::fprintf(stderr, "tavrion: %s %lld ms\n", step, static_cast<long long>(g_clock.elapsed()));
}

} // namespace

int main(int argc, char** argv)
{
    g_clock.start();
    TavrionApplication app(argc, argv);
    chooseFirebirdLockFolder();
    loadQtTranslation(app);
    if (envFlag("TAVRION_STARTUP_TIMING"))
        app.installEventFilter(new LoginShownTimer(&app));

    if (!CheckClientLibrary())
        return 0;
    timing("istemci kitaplığı");
    SingleInstance instance;
    if (!EnsureSingleInstance(instance))
        return 0;

    QCoreApplication::setApplicationName(ProgramIdentity::ApplicationTitle);
    QGuiApplication::setApplicationDisplayName(ProgramIdentity::ApplicationTitle);
    QGuiApplication::setWindowIcon(QIcon(ProgramIconPixmap(32)));

    std::unique_ptr<TD_Genel> dataModule;
    std::unique_ptr<TAnaF> mainWindow;
    RunWithSplash([&] { dataModule = std::make_unique<TD_Genel>(); timing("veri modülü"); },
                  [&] { mainWindow = std::make_unique<TAnaF>(); timing("ana pencere"); },
                  envFlag("TAVRION_NO_SPLASH_DELAY") ? 0 : 1500);
    timing("açılış penceresi kapandı");

    // The program ends with its main window, whatever other windows are still open.
    QObject::connect(mainWindow.get(), &TAnaF::closed, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    // Without a window manager nothing maximises the window; it starts at the screen's size then.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        mainWindow->setGeometry(screen->availableGeometry());
    mainWindow->showMaximized();
    const int rc = app.exec();
    mainWindow.reset();
    dataModule.reset();
    return rc;
}
