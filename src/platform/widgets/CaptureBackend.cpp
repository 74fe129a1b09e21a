#include "platform/widgets/CaptureBackend.h"

#include "platform/widgets/MultimediaCaptureBackend.h"

namespace platform {

namespace {

std::shared_ptr<CaptureBackend>& replacement() {
    static std::shared_ptr<CaptureBackend> backend;
    return backend;
}

} // namespace

std::shared_ptr<CaptureBackend> CaptureBackend::shared() {
    if (replacement() != nullptr) {
        return replacement();
    }
    static const auto multimedia = std::make_shared<MultimediaCaptureBackend>();
    return multimedia;
}

void CaptureBackend::setShared(std::shared_ptr<CaptureBackend> backend) {
    replacement() = std::move(backend);
}

} // namespace platform
