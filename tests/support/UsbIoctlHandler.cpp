#include "support/UsbIoctlHandler.h"

#include "support/IoctlNode.h"
#include "support/SimulatedTestbed.h"

#include <umockdev.h>

#include <stdexcept>

namespace sim {

namespace {

using WeakNode = std::weak_ptr<IoctlNode>;

// Each signal connection owns a weak reference to the node: a late call after the node has
// gone is simply not handled.
gboolean onIoctl(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer data) {
    std::shared_ptr<IoctlNode> node = static_cast<WeakNode*>(data)->lock();
    if (!node)
        return FALSE;
    node->handle(client);
    return TRUE;
}

void onConnected(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer data) {
    if (std::shared_ptr<IoctlNode> node = static_cast<WeakNode*>(data)->lock())
        node->opened(client);
}

void releaseNode(gpointer data, GClosure*) {
    delete static_cast<WeakNode*>(data);
}

gulong connectSignal(UMockdevIoctlBase* handler, const char* name, GCallback callback,
                     const std::shared_ptr<IoctlNode>& node) {
    return g_signal_connect_data(handler, name, callback, new WeakNode(node), releaseNode,
                                 GConnectFlags(0));
}

} // namespace

UsbIoctlHandler::UsbIoctlHandler(std::shared_ptr<SimulatedTestbed> testbed, std::string devnode,
                                 const std::shared_ptr<IoctlNode>& node)
    : testbed(std::move(testbed))
    , devnode(std::move(devnode))
    , handler(umockdev_ioctl_base_new())
    , ioctlSignal(connectSignal(handler, "handle-ioctl", G_CALLBACK(onIoctl), node))
    , connectedSignal(connectSignal(handler, "client-connected", G_CALLBACK(onConnected), node)) {
    if (!this->testbed->attachIoctl(this->devnode, handler)) {
        g_signal_handler_disconnect(handler, ioctlSignal);
        g_signal_handler_disconnect(handler, connectedSignal);
        g_object_unref(handler);
        throw std::runtime_error("cannot attach an ioctl handler to " + this->devnode);
    }
}

UsbIoctlHandler::~UsbIoctlHandler() {
    testbed->detachIoctl(devnode);
    g_signal_handler_disconnect(handler, ioctlSignal);
    g_signal_handler_disconnect(handler, connectedSignal);
    g_object_unref(handler);
}

} // namespace sim
