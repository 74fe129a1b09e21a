#include "CameraTest.h"

#include <set>
#include <span>

namespace device {

namespace {

using D = UVCDevice;
using ValueType = UVCDevice::ValueType;
using StateType = UVCDevice::StateType;
using Mode = UVCDevice::AutoExposureMode;
using Bytes = std::vector<uint8_t>;
using Lines = std::vector<std::string>;

constexpr uint8_t ct = 1;
constexpr uint8_t pu = 2;

struct IntegerControl {
    std::optional<int64_t> (D::*get)(ValueType);
    bool (D::*set)(int64_t);
    uint8_t unit, selector;
    int length;
    int64_t written; // cut to `payload`, printed as `printed`, read back as `read`
    Bytes payload;
    const char* printed;
    int64_t read;
    Bytes driverPayload; // the payload after the driver's rounding and clamping to the range
};

// clang-format off
const IntegerControl integerControls[] = {
    {&D::getBrightness, &D::setBrightness, pu, 0x02, 2, -1, {0xFF, 0xFF}, "65535", -1, {0xFF, 0xFF}},
    {&D::getContrast, &D::setContrast, pu, 0x03, 2, -64, {0xC0, 0xFF}, "65472", 65472, {100, 0}},
    {&D::getHue, &D::setHue, pu, 0x06, 2, -64, {0xC0, 0xFF}, "65472", -64, {0xD8, 0xFF}},
    {&D::getSaturation, &D::setSaturation, pu, 0x07, 2, 200, {0xC8, 0x00}, "200", 200, {128, 0}},
    {&D::getSharpness, &D::setSharpness, pu, 0x08, 2, 70000, {0x70, 0x11}, "4464", 4464, {6, 0}},
    {&D::getGamma, &D::setGamma, pu, 0x09, 2, 300, {0x2C, 0x01}, "300", 300, {0x2C, 0x01}},
    {&D::getGain, &D::setGain, pu, 0x04, 2, 7, {0x07, 0x00}, "7", 7, {0x07, 0x00}},
    {&D::getWhiteBalanceTemp, &D::setWhiteBalanceTemp, pu, 0x0A, 2, 4604, {0xFC, 0x11}, "4604", 4604, {0xF8, 0x11}},
    {&D::getBacklightCompensation, &D::setBacklightCompensation, pu, 0x01, 2, 2, {2, 0}, "2", 2, {2, 0}},
    {&D::getPowerLineFrequency, &D::setPowerLineFrequency, pu, 0x05, 1, 258, {0x02}, "2", 2, {0x02}},
    {&D::getExposureAbs, &D::setExposureAbs, ct, 0x04, 4, 10000, {0x10, 0x27, 0, 0}, "10000", 10000, {0x10, 0x27, 0, 0}},
    {&D::getExposureAbs, &D::setExposureAbs, ct, 0x04, 4, -1, {0xFF, 0xFF, 0xFF, 0xFF}, "4294967295", 4294967295, {0x10, 0x27, 0, 0}},
};
// clang-format on

class UVCDeviceControlTest : public CameraTest {
protected:
    void SetUp() override {
        // Manual exposure and white balance: the driver takes writes of exposure time and
        // temperature only then.
        camera.setCurrent(ct, 0x02, {0x01});
        camera.setCurrent(pu, 0x0B, {0x00});
        device = openCamera();
        ASSERT_TRUE(device);
        output.clear();
    }

    // The requests of one read. The driver reads a range as a whole, once per control (the
    // power-line frequency: its default only), and asks for the automatic mode that governs a
    // control unless it holds that mode; a value read ends with the driver letting go of the
    // modes this camera flags auto-update.
    std::vector<Wire> readRequests(int code, const IntegerControl& control) {
        auto wire = [&](int request, uint8_t unit, uint8_t selector, int length) {
            return Wire{0xA1, request, selector << 8, unit << 8, length};
        };
        if (!viaDriver() || code == 0x81) {
            masterHeld = false;
            return {wire(code, control.unit, control.selector, control.length)};
        }
        std::vector<Wire> wires;
        const std::pair<Target, Target> governed[] = {
            {{pu, 0x06}, {pu, 0x10}}, {{pu, 0x0A}, {pu, 0x0B}}, {{ct, 0x04}, {ct, 0x02}}};
        for (const auto& [slave, master] : governed) {
            if (slave == Target{control.unit, control.selector} && !masterHeld) {
                wires.push_back(wire(0x81, master.first, master.second, 1));
                masterHeld = true;
            }
        }
        if (limitsRead.insert({control.unit, control.selector}).second) {
            for (int request : {0x87, 0x82, 0x83, 0x84}) {
                if (request == 0x87 || control.selector != 0x05 || control.unit != pu) {
                    wires.push_back(wire(request, control.unit, control.selector, control.length));
                }
            }
        }
        return wires;
    }
    std::vector<Wire> requestWires() {
        std::vector<Wire> wires;
        for (const auto& request : classRequests()) {
            wires.push_back(wireOf(request));
        }
        camera.clearTransfers();
        return wires;
    }

    // The one class request made since the last call, with its payload. Before a write the
    // driver may read on its own (its range on first use, the other bits of a narrow mapping):
    // those reads are left out.
    std::pair<Wire, Bytes> onlyRequest() {
        auto requests = classRequests();
        if (viaDriver() && !requests.empty() && requests.back().bmRequestType == 0x21) {
            std::erase_if(requests,
                          [](const auto& request) { return request.bmRequestType != 0x21; });
        }
        camera.clearTransfers();
        EXPECT_EQ(requests.size(), 1u);
        return requests.empty() ? std::pair<Wire, Bytes>{}
                                : std::pair{wireOf(requests[0]), requests[0].data};
    }

    std::shared_ptr<UVCDevice> device;
    using Target = std::pair<uint8_t, uint8_t>;
    std::set<Target> limitsRead; // controls whose range the driver holds
    bool masterHeld = false;     // the driver holds the governing mode's value
};

} // namespace

TEST_P(UVCDeviceControlTest, EveryIntegerControlWritesItsValueCutToTheControlsLength) {
    for (const auto& control : integerControls) {
        SCOPED_TRACE(control.printed);
        output.clear();
        EXPECT_TRUE(((*device).*control.set)(control.written));
        const Wire wire{0x21, 0x01, control.selector << 8, control.unit << 8, control.length};
        EXPECT_EQ(onlyRequest(),
                  std::pair(wire, viaDriver() ? control.driverPayload : control.payload));
        EXPECT_EQ(output.lines(), Lines{control.printed});
    }
}

TEST_P(UVCDeviceControlTest, EveryIntegerControlReadsEachKindWithItsSignedness) {
    const std::pair<ValueType, int> kinds[] = {{ValueType::minimum, 0x82},
                                               {ValueType::maximum, 0x83},
                                               {ValueType::defaultValue, 0x87},
                                               {ValueType::current, 0x81}};
    for (const auto& control : integerControls) {
        SCOPED_TRACE(control.printed);
        camera.setCurrent(control.unit, control.selector, control.payload);
        for (const auto& [type, code] : kinds) {
            const auto value = ((*device).*control.get)(type);
            EXPECT_EQ(requestWires(), readRequests(code, control));
            if (type == ValueType::current) {
                EXPECT_EQ(value, control.read);
            }
        }
    }
    EXPECT_TRUE(output.lines().empty());
}

// The driver takes a short reply for the value (its own tests show how): only over USB does the
// utility see one.
TEST_P(UVCDeviceControlTest, AReadThatFailsOrComesBackShortIsEmptyNotZero) {
    camera.inject({.kind = sim::FaultKind::stall, .unit = pu});
    EXPECT_EQ(device->getBrightness(ValueType::current), std::nullopt);
    EXPECT_EQ(device->getAutoWhiteBalanceTemp(StateType::current), std::nullopt);
    camera.clearFaults();
    if (!viaDriver()) {
        camera.inject({.kind = sim::FaultKind::shortReply, .shortLength = 3, .selector = 0x04});
        EXPECT_EQ(device->getExposureAbs(ValueType::current), std::nullopt);
        camera.clearFaults();
    }
    camera.setCurrent(ct, 0x02, {0x02});
    camera.inject({.kind = sim::FaultKind::stall, .unit = ct});
    EXPECT_EQ(device->getAutoExposureModeIndex(ValueType::current), std::nullopt);
    EXPECT_EQ(device->getAutoExposureModeIndex(ValueType::maximum), 3);
    EXPECT_TRUE(output.lines().empty());
}

// A stalled write and, over USB, one the camera took only in part (the driver counts that as
// taken).
TEST_P(UVCDeviceControlTest, AWriteTheCameraRefusesAnswersFalseAfterPrintingThePayload) {
    const sim::Fault faults[] = {
        {.kind = sim::FaultKind::stall, .bRequest = 0x01},
        {.kind = sim::FaultKind::shortReply, .shortLength = 1, .bRequest = 0x01},
    };
    for (const auto& fault : std::span(faults).first(viaDriver() ? 1 : 2)) {
        SCOPED_TRACE(static_cast<int>(fault.kind));
        output.clear();
        camera.clearFaults();
        camera.inject(fault);
        EXPECT_FALSE(device->setGain(5));
        EXPECT_FALSE(device->setExposureAbs(10000));
        EXPECT_EQ(output.lines(), (Lines{"5", "10000"}));
    }
    camera.clearFaults();
    camera.inject(faults[0]);
    EXPECT_FALSE(device->setAutoWhiteBalanceTemp(true));
}

// Any byte but 0 is on. The driver hands on only the lowest bit of the camera's byte.
TEST_P(UVCDeviceControlTest, AutomaticWhiteBalanceReadsOnForAnyByteButZero) {
    const std::tuple<uint8_t, bool, bool> bytes[] = {
        {0x00, false, false}, {0x01, true, true}, {0x02, true, false}, {0x03, true, true}};
    for (const auto& [byte, onUsb, onDriver] : bytes) {
        SCOPED_TRACE(static_cast<int>(byte));
        const bool on = viaDriver() ? onDriver : onUsb;
        camera.setCurrent(pu, 0x0B, {byte});
        camera.setDefault(pu, 0x0B, {byte});
        EXPECT_EQ(device->getAutoWhiteBalanceTemp(StateType::current), on);
        EXPECT_EQ(device->getState(UVCStateControl::autoWhiteBalanceTemp, StateType::current), on);
    }
    EXPECT_EQ(device->getAutoWhiteBalanceTemp(StateType::defaultValue), true);
}

TEST_P(UVCDeviceControlTest, ExposureModeIsReadAndWrittenAsItsBitAndAsItsIndex) {
    camera.setCurrent(ct, 0x02, {0x04});
    EXPECT_EQ(device->getAutoExposureMode(StateType::current), Mode::shutterPriority);
    EXPECT_EQ(device->getAutoExposureModeIndex(ValueType::current), 2);
    // The driver hands a byte without a menu entry on as it stands, where 0 to 3 read as the
    // entries of those indexes; it reads the mode's four low bits only.
    camera.setCurrent(ct, 0x02, {static_cast<uint8_t>(viaDriver() ? 0x06 : 0x03)});
    EXPECT_EQ(device->getAutoExposureMode(StateType::current), std::nullopt);
    EXPECT_EQ(device->getAutoExposureModeIndex(ValueType::current), std::nullopt);
    camera.clearTransfers();
    EXPECT_EQ(device->getAutoExposureModeIndex(ValueType::minimum), 0);
    EXPECT_EQ(device->getAutoExposureModeIndex(ValueType::maximum), 3);
    EXPECT_FALSE(device->setAutoExposureModeWithIndex(4));
    EXPECT_FALSE(device->setAutoExposureModeWithIndex(-1));
    EXPECT_TRUE(classRequests().empty());
    EXPECT_TRUE(device->setAutoExposureModeWithIndex(2));
    EXPECT_EQ(onlyRequest(), std::pair(Wire{0x21, 0x01, 0x0200, 0x0100, 1}, Bytes{0x04}));
    EXPECT_TRUE(device->setAutoExposureMode(Mode::auto_));
    EXPECT_EQ(onlyRequest().second, Bytes{0x02});
    EXPECT_EQ(output.lines(), (Lines{"4", "2"}));
}

TEST_P(UVCDeviceControlTest, AutoContrastAndPanTiltAreClassRequestsOfTheirUnits) {
    // The driver maps no V4L2 control onto auto contrast: through it, the control is not there.
    EXPECT_EQ(device->setAutoContrast(true), !viaDriver());
    EXPECT_EQ(device->getAutoContrast(StateType::current),
              viaDriver() ? std::nullopt : std::optional(true));
    const std::vector<Wire> usbContrast{{0x21, 0x01, 0x1300, 0x0200, 1},
                                        {0xA1, 0x81, 0x1300, 0x0200, 1}};
    EXPECT_EQ(requestWires(), viaDriver() ? std::vector<Wire>{} : usbContrast);
    EXPECT_TRUE(device->setPanTilt(-3600, 7200));
    const Bytes panTilt{0xF0, 0xF1, 0xFF, 0xFF, 0x20, 0x1C, 0x00, 0x00};
    EXPECT_EQ(onlyRequest(), std::pair(Wire{0x21, 0x01, 0x0D00, 0x0100, 8}, panTilt));
    const auto read = device->getPanTilt(ValueType::current);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->pan, -3600);
    EXPECT_EQ(read->tilt, 7200);
}

TEST_P(UVCDeviceControlTest, ZoomAndFocusTakeSixteenUnsignedBitsOnly) {
    EXPECT_TRUE(device->setZoomAbs(65535));
    const Bytes zoom = viaDriver() ? Bytes{0xF4, 0x01} : Bytes{0xFF, 0xFF}; // clamped to 500
    EXPECT_EQ(onlyRequest(), std::pair(Wire{0x21, 0x01, 0x0B00, 0x0100, 2}, zoom));
    EXPECT_FALSE(device->setZoomAbs(65536));
    EXPECT_FALSE(device->setFocusAbs(-1));
    EXPECT_TRUE(classRequests().empty());
    EXPECT_EQ(output.lines(), Lines{"65535"});
}

INSTANTIATE_TEST_SUITE_P(Routes, UVCDeviceControlTest, bothRoutes, routeName);

} // namespace device
