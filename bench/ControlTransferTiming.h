#pragma once
// Counts the time of libusb_control_transfer towards the bench figures: every call of the program
// passes through the definition below on its way to the real libusb. Included by one file of a
// bench program only.

#include "BenchFigures.h"

#include <libusb.h>

#include <dlfcn.h>

namespace bench {

// True on a thread while it is inside libusb_control_transfer.
inline thread_local bool inControlTransfer = false;

} // namespace bench

extern "C" int LIBUSB_CALL libusb_control_transfer(libusb_device_handle* handle,
                                                   uint8_t requestType, uint8_t request,
                                                   uint16_t value, uint16_t index,
                                                   unsigned char* data, uint16_t length,
                                                   unsigned int timeout) {
    using Transfer = decltype(&libusb_control_transfer);
    static const auto real =
        reinterpret_cast<Transfer>(dlsym(RTLD_NEXT, "libusb_control_transfer"));
    const auto start = bench::Clock::now();
    bench::inControlTransfer = true;
    const int result = real(handle, requestType, request, value, index, data, length, timeout);
    bench::inControlTransfer = false;
    if (bench::measuring) {
        bench::insideCountedCalls += bench::Clock::now() - start;
    }
    return result;
}
