#pragma once
// The application's user defaults: strings stored under keys in the user's settings file, the
// stand-in for the standard user defaults.

#include <QString>

#include <memory>
#include <optional>
#include <string>

namespace platform {

// Every call reads or writes the settings file afresh, so values written elsewhere in the
// process are seen at once.
class UserDefaults {
public:
    // The user's own settings file, unless a test put other defaults in place.
    static UserDefaults& standard();
    // Makes standard() answer the given defaults; nullptr brings the user's own back.
    static void setStandard(std::shared_ptr<UserDefaults> defaults);

    // The user's settings file ($XDG_CONFIG_HOME/VISTREL/Vistrel Utility.conf).
    UserDefaults() = default;
    // The settings file at that path (INI format), for a test of its own.
    explicit UserDefaults(QString filePath);

    // The string stored under the key, or nothing when the key is unset.
    std::optional<std::string> string(const std::string& key) const;
    void set(const std::string& value, const std::string& key);
    // The key is unset afterwards.
    void remove(const std::string& key);

private:
    std::optional<QString> filePath;
};

} // namespace platform
