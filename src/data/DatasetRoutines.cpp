#include "data/DatasetRoutines.h"
#include "shell/Messages.h"

bool IsEditing(const Dataset& dataset) { return dataset.isEditing(); }

bool ConfirmPendingChanges(Dataset& dataset)
{
    if (!IsEditing(dataset))
        return true;
    switch (ConfirmBox(2)) {
    case MbNo:
        dataset.cancel();
        return true;
    case MbYes:
        dataset.post();
        return true;
    default:
        return false;
    }
}

QString ReopenStatement(const QString& table, const QString& condition, const QString& orderField)
{
    QString sql = QStringLiteral("SELECT * FROM ") + table + QStringLiteral("\r\n");
    if (!condition.isEmpty())
        sql += QStringLiteral("WHERE ") + condition + QStringLiteral("\r\n");
    if (!orderField.isEmpty())
        sql += QStringLiteral("ORDER BY ") + orderField;
    return sql;
}

bool ReopenDataset(Dataset& dataset, const QString& table, const QString& condition)
{
    // The first declared field of an editable dataset is its key (BLKISIKODU for persons).
    QString order;
    if (dataset.isEditable())
        order = dataset.fieldCount() > 0 ? dataset.field(0).name : dataset.keyField();
    dataset.close();
    dataset.setSql(ReopenStatement(table, condition, order));
    dataset.open();
    return !dataset.isEmpty();
}
