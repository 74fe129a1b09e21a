#include "CameraTest.h"

namespace device {

namespace {

using Bytes = std::vector<uint8_t>;
using Write = std::tuple<int, int, Bytes>; // unit, selector, payload

constexpr uint8_t ct = 1;
constexpr uint8_t pu = 2;

// The writes of a reset, in its order, of the defaults the test gives the camera.
const std::vector<Write> resetWrites = {
    {pu, 0x02, {0xC0, 0xFF}},    // brightness
    {pu, 0x03, {0x20, 0x00}},    // contrast
    {pu, 0x08, {0x03, 0x00}},    // sharpness
    {pu, 0x07, {0x40, 0x00}},    // saturation
    {pu, 0x09, {0x64, 0x00}},    // gamma
    {pu, 0x06, {0xF6, 0xFF}},    // hue
    {ct, 0x04, {0x9C, 0, 0, 0}}, // exposure time
    {pu, 0x04, {0x0A, 0x00}},    // gain
    {pu, 0x0A, {0xF8, 0x11}},    // white balance temperature
    {pu, 0x01, {0x01, 0x00}},    // backlight compensation
    {pu, 0x05, {0x01}},          // power-line frequency
    {ct, 0x02, {0x08}},          // auto-exposure mode
    {pu, 0x0B, {0x01}},          // automatic white balance
};

class UVCDeviceResetTest : public CameraTest {
protected:
    void SetUp() override {
        for (const auto& [unit, selector, bytes] : resetWrites) {
            camera.setDefault(unit, selector, bytes);
        }
        device = openCamera();
        ASSERT_TRUE(device);
        output.clear();
    }

    std::vector<Write> writes() {
        std::vector<Write> result;
        for (const auto& request : classRequests()) {
            if (request.bmRequestType == 0x21) {
                result.emplace_back(request.unit(), request.selector(), request.data);
            } else if (!viaDriver() || request.bRequest < 0x81 || request.bRequest > 0x84) {
                // The driver reads a range as a whole, and the byte of a narrow mapping before
                // it writes the mapping's bits.
                EXPECT_EQ(request.bRequest, 0x87);
            }
        }
        camera.clearTransfers();
        return result;
    }

    // The driver refuses exposure time while the exposure mode is not manual and temperature
    // while white balance is automatic, as the camera's current modes are here.
    std::vector<Write> taken(std::vector<Write> expected) const {
        if (viaDriver()) {
            std::erase_if(expected, [](const Write& write) {
                const auto& [unit, selector, bytes] = write;
                return (unit == ct && selector == 0x04) || (unit == pu && selector == 0x0A);
            });
        }
        return expected;
    }

    std::shared_ptr<UVCDevice> device;
};

} // namespace

TEST_P(UVCDeviceResetTest, ResetWritesEveryDefaultBackInItsFixedOrder) {
    device->resetAll();
    EXPECT_EQ(writes(), taken(resetWrites));
    std::vector<std::string> printed{"65472", "32",   "3", "64", "100", "65526", "156",
                                     "10",    "4600", "1", "1",  "8",   "1"};
    if (viaDriver()) {
        printed.insert(printed.end(), {"156", "4600"}); // refused again under automatic modes
    }
    EXPECT_EQ(output.lines(), printed);
}

// The driver refuses exposure time unless the exposure mode is manual (1) and the temperature
// while white balance is automatic; the reset writes them again after the modes when it did.
TEST_P(UVCDeviceResetTest, WhatTheDriverRefusedUnderAnAutomaticModeIsWrittenAgainAfterTheModes) {
    const Bytes exposureBefore{0x10, 0x27, 0, 0}, temperatureBefore{0x70, 0x17};
    const struct {
        const char* what;
        uint8_t mode, balance, defaultMode, defaultBalance, autoHue;
        bool stallExposure;
        std::vector<std::string> again; // printed after the thirteen writes, through the driver
        bool exposureTaken, temperatureTaken; // through the driver
    } cases[] = {
        {"automatic modes, manual defaults", 8, 1, 1, 0, 0, false, {"156", "4600"}, true, true},
        {"automatic white balance by default", 8, 1, 1, 1, 0, false, {"156", "4600"}, true, false},
        {"manual modes and defaults", 1, 0, 1, 0, 0, false, {}, true, true},
        {"automatic hue, which the reset leaves", 1, 0, 1, 0, 1, false, {}, true, true},
        {"the camera stalls the exposure time", 1, 0, 1, 0, 0, true, {}, false, true},
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.what);
        device.reset();
        camera.unplug(); // the driver reads the defaults afresh at its next probe
        camera.setDefault(ct, 0x02, {entry.defaultMode});
        camera.setDefault(pu, 0x0B, {entry.defaultBalance});
        for (const auto& [unit, selector, bytes] :
             std::vector<Write>{{ct, 0x04, exposureBefore},
                                {pu, 0x0A, temperatureBefore},
                                {ct, 0x02, {entry.mode}},
                                {pu, 0x0B, {entry.balance}},
                                {pu, 0x10, {entry.autoHue}}}) {
            camera.setCurrent(unit, selector, bytes);
        }
        camera.plug();
        device = openCamera();
        ASSERT_TRUE(device);
        if (entry.stallExposure) {
            camera.inject(
                {.kind = sim::FaultKind::stall, .bRequest = 0x01, .unit = ct, .selector = 0x04});
        }
        output.clear();
        device->resetAll();
        camera.clearFaults();
        const auto printed = output.lines();
        ASSERT_GE(printed.size(), 13u);
        EXPECT_EQ(std::vector(printed.begin() + 13, printed.end()),
                  viaDriver() ? entry.again : std::vector<std::string>{});
        const bool exposureTaken = viaDriver() ? entry.exposureTaken : !entry.stallExposure;
        const bool temperatureTaken = !viaDriver() || entry.temperatureTaken;
        EXPECT_EQ(camera.current(ct, 0x04),
                  (exposureTaken ? Bytes{0x9C, 0, 0, 0} : exposureBefore));
        EXPECT_EQ(camera.current(pu, 0x0A),
                  (temperatureTaken ? Bytes{0xF8, 0x11} : temperatureBefore));
    }
}

TEST_P(UVCDeviceResetTest, ResetSkipsOnlyAControlWhoseDefaultCannotBeReadOrIsNoMode) {
    bool driverHoldsDefaults = false;
    for (size_t skipped : {1, 11, 12}) { // contrast, exposure mode, automatic white balance
        const auto& [unit, selector, bytes] = resetWrites[skipped];
        SCOPED_TRACE(selector);
        if (skipped == 11) {
            // Through the driver a byte of 0 to 3 would read as the menu entry of that index,
            // and only the mode's four low bits are read.
            camera.setDefault(ct, 0x02, {static_cast<uint8_t>(viaDriver() ? 0x06 : 0x03)});
        } else {
            camera.inject({.kind = sim::FaultKind::stall,
                           .bRequest = 0x87,
                           .unit = unit,
                           .selector = selector});
        }
        device->resetAll();
        auto expected = resetWrites;
        if (!driverHoldsDefaults) {
            expected.erase(expected.begin() + static_cast<std::ptrdiff_t>(skipped));
        }
        EXPECT_EQ(writes(), taken(expected));
        // The driver reads each default once and answers from its cache from then on.
        driverHoldsDefaults = viaDriver();
        camera.clearFaults();
        camera.setDefault(ct, 0x02, {0x08});
    }
}

INSTANTIATE_TEST_SUITE_P(Routes, UVCDeviceResetTest, bothRoutes, routeName);

} // namespace device
