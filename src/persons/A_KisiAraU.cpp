#include "persons/A_KisiAraU.h"

#include "controls/ModalResult.h"
#include "controls/PopupGrid.h"
#include "controls/ZYFormHeader.h"
#include "controls/ZYRXDBGrid.h"
#include "controls/ZyWinButton.h"
#include "data/DataModule.h"
#include "persons/PersonFlags.h"
#include "shell/AnaFormU.h"
#include "shell/FormAyar.h"
#include "shell/GeneralRoutines.h"
#include "shell/Messages.h"
#include "shell/SilentAbort.h"

#include <QApplication>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

template <class W>
W* named(W* w, const char* name)
{
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

} // namespace

TA_KisiAraF::TA_KisiAraF(QWidget* parent)
    : QDialog(parent ? parent : AnaF,
              Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      Q_KisiARA(D_Genel()->DB_KUSAK, D_Genel()->TR_KUSAK),
      Kisi_Q(D_Genel()->DB_KUSAK, D_Genel()->TR_KUSAK),
      Ek_Q(D_Genel()->DB_KUSAK, D_Genel()->TR_KUSAK)
{
    setObjectName(QStringLiteral("A_KisiAraF"));
    setWindowTitle(MainWindowCaption());
    SearchConfirmed = false;
    Q_KisiARA.setSql(QStringLiteral("select BLKISIKODU, KISI_KOD, AD, SOYAD, AILE_AD, GURUP, ADRES,LAKAP from KISI"));
    Kisi_Q.setSql(QStringLiteral("SELECT * FROM KISI"));

    ZYFormHeader1 = named(new TZYFormHeader(this), "ZYFormHeader1");
    ZYFormHeader1->setTitle(QStringLiteral("Kişi Arama"));

    Panel1 = named(new QWidget(this), "Panel1");
    Panel1->setFixedWidth(148);
    Label1 = named(new QLabel(QStringLiteral("Arama"), Panel1), "Label1");
    Edit1 = named(new QLineEdit(Panel1), "Edit1");
    Label2 = named(new QLabel(QStringLiteral("Gurubu"), Panel1), "Label2");
    Edit2 = named(new QLineEdit(Panel1), "Edit2");
    ZyWinButton1 = named(new TZyWinButton(Panel1), "ZyWinButton1");
    ZyWinButton1->setCaption(QStringLiteral("Filtrele (F2)"));
    Label3 = named(new QLabel(QStringLiteral("Arama Kriteri"), Panel1), "Label3");
    RB1 = named(new QRadioButton(QStringLiteral("Kişi Kodu"), Panel1), "RB1");
    RB2 = named(new QRadioButton(QStringLiteral("Kişi Adı"), Panel1), "RB2");
    RB4 = named(new QRadioButton(QStringLiteral("Aile Adı"), Panel1), "RB4");
    RB5 = named(new QRadioButton(QStringLiteral("Hepsi"), Panel1), "RB5");
    RB2->setChecked(true);
    Label1->setBuddy(Edit1);
    Label2->setBuddy(Edit2);

    auto* left = new QVBoxLayout(Panel1);
    left->setContentsMargins(6, 6, 6, 6);
    for (QWidget* w : {static_cast<QWidget*>(Label1), static_cast<QWidget*>(Edit1), static_cast<QWidget*>(Label2),
                       static_cast<QWidget*>(Edit2), static_cast<QWidget*>(ZyWinButton1)})
        left->addWidget(w);
    left->addSpacing(8);
    left->addWidget(Label3);
    for (QRadioButton* rb : {RB1, RB2, RB4, RB5})
        left->addWidget(rb);
    left->addStretch();

    ZYRXDBGrid1 = named(new TZYRXDBGrid(this), "ZYRXDBGrid1");
    ZYRXDBGrid1->setColumns({
        ZYRXDBGrid1->makeColumn(QStringLiteral("AD"), QStringLiteral("Adı"), 100),
        ZYRXDBGrid1->makeColumn(QStringLiteral("SOYAD"), QStringLiteral("Soyadı"), 100),
        ZYRXDBGrid1->makeColumn(QStringLiteral("ANNE_ADI"), QStringLiteral("Anne"), 130),
        ZYRXDBGrid1->makeColumn(QStringLiteral("BABA_ADI"), QStringLiteral("Baba"), 130),
        ZYRXDBGrid1->makeColumn(QStringLiteral("AILE_AD"), QStringLiteral("Aile Adı"), 110),
        ZYRXDBGrid1->makeColumn(QStringLiteral("KISI_KOD"), QStringLiteral("Kişi Kodu"), 80),
        ZYRXDBGrid1->makeColumn(QStringLiteral("BLKISIKODU"), QStringLiteral("Bl.Kisi.Kd."), 70),
    });
    ZYRXDBGrid1->setDataset(&Q_KisiARA);
    if (AnaF)
        ZYRXDBGrid1->setPopupMenu(AnaF->findChild<QMenu*>(QStringLiteral("PopupGrid")));

    BTNOK = named(new TZyWinButton(this), "BTNOK");
    BTNOK->setCaption(QStringLiteral("Tamam"));
    BTNOK->setModalResult(mrOk);
    BTNVAZ = named(new TZyWinButton(this), "BTNVAZ");
    BTNVAZ->setCaption(QStringLiteral("Vazgeç"));
    BTNVAZ->setModalResult(mrCancel);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BTNOK);
    buttons->addWidget(BTNVAZ);
    auto* right = new QVBoxLayout;
    right->addWidget(ZYRXDBGrid1, 1);
    right->addLayout(buttons);
    auto* body = new QHBoxLayout;
    body->setContentsMargins(4, 4, 4, 4);
    body->addWidget(Panel1);
    body->addLayout(right, 1);
    auto* top = new QVBoxLayout(this);
    top->setContentsMargins(0, 0, 0, 0);
    top->setSpacing(0);
    top->addWidget(ZYFormHeader1);
    top->addLayout(body, 1);
    resize(720, 420);

    connect(ZyWinButton1, &TZyWinButton::OnClick, this, [this] { Search(); });
    connect(ZYRXDBGrid1, &QAbstractItemView::doubleClicked, this, [this] { done(mrOk); });
    // The form sees its keys before the focused control does.
    qApp->installEventFilter(this);
}

TA_KisiAraF::~TA_KisiAraF()
{
    qApp->removeEventFilter(this);
    ZYRXDBGrid1->setDataset(nullptr);
}

KisiAraCriteria TA_KisiAraF::criteria() const
{
    KisiAraCriteria c;
    if (RB1->isChecked())
        c.field = KisiAraField::KisiKodu;
    else if (RB4->isChecked())
        c.field = KisiAraField::AileAdi;
    else if (RB5->isChecked())
        c.field = KisiAraField::Hepsi;
    else
        c.field = KisiAraField::KisiAdi;
    c.text = Edit1->text();
    c.group = Edit2->text();
    return c;
}

QStringList TA_KisiAraF::SearchLines()
{
    KisiAraModes modes;
    modes.spouse = EsModu;
    modes.father = BabaModu;
    modes.mother = AnneModu;
    const KisiAraSubject subject = SubjectFrom(Kisi_Q);
    // Without the subject's key every exclusion would compare with an empty text.
    if (modes.any() && subject.P.isEmpty()) {
        ShowInfo(QStringLiteral("Kişi seçiniz yada kaydı tamamlayınız !"));
        Abort();
    }
    return KisiAraLines(subject, modes, criteria(), [this](const QString& sql) { return JoinedKeys(Ek_Q, sql); });
}

void TA_KisiAraF::Search()
{
    WaitCursor wait;
    Q_KisiARA.close();
    Q_KisiARA.setSql(QString());
    Q_KisiARA.setSql(SearchLines().join(QLatin1Char('\n')));
    Q_KisiARA.open();
    ZYRXDBGrid1->setFocus();
}

void TA_KisiAraF::done(int result)
{
    SearchConfirmed = result == mrOk;
    m_closing = true;
    QDialog::done(result);
    m_closing = false;
}

void TA_KisiAraF::closeEvent(QCloseEvent* event)
{
    if (!m_closing)
        SearchConfirmed = false;
    QDialog::closeEvent(event);
}

void TA_KisiAraF::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_shownOnce)
        return;
    m_shownOnce = true;
    FormAyar(this);
    if (!parentWidget() && AnaF)
        move(AnaF->frameGeometry().center() - rect().center());
    RaporGridSakla(ZYRXDBGrid1);
    Edit1->clear();
    Edit2->clear();
    Edit1->setFocus();
}

bool TA_KisiAraF::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType() || !isVisible()
        || static_cast<QWidget*>(watched)->window() != this)
        return QDialog::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    switch (key->key()) {
    case Qt::Key_F2:
        Search();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        done(mrOk);
        return true;
    case Qt::Key_Escape:
        done(mrCancel);
        return true;
    default:
        return QDialog::eventFilter(watched, event);
    }
}
