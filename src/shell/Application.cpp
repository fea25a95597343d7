#include "shell/Application.h"

#include "shell/ErrorHandler.h"

TavrionApplication::TavrionApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TavrionApplication::notify(QObject* receiver, QEvent* event)
{
    return notifyReporting(this, receiver, event);
}

bool TavrionApplication::notifyReporting(QApplication* app, QObject* receiver, QEvent* event)
{
    try {
        return app->QApplication::notify(receiver, event);
    } catch (...) {
        ErrorHandler::current().handleCurrentException();
    }
    return false;
}
