#include "library/names.h"

#include <algorithm>
#include <cstring>

namespace corvanta {

int32_t editDistance(const char *a, const char *b) {
    int32_t row[maxNameLength + 1];
    const size_t bLength = std::min(std::strlen(b), maxNameLength);
    for (size_t j = 0; j <= bLength; ++j) row[j] = static_cast<int32_t>(j);
    for (size_t i = 0; a[i] != '\0' && i < maxNameLength; ++i) {
        int32_t diagonal = row[0];
        row[0] = static_cast<int32_t>(i + 1);
        for (size_t j = 1; j <= bLength; ++j) {
            const int32_t above = row[j];
            row[j] = std::min(std::min(above, row[j - 1]) + 1, diagonal + (a[i] != b[j - 1] ? 1 : 0));
            diagonal = above;
        }
    }
    return row[bLength];
}

bool ClosestName::offer(const char *name, int32_t distance) {
    const size_t length = std::strlen(name);
    if (length > maxNameLength || distance >= distance_ ||
        2 * static_cast<size_t>(distance) >= std::max(std::strlen(wanted_), length))
        return false;
    distance_ = distance;
    std::memcpy(name_, name, length + 1);
    return true;
}

} // namespace corvanta
