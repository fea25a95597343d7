#pragma once
// A small person table in an embedded database, a dataset on it and a data grid on a form
// named "F_TestF", for the grid tests.
#include "controls/ZYRXDBGrid.h"
#include "data/Dataset.h"
#include "fb/Firebird.h"
#include "TestSupport.h"

#include <QObject>
#include <QStringList>
#include <QUrl>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

// Records what ShellOpen hands to the desktop instead of opening it.
class GridUrlRecorder : public QObject {
    Q_OBJECT
public:
    GridUrlRecorder();
    ~GridUrlRecorder() override;
    QStringList opened;
public slots:
    void open(const QUrl& url);
};

class GridFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The design columns: ID "No", AD "Adı", SOYAD "Soyadı", NOTLAR "Notlar", DOG "Doğum Tar.".
    void defineColumns();
    QString iniDir() const;
    static QByteArray readAll(const QString& path);
    static void writeAll(const QString& path, const QByteArray& data);
    QStringList fieldOrder() const;

    TempHome home;
    fb::Database db;
    fb::Transaction tr{db};
    std::unique_ptr<Dataset> ds;
    std::unique_ptr<QWidget> form;
    TZYRXDBGrid* grid = nullptr;
};
