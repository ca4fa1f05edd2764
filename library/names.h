// Names a script gives for what its shaders declare (uniforms, attributes),
// and how close a misspelt one is to one that exists.
#pragma once

#include <cstddef>
#include <cstdint>

namespace corvanta {

// The longest name the library keeps a copy of.
constexpr size_t maxNameLength = 63;

// The number of single-character edits between two names, each cut at
// maxNameLength characters.
int32_t editDistance(const char *a, const char *b);

// The name among those offered closest in spelling to one that is none of
// them, when one is close: fewer than three edits away, and fewer than half
// the longer name's characters.
class ClosestName {
public:
    explicit ClosestName(const char *wanted) : wanted_(wanted) {}
    // Offers a name (of at most maxNameLength characters) at `distance`
    // edits; true when it is the closest so far.
    bool offer(const char *name, int32_t distance);
    bool offer(const char *name) { return offer(name, editDistance(wanted_, name)); }
    // "" when none is close.
    const char *name() const { return name_; }
    int32_t distance() const { return distance_; }

private:
    const char *wanted_;
    char name_[maxNameLength + 1] = "";
    int32_t distance_ = 3; // farther is not close
};

} // namespace corvanta
