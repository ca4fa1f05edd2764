#include "library/pixel_store.h"

#include "glext/gl_tokens.h"
#include "library/object_queries.h"

namespace corvanta {
namespace {

// The alignment first, then the state that is 0 for rows one after the other.
constexpr GLenum unpacking[] = {GL_UNPACK_ALIGNMENT, GL_UNPACK_ROW_LENGTH, GL_UNPACK_SKIP_ROWS,
                                GL_UNPACK_SKIP_PIXELS, GL_UNPACK_SWAP_BYTES, GL_UNPACK_LSB_FIRST,
                                GL_UNPACK_IMAGE_HEIGHT, GL_UNPACK_SKIP_IMAGES};
constexpr GLenum packing[] = {GL_PACK_ALIGNMENT, GL_PACK_ROW_LENGTH,   GL_PACK_SKIP_ROWS,  GL_PACK_SKIP_PIXELS,
                              GL_PACK_SWAP_BYTES, GL_PACK_LSB_FIRST, GL_PACK_IMAGE_HEIGHT, GL_PACK_SKIP_IMAGES};

// Pixel buffers came with GL 2.1 or its extension: asked of an older driver,
// their bindings are an error.
bool pixelBuffersAvailable() {
    return entryPoints.glBindBufferARB != nullptr &&
           (driverIsAtLeast(2, 1) || driverOffers("GL_ARB_pixel_buffer_object"));
}

} // namespace

PixelBufferAside::PixelBufferAside(Direction direction)
    : buffer_(pixelBuffersAvailable()
                  ? (direction == Direction::Unpack ? GL_PIXEL_UNPACK_BUFFER_ARB : GL_PIXEL_PACK_BUFFER_ARB)
                  : 0),
      saved_(0) {
    if (buffer_ == 0) return;
    saved_ = integer(buffer_ == GL_PIXEL_UNPACK_BUFFER_ARB ? GL_PIXEL_UNPACK_BUFFER_BINDING_ARB
                                                          : GL_PIXEL_PACK_BUFFER_BINDING_ARB);
    if (saved_ != 0) entryPoints.glBindBufferARB(buffer_, 0);
}

PixelBufferAside::~PixelBufferAside() {
    if (saved_ != 0) entryPoints.glBindBufferARB(buffer_, static_cast<GLuint>(saved_));
}

PixelRows::PixelRows(Direction direction)
    : names_(direction == Direction::Unpack ? unpacking : packing),
      count_(entryPoints.glTexImage3D != nullptr ? stateCount : stateCount - 2), buffer_(direction) {
    // Bytes of any width go row after row unpadded; floats are read back
    // four-aligned.
    const GLint alignment = direction == Direction::Unpack ? 1 : 4;
    for (int i = 0; i < count_; ++i) {
        saved_[i] = integer(names_[i]);
        entryPoints.glPixelStorei(names_[i], i == 0 ? alignment : 0);
    }
}

PixelRows::~PixelRows() {
    for (int i = count_; i-- > 0;) entryPoints.glPixelStorei(names_[i], saved_[i]);
}

} // namespace corvanta
