// Every script function, once: its name, its handler (with its guard, see
// library/pass_through.h), its result type and its parameters in script
// order, in registration order. Registration reads the rows; each handler
// reads its arguments through its own row (library/arguments.h).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <type_traits>
#include <utility>

#include "glext/gl_tokens.h"
#include "library/handlers.h"
#include "plugin/host_interfaces.h"

namespace corvanta {
namespace rows {

// A parameter as registered: its type, the dimensions of an array (0 for a
// plain value), and whether the script passes a variable to be written,
// packed in one byte, 0 for no parameter (which ends the list): the table is
// most of the plugin's data.
class Param {
public:
    constexpr Param() = default;
    constexpr Param(int8_t type, int8_t dimensions, bool byReference)
        : code_(static_cast<uint8_t>(1 + type + 4 * dimensions + (byReference ? 16 : 0))) {}
    constexpr bool present() const { return code_ != 0; }
    constexpr int32_t type() const { return (code_ & 3) - 1; }
    constexpr int32_t dimensions() const { return (code_ >> 2) & 3; }
    constexpr bool byReference() const { return (code_ & 16) != 0; }
    constexpr bool operator==(Param other) const { return code_ == other.code_; }
    // The byte itself, below 32, for the rows packed for registration.
    constexpr uint8_t code() const { return code_; }
    static constexpr Param fromCode(uint8_t code) {
        Param param;
        param.code_ = code;
        return param;
    }

private:
    uint8_t code_ = 0;
};
constexpr Param Int{TypeInt, 0, false};
constexpr Param Real{TypeReal, 0, false};
constexpr Param Text{TypeString, 0, false};
constexpr Param IntRef{TypeInt, 0, true};
constexpr Param RealRef{TypeReal, 0, true};
constexpr Param IntArray1{TypeInt, 1, false};
constexpr Param IntArray2{TypeInt, 2, false};
constexpr Param RealArray1{TypeReal, 1, false};
constexpr Param RealArray2{TypeReal, 2, false};
constexpr Param RealArray2Ref{TypeReal, 2, true};

constexpr int8_t Procedure = -1; // in place of a result type

constexpr int32_t maxParams = 10;

struct ScriptFunction {
    const char *name;
    FunctionHandler handler;
    int8_t resultType;
    Param params[maxParams];

    constexpr int32_t paramCount() const {
        int32_t count = 0;
        while (count < maxParams && params[count].present()) ++count;
        return count;
    }
};

using E = EntryPointTable;
using handlers::Guard;
constexpr Guard SupportFlag = Guard::SupportFlag;
constexpr Guard EntryPoint = Guard::EntryPoint;
using handlers::AttributeList;
using handlers::countedArray;
using handlers::deleteOne;
using handlers::forgetThenPass;
using handlers::generateOne;
using handlers::objectStatus;
using handlers::objectText;
using handlers::passThrough;
using handlers::passThroughResult;
using handlers::queryByReference;
using handlers::setUniformByName;
using handlers::uniformArray;
using handlers::UniformList;
using handlers::uniformMatrix;
using handlers::variableDetail;
using handlers::variableLocation;
using handlers::variableName;
constexpr auto activeType = &handlers::ActiveVariable::type;
constexpr auto activeSize = &handlers::ActiveVariable::size;

// clang-format off
inline constexpr ScriptFunction scriptFunctions[] = {
    {"ShaderInit", handlers::shaderInit, TypeInt, {}}, // no entry point
    {"CompileStatus", objectStatus<GL_OBJECT_COMPILE_STATUS_ARB>, TypeInt, {Int}},
    {"LinkStatus", objectStatus<GL_OBJECT_LINK_STATUS_ARB>, TypeInt, {Int}},
    {"ValidateStatus", objectStatus<GL_OBJECT_VALIDATE_STATUS_ARB>, TypeInt, {Int}},
    {"GetInfoLog", objectText<GL_OBJECT_INFO_LOG_LENGTH_ARB, &E::glGetInfoLogARB>, TypeString, {Int}},
    {"GetActiveUniforms", objectStatus<GL_OBJECT_ACTIVE_UNIFORMS_ARB>, TypeInt, {Int}},
    {"GetUniformName", variableName<UniformList>, TypeString, {Int, Int}},
    {"GetUniformType", variableDetail<UniformList, activeType>, TypeInt, {Int, Int}},
    {"glCreateShaderObjectARB", passThroughResult<&E::glCreateShaderObjectARB, SupportFlag>, TypeInt, {Int}},
    {"glShaderSourceARB", handlers::shaderSource, Procedure, {Int, Text}}, // support flag
    {"glCompileShaderARB", passThrough<&E::glCompileShaderARB, EntryPoint>, Procedure, {Int}},
    {"glCreateProgramObjectARB", passThroughResult<&E::glCreateProgramObjectARB, SupportFlag>, TypeInt, {}},
    {"glAttachObjectARB", passThrough<&E::glAttachObjectARB, SupportFlag>, Procedure, {Int, Int}},
    {"glLinkProgramARB", forgetThenPass<&E::glLinkProgramARB>, Procedure, {Int}},
    {"glValidateProgramARB", passThrough<&E::glValidateProgramARB, EntryPoint>, Procedure, {Int}},
    {"glUseProgramObjectARB", passThrough<&E::glUseProgramObjectARB, SupportFlag>, Procedure, {Int}},
    {"glDetachObjectARB", passThrough<&E::glDetachObjectARB, SupportFlag>, Procedure, {Int, Int}},
    {"glDeleteObjectARB", forgetThenPass<&E::glDeleteObjectARB>, Procedure, {Int}},
    {"glGetObjectParameterivARB", queryByReference<&E::glGetObjectParameterivARB>, Procedure, {Int, Int, IntRef}},
    {"glGetObjectParameterfvARB", queryByReference<&E::glGetObjectParameterfvARB>, Procedure, {Int, Int, RealRef}},
    {"glGetUniformLocationARB", variableLocation<&E::glGetUniformLocationARB>, TypeInt, {Int, Text}},
    {"glGetUniformivARB", queryByReference<&E::glGetUniformivARB>, Procedure, {Int, Int, IntRef}},
    {"glGetUniformfvARB", queryByReference<&E::glGetUniformfvARB>, Procedure, {Int, Int, RealRef}},
    {"glUniform1iARB", passThrough<&E::glUniform1iARB, EntryPoint>, Procedure, {Int, Int}},
    {"glUniform2iARB", passThrough<&E::glUniform2iARB, EntryPoint>, Procedure, {Int, Int, Int}},
    {"glUniform3iARB", passThrough<&E::glUniform3iARB, EntryPoint>, Procedure, {Int, Int, Int, Int}},
    {"glUniform4iARB", passThrough<&E::glUniform4iARB, EntryPoint>, Procedure, {Int, Int, Int, Int, Int}},
    {"glUniform1fARB", passThrough<&E::glUniform1fARB, EntryPoint>, Procedure, {Int, Real}},
    {"glUniform2fARB", passThrough<&E::glUniform2fARB, EntryPoint>, Procedure, {Int, Real, Real}},
    {"glUniform3fARB", passThrough<&E::glUniform3fARB, EntryPoint>, Procedure, {Int, Real, Real, Real}},
    {"glUniform4fARB", passThrough<&E::glUniform4fARB, EntryPoint>, Procedure, {Int, Real, Real, Real, Real}},
    {"glUniform1ivARB", uniformArray<&E::glUniform1ivARB>, Procedure, {Int, Int, IntArray1}},
    {"glUniform2ivARB", uniformArray<&E::glUniform2ivARB>, Procedure, {Int, Int, IntArray2}},
    {"glUniform3ivARB", uniformArray<&E::glUniform3ivARB>, Procedure, {Int, Int, IntArray2}},
    {"glUniform4ivARB", uniformArray<&E::glUniform4ivARB>, Procedure, {Int, Int, IntArray2}},
    {"glUniform1fvARB", uniformArray<&E::glUniform1fvARB>, Procedure, {Int, Int, RealArray1}},
    {"glUniform2fvARB", uniformArray<&E::glUniform2fvARB>, Procedure, {Int, Int, RealArray2}},
    {"glUniform3fvARB", uniformArray<&E::glUniform3fvARB>, Procedure, {Int, Int, RealArray2}},
    {"glUniform4fvARB", uniformArray<&E::glUniform4fvARB>, Procedure, {Int, Int, RealArray2}},
    {"wglSwapIntervalEXT", passThrough<&E::wglSwapIntervalEXT, EntryPoint>, Procedure, {Int}},
    // Added after the first forty.
    {"glUniformMatrix2fvARB", uniformMatrix<&E::glUniformMatrix2fvARB>, Procedure, {Int, Int, Int, RealArray2}},
    {"glUniformMatrix3fvARB", uniformMatrix<&E::glUniformMatrix3fvARB>, Procedure, {Int, Int, Int, RealArray2}},
    {"glUniformMatrix4fvARB", uniformMatrix<&E::glUniformMatrix4fvARB>, Procedure, {Int, Int, Int, RealArray2}},
    {"glGetHandleARB", passThroughResult<&E::glGetHandleARB, EntryPoint>, TypeInt, {Int}},
    {"GetAttachedObject", handlers::getAttachedObject, TypeInt, {Int, Int}},
    {"GetShaderSource", objectText<GL_OBJECT_SHADER_SOURCE_LENGTH_ARB, &E::glGetShaderSourceARB>, TypeString, {Int}},
    {"glBindAttribLocationARB", passThrough<&E::glBindAttribLocationARB, EntryPoint>, Procedure, {Int, Int, Text}},
    {"glGetAttribLocationARB", variableLocation<&E::glGetAttribLocationARB>, TypeInt, {Int, Text}},
    {"GetActiveAttributes", objectStatus<GL_OBJECT_ACTIVE_ATTRIBUTES_ARB>, TypeInt, {Int}},
    {"GetAttribName", variableName<AttributeList>, TypeString, {Int, Int}},
    {"GetAttribType", variableDetail<AttributeList, activeType>, TypeInt, {Int, Int}},
    {"GetUniformSize", variableDetail<UniformList, activeSize>, TypeInt, {Int, Int}},
    {"glVertexAttrib1fARB", passThrough<&E::glVertexAttrib1fARB, EntryPoint>, Procedure, {Int, Real}},
    {"glVertexAttrib2fARB", passThrough<&E::glVertexAttrib2fARB, EntryPoint>, Procedure, {Int, Real, Real}},
    {"glVertexAttrib3fARB", passThrough<&E::glVertexAttrib3fARB, EntryPoint>, Procedure, {Int, Real, Real, Real}},
    {"glVertexAttrib4fARB", passThrough<&E::glVertexAttrib4fARB, EntryPoint>, Procedure, {Int, Real, Real, Real, Real}},
    {"BuildProgram", handlers::buildProgram, TypeInt, {Text, Text}}, // support flag
    {"GetBuildLog", handlers::getBuildLog, TypeString, {}},           // no entry point
    {"glUniformMatrix2x3fv", uniformMatrix<&E::glUniformMatrix2x3fv>, Procedure, {Int, Int, Int, RealArray2}},
    {"glUniformMatrix3x2fv", uniformMatrix<&E::glUniformMatrix3x2fv>, Procedure, {Int, Int, Int, RealArray2}},
    {"glUniformMatrix2x4fv", uniformMatrix<&E::glUniformMatrix2x4fv>, Procedure, {Int, Int, Int, RealArray2}},
    {"glUniformMatrix4x2fv", uniformMatrix<&E::glUniformMatrix4x2fv>, Procedure, {Int, Int, Int, RealArray2}},
    {"glUniformMatrix3x4fv", uniformMatrix<&E::glUniformMatrix3x4fv>, Procedure, {Int, Int, Int, RealArray2}},
    {"glUniformMatrix4x3fv", uniformMatrix<&E::glUniformMatrix4x3fv>, Procedure, {Int, Int, Int, RealArray2}},
    // Render targets (their own entry points, see library/handlers.h), then
    // framebuffer and renderbuffer objects of the script's own.
    {"CreateRenderTarget", handlers::createRenderTarget, TypeInt, {Int, Int, Int, Int}},
    {"BeginRenderTarget", handlers::beginRenderTarget, Procedure, {Int}},
    {"EndRenderTarget", handlers::endRenderTarget, Procedure, {}},
    {"RenderTargetTexture", handlers::renderTargetTexture, TypeInt, {Int, Int}},
    {"DeleteRenderTarget", handlers::deleteRenderTarget, Procedure, {Int}},
    {"GenFramebuffer", generateOne<&E::glGenFramebuffersEXT>, TypeInt, {}},
    {"DeleteFramebuffer", handlers::deleteFramebuffer, Procedure, {Int}},
    {"glBindFramebufferEXT", passThrough<&E::glBindFramebufferEXT, EntryPoint>, Procedure, {Int, Int}},
    {"glCheckFramebufferStatusEXT", passThroughResult<&E::glCheckFramebufferStatusEXT, EntryPoint>, TypeInt, {Int}},
    {"glFramebufferTexture2DEXT", passThrough<&E::glFramebufferTexture2DEXT, EntryPoint>, Procedure, {Int, Int, Int, Int, Int}},
    {"glFramebufferRenderbufferEXT", passThrough<&E::glFramebufferRenderbufferEXT, EntryPoint>, Procedure, {Int, Int, Int, Int}},
    {"glIsFramebufferEXT", passThroughResult<&E::glIsFramebufferEXT, EntryPoint>, TypeInt, {Int}},
    {"glGetFramebufferAttachmentParameterivEXT", queryByReference<&E::glGetFramebufferAttachmentParameterivEXT>, Procedure, {Int, Int, Int, IntRef}},
    {"GenRenderbuffer", generateOne<&E::glGenRenderbuffersEXT>, TypeInt, {}},
    {"DeleteRenderbuffer", deleteOne<&E::glDeleteRenderbuffersEXT>, Procedure, {Int}},
    {"glBindRenderbufferEXT", passThrough<&E::glBindRenderbufferEXT, EntryPoint>, Procedure, {Int, Int}},
    {"glRenderbufferStorageEXT", passThrough<&E::glRenderbufferStorageEXT, EntryPoint>, Procedure, {Int, Int, Int, Int}},
    {"glIsRenderbufferEXT", passThroughResult<&E::glIsRenderbufferEXT, EntryPoint>, TypeInt, {Int}},
    {"glGetRenderbufferParameterivEXT", queryByReference<&E::glGetRenderbufferParameterivEXT>, Procedure, {Int, Int, IntRef}},
    {"glGenerateMipmapEXT", passThrough<&E::glGenerateMipmapEXT, EntryPoint>, Procedure, {Int}},
    {"glDrawBuffersARB", countedArray<&E::glDrawBuffersARB>, Procedure, {Int, IntArray1}},
    // Meshes (their own entry points, see library/handlers.h) and the
    // warnings of calls that were refused.
    {"GetWarnings", handlers::getWarnings, TypeString, {}}, // no entry point
    {"CreateMesh", handlers::createMesh, TypeInt, {Int}},
    {"MeshAttribute", handlers::meshAttribute, TypeInt, {Int, Text, Int, RealArray2}},
    {"MeshIndices", handlers::meshIndices, TypeInt, {Int, Int, IntArray1}},
    {"DrawMesh", handlers::drawMesh, Procedure, {Int, Int}},
    {"DrawMeshRange", handlers::drawMeshRange, Procedure, {Int, Int, Int, Int}},
    {"DrawMeshInstanced", handlers::drawMeshInstanced, Procedure, {Int, Int, Int}},
    {"MeshInstanceAttribute", handlers::meshInstanceAttribute, TypeInt, {Int, Text, Int, Int, RealArray2}},
    {"DeleteMesh", handlers::deleteMesh, Procedure, {Int}},
    {"HasUniform", handlers::hasUniform, TypeInt, {Int, Text}},
    {"SetUniform1f", setUniformByName<&E::glUniform1fARB>, Procedure, {Int, Text, Real}},
    {"SetUniform2f", setUniformByName<&E::glUniform2fARB>, Procedure, {Int, Text, Real, Real}},
    {"SetUniform3f", setUniformByName<&E::glUniform3fARB>, Procedure, {Int, Text, Real, Real, Real}},
    {"SetUniform4f", setUniformByName<&E::glUniform4fARB>, Procedure, {Int, Text, Real, Real, Real, Real}},
    {"SetUniform1i", setUniformByName<&E::glUniform1iARB>, Procedure, {Int, Text, Int}},
    {"SetUniform2i", setUniformByName<&E::glUniform2iARB>, Procedure, {Int, Text, Int, Int}},
    {"SetUniform3i", setUniformByName<&E::glUniform3iARB>, Procedure, {Int, Text, Int, Int, Int}},
    {"SetUniform4i", setUniformByName<&E::glUniform4iARB>, Procedure, {Int, Text, Int, Int, Int, Int}},
    {"SetUniformArray", handlers::setUniformArray, Procedure, {Int, Text, Int, RealArray1}},
    {"SetUniformMatrix", handlers::setUniformMatrix, Procedure, {Int, Text, RealArray2}},
    {"CreateRenderTargetEx", handlers::createRenderTargetEx, TypeInt, {Int, Int, Int, Int, Int, Int}},
    {"ReadRenderTarget", handlers::readRenderTarget, Procedure, {Int, Int, Int, Int, Int, RealArray2Ref}},
    {"glRenderbufferStorageMultisampleEXT", passThrough<&E::glRenderbufferStorageMultisampleEXT, EntryPoint>, Procedure, {Int, Int, Int, Int, Int}},
    {"glBlitFramebufferEXT", passThrough<&E::glBlitFramebufferEXT, EntryPoint>, Procedure, {Int, Int, Int, Int, Int, Int, Int, Int, Int, Int}},
    {"MeshAttributeRange", handlers::meshAttributeRange, TypeInt, {Int, Text, Int, Int, RealArray2}},
    // Textures (their own entry points, see library/handlers.h).
    {"CreateTexture", handlers::createTexture, TypeInt, {Int, Int, Int, Int, Int, Int}},
    {"TextureData", handlers::textureData, Procedure, {Int, Int, Int, Int, Int, Int, RealArray2}},
    {"TextureParameter", handlers::textureParameter, Procedure, {Int, Int, Int}},
    {"SetUniformTexture", handlers::setUniformTexture, Procedure, {Int, Text, Int}},
    {"DeleteTexture", handlers::deleteTexture, Procedure, {Int}},
    {"AttachRenderTargetTexture", handlers::attachRenderTargetTexture, TypeInt, {Int, Int, Int, Int}},
};
// clang-format on

// What registration reads of the rows at run time, made from them at compile
// time. Names are kept once: a name that is an entry point's is read from the
// entry points' names (glext/entry_points.h), and the others one after the
// other in a text of their own, rather than a pointer to each. Each row keeps
// its handler and one value packing where its name starts (counting the
// entry points' names first), its result type plus 1 (0 for a procedure),
// then each parameter's code, 0 after the last.
struct RegisteredRow {
    static constexpr int nameBits = 12;
    static constexpr int resultBits = 2;
    static constexpr int paramsAt = nameBits + resultBits;
    static constexpr int paramBits = 5; // a Param's code
    static constexpr uint32_t paramMask = (1u << paramBits) - 1;

    FunctionHandler handler;
    uint32_t shape[2]; // low and high halves: no 8-byte alignment, 12 bytes a row
    constexpr uint64_t packed() const { return static_cast<uint64_t>(shape[1]) << 32 | shape[0]; }
    constexpr uint32_t nameAt() const { return shape[0] & ((1u << nameBits) - 1); }
    constexpr int32_t resultType() const {
        return static_cast<int32_t>(shape[0] >> nameBits & ((1u << resultBits) - 1)) - 1;
    }
    constexpr uint64_t params() const { return packed() >> paramsAt; }
};
// Where `name` starts among the entry points' names, or past them when it is
// none of them.
constexpr size_t entryPointNameAt(const char *name) {
    for (const char *known = entryPointNames; *known != '\0'; known = nextName(known))
        if (sameText(known, name)) return static_cast<size_t>(known - entryPointNames);
    return sizeof entryPointNames;
}
constexpr bool isEntryPointName(const char *name) { return entryPointNameAt(name) < sizeof entryPointNames; }
constexpr size_t ownNamesLength() {
    size_t length = 0;
    for (const ScriptFunction &function : scriptFunctions)
        if (!isEntryPointName(function.name)) length += textLength(function.name) + 1;
    return length;
}
inline constexpr auto ownNames = [] {
    std::array<char, ownNamesLength()> names{};
    size_t at = 0;
    for (const ScriptFunction &function : scriptFunctions) {
        if (isEntryPointName(function.name)) continue;
        for (const char *c = function.name; *c != '\0'; ++c) names[at++] = *c;
        names[at++] = '\0';
    }
    return names;
}();
static_assert(sizeof entryPointNames + ownNamesLength() <= 1u << RegisteredRow::nameBits,
              "every name's start fits its bits");
static_assert(RegisteredRow::paramsAt + RegisteredRow::paramBits * maxParams <= 64,
              "every parameter fits the packed shape");
inline constexpr auto registeredRows = [] {
    std::array<RegisteredRow, std::size(scriptFunctions)> registered{};
    size_t ownAt = sizeof entryPointNames;
    for (size_t row = 0; row < std::size(scriptFunctions); ++row) {
        const ScriptFunction &function = scriptFunctions[row];
        uint64_t shape = entryPointNameAt(function.name);
        if (shape == sizeof entryPointNames) {
            shape = ownAt;
            ownAt += textLength(function.name) + 1;
        }
        shape |= static_cast<uint64_t>(function.resultType + 1) << RegisteredRow::nameBits;
        for (int32_t k = 0; k < function.paramCount(); ++k)
            shape |= static_cast<uint64_t>(function.params[k].code())
                     << (RegisteredRow::paramsAt + RegisteredRow::paramBits * k);
        registered[row] = {function.handler,
                           {static_cast<uint32_t>(shape), static_cast<uint32_t>(shape >> 32)}};
    }
    return registered;
}();

// A row's name, from the text it is kept in.
constexpr const char *registeredName(const RegisteredRow &row) {
    const uint32_t at = row.nameAt();
    return at < sizeof entryPointNames ? entryPointNames + at
                                       : ownNames.data() + (at - sizeof entryPointNames);
}

} // namespace rows

using rows::ScriptFunction;
using rows::scriptFunctions;

// The row of a handler, found at compile time. Handlers are told apart by
// type identity, which every compiler decides at compile time, rather than
// by comparing addresses, which one that may alias functions does not. A
// handler without a row gives an index past the end, which fails the build
// where its arguments are read.
template <FunctionHandler handler> struct HandlerKey {};
template <FunctionHandler handler, size_t... row> constexpr size_t rowIndexOf(std::index_sequence<row...>) {
    size_t found = sizeof...(row);
    ((std::is_same_v<HandlerKey<scriptFunctions[row].handler>, HandlerKey<handler>> ? (void)(found = row)
                                                                                    : (void)0),
     ...);
    return found;
}
template <FunctionHandler handler>
constexpr size_t rowOf = rowIndexOf<handler>(std::make_index_sequence<std::size(scriptFunctions)>{});
template <FunctionHandler handler> constexpr const ScriptFunction &scriptFunctionOf() {
    return scriptFunctions[rowOf<handler>];
}

} // namespace corvanta
