#pragma once
// Father, mother and childless-spouse links of KISI and the marriage rows of EVLILIK: the
// statements the person card runs, and the link changes it saves straight to the database.
// Keys travel as decimal text ("12"); an empty text means "no such person".
#include "data/SqlText.h"

#include <QString>
#include <QVariant>

class TD_Genel;

// CINSIYET "0" is a man; anything else counts as a woman.
inline bool IsMan(const QString& gender) { return gender == QLatin1String("0"); }
// The gender a spouse of someone with this gender gets: "0" unless the person is a man.
inline QString OppositeGender(const QString& gender) { return IsMan(gender) ? QStringLiteral("1") : QStringLiteral("0"); }

// Persons linked to the person as childless spouse, from either side: those whose ES_KOD is
// the person, and the one the person's own ES_KOD names (when it names one).
QString ChildlessSpouseListSql(const QString& personKey, const QString& esKod);

// Every spouse of the person: the other parent of each of the person's children, whoever names
// the person in ES_KOD, and the one the person's ES_KOD names.
QString SpouseListSql(const QString& personKey, const QString& gender, const QString& esKod);

// The marriage row of the person's father and mother.
QString ParentsMarriageSql(const QString& fatherKey, const QString& motherKey);

// The marriage row of the person and one spouse; the man is BABA_KOD, the woman ANNE_KOD.
QString SpouseMarriageSql(const QString& personKey, const QString& gender, const QString& spouseKey);

// Who is stored as BABA_KOD and who as ANNE_KOD in the marriage of the person and the spouse.
struct MarriageCouple {
    QString babaKod;
    QString anneKod;
};
MarriageCouple MarriagePartners(const QString& personKey, const QString& gender, const QString& spouseKey);

// A couple that has a child is no longer a childless couple: clears M.ES_KOD when it names F
// and F.ES_KOD when it names M, and commits. Returns the number of rows changed; nothing is
// done unless both keys are given.
int ClearParentsLink(TD_Genel& module, const QString& fatherKey, const QString& motherKey);

// Links the spouse to the person from the spouse's row (S.ES_KOD := P, replacing any link that
// row held) and commits. False, with nothing written, when either key is missing or they are
// the same person.
bool LinkChildlessSpouse(TD_Genel& module, const QString& spouseKey, const QString& personKey);

// Which rows RemoveChildlessSpouseLink changed.
struct RemovedLink {
    bool spouseRow = false; // S.ES_KOD named P
    bool personRow = false; // P.ES_KOD named S
};
// Removes the childless-spouse link between P and S from whichever row holds it, and commits.
RemovedLink RemoveChildlessSpouseLink(TD_Genel& module, const QString& personKey, const QString& spouseKey);

// Clears ES_KOD of every person that names this person as childless spouse, inside the open
// transaction (the delete that follows commits it, or its failure rolls it back). Returns the
// number of rows changed.
int ClearSpouseLinksTo(TD_Genel& module, const QString& personKey);
