#pragma once
// The reactive face of an interface control: its user actions as typed sequences of the control's
// value. Each control class that has one specialises this template; reach it with
// reactive(control).

namespace windows {

template <class Control> class Reactive;

} // namespace windows
