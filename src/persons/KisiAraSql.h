#pragma once
// The result statement of the person search, built line by line without any widget: the
// fixed head, the exclusion lines of the spouse, father and mother lookups, then the text
// criteria. Key lists are asked for through a callback, so the lines can be checked as text.
#include "data/SqlText.h"

#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>

class Dataset;

// The person a relative is sought for, every key as whole-number text; empty when missing.
struct KisiAraSubject {
    QString P; // BLKISIKODU
    QString F; // BABA_KOD
    QString M; // ANNE_KOD
    QString E; // ES_KOD
    QString gender; // CINSIYET as stored
};

struct KisiAraModes {
    bool spouse = false;
    bool father = false;
    bool mother = false;
    bool any() const { return spouse || father || mother; }
};

// The radio buttons under "Arama Kriteri".
enum class KisiAraField { KisiKodu, KisiAdi, AileAdi, Hepsi };

struct KisiAraCriteria {
    KisiAraField field = KisiAraField::KisiAdi;
    QString text;  // Edit1
    QString group; // Edit2
};

// Runs a statement and gives its first column joined with ", ", or an empty text.
using KisiAraKeys = std::function<QString(const QString& statement)>;

// The statement's lines in order; the server gets them joined with line breaks.
QStringList KisiAraLines(const KisiAraSubject& subject, const KisiAraModes& modes, const KisiAraCriteria& criteria,
                         const KisiAraKeys& keys);

// Reads P, F, M, E and the gender from the current row of an open person dataset; all empty
// when it is closed or has no row.
KisiAraSubject SubjectFrom(Dataset& person);
// Runs statement on dataset (left closed afterwards) and joins its first column with ", ".
QString JoinedKeys(Dataset& dataset, const QString& statement);
