// The person card's own steps against the database: new persons and their codes, the checks
// before a save, deleting, closing, the navigator and the keyboard.
#include "card_fixture.h"

#include "data/DataModule.h"
#include "data/LoginState.h"
#include "data/SettingsRecord.h"
#include "fb/FbError.h"
#include "fb/Firebird.h"
#include "SchemaFixtures.h"
#include "persons/PersonFlags.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QGroupBox>
#include <QPushButton>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

namespace {

using CardFlows = CardTest;

void setAyar(TD_Genel& m, const QString& column, const QVariant& value)
{
    m.Ayar_Ds.edit();
    m.Ayar_Ds.setValue(column, value);
    m.Ayar_Ds.post();
}

TEST_F(CardFlows, NewCardFromTheMenuSavesWithTheNextAutomaticCode)
{
    TD_Genel& m = db.module();
    setAyar(m, "CRBASSAYI", QStringLiteral("5 Basamağa tamamla"));
    setAyar(m, "CRSONEK", QVariant());
    ASSERT_TRUE(SetCounter(m, "7"));

    auto c = newCard();
    EXPECT_FALSE(NewCardRequested);
    EXPECT_EQ(c->KISI_DS.state(), Dataset::State::Insert);
    EXPECT_EQ(c->KAY_TAR->text(), QDate::currentDate().toString("dd.MM.yyyy"));
    EXPECT_EQ(fieldText(c.get(), "KAYDEDEN"), "Yetkili");
    EXPECT_TRUE(c->AD->text().isEmpty());
    EXPECT_EQ(c->PageControl1->currentWidget(), c->TabSheet1);
    EXPECT_FALSE(c->PageControl1->isTabVisible(c->PageControl1->indexOf(c->TabSheet2)));
    EXPECT_FALSE(c->Edited);
    EXPECT_TRUE(c->PanelKaydeden->isVisible()); // server mode
    EXPECT_TRUE(c->PanelDuzenleyen->isVisible());

    type(c->AD, "Ali");
    type(field(c.get(), "SOYAD"), "Demir");
    chooseGender(*c, "Bay");
    c->PostClick();
    ASSERT_EQ(c->KISI_DS.state(), Dataset::State::Browse) << fake.lastText().toStdString();
    const qint64 first = c->personKey().toLongLong();
    EXPECT_GE(first, 1);
    EXPECT_EQ(committed(first, "KISI_KOD").toString(), "KS00007");
    EXPECT_EQ(committed(first, "CINSIYET").toString(), "0");
    EXPECT_EQ(committed(first, "KAYDEDEN").toString(), "Yetkili");
    EXPECT_EQ(committed(first, "KAY_TAR").toDate(), QDate::currentDate());
    EXPECT_EQ(committedValue("SELECT CRNO FROM AYAR").toInt(), 8);
    EXPECT_EQ(fieldText(c.get(), "BLKISIKODU"), QString::number(first));

    // The next new person takes the next code and key; a typed code is kept as typed.
    c->InsertClick();
    type(c->AD, "Veli");
    chooseGender(*c, "Bay");
    c->PostClick();
    const qint64 second = c->personKey().toLongLong();
    EXPECT_GT(second, first);
    EXPECT_EQ(committed(second, "KISI_KOD").toString(), "KS00008");
    c->InsertClick();
    type(c->KISI_KOD, "ELLE-1");
    type(c->AD, "Elif");
    chooseGender(*c, "Bayan");
    c->PostClick();
    EXPECT_EQ(committed(c->personKey().toLongLong(), "KISI_KOD").toString(), "ELLE-1");
    EXPECT_EQ(committed(c->personKey().toLongLong(), "CINSIYET").toString(), "1");
    EXPECT_EQ(committedValue("SELECT CRNO FROM AYAR").toInt(), 9);

    // Automatic codes off: an empty code is a database error, the row stays in insert.
    setAyar(m, "CROTONO", QStringLiteral("0"));
    c->InsertClick();
    type(c->AD, "Kodsuz");
    chooseGender(*c, "Bay");
    EXPECT_THROW(c->PostClick(), fb::Error);
    EXPECT_EQ(c->KISI_DS.state(), Dataset::State::Insert);
    EXPECT_EQ(committedValue("SELECT COUNT(*) FROM KISI WHERE AD = 'Kodsuz'").toInt(), 0);
}

TEST_F(CardFlows, NameAndGenderAreRequiredBeforeASave)
{
    struct Case {
        const char* name;
        const char* gender; // caption to choose, or empty
        const char* message;
        bool focusOnName;
    };
    const Case cases[] = {
        {"", "Bay", "Kişi Adını giriniz", true},
        {"   ", "Bayan", "Kişi Adını giriniz", true},
        {"Ali", "", "Cinsiyetini giriniz", false},
        {"", "", "Kişi Adını giriniz", true},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(std::string("name '") + k.name + "' gender '" + k.gender + "'");
        auto c = newCard();
        type(c->AD, QString::fromUtf8(k.name));
        if (*k.gender)
            chooseGender(*c, QString::fromUtf8(k.gender));
        c->PageControl1->setCurrentWidget(c->TabSheet3);
        fake.messages.clear();
        c->PostClick();
        ASSERT_EQ(fake.messages.size(), 1u);
        EXPECT_EQ(fake.lastText(), QString::fromUtf8(k.message));
        EXPECT_EQ(c->KISI_DS.state(), Dataset::State::Insert);
        EXPECT_EQ(c->PageControl1->currentWidget(), c->TabSheet1);
        EXPECT_EQ(c->focusWidget(), k.focusOnName ? static_cast<QWidget*>(c->AD) : static_cast<QWidget*>(c->CINSIYET));
        EXPECT_TRUE(c->KISI_DS.isNull("BLKISIKODU")); // no key is drawn for a refused save
    }
    EXPECT_EQ(committedValue("SELECT COUNT(*) FROM KISI").toInt(), 0);
    EXPECT_EQ(committedValue("SELECT CRNO FROM AYAR").toInt(), 1);
}

TEST_F(CardFlows, EditingAnExistingPersonRecordsTheEditor)
{
    const qint64 p = db.addPerson("Ali", "Demir", "0");
    auto c = card(p);
    EXPECT_EQ(c->KISI_DS.state(), Dataset::State::Browse);
    EXPECT_EQ(c->AD->text(), "Ali");
    EXPECT_EQ(c->CINSIYET->currentText(), "Bay");
    EXPECT_FALSE(c->Edited);
    type(field(c.get(), "LAKAP"), "Kara");
    EXPECT_EQ(c->KISI_DS.state(), Dataset::State::Edit);
    EXPECT_TRUE(c->Edited);
    c->PostClick();
    EXPECT_EQ(committed(p, "LAKAP").toString(), "Kara");
    EXPECT_EQ(committed(p, "DUZENLEYEN").toString(), "Yetkili");
    EXPECT_EQ(committed(p, "KISI_KOD").toString(), QStringLiteral("T%1").arg(p)); // a code is never replaced

    // A date typed into a saved row: its first, incomplete characters already start the edit.
    type(field(c.get(), "DOG_TAR"), "05.06.1970");
    EXPECT_EQ(fieldText(c.get(), "DOG_TAR"), "05.06.1970");
    c->PostClick();
    EXPECT_EQ(committed(p, "DOG_TAR").toDate(), QDate(1970, 6, 5));
}

TEST_F(CardFlows, DeletingAPersonClearsEveryChildlessSpouseLinkToIt)
{
    const qint64 p = db.addPerson("Ali", "Demir", "0");
    const qint64 other = db.addPerson("Oya", "Ak", "1");
    const qint64 a = db.addPerson("Ayşe", "Kaya", "1", 0, 0, p);
    const qint64 b = db.addPerson("Bahar", "Tan", "1", 0, 0, p);
    const qint64 c3 = db.addPerson("Ceren", "Su", "1", 0, 0, other);
    auto c = card(p);

    fake.answers = {MbNo};
    c->DeleteClick();
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(fake.lastText(), "Kişi kartını silmek istediğinizden eminmisiniz ?");
    EXPECT_EQ(fake.messages.back().caption, "Soru");
    EXPECT_EQ(fake.messages.back().defaultButton, MbYes);
    EXPECT_EQ(committed(p, "AD").toString(), "Ali");
    EXPECT_EQ(committed(a, "ES_KOD").toLongLong(), p);

    fake.answers = {MbYes};
    c->DeleteClick();
    EXPECT_TRUE(committed(p, "AD").isNull());
    EXPECT_TRUE(committed(a, "ES_KOD").isNull());
    EXPECT_TRUE(committed(b, "ES_KOD").isNull());
    EXPECT_EQ(committed(c3, "ES_KOD").toLongLong(), other);
    EXPECT_TRUE(c->KISI_DS.isEmpty());
    EXPECT_FALSE(c->ES_DS.active());
    EXPECT_FALSE(c->Baba_Q.active());
}

TEST_F(CardFlows, AFailedDeleteLeavesTheLinksToThePerson)
{
    const qint64 p = db.addPerson("Ali", "Demir", "0");
    const qint64 a = db.addPerson("Ayşe", "Kaya", "1", 0, 0, p);
    auto c = card(p);

    // Another workstation is changing the person: the delete meets a lock conflict.
    fb::Database other;
    other.setDatabaseName(db.databasePath());
    other.setParams(fixtures::embeddedParams());
    other.open();
    fb::Transaction tr(other);
    tr.start();
    other.executeImmediate(tr, QStringLiteral("UPDATE KISI SET LAKAP = 'x' WHERE BLKISIKODU = %1").arg(p));

    fake.answers = {MbYes};
    EXPECT_THROW(c->DeleteClick(), fb::Error);
    tr.rollback();
    EXPECT_EQ(committed(a, "ES_KOD").toLongLong(), p);
    EXPECT_EQ(committed(p, "AD").toString(), "Ali");
    EXPECT_EQ(c->personKey().toLongLong(), p);

    // Later the same delete goes through and takes the link with it.
    fake.answers = {MbYes};
    c->DeleteClick();
    EXPECT_TRUE(committed(a, "ES_KOD").isNull());
    EXPECT_TRUE(committed(p, "AD").isNull());
}

TEST_F(CardFlows, ASaveComesBackToItsPageAndSelectedSpouse)
{
    const qint64 p = db.addPerson("Ali", "Demir", "0");
    db.addPerson("Ayşe", "Kaya", "1", 0, 0, p);
    const qint64 second = db.addPerson("Bahar", "Tan", "1", 0, 0, p);
    auto c = card(p);
    ASSERT_EQ(c->ES_DS.recordCount(), 2);
    c->ES_DS.locate("BLKISIKODU", double(second));
    c->PageControl1->setCurrentWidget(c->TabSheet3);
    type(field(c->TabSheet3, "TEL1"), "5551234");
    c->PostClick();
    EXPECT_EQ(committed(p, "TEL1").toString(), "5551234");
    EXPECT_EQ(c->PageControl1->currentWidget(), c->TabSheet3);
    EXPECT_EQ(c->ES_DS.value("BLKISIKODU").toLongLong(), second);
}

TEST_F(CardFlows, ClosingAsksAboutPendingChanges)
{
    const qint64 p = db.addPerson("Ali", "Demir", "0");
    auto c = card(p);

    // Nothing pending: closes without a question.
    c->reject();
    EXPECT_FALSE(c->isVisible());
    EXPECT_TRUE(fake.messages.empty());

    c = card(p);
    type(c->AD, "x");
    SearchConfirmed = true;
    fake.answers = {MbCancel};
    QTest::keyClick(c.get(), Qt::Key_Escape);
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(fake.lastText(), "Kart üzerindeki değişiklikleri kaydetmek ister misiniz?");
    EXPECT_TRUE(c->isVisible());
    EXPECT_EQ(c->KISI_DS.state(), Dataset::State::Edit);
    EXPECT_EQ(c->AD->text(), "Alix");
    EXPECT_TRUE(SearchConfirmed);

    // Yes with a refused save keeps the card open in edit.
    c->AD->clear();
    type(c->AD, " ");
    fake.answers = {MbYes};
    c->reject();
    EXPECT_EQ(fake.lastText(), "Kişi Adını giriniz");
    EXPECT_TRUE(c->isVisible());
    EXPECT_EQ(c->KISI_DS.state(), Dataset::State::Edit);

    // No drops the change and closes; the close clears the search flag.
    fake.answers = {MbNo};
    c->reject();
    EXPECT_FALSE(c->isVisible());
    EXPECT_FALSE(SearchConfirmed);
    EXPECT_EQ(committed(p, "AD").toString(), "Ali");

    // Yes saves and closes.
    c = card(p);
    type(c->AD, "can");
    fake.answers = {MbYes};
    c->reject();
    EXPECT_FALSE(c->isVisible());
    EXPECT_EQ(committed(p, "AD").toString(), "Alican");
}

TEST_F(CardFlows, NavigatorFollowsTheStateAndCancelRestoresTheRow)
{
    const qint64 p = db.addPerson("Ali", "Demir", "0");
    auto c = card(p);
    activate(c.get());
    struct Expect {
        bool insert, del, edit, post, cancel, refresh;
    };
    auto check = [&](const Expect& e) {
        EXPECT_EQ(c->NavInsert->isEnabled(), e.insert);
        EXPECT_EQ(c->NavDelete->isEnabled(), e.del);
        EXPECT_EQ(c->NavEdit->isEnabled(), e.edit);
        EXPECT_EQ(c->NavPost->isEnabled(), e.post);
        EXPECT_EQ(c->NavCancel->isEnabled(), e.cancel);
        EXPECT_EQ(c->NavRefresh->isEnabled(), e.refresh);
    };
    check({true, true, true, false, false, true});
    c->NavEdit->click();
    EXPECT_EQ(c->KISI_DS.state(), Dataset::State::Edit);
    check({true, false, false, true, true, false});
    type(c->AD, "han");
    QTest::keyClick(c.get(), Qt::Key_F3); // cancel
    EXPECT_EQ(c->KISI_DS.state(), Dataset::State::Browse);
    EXPECT_EQ(c->AD->text(), "Ali");
    QTest::keyClick(c.get(), Qt::Key_F2, Qt::ControlModifier); // insert
    EXPECT_EQ(c->KISI_DS.state(), Dataset::State::Insert);
    check({true, true, false, true, true, false});
    c->NavCancel->click();
    EXPECT_EQ(c->KISI_DS.state(), Dataset::State::Browse);
    EXPECT_EQ(c->AD->text(), "Ali");

    // Another workstation changes the row; refresh shows it.
    setColumn(p, "SOYAD", "'Yıldız'");
    c->NavRefresh->click();
    EXPECT_EQ(fieldText(c.get(), "SOYAD"), "Yıldız");

    // Alt+F2 saves.
    type(field(c.get(), "IL"), "Ankara");
    QTest::keyClick(c.get(), Qt::Key_F2, Qt::AltModifier);
    EXPECT_EQ(c->KISI_DS.state(), Dataset::State::Browse);
    EXPECT_EQ(committed(p, "IL").toString(), "Ankara");
}

TEST_F(CardFlows, EnterMovesToTheNextFieldAndFromOzelKod2ToKayitTarihi)
{
    auto c = newCard();
    activate(c.get());
    c->AD->setFocus();
    QTest::keyClick(c->AD, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), field(c.get(), "SOYAD"));
    c->OZEL_KOD2->setFocus();
    QTest::keyClick(c->OZEL_KOD2, Qt::Key_Enter, Qt::KeypadModifier);
    QApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), c->KAY_TAR);
    // In the address memo Enter moves on too instead of breaking the line.
    QWidget* adres = field(c.get(), "ADRES");
    adres->setFocus();
    QTest::keyClick(adres, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), field(c.get(), "IL"));
    EXPECT_EQ(fieldText(c.get(), "ADRES"), "");
}

TEST_F(CardFlows, ToolBarScreensNeedASavedPerson)
{
    auto c = newCard();
    for (QToolButton* b : {c->ToolButton1, c->ToolButton2, c->ToolButton5, c->ToolButton3, c->ToolButton4}) {
        fake.messages.clear();
        b->click();
        ASSERT_EQ(fake.messages.size(), 1u) << b->text().toStdString();
        EXPECT_EQ(fake.lastText(), "Kişi seçiniz yada kaydı tamamlayınız !");
    }
    // The relatives' buttons refuse likewise while the person is not saved.
    for (QWidget* b : std::initializer_list<QWidget*>{c->BtnBabaKayitli, c->BtnAnneYeni, c->BtnEsKayitli, c->BtnEsYeni}) {
        fake.messages.clear();
        static_cast<QAbstractButton*>(b)->click();
        ASSERT_EQ(fake.messages.size(), 1u);
        EXPECT_EQ(fake.lastText(), "Kişi seçiniz yada kaydı tamamlayınız !");
    }
}

TEST_F(CardFlows, PagesFieldsAndListsOfValues)
{
    Login().serverMode = false;
    auto c = newCard();
    EXPECT_FALSE(c->PanelKaydeden->isVisible());
    EXPECT_FALSE(c->PanelDuzenleyen->isVisible());
    EXPECT_TRUE(c->BoxBLKISIKODU->isVisible());
    EXPECT_EQ(c->size(), QSize(702, 640));
    EXPECT_EQ(c->PageControl1->tabText(0), "Kişisel Bilgileri");
    EXPECT_EQ(c->PageControl1->tabText(1), "Diğer Bilgileri Bilgileri");
    EXPECT_EQ(c->PageControl1->tabText(2), "Evlilik Bilgileri");
    EXPECT_EQ(c->PageControl2->tabText(0), "Eş Evlilik Bilgileri");
    EXPECT_EQ(c->PageControl2->tabText(1), "Anne - Baba Evlilik Bilgileri");

    const char* personal[] = {"KISI_KOD", "AD", "SOYAD", "DOG_TAR", "DOG_YER", "AILE_AD", "CINSIYET",
                              "LAKAP", "ADRES", "IL", "ILCE", "OZEL_KOD1", "OZEL_KOD2", "KAY_TAR"};
    for (size_t i = 0; i < std::size(personal); ++i) {
        QWidget* w = field(c->TabSheet1, personal[i]);
        ASSERT_NE(w, nullptr) << personal[i];
        if (i > 0) { // tab order as listed
            EXPECT_EQ(nextTabStop(field(c->TabSheet1, personal[i - 1])), w) << personal[i];
        }
    }
    for (const char* f : {"MEZUNIYET", "OKUL_AD", "O_IL", "O_ILCE", "E_NOT", "SAGLIK", "S_NOT", "TIC_UNV", "IS_TEL", "IS_FAX",
                          "IS_ADRES", "IS_IL", "IS_ILCE", "T_NOT", "OL_TAR", "M_HAL", "ASKERLIK", "TEL1", "TEL2",
                          "CEP_TEL1", "CEP_TEL2", "K_NOT"})
        EXPECT_NE(field(c->TabSheet3, f), nullptr) << f;
    for (QWidget* group : {static_cast<QWidget*>(c->GroupBox10), static_cast<QWidget*>(c->GroupBox11)})
        for (const char* f : {"EV_TAR", "YER", "EV_NOT", "EK_1", "AYR_TAR", "EK_2"})
            EXPECT_NE(field(group, f), nullptr) << f;

    auto items = [](QWidget* w) {
        QStringList l;
        auto* combo = qobject_cast<QComboBox*>(w);
        for (int i = 0; combo && i < combo->count(); ++i)
            l << combo->itemText(i);
        return l;
    };
    EXPECT_EQ(items(c->CINSIYET), QStringList({"Bay", "Bayan"}));
    EXPECT_EQ(items(field(c->TabSheet3, "MEZUNIYET")),
              QStringList({"İlk Okul", "Orta Okul", "İlk Öğretim", "Lise", "Yüksek Okul", "Üniversite", "Yüksek Lisans",
                           "Doktora"}));
    EXPECT_EQ(items(field(c->TabSheet3, "M_HAL")), QStringList({"Bekar", "Evli"}));
    EXPECT_EQ(items(field(c->TabSheet3, "ASKERLIK")), QStringList({"Yaptı", "Yapmadı", "Tecilli", "Muaf"}));
    EXPECT_EQ(items(field(c->GroupBox11, "EK_1")), QStringList({"Resmi", "Gayri Resmi"}));

    const std::pair<QToolButton*, const char*> hints[] = {
        {c->NavInsert, "Yeni kayıt ekle (Ctrl+F2)"}, {c->NavDelete, "Kaydı sil (Ctrl+F3)"},
        {c->NavEdit, "Kayıtta düzeltme yap"},       {c->NavPost, "Kaydet (Alt+F2)"},
        {c->NavCancel, "Değişiklikleri iptal et (F3)"}, {c->NavRefresh, "Kaydı yenile"},
    };
    for (const auto& [b, hint] : hints)
        EXPECT_EQ(b->toolTip(), QString::fromUtf8(hint));

    // A value chosen from a list is stored as its text; the gender as its code.
    type(c->AD, "Ali");
    chooseGender(*c, "Bayan");
    auto* askerlik = qobject_cast<QComboBox*>(field(c->TabSheet3, "ASKERLIK"));
    QTest::keyClick(askerlik, Qt::Key_Down);
    QTest::keyClick(askerlik, Qt::Key_Down);
    type(field(c->TabSheet3, "OL_TAR"), "03.04.2001");
    c->PostClick();
    const qint64 key = c->personKey().toLongLong();
    EXPECT_EQ(committed(key, "CINSIYET").toString(), "1");
    EXPECT_EQ(committed(key, "ASKERLIK").toString(), "Yapmadı");
    EXPECT_EQ(committed(key, "OL_TAR").toDate(), QDate(2001, 4, 3));
}

} // namespace
