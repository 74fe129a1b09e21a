#include "windows/Storyboard.h"

namespace windows {

namespace {

constexpr const char* mainStoryboardName = "Main";

} // namespace

Storyboard::Storyboard(QString rawValue)
    : name(std::move(rawValue)) {}

QString Storyboard::rawValue() const {
    return name;
}

void Storyboard::setRawValue(const QString& rawValue) {
    name = rawValue;
}

const Storyboard& Storyboard::main() {
    // Made once, on first use; a function-local static is safe when threads race to it.
    static const Storyboard storyboard(QString::fromLatin1(mainStoryboardName));
    return storyboard;
}

std::unique_ptr<SceneLoader> Storyboard::instance() const {
    return std::make_unique<SceneLoader>(name);
}

} // namespace windows
