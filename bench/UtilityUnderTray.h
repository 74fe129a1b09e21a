#pragma once
// The whole utility as the user runs it: the real program against the simulated camera, on a
// virtual display with a tray, with a configuration of its own; and what /proc says about it.

#include "support/ChildProcess.h"
#include "support/SimulatedCamera.h"
#include "support/TrayHost.h"
#include "support/VirtualDisplay.h"

#include <QTemporaryDir>

#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>

namespace bench {

// The program built beside the running bench.
inline std::string utilityPath() {
    char self[4096] = {};
    const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
    const std::string path(self, length > 0 ? static_cast<std::size_t>(length) : 0);
    return path.substr(0, path.rfind("/bench/")) + "/vistrel-utility";
}

// A number of /proc/<pid>/status ("VmRSS" in kilobytes, "Threads"); -1 when absent.
inline long statusField(pid_t pid, const std::string& name) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with(name + ":")) {
            return std::stol(line.substr(name.size() + 1));
        }
    }
    return -1;
}

struct UtilityUnderTray {
    // The camera is plugged from the start.
    UtilityUnderTray() { camera.plug(); }

    std::unique_ptr<sim::ChildProcess> startUtility() const {
        return std::make_unique<sim::ChildProcess>(
            utilityPath(), std::vector<std::string>{},
            std::map<std::string, std::optional<std::string>>{
                {"UMOCKDEV_DIR", camera.umockdevDir()},
                {"LD_PRELOAD", "libumockdev-preload.so.0"},
                {"QT_QPA_PLATFORM", "xcb"},
                {"XDG_CONFIG_HOME", configHome.path().toStdString()}});
    }

    QTemporaryDir configHome;
    sim::SimulatedCamera camera;
    sim::VirtualDisplay display;
    sim::TrayHost tray;
};

} // namespace bench
