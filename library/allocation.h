// The C heap, as the handlers use it: one buffer per call, freed before the
// handler returns. A seam of its own so tests can count and fail allocations.
#pragma once

#include <cstddef>

namespace corvanta {

void *allocateZeroed(size_t size); // calloc(size, 1)
void *allocate(size_t size);       // malloc(size), no fill
void release(void *buffer);

} // namespace corvanta
