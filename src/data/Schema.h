#pragma once
// The structure of the database: the script of the empty database delivered with the program
// and the upgrades that bring an older database up to date when the server workstation logs in.
#include <QString>
#include <QStringList>

#include <vector>

namespace fb {
class Database;
class Transaction;
} // namespace fb

// Statements that build the empty database, in the order they run. The result already has the
// structure the upgrades produce, so UpdateKontrol finds nothing to do on it.
QStringList emptyDatabaseScript();

// Creates the database file and runs the script, committing after every statement. A file
// left half-built by a failure is removed (when it is a local file) before the error is thrown.
void createEmptyDatabase(const QString& databaseName, const QStringList& params);

// One upgrade: lines[0] is the probe, which fails exactly when the upgrade is still missing.
struct UpgradeScript {
    QString name;
    QStringList lines;
};

// The upgrades, oldest first: "Memo1020201", "Memo1020301", "Memo1020401".
const std::vector<UpgradeScript>& upgradeScripts();

struct UpgradeFailure {
    QString script;
    QString statement;
    QString error;
};

// What one run did: the scripts whose probe failed (so their statements ran) and the
// statements that failed and were skipped. Nothing here is shown to the user.
struct UpgradeReport {
    QStringList scriptsRun;
    std::vector<UpgradeFailure> failures;
};

// Runs every upgrade whose probe fails. The upgrade statements run in a transaction of their
// own; the probes run in queryTransaction (the connection's default transaction when null).
UpgradeReport UpdateKontrol(fb::Database& db, fb::Transaction* queryTransaction = nullptr);
