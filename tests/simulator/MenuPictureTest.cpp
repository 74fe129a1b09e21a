// What the tests read off a picture of a drawn menu: the rows that hold an item, not its frame
// or a separator, and whether the pointer has highlighted one of them.
#include "support/MenuPicture.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace sim {

namespace {

constexpr uint32_t paper = 0xEFEFEF, rule = 0xA0A0A0, ink = 0x202020, highlight = 0x308CC6;
constexpr ScreenRect area{700, 16, 60, 44};

struct Paint {
    ScreenRect where; // inside the menu
    uint32_t colour;
};

// Its frame, a first item (an icon or a word is narrower than the menu), a separator and two more
// items, then whatever is painted over them.
MenuPicture menu(const std::vector<Paint>& over = {}) {
    std::vector<uint32_t> pixels(static_cast<std::size_t>(area.width * area.height), paper);
    std::vector<Paint> painting{{{0, 0, 60, 1}, rule}, {{0, 43, 60, 1}, rule},
                                {{0, 0, 1, 44}, rule}, {{59, 0, 1, 44}, rule},
                                {{6, 4, 16, 9}, ink},  {{3, 17, 54, 1}, rule},
                                {{6, 21, 20, 9}, ink}, {{6, 33, 18, 8}, ink}};
    painting.insert(painting.end(), over.begin(), over.end());
    for (const Paint& paint : painting) {
        for (int y = paint.where.y; y < paint.where.y + paint.where.height; ++y) {
            for (int x = paint.where.x; x < paint.where.x + paint.where.width; ++x) {
                pixels[static_cast<std::size_t>(y * area.width + x)] = paint.colour;
            }
        }
    }
    return MenuPicture(area, std::move(pixels));
}

std::vector<std::pair<int, int>> bands(const std::vector<ScreenRect>& rows) {
    std::vector<std::pair<int, int>> found;
    for (const ScreenRect& row : rows) {
        EXPECT_EQ(row.x, area.x);
        EXPECT_EQ(row.width, area.width);
        found.emplace_back(row.y, row.height);
    }
    return found;
}

} // namespace

TEST(MenuPictureTest, RowsAreTheItemsOnScreenAndNeitherTheFrameNorASeparator) {
    EXPECT_EQ(bands(menu().rows()), (std::vector<std::pair<int, int>>{{20, 9}, {37, 9}, {49, 8}}));
    EXPECT_TRUE(MenuPicture(area, std::vector<uint32_t>(60 * 44, 0)).rows().empty())
        << "a menu not drawn yet";
    EXPECT_TRUE(MenuPicture(area, {}).rows().empty()) << "a picture that could not be taken";
}

TEST(MenuPictureTest, OnlyTheRowUnderAHighlightShowsHighlighted) {
    const MenuPicture picture = menu({{{1, 31, 58, 11}, highlight}, {{6, 33, 18, 8}, ink}});
    const std::vector<ScreenRect> rows = picture.rows();
    ASSERT_EQ(rows.size(), 3U);
    EXPECT_FALSE(picture.highlights(rows[0]));
    EXPECT_FALSE(picture.highlights(rows[1]));
    EXPECT_TRUE(picture.highlights(rows[2]));
    EXPECT_FALSE(menu().highlights(rows[2]));
    EXPECT_FALSE(MenuPicture(area, {}).highlights(rows[2]));
}

} // namespace sim
