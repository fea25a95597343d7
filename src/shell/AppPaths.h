#pragma once
#include <QString>

// ProgramDir is TAVRION_HOME when set, otherwise the program file's folder. Every path ends
// with a separator.
QString ProgramDir();
QString DataDir();
QString IniDir(); // created with its parents when missing
