// The checked index and the 64-bit sizes, as the 32-bit DLL computes them.
#include <gtest/gtest.h>

#include <cstdint>

#include "library/checked.h"

namespace corvanta {
namespace {

TEST(Checked, AnEnumerantOutsideItsRunHasNoIndexAndASizeBeyond32BitsIsNotTaken) {
    constexpr GLenum colour0 = 0x8CE0;
    const struct {
        int64_t value;
        int32_t index;
    } indices[] = {{0x8CE0, 0}, {0x8CE3, 3}, {0x8CE4, -1}, {0x8CDF, -1}, {-1, -1},
                   {INT32_MIN, -1}, {INT32_MAX, -1}, {-2147447584, -1}, {0, -1}};
    for (const auto &c : indices)
        EXPECT_EQ(enumIndex(static_cast<GLenum>(c.value), colour0, 4), c.index) << c.value;
    EXPECT_EQ(enumIndex(colour0, colour0, 0), -1) << "a run of none";
    EXPECT_EQ(enumIndex(colour0, colour0, -5), -1);

    const struct {
        int32_t rows, columns, element;
        int64_t bytes;
        bool fits;
    } sizes[] = {{32768, 32768, 4, int64_t{1} << 32, false}, {65535, 65535, 1, 4294836225, true},
                 {INT32_MAX, INT32_MAX, 4, INT64_MAX, false}, {INT32_MAX, INT32_MAX, 1, int64_t{INT32_MAX} * INT32_MAX, false},
                 {0, 7, 4, 0, true}, {-1, 4, 4, -1, false}, {4, -1, 4, -1, false}};
    for (const auto &c : sizes) {
        EXPECT_EQ(bytesOf(c.rows, c.columns, c.element), c.bytes) << c.rows << "x" << c.columns;
        EXPECT_EQ(fitsIn32Bits(bytesOf(c.rows, c.columns, c.element)), c.fits) << c.rows << "x" << c.columns;
    }
}

} // namespace
} // namespace corvanta
