#include "windows/AboutViewController.h"

#include "platform/core/Bundle.h"
#include "platform/widgets/WindowPlacement.h"

namespace windows {

namespace {

constexpr const char* fallbackVersion = "v1.0";

} // namespace

AboutViewController::AboutViewController(const platform::Coder& coder)
    : ViewController(coder) {}

QLabel* AboutViewController::versionLabel() const {
    return label;
}

void AboutViewController::setVersionLabel(QLabel* versionLabel) {
    label = versionLabel;
}

void AboutViewController::viewWillAppear() {
    ViewController::viewWillAppear();
    if (QWidget* shown = window()) {
        platform::setMovableByWindowBackground(shown, true);
    }
    const std::optional<QString> version = platform::Bundle::main().shortVersionString();
    label->setText(version ? QStringLiteral("v") + *version : QString::fromLatin1(fallbackVersion));
}

} // namespace windows
