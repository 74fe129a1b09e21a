// The driver-bound camera's video node held against a real V4L2 client: v4l2-ctl, run as a
// child of the test on the testbed, sees the controls, menus and inactive flags a uvcvideo camera
// shows and meets the driver's refusals.
#include "support/ChildProcess.h"
#include "support/SimulatedCamera.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

namespace sim {

namespace {

using namespace std::chrono_literals;
using Lines = std::vector<std::string>;
using Bytes = std::vector<uint8_t>;

constexpr uint8_t ct = SimulatedCamera::cameraTerminal;
constexpr uint8_t pu = SimulatedCamera::processingUnit;

class SimulatedVideoDriverTest : public ::testing::Test {
protected:
    SimulatedVideoDriverTest() { camera.bindDriver(); }
    void SetUp() override { camera.plug(); }

    // v4l2-ctl's output lines and exit status for `arguments` on the camera's capture node.
    std::pair<Lines, int> v4l2Ctl(std::vector<std::string> arguments,
                                  const std::string& node = "/dev/video0") {
        arguments.insert(arguments.begin(), {"-d", node});
        ChildProcess child(
            programInPath("v4l2-ctl"), arguments,
            {{"UMOCKDEV_DIR", camera.umockdevDir()}, {"LD_PRELOAD", "libumockdev-preload.so.0"}});
        const auto status = child.waitForExit(10s);
        return {child.lines(), status.value_or(-1)};
    }

    SimulatedCamera camera;
};

bool holds(const Lines& lines, const std::string& text) {
    return std::ranges::any_of(
        lines, [&](const std::string& line) { return line.find(text) != std::string::npos; });
}

// The camera announcing UVC 1.5, its power-line frequency at Auto.
class SimulatedVideoDriverUvc15Test : public SimulatedVideoDriverTest {
protected:
    SimulatedVideoDriverUvc15Test() {
        camera.setVideoControl({0x0150});
        Control powerLine = camera.control(pu, 0x05);
        powerLine.max = powerLine.cur = {0x03};
        camera.setControl(pu, 0x05, powerLine);
    }
};

} // namespace

TEST_F(SimulatedVideoDriverUvc15Test, PowerLineFrequencyOffersAutoAndTakesIt) {
    const auto [lines, status] = v4l2Ctl({"--list-ctrls-menus"});
    ASSERT_EQ(status, 0);
    EXPECT_TRUE(holds(lines, "power_line_frequency 0x00980918 (menu)   : min=0 max=3"));
    EXPECT_TRUE(holds(lines, "3: Auto"));
    EXPECT_EQ(v4l2Ctl({"--set-ctrl", "power_line_frequency=1"}).second, 0);
    EXPECT_EQ(camera.current(pu, 0x05), Bytes{0x01});
    EXPECT_EQ(v4l2Ctl({"--set-ctrl", "power_line_frequency=3"}).second, 0);
    EXPECT_EQ(camera.current(pu, 0x05), Bytes{0x03});
}

// The metadata node beside the capture node: no video capture, no controls.
TEST_F(SimulatedVideoDriverTest, TheMetadataNodeCapturesNoVideoAndHasNoControls) {
    const auto [info, infoStatus] = v4l2Ctl({"--info"}, "/dev/video3");
    ASSERT_EQ(infoStatus, 0);
    EXPECT_TRUE(holds(info, "Metadata Capture"));
    const auto [controls, listed] = v4l2Ctl({"--list-ctrls"}, "/dev/video3");
    EXPECT_FALSE(holds(controls, "brightness"));
    EXPECT_NE(v4l2Ctl({"--get-ctrl", "brightness"}, "/dev/video3").second, 0);
    EXPECT_TRUE(holds(v4l2Ctl({"--list-ctrls"}).first, "brightness"));
}

TEST_F(SimulatedVideoDriverTest, ListsTheControlsMenusAndInactiveFlagsOfAUvcCamera) {
    camera.setCurrent(ct, 0x02, {0x08}); // aperture priority: exposure time is the camera's
    camera.setCurrent(pu, 0x0B, {0x01}); // automatic white balance
    const auto [lines, status] = v4l2Ctl({"--list-ctrls-menus"});
    ASSERT_EQ(status, 0);
    auto lineOf = [&](const std::string& start) {
        const auto found = std::ranges::find_if(
            lines, [&](const std::string& line) { return line.find(start) != std::string::npos; });
        return found == lines.end() ? std::string() : *found;
    };
    struct Listed {
        std::string line; // what the line holds
        bool inactive;
    };
    const Listed listed[] = {
        {"brightness 0x00980900 (int)    : min=-64 max=64", false},
        {"contrast 0x00980901 (int)", false},
        {"saturation 0x00980902 (int)", false},
        {"hue 0x00980903 (int)", false},
        {"white_balance_automatic 0x0098090c (bool)", false},
        {"gamma 0x00980910 (int)", false},
        {"gain 0x00980913 (int)", false},
        {"power_line_frequency 0x00980918 (menu)   : min=0 max=2", false},
        {"white_balance_temperature 0x0098091a (int)", true},
        {"sharpness 0x0098091b (int)", false},
        {"backlight_compensation 0x0098091c (int)", false},
        {"auto_exposure 0x009a0901 (menu)   : min=0 max=3 default=3 value=3", false},
        {"exposure_time_absolute 0x009a0902 (int)", true},
        {"1: Manual Mode", false},
        {"3: Aperture Priority Mode", false},
        {"2: 60 Hz", false},
    };
    for (const auto& [start, inactive] : listed) {
        SCOPED_TRACE(start);
        const std::string line = lineOf(start);
        ASSERT_FALSE(line.empty());
        EXPECT_EQ(line.ends_with("flags=inactive"), inactive);
    }
}

// uvc_ctrl_is_accessible: exposure time only in manual exposure, temperature only without
// automatic white balance, hue only without automatic hue, focus only without autofocus; once
// the master is set by hand the same write is taken.
TEST_F(SimulatedVideoDriverTest, SetCtrlMeetsTheDriversRefusals) {
    camera.setCurrent(ct, 0x02, {0x08});
    camera.setCurrent(pu, 0x0B, {0x01});
    struct Write {
        std::string control;
        uint8_t unit, selector;
        Bytes taken; // the control's bytes afterwards
        bool refused;
    };
    const Write writes[] = {
        {"exposure_time_absolute=500", ct, 0x04, {156, 0, 0, 0}, true},
        {"white_balance_temperature=5000", pu, 0x0A, {0xF8, 0x11}, true},
        {"auto_exposure=1", ct, 0x02, {0x01}, false},
        {"exposure_time_absolute=500", ct, 0x04, {0xF4, 0x01, 0, 0}, false},
        {"white_balance_automatic=0", pu, 0x0B, {0x00}, false},
        {"white_balance_temperature=5000", pu, 0x0A, {0x88, 0x13}, false},
        {"power_line_frequency=3", pu, 0x05, {0x01}, true},
        {"hue_automatic=1", pu, 0x10, {0x01}, false},
        {"hue=10", pu, 0x06, {0x00, 0x00}, true},
        {"hue_automatic=0", pu, 0x10, {0x00}, false},
        {"hue=10", pu, 0x06, {0x0A, 0x00}, false},
        {"focus_absolute=20", ct, 0x06, {0x00, 0x00}, true},
        {"focus_automatic_continuous=0", ct, 0x08, {0x00}, false},
        {"focus_absolute=20", ct, 0x06, {0x14, 0x00}, false},
    };
    for (const auto& [control, unit, selector, taken, refused] : writes) {
        SCOPED_TRACE(control);
        const auto [lines, status] = v4l2Ctl({"--set-ctrl", control});
        EXPECT_EQ(status != 0, refused);
        EXPECT_EQ(camera.current(unit, selector), taken);
    }
}

} // namespace sim
