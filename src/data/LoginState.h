#pragma once
// Who is logged in, shared by the whole program.
#include <QString>

struct LoginState {
    QString currentUser;           // "Yetkili" for the administrator
    QString currentPassword;
    QString currentUserFirstName;  // "Yetkili" for the administrator
    QString currentUserSurname;
    QString serverName;            // server of the last client-mode login, empty otherwise
    bool serverMode = true;
    // Server mode through the Firebird server on this machine instead of the embedded engine;
    // the services must reach the database the same way.
    bool throughLocalServer = false;
    bool restoreMode = false;
    bool loginMayClose = false;
    bool loginFormOpen = false;
    // The remembered password logs in by itself once per program start.
    bool autoLoginStarted = false;
    QString speedBarIniFile;
};

LoginState& Login();
