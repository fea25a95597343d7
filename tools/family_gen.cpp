// Fills a database with a made-up family for trying out and timing the person screens.
//
//   family_gen <database> [persons] [seed]
//
// persons defaults to 1000, seed to 1. A database file that does not exist is created empty
// first. The embedded engine is used (user SYSDBA); the time taken is printed.
#include "data/Schema.h"
#include "fb/Firebird.h"
#include "persons/FamilyGenerator.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>

#include <cstdio>
#include <exception>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2 || args.size() > 4) {
        std::fprintf(stderr, "kullanım: family_gen <veri tabanı> [kişi sayısı] [tohum]\n");
        return 2;
    }
    bool okCount = true, okSeed = true;
    const QString path = QFileInfo(args.at(1)).absoluteFilePath();
    const int count = args.size() > 2 ? args.at(2).toInt(&okCount) : 1000;
    const quint32 seed = args.size() > 3 ? args.at(3).toUInt(&okSeed) : 1u;
    if (!okCount || count < 0 || !okSeed) {
        std::fprintf(stderr, "Kişi sayısı ve tohum pozitif tam sayı olmalı.\n");
        return 2;
    }
    const QStringList params = {QStringLiteral("user_name=SYSDBA"), QStringLiteral("password=masterkey"),
                                QStringLiteral("lc_ctype=WIN1254")};
    try {
        QElapsedTimer timer;
        timer.start();
        if (!QFileInfo::exists(path))
            createEmptyDatabase(path, params);
        const qint64 created = timer.restart();
        fb::Database db;
        db.setDatabaseName(path);
        db.setParams(params);
        db.open();
        fb::Transaction tr(db);
        const int written = GenerateFamily(db, tr, count, seed);
        tr.commit();
        db.close();
        std::printf("%d kişi yazıldı (tohum %u): %lld ms; veri tabanı hazırlığı %lld ms\n", written, seed,
                    static_cast<long long>(timer.elapsed()), static_cast<long long>(created));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "Hata: %s\n", e.what());
        return 1;
    }
    return 0;
}
