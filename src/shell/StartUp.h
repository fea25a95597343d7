#pragma once
// Start-up checks: the database client library, one running copy, opening files with the
// desktop's default handler.
#include <QLockFile>
#include <QString>
#include <QUrl>

#include <memory>

// Asks the desktop to open file (a path, or a URL such as "mailto:..." or "https://...").
// A missing local file only returns false. Parameters are handed on only when file is a
// program; documents go to their default handler, which takes none.
bool ShellOpen(const QString& file, const QString& parameters = QString());
// The URL ShellOpen hands to the desktop for file.
QUrl shellUrl(const QString& file);

// Version of the Firebird client library in use, for example "3.0.11.33703"; empty when the
// library does not report one.
QString GetProductVersion();

// True for versions containing "2.1.3" or "2.5." and for every client of major version 3 or later.
bool clientVersionAccepted(const QString& version);
// The refusal text for an unsuitable client library.
QString clientVersionMessage(const QString& version);
// Checks the client library in use; when it does not fit, shows the refusal (caption "Bilgi"),
// opens ProgramDir + "FIREBIRD2_1KURULUM.TXT" and returns false: the program must end.
bool CheckClientLibrary();
bool CheckClientLibrary(const QString& version);

// One running copy per user: a lock file named after the product in the user's runtime folder
// (or the temporary folder). The lock is held for the object's lifetime; a lock left behind by a
// copy that crashed is taken over.
class SingleInstance {
public:
    explicit SingleInstance(const QString& name = QString(), const QString& folder = QString());
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True when this copy may run (it holds the lock now, or the lock cannot be used at all).
    bool tryAcquire();
    bool owned() const { return m_owned; }
    QString lockFilePath() const { return m_path; }

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
    bool m_owned = false;
};

// tryAcquire, and when another copy runs: ShowInfo("MERVATON Tavrion şu an sistemde
// çalışmaktadır!..") and false (the program must end).
bool EnsureSingleInstance(SingleInstance& instance);
