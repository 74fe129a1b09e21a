#pragma once
// A compile-time check for tables keyed by an enumeration: one row per case, the row of each
// case at the case's index, so that looking a case up is indexing the table.

#include <array>
#include <cstddef>

namespace device {

// `key` names the row's field that holds its case.
template <auto key, typename Row, size_t rowCount>
constexpr bool indexedByCase(const std::array<Row, rowCount>& rows, size_t caseCount) {
    if (rowCount != caseCount) {
        return false;
    }
    for (size_t index = 0; index < rowCount; ++index) {
        if (static_cast<size_t>(rows[index].*key) != index) {
            return false;
        }
    }
    return true;
}

} // namespace device
