#pragma once
// One notification as observers receive it: its name and the object it is about (empty when
// the poster gave none).

#include <any>
#include <string>

namespace platform {

struct Notification {
    std::string name;
    std::any object;
};

} // namespace platform
