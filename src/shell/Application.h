#pragma once
#include <QApplication>

class QEvent;
class QObject;

// The program's application object: an exception that escapes an event handler goes to the
// installed error handler instead of ending the program; a silent abort goes nowhere.
class TavrionApplication : public QApplication {
    Q_OBJECT
public:
    TavrionApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // Delivers the event through app's own QApplication::notify and reports what it throws.
    static bool notifyReporting(QApplication* app, QObject* receiver, QEvent* event);
};
