#include "dialogs/DialogCheck.h"

#include <cmath>
#include <limits>

namespace DialogNumbers {

bool ParseInt(const QString &text, int &out)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (ok)
        out = value;
    return ok;
}

bool ParseUnsigned(const QString &text, int &out)
{
    const QString t = text.trimmed();
    if (t.startsWith(QLatin1Char('-')))
        return false;
    bool ok = false;
    const uint value = t.toUInt(&ok);
    if (!ok || value > uint(std::numeric_limits<int>::max()))
        return false;
    out = int(value);
    return true;
}

bool ParseDouble(const QString &text, double &out)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return false;
    out = value;
    return true;
}

QString FormatDouble(double value) { return QString::number(value, 'g', 6); }

} // namespace DialogNumbers
