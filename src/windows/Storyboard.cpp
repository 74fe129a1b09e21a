#include "windows/Storyboard.h"

namespace {

constexpr const char* mainStoryboardName = "Main";

} // namespace

Storyboard::Storyboard(QString rawValue)
    : rawValue_(std::move(rawValue)) {}

QString Storyboard::rawValue() const {
    return rawValue_;
}

void Storyboard::setRawValue(const QString& rawValue) {
    rawValue_ = rawValue;
}

const Storyboard& Storyboard::main() {
    // Made once, on first use; a function-local static is safe when threads race to it.
    static const Storyboard storyboard(QString::fromLatin1(mainStoryboardName));
    return storyboard;
}

std::unique_ptr<SceneLoader> Storyboard::instance() const {
    return std::make_unique<SceneLoader>(rawValue_);
}
