#pragma once
// The USB vendor and product IDs that end a video capture device's unique ID: of its last eight
// characters, the first four are the vendor ID and the last four the product ID, in hexadecimal.

#include <optional>
#include <string_view>

namespace device {

class UVCUniqueID {
public:
    // Each field may start with one "+" or "-"; the rest must be hexadecimal digits of either
    // case. Nothing when the ID (UTF-8) has fewer than eight characters or the field holds any
    // other character. Characters are counted as the user sees them, not as bytes.
    static std::optional<int> vendorID(std::string_view uniqueID);
    static std::optional<int> productID(std::string_view uniqueID);

private:
    static std::optional<int> field(std::string_view uniqueID, int fromEnd);
};

} // namespace device
