#include "dialogs/LikertValues.h"

#include "platform/StringTable.h"

#include <cmath>

int CLikertValues::CountWords(const QString &words)
{
    const int separators = int(words.count(QLatin1Char(';')));
    return words.endsWith(QLatin1Char(';')) ? separators : separators + 1;
}

CDialogCheck CLikertValues::Check() const
{
    if (useNumbers) {
        if (startValue == endValue)
            return CDialogCheck::Fail(CStringTable::Load(61469));
        if (!(startValue <= correctValue && correctValue <= endValue))
            return CDialogCheck::Fail(CStringTable::Load(61470));
        return {};
    }
    if (words.isEmpty())
        return CDialogCheck::Fail(CStringTable::Load(61468));
    const double chosen = std::trunc(correctValue);
    if (chosen < 1 || chosen > CountWords(words))
        return CDialogCheck::Fail(CStringTable::Load(61470));
    return {};
}

void CLikertValues::Correct()
{
    if (useNumbers && !snap && (decimalPlaces < 1 || decimalPlaces > 10))
        decimalPlaces = kDefaultDecimals;
    if (markers != 0 && (markers < 2 || markers > 64))
        markers = kDefaultMarkers;
}
