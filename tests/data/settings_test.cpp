#include "data/DataModule.h"
#include "data/IniFile.h"
#include "data/K_OtoNoU.h"
#include "data/K_PrgAyarU.h"
#include "data/Schema.h"
#include "data/SettingsRecord.h"
#include "shell/SilentAbort.h"
#include "SchemaFixtures.h"
#include "TestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <memory>

namespace {

const QString kRangeMessage = QStringLiteral("Eş e göre Alt Kuşak Ağaç şema genişliği \"30-250\" aralığında olmalı");
const QString kMinMessage = QStringLiteral("Minimum sayı olarak 1 değerini girebilirsiniz...");

// A fresh database of the current structure in a fresh program folder, and a data module
// connected to it as SYSDBA with the settings row open (as after a login).
class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dbPath = home.path() + QStringLiteral("KUSAK.FDB");
        createEmptyDatabase(dbPath, fixtures::embeddedParams());
        module = connect();
    }

    // Open datasets are closed before the connection goes, as logout does.
    void TearDown() override { release(*module); }
    static void release(TD_Genel& m)
    {
        m.Ayar_Ds.close();
        m.closeConnection();
    }

    std::unique_ptr<TD_Genel> connect()
    {
        auto m = std::make_unique<TD_Genel>();
        m->DB_KUSAK.setDatabaseName(dbPath);
        m->DB_KUSAK.setParams(fixtures::embeddedParams());
        m->DB_KUSAK.open();
        m->Ayar_Ds.open();
        return m;
    }

    // What another workstation reads: only committed data.
    QVariant committed(const QString& column)
    {
        fb::Database db;
        db.setDatabaseName(dbPath);
        db.setParams(fixtures::embeddedParams());
        db.open();
        fb::Transaction tr(db);
        fb::Statement st(db, tr);
        st.prepare(QStringLiteral("SELECT %1 FROM AYAR").arg(column));
        st.execute();
        const QVariant v = st.fetch() ? st.value(0) : QVariant(QStringLiteral("<no row>"));
        st.closeCursor();
        tr.commit();
        return v;
    }

    int ayarRows()
    {
        fb::Database db;
        db.setDatabaseName(dbPath);
        db.setParams(fixtures::embeddedParams());
        db.open();
        fb::Transaction tr(db);
        fb::Statement st(db, tr);
        st.prepare(QStringLiteral("SELECT COUNT(*) FROM AYAR"));
        st.execute();
        const int n = st.fetch() ? st.value(0).toInt() : -1;
        st.closeCursor();
        tr.commit();
        return n;
    }

    qint64 generator(const QString& name = QStringLiteral("KISI_ID"))
    {
        return fixtures::generatorValue(module->DB_KUSAK, name);
    }

    void setGenerator(qint64 value)
    {
        fb::Transaction tr(module->DB_KUSAK);
        module->DB_KUSAK.executeImmediate(tr, QStringLiteral("SET GENERATOR KISI_ID TO %1").arg(value));
        tr.commit();
    }

    void setRow(const QString& prefix, const QVariant& suffix, const QString& digits)
    {
        Dataset& ds = module->Ayar_Ds;
        ds.edit();
        ds.setValue(QStringLiteral("CRBASEK"), prefix);
        ds.setValue(QStringLiteral("CRSONEK"), suffix);
        ds.setValue(QStringLiteral("CRBASSAYI"), digits);
        ds.post();
    }

    TempHome home;
    FakeDialogService fake;
    QString dbPath;
    std::unique_ptr<TD_Genel> module;
};

TEST_F(SettingsTest, EmptyTableGetsTheDefaultsOnce)
{
    ASSERT_EQ(ayarRows(), 0);
    AyarVarsayilan(*module);
    EXPECT_EQ(module->Ayar_Ds.state(), Dataset::State::Browse);
    ASSERT_EQ(ayarRows(), 1);

    const struct {
        const char* column;
        QVariant value; // invalid: null
    } expected[] = {
        {"BLAYARKODU", 1.0},
        {"CROTONO", QStringLiteral("1")},
        {"CRNO", 1.0},
        {"CRBASSAYI", QStringLiteral("5 Basamağa Tamamla")},
        {"CRBASEK", QStringLiteral("KS")},
        {"CRSONEK", QVariant()},
        {"G1", QStringLiteral("False")},
        {"G2", QStringLiteral("True")},
        {"G3", QStringLiteral("False")},
        {"G4", QStringLiteral("False")},
        {"G5", QStringLiteral("False")},
        {"G6", QStringLiteral("False")},
        {"G7", QStringLiteral("False")},
        {"G8", QStringLiteral("False")},
        {"RESIM_ORTALA", QStringLiteral("False")},
        {"LAKAP_GOR", 1},
        {"SEMA_ES_GENISLIK", 120},
        {"PROG_SURUM", QVariant()},
    };
    for (const auto& e : expected) {
        SCOPED_TRACE(e.column);
        const QVariant v = committed(QString::fromLatin1(e.column));
        if (!e.value.isValid())
            EXPECT_TRUE(v.isNull()) << v.toString().toStdString();
        else if (e.value.typeId() == QMetaType::QString)
            EXPECT_EQ(v.toString(), e.value.toString());
        else
            EXPECT_EQ(v.toDouble(), e.value.toDouble());
    }

    // A row exists now: nothing is added or changed.
    module->Ayar_Ds.edit();
    module->Ayar_Ds.setValue(QStringLiteral("CRBASEK"), QStringLiteral("AB"));
    module->Ayar_Ds.post();
    AyarVarsayilan(*module);
    EXPECT_EQ(ayarRows(), 1);
    EXPECT_EQ(committed(QStringLiteral("CRBASEK")).toString(), QStringLiteral("AB"));
    EXPECT_TRUE(fake.messages.empty());
}

TEST(ZeroFill, Table)
{
    const struct {
        const char* number;
        const char* choice;
        const char* result;
    } cases[] = {
        {"42", "5 Basamağa tamamla", "00042"},
        {"42", "5 Basamağa Tamamla", "00042"}, // the default's spelling
        {"42", "Soluna Sıfır ekleme", "42"},
        {"123456", "5 Basamağa tamamla", "23456"},
        {"12345", "5 Basamağa tamamla", "12345"},
        {"7", "3 Basamağa tamamla", "007"},
        {"42", "9 Basamağa tamamla", "000000042"},
        {"0", "4 Basamağa tamamla", "0000"},
        {"42", "", "42"},
        {"42", "0 Basamak", "42"},
        {"42", "x5", "42"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ZeroFill(QString::fromUtf8(c.number), QString::fromUtf8(c.choice)), QString::fromUtf8(c.result))
            << c.number << " / " << c.choice;
}

TEST_F(SettingsTest, PersonCodeTakesTheGeneratorAndAdvancesTheCounter)
{
    AyarVarsayilan(*module);
    setRow(QStringLiteral("KS"), QStringLiteral("-A"), QStringLiteral("5 Basamağa tamamla"));
    setGenerator(7);

    EXPECT_EQ(NextPersonCode(*module), QStringLiteral("KS00007-A"));
    EXPECT_EQ(committed(QStringLiteral("CRNO")).toDouble(), 8.0);
    EXPECT_EQ(generator(), 8);
    EXPECT_EQ(module->Ayar_Ds.state(), Dataset::State::Browse);
    EXPECT_FALSE(module->NewKodu_Tr.active());

    // A null prefix or suffix adds nothing; "Soluna Sıfır ekleme" leaves the number as it is.
    setRow(QString(), QVariant(), QStringLiteral("Soluna Sıfır ekleme"));
    EXPECT_EQ(NextPersonCode(*module), QStringLiteral("8"));
    EXPECT_EQ(committed(QStringLiteral("CRNO")).toDouble(), 9.0);
    EXPECT_TRUE(fake.messages.empty());
}

TEST_F(SettingsTest, CounterSetTo100GivesCode100)
{
    AyarVarsayilan(*module);
    ASSERT_TRUE(SetCounter(*module, QStringLiteral("100")));
    EXPECT_EQ(committed(QStringLiteral("CRNO")).toDouble(), 100.0);
    EXPECT_EQ(generator(), 100);
    EXPECT_EQ(NextPersonCode(*module), QStringLiteral("KS00100"));
    EXPECT_EQ(committed(QStringLiteral("CRNO")).toDouble(), 101.0);
    EXPECT_TRUE(fake.messages.empty());
}

TEST_F(SettingsTest, CounterBelowOneOrTooLargeIsRefused)
{
    AyarVarsayilan(*module);
    ASSERT_TRUE(SetCounter(*module, QStringLiteral("50")));
    const struct {
        const char* text;
        bool tooSmall;
    } cases[] = {
        {"0", true}, {"", true}, {"   ", true}, {"000", true}, {"-5", true}, {"abc", true},
        {"2147483647", false}, {"99999999999999999999999", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        fake.messages.clear();
        EXPECT_FALSE(SetCounter(*module, QString::fromLatin1(c.text)));
        ASSERT_EQ(fake.messages.size(), 1u);
        if (c.tooSmall)
            EXPECT_EQ(fake.lastText(), kMinMessage);
        else
            EXPECT_EQ(fake.lastText(), QStringLiteral("Maksimum sayı olarak 2147483646 değerini girebilirsiniz..."));
        EXPECT_EQ(module->Ayar_Ds.state(), Dataset::State::Browse);
        EXPECT_EQ(committed(QStringLiteral("CRNO")).toDouble(), 50.0);
        EXPECT_EQ(generator(), 50);
    }
    // The largest accepted counter still gives a code.
    fake.messages.clear();
    ASSERT_TRUE(SetCounter(*module, QStringLiteral("2147483646")));
    EXPECT_EQ(NextPersonCode(*module), QStringLiteral("KS83646"));
}

TEST_F(SettingsTest, DiagramWidthOutsideRangeStopsThePost)
{
    AyarVarsayilan(*module);
    Dataset& ds = module->Ayar_Ds;
    const struct {
        QVariant width;
        bool accepted;
    } cases[] = {{20, false}, {29, false}, {30, true}, {250, true}, {251, false}, {QVariant(), false}, {-40, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.width.isNull() ? std::string("null") : c.width.toString().toStdString());
        fake.messages.clear();
        ds.edit();
        ds.setValue(QStringLiteral("SEMA_ES_GENISLIK"), c.width);
        if (c.accepted) {
            ds.post();
            EXPECT_TRUE(fake.messages.empty());
            EXPECT_EQ(committed(QStringLiteral("SEMA_ES_GENISLIK")).toInt(), c.width.toInt());
        } else {
            EXPECT_THROW(ds.post(), SilentAbort);
            ASSERT_EQ(fake.messages.size(), 1u);
            EXPECT_EQ(fake.lastText(), kRangeMessage);
            EXPECT_EQ(fake.messages.back().icon, MsgIcon::Information);
            EXPECT_EQ(ds.state(), Dataset::State::Edit);
            ds.cancel();
        }
    }
    EXPECT_EQ(committed(QStringLiteral("SEMA_ES_GENISLIK")).toInt(), 250);
}

TEST_F(SettingsTest, RefusedRowBlocksTheCounterUpdateOfAPersonCode)
{
    AyarVarsayilan(*module);
    // A row left out of range by another program: the code is refused with the row's message.
    fb::Transaction tr(module->DB_KUSAK);
    module->DB_KUSAK.executeImmediate(tr, QStringLiteral("UPDATE AYAR SET SEMA_ES_GENISLIK = 10"));
    tr.commit();
    module->Ayar_Ds.refresh();
    EXPECT_THROW(NextPersonCode(*module), SilentAbort);
    EXPECT_EQ(fake.lastText(), kRangeMessage);
    EXPECT_EQ(module->Ayar_Ds.state(), Dataset::State::Browse);
    EXPECT_EQ(committed(QStringLiteral("CRNO")).toDouble(), 1.0);
}

TEST_F(SettingsTest, UnreadableGeneratorGivesMinusOneAndNoCode)
{
    AyarVarsayilan(*module);
    EXPECT_EQ(NextGeneratorValue(*module, QStringLiteral("YOK_GEN"), 0), -1);
    EXPECT_EQ(NextGeneratorValue(*module, QStringLiteral("KISI_ID, 1) FROM RDB$DATABASE --"), 0), -1);
    EXPECT_FALSE(module->NewKodu_Tr.active());
    EXPECT_TRUE(fake.messages.empty());
    EXPECT_EQ(NextGeneratorValue(*module, QStringLiteral("KISI_GEN"), 5), 5);
    EXPECT_EQ(NextGeneratorValue(*module, QStringLiteral("KISI_GEN"), 0), 5);

    // A value beyond 32 bits cannot be read as one.
    setGenerator(2147483647);
    EXPECT_EQ(NextGeneratorValue(*module, QStringLiteral("KISI_ID"), 0), 2147483647);
    EXPECT_EQ(NextGeneratorValue(*module, QStringLiteral("KISI_ID"), 1), -1);
    EXPECT_THROW(NextPersonCode(*module), SilentAbort);
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_TRUE(fake.lastText().contains(QStringLiteral("KISI_ID"))) << fake.lastText().toStdString();

    // The generator is gone: refused, and CRNO is not touched.
    fake.messages.clear();
    fb::Transaction tr(module->DB_KUSAK);
    module->DB_KUSAK.executeImmediate(tr, QStringLiteral("DROP SEQUENCE KISI_ID"));
    tr.commit();
    EXPECT_EQ(NextGeneratorValue(*module, QStringLiteral("KISI_ID"), 1), -1);
    EXPECT_THROW(NextPersonCode(*module), SilentAbort);
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_TRUE(fake.lastText().startsWith(QStringLiteral("Kişi kodu otomatik verilemedi")));
    EXPECT_EQ(module->Ayar_Ds.state(), Dataset::State::Browse);
    EXPECT_EQ(module->Ayar_Ds.value(QStringLiteral("CRNO")).toDouble(), 1.0);
    EXPECT_EQ(committed(QStringLiteral("CRNO")).toDouble(), 1.0);
}

TEST_F(SettingsTest, TwoWorkstationsNeverShareANumber)
{
    AyarVarsayilan(*module);
    setRow(QString(), QVariant(), QStringLiteral("Soluna Sıfır ekleme"));
    auto other = connect();
    QSet<QString> codes;
    for (int i = 0; i < 10; ++i) {
        codes.insert(NextPersonCode(*module));
        codes.insert(NextPersonCode(*other));
    }
    // The counter starts equal to the default CRNO of 1, so the codes are 1..20.
    EXPECT_EQ(codes.size(), 20);
    for (int n = 1; n <= 20; ++n)
        EXPECT_TRUE(codes.contains(QString::number(n))) << n;
    EXPECT_EQ(generator(), 21);
    EXPECT_EQ(committed(QStringLiteral("CRNO")).toDouble(), 21.0);
    EXPECT_TRUE(fake.messages.empty());
    release(*other);
}

TEST_F(SettingsTest, CounterDialogAcceptsDigitsOnly)
{
    TK_OtoNoF dialog;
    EXPECT_EQ(dialog.Header->text(), QStringLiteral("Otomatik Numara Servisi"));
    EXPECT_EQ(dialog.BtnUygula->text(), QStringLiteral("Uygula"));
    EXPECT_EQ(dialog.BtnUygula->toolTip(), QStringLiteral("Değişikliği Uygula"));
    EXPECT_EQ(dialog.BtnIptal->text(), QStringLiteral("İptal"));
    EXPECT_EQ(dialog.BtnIptal->toolTip(), QStringLiteral("Değişikliği uygulamadan pencereyi kapat"));
    dialog.show();
    QTest::keyClicks(dialog.Edit1, QStringLiteral("1a2-3 ,4"));
    QKeyEvent turkish(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("ş"));
    QCoreApplication::sendEvent(dialog.Edit1, &turkish);
    EXPECT_EQ(dialog.Edit1->text(), QStringLiteral("1234"));
    QTest::keyClick(dialog.Edit1, Qt::Key_Backspace);
    EXPECT_EQ(dialog.Edit1->text(), QStringLiteral("123"));
    dialog.Edit1->selectAll();
    dialog.Edit1->insert(QStringLiteral("x9")); // pasted text passes the same test
    EXPECT_EQ(dialog.Edit1->text(), QStringLiteral("123"));
    QTest::keyClick(dialog.Edit1, Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.isVisible());
}

// Runs f on the modal counter dialog once it is shown.
void onCounterDialog(std::function<void(TK_OtoNoF&)> f)
{
    QTimer::singleShot(0, [f] {
        auto* d = qobject_cast<TK_OtoNoF*>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr);
        f(*d);
    });
}

TEST_F(SettingsTest, SettingsScreenEditsTheRow)
{
    AyarVarsayilan(*module);
    TK_PrgAyarF form(*module);
    form.show();

    ASSERT_EQ(form.TreeView1->topLevelItemCount(), 3);
    const QStringList nodes = {QStringLiteral("Kişi Kart Ayarları"), QStringLiteral("Yedekleme"),
                               QStringLiteral("Genel Ayarlar")};
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(form.TreeView1->topLevelItem(i)->text(0), nodes[i]);
    EXPECT_EQ(form.LabelBaslik->text(), nodes[0]);
    EXPECT_EQ(form.PageControl1->currentIndex(), 0);
    EXPECT_TRUE(form.CROTONO->isChecked());
    EXPECT_EQ(form.CRNO->text(), QStringLiteral("1"));
    EXPECT_TRUE(form.CRNO->isReadOnly());
    EXPECT_EQ(form.CRBASSAYI->currentText(), QStringLiteral("5 Basamağa Tamamla"));
    EXPECT_EQ(form.CRBASSAYI->count(), 8);
    EXPECT_EQ(form.CRBASEK->text(), QStringLiteral("KS"));
    EXPECT_EQ(form.BtnCariKod->toolTip(), QStringLiteral("Cari Kodunu değiştir"));
    QDir().mkpath(QStringLiteral("/tmp"));
    form.grab().save(QStringLiteral("/tmp/k_prgayar.png"));

    form.TreeView1->setCurrentItem(form.TreeView1->topLevelItem(2));
    EXPECT_EQ(form.LabelBaslik->text(), nodes[2]);
    EXPECT_EQ(form.PageControl1->currentIndex(), 2);
    EXPECT_EQ(form.G[0]->text(),
              QStringLiteral("Alt Kuşak Yatay Ağaç şemasında Çocuk, Annede ve Babada (Her ikisindede) görünsün"));
    EXPECT_EQ(form.G[3]->text(), QStringLiteral("Üst Kuşak Ağaç şemalarına "));
    EXPECT_EQ(form.G[4]->parentWidget(), form.GroupBox1);
    EXPECT_EQ(form.GroupBox1->title(), QStringLiteral("Yatay Ağaç Şemalarına Resim Eklensin"));
    EXPECT_TRUE(form.G[1]->isChecked());
    EXPECT_EQ(form.SEMA_ES_GENISLIK->value(), 120);
    form.grab().save(QStringLiteral("/tmp/k_prgayar_genel.png"));

    // A click puts the row into edit; "Vazgeç" drops the change.
    Dataset& ds = module->Ayar_Ds;
    form.G[0]->click();
    EXPECT_EQ(ds.state(), Dataset::State::Edit);
    EXPECT_EQ(ds.value(QStringLiteral("G1")).toString(), QStringLiteral("True"));
    form.BtnVazgec->click();
    EXPECT_EQ(ds.state(), Dataset::State::Browse);
    EXPECT_FALSE(form.G[0]->isChecked());
    EXPECT_EQ(committed(QStringLiteral("G1")).toString(), QStringLiteral("False"));

    // Closing with a pending change asks; Cancel keeps the screen and the change.
    form.G[0]->click();
    fake.answers = {MbCancel};
    form.BtnKapat->click();
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(fake.lastText(), QStringLiteral("Kart üzerindeki değişiklikleri kaydetmek ister misiniz?"));
    EXPECT_EQ(fake.messages.back().caption, QStringLiteral("Soru"));
    EXPECT_EQ(fake.messages.back().buttons, MbYes | MbNo | MbCancel);
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(ds.state(), Dataset::State::Edit);

    // An out-of-range width cannot be saved: not with "Kaydet", not by answering Yes on close.
    form.SEMA_ES_GENISLIK->setValue(20);
    fake.messages.clear();
    form.BtnKaydet->click();
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(fake.lastText(), kRangeMessage);
    EXPECT_EQ(ds.state(), Dataset::State::Edit);
    fake.answers = {MbYes};
    QTest::keyClick(&form, Qt::Key_Escape);
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(fake.lastText(), kRangeMessage);
    EXPECT_EQ(committed(QStringLiteral("SEMA_ES_GENISLIK")).toInt(), 120);

    // Yes with a valid row saves and closes.
    form.SEMA_ES_GENISLIK->setValue(200);
    fake.answers = {MbYes};
    QTest::keyClick(&form, Qt::Key_Escape);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(ds.state(), Dataset::State::Browse);
    EXPECT_EQ(committed(QStringLiteral("G1")).toString(), QStringLiteral("True"));
    EXPECT_EQ(committed(QStringLiteral("SEMA_ES_GENISLIK")).toInt(), 200);

    // No drops the change and closes.
    form.show();
    form.CRBASEK->setFocus();
    QTest::keyClicks(form.CRBASEK, QStringLiteral("X"));
    EXPECT_EQ(ds.state(), Dataset::State::Edit);
    fake.answers = {MbNo};
    form.close();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(ds.state(), Dataset::State::Browse);
    EXPECT_EQ(committed(QStringLiteral("CRBASEK")).toString(), QStringLiteral("KS"));

    // Closing without changes asks nothing.
    form.show();
    fake.messages.clear();
    form.BtnKapat->click();
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(fake.messages.empty());
}

TEST_F(SettingsTest, CounterButtonRunsTheCounterDialog)
{
    AyarVarsayilan(*module);
    TK_PrgAyarF form(*module);
    form.show();

    onCounterDialog([](TK_OtoNoF& d) {
        EXPECT_EQ(d.Label1->text(), QStringLiteral("Verilmeye Hazır Kişi Kodu"));
        EXPECT_EQ(d.Edit1->text(), QStringLiteral("1"));
        d.Edit1->setText(QStringLiteral("250"));
        d.BtnUygula->click();
    });
    form.BtnCariKod->click();
    EXPECT_EQ(form.CRNO->text(), QStringLiteral("250"));
    EXPECT_EQ(committed(QStringLiteral("CRNO")).toDouble(), 250.0);
    EXPECT_EQ(generator(), 250);

    // "İptal" changes nothing; "Uygula" with 0 shows the message and changes nothing.
    onCounterDialog([](TK_OtoNoF& d) {
        d.Edit1->setText(QStringLiteral("7"));
        d.BtnIptal->click();
    });
    form.BtnCariKod->click();
    onCounterDialog([](TK_OtoNoF& d) {
        d.Edit1->setText(QStringLiteral("0"));
        d.BtnUygula->click();
    });
    form.BtnCariKod->click();
    EXPECT_EQ(fake.lastText(), kMinMessage);
    EXPECT_EQ(generator(), 250);
    EXPECT_EQ(committed(QStringLiteral("CRNO")).toDouble(), 250.0);
    EXPECT_EQ(module->Ayar_Ds.state(), Dataset::State::Browse);
    form.close();
}

TEST_F(SettingsTest, BackupPageReadsAndWritesAyarIni)
{
    IniFile& ini = FSAyar();
    ini.writeString(kAyarSection, QStringLiteral("OTOYEDEK"), QStringLiteral("False"));
    ini.writeString(kAyarSection, QStringLiteral("YEDEKTURU"), QStringLiteral("1"));
    ini.writeString(kAyarSection, QStringLiteral("YEDEKDIZIN"), home.path() + QStringLiteral("Yedek"));
    ASSERT_TRUE(ini.save());

    AyarVarsayilan(*module);
    TK_PrgAyarF form(*module);
    form.show();
    form.TreeView1->setCurrentItem(form.TreeView1->topLevelItem(1));
    EXPECT_EQ(form.LabelBaslik->text(), QStringLiteral("Yedekleme"));
    EXPECT_FALSE(form.CheckOtoYedek->isChecked());
    EXPECT_EQ(form.ComboYedekTuru->currentIndex(), 1);
    EXPECT_FALSE(form.ComboYedekTuru->isEnabled());
    EXPECT_EQ(form.EditYedekDizin->text(), home.path() + QStringLiteral("Yedek"));
    EXPECT_FALSE(form.BtnYedekKaydet->isEnabled());
    EXPECT_FALSE(form.BtnYedekIptal->isEnabled());
    form.grab().save(QStringLiteral("/tmp/k_prgayar_yedek.png"));

    form.CheckOtoYedek->click();
    EXPECT_TRUE(form.ComboYedekTuru->isEnabled());
    EXPECT_TRUE(form.BtnYedekKaydet->isEnabled());
    EXPECT_TRUE(form.BtnYedekIptal->isEnabled());
    form.ComboYedekTuru->setCurrentIndex(2);
    form.BtnYedekKaydet->click();
    EXPECT_FALSE(form.BtnYedekKaydet->isEnabled());
    EXPECT_FALSE(form.BtnYedekIptal->isEnabled());
    {
        IniFile disk(ini.path());
        EXPECT_EQ(disk.readString(kAyarSection, QStringLiteral("OTOYEDEK")), QStringLiteral("True"));
        EXPECT_EQ(disk.readString(kAyarSection, QStringLiteral("YEDEKTURU")), QStringLiteral("2"));
        EXPECT_EQ(disk.readString(kAyarSection, QStringLiteral("YEDEKDIZIN")), home.path() + QStringLiteral("Yedek"));
    }

    // "Değişiklikleri İptal Et" brings back what Ayar.Ini holds.
    QTest::keyClicks(form.EditYedekDizin, QStringLiteral("X"));
    EXPECT_TRUE(form.BtnYedekIptal->isEnabled());
    form.CheckOtoYedek->click();
    EXPECT_FALSE(form.ComboYedekTuru->isEnabled());
    form.BtnYedekIptal->click();
    EXPECT_TRUE(form.CheckOtoYedek->isChecked());
    EXPECT_EQ(form.ComboYedekTuru->currentIndex(), 2);
    EXPECT_EQ(form.EditYedekDizin->text(), home.path() + QStringLiteral("Yedek"));
    EXPECT_FALSE(form.BtnYedekKaydet->isEnabled());
    // The backup page never touches the settings row.
    EXPECT_EQ(module->Ayar_Ds.state(), Dataset::State::Browse);
    form.close();

    // A value that is not a choice counts as daily.
    ini.writeString(kAyarSection, QStringLiteral("YEDEKTURU"), QStringLiteral("haftada bir"));
    TK_PrgAyarF again(*module);
    again.show();
    EXPECT_EQ(again.ComboYedekTuru->currentIndex(), 0);
    again.close();
}

} // namespace
