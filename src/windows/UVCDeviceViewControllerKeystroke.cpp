// The keystroke profile and delay of UVCDeviceViewController: stored in the user defaults when
// the user changes them, shown from there when the window loads.
#include "windows/UVCDeviceViewController.h"

#include "device/UVCConsole.h"
#include "platform/core/UserDefaults.h"

namespace windows {

const std::vector<std::string>& UVCDeviceViewController::keystrokeProfiles() {
    static const std::vector<std::string> profiles = {
        "Curve Dental", "Dentrix Ascend", "Enter", "MacPractice DDS",
        "Quick Camera", "Sota Imaging",   "Space",
    };
    return profiles;
}

void UVCDeviceViewController::toggleKeyboardControl(QObject* sender) {
    const int index = qobject_cast<QComboBox*>(sender)->currentIndex();
    const auto& profiles = keystrokeProfiles();
    if (index < 0 || index >= static_cast<int>(profiles.size())) {
        return;
    }
    platform::UserDefaults::standard().set(profiles[static_cast<size_t>(index)],
                                           keystrokeSettingKey);
}

void UVCDeviceViewController::KeystrokeDelaycheckboxToggled(QObject* sender) {
    const bool checked = qobject_cast<QCheckBox*>(sender)->checkState() == Qt::Checked;
    device::UVCConsole::printLine(checked ? checkedLine : uncheckedLine);
    platform::UserDefaults::standard().set(checked ? "enabled" : "disabled", keystrokeDelayKey);
}

void UVCDeviceViewController::restoreKeystrokeSettings() {
    auto& defaults = platform::UserDefaults::standard();
    const auto& profiles = keystrokeProfiles();
    std::optional<std::string> setting = defaults.string(keystrokeSettingKey);
    if (!setting) {
        KeystrokeComboBox->setCurrentIndex(defaultProfileIndex);
        setting = profiles[defaultProfileIndex];
        defaults.set(*setting, keystrokeSettingKey);
    }
    for (size_t row = 0; row < profiles.size(); ++row) {
        if (profiles[row] == *setting) {
            KeystrokeComboBox->setCurrentIndex(static_cast<int>(row));
        }
    }
    if (defaults.string(keystrokeDelayKey) == std::optional<std::string>("enabled")) {
        KeystrokeDelayCheckBox->setChecked(true);
    }
}

} // namespace windows
