#include "app/ConstructionPageRules.h"

#include <algorithm>

namespace CorvConstructionPage {

QString InvalidIntegerMessage() { return QStringLiteral("Please enter an integer."); }

std::optional<int32_t> ParseInteger(const QString &text)
{
    bool ok = false;
    const int32_t value = text.trimmed().toInt(&ok);
    return ok ? std::optional<int32_t>(value) : std::nullopt;
}

int32_t LeadingNumber(const QString &text)
{
    qsizetype digits = 0;
    while (digits < text.size() && text[digits].isDigit() && text[digits].unicode() < 128)
        ++digits;
    bool ok = false;
    const int32_t value = text.left(digits).toInt(&ok);
    // A run of digits too long for a number stores the largest one rather than wrapping round.
    return ok ? value : digits > 0 ? INT32_MAX : 0;
}

int32_t SpinStep(int32_t shown, int step)
{
    const int64_t next = int64_t(shown) + step;
    return int32_t(std::clamp<int64_t>(next, kSpinMinimum, kSpinMaximum));
}

bool AcceptExpiry(int64_t chosen, int64_t now) { return chosen >= now; }

} // namespace CorvConstructionPage
