#include "platform/core/CameraName.h"

#include <gtest/gtest.h>

namespace platform {

// The driver names a node after the product string, cut to 31 bytes, then ": " and the camera's
// function as far as they fit; without a product string after "UVC Camera (vvvv:pppp)".
TEST(CameraNameTest, IsTheProductStringTheDriverBeganTheNodesNameWith) {
    const struct {
        const char* node;
        std::optional<std::string_view> product;
        const char* name;
    } cases[] = {
        {"VISTREL: USB Camera", "VISTREL", "VISTREL"},
        {"VISTREL: Pro: USB Camera", "VISTREL: Pro", "VISTREL: Pro"},
        {"VISTREL Intraoral Camera HD 108", "VISTREL Intraoral Camera HD 1080p",
         "VISTREL Intraoral Camera HD 1080p"},
        {"VISTREL Intraoral Camera HD 12:", "VISTREL Intraoral Camera HD 12",
         "VISTREL Intraoral Camera HD 12"},
        {"VISTREL : USB Camera", "VISTREL ", "VISTREL"},
        {"UVC Camera (0c45:6366): USB Cam", std::nullopt, "UVC Camera (0c45:6366)"},
        // Names the driver did not make from the product string stay whole.
        {"VISTRELS: USB Camera", "VISTREL", "VISTRELS: USB Camera"},
        {"VISTREL: USB Camera", std::nullopt, "VISTREL: USB Camera"},
    };
    for (const auto& [node, product, name] : cases) {
        SCOPED_TRACE(node);
        EXPECT_EQ(CameraName::of(node, product, 0x0C45, 0x6366), name);
    }
}

} // namespace platform
