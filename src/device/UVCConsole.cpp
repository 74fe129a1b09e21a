#include "device/UVCConsole.h"

#include <cstdio>
#include <string>

namespace device {

void UVCConsole::printLine(std::string_view text) {
    std::string line;
    line.reserve(text.size() + 1);
    line.append(text).push_back('\n');
    // The stream stays locked from the line's first byte to its flush, so no other thread's
    // write lands in between; the buffer is empty before, so a line that fits it leaves in
    // one write.
    flockfile(stdout);
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fflush(stdout);
    funlockfile(stdout);
}

} // namespace device
