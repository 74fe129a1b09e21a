#include "OutputCapture.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string_view>
#include <unistd.h>

namespace app {

namespace {

constexpr std::string_view appPrefixes[] = {
    "Refreshing device list...", "Device ", "Could not open USB device",
    "Unhandled event ",          "Error ",
};

bool isAppLine(const std::string& line) {
    for (std::string_view prefix : appPrefixes) {
        if (line.starts_with(prefix)) {
            return true;
        }
    }
    return false;
}

} // namespace

OutputCapture::OutputCapture()
    : savedStdout(dup(STDOUT_FILENO)) {
    char name[] = "/tmp/vistrel-stdout-XXXXXX";
    file = mkstemp(name);
    unlink(name);
    std::fflush(stdout);
    dup2(file, STDOUT_FILENO);
}

OutputCapture::~OutputCapture() {
    std::fflush(stdout);
    dup2(savedStdout, STDOUT_FILENO);
    close(savedStdout);
    start = 0;
    const std::string all = text();
    std::fwrite(all.data(), 1, all.size(), stderr);
    close(file);
}

std::vector<std::string> OutputCapture::lines() const {
    std::vector<std::string> result;
    std::istringstream stream(text());
    for (std::string line; std::getline(stream, line);) {
        result.push_back(line);
    }
    return result;
}

std::vector<std::string> OutputCapture::appLines() const {
    std::vector<std::string> result;
    for (std::string& line : lines()) {
        if (isAppLine(line)) {
            result.push_back(std::move(line));
        }
    }
    return result;
}

void OutputCapture::clear() {
    std::fflush(stdout);
    start = lseek(file, 0, SEEK_END);
}

std::string OutputCapture::text() const {
    std::fflush(stdout);
    std::string result;
    char buffer[4096];
    for (off_t at = start;;) {
        const ssize_t count = pread(file, buffer, sizeof buffer, at);
        if (count <= 0) {
            return result;
        }
        result.append(buffer, static_cast<size_t>(count));
        at += count;
    }
}

} // namespace app
