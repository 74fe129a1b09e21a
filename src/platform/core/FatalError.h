#pragma once
// Stops the process on a programming error, naming the source file and line that found it.

#include <source_location>
#include <string_view>

namespace platform {

// Prints "<file>:<line>: Fatal error: <message>" to standard error, then aborts.
[[noreturn]] void fatalError(std::string_view message,
                             std::source_location where = std::source_location::current());

} // namespace platform
