#pragma once
// The camera's vendor extension unit 3: the fixed exchanges that read the capture button's code
// and the firmware code. Codes are two upper-case hexadecimal digits. A reply shorter than asked
// for is a failed read, as a failed transfer is: none of its bytes count, and the code reads
// "00".

#include "device/UVCRequest.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>

namespace device {

class UVCExtensionUnit {
public:
    // Performs one request with the given data stage and answers libusb's result: the bytes
    // moved, or a negative error code.
    using Send = std::function<int(const UVCRequest&, std::span<uint8_t>)>;

    static std::string buttonCode(const Send& send);
    static std::string firmwareCode(const Send& send);

    // One byte as "%02X".
    static std::string code(uint8_t byte);
};

} // namespace device
