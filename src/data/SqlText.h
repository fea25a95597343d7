#pragma once
// The one helper that writes a value into statement text.
#include <QString>
#include <QVariant>

// x as an SQL string literal: between single quotes, every single quote inside doubled.
QString QuotedStr(const QString& x);

// A key column's value as decimal text without decimals ("12" for 12.0, "0" for 0); empty for
// null or a non-number.
QString KeyValueText(const QVariant& value);
// A link column's value (BABA_KOD, ANNE_KOD, ES_KOD, ...): as KeyValueText, but 0 means "no
// such person" and is empty too.
QString KeyText(const QVariant& value);
