#include "windows/SceneLoader.h"

#include "platform/core/Bundle.h"
#include "platform/core/FatalError.h"
#include "platform/widgets/SegmentedControl.h"
#include "platform/widgets/Slider.h"
#include "platform/widgets/ViewController.h"
#include "platform/widgets/WindowController.h"
#include "windows/LinkButton.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QComboBox>
#include <QFile>
#include <QMetaProperty>
#include <QVariant>

#include <string>
#include <unordered_map>

namespace windows {

namespace {

std::unordered_map<QString, SceneLoader::Factory>& registry() {
    static std::unordered_map<QString, SceneLoader::Factory> factories;
    return factories;
}

[[noreturn]] void sceneError(const QString& message,
                             std::source_location where = std::source_location::current()) {
    platform::fatalError(message.toStdString(), where);
}

bool isController(const QObject* object) {
    return dynamic_cast<const platform::WindowController*>(object) != nullptr ||
           dynamic_cast<const platform::ViewController*>(object) != nullptr;
}

} // namespace

SceneLoader::SceneLoader(QString storyboardName)
    : storyboardName(std::move(storyboardName)) {}

std::shared_ptr<QObject> SceneLoader::instantiateController(const QString& identifier) {
    std::unique_ptr<QWidget> scene = loadScene(identifier);
    std::shared_ptr<QObject> controller = makeController(*scene, identifier);
    // The controller has taken the scene's top widget over.
    QWidget* root = scene.release();
    connectOutlets(*controller, *root);
    auto windowController = std::dynamic_pointer_cast<platform::WindowController>(controller);
    if (windowController == nullptr) {
        connectActions(*root, *controller, nullptr);
        return controller;
    }
    std::shared_ptr<platform::ViewController> content;
    for (QWidget* child : root->findChildren<QWidget*>()) {
        if (!child->property(controllerClassProperty).isValid()) {
            continue;
        }
        content =
            std::dynamic_pointer_cast<platform::ViewController>(makeController(*child, identifier));
        if (content == nullptr) {
            sceneError(QStringLiteral("The content of scene '%1' is not a view controller")
                           .arg(identifier));
        }
        connectOutlets(*content, *root);
        windowController->setContentViewController(content);
        break;
    }
    connectActions(*root, *controller, content.get());
    return controller;
}

void SceneLoader::registerController(const QString& className, Factory factory) {
    registry()[className] = std::move(factory);
}

QString SceneLoader::className(const QMetaObject& meta) {
    const QString qualified = QString::fromLatin1(meta.className());
    const auto separator = qualified.lastIndexOf(QStringLiteral("::"));
    return separator < 0 ? qualified : qualified.mid(separator + 2);
}

QWidget* SceneLoader::createWidget(const QString& className, QWidget* parent, const QString& name) {
    QWidget* widget = nullptr;
    if (className == QLatin1String("LinkButton")) {
        widget = new LinkButton(parent);
    } else if (className == QLatin1String("SegmentedControl")) {
        widget = new platform::SegmentedControl(parent);
    } else if (className == QLatin1String("Slider")) {
        widget = new platform::Slider(parent);
    } else {
        return QUiLoader::createWidget(className, parent, name);
    }
    widget->setObjectName(name);
    return widget;
}

std::unique_ptr<QWidget> SceneLoader::loadScene(const QString& identifier) {
    QFile file(QStringLiteral(":/%1/%2.ui").arg(storyboardName, identifier));
    if (!file.open(QIODevice::ReadOnly)) {
        sceneError(QStringLiteral("Storyboard '%1' has no scene with identifier '%2'")
                       .arg(storyboardName, identifier));
    }
    std::unique_ptr<QWidget> scene(load(&file));
    if (scene == nullptr) {
        sceneError(
            QStringLiteral("Scene '%1' could not be read: %2").arg(identifier, errorString()));
    }
    // Segment labels are localization keys, like the scene's other texts, which the loader
    // translates by itself.
    for (auto* control : scene->findChildren<platform::SegmentedControl*>()) {
        for (int segment = 0; segment < control->segmentCount(); ++segment) {
            control->setLabel(platform::Bundle::main().localizedString(control->label(segment)),
                              segment);
        }
    }
    return scene;
}

std::shared_ptr<QObject> SceneLoader::makeController(QWidget& widget, const QString& identifier) {
    const QString name = widget.property(controllerClassProperty).toString();
    const auto found = registry().find(name);
    if (found == registry().end()) {
        sceneError(QStringLiteral("Scene '%1' names the unknown class '%2'").arg(identifier, name));
    }
    std::shared_ptr<QObject> controller = found->second(platform::Coder{&widget});
    if (!isController(controller.get())) {
        sceneError(
            QStringLiteral("Class '%1' of scene '%2' is no controller").arg(name, identifier));
    }
    return controller;
}

void SceneLoader::connectOutlets(QObject& controller, QWidget& scene) {
    const QMetaObject* meta = controller.metaObject();
    for (int index = QObject::staticMetaObject.propertyCount(); index < meta->propertyCount();
         ++index) {
        const QMetaProperty outlet = meta->property(index);
        if (!outlet.isWritable() || !(outlet.metaType().flags() & QMetaType::PointerToQObject)) {
            continue;
        }
        const QString name = QString::fromLatin1(outlet.name());
        QObject* target = scene.objectName() == name ? &scene : scene.findChild<QObject*>(name);
        if (target != nullptr) {
            outlet.write(&controller, QVariant::fromValue(target));
        }
    }
}

void SceneLoader::connectActions(QWidget& root, QObject& controller, QObject* content) {
    QList<QWidget*> widgets = root.findChildren<QWidget*>();
    widgets.prepend(&root);
    for (QWidget* widget : widgets) {
        if (!widget->property(actionProperty).isValid()) {
            continue;
        }
        // The nearest widget naming a controller class is the root or the content's view.
        QWidget* owner = widget;
        while (owner != &root && !owner->property(controllerClassProperty).isValid()) {
            owner = owner->parentWidget();
        }
        connectAction(*widget, owner == &root || content == nullptr ? controller : *content);
    }
}

void SceneLoader::connectAction(QWidget& sender, QObject& controller) {
    QString name = sender.property(actionProperty).toString();
    name.chop(name.endsWith(QLatin1Char(':')) ? 1 : 0);
    const QByteArray signature = QStringLiteral("%1(QObject*)").arg(name).toLatin1();
    const int index = controller.metaObject()->indexOfMethod(signature.constData());
    if (index < 0) {
        sceneError(QStringLiteral("Class '%1' has no action '%2:' for '%3'")
                       .arg(className(*controller.metaObject()), name, sender.objectName()));
    }
    const QMetaMethod action = controller.metaObject()->method(index);
    QWidget* widget = &sender;
    auto send = [target = QPointer<QObject>(&controller), action, widget] {
        if (target) {
            action.invoke(target, Qt::DirectConnection, Q_ARG(QObject*, widget));
        }
    };
    if (auto* segmented = qobject_cast<platform::SegmentedControl*>(widget)) {
        QObject::connect(segmented, &platform::SegmentedControl::userSelected, segmented, send);
    } else if (auto* comboBox = qobject_cast<QComboBox*>(widget)) {
        QObject::connect(comboBox, &QComboBox::activated, comboBox, send);
    } else if (auto* slider = qobject_cast<QAbstractSlider*>(widget)) {
        QObject::connect(slider, &QAbstractSlider::actionTriggered, slider, send);
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        QObject::connect(button, &QAbstractButton::clicked, button, send);
    } else {
        sceneError(QStringLiteral("'%1' sends no actions").arg(sender.objectName()));
    }
}

} // namespace windows
