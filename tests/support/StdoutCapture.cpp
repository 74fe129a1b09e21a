#include "support/StdoutCapture.h"

#include <sstream>
#include <unistd.h>

namespace sim {

StdoutCapture::StdoutCapture()
    : file(std::tmpfile())
    , savedStdout(dup(STDOUT_FILENO)) {
    std::fflush(stdout);
    dup2(fileno(file), STDOUT_FILENO);
}

StdoutCapture::~StdoutCapture() {
    std::fflush(stdout);
    dup2(savedStdout, STDOUT_FILENO);
    close(savedStdout);
    start = 0;
    const std::string all = text();
    std::fwrite(all.data(), 1, all.size(), stderr);
    std::fclose(file);
}

std::vector<std::string> StdoutCapture::lines() const {
    std::vector<std::string> result;
    std::istringstream stream(text());
    for (std::string line; std::getline(stream, line);) {
        result.push_back(line);
    }
    return result;
}

void StdoutCapture::clear() {
    std::fflush(stdout);
    start = lseek(fileno(file), 0, SEEK_END);
}

std::string StdoutCapture::text() const {
    std::fflush(stdout);
    std::string result;
    char buffer[4096];
    for (off_t at = start;;) {
        const ssize_t count = pread(fileno(file), buffer, sizeof buffer, at);
        if (count <= 0) {
            return result;
        }
        result.append(buffer, static_cast<size_t>(count));
        at += count;
    }
}

} // namespace sim
