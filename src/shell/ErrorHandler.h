#pragma once
// The application-wide error handler: every error that escapes an event handler ends here.
// It logs the message to Hata.Ini, recognises the database, network and permission errors
// by their wording (Firebird 2.x and 3 alike), explains them in Turkish and takes the recovery
// step the main window supplies.
#include <QString>

#include <functional>

namespace fb {
class Database;
}

// Explanation of the network, lock, password and file errors; empty for any other message.
QString HataMesajBul(const QString& message);
// Explanation of a primary or unique key violation, with the table and field read from the
// system tables of db when it is connected.
QString UNIQUEMesajBul(const QString& message, fb::Database* db);

// Appends "date time - message" to IniDir + "Hata.Ini", keeping at most 751 lines.
void WriteErrorLog(const QString& message);

// Recovery steps of the main window; a missing one is skipped.
struct ErrorHandlerHooks {
    std::function<void()> hidePleaseWait;
    std::function<void()> closeConnection;      // normal close
    std::function<void()> forceCloseConnection; // force closed, every dataset closed
    std::function<void()> showNetworkSettings;  // modal
    std::function<void()> rerunLoginOnShow;
    std::function<void()> closeMainWindow;
};

class ErrorHandler {
public:
    explicit ErrorHandler(ErrorHandlerHooks hooks = {}, fb::Database* db = nullptr)
        : m_hooks(std::move(hooks)), m_db(db) {}

    void setHooks(ErrorHandlerHooks hooks) { m_hooks = std::move(hooks); }
    const ErrorHandlerHooks& hooks() const { return m_hooks; }
    void setDatabase(fb::Database* db) { m_db = db; }
    fb::Database* database() const { return m_db; }

    void handle(const QString& message);
    // Inside a catch block: reports the exception being handled; a silent abort is ignored.
    void handleCurrentException();

    // The handler of the running program (the main window installs it; not owned). Without
    // one, a handler without recovery steps reports the error.
    static void install(ErrorHandler* handler);
    static ErrorHandler& current();

private:
    void recover(const std::function<void()>& hook);

    ErrorHandlerHooks m_hooks;
    fb::Database* m_db = nullptr;
};
