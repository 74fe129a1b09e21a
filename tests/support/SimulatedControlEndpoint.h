#pragma once
// Endpoint 0 of a simulated camera: answers standard requests from its descriptors and class
// requests from its control model, applies injected faults and logs every transfer. Safe to
// use from the umockdev thread and the test thread at once.

#include "support/ControlTransfer.h"
#include "support/Fault.h"
#include "support/SimulatedControlModel.h"
#include "support/SimulatedFaultList.h"
#include "support/UsbDescriptors.h"

#include <chrono>
#include <mutex>
#include <vector>

namespace sim {

class SimulatedControlEndpoint {
public:
    // How the usbfs layer completes one control URB.
    struct Outcome {
        int submitErrno = 0;   // SUBMITURB itself fails with this errno
        bool completes = true; // false: the URB stays pending until it is discarded
        std::chrono::milliseconds delay{0};
        int status = 0;              // URB status: 0 or -errno
        std::vector<uint8_t> data{}; // IN data delivered
        int actualLength = 0;
    };

    SimulatedControlEndpoint(UsbDescriptors descriptors, SimulatedControlModel model);

    // `request` carries the setup fields and, for OUT, the payload.
    Outcome transfer(ControlTransfer request);

    template <typename Function> auto withModel(Function&& function) {
        std::lock_guard lock(mutex);
        return function(model);
    }
    template <typename Function> auto withModel(Function&& function) const {
        std::lock_guard lock(mutex);
        return function(static_cast<const SimulatedControlModel&>(model));
    }

    // The descriptors as they are now; the video-control facts change only while unplugged.
    UsbDescriptors descriptorSet() const;
    void setVideoControl(UsbDescriptors::VideoControl facts);
    void setFunctionNames(std::string function, std::string controlInterface);

    std::vector<ControlTransfer> transfers() const;
    void clearTransfers();
    void inject(Fault fault);
    void clearFaults();

private:
    Outcome answer(ControlTransfer& request);
    Outcome answerStandard(ControlTransfer& request) const;
    Outcome answerClass(ControlTransfer& request);
    Outcome answerWithFault(ControlTransfer& request, const Fault& fault);

    UsbDescriptors descriptors;
    mutable std::mutex mutex;
    SimulatedControlModel model;
    SimulatedFaultList faults;
    std::vector<ControlTransfer> log;
};

} // namespace sim
