#include "support/UsbDescriptors.h"

#include <algorithm>
#include <cstdio>
#include <initializer_list>

namespace sim {

namespace {

using Bytes = std::vector<uint8_t>;

void append(Bytes& bytes, std::initializer_list<uint8_t> more) {
    bytes.insert(bytes.end(), more);
}

void appendWord(Bytes& bytes, uint16_t value) {
    append(bytes, {static_cast<uint8_t>(value & 0xFF), static_cast<uint8_t>(value >> 8)});
}

void appendLong(Bytes& bytes, uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        bytes.push_back(static_cast<uint8_t>(value >> shift));
}

void putWord(Bytes& bytes, size_t offset, size_t value) {
    bytes[offset] = static_cast<uint8_t>(value & 0xFF);
    bytes[offset + 1] = static_cast<uint8_t>((value >> 8) & 0xFF);
}

constexpr uint8_t interfaceDescriptor = 0x04;
constexpr uint8_t associationDescriptor = 0x0B;
constexpr uint8_t endpointDescriptor = 0x05;
constexpr uint8_t classInterface = 0x24;
constexpr uint8_t videoClass = 0x0E;

// Class-specific video-control descriptors: header, then the chain CT 1 -> PU 2 -> XU 3 -> OT 4.
Bytes videoControlDescriptors(const UsbDescriptors::VideoControl& facts) {
    Bytes vc;
    append(vc, {13, classInterface, 0x01}); // header
    appendWord(vc, facts.uvcVersion);
    appendWord(vc, 0); // total length, filled in below
    appendLong(vc, 48000000);
    append(vc, {1, 1}); // one streaming interface: number 1
    // Camera terminal: AE mode, exposure abs, focus abs, zoom abs, pan/tilt abs, focus auto.
    append(vc, {18, classInterface, 0x02, 1});
    appendWord(vc, 0x0201);
    append(vc, {0, 0, 0, 0, 0, 0, 0, 0, 3, 0x2A, 0x0A, 0x02});
    // Processing unit: brightness to white balance, backlight, gain, power line, hue auto,
    // white balance auto, contrast auto.
    append(vc, {12, classInterface, 0x05, 2, 1});
    appendWord(vc, 0);
    append(vc, {3, 0x7F, 0x1F, 0x04, 0});
    // Extension unit: the selectors of bmControls.
    append(vc, {26, classInterface, 0x06, 3});
    append(vc, {0x5A, 0x3C, 0x8E, 0x28, 0x17, 0x4B, 0x4D, 0x1A, 0x96, 0x21, 0x3E, 0x0D, 0x57, 0xC2,
                0x6B, 0x09});
    append(vc, {2, 1, 2, 1, facts.extensionControls, 0});
    // Output terminal: USB streaming, fed by the extension unit.
    append(vc, {9, classInterface, 0x03, 4});
    appendWord(vc, 0x0101);
    append(vc, {0, 3, 0});
    putWord(vc, 5, vc.size());
    return vc;
}

// Class-specific video-streaming descriptors: input header, one MJPEG format, one frame.
Bytes videoStreamingDescriptors() {
    Bytes vs;
    append(vs, {14, classInterface, 0x01, 1});
    appendWord(vs, 0); // total length, filled in below
    append(vs, {0x81, 0, 4, 0, 0, 0, 1, 0});
    append(vs, {11, classInterface, 0x06, 1, 1, 0x01, 1, 0, 0, 0, 0});
    const uint32_t interval = 333333; // 30 frames per second, in 100 ns units
    append(vs, {30, classInterface, 0x07, 1, 0});
    appendWord(vs, 640);
    appendWord(vs, 480);
    appendLong(vs, 640 * 480 * 16 * 30);
    appendLong(vs, 640 * 480 * 16 * 30);
    appendLong(vs, 640 * 480 * 2);
    appendLong(vs, interval);
    vs.push_back(1);
    appendLong(vs, interval);
    putWord(vs, 4, vs.size());
    return vs;
}

uint8_t indexOf(const std::string& text, uint8_t index) {
    return text.empty() ? 0 : index;
}

// The string uvc_probe appends to the name of interface 0: the iFunction of the first interface
// association that covers it, else the interface's own iInterface (alternate setting 0).
uint8_t functionStringOf(const Bytes& configuration) {
    std::optional<uint8_t> function;
    uint8_t interfaceString = 0;
    for (size_t at = 0; at + 1 < configuration.size() && configuration[at] > 0;
         at += configuration[at]) {
        const uint8_t* d = &configuration[at];
        if (d[1] == associationDescriptor && !function && d[2] == 0 && d[3] > 0)
            function = d[7];
        if (d[1] == interfaceDescriptor && d[2] == 0 && d[3] == 0)
            interfaceString = d[8];
    }
    return function && *function != 0 ? *function : interfaceString;
}

// strlcat and usb_string into a name of `size` bytes: as much as fits before the NUL.
void appendCut(std::string& name, const std::string& more, size_t size) {
    name += more.substr(0, size - 1 - std::min(name.size(), size - 1));
}

} // namespace

UsbDescriptors::UsbDescriptors(uint16_t vendorId, uint16_t productId, Strings strings)
    : vendorId(vendorId)
    , productId(productId)
    , strings(std::move(strings)) {}

std::vector<uint8_t> UsbDescriptors::device() const {
    Bytes d;
    append(d, {18, 0x01});
    appendWord(d, 0x0200);
    append(d, {0xEF, 0x02, 0x01, 64}); // miscellaneous class, interface association
    appendWord(d, vendorId);
    appendWord(d, productId);
    appendWord(d, 0x0100);
    append(d, {manufacturerIndex, productIndex, serialIndex, 1});
    return d;
}

std::vector<uint8_t> UsbDescriptors::configuration() const {
    Bytes c;
    append(c, {9, 0x02, 0, 0, 2, 1, 0, 0x80, 250});
    append(c, {8, associationDescriptor, 0, 2, videoClass, 0x03, 0,
               indexOf(strings.function, functionIndex)});
    append(c, {9, interfaceDescriptor, 0, 0, 0, videoClass, 0x01, 0,
               indexOf(strings.controlInterface, controlInterfaceIndex)});
    Bytes vc = videoControlDescriptors(control);
    c.insert(c.end(), vc.begin(), vc.end());
    append(c, {9, interfaceDescriptor, 1, 0, 1, videoClass, 0x02, 0, 0});
    Bytes vs = videoStreamingDescriptors();
    c.insert(c.end(), vs.begin(), vs.end());
    append(c, {7, endpointDescriptor, 0x81, 0x02});
    appendWord(c, 512);
    c.push_back(0);
    putWord(c, 2, c.size());
    return c;
}

std::vector<uint8_t> UsbDescriptors::sysfsDescriptors() const {
    Bytes all = device();
    Bytes config = configuration();
    all.insert(all.end(), config.begin(), config.end());
    return all;
}

std::optional<std::vector<uint8_t>> UsbDescriptors::string(uint8_t index) const {
    const std::string* text = nullptr;
    switch (index) {
    case 0:
        return Bytes{4, 0x03, 0x09, 0x04};
    case manufacturerIndex:
        text = &strings.manufacturer;
        break;
    case productIndex:
        text = &strings.product;
        break;
    case serialIndex:
        text = &strings.serial;
        break;
    case functionIndex:
        text = &strings.function;
        break;
    case controlInterfaceIndex:
        text = &strings.controlInterface;
        break;
    default:
        return std::nullopt;
    }
    if (index > serialIndex && text->empty())
        return std::nullopt;
    Bytes d{static_cast<uint8_t>(2 + 2 * text->size()), 0x03};
    for (char c : *text)
        append(d, {static_cast<uint8_t>(c), 0});
    return d;
}

void UsbDescriptors::setFunctionNames(std::string function, std::string controlInterface) {
    strings.function = std::move(function);
    strings.controlInterface = std::move(controlInterface);
}

// uvc_probe: the product string (the kernel keeps none when the device reads as empty), then
// ": " and the function's string, all in the driver's name of 32 bytes.
std::string UsbDescriptors::videoNodeName() const {
    constexpr size_t nameSize = 32;
    constexpr size_t productStringField = 15; // iProduct of the device descriptor
    std::string name = text(device()[productStringField]);
    if (name.empty()) {
        char unnamed[nameSize];
        std::snprintf(unnamed, sizeof unnamed, "UVC Camera (%04x:%04x)",
                      static_cast<unsigned>(vendorId), static_cast<unsigned>(productId));
        name = unnamed;
    }
    name = name.substr(0, nameSize - 1);
    if (const uint8_t function = functionStringOf(configuration())) {
        appendCut(name, ": ", nameSize);
        appendCut(name, text(function), nameSize);
    }
    return name;
}

// A string descriptor's text as usb_string reads it; empty when the camera has none.
std::string UsbDescriptors::text(uint8_t index) const {
    const auto bytes = string(index);
    std::string decoded;
    for (size_t i = 2; bytes && i + 1 < bytes->size(); i += 2)
        decoded.push_back(static_cast<char>((*bytes)[i]));
    return decoded;
}

} // namespace sim
