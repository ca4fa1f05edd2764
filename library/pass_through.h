// Handlers that hand the script's arguments to one entry point and, for a
// function, its answer back. What each argument is comes from the entry
// point's own prototype, so a new pass-through name needs no code of its own.
//
// Every handler guards its driver call in one of three ways, named in its
// registration row:
// - SupportFlag: the calls that create, build, use or delete objects of the
//   shader-object extension wait for the start to have found every required
//   entry point, so a driver with only part of the extension gives a script
//   nothing half-made.
// - EntryPoint: queries, uniforms and the calls of other extensions need only
//   their own entry point, so they work wherever the driver has it.
// - none: the library's own state ("ShaderInit", "GetBuildLog") asks no driver.
// Whatever the guard, a null entry point is never called; a function whose
// guard is closed still sets its result (0), so a script never reads a stale
// value.
#pragma once

#include <cstddef>
#include <cstdint>
#include <tuple>
#include <type_traits>
#include <utility>

#include "glext/entry_points.h"
#include "library/runtime_access.h"

namespace corvanta::handlers {

enum class Guard { SupportFlag, EntryPoint };

template <Guard guard, typename Entry> bool open(Entry entry) {
    return entry != nullptr && (guard == Guard::EntryPoint || shaderSupported != 0);
}

// One script argument as the parameter type of the entry point: reals as the
// nearest float, texts as they are, everything else (handles, enums,
// locations, counts, ints) as the 32-bit int unchanged.
template <typename Param> Param argument(ScriptRuntime *runtime, int32_t index) {
    if constexpr (std::is_same_v<Param, GLfloat>)
        return realParam(runtime, index);
    else if constexpr (std::is_same_v<Param, const GLcharARB *>)
        return stringParam(runtime, index);
    else
        return static_cast<Param>(intParam(runtime, index));
}

template <typename Entry> struct Arguments;
template <typename Result, typename... Params> struct Arguments<Result(CORVANTA_APIENTRY *)(Params...)> {
    // The script passes the parameters in the prototype's order: with N of
    // them, parameter k is argument N - k (argument 1 is the last). They are
    // read in that order.
    template <size_t... k>
    static std::tuple<Params...> read([[maybe_unused]] ScriptRuntime *runtime, std::index_sequence<k...>) {
        constexpr auto count = static_cast<int32_t>(sizeof...(Params));
        return std::tuple<Params...>{argument<Params>(runtime, count - static_cast<int32_t>(k))...};
    }
    static std::tuple<Params...> read(ScriptRuntime *runtime) {
        return read(runtime, std::index_sequence_for<Params...>{});
    }
    // A text the host gives as null cannot reach the driver.
    static bool complete(const std::tuple<Params...> &args) {
        return std::apply([](auto... value) { return (present(value) && ...); }, args);
    }

private:
    template <typename Value> static bool present(Value value) {
        if constexpr (std::is_pointer_v<Value>)
            return value != nullptr;
        else
            return true;
    }
};

// A procedure: the entry point called with the script's arguments; whatever
// it answers is not used.
template <auto member, Guard guard> void CORVANTA_CALL passThrough(ScriptRuntime *runtime) {
    auto entry = entryPoints.*member;
    if (!open<guard>(entry)) return;
    const auto args = Arguments<decltype(entry)>::read(runtime);
    if (Arguments<decltype(entry)>::complete(args)) std::apply(entry, args);
}

// A function: the entry point's answer as an int, 0 when the guard is closed
// (for the creators, the handle of no object; the arguments are then not read).
template <auto member, Guard guard> void CORVANTA_CALL passThroughResult(ScriptRuntime *runtime) {
    auto entry = entryPoints.*member;
    int32_t result = 0;
    if (open<guard>(entry)) {
        const auto args = Arguments<decltype(entry)>::read(runtime);
        if (Arguments<decltype(entry)>::complete(args))
            result = static_cast<int32_t>(std::apply(entry, args));
    }
    setIntResult(runtime, result);
}

// The value type of a query's last parameter, the cell the driver writes.
template <typename Entry> struct QueryCell;
template <typename Result, typename A, typename B, typename Value>
struct QueryCell<Result(CORVANTA_APIENTRY *)(A, B, Value *)> {
    using Type = Value;
    static constexpr ValueCode code = std::is_same_v<Value, GLfloat> ? ValueFloat32 : ValueInt32;
};

// A query that answers through a pointer, (object, pname, cell): one value
// written back into the script's variable (argument 1), guarded by its own
// entry point. The cell has room for a 4 x 4 matrix, the most a uniform query
// can write; it is preset to 0 and only its first value is handed back.
template <auto member> void CORVANTA_CALL queryByReference(ScriptRuntime *runtime) {
    using Cell = QueryCell<std::remove_reference_t<decltype(entryPoints.*member)>>;
    typename Cell::Type cells[16] = {};
    auto entry = entryPoints.*member;
    if (entry != nullptr) {
        const GLhandleARB object = intParam(runtime, 3);
        entry(object, intParam(runtime, 2), cells);
    }
    runtime->ops->BeginValueType(runtime, Cell::code);
    runtime->ops->AddPointerLevel(runtime);
    runtime->ops->WriteParamData(runtime, 1, &cells[0]);
}

} // namespace corvanta::handlers
