#include "support/VirtualDisplay.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdexcept>
#include <string>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

// Xlib after every other header: its macros clash with other code.
#include <X11/Xlib.h>

extern char** environ;

namespace sim {

namespace {

constexpr auto startTimeout = std::chrono::seconds(10);
constexpr auto stopTimeout = std::chrono::seconds(5);

// The server must not load the umockdev preload library the tests run with.
std::vector<std::string> serverEnvironment() {
    std::vector<std::string> environment;
    for (char** entry = environ; *entry; ++entry) {
        const std::string variable(*entry);
        if (variable.starts_with("LD_PRELOAD=") || variable.starts_with("UMOCKDEV_DIR="))
            continue;
        environment.push_back(variable);
    }
    return environment;
}

std::vector<char*> pointersTo(std::vector<std::string>& strings) {
    std::vector<char*> pointers;
    for (auto& string : strings)
        pointers.push_back(string.data());
    pointers.push_back(nullptr);
    return pointers;
}

std::string findInPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::string directories = path ? path : "/usr/bin:/bin";
    size_t start = 0;
    while (start <= directories.size()) {
        const size_t end = std::min(directories.find(':', start), directories.size());
        const std::string candidate = directories.substr(start, end - start) + "/" + program;
        if (access(candidate.c_str(), X_OK) == 0)
            return candidate;
        start = end + 1;
    }
    throw std::runtime_error(program + " not found in PATH");
}

// Reads what Xvfb writes to its -displayfd: the display number, once it accepts connections.
std::string readDisplayNumber(int fd) {
    std::string number;
    const auto deadline = std::chrono::steady_clock::now() + startTimeout;
    while (number.empty() || number.back() != '\n') {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd reader{fd, POLLIN, 0};
        if (left.count() <= 0 || poll(&reader, 1, static_cast<int>(left.count())) <= 0)
            throw std::runtime_error("Xvfb did not report a display number");
        char buffer[16];
        const ssize_t length = read(fd, buffer, sizeof buffer);
        if (length < 0 && errno == EINTR)
            continue;
        if (length <= 0)
            throw std::runtime_error("Xvfb exited before reporting a display number");
        number.append(buffer, static_cast<size_t>(length));
    }
    number.pop_back();
    return number;
}

} // namespace

VirtualDisplay::VirtualDisplay() {
    if (const char* current = std::getenv("DISPLAY"))
        previousDisplay = current;
    start();
    try {
        waitUntilAccepting();
    } catch (...) {
        stop();
        throw;
    }
    setenv("DISPLAY", displayName.c_str(), 1);
}

VirtualDisplay::~VirtualDisplay() {
    if (previousDisplay)
        setenv("DISPLAY", previousDisplay->c_str(), 1);
    else
        unsetenv("DISPLAY");
    stop();
}

const std::string& VirtualDisplay::name() const {
    return displayName;
}

void VirtualDisplay::start() {
    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0)
        throw std::runtime_error("pipe2 failed");
    const std::string program = findInPath("Xvfb");
    // -noreset: without it the server resets whenever its last client leaves, and refuses
    // connections meanwhile.
    std::vector<std::string> arguments{"Xvfb",      "-displayfd", std::to_string(pipeFds[1]),
                                       "-nolisten", "tcp",        "-noreset",
                                       "-screen",   "0",          "1024x768x24"};
    std::vector<std::string> environment = serverEnvironment();
    const auto argv = pointersTo(arguments);
    const auto envp = pointersTo(environment);

    const pid_t parent = getpid();
    server = fork();
    if (server == 0) {
        // Only async-signal-safe calls between fork and exec. The server ends with this process
        // however that ends, so that no client of it is kept running.
        if (prctl(PR_SET_PDEATHSIG, SIGTERM) != 0 || getppid() != parent)
            _exit(127);
        fcntl(pipeFds[1], F_SETFD, 0);
        const int devNull = open("/dev/null", O_RDWR);
        dup2(devNull, STDOUT_FILENO);
        dup2(devNull, STDERR_FILENO);
        execve(program.c_str(), argv.data(), envp.data());
        _exit(127);
    }
    close(pipeFds[1]);
    if (server < 0) {
        close(pipeFds[0]);
        throw std::runtime_error("fork failed");
    }
    try {
        displayName = ":" + readDisplayNumber(pipeFds[0]);
    } catch (...) {
        close(pipeFds[0]);
        stop();
        throw;
    }
    close(pipeFds[0]);
}

void VirtualDisplay::waitUntilAccepting() const {
    const auto deadline = std::chrono::steady_clock::now() + startTimeout;
    while (std::chrono::steady_clock::now() < deadline) {
        if (Display* probe = XOpenDisplay(displayName.c_str())) {
            XCloseDisplay(probe);
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    throw std::runtime_error("Xvfb on " + displayName + " does not accept connections");
}

void VirtualDisplay::stop() {
    if (server <= 0)
        return;
    kill(server, SIGTERM);
    const auto deadline = std::chrono::steady_clock::now() + stopTimeout;
    while (waitpid(server, nullptr, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() >= deadline) {
            kill(server, SIGKILL);
            waitpid(server, nullptr, 0);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    server = -1;
}

} // namespace sim
