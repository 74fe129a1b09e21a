#include "windows/LinkButton.h"

#include "platform/core/Workspace.h"

#include <QUrl>
#include <QVariant>

namespace windows {

LinkButton::LinkButton(QWidget* parent)
    : QPushButton(parent) {
    setUrl(std::nullopt);
    resetCursorRects();
    // Connected before anyone else can connect, so it runs first.
    connect(this, &QPushButton::clicked, this, &LinkButton::sendAction);
}

std::optional<QString> LinkButton::url() const {
    const QVariant value = property(urlProperty);
    if (!value.isValid()) {
        return std::nullopt;
    }
    return value.toString();
}

void LinkButton::setUrl(const std::optional<QString>& url) {
    setProperty(urlProperty, url ? QVariant(*url) : QVariant());
}

void LinkButton::resetCursorRects() {
    setCursor(Qt::PointingHandCursor);
}

void LinkButton::sendAction() {
    const std::optional<QString> address = url();
    if (!address || address->isEmpty()) {
        return;
    }
    const QUrl parsed(*address, QUrl::StrictMode);
    if (parsed.isValid()) {
        platform::Workspace::shared().open(parsed);
    }
}

} // namespace windows
