#pragma once
// The environment in which a test starts the real vistrel-utility: against the test's simulated
// camera (the child reaches it through UMOCKDEV_DIR), on the X display of this process, with
// settings of the test's own and no desktop of the machine's.

#include "support/SimulatedCamera.h"

#include <QTemporaryDir>

#include <map>
#include <optional>
#include <string>

namespace app {

using Environment = std::map<std::string, std::optional<std::string>>;

inline Environment utilityEnvironment(const sim::SimulatedCamera& camera,
                                      const QTemporaryDir& configHome) {
    return {{"UMOCKDEV_DIR", camera.umockdevDir()},
            {"LD_PRELOAD", "libumockdev-preload.so.0"},
            {"QT_QPA_PLATFORM", "xcb"},
            {"XDG_CONFIG_HOME", configHome.path().toStdString()},
            {"XDG_CURRENT_DESKTOP", std::nullopt},
            {"LSAN_OPTIONS", "suppressions=" VISTREL_UTILITY_LSAN_SUPPRESSIONS}};
}

} // namespace app
