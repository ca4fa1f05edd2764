#include "tests/support/counting_allocation.h"

#include <cstdlib>

#include "library/allocation.h"

namespace corvanta::testing {

CountingAllocation &countingAllocation() {
    static CountingAllocation counts;
    return counts;
}

bool CountingAllocation::holds(const void *start, int64_t bytes) const {
    auto block = live.upper_bound(start);
    if (block == live.begin()) return false;
    --block;
    const auto *first = static_cast<const unsigned char *>(block->first);
    const auto offset = static_cast<const unsigned char *>(start) - first;
    return bytes >= 0 && offset >= 0 && static_cast<uint64_t>(offset) + static_cast<uint64_t>(bytes) <= block->second;
}

} // namespace corvanta::testing

namespace corvanta {
namespace {

void *counted(size_t size, bool zeroed) {
    auto &counts = testing::countingAllocation();
    counts.allocations.push_back({size, zeroed});
    if (counts.failNext) {
        counts.failNext = false;
        return nullptr;
    }
    void *block = zeroed ? std::calloc(size, 1) : std::malloc(size);
    if (block != nullptr) counts.live[block] = size;
    return block;
}

} // namespace

void *allocateZeroed(size_t size) { return counted(size, true); }
void *allocate(size_t size) { return counted(size, false); }

void release(void *buffer) {
    if (buffer != nullptr) ++testing::countingAllocation().releases;
    testing::countingAllocation().live.erase(buffer);
    std::free(buffer);
}

} // namespace corvanta
