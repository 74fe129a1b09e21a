#include "platform/core/UserDefaults.h"

#include <QSettings>

namespace platform {

namespace {

constexpr const char* organisation = "VISTREL";
constexpr const char* application = "Vistrel Utility";

std::unique_ptr<QSettings> settingsAt(const std::optional<QString>& filePath) {
    if (filePath) {
        return std::make_unique<QSettings>(*filePath, QSettings::IniFormat);
    }
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, organisation,
                                       application);
}

std::shared_ptr<UserDefaults>& replacement() {
    static std::shared_ptr<UserDefaults> defaults;
    return defaults;
}

} // namespace

UserDefaults& UserDefaults::standard() {
    if (replacement() != nullptr) {
        return *replacement();
    }
    static UserDefaults defaults;
    return defaults;
}

void UserDefaults::setStandard(std::shared_ptr<UserDefaults> defaults) {
    replacement() = std::move(defaults);
}

UserDefaults::UserDefaults(QString filePath)
    : filePath(std::move(filePath)) {}

std::optional<std::string> UserDefaults::string(const std::string& key) const {
    const QVariant value = settingsAt(filePath)->value(QString::fromStdString(key));
    if (!value.isValid()) {
        return std::nullopt;
    }
    return value.toString().toStdString();
}

void UserDefaults::set(const std::string& value, const std::string& key) {
    settingsAt(filePath)->setValue(QString::fromStdString(key), QString::fromStdString(value));
}

void UserDefaults::remove(const std::string& key) {
    settingsAt(filePath)->remove(QString::fromStdString(key));
}

} // namespace platform
