#pragma once
// The empty element: a sequence of Units only tells that something happened, like a plain
// trigger or a stream mapped to nothing.

namespace rx {

struct Unit {};

} // namespace rx
