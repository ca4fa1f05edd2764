// Replaces the library's heap seam in unit tests: counts allocations, records
// their sizes and fill, and can make them fail.
#pragma once

#include <cstddef>
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
};

CountingAllocation &countingAllocation();

} // namespace corvanta::testing
