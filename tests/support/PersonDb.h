#pragma once
// A fresh embedded database of the current structure in a fresh program folder, with the data
// module connected to it as after an administrator login (settings row open, "Yetkili").
#include "TestSupport.h"

#include <QString>
#include <QVariant>

#include <memory>

class TD_Genel;

class PersonDb {
public:
    PersonDb();
    ~PersonDb();

    TD_Genel& module() { return *m_module; }
    QString databasePath() const { return m_dbPath; }
    TempHome& home() { return m_home; }

    // Inserts a person (committed) and returns its key. gender: "0" man, "1" woman.
    qint64 addPerson(const QString& ad, const QString& soyad, const QString& gender,
                     qint64 father = 0, qint64 mother = 0, qint64 spouse = 0);
    // Runs one statement on the module's connection and commits keeping the transaction open.
    void exec(const QString& sql);
    // The first column of the first row of a select, read through a second connection, so it
    // shows only committed data (what another workstation sees).
    QVariant committedValue(const QString& sql);

private:
    TempHome m_home;
    QString m_dbPath;
    std::unique_ptr<TD_Genel> m_module;
};
