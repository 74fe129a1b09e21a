#pragma once
// Making a controller of a known class from a storyboard scene. The scene's controller is
// converted to that class by force: a scene of another class stops the process, naming the
// caller's source file and line.

#include "platform/core/FatalError.h"
#include "platform/widgets/ViewController.h"
#include "platform/widgets/WindowController.h"
#include "windows/Storyboard.h"

#include <QString>

#include <concepts>
#include <memory>
#include <source_location>

namespace windows {

template <class T>
concept SceneController = std::derived_from<T, platform::ViewController> ||
    std::derived_from<T, platform::WindowController>;

template <SceneController T> class StoryboardInstantiable {
public:
    // The controller of the scene with that identifier.
    static std::shared_ptr<T>
    instantiate(const QString& identifier, const Storyboard& storyboard,
                std::source_location where = std::source_location::current()) {
        std::shared_ptr<QObject> controller =
            storyboard.instance()->instantiateController(identifier);
        auto converted = std::dynamic_pointer_cast<T>(controller);
        if (converted == nullptr) {
            platform::fatalError(QStringLiteral("Could not cast value of type '%1' to '%2'")
                                     .arg(SceneLoader::className(*controller->metaObject()),
                                          SceneLoader::className(T::staticMetaObject))
                                     .toStdString(),
                                 where);
        }
        return converted;
    }

    // The controller of the scene named after T, without namespace.
    static std::shared_ptr<T>
    instantiate(const Storyboard& storyboard,
                std::source_location where = std::source_location::current()) {
        return instantiate(SceneLoader::className(T::staticMetaObject), storyboard, where);
    }
};

} // namespace windows
