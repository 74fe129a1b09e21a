#include "platform/core/DesktopColorScheme.h"

#include "support/DesktopPortal.h"
#include "support/EventLoop.h"
#include "support/SessionBus.h"

#include <QDBusVariant>
#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <vector>

namespace platform {

namespace {

using Scheme = DesktopColorScheme::Scheme;
using Schemes = std::vector<Scheme>;

} // namespace

void PrintTo(Scheme scheme, std::ostream* out) {
    *out << (scheme == Scheme::dark ? "dark" : scheme == Scheme::light ? "light" : "unknown");
}

namespace {

const QString appearance = QStringLiteral("org.freedesktop.appearance");
const QString colorScheme = QStringLiteral("color-scheme");

struct PortalCase {
    const char* name;
    std::optional<sim::DesktopPortal::Version> portal; // none: no portal on the bus
    QVariant answer;
    // What the reader announced, up to the portal's change to light that follows its answer.
    Schemes announced;
};

void PrintTo(const PortalCase& portalCase, std::ostream* out) {
    *out << portalCase.name;
}

class DesktopColorSchemeTest : public ::testing::TestWithParam<PortalCase> {
protected:
    sim::SessionBus bus;
    QDBusConnection portalSide = bus.connection();
};

} // namespace

TEST_P(DesktopColorSchemeTest, TheSchemeIsTheAnswerOfThePortalTakenLaterAndFollowsItsChanges) {
    std::optional<sim::DesktopPortal> portal;
    if (GetParam().portal) {
        portal.emplace(portalSide, *GetParam().portal, GetParam().answer);
    }
    DesktopColorScheme scheme(bus.connection());
    // Nothing waited for the portal: it has not even been asked on this thread's loop yet.
    EXPECT_EQ(scheme.scheme(), Scheme::unknown);
    ASSERT_EQ(portal ? portal->reads() : 0, 0);
    Schemes announced;
    QObject::connect(&scheme, &DesktopColorScheme::changed,
                     [&announced](Scheme changed) { announced.push_back(changed); });
    ASSERT_TRUE(sim::runEventLoopUntil([&] { return !portal || portal->reads() == 1; }));
    // Sent after the answer, so taken after it: another setting, then the scheme itself; without
    // a portal, from one that comes later.
    if (!portal) {
        portal.emplace(portalSide, sim::DesktopPortal::Version::second, QVariant{});
    }
    portal->changeSetting(appearance, QStringLiteral("accent-color"), 1U);
    portal->changeSetting(appearance, colorScheme, 2U);
    ASSERT_TRUE(sim::runEventLoopUntil(
        [&] { return !announced.empty() && announced.back() == Scheme::light; }));
    EXPECT_EQ(announced, GetParam().announced);
    EXPECT_EQ(scheme.scheme(), Scheme::light);
}

INSTANTIATE_TEST_SUITE_P(
    Portals, DesktopColorSchemeTest,
    ::testing::Values(
        PortalCase{"Dark", sim::DesktopPortal::Version::second, 1U, {Scheme::dark, Scheme::light}},
        PortalCase{"Light", sim::DesktopPortal::Version::second, 2U, {Scheme::light}},
        PortalCase{"NoPreference", sim::DesktopPortal::Version::second, 0U, {Scheme::light}},
        PortalCase{"AnotherType",
                   sim::DesktopPortal::Version::second,
                   QStringLiteral("1"),
                   {Scheme::light}},
        PortalCase{"FirstVersionReadOnly",
                   sim::DesktopPortal::Version::first,
                   1U,
                   {Scheme::dark, Scheme::light}},
        PortalCase{"NoPortal", std::nullopt, {}, {Scheme::light}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace platform
