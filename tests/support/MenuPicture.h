#pragma once
// A picture of a drawn popup menu and what a person reads off it: the rows that hold an item
// (its icon and text) and whether the pointer has highlighted one of them.

#include "support/ScreenRect.h"

#include <cstdint>
#include <vector>

namespace sim {

class MenuPicture {
public:
    // The pixels of `area`, row by row, as 0xRRGGBB.
    MenuPicture(const ScreenRect& area, std::vector<uint32_t> pixels);

    // The bands of the menu's full width, top to bottom and in screen coordinates, whose lines
    // show an item; the frame and the separators are thinner than any line of text.
    std::vector<ScreenRect> rows() const;
    // Whether most of the row shows another colour than the menu's own, as a highlight does.
    bool highlights(const ScreenRect& row) const;

private:
    // False for a picture that could not be taken (an empty one).
    bool complete() const;
    uint32_t at(int x, int y) const;
    // The colour that most of the pixels of that part of the picture show.
    uint32_t mostCommonColour(int top, int bottom) const;

    ScreenRect area;
    std::vector<uint32_t> pixels;
};

} // namespace sim
