#include "support/SimulatedVideoDriver.h"

#include "support/SimulatedControlEndpoint.h"
#include "support/SimulatedVideoControl.h"
#include "support/UVCClassRequest.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <optional>
#include <thread>
#include <tuple>

namespace sim {

namespace {

using Type = SimulatedVideoControl::Type;

using enum UVCClassRequest::Code;
constexpr uint8_t extensionUnit = 3;
constexpr uint8_t errorCodeSelector = 0x02; // UVC_VC_REQUEST_ERROR_CODE_CONTROL
constexpr uint32_t classMask = 0x0FFF0000;
// GET_INFO bits (UVC_CONTROL_CAP_*)
constexpr uint8_t infoGet = 0x01, infoSet = 0x02, infoAutoUpdate = 0x08;
constexpr uint8_t slabPoison = 0x6B; // POISON_FREE: what slab memory never handed out holds

// uvc_query_ctrl: the errno for each answer of the request-error-code control after a stall.
struct ErrorCodeRow {
    uint8_t code;
    int error;
};
constexpr std::array<ErrorCodeRow, 9> errorCodes = {{
    {0, EPIPE},   // no error: cannot happen after a stall
    {1, EBUSY},   // not ready
    {2, EILSEQ},  // wrong state
    {3, EREMOTE}, // power
    {4, ERANGE},  // out of range
    {5, EIO},     // invalid unit
    {6, EIO},     // invalid control
    {7, EIO},     // invalid request
    {8, EINVAL},  // invalid value within range
}};

uint32_t classOf(uint32_t id) {
    return id & classMask;
}

const char* className(uint32_t controlClass) {
    return controlClass == V4L2_CTRL_CLASS_USER ? "User Controls" : "Camera Controls";
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

// The camera control's length in the driver's table: the end of its widest mapping.
uint16_t sizeOf(uint8_t unit, uint8_t selector) {
    uint16_t size = 0;
    for (const SimulatedVideoControl& mapping : SimulatedVideoControl::all()) {
        if (mapping.unit == unit && mapping.selector == selector)
            size = std::max<uint16_t>(
                size, static_cast<uint16_t>(mapping.offset + (mapping.bits + 7u) / 8u));
    }
    return size;
}

// The kmalloc caches: the smallest holds 8 bytes, the others twice as many as the one before.
size_t slabSize(size_t size) {
    size_t slab = 8;
    while (slab < size)
        slab *= 2;
    return slab;
}

} // namespace

SimulatedVideoDriver::SimulatedVideoDriver(std::shared_ptr<SimulatedControlEndpoint> endpoint)
    : endpoint(std::move(endpoint)) {}

void SimulatedVideoDriver::probe() {
    const UsbDescriptors descriptors = endpoint->descriptorSet();
    facts = descriptors.videoControl();
    nodeName = descriptors.videoNodeName();
    controls.clear();
    extension.clear();
    chain.clear();
    for (const SimulatedVideoControl& mapping : SimulatedVideoControl::all())
        hold(mapping);
    for (const auto& entry : controls)
        chain.push_back(entry.first);
    std::ranges::sort(chain, {}, [](const Key& key) {
        return SimulatedVideoControl::chainOrder(key.first, key.second);
    });
}

// uvc_ctrl_init_ctrl: the table's flags (uvc_ctrls), then uvc_ctrl_get_flags replaces the get,
// set and auto-update flags with the camera's GET_INFO bits unless GET_INFO fails.
void SimulatedVideoDriver::hold(const SimulatedVideoControl& mapping) {
    auto [entry, added] = controls.try_emplace({mapping.unit, mapping.selector});
    if (!added)
        return; // a second mapping of the same control (pan and tilt)
    Held& control = entry->second;
    control.size = sizeOf(mapping.unit, mapping.selector);
    for (auto bytes : {&Held::cur, &Held::backup, &Held::def, &Held::min, &Held::max, &Held::res})
        (control.*bytes).assign(control.size, 0); // kzalloc
    control.autoUpdate = mapping.autoUpdate;
    control.hasRange = mapping.hasRange;
    control.getRes = mapping.hasRange || mapping.menuIsBitmask;
    std::vector<uint8_t> info = allocate(1);
    if (query(getInfo, mapping.unit, mapping.selector, info) == 0) {
        control.getCur = (info[0] & infoGet) != 0;
        control.setCur = (info[0] & infoSet) != 0;
        control.autoUpdate = (info[0] & infoAutoUpdate) != 0;
    }
    release(info);
}

// __uvc_query_v4l2_ctrl
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
    Held& state = held(*control);
    query.flags = (state.getCur ? 0 : V4L2_CTRL_FLAG_WRITE_ONLY) |
                  (state.setCur ? 0 : V4L2_CTRL_FLAG_READ_ONLY);
    if (control->masterId) {
        const SimulatedVideoControl& master = *SimulatedVideoControl::find(control->masterId);
        int32_t value = 0;
        if (held(master).getCur) {
            if (int error = current(master, value))
                return error;
            if (value != control->masterManual)
                query.flags |= V4L2_CTRL_FLAG_INACTIVE;
        }
    }
    if (int error = populate(state, control->unit, control->selector))
        return error;
    query.default_value = control->toV4l2(control->read(state.def), facts.uvcVersion);
    switch (control->type) {
    case Type::menu:
        query.type = V4L2_CTRL_TYPE_MENU;
        query.maximum = static_cast<int64_t>(control->menuFor(facts.uvcVersion).size()) - 1;
        query.step = 1;
        break;
    case Type::boolean:
        query.type = V4L2_CTRL_TYPE_BOOLEAN;
        query.maximum = 1;
        query.step = 1;
        break;
    case Type::integer:
        query.type = V4L2_CTRL_TYPE_INTEGER;
        query.minimum = control->read(state.min);
        query.maximum = control->read(state.max);
        query.step = static_cast<uint64_t>(control->read(state.res));
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
    if (!control || control->type != Type::menu)
        return EINVAL;
    const auto offered = control->menuFor(facts.uvcVersion);
    if (index >= offered.size())
        return EINVAL;
    const auto& entry = offered[index];
    if (control->menuIsBitmask) {
        Held& state = held(*control);
        if (int error = populate(state, control->unit, control->selector))
            return error;
        if ((control->read(state.res) & entry.value) == 0)
            return EINVAL;
    }
    std::strncpy(reinterpret_cast<char*>(menu.name), entry.name.c_str(), sizeof menu.name - 1);
    return 0;
}

// uvc_ioctl_g_ext_ctrls: access checked for all, every value, then a rollback that ends the
// request.
int SimulatedVideoDriver::getControls(std::span<v4l2_ext_control> values, uint32_t& errorIndex) {
    if (int error = readable(values, errorIndex))
        return error;
    for (size_t i = 0; i < values.size(); ++i) {
        int32_t value = 0;
        const int error = current(*SimulatedVideoControl::find(values[i].id), value);
        values[i].value = value;
        if (error) {
            errorIndex = static_cast<uint32_t>(i);
            endRequest(false);
            return error;
        }
    }
    errorIndex = 0;
    return endRequest(false);
}

// uvc_ioctl_s_try_ext_ctrls: access checked for all, each value set in the driver's copy, then
// a commit sends the changed controls (a try or a failure rolls back).
int SimulatedVideoDriver::setControls(std::span<v4l2_ext_control> values, bool tryOnly,
                                      uint32_t& errorIndex) {
    for (size_t i = 0; i < values.size(); ++i) {
        const SimulatedVideoControl* control = SimulatedVideoControl::find(values[i].id);
        const int error = control ? accessible(*control, values, tryOnly) : EINVAL;
        if (error) {
            errorIndex = static_cast<uint32_t>(tryOnly ? i : values.size());
            return error;
        }
    }
    for (size_t i = 0; i < values.size(); ++i) {
        if (int error = set(*SimulatedVideoControl::find(values[i].id), values[i])) {
            endRequest(false);
            errorIndex = static_cast<uint32_t>(tryOnly ? i : values.size());
            return error;
        }
    }
    errorIndex = 0;
    return endRequest(!tryOnly);
}

// uvc_xu_ctrl_query
int SimulatedVideoDriver::queryExtensionUnit(uint8_t unit, uint8_t selector, uint8_t request,
                                             std::vector<uint8_t>& data) {
    const unsigned bit = selector - 1u;
    if (unit != extensionUnit || bit >= 8 || (facts.extensionControls & (1u << bit)) == 0)
        return -ENOENT;
    if (initExtension(selector) < 0)
        return -ENOENT;
    const ExtensionControl& control = extension.at(selector);
    uint8_t required = 0;
    switch (request) {
    case getCur:
        required = infoGet;
        break;
    case setCur:
        required = infoSet;
        break;
    case getMin:
    case getMax:
    case getDef:
    case getRes:
    case getLen:
    case getInfo:
        break; // GET_MIN/MAX/DEF/RES are always flagged for an extension-unit control
    default:
        return -EINVAL;
    }
    if (data.size() != *UVCClassRequest::payloadLength(request, control.size))
        return -ENOBUFS;
    if (required != 0 && (control.info & required) == 0)
        return -EBADRQC;
    std::vector<uint8_t> buffer = request == setCur ? data : allocate(data.size());
    const int result = query(request, unit, selector, buffer);
    if (result >= 0 && request != setCur)
        data = buffer; // copy_to_user of the whole buffer
    release(buffer);
    return result;
}

SimulatedVideoDriver::Held& SimulatedVideoDriver::held(const SimulatedVideoControl& control) {
    return controls.at({control.unit, control.selector});
}

// __uvc_ctrl_get
int SimulatedVideoDriver::current(const SimulatedVideoControl& control, int32_t& value) {
    Held& state = held(control);
    if (!state.getCur)
        return EACCES;
    if (int error = load(control, state))
        return error;
    value = control.toV4l2(control.read(state.cur), facts.uvcVersion);
    return 0;
}

// __uvc_ctrl_load_cur: the camera is asked only while the control is not loaded, straight into
// the driver's copy of the value; a control without GET_CUR loads as zero.
int SimulatedVideoDriver::load(const SimulatedVideoControl& control, Held& state) {
    if (state.loaded)
        return 0;
    if (!state.getCur) {
        std::ranges::fill(state.cur, 0);
    } else if (const int result = query(getCur, control.unit, control.selector, state.cur);
               result < 0) {
        return -result;
    }
    state.loaded = true;
    return 0;
}

// uvc_ctrl_populate_cache: the limits the table flags are read once, each into its own copy.
int SimulatedVideoDriver::populate(Held& state, uint8_t unit, uint8_t selector) {
    if (state.cached)
        return 0;
    const std::tuple<uint8_t, std::vector<uint8_t> Held::*, bool> limits[] = {
        {getDef, &Held::def, true},
        {getMin, &Held::min, state.hasRange},
        {getMax, &Held::max, state.hasRange},
        {getRes, &Held::res, state.getRes}};
    for (const auto& [request, bytes, asked] : limits) {
        if (!asked)
            continue;
        if (const int result = query(request, unit, selector, state.*bytes); result < 0)
            return -result;
    }
    state.cached = true;
    return 0;
}

int32_t SimulatedVideoDriver::limit(const SimulatedVideoControl& control,
                                    std::vector<uint8_t> Held::*bytes) {
    return control.read(held(control).*bytes);
}

// uvc_ctrl_check_access for VIDIOC_G_EXT_CTRLS: every control known and readable.
int SimulatedVideoDriver::readable(std::span<v4l2_ext_control> values, uint32_t& errorIndex) {
    errorIndex = static_cast<uint32_t>(values.size());
    for (const v4l2_ext_control& value : values) {
        const SimulatedVideoControl* control = SimulatedVideoControl::find(value.id);
        if (!control)
            return EINVAL;
        if (!held(*control).getCur)
            return EACCES;
    }
    return 0;
}

// uvc_ctrl_is_accessible for a write: SET_CUR flagged, and for VIDIOC_S_EXT_CTRLS a governed
// control only in its master's manual state, the master's new value counting when the same
// request sets it (its last one), else its current value if the master can be read.
int SimulatedVideoDriver::accessible(const SimulatedVideoControl& control,
                                     std::span<v4l2_ext_control> values, bool tryOnly) {
    if (!held(control).setCur)
        return EACCES;
    if (tryOnly || !control.masterId)
        return 0;
    for (auto value = values.rbegin(); value != values.rend(); ++value) {
        if (value->id == control.masterId)
            return value->value == control.masterManual ? 0 : EACCES;
    }
    const SimulatedVideoControl& master = *SimulatedVideoControl::find(control.masterId);
    int32_t state = 0;
    if (held(master).getCur && current(master, state) == 0 && state != control.masterManual)
        return EACCES;
    return 0;
}

// uvc_ctrl_set
int SimulatedVideoDriver::set(const SimulatedVideoControl& control, v4l2_ext_control& value) {
    Held& state = held(control);
    if (!state.setCur)
        return EACCES;
    int32_t field = value.value;
    switch (control.type) {
    case Type::integer:
        if (int error = populate(state, control.unit, control.selector))
            return error;
        value.value = adjusted(control, value.value, limit(control, &Held::min),
                               limit(control, &Held::max), limit(control, &Held::res));
        field = value.value;
        break;
    case Type::boolean:
        value.value = std::clamp(value.value, 0, 1);
        field = value.value;
        break;
    case Type::menu: {
        const auto byte = control.fromV4l2(value.value, facts.uvcVersion);
        if (!byte)
            return ERANGE;
        field = *byte;
        if (control.menuIsBitmask) {
            if (int error = populate(state, control.unit, control.selector))
                return error;
            if ((limit(control, &Held::res) & field) == 0)
                return EINVAL;
        }
        break;
    }
    }
    // A mapping narrower than the control: the other bits come from the camera.
    if (state.size * 8u != control.bits) {
        if (int error = load(control, state))
            return error;
    }
    if (!state.dirty)
        state.backup = state.cur;
    control.write(field, state.cur);
    state.dirty = true;
    return 0;
}

// uvc_ctrl_commit_entity over the chain's units in order: auto-update (and write-only) controls
// are unloaded; a commit sends each changed control; after a failure the failed one and every
// later one get their old value back, while those sent before it stay.
int SimulatedVideoDriver::endRequest(bool commit) {
    int failure = 0;
    bool rollback = !commit;
    for (const Key& key : chain) {
        Held& state = controls.at(key);
        if (state.autoUpdate || !state.getCur)
            state.loaded = false;
        if (!state.dirty)
            continue;
        std::vector<uint8_t> bytes = state.cur;
        const int result = rollback ? 0 : query(setCur, key.first, key.second, bytes);
        if (rollback || result < 0)
            state.cur = state.backup;
        state.dirty = false;
        if (result < 0) {
            failure = -result;
            rollback = true;
        }
    }
    return failure;
}

// uvc_ctrl_fill_xu_info on first use: GET_LEN, then GET_INFO; nothing is kept when either fails.
// A short answer counts: the rest of its buffer is what the allocation held.
int SimulatedVideoDriver::initExtension(uint8_t selector) {
    if (extension.contains(selector))
        return 0;
    std::vector<uint8_t> length = allocate(2);
    const int lengthRead = query(getLen, extensionUnit, selector, length);
    release(length);
    if (lengthRead < 0)
        return lengthRead;
    std::vector<uint8_t> info = allocate(1);
    const int infoRead = query(getInfo, extensionUnit, selector, info);
    release(info);
    if (infoRead < 0)
        return infoRead;
    extension[selector] = {static_cast<uint16_t>(length[0] | (length[1] << 8)), info[0]};
    return 0;
}

int SimulatedVideoDriver::query(uint8_t bRequest, uint8_t unit, uint8_t selector,
                                std::vector<uint8_t>& data) {
    const int moved = send(bRequest, unit, selector, data);
    if (moved == static_cast<int>(data.size()))
        return 0;
    if (moved != -EPIPE)
        return moved; // a short reply's byte count, or the error
    std::vector<uint8_t> code(1);
    const int asked = send(getCur, 0, errorCodeSelector, code);
    if (asked != 1)
        return asked < 0 ? asked : -EPIPE;
    const auto row = std::ranges::find(errorCodes, code[0], &ErrorCodeRow::code);
    return row == errorCodes.end() ? -EPIPE : -row->error;
}

int SimulatedVideoDriver::send(uint8_t bRequest, uint8_t unit, uint8_t selector,
                               std::vector<uint8_t>& data) {
    ControlTransfer transfer;
    transfer.bmRequestType = bRequest == setCur ? 0x21 : 0xA1;
    transfer.bRequest = bRequest;
    transfer.wValue = static_cast<uint16_t>(selector << 8);
    transfer.wIndex = static_cast<uint16_t>(unit << 8);
    transfer.wLength = static_cast<uint16_t>(data.size());
    if (bRequest == setCur)
        transfer.data = data;
    transfer.route = TransferRoute::videoNode;
    const std::chrono::milliseconds timeout = controlTimeout;
    transfer.timeoutMs = static_cast<unsigned>(timeout.count());
    SimulatedControlEndpoint::Outcome outcome = endpoint->transfer(std::move(transfer));
    if (outcome.submitErrno)
        return -outcome.submitErrno;
    if (!outcome.completes) {
        std::this_thread::sleep_for(timeout); // usb_control_msg gives up
        return -ETIMEDOUT;
    }
    std::this_thread::sleep_for(outcome.delay);
    if (outcome.status)
        return outcome.status;
    if (bRequest != setCur)
        std::ranges::copy(outcome.data, data.begin()); // only the bytes the camera sent
    return outcome.actualLength;
}

std::vector<uint8_t> SimulatedVideoDriver::allocate(size_t size) {
    const std::vector<uint8_t>& object = slabObject(size);
    return {object.begin(), object.begin() + static_cast<std::ptrdiff_t>(size)};
}

void SimulatedVideoDriver::release(const std::vector<uint8_t>& buffer) {
    std::ranges::copy(buffer, slabObject(buffer.size()).begin());
}

std::vector<uint8_t>& SimulatedVideoDriver::slabObject(size_t size) {
    const size_t slab = slabSize(size);
    return freed.try_emplace(slab, slab, slabPoison).first->second;
}

} // namespace sim
