// Replaces the library's heap seam in unit tests: counts allocations, records
// their sizes and fill, and can make them fail.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <vector>

namespace corvanta::testing {

struct Allocation {
    size_t size;
    bool zeroed;
};

struct CountingAllocation {
    std::vector<Allocation> allocations;
    int releases = 0; // of non-null buffers
    bool failNext = false;
    std::map<const void *, size_t> live; // the blocks not yet released, by their start

    // Whether `bytes` from `start` lie within one live block.
    bool holds(const void *start, int64_t bytes) const;
};

CountingAllocation &countingAllocation();

} // namespace corvanta::testing
