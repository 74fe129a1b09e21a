#include "support/SimulatedControlEndpoint.h"

#include <algorithm>
#include <cerrno>
#include <optional>

namespace sim {

namespace {

using Outcome = SimulatedControlEndpoint::Outcome;

constexpr uint8_t directionIn = 0x80;
constexpr uint8_t typeMask = 0x60;
constexpr uint8_t typeStandard = 0x00;
constexpr uint8_t typeClass = 0x20;

Outcome stall() {
    Outcome outcome;
    outcome.status = -EPIPE;
    return outcome;
}

// The data stage as the host sees it: IN data cut to wLength, OUT payload taken whole.
Outcome moved(const ControlTransfer& request, std::vector<uint8_t> in = {}) {
    Outcome outcome;
    if (request.bmRequestType & directionIn) {
        in.resize(std::min<size_t>(in.size(), request.wLength));
        outcome.actualLength = static_cast<int>(in.size());
        outcome.data = std::move(in);
    } else {
        outcome.actualLength = request.wLength;
    }
    return outcome;
}

std::optional<std::vector<uint8_t>> descriptor(const UsbDescriptors& descriptors, uint16_t wValue) {
    switch (wValue >> 8) {
    case 0x01:
        return descriptors.device();
    case 0x02:
        return descriptors.configuration();
    case 0x03:
        return descriptors.string(static_cast<uint8_t>(wValue & 0xFF));
    default:
        return std::nullopt;
    }
}

} // namespace

SimulatedControlEndpoint::SimulatedControlEndpoint(UsbDescriptors descriptors,
                                                   SimulatedControlModel model)
    : descriptors(std::move(descriptors))
    , model(std::move(model)) {}

Outcome SimulatedControlEndpoint::transfer(ControlTransfer request) {
    std::lock_guard lock(mutex);
    Outcome outcome = answer(request);
    if (outcome.submitErrno)
        request.result = -outcome.submitErrno;
    else if (!outcome.completes)
        request.result = -ETIMEDOUT;
    else if (outcome.status)
        request.result = outcome.status;
    else
        request.result = outcome.actualLength;
    if (request.bmRequestType & directionIn)
        request.data = outcome.data;
    log.push_back(std::move(request));
    return outcome;
}

UsbDescriptors SimulatedControlEndpoint::descriptorSet() const {
    std::lock_guard lock(mutex);
    return descriptors;
}

void SimulatedControlEndpoint::setVideoControl(UsbDescriptors::VideoControl facts) {
    std::lock_guard lock(mutex);
    descriptors.setVideoControl(facts);
}

void SimulatedControlEndpoint::setFunctionNames(std::string function,
                                                std::string controlInterface) {
    std::lock_guard lock(mutex);
    descriptors.setFunctionNames(std::move(function), std::move(controlInterface));
}

std::vector<ControlTransfer> SimulatedControlEndpoint::transfers() const {
    std::lock_guard lock(mutex);
    return log;
}

void SimulatedControlEndpoint::clearTransfers() {
    std::lock_guard lock(mutex);
    log.clear();
}

void SimulatedControlEndpoint::inject(Fault fault) {
    std::lock_guard lock(mutex);
    faults.add(std::move(fault));
}

void SimulatedControlEndpoint::clearFaults() {
    std::lock_guard lock(mutex);
    faults.clear();
}

Outcome SimulatedControlEndpoint::answer(ControlTransfer& request) {
    switch (request.bmRequestType & typeMask) {
    case typeStandard:
        return answerStandard(request);
    case typeClass: {
        const std::optional<Fault> fault = faults.take(request);
        Outcome outcome = fault ? answerWithFault(request, *fault) : answerClass(request);
        const bool stalled = outcome.status == -EPIPE;
        model.noteOutcome(request, stalled,
                          fault && stalled ? std::optional(fault->errorCode) : std::nullopt);
        return outcome;
    }
    default:
        return stall();
    }
}

Outcome SimulatedControlEndpoint::answerStandard(ControlTransfer& request) const {
    constexpr uint8_t getStatus = 0x00, getDescriptor = 0x06, getConfiguration = 0x08,
                      setConfiguration = 0x09, setInterface = 0x0B;
    switch (request.bRequest) {
    case getDescriptor:
        if (auto bytes = descriptor(descriptors, request.wValue))
            return moved(request, *bytes);
        return stall();
    case getStatus:
        return moved(request, {0x00, 0x00});
    case getConfiguration:
        return moved(request, {0x01});
    case setConfiguration:
    case setInterface:
        return moved(request);
    default:
        return stall();
    }
}

Outcome SimulatedControlEndpoint::answerClass(ControlTransfer& request) {
    if (request.bmRequestType & directionIn) {
        std::optional<std::vector<uint8_t>> value = model.answer(request);
        return value ? moved(request, std::move(*value)) : stall();
    }
    return model.apply(request) ? moved(request) : stall();
}

Outcome SimulatedControlEndpoint::answerWithFault(ControlTransfer& request, const Fault& fault) {
    switch (fault.kind) {
    case FaultKind::stall:
        return stall();
    case FaultKind::disconnect: {
        Outcome outcome;
        outcome.submitErrno = ENODEV;
        return outcome;
    }
    case FaultKind::timeout: {
        Outcome outcome;
        outcome.completes = false;
        return outcome;
    }
    case FaultKind::delay: {
        Outcome outcome = answerClass(request);
        outcome.delay = std::chrono::milliseconds(fault.delayMs);
        return outcome;
    }
    case FaultKind::shortReply:
        break;
    }
    // A short OUT transfer is not taken: the control keeps its value.
    Outcome outcome = (request.bmRequestType & directionIn) ? answerClass(request)
                      : model.accepts(request)              ? moved(request)
                                                            : stall();
    if (outcome.status == 0) {
        outcome.actualLength = std::clamp(fault.shortLength, 0, outcome.actualLength);
        if (request.bmRequestType & directionIn)
            outcome.data.resize(static_cast<size_t>(outcome.actualLength));
    }
    return outcome;
}

} // namespace sim
