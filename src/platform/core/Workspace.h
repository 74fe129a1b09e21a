#pragma once
// The desktop's handler of URLs: opens web pages and settings in the programs the user chose.

#include <QUrl>

namespace platform {

class Workspace {
public:
    static Workspace& shared();

    // Hands the URL to the desktop (or to a handler registered for its scheme with
    // QDesktopServices::setUrlHandler). False when nothing could open it.
    bool open(const QUrl& url) const;

    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;

private:
    Workspace() = default;
};

} // namespace platform
