#include "shell/FormAyar.h"

#include "shell/AnaFormU.h"
#include "shell/GeneralRoutines.h"

#include <QLabel>
#include <QWidget>

namespace {
QLabel* picture(QWidget* form, const char* name)
{
    return form->findChild<QLabel*>(QString::fromLatin1(name));
}

QPixmap mainPicture(QLabel* TAnaF::*member, QPixmap (*fallback)())
{
    if (AnaF) {
        const QPixmap pm = (AnaF->*member)->pixmap();
        if (!pm.isNull())
            return pm;
    }
    return fallback();
}
} // namespace

void FormAyar(QWidget* form, int index)
{
    if (!form)
        return;
    form->setWindowTitle(MainWindowCaption());
    if (QLabel* p = picture(form, "ImageBASLIK1"))
        p->setPixmap(mainPicture(&TAnaF::ImageBASLIK1, &HeaderPicture1));
    if (QLabel* p = picture(form, "ImageBASLIK2"))
        p->setPixmap(mainPicture(&TAnaF::ImageBaslik2, &HeaderPicture2));
    if (QLabel* p = picture(form, "ImageTOP")) {
        if (index == -1) {
            p->setPixmap(ProgramIconPixmap(32));
        } else if (AnaF && index >= 0 && index < AnaF->ImageList32.size()) {
            p->setPixmap(AnaF->ImageList32.at(index));
        }
    }
}
