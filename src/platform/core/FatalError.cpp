#include "platform/core/FatalError.h"

#include <cstdio>
#include <cstdlib>

namespace platform {

namespace {

std::string_view baseName(std::string_view path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

} // namespace

void fatalError(std::string_view message, std::source_location where) {
    const auto file = baseName(where.file_name());
    std::fprintf(stderr, "%.*s:%u: Fatal error: %.*s\n", static_cast<int>(file.size()), file.data(),
                 static_cast<unsigned>(where.line()), static_cast<int>(message.size()),
                 message.data());
    std::fflush(stderr);
    std::abort();
}

} // namespace platform
