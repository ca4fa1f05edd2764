// The C heap, as the library uses it: most buffers live for one call and are
// freed before the handler returns; the texts a script reads back and the
// records (library/records.h) live until they are replaced or deleted, or
// until the plugin is released. A seam of its own so tests can count and
// fail allocations.
#pragma once

#include <cstddef>

namespace corvanta {

void *allocateZeroed(size_t size); // calloc(size, 1)
void *allocate(size_t size);       // malloc(size), no fill
void release(void *buffer);

} // namespace corvanta
