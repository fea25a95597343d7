#pragma once
// Modal results of the program's dialogs. A button with a modal result copies it to its dialog
// on every click; a non-zero result then closes the dialog, and exec() returns it.
#include <functional>

class QWidget;

enum TModalResult { mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6, mrNo = 7 };

// Sets the dialog's result to `modalResult`, runs `onClick`, and closes the dialog with its
// result when that is non-zero. A click handler may set the result back to mrNone to keep the
// dialog open (the usual way to refuse invalid input).
void ClickWithModalResult(QWidget* control, int modalResult, const std::function<void()>& onClick);
