#pragma once
// The shared settings row of AYAR (held open in Ayar_Ds), generator reads and the automatic
// person code.
#include <QString>

class Dataset;
class TD_Genel;
class QWidget;

// Appends the row with its defaults when AYAR has none; otherwise does nothing.
void AyarVarsayilan(TD_Genel& module);

// Refuses (ShowInfo, then Abort) a settings row whose SEMA_ES_GENISLIK is outside 30..250.
void CheckSettingsRow(const Dataset& ayar);

// Installs the before-post check on Ayar_Ds; the data module calls it once.
void installSettingsRecordHandlers(TD_Genel& module);

// The generator's value after adding step (0 reads it), in a short transaction of its own
// (NewKodu_Tr). -1 when it cannot be read, or does not fit 32 bits; nothing is shown.
int NextGeneratorValue(TD_Genel& module, const QString& generator, int step);
int NextGeneratorValue(const QString& generator, int step); // on D_Genel()

// The last d characters of "0000000000" followed by number, d being the first character of
// choice read as a digit ("5 Basamağa tamamla"); a longer number keeps its last d digits.
// No digit, or 0: the number unchanged.
QString ZeroFill(const QString& number, const QString& choice);

// CRBASEK + zero-filled number + CRSONEK for a new person, drawing the number from KISI_ID with
// one advancing step (so two workstations never share a number) and keeping CRNO at the number
// the next code will carry. Refuses (message, Abort) when the generator cannot be read; then
// nothing is written.
QString NextPersonCode(TD_Genel& module);
QString NextPersonCode(); // on D_Genel()

// Largest counter the settings accept: the next draw must still fit 32 bits.
inline constexpr qint64 kMaxPersonCounter = 2147483646;

// Sets CRNO and the generator KISI_ID to the number typed into the counter dialog.
// False (with a message, nothing changed) when the text is not a number from 1 to
// kMaxPersonCounter; a refused post of the row propagates.
bool SetCounter(TD_Genel& module, const QString& text);

// Opens the counter dialog on CRNO and applies what the user confirmed.
void RunSetCounter(TD_Genel& module, QWidget* parent, const QString& fieldCaption);
