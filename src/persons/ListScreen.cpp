// The list screens' operations: filtering, clearing, the sort choice, the card, the search and
// the screens opened for one person, and the steps when the screen is first shown.
#include "persons/ListScreen.h"

#include "controls/PopupGrid.h"
#include "controls/ZYRXDBGrid.h"
#include "controls/ZyBtnEdit.h"
#include "data/DataModule.h"
#include "data/DatasetRoutines.h"
#include "data/LoginState.h"
#include "data/SqlText.h"
#include "persons/A_KisiAraU.h"
#include "persons/K_KisiU.h"
#include "persons/PersonFlags.h"
#include "shell/AnaFormU.h"
#include "shell/FormAyar.h"
#include "shell/GeneralRoutines.h"
#include "shell/Messages.h"
#include "shell/SilentAbort.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QHash>
#include <QKeyEvent>
#include <QLabel>
#include <QSpinBox>
#include <QTabWidget>

#include <memory>

// ---------------------------------------------------------------- registry

namespace {

QHash<QString, ListScreenFactory>& factories()
{
    static QHash<QString, ListScreenFactory> map;
    return map;
}

bool isEnter(QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

void RegisterListScreen(const QString& className, ListScreenFactory factory) { factories().insert(className, std::move(factory)); }

ListScreenFactory ListScreenFactoryFor(const QString& className) { return factories().value(className); }

// ---------------------------------------------------------------- criteria

int TListScreen::sortIndex() const { return RG1Items->checkedId(); }

void TListScreen::setSortIndex(int index)
{
    if (QAbstractButton* b = RG1Items->button(index)) {
        b->setChecked(true);
        return;
    }
    RG1Items->setExclusive(false);
    for (QAbstractButton* b : RG1Items->buttons())
        b->setChecked(false);
    RG1Items->setExclusive(true);
}

KisiFilterCriteria TListScreen::criteria() const
{
    KisiFilterCriteria c;
    c.blKisiKoduFrom = Edit1->text();
    c.blKisiKoduTo = Edit2->text();
    c.kisiKod = ZyBtnEdit1->text();
    c.aileAd = Edit4->text();
    c.lakap = EditLAKAP->text();
    c.ozelKod1 = Edit5->text();
    c.ozelKod2 = Edit9->text();
    c.ad = NameEdit->text();
    c.soyad = Edit7->text();
    c.dogYer = Edit8->text();
    c.gender = ComboBox1->currentIndex();
    c.kayTarFrom = RxDateEdit1->Text();
    c.kayTarTo = RxDateEdit2->Text();
    c.dogTarFrom = RxDateEdit4->Text();
    c.dogTarTo = RxDateEdit3->Text();
    c.kaydeden = ComboKAYDEDEN->currentText();
    c.duzenleyen = ComboDUZENLEYEN->currentText();
    c.sortIndex = sortIndex();
    c.sortDescending = CH1->isChecked();
    return c;
}

QString TListScreen::statusText(int panel) const
{
    return panel >= 0 && panel < m_statusPanels.size() ? m_statusPanels[panel]->text() : QString();
}

// ---------------------------------------------------------------- operations

void TListScreen::checkDates()
{
    // A date the edit cannot hold never reaches the server.
    for (TRxDateEdit* e : {RxDateEdit1, RxDateEdit2, RxDateEdit4, RxDateEdit3})
        if (!e->isEmptyDate() && !e->date().isValid()) {
            ShowInfo(QStringLiteral("Geçersiz tarih : ") + e->Text());
            e->setFocus();
            Abort();
        }
}

void TListScreen::Filter()
{
    WaitCursor cursor;
    if (ComboKAYDEDEN->currentText().isEmpty())
        ComboKAYDEDEN->setEditText(QStringLiteral(" "));
    if (ComboDUZENLEYEN->currentText().isEmpty())
        ComboDUZENLEYEN->setEditText(QStringLiteral(" "));
    checkDates();
    QLIST.close();
    m_statement = BuildListStatement(criteria());
    QLIST.setSql(JoinStatement(m_statement));
    m_statusPanels[1]->clear();
    m_statusPanels[1]->setText(CountListRows(QLIST.database(), QLIST.transaction(), m_statement));
    QLIST.open();
    if (PageControl2)
        PageControl2->setCurrentWidget(TabSheet5);
    ZYRXDBGrid1->setFocus();
    afterFilter();
}

void TListScreen::Hepsi()
{
    Clear();
    Filter();
    ZYRXDBGrid1->setFocus();
}

void TListScreen::Clear()
{
    for (QLineEdit* e : {Edit1, Edit2, static_cast<QLineEdit*>(ZyBtnEdit1), Edit4, Edit5, NameEdit, Edit7, Edit8, Edit9,
                         EditLAKAP})
        e->clear();
    ComboBox1->setCurrentIndex(-1);
    for (TRxDateEdit* e : {RxDateEdit1, RxDateEdit2, RxDateEdit4, RxDateEdit3})
        e->clear();
    setSortIndex(0);
    CH1->setChecked(false);
    ComboKAYDEDEN->setEditText(QStringLiteral(" "));
    ComboDUZENLEYEN->setEditText(QStringLiteral(" "));
    PageControl1->setCurrentWidget(TabSheet1);
    NameEdit->setFocus();
}

void TListScreen::ApplySortChoice()
{
    const SortChoice s = LoadSortChoice(objectName());
    if (!s.error.isEmpty())
        ShowInfo(s.error);
    if (s.found) {
        setSortIndex(s.itemIndex);
        CH1->setChecked(s.descending);
    }
}

Dataset& TListScreen::personDataset() { return QLIST; }

void TListScreen::showNoRows() { ShowInfo(kListeKayitYok); }

void TListScreen::calcFields(Dataset& dataset) { CalcGenderField(dataset); }

void TListScreen::OpenCard() { OpenCardFor(personDataset()); }

void TListScreen::OpenCardFor(Dataset& from)
{
    if (!from.active() || from.isEmpty()) {
        showNoRows();
        return;
    }
    const QVariant fromKey = from.value(QStringLiteral("BLKISIKODU"));
    const QVariant listKey =
        QLIST.active() && !QLIST.isEmpty() ? QLIST.value(QStringLiteral("BLKISIKODU")) : QVariant();
    bool edited = false;
    {
        std::unique_ptr<TK_KisiF> card(new TK_KisiF(this));
        ReopenDataset(card->KISI_DS, QStringLiteral("KISI"),
                      QStringLiteral("BLKISIKODU=") + QuotedStr(from.text(QStringLiteral("BLKISIKODU"))));
        card->exec();
        edited = card->Edited;
    }
    afterCardClosed(from, listKey, fromKey, edited);
}

void TListScreen::afterCardClosed(Dataset& from, const QVariant& listKey, const QVariant& fromKey, bool edited)
{
    Filter();
    if (listKey.isValid() && !QLIST.isEmpty())
        QLIST.locate(QStringLiteral("BLKISIKODU"), listKey);
    if (&from != &QLIST && fromKey.isValid() && from.active() && !from.isEmpty())
        from.locate(QStringLiteral("BLKISIKODU"), fromKey);
}

void TListScreen::PrintList()
{
    if (!QLIST.active() || QLIST.isEmpty()) {
        ShowInfo(kListeBos);
        return;
    }
    showListReport();
}

void TListScreen::Customize()
{
    // As a right click into the grid's cells, which is where the grid takes its menu from.
    QWidget* cells = ZYRXDBGrid1->viewport();
    const QPoint pos = cells->rect().center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, pos, cells->mapToGlobal(pos));
    QApplication::sendEvent(cells, &event);
}

void TListScreen::FindBySearch()
{
    std::unique_ptr<TA_KisiAraF> search(new TA_KisiAraF(this));
    SearchConfirmed = false;
    search->exec();
    Dataset& result = search->Q_KisiARA;
    if (SearchConfirmed && result.active() && !result.isEmpty()) {
        ZyBtnEdit1->setText(result.text(QStringLiteral("KISI_KOD")));
        Filter();
    }
}

void TListScreen::OpenScreenForPerson(const QString& className)
{
    Dataset& ds = personDataset();
    if (!ds.active() || ds.isEmpty()) {
        ShowInfo(kListeKayitYok);
        return;
    }
    const QString key = ds.text(QStringLiteral("BLKISIKODU"));
    const ListScreenFactory make = ListScreenFactoryFor(className);
    if (!make)
        return;
    struct Reset {
        ~Reset() { OpenForPerson = false; }
    } reset;
    OpenForPerson = true;
    std::unique_ptr<TListScreen> screen(make(this));
    screen->Edit1->setText(key);
    screen->Edit2->setText(key);
    screen->exec();
}

// ---------------------------------------------------------------- showing

void TListScreen::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    runShowSteps();
}

void TListScreen::hideRecorderColumns()
{
    // Unbound, so a saved layout that names them cannot show them again.
    for (const char* field : {"KAYDEDEN", "DUZENLEYEN"}) {
        const int i = ColumnIndexByField(ZYRXDBGrid1, QLatin1String(field));
        if (i < 0)
            continue;
        GridColumn c = ZYRXDBGrid1->column(i);
        c.visible = false;
        c.fieldName.clear();
        ZYRXDBGrid1->setColumn(i, c);
    }
}

void TListScreen::runShowSteps()
{
    beforeShowSteps();
    FormAyar(this, -1);
    if (AnaF && !m_options.menuItemName.isEmpty())
        if (QAction* item = AnaF->menuItem(m_options.menuItemName); item && !item->icon().isNull())
            ImageTOP->setPixmap(item->icon().pixmap(32, 32));
    PageControl1->setCurrentWidget(TabSheet1);
    PageControl1->setTabVisible(PageControl1->indexOf(TabSheet4), Login().serverMode);
    RaporGridSakla(ZYRXDBGrid1);
    if (Login().serverMode)
        D_Genel()->FillUserNameLists(ComboKAYDEDEN, ComboDUZENLEYEN);
    else
        hideRecorderColumns();
    if (m_options.clearOnShow)
        Clear();
    ApplySortChoice();
    NameEdit->setFocus();
    afterShowSteps();
    if (OpenForPerson) {
        struct Reset {
            ~Reset() { OpenForPerson = false; }
        } reset;
        Filter();
        openedForPerson();
    }
}

void TListScreen::kartbulTriggered()
{
    if (PageControl2 && PageControl2->currentWidget() == TabSheet7)
        diagramPageF5();
    else
        FindBySearch();
}

bool TListScreen::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && diagramKey(static_cast<QKeyEvent*>(event)))
        return true;
    if (isEnter(event)) {
        if (RxSpinEdit1 && (watched == RxSpinEdit1 || watched->parent() == RxSpinEdit1)) {
            ApplyTypedZoom();
            return true;
        }
        if (watched == ZYRXDBGrid1) {
            OpenCard();
            return true;
        }
        if (watched->isWidgetType() && isAncestorOf(static_cast<QWidget*>(watched))) {
            Filter();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
