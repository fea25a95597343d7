#pragma once
// Shared test helpers: a fresh program folder per test, the scripted dialog service, the
// local server's administrator password and scratch databases.
#include "shell/DialogService.h"

#include <QString>
#include <QTemporaryDir>

#include <deque>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

// Points TAVRION_HOME at a fresh temporary folder for its lifetime.
class TempHome {
public:
    TempHome();
    ~TempHome();
    QString path() const;  // with trailing '/'
private:
    QTemporaryDir m_dir;
    QByteArray m_old;
    bool m_hadOld;
};

// Records every dialog and answers from the scripted queues; an unscripted message is
// answered with its default button, an unscripted file dialog with an empty name.
class FakeDialogService : public DialogService {
public:
    FakeDialogService();
    ~FakeDialogService() override;

    std::vector<MessageRequest> messages;
    std::deque<MsgButton> answers;
    std::deque<QString> files;
    std::deque<QColor> colors;
    std::deque<bool> fonts;
    // Runs before a message is answered (for example to check what is on screen).
    std::function<void(const MessageRequest&)> onMessage;

    MsgButton message(QWidget* parent, const MessageRequest& request) override;
    QString openFile(QWidget* parent, const FileRequest& request) override;
    QString saveFile(QWidget* parent, const FileRequest& request) override;
    QString chooseDirectory(QWidget* parent, const QString& caption, const QString& start) override;
    QColor chooseColor(QWidget* parent, const QColor& initial) override;
    bool chooseFont(QWidget* parent, QFont& font) override;

    QString lastText() const { return messages.empty() ? QString() : messages.back().text; }
    bool anyTextContains(const QString& fragment) const;
};

namespace testenv {
// Administrator password of the local server (build/fb-admin.env or TAVRION_FB_ADMIN_PASSWORD).
QString adminPassword();
// True when the server answers on 127.0.0.1:3050.
bool serverAvailable();
// A folder the server process (user firebird) may create files in; removed at exit.
QString serverScratchDir();
// Path of a file in the source tree (tests/fixtures/...).
QString sourcePath(const QString& relative);
// Lets the event loop run until done() holds; false after ms milliseconds.
bool waitUntil(const std::function<bool()>& done, int ms = 30000);
// Runs statements on a database of their own connection, committing after each; with
// ignoreErrors a failing statement is rolled back and the rest still run.
void executeStatements(const QString& database, const QStringList& params, const QStringList& statements,
                       bool ignoreErrors = false);
} // namespace testenv
