// Indices and sizes the library derives from a script's or a driver's
// numbers. The product is a 32-bit DLL: a size_t there is 32 bits and wraps
// silently, so every size is computed in 64 bits and taken only when it fits
// what 32 bits hold; every index derived from an enumerant goes through
// enumIndex, whose check cannot be left out.
#pragma once

#include <cstddef>
#include <cstdint>

#include "glext/entry_points.h"

namespace corvanta {

// The index of `value` in the run of `count` enumerants from `first` (the
// colour attachments, a cube's faces, the texture units); -1 for any value
// outside it. The difference is unsigned, so a value below `first` (a
// negative argument among them) lands far above the run, not before it.
constexpr int32_t enumIndex(GLenum value, GLenum first, int32_t count) {
    const uint32_t offset = static_cast<uint32_t>(value) - static_cast<uint32_t>(first);
    return count > 0 && offset < static_cast<uint32_t>(count) ? static_cast<int32_t>(offset) : -1;
}

// The bytes of a rows x columns x elementBytes block, in 64 bits; -1 for a
// negative factor, INT64_MAX for a block of more than 2^32 elements of
// several bytes (far beyond what 32 bits hold). No division: a 64-bit one
// would make the DLL need libgcc's DLL.
constexpr int64_t bytesOf(int32_t rows, int32_t columns, int32_t elementBytes) {
    if (rows < 0 || columns < 0 || elementBytes < 0) return -1;
    const int64_t elements = static_cast<int64_t>(rows) * columns; // below 2^62
    return elementBytes > 1 && elements > (INT64_MAX >> 31) ? INT64_MAX : elements * elementBytes;
}

// Whether a byte count may be allocated or handed to the driver as one
// block: from 0 to what a 32-bit size holds, the same in every build.
constexpr bool fitsIn32Bits(int64_t bytes) { return bytes >= 0 && bytes <= int64_t{UINT32_MAX}; }

} // namespace corvanta
