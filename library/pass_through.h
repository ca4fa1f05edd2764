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

// The script's arguments for the first parameters of an entry point with
// `count` in all, in the prototype's order: parameter k is argument count - k
// (argument 1 is the last). They are read in that order.
template <typename... Params, size_t... k>
std::tuple<Params...> readArguments([[maybe_unused]] ScriptRuntime *runtime, int32_t count,
                                    std::index_sequence<k...>) {
    return std::tuple<Params...>{argument<Params>(runtime, count - static_cast<int32_t>(k))...};
}

template <typename Entry> struct Arguments;
template <typename Result, typename... Params> struct Arguments<Result(CORVANTA_APIENTRY *)(Params...)> {
    static std::tuple<Params...> read(ScriptRuntime *runtime) {
        return readArguments<Params...>(runtime, sizeof...(Params), std::index_sequence_for<Params...>{});
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

// A query whose last parameter is the cell the driver writes, (object,
// pname, cell) or (target, attachment, pname, cell): the leading parameters
// from the script as a pass-through reads them, and one value written back
// into the script's variable (argument 1), guarded by the entry point alone.
// The cell has room for a 4 x 4 matrix, the most a uniform query can write;
// it is preset to 0 and only its first value is handed back.
template <typename Entry> struct Query;
template <typename Result, typename... Params> struct Query<Result(CORVANTA_APIENTRY *)(Params...)> {
    using Cell = std::remove_pointer_t<std::tuple_element_t<sizeof...(Params) - 1, std::tuple<Params...>>>;
    static constexpr ValueCode code = std::is_same_v<Cell, GLfloat> ? ValueFloat32 : ValueInt32;

    template <size_t k> using Param = std::tuple_element_t<k, std::tuple<Params...>>;

    template <typename Entry, size_t... k>
    static void call(Entry entry, ScriptRuntime *runtime, Cell *cells, std::index_sequence<k...> leading) {
        const auto args = readArguments<Param<k>...>(runtime, sizeof...(Params), leading);
        entry(std::get<k>(args)..., cells);
    }
    template <typename Entry> static void call(Entry entry, ScriptRuntime *runtime, Cell *cells) {
        call(entry, runtime, cells, std::make_index_sequence<sizeof...(Params) - 1>{});
    }
};

template <auto member> void CORVANTA_CALL queryByReference(ScriptRuntime *runtime) {
    auto entry = entryPoints.*member;
    using Shape = Query<decltype(entry)>;
    typename Shape::Cell cells[16] = {};
    if (entry != nullptr) Shape::call(entry, runtime, cells);
    runtime->ops->BeginValueType(runtime, Shape::code);
    runtime->ops->AddPointerLevel(runtime);
    runtime->ops->WriteParamData(runtime, 1, &cells[0]);
}

// glGen*(1, &name): one new name, 0 without the entry point. The host's
// interface cannot be trusted to take an array back, so one name a call.
template <auto member> void CORVANTA_CALL generateOne(ScriptRuntime *runtime) {
    auto entry = entryPoints.*member;
    GLuint name = 0;
    if (entry != nullptr) entry(1, &name);
    setIntResult(runtime, static_cast<int32_t>(name));
}

// glDelete*(1, &name) of the script's name (argument 1).
template <auto member> void CORVANTA_CALL deleteOne(ScriptRuntime *runtime) {
    auto entry = entryPoints.*member;
    if (entry == nullptr) return;
    const auto name = static_cast<GLuint>(intParam(runtime, 1));
    entry(1, &name);
}

} // namespace corvanta::handlers
