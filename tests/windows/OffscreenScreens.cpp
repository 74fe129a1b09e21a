#include "OffscreenScreens.h"

#include <QGuiApplication>
#include <QJsonArray>
#include <gtest/gtest.h>
#include <qpa/qplatformnativeinterface.h>
#include <qpa/qwindowsysteminterface.h>

namespace windows {

namespace {

// The offscreen platform's entry points, by the names it publishes them under.
using ConfigurationFunction = QJsonObject (*)(QPlatformNativeInterface*);
using SetConfigurationFunction = void (*)(const QJsonObject&, QPlatformNativeInterface*);

template <typename Function> Function platformFunction(const char* name) {
    void* found = QGuiApplication::platformNativeInterface()->nativeResourceForIntegration(name);
    return reinterpret_cast<Function>(found);
}

bool isOffscreen() {
    return QGuiApplication::platformName() == QLatin1String("offscreen");
}

void apply(const QJsonObject& configuration) {
    platformFunction<SetConfigurationFunction>("setConfiguration")(
        configuration, QGuiApplication::platformNativeInterface());
    QWindowSystemInterface::flushWindowSystemEvents();
}

} // namespace

OffscreenScreens::OffscreenScreens(QSize size)
    : OffscreenScreens(std::vector<QRect>{QRect(QPoint(0, 0), size)}) {}

OffscreenScreens::OffscreenScreens(const std::vector<QRect>& screens) {
    if (!isOffscreen()) {
        ADD_FAILURE() << "screens can be set on the offscreen platform only";
        return;
    }
    previous = platformFunction<ConfigurationFunction>("configuration")(
        QGuiApplication::platformNativeInterface());
    QJsonObject configuration = previous;
    const QJsonObject model = configuration[QStringLiteral("screens")].toArray().at(0).toObject();
    QJsonArray made;
    for (const QRect& geometry : screens) {
        // The first keeps the name of the platform's screen; the others are told apart.
        QJsonObject screen = model;
        if (!made.isEmpty()) {
            screen[QStringLiteral("name")] = QStringLiteral("Screen%1").arg(made.size());
        }
        screen[QStringLiteral("x")] = geometry.x();
        screen[QStringLiteral("y")] = geometry.y();
        screen[QStringLiteral("width")] = geometry.width();
        screen[QStringLiteral("height")] = geometry.height();
        made.append(screen);
    }
    configuration[QStringLiteral("screens")] = made;
    apply(configuration);
}

OffscreenScreens::~OffscreenScreens() {
    if (!previous.isEmpty()) {
        apply(previous);
    }
}

} // namespace windows
