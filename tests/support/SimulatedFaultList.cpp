#include "support/SimulatedFaultList.h"

namespace sim {

void SimulatedFaultList::add(Fault fault) {
    faults.push_back(std::move(fault));
}

void SimulatedFaultList::clear() {
    faults.clear();
}

std::optional<Fault> SimulatedFaultList::take(const ControlTransfer& request) {
    for (auto it = faults.begin(); it != faults.end(); ++it) {
        if (!matches(*it, request))
            continue;
        Fault fault = *it;
        if (fault.once)
            faults.erase(it);
        return fault;
    }
    return std::nullopt;
}

bool SimulatedFaultList::matches(const Fault& fault, const ControlTransfer& request) {
    return (!fault.bRequest || *fault.bRequest == request.bRequest) &&
           (!fault.unit || *fault.unit == request.unit()) &&
           (!fault.selector || *fault.selector == request.selector());
}

} // namespace sim
