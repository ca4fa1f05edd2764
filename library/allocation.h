// The C heap, as the library uses it: most buffers live for one call and are
// freed before the handler returns; the texts a script reads back and the
// render targets' records live until they are replaced or deleted, or until
// the plugin is released. A seam of its own so tests can count and fail
// allocations.
#pragma once

#include <cstddef>

namespace corvanta {

void *allocateZeroed(size_t size); // calloc(size, 1)
void *allocate(size_t size);       // malloc(size), no fill
void release(void *buffer);

// Frees a list of records taken from here, linked through `next`, and
// leaves it empty.
template <typename Record> void releaseList(Record *&head) {
    while (head != nullptr) {
        Record *next = head->next;
        release(head);
        head = next;
    }
}

} // namespace corvanta
