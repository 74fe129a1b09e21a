#pragma once
// A rectangle of the screen in pixels, from its top left corner.

namespace sim {

struct ScreenRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

} // namespace sim
