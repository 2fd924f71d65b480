// Where a replaced picture goes: the box of its size class centred on the old bounds, the picture fitted
// into it, and pulled back onto the screen.
#include "editor/LibraryPictureCommands.h"

#include <gtest/gtest.h>

// Guards the placement: centring with integer halves (an odd size loses a pixel), fitting without
// enlarging, and the pull back inside the 1008 x 560 screen in its order (left, top, right, bottom).
TEST(LibraryPictureCommands, ReplacedPictureIsCentredFittedAndKeptOnTheScreen)
{
    const struct {
        CRect old;
        int sizeClass, width, height;
        CRect bounds;
    } cases[] = {
        {{100, 100, 300, 200}, 1, 200, 100, {100, 100, 300, 200}},
        {{100, 100, 300, 200}, 1, 201, 101, {100, 100, 300, 200}},
        {{0, 0, 100, 100}, 2, 300, 300, {5, 5, 305, 305}},
        {{900, 500, 1000, 550}, 0, 1000, 500, {703, 405, 1003, 555}},
        {{100, 100, 300, 200}, 1, 0, 0, {200, 150, 200, 150}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(LibraryPictureCommands::ReplacedBounds(c.old, c.sizeClass, c.width, c.height), c.bounds)
            << c.old.left << "," << c.old.top << " size " << c.sizeClass << " " << c.width << "x" << c.height;
}
