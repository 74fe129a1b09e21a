#pragma once
// Captures what the process writes to standard output while the object lives and hands back
// the lines of the application layer; afterwards the whole text goes to standard error.

#include <string>
#include <vector>

namespace app {

class OutputCapture {
public:
    OutputCapture();
    ~OutputCapture();
    OutputCapture(const OutputCapture&) = delete;
    OutputCapture& operator=(const OutputCapture&) = delete;

    // Every line written since the start or the last clear().
    std::vector<std::string> lines() const;
    // Only the lines of the status item and the hot-plug watch, not those of the camera layer.
    std::vector<std::string> appLines() const;
    void clear();

private:
    std::string text() const;

    int file;
    int savedStdout;
    long start = 0;
};

} // namespace app
