#include "device/UVCUniqueID.h"

#include <gtest/gtest.h>

namespace device {

namespace {

using IDs = std::pair<std::optional<int>, std::optional<int>>;

IDs read(const char* uniqueID) {
    return {UVCUniqueID::vendorID(uniqueID), UVCUniqueID::productID(uniqueID)};
}

} // namespace

TEST(UVCUniqueIDTest, TheLastEightCharactersAreVendorThenProductInHex) {
    EXPECT_EQ(read("pci-0000:00:14.0-usb-0:1:1.00c456366"), IDs(0x0C45, 0x6366));
    EXPECT_EQ(read("xx0C456366"), IDs(0x0C45, 0x6366));
    EXPECT_EQ(read("046d0825"), IDs(0x046D, 0x0825));
    EXPECT_EQ(read("00000000"), IDs(0, 0));
}

TEST(UVCUniqueIDTest, ShortIdsGiveNothing) {
    EXPECT_EQ(read("0c45636"), IDs());
    EXPECT_EQ(read(""), IDs());
    // seven characters, eight bytes
    EXPECT_EQ(read("\xC3\xA9"
                   "c45636"),
              IDs());
}

TEST(UVCUniqueIDTest, ABadCharacterSpoilsOnlyItsOwnField) {
    EXPECT_EQ(read("0c 56366"), IDs(std::nullopt, 0x6366));
    EXPECT_EQ(read("0c45636g"), IDs(0x0C45, std::nullopt));
    EXPECT_EQ(read("0c45+-66"), IDs(0x0C45, std::nullopt));
    EXPECT_EQ(read("0c4563\xC3\xA9"
                   "6"),
              IDs(0x0C45, std::nullopt));
    // a combining accent makes one character of the last digit
    EXPECT_EQ(read("0c456366\xCC\x81"), IDs(0x0C45, std::nullopt));
}

TEST(UVCUniqueIDTest, AFieldMayStartWithOneSign) {
    EXPECT_EQ(read("+c45-366"), IDs(0xC45, -0x366));
    EXPECT_EQ(read("++45--66"), IDs());
    EXPECT_EQ(read("0+45636-"), IDs());
}

} // namespace device
