#pragma once
// How many descriptors this process holds on USB device nodes and on the event and timer
// descriptors that libusb contexts keep: what a lost handle or context leaves open.

namespace sim {

int openUsbDescriptors();

} // namespace sim
