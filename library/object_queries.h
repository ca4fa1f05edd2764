// What the handlers ask the driver about an object: a parameter, a text whose
// length the driver reports first, and the program's active uniforms and
// attributes; and the handlers that hand these to scripts. Each is guarded by
// the entry points it asks: a missing one leaves the answer 0, -1 or "".
#pragma once

#include <cstddef>

#include "glext/entry_points.h"
#include "glext/gl_tokens.h"
#include "library/allocation.h"
#include "library/runtime_access.h"

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

namespace corvanta::handlers {

// One parameter of the object (argument 1), as an int: "CompileStatus" and
// its siblings.
template <GLenum pname> void CORVANTA_CALL objectStatus(ScriptRuntime *runtime) {
    setIntResult(runtime, objectParameter(intParam(runtime, 1), pname));
}

// A text of an object's that the driver writes after reporting its length
// (the info log, a shader's source): "" when there is none.
template <GLenum lengthName, auto member> void CORVANTA_CALL objectText(ScriptRuntime *runtime) {
    const GLhandleARB object = intParam(runtime, 1);
    TextBuffer text(objectParameter(object, lengthName));
    readObjectText(object, entryPoints.*member, text);
    setStringResult(runtime, text.text());
}

// What the driver tells of an active uniform or attribute.
struct ActiveVariable {
    GLint size = 0;
    GLenum type = 0;
};

// Uniforms and attributes are listed alike, each with the token of its
// longest name's length and its own query.
struct UniformList {
    static constexpr GLenum maxLength = GL_ACTIVE_UNIFORM_MAX_LENGTH;
    static constexpr auto query = &EntryPointTable::glGetActiveUniformARB;
};
struct AttributeList {
    static constexpr GLenum maxLength = GL_OBJECT_ACTIVE_ATTRIBUTE_MAX_LENGTH_ARB;
    static constexpr auto query = &EntryPointTable::glGetActiveAttribARB;
};

// Asks the driver about the active variable at the script's index (argument
// 1) of the program (argument 2); the buffer, when usable, receives its name.
// Without a name buffer (no active variable at all) nothing is asked.
template <typename List> ActiveVariable activeVariable(ScriptRuntime *runtime, TextBuffer &name) {
    ActiveVariable variable;
    auto entry = entryPoints.*List::query;
    if (name.usable() && entry != nullptr)
        entry(intParam(runtime, 2), static_cast<GLuint>(intParam(runtime, 1)), name.length(), nullptr,
              &variable.size, &variable.type, name.data());
    return variable;
}

template <typename List> GLint maxNameLength(ScriptRuntime *runtime) {
    return objectParameter(intParam(runtime, 2), List::maxLength);
}

template <typename List> void CORVANTA_CALL variableName(ScriptRuntime *runtime) {
    TextBuffer name(maxNameLength<List>(runtime));
    activeVariable<List>(runtime, name);
    setStringResult(runtime, name.text());
}

template <typename List, auto field> void CORVANTA_CALL variableDetail(ScriptRuntime *runtime) {
    ActiveVariable variable;
    {
        TextBuffer name(maxNameLength<List>(runtime));
        variable = activeVariable<List>(runtime, name);
    }
    setIntResult(runtime, static_cast<int32_t>(variable.*field));
}

// glGet{Uniform,Attrib}LocationARB(program, name). Without a name or an entry
// point there is no such variable: -1, the driver's own answer for an unknown
// name, which the calls that take a location ignore.
template <auto member> void CORVANTA_CALL variableLocation(ScriptRuntime *runtime) {
    const GLhandleARB program = intParam(runtime, 2);
    const GLcharARB *name = stringParam(runtime, 1);
    auto entry = entryPoints.*member;
    setIntResult(runtime, entry != nullptr && name != nullptr ? entry(program, name) : -1);
}

} // namespace corvanta::handlers
