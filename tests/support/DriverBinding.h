#pragma once
// How the kernel's video driver holds a simulated camera: with its capture and metadata nodes
// or without any, and whether udev described the nodes.

namespace sim {

struct DriverBinding {
    bool videoNodes = true; // false: the driver made no node
    // false: udev set no ID_V4L_* properties on the nodes (containers, minimal udev)
    bool udevCapabilities = true;
};

} // namespace sim
