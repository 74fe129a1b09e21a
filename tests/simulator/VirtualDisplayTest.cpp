// The virtual display: it names itself in DISPLAY while it lives and accepts clients.
#include "support/VirtualDisplay.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

// Xlib after every other header: its macros clash with other code.
#include <X11/Xlib.h>

namespace sim {

namespace {

std::optional<std::string> displayVariable() {
    const char* value = std::getenv("DISPLAY");
    return value ? std::optional<std::string>(value) : std::nullopt;
}

} // namespace

TEST(VirtualDisplayTest, NamesItselfInDisplayWhileAliveAndRestoresItAfter) {
    const auto original = displayVariable();
    setenv("DISPLAY", ":outer", 1);
    {
        VirtualDisplay server;
        const std::string name = server.name();
        ASSERT_EQ(name.front(), ':');
        EXPECT_EQ(displayVariable(), name);
        Display* client = XOpenDisplay(nullptr);
        EXPECT_NE(client, nullptr);
        if (client)
            XCloseDisplay(client);
    }
    EXPECT_EQ(displayVariable(), ":outer");

    unsetenv("DISPLAY");
    { VirtualDisplay server; }
    EXPECT_EQ(displayVariable(), std::nullopt);
    if (original)
        setenv("DISPLAY", original->c_str(), 1);
}

} // namespace sim
