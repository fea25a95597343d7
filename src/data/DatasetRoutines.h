#pragma once
// Routines over a dataset that every card shares.
#include "data/Dataset.h"

// True in edit or insert state.
bool IsEditing(const Dataset& dataset);

// The closing step of a card that edits one row. Not editing: true, nothing asked. Otherwise
// asks whether to save: Yes posts (a failed post raises, the row stays in edit), No cancels,
// Cancel returns false and leaves the row as it was.
bool ConfirmPendingChanges(Dataset& dataset);

// Reopens the dataset on "SELECT * FROM table", an optional WHERE condition and, for an
// editable dataset, ORDER BY its first field. True when the result has a row.
bool ReopenDataset(Dataset& dataset, const QString& table, const QString& condition);
// The statement ReopenDataset uses, line by line.
QString ReopenStatement(const QString& table, const QString& condition, const QString& orderField);
