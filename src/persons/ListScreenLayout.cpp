// The list screens' widgets: header, filter panel pages, grid, status bar, actions and tool buttons.
#include "persons/ListScreen.h"

#include "controls/PopupGrid.h"
#include "controls/ZYRXDBGrid.h"
#include "controls/ZyBtnEdit.h"
#include "controls/ZyWinButton.h"
#include "data/DataModule.h"
#include "persons/PersonFlags.h"
#include "shell/AnaFormU.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

struct GridColumnDef {
    const char* field;
    const char* title;
    int width;
};

const GridColumnDef kColumns[] = {
    {"AD", "Adı", 100}, {"SOYAD", "Soyadı", 100}, {"ANNE_AD", "Anne", 150}, {"BABA_AD", "Baba", 150},
    {"AILE_AD", "Aile Adı (Sülale)", 120}, {"LAKAP", "Lakap", 80}, {"DOG_TAR", "Doğum Tar.", 75},
    {"OL_TAR", "Ölüm Tar.", 75}, {"KAY_TAR", "Kayıt Tar.", 75}, {"CNS", "Cinsiyeti", 55}, {"GURUP", "Gurubu", 80},
    {"DOG_YER", "Doğum Yeri", 100}, {"M_HAL", "Medeni Hal", 65}, {"ASKERLIK", "Askerlik", 65},
    {"ADRES", "Adres", 200}, {"IL", "İL", 80}, {"ILCE", "lçe", 80}, {"TEL1", "Tel1", 80}, {"TEL2", "Tel2", 80},
    {"CEP_TEL1", "Cep Tel1", 80}, {"CEP_TEL2", "Cep Tel2", 80}, {"K_NOT", "Özel Bilgi Açıklaması", 200},
    {"MEZUNIYET", "Mezuniyet", 90}, {"OKUL_AD", "Okul Adı", 150}, {"O_IL", "Okul İli", 80},
    {"O_ILCE", "Okul İlçesi", 80}, {"E_NOT", "Eğitim Bilgileri Açıklaması", 200},
    {"TIC_UNV", "Ticaret Ünvanı", 200}, {"T_NOT", "Ticaret Bilgi Açıklaması", 200}, {"IS_TEL", "İş Tel.", 90},
    {"IS_FAX", "İş Fax", 90}, {"IS_ADRES", "İş Adresi", 200}, {"IS_IL", "İş İli", 80}, {"IS_ILCE", "İş İlçe", 80},
    {"SAGLIK", "Hastalık Adı", 120}, {"S_NOT", "Hastalık Açıklaması", 200}, {"OZEL_KOD1", "Özel Kod1", 80},
    {"OZEL_KOD2", "Özel Kod2", 80}, {"BLKISIKODU", "Bl.Kişi Kodu", 75}, {"KISI_KOD", "Kişi Kodu", 80},
    {"KAYDEDEN", "Kaydeden", 80}, {"DUZENLEYEN", "Düzenleyen", 80},
};

// Title background of the first two columns: red 205, green 206, blue 179.
constexpr TColor kKeyTitleColor = 205 | (206 << 8) | (179 << 16);

struct NavigationTarget {
    const char* className;
    const char* caption;
    const char* hint;
    QStyle::StandardPixmap icon;
};

const NavigationTarget kTargets[] = {
    {"TF_inAgac_F", "Alt Kuşak", "Alt Kuşak Soyağacı", QStyle::SP_ArrowDown},
    {"TF_upAgac_F", "Üst Kuşak", "Üst Kuşak Soyağacı", QStyle::SP_ArrowUp},
    {"TF_inAgac2_F", "Eşten İn.Alt Kuş.", "Eşten İnen Alt Kuşak", QStyle::SP_ArrowRight},
    {"TF_Kzn_F", "Kzn.Kuşağı", "Kuzen Kuşağı", QStyle::SP_FileDialogDetailedView},
    {"TF_Akr_2F", "2.Der.Akr.", "2.Derece Akraba Listesi", QStyle::SP_DirClosedIcon},
};

} // namespace

// ---------------------------------------------------------------- construction

TListScreen::TListScreen(const ListScreenOptions& options, QWidget* parent)
    : QDialog(parent), QLIST(D_Genel()->DB_KUSAK, D_Genel()->TR_KUSAK, this), m_options(options)
{
    setObjectName(options.formName);
    setWindowTitle(options.caption);
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    setWindowState(Qt::WindowMaximized);
    QLIST.setObjectName(QStringLiteral("QLIST"));
    QLIST.setSql(QStringLiteral("select * from KISI"));
    AddGenderField(QLIST);
    QLIST.onCalcFields = [this](Dataset& ds) { calcFields(ds); };

    auto* top = new QVBoxLayout(this);
    top->setContentsMargins(0, 0, 0, 0);
    top->setSpacing(0);
    buildHeader();
    top->addWidget(Panel2);
    ToolBar1 = new QToolBar(this);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    ToolBar1->setIconSize(QSize(32, 32));
    top->addWidget(ToolBar1);
    m_body = new QHBoxLayout;
    m_body->setContentsMargins(2, 2, 2, 2);
    top->addLayout(m_body, 1);
    buildFilterPanel();
    buildList();
    m_body->addWidget(Panel4);
    if (m_options.diagramPages)
        buildDiagramPages();
    else
        setListWidget(ZYRXDBGrid1);
    top->addWidget(StatusBar1);
    buildActions();
}

TListScreen::~TListScreen()
{
    // The grid must let go of the list before the list goes.
    ZYRXDBGrid1->setDataset(nullptr);
}

void TListScreen::buildHeader()
{
    Panel2 = new QFrame(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setAutoFillBackground(true);
    Panel2->setStyleSheet(QStringLiteral("#Panel2 { background: white; }"));
    auto* h = new QHBoxLayout(Panel2);
    h->setContentsMargins(4, 2, 4, 2);
    ImageTOP = new QLabel(Panel2);
    ImageTOP->setObjectName(QStringLiteral("ImageTOP"));
    ImageTOP->setFixedSize(36, 36);
    LabelBaslik = new QLabel(m_options.headerText, Panel2);
    LabelBaslik->setObjectName(QStringLiteral("LabelBaslik"));
    QFont f = LabelBaslik->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.4);
    LabelBaslik->setFont(f);
    ImageBASLIK1 = new QLabel(Panel2);
    ImageBASLIK1->setObjectName(QStringLiteral("ImageBASLIK1"));
    ImageBASLIK2 = new QLabel(Panel2);
    ImageBASLIK2->setObjectName(QStringLiteral("ImageBASLIK2"));
    h->addWidget(ImageTOP);
    h->addWidget(LabelBaslik);
    h->addStretch(1);
    h->addWidget(ImageBASLIK1);
    h->addWidget(ImageBASLIK2);
}

void TListScreen::buildFilterPanel()
{
    Panel4 = new QFrame(this);
    Panel4->setObjectName(m_options.filterPanelName);
    Panel4->setFixedWidth(300);
    auto* v = new QVBoxLayout(Panel4);
    v->setContentsMargins(0, 0, 0, 0);
    PageControl1 = new QTabWidget(Panel4);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setUsesScrollButtons(false);
    QFont bold = PageControl1->font();
    bold.setBold(true);
    PageControl1->tabBar()->setFont(bold);
    // All four pages' tabs must show at once beside the list; tight padding lets them fit.
    PageControl1->tabBar()->setStyleSheet(QStringLiteral("QTabBar::tab { padding: 4px 5px; }"));
    v->addWidget(PageControl1, 1);

    auto page = [this](const char* name, const QString& caption) {
        auto* w = new QWidget(PageControl1);
        w->setObjectName(QLatin1String(name));
        PageControl1->addTab(w, caption);
        return w;
    };
    auto lineEdit = [this](QWidget* parent, const QString& name) {
        auto* e = new QLineEdit(parent);
        e->setObjectName(name);
        return e;
    };

    // "Filtreleme"
    TabSheet1 = page("TabSheet1", QStringLiteral("Filtreleme"));
    auto* g = new QGridLayout(TabSheet1);
    int row = 0;
    auto addRow = [&](const QString& label, QWidget* w) {
        g->addWidget(new QLabel(label, TabSheet1), row, 0);
        g->addWidget(w, row, 1, 1, 3);
        ++row;
    };
    NameEdit = lineEdit(TabSheet1, m_options.nameEditName);
    Edit7 = lineEdit(TabSheet1, QStringLiteral("Edit7"));
    Edit4 = lineEdit(TabSheet1, QStringLiteral("Edit4"));
    EditLAKAP = lineEdit(TabSheet1, QStringLiteral("EditLAKAP"));
    Edit1 = lineEdit(TabSheet1, QStringLiteral("Edit1"));
    Edit2 = lineEdit(TabSheet1, QStringLiteral("Edit2"));
    ZyBtnEdit1 = new TZyBtnEdit(TabSheet1);
    ZyBtnEdit1->setObjectName(QStringLiteral("ZyBtnEdit1"));
    Edit5 = lineEdit(TabSheet1, QStringLiteral("Edit5"));
    Edit9 = lineEdit(TabSheet1, QStringLiteral("Edit9"));
    Edit8 = lineEdit(TabSheet1, QStringLiteral("Edit8"));
    ComboBox1 = new QComboBox(TabSheet1);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->addItems({QStringLiteral("Bay"), QStringLiteral("Bayan")});
    ComboBox1->setCurrentIndex(-1);
    addRow(QStringLiteral("Adı"), NameEdit);
    addRow(QStringLiteral("Soyadı"), Edit7);
    addRow(QStringLiteral("Aile (Sülale)"), Edit4);
    addRow(QStringLiteral("Lakap"), EditLAKAP);
    g->addWidget(new QLabel(QStringLiteral("Bl.Kişi Kodu"), TabSheet1), row, 0);
    g->addWidget(Edit1, row, 1);
    g->addWidget(new QLabel(QStringLiteral("ile"), TabSheet1), row, 2);
    g->addWidget(Edit2, row, 3);
    ++row;
    addRow(QStringLiteral("Kişi Kodu"), ZyBtnEdit1);
    addRow(QStringLiteral("Özel Kodu-1"), Edit5);
    addRow(QStringLiteral("Özel Kodu-2"), Edit9);
    addRow(QStringLiteral("Doğum Yeri"), Edit8);
    addRow(QStringLiteral("Cinsiyeti"), ComboBox1);
    g->setRowStretch(row, 1);

    // "Aralıklar"
    TabSheet2 = page("TabSheet2", QStringLiteral("Aralıklar"));
    auto* v2 = new QVBoxLayout(TabSheet2);
    auto dateGroup = [&](const QString& title, const char* from, const char* to, TRxDateEdit*& fromEdit,
                         TRxDateEdit*& toEdit) {
        auto* box = new QGroupBox(title, TabSheet2);
        auto* bg = new QGridLayout(box);
        fromEdit = new TRxDateEdit(box);
        fromEdit->setObjectName(QLatin1String(from));
        toEdit = new TRxDateEdit(box);
        toEdit->setObjectName(QLatin1String(to));
        bg->addWidget(fromEdit, 0, 0);
        bg->addWidget(new QLabel(QStringLiteral("Tarihinden"), box), 0, 1);
        bg->addWidget(toEdit, 1, 0);
        bg->addWidget(new QLabel(QStringLiteral("Tarihine"), box), 1, 1);
        v2->addWidget(box);
    };
    dateGroup(QStringLiteral("Kayıt Tarihi"), "RxDateEdit1", "RxDateEdit2", RxDateEdit1, RxDateEdit2);
    dateGroup(QStringLiteral("Doğum Tarihi"), "RxDateEdit4", "RxDateEdit3", RxDateEdit4, RxDateEdit3);
    v2->addStretch(1);

    // "Sıralama"
    TabSheet3 = page("TabSheet3", QStringLiteral("Sıralama"));
    auto* v3 = new QVBoxLayout(TabSheet3);
    RG1 = new QGroupBox(TabSheet3);
    RG1->setObjectName(QStringLiteral("RG1"));
    RG1Items = new QButtonGroup(RG1);
    auto* rv = new QVBoxLayout(RG1);
    const QStringList items = SortItems();
    for (int i = 0; i < items.size(); ++i) {
        auto* b = new QRadioButton(items[i], RG1);
        b->setObjectName(QStringLiteral("RG1_%1").arg(i));
        RG1Items->addButton(b, i);
        rv->addWidget(b);
    }
    RG1Items->button(0)->setChecked(true);
    CH1 = new QCheckBox(QStringLiteral("Sıralamayı Ters Çevir"), TabSheet3);
    CH1->setObjectName(QStringLiteral("CH1"));
    v3->addWidget(RG1);
    v3->addWidget(CH1);
    v3->addStretch(1);

    // "Yetkili"
    TabSheet4 = page("TabSheet4", QStringLiteral("Yetkili"));
    auto* g4 = new QGridLayout(TabSheet4);
    auto recorder = [&](const char* name, const QString& label, int r) {
        auto* c = new QComboBox(TabSheet4);
        c->setObjectName(QLatin1String(name));
        c->setEditable(true);
        c->setInsertPolicy(QComboBox::NoInsert);
        c->lineEdit()->setMaxLength(15);
        g4->addWidget(new QLabel(label, TabSheet4), r, 0);
        g4->addWidget(c, r, 1);
        return c;
    };
    ComboKAYDEDEN = recorder("ComboKAYDEDEN", QStringLiteral("Kaydeden"), 0);
    ComboDUZENLEYEN = recorder("ComboDUZENLEYEN", QStringLiteral("Düzenleyen"), 1);
    g4->setRowStretch(2, 1);

    // The three buttons at the bottom.
    Panel5 = new QFrame(Panel4);
    Panel5->setObjectName(QStringLiteral("Panel5"));
    auto* h5 = new QHBoxLayout(Panel5);
    h5->setContentsMargins(2, 2, 2, 2);
    auto button = [this](const char* name, const QString& caption, const QString& hint) {
        auto* b = new TZyWinButton(Panel5);
        b->setObjectName(QLatin1String(name));
        b->setCaption(caption);
        b->setToolTip(hint);
        b->setFixedHeight(30);
        return b;
    };
    ZyWinButton4 = button("ZyWinButton4", QStringLiteral("Filtrele"), QStringLiteral("Filtrele (F2)"));
    ZyWinButton5 = button("ZyWinButton5", QStringLiteral("Hepsi"), QStringLiteral("Kayıtları Göster (F3)"));
    ZyWinButton6 = button("ZyWinButton6", QString(), QStringLiteral("Temizle (Alt+T)"));
    ZyWinButton6->setGlpyh(style()->standardIcon(QStyle::SP_DialogResetButton).pixmap(16, 16));
    ZyWinButton6->setFixedWidth(36);
    h5->addWidget(ZyWinButton4, 1);
    h5->addWidget(ZyWinButton5, 1);
    h5->addWidget(ZyWinButton6);
    v->addWidget(Panel5);
    connect(ZyWinButton4, &TZyWinButton::OnClick, this, [this] { Filter(); });
    connect(ZyWinButton5, &TZyWinButton::OnClick, this, [this] { Hepsi(); });
    connect(ZyWinButton6, &TZyWinButton::OnClick, this, [this] { Clear(); });
    connect(ZyBtnEdit1, &ZyButtonEditBase::OnBtnClick, this, [this] { FindBySearch(); });

    for (QWidget* w : std::initializer_list<QWidget*>{NameEdit, Edit7, Edit4, EditLAKAP, Edit1, Edit2, ZyBtnEdit1,
                                                      Edit5, Edit9, Edit8, ComboBox1, RxDateEdit1, RxDateEdit2,
                                                      RxDateEdit4, RxDateEdit3, ComboKAYDEDEN, ComboDUZENLEYEN})
        w->installEventFilter(this);
    ComboKAYDEDEN->lineEdit()->installEventFilter(this);
    ComboDUZENLEYEN->lineEdit()->installEventFilter(this);
}

void TListScreen::buildList()
{
    ZYRXDBGrid1 = new TZYRXDBGrid(this);
    ZYRXDBGrid1->setObjectName(QStringLiteral("ZYRXDBGrid1"));
    ZYRXDBGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ZYRXDBGrid1->setShowGrid(true);
    ZYRXDBGrid1->setDataset(&QLIST);
    std::vector<GridColumn> columns;
    for (const GridColumnDef& d : kColumns) {
        if (!m_options.gurupColumn && qstrcmp(d.field, "GURUP") == 0)
            continue;
        GridColumn c = ZYRXDBGrid1->makeColumn(QLatin1String(d.field), QString::fromUtf8(d.title), d.width);
        c.titleFont.setBold(true);
        if (columns.size() < 2)
            c.titleColor = kKeyTitleColor;
        columns.push_back(c);
    }
    ZYRXDBGrid1->setColumns(std::move(columns));
    TPopupGrid* popup = AnaF ? AnaF->findChild<TPopupGrid*>(QStringLiteral("PopupGrid")) : nullptr;
    if (!popup)
        popup = new TPopupGrid(this);
    ZYRXDBGrid1->setPopupMenu(popup);
    ZYRXDBGrid1->installEventFilter(this);
    connect(ZYRXDBGrid1, &QAbstractItemView::doubleClicked, this, [this] { OpenCard(); });

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    auto panel = [this](const QString& text, int width) {
        auto* l = new QLabel(text, StatusBar1);
        l->setObjectName(QStringLiteral("StatusPanel%1").arg(m_statusPanels.size()));
        if (width > 0)
            l->setFixedWidth(width);
        StatusBar1->addWidget(l, width > 0 ? 0 : 1);
        m_statusPanels << l;
    };
    panel(QStringLiteral(" Listelenen Kayıt Sayısı"), 160);
    panel(QString(), m_options.diagramNote ? 80 : 0);
    if (m_options.diagramNote)
        panel(QStringLiteral("Not :  Ağaç şeması boyut ayarı için sağ tıklayınız..."), 0);
}

void TListScreen::buildActions()
{
    auto action = [this](const char* name, const QKeySequence& key, std::function<void()> handler) {
        auto* a = new QAction(this);
        a->setObjectName(QLatin1String(name));
        a->setShortcut(key);
        a->setShortcutContext(Qt::WindowShortcut);
        if (handler)
            connect(a, &QAction::triggered, this, [handler] { handler(); });
        addAction(a);
        return a;
    };
    FilterAction = action("Filter", QKeySequence(Qt::Key_F2), [this] { Filter(); });
    HepsiAction = action("Hepsi", QKeySequence(Qt::Key_F3), [this] { Hepsi(); });
    TemizAction = action("Temiz", QKeySequence(Qt::ALT | Qt::Key_T), [this] { Clear(); });
    KartacAction = action("Kartac", QKeySequence(Qt::Key_F8), [this] { OpenCard(); });
    YazdirAction = action("Yazdir", QKeySequence(Qt::Key_F4), m_options.printShortcut ? std::function<void()>([this] { PrintList(); })
                                                                                      : std::function<void()>());
    KapatAction = action("Kapat", QKeySequence(Qt::Key_Escape), [this] { close(); });
    kartbulAction = action("kartbul", QKeySequence(Qt::Key_F5), [this] { kartbulTriggered(); });
}

void TListScreen::setListWidget(QWidget* widget)
{
    if (m_listWidget == widget)
        return;
    if (m_listWidget)
        m_body->removeWidget(m_listWidget);
    m_listWidget = widget;
    m_body->addWidget(widget, 1);
}

QAction* TListScreen::addToolButton(const QString& name, const QString& caption, const QString& hint, const QIcon& icon,
                                    std::function<void()> handler)
{
    QAction* a = ToolBar1->addAction(icon, caption);
    a->setObjectName(name);
    a->setToolTip(hint.isEmpty() ? caption : hint);
    connect(a, &QAction::triggered, this, [handler] { handler(); });
    return a;
}

void TListScreen::addNavigationButtons(const QStringList& classNames)
{
    for (const QString& cls : classNames)
        for (const NavigationTarget& t : kTargets)
            if (cls == QLatin1String(t.className))
                addToolButton(QStringLiteral("Btn") + cls, QString::fromUtf8(t.caption), QString::fromUtf8(t.hint),
                              style()->standardIcon(t.icon), [this, cls] { OpenScreenForPerson(cls); });
}

void TListScreen::addCloseButton()
{
    addToolButton(QStringLiteral("BtnKapat"), QStringLiteral("Kapat"), QStringLiteral("Kapat (Esc)"),
                  style()->standardIcon(QStyle::SP_DialogCloseButton), [this] { close(); });
}
