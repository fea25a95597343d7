#include "data/SqlText.h"

#include <cmath>

QString QuotedStr(const QString& x)
{
    QString s = x;
    s.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + s + QLatin1Char('\'');
}

QString KeyValueText(const QVariant& value)
{
    if (!value.isValid() || value.isNull())
        return {};
    bool ok = false;
    const double d = value.toDouble(&ok);
    if (!ok || !std::isfinite(d))
        return {};
    return QString::number(qint64(std::llround(d)));
}

QString KeyText(const QVariant& value)
{
    const QString t = KeyValueText(value);
    return t == QLatin1String("0") ? QString() : t;
}
