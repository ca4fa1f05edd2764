// Uniform values, given as separate arguments or as one script array, matrix
// uniforms, vertex attributes, and the swap interval. All are procedures; a
// null entry point makes them do nothing.
#include <cstddef>
#include <cstdint>
#include <utility>

#include "glext/entry_points.h"
#include "library/allocation.h"
#include "library/handlers.h"
#include "library/runtime_access.h"

namespace corvanta::handlers {
namespace {

template <typename Component> Component component(ScriptRuntime *runtime, int32_t index);
template <> GLint component<GLint>(ScriptRuntime *runtime, int32_t index) { return intParam(runtime, index); }
template <> GLfloat component<GLfloat>(ScriptRuntime *runtime, int32_t index) {
    return realParam(runtime, index);
}

// glUniformN{i,f}ARB(location, x, ...) and glVertexAttribNfARB(index, x, ...):
// with N components the location (or attribute index) is argument N + 1 from
// the end, and component k is argument N - k.
template <auto member, typename Component, size_t... k>
void fromArguments(ScriptRuntime *runtime, std::index_sequence<k...>) {
    constexpr auto count = static_cast<int32_t>(sizeof...(k));
    auto entry = entryPoints.*member;
    if (entry == nullptr) return;
    const GLint target = intParam(runtime, count + 1);
    const Component values[] = {component<Component>(runtime, count - static_cast<int32_t>(k))...};
    entry(target, values[k]...);
}

template <auto member, typename Component, size_t components>
void CORVANTA_CALL separateValues(ScriptRuntime *runtime) {
    fromArguments<member, Component>(runtime, std::make_index_sequence<components>{});
}

// The host copies `count` rows of `rowLength` values from the script's array
// (argument 1) into one buffer, which `send` hands to the driver. A negative
// count, a byte size beyond 32 bits or a failed allocation leave the uniform
// untouched; a count of 0 still hands the driver a valid pointer.
template <typename Component, ValueCode code, int32_t rowLength, typename Send>
void withScriptArray(ScriptRuntime *runtime, int32_t count, Send send) {
    const uint64_t bytes = static_cast<uint64_t>(count) * rowLength * sizeof(Component);
    if (count < 0 || bytes > UINT32_MAX) return;
    void *buffer = allocate(bytes > 0 ? static_cast<size_t>(bytes) : 1);
    if (buffer == nullptr) return;
    runtime->ops->BeginValueType(runtime, code);
    if (rowLength == 1)
        runtime->ops->AddArrayDims(runtime, 1, count);
    else
        runtime->ops->AddArrayDims(runtime, 2, count, rowLength);
    runtime->ops->ReadParamData(runtime, 1, buffer);
    send(static_cast<const Component *>(buffer));
    release(buffer);
}

// glUniformN{i,f}vARB(location, count, array): count groups of N values.
template <auto member, typename Component, ValueCode code, int32_t components>
void CORVANTA_CALL uniformArray(ScriptRuntime *runtime) {
    auto entry = entryPoints.*member;
    if (entry == nullptr) return;
    const int32_t count = intParam(runtime, 2);
    withScriptArray<Component, code, components>(
        runtime, count, [&](const Component *values) { entry(intParam(runtime, 3), count, values); });
}

// glUniformMatrix{C}x{R}fv(location, count, transpose, array): count matrices
// of C columns of R rows, each a row of the script's array, column by column
// (or row by row when transpose is not 0).
template <auto member, int32_t columns, int32_t rows>
void CORVANTA_CALL uniformMatrix(ScriptRuntime *runtime) {
    auto entry = entryPoints.*member;
    if (entry == nullptr) return;
    const int32_t count = intParam(runtime, 3);
    withScriptArray<GLfloat, ValueFloat32, columns * rows>(runtime, count, [&](const GLfloat *values) {
        const GLboolean transpose = intParam(runtime, 2) != 0 ? 1 : 0;
        entry(intParam(runtime, 4), count, transpose, values);
    });
}

} // namespace

// One line each: every handler is an instance of the templates above.
// clang-format off
void CORVANTA_CALL uniform1i(ScriptRuntime *r) { separateValues<&EntryPointTable::glUniform1iARB, GLint, 1>(r); }
void CORVANTA_CALL uniform2i(ScriptRuntime *r) { separateValues<&EntryPointTable::glUniform2iARB, GLint, 2>(r); }
void CORVANTA_CALL uniform3i(ScriptRuntime *r) { separateValues<&EntryPointTable::glUniform3iARB, GLint, 3>(r); }
void CORVANTA_CALL uniform4i(ScriptRuntime *r) { separateValues<&EntryPointTable::glUniform4iARB, GLint, 4>(r); }
void CORVANTA_CALL uniform1f(ScriptRuntime *r) { separateValues<&EntryPointTable::glUniform1fARB, GLfloat, 1>(r); }
void CORVANTA_CALL uniform2f(ScriptRuntime *r) { separateValues<&EntryPointTable::glUniform2fARB, GLfloat, 2>(r); }
void CORVANTA_CALL uniform3f(ScriptRuntime *r) { separateValues<&EntryPointTable::glUniform3fARB, GLfloat, 3>(r); }
void CORVANTA_CALL uniform4f(ScriptRuntime *r) { separateValues<&EntryPointTable::glUniform4fARB, GLfloat, 4>(r); }

void CORVANTA_CALL uniform1iv(ScriptRuntime *r) { uniformArray<&EntryPointTable::glUniform1ivARB, GLint, ValueInt32, 1>(r); }
void CORVANTA_CALL uniform2iv(ScriptRuntime *r) { uniformArray<&EntryPointTable::glUniform2ivARB, GLint, ValueInt32, 2>(r); }
void CORVANTA_CALL uniform3iv(ScriptRuntime *r) { uniformArray<&EntryPointTable::glUniform3ivARB, GLint, ValueInt32, 3>(r); }
void CORVANTA_CALL uniform4iv(ScriptRuntime *r) { uniformArray<&EntryPointTable::glUniform4ivARB, GLint, ValueInt32, 4>(r); }
void CORVANTA_CALL uniform1fv(ScriptRuntime *r) { uniformArray<&EntryPointTable::glUniform1fvARB, GLfloat, ValueFloat32, 1>(r); }
void CORVANTA_CALL uniform2fv(ScriptRuntime *r) { uniformArray<&EntryPointTable::glUniform2fvARB, GLfloat, ValueFloat32, 2>(r); }
void CORVANTA_CALL uniform3fv(ScriptRuntime *r) { uniformArray<&EntryPointTable::glUniform3fvARB, GLfloat, ValueFloat32, 3>(r); }
void CORVANTA_CALL uniform4fv(ScriptRuntime *r) { uniformArray<&EntryPointTable::glUniform4fvARB, GLfloat, ValueFloat32, 4>(r); }

void CORVANTA_CALL uniformMatrix2(ScriptRuntime *r) { uniformMatrix<&EntryPointTable::glUniformMatrix2fvARB, 2, 2>(r); }
void CORVANTA_CALL uniformMatrix3(ScriptRuntime *r) { uniformMatrix<&EntryPointTable::glUniformMatrix3fvARB, 3, 3>(r); }
void CORVANTA_CALL uniformMatrix4(ScriptRuntime *r) { uniformMatrix<&EntryPointTable::glUniformMatrix4fvARB, 4, 4>(r); }
void CORVANTA_CALL uniformMatrix2x3(ScriptRuntime *r) { uniformMatrix<&EntryPointTable::glUniformMatrix2x3fv, 2, 3>(r); }
void CORVANTA_CALL uniformMatrix3x2(ScriptRuntime *r) { uniformMatrix<&EntryPointTable::glUniformMatrix3x2fv, 3, 2>(r); }
void CORVANTA_CALL uniformMatrix2x4(ScriptRuntime *r) { uniformMatrix<&EntryPointTable::glUniformMatrix2x4fv, 2, 4>(r); }
void CORVANTA_CALL uniformMatrix4x2(ScriptRuntime *r) { uniformMatrix<&EntryPointTable::glUniformMatrix4x2fv, 4, 2>(r); }
void CORVANTA_CALL uniformMatrix3x4(ScriptRuntime *r) { uniformMatrix<&EntryPointTable::glUniformMatrix3x4fv, 3, 4>(r); }
void CORVANTA_CALL uniformMatrix4x3(ScriptRuntime *r) { uniformMatrix<&EntryPointTable::glUniformMatrix4x3fv, 4, 3>(r); }

void CORVANTA_CALL vertexAttrib1f(ScriptRuntime *r) { separateValues<&EntryPointTable::glVertexAttrib1fARB, GLfloat, 1>(r); }
void CORVANTA_CALL vertexAttrib2f(ScriptRuntime *r) { separateValues<&EntryPointTable::glVertexAttrib2fARB, GLfloat, 2>(r); }
void CORVANTA_CALL vertexAttrib3f(ScriptRuntime *r) { separateValues<&EntryPointTable::glVertexAttrib3fARB, GLfloat, 3>(r); }
void CORVANTA_CALL vertexAttrib4f(ScriptRuntime *r) { separateValues<&EntryPointTable::glVertexAttrib4fARB, GLfloat, 4>(r); }
// clang-format on

// The swap interval belongs to another extension: it needs only its own entry
// point, not shader support. The driver's success result is not used.
void CORVANTA_CALL swapInterval(ScriptRuntime *runtime) {
    if (entryPoints.wglSwapIntervalEXT == nullptr) return;
    entryPoints.wglSwapIntervalEXT(intParam(runtime, 1));
}

} // namespace corvanta::handlers
