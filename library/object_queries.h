// What the handlers ask the driver about an object: a parameter, and a text
// whose length the driver reports first.
#pragma once

#include <cstddef>

#include "glext/entry_points.h"
#include "library/allocation.h"

namespace corvanta {

// A query result the driver may leave unwritten: preset to 0.
inline GLint objectParameter(GLhandleARB object, GLenum pname) {
    GLint cell = 0;
    if (entryPoints.glGetObjectParameterivARB != nullptr)
        entryPoints.glGetObjectParameterivARB(object, pname, &cell);
    return cell;
}

// A text the driver writes into a buffer whose size it reported first. The
// text is "" when there is nothing to read.
class TextBuffer {
public:
    explicit TextBuffer(GLint reportedLength)
        : length_(reportedLength),
          text_(reportedLength >= 1 ? static_cast<char *>(allocateZeroed(static_cast<size_t>(reportedLength)))
                                    : nullptr) {}
    ~TextBuffer() { release(text_); }
    TextBuffer(const TextBuffer &) = delete;
    TextBuffer &operator=(const TextBuffer &) = delete;

    bool usable() const { return text_ != nullptr; }
    GLsizei length() const { return length_; }
    char *data() { return text_; }
    // Terminated inside the buffer even if a faulty driver filled all of it.
    const char *text() {
        if (text_ == nullptr) return "";
        text_[length_ - 1] = '\0';
        return text_;
    }

private:
    GLsizei length_;
    char *text_;
};

// Reads an object's text into a buffer sized by the driver's report, with
// glGetInfoLogARB or glGetShaderSourceARB; nothing when either is missing.
template <typename Entry> void readObjectText(GLhandleARB object, Entry entry, TextBuffer &text) {
    if (!text.usable() || entry == nullptr) return;
    GLsizei written = 0;
    entry(object, text.length(), &written, text.data());
}

} // namespace corvanta
