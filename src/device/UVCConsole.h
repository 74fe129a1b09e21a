#pragma once
// Diagnostic lines on standard output, from any thread: each line reaches the output whole,
// never mixed with another thread's line, and at once, because the output may be a pipe.

#include <string_view>

namespace device {

class UVCConsole {
public:
    // Writes `text` and a newline in one piece and flushes it. Every line the program prints
    // goes through here; other writes to standard output could split a line.
    static void printLine(std::string_view text);
};

} // namespace device
