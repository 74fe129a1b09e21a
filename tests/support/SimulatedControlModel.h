#pragma once
// The controls of a simulated UVC camera, keyed by (unit, selector): each control's length
// and its answers to GET_MIN/MAX/RES/DEF/CUR, plus the vendor extension unit whose selector 1
// reports the capture-button code and selector 3 the firmware code.

#include "support/Control.h"
#include "support/ControlTransfer.h"

#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <utility>
#include <vector>

namespace sim {

class SimulatedControlModel {
public:
    // A model without controls: every class request stalls.
    SimulatedControlModel() = default;
    // The VISTREL camera as it comes out of the box.
    static SimulatedControlModel vistrel();

    // Throws std::out_of_range for an unknown control.
    Control control(uint8_t unit, uint8_t selector) const;
    void setControl(uint8_t unit, uint8_t selector, Control control);
    // Throw std::invalid_argument when the bytes do not have the control's length.
    void setCurrent(uint8_t unit, uint8_t selector, std::vector<uint8_t> bytes);
    void setDefault(uint8_t unit, uint8_t selector, std::vector<uint8_t> bytes);

    // Sets the auto-update bit in the GET_INFO of every control outside the vendor unit.
    void flagAutoUpdate();
    void setFirmwareCode(uint8_t code);
    void setButtonCode(uint8_t code);
    void scriptButtonCodes(std::vector<uint8_t> codes);

    // Whether the camera takes this request at all: a known control of interface 0, the
    // control's length (2 for GET_LEN, 1 for GET_INFO) and a request code it answers.
    bool accepts(const ControlTransfer& request) const;
    // The answer to a GET request, or nothing for a stall. A GET_CUR of the button selector
    // uses up the next scripted code.
    std::optional<std::vector<uint8_t>> answer(const ControlTransfer& request);
    // Applies a SET_CUR; false for a stall. Vendor-unit writes are commands: they are taken
    // but change no answer.
    bool apply(const ControlTransfer& request);
    // The request-error-code control (GET_CUR of selector 2 on interface 0, unit 0) answers why
    // the last other class request stalled: `stalledCode` after a stall, 0 after an answer. A
    // model stall is an invalid control (6) for an unknown control, else an invalid request (7).
    void noteOutcome(const ControlTransfer& request, bool stalled, std::optional<uint8_t> code);
    static bool asksErrorCode(const ControlTransfer& request);

private:
    using Key = std::pair<uint8_t, uint8_t>;

    void add(uint8_t unit, uint8_t selector, Control control);
    const Control* find(const ControlTransfer& request) const;
    std::vector<uint8_t> current(const ControlTransfer& request, const Control& control);
    Control& at(uint8_t unit, uint8_t selector);

    std::map<Key, Control> controls;
    std::deque<uint8_t> scriptedButtonCodes;
    uint8_t requestErrorCode = 0;
};

} // namespace sim
