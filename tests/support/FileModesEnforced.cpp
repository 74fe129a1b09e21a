#include "support/FileModesEnforced.h"

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cstdint>

namespace sim {

namespace {

constexpr uint32_t overrideBit = 1u << CAP_DAC_OVERRIDE; // in the first word of the sets

struct Capabilities {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0}; // 0: the calling thread
    __user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3]{};
};

bool read(Capabilities& caps) {
    return syscall(SYS_capget, &caps.header, caps.data) == 0;
}

bool write(Capabilities& caps) {
    return syscall(SYS_capset, &caps.header, caps.data) == 0;
}

} // namespace

FileModesEnforced::FileModesEnforced() {
    Capabilities caps;
    if (!read(caps) || (caps.data[0].effective & overrideBit) == 0)
        return;
    caps.data[0].effective &= ~overrideBit;
    dropped = write(caps);
}

FileModesEnforced::~FileModesEnforced() {
    Capabilities caps;
    if (!dropped || !read(caps))
        return;
    caps.data[0].effective |= overrideBit;
    write(caps);
}

} // namespace sim
