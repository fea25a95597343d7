#include "shell/DialogService.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>
#include <QPushButton>

namespace {
DialogService* g_service = nullptr;

QMessageBox::Icon toQt(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::Information: return QMessageBox::Information;
    case MsgIcon::Question: return QMessageBox::Question;
    case MsgIcon::Warning: return QMessageBox::Warning;
    case MsgIcon::Critical: return QMessageBox::Critical;
    default: return QMessageBox::NoIcon;
    }
}
} // namespace

DialogService& DialogService::instance()
{
    static QtDialogService real;
    return g_service ? *g_service : real;
}

void DialogService::setInstance(DialogService* service) { g_service = service; }

MsgButton QtDialogService::message(QWidget* parent, const MessageRequest& r)
{
    QMessageBox box(toQt(r.icon), r.caption, r.text, QMessageBox::NoButton, parent ? parent : QApplication::activeWindow());
    struct Def { MsgButton b; const char* text; QMessageBox::ButtonRole role; };
    const Def defs[] = {{MbYes, "Evet", QMessageBox::YesRole}, {MbNo, "Hayır", QMessageBox::NoRole},
                        {MbOk, "Tamam", QMessageBox::AcceptRole}, {MbCancel, "İptal", QMessageBox::RejectRole}};
    QHash<QAbstractButton*, MsgButton> map;
    QPushButton* first = nullptr;
    for (const Def& d : defs) {
        if (!(r.buttons & d.b))
            continue;
        QPushButton* b = box.addButton(QString::fromUtf8(d.text), d.role);
        map.insert(b, d.b);
        if (!first)
            first = b;
        if (r.defaultButton == d.b)
            box.setDefaultButton(b);
        if (d.b == MbCancel || (d.b == MbNo && !(r.buttons & MbCancel)))
            box.setEscapeButton(b);
    }
    if (r.defaultButton == MbNone && first)
        box.setDefaultButton(first);
    box.exec();
    if (auto it = map.find(box.clickedButton()); it != map.end())
        return it.value();
    return (r.buttons & MbCancel) ? MbCancel : MbNo;
}

QString QtDialogService::openFile(QWidget* parent, const FileRequest& r)
{
    return QFileDialog::getOpenFileName(parent, r.caption, r.directory.isEmpty() ? r.fileName : r.directory, r.filter);
}

QString QtDialogService::saveFile(QWidget* parent, const FileRequest& r)
{
    QFileDialog dlg(parent, r.caption, r.directory, r.filter);
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setDefaultSuffix(r.defaultSuffix);
    if (!r.fileName.isEmpty())
        dlg.selectFile(r.fileName);
    const QStringList filters = r.filter.split(QStringLiteral(";;"), Qt::SkipEmptyParts);
    if (r.filterIndex > 0 && r.filterIndex <= filters.size())
        dlg.selectNameFilter(filters[r.filterIndex - 1]);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return QString();
    if (r.chosenFilterIndex)
        if (const int i = filters.indexOf(dlg.selectedNameFilter()); i >= 0)
            *r.chosenFilterIndex = i + 1;
    return dlg.selectedFiles().first();
}

QString QtDialogService::chooseDirectory(QWidget* parent, const QString& caption, const QString& start)
{
    return QFileDialog::getExistingDirectory(parent, caption, start);
}

QColor QtDialogService::chooseColor(QWidget* parent, const QColor& initial)
{
    return QColorDialog::getColor(initial, parent);
}

bool QtDialogService::chooseFont(QWidget* parent, QFont& font)
{
    bool ok = false;
    const QFont f = QFontDialog::getFont(&ok, font, parent);
    if (ok)
        font = f;
    return ok;
}
