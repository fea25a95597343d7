#include "data/K_OtoNoU.h"

#include "shell/GeneralRoutines.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

TK_OtoNoF::TK_OtoNoF(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("K_OtoNoF"));
    setWindowTitle(MainWindowCaption());

    Header = new QLabel(QStringLiteral("Otomatik Numara Servisi"), this);
    Header->setObjectName(QStringLiteral("ZYFormHeader1"));
    QFont f = Header->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.3);
    Header->setFont(f);
    Header->setStyleSheet(QStringLiteral("QLabel { background: #1f4e79; color: white; padding: 8px; }"));

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setMaxLength(18);
    // The key filter stops typed characters; the validator stops pasted ones.
    Edit1->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), Edit1));
    Edit1->installEventFilter(this);

    BtnUygula = new QPushButton(QStringLiteral("Uygula"), this);
    BtnUygula->setObjectName(QStringLiteral("BtnUygula"));
    BtnUygula->setToolTip(QStringLiteral("Değişikliği Uygula"));
    BtnUygula->setAutoDefault(false);
    BtnIptal = new QPushButton(QStringLiteral("İptal"), this);
    BtnIptal->setObjectName(QStringLiteral("BtnIptal"));
    BtnIptal->setToolTip(QStringLiteral("Değişikliği uygulamadan pencereyi kapat"));
    BtnIptal->setAutoDefault(false);
    connect(BtnUygula, &QPushButton::clicked, this, &QDialog::accept);
    connect(BtnIptal, &QPushButton::clicked, this, &QDialog::reject);

    auto* body = new QVBoxLayout;
    body->setContentsMargins(12, 12, 12, 12);
    body->addWidget(Label1);
    body->addWidget(Edit1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BtnUygula);
    buttons->addWidget(BtnIptal);
    body->addLayout(buttons);
    auto* top = new QVBoxLayout(this);
    top->setContentsMargins(0, 0, 0, 0);
    top->addWidget(Header);
    top->addLayout(body);
    setFixedWidth(320);
}

void TK_OtoNoF::setFieldCaption(const QString& caption) { Label1->setText(caption); }
void TK_OtoNoF::setValueText(const QString& text) { Edit1->setText(text); }
QString TK_OtoNoF::valueText() const { return Edit1->text(); }

bool TK_OtoNoF::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Edit1 && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            accept();
            return true;
        }
        // Backspace, Delete and the shortcuts (pasted text passes the validator) are left alone.
        if (key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Delete
            || (key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)))
            return false;
        const QString t = key->text();
        // Digits only; keys without text (arrows, Home, End) still move the cursor.
        if (!t.isEmpty() && !(t.size() == 1 && t.at(0) >= QLatin1Char('0') && t.at(0) <= QLatin1Char('9')))
            return true;
    }
    return QDialog::eventFilter(watched, event);
}
