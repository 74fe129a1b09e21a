// The camera held by the kernel's video driver, where the driver's own rules decide what the
// device sees: which node it picks, the vendor unit's query rules, the answer to a stall or a
// request given up on, the widths it reads, and the UVC 1.5 power-line menu. (The driver's
// cache and timeout are the simulator's to prove.)
#include "device/UVCContext.h"
#include "device/UVCDevice.h"
#include "platform/core/UserDefaults.h"
#include "support/SimulatedCamera.h"
#include "support/StdoutCapture.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <optional>

namespace device {

namespace {

using namespace std::chrono_literals;
using Lines = std::vector<std::string>;
using Bytes = std::vector<uint8_t>;
using Setup = std::function<void(sim::SimulatedCamera&)>;

constexpr uint8_t ct = sim::SimulatedCamera::cameraTerminal;
constexpr uint8_t pu = sim::SimulatedCamera::processingUnit;
constexpr uint8_t xu = sim::SimulatedCamera::extensionUnit;
constexpr uint8_t firmware = sim::SimulatedCamera::firmwareSelector;
constexpr uint8_t button = sim::SimulatedCamera::buttonSelector;

const std::string unable = "Unable to get value.";
const std::string notSupported = "libusb_control_transfer error: Operation not supported or "
                                 "unimplemented on this platform (-12)";
const std::string invalid = "libusb_control_transfer error: Invalid parameter (-2)";

Lines failures(const std::string& error, int count) {
    Lines lines;
    for (int i = 0; i < count; ++i) {
        lines.push_back(unable);
        lines.push_back(error);
    }
    return lines;
}

// A vendor control whose GET_LEN and GET_INFO answer `length` and `info`.
Setup vendor(uint8_t selector, uint16_t length, uint8_t info = 0x03) {
    return [=](sim::SimulatedCamera& camera) {
        sim::Control control = camera.control(xu, selector);
        control.length = length;
        control.cur.resize(length);
        control.def.resize(length);
        control.info = info;
        camera.setControl(xu, selector, control);
    };
}

Setup selectors(uint8_t bmControls) {
    return [=](sim::SimulatedCamera& camera) { camera.setVideoControl({0x0100, bmControls}); };
}

const std::string firmwareLine = "The value for firmware is: ";

Lines concat(std::initializer_list<Lines> parts) {
    Lines all;
    for (const Lines& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

class UVCDeviceDriverRouteTest : public ::testing::Test {
protected:
    UVCDeviceDriverRouteTest() {
        platform::UserDefaults::setStandard(
            std::make_shared<platform::UserDefaults>(configHome.filePath("defaults.conf")));
    }
    ~UVCDeviceDriverRouteTest() override { platform::UserDefaults::setStandard(nullptr); }

    std::shared_ptr<UVCDevice> plugAndOpen(sim::DriverBinding binding = {}) {
        camera.bindDriver(binding);
        camera.plug();
        auto device = UVCContext::shared().findDevice(sim::SimulatedCamera::vendorId,
                                                      sim::SimulatedCamera::productId);
        camera.clearTransfers();
        return device;
    }

    // The requests the driver sent for `unit`/`selector` with `bRequest`.
    size_t sent(uint8_t bRequest, uint8_t unit, uint8_t selector) const {
        const auto transfers = camera.transfers();
        return static_cast<size_t>(std::ranges::count_if(transfers, [&](const auto& transfer) {
            return transfer.bRequest == bRequest && transfer.unit() == unit &&
                   transfer.selector() == selector;
        }));
    }

    QTemporaryDir configHome;
    sim::SimulatedCamera camera;
    sim::StdoutCapture output;
};

} // namespace

// uvc_xu_ctrl_query: a selector missing from bmControls or whose GET_LEN/GET_INFO fails on first
// use is ENOENT, a size other than GET_LEN's ENOBUFS, a request GET_INFO lacks EBADRQC.
struct VendorCase {
    const char* name;
    Setup setup;
    Lines printed; // after the opening line
    bool polls;
};

class UVCDeviceVendorUnitTest : public UVCDeviceDriverRouteTest,
                                public ::testing::WithParamInterface<VendorCase> {};

TEST_P(UVCDeviceVendorUnitTest, TheDriversRefusalsArePrintedAndNothingPollsAnUnreadCode) {
    GetParam().setup(camera);
    const auto device = plugAndOpen();
    ASSERT_TRUE(device);
    const Lines opening = {"asdf",
                           "[UVCDevice] Open: LIBUSB_SUCCESS / LIBUSB_TRANSFER_COMPLETED Success"};
    EXPECT_EQ(output.lines(), concat({opening, GetParam().printed}));
    EXPECT_EQ(device->timer() != nullptr, GetParam().polls);
}

const VendorCase vendorCases[] = {
    {"NoFirmwareSelector", selectors(0x01),
     concat({failures(notSupported, 3), {firmwareLine + "00"}}), false},
    {"NoButtonSelector", selectors(0x04),
     concat({{firmwareLine + "35"}, failures(notSupported, 2), {"The value is: 00"}}), false},
    {"FirmwareLengthEight", vendor(firmware, 8),
     concat({failures(invalid, 2), {firmwareLine + "00"}}), false},
    {"ButtonLengthTwo", vendor(button, 2),
     concat({{firmwareLine + "35"}, failures(invalid, 2), {"The value is: 00"}}), false},
    {"FirmwareInfoStalls",
     [](sim::SimulatedCamera& c) { c.inject({.bRequest = 0x86, .selector = firmware}); },
     concat({failures(notSupported, 3), {firmwareLine + "00"}}), false},
    // The camera still answers GET_CUR: the driver refuses only the command.
    {"FirmwareWithoutSetCur", vendor(firmware, 11, 0x01),
     concat({failures(notSupported, 1), {firmwareLine + "35", "The value is: 1D"}}), true},
};

INSTANTIATE_TEST_SUITE_P(Refusals, UVCDeviceVendorUnitTest, ::testing::ValuesIn(vendorCases),
                         [](const auto& info) { return std::string(info.param.name); });

// uvc_query_ctrl: after a stall the driver asks the camera's request-error-code control and
// answers with the errno of its code.
TEST_F(UVCDeviceDriverRouteTest, AStallIsAnsweredWithTheErrnoOfTheCamerasErrorCode) {
    const auto device = plugAndOpen();
    ASSERT_TRUE(device);
    const std::pair<uint8_t, std::string> codes[] = {
        {0, "Pipe error (-9)"},         {1, "Resource busy (-6)"},
        {2, "Input/Output Error (-1)"}, {3, "Input/Output Error (-1)"},
        {4, "Invalid parameter (-2)"},  {6, "Input/Output Error (-1)"},
        {8, "Invalid parameter (-2)"},  {9, "Pipe error (-9)"},
    };
    for (const auto& [code, error] : codes) {
        SCOPED_TRACE(error);
        output.clear();
        camera.clearTransfers();
        camera.inject({.once = true, .errorCode = code, .bRequest = 0x81, .selector = button});
        EXPECT_EQ(UVCDevice::getValue(device->device_handle()), "00");
        EXPECT_EQ(output.lines(), (Lines{unable, "libusb_control_transfer error: " + error}));
        EXPECT_EQ(sent(0x81, 0, 0x02), 1u); // the error code asked once
    }
}

// A request the driver gave up on (ETIMEDOUT) is reported as libusb reports a timeout.
TEST_F(UVCDeviceDriverRouteTest, ARequestTheDriverGaveUpOnIsReportedAsTimedOut) {
    camera.setDriverTimeout(40ms);
    const auto device = plugAndOpen();
    ASSERT_TRUE(device);
    output.clear();
    camera.inject({.kind = sim::FaultKind::timeout, .once = true, .bRequest = 0x81});
    EXPECT_EQ(UVCDevice::getValue(device->device_handle()), "00");
    EXPECT_EQ(output.lines(),
              (Lines{unable, "libusb_control_transfer error: Operation timed out (-7)"}));
}

// uvc_get_le_value: the exposure mode through 4 bits, power-line frequency through 2, switches
// through 1; the USB route reads the whole byte.
TEST_F(UVCDeviceDriverRouteTest, ABytesBitsBeyondTheMappingsWidthAreNotRead) {
    camera.setCurrent(ct, 0x02, {0x14});
    camera.setCurrent(pu, 0x05, {0x06});
    camera.setCurrent(pu, 0x0B, {0x02});
    const auto device = plugAndOpen();
    ASSERT_TRUE(device);
    const UVCDevice::ValueType current = UVCDevice::ValueType::current;
    EXPECT_EQ(device->getAutoExposureModeIndex(current), 2); // 0x04: shutter priority
    EXPECT_EQ(device->getPowerLineFrequency(current), 2);
    EXPECT_EQ(device->getAutoWhiteBalanceTemp(UVCDevice::StateType::current), false);
}

// A UVC 1.5 camera's power-line menu has 3 = Auto: read, written and restored as on the wire.
TEST_F(UVCDeviceDriverRouteTest, PowerLineAutoOfAUvc15CameraIsReadWrittenAndRestored) {
    camera.setVideoControl({0x0150});
    sim::Control powerLine = camera.control(pu, 0x05);
    powerLine.max = {0x03};
    powerLine.def = {0x03};
    powerLine.cur = {0x03};
    camera.setControl(pu, 0x05, powerLine);
    const auto device = plugAndOpen();
    ASSERT_TRUE(device);
    EXPECT_EQ(device->getPowerLineFrequency(UVCDevice::ValueType::current), 3);
    EXPECT_EQ(device->getPowerLineFrequency(UVCDevice::ValueType::defaultValue), 3);
    ASSERT_TRUE(device->setPowerLineFrequency(1));
    device->resetAll();
    EXPECT_EQ(camera.current(pu, 0x05), Bytes{0x03});
    ASSERT_TRUE(device->setPowerLineFrequency(1));
    EXPECT_TRUE(device->setPowerLineFrequency(3));
    EXPECT_EQ(camera.current(pu, 0x05), Bytes{0x03});
}

// Without udev's capabilities every node of the camera looks alike; the metadata node sorts
// first ("video10" before "video9") and refuses every control ioctl. The route asks each node.
TEST_F(UVCDeviceDriverRouteTest, TheCaptureNodeIsChosenWhereUdevDidNotDescribeTheNodes) {
    camera.numberVideoNodes(9, 10);
    const auto device = plugAndOpen({.udevCapabilities = false});
    ASSERT_TRUE(device);
    const Lines lines = output.lines();
    EXPECT_NE(std::ranges::find(lines, firmwareLine + "35"), lines.end());
    EXPECT_TRUE(device->timer());
    EXPECT_TRUE(device->getBrightness(UVCDevice::ValueType::current));
}

} // namespace device
