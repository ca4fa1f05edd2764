// Uploads from one script array: uniform values (glUniform{N}{i,f}vARB),
// matrix uniforms (glUniformMatrix*) and the draw buffers' list
// (glDrawBuffersARB). Each is a procedure guarded by its own entry point, and
// the number of values an element holds comes from the entry point's name.
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "glext/entry_points.h"
#include "library/allocation.h"
#include "library/arguments.h"

namespace corvanta::handlers {

// Reads `count` rows of `rowLength` 32-bit values from the script's array at
// the host's `index`, of one dimension (rows of one value) or two, into a
// buffer of their size, which the caller releases. Null, with nothing read,
// for a negative count or row, a byte size beyond 32 bits or a failed allocation; a
// count of 0 still gives a valid buffer.
void *readScriptArray(ScriptRuntime *runtime, int32_t index, int32_t count, int32_t rowLength, ValueCode code,
                      int32_t dimensions);

// An array of Element at `position`, of one dimension for single values and
// of two (a row an element) otherwise.
template <int32_t position, typename Element, int32_t components, FunctionHandler h>
constexpr int32_t arrayIndex() {
    return Arguments<h>::template arrayIndex < position, scriptTypeOf<Element>(),
           components == 1 ? 1 : 2 > ();
}

// The same for a handler's own array argument at `position`, read as the
// row registers it.
template <int32_t position, typename Element, int32_t dimensions, FunctionHandler h>
void *readArrayArgument(const Arguments<h> &args, int32_t count, int32_t rowLength) {
    constexpr int32_t index =
        Arguments<h>::template arrayIndex<position, scriptTypeOf<Element>(), dimensions>();
    return readScriptArray(args.runtime, index, count, rowLength, valueCodeOf<Element>(), dimensions);
}

// glUniform{N}{i,f}vARB(location, count, array): count elements of N values.
// The work is done once for each element type, not once per entry point.
template <typename Element>
void sendVectors(ScriptRuntime *runtime, void(CORVANTA_APIENTRY *entry)(GLint, GLsizei, const Element *),
                 int32_t components, int32_t locationAt, int32_t countAt, int32_t valuesAt) {
    if (entry == nullptr) return;
    const GLint location = intAtIndex(runtime, locationAt);
    const int32_t count = intAtIndex(runtime, countAt);
    void *values = readScriptArray(runtime, valuesAt, count, components, valueCodeOf<Element>(),
                                   components == 1 ? 1 : 2);
    if (values == nullptr) return;
    entry(location, count, static_cast<const Element *>(values));
    release(values);
}
template <typename Entry> struct Upload;
template <typename Element> struct Upload<void(CORVANTA_APIENTRY *)(GLint, GLsizei, const Element *)> {
    using Values = Element;
};
template <auto member> void CORVANTA_CALL uniformArray(ScriptRuntime *runtime) {
    using Args = Arguments<uniformArray<member>>;
    using Element = typename Upload<std::decay_t<decltype(entryPoints.*member)>>::Values;
    constexpr int32_t components = componentsOfEntryPoint<member>;
    sendVectors(runtime, entryPoints.*member, components, Args::template intIndex<0>(),
                Args::template intIndex<1>(), arrayIndex<2, Element, components, uniformArray<member>>());
}

// glDrawBuffersARB(count, array): count values of a one-dimensional array.
template <auto member> void CORVANTA_CALL countedArray(ScriptRuntime *runtime) {
    auto entry = entryPoints.*member;
    if (entry == nullptr) return;
    const Arguments<countedArray<member>> args(runtime);
    const int32_t count = intArgument<0>(args);
    void *values =
        readScriptArray(runtime, arrayIndex<1, GLenum, 1, countedArray<member>>(), count, 1, ValueInt32, 1);
    if (values == nullptr) return;
    entry(count, static_cast<const GLenum *>(values));
    release(values);
}

// glUniformMatrix{C}x{R}fv(location, count, transpose, array): count matrices
// of C columns of R rows, each a row of the script's array, column by column
// (or row by row when transpose is not 0). The work is done once for every
// matrix shape.
using MatrixUpload = void(CORVANTA_APIENTRY *)(GLint, GLsizei, GLboolean, const GLfloat *);
void sendMatrices(ScriptRuntime *runtime, MatrixUpload entry, int32_t size, int32_t locationAt,
                  int32_t countAt, int32_t transposeAt, int32_t valuesAt);
template <auto member> void CORVANTA_CALL uniformMatrix(ScriptRuntime *runtime) {
    using Args = Arguments<uniformMatrix<member>>;
    constexpr int32_t size = componentsOfEntryPoint<member>;
    static_assert(size > 1, "a matrix has rows of several values");
    sendMatrices(runtime, entryPoints.*member, size, Args::template intIndex<0>(),
                 Args::template intIndex<1>(), Args::template intIndex<2>(),
                 arrayIndex<3, GLfloat, size, uniformMatrix<member>>());
}

} // namespace corvanta::handlers
