#pragma once
// One opened camera: a libusb context and device handle of its own, every control request to
// the camera, and the capture-button poll that turns presses into keystrokes. Made only by
// open(); shared by its owners and closed when the last of them lets go.

#include "device/UVCAutoExposureMode.h"
#include "device/UVCRangeControl.h"
#include "device/UVCStateControl.h"
#include "device/UVCStateType.h"
#include "device/UVCValueType.h"
#include "platform/core/UsbLocation.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// libusb and libuvc are included by the .cpp files only.
struct libusb_context;
struct libusb_device;
struct libusb_device_handle;
struct uvc_device;
struct uvc_device_descriptor;

namespace platform {
class Timer;
}

namespace device {

class UVCControl;
class UVCTransport;
struct UVCRequest;

class UVCDevice : public std::enable_shared_from_this<UVCDevice> {
    struct Key {
        explicit Key() = default;
    };
    // Exit the context, close the handle, free the descriptor; defined beside the libraries.
    struct ContextDeleter {
        void operator()(libusb_context* context) const;
    };
    struct HandleDeleter {
        void operator()(libusb_device_handle* handle) const;
    };
    struct DescriptorDeleter {
        void operator()(uvc_device_descriptor* descriptor) const;
    };
    using ContextPointer = std::unique_ptr<libusb_context, ContextDeleter>;
    using HandlePointer = std::unique_ptr<libusb_device_handle, HandleDeleter>;
    using DescriptorPointer = std::unique_ptr<uvc_device_descriptor, DescriptorDeleter>;

public:
    using ValueType = UVCValueType;
    using StateType = UVCStateType;
    using AutoExposureMode = UVCAutoExposureMode;
    struct PanTilt {
        int64_t pan;
        int64_t tilt;
    };

    // Held descriptor, freed with the device; nothing fills it yet.
    uvc_device_descriptor* device_descriptor_pointer() const { return descriptor.get(); }
    void set_device_descriptor_pointer(uvc_device_descriptor* descriptor);
    std::optional<std::string> productName() const { return std::nullopt; }
    // The opened camera's libusb handle, open for the life of the device.
    libusb_device_handle* device_handle() const { return deviceHandle.get(); }
    const std::shared_ptr<platform::Timer>& timer() const { return pollTimer; }
    void setTimer(std::shared_ptr<platform::Timer> timer);

    // Opens the camera 0C45:6366 through a libusb context of its own, whichever libuvc device
    // was found: the one at `location`, or without a location the one attached (none of
    // several, so that no camera is taken for another). Reads its firmware and button idle
    // codes and, for a known pair, starts the button poll on the calling thread's event loop.
    // Nothing when the opening fails.
    static std::shared_ptr<UVCDevice>
    open(uvc_device* device, const std::optional<platform::UsbLocation>& location = std::nullopt);
    UVCDevice(Key, ContextPointer context, HandlePointer handle,
              std::unique_ptr<UVCTransport> transport);
    ~UVCDevice();
    UVCDevice(const UVCDevice&) = delete;
    UVCDevice& operator=(const UVCDevice&) = delete;

    // One key event without flags, skipped when it cannot be created.
    void postKeyEvent(uint16_t keycode, bool keyDown);

    // The poll ticks, one per idle code of the button.
    void performPostInitializationTasks1D();
    void performPostInitializationTasks2D();
    void performPostInitializationTasks3D();
    void performPostInitializationTasks4D();
    void performPostInitializationTasks5D();
    void performPostInitializationTasks6D();
    void performPostInitializationTasks7D();
    void performPostInitializationTasks8D();
    void performPostInitializationTasks9D();
    void performPostInitializationTasksBD();
    void performPostInitializationTasks65();

    // The vendor extension-unit queries: button code and firmware code, "00" when unreadable.
    // Each reaches the camera behind `handle` by the route its driver leaves open; the device
    // itself uses the route it chose when it was opened.
    static std::string getValue(libusb_device_handle* handle);
    static std::string getFirmware(libusb_device_handle* handle);

    // Control requests. A read that fails or comes back short is empty; a write is true when
    // the camera took the whole payload, and prints the payload as an unsigned number. Zoom,
    // focus, pan, tilt, hue-auto and focus-auto are not read; pan and tilt are not written;
    // zoom and focus take 0 to 65535 only.
    std::optional<int64_t> getBrightness(ValueType type);
    bool setBrightness(int64_t value);
    std::optional<bool> getAutoContrast(StateType type);
    bool setAutoContrast(bool value);
    std::optional<int64_t> getContrast(ValueType type);
    bool setContrast(int64_t value);
    std::optional<int64_t> getSharpness(ValueType type);
    bool setSharpness(int64_t value);
    std::optional<int64_t> getSaturation(ValueType type);
    bool setSaturation(int64_t value);
    std::optional<int64_t> getGamma(ValueType type);
    bool setGamma(int64_t value);
    std::optional<bool> getAutoHue(StateType) { return std::nullopt; }
    bool setAutoHue(bool value);
    std::optional<int64_t> getHue(ValueType type);
    bool setHue(int64_t value);
    std::optional<AutoExposureMode> getAutoExposureMode(StateType type);
    bool setAutoExposureMode(AutoExposureMode mode);
    std::optional<int64_t> getAutoExposureModeIndex(ValueType type);
    bool setAutoExposureModeWithIndex(int64_t index);
    std::optional<int64_t> getExposureAbs(ValueType type);
    bool setExposureAbs(int64_t value);
    std::optional<int64_t> getGain(ValueType type);
    bool setGain(int64_t value);
    std::optional<bool> getAutoWhiteBalanceTemp(StateType type);
    bool setAutoWhiteBalanceTemp(bool value);
    std::optional<int64_t> getWhiteBalanceTemp(ValueType type);
    bool setWhiteBalanceTemp(int64_t value);
    std::optional<bool> getAutoFocus(StateType) { return std::nullopt; }
    bool setAutoFocus(bool value);
    std::optional<int64_t> getFocusAbs(ValueType) { return std::nullopt; }
    bool setFocusAbs(int64_t value);
    std::optional<int64_t> getZoomAbs(ValueType) { return std::nullopt; }
    bool setZoomAbs(int64_t value);
    std::optional<PanTilt> getPanTilt(ValueType type);
    bool setPanTilt(int64_t pan, int64_t tilt);
    std::optional<int64_t> getPan(ValueType) { return std::nullopt; }
    bool setPan(int64_t) { return false; }
    std::optional<int64_t> getTilt(ValueType) { return std::nullopt; }
    bool setTilt(int64_t) { return false; }
    std::optional<int64_t> getBacklightCompensation(ValueType type);
    bool setBacklightCompensation(int64_t value);
    std::optional<int64_t> getPowerLineFrequency(ValueType type);
    bool setPowerLineFrequency(int64_t value);

    // Writes every control's default back, skipping a control whose default cannot be read.
    // Exposure time and white balance temperature, which the driver refuses while their
    // automatic mode is on, are written once more after the modes when it refused them.
    void resetAll();

    // Dispatch by control kind.
    std::optional<int64_t> getValue(UVCRangeControl control, ValueType type);
    bool setValue(int64_t value, UVCRangeControl control);
    std::optional<bool> getState(UVCStateControl control, StateType type);
    bool setState(bool value, UVCStateControl control);

private:
    // The camera to open among the attached devices of `context`: see open(). The caller
    // unreferences it.
    static libusb_device* cameraAt(libusb_context* context,
                                   const std::optional<platform::UsbLocation>& location);
    void watchButton();
    void startPolling(void (UVCDevice::*tick)());
    void pollButton(std::string_view pressedCode);

    std::string buttonCode();
    std::string firmwareCode();

    // The one place where a request reaches the camera, by the route chosen at opening: bytes
    // moved or libusb's error code, a failure reported when the request asks for it.
    int sendRequest(const UVCRequest& request, std::span<uint8_t> data);
    static int sendThrough(UVCTransport& transport, const UVCRequest& request,
                           std::span<uint8_t> data);
    static void reportFailure(int result);

    std::optional<std::vector<uint8_t>> readControl(const UVCControl& control, uint8_t request);
    std::optional<int64_t> readInteger(const UVCControl& control, uint8_t request);
    std::optional<bool> readFlag(const UVCControl& control, uint8_t request);
    bool writeControl(const UVCControl& control, std::vector<uint8_t> payload);
    bool writeInteger(const UVCControl& control, int64_t value);
    bool writeUnsigned16(const UVCControl& control, int64_t value);
    // The latest write was refused by the kernel's driver: an automatic mode, say, governs it.
    bool refusedByDriver() const;

    ContextPointer device;
    HandlePointer deviceHandle;
    DescriptorPointer descriptor;
    std::unique_ptr<UVCTransport> transport; // uses the handle: ends first
    std::shared_ptr<platform::Timer> pollTimer;
    // The transport's answer to the latest write: bytes moved or libusb's error code.
    std::optional<int> lastWrite;
};

} // namespace device
