// Uniform values given as one script array, and matrix uniforms. Both are
// procedures guarded by their own entry point.
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "glext/entry_points.h"
#include "library/allocation.h"
#include "library/runtime_access.h"

namespace corvanta::handlers {

// How the host is told the type of an upload's 32-bit values.
template <typename Element> constexpr ValueCode codeOf() {
    static_assert(sizeof(Element) == 4, "the host exchanges 32-bit values");
    return std::is_same_v<Element, GLfloat> ? ValueFloat32 : ValueInt32;
}

// Reads `count` rows of `rowLength` 32-bit values from the script's array
// (argument 1) into a buffer of their size, which the caller releases. Null,
// with nothing read, for a negative count, a byte size beyond 32 bits or a
// failed allocation; a count of 0 still gives a valid buffer.
void *readScriptArray(ScriptRuntime *runtime, int32_t count, int32_t rowLength, ValueCode code);

// glUniformN{i,f}vARB(location, count, array): count groups of N values.
// The work is done once for each element type, not once per entry point.
template <typename Element>
void sendArray(ScriptRuntime *runtime, void(CORVANTA_APIENTRY *entry)(GLint, GLsizei, const Element *),
               int32_t components) {
    if (entry == nullptr) return;
    const int32_t count = intParam(runtime, 2);
    void *values = readScriptArray(runtime, count, components, codeOf<Element>());
    if (values == nullptr) return;
    entry(intParam(runtime, 3), count, static_cast<const Element *>(values));
    release(values);
}
template <auto member, int32_t components> void CORVANTA_CALL uniformArray(ScriptRuntime *runtime) {
    sendArray(runtime, entryPoints.*member, components);
}

// glDrawBuffersARB(count, array): count values of a one-dimensional array.
template <typename Element>
void sendCounted(ScriptRuntime *runtime, void(CORVANTA_APIENTRY *entry)(GLsizei, const Element *)) {
    if (entry == nullptr) return;
    const int32_t count = intParam(runtime, 2);
    void *values = readScriptArray(runtime, count, 1, codeOf<Element>());
    if (values == nullptr) return;
    entry(count, static_cast<const Element *>(values));
    release(values);
}
template <auto member> void CORVANTA_CALL countedArray(ScriptRuntime *runtime) {
    sendCounted(runtime, entryPoints.*member);
}

// glUniformMatrix{C}x{R}fv(location, count, transpose, array): count matrices
// of C columns of R rows, each a row of the script's array, column by column
// (or row by row when transpose is not 0).
using MatrixUpload = void(CORVANTA_APIENTRY *)(GLint, GLsizei, GLboolean, const GLfloat *);
void sendMatrices(ScriptRuntime *runtime, MatrixUpload entry, int32_t size);
template <auto member, int32_t columns, int32_t rows>
void CORVANTA_CALL uniformMatrix(ScriptRuntime *runtime) {
    sendMatrices(runtime, entryPoints.*member, columns * rows);
}

} // namespace corvanta::handlers
