#include "PersonDb.h"

#include "SchemaFixtures.h"
#include "data/DataModule.h"
#include "data/LoginState.h"
#include "data/Schema.h"
#include "data/SqlText.h"
#include "fb/Firebird.h"

PersonDb::PersonDb()
{
    m_dbPath = m_home.path() + QStringLiteral("KUSAK.FDB");
    createEmptyDatabase(m_dbPath, fixtures::embeddedParams());
    m_module = std::make_unique<TD_Genel>();
    setD_Genel(m_module.get());
    m_module->DB_KUSAK.setDatabaseName(m_dbPath);
    m_module->DB_KUSAK.setParams(fixtures::embeddedParams());
    m_module->DB_KUSAK.open();
    m_module->Ayar_Ds.open();
    Login() = LoginState{};
    Login().currentUser = QStringLiteral("Yetkili");
    Login().currentUserFirstName = QStringLiteral("Yetkili");
    Login().serverMode = true;
}

PersonDb::~PersonDb()
{
    m_module->closeConnection();
    setD_Genel(nullptr);
}

void PersonDb::exec(const QString& sql)
{
    fb::Statement st(m_module->DB_KUSAK, m_module->TR_KUSAK);
    st.prepare(sql);
    st.execute();
    m_module->commitRetaining();
}

qint64 PersonDb::addPerson(const QString& ad, const QString& soyad, const QString& gender, qint64 father,
                           qint64 mother, qint64 spouse)
{
    fb::Statement gen(m_module->DB_KUSAK, m_module->TR_KUSAK);
    gen.prepare(QStringLiteral("SELECT GEN_ID(KISI_GEN, 1) FROM RDB$DATABASE"));
    gen.execute();
    gen.fetch();
    const qint64 key = gen.value(0).toLongLong();
    gen.closeCursor();
    auto link = [](qint64 k) { return k > 0 ? QString::number(k) : QStringLiteral("NULL"); };
    exec(QStringLiteral("INSERT INTO KISI (BLKISIKODU, KISI_KOD, AD, SOYAD, CINSIYET, BABA_KOD, ANNE_KOD, ES_KOD, KAYDEDEN) "
                        "VALUES (%1, %2, %3, %4, %5, %6, %7, %8, 'Yetkili')")
             .arg(key)
             .arg(QuotedStr(QStringLiteral("T%1").arg(key)), QuotedStr(ad), QuotedStr(soyad), QuotedStr(gender),
                  link(father), link(mother), link(spouse)));
    return key;
}

QVariant PersonDb::committedValue(const QString& sql)
{
    fb::Database db;
    db.setDatabaseName(m_dbPath);
    db.setParams(fixtures::embeddedParams());
    db.open();
    fb::Transaction tr(db);
    fb::Statement st(db, tr);
    st.prepare(sql);
    st.execute();
    const QVariant v = st.fetch() ? st.value(0) : QVariant();
    st.closeCursor();
    tr.commit();
    return v;
}
