#pragma once

#include <QString>

#include <cstdint>

// What the Graphics page decides without a window.
namespace CorvGraphicsPage {

// The size radio a stored GraphicSize shows: 0 small, 2 large, 3 random, Medium (1) for anything else.
int SizeRadio(int32_t graphicSize);
// The Ken Burns interval typed or chosen: its leading whole number, and 1 for anything below 1 or no
// number (every picture, rather than a count the import cannot step by).
int32_t KenBurnsInterval(const QString &text);
// The list entry ("1" to "12") an interval selects; -1 when none does.
int KenBurnsEntry(int32_t interval);
constexpr int kKenBurnsEntries = 12;

} // namespace CorvGraphicsPage
