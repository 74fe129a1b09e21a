#pragma once
// What a scene hands to the controller class it names: the widget that controller takes over,
// its window (window controllers) or its view (view controllers).

#include <QPointer>
#include <QWidget>

namespace platform {

struct Coder {
    QPointer<QWidget> widget;
};

} // namespace platform
