#pragma once
// The standard message boxes every screen uses. All of them go through DialogService.
#include "shell/DialogService.h"

#include <QString>

// Caption: the application's current title + " - Bilgi"; information icon; OK.
void ShowInfo(const QString& text);

// The two fixed questions (caption "Soru", question icon):
//   1 "Bu kaydı silmek istediğinizden emin misiniz?"             Yes/No, No preselected
//   2 "Kart üzerindeki değişiklikleri kaydetmek ister misiniz?"  Yes/No/Cancel, Yes preselected
// Returns the button pressed.
MsgButton ConfirmBox(int kind);

// Yes/No question with the caption "Soru"; Yes is preselected unless noPreselected is set.
MsgButton QuestionBox(const QString& text, bool noPreselected = false);
