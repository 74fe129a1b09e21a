#pragma once
// Faults waiting for the class requests they match, in the order they were injected.

#include "support/ControlTransfer.h"
#include "support/Fault.h"

#include <optional>
#include <vector>

namespace sim {

class SimulatedFaultList {
public:
    void add(Fault fault);
    void clear();
    // The first fault that matches the request; a fault injected once is used up by it.
    std::optional<Fault> take(const ControlTransfer& request);

private:
    static bool matches(const Fault& fault, const ControlTransfer& request);

    std::vector<Fault> faults;
};

} // namespace sim
