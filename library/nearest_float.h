#pragma once

#include <cfloat>
#include <cmath>

namespace corvanta {

// A real as the nearest 32-bit float, defined for every double: the plain
// conversion is undefined beyond the float range, where rounding to nearest
// gives the largest float and, from halfway to the next power of two on, an
// infinity of the real's sign. NaN stays NaN.
inline float nearestFloat(double value) {
    constexpr double roundsToInfinity = 0x1.ffffffp+127; // FLT_MAX and half a step
    const double magnitude = std::fabs(value);
    if (magnitude >= roundsToInfinity) return value > 0 ? HUGE_VALF : -HUGE_VALF;
    if (magnitude > FLT_MAX) return value > 0 ? FLT_MAX : -FLT_MAX;
    return static_cast<float>(value);
}

} // namespace corvanta
