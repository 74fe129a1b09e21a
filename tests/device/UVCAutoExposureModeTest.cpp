#include "device/UVCAutoExposureMode.h"

#include <gtest/gtest.h>

namespace device {

namespace {

using Mode = UVCAutoExposureMode;

} // namespace

TEST(UVCAutoExposureModeTest, OnlyTheFourModeBitsAreModes) {
    for (int byte = 0; byte <= 255; ++byte) {
        const auto mode = Mode::fromRawValue(static_cast<uint8_t>(byte));
        EXPECT_EQ(mode.has_value(), byte == 1 || byte == 2 || byte == 4 || byte == 8) << byte;
        EXPECT_EQ(mode ? mode->rawValue() : byte, byte);
    }
}

} // namespace device
