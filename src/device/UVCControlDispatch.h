#pragma once
// The member of UVCDevice behind each control kind, indexed by the kind's case, as the
// dispatchers select them.

#include "device/UVCRangeControl.h"
#include "device/UVCStateControl.h"
#include "device/UVCStateType.h"
#include "device/UVCValueType.h"

#include <cstdint>
#include <optional>

namespace device {

class UVCDevice;

class UVCControlDispatch {
public:
    // The members behind one kind, with the kind's case.
    struct Range {
        UVCRangeControl control;
        std::optional<int64_t> (UVCDevice::*get)(UVCValueType);
        bool (UVCDevice::*set)(int64_t);
    };
    struct State {
        UVCStateControl control;
        std::optional<bool> (UVCDevice::*get)(UVCStateType);
        bool (UVCDevice::*set)(bool);
    };

    static const Range& range(UVCRangeControl control);
    static const State& state(UVCStateControl control);
};

} // namespace device
