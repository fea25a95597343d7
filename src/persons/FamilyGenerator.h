#pragma once
// A made-up family of several generations for trying out and timing the person screens:
// couples with their marriage rows, second marriages (so half and step siblings), cousins,
// childless couples linked through ES_KOD, some unknown parents, Turkish names and a few
// small photographs. The same seed always gives the same persons.
#include <QtGlobal>

namespace fb {
class Database;
class Transaction;
} // namespace fb

// Writes count persons into KISI (keys from KISI_GEN, KISI_KOD "KS" + the key zero-filled to
// five digits) and their marriages into EVLILIK (keys from EVLILIK_ID), committing in batches
// with commits that keep tr open. Returns the number of persons written.
int GenerateFamily(fb::Database& db, fb::Transaction& tr, int count, quint32 seed);
