#include "data/SqlText.h"

QString QuotedStr(const QString& x)
{
    QString s = x;
    s.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + s + QLatin1Char('\'');
}
