// Shader and program objects: creation, source, compile, attach, link,
// validate, use, delete, and the queries about them.
//
// Each handler has one of three guards before it reaches the driver: the
// support flag, its own entry point, or none. Whatever the guard, a null entry
// point is never called: a procedure then does nothing, and a function still
// sets its result (0, or "" for text) so a script never reads a stale value.
#include <cstddef>

#include "glext/entry_points.h"
#include "library/allocation.h"
#include "library/handlers.h"
#include "library/runtime_access.h"

namespace corvanta::handlers {
namespace {

constexpr GLenum GL_OBJECT_COMPILE_STATUS_ARB = 0x8B81;
constexpr GLenum GL_OBJECT_LINK_STATUS_ARB = 0x8B82;
constexpr GLenum GL_OBJECT_VALIDATE_STATUS_ARB = 0x8B83;
constexpr GLenum GL_OBJECT_INFO_LOG_LENGTH_ARB = 0x8B84;
constexpr GLenum GL_OBJECT_ACTIVE_UNIFORMS_ARB = 0x8B86;
constexpr GLenum GL_ACTIVE_UNIFORM_MAX_LENGTH = 0x8B87;

// A query result the driver may leave unwritten: preset to 0.
GLint objectParameter(GLhandleARB object, GLenum pname) {
    GLint cell = 0;
    if (entryPoints.glGetObjectParameterivARB != nullptr)
        entryPoints.glGetObjectParameterivARB(object, pname, &cell);
    return cell;
}

template <GLenum pname> void CORVANTA_CALL objectStatus(ScriptRuntime *runtime) {
    setIntResult(runtime, objectParameter(intParam(runtime, 1), pname));
}

// Handlers that pass one or two handles on to the driver. Some wait for shader
// support; the others only need their own entry point.
enum class Guard { SupportFlag, EntryPointOnly };

template <Guard guard> bool passes() { return guard == Guard::EntryPointOnly || shaderSupported != 0; }

template <auto member, Guard guard> void CORVANTA_CALL withHandle(ScriptRuntime *runtime) {
    auto entry = entryPoints.*member;
    if (!passes<guard>() || entry == nullptr) return;
    entry(intParam(runtime, 1));
}

template <auto member> void CORVANTA_CALL containerAndObject(ScriptRuntime *runtime) {
    auto entry = entryPoints.*member;
    if (!shaderSupported || entry == nullptr) return;
    const GLhandleARB container = intParam(runtime, 2);
    entry(container, intParam(runtime, 1));
}

// A text the driver writes into a buffer whose size it reported first. The
// result is set on every path: "" when there is nothing to read.
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

// Asks the driver about the active uniform at the script's index; the buffer
// receives its name.
GLenum activeUniform(ScriptRuntime *runtime, GLhandleARB program, TextBuffer &name) {
    GLint size = 0;
    GLenum type = 0;
    if (entryPoints.glGetActiveUniformARB != nullptr)
        entryPoints.glGetActiveUniformARB(program, static_cast<uint32_t>(intParam(runtime, 1)), name.length(),
                                          nullptr, &size, &type, name.data());
    return type;
}

// The four procedures that answer with one value written by the driver into a
// variable of the script's. The cell has room for a 4 x 4 matrix, the most a
// uniform query can write; only the first value is handed back.
template <auto member, typename Value, ValueCode code>
void CORVANTA_CALL queryByReference(ScriptRuntime *runtime) {
    Value cells[16] = {};
    auto entry = entryPoints.*member;
    if (entry != nullptr) {
        const GLhandleARB object = intParam(runtime, 3);
        entry(object, intParam(runtime, 2), cells);
    }
    runtime->ops->BeginValueType(runtime, code);
    runtime->ops->AddPointerLevel(runtime);
    runtime->ops->WriteParamData(runtime, 1, &cells[0]);
}

} // namespace

void CORVANTA_CALL shaderInit(ScriptRuntime *runtime) { setIntResult(runtime, shaderSupported ? -1 : 0); }

void CORVANTA_CALL compileStatus(ScriptRuntime *runtime) {
    objectStatus<GL_OBJECT_COMPILE_STATUS_ARB>(runtime);
}
void CORVANTA_CALL linkStatus(ScriptRuntime *runtime) { objectStatus<GL_OBJECT_LINK_STATUS_ARB>(runtime); }
void CORVANTA_CALL validateStatus(ScriptRuntime *runtime) {
    objectStatus<GL_OBJECT_VALIDATE_STATUS_ARB>(runtime);
}
void CORVANTA_CALL getActiveUniforms(ScriptRuntime *runtime) {
    objectStatus<GL_OBJECT_ACTIVE_UNIFORMS_ARB>(runtime);
}

void CORVANTA_CALL getInfoLog(ScriptRuntime *runtime) {
    const GLhandleARB object = intParam(runtime, 1);
    TextBuffer log(objectParameter(object, GL_OBJECT_INFO_LOG_LENGTH_ARB));
    if (log.usable() && entryPoints.glGetInfoLogARB != nullptr) {
        GLsizei count = 0;
        entryPoints.glGetInfoLogARB(object, log.length(), &count, log.data());
    }
    setStringResult(runtime, log.text());
}

void CORVANTA_CALL getUniformName(ScriptRuntime *runtime) {
    const GLhandleARB program = intParam(runtime, 2);
    TextBuffer name(objectParameter(program, GL_ACTIVE_UNIFORM_MAX_LENGTH));
    if (name.usable()) activeUniform(runtime, program, name);
    setStringResult(runtime, name.text());
}

void CORVANTA_CALL getUniformType(ScriptRuntime *runtime) {
    const GLhandleARB program = intParam(runtime, 2);
    GLenum type = 0;
    {
        TextBuffer name(objectParameter(program, GL_ACTIVE_UNIFORM_MAX_LENGTH));
        if (name.usable()) type = activeUniform(runtime, program, name);
    }
    setIntResult(runtime, static_cast<int32_t>(type));
}

// Without support both creators answer 0, the handle of no object; the shader
// type is then not read.
void CORVANTA_CALL createShaderObject(ScriptRuntime *runtime) {
    GLhandleARB shader = 0;
    if (shaderSupported && entryPoints.glCreateShaderObjectARB != nullptr)
        shader = entryPoints.glCreateShaderObjectARB(intParam(runtime, 1));
    setIntResult(runtime, static_cast<int32_t>(shader));
}

void CORVANTA_CALL createProgramObject(ScriptRuntime *runtime) {
    GLhandleARB program = 0;
    if (shaderSupported && entryPoints.glCreateProgramObjectARB != nullptr)
        program = entryPoints.glCreateProgramObjectARB();
    setIntResult(runtime, static_cast<int32_t>(program));
}

void CORVANTA_CALL shaderSource(ScriptRuntime *runtime) {
    if (!shaderSupported || entryPoints.glShaderSourceARB == nullptr) return;
    const GLhandleARB shader = intParam(runtime, 2);
    const GLcharARB *source = stringParam(runtime, 1);
    if (source == nullptr) return;
    // No length array: the driver reads the text up to its NUL.
    entryPoints.glShaderSourceARB(shader, 1, &source, nullptr);
}

void CORVANTA_CALL compileShader(ScriptRuntime *runtime) {
    withHandle<&EntryPointTable::glCompileShaderARB, Guard::EntryPointOnly>(runtime);
}
void CORVANTA_CALL linkProgram(ScriptRuntime *runtime) {
    withHandle<&EntryPointTable::glLinkProgramARB, Guard::SupportFlag>(runtime);
}
void CORVANTA_CALL validateProgram(ScriptRuntime *runtime) {
    withHandle<&EntryPointTable::glValidateProgramARB, Guard::EntryPointOnly>(runtime);
}
void CORVANTA_CALL useProgramObject(ScriptRuntime *runtime) {
    withHandle<&EntryPointTable::glUseProgramObjectARB, Guard::SupportFlag>(runtime);
}
void CORVANTA_CALL deleteObject(ScriptRuntime *runtime) {
    withHandle<&EntryPointTable::glDeleteObjectARB, Guard::SupportFlag>(runtime);
}
void CORVANTA_CALL attachObject(ScriptRuntime *runtime) {
    containerAndObject<&EntryPointTable::glAttachObjectARB>(runtime);
}
void CORVANTA_CALL detachObject(ScriptRuntime *runtime) {
    containerAndObject<&EntryPointTable::glDetachObjectARB>(runtime);
}

void CORVANTA_CALL getObjectParameteriv(ScriptRuntime *runtime) {
    queryByReference<&EntryPointTable::glGetObjectParameterivARB, GLint, ValueInt32>(runtime);
}
void CORVANTA_CALL getObjectParameterfv(ScriptRuntime *runtime) {
    queryByReference<&EntryPointTable::glGetObjectParameterfvARB, GLfloat, ValueFloat32>(runtime);
}
void CORVANTA_CALL getUniformiv(ScriptRuntime *runtime) {
    queryByReference<&EntryPointTable::glGetUniformivARB, GLint, ValueInt32>(runtime);
}
void CORVANTA_CALL getUniformfv(ScriptRuntime *runtime) {
    queryByReference<&EntryPointTable::glGetUniformfvARB, GLfloat, ValueFloat32>(runtime);
}

void CORVANTA_CALL getUniformLocation(ScriptRuntime *runtime) {
    const GLhandleARB program = intParam(runtime, 2);
    const GLcharARB *name = stringParam(runtime, 1);
    GLint location = 0;
    if (entryPoints.glGetUniformLocationARB != nullptr)
        // Without a name there is no uniform: -1, the driver's own answer for
        // an unknown name, which the uniform calls ignore.
        location = name != nullptr ? entryPoints.glGetUniformLocationARB(program, name) : -1;
    setIntResult(runtime, location);
}

} // namespace corvanta::handlers
