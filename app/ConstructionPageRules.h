#pragma once

#include <QString>

#include <cstdint>
#include <optional>

// What the Construction page decides without a window: how its number fields read, and which expiry dates
// it takes.
namespace CorvConstructionPage {

// The message shown when the screen-count field holds no whole number.
QString InvalidIntegerMessage();
// The whole number the screen-count field holds (blanks around it allowed, a sign allowed); none otherwise.
std::optional<int32_t> ParseInteger(const QString &text);
// The outline fields: their leading digits, 0 when there are none (an emptied field stores 0).
int32_t LeadingNumber(const QString &text);
// The spin arrows step the screen count within 0 to 10; a typed value may lie beyond.
constexpr int kSpinMinimum = 0;
constexpr int kSpinMaximum = 10;
int32_t SpinStep(int32_t shown, int step);
// An expiry date is taken when it is not earlier than now (both in seconds since 1970, UTC).
bool AcceptExpiry(int64_t chosen, int64_t now);

} // namespace CorvConstructionPage
