#include "persons/PersonFlags.h"

bool NewCardRequested = false;
bool OpenForPerson = false;
bool SearchConfirmed = false;
