#include "TestSupport.h"

#include "fb/Firebird.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTcpSocket>
#include <QTest>
#include <QUuid>

#include <cstdlib>
#include <sys/stat.h>

TempHome::TempHome()
{
    m_hadOld = qEnvironmentVariableIsSet("TAVRION_HOME");
    m_old = qgetenv("TAVRION_HOME");
    qputenv("TAVRION_HOME", m_dir.path().toLocal8Bit());
}

TempHome::~TempHome()
{
    if (m_hadOld)
        qputenv("TAVRION_HOME", m_old);
    else
        qunsetenv("TAVRION_HOME");
}

QString TempHome::path() const { return m_dir.path() + QLatin1Char('/'); }

FakeDialogService::FakeDialogService() { DialogService::setInstance(this); }
FakeDialogService::~FakeDialogService() { DialogService::setInstance(nullptr); }

MsgButton FakeDialogService::message(QWidget*, const MessageRequest& request)
{
    messages.push_back(request);
    if (onMessage)
        onMessage(request);
    if (!answers.empty()) {
        const MsgButton b = answers.front();
        answers.pop_front();
        return b;
    }
    if (request.defaultButton != MbNone)
        return request.defaultButton;
    for (MsgButton b : {MbYes, MbOk, MbNo, MbCancel})
        if (request.buttons & b)
            return b;
    return MbOk;
}

QString FakeDialogService::openFile(QWidget*, const FileRequest&)
{
    if (files.empty())
        return {};
    const QString f = files.front();
    files.pop_front();
    return f;
}

QString FakeDialogService::saveFile(QWidget* p, const FileRequest& r) { return openFile(p, r); }

QString FakeDialogService::chooseDirectory(QWidget* p, const QString&, const QString&) { return openFile(p, {}); }

QColor FakeDialogService::chooseColor(QWidget*, const QColor&)
{
    if (colors.empty())
        return {};
    const QColor c = colors.front();
    colors.pop_front();
    return c;
}

bool FakeDialogService::chooseFont(QWidget*, QFont&)
{
    if (fonts.empty())
        return false;
    const bool b = fonts.front();
    fonts.pop_front();
    return b;
}

bool FakeDialogService::anyTextContains(const QString& fragment) const
{
    for (const auto& m : messages)
        if (m.text.contains(fragment))
            return true;
    return false;
}

namespace testenv {

QString adminPassword()
{
    const QString env = qEnvironmentVariable("TAVRION_FB_ADMIN_PASSWORD");
    if (!env.isEmpty())
        return env;
    QFile f(sourcePath(QStringLiteral("build/fb-admin.env")));
    if (f.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : f.readAll().split('\n'))
            if (line.startsWith("TAVRION_FB_ADMIN_PASSWORD="))
                return QString::fromUtf8(line.mid(int(sizeof("TAVRION_FB_ADMIN_PASSWORD=")) - 1)).trimmed();
    }
    QFile sys(QStringLiteral("/etc/firebird/3.0/SYSDBA.password"));
    if (sys.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : sys.readAll().split('\n'))
            if (line.startsWith("ISC_PASSWORD="))
                return QString::fromUtf8(line.mid(13)).remove(QLatin1Char('"')).trimmed();
    }
    return {};
}

bool serverAvailable()
{
    QTcpSocket s;
    s.connectToHost(QStringLiteral("127.0.0.1"), 3050);
    return s.waitForConnected(2000);
}

QString serverScratchDir()
{
    static QString dir;
    if (dir.isEmpty()) {
        dir = QDir::tempPath() + QStringLiteral("/tavrion-srv-") + QUuid::createUuid().toString(QUuid::Id128).left(12);
        QDir().mkpath(dir);
        ::chmod(QFile::encodeName(dir).constData(), 01777);
        std::atexit([] { QDir(dir).removeRecursively(); });
    }
    return dir;
}

QString sourcePath(const QString& relative)
{
    QString root = qEnvironmentVariable("TAVRION_SOURCE_DIR");
    if (root.isEmpty())
        root = QStringLiteral(TAVRION_SOURCE_DIR_FALLBACK);
    return root + QLatin1Char('/') + relative;
}


bool waitUntil(const std::function<bool()>& done, int ms)
{
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > ms)
            return false;
        QTest::qWait(10);
    }
    return true;
}

void executeStatements(const QString& database, const QStringList& params, const QStringList& statements,
                       bool ignoreErrors)
{
    fb::Database db;
    db.setDatabaseName(database);
    db.setParams(params);
    db.open();
    fb::Transaction tr(db);
    for (const QString& sql : statements) {
        try {
            db.executeImmediate(tr, sql);
            tr.commitRetaining();
        } catch (const fb::Error&) {
            if (!ignoreErrors)
                throw;
            // User management fails at commit; drop what the statement left pending.
            tr.rollbackRetaining();
        }
    }
    tr.commit();
    db.close();
}
} // namespace testenv
