#include "platform/core/Workspace.h"

#include <QDesktopServices>

namespace platform {

Workspace& Workspace::shared() {
    static Workspace workspace;
    return workspace;
}

bool Workspace::open(const QUrl& url) const {
    return QDesktopServices::openUrl(url);
}

} // namespace platform
