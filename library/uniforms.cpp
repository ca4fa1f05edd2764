// Uniform values, given as separate arguments or as one script array, and the
// swap interval. All are procedures; a null entry point makes them do nothing.
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

// glUniformN{i,f}ARB(location, x, ...): with N components the location is
// argument N + 1 from the end, and component k is argument N - k.
template <auto member, typename Component, size_t... k>
void uniformFromArguments(ScriptRuntime *runtime, std::index_sequence<k...>) {
    constexpr auto count = static_cast<int32_t>(sizeof...(k));
    auto entry = entryPoints.*member;
    if (entry == nullptr) return;
    const GLint location = intParam(runtime, count + 1);
    const Component values[] = {component<Component>(runtime, count - static_cast<int32_t>(k))...};
    entry(location, values[k]...);
}

template <auto member, typename Component, size_t components>
void CORVANTA_CALL uniformValues(ScriptRuntime *runtime) {
    uniformFromArguments<member, Component>(runtime, std::make_index_sequence<components>{});
}

// glUniformN{i,f}vARB(location, count, array): the host copies count groups of
// N values from the script's array into one buffer that the driver reads.
// A negative count, a byte size beyond 32 bits or a failed allocation leave
// the uniform untouched.
template <auto member, typename Component, ValueCode code, int32_t components>
void CORVANTA_CALL uniformArray(ScriptRuntime *runtime) {
    auto entry = entryPoints.*member;
    if (entry == nullptr) return;
    const int32_t count = intParam(runtime, 2);
    const uint64_t bytes = static_cast<uint64_t>(count) * components * sizeof(Component);
    if (count < 0 || bytes > UINT32_MAX) return;
    // A count of 0 still hands the driver a valid pointer.
    void *buffer = allocate(bytes > 0 ? static_cast<size_t>(bytes) : 1);
    if (buffer == nullptr) return;
    runtime->ops->BeginValueType(runtime, code);
    if (components == 1)
        runtime->ops->AddArrayDims(runtime, 1, count);
    else
        runtime->ops->AddArrayDims(runtime, 2, count, components);
    runtime->ops->ReadParamData(runtime, 1, buffer);
    entry(intParam(runtime, 3), count, static_cast<const Component *>(buffer));
    release(buffer);
}

} // namespace

// One line each: every handler is an instance of the templates above.
// clang-format off
void CORVANTA_CALL uniform1i(ScriptRuntime *r) { uniformValues<&EntryPointTable::glUniform1iARB, GLint, 1>(r); }
void CORVANTA_CALL uniform2i(ScriptRuntime *r) { uniformValues<&EntryPointTable::glUniform2iARB, GLint, 2>(r); }
void CORVANTA_CALL uniform3i(ScriptRuntime *r) { uniformValues<&EntryPointTable::glUniform3iARB, GLint, 3>(r); }
void CORVANTA_CALL uniform4i(ScriptRuntime *r) { uniformValues<&EntryPointTable::glUniform4iARB, GLint, 4>(r); }
void CORVANTA_CALL uniform1f(ScriptRuntime *r) { uniformValues<&EntryPointTable::glUniform1fARB, GLfloat, 1>(r); }
void CORVANTA_CALL uniform2f(ScriptRuntime *r) { uniformValues<&EntryPointTable::glUniform2fARB, GLfloat, 2>(r); }
void CORVANTA_CALL uniform3f(ScriptRuntime *r) { uniformValues<&EntryPointTable::glUniform3fARB, GLfloat, 3>(r); }
void CORVANTA_CALL uniform4f(ScriptRuntime *r) { uniformValues<&EntryPointTable::glUniform4fARB, GLfloat, 4>(r); }

void CORVANTA_CALL uniform1iv(ScriptRuntime *r) { uniformArray<&EntryPointTable::glUniform1ivARB, GLint, ValueInt32, 1>(r); }
void CORVANTA_CALL uniform2iv(ScriptRuntime *r) { uniformArray<&EntryPointTable::glUniform2ivARB, GLint, ValueInt32, 2>(r); }
void CORVANTA_CALL uniform3iv(ScriptRuntime *r) { uniformArray<&EntryPointTable::glUniform3ivARB, GLint, ValueInt32, 3>(r); }
void CORVANTA_CALL uniform4iv(ScriptRuntime *r) { uniformArray<&EntryPointTable::glUniform4ivARB, GLint, ValueInt32, 4>(r); }
void CORVANTA_CALL uniform1fv(ScriptRuntime *r) { uniformArray<&EntryPointTable::glUniform1fvARB, GLfloat, ValueFloat32, 1>(r); }
void CORVANTA_CALL uniform2fv(ScriptRuntime *r) { uniformArray<&EntryPointTable::glUniform2fvARB, GLfloat, ValueFloat32, 2>(r); }
void CORVANTA_CALL uniform3fv(ScriptRuntime *r) { uniformArray<&EntryPointTable::glUniform3fvARB, GLfloat, ValueFloat32, 3>(r); }
void CORVANTA_CALL uniform4fv(ScriptRuntime *r) { uniformArray<&EntryPointTable::glUniform4fvARB, GLfloat, ValueFloat32, 4>(r); }
// clang-format on

// The swap interval belongs to another extension: it needs only its own entry
// point, not shader support. The driver's success result is not used.
void CORVANTA_CALL swapInterval(ScriptRuntime *runtime) {
    if (entryPoints.wglSwapIntervalEXT == nullptr) return;
    entryPoints.wglSwapIntervalEXT(intParam(runtime, 1));
}

} // namespace corvanta::handlers
