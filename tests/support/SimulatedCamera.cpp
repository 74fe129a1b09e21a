#include "support/SimulatedCamera.h"

#include "support/SimulatedControlEndpoint.h"
#include "support/SimulatedControlModel.h"
#include "support/SimulatedTestbed.h"
#include "support/SimulatedUsbDevice.h"

#include <stdexcept>

namespace sim {

namespace {

// The camera names its function and its control interface as cameras of its chip do.
UsbDeviceIdentity vistrel(int port, int deviceNumber, int videoIndex, std::string serial) {
    return UsbDeviceIdentity{SimulatedCamera::vendorId,
                             SimulatedCamera::productId,
                             "VISTREL Dental",
                             SimulatedCamera::productName,
                             std::move(serial),
                             SimulatedCamera::functionName,
                             SimulatedCamera::functionName,
                             port,
                             deviceNumber,
                             videoIndex};
}

UsbDeviceIdentity behindHub() {
    UsbDeviceIdentity identity = vistrel(3, 6, 5, "V0000003");
    identity.hubPort = 1;
    identity.hubDeviceNumber = 5;
    return identity;
}

UsbDeviceIdentity foreign() {
    return UsbDeviceIdentity{SimulatedCamera::foreignVendorId,
                             SimulatedCamera::foreignProductId,
                             "Foreign Maker",
                             SimulatedCamera::foreignProductName,
                             "F0000001",
                             "",
                             "",
                             2,
                             3,
                             1};
}

} // namespace

SimulatedCamera::SimulatedCamera()
    : testbed(SimulatedTestbed::processWide())
    , camera(std::make_unique<SimulatedUsbDevice>(testbed, vistrel(1, 2, 0, "V0000001"),
                                                  SimulatedControlModel::vistrel()))
    , foreignCamera(
          std::make_unique<SimulatedUsbDevice>(testbed, foreign(), SimulatedControlModel()))
    , secondCamera(std::make_unique<SimulatedUsbDevice>(testbed, vistrel(3, 4, 2, "V0000002"),
                                                        SimulatedControlModel::vistrel()))
    , cameraBehindHub(std::make_unique<SimulatedUsbDevice>(testbed, behindHub(),
                                                           SimulatedControlModel::vistrel())) {}

SimulatedCamera::~SimulatedCamera() = default;

void SimulatedCamera::plug() {
    if (cameraBehindHub->isPlugged())
        throw std::logic_error("the hub of the camera behind it takes the camera's port");
    camera->plug();
}

void SimulatedCamera::unplug() {
    camera->unplug();
}

bool SimulatedCamera::isPlugged() const {
    return camera->isPlugged();
}

void SimulatedCamera::bindDriver(DriverBinding binding) {
    camera->bindDriver(binding);
}

void SimulatedCamera::numberVideoNodes(int capture, int metadata) {
    camera->numberVideoNodes(capture, metadata);
}

std::chrono::milliseconds SimulatedCamera::driverTimeout() const {
    return camera->driverTimeout();
}

void SimulatedCamera::setDriverTimeout(std::chrono::milliseconds timeout) {
    camera->setDriverTimeout(timeout);
}

void SimulatedCamera::setVideoControl(UsbDescriptors::VideoControl facts) {
    if (camera->isPlugged())
        throw std::logic_error("only while the camera is unplugged");
    camera->endpoint().setVideoControl(facts);
}

int SimulatedCamera::driverDetachments() const {
    return camera->driverDetachments();
}

void SimulatedCamera::setFunctionNames(std::string function, std::string controlInterface) {
    if (camera->isPlugged())
        throw std::logic_error("only while the camera is unplugged");
    camera->endpoint().setFunctionNames(std::move(function), std::move(controlInterface));
}

void SimulatedCamera::plugForeignCamera() {
    foreignCamera->plug();
}

void SimulatedCamera::unplugForeignCamera() {
    foreignCamera->unplug();
}

void SimulatedCamera::plugSecondCamera() {
    secondCamera->plug();
}

void SimulatedCamera::unplugSecondCamera() {
    secondCamera->unplug();
}

std::vector<ControlTransfer> SimulatedCamera::secondCameraTransfers() const {
    return secondCamera->endpoint().transfers();
}

void SimulatedCamera::scriptSecondCameraButtonCodes(std::vector<uint8_t> codes) {
    secondCamera->endpoint().withModel(
        [&](SimulatedControlModel& model) { model.scriptButtonCodes(std::move(codes)); });
}

void SimulatedCamera::bindSecondCameraDriver() {
    secondCamera->numberVideoNodes(2, 4); // beside the first camera's metadata node, video3
    secondCamera->bindDriver({});
}

void SimulatedCamera::plugCameraBehindHub() {
    if (camera->isPlugged())
        throw std::logic_error("the hub takes the port of the camera, which is plugged");
    cameraBehindHub->plug();
}

void SimulatedCamera::unplugCameraBehindHub() {
    cameraBehindHub->unplug();
}

std::vector<ControlTransfer> SimulatedCamera::cameraBehindHubTransfers() const {
    return cameraBehindHub->endpoint().transfers();
}

void SimulatedCamera::bindCameraBehindHubDriver() {
    cameraBehindHub->numberVideoNodes(5, 6);
    cameraBehindHub->bindDriver({});
}

Control SimulatedCamera::control(uint8_t unit, uint8_t selector) const {
    return camera->endpoint().withModel(
        [&](const SimulatedControlModel& model) { return model.control(unit, selector); });
}

void SimulatedCamera::setControl(uint8_t unit, uint8_t selector, Control control) {
    camera->endpoint().withModel([&](SimulatedControlModel& model) {
        model.setControl(unit, selector, std::move(control));
    });
}

std::vector<uint8_t> SimulatedCamera::current(uint8_t unit, uint8_t selector) const {
    return control(unit, selector).cur;
}

void SimulatedCamera::setCurrent(uint8_t unit, uint8_t selector, std::vector<uint8_t> bytes) {
    camera->endpoint().withModel(
        [&](SimulatedControlModel& model) { model.setCurrent(unit, selector, std::move(bytes)); });
}

void SimulatedCamera::setDefault(uint8_t unit, uint8_t selector, std::vector<uint8_t> bytes) {
    camera->endpoint().withModel(
        [&](SimulatedControlModel& model) { model.setDefault(unit, selector, std::move(bytes)); });
}

void SimulatedCamera::flagControlsAutoUpdate() {
    camera->endpoint().withModel([](SimulatedControlModel& model) { model.flagAutoUpdate(); });
}

void SimulatedCamera::setFirmwareCode(uint8_t code) {
    camera->endpoint().withModel(
        [&](SimulatedControlModel& model) { model.setFirmwareCode(code); });
}

void SimulatedCamera::setButtonCode(uint8_t code) {
    camera->endpoint().withModel([&](SimulatedControlModel& model) { model.setButtonCode(code); });
}

void SimulatedCamera::scriptButtonCodes(std::vector<uint8_t> codes) {
    camera->endpoint().withModel(
        [&](SimulatedControlModel& model) { model.scriptButtonCodes(std::move(codes)); });
}

std::vector<ControlTransfer> SimulatedCamera::transfers() const {
    return camera->endpoint().transfers();
}

void SimulatedCamera::clearTransfers() {
    camera->endpoint().clearTransfers();
}

void SimulatedCamera::inject(Fault fault) {
    camera->endpoint().inject(std::move(fault));
}

void SimulatedCamera::clearFaults() {
    camera->endpoint().clearFaults();
}

std::string SimulatedCamera::umockdevDir() const {
    return testbed->rootDir();
}

std::string SimulatedCamera::videoNodeSysfsPath() const {
    return camera->identity().videoSysfsPath();
}

std::string SimulatedCamera::foreignVideoNodeSysfsPath() const {
    return foreignCamera->identity().videoSysfsPath();
}

} // namespace sim
