#include "platform/core/CaptureAccess.h"

#include "platform/core/CaptureDeviceDiscovery.h"

#include <QFile>
#include <QThreadPool>

#include <cerrno>
#include <mutex>
#include <unistd.h>
#include <utility>

namespace platform {

namespace {

std::mutex forcedMutex;
std::optional<bool> forced;

std::optional<bool> forcedAnswer() {
    std::lock_guard lock(forcedMutex);
    return forced;
}

} // namespace

void CaptureAccess::requestAccess(Completion completion) {
    QThreadPool::globalInstance()->start(
        [completion = std::move(completion), answer = forcedAnswer()] {
            completion(answer ? *answer : canOpenEveryDevice());
        });
}

void CaptureAccess::forceAnswer(std::optional<bool> answer) {
    std::lock_guard lock(forcedMutex);
    forced = answer;
}

// access(2) checks with the real user and group, which is the user of this process. A node
// listed by udev but absent from /dev is not there to be opened and is passed over.
bool CaptureAccess::canOpenEveryDevice() {
    for (const CaptureDevice& device : CaptureDeviceDiscovery::devices()) {
        QByteArray node = QFile::encodeName(device.nodePath());
        if (access(node.constData(), R_OK | W_OK) != 0 && errno != ENOENT) {
            return false;
        }
    }
    return true;
}

} // namespace platform
