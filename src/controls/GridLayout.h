#pragma once
// Column layouts of a data grid. The layout file is an INI file with the extension ".agr": one
// section per column named after its field (INDEX, COLOR, VISIBLE, WIDTH and the data font)
// and the section SELFGRID with FIXEDCOLS. Callers name the file with ".ini"; a file of that
// name is an older layout of fixed 492-byte records, converted on the first load.
#include "controls/GridLayoutColor.h"

#include <QByteArray>
#include <QString>

#include <vector>

class TZYRXDBGrid;
struct GridColumn;

// Writes the grid's columns into the ".agr" file of fileName; an ".ini" file of that name is
// removed once the ".agr" file is written. Errors are swallowed.
void SaveGridLayout(TZYRXDBGrid* grid, const QString& fileName);
// Converts an older ".ini" file when there is one, then applies the ".agr" file. Sections of
// fields the grid does not have are skipped; a missing file changes nothing. An ".ini" file
// that is no layout at all is renamed to ".ini.bozuk" with a message, and not applied.
void LoadGridLayout(TZYRXDBGrid* grid, const QString& fileName);

// fileName with its extension replaced by ".agr".
QString GridLayoutFileName(const QString& fileName);

// One record of the older layout file.
struct LegacyColumnRecord {
    QString titleFontName;
    int titleFontSize = 0;
    int titleFontStyle = 0; // 1 bold, 2 italic, 4 underline, 8 strikeout
    TColor titleFontColor = 0;
    TColor titleColor = 0;
    QString title;
    QString fontName;
    int fontSize = 0;
    TColor fontColor = 0;
    int fontStyle = 0;
    TColor color = 0;
    int width = 0;
    bool visible = true;
    QString fieldName;
    bool readOnly = false;
    int buttonStyle = 0;
};

inline constexpr int kLegacyRecordSize = 492;

enum class LegacyLayout { Ok, NotALayout };
// Splits the file's bytes into records. NotALayout when the size is not a whole number of
// records or a record holds values no layout can have (a truncated or foreign file).
LegacyLayout ReadLegacyLayout(const QByteArray& data, std::vector<LegacyColumnRecord>& records);
// Sets a column from a record, in the order the older program did.
void ApplyLegacyRecord(GridColumn& column, const LegacyColumnRecord& record);
