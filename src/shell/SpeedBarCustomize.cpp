#include "shell/SpeedBarCustomize.h"

#include "shell/FormAyar.h"
#include "shell/SpeedBar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

TSpeedBarCustomizeF* SpeedBarCustomizeF = nullptr;

namespace {
constexpr int kNameRole = Qt::UserRole;
}

TSpeedBarCustomizeF::TSpeedBarCustomizeF(const TSpeedBar* bar, QWidget* parent) : QDialog(parent), m_bar(bar)
{
    setObjectName(QStringLiteral("SpeedBarCustomizeF"));
    setWindowTitle(QStringLiteral("Araç Çubuğunu Düzenle"));
    resize(520, 380);

    auto* main = new QVBoxLayout(this);
    auto* title = new QLabel(QStringLiteral("Araç çubuğunda görünecek düğmeleri işaretleyiniz."), this);
    title->setObjectName(QStringLiteral("LabelBaslik"));
    main->addWidget(title);

    auto* lists = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel(QStringLiteral("Bölümler"), this));
    ListSections = new QListWidget(this);
    ListSections->setObjectName(QStringLiteral("ListSections"));
    left->addWidget(ListSections);
    auto* right = new QVBoxLayout;
    right->addWidget(new QLabel(QStringLiteral("Düğmeler"), this));
    ListButtons = new QListWidget(this);
    ListButtons->setObjectName(QStringLiteral("ListButtons"));
    ListButtons->setIconSize(QSize(24, 24));
    right->addWidget(ListButtons);
    lists->addLayout(left, 2);
    lists->addLayout(right, 3);
    main->addLayout(lists, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    BtnTamam = new QPushButton(QStringLiteral("Tamam"), this);
    BtnTamam->setObjectName(QStringLiteral("BtnTamam"));
    BtnTamam->setDefault(true);
    BtnIptal = new QPushButton(QStringLiteral("İptal"), this);
    BtnIptal->setObjectName(QStringLiteral("BtnIptal"));
    buttons->addWidget(BtnTamam);
    buttons->addWidget(BtnIptal);
    main->addLayout(buttons);
    connect(BtnTamam, &QPushButton::clicked, this, &QDialog::accept);
    connect(BtnIptal, &QPushButton::clicked, this, &QDialog::reject);

    for (const TSpeedItem* item : bar->items())
        m_shown.insert(item->objectName(), item->shownOnBar());
    ListSections->addItems(bar->sectionNames());
    connect(ListSections, &QListWidget::currentRowChanged, this, &TSpeedBarCustomizeF::showSection);
    connect(ListButtons, &QListWidget::itemChanged, this, &TSpeedBarCustomizeF::buttonChanged);
    if (ListSections->count() > 0)
        ListSections->setCurrentRow(0);
}

void TSpeedBarCustomizeF::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormAyar(this);
}

void TSpeedBarCustomizeF::showSection(int row)
{
    m_filling = true;
    ListButtons->clear();
    if (row >= 0) {
        for (const TSpeedItem* b : m_bar->sectionItems(ListSections->item(row)->text())) {
            auto* item = new QListWidgetItem(b->icon(), b->Caption, ListButtons);
            item->setData(kNameRole, b->objectName());
            item->setToolTip(b->text());
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
            item->setCheckState(m_shown.value(b->objectName()) ? Qt::Checked : Qt::Unchecked);
        }
    }
    m_filling = false;
}

void TSpeedBarCustomizeF::buttonChanged(QListWidgetItem* item)
{
    if (!m_filling)
        m_shown.insert(item->data(kNameRole).toString(), item->checkState() == Qt::Checked);
}

void TSpeedBarCustomizeF::setButtonShown(const QString& name, bool shown)
{
    if (!m_shown.contains(name))
        return;
    m_shown.insert(name, shown);
    for (int i = 0; i < ListButtons->count(); ++i) {
        QListWidgetItem* item = ListButtons->item(i);
        if (item->data(kNameRole).toString() == name) {
            m_filling = true;
            item->setCheckState(shown ? Qt::Checked : Qt::Unchecked);
            m_filling = false;
        }
    }
}
