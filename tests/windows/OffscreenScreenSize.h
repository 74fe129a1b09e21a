#pragma once
// Gives the offscreen platform's screen another size for the life of the object, through the
// platform's own configuration (as Qt's tests change their offscreen screens).

#include <QJsonObject>
#include <QSize>

namespace windows {

class OffscreenScreenSize {
public:
    explicit OffscreenScreenSize(QSize size);
    ~OffscreenScreenSize();

    OffscreenScreenSize(const OffscreenScreenSize&) = delete;
    OffscreenScreenSize& operator=(const OffscreenScreenSize&) = delete;

private:
    QJsonObject previous;
};

} // namespace windows
