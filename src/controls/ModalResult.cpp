#include "controls/ModalResult.h"

#include <QDialog>
#include <QPointer>

void ClickWithModalResult(QWidget* control, int modalResult, const std::function<void()>& onClick)
{
    QPointer<QDialog> dialog = control ? qobject_cast<QDialog*>(control->window()) : nullptr;
    if (dialog)
        dialog->setResult(modalResult);
    if (onClick)
        onClick();
    if (dialog && dialog->isVisible() && dialog->result() != mrNone)
        dialog->done(dialog->result());
}
