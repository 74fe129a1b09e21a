#pragma once
// Diagnostic lines of the device layer on standard output, each flushed at once because the
// output may be a pipe.

#include <string_view>

namespace device {

class UVCConsole {
public:
    static void printLine(std::string_view text);
};

} // namespace device
