#include "OffscreenScreenSize.h"

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

OffscreenScreenSize::OffscreenScreenSize(QSize size) {
    if (!isOffscreen()) {
        ADD_FAILURE() << "the screen size can be set on the offscreen platform only";
        return;
    }
    previous = platformFunction<ConfigurationFunction>("configuration")(
        QGuiApplication::platformNativeInterface());
    QJsonObject configuration = previous;
    QJsonArray screens = configuration[QStringLiteral("screens")].toArray();
    QJsonObject first = screens.at(0).toObject();
    first[QStringLiteral("width")] = size.width();
    first[QStringLiteral("height")] = size.height();
    screens.replace(0, first);
    configuration[QStringLiteral("screens")] = screens;
    apply(configuration);
}

OffscreenScreenSize::~OffscreenScreenSize() {
    if (!previous.isEmpty()) {
        apply(previous);
    }
}

} // namespace windows
