#include "data/DataModule.h"
#include "data/LoginState.h"
#include "data/SettingsRecord.h"

#include <QComboBox>
#include <QDebug>

namespace {
TD_Genel* g_module = nullptr;
}

TD_Genel* D_Genel() { return g_module; }
void setD_Genel(TD_Genel* module) { g_module = module; }

bool needsMaintenance(int odsMajor, int odsMinor) { return odsMajor < 11 || (odsMajor == 11 && odsMinor < 1); }

TD_Genel::TD_Genel(QObject* parent)
    : QObject(parent),
      TR_KUSAK(DB_KUSAK),
      NewKodu_Tr(DB_KUSAK),
      Ayar_Ds(DB_KUSAK, TR_KUSAK),
      Kullanici_Ds(DB_KUSAK, TR_KUSAK),
      KullaniciAra_Ds(DB_KUSAK, TR_KUSAK),
      Kullanici_Q(DB_KUSAK, TR_KUSAK),
      Mesaj_Q(DB_KUSAK, TR_KUSAK),
      Kullanici_SQL(DB_KUSAK, TR_KUSAK)
{
    Ayar_Ds.setObjectName(QStringLiteral("Ayar_Ds"));
    Kullanici_Ds.setObjectName(QStringLiteral("Kullanici_Ds"));
    KullaniciAra_Ds.setObjectName(QStringLiteral("KullaniciAra_Ds"));
    Kullanici_Q.setObjectName(QStringLiteral("Kullanici_Q"));
    Mesaj_Q.setObjectName(QStringLiteral("Mesaj_Q"));
    DB_KUSAK.setDefaultTransaction(&TR_KUSAK);

    Ayar_Ds.setSelectSql(QStringLiteral("select * from AYAR"));
    Ayar_Ds.setEditable(QStringLiteral("AYAR"), QStringLiteral("BLAYARKODU"));
    Ayar_Ds.afterPost = [this](Dataset&) { commitRetaining(); };

    Kullanici_Ds.setSelectSql(QStringLiteral("SELECT * FROM PERSONEL"));
    Kullanici_Ds.setEditable(QStringLiteral("PERSONEL"), QStringLiteral("BLPERKODU"));

    KullaniciAra_Ds.setSelectSql(QStringLiteral("select * from PERSONEL"));
    KullaniciAra_Ds.setEditable(QStringLiteral("PERSONEL"), QStringLiteral("BLPERKODU"));
    KullaniciAra_Ds.afterPost = [this](Dataset&) { commitRetaining(); };

    DB_KUSAK.afterConnect = [this](fb::Database&) { checkStructure(); };
    if (!g_module)
        g_module = this;
    installSettingsRecordHandlers(*this);
}

TD_Genel::~TD_Genel()
{
    DB_KUSAK.forceClose();
    if (g_module == this)
        g_module = nullptr;
}

void TD_Genel::commitRetaining()
{
    if (TR_KUSAK.active())
        TR_KUSAK.commitRetaining();
}

void TD_Genel::rollbackRetaining()
{
    if (TR_KUSAK.active())
        TR_KUSAK.rollbackRetaining();
}

void TD_Genel::closeConnection() { DB_KUSAK.close(); }

void TD_Genel::FillUserNameLists(QComboBox* first, QComboBox* second)
{
    first->clear();
    first->addItem(QStringLiteral(" "));
    first->addItem(QStringLiteral("Yetkili"));
    Kullanici_Q.close();
    Kullanici_Q.setSql(QStringLiteral("SELECT USERNAME FROM PERSONEL\r\nORDER BY USERNAME"));
    Kullanici_Q.open();
    for (Kullanici_Q.first(); !Kullanici_Q.eof(); Kullanici_Q.next())
        first->addItem(Kullanici_Q.value(0).toString());
    Kullanici_Q.close();
    if (second) {
        second->clear();
        for (int i = 0; i < first->count(); ++i)
            second->addItem(first->itemText(i));
    }
}

void TD_Genel::checkStructure()
{
    const fb::OdsVersion v = DB_KUSAK.odsVersion();
    if (!needsMaintenance(v.major, v.minor))
        return;
    if (!structureCheckEnabled) {
        qWarning("Veritabanı yapı sürümü %d.%d: bakım gerekiyor.", v.major, v.minor);
        return;
    }
    if (Login().serverMode)
        emit maintenanceNeededServer();
    else
        emit maintenanceNeededClient();
}
