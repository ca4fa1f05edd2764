// The records the library keeps between calls (render targets, meshes, what
// was found of programs): each kind in a list of its own, of records taken
// from the library's heap and linked through their `next`, the newest first.
// A list is zero at load and needs no initialiser; releasing it frees the
// records and calls no GL (the context may be gone).
#pragma once

#include <cstdint>

#include "library/allocation.h"

namespace corvanta {

template <typename Record> class Records {
public:
    constexpr Records() = default;

    Record *first() const { return head_; }

    // The first record `matches` takes; null when there is none.
    template <typename Matches> Record *find(Matches matches) const {
        for (Record *record = head_; record != nullptr; record = record->next)
            if (matches(*record)) return record;
        return nullptr;
    }

    int32_t count() const {
        int32_t count = 0;
        for (Record *record = head_; record != nullptr; record = record->next) ++count;
        return count;
    }

    // A new record of zeros, first in the list; null without memory.
    Record *add() {
        auto *record = static_cast<Record *>(allocateZeroed(sizeof(Record)));
        if (record != nullptr) pushFront(record);
        return record;
    }

    // Makes a record of the list its first (the most recently used).
    void moveToFront(Record *record) {
        unlink(record);
        pushFront(record);
    }

    // Takes a record out of the list and frees it.
    void remove(Record *record) {
        unlink(record);
        release(record);
    }

    // Frees every record, and leaves the list empty.
    void releaseAll() {
        while (head_ != nullptr) {
            Record *next = head_->next;
            release(head_);
            head_ = next;
        }
    }

private:
    void pushFront(Record *record) {
        record->next = head_;
        head_ = record;
    }
    void unlink(Record *record) {
        for (Record **link = &head_; *link != nullptr; link = &(*link)->next)
            if (*link == record) {
                *link = record->next;
                return;
            }
    }

    Record *head_ = nullptr;
};

} // namespace corvanta
