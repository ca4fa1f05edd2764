// What the handlers ask the driver about an object: a parameter, a text whose
// length the driver reports first, and the program's active uniforms and
// attributes; and the handlers that hand these to scripts. Each is guarded by
// the entry points it asks: a missing one leaves the answer 0, -1 or "".
#pragma once

#include <cstddef>
#include <cstring>

#include "glext/entry_points.h"
#include "glext/gl_tokens.h"
#include "library/allocation.h"
#include "library/arguments.h"
#include "library/handlers.h"

namespace corvanta {

// A query result the driver may leave unwritten: preset to 0.
inline GLint objectParameter(GLhandleARB object, GLenum pname) {
    GLint cell = 0;
    if (entryPoints.glGetObjectParameterivARB != nullptr)
        entryPoints.glGetObjectParameterivARB(object, pname, &cell);
    return cell;
}

// A query of GL's state: its first value. The cells have room for the most
// glGetIntegerv writes; the caller has checked glGetIntegerv is there.
inline GLint integer(GLenum pname) {
    GLint cells[16] = {};
    entryPoints.glGetIntegerv(pname, cells);
    return cells[0];
}

// Whether the context's version is at least major.minor, from its version
// string ("4.5 (Compatibility Profile) ..."); false without glGetString.
inline bool driverIsAtLeast(int major, int minor) {
    if (entryPoints.glGetString == nullptr) return false;
    const auto *version = reinterpret_cast<const char *>(entryPoints.glGetString(GL_VERSION));
    if (version == nullptr || version[0] < '0' || version[0] > '9' || version[1] != '.') return false;
    const int hasMajor = version[0] - '0', hasMinor = version[2] >= '0' && version[2] <= '9' ? version[2] - '0' : 0;
    return hasMajor > major || (hasMajor == major && hasMinor >= minor);
}

// Whether the context lists the extension, as a whole word of its list.
inline bool driverOffers(const char *extension) {
    if (entryPoints.glGetString == nullptr) return false;
    const auto *list = reinterpret_cast<const char *>(entryPoints.glGetString(GL_EXTENSIONS));
    const size_t length = std::strlen(extension);
    for (const char *at = list; at != nullptr && (at = std::strstr(at, extension)) != nullptr; at += length)
        if ((at == list || at[-1] == ' ') && (at[length] == ' ' || at[length] == '\0')) return true;
    return false;
}

// What the error flags say of a failed creation, read until none is left
// (flags set before the call among them): that the driver ran out of memory,
// or that it refused a format or size when the storage was allocated.
enum class FlagsSay { Nothing, OutOfMemory, FormatRefused };
inline FlagsSay readErrorFlags() {
    if (entryPoints.glGetError == nullptr) return FlagsSay::Nothing;
    FlagsSay said = FlagsSay::Nothing;
    for (int flags = 0; flags < 16; ++flags) {
        const GLenum error = entryPoints.glGetError();
        if (error == GL_NO_ERROR) break;
        if (error == GL_OUT_OF_MEMORY) said = FlagsSay::OutOfMemory;
        if ((error == GL_INVALID_ENUM || error == GL_INVALID_VALUE) && said == FlagsSay::Nothing)
            said = FlagsSay::FormatRefused;
    }
    return said;
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

// One parameter of the object (the first argument), as an int: "CompileStatus"
// and its siblings.
template <GLenum pname> void CORVANTA_CALL objectStatus(ScriptRuntime *runtime) {
    const Arguments<objectStatus<pname>> args(runtime);
    setResult(args, objectParameter(static_cast<GLhandleARB>(intArgument<0>(args)), pname));
}

// A text of an object's that the driver writes after reporting its length
// (the info log, a shader's source): "" when there is none.
template <GLenum lengthName, auto member> void CORVANTA_CALL objectText(ScriptRuntime *runtime) {
    const Arguments<objectText<lengthName, member>> args(runtime);
    const auto object = static_cast<GLhandleARB>(intArgument<0>(args));
    TextBuffer text(objectParameter(object, lengthName));
    readObjectText(object, entryPoints.*member, text);
    setResult(args, text.text());
}

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

// The active variable at `index` of the program, with its name in a buffer
// as long as the program's longest; without a usable buffer (no active
// variable at all) nothing is asked.
template <typename List> struct ActiveVariableQuery {
    ActiveVariableQuery(GLhandleARB program, GLuint index) : name(objectParameter(program, List::maxLength)) {
        auto entry = entryPoints.*List::query;
        if (name.usable() && entry != nullptr)
            entry(program, index, name.length(), nullptr, &variable.size, &variable.type, name.data());
    }
    TextBuffer name;
    ActiveVariable variable;
};

// "GetUniformName" and its siblings: (program, index).
template <typename List> void CORVANTA_CALL variableName(ScriptRuntime *runtime) {
    const Arguments<variableName<List>> args(runtime);
    const auto program = static_cast<GLhandleARB>(intArgument<0>(args));
    ActiveVariableQuery<List> query(program, static_cast<GLuint>(intArgument<1>(args)));
    setResult(args, query.name.text());
}

template <typename List, auto field> void CORVANTA_CALL variableDetail(ScriptRuntime *runtime) {
    const Arguments<variableDetail<List, field>> args(runtime);
    const auto program = static_cast<GLhandleARB>(intArgument<0>(args));
    const auto index = static_cast<GLuint>(intArgument<1>(args));
    int32_t detail = 0;
    {
        const ActiveVariableQuery<List> query(program, index);
        detail = static_cast<int32_t>(query.variable.*field);
    }
    setResult(args, detail);
}

// glGet{Uniform,Attrib}LocationARB(program, name). Without a name or an entry
// point there is no such variable: -1, the driver's own answer for an unknown
// name, which the calls that take a location ignore.
template <auto member> void CORVANTA_CALL variableLocation(ScriptRuntime *runtime) {
    const Arguments<variableLocation<member>> args(runtime);
    const auto program = static_cast<GLhandleARB>(intArgument<0>(args));
    const GLcharARB *name = textArgument<1>(args);
    auto entry = entryPoints.*member;
    setResult(args, entry != nullptr && name != nullptr ? entry(program, name) : -1);
}

} // namespace corvanta::handlers
