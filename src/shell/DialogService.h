#pragma once
// Every message box, question, file, colour and font dialog goes through here, so tests can
// replace the real dialogs with a scripted fake.
#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>

class QWidget;

enum class MsgIcon { None, Information, Question, Warning, Critical };

// Button values can be or-ed together for the set of buttons a box shows.
enum MsgButton : int {
    MbNone = 0,
    MbOk = 1,
    MbCancel = 2,
    MbYes = 4,
    MbNo = 8,
};

struct MessageRequest {
    QString caption;
    QString text;
    MsgIcon icon = MsgIcon::None;
    int buttons = MbOk;
    MsgButton defaultButton = MbNone; // MbNone: the first of the buttons
};

struct FileRequest {
    QString caption;
    QString directory;
    QString fileName;
    QString filter;      // Qt filter string, "Resimler (*.jpg *.bmp)"
    QString defaultSuffix;
    int filterIndex = 0;               // entry of filter to preselect, from 1; 0: the first
    int* chosenFilterIndex = nullptr;  // save dialog: receives the entry chosen, from 1
};

class DialogService {
public:
    virtual ~DialogService() = default;

    // Returns the button pressed; MbCancel (or MbNo when there is no Cancel) when the box was
    // closed without a choice.
    virtual MsgButton message(QWidget* parent, const MessageRequest& request) = 0;
    // Empty text: the user cancelled.
    virtual QString openFile(QWidget* parent, const FileRequest& request) = 0;
    virtual QString saveFile(QWidget* parent, const FileRequest& request) = 0;
    virtual QString chooseDirectory(QWidget* parent, const QString& caption, const QString& start) = 0;
    // Invalid colour / false: cancelled.
    virtual QColor chooseColor(QWidget* parent, const QColor& initial) = 0;
    virtual bool chooseFont(QWidget* parent, QFont& font) = 0;

    // The service in use; the real Qt dialogs unless a test installed another.
    static DialogService& instance();
    // Installs a service (not owned); nullptr restores the real dialogs.
    static void setInstance(DialogService* service);
};

// Real Qt dialogs with Turkish button texts.
class QtDialogService : public DialogService {
public:
    MsgButton message(QWidget* parent, const MessageRequest& request) override;
    QString openFile(QWidget* parent, const FileRequest& request) override;
    QString saveFile(QWidget* parent, const FileRequest& request) override;
    QString chooseDirectory(QWidget* parent, const QString& caption, const QString& start) override;
    QColor chooseColor(QWidget* parent, const QColor& initial) override;
    bool chooseFont(QWidget* parent, QFont& font) override;
};
