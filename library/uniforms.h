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

// The element type of an upload's last parameter, and how the host is told:
// (location, count, values) or (count, values).
template <typename Entry> struct UploadElement;
template <typename Result, typename Count, typename Element>
struct UploadElement<Result(CORVANTA_APIENTRY *)(Count, const Element *)>
    : UploadElement<Result(CORVANTA_APIENTRY *)(GLint, Count, const Element *)> {};
template <typename Result, typename Location, typename Count, typename Element>
struct UploadElement<Result(CORVANTA_APIENTRY *)(Location, Count, const Element *)> {
    static_assert(sizeof(Element) == 4, "the host exchanges 32-bit values");
    using Type = Element;
    static constexpr ValueCode code = std::is_same_v<Element, GLfloat> ? ValueFloat32 : ValueInt32;
};

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
    void *values = readScriptArray(runtime, count, components, UploadElement<decltype(entry)>::code);
    if (values == nullptr) return;
    entry(intParam(runtime, 3), count, static_cast<const Element *>(values));
    release(values);
}
template <auto member, int32_t components> void CORVANTA_CALL uniformArray(ScriptRuntime *runtime) {
    sendArray(runtime, entryPoints.*member, components);
}

// glDrawBuffersARB(count, array): count values of a one-dimensional array.
template <auto member> void CORVANTA_CALL countedArray(ScriptRuntime *runtime) {
    auto entry = entryPoints.*member;
    if (entry == nullptr) return;
    using Element = UploadElement<decltype(entry)>;
    const int32_t count = intParam(runtime, 2);
    void *values = readScriptArray(runtime, count, 1, Element::code);
    if (values == nullptr) return;
    entry(count, static_cast<const typename Element::Type *>(values));
    release(values);
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
