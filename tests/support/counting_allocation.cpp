#include "tests/support/counting_allocation.h"

#include <cstdlib>

#include "library/allocation.h"

namespace corvanta::testing {

CountingAllocation &countingAllocation() {
    static CountingAllocation counts;
    return counts;
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
    return zeroed ? std::calloc(size, 1) : std::malloc(size);
}

} // namespace

void *allocateZeroed(size_t size) { return counted(size, true); }
void *allocate(size_t size) { return counted(size, false); }

void release(void *buffer) {
    if (buffer != nullptr) ++testing::countingAllocation().releases;
    std::free(buffer);
}

} // namespace corvanta
