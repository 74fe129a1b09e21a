#pragma once
// A program started as a child of the test with an environment of the test's choosing, its
// standard output read line by line. The child is ended (SIGTERM, then SIGKILL) with the object.

#include <chrono>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace sim {

class ChildProcess {
public:
    enum class StandardError { inherited, read };

    // The environment is this process's, without the names mapped to nothing and with the others
    // set to their values. Standard error is this process's, or read with standard output.
    // Throws std::runtime_error when the program cannot be started.
    ChildProcess(const std::string& program, const std::vector<std::string>& arguments,
                 const std::map<std::string, std::optional<std::string>>& environment,
                 StandardError standardError = StandardError::inherited);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t pid() const { return child; }

    // Every line the child wrote to its standard output (and error, when read) so far.
    std::vector<std::string> lines();
    // The lines written since the last call, forgotten here: for a child that writes without end.
    std::vector<std::string> takeLines();
    // Waits until `done` answers true for the lines so far; false when `timeout` passed first.
    bool waitFor(const std::function<bool(const std::vector<std::string>&)>& done,
                 std::chrono::milliseconds timeout);
    // Waits until `line` has been written `count` times.
    bool waitForLine(const std::string& line, std::chrono::milliseconds timeout,
                     std::size_t count = 1);

    // Sends the signal; the exit status once the child has ended, none when `timeout` passed
    // first or it ended by a signal.
    void signal(int number) const;
    std::optional<int> waitForExit(std::chrono::milliseconds timeout);
    // False once the child has ended, however it ended.
    bool running();

private:
    void readAvailable(std::chrono::milliseconds wait);

    pid_t child = -1;
    int output = -1;
    bool ended = false;
    int status = 0;
    std::string partial;
    std::vector<std::string> complete;
};

// The path of a program found in PATH; throws std::runtime_error when there is none.
std::string programInPath(const std::string& name);

} // namespace sim
