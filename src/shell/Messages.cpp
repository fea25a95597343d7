#include "shell/Messages.h"

#include <QGuiApplication>

#include <stdexcept>

void ShowInfo(const QString& text)
{
    MessageRequest r;
    // Before start-up sets the title this is the default one, as the single-instance box expects.
    r.caption = QGuiApplication::applicationDisplayName() + QStringLiteral(" - Bilgi");
    r.text = text;
    r.icon = MsgIcon::Information;
    r.buttons = MbOk;
    r.defaultButton = MbOk;
    DialogService::instance().message(nullptr, r);
}

MsgButton ConfirmBox(int kind)
{
    MessageRequest r;
    r.caption = QStringLiteral("Soru");
    r.icon = MsgIcon::Question;
    switch (kind) {
    case 1:
        r.text = QStringLiteral("Bu kaydı silmek istediğinizden emin misiniz?");
        r.buttons = MbYes | MbNo;
        r.defaultButton = MbNo;
        break;
    case 2:
        r.text = QStringLiteral("Kart üzerindeki değişiklikleri kaydetmek ister misiniz?");
        r.buttons = MbYes | MbNo | MbCancel;
        r.defaultButton = MbYes;
        break;
    default:
        throw std::invalid_argument("ConfirmBox: unknown kind " + std::to_string(kind));
    }
    return DialogService::instance().message(nullptr, r);
}

MsgButton QuestionBox(const QString& text, bool noPreselected)
{
    MessageRequest r;
    r.caption = QStringLiteral("Soru");
    r.text = text;
    r.icon = MsgIcon::Question;
    r.buttons = MbYes | MbNo;
    r.defaultButton = noPreselected ? MbNo : MbYes;
    return DialogService::instance().message(nullptr, r);
}
