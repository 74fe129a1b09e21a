// The simulated cameras as libuvc and libudev see them: lookup by ids, device strings, the
// video4linux nodes with their USB parents, and udev add/remove events.
#include "support/SimulatedCamera.h"

#include <gtest/gtest.h>
#include <libudev.h>
#include <libuvc/libuvc.h>

#include <chrono>
#include <map>
#include <poll.h>
#include <string>

namespace sim {

namespace {

struct FoundCamera {
    bool found = false;
    std::string manufacturer{}, product{}, serial{};
};

FoundCamera findWithLibuvc(int vendorId, int productId) {
    FoundCamera result;
    uvc_context_t* context = nullptr;
    if (uvc_init(&context, nullptr) != UVC_SUCCESS)
        return result;
    uvc_device_t* device = nullptr;
    if (uvc_find_device(context, &device, vendorId, productId, nullptr) == UVC_SUCCESS) {
        result.found = true;
        uvc_device_descriptor_t* descriptor = nullptr;
        if (uvc_get_device_descriptor(device, &descriptor) == UVC_SUCCESS) {
            auto text = [](const char* s) { return std::string(s ? s : ""); };
            result.manufacturer = text(descriptor->manufacturer);
            result.product = text(descriptor->product);
            result.serial = text(descriptor->serialNumber);
            uvc_free_device_descriptor(descriptor);
        }
        uvc_unref_device(device);
    }
    uvc_exit(context);
    return result;
}

std::string text(const char* value) {
    return value ? value : "";
}

struct VideoNode {
    std::string syspath{}, devnode{}, name{}, capabilities{}, idPath{};
    std::string usbVendor{}, usbProduct{}, usbIdPath{};
};

// Every video4linux node, keyed by its name, with what its USB parent says.
std::map<std::string, VideoNode> videoNodes() {
    std::map<std::string, VideoNode> nodes;
    udev* context = udev_new();
    udev_enumerate* enumerate = udev_enumerate_new(context);
    udev_enumerate_add_match_subsystem(enumerate, "video4linux");
    udev_enumerate_scan_devices(enumerate);
    udev_list_entry* entry = nullptr;
    udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(enumerate)) {
        udev_device* device =
            udev_device_new_from_syspath(context, udev_list_entry_get_name(entry));
        if (!device)
            continue;
        VideoNode node{text(udev_device_get_syspath(device)), text(udev_device_get_devnode(device)),
                       text(udev_device_get_sysattr_value(device, "name")),
                       text(udev_device_get_property_value(device, "ID_V4L_CAPABILITIES")),
                       text(udev_device_get_property_value(device, "ID_PATH"))};
        // The parent belongs to the child: it is not unreferenced separately.
        if (udev_device* usb =
                udev_device_get_parent_with_subsystem_devtype(device, "usb", "usb_device")) {
            node.usbVendor = text(udev_device_get_sysattr_value(usb, "idVendor"));
            node.usbProduct = text(udev_device_get_sysattr_value(usb, "idProduct"));
            node.usbIdPath = text(udev_device_get_property_value(usb, "ID_PATH"));
        }
        nodes[node.name] = node;
        udev_device_unref(device);
    }
    udev_enumerate_unref(enumerate);
    udev_unref(context);
    return nodes;
}

struct Event {
    std::string action{}, syspath{}, devnode{};
};

// Events of a udev monitor on video4linux, read until `count` arrived or a second passed.
std::vector<Event> receive(udev_monitor* monitor, size_t count) {
    std::vector<Event> events;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (events.size() < count && std::chrono::steady_clock::now() < deadline) {
        pollfd fd{udev_monitor_get_fd(monitor), POLLIN, 0};
        if (poll(&fd, 1, 100) <= 0)
            continue;
        if (udev_device* device = udev_monitor_receive_device(monitor)) {
            events.push_back({text(udev_device_get_action(device)),
                              text(udev_device_get_syspath(device)),
                              text(udev_device_get_devnode(device))});
            udev_device_unref(device);
        }
    }
    return events;
}

} // namespace

TEST(SimulatedCameraDiscoveryTest, LibuvcFindsEachCameraByItsIds) {
    SimulatedCamera camera;
    EXPECT_FALSE(findWithLibuvc(SimulatedCamera::vendorId, SimulatedCamera::productId).found);

    camera.plugForeignCamera();
    EXPECT_FALSE(findWithLibuvc(SimulatedCamera::vendorId, SimulatedCamera::productId).found);
    FoundCamera foreign =
        findWithLibuvc(SimulatedCamera::foreignVendorId, SimulatedCamera::foreignProductId);
    EXPECT_TRUE(foreign.found);
    EXPECT_EQ(foreign.product, SimulatedCamera::foreignProductName);

    camera.plug();
    FoundCamera vistrel = findWithLibuvc(SimulatedCamera::vendorId, SimulatedCamera::productId);
    ASSERT_TRUE(vistrel.found);
    EXPECT_EQ(vistrel.product, "VISTREL");
    EXPECT_FALSE(vistrel.manufacturer.empty());
    EXPECT_FALSE(vistrel.serial.empty());
    bool readStrings = false;
    for (const auto& transfer : camera.transfers())
        readStrings |= transfer.bRequest == 0x06 && (transfer.wValue >> 8) == 0x03;
    EXPECT_TRUE(readStrings) << "libuvc reads the strings over the control pipe";
}

TEST(SimulatedCameraDiscoveryTest, LibudevListsTheVideoNodesWithTheirUsbParents) {
    SimulatedCamera camera;
    EXPECT_TRUE(videoNodes().empty());
    camera.plug();
    camera.plugForeignCamera();

    auto nodes = videoNodes();
    ASSERT_EQ(nodes.size(), 2u);
    const VideoNode& vistrel = nodes.at("VISTREL: USB Camera");
    EXPECT_EQ(vistrel.syspath, camera.videoNodeSysfsPath());
    EXPECT_EQ(vistrel.devnode, "/dev/video0");
    EXPECT_EQ(vistrel.capabilities, ":capture:");
    EXPECT_EQ(vistrel.usbVendor, "0c45");
    EXPECT_EQ(vistrel.usbProduct, "6366");
    EXPECT_EQ(vistrel.usbIdPath, "pci-0000:00:14.0-usb-0:1");
    EXPECT_EQ(vistrel.idPath, "pci-0000:00:14.0-usb-0:1:1.0");

    const VideoNode& foreign = nodes.at(SimulatedCamera::foreignProductName);
    EXPECT_EQ(foreign.syspath, camera.foreignVideoNodeSysfsPath());
    EXPECT_EQ(foreign.devnode, "/dev/video1");
    EXPECT_EQ(foreign.usbVendor, "046d");
    EXPECT_EQ(foreign.usbProduct, "0825");

    camera.unplugForeignCamera();
    nodes = videoNodes();
    ASSERT_EQ(nodes.size(), 1u);
    EXPECT_EQ(nodes.begin()->first, "VISTREL: USB Camera");
}

// uvc_probe names the nodes after the product string (else "UVC Camera (vvvv:pppp)"), then ": "
// and the string of the interface association's iFunction, else of the control interface's
// iInterface, all in 31 bytes.
TEST(SimulatedCameraDiscoveryTest, TheDriverNamesTheNodesFromTheDescriptors) {
    const struct {
        const char* product;
        const char* function;
        const char* controlInterface;
        const char* name;
    } cases[] = {
        {"VISTREL", "USB Camera", "Video Control", "VISTREL: USB Camera"},
        {"VISTREL", "", "Video Control", "VISTREL: Video Control"},
        {"VISTREL", "", "", "VISTREL"},
        {"VISTREL Intraoral Camera", "USB Camera", "", "VISTREL Intraoral Camera: USB C"},
        {"VISTREL Intraoral Camera HD 12", "USB Camera", "", "VISTREL Intraoral Camera HD 12:"},
        {"", "USB Camera", "", "UVC Camera (0c45:6366): USB Cam"},
    };
    for (const auto& [product, function, controlInterface, name] : cases) {
        SCOPED_TRACE(name);
        const UsbDescriptors descriptors(
            SimulatedCamera::vendorId, SimulatedCamera::productId,
            {"VISTREL Dental", product, "V1", function, controlInterface});
        EXPECT_EQ(descriptors.videoNodeName(), name);
    }
}

TEST(SimulatedCameraDiscoveryTest, UdevMonitorSeesTheVideoNodeComeAndGo) {
    SimulatedCamera camera;
    udev* context = udev_new();
    udev_monitor* monitor = udev_monitor_new_from_netlink(context, "udev");
    udev_monitor_filter_add_match_subsystem_devtype(monitor, "video4linux", nullptr);
    ASSERT_EQ(udev_monitor_enable_receiving(monitor), 0);

    for (int round = 0; round < 2; ++round) {
        camera.plug();
        auto added = receive(monitor, 1);
        ASSERT_EQ(added.size(), 1u);
        EXPECT_EQ(added[0].action, "add");
        EXPECT_EQ(added[0].syspath, camera.videoNodeSysfsPath());
        EXPECT_EQ(added[0].devnode, "/dev/video0");

        camera.unplug();
        auto removed = receive(monitor, 1);
        ASSERT_EQ(removed.size(), 1u);
        EXPECT_EQ(removed[0].action, "remove");
        EXPECT_EQ(removed[0].syspath, camera.videoNodeSysfsPath());
    }
    udev_monitor_unref(monitor);
    udev_unref(context);
}

} // namespace sim
