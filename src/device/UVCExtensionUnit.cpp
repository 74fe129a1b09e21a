#include "device/UVCExtensionUnit.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <vector>

namespace device {

namespace {

constexpr uint8_t buttonSelector = 1;
constexpr uint8_t firmwareSelector = 3;

constexpr UVCRequest request(uint8_t requestType, uint8_t request, uint8_t selector) {
    return {requestType, request, UVCRequest::extensionUnit, selector, true};
}

constexpr std::array<uint8_t, 4> buttonQuery = {0x05, 0x10, 0x00, 0xFF};
constexpr size_t buttonCodeOffset = 2;

constexpr std::array<uint8_t, 11> firmwareQuery = {0xF1, 0x21, 0x91, 0x00, 0x00, 0x00,
                                                   0x3D, 0x00, 0xC0, 0x01, 0x3D};
constexpr size_t firmwareCodeOffset = 3;

// Reads into `buffer` and keeps the reply only when it is whole: a shorter reply is a failed
// read, and the buffer keeps what it held before.
void read(const UVCExtensionUnit::Send& send, const UVCRequest& request,
          std::span<uint8_t> buffer) {
    std::vector<uint8_t> reply(buffer.begin(), buffer.end());
    if (send(request, reply) == static_cast<int>(reply.size())) {
        std::ranges::copy(reply, buffer.begin());
    }
}

} // namespace

std::string UVCExtensionUnit::buttonCode(const Send& send) {
    std::array<uint8_t, 4> query = buttonQuery;
    send(request(UVCRequest::hostToInterface, UVCRequest::setCur, buttonSelector), query);
    std::array<uint8_t, 4> reply{};
    read(send, request(UVCRequest::interfaceToHost, UVCRequest::getCur, buttonSelector), reply);
    return code(reply[buttonCodeOffset]);
}

std::string UVCExtensionUnit::firmwareCode(const Send& send) {
    // The reply is read into the query's own buffer, which keeps the query's bytes when the
    // reply is not whole.
    std::array<uint8_t, 11> buffer = firmwareQuery;
    send(request(UVCRequest::hostToInterface, UVCRequest::setCur, firmwareSelector), buffer);
    std::array<uint8_t, 2> length{};
    send(request(UVCRequest::interfaceToHost, UVCRequest::getLen, firmwareSelector), length);
    read(send, request(UVCRequest::interfaceToHost, UVCRequest::getCur, firmwareSelector), buffer);
    return code(buffer[firmwareCodeOffset]);
}

std::string UVCExtensionUnit::code(uint8_t byte) {
    std::array<char, 3> text{};
    std::snprintf(text.data(), text.size(), "%02X", static_cast<unsigned>(byte));
    return text.data();
}

} // namespace device
