#include "shell/MainWindowLink.h"

namespace {
MainWindowLink* g_link = nullptr;
}

MainWindowLink* MainWindow() { return g_link; }
void setMainWindow(MainWindowLink* link) { g_link = link; }
