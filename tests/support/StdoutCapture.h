#pragma once
// Captures what the process writes to standard output while the object lives. Afterwards the
// captured text goes to standard error, so a failing test still shows it.

#include <cstdio>
#include <string>
#include <vector>

namespace sim {

class StdoutCapture {
public:
    StdoutCapture();
    ~StdoutCapture();
    StdoutCapture(const StdoutCapture&) = delete;
    StdoutCapture& operator=(const StdoutCapture&) = delete;

    // The lines written since the capture started, or since the last clear().
    std::vector<std::string> lines() const;
    void clear();

private:
    std::string text() const;

    FILE* file;
    int savedStdout;
    long start = 0;
};

} // namespace sim
