#include "device/UVCControl.h"

#include "device/UVCRequest.h"

namespace device {

namespace {

constexpr uint8_t ct = UVCRequest::cameraTerminal;
constexpr uint8_t pu = UVCRequest::processingUnit;

} // namespace

const UVCControl UVCControl::brightness{pu, 0x02, 2, true};
const UVCControl UVCControl::contrast{pu, 0x03, 2, false};
const UVCControl UVCControl::hue{pu, 0x06, 2, true};
const UVCControl UVCControl::saturation{pu, 0x07, 2, false};
const UVCControl UVCControl::sharpness{pu, 0x08, 2, false};
const UVCControl UVCControl::gamma{pu, 0x09, 2, false};
const UVCControl UVCControl::gain{pu, 0x04, 2, false};
const UVCControl UVCControl::whiteBalanceTemp{pu, 0x0A, 2, false};
const UVCControl UVCControl::backlightCompensation{pu, 0x01, 2, false};
const UVCControl UVCControl::powerLineFrequency{pu, 0x05, 1, false};
const UVCControl UVCControl::exposureAbs{ct, 0x04, 4, false};
const UVCControl UVCControl::autoExposureMode{ct, 0x02, 1, false};
const UVCControl UVCControl::autoWhiteBalanceTemp{pu, 0x0B, 1, false};
const UVCControl UVCControl::autoContrast{pu, 0x13, 1, false};
const UVCControl UVCControl::autoHue{pu, 0x10, 1, false};
const UVCControl UVCControl::autoFocus{ct, 0x08, 1, false};
const UVCControl UVCControl::focusAbs{ct, 0x06, 2, false};
const UVCControl UVCControl::zoomAbs{ct, 0x0B, 2, false};
const UVCControl UVCControl::panTiltAbs{ct, 0x0D, 8, true};

std::vector<uint8_t> UVCControl::encode(int64_t value) const {
    return littleEndian(value, length);
}

int64_t UVCControl::decode(std::span<const uint8_t> bytes) const {
    return isSigned ? signedValue(bytes) : static_cast<int64_t>(unsignedValue(bytes));
}

uint64_t UVCControl::unsignedValue(std::span<const uint8_t> bytes) {
    uint64_t value = 0;
    for (size_t i = bytes.size(); i > 0; --i) {
        value = (value << 8) | bytes[i - 1];
    }
    return value;
}

int64_t UVCControl::signedValue(std::span<const uint8_t> bytes) {
    const uint64_t value = unsignedValue(bytes);
    const size_t bits = 8 * bytes.size();
    if (bits == 0 || bits >= 64 || (value >> (bits - 1)) == 0) {
        return static_cast<int64_t>(value);
    }
    return static_cast<int64_t>(value) - (int64_t{1} << bits);
}

std::vector<uint8_t> UVCControl::littleEndian(int64_t value, size_t length) {
    const auto bits = static_cast<uint64_t>(value);
    std::vector<uint8_t> bytes(length);
    for (size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<uint8_t>(bits >> (8 * i));
    }
    return bytes;
}

} // namespace device
