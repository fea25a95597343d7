#include "shell/ErrorHandler.h"

#include "data/LoginState.h"
#include "data/SqlText.h"
#include "fb/Firebird.h"
#include "fb/Win1254.h"
#include "shell/AppPaths.h"
#include "shell/Messages.h"
#include "shell/ProgramIdentity.h"
#include "shell/SilentAbort.h"

#include <QApplication>
#include <QDateTime>
#include <QFile>
#include <QLocale>
#include <QSaveFile>
#include <QStringDecoder>
#include <QWidget>

#include <memory>

namespace {

const QString kCrLf = QStringLiteral("\r\n");
constexpr int kKeptLogLines = 750;

// Firebird 2.x says "I/O error for file", Firebird 3 'I/O error during "open" operation for file'.
bool isFileOpenError(const QString& message, Qt::CaseSensitivity cs)
{
    return message.contains(QLatin1String("I/O error for file"), cs)
        || message.contains(QLatin1String("I/O error during \"open\" operation for file"), cs);
}

// The path between the quotes after "for file"; the server may follow it with a line break.
QString ioErrorPath(const QString& message)
{
    const QLatin1String marker("for file \"");
    const qsizetype at = message.indexOf(marker, 0, Qt::CaseInsensitive);
    if (at < 0)
        return {};
    const qsizetype start = at + marker.size();
    qsizetype end = message.indexOf(QLatin1Char('"'), start);
    if (end < 0) {
        end = message.indexOf(QLatin1Char('\n'), start);
        if (end < 0)
            end = message.size();
    }
    return message.mid(start, end - start).trimmed();
}

// The constraint named in 'violation of PRIMARY or UNIQUE KEY constraint "INTEG_12" on table "T"'.
QString constraintName(const QString& message)
{
    const QLatin1String marker("constraint \"");
    const qsizetype at = message.indexOf(marker);
    if (at < 0)
        return {};
    const qsizetype start = at + marker.size();
    const qsizetype end = message.indexOf(QLatin1Char('"'), start);
    return end < 0 ? QString() : message.mid(start, end - start);
}

struct KeyNames {
    QString table;
    QString field;
};

KeyNames lookUpKey(fb::Database* db, const QString& constraint)
{
    KeyNames names;
    if (!db || !db->connected() || constraint.isEmpty())
        return names;
    try {
        std::unique_ptr<fb::Transaction> own;
        fb::Transaction* tr = db->defaultTransaction();
        if (!tr) {
            own = std::make_unique<fb::Transaction>(*db, QStringList{QStringLiteral("read_committed"),
                QStringLiteral("rec_version"), QStringLiteral("nowait"), QStringLiteral("read")});
            tr = own.get();
        }
        fb::Statement q(*db, *tr);
        q.prepare(QStringLiteral("SELECT RDB$INDEX_NAME, RDB$RELATION_NAME FROM RDB$RELATION_CONSTRAINTS\n")
                  + QStringLiteral("WHERE RDB$CONSTRAINT_NAME=") + QuotedStr(constraint));
        q.execute();
        QString index;
        if (q.fetch()) {
            index = q.value(0).toString().trimmed();
            names.table = q.value(1).toString().trimmed();
        }
        q.closeCursor();
        if (!index.isEmpty()) {
            q.prepare(QStringLiteral("SELECT RDB$FIELD_NAME FROM RDB$INDEX_SEGMENTS\n")
                      + QStringLiteral("WHERE RDB$INDEX_NAME=") + QuotedStr(index));
            q.execute();
            if (q.fetch())
                names.field = q.value(0).toString().trimmed();
            q.closeCursor();
        }
        if (own)
            own->commit();
    } catch (const fb::Error&) {
        // A failing look-up must not hide the error being explained.
    }
    return names;
}

QString nameLine()
{
    return QStringLiteral("Kullanıcı Adı   : ") + Login().currentUserFirstName + QLatin1Char(' ')
        + Login().currentUserSurname + kCrLf;
}

bool isFormWindow(const QWidget* w)
{
    if (!w || !w->isWindow() || !w->isVisible())
        return false;
    const Qt::WindowType t = w->windowType();
    return t != Qt::Popup && t != Qt::ToolTip && t != Qt::Desktop;
}

// Visible windows, topmost first: the modal one, the active one, then the others.
QList<QWidget*> windowStack()
{
    QList<QWidget*> stack;
    for (QWidget* w : {QApplication::activeModalWidget(), QApplication::activeWindow()})
        if (isFormWindow(w) && !stack.contains(w))
            stack.append(w);
    for (QWidget* w : QApplication::topLevelWidgets())
        if (isFormWindow(w) && !stack.contains(w))
            stack.append(w);
    return stack;
}

void reenableWorkingWindow()
{
    const QList<QWidget*> stack = windowStack();
    if (stack.isEmpty())
        return;
    if (stack.first()->objectName() == QLatin1String("IslemF")) {
        if (stack.size() > 1)
            stack.at(1)->setEnabled(true);
    } else if (!stack.first()->isEnabled()) {
        stack.first()->setEnabled(true);
    }
}

ErrorHandler* g_installed = nullptr;

} // namespace

QString HataMesajBul(const QString& message)
{
    const auto has = [&](const char* fragment) {
        return message.contains(QLatin1String(fragment), Qt::CaseInsensitive);
    };
    if (has("UNABLE TO COMPLETE NETWORK REQUEST TO HOST")) {
        const QString s = Login().serverName;
        return QStringLiteral("Problem  :\r\n   \"") + s + QStringLiteral("\" isim/IP li Server Bilgisayar") + kCrLf
            + QStringLiteral("   ile bağlantı kurulumadı...") + kCrLf + kCrLf
            + QStringLiteral("Çözüm  :") + kCrLf
            + QStringLiteral("   Ağ komşularından \"") + s + QStringLiteral("\" isim/IP li bilgisayarı gördüğünden") + kCrLf
            + QStringLiteral("   emin olduktan sonra yeniden deyeniz.") + kCrLf + kCrLf
            + QStringLiteral("   NOT : Eğer herhangi bir firewall programı kullanıyorsanız, ") + kCrLf
            + QStringLiteral("         3050 nolu portu açmanız gerekir.");
    }
    if (has("DEADLOCK"))
        return QStringLiteral("Problem  :\r\n   İşlem yapmaya çalıştığınız kayıt başka bir\r\n"
                              "   kullanıcı tarafından kullanılmaktadır.\r\n\r\n"
                              "Çözüm  :\r\n   Diğer kullanıcı işlemini bitirdikten sonra yeniden deneyiniz...\r\n\r\n"
                              "   NOT : Düzenleme işlemine başlamadan önce mutlaka, \r\n"
                              "         \"Kaydı Yenile (Refresh)\" butonuna basınız...");
    if (has("YOUR USER NAME AND PASSWORD"))
        return QStringLiteral("Problem  :\r\n   Geçersiz kullanıcı adı veya parolası...\r\n\r\n"
                              "Çözüm  :\r\n   Kullanıcı adını ve parolasını yeniden giriniz..\r\n\r\n"
                              "   NOT : Programı Client olarak kullanıyorsanız, Server bilgisayara\r\n"
                              "         kullanıcı hesabınızın kaydedildiğinden emin olunuz...");
    if (isFileOpenError(message, Qt::CaseInsensitive))
        return QStringLiteral("Problem  :\r\n   \"") + ioErrorPath(message) + QLatin1Char('"') + kCrLf
            + QStringLiteral("   Veri tabanı dosyasına bağlanılamadı...") + kCrLf + kCrLf
            + QStringLiteral("Çözüm  :") + kCrLf
            + QStringLiteral("   Yolun doğruluğunu kontrol edip yeniden deneyiniz..");
    return {};
}

QString UNIQUEMesajBul(const QString& message, fb::Database* db)
{
    KeyNames names;
    if (message.contains(QLatin1String("PRIMARY or UNIQUE KEY")))
        names = lookUpKey(db, constraintName(message));
    const QString caption = names.field;
    return QStringLiteral("Problem  :\r\n   Bu \"") + caption + QStringLiteral("\" daha önceden kaydedilmiş...") + kCrLf
        + QStringLiteral("   Veri Tablosu : ") + names.table + kCrLf
        + QStringLiteral("   Veri Alanı  : ") + names.field + kCrLf + kCrLf
        + QStringLiteral("Çözüm  :") + kCrLf
        + QStringLiteral("   \"") + caption + QStringLiteral("\" veri alanını değiştirerek yeniden kaydediniz...");
}

void WriteErrorLog(const QString& message)
{
    const QString path = IniDir() + QStringLiteral("Hata.Ini");
    QStringList lines;
    QFile in(path);
    if (in.open(QIODevice::ReadOnly)) {
        const QByteArray raw = in.readAll();
        QStringDecoder utf8(QStringDecoder::Utf8);
        QString text = utf8(raw);
        if (utf8.hasError())
            text = fb::fromWin1254(raw);
        text.replace(kCrLf, QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
        lines = text.split(QLatin1Char('\n'));
        if (!lines.isEmpty() && lines.last().isEmpty())
            lines.removeLast();
        in.close();
    }
    while (lines.size() > kKeptLogLines)
        lines.removeFirst();
    // One entry per line, whatever the message holds.
    QString oneLine = message;
    oneLine.replace(kCrLf, QStringLiteral(" ")).replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    lines.append(QLocale::system().toString(QDateTime::currentDateTime(), QLocale::ShortFormat)
                 + QStringLiteral(" - ") + oneLine);
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly))
        return;
    out.write((lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
    out.commit();
}

void ErrorHandler::recover(const std::function<void()>& hook)
{
    if (!hook)
        return;
    try {
        hook();
    } catch (...) {
        // The recovery step of a broken connection may fail too; the error is reported already.
    }
}

void ErrorHandler::handle(const QString& message)
{
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
    WriteErrorLog(message);
    recover(m_hooks.hidePleaseWait);

    const auto has = [&](const char* fragment) { return message.contains(QLatin1String(fragment)); };
    const LoginState& login = Login();

    if (has("Unable to complete network request to host")) {
        ShowInfo(HataMesajBul(message));
        if (login.loginFormOpen) {
            recover(m_hooks.closeConnection);
            recover(m_hooks.showNetworkSettings);
            recover(m_hooks.rerunLoginOnShow);
        } else {
            recover(m_hooks.forceCloseConnection);
            recover(m_hooks.closeMainWindow);
        }
    } else if (has("Could not convert variant of type") && login.loginFormOpen) {
        ShowInfo(QStringLiteral("Hatalı Kullanıcı Adı veya Parolası!."));
    } else if (message.left(17) == QLatin1String("Connection Failed") || message.left(17) == QLatin1String("Connect timed out")) {
        ShowInfo(QStringLiteral("Aktif Bir İnternet Bağlantısı Bulunamadı..."));
    } else if (has("deadlock")) {
        ShowInfo(HataMesajBul(message));
    } else if (has("Your user name and password")) {
        ShowInfo(HataMesajBul(message));
    } else if (has("connection lost to database") || has("connection shutdown")
               || has("Error writing data to the connection") || has("Error reading data from the connection")) {
        ShowInfo(QStringLiteral("Veritabanı ile bağlantı kurulamadı!.."));
        recover(m_hooks.forceCloseConnection);
        recover(m_hooks.closeMainWindow);
    } else if (isFileOpenError(message, Qt::CaseSensitive)) {
        recover(m_hooks.closeConnection);
        ShowInfo(HataMesajBul(message));
        recover(m_hooks.showNetworkSettings);
    } else if (has("USER_NAME_INDEX")) {
        ShowInfo(nameLine() + QStringLiteral("Bilgi Mesajı    : Bu kullanıcı adı daha önce kaydedilmiş. Lütfen değiştiriniz."));
    } else if (has("Cannot insert into dataset") || has("no permission for INSERT access")) {
        ShowInfo(nameLine() + QStringLiteral("Bilgi Mesajı    : Kayıt eklemek için yetkiniz yok."));
    } else if (has("Cannot update") || has("modify a read-only dataset") || has("no permission for UPDATE access")) {
        ShowInfo(nameLine() + QStringLiteral("Bilgi Mesajı    : Kayıt düzenleme için yetkiniz yok."));
    } else if (has("Cannot delete from dataset") || has("no permission for DELETE access")) {
        ShowInfo(nameLine() + QStringLiteral("Bilgi Mesajı    : Kayıt silmek için yetkiniz yok."));
    } else if (has("no permission for read/select") || has("no permission for SELECT access")) {
        if (login.loginFormOpen)
            ShowInfo(ProgramIdentity::MakerName + QLatin1Char(' ') + ProgramIdentity::ProductName
                     + QStringLiteral(" programını kullanmak için yetkiniz yok!.."));
    } else if (has("UNIQUE KEY")) {
        ShowInfo(UNIQUEMesajBul(message, m_db));
    } else {
        ShowInfo(QStringLiteral("Programda bir hatayla karşılaşıldı!..\r\n") + message);
    }

    reenableWorkingWindow();
}

void ErrorHandler::handleCurrentException()
{
    try {
        throw;
    } catch (const SilentAbort&) {
    } catch (const fb::Error& e) {
        handle(e.text());
    } catch (const std::exception& e) {
        handle(QString::fromUtf8(e.what()));
    } catch (...) {
        handle(QStringLiteral("Bilinmeyen hata"));
    }
}

void ErrorHandler::install(ErrorHandler* handler) { g_installed = handler; }

ErrorHandler& ErrorHandler::current()
{
    static ErrorHandler fallback;
    return g_installed ? *g_installed : fallback;
}
