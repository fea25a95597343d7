#pragma once
// Process-wide flags the person screens hand to one another.

// Set by the main menu before the person card is shown for a new person; the card clears it.
extern bool NewCardRequested;
// Set by a screen just before it opens another screen for one person; the opened screen clears it.
extern bool OpenForPerson;
// The person search was closed with "Tamam".
extern bool SearchConfirmed;
