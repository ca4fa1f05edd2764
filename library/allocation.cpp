#include "library/allocation.h"

#include <cstdlib>

namespace corvanta {

void *allocateZeroed(size_t size) { return std::calloc(size, 1); }
void *allocate(size_t size) { return std::malloc(size); }
void release(void *buffer) { std::free(buffer); }

} // namespace corvanta
