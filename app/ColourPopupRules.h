#pragma once

#include <QRect>
#include <QSize>
#include <QString>

#include <cstdint>

// What the colour popup decides without a window: its forty named colours, which box an initial colour
// marks as chosen, where the arrow keys lead, and where every box lies. Colours are COLORREF values
// (red + green x 256 + blue x 65536), as the course and its components store them.
namespace CorvColourPopup {

struct NamedColour {
    const char *name;
    uint32_t colour;
};

constexpr int kColourCount = 40;
constexpr int kColumns = 8;
constexpr int kRows = (kColourCount + kColumns - 1) / kColumns;
constexpr int kBoxSize = 18;
// The value that stands for "no fill", "no line" or "automatic".
constexpr uint32_t kDefaultColour = 0xFF000000;

// The highlighted and chosen boxes: a cell index 0..39, or one of these.
enum Box { NoBox = -1, CustomBox = -2, DefaultBox = -3 };
enum class Key { Up, Down, Left, Right };

// The table in grid order, eight to a row.
const NamedColour &ColourAt(int index);

// The box an initial colour marks: the default box for the default value when that box exists, else the
// first cell of exactly that colour, else the custom box when it exists, else none.
int ChosenBoxFor(uint32_t colour, bool hasDefault, bool hasCustom);
// Where an arrow key moves the highlight from the current box.
int NextBox(int current, Key key, bool hasDefault, bool hasCustom);
// The colour a box stands for while highlighted: the table's, the default value, or the initial colour for
// the custom box and for no box.
uint32_t BoxColour(int box, uint32_t initial);

// The popup's geometry in its own client coordinates.
struct Layout {
    QSize window;
    int margin = 0;
    int box = kBoxSize;
    QRect defaultBox; // empty when there is no default box
    QRect customBox;  // empty when there is no custom box
    int gridTop = 0;

    QRect CellRect(int index) const;
    // The box under a point: a cell, the custom or default box, or NoBox between them.
    int BoxAt(const QPoint &point) const;
};

// Lays the popup out for a margin (the 3-D edge width) and the larger size of its two texts; a box whose
// text is empty is left out.
Layout ComputeLayout(int margin, const QSize &textSize, bool hasDefault, bool hasCustom);

} // namespace CorvColourPopup
