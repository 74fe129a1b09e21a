#include "device/UVCConsole.h"

#include <cstdio>

namespace device {

void UVCConsole::printLine(std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

} // namespace device
