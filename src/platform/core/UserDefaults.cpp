#include "platform/core/UserDefaults.h"

#include <QSettings>

namespace platform {

namespace {

constexpr const char* organisation = "VISTREL";
constexpr const char* application = "Vistrel Utility";

QSettings settings() {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, organisation, application);
}

} // namespace

UserDefaults& UserDefaults::standard() {
    static UserDefaults defaults;
    return defaults;
}

std::optional<std::string> UserDefaults::string(const std::string& key) const {
    const QVariant value = settings().value(QString::fromStdString(key));
    if (!value.isValid()) {
        return std::nullopt;
    }
    return value.toString().toStdString();
}

void UserDefaults::set(const std::string& value, const std::string& key) {
    settings().setValue(QString::fromStdString(key), QString::fromStdString(value));
}

} // namespace platform
