#pragma once
// Gives the offscreen platform other screens for the life of the object, through the platform's
// own configuration (as Qt's tests change their offscreen screens).

#include <QJsonObject>
#include <QRect>
#include <QSize>

#include <vector>

namespace windows {

class OffscreenScreens {
public:
    // One screen of that size.
    explicit OffscreenScreens(QSize size);
    // Screens at these places on the virtual desktop, the first one primary.
    explicit OffscreenScreens(const std::vector<QRect>& screens);
    ~OffscreenScreens();

    OffscreenScreens(const OffscreenScreens&) = delete;
    OffscreenScreens& operator=(const OffscreenScreens&) = delete;

private:
    QJsonObject previous;
};

} // namespace windows
