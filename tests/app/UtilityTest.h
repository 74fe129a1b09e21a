#pragma once
// Base of the tests of the real vistrel-utility: the program as a child process against the
// simulated camera that the test owns (the child reaches it through UMOCKDEV_DIR), on a virtual
// X display with a tray, its settings and runtime directory the test's own.

#include "support/ChildProcess.h"
#include "support/KeystrokeRecorder.h"
#include "support/SimulatedCamera.h"
#include "support/TrayHost.h"
#include "support/VirtualDisplay.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <chrono>
#include <cstddef>
#include <memory>
#include <optional>

namespace app {

class UtilityTest : public ::testing::Test {
protected:
    static constexpr std::chrono::seconds startTimeout{20};
    static constexpr std::chrono::seconds eventTimeout{10};

    // The camera plugged (on the video node held by the kernel's driver from its plug on); the
    // keystroke profile "Enter", without delay.
    explicit UtilityTest(sim::TransferRoute route = sim::TransferRoute::usbfs);

    // Another start of the utility in the test's desktop session.
    std::unique_ptr<sim::ChildProcess>
    startUtility(sim::ChildProcess::StandardError standardError =
                     sim::ChildProcess::StandardError::inherited) const;

    // The tray menu, opened by a click on the icon, once it is drawn with its rows.
    std::optional<sim::ScreenRect> openMenu();
    // An item of the open menu, chosen as a person does, by pointing at the row that shows it
    // and clicking once it is highlighted: the camera (or "No camera found") first, About and
    // Quit last, below the separator.
    enum class MenuItem { camera, about, quit };
    static constexpr std::size_t menuRows = 3;
    void choose(const sim::ScreenRect& menu, MenuItem item);

    QTemporaryDir configHome;
    QTemporaryDir runtimeDir;
    sim::SimulatedCamera camera;
    sim::VirtualDisplay display;
    std::unique_ptr<sim::TrayHost> tray = std::make_unique<sim::TrayHost>();
    std::unique_ptr<sim::KeystrokeRecorder> recorder = std::make_unique<sim::KeystrokeRecorder>();
};

} // namespace app
