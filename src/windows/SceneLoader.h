#pragma once
// The scenes of one storyboard, read from the application's resources as
// ":/<storyboard>/<identifier>.ui", and the controller classes those scenes may name.

#include "platform/widgets/Coder.h"

#include <QMetaObject>
#include <QObject>
#include <QString>
#include <QUiLoader>

#include <functional>
#include <memory>

namespace windows {

// A scene's top widget names its controller class in its dynamic property "controllerClass".
// A window controller's scene may hold one widget naming a view controller class: that view
// controller becomes the window's content. Outlets are the controller's writable Q_PROPERTYs
// of a QObject pointer type; each is connected to the scene's object of the same objectName.
// A widget's dynamic property "action" names an action of its controller as "name:"; the
// controller's method name(QObject* sender) is called with the widget at each user action
// (a click of a button, a segment picked, an item chosen, a slider moved). The controller is
// that of the nearest widget, the sender itself or an ancestor, that names a controller class.
// Scenes may use the custom widgets LinkButton, SegmentedControl and Slider (each with a
// <customwidgets> entry in the .ui).
class SceneLoader : public QUiLoader {
    Q_OBJECT

public:
    // Makes a controller that takes over the coder's widget.
    using Factory = std::function<std::shared_ptr<QObject>(const platform::Coder&)>;

    static constexpr const char* controllerClassProperty = "controllerClass";
    static constexpr const char* actionProperty = "action";

    explicit SceneLoader(QString storyboardName);

    // The controller of the scene with that identifier, its outlets connected. A missing or
    // unreadable scene, or one naming an unknown class, stops the process.
    std::shared_ptr<QObject> instantiateController(const QString& identifier);

    // Lets scenes name the class under className. Main thread only, like the scenes.
    static void registerController(const QString& className, Factory factory);
    // Registers T under its unqualified class name.
    template <class T> static void registerController() {
        // Without its own Q_OBJECT a class would answer with its base's name and load the
        // base's scene.
        static_assert(QtPrivate::HasQ_OBJECT_Macro<T>::Value,
                      "a scene controller class needs its own Q_OBJECT");
        registerController(className(T::staticMetaObject), [](const platform::Coder& coder) {
            return std::static_pointer_cast<QObject>(std::make_shared<T>(coder));
        });
    }

    // A class's name without its namespace ("UVCDevice" for "ns::UVCDevice").
    static QString className(const QMetaObject& meta);

    // Makes the custom widgets, which a scene names without namespace; every other class as
    // QUiLoader does.
    QWidget* createWidget(const QString& className, QWidget* parent = nullptr,
                          const QString& name = QString()) override;

private:
    std::unique_ptr<QWidget> loadScene(const QString& identifier);
    static std::shared_ptr<QObject> makeController(QWidget& widget, const QString& identifier);
    static void connectOutlets(QObject& controller, QWidget& scene);
    static void connectActions(QWidget& root, QObject& controller, QObject* content);
    static void connectAction(QWidget& sender, QObject& controller);

    QString storyboardName;
};

} // namespace windows
