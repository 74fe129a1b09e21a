#include "CameraTest.h"

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
};

// clang-format off
const IntegerControl integerControls[] = {
    {&D::getBrightness, &D::setBrightness, pu, 0x02, 2, -1, {0xFF, 0xFF}, "65535", -1},
    {&D::getContrast, &D::setContrast, pu, 0x03, 2, -64, {0xC0, 0xFF}, "65472", 65472},
    {&D::getHue, &D::setHue, pu, 0x06, 2, -64, {0xC0, 0xFF}, "65472", -64},
    {&D::getSaturation, &D::setSaturation, pu, 0x07, 2, 200, {0xC8, 0x00}, "200", 200},
    {&D::getSharpness, &D::setSharpness, pu, 0x08, 2, 70000, {0x70, 0x11}, "4464", 4464},
    {&D::getGamma, &D::setGamma, pu, 0x09, 2, 300, {0x2C, 0x01}, "300", 300},
    {&D::getGain, &D::setGain, pu, 0x04, 2, 7, {0x07, 0x00}, "7", 7},
    {&D::getWhiteBalanceTemp, &D::setWhiteBalanceTemp, pu, 0x0A, 2, 4600, {0xF8, 0x11}, "4600", 4600},
    {&D::getBacklightCompensation, &D::setBacklightCompensation, pu, 0x01, 2, 2, {2, 0}, "2", 2},
    {&D::getPowerLineFrequency, &D::setPowerLineFrequency, pu, 0x05, 1, 258, {0x02}, "2", 2},
    {&D::getExposureAbs, &D::setExposureAbs, ct, 0x04, 4, 10000, {0x10, 0x27, 0, 0}, "10000", 10000},
    {&D::getExposureAbs, &D::setExposureAbs, ct, 0x04, 4, -1, {0xFF, 0xFF, 0xFF, 0xFF}, "4294967295", 4294967295},
};
// clang-format on

class UVCDeviceControlTest : public CameraTest {
protected:
    void SetUp() override {
        device = openCamera();
        ASSERT_TRUE(device);
        output.clear();
    }

    // The one class request made since the last call, with its payload.
    std::pair<Wire, Bytes> onlyRequest() {
        const auto requests = classRequests();
        camera.clearTransfers();
        EXPECT_EQ(requests.size(), 1u);
        return requests.empty() ? std::pair<Wire, Bytes>{}
                                : std::pair{wireOf(requests[0]), requests[0].data};
    }

    std::shared_ptr<UVCDevice> device;
};

} // namespace

TEST_F(UVCDeviceControlTest, EveryIntegerControlWritesItsValueCutToTheControlsLength) {
    for (const auto& control : integerControls) {
        SCOPED_TRACE(control.printed);
        output.clear();
        EXPECT_TRUE(((*device).*control.set)(control.written));
        const Wire wire{0x21, 0x01, control.selector << 8, control.unit << 8, control.length};
        EXPECT_EQ(onlyRequest(), std::pair(wire, control.payload));
        EXPECT_EQ(output.lines(), Lines{control.printed});
    }
}

TEST_F(UVCDeviceControlTest, EveryIntegerControlReadsEachKindWithItsSignedness) {
    const std::pair<ValueType, int> kinds[] = {{ValueType::minimum, 0x82},
                                               {ValueType::maximum, 0x83},
                                               {ValueType::defaultValue, 0x87},
                                               {ValueType::current, 0x81}};
    for (const auto& control : integerControls) {
        SCOPED_TRACE(control.printed);
        camera.setCurrent(control.unit, control.selector, control.payload);
        for (const auto& [type, code] : kinds) {
            const auto value = ((*device).*control.get)(type);
            EXPECT_EQ(onlyRequest().first,
                      (Wire{0xA1, code, control.selector << 8, control.unit << 8, control.length}));
            if (type == ValueType::current) {
                EXPECT_EQ(value, control.read);
            }
        }
    }
    EXPECT_TRUE(output.lines().empty());
}

TEST_F(UVCDeviceControlTest, AReadThatFailsOrComesBackShortIsEmptyNotZero) {
    camera.inject({.kind = sim::FaultKind::stall, .unit = pu});
    EXPECT_EQ(device->getBrightness(ValueType::current), std::nullopt);
    EXPECT_EQ(device->getAutoWhiteBalanceTemp(StateType::current), std::nullopt);
    camera.clearFaults();
    camera.inject({.kind = sim::FaultKind::shortReply, .shortLength = 3, .selector = 0x04});
    EXPECT_EQ(device->getExposureAbs(ValueType::current), std::nullopt);
    camera.clearFaults();
    camera.setCurrent(ct, 0x02, {0x02});
    camera.inject({.kind = sim::FaultKind::stall, .unit = ct});
    EXPECT_EQ(device->getAutoExposureModeIndex(ValueType::current), std::nullopt);
    EXPECT_EQ(device->getAutoExposureModeIndex(ValueType::maximum), 3);
    EXPECT_TRUE(output.lines().empty());
}

TEST_F(UVCDeviceControlTest, AWriteTheCameraRefusesAnswersFalseAfterPrintingThePayload) {
    camera.inject({.kind = sim::FaultKind::stall, .bRequest = 0x01});
    EXPECT_FALSE(device->setGain(5));
    EXPECT_FALSE(device->setAutoWhiteBalanceTemp(true));
    EXPECT_EQ(output.lines(), (Lines{"5", "1"}));
}

TEST_F(UVCDeviceControlTest, ExposureModeIsReadAndWrittenAsItsBitAndAsItsIndex) {
    camera.setCurrent(ct, 0x02, {0x04});
    EXPECT_EQ(device->getAutoExposureMode(StateType::current), Mode::shutterPriority);
    EXPECT_EQ(device->getAutoExposureModeIndex(ValueType::current), 2);
    camera.setCurrent(ct, 0x02, {0x03});
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

TEST_F(UVCDeviceControlTest, AutoContrastAndPanTiltAreClassRequestsOfTheirUnits) {
    EXPECT_TRUE(device->setAutoContrast(true));
    EXPECT_EQ(onlyRequest(), std::pair(Wire{0x21, 0x01, 0x1300, 0x0200, 1}, Bytes{0x01}));
    EXPECT_EQ(device->getAutoContrast(StateType::current), true);
    EXPECT_EQ(onlyRequest().first, (Wire{0xA1, 0x81, 0x1300, 0x0200, 1}));
    EXPECT_TRUE(device->setPanTilt(-3600, 7200));
    const Bytes panTilt{0xF0, 0xF1, 0xFF, 0xFF, 0x20, 0x1C, 0x00, 0x00};
    EXPECT_EQ(onlyRequest(), std::pair(Wire{0x21, 0x01, 0x0D00, 0x0100, 8}, panTilt));
    const auto read = device->getPanTilt(ValueType::current);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->pan, -3600);
    EXPECT_EQ(read->tilt, 7200);
}

TEST_F(UVCDeviceControlTest, ZoomAndFocusTakeSixteenUnsignedBitsOnly) {
    EXPECT_TRUE(device->setZoomAbs(65535));
    EXPECT_EQ(onlyRequest(), std::pair(Wire{0x21, 0x01, 0x0B00, 0x0100, 2}, Bytes{0xFF, 0xFF}));
    EXPECT_FALSE(device->setZoomAbs(65536));
    EXPECT_FALSE(device->setFocusAbs(-1));
    EXPECT_TRUE(classRequests().empty());
    EXPECT_EQ(output.lines(), Lines{"65535"});
}

} // namespace device
