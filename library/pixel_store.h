// The pixel store state that places an upload's or a read-back's pixels in
// the plugin's buffer, set for rows one after the other while the call
// lasts: a row length, a skip or swapped bytes the host left set would make
// the driver read or write past the buffer, or corrupt the floats, and a
// pixel buffer the host left bound would make it take the plugin's pointer
// as an offset into that buffer. Everything is restored when the call ends.
#pragma once

#include "glext/entry_points.h"

namespace corvanta {

// The host's pixel buffer of one direction set aside while it lasts (none
// bound), so that an image given a null pointer is made empty instead of
// from the host's buffer at offset 0; restored at the end. Nothing is asked
// of a driver without pixel buffers.
class PixelBufferAside {
public:
    enum class Direction { Unpack, Pack };
    // Needs glGetIntegerv.
    explicit PixelBufferAside(Direction direction);
    ~PixelBufferAside();
    PixelBufferAside(const PixelBufferAside &) = delete;
    PixelBufferAside &operator=(const PixelBufferAside &) = delete;

private:
    GLenum buffer_; // the pixel buffer target, 0 when the driver has none
    GLint saved_;
};

class PixelRows {
public:
    using Direction = PixelBufferAside::Direction;
    // Needs glGetIntegerv and glPixelStorei.
    explicit PixelRows(Direction direction);
    ~PixelRows();
    PixelRows(const PixelRows &) = delete;
    PixelRows &operator=(const PixelRows &) = delete;

private:
    static constexpr int stateCount = 8;
    const GLenum *names_;
    int count_; // GL 1.2's image height and skip images need a 3D-capable driver
    GLint saved_[stateCount];
    PixelBufferAside buffer_;
};

} // namespace corvanta
