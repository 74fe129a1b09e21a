// `make demo`: the utility on this desktop against the simulated camera, for trying it without
// the camera. The camera's button is pressed with Enter in the terminal.
#include "support/ChildProcess.h"
#include "support/SimulatedCamera.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <map>
#include <optional>
#include <poll.h>
#include <string>
#include <unistd.h>

namespace {

constexpr uint8_t pressedCode = 0x19; // the pressed code that belongs to the idle code 1D
constexpr const char* usage =
    "Vistrel Utility runs against a simulated VISTREL camera.\n"
    "  Enter     press the camera's button (choose a keystroke profile in its window first)\n"
    "  u Enter   unplug or plug the camera\n"
    "  q Enter   quit\n";

// Waits up to `wait` for a line on standard input; none when nothing came.
std::optional<std::string> readCommand(std::chrono::milliseconds wait) {
    pollfd input{STDIN_FILENO, POLLIN, 0};
    if (poll(&input, 1, static_cast<int>(wait.count())) <= 0) {
        return std::nullopt;
    }
    std::string line;
    if (!std::getline(std::cin, line)) {
        return std::string("q");
    }
    return line;
}

} // namespace

int main() {
    sim::SimulatedCamera camera;
    camera.plug();
    sim::ChildProcess utility(
        VISTREL_UTILITY_PATH, {},
        {{"UMOCKDEV_DIR", camera.umockdevDir()}, {"LD_PRELOAD", "libumockdev-preload.so.0"}});
    std::cout << usage << std::flush;
    std::size_t shown = 0;
    for (;;) {
        // The button poll prints its idle code every 0.15 s: a repeated line is shown once.
        const std::vector<std::string> lines = utility.lines();
        for (; shown < lines.size(); ++shown) {
            if (shown == 0 || lines[shown] != lines[shown - 1]) {
                std::cout << "  | " << lines[shown] << '\n' << std::flush;
            }
        }
        if (utility.waitForExit(std::chrono::milliseconds(0))) {
            return 0;
        }
        const std::optional<std::string> command = readCommand(std::chrono::milliseconds(100));
        if (!command) {
            continue;
        }
        if (*command == "q") {
            utility.signal(SIGTERM);
            utility.waitForExit(std::chrono::seconds(5));
            return 0;
        }
        if (*command == "u") {
            camera.isPlugged() ? camera.unplug() : camera.plug();
        } else if (camera.isPlugged()) {
            camera.scriptButtonCodes({pressedCode});
        }
    }
}
