#include "persons/K_KisiU.h"

#include "data/DataBinder.h"
#include "data/DataModule.h"
#include "data/DatasetRoutines.h"
#include "data/LoginState.h"
#include "data/SettingsRecord.h"
#include "data/SqlText.h"
#include "controls/ZyWinButton.h"
#include "persons/FamilyLinks.h"
#include "persons/K_KisiResim.h"
#include "persons/PersonFlags.h"
#include "shell/FormAyar.h"
#include "shell/GeneralRoutines.h"
#include "shell/Messages.h"
#include "shell/SilentAbort.h"

#include <QComboBox>
#include <QDate>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QShortcut>
#include <QTabWidget>
#include <QToolButton>

namespace {

// Picture of the "Kişi Kart Kaydı" menu item in the main window's 32-pixel list; -1 (the
// program icon) until that list is numbered.
constexpr int kKisiKartImageIndex = -1;

} // namespace

TK_KisiF::TK_KisiF(QWidget* parent)
    : QDialog(parent),
      KISI_DS(D_Genel()->DB_KUSAK, D_Genel()->TR_KUSAK),
      Baba_Q(D_Genel()->DB_KUSAK, D_Genel()->TR_KUSAK),
      Anne_Q(D_Genel()->DB_KUSAK, D_Genel()->TR_KUSAK),
      ES_DS(D_Genel()->DB_KUSAK, D_Genel()->TR_KUSAK),
      EsEvlilik_Q(D_Genel()->DB_KUSAK, D_Genel()->TR_KUSAK),
      EVLILIK_DS(D_Genel()->DB_KUSAK, D_Genel()->TR_KUSAK),
      ES_EV_DS(D_Genel()->DB_KUSAK, D_Genel()->TR_KUSAK)
{
    setObjectName(QStringLiteral("K_KisiF"));
    setWindowTitle(MainWindowCaption());
    const std::pair<Dataset*, const char*> names[] = {
        {&KISI_DS, "KISI_DS"}, {&Baba_Q, "Baba_Q"},           {&Anne_Q, "Anne_Q"},         {&ES_DS, "ES_DS"},
        {&EsEvlilik_Q, "EsEvlilik_Q"}, {&EVLILIK_DS, "EVLILIK_DS"}, {&ES_EV_DS, "ES_EV_DS"},
    };
    for (const auto& [ds, name] : names)
        ds->setObjectName(QString::fromLatin1(name));
    KISI_DS.setSelectSql(QStringLiteral("select * from KISI"));
    KISI_DS.setEditable(QStringLiteral("KISI"), QStringLiteral("BLKISIKODU"));
    ES_DS.setEditable(QStringLiteral("KISI"), QStringLiteral("BLKISIKODU"));
    EVLILIK_DS.setEditable(QStringLiteral("EVLILIK"), QStringLiteral("BLEVKODU"));
    ES_EV_DS.setEditable(QStringLiteral("EVLILIK"), QStringLiteral("BLEVKODU"));

    buildUi();
    installPersonHandlers();
    installMarriageHandlers();
    resize(702, 640);
    updateNavigator();
}

TK_KisiF::~TK_KisiF()
{
    // The widgets and binders refer to the datasets, which go before the base class frees its
    // children: free them first.
    m_dying = true;
    const QList<QObject*> children = findChildren<QObject*>(Qt::FindDirectChildrenOnly);
    qDeleteAll(children);
}

QString TK_KisiF::personKey() const
{
    return KISI_DS.active() ? KeyText(KISI_DS.value(QStringLiteral("BLKISIKODU"))) : QString();
}

QString TK_KisiF::personText(const QString& field) const
{
    if (!KISI_DS.active() || KISI_DS.fieldIndex(field) < 0)
        return {};
    return KISI_DS.text(field);
}

bool TK_KisiF::hasPerson()
{
    return KISI_DS.active() && (KISI_DS.isEditing() || !KISI_DS.isEmpty());
}

void TK_KisiF::runGuarded(const std::function<void()>& step)
{
    try {
        step();
    } catch (const SilentAbort&) {
        // refused: its message has been shown
    }
}

void TK_KisiF::setSecondCard(SecondCard kind, const QString& title)
{
    m_secondCard = kind;
    Label1->setText(title);
    CINSIYET->setEnabled(kind == SecondCard::None);
    for (QWidget* w : std::initializer_list<QWidget*>{ZyWinButton1, ToolButton1, ToolButton2, ToolButton5, ToolButton3, ToolButton4})
        w->setVisible(kind == SecondCard::None);
    m_scKisiBul->setEnabled(kind == SecondCard::None);
    const bool mayInsert = kind == SecondCard::None || kind == SecondCard::Spouse;
    NavInsert->setVisible(mayInsert);
    m_scInsert->setEnabled(mayInsert);
}

// ---- the person dataset ----

void TK_KisiF::installPersonHandlers()
{
    KISI_DS.afterInsert = [this](Dataset&) { afterNewRow(); };
    KISI_DS.afterEdit = [this](Dataset& ds) {
        ds.setValue(QStringLiteral("DUZENLEYEN"), Login().currentUser);
        Edited = true;
    };
    KISI_DS.beforePost = [this](Dataset&) { beforePostSteps(); };
    KISI_DS.afterPost = [this](Dataset&) { afterPostSteps(); };
    KISI_DS.afterCancel = [this](Dataset&) { afterCancelSteps(); };
    KISI_DS.beforeDelete = [this](Dataset&) { beforeDeleteSteps(); };
    KISI_DS.afterDelete = [this](Dataset&) { afterDeleteSteps(); };
    KISI_DS.afterScroll = [this](Dataset&) {
        if (!m_dying)
            rebuildSpouseList();
    };
    for (auto signal : {&Dataset::opened, &Dataset::closed})
        connect(&KISI_DS, signal, this, [this] { updateNavigator(); });
    connect(&KISI_DS, &Dataset::stateChanged, this, [this] { updateNavigator(); });
    connect(&KISI_DS, &Dataset::currentChanged, this, [this] { updateNavigator(); });
}

void TK_KisiF::afterNewRow()
{
    Baba_Q.close();
    Anne_Q.close();
    ES_DS.close();
    showFirstPage();
    DBImage1->clear();
    DBImage1->hide();
    KISI_DS.setValue(QStringLiteral("KAYDEDEN"), Login().currentUser);
    KISI_DS.setValue(QStringLiteral("KAY_TAR"), QDate::currentDate());
    if (!PresetGender.isEmpty())
        KISI_DS.setValue(QStringLiteral("CINSIYET"), PresetGender);
    RefreshMarriagePage();
}

void TK_KisiF::beforePostSteps()
{
    m_savedSpouseKey = selectedChildlessSpouse();
    m_savedPage = PageControl1->currentIndex();

    if (personText(QStringLiteral("AD")).trimmed().isEmpty()) {
        ShowInfo(QStringLiteral("Kişi Adını giriniz"));
        showFirstPage();
        AD->setFocus();
        Abort();
    }
    if (personText(QStringLiteral("CINSIYET")).trimmed().isEmpty()) {
        ShowInfo(QStringLiteral("Cinsiyetini giriniz"));
        showFirstPage();
        CINSIYET->setFocus();
        Abort();
    }
    if (KISI_DS.isNull(QStringLiteral("BLKISIKODU"))) {
        const int key = NextGeneratorValue(QStringLiteral("KISI_GEN"), 1);
        if (key < 1) {
            // -1 is a failed read, never a key.
            ShowInfo(QStringLiteral("Kişiye anahtar verilemedi: kişi sayacı (KISI_GEN) okunamadı.\r\nKayıt yapılmadı."));
            Abort();
        }
        KISI_DS.setValue(QStringLiteral("BLKISIKODU"), double(key));
    }
    const Dataset& ayar = D_Genel()->Ayar_Ds;
    const bool automaticCodes = ayar.active() && ayar.fieldIndex(QStringLiteral("CROTONO")) >= 0
                                && ayar.text(QStringLiteral("CROTONO")) == QLatin1String("1");
    if (personText(QStringLiteral("KISI_KOD")).isEmpty() && automaticCodes)
        KISI_DS.setValue(QStringLiteral("KISI_KOD"), NextPersonCode());

    ClearParentsLink(*D_Genel(), KeyText(KISI_DS.value(QStringLiteral("BABA_KOD"))),
                     KeyText(KISI_DS.value(QStringLiteral("ANNE_KOD"))));
    for (Dataset* marriage : {&EVLILIK_DS, &ES_EV_DS})
        if (marriage->isEditing())
            marriage->post();
}

void TK_KisiF::afterPostSteps()
{
    D_Genel()->commitRetaining();
    reloadPhoto();
    LoadLinks();
    RefreshMarriagePage();
    if (m_savedPage >= 0 && PageControl1->isTabVisible(m_savedPage))
        PageControl1->setCurrentIndex(m_savedPage);
    if (!m_savedSpouseKey.isEmpty() && ES_DS.active()) {
        QuietScope quiet(*this);
        ES_DS.locate(QStringLiteral("BLKISIKODU"), m_savedSpouseKey.toDouble());
    }
}

void TK_KisiF::afterCancelSteps()
{
    // One cancel covers the person and its marriages.
    EVLILIK_DS.cancel();
    ES_EV_DS.cancel();
    reloadPhoto();
    LoadLinks();
    RefreshMarriagePage();
}

void TK_KisiF::beforeDeleteSteps()
{
    if (QuestionBox(QStringLiteral("Kişi kartını silmek istediğinizden eminmisiniz ?")) != MbYes)
        Abort();
    ClearSpouseLinksTo(*D_Genel(), personKey());
    KISI_KOD->setFocus();
}

void TK_KisiF::afterDeleteSteps()
{
    D_Genel()->commitRetaining();
    Baba_Q.close();
    Anne_Q.close();
    ES_DS.close();
    EVLILIK_DS.close();
    LoadLinks();
    reloadPhoto();
    RefreshMarriagePage();
}

void TK_KisiF::showFirstPage() { PageControl1->setCurrentWidget(TabSheet1); }

void TK_KisiF::updateNavigator()
{
    if (m_dying || !NavInsert)
        return;
    const bool active = KISI_DS.active();
    const bool editing = KISI_DS.isEditing();
    const bool hasRow = active && KISI_DS.recNo() >= 0;
    NavInsert->setEnabled(true);
    NavDelete->setEnabled(hasRow && KISI_DS.state() != Dataset::State::Edit);
    NavEdit->setEnabled(hasRow && !editing);
    NavPost->setEnabled(editing);
    NavCancel->setEnabled(editing);
    NavRefresh->setEnabled(hasRow && !editing);
}

// ---- showing and closing ----

void TK_KisiF::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return; // the window system showing it again (restored), not the card being opened
    FormAyar(this, kKisiKartImageIndex);
    showFirstPage();
    Edited = false;
    PanelKaydeden->setVisible(Login().serverMode);
    PanelDuzenleyen->setVisible(Login().serverMode);
    resize(702, 640);
    if (const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen()) {
        const QRect r = s->availableGeometry();
        move(r.x() + (r.width() - width()) / 2 + 25, r.y() + 10);
    }
    if (NewCardRequested) {
        NewCardRequested = false;
        ReopenDataset(KISI_DS, QStringLiteral("KISI"), QStringLiteral("BLKISIKODU = 0"));
        KISI_DS.insert();
    }
    LoadLinks(); // only while the card holds a person
    reloadPhoto();
    RefreshMarriagePage();
    showFirstPage();
    PageControl2->setCurrentIndex(0);
    AD->setFocus();
    updateNavigator();
}

void TK_KisiF::reject()
{
    bool mayClose = false;
    try {
        mayClose = ConfirmPendingChanges(KISI_DS);
    } catch (const SilentAbort&) {
        mayClose = false; // the refused save has shown its message; the card stays in edit
    }
    if (!mayClose)
        return;
    SearchConfirmed = false;
    QDialog::reject();
}

bool TK_KisiF::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto* k = static_cast<QKeyEvent*>(event);
        if ((k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) && (k->modifiers() & ~Qt::KeypadModifier) == 0) {
            if (watched == OZEL_KOD2)
                KAY_TAR->setFocus(Qt::TabFocusReason);
            else
                FocusNextControl(this);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

// ---- navigator ----

void TK_KisiF::InsertClick()
{
    if (m_secondCard == SecondCard::Father || m_secondCard == SecondCard::Mother)
        return;
    runGuarded([this] {
        if (!KISI_DS.active())
            ReopenDataset(KISI_DS, QStringLiteral("KISI"), QStringLiteral("BLKISIKODU = 0"));
        KISI_DS.insert();
        AD->setFocus();
    });
}

void TK_KisiF::DeleteClick()
{
    // An edit is saved or cancelled first; a new unsaved row is simply dropped.
    if (!KISI_DS.active() || KISI_DS.state() == Dataset::State::Edit || KISI_DS.recNo() < 0)
        return;
    runGuarded([this] {
        try {
            KISI_DS.remove();
        } catch (const SilentAbort&) {
            throw;
        } catch (...) {
            // The links cleared for the delete must not outlive a delete that failed.
            D_Genel()->rollbackRetaining();
            throw;
        }
    });
}

void TK_KisiF::EditClick()
{
    if (KISI_DS.active() && !KISI_DS.isEditing() && KISI_DS.recNo() >= 0)
        runGuarded([this] { KISI_DS.edit(); });
}

void TK_KisiF::PostClick()
{
    if (KISI_DS.isEditing())
        runGuarded([this] { KISI_DS.post(); });
}

void TK_KisiF::CancelClick()
{
    if (KISI_DS.isEditing())
        runGuarded([this] { KISI_DS.cancel(); });
}

void TK_KisiF::RefreshClick()
{
    if (!KISI_DS.active() || KISI_DS.isEditing() || KISI_DS.recNo() < 0)
        return;
    runGuarded([this] {
        KISI_DS.refresh();
        reloadPhoto();
        LoadLinks();
        RefreshMarriagePage();
    });
}

// ---- tool bar ----

void TK_KisiF::KisiBulClick()
{
    if (m_secondCard != SecondCard::None)
        return;
    runGuarded([this] {
        if (const std::optional<QString> key = runSearch(SecondCard::None)) {
            // Pending changes of the person shown are saved or dropped as the user says first.
            if (ConfirmPendingChanges(KISI_DS)) {
                ReopenDataset(KISI_DS, QStringLiteral("KISI"), QStringLiteral("BLKISIKODU=") + QuotedStr(*key));
                reloadPhoto();
                LoadLinks();
                showFirstPage();
                AD->setFocus();
            }
        }
        RefreshMarriagePage();
    });
}

void TK_KisiF::ToolScreenClick()
{
    // The relatives' screens open on a saved person only.
    if (!hasPerson() || personKey().isEmpty()) {
        ShowInfo(kChoosePersonMessage);
        return;
    }
}
