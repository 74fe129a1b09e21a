#include "support/ResolvedIoctlData.h"

#include <umockdev.h>

namespace sim {

ResolvedIoctlData::ResolvedIoctlData(UMockdevIoctlData* data, size_t offset, size_t length)
    : data(umockdev_ioctl_data_resolve(data, offset, length, nullptr)) {}

ResolvedIoctlData::~ResolvedIoctlData() {
    if (data) {
        g_object_unref(data);
    }
}

uint8_t* ResolvedIoctlData::bytes() const {
    return data->data;
}

} // namespace sim
