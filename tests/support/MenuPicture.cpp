#include "support/MenuPicture.h"

#include <algorithm>
#include <map>
#include <utility>

namespace sim {

namespace {

// An item's icon or line of text is taller than this; the frame and a separator are not.
constexpr int thickestRule = 3;

} // namespace

MenuPicture::MenuPicture(const ScreenRect& area, std::vector<uint32_t> pixels)
    : area(area)
    , pixels(std::move(pixels)) {}

bool MenuPicture::complete() const {
    return area.width > 0 && area.height > 0 &&
           pixels.size() ==
               static_cast<std::size_t>(area.width) * static_cast<std::size_t>(area.height);
}

uint32_t MenuPicture::at(int x, int y) const {
    return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(area.width) +
                  static_cast<std::size_t>(x)];
}

uint32_t MenuPicture::mostCommonColour(int top, int bottom) const {
    std::map<uint32_t, int> counts;
    for (int y = top; y < bottom; ++y) {
        for (int x = 0; x < area.width; ++x) {
            ++counts[at(x, y)];
        }
    }
    const auto most = std::max_element(counts.begin(), counts.end(),
                                       [](auto a, auto b) { return a.second < b.second; });
    return most == counts.end() ? 0 : most->first;
}

std::vector<ScreenRect> MenuPicture::rows() const {
    if (!complete()) {
        return {};
    }
    // Every line shows the frame's sides; a line that shows more holds part of an item or a rule.
    const uint32_t background = mostCommonColour(0, area.height);
    std::vector<int> marks(static_cast<std::size_t>(area.height));
    for (int y = 0; y < area.height; ++y) {
        for (int x = 0; x < area.width; ++x) {
            marks[static_cast<std::size_t>(y)] += at(x, y) != background ? 1 : 0;
        }
    }
    const int frame = *std::min_element(marks.begin(), marks.end());
    std::vector<ScreenRect> found;
    for (int y = 0; y < area.height;) {
        int end = y;
        while (end < area.height && marks[static_cast<std::size_t>(end)] > frame) {
            ++end;
        }
        if (end - y > thickestRule) {
            found.push_back({area.x, area.y + y, area.width, end - y});
        }
        y = std::max(end, y + 1);
    }
    return found;
}

bool MenuPicture::highlights(const ScreenRect& row) const {
    const int top = std::clamp(row.y - area.y, 0, area.height);
    const int bottom = std::clamp(row.y - area.y + row.height, top, area.height);
    return complete() && top < bottom &&
           mostCommonColour(top, bottom) != mostCommonColour(0, area.height);
}

} // namespace sim
