#pragma once
// A pointer inside an ioctl's data resolved to the client's memory, held while the object lives
// and released with it; null data when the client's memory could not be read.

#include <cstddef>
#include <cstdint>

struct _UMockdevIoctlData;

namespace sim {

class ResolvedIoctlData {
public:
    ResolvedIoctlData(_UMockdevIoctlData* data, size_t offset, size_t length);
    ~ResolvedIoctlData();
    ResolvedIoctlData(const ResolvedIoctlData&) = delete;
    ResolvedIoctlData& operator=(const ResolvedIoctlData&) = delete;

    // The client's bytes; only while data is not null.
    uint8_t* bytes() const;
    template <typename T> T* as() const { return reinterpret_cast<T*>(bytes()); }

    _UMockdevIoctlData* data;
};

} // namespace sim
