#pragma once
// The shared data module: the one connection DB_KUSAK, its default transaction TR_KUSAK, and
// the datasets several screens share.
#include "data/Dataset.h"
#include "fb/Firebird.h"

#include <QObject>

#include <memory>

class QComboBox;

inline const QString DatabaseFileName = QStringLiteral("KUSAK.FDB");

class TD_Genel : public QObject {
    Q_OBJECT
public:
    explicit TD_Genel(QObject* parent = nullptr);
    ~TD_Genel() override;

    fb::Database DB_KUSAK;
    fb::Transaction TR_KUSAK;
    fb::Transaction NewKodu_Tr;
    Dataset Ayar_Ds;
    Dataset Kullanici_Ds;
    Dataset KullaniciAra_Ds;
    Dataset Kullanici_Q;
    Dataset Mesaj_Q;
    fb::Statement Kullanici_SQL;

    bool connected() const { return DB_KUSAK.connected(); }
    // Commit of TR_KUSAK that keeps it open, as after every post and delete.
    void commitRetaining();
    void rollbackRetaining();
    // Closes every dataset and the connection.
    void closeConnection();

    // " ", "Yetkili", then every USERNAME of PERSONEL; the second box gets the same items.
    void FillUserNameLists(QComboBox* first, QComboBox* second);

    // Set while the main window exists; until then the structure check only logs.
    bool structureCheckEnabled = false;

signals:
    // The connected database is older than on-disk structure 11.1.
    void maintenanceNeededServer();
    void maintenanceNeededClient();

private:
    void checkStructure();
};

// The program's data module; created at start-up before the main window.
TD_Genel* D_Genel();
void setD_Genel(TD_Genel* module);

// Databases older than on-disk structure 11.1 need maintenance.
bool needsMaintenance(int odsMajor, int odsMinor);
