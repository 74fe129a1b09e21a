// Control transfers to the simulated camera through the real libusb: the model's answers,
// SET_CUR, stalls, injected faults and the transfer log.
#include "support/SimulatedCamera.h"

#include <gtest/gtest.h>
#include <libusb.h>

#include <cerrno>
#include <chrono>
#include <future>
#include <thread>

namespace sim {

namespace {

using Bytes = std::vector<uint8_t>;
using Clock = std::chrono::steady_clock;

constexpr uint8_t setCur = 0x01, getCur = 0x81, getMin = 0x82, getMax = 0x83, getRes = 0x84,
                  getLen = 0x85, getInfo = 0x86, getDef = 0x87;
constexpr uint8_t ct = SimulatedCamera::cameraTerminal;
constexpr uint8_t pu = SimulatedCamera::processingUnit;
constexpr uint8_t xu = SimulatedCamera::extensionUnit;
constexpr uint8_t aeMode = 0x02, exposureTime = 0x04, brightness = 0x02, whiteBalance = 0x0A,
                  powerLine = 0x05;
constexpr uint8_t button = SimulatedCamera::buttonSelector;
constexpr uint8_t firmware = SimulatedCamera::firmwareSelector;

class SimulatedCameraTransferTest : public ::testing::Test {
protected:
    void SetUp() override {
        camera.plug();
        ASSERT_EQ(libusb_init(&context), 0);
        handle = open();
        ASSERT_NE(handle, nullptr);
    }

    void TearDown() override {
        for (libusb_device_handle* h : {handle, otherHandle}) {
            if (h)
                libusb_close(h);
        }
        libusb_exit(context);
    }

    libusb_device_handle* open() {
        return libusb_open_device_with_vid_pid(context, SimulatedCamera::vendorId,
                                               SimulatedCamera::productId);
    }

    static int get(libusb_device_handle* on, uint8_t request, uint8_t unit, uint8_t selector,
                   Bytes& data, unsigned timeout = 1000) {
        return libusb_control_transfer(on, 0xA1, request, static_cast<uint16_t>(selector << 8),
                                       static_cast<uint16_t>(unit << 8), data.data(),
                                       static_cast<uint16_t>(data.size()), timeout);
    }
    int get(uint8_t request, uint8_t unit, uint8_t selector, Bytes& data, unsigned timeout = 1000) {
        return get(handle, request, unit, selector, data, timeout);
    }
    int set(uint8_t unit, uint8_t selector, Bytes data) {
        return libusb_control_transfer(handle, 0x21, setCur, static_cast<uint16_t>(selector << 8),
                                       static_cast<uint16_t>(unit << 8), data.data(),
                                       static_cast<uint16_t>(data.size()), 1000);
    }

    SimulatedCamera camera;
    libusb_context* context = nullptr;
    libusb_device_handle* handle = nullptr;
    libusb_device_handle* otherHandle = nullptr;
};

} // namespace

TEST_F(SimulatedCameraTransferTest, GetRequestsAnswerTheModelsBytes) {
    Bytes four(4);
    EXPECT_EQ(get(getCur, ct, exposureTime, four), 4);
    EXPECT_EQ(four, (Bytes{156, 0, 0, 0}));
    EXPECT_EQ(get(getMax, ct, exposureTime, four), 4);
    EXPECT_EQ(four, (Bytes{0x10, 0x27, 0, 0}));

    Bytes two(2);
    EXPECT_EQ(get(getMin, pu, brightness, two), 2);
    EXPECT_EQ(two, (Bytes{0xC0, 0xFF})) << "-64, little-endian two's complement";
    EXPECT_EQ(get(getDef, pu, whiteBalance, two), 2);
    EXPECT_EQ(two, (Bytes{0xF8, 0x11})) << "4600";
    EXPECT_EQ(get(getLen, pu, brightness, two), 2);
    EXPECT_EQ(two, (Bytes{2, 0}));

    Bytes one(1);
    EXPECT_EQ(get(getInfo, pu, powerLine, one), 1);
    EXPECT_EQ(one, (Bytes{0x03}));
    EXPECT_EQ(get(getDef, ct, aeMode, one), 1);
    EXPECT_EQ(one, (Bytes{0x08}));
    EXPECT_EQ(get(getRes, ct, aeMode, one), 1);
    EXPECT_EQ(one, (Bytes{0x0F}));
}

TEST_F(SimulatedCameraTransferTest, SetCurIsLoggedAndBecomesTheCurrentValue) {
    camera.clearTransfers();
    EXPECT_EQ(set(pu, brightness, {0xFF, 0xFF}), 2);
    EXPECT_EQ(camera.current(pu, brightness), (Bytes{0xFF, 0xFF}));
    Bytes two(2);
    EXPECT_EQ(get(getCur, pu, brightness, two), 2);
    EXPECT_EQ(two, (Bytes{0xFF, 0xFF}));
    EXPECT_EQ(camera.control(pu, brightness).def, (Bytes{0, 0})) << "the default stays";

    auto log = camera.transfers();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].bmRequestType, 0x21);
    EXPECT_EQ(log[0].bRequest, setCur);
    EXPECT_EQ(log[0].wValue, 0x0200);
    EXPECT_EQ(log[0].wIndex, 0x0200);
    EXPECT_EQ(log[0].wLength, 2);
    EXPECT_EQ(log[0].data, (Bytes{0xFF, 0xFF}));
    EXPECT_EQ(log[0].result, 2);
    EXPECT_EQ(log[1].bRequest, getCur);
    EXPECT_EQ(log[1].data, (Bytes{0xFF, 0xFF})) << "an IN transfer logs what was answered";
    EXPECT_EQ(log[1].unit(), pu);
    EXPECT_EQ(log[1].selector(), brightness);
}

TEST_F(SimulatedCameraTransferTest, UnknownControlsAndWrongLengthsStall) {
    camera.clearTransfers();
    Bytes two(2), four(4), one(1);
    EXPECT_EQ(get(getCur, pu, 0x0C, two), LIBUSB_ERROR_PIPE) << "no such selector";
    EXPECT_EQ(get(getCur, 5, brightness, two), LIBUSB_ERROR_PIPE) << "no such unit";
    EXPECT_EQ(get(getCur, pu, brightness, four), LIBUSB_ERROR_PIPE) << "brightness is 2 bytes";
    EXPECT_EQ(set(pu, powerLine, {1, 0}), LIBUSB_ERROR_PIPE) << "power line is 1 byte";
    EXPECT_EQ(get(getMin, ct, aeMode, one), LIBUSB_ERROR_PIPE) << "a bitmap has no minimum";
    EXPECT_EQ(camera.current(pu, powerLine), (Bytes{1}));

    auto log = camera.transfers();
    ASSERT_EQ(log.size(), 5u);
    for (const auto& transfer : log) {
        EXPECT_EQ(transfer.result, -EPIPE);
        EXPECT_TRUE(transfer.data.empty() || transfer.bmRequestType == 0x21);
    }
}

TEST_F(SimulatedCameraTransferTest, StallAndShortReplyFaults) {
    camera.inject(Fault{.kind = FaultKind::stall, .once = true, .selector = brightness});
    camera.inject(Fault{.kind = FaultKind::shortReply, .shortLength = 1, .unit = ct});
    Bytes two{0xAA, 0xAA}, four{0xAA, 0xAA, 0xAA, 0xAA};
    EXPECT_EQ(get(getCur, pu, brightness, two), LIBUSB_ERROR_PIPE);
    EXPECT_EQ(get(getCur, pu, brightness, two), 2) << "a stall injected once is used up";
    EXPECT_EQ(get(getCur, ct, exposureTime, four), 1);
    EXPECT_EQ(four, (Bytes{156, 0xAA, 0xAA, 0xAA})) << "only the short reply arrives";
    EXPECT_EQ(get(getCur, ct, exposureTime, four), 1) << "a fault not injected once stays";

    camera.clearTransfers();
    EXPECT_EQ(set(ct, exposureTime, {0x10, 0x27, 0, 0}), 1);
    EXPECT_EQ(camera.current(ct, exposureTime), (Bytes{156, 0, 0, 0}))
        << "a short SET_CUR is not taken";
    ASSERT_EQ(camera.transfers().size(), 1u);
    EXPECT_EQ(camera.transfers()[0].result, 1);

    camera.clearFaults();
    EXPECT_EQ(get(getCur, ct, exposureTime, four), 4);
}

TEST_F(SimulatedCameraTransferTest, FaultsMatchOnlyTheirRequestCode) {
    camera.inject(Fault{.kind = FaultKind::stall, .bRequest = getDef});
    Bytes two(2);
    EXPECT_EQ(get(getDef, pu, brightness, two), LIBUSB_ERROR_PIPE);
    EXPECT_EQ(get(getCur, pu, brightness, two), 2);
    EXPECT_EQ(set(pu, brightness, {1, 0}), 2);
}

TEST_F(SimulatedCameraTransferTest, DisconnectFaultFailsTheTransferWithNoDevice) {
    camera.inject(Fault{.kind = FaultKind::disconnect, .once = true});
    camera.clearTransfers();
    Bytes two(2);
    EXPECT_EQ(get(getCur, pu, brightness, two), LIBUSB_ERROR_NO_DEVICE);
    EXPECT_EQ(set(pu, brightness, {1, 0}), 2) << "only the one transfer failed";
    ASSERT_EQ(camera.transfers().size(), 2u);
    EXPECT_EQ(camera.transfers()[0].result, -ENODEV);
}

TEST_F(SimulatedCameraTransferTest, TimeoutFaultTimesOutAfterTheTransfersTimeout) {
    camera.inject(Fault{.kind = FaultKind::timeout, .once = true, .selector = whiteBalance});
    camera.clearTransfers();
    Bytes two(2);
    auto start = Clock::now();
    EXPECT_EQ(get(getCur, pu, whiteBalance, two, 100), LIBUSB_ERROR_TIMEOUT);
    EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(100));
    ASSERT_EQ(camera.transfers().size(), 1u);
    EXPECT_EQ(camera.transfers()[0].result, -ETIMEDOUT);

    EXPECT_EQ(get(getCur, pu, whiteBalance, two), 2) << "the cancelled URB is out of the way";
    EXPECT_EQ(two, (Bytes{0xF8, 0x11}));
}

TEST_F(SimulatedCameraTransferTest, DelayFaultAnswersLate) {
    camera.inject(Fault{.kind = FaultKind::delay, .delayMs = 150});
    Bytes four(4);
    auto start = Clock::now();
    EXPECT_EQ(get(getCur, ct, exposureTime, four), 4);
    EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(150));
    EXPECT_EQ(four, (Bytes{156, 0, 0, 0}));
}

// libuvc opens a second handle on the camera: each open file reaps only its own URBs.
TEST_F(SimulatedCameraTransferTest, TwoHandlesReapTheirOwnTransfers) {
    otherHandle = open();
    ASSERT_NE(otherHandle, nullptr);
    camera.inject(Fault{.kind = FaultKind::delay, .delayMs = 200, .once = true, .unit = ct});
    auto slow = std::async(std::launch::async, [this] {
        Bytes four(4);
        int result = get(otherHandle, getCur, ct, exposureTime, four);
        return std::make_pair(result, four);
    });
    for (int i = 0; i < 5; ++i) {
        Bytes two(2);
        EXPECT_EQ(get(getDef, pu, whiteBalance, two), 2);
        EXPECT_EQ(two, (Bytes{0xF8, 0x11}));
    }
    auto [result, four] = slow.get();
    EXPECT_EQ(result, 4);
    EXPECT_EQ(four, (Bytes{156, 0, 0, 0}));
}

TEST_F(SimulatedCameraTransferTest, VendorUnitReportsTheFirmwareCode) {
    Bytes request{0xF1, 0x21, 0x91, 0x00, 0x00, 0x00, 0x3D, 0x00, 0xC0, 0x01, 0x3D};
    EXPECT_EQ(set(xu, firmware, request), 11);
    Bytes length(2);
    EXPECT_EQ(get(getLen, xu, firmware, length), 2);
    EXPECT_EQ(length, (Bytes{0x0B, 0x00}));
    Bytes reply = request;
    EXPECT_EQ(get(getCur, xu, firmware, reply), 11);
    EXPECT_EQ(reply[3], 0x35);

    camera.setFirmwareCode(0x36);
    EXPECT_EQ(set(xu, firmware, Bytes(11, 0xEE)), 11) << "any 11-byte payload is taken";
    EXPECT_EQ(get(getCur, xu, firmware, reply), 11);
    EXPECT_EQ(reply[3], 0x36) << "a vendor write is a command, not a new value";
}

TEST_F(SimulatedCameraTransferTest, VendorUnitAnswersScriptedButtonCodesThenTheIdleCode) {
    EXPECT_EQ(set(xu, button, {0x05, 0x10, 0x00, 0xFF}), 4);
    camera.scriptButtonCodes({0x19, 0x1D, 0x19});
    camera.inject(Fault{.kind = FaultKind::stall, .once = true, .bRequest = getCur, .unit = xu});
    Bytes reply(4);
    EXPECT_EQ(get(getCur, xu, button, reply), LIBUSB_ERROR_PIPE);
    std::vector<uint8_t> codes;
    for (int i = 0; i < 5; ++i) {
        reply.assign(4, 0);
        EXPECT_EQ(get(getCur, xu, button, reply), 4);
        codes.push_back(reply[2]);
    }
    EXPECT_EQ(codes, (Bytes{0x19, 0x1D, 0x19, 0x1D, 0x1D}))
        << "a stalled read uses up no scripted code";

    camera.setButtonCode(0x65);
    EXPECT_EQ(get(getCur, xu, button, reply), 4);
    EXPECT_EQ(reply[2], 0x65);
}

TEST_F(SimulatedCameraTransferTest, UnplugFailsTransfersOnOpenHandlesForGood) {
    camera.unplug();
    EXPECT_FALSE(camera.isPlugged());
    Bytes two(2);
    EXPECT_EQ(get(getCur, pu, brightness, two), LIBUSB_ERROR_NO_DEVICE);
    EXPECT_EQ(set(pu, brightness, {1, 0}), LIBUSB_ERROR_NO_DEVICE);
    EXPECT_EQ(open(), nullptr);

    camera.plug();
    EXPECT_EQ(get(getCur, pu, brightness, two), LIBUSB_ERROR_NO_DEVICE)
        << "a handle from before the unplug stays dead";
    otherHandle = open();
    ASSERT_NE(otherHandle, nullptr);
    EXPECT_EQ(get(otherHandle, getCur, pu, brightness, two), 2);
}

// A transfer in flight when the camera goes away ends at once instead of at its timeout.
TEST_F(SimulatedCameraTransferTest, UnplugEndsATransferInFlightWithNoDevice) {
    camera.inject(Fault{.kind = FaultKind::timeout});
    auto pending = std::async(std::launch::async, [this] {
        Bytes two(2);
        return get(getCur, pu, brightness, two, 30000);
    });
    while (camera.transfers().empty())
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    camera.unplug();
    EXPECT_EQ(pending.get(), LIBUSB_ERROR_NO_DEVICE);
}

TEST_F(SimulatedCameraTransferTest, ModelCanBeReshapedPerTest) {
    camera.setDefault(pu, brightness, {0x10, 0x00});
    Bytes two(2);
    EXPECT_EQ(get(getDef, pu, brightness, two), 2);
    EXPECT_EQ(two, (Bytes{0x10, 0x00}));

    Control unreadableDefault = camera.control(pu, whiteBalance);
    unreadableDefault.def.clear();
    camera.setControl(pu, whiteBalance, unreadableDefault);
    EXPECT_EQ(get(getDef, pu, whiteBalance, two), LIBUSB_ERROR_PIPE);
    EXPECT_EQ(get(getCur, pu, whiteBalance, two), 2);

    camera.setCurrent(ct, exposureTime, {0x10, 0x27, 0x00, 0x00});
    Bytes four(4);
    EXPECT_EQ(get(getCur, ct, exposureTime, four), 4);
    EXPECT_EQ(four, (Bytes{0x10, 0x27, 0x00, 0x00}));

    EXPECT_THROW(camera.setCurrent(pu, brightness, {1}), std::invalid_argument);
    EXPECT_THROW(camera.control(pu, 0x0C), std::out_of_range);
}

} // namespace sim
