#pragma once
// What a video4linux node says of itself (VIDIOC_QUERYCAP): whether it captures video. The
// kernel's video driver makes a metadata node beside each camera's capture node; only this
// question tells them apart where udev did not describe the nodes.

#include <optional>
#include <string>

namespace platform {

class VideoNodeCapabilities {
public:
    // Whether the node's own capabilities name video capture; nothing when the node cannot be
    // opened to ask it.
    static std::optional<bool> capturesVideo(const std::string& devnode);
};

} // namespace platform
