#include "CameraTest.h"

#include <algorithm>
#include <ranges>

#include <map>

namespace device {

namespace {

using ValueType = UVCDevice::ValueType;
using Target = std::optional<std::pair<int, int>>; // unit, selector; none: nothing sent
using Targets = std::pair<Target, Target>;         // of a read, of a write

constexpr uint8_t ct = 1;
constexpr uint8_t pu = 2;

Target at(int unit, int selector) {
    return std::pair(unit, selector);
}

// Where each kind's read and write go, by the kind's case.
const std::map<UVCRangeControl::Case, Targets> rangeTargets = {
    {UVCRangeControl::brightness, {at(pu, 0x02), at(pu, 0x02)}},
    {UVCRangeControl::contrast, {at(pu, 0x03), at(pu, 0x03)}},
    {UVCRangeControl::saturation, {at(pu, 0x07), at(pu, 0x07)}},
    {UVCRangeControl::sharpness, {at(pu, 0x08), at(pu, 0x08)}},
    {UVCRangeControl::gamma, {at(pu, 0x09), at(pu, 0x09)}},
    {UVCRangeControl::hue, {at(pu, 0x06), at(pu, 0x06)}},
    {UVCRangeControl::whiteBalance, {at(pu, 0x0A), at(pu, 0x0A)}},
    {UVCRangeControl::autoExposureMode, {at(ct, 0x02), at(ct, 0x02)}},
    {UVCRangeControl::exposureTime, {at(ct, 0x04), at(ct, 0x04)}},
    {UVCRangeControl::gain, {at(pu, 0x04), at(pu, 0x04)}},
    {UVCRangeControl::zoom, {{}, at(ct, 0x0B)}},
    {UVCRangeControl::pan, {{}, {}}},
    {UVCRangeControl::tilt, {{}, {}}},
    {UVCRangeControl::focus, {{}, at(ct, 0x06)}},
    {UVCRangeControl::backlightCompensation, {at(pu, 0x01), at(pu, 0x01)}},
    {UVCRangeControl::powerLineFrequency, {at(pu, 0x05), at(pu, 0x05)}},
};
const std::map<UVCStateControl::Case, Targets> stateTargets = {
    {UVCStateControl::autoHue, {{}, at(pu, 0x10)}},
    {UVCStateControl::autoFocus, {{}, at(ct, 0x08)}},
    {UVCStateControl::autoWhiteBalanceTemp, {at(pu, 0x0B), at(pu, 0x0B)}},
};

class UVCDeviceDispatchTest : public CameraTest {
protected:
    void SetUp() override {
        camera.setCurrent(pu, 0x0B, {0x00}); // white balance temperature can be written
        device = openCamera();
        ASSERT_TRUE(device);
    }

    // Where the class requests since the last call went (one at most; the driver may first read
    // the control's range or byte, or the automatic mode that governs it).
    Target target() {
        const auto requests = classRequests();
        camera.clearTransfers();
        if (!viaDriver()) {
            EXPECT_LE(requests.size(), 1u);
        }
        return requests.empty() ? Target{} : at(requests.back().unit(), requests.back().selector());
    }

    // The control the last write since the last call went to; the driver's own reads before it
    // (the range, the byte of a narrow mapping, the governing automatic mode) left out.
    Target writeTarget() {
        const auto requests = classRequests();
        camera.clearTransfers();
        const auto write = std::ranges::find(requests | std::views::reverse, 0x21,
                                             &sim::ControlTransfer::bmRequestType);
        return write == std::ranges::end(requests | std::views::reverse)
                   ? Target{}
                   : at(write->unit(), write->selector());
    }

    std::shared_ptr<UVCDevice> device;
};

} // namespace

TEST_P(UVCDeviceDispatchTest, EachKindReachesItsOwnControl) {
    ASSERT_EQ(UVCRangeControl::allCases.size(), std::size(rangeTargets));
    for (const UVCRangeControl control : UVCRangeControl::allCases) {
        SCOPED_TRACE(static_cast<int>(control));
        const auto& [read, written] = rangeTargets.at(control);
        EXPECT_EQ(device->getValue(control, ValueType::current).has_value(), read.has_value());
        EXPECT_EQ(target(), read);
        for (const auto type : {ValueType::minimum, ValueType::maximum, ValueType::defaultValue}) {
            EXPECT_TRUE(read || !device->getValue(control, type)); // unread kinds stay empty
        }
        EXPECT_EQ(target(), std::nullopt);
        // Through the driver, exposure time (after the mode became automatic) and focus (with
        // automatic focus on) are refused.
        const bool refused = viaDriver() && (control == UVCRangeControl::exposureTime ||
                                             control == UVCRangeControl::focus);
        EXPECT_EQ(device->setValue(1, control), written.has_value() && !refused);
        EXPECT_EQ(writeTarget(), refused ? std::nullopt : written);
    }
    for (const UVCStateControl control : UVCStateControl::allCases) {
        SCOPED_TRACE(static_cast<int>(control));
        const auto& [read, written] = stateTargets.at(control);
        EXPECT_EQ(device->getState(control, UVCDevice::StateType::current).has_value(),
                  read.has_value());
        EXPECT_EQ(target(), read);
        EXPECT_TRUE(device->setState(true, control));
        EXPECT_EQ(writeTarget(), written);
    }
}

TEST_P(UVCDeviceDispatchTest, ExposureModeKindSpeaksInModeIndexes) {
    EXPECT_EQ(device->getValue(UVCRangeControl::autoExposureMode, ValueType::maximum), 3);
    output.clear();
    EXPECT_FALSE(device->setValue(7, UVCRangeControl::autoExposureMode));
    EXPECT_EQ(target(), std::nullopt);
    EXPECT_TRUE(device->setValue(2, UVCRangeControl::autoExposureMode));
    EXPECT_EQ(classRequests().back().data, std::vector<uint8_t>{0x04});
    EXPECT_EQ(output.lines(), std::vector<std::string>{"4"});
}

INSTANTIATE_TEST_SUITE_P(Routes, UVCDeviceDispatchTest, bothRoutes, routeName);

} // namespace device
