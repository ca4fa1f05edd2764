// Shader and program objects: creation, source, compile, attach, link,
// validate, use, delete, the queries about them, and the active uniforms and
// attributes of a program.
//
// Each handler has one of three guards before it reaches the driver: the
// support flag, its own entry point, or none. Whatever the guard, a null entry
// point is never called: a procedure then does nothing, and a function still
// sets its result (0, or "" for text) so a script never reads a stale value.
#include <cstddef>

#include "glext/entry_points.h"
#include "glext/gl_tokens.h"
#include "library/allocation.h"
#include "library/handlers.h"
#include "library/object_queries.h"
#include "library/runtime_access.h"

namespace corvanta::handlers {
namespace {

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

void CORVANTA_CALL getActiveAttributes(ScriptRuntime *runtime) {
    objectStatus<GL_OBJECT_ACTIVE_ATTRIBUTES_ARB>(runtime);
}

void CORVANTA_CALL getInfoLog(ScriptRuntime *runtime) {
    objectText<GL_OBJECT_INFO_LOG_LENGTH_ARB, &EntryPointTable::glGetInfoLogARB>(runtime);
}
void CORVANTA_CALL getShaderSource(ScriptRuntime *runtime) {
    objectText<GL_OBJECT_SHADER_SOURCE_LENGTH_ARB, &EntryPointTable::glGetShaderSourceARB>(runtime);
}

void CORVANTA_CALL getUniformName(ScriptRuntime *runtime) { variableName<UniformList>(runtime); }
void CORVANTA_CALL getAttribName(ScriptRuntime *runtime) { variableName<AttributeList>(runtime); }
void CORVANTA_CALL getUniformType(ScriptRuntime *runtime) {
    variableDetail<UniformList, &ActiveVariable::type>(runtime);
}
void CORVANTA_CALL getAttribType(ScriptRuntime *runtime) {
    variableDetail<AttributeList, &ActiveVariable::type>(runtime);
}
void CORVANTA_CALL getUniformSize(ScriptRuntime *runtime) {
    variableDetail<UniformList, &ActiveVariable::size>(runtime);
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
    variableLocation<&EntryPointTable::glGetUniformLocationARB>(runtime);
}
void CORVANTA_CALL getAttribLocation(ScriptRuntime *runtime) {
    variableLocation<&EntryPointTable::glGetAttribLocationARB>(runtime);
}

void CORVANTA_CALL bindAttribLocation(ScriptRuntime *runtime) {
    if (entryPoints.glBindAttribLocationARB == nullptr) return;
    const GLcharARB *name = stringParam(runtime, 1);
    if (name == nullptr) return;
    const GLhandleARB program = intParam(runtime, 3);
    entryPoints.glBindAttribLocationARB(program, static_cast<GLuint>(intParam(runtime, 2)), name);
}

void CORVANTA_CALL getHandle(ScriptRuntime *runtime) {
    GLhandleARB handle = 0;
    if (entryPoints.glGetHandleARB != nullptr) handle = entryPoints.glGetHandleARB(intParam(runtime, 1));
    setIntResult(runtime, static_cast<int32_t>(handle));
}

// The index-th object attached to a program: the driver fills a buffer of as
// many handles as it reports attached, and says how many it wrote.
void CORVANTA_CALL getAttachedObject(ScriptRuntime *runtime) {
    const GLhandleARB program = intParam(runtime, 2);
    const int32_t index = intParam(runtime, 1);
    const GLint attached = objectParameter(program, GL_OBJECT_ATTACHED_OBJECTS_ARB);
    GLhandleARB object = 0;
    const uint64_t bytes = static_cast<uint64_t>(attached) * sizeof(GLhandleARB);
    if (index >= 0 && index < attached && bytes <= UINT32_MAX &&
        entryPoints.glGetAttachedObjectsARB != nullptr) {
        auto *objects = static_cast<GLhandleARB *>(allocateZeroed(static_cast<size_t>(bytes)));
        if (objects != nullptr) {
            GLsizei written = 0;
            entryPoints.glGetAttachedObjectsARB(program, attached, &written, objects);
            if (index < written) object = objects[index];
            release(objects);
        }
    }
    setIntResult(runtime, static_cast<int32_t>(object));
}

} // namespace corvanta::handlers
