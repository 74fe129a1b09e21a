#include "CameraTest.h"

#include <libusb.h>

#include <chrono>

namespace device {

namespace {

using Bytes = std::vector<uint8_t>;

const std::vector<std::string> noDeviceReport{
    "Unable to get value.",
    "libusb_control_transfer error: No such device (it may have been disconnected) (-4)"};

// The vendor queries on a libusb handle of the test's own.
class UVCExtensionUnitTest : public CameraTest {
protected:
    void SetUp() override {
        ASSERT_EQ(libusb_init(&context), 0);
        handle = libusb_open_device_with_vid_pid(context, 0x0C45, 0x6366);
        ASSERT_TRUE(handle);
        camera.clearTransfers();
    }
    void TearDown() override {
        if (handle) {
            libusb_close(handle);
        }
        libusb_exit(context);
    }

    // The class requests, after checking and leaving out the driver's GET_LEN and GET_INFO of
    // the selector's first use (uvc_ctrl_fill_xu_info).
    std::vector<sim::ControlTransfer> withoutFirstUse(int selector) const {
        auto requests = classRequests();
        if (viaDriver()) {
            EXPECT_GE(requests.size(), 2u);
            const Wire len{0xA1, 0x85, selector << 8, 0x0300, 2};
            const Wire info{0xA1, 0x86, selector << 8, 0x0300, 1};
            if (requests.size() >= 2 && wireOf(requests[0]) == len && wireOf(requests[1]) == info) {
                requests.erase(requests.begin(), requests.begin() + 2);
            } else {
                ADD_FAILURE() << "no GET_LEN and GET_INFO on first use";
            }
        }
        return requests;
    }

    libusb_context* context = nullptr;
    libusb_device_handle* handle = nullptr;
};

} // namespace

TEST_P(UVCExtensionUnitTest, ButtonQueryWritesItsRequestAndReadsTheThirdReplyByte) {
    camera.setButtonCode(0x2D);
    EXPECT_EQ(UVCDevice::getValue(handle), "2D");
    const auto requests = withoutFirstUse(1);
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(wireOf(requests[0]), (Wire{0x21, 0x01, 0x0100, 0x0300, 4}));
    EXPECT_EQ(requests[0].data, (Bytes{0x05, 0x10, 0x00, 0xFF}));
    EXPECT_EQ(wireOf(requests[1]), (Wire{0xA1, 0x81, 0x0100, 0x0300, 4}));
    camera.setButtonCode(0x0A);
    EXPECT_EQ(UVCDevice::getValue(handle), "0A");
    EXPECT_TRUE(output.lines().empty());
}

TEST_P(UVCExtensionUnitTest, FirmwareQueryWritesItsRequestAsksTheLengthAndReadsTheFourthByte) {
    camera.setFirmwareCode(0x35);
    EXPECT_EQ(UVCDevice::getFirmware(handle), "35");
    const auto requests = withoutFirstUse(3);
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(wireOf(requests[0]), (Wire{0x21, 0x01, 0x0300, 0x0300, 11}));
    EXPECT_EQ(requests[0].data,
              (Bytes{0xF1, 0x21, 0x91, 0x00, 0x00, 0x00, 0x3D, 0x00, 0xC0, 0x01, 0x3D}));
    EXPECT_EQ(wireOf(requests[1]), (Wire{0xA1, 0x85, 0x0300, 0x0300, 2}));
    EXPECT_EQ(wireOf(requests[2]), (Wire{0xA1, 0x81, 0x0300, 0x0300, 11}));
}

TEST_P(UVCExtensionUnitTest, AnUnpluggedCameraReadsZeroAfterReportingEveryFailedRequest) {
    camera.unplug();
    EXPECT_EQ(UVCDevice::getValue(handle), "00");
    auto expected = noDeviceReport;
    expected.insert(expected.end(), noDeviceReport.begin(), noDeviceReport.end());
    EXPECT_EQ(output.lines(), expected);
    output.clear();
    EXPECT_EQ(UVCDevice::getFirmware(handle), "00");
    expected.insert(expected.end(), noDeviceReport.begin(), noDeviceReport.end());
    EXPECT_EQ(output.lines(), expected);
}

// A reply shorter than asked for is a failed read, even where it holds the code's byte: none of
// its bytes count, the button code reads "00", the firmware the query's own byte (00), and
// nothing is printed. The driver hands a short reply on with its byte count.
TEST_P(UVCExtensionUnitTest, AReplyShorterThanAskedForIsNotRead) {
    camera.setButtonCode(0x19);
    camera.setFirmwareCode(0x35);
    const struct {
        uint8_t selector;
        int length;
        const char* code;
    } replies[] = {
        {1, 2, "00"}, {1, 3, "00"},  {1, 4, "19"},  {3, 3, "00"},
        {3, 4, "00"}, {3, 10, "00"}, {3, 11, "35"},
    };
    for (const auto& [selector, length, code] : replies) {
        SCOPED_TRACE(std::to_string(selector) + ": " + std::to_string(length) + " bytes");
        camera.clearFaults();
        camera.inject({.kind = sim::FaultKind::shortReply,
                       .shortLength = length,
                       .bRequest = 0x81,
                       .selector = selector});
        EXPECT_EQ(selector == 1 ? UVCDevice::getValue(handle) : UVCDevice::getFirmware(handle),
                  code);
    }
    EXPECT_TRUE(output.lines().empty());
}

// Each way a request can fail is reported with libusb's text and code; the query goes on. The
// driver asks GET_LEN itself on first use and refuses every query of a control whose GET_LEN
// fails (ENOENT); its timeout is shortened here. Over USB each request waits 1 s.
TEST_P(UVCExtensionUnitTest, AFailedLengthQueryIsReportedAndTheCodeStillRead) {
    const std::pair<sim::FaultKind, std::string> faults[] = {
        {sim::FaultKind::stall, "Pipe error (-9)"},
        {sim::FaultKind::disconnect, "No such device (it may have been disconnected) (-4)"},
        {sim::FaultKind::timeout, "Operation timed out (-7)"},
    };
    camera.setDriverTimeout(std::chrono::milliseconds(40));
    camera.setFirmwareCode(0x35);
    const std::string refused = "Operation not supported or "
                                "unimplemented on this platform (-12)";
    for (const auto& [kind, error] : faults) {
        SCOPED_TRACE(error);
        output.clear();
        camera.clearFaults();
        camera.clearTransfers();
        camera.inject({.kind = kind, .bRequest = 0x85});
        EXPECT_EQ(UVCDevice::getFirmware(handle), viaDriver() ? "00" : "35");
        std::vector<std::string> expected;
        for (int i = 0; i < (viaDriver() ? 3 : 1); ++i) {
            expected.insert(expected.end(),
                            {"Unable to get value.",
                             "libusb_control_transfer error: " + (viaDriver() ? refused : error)});
        }
        EXPECT_EQ(output.lines(), expected);
        for (const auto& request :
             viaDriver() ? std::vector<sim::ControlTransfer>{} : classRequests()) {
            EXPECT_EQ(request.timeoutMs, 1000u);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Routes, UVCExtensionUnitTest, bothRoutes, routeName);

} // namespace device
