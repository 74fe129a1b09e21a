#include "support/ChildProcess.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <utility>

extern char** environ;

namespace sim {

namespace {

constexpr auto endTimeout = std::chrono::seconds(5);

std::vector<std::string>
environmentWith(const std::map<std::string, std::optional<std::string>>& changes) {
    std::vector<std::string> result;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string variable(*entry);
        if (!changes.contains(variable.substr(0, variable.find('=')))) {
            result.push_back(variable);
        }
    }
    for (const auto& [name, value] : changes) {
        if (value) {
            result.push_back(name + "=" + *value);
        }
    }
    return result;
}

std::vector<char*> pointersTo(std::vector<std::string>& strings) {
    std::vector<char*> pointers;
    for (auto& string : strings) {
        pointers.push_back(string.data());
    }
    pointers.push_back(nullptr);
    return pointers;
}

} // namespace

std::string programInPath(const std::string& name) {
    if (name.find('/') != std::string::npos) {
        return name;
    }
    const char* path = std::getenv("PATH");
    std::string directories = path != nullptr ? path : "/usr/bin:/bin";
    for (std::size_t start = 0; start <= directories.size();) {
        const std::size_t end = std::min(directories.find(':', start), directories.size());
        const std::string candidate = directories.substr(start, end - start) + "/" + name;
        if (access(candidate.c_str(), X_OK) == 0) {
            return candidate;
        }
        start = end + 1;
    }
    throw std::runtime_error(name + " not found in PATH");
}

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& arguments,
                           const std::map<std::string, std::optional<std::string>>& environment,
                           StandardError standardError) {
    const std::string path = programInPath(program);
    std::vector<std::string> argumentStrings{path};
    argumentStrings.insert(argumentStrings.end(), arguments.begin(), arguments.end());
    std::vector<std::string> environmentStrings = environmentWith(environment);
    const auto argv = pointersTo(argumentStrings);
    const auto envp = pointersTo(environmentStrings);
    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0) {
        throw std::runtime_error("pipe2 failed");
    }
    const pid_t parent = getpid();
    child = fork();
    if (child == 0) {
        // Only async-signal-safe calls between fork and exec. The child ends with this process
        // however that ends (an exit from inside a library included), so that it never keeps a
        // display or the output of whoever runs the test open.
        if (prctl(PR_SET_PDEATHSIG, SIGKILL) != 0 || getppid() != parent) {
            _exit(127);
        }
        dup2(pipeFds[1], STDOUT_FILENO);
        if (standardError == StandardError::read) {
            dup2(pipeFds[1], STDERR_FILENO);
        }
        execve(path.c_str(), argv.data(), envp.data());
        _exit(127);
    }
    close(pipeFds[1]);
    output = pipeFds[0];
    if (child < 0) {
        close(output);
        throw std::runtime_error("fork failed");
    }
}

ChildProcess::~ChildProcess() {
    if (!ended) {
        signal(SIGTERM);
        if (!waitForExit(endTimeout) && !ended) {
            signal(SIGKILL);
            waitpid(child, &status, 0);
        }
    }
    close(output);
}

void ChildProcess::readAvailable(std::chrono::milliseconds wait) {
    pollfd reader{output, POLLIN, 0};
    if (poll(&reader, 1, static_cast<int>(wait.count())) <= 0) {
        return;
    }
    char buffer[4096];
    const ssize_t length = read(output, buffer, sizeof buffer);
    if (length <= 0) {
        if (length == 0) {
            std::this_thread::sleep_for(wait); // closed: nothing more will come
        }
        return;
    }
    partial.append(buffer, static_cast<std::size_t>(length));
    for (std::size_t end; (end = partial.find('\n')) != std::string::npos;) {
        complete.push_back(partial.substr(0, end));
        partial.erase(0, end + 1);
    }
}

std::vector<std::string> ChildProcess::lines() {
    readAvailable(std::chrono::milliseconds(0));
    return complete;
}

std::vector<std::string> ChildProcess::takeLines() {
    readAvailable(std::chrono::milliseconds(0));
    return std::exchange(complete, {});
}

bool ChildProcess::waitFor(const std::function<bool(const std::vector<std::string>&)>& done,
                           std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!done(lines())) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        readAvailable(std::chrono::milliseconds(20));
    }
    return true;
}

bool ChildProcess::waitForLine(const std::string& line, std::chrono::milliseconds timeout,
                               std::size_t count) {
    return waitFor(
        [&](const std::vector<std::string>& all) {
            return static_cast<std::size_t>(std::count(all.begin(), all.end(), line)) >= count;
        },
        timeout);
}

void ChildProcess::signal(int number) const {
    if (!ended) {
        kill(child, number);
    }
}

std::optional<int> ChildProcess::waitForExit(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!ended) {
        const pid_t reaped = waitpid(child, &status, WNOHANG);
        if (reaped == child) {
            ended = true;
            break;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return std::nullopt;
        }
        readAvailable(std::chrono::milliseconds(10));
    }
    if (!WIFEXITED(status)) {
        return std::nullopt;
    }
    return WEXITSTATUS(status);
}

bool ChildProcess::running() {
    if (!ended && waitpid(child, &status, WNOHANG) == child) {
        ended = true;
    }
    return !ended;
}

} // namespace sim
