#pragma once
// The person list statement shared by every list screen: the criteria of the filter panel, the
// statement they produce line by line, its record count, the saved sort choice and the "Bay" /
// "Bayan" field of person lists. No widgets here.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariant>

class Dataset;
namespace fb {
class Database;
class Transaction;
} // namespace fb

// What an empty date edit shows.
inline const QString kEmptyDateText = QStringLiteral("  .  .    ");

// The texts of the filter panel. A text counts as given when it is not empty (a blank is given).
struct KisiFilterCriteria {
    QString blKisiKoduFrom;  // Edit1
    QString blKisiKoduTo;    // Edit2
    QString kisiKod;         // ZyBtnEdit1, whole code
    QString aileAd;          // Edit4
    QString lakap;           // EditLAKAP
    QString ozelKod1;        // Edit5
    QString ozelKod2;        // Edit9
    QString ad;              // Edit6 / EditAdi
    QString soyad;           // Edit7
    QString dogYer;          // Edit8
    int gender = -1;         // ComboBox1: -1 none, 0 "Bay", 1 "Bayan"
    QString kayTarFrom = kEmptyDateText; // RxDateEdit1, as the edit shows it
    QString kayTarTo = kEmptyDateText;   // RxDateEdit2
    QString dogTarFrom = kEmptyDateText; // RxDateEdit4
    QString dogTarTo = kEmptyDateText;   // RxDateEdit3
    QString kaydeden = QStringLiteral(" ");   // ComboKAYDEDEN; a single blank adds nothing
    QString duzenleyen = QStringLiteral(" "); // ComboDUZENLEYEN
    int sortIndex = 0;       // RG1: -1 none, 0..5
    bool sortDescending = false; // CH1
};

// The list statement, one entry per line.
QStringList BuildListStatement(const KisiFilterCriteria& criteria);
// Lines as the server receives them: joined with line breaks.
QString JoinStatement(const QStringList& lines);

// The count statement of a list statement: its first line replaced by
// "SELECT " + key + " FROM " + table, its ordering line left out, the rest inside
// "WHERE key IN (...)".
QStringList CountStatement(const QStringList& listLines, const QString& table, const QString& key);
// Runs the count statement and returns the number as plain decimal text. Errors of the server
// (a criterion it cannot convert) propagate.
QString CountListRows(fb::Database& db, fb::Transaction& tr, const QStringList& listLines,
                      const QString& table = QStringLiteral("KISI K"), const QString& key = QStringLiteral("K.BLKISIKODU"));

// The items of the sort radio group, in order.
QStringList SortItems();

// One record of "Siralama.Ini": 40 bytes, name length byte, 31 name bytes (Windows-1254),
// item index (signed 32-bit little-endian), check flag, 3 padding bytes.
inline constexpr int kSortRecordSize = 40;
QByteArray SortRecord(const QString& formName, int itemIndex, bool descending);

struct SortChoice {
    bool found = false;
    int itemIndex = 0;
    bool descending = false;
    QString error; // set when the file is damaged; the caller shows it and keeps its sort
};

// The first record named formName (case counts). Records after a damaged one are not trusted:
// a damaged record (name longer than 31, unknown item index or flag) or a trailing piece shorter
// than a record ends the search with an error.
SortChoice FindSortChoice(const QByteArray& data, const QString& formName);
// Reads IniDir + "Siralama.Ini", creating it empty when it is missing.
SortChoice LoadSortChoice(const QString& formName);
QString SortFilePath();

// "Bay" for "0", "Bayan" for anything else (empty and unknown included).
QString GenderText(const QVariant& cinsiyet);
// Adds the calculated field CNS (text 5) to a dataset before it is opened.
void AddGenderField(Dataset& dataset);
// Fills CNS of the row being calculated from its CINSIYET; call it from onCalcFields.
void CalcGenderField(Dataset& dataset);
