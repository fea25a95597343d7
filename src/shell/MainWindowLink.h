#pragma once
// What the login and the error handler need of the main window, so they can be tested
// without it.
#include <QString>

class MainWindowLink {
public:
    virtual ~MainWindowLink() = default;
    virtual void setStatusLabel(const QString& text) = 0;          // Label1
    virtual void setAdminItemsVisible(bool visible) = 0;           // the four administrator items
    virtual void selectFirstNavigationNode() = 0;
    virtual void rebuildSpeedBar() = 0;                            // SpeedBarAktar
    virtual bool firstActivationDone() const = 0;                  // FirstActivation has ended
    virtual void closeMainWindow() = 0;                            // ends the program
};

// The running main window; nullptr before it exists and in tests that do without it.
MainWindowLink* MainWindow();
void setMainWindow(MainWindowLink* link);
