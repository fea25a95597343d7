#include "data/K_PasswordU.h"

#include "data/Connection.h"
#include "data/DataModule.h"
#include "data/IniFile.h"
#include "data/K_IBAyarU.h"
#include "data/K_YardimU.h"
#include "data/LoginState.h"
#include "shell/FormAyar.h"
#include "shell/GeneralRoutines.h"
#include "shell/MainWindowLink.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFont>
#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

TK_PasswordF* K_PasswordF = nullptr;

namespace {
TK_PasswordF* g_current = nullptr;

const QString kCaption = QStringLiteral("Kullanıcı giriş");

bool isEnter(const QKeyEvent* e) { return e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter; }

QPushButton* button(QWidget* parent, const char* name, const QString& text)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    // Enter belongs to the fields, not to a default button.
    b->setAutoDefault(false);
    b->setDefault(false);
    return b;
}
} // namespace

TK_PasswordF::TK_PasswordF(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("K_PasswordF"));
    setWindowTitle(kCaption);

    auto* header = new QFrame(this);
    header->setObjectName(QStringLiteral("ZYFormHeader1"));
    header->setAutoFillBackground(true);
    header->setBackgroundRole(QPalette::Base);
    ImageTOP = new QLabel(header);
    ImageTOP->setObjectName(QStringLiteral("ImageTOP"));
    ImageTOP->setFixedSize(32, 32);
    LabelBaslik = new QLabel(QStringLiteral("Kullanıcı Girişi"), header);
    LabelBaslik->setObjectName(QStringLiteral("LabelBaslik"));
    QFont bold = LabelBaslik->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.2);
    LabelBaslik->setFont(bold);
    LabelAciklama = new QLabel(QStringLiteral("Kullanıcı adı ve şifrenizi giriniz"), header);
    LabelAciklama->setObjectName(QStringLiteral("LabelAciklama"));
    auto* headerText = new QVBoxLayout;
    headerText->addWidget(LabelBaslik);
    headerText->addWidget(LabelAciklama);
    auto* headerLayout = new QHBoxLayout(header);
    headerLayout->addLayout(headerText, 1);
    headerLayout->addWidget(ImageTOP);

    EditUser = new QLineEdit(this);
    EditUser->setObjectName(QStringLiteral("EditUser"));
    EditUser->setMaxLength(16);
    // Keys are filtered one by one; the validator keeps pasted text to the same letters.
    EditUser->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[A-Z0-9_]*")), EditUser));
    EditPass = new QLineEdit(this);
    EditPass->setObjectName(QStringLiteral("EditPass"));
    EditPass->setMaxLength(16);
    EditPass->setEchoMode(QLineEdit::Password);
    CheckBox1 = new QCheckBox(QStringLiteral("Şifremi hatırla"), this);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    CheckBox1->setChecked(false);

    IQGrap1 = button(this, "IQGrap1", QStringLiteral("Tamam"));
    IQGrap2 = button(this, "IQGrap2", QStringLiteral("Vazgeç"));
    IQGrap3 = button(this, "IQGrap3", QStringLiteral("?"));
    IQGrap3->setFixedWidth(IQGrap3->fontMetrics().height() * 2);
    IQGrap4 = button(this, "IQGrap4", QString());
    IQGrap4->setIcon(style()->standardIcon(QStyle::SP_DriveNetIcon));
    IQGrap4->setToolTip(QStringLiteral("Network Ayarları"));

    auto* userLabel = new QLabel(QStringLiteral("Kullanıcı Adı : "), this);
    userLabel->setBuddy(EditUser);
    auto* passLabel = new QLabel(QStringLiteral("Parola : "), this);
    passLabel->setBuddy(EditPass);
    auto* grid = new QGridLayout;
    grid->addWidget(userLabel, 0, 0);
    grid->addWidget(EditUser, 0, 1);
    grid->addWidget(passLabel, 1, 0);
    grid->addWidget(EditPass, 1, 1);
    grid->addWidget(IQGrap3, 1, 2);
    grid->addWidget(CheckBox1, 2, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(IQGrap4);
    buttons->addStretch(1);
    buttons->addWidget(IQGrap1);
    buttons->addWidget(IQGrap2);

    auto* body = new QVBoxLayout;
    body->setContentsMargins(16, 12, 16, 12);
    body->addLayout(grid);
    body->addSpacing(8);
    body->addLayout(buttons);
    auto* main = new QVBoxLayout(this);
    main->setContentsMargins(0, 0, 0, 0);
    main->addWidget(header);
    main->addLayout(body);
    main->setSizeConstraint(QLayout::SetFixedSize);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(500);
    Timer1->setSingleShot(true);
    connect(Timer1, &QTimer::timeout, this, [this] {
        Timer1->stop();
        IQGrap1->click();
    });

    connect(IQGrap1, &QPushButton::clicked, this, &TK_PasswordF::login);
    connect(IQGrap2, &QPushButton::clicked, this, &TK_PasswordF::cancelLogin);
    connect(IQGrap3, &QPushButton::clicked, this, &TK_PasswordF::openHelp);
    connect(IQGrap4, &QPushButton::clicked, this, &TK_PasswordF::openNetworkSettings);

    EditUser->installEventFilter(this);
    EditPass->installEventFilter(this);
    CheckBox1->installEventFilter(this);

    g_current = this;
}

TK_PasswordF::~TK_PasswordF()
{
    if (g_current == this) {
        g_current = nullptr;
        Login().loginFormOpen = false;
    }
}

TK_PasswordF* TK_PasswordF::current() { return g_current; }

void TK_PasswordF::runOnShowSteps()
{
    const IniFile& ini = FSAyar();
    const ConnectionSettings settings = ConnectionSettings::load(ini);
    if (!CheckBox1->isChecked())
        EditPass->clear();
    if (settings.serverClient) {
        EditUser->setText(kAdminUser);
        EditUser->setEnabled(false);
    } else {
        EditUser->setEnabled(true);
        EditUser->setText(ini.readString(kAyarSection, kKeyUserName));
    }
    CheckBox1->setChecked(ini.readBool(kAyarSection, kKeyPwdHat, false));
    if (CheckBox1->isChecked())
        EditPass->setText(ScrambleText(ini.readString(kAyarSection, kKeyUserPwd), false));
    // Decided after the saved name is in, so a known user goes straight to the password.
    if (settings.serverClient || !EditUser->text().isEmpty())
        EditPass->setFocus();
    else
        EditUser->setFocus();
}

void TK_PasswordF::login()
{
    // A pending automatic confirmation must not log in a second time.
    Timer1->stop();
    TD_Genel* dm = D_Genel();
    if (!dm)
        return;
    const LoginInput input{EditUser->text(), EditPass->text(), CheckBox1->isChecked()};
    switch (RunLogin(*dm, input)) {
    case LoginResult::LoggedIn:
        accept();
        break;
    case LoginResult::Refused:
        break;
    case LoginResult::EndProgram:
        if (MainWindow())
            MainWindow()->closeMainWindow();
        done(QDialog::Rejected);
        break;
    }
}

void TK_PasswordF::cancelLogin()
{
    if (TD_Genel* dm = D_Genel())
        CloseLoginConnection(*dm);
    Login().loginMayClose = true;
    if (MainWindow())
        MainWindow()->closeMainWindow();
    done(QDialog::Rejected);
}

void TK_PasswordF::openNetworkSettings()
{
    ShowModalForm(K_IBAyarF, this);
    if (ConnectionSettings::load(FSAyar()).serverClient)
        EditUser->clear();
    runOnShowSteps();
}

void TK_PasswordF::openHelp() { ShowModalForm(K_YardimF, this); }

void TK_PasswordF::activated()
{
    MainWindowLink* main = MainWindow();
    if (!CheckBox1->isChecked() || EditPass->text().isEmpty() || !main || main->firstActivationDone())
        return;
    if (Login().autoLoginStarted)
        return;
    Login().autoLoginStarted = true;
    Timer1->start();
}

void TK_PasswordF::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    Login().loginFormOpen = true;
    FormAyar(this);
    setWindowTitle(kCaption);
    if (!parentWidget()) {
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            QRect r = frameGeometry();
            r.moveCenter(screen->availableGeometry().center());
            move(r.topLeft());
        }
    }
    runOnShowSteps();
    // No activation arrives without a window manager; the first show stands in for it.
    if (!m_activationQueued) {
        m_activationQueued = true;
        QMetaObject::invokeMethod(this, &TK_PasswordF::activated, Qt::QueuedConnection);
    }
}

void TK_PasswordF::hideEvent(QHideEvent* event)
{
    QDialog::hideEvent(event);
    if (!event->spontaneous())
        Login().loginFormOpen = false;
}

void TK_PasswordF::closeEvent(QCloseEvent* event)
{
    if (!Login().loginMayClose) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void TK_PasswordF::keyPressEvent(QKeyEvent* event)
{
    // Escape does not close the login.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool TK_PasswordF::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (watched == EditUser) {
        if (isEnter(key)) {
            EditPass->setFocus();
            return true;
        }
        const QString text = key->text();
        if (text.size() != 1 || text[0].unicode() < 0x20 || (key->modifiers() & Qt::ControlModifier))
            return false; // editing and navigation keys
        const QChar c = UpperAsciiKey(text[0]);
        if (c.isNull())
            return true;
        if (c != text[0]) {
            EditUser->insert(QString(c));
            return true;
        }
        return false;
    }
    if (watched == EditPass) {
        if (isEnter(key)) {
            IQGrap1->click();
            return true;
        }
        if (key->key() == Qt::Key_Space || key->text() == QLatin1String(" "))
            return true;
        return false;
    }
    if (watched == CheckBox1 && isEnter(key)) {
        IQGrap1->click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
