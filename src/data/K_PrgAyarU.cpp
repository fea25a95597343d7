#include "data/K_PrgAyarU.h"

#include "data/DataBinder.h"
#include "data/DataModule.h"
#include "data/DatasetRoutines.h"
#include "data/IniFile.h"
#include "data/SettingsRecord.h"
#include "shell/DialogService.h"
#include "shell/FormAyar.h"
#include "shell/GeneralRoutines.h"
#include "shell/Messages.h"
#include "shell/SilentAbort.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

TK_PrgAyarF* K_PrgAyarF = nullptr;

namespace {

// Picture of the "Genel Ayarlar" menu item in the main window's 32-pixel list; -1 (the program
// icon) until that list is numbered.
constexpr int kGenelAyarlarImageIndex = -1;

const char* const kNodes[] = {"Kişi Kart Ayarları", "Yedekleme", "Genel Ayarlar"};

const char* const kDigitChoices[] = {
    "Soluna Sıfır ekleme", "3 Basamağa tamamla", "4 Basamağa tamamla", "5 Basamağa tamamla",
    "6 Basamağa tamamla", "7 Basamağa tamamla", "8 Basamağa tamamla", "9 Basamağa tamamla",
};

const char* const kSwitchCaptions[] = {
    "Alt Kuşak Yatay Ağaç şemasında Çocuk, Annede ve Babada (Her ikisindede) görünsün",
    "Alt Kuşak yatay ağaç şemasında kişinin Anne ve Baba adı görünsün",
    "Alt Kuşak Ağaç şemalarına",
    "Üst Kuşak Ağaç şemalarına ",
    "Kuzen Kuşağı Ağaç şemalarına",
    "2.Derece Akraba Ağaç şemalarına",
    "Eş'e göre Alt Kuşak Ağaç şemalarına",
};

// Backup settings a workstation starts with when Ayar.Ini holds none.
constexpr bool kDefaultAutoBackup = true;
constexpr int kDefaultBackupKind = 0;
QString defaultBackupFolder()
{
#ifdef Q_OS_WIN
    return QStringLiteral("C:\\ZY_YEDEK\\TAVRION");
#else
    return QDir::homePath() + QStringLiteral("/ZY_YEDEK/TAVRION");
#endif
}

// A refused operation has shown its message already; anything else goes on to the handler.
template <class F>
void quietly(F&& f)
{
    try {
        f();
    } catch (const SilentAbort&) {
    }
}

QString u(const char* s) { return QString::fromUtf8(s); }

} // namespace

TK_PrgAyarF::TK_PrgAyarF(QWidget* parent) : TK_PrgAyarF(*D_Genel(), parent) {}

TK_PrgAyarF::TK_PrgAyarF(TD_Genel& module, QWidget* parent) : QDialog(parent), m_module(module)
{
    setObjectName(QStringLiteral("K_PrgAyarF"));
    setWindowTitle(MainWindowCaption());
    m_binder = new DataBinder(&m_module.Ayar_Ds, this);

    auto* header = new QWidget(this);
    header->setObjectName(QStringLiteral("PanelBaslik"));
    header->setAutoFillBackground(true);
    header->setStyleSheet(QStringLiteral("#PanelBaslik { background: #1f4e79; } #PanelBaslik QLabel { color: white; }"));
    ImageTOP = new QLabel(header);
    ImageTOP->setObjectName(QStringLiteral("ImageTOP"));
    ImageTOP->setFixedSize(32, 32);
    LabelBaslik = new QLabel(QStringLiteral("Program Ayarları"), header);
    LabelBaslik->setObjectName(QStringLiteral("LabelBaslik"));
    QFont hf = LabelBaslik->font();
    hf.setBold(true);
    hf.setPointSizeF(hf.pointSizeF() * 1.4);
    LabelBaslik->setFont(hf);
    auto* headerLayout = new QHBoxLayout(header);
    headerLayout->setContentsMargins(10, 6, 10, 6);
    headerLayout->addWidget(ImageTOP);
    headerLayout->addWidget(LabelBaslik, 1);

    TreeView1 = new QTreeWidget(this);
    TreeView1->setObjectName(QStringLiteral("TreeView1"));
    TreeView1->setHeaderHidden(true);
    TreeView1->setRootIsDecorated(false);
    TreeView1->setFixedWidth(170);
    for (const char* n : kNodes)
        new QTreeWidgetItem(TreeView1, QStringList{u(n)});

    PageControl1 = new QStackedWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->addWidget(buildPersonCodePage());
    PageControl1->addWidget(buildBackupPage());
    PageControl1->addWidget(buildGeneralPage());
    connect(TreeView1, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (!item)
            return;
        PageControl1->setCurrentIndex(TreeView1->indexOfTopLevelItem(item));
        LabelBaslik->setText(item->text(0));
    });

    BtnKaydet = new QPushButton(QStringLiteral("Kaydet"), this);
    BtnKaydet->setObjectName(QStringLiteral("BtnKaydet"));
    BtnVazgec = new QPushButton(QStringLiteral("Vazgeç"), this);
    BtnVazgec->setObjectName(QStringLiteral("BtnVazgec"));
    BtnKapat = new QPushButton(QStringLiteral("Kapat"), this);
    BtnKapat->setObjectName(QStringLiteral("BtnKapat"));
    for (QPushButton* b : {BtnKaydet, BtnVazgec, BtnKapat})
        b->setAutoDefault(false);
    connect(BtnKaydet, &QPushButton::clicked, this, [this] { quietly([this] { m_module.Ayar_Ds.post(); }); });
    connect(BtnVazgec, &QPushButton::clicked, this, [this] { m_module.Ayar_Ds.cancel(); });
    connect(BtnKapat, &QPushButton::clicked, this, &QDialog::close);

    auto* body = new QHBoxLayout;
    body->setContentsMargins(8, 8, 8, 0);
    body->addWidget(TreeView1);
    body->addWidget(PageControl1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(8, 0, 8, 8);
    buttons->addStretch();
    buttons->addWidget(BtnKaydet);
    buttons->addWidget(BtnVazgec);
    buttons->addWidget(BtnKapat);
    auto* top = new QVBoxLayout(this);
    top->setContentsMargins(0, 0, 0, 0);
    top->addWidget(header);
    top->addLayout(body, 1);
    top->addLayout(buttons);
    resize(760, 430);
}

QWidget* TK_PrgAyarF::buildPersonCodePage()
{
    auto* page = new QWidget(this);
    page->setObjectName(QStringLiteral("TabSheet1"));
    CROTONO = new QCheckBox(QStringLiteral("Kişi Kodunu Otomatik Ver"), page);
    CROTONO->setObjectName(QStringLiteral("CROTONO"));
    m_binder->bind(CROTONO, QStringLiteral("CROTONO"), QStringLiteral("1"), QStringLiteral("0"));

    LabelCRNO = new QLabel(QStringLiteral("Verilmeye Hazır Kişi Kodu"), page);
    LabelCRNO->setObjectName(QStringLiteral("LabelCRNO"));
    CRNO = new QLineEdit(page);
    CRNO->setObjectName(QStringLiteral("CRNO"));
    CRNO->setReadOnly(true);
    m_binder->bind(CRNO, QStringLiteral("CRNO"));
    BtnCariKod = new QToolButton(page);
    BtnCariKod->setObjectName(QStringLiteral("BtnCariKod"));
    BtnCariKod->setText(QStringLiteral("..."));
    BtnCariKod->setToolTip(QStringLiteral("Cari Kodunu değiştir"));
    connect(BtnCariKod, &QToolButton::clicked, this,
            [this] { quietly([this] { RunSetCounter(m_module, this, LabelCRNO->text()); }); });
    auto* counter = new QHBoxLayout;
    counter->addWidget(CRNO, 1);
    counter->addWidget(BtnCariKod);

    // Editable like the stored text: older rows hold "5 Basamağa Tamamla", which no item spells.
    CRBASSAYI = new QComboBox(page);
    CRBASSAYI->setObjectName(QStringLiteral("CRBASSAYI"));
    CRBASSAYI->setEditable(true);
    CRBASSAYI->setInsertPolicy(QComboBox::NoInsert);
    for (const char* c : kDigitChoices)
        CRBASSAYI->addItem(u(c));
    CRBASSAYI->lineEdit()->setMaxLength(20);
    m_binder->bind(CRBASSAYI, QStringLiteral("CRBASSAYI"));

    CRBASEK = new QLineEdit(page);
    CRBASEK->setObjectName(QStringLiteral("CRBASEK"));
    CRBASEK->setMaxLength(10);
    m_binder->bind(CRBASEK, QStringLiteral("CRBASEK"));
    CRSONEK = new QLineEdit(page);
    CRSONEK->setObjectName(QStringLiteral("CRSONEK"));
    CRSONEK->setMaxLength(10);
    m_binder->bind(CRSONEK, QStringLiteral("CRSONEK"));

    auto* form = new QFormLayout;
    form->addRow(LabelCRNO, counter);
    form->addRow(QStringLiteral("Basamak Sayısı"), CRBASSAYI);
    form->addRow(QStringLiteral("Kişi Kodu Başına Ekle"), CRBASEK);
    form->addRow(QStringLiteral("Kişi Kodu Sonuna Ekle"), CRSONEK);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(CROTONO);
    layout->addLayout(form);
    layout->addStretch();
    return page;
}

QWidget* TK_PrgAyarF::buildBackupPage()
{
    auto* page = new QWidget(this);
    page->setObjectName(QStringLiteral("TabSheet2"));
    CheckOtoYedek = new QCheckBox(QStringLiteral("Otomatik Yedekle"), page);
    CheckOtoYedek->setObjectName(QStringLiteral("CheckOtoYedek"));
    ComboYedekTuru = new QComboBox(page);
    ComboYedekTuru->setObjectName(QStringLiteral("ComboYedekTuru"));
    ComboYedekTuru->addItems({QStringLiteral("Günlük Yedekle "), QStringLiteral("Haftalık Yedekle"),
                              QStringLiteral("Aylık Yedekle")});
    EditYedekDizin = new QLineEdit(page);
    EditYedekDizin->setObjectName(QStringLiteral("EditYedekDizin"));
    BtnYedekDizin = new QToolButton(page);
    BtnYedekDizin->setObjectName(QStringLiteral("BtnYedekDizin"));
    BtnYedekDizin->setText(QStringLiteral("..."));
    BtnYedekKaydet = new QPushButton(QStringLiteral("Yedekleme Ayarlanı Kaydet"), page);
    BtnYedekKaydet->setObjectName(QStringLiteral("BtnYedekKaydet"));
    BtnYedekIptal = new QPushButton(QStringLiteral("Değişiklikleri İptal Et"), page);
    BtnYedekIptal->setObjectName(QStringLiteral("BtnYedekIptal"));
    for (QPushButton* b : {BtnYedekKaydet, BtnYedekIptal})
        b->setAutoDefault(false);

    connect(CheckOtoYedek, &QCheckBox::toggled, this, [this](bool on) {
        ComboYedekTuru->setEnabled(on);
        backupChanged();
    });
    connect(ComboYedekTuru, &QComboBox::currentIndexChanged, this, [this] { backupChanged(); });
    connect(EditYedekDizin, &QLineEdit::textChanged, this, [this] { backupChanged(); });
    connect(BtnYedekDizin, &QToolButton::clicked, this, [this] {
        const QString dir = DialogService::instance().chooseDirectory(this, QStringLiteral("Standart Yedekleme Dizini"),
                                                                      EditYedekDizin->text());
        if (!dir.isEmpty())
            EditYedekDizin->setText(QDir::toNativeSeparators(dir));
    });
    connect(BtnYedekKaydet, &QPushButton::clicked, this, [this] { saveBackupPage(); });
    connect(BtnYedekIptal, &QPushButton::clicked, this, [this] { loadBackupPage(); });

    auto* folder = new QHBoxLayout;
    folder->addWidget(EditYedekDizin, 1);
    folder->addWidget(BtnYedekDizin);
    auto* form = new QFormLayout;
    form->addRow(QString(), CheckOtoYedek);
    form->addRow(QStringLiteral("Yedekleme Sıklığı"), ComboYedekTuru);
    form->addRow(QStringLiteral("Standart Yedekleme Dizini"), folder);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BtnYedekKaydet);
    buttons->addWidget(BtnYedekIptal);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(form);
    layout->addLayout(buttons);
    layout->addStretch();
    return page;
}

QWidget* TK_PrgAyarF::buildGeneralPage()
{
    auto* page = new QWidget(this);
    page->setObjectName(QStringLiteral("TabSheet3"));
    GroupBox1 = new QGroupBox(QStringLiteral("Yatay Ağaç Şemalarına Resim Eklensin"), page);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    auto* group = new QVBoxLayout(GroupBox1);
    for (int i = 0; i < 7; ++i) {
        const QString name = QStringLiteral("G%1").arg(i + 1);
        G[i] = new QCheckBox(u(kSwitchCaptions[i]), i < 2 ? page : GroupBox1);
        G[i]->setObjectName(name);
        m_binder->bind(G[i], name);
        if (i >= 2)
            group->addWidget(G[i]);
    }
    RESIM_ORTALA = new QCheckBox(QStringLiteral("Resim eklenen şemalarda resmi ortala ve yazıları altında göster"), page);
    RESIM_ORTALA->setObjectName(QStringLiteral("RESIM_ORTALA"));
    m_binder->bind(RESIM_ORTALA, QStringLiteral("RESIM_ORTALA"));

    // Any SMALLINT may be typed; the save refuses what lies outside 30..250.
    SEMA_ES_GENISLIK = new QSpinBox(page);
    SEMA_ES_GENISLIK->setObjectName(QStringLiteral("SEMA_ES_GENISLIK"));
    SEMA_ES_GENISLIK->setRange(0, 32767);
    m_binder->bind(SEMA_ES_GENISLIK, QStringLiteral("SEMA_ES_GENISLIK"));
    auto* width = new QHBoxLayout;
    width->addWidget(new QLabel(QStringLiteral("Eş e göre Alt Kuşak Ağaç şema genişliği"), page));
    width->addWidget(SEMA_ES_GENISLIK);
    width->addStretch();

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(G[0]);
    layout->addWidget(G[1]);
    layout->addWidget(GroupBox1);
    layout->addWidget(RESIM_ORTALA);
    layout->addLayout(width);
    layout->addStretch();
    return page;
}

void TK_PrgAyarF::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormAyar(this, kGenelAyarlarImageIndex);
    TreeView1->setCurrentItem(TreeView1->topLevelItem(0));
    loadBackupPage();
}

void TK_PrgAyarF::loadBackupPage()
{
    m_loadingBackup = true;
    const IniFile& ini = FSAyar();
    // A missing (or empty) value leaves the workstation's default.
    CheckOtoYedek->setChecked(kDefaultAutoBackup);
    ComboYedekTuru->setCurrentIndex(kDefaultBackupKind);
    EditYedekDizin->setText(defaultBackupFolder());
    if (!ini.readString(kAyarSection, QStringLiteral("OTOYEDEK")).isEmpty())
        CheckOtoYedek->setChecked(ini.readBool(kAyarSection, QStringLiteral("OTOYEDEK"), kDefaultAutoBackup));
    const QString kind = ini.readString(kAyarSection, QStringLiteral("YEDEKTURU")).trimmed();
    if (!kind.isEmpty()) {
        bool ok = false;
        const int k = kind.toInt(&ok);
        // Anything but 0, 1, 2 counts as daily.
        ComboYedekTuru->setCurrentIndex(ok && k >= 0 && k <= 2 ? k : 0);
    }
    const QString folder = ini.readString(kAyarSection, QStringLiteral("YEDEKDIZIN"));
    if (!folder.isEmpty())
        EditYedekDizin->setText(folder);
    ComboYedekTuru->setEnabled(CheckOtoYedek->isChecked());
    m_loadingBackup = false;
    setBackupButtons(false);
}

void TK_PrgAyarF::saveBackupPage()
{
    IniFile& ini = FSAyar();
    ini.writeBool(kAyarSection, QStringLiteral("OTOYEDEK"), CheckOtoYedek->isChecked());
    ini.writeString(kAyarSection, QStringLiteral("YEDEKDIZIN"), EditYedekDizin->text());
    ini.writeInt(kAyarSection, QStringLiteral("YEDEKTURU"), ComboYedekTuru->currentIndex());
    if (!ini.save()) {
        ShowInfo(QStringLiteral("Yedekleme ayarları kaydedilemedi: \"%1\" dosyasına yazılamıyor.")
                     .arg(QDir::toNativeSeparators(ini.path())));
        return;
    }
    setBackupButtons(false);
}

void TK_PrgAyarF::backupChanged()
{
    if (!m_loadingBackup)
        setBackupButtons(true);
}

void TK_PrgAyarF::setBackupButtons(bool enabled)
{
    BtnYedekKaydet->setEnabled(enabled);
    BtnYedekIptal->setEnabled(enabled);
}

bool TK_PrgAyarF::canClose()
{
    try {
        return ConfirmPendingChanges(m_module.Ayar_Ds);
    } catch (const SilentAbort&) {
        return false; // the refused save has shown its message; the row stays in edit
    }
}

void TK_PrgAyarF::reject()
{
    if (canClose())
        QDialog::reject();
}
