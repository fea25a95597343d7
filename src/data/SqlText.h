#pragma once
// The one helper that writes a value into statement text.
#include <QString>

// x as an SQL string literal: between single quotes, every single quote inside doubled.
QString QuotedStr(const QString& x);
