#pragma once
// The name of a storyboard of the application: a set of scenes from which controllers are
// made by scene identifier. Two storyboards are equal when their names are.

#include "windows/SceneLoader.h"

#include <QString>

#include <cstddef>
#include <functional>
#include <memory>

namespace windows {

class Storyboard {
public:
    // Never fails; the name is not looked up here.
    explicit Storyboard(QString rawValue);

    QString rawValue() const;
    void setRawValue(const QString& rawValue);

    // The storyboard "Main".
    static const Storyboard& main();

    // The scenes of this storyboard, read anew on every call; nothing is cached.
    std::unique_ptr<SceneLoader> instance() const;

    bool operator==(const Storyboard& other) const = default;

private:
    QString name;
};

} // namespace windows

template <> struct std::hash<windows::Storyboard> {
    std::size_t operator()(const windows::Storyboard& storyboard) const noexcept {
        return std::hash<QString>{}(storyboard.rawValue());
    }
};
