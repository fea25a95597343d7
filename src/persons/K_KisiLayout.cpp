// The person card's widgets: header, tool bar, "Kişisel Bilgileri", the navigator and the keys.
#include "persons/K_KisiU.h"

#include "controls/RxDateEdit.h"
#include "controls/ZYRXDBGrid.h"
#include "controls/ZyWinButton.h"
#include "data/DataBinder.h"
#include "persons/K_KisiForms.h"
#include "persons/K_KisiResim.h"

#include <QApplication>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QLabel* label(const QString& text, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

QPushButton* button(const QString& text, const char* name, QWidget* parent)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    b->setFocusPolicy(Qt::TabFocus);
    return b;
}

QIcon standardIcon(QStyle::StandardPixmap p) { return QApplication::style()->standardIcon(p); }

} // namespace

QFormLayout* KisiCompactForm(QWidget* parent)
{
    auto* f = parent ? new QFormLayout(parent) : new QFormLayout;
    f->setVerticalSpacing(2);
    f->setHorizontalSpacing(6);
    if (parent)
        f->setContentsMargins(6, 2, 6, 4);
    return f;
}

void TK_KisiF::buildUi()
{
    m_binder = new DataBinder(&KISI_DS, this);
    auto* top = new QVBoxLayout(this);
    top->setContentsMargins(0, 0, 0, 0);
    top->setSpacing(0);
    top->addWidget(buildHeader());
    top->addWidget(buildToolBar());

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->addTab(buildPersonalPage(), QStringLiteral("Kişisel Bilgileri"));
    PageControl1->addTab(buildOtherPage(), QStringLiteral("Diğer Bilgileri Bilgileri"));
    PageControl1->addTab(buildMarriagePage(), QStringLiteral("Evlilik Bilgileri"));
    top->addWidget(PageControl1, 1);
    top->addWidget(buildNavigator());
    bindGender();
    installShortcuts();
}

QWidget* TK_KisiF::buildHeader()
{
    auto* header = new QWidget(this);
    header->setObjectName(QStringLiteral("PanelBaslik"));
    header->setAutoFillBackground(true);
    header->setStyleSheet(QStringLiteral("#PanelBaslik { background: #1f4e79; } #PanelBaslik > QLabel { color: white; }"
                                         " QWidget#PanelKod, QWidget#PanelKaydeden, QWidget#PanelDuzenleyen"
                                         " { background: #c00000; } #PanelBaslik QWidget QLabel { color: white; }"));
    ImageBASLIK1 = new QLabel(header);
    ImageBASLIK1->setObjectName(QStringLiteral("ImageBASLIK1"));
    ImageBASLIK1->setMaximumSize(120, 44);
    ImageBASLIK1->setScaledContents(true);
    ImageBASLIK2 = new QLabel(header);
    ImageBASLIK2->setObjectName(QStringLiteral("ImageBASLIK2"));
    ImageBASLIK2->hide(); // the strip has room for one header picture
    ImageTOP = new QLabel(header);
    ImageTOP->setObjectName(QStringLiteral("ImageTOP"));
    ImageTOP->setFixedSize(32, 32);
    Label1 = new QLabel(QStringLiteral("Kişi Bilgi Kartı"), header);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont f = Label1->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.3);
    Label1->setFont(f);
    Label1->setWordWrap(true);
    Label1->setMinimumWidth(60);

    // The three red boxes: key, who entered and who last changed the row.
    auto box = [&](const char* panelName, const QString& caption, const char* field) {
        auto* panel = new QWidget(header);
        panel->setObjectName(QString::fromLatin1(panelName));
        panel->setAttribute(Qt::WA_StyledBackground);
        auto* l = new QVBoxLayout(panel);
        l->setContentsMargins(4, 2, 4, 2);
        l->setSpacing(1);
        l->addWidget(new QLabel(caption, panel));
        auto* edit = new QLineEdit(panel);
        edit->setObjectName(QString::fromLatin1(field));
        edit->setReadOnly(true);
        edit->setFocusPolicy(Qt::NoFocus);
        edit->setFixedWidth(90);
        m_binder->bind(edit, QString::fromLatin1(field));
        l->addWidget(edit);
        return std::make_pair(panel, edit);
    };
    auto [kod, kodEdit] = box("PanelKod", QStringLiteral("Bl.Kişi.Kodu"), "BLKISIKODU");
    BoxBLKISIKODU = kodEdit;
    PanelKaydeden = box("PanelKaydeden", QStringLiteral("Kaydeden"), "KAYDEDEN").first;
    PanelDuzenleyen = box("PanelDuzenleyen", QStringLiteral("Düzenleyen"), "DUZENLEYEN").first;

    auto* l = new QHBoxLayout(header);
    l->setContentsMargins(8, 2, 8, 2);
    l->addWidget(ImageBASLIK1);
    l->addWidget(ImageTOP);
    l->addWidget(Label1, 1);
    l->addWidget(kod);
    l->addWidget(PanelKaydeden);
    l->addWidget(PanelDuzenleyen);
    return header;
}

QWidget* TK_KisiF::buildToolBar()
{
    auto* bar = new QWidget(this);
    bar->setObjectName(QStringLiteral("ToolBar1"));
    auto* l = new QHBoxLayout(bar);
    l->setContentsMargins(4, 2, 4, 2);
    l->setSpacing(2);

    ZyWinButton1 = new TZyWinButton(bar);
    ZyWinButton1->setObjectName(QStringLiteral("ZyWinButton1"));
    ZyWinButton1->setCaption(QStringLiteral("Kişi Bul"));
    ZyWinButton1->setGlpyh(standardIcon(QStyle::SP_FileDialogContentsView).pixmap(28, 28));
    ZyWinButton1->setGlphyAlign(TZyWinButton::poTop);
    ZyWinButton1->setToolTip(QStringLiteral("Kişi Bul (F5)"));
    ZyWinButton1->setFixedSize(82, 52);
    connect(ZyWinButton1, &TZyWinButton::OnClick, this, [this] { KisiBulClick(); });
    l->addWidget(ZyWinButton1);

    const struct {
        QToolButton** member;
        const char* name;
        const char* caption;
        QStyle::StandardPixmap icon;
    } tools[] = {
        {&ToolButton1, "ToolButton1", "Alt Kuşak", QStyle::SP_ArrowDown},
        {&ToolButton2, "ToolButton2", "Üst Kuşak", QStyle::SP_ArrowUp},
        {&ToolButton5, "ToolButton5", "Eşt.İ.Alt Kuş.", QStyle::SP_ArrowRight},
        {&ToolButton3, "ToolButton3", "Kzn Kuşağı", QStyle::SP_DirHomeIcon},
        {&ToolButton4, "ToolButton4", "2.Der.Akr.", QStyle::SP_FileDialogDetailedView},
    };
    for (const auto& t : tools) {
        auto* b = new QToolButton(bar);
        b->setObjectName(QString::fromLatin1(t.name));
        b->setText(QString::fromUtf8(t.caption));
        b->setIcon(standardIcon(t.icon));
        b->setIconSize(QSize(32, 32));
        b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        b->setFixedSize(82, 52);
        b->setAutoRaise(true);
        connect(b, &QToolButton::clicked, this, [this] { ToolScreenClick(); });
        *t.member = b;
        l->addWidget(b);
    }
    l->addStretch();

    ZyWinButton3 = new TZyWinButton(bar);
    ZyWinButton3->setObjectName(QStringLiteral("ZyWinButton3"));
    ZyWinButton3->setCaption(QStringLiteral("Kapat"));
    ZyWinButton3->setGlpyh(standardIcon(QStyle::SP_DialogCloseButton).pixmap(28, 28));
    ZyWinButton3->setGlphyAlign(TZyWinButton::poTop);
    ZyWinButton3->setFixedSize(82, 52);
    connect(ZyWinButton3, &TZyWinButton::OnClick, this, [this] { reject(); });
    l->addWidget(ZyWinButton3);
    return bar;
}

QWidget* TK_KisiF::dataField(DataBinder* binder, const QString& field, FieldKind kind, int maxLength,
                             const QStringList& items)
{
    QWidget* w = nullptr;
    switch (kind) {
    case FieldKind::Line: {
        auto* e = new QLineEdit(this);
        e->setMaxLength(maxLength);
        binder->bind(e, field);
        w = e;
        break;
    }
    case FieldKind::Date: {
        auto* e = new TRxDateEdit(this);
        binder->bindDate(e, field);
        w = e;
        break;
    }
    case FieldKind::Memo: {
        auto* m = new QPlainTextEdit(this);
        m->setTabChangesFocus(true); // Enter moves on by a Tab, which must not be typed
        m->setFixedHeight(48);
        binder->bind(m, field);
        w = m;
        break;
    }
    case FieldKind::Combo: {
        auto* c = new QComboBox(this);
        c->addItems(items);
        if (binder)
            binder->bind(c, field);
        w = c;
        break;
    }
    }
    w->setObjectName(field);
    w->installEventFilter(this);
    return w;
}

QWidget* TK_KisiF::buildPersonalPage()
{
    TabSheet1 = new QWidget(this);
    TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
    const FieldKind L = FieldKind::Line, D = FieldKind::Date;

    KISI_KOD = static_cast<QLineEdit*>(dataField(m_binder, QStringLiteral("KISI_KOD"), L, 30));
    AD = static_cast<QLineEdit*>(dataField(m_binder, QStringLiteral("AD"), L, 30));
    QWidget* soyad = dataField(m_binder, QStringLiteral("SOYAD"), L, 30);
    QWidget* dogTar = dataField(m_binder, QStringLiteral("DOG_TAR"), D, 0);
    QWidget* dogYer = dataField(m_binder, QStringLiteral("DOG_YER"), L, 50);
    QWidget* aileAd = dataField(m_binder, QStringLiteral("AILE_AD"), L, 50);
    CINSIYET = static_cast<QComboBox*>(dataField(nullptr, QStringLiteral("CINSIYET"), FieldKind::Combo, 0,
                                                 {QStringLiteral("Bay"), QStringLiteral("Bayan")}));
    QWidget* lakap = dataField(m_binder, QStringLiteral("LAKAP"), L, 50);
    QWidget* adres = dataField(m_binder, QStringLiteral("ADRES"), FieldKind::Memo, 200);
    QWidget* il = dataField(m_binder, QStringLiteral("IL"), L, 20);
    QWidget* ilce = dataField(m_binder, QStringLiteral("ILCE"), L, 20);
    QWidget* ozel1 = dataField(m_binder, QStringLiteral("OZEL_KOD1"), L, 20);
    OZEL_KOD2 = static_cast<QLineEdit*>(dataField(m_binder, QStringLiteral("OZEL_KOD2"), L, 20));
    KAY_TAR = static_cast<QLineEdit*>(dataField(m_binder, QStringLiteral("KAY_TAR"), D, 0));

    auto* left = KisiCompactForm();
    left->addRow(label(QStringLiteral("Kişi Kodu"), TabSheet1), KISI_KOD);
    left->addRow(label(QStringLiteral("Adı"), TabSheet1), AD);
    left->addRow(label(QStringLiteral("Soyadı"), TabSheet1), soyad);
    left->addRow(label(QStringLiteral("Doğum Tarihi"), TabSheet1), dogTar);
    left->addRow(label(QStringLiteral("Doğum Yeri"), TabSheet1), dogYer);
    left->addRow(label(QStringLiteral("Aile Adı (Sülale)"), TabSheet1), aileAd);
    left->addRow(label(QStringLiteral("Cinsiyeti"), TabSheet1), CINSIYET);
    auto* middle = KisiCompactForm();
    middle->addRow(label(QStringLiteral("Lakap"), TabSheet1), lakap);
    middle->addRow(label(QStringLiteral("Adres"), TabSheet1), adres);
    middle->addRow(label(QStringLiteral("İl"), TabSheet1), il);
    middle->addRow(label(QStringLiteral("İlçe"), TabSheet1), ilce);
    middle->addRow(label(QStringLiteral("Özel Kod-1"), TabSheet1), ozel1);
    middle->addRow(label(QStringLiteral("Özel Kod-2"), TabSheet1), OZEL_KOD2);
    middle->addRow(label(QStringLiteral("Kayıt Tarihi"), TabSheet1), KAY_TAR);
    QWidget* order[] = {KISI_KOD, AD, soyad, dogTar, dogYer, aileAd, CINSIYET, lakap, adres, il, ilce, ozel1, OZEL_KOD2, KAY_TAR};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    DBImage1 = new TKisiResim(TabSheet1);
    DBImage1->setObjectName(QStringLiteral("DBImage1"));
    DBImage1->setFixedSize(120, 130);
    BtnFotoEkle = button(QStringLiteral("Fotoğraf ekle"), "BtnFotoEkle", TabSheet1);
    BtnFotoGoster = button(QStringLiteral("Fotoğrafı orjinal boyutunda göster"), "BtnFotoGoster", TabSheet1);
    BtnFotoKaldir = button(QStringLiteral("Fotoğrafı kaldır"), "BtnFotoKaldir", TabSheet1);
    connect(BtnFotoEkle, &QPushButton::clicked, this, [this] { FotoEkleClick(); });
    connect(BtnFotoGoster, &QPushButton::clicked, this, [this] { FotoGosterClick(); });
    connect(BtnFotoKaldir, &QPushButton::clicked, this, [this] { FotoKaldirClick(); });
    auto* photoFrame = new QWidget(TabSheet1);
    photoFrame->setFixedSize(124, 134);
    auto* pf = new QVBoxLayout(photoFrame);
    pf->setContentsMargins(2, 2, 2, 2);
    pf->addWidget(DBImage1);
    auto* photo = new QVBoxLayout;
    photo->addWidget(photoFrame, 0, Qt::AlignHCenter);
    for (QPushButton* b : {BtnFotoEkle, BtnFotoGoster, BtnFotoKaldir})
        photo->addWidget(b);
    photo->addStretch();

    auto* upper = new QHBoxLayout;
    upper->addLayout(left, 1);
    upper->addLayout(middle, 1);
    upper->addLayout(photo);

    // Father, mother and childless spouse panels with their buttons.
    auto linkColumn = [&](QGroupBox* box, QPushButton* fromSaved, QPushButton* fromCard, QPushButton* remove) {
        auto* col = new QVBoxLayout;
        col->setSpacing(2);
        col->addWidget(box, 1);
        for (QPushButton* b : {fromSaved, fromCard, remove})
            col->addWidget(b);
        return col;
    };
    BtnBabaKayitli = button(QStringLiteral("Kayıtlı olan kişilerden\nBaba Ekle/Değiştir"), "BtnBabaKayitli", TabSheet1);
    BtnBabaYeni = button(QStringLiteral("Yeni Kişi Kart Tanımı\nBaba Ekle/Değiştir"), "BtnBabaYeni", TabSheet1);
    BtnBabaSil = button(QStringLiteral("Baba Sil"), "BtnBabaSil", TabSheet1);
    BtnAnneKayitli = button(QStringLiteral("Kayıtlı olan kişilerden\nAnne Ekle/Değiştir"), "BtnAnneKayitli", TabSheet1);
    BtnAnneYeni = button(QStringLiteral("Yeni Kişi Kart Tanımı\nAnne Ekle/Değiştir"), "BtnAnneYeni", TabSheet1);
    BtnAnneSil = button(QStringLiteral("Anne Sil"), "BtnAnneSil", TabSheet1);
    BtnEsKayitli = button(QStringLiteral("Kayıtlı olan kişilerden\nEş Ekle/Değiştir"), "BtnEsKayitli", TabSheet1);
    BtnEsYeni = button(QStringLiteral("Yeni Kişi Kart Tanımı\nEş Ekle/Değiştir"), "BtnEsYeni", TabSheet1);
    BtnEsSil = button(QStringLiteral("Eş Sil"), "BtnEsSil", TabSheet1);
    connect(BtnBabaKayitli, &QPushButton::clicked, this, [this] { ParentFromSearchClick(Parent::Father); });
    connect(BtnBabaYeni, &QPushButton::clicked, this, [this] { ParentFromCardClick(Parent::Father); });
    connect(BtnBabaSil, &QPushButton::clicked, this, [this] { ParentRemoveClick(Parent::Father); });
    connect(BtnAnneKayitli, &QPushButton::clicked, this, [this] { ParentFromSearchClick(Parent::Mother); });
    connect(BtnAnneYeni, &QPushButton::clicked, this, [this] { ParentFromCardClick(Parent::Mother); });
    connect(BtnAnneSil, &QPushButton::clicked, this, [this] { ParentRemoveClick(Parent::Mother); });
    connect(BtnEsKayitli, &QPushButton::clicked, this, [this] { SpouseFromSearchClick(); });
    connect(BtnEsYeni, &QPushButton::clicked, this, [this] { SpouseFromCardClick(); });
    connect(BtnEsSil, &QPushButton::clicked, this, [this] { SpouseRemoveClick(); });

    GroupBoxEs = new QGroupBox(QStringLiteral("Çocuğu Olmayan Eş Bilgileri"), TabSheet1);
    GroupBoxEs->setObjectName(QStringLiteral("GroupBoxEs"));
    DBGrid2 = new TZYRXDBGrid(GroupBoxEs);
    DBGrid2->setObjectName(QStringLiteral("DBGrid2"));
    DBGrid2->setDataset(&ES_DS);
    DBGrid2->setColumns({DBGrid2->makeColumn(QStringLiteral("AD"), QStringLiteral("Adı"), 70),
                         DBGrid2->makeColumn(QStringLiteral("SOYAD"), QStringLiteral("Soyadı"), 70),
                         DBGrid2->makeColumn(QStringLiteral("AILE_AD"), QStringLiteral("Aile Adı"), 70),
                         DBGrid2->makeColumn(QStringLiteral("BLKISIKODU"), QStringLiteral("Bil.Kişi Kodu"), 70),
                         DBGrid2->makeColumn(QStringLiteral("KISI_KOD"), QStringLiteral("Kişi Kodu"), 70)});
    auto* note = new QLabel(QStringLiteral("Not : Çocuğu Olan Eşler Tanımlanamaz Program Çocukları kontrol ederek "
                                           "raporlara kişinin eşlerini ekleyecektir..."),
                            GroupBoxEs);
    note->setObjectName(QStringLiteral("LabelNot"));
    note->setWordWrap(true);
    auto* esLayout = new QVBoxLayout(GroupBoxEs);
    esLayout->setContentsMargins(4, 4, 4, 4);
    esLayout->addWidget(DBGrid2, 1);
    esLayout->addWidget(note);

    auto* lower = new QHBoxLayout;
    lower->addLayout(linkColumn(buildParentPanel(BabaPanel, Baba_Q, true, QStringLiteral("GroupBoxBaba")), BtnBabaKayitli,
                                BtnBabaYeni, BtnBabaSil),
                     1);
    lower->addLayout(linkColumn(buildParentPanel(AnnePanel, Anne_Q, false, QStringLiteral("GroupBoxAnne")),
                                BtnAnneKayitli, BtnAnneYeni, BtnAnneSil),
                     1);
    lower->addLayout(linkColumn(GroupBoxEs, BtnEsKayitli, BtnEsYeni, BtnEsSil), 1);

    auto* page = new QVBoxLayout(TabSheet1);
    page->setContentsMargins(6, 4, 6, 4);
    page->setSpacing(4);
    page->addLayout(upper);
    page->addLayout(lower, 1);
    return TabSheet1;
}

QWidget* TK_KisiF::buildNavigator()
{
    DBNavigator1 = new QWidget(this);
    DBNavigator1->setObjectName(QStringLiteral("DBNavigator1"));
    auto* l = new QHBoxLayout(DBNavigator1);
    l->setContentsMargins(4, 2, 4, 2);
    l->setSpacing(1);
    const struct {
        QToolButton** member;
        const char* name;
        const char* hint;
        QStyle::StandardPixmap icon;
        void (TK_KisiF::*click)();
    } buttons[] = {
        {&NavInsert, "NavInsert", "Yeni kayıt ekle (Ctrl+F2)", QStyle::SP_FileIcon, &TK_KisiF::InsertClick},
        {&NavDelete, "NavDelete", "Kaydı sil (Ctrl+F3)", QStyle::SP_TrashIcon, &TK_KisiF::DeleteClick},
        {&NavEdit, "NavEdit", "Kayıtta düzeltme yap", QStyle::SP_FileDialogDetailedView, &TK_KisiF::EditClick},
        {&NavPost, "NavPost", "Kaydet (Alt+F2)", QStyle::SP_DialogApplyButton, &TK_KisiF::PostClick},
        {&NavCancel, "NavCancel", "Değişiklikleri iptal et (F3)", QStyle::SP_DialogCancelButton, &TK_KisiF::CancelClick},
        {&NavRefresh, "NavRefresh", "Kaydı yenile", QStyle::SP_BrowserReload, &TK_KisiF::RefreshClick},
    };
    for (const auto& b : buttons) {
        auto* t = new QToolButton(DBNavigator1);
        t->setObjectName(QString::fromLatin1(b.name));
        t->setToolTip(QString::fromUtf8(b.hint));
        t->setIcon(standardIcon(b.icon));
        t->setFixedSize(40, 26);
        t->setFocusPolicy(Qt::NoFocus);
        const auto click = b.click;
        connect(t, &QToolButton::clicked, this, [this, click] { (this->*click)(); });
        *b.member = t;
        l->addWidget(t);
    }
    l->addStretch();
    return DBNavigator1;
}

void TK_KisiF::bindGender()
{
    // Shown as "Bay"/"Bayan", stored as "0"/"1".
    auto show = [this] {
        const bool has = KISI_DS.active() && (KISI_DS.recNo() >= 0 || KISI_DS.isEditing());
        const QString v = has ? KISI_DS.text(QStringLiteral("CINSIYET")) : QString();
        const QSignalBlocker block(CINSIYET);
        CINSIYET->setCurrentIndex(v == QLatin1String("0") ? 0 : v == QLatin1String("1") ? 1 : -1);
    };
    connect(&KISI_DS, &Dataset::currentChanged, CINSIYET, show);
    connect(&KISI_DS, &Dataset::stateChanged, CINSIYET, show);
    connect(&KISI_DS, &Dataset::closed, CINSIYET, show);
    connect(&KISI_DS, &Dataset::fieldChanged, CINSIYET, [show](const QString& f) {
        if (f.compare(QLatin1String("CINSIYET"), Qt::CaseInsensitive) == 0)
            show();
    });
    connect(CINSIYET, &QComboBox::activated, this, [this](int index) {
        if (!KISI_DS.active() || index < 0)
            return;
        runGuarded([this, index] {
            if (!KISI_DS.isEditing())
                KISI_DS.edit();
            KISI_DS.setValue(QStringLiteral("CINSIYET"), QString::number(index));
        });
    });
    show();
}

void TK_KisiF::installShortcuts()
{
    m_scInsert = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_F2), this, [this] { InsertClick(); });
    new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_F3), this, [this] { DeleteClick(); });
    new QShortcut(QKeySequence(Qt::ALT | Qt::Key_F2), this, [this] { PostClick(); });
    new QShortcut(QKeySequence(Qt::Key_F3), this, [this] { CancelClick(); });
    m_scKisiBul = new QShortcut(QKeySequence(Qt::Key_F5), this, [this] { KisiBulClick(); });
}
