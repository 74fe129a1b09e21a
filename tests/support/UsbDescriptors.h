#pragma once
// The USB descriptors of a USB Video Class camera: one video-control interface (camera
// terminal 1, processing unit 2, extension unit 3, output terminal 4) and one streaming
// interface with a single 640x480 MJPEG frame on bulk endpoint 0x81.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace sim {

class UsbDescriptors {
public:
    // ASCII texts; an empty function or control-interface name is no string (index 0).
    struct Strings {
        std::string manufacturer;
        std::string product;
        std::string serial;
        std::string function{};         // iFunction of the interface association
        std::string controlInterface{}; // iInterface of the video-control interface
    };

    // What the video-control interface tells of the camera: its UVC version (bcdUVC) and which
    // selectors of the extension unit exist (bmControls: selector n is bit n-1).
    struct VideoControl {
        uint16_t uvcVersion = 0x0100;
        uint8_t extensionControls = 0x05; // selectors 1 and 3
    };

    static constexpr uint8_t manufacturerIndex = 1;
    static constexpr uint8_t productIndex = 2;
    static constexpr uint8_t serialIndex = 3;
    static constexpr uint8_t functionIndex = 4;
    static constexpr uint8_t controlInterfaceIndex = 5;

    UsbDescriptors(uint16_t vendorId, uint16_t productId, Strings strings);

    const VideoControl& videoControl() const { return control; }
    void setVideoControl(VideoControl facts) { control = facts; }
    void setFunctionNames(std::string function, std::string controlInterface);

    std::vector<uint8_t> device() const;
    std::vector<uint8_t> configuration() const;
    // What the kernel shows in the sysfs attribute "descriptors": device, then configuration.
    std::vector<uint8_t> sysfsDescriptors() const;
    // String descriptor `index` in UTF-16LE; index 0 lists the languages (US English only).
    std::optional<std::vector<uint8_t>> string(uint8_t index) const;
    // The name the kernel's video driver gives the camera's video nodes, read from these
    // descriptors as uvc_probe reads them.
    std::string videoNodeName() const;

private:
    std::string text(uint8_t index) const;

    uint16_t vendorId;
    uint16_t productId;
    Strings strings;
    VideoControl control;
};

} // namespace sim
