#include "data/K_IBAyarU.h"

#include "data/Connection.h"
#include "data/IniFile.h"
#include "shell/FormAyar.h"
#include "shell/MainWindowLink.h"
#include "shell/Messages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TK_IBAyarF* K_IBAyarF = nullptr;

namespace {
void paintField(QWidget* w, bool enabled)
{
    QPalette p = w->palette();
    const QColor colour = enabled ? QColor(Qt::white) : w->palette().color(QPalette::Active, QPalette::Button);
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        p.setColor(group, QPalette::Base, colour);
    w->setPalette(p);
}

QPushButton* button(QWidget* parent, const char* name, const QString& text)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}
} // namespace

TK_IBAyarF::TK_IBAyarF(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("K_IBAyarF"));

    auto* header = new QFrame(this);
    header->setObjectName(QStringLiteral("ZYFormHeader1"));
    header->setAutoFillBackground(true);
    header->setBackgroundRole(QPalette::Base);
    LabelBaslik = new QLabel(QStringLiteral("Network Ayarları"), header);
    LabelBaslik->setObjectName(QStringLiteral("LabelBaslik"));
    QFont bold = LabelBaslik->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.2);
    LabelBaslik->setFont(bold);
    ImageTOP = new QLabel(header);
    ImageTOP->setObjectName(QStringLiteral("ImageTOP"));
    ImageTOP->setFixedSize(32, 32);
    auto* headerLayout = new QHBoxLayout(header);
    headerLayout->addWidget(LabelBaslik, 1);
    headerLayout->addWidget(ImageTOP);

    CheckBox1 = new QCheckBox(QStringLiteral("Programı Client Olarak Kullanacağım"), this);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));

    GroupBox1 = new QGroupBox(this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    Edit1 = new QLineEdit(GroupBox1);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit2 = new QLineEdit(GroupBox1);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    ComboBox1 = new QComboBox(GroupBox1);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setEditable(true);
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    ComboBox1->addItems({QStringLiteral("TCP/IP"), QStringLiteral("NetBEUI"), QStringLiteral("SPX")});
    auto* form = new QFormLayout(GroupBox1);
    form->addRow(QStringLiteral("Server Adı :"), Edit1);
    form->addRow(QStringLiteral("Veri tabanı yolu :"), Edit2);
    form->addRow(QStringLiteral("İletişim Protokolü"), ComboBox1);

    CheckBoxYerelSunucu = new QCheckBox(QStringLiteral("Veri tabanını bu bilgisayardaki Firebird sunucusu üzerinden aç"), this);
    CheckBoxYerelSunucu->setObjectName(QStringLiteral("CheckBoxYerelSunucu"));
    CheckBoxYerelSunucu->setToolTip(QStringLiteral("Client bilgisayarlar veri tabanını paylaşacaksa işaretleyiniz."));

    Button1 = button(this, "Button1", QStringLiteral("Programı Kapat"));
    Button2 = button(this, "Button2", QStringLiteral("Tamam"));
    Button3 = button(this, "Button3", QStringLiteral("Kapat"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Button1);
    buttons->addStretch(1);
    buttons->addWidget(Button2);
    buttons->addWidget(Button3);

    auto* body = new QVBoxLayout;
    body->setContentsMargins(16, 12, 16, 12);
    body->addWidget(CheckBox1);
    body->addWidget(GroupBox1);
    body->addWidget(CheckBoxYerelSunucu);
    body->addSpacing(8);
    body->addLayout(buttons);
    auto* main = new QVBoxLayout(this);
    main->setContentsMargins(0, 0, 0, 0);
    main->addWidget(header);
    main->addLayout(body);
    main->setSizeConstraint(QLayout::SetFixedSize);

    connect(CheckBox1, &QCheckBox::toggled, this, &TK_IBAyarF::clientChanged);
    connect(Button1, &QPushButton::clicked, this, &TK_IBAyarF::closeProgram);
    connect(Button2, &QPushButton::clicked, this, &TK_IBAyarF::save);
    connect(Button3, &QPushButton::clicked, this, &TK_IBAyarF::closeScreen);
}

void TK_IBAyarF::loadSettings()
{
    const ConnectionSettings s = ConnectionSettings::load(FSAyar());
    Edit1->setText(s.serverAdi);
    Edit2->setText(s.dbYolu);
    ComboBox1->setEditText(s.iletisimPrt);
    CheckBoxYerelSunucu->setChecked(s.yerelSunucu);
    CheckBox1->setChecked(!s.serverClient);
    CheckBox1->setEnabled(true);
    clientChanged();
}

void TK_IBAyarF::clientChanged()
{
    const bool client = CheckBox1->isChecked();
    GroupBox1->setEnabled(client);
    for (QWidget* w : {static_cast<QWidget*>(Edit1), static_cast<QWidget*>(Edit2), static_cast<QWidget*>(ComboBox1)})
        paintField(w, client);
    CheckBoxYerelSunucu->setEnabled(!client);
}

bool TK_IBAyarF::save()
{
    const bool client = CheckBox1->isChecked();
    if (client) {
        if (Edit1->text().trimmed().isEmpty()) {
            ShowInfo(QStringLiteral("Server ismini girmelisiniz"));
            return false;
        }
        if (Edit2->text().trimmed().isEmpty()) {
            ShowInfo(QStringLiteral("Veritabanı yolunu girmelisiniz"));
            return false;
        }
        if (ComboBox1->currentText().trimmed().isEmpty()) {
            ShowInfo(QStringLiteral("İletişim protokolü ismini girmelisiniz"));
            return false;
        }
    }
    ConnectionSettings s;
    s.serverClient = !client;
    s.serverAdi = Edit1->text();
    s.dbYolu = Edit2->text();
    s.iletisimPrt = ComboBox1->currentText();
    s.yerelSunucu = CheckBoxYerelSunucu->isChecked();
    IniFile& ini = FSAyar();
    s.store(ini);
    if (!ini.save())
        ShowInfo(QStringLiteral("Ayarlar kaydedilemedi: ") + ini.path());
    accept();
    return true;
}

void TK_IBAyarF::closeScreen()
{
    // The file the settings store writes (its name as this platform spells it).
    if (QFileInfo::exists(FSAyar().path())) {
        reject();
        return;
    }
    ShowInfo(QStringLiteral("Network ayarlarını yapmalısınız..."));
}

void TK_IBAyarF::closeProgram()
{
    if (MainWindow())
        MainWindow()->closeMainWindow();
    reject();
}

void TK_IBAyarF::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    FormAyar(this);
    loadSettings();
}

void TK_IBAyarF::keyPressEvent(QKeyEvent* event)
{
    // The screen closes through its buttons.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
