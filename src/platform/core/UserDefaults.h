#pragma once
// The application's user defaults: strings stored under keys in the user's settings file, the
// stand-in for the standard user defaults.

#include <optional>
#include <string>

namespace platform {

// Every call reads or writes the settings file afresh, so values written elsewhere in the
// process are seen at once.
class UserDefaults {
public:
    static UserDefaults& standard();

    // The string stored under the key, or nothing when the key is unset.
    std::optional<std::string> string(const std::string& key) const;
    void set(const std::string& value, const std::string& key);
};

} // namespace platform
