#include "support/UsbDeviceNode.h"

#include "support/ResolvedIoctlData.h"
#include "support/SimulatedControlEndpoint.h"

#include <libusb.h>
#include <linux/ioctl.h>
#include <linux/usbdevice_fs.h>
#include <umockdev.h>

#include <cerrno>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <optional>

namespace sim {

namespace {

constexpr size_t setupSize = 8;

void fail(UMockdevIoctlClient* client, int error) {
    umockdev_ioctl_client_complete(client, -1, error);
}

void succeed(UMockdevIoctlClient* client) {
    umockdev_ioctl_client_complete(client, 0, 0);
}

uint16_t word(const uint8_t* bytes) {
    return static_cast<uint16_t>(bytes[0] | bytes[1] << 8);
}

ControlTransfer setupOf(const uint8_t* buffer) {
    ControlTransfer request;
    request.bmRequestType = buffer[0];
    request.bRequest = buffer[1];
    request.wValue = word(buffer + 2);
    request.wIndex = word(buffer + 4);
    request.wLength = word(buffer + 6);
    return request;
}

void answerCapabilities(UMockdevIoctlClient* client) {
    ResolvedIoctlData caps(umockdev_ioctl_client_get_arg(client), 0, sizeof(uint32_t));
    if (!caps.data)
        return fail(client, EFAULT);
    uint32_t bits = USBDEVFS_CAP_BULK_CONTINUATION | USBDEVFS_CAP_NO_PACKET_SIZE_LIM |
                    USBDEVFS_CAP_REAP_AFTER_DISCONNECT | USBDEVFS_CAP_ZERO_PACKET;
    std::memcpy(caps.bytes(), &bits, sizeof bits);
    succeed(client);
}

// Where libusb keeps its public record of a transfer, past the private record that it hands the
// kernel as the URB's user context: libusb 1.0.26 on 64-bit Linux allocates both together, the
// private one (struct usbi_transfer, 128 bytes) first.
constexpr size_t publicTransferOffset = 128;

// The timeout libusb gave the transfer behind a URB, read from libusb's record of it; none
// when the record there does not name the URB's buffer (a libusb laid out otherwise).
std::optional<unsigned> transferTimeout(UMockdevIoctlData* urbData, uint64_t buffer) {
    ResolvedIoctlData context(urbData, offsetof(usbdevfs_urb, usercontext),
                              publicTransferOffset + sizeof(libusb_transfer));
    if (!context.data)
        return std::nullopt;
    libusb_transfer transfer;
    std::memcpy(&transfer, context.bytes() + publicTransferOffset, sizeof transfer);
    uint64_t transferBuffer = 0;
    std::memcpy(&transferBuffer,
                context.bytes() + publicTransferOffset + offsetof(libusb_transfer, buffer),
                sizeof(void*));
    if (transfer.type != LIBUSB_TRANSFER_TYPE_CONTROL || transferBuffer != buffer)
        return std::nullopt;
    return transfer.timeout;
}

} // namespace

struct UsbDeviceNode::OpenFile {
    OpenFile(UMockdevIoctlClient* client, unsigned generation);
    ~OpenFile();
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    bool is(UMockdevIoctlClient* client);

    GWeakRef client;
    unsigned generation;
    UsbUrbQueue urbs;
};

UsbDeviceNode::OpenFile::OpenFile(UMockdevIoctlClient* client, unsigned generation)
    : generation(generation) {
    g_weak_ref_init(&this->client, client);
}

UsbDeviceNode::OpenFile::~OpenFile() {
    g_weak_ref_clear(&client);
}

bool UsbDeviceNode::OpenFile::is(UMockdevIoctlClient* other) {
    gpointer object = g_weak_ref_get(&client);
    if (!object)
        return false;
    g_object_unref(object);
    return object == other;
}

UsbDeviceNode::UsbDeviceNode(std::shared_ptr<SimulatedControlEndpoint> endpoint)
    : endpoint(std::move(endpoint)) {}

UsbDeviceNode::~UsbDeviceNode() = default;

void UsbDeviceNode::connect() {
    std::lock_guard lock(mutex);
    ++generation;
    plugged = true;
}

void UsbDeviceNode::disconnect() {
    std::lock_guard lock(mutex);
    plugged = false;
}

void UsbDeviceNode::bindDriver() {
    std::lock_guard lock(mutex);
    driverBound = true;
}

int UsbDeviceNode::detachments() const {
    std::lock_guard lock(mutex);
    return detachCount;
}

// Interfaces 0 and 1 are the driver's; the name goes into the caller's structure.
void UsbDeviceNode::answerDriver(UMockdevIoctlClient* client) {
    ResolvedIoctlData argument(umockdev_ioctl_client_get_arg(client), 0,
                               sizeof(usbdevfs_getdriver));
    if (!argument.data)
        return fail(client, EFAULT);
    auto* driver = reinterpret_cast<usbdevfs_getdriver*>(argument.bytes());
    if (!driverBound || driver->interface > 1)
        return fail(client, ENODATA);
    std::strncpy(driver->driver, "uvcvideo", sizeof driver->driver - 1);
    succeed(client);
}

// USBDEVFS_IOCTL carries a DISCONNECT (or CONNECT); DISCONNECT_CLAIM detaches and claims.
void UsbDeviceNode::detach(UMockdevIoctlClient* client) {
    if (!driverBound)
        return umockdev_ioctl_client_get_request(client) == USBDEVFS_IOCTL ? fail(client, ENODATA)
                                                                           : succeed(client);
    ++detachCount;
    driverBound = false;
    succeed(client);
}

// The kernel checks the recipient of a request: one addressed to an interface the driver holds,
// or to one of its endpoints, needs that interface claimed, which the driver prevents.
bool UsbDeviceNode::refusedByDriver(const uint8_t* setup) const {
    const uint8_t recipient = setup[0] & 0x1F;
    const uint8_t index = setup[4];
    return driverBound &&
           ((recipient == 1 && index <= 1) || (recipient == 2 && (index & 0x7F) != 0));
}

void UsbDeviceNode::opened(UMockdevIoctlClient* client) {
    std::lock_guard lock(mutex);
    files.remove_if([](OpenFile& file) {
        gpointer object = g_weak_ref_get(&file.client);
        if (object)
            g_object_unref(object);
        return object == nullptr;
    });
    files.emplace_back(client, generation);
}

void UsbDeviceNode::handle(UMockdevIoctlClient* client) {
    std::lock_guard lock(mutex);
    OpenFile& open = file(client);
    if (plugged && open.generation == generation)
        answer(client, open);
    else
        answerGone(client, open);
}

UsbDeviceNode::OpenFile& UsbDeviceNode::file(UMockdevIoctlClient* client) {
    for (OpenFile& open : files) {
        if (open.is(client))
            return open;
    }
    // Opened before this node learnt of it: it belongs to the device present now.
    return files.emplace_back(client, generation);
}

void UsbDeviceNode::answer(UMockdevIoctlClient* client, OpenFile& file) {
    switch (umockdev_ioctl_client_get_request(client)) {
    case USBDEVFS_GET_CAPABILITIES:
        return answerCapabilities(client);
    case USBDEVFS_GETDRIVER:
        return answerDriver(client);
    case USBDEVFS_IOCTL:
    case USBDEVFS_DISCONNECT_CLAIM:
        return detach(client);
    case USBDEVFS_CLAIMINTERFACE:
        if (driverBound)
            return fail(client, EBUSY);
        return succeed(client);
    case USBDEVFS_RELEASEINTERFACE:
    case USBDEVFS_SETINTERFACE:
    case USBDEVFS_SETCONFIGURATION:
    case USBDEVFS_CLEAR_HALT:
    case USBDEVFS_RESETEP:
    case USBDEVFS_RESET:
        return succeed(client);
    case USBDEVFS_SUBMITURB:
        return submit(client, file);
    case USBDEVFS_REAPURB:
    case USBDEVFS_REAPURBNDELAY:
        if (auto urb = file.urbs.takeCompleted(UsbUrbQueue::Clock::now()))
            return reap(client, std::move(*urb));
        return fail(client, EAGAIN);
    case USBDEVFS_DISCARDURB:
        return discard(client, file);
    default:
        std::fprintf(stderr, "simulated usbfs: unsupported ioctl 0x%lx\n",
                     umockdev_ioctl_client_get_request(client));
        return fail(client, ENOTTY);
    }
}

// The device went away: URBs still pending come back as failed, everything else is ENODEV.
void UsbDeviceNode::answerGone(UMockdevIoctlClient* client, OpenFile& file) {
    gulong request = umockdev_ioctl_client_get_request(client);
    if (request == USBDEVFS_REAPURB || request == USBDEVFS_REAPURBNDELAY) {
        if (auto urb = file.urbs.takeOldest()) {
            urb->status = -ENODEV;
            urb->actualLength = 0;
            urb->data.clear();
            return reap(client, std::move(*urb));
        }
    }
    fail(client, ENODEV);
}

void UsbDeviceNode::submit(UMockdevIoctlClient* client, OpenFile& file) {
    ResolvedIoctlData urbData(umockdev_ioctl_client_get_arg(client), 0, sizeof(usbdevfs_urb));
    if (!urbData.data)
        return fail(client, EFAULT);
    const auto* urb = reinterpret_cast<const usbdevfs_urb*>(urbData.bytes());
    auto length = static_cast<size_t>(urb->buffer_length);
    if (urb->type != USBDEVFS_URB_TYPE_CONTROL || urb->buffer_length < 0 || length < setupSize) {
        std::fprintf(stderr, "simulated usbfs: only control URBs are supported\n");
        return fail(client, EINVAL);
    }
    uint64_t address = urbData.data->client_addr;
    uint64_t clientBuffer = 0;
    std::memcpy(&clientBuffer, urbData.bytes() + offsetof(usbdevfs_urb, buffer), sizeof(void*));
    const std::optional<unsigned> timeout = transferTimeout(urbData.data, clientBuffer);
    ResolvedIoctlData buffer(urbData.data, offsetof(usbdevfs_urb, buffer), length);
    if (!buffer.data)
        return fail(client, EFAULT);
    if (refusedByDriver(buffer.bytes()))
        return fail(client, EBUSY); // the kernel cannot claim the driver's interface for us
    ControlTransfer request = setupOf(buffer.bytes());
    request.timeoutMs = timeout;
    if (setupSize + request.wLength > length)
        return fail(client, EINVAL);
    if (!(request.bmRequestType & 0x80))
        request.data.assign(buffer.bytes() + setupSize,
                            buffer.bytes() + setupSize + request.wLength);

    SimulatedControlEndpoint::Outcome outcome = endpoint->transfer(std::move(request));
    if (outcome.submitErrno)
        return fail(client, outcome.submitErrno);
    file.urbs.push(UsbUrbQueue::Urb{address, UsbUrbQueue::Clock::now() + outcome.delay,
                                    outcome.completes, outcome.status, outcome.actualLength,
                                    std::move(outcome.data)});
    succeed(client);
}

// Hands `urb` back: the client's pointer is set to it, its status, length and data filled in.
void UsbDeviceNode::reap(UMockdevIoctlClient* client, UsbUrbQueue::Urb urb) {
    ResolvedIoctlData pointer(umockdev_ioctl_client_get_arg(client), 0, sizeof(void*));
    if (!pointer.data)
        return fail(client, EFAULT);
    std::memcpy(pointer.bytes(), &urb.address, sizeof(void*));
    ResolvedIoctlData urbData(pointer.data, 0, sizeof(usbdevfs_urb));
    if (!urbData.data)
        return fail(client, EFAULT);
    auto* reaped = reinterpret_cast<usbdevfs_urb*>(urbData.bytes());
    reaped->status = urb.status;
    reaped->actual_length = urb.actualLength;
    if (!urb.data.empty()) {
        auto length = static_cast<size_t>(reaped->buffer_length);
        ResolvedIoctlData buffer(urbData.data, offsetof(usbdevfs_urb, buffer), length);
        if (buffer.data && setupSize + urb.data.size() <= length)
            std::memcpy(buffer.bytes() + setupSize, urb.data.data(), urb.data.size());
    }
    succeed(client);
}

void UsbDeviceNode::discard(UMockdevIoctlClient* client, OpenFile& file) {
    uint64_t address = 0;
    std::memcpy(&address, umockdev_ioctl_client_get_arg(client)->data, sizeof(void*));
    if (file.urbs.discard(address))
        return succeed(client);
    fail(client, EINVAL);
}

} // namespace sim
