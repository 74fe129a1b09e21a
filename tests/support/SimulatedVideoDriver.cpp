#include "support/SimulatedVideoDriver.h"

#include "support/SimulatedControlEndpoint.h"
#include "support/SimulatedVideoControl.h"
#include "support/UVCClassRequest.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <map>
#include <optional>
#include <stdexcept>
#include <thread>

namespace sim {

namespace {

using Type = SimulatedVideoControl::Type;

using enum UVCClassRequest::Code;
constexpr uint8_t extensionUnit = 3;
constexpr uint32_t classMask = 0x0FFF0000;

uint32_t classOf(uint32_t id) {
    return id & classMask;
}

const char* className(uint32_t controlClass) {
    return controlClass == V4L2_CTRL_CLASS_USER ? "User Controls" : "Camera Controls";
}

int32_t numberOf(const SimulatedVideoControl& control, const std::vector<uint8_t>& bytes) {
    return control.read(bytes);
}

// The driver rounds to the step from the minimum, then clamps to the range.
int32_t adjusted(const SimulatedVideoControl& control, int32_t value, int32_t min, int32_t max,
                 int32_t step) {
    const auto unsignedStep = static_cast<uint32_t>(step == 0 ? 1 : step);
    const uint32_t offset = static_cast<uint32_t>(value) - static_cast<uint32_t>(min);
    value = min + static_cast<int32_t>((offset + unsignedStep / 2) / unsignedStep * unsignedStep);
    if (control.isSigned)
        return std::clamp(value, min, max);
    return static_cast<int32_t>(std::clamp(static_cast<uint32_t>(value), static_cast<uint32_t>(min),
                                           static_cast<uint32_t>(max)));
}

} // namespace

SimulatedVideoDriver::SimulatedVideoDriver(std::shared_ptr<SimulatedControlEndpoint> endpoint)
    : endpoint(std::move(endpoint)) {}

int SimulatedVideoDriver::queryControl(v4l2_query_ext_ctrl& query) {
    const bool next = query.id & V4L2_CTRL_FLAG_NEXT_CTRL;
    const uint32_t id = query.id & ~(V4L2_CTRL_FLAG_NEXT_CTRL | V4L2_CTRL_FLAG_NEXT_COMPOUND);
    const SimulatedVideoControl* control =
        next ? SimulatedVideoControl::next(id) : SimulatedVideoControl::find(id);
    std::memset(&query, 0, sizeof query);
    const bool classQuery =
        !next && (id == (V4L2_CTRL_CLASS_USER | 1) || id == (V4L2_CTRL_CLASS_CAMERA | 1));
    if (classQuery || (next && control && classOf(id) < classOf(control->id))) {
        // The heading of a class, before its first control.
        query.id = (classQuery ? classOf(id) : classOf(control->id)) | 1;
        std::strncpy(query.name, className(classOf(query.id)), sizeof query.name - 1);
        query.type = V4L2_CTRL_TYPE_CTRL_CLASS;
        query.flags = V4L2_CTRL_FLAG_READ_ONLY | V4L2_CTRL_FLAG_WRITE_ONLY;
        return 0;
    }
    if (!control)
        return EINVAL;
    query.id = control->id;
    std::strncpy(query.name, control->name.c_str(), sizeof query.name - 1);
    query.elems = 1;
    query.elem_size = 4;
    if (control->masterId && masterValue(*control) != control->masterManual)
        query.flags |= V4L2_CTRL_FLAG_INACTIVE;
    std::vector<uint8_t> def, min, max, res;
    for (auto [kind, bytes] :
         {std::pair{getDef, &def}, {getMin, &min}, {getMax, &max}, {getRes, &res}}) {
        const bool asked =
            kind == getDef || control->hasRange || (kind == getRes && control->menuIsBitmask);
        if (!asked)
            continue;
        if (int error = request(kind, control->unit, control->selector, *bytes))
            return error;
    }
    query.default_value = control->toV4l2(numberOf(*control, def));
    switch (control->type) {
    case Type::menu:
        query.type = V4L2_CTRL_TYPE_MENU;
        query.maximum = static_cast<int64_t>(control->menu.size()) - 1;
        query.step = 1;
        break;
    case Type::boolean:
        query.type = V4L2_CTRL_TYPE_BOOLEAN;
        query.maximum = 1;
        query.step = 1;
        break;
    case Type::integer:
        query.type = V4L2_CTRL_TYPE_INTEGER;
        query.minimum = numberOf(*control, min);
        query.maximum = numberOf(*control, max);
        query.step = static_cast<uint64_t>(numberOf(*control, res));
        break;
    }
    return 0;
}

int SimulatedVideoDriver::queryMenu(v4l2_querymenu& menu) {
    const SimulatedVideoControl* control = SimulatedVideoControl::find(menu.id);
    const uint32_t index = menu.index;
    const uint32_t id = menu.id;
    std::memset(&menu, 0, sizeof menu);
    menu.id = id;
    menu.index = index;
    if (!control || control->type != Type::menu || index >= control->menu.size())
        return EINVAL;
    const auto& entry = control->menu[index];
    if (control->menuIsBitmask) {
        std::vector<uint8_t> res;
        if (int error = request(getRes, control->unit, control->selector, res))
            return error;
        if ((numberOf(*control, res) & entry.value) == 0)
            return EINVAL;
    }
    std::strncpy(reinterpret_cast<char*>(menu.name), entry.name.c_str(), sizeof menu.name - 1);
    return 0;
}

int SimulatedVideoDriver::getControl(uint32_t id, int32_t& value) {
    const SimulatedVideoControl* control = SimulatedVideoControl::find(id);
    if (!control)
        return EINVAL;
    std::vector<uint8_t> current;
    if (int error = request(getCur, control->unit, control->selector, current))
        return error;
    value = control->toV4l2(numberOf(*control, current));
    return 0;
}

int SimulatedVideoDriver::setControls(std::span<v4l2_ext_control> controls, bool tryOnly,
                                      uint32_t& errorIndex) {
    // The new bytes of each camera control, in the order of their first mention.
    std::vector<std::pair<const SimulatedVideoControl*, std::vector<uint8_t>>> writes;
    for (size_t i = 0; i < controls.size(); ++i) {
        errorIndex = static_cast<uint32_t>(i);
        const SimulatedVideoControl* control = SimulatedVideoControl::find(controls[i].id);
        if (!control)
            return EINVAL;
        int32_t value = controls[i].value;
        if (int error = checked(*control, controls, value))
            return error;
        auto write = std::ranges::find_if(writes, [&](const auto& entry) {
            return entry.first->unit == control->unit && entry.first->selector == control->selector;
        });
        if (write == writes.end())
            write = writes.insert(writes.end(), {control, modelValue(*control, getCur)});
        control->write(value, write->second);
        controls[i].value = control->toV4l2(value);
    }
    errorIndex = static_cast<uint32_t>(controls.size());
    if (tryOnly)
        return 0;
    for (auto& [control, bytes] : writes) {
        if (int error = request(setCur, control->unit, control->selector, bytes))
            return error;
    }
    return 0;
}

int SimulatedVideoDriver::queryExtensionUnit(uint8_t unit, uint8_t selector, uint8_t query,
                                             std::vector<uint8_t>& data) {
    uint16_t size = 0;
    if (unit != extensionUnit || length(unit, selector, size) != 0)
        return ENOENT;
    const std::optional<uint16_t> payload = UVCClassRequest::payloadLength(query, size);
    if (!payload)
        return EINVAL;
    if (data.size() != *payload)
        return ENOBUFS;
    return request(query, unit, selector, data);
}

// One request to the camera on behalf of the driver; `data` carries the payload of a SET_CUR
// and receives the answer of a GET.
int SimulatedVideoDriver::request(uint8_t bRequest, uint8_t unit, uint8_t selector,
                                  std::vector<uint8_t>& data) {
    ControlTransfer transfer;
    transfer.bmRequestType = bRequest == setCur ? 0x21 : 0xA1;
    transfer.bRequest = bRequest;
    transfer.wValue = static_cast<uint16_t>(selector << 8);
    transfer.wIndex = static_cast<uint16_t>(unit << 8);
    if (bRequest == setCur || unit == extensionUnit) {
        transfer.wLength = static_cast<uint16_t>(data.size());
    } else if (int error = length(unit, selector, transfer.wLength)) {
        return error;
    }
    if (bRequest == setCur)
        transfer.data = data;
    transfer.route = TransferRoute::videoNode;
    const uint16_t expected = transfer.wLength;
    SimulatedControlEndpoint::Outcome outcome = endpoint->transfer(std::move(transfer));
    if (outcome.submitErrno)
        return outcome.submitErrno;
    if (!outcome.completes)
        return ETIMEDOUT; // after the driver's own timeout
    std::this_thread::sleep_for(outcome.delay);
    if (outcome.status)
        return -outcome.status;
    if (outcome.actualLength != expected)
        return EPIPE;
    if (bRequest != setCur)
        data = std::move(outcome.data);
    return 0;
}

int SimulatedVideoDriver::length(uint8_t unit, uint8_t selector, uint16_t& size) const {
    try {
        size = endpoint->withModel([&](const SimulatedControlModel& model) {
            return model.control(unit, selector).length;
        });
        return 0;
    } catch (const std::out_of_range&) {
        return EINVAL;
    }
}

// What the driver holds of a control without asking the camera again.
std::vector<uint8_t> SimulatedVideoDriver::modelValue(const SimulatedVideoControl& control,
                                                      uint8_t kind) const {
    const Control held = endpoint->withModel([&](const SimulatedControlModel& model) {
        return model.control(control.unit, control.selector);
    });
    switch (kind) {
    case getMin:
        return held.min;
    case getMax:
        return held.max;
    case getRes:
        return held.res;
    default:
        return held.cur;
    }
}

int32_t SimulatedVideoDriver::masterValue(const SimulatedVideoControl& control) const {
    const SimulatedVideoControl* master = SimulatedVideoControl::find(control.masterId);
    return master->toV4l2(numberOf(*master, modelValue(*master, getCur)));
}

// The value as the driver writes it, or the errno that refuses it. A master set to manual in
// the same request makes its governed control writable.
int SimulatedVideoDriver::checked(const SimulatedVideoControl& control,
                                  std::span<v4l2_ext_control> controls, int32_t& value) const {
    if (control.masterId) {
        const auto master = std::ranges::find(controls, control.masterId, &v4l2_ext_control::id);
        const int32_t state = master != controls.end() ? master->value : masterValue(control);
        if (state != control.masterManual)
            return EACCES;
    }
    switch (control.type) {
    case Type::boolean:
        value = std::clamp(value, 0, 1);
        return 0;
    case Type::menu: {
        const auto byte = control.fromV4l2(value);
        if (!byte)
            return ERANGE;
        if (control.menuIsBitmask && (numberOf(control, modelValue(control, getRes)) & *byte) == 0)
            return EINVAL;
        value = *byte;
        return 0;
    }
    case Type::integer:
        value = adjusted(control, value, numberOf(control, modelValue(control, getMin)),
                         numberOf(control, modelValue(control, getMax)),
                         numberOf(control, modelValue(control, getRes)));
        return 0;
    }
    return EINVAL;
}

} // namespace sim
