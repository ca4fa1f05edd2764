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

// The element type of an upload's last parameter, and how the host is told.
template <typename Entry> struct UploadElement;
template <typename Result, typename Location, typename Count, typename Element>
struct UploadElement<Result(CORVANTA_APIENTRY *)(Location, Count, const Element *)> {
    using Type = Element;
    static constexpr ValueCode code = std::is_same_v<Element, GLfloat> ? ValueFloat32 : ValueInt32;
};

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
template <auto member, int32_t components> void CORVANTA_CALL uniformArray(ScriptRuntime *runtime) {
    auto entry = entryPoints.*member;
    if (entry == nullptr) return;
    using Element = UploadElement<decltype(entry)>;
    const int32_t count = intParam(runtime, 2);
    withScriptArray<typename Element::Type, Element::code, components>(
        runtime, count, [&](const typename Element::Type *values) { entry(intParam(runtime, 3), count, values); });
}

// glUniformMatrix{C}x{R}fv(location, count, transpose, array): count matrices
// of C columns of R rows, each a row of the script's array, column by column
// (or row by row when transpose is not 0).
template <auto member, int32_t columns, int32_t rows> void CORVANTA_CALL uniformMatrix(ScriptRuntime *runtime) {
    auto entry = entryPoints.*member;
    if (entry == nullptr) return;
    const int32_t count = intParam(runtime, 3);
    withScriptArray<GLfloat, ValueFloat32, columns * rows>(runtime, count, [&](const GLfloat *values) {
        const GLboolean transpose = intParam(runtime, 2) != 0 ? 1 : 0;
        entry(intParam(runtime, 4), count, transpose, values);
    });
}

} // namespace corvanta::handlers
