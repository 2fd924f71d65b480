#include "app/ColourPopupRules.h"

#include <array>

namespace CorvColourPopup {

namespace {

constexpr uint32_t Rgb(uint32_t red, uint32_t green, uint32_t blue) { return red | green << 8 | blue << 16; }

// The names are shown as they stand, the blank after "Pale green" included.
constexpr std::array<NamedColour, kColourCount> kColours = {{
    {"Black", Rgb(0, 0, 0)},
    {"Brown", Rgb(165, 42, 0)},
    {"Dark Olive Green", Rgb(0, 64, 64)},
    {"Dark Green", Rgb(0, 85, 0)},
    {"Dark Teal", Rgb(0, 0, 94)},
    {"Dark blue", Rgb(0, 0, 139)},
    {"Indigo", Rgb(75, 0, 130)},
    {"Dark grey", Rgb(40, 40, 40)},
    {"Dark red", Rgb(139, 0, 0)},
    {"Orange", Rgb(255, 104, 32)},
    {"Dark yellow", Rgb(139, 139, 0)},
    {"Green", Rgb(0, 147, 0)},
    {"Teal", Rgb(56, 142, 142)},
    {"Blue", Rgb(0, 0, 255)},
    {"Blue-grey", Rgb(123, 123, 192)},
    {"Grey - 40", Rgb(102, 102, 102)},
    {"Red", Rgb(255, 0, 0)},
    {"Light orange", Rgb(255, 173, 91)},
    {"Lime", Rgb(50, 205, 50)},
    {"Sea green", Rgb(60, 179, 113)},
    {"Aqua", Rgb(127, 255, 212)},
    {"Light blue", Rgb(125, 158, 192)},
    {"Violet", Rgb(128, 0, 128)},
    {"Grey - 50", Rgb(127, 127, 127)},
    {"Pink", Rgb(255, 192, 203)},
    {"Gold", Rgb(255, 215, 0)},
    {"Yellow", Rgb(255, 255, 0)},
    {"Bright green", Rgb(0, 255, 0)},
    {"Turquoise", Rgb(64, 224, 208)},
    {"Skyblue", Rgb(192, 255, 255)},
    {"Plum", Rgb(72, 0, 72)},
    {"Light grey", Rgb(192, 192, 192)},
    {"Rose", Rgb(255, 228, 225)},
    {"Tan", Rgb(210, 180, 140)},
    {"Light yellow", Rgb(255, 255, 224)},
    {"Pale green ", Rgb(152, 251, 152)},
    {"Pale turquoise", Rgb(175, 238, 238)},
    {"Pale blue", Rgb(104, 131, 139)},
    {"Lavender", Rgb(230, 230, 250)},
    {"White", Rgb(255, 255, 255)},
}};

constexpr int kLastCell = kColourCount - 1;

// Where a move ends when it runs off the grid's bottom or right: the custom box, the default box, the first cell.
int BelowGrid(bool hasDefault, bool hasCustom)
{
    return hasCustom ? CustomBox : hasDefault ? DefaultBox : 0;
}

// Where a move ends when it runs off the grid's top or left: the default box, the custom box, the last cell.
int AboveGrid(bool hasDefault, bool hasCustom)
{
    return hasDefault ? DefaultBox : hasCustom ? CustomBox : kLastCell;
}

} // namespace

const NamedColour &ColourAt(int index) { return kColours.at(size_t(index)); }

int ChosenBoxFor(uint32_t colour, bool hasDefault, bool hasCustom)
{
    if (colour == kDefaultColour && hasDefault)
        return DefaultBox;
    for (int i = 0; i < kColourCount; ++i)
        if (kColours[size_t(i)].colour == colour)
            return i;
    return hasCustom ? CustomBox : NoBox;
}

int NextBox(int current, Key key, bool hasDefault, bool hasCustom)
{
    const bool isCell = current >= 0 && current < kColourCount;
    if (key == Key::Down || key == Key::Right) {
        // Down moves a row, Right a cell (the last column wraps to the next row).
        const int step = key == Key::Down ? kColumns : 1;
        if (current == CustomBox)
            return hasDefault ? DefaultBox : 0;
        if (!isCell)
            return 0;
        return current + step < kColourCount ? current + step : BelowGrid(hasDefault, hasCustom);
    }
    const int step = key == Key::Up ? kColumns : 1;
    if (current == DefaultBox)
        return hasCustom ? CustomBox : kLastCell;
    if (current == CustomBox)
        return kLastCell;
    if (isCell && current - step >= 0)
        return current - step;
    return AboveGrid(hasDefault, hasCustom);
}

uint32_t BoxColour(int box, uint32_t initial)
{
    if (box >= 0 && box < kColourCount)
        return kColours[size_t(box)].colour;
    return box == DefaultBox ? kDefaultColour : initial;
}

Layout ComputeLayout(int margin, const QSize &textSize, bool hasDefault, bool hasCustom)
{
    Layout layout;
    layout.margin = margin;
    // A box too small to show its colour inside the edges grows.
    if (layout.box - 2 * margin - 2 < 5)
        layout.box = 2 * margin + 7;
    const int b = layout.box;
    const int m = margin;
    int width = kColumns * b + 2 * m;
    int height = kRows * b + 2 * m;
    const int textWidth = textSize.width() + 2 * m;
    const int textHeight = textSize.height() + 4 * m + 2;
    if (hasDefault) {
        width = std::max(width, textWidth);
        layout.defaultBox = QRect(QPoint(m, m), QPoint(width - m - 1, textHeight + 2 * m - 1));
        layout.gridTop = textHeight + 2 * m;
        height += textHeight + 3 * m;
    }
    if (hasCustom) {
        width = std::max(width, textWidth);
        layout.customBox = QRect(QPoint(m, height), QPoint(width - m - 1, height + textHeight + m - 1));
        height += textHeight + 3 * m;
    }
    // A box drawn before the window was widened for the other text spans the final width too.
    if (hasDefault)
        layout.defaultBox.setRight(width - m - 1);
    layout.window = QSize(width, height);
    return layout;
}

QRect Layout::CellRect(int index) const
{
    const int column = index % kColumns;
    const int row = index / kColumns;
    return QRect(column * box + margin, row * box + margin + gridTop, box, box);
}

int Layout::BoxAt(const QPoint &point) const
{
    if (customBox.contains(point))
        return CustomBox;
    if (defaultBox.contains(point))
        return DefaultBox;
    const int x = point.x() - margin;
    const int y = point.y() - margin - gridTop;
    if (x < 0 || y < 0)
        return NoBox;
    const int column = x / box;
    const int row = y / box;
    const int index = row * kColumns + column;
    if (column >= kColumns || row >= kRows || index >= kColourCount)
        return NoBox;
    return index;
}

} // namespace CorvColourPopup
