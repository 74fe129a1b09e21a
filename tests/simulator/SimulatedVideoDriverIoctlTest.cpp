// The driver-bound camera's capture node met through its ioctls, as 6.1.194's uvcvideo answers
// them: the camera's GET_INFO deciding what the driver caches and refuses, short replies, and the
// driver's own timeout.
#include "support/SimulatedCamera.h"

#include <gtest/gtest.h>
#include <linux/uvcvideo.h>
#include <linux/videodev2.h>

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <optional>
#include <sys/ioctl.h>
#include <unistd.h>

namespace sim {

namespace {

using namespace std::chrono_literals;
using Bytes = std::vector<uint8_t>;

constexpr uint8_t ct = SimulatedCamera::cameraTerminal;
constexpr uint8_t pu = SimulatedCamera::processingUnit;
constexpr uint8_t xu = SimulatedCamera::extensionUnit;
constexpr uint8_t getCur = 0x81, getInfo = 0x86, setCur = 0x01;

class SimulatedVideoDriverIoctlTest : public ::testing::Test {
protected:
    SimulatedVideoDriverIoctlTest() { camera.bindDriver(); }
    ~SimulatedVideoDriverIoctlTest() override { closeNode(); }

    void plugAndOpen() {
        camera.plug();
        node = ::open("/dev/video0", O_RDWR);
        ASSERT_GE(node, 0);
    }
    void closeNode() {
        if (node >= 0)
            ::close(node);
        node = -1;
    }
    // The ioctl's result, or -errno.
    int control(unsigned long request, void* argument) const {
        const int result = ::ioctl(node, request, argument);
        return result < 0 ? -errno : result;
    }
    std::pair<int, int32_t> get(uint32_t id) const {
        v4l2_control value{id, 0};
        const int result = control(VIDIOC_G_CTRL, &value);
        return {result, value.value};
    }
    int set(uint32_t id, int32_t to) const {
        v4l2_control value{id, to};
        return control(VIDIOC_S_CTRL, &value);
    }
    int queryButton(uint8_t query, Bytes& data) const {
        uvc_xu_control_query xu{};
        xu.unit = SimulatedCamera::extensionUnit;
        xu.selector = SimulatedCamera::buttonSelector;
        xu.query = query;
        xu.size = static_cast<uint16_t>(data.size());
        xu.data = data.data();
        return control(UVCIOC_CTRL_QUERY, &xu);
    }

    SimulatedCamera camera;
    int node = -1;
};

} // namespace

// uvc_ctrl_get_flags: the camera's GET_INFO, read at probe, replaces the table's get, set and
// auto-update flags (the table's stand when GET_INFO fails). A value the camera changes is seen
// on the next read only for an auto-update control; a control without get or set is refused
// (EACCES) and flagged so.
TEST_F(SimulatedVideoDriverIoctlTest, TheCamerasGetInfoDecidesWhatIsCachedAndRefused) {
    struct Case {
        const char* name;
        uint8_t unit, selector;
        uint32_t id;
        std::optional<uint8_t> info; // none: GET_INFO stalls
        bool seen;                   // a change by the camera, on the next read
        int readResult, writeResult;
        uint32_t flags;
    };
    const Case cases[] = {
        {"brightness", pu, 0x02, V4L2_CID_BRIGHTNESS, 0x03, false, 0, 0, 0},
        {"hue, auto-update by the table only", pu, 0x06, V4L2_CID_HUE, 0x03, false, 0, 0, 0},
        {"hue, GET_INFO failing", pu, 0x06, V4L2_CID_HUE, std::nullopt, true, 0, 0, 0},
        {"gain, auto-update by the camera", pu, 0x04, V4L2_CID_GAIN, 0x0B, true, 0, 0, 0},
        {"gain, set only", pu, 0x04, V4L2_CID_GAIN, 0x02, false, -EACCES, 0,
         V4L2_CTRL_FLAG_WRITE_ONLY},
        {"gain, get only", pu, 0x04, V4L2_CID_GAIN, 0x01, false, 0, -EACCES,
         V4L2_CTRL_FLAG_READ_ONLY},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Control model = camera.control(c.unit, c.selector);
        const Control before = model;
        model.info = c.info.value_or(0x03);
        camera.setControl(c.unit, c.selector, model);
        if (!c.info)
            camera.inject({.bRequest = getInfo, .unit = c.unit, .selector = c.selector});
        plugAndOpen();
        camera.clearFaults();
        const auto [read, value] = get(c.id);
        EXPECT_EQ(read, c.readResult);
        Bytes changed = model.cur;
        changed[0] ^= 0x01;
        camera.setCurrent(c.unit, c.selector, changed);
        if (read == 0) {
            EXPECT_EQ(get(c.id).second, c.seen ? (value ^ 0x01) : value);
        }
        EXPECT_EQ(set(c.id, value), c.writeResult);
        v4l2_queryctrl query{};
        query.id = c.id;
        EXPECT_EQ(control(VIDIOC_QUERYCTRL, &query), 0);
        EXPECT_EQ(query.flags & (V4L2_CTRL_FLAG_READ_ONLY | V4L2_CTRL_FLAG_WRITE_ONLY), c.flags);
        closeNode();
        camera.unplug();
        camera.setControl(c.unit, c.selector, before);
    }
}

// __uvc_ctrl_commit sends the changed controls unit by unit along the chain, the processing unit
// before the camera terminal: a failure keeps what was sent before it and takes back its own and
// every later change, in the driver's copies too, so that no later request sends them.
TEST_F(SimulatedVideoDriverIoctlTest, AFailedWriteOfTwoControlsTakesBackOnlyWhatFollowsIt) {
    for (const auto& [stalled, brightness] : {std::pair{ct, 12}, std::pair{pu, 0}}) {
        SCOPED_TRACE(static_cast<int>(stalled));
        plugAndOpen();
        camera.inject({.bRequest = setCur, .unit = stalled});
        v4l2_ext_control values[2]{};
        values[0].id = V4L2_CID_EXPOSURE_AUTO;
        values[0].value = V4L2_EXPOSURE_MANUAL;
        values[1].id = V4L2_CID_BRIGHTNESS;
        values[1].value = 12;
        v4l2_ext_controls request{};
        request.which = V4L2_CTRL_WHICH_CUR_VAL;
        request.count = 2;
        request.controls = values;
        EXPECT_LT(control(VIDIOC_S_EXT_CTRLS, &request), 0);
        camera.clearFaults();
        EXPECT_EQ(set(V4L2_CID_CONTRAST, 60), 0); // sends no change taken back
        EXPECT_EQ(camera.current(pu, 0x02), (Bytes{static_cast<uint8_t>(brightness), 0}));
        EXPECT_EQ(camera.current(ct, 0x02), Bytes{0x08});
        EXPECT_EQ(get(V4L2_CID_EXPOSURE_AUTO).second, 3); // aperture priority, as before
        closeNode();
        camera.unplug();
        camera.setCurrent(pu, 0x02, {0x00, 0x00});
    }
}

// uvc_query_ctrl answers a short reply with its byte count, which the extension-unit query hands
// on, with the whole of the driver's buffer: beyond the reply, what the allocation held (here
// the command written just before). A reply of no bytes looks whole.
TEST_F(SimulatedVideoDriverIoctlTest, AShortVendorReplyIsHandedOnWithTheDriversStaleBytes) {
    camera.setCurrent(xu, SimulatedCamera::buttonSelector, {0x12, 0x34, 0x19, 0x56});
    plugAndOpen();
    const struct {
        int length;
        int result;
        Bytes data;
    } replies[] = {
        {4, 0, {0x12, 0x34, 0x19, 0x56}},
        {3, 3, {0x12, 0x34, 0x19, 0xFF}},
        {1, 1, {0x12, 0x10, 0x00, 0xFF}},
        {0, 0, {0x05, 0x10, 0x00, 0xFF}},
    };
    for (const auto& [length, result, data] : replies) {
        SCOPED_TRACE(length);
        Bytes command{0x05, 0x10, 0x00, 0xFF};
        ASSERT_EQ(queryButton(setCur, command), 0);
        camera.inject({.kind = FaultKind::shortReply,
                       .shortLength = length,
                       .once = true,
                       .bRequest = getCur,
                       .unit = xu});
        Bytes reply(4, 0xAA);
        EXPECT_EQ(queryButton(getCur, reply), result);
        EXPECT_EQ(reply, data);
    }
}

// __uvc_ctrl_load_cur takes a short GET_CUR as the value: the bytes the camera sent over those
// the driver held from its last read.
TEST_F(SimulatedVideoDriverIoctlTest, AShortReadOfAControlIsDecodedOverTheDriversLastCopy) {
    camera.setCurrent(ct, 0x04, {0x10, 0x20, 0x30, 0x00});
    plugAndOpen();
    EXPECT_EQ(get(V4L2_CID_EXPOSURE_ABSOLUTE), (std::pair{0, 0x302010}));
    camera.setCurrent(ct, 0x04, {0x01, 0x02, 0x03, 0x00});
    camera.inject({.kind = FaultKind::shortReply, .shortLength = 2, .once = true});
    EXPECT_EQ(get(V4L2_CID_EXPOSURE_ABSOLUTE), (std::pair{0, 0x300201}));
}

// UVC_CTRL_CONTROL_TIMEOUT is 5 s, and the driver waits as long as the test shortened it to.
TEST_F(SimulatedVideoDriverIoctlTest, TheDriverWaitsItsControlTimeoutForTheCamera) {
    EXPECT_EQ(camera.driverTimeout(), 5000ms);
    plugAndOpen();
    for (const auto& transfer : camera.transfers()) // the probe's
        EXPECT_EQ(transfer.timeoutMs, 5000u);
    camera.setDriverTimeout(40ms);
    camera.clearTransfers();
    camera.inject({.kind = FaultKind::timeout, .once = true, .bRequest = getCur});
    EXPECT_EQ(get(V4L2_CID_BRIGHTNESS).first, -ETIMEDOUT);
    ASSERT_EQ(camera.transfers().size(), 1u);
    EXPECT_EQ(camera.transfers()[0].timeoutMs, 40u);
}

// As V4L2 answers on the node of a device that was unregistered: a file opened before an unplug
// fails with ENODEV, also once the camera is back, while a file opened after the re-plug works.
TEST_F(SimulatedVideoDriverIoctlTest, AFileOpenedBeforeAnUnplugStaysGoneAfterARePlug) {
    plugAndOpen();
    ASSERT_EQ(get(V4L2_CID_BRIGHTNESS).first, 0);
    camera.unplug();
    EXPECT_EQ(get(V4L2_CID_BRIGHTNESS).first, -ENODEV);
    camera.plug();
    EXPECT_EQ(get(V4L2_CID_BRIGHTNESS).first, -ENODEV);
    const int fresh = ::open("/dev/video0", O_RDWR);
    ASSERT_GE(fresh, 0);
    v4l2_control value{V4L2_CID_BRIGHTNESS, 0};
    EXPECT_EQ(::ioctl(fresh, VIDIOC_G_CTRL, &value), 0);
    ::close(fresh);
}

} // namespace sim
