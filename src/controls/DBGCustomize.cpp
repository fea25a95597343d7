#include "controls/DBGCustomize.h"
#include "shell/AnaFormU.h"
#include "shell/DialogService.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QVBoxLayout>

// ---------------------------------------------------------------- GridCustomization

GridCustomization::GridCustomization(const TZYRXDBGrid& grid) : fixedCols(grid.fixedCols()), m_cols(grid.columns()) {}

QString GridCustomization::entryText(int i) const
{
    const GridColumn& c = m_cols[size_t(i)];
    return c.title + QLatin1Char('-') + c.fieldName;
}

void GridCustomization::setAllTicked(bool on)
{
    for (GridColumn& c : m_cols)
        c.visible = on;
}

bool GridCustomization::anyTicked() const
{
    for (const GridColumn& c : m_cols)
        if (c.visible)
            return true;
    return false;
}

bool GridCustomization::moveUp(int i)
{
    if (i <= 0 || i >= count())
        return false;
    std::swap(m_cols[size_t(i)], m_cols[size_t(i - 1)]);
    return true;
}

bool GridCustomization::moveDown(int i)
{
    if (i < 0 || i >= count() - 1)
        return false;
    std::swap(m_cols[size_t(i)], m_cols[size_t(i + 1)]);
    return true;
}

bool GridCustomization::applyTo(TZYRXDBGrid& grid) const
{
    if (!anyTicked())
        return false;
    grid.setColumns(m_cols);
    if (fixedCols != grid.fixedCols())
        grid.setFixedCols(fixedCols);
    return true;
}

// ---------------------------------------------------------------- TDBGCustomizeF

TDBGCustomizeF::TDBGCustomizeF(TZYRXDBGrid* grid, QWidget* parent) : QDialog(parent), m_grid(grid), m_state(*grid)
{
    setObjectName(QStringLiteral("DBGCustomizeF"));
    setWindowTitle(QStringLiteral("Tablo Özelleştirme"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    CheckListBox1 = new QListWidget(this);
    CheckListBox1->setObjectName(QStringLiteral("CheckListBox1"));
    auto button = [this](const char* name, const QString& text) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        return b;
    };
    BtnYukari = button("BtnYukari", QStringLiteral("Yukarı"));
    BtnAsagi = button("BtnAsagi", QStringLiteral("Aşağı"));
    BtnFont = button("BtnFont", QStringLiteral("Font"));
    BtnRenk = button("BtnRenk", QStringLiteral("Renk"));
    CheckHepsi = new QCheckBox(QStringLiteral("Hepsini Kaldır"), this);
    CheckHepsi->setObjectName(QStringLiteral("CheckHepsi"));
    CheckHepsi->setChecked(true);
    SpinSabit = new QSpinBox(this);
    SpinSabit->setObjectName(QStringLiteral("SpinSabit"));
    SpinSabit->setRange(0, std::max(0, m_state.count()));
    SpinSabit->setValue(std::min(m_state.fixedCols, m_state.count()));
    auto* label = new QLabel(QStringLiteral("Sabit Sutun Sayisi"), this);
    label->setBuddy(SpinSabit);
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    StatusBar1->addWidget(new QLabel(QStringLiteral("Toplam Sütun Sayısı : %1").arg(m_state.count()), StatusBar1));
    BtnTamam = button("BtnTamam", QStringLiteral("Tamam"));
    BtnVazgec = button("BtnVazgec", QStringLiteral("Vazgeç"));
    BtnTamam->setDefault(true);

    auto* side = new QVBoxLayout;
    for (QWidget* w : {static_cast<QWidget*>(BtnYukari), static_cast<QWidget*>(BtnAsagi), static_cast<QWidget*>(BtnFont),
                       static_cast<QWidget*>(BtnRenk)})
        side->addWidget(w);
    side->addSpacing(12);
    side->addWidget(CheckHepsi);
    side->addWidget(label);
    side->addWidget(SpinSabit);
    side->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(CheckListBox1, 1);
    top->addLayout(side);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(BtnTamam);
    bottom->addWidget(BtnVazgec);
    auto* all = new QVBoxLayout(this);
    all->addLayout(top, 1);
    all->addLayout(bottom);
    all->addWidget(StatusBar1);
    resize(420, 400);

    fillList(-1);
    connect(CheckListBox1, &QListWidget::currentRowChanged, this, [this] { updateButtons(); });
    connect(CheckListBox1, &QListWidget::itemSelectionChanged, this, [this] { updateButtons(); });
    connect(CheckListBox1, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        if (!m_filling)
            m_state.setTicked(CheckListBox1->row(item), item->checkState() == Qt::Checked);
    });
    connect(BtnYukari, &QPushButton::clicked, this, [this] { moveEntry(true); });
    connect(BtnAsagi, &QPushButton::clicked, this, [this] { moveEntry(false); });
    connect(BtnFont, &QPushButton::clicked, this, &TDBGCustomizeF::chooseFont);
    connect(BtnRenk, &QPushButton::clicked, this, &TDBGCustomizeF::chooseColor);
    connect(CheckHepsi, &QCheckBox::clicked, this, &TDBGCustomizeF::hepsiClicked);
    connect(BtnTamam, &QPushButton::clicked, this, &TDBGCustomizeF::tamamClicked);
    connect(BtnVazgec, &QPushButton::clicked, this, &QDialog::reject);

    if (QWidget* main = AnaF ? static_cast<QWidget*>(AnaF) : (grid ? grid->window() : nullptr))
        move(main->geometry().center() - rect().center());
}

void TDBGCustomizeF::fillList(int select)
{
    m_filling = true;
    CheckListBox1->clear();
    for (int i = 0; i < m_state.count(); ++i) {
        auto* item = new QListWidgetItem(m_state.entryText(i), CheckListBox1);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(m_state.ticked(i) ? Qt::Checked : Qt::Unchecked);
    }
    CheckListBox1->setCurrentRow(select);
    m_filling = false;
    updateButtons();
}

void TDBGCustomizeF::updateButtons()
{
    const bool selected = selectedRow() >= 0;
    for (QPushButton* b : {BtnYukari, BtnAsagi, BtnFont, BtnRenk})
        b->setEnabled(selected);
}

int TDBGCustomizeF::selectedRow() const
{
    QListWidgetItem* item = CheckListBox1->currentItem();
    return item && item->isSelected() ? CheckListBox1->row(item) : -1;
}

void TDBGCustomizeF::moveEntry(bool up)
{
    const int row = selectedRow();
    if (row < 0)
        return;
    if (up ? m_state.moveUp(row) : m_state.moveDown(row))
        fillList(up ? row - 1 : row + 1);
}

void TDBGCustomizeF::chooseFont()
{
    const int row = selectedRow();
    if (row < 0)
        return;
    QFont f = m_state.column(row).font;
    if (DialogService::instance().chooseFont(this, f))
        m_state.column(row).font = f;
}

void TDBGCustomizeF::chooseColor()
{
    const int row = selectedRow();
    if (row < 0)
        return;
    const QColor c = DialogService::instance().chooseColor(this, TColorToQColor(m_state.column(row).color, palette()));
    if (c.isValid())
        m_state.column(row).color = QColorToTColor(c);
}

void TDBGCustomizeF::hepsiClicked(bool on)
{
    m_state.setAllTicked(on);
    CheckHepsi->setText(on ? QStringLiteral("Hepsini Kaldır") : QStringLiteral("Hepsini İşaretle"));
    fillList(selectedRow());
}

void TDBGCustomizeF::tamamClicked()
{
    m_state.fixedCols = SpinSabit->value();
    if (!m_state.anyTicked()) {
        MessageRequest r;
        r.caption = QStringLiteral("Bilgi");
        r.text = QStringLiteral("En az bir tane alan seçmelisiniz");
        r.icon = MsgIcon::Information;
        r.buttons = MbOk;
        DialogService::instance().message(this, r);
        return;
    }
    m_state.applyTo(*m_grid);
    accept();
}

void CustomizeGrid(TZYRXDBGrid* grid)
{
    if (!grid || !grid->dataActive())
        return;
    TDBGCustomizeF dlg(grid, grid->window());
    dlg.exec();
}
