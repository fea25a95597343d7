// The person card's other pages: "Diğer Bilgileri Bilgileri", the marriages and the parent groups.
#include "persons/K_KisiU.h"

#include "controls/ZYRXDBGrid.h"
#include "data/DataBinder.h"
#include "persons/K_KisiForms.h"
#include "persons/K_KisiResim.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QTabWidget>
#include <QVBoxLayout>

QGroupBox* TK_KisiF::buildParentPanel(ParentPanel& panel, Dataset& ds, bool father, const QString& objectName)
{
    panel.box = new QGroupBox(father ? QStringLiteral("Baba Bilgileri") : QStringLiteral("Anne Bilgileri"), this);
    panel.box->setObjectName(objectName);
    auto* binder = new DataBinder(&ds, panel.box);
    const QString who = father ? QStringLiteral("Baba") : QStringLiteral("Anne");
    const std::pair<QString, QString> rows[] = {
        {who + QStringLiteral(" Kodu"), QStringLiteral("KISI_KOD")},
        {who + QStringLiteral(" Adı"), QStringLiteral("AD")},
        {who + QStringLiteral(" Soyadı"), QStringLiteral("SOYAD")},
        {father ? QStringLiteral("Baba Bil. Kodu") : QStringLiteral("Anne Bil Kodu"), QStringLiteral("BLKISIKODU")},
    };
    auto* form = KisiCompactForm();
    form->setContentsMargins(0, 0, 0, 0);
    for (const auto& [caption, field] : rows) {
        auto* e = new QLineEdit(panel.box);
        e->setObjectName(who + field); // the card's own fields carry the plain column names
        e->setReadOnly(true);
        e->setFocusPolicy(Qt::NoFocus);
        binder->bind(e, field);
        form->addRow(caption, e);
    }
    panel.picture = new TKisiResim(panel.box);
    panel.picture->setObjectName(father ? QStringLiteral("BabaResim") : QStringLiteral("AnneResim"));
    panel.picture->setFixedSize(60, 70);
    TKisiResim* picture = panel.picture;
    auto showPicture = [&ds, picture] {
        const bool has = ds.active() && ds.recNo() >= 0;
        picture->setData(has ? ds.value(QStringLiteral("RESIM")).toByteArray() : QByteArray());
    };
    connect(&ds, &Dataset::currentChanged, picture, showPicture);
    connect(&ds, &Dataset::closed, picture, showPicture);
    auto* l = new QHBoxLayout(panel.box);
    l->setContentsMargins(4, 2, 4, 2);
    l->addLayout(form, 1);
    l->addWidget(panel.picture, 0, Qt::AlignTop);
    return panel.box;
}

QWidget* TK_KisiF::buildOtherPage()
{
    TabSheet3 = new QWidget(this);
    TabSheet3->setObjectName(QStringLiteral("TabSheet3"));
    const FieldKind L = FieldKind::Line, C = FieldKind::Combo;
    struct Row {
        const char* caption;
        const char* field;
        FieldKind kind;
        int length;
        QStringList items;
    };
    auto group = [&](const char* name, const char* title, std::initializer_list<Row> rows) {
        auto* box = new QGroupBox(QString::fromUtf8(title), TabSheet3);
        box->setObjectName(QString::fromLatin1(name));
        auto* form = KisiCompactForm(box);
        for (const Row& r : rows)
            form->addRow(QString::fromUtf8(r.caption),
                         dataField(m_binder, QString::fromLatin1(r.field), r.kind, r.length, r.items));
        return box;
    };
    QGroupBox* egitim = group("GroupBox1", "Eğitim Bilgileri",
                              {{"Mezuniyet", "MEZUNIYET", C, 20,
                                {QStringLiteral("İlk Okul"), QStringLiteral("Orta Okul"), QStringLiteral("İlk Öğretim"),
                                 QStringLiteral("Lise"), QStringLiteral("Yüksek Okul"), QStringLiteral("Üniversite"),
                                 QStringLiteral("Yüksek Lisans"), QStringLiteral("Doktora")}},
                               {"Okul Adı", "OKUL_AD", L, 150, {}},
                               {"Bulunduğu İl", "O_IL", L, 20, {}},
                               {"İlçe", "O_ILCE", L, 20, {}},
                               {"Açıklama", "E_NOT", L, 200, {}}});
    QGroupBox* saglik = group("GroupBox2", "Sağlık Durumu",
                              {{"Hastalık Adı / Türü", "SAGLIK", L, 150, {}},
                               {"Sağlıkla İlgili Kısa Açıklama", "S_NOT", L, 200, {}}});
    QGroupBox* ticari = group("GroupBox3", "Ticari Bilgileri",
                              {{"Ticaret Ünvanı", "TIC_UNV", L, 200, {}},
                               {"İş Tel.", "IS_TEL", L, 15, {}},
                               {"İş Fax", "IS_FAX", L, 15, {}},
                               {"İş Adresi", "IS_ADRES", L, 200, {}},
                               {"Bulunduğu İl", "IS_IL", L, 20, {}},
                               {"Bulunduğu İlçe", "IS_ILCE", L, 20, {}},
                               {"Açıklama", "T_NOT", L, 200, {}}});
    QGroupBox* ozel = group("GroupBox4", "Özel Bilgiler",
                            {{"Ölüm Tarihi", "OL_TAR", FieldKind::Date, 0, {}},
                             {"Medeni Hal", "M_HAL", C, 5, {QStringLiteral("Bekar"), QStringLiteral("Evli")}},
                             {"Askerlik", "ASKERLIK", C, 10,
                              {QStringLiteral("Yaptı"), QStringLiteral("Yapmadı"), QStringLiteral("Tecilli"),
                               QStringLiteral("Muaf")}},
                             {"Tel.1", "TEL1", L, 11, {}},
                             {"Tel.2", "TEL2", L, 11, {}},
                             {"Cep Tel.1", "CEP_TEL1", L, 11, {}},
                             {"Cep Tel.2", "CEP_TEL2", L, 11, {}},
                             {"Açıklama", "K_NOT", L, 200, {}}});
    auto* grid = new QGridLayout(TabSheet3);
    grid->setContentsMargins(6, 4, 6, 4);
    grid->setVerticalSpacing(4);
    grid->addWidget(egitim, 0, 0);
    grid->addWidget(ticari, 1, 0);
    grid->addWidget(saglik, 0, 1);
    grid->addWidget(ozel, 1, 1);
    grid->setRowStretch(2, 1);
    return TabSheet3;
}

QGroupBox* TK_KisiF::buildMarriageGroup(DataBinder* binder, const QString& dateCaption, const QString& name)
{
    auto* box = new QGroupBox(this);
    box->setObjectName(name);
    auto* form = KisiCompactForm(box);
    const FieldKind L = FieldKind::Line, D = FieldKind::Date;
    form->addRow(dateCaption, dataField(binder, QStringLiteral("EV_TAR"), D, 0));
    form->addRow(QStringLiteral("Evlenilen Yer"), dataField(binder, QStringLiteral("YER"), L, 200));
    form->addRow(QStringLiteral("Açıklama"), dataField(binder, QStringLiteral("EV_NOT"), L, 200));
    form->addRow(QStringLiteral("Evlilik Akdi"), dataField(binder, QStringLiteral("EK_1"), FieldKind::Combo, 30,
                                                           {QStringLiteral("Resmi"), QStringLiteral("Gayri Resmi")}));
    form->addRow(QStringLiteral("Ayrılma Tarihi"), dataField(binder, QStringLiteral("AYR_TAR"), D, 0));
    form->addRow(QStringLiteral("Ayrılma Nedeni"), dataField(binder, QStringLiteral("EK_2"), L, 30));
    return box;
}

QWidget* TK_KisiF::buildMarriagePage()
{
    TabSheet2 = new QWidget(this);
    TabSheet2->setObjectName(QStringLiteral("TabSheet2"));
    m_marriageBinder = new DataBinder(&EVLILIK_DS, this);
    m_spouseMarriageBinder = new DataBinder(&ES_EV_DS, this);

    PageControl2 = new QTabWidget(TabSheet2);
    PageControl2->setObjectName(QStringLiteral("PageControl2"));

    TabSheet4 = new QWidget(this);
    TabSheet4->setObjectName(QStringLiteral("TabSheet4"));
    DBGrid1 = new TZYRXDBGrid(TabSheet4);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setDataset(&EsEvlilik_Q);
    DBGrid1->setColumns({DBGrid1->makeColumn(QStringLiteral("AD"), QStringLiteral("Adı"), 120),
                         DBGrid1->makeColumn(QStringLiteral("SOYAD"), QStringLiteral("Soyadı"), 120),
                         DBGrid1->makeColumn(QStringLiteral("AILE_AD"), QStringLiteral("Aile Adı"), 120)});
    EsResim = new TKisiResim(TabSheet4);
    EsResim->setObjectName(QStringLiteral("EsResim"));
    EsResim->setFixedSize(110, 120);
    GroupBox11 = buildMarriageGroup(m_spouseMarriageBinder, QStringLiteral("Evlilik Tarihi Tarihi"),
                                    QStringLiteral("GroupBox11"));
    auto* spouses = new QHBoxLayout;
    spouses->addWidget(DBGrid1, 1);
    spouses->addWidget(EsResim, 0, Qt::AlignTop);
    auto* l4 = new QVBoxLayout(TabSheet4);
    l4->addLayout(spouses, 1);
    l4->addWidget(GroupBox11);

    TabSheet5 = new QWidget(this);
    TabSheet5->setObjectName(QStringLiteral("TabSheet5"));
    GroupBox10 = buildMarriageGroup(m_marriageBinder, QStringLiteral("Evlilik Tarihi"),
                                    QStringLiteral("GroupBox10"));
    auto* parents = new QHBoxLayout;
    parents->addWidget(buildParentPanel(BabaPanel2, Baba_Q, true, QStringLiteral("GroupBoxBaba2")), 1);
    parents->addWidget(buildParentPanel(AnnePanel2, Anne_Q, false, QStringLiteral("GroupBoxAnne2")), 1);
    auto* l5 = new QVBoxLayout(TabSheet5);
    l5->addWidget(GroupBox10);
    l5->addLayout(parents);
    l5->addStretch();

    PageControl2->addTab(TabSheet4, QStringLiteral("Eş Evlilik Bilgileri"));
    PageControl2->addTab(TabSheet5, QStringLiteral("Anne - Baba Evlilik Bilgileri"));
    auto* l = new QVBoxLayout(TabSheet2);
    l->setContentsMargins(4, 4, 4, 4);
    l->addWidget(PageControl2);
    return TabSheet2;
}
