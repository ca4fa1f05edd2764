// Handlers that hand the script's arguments to one entry point and, for a
// function, its answer back. What each argument is comes from the entry
// point's own prototype, so a new pass-through name needs no code of its own;
// a row whose parameters are not the prototype's fails the build.
//
// A handler that calls the driver guards the call in one of two ways, named
// as a template argument in its row (or in a comment on a hand-written row):
// - SupportFlag: the calls that create, build, use or delete objects of the
//   shader-object extension wait for the start to have found every required
//   entry point, so a driver with only part of the extension gives a script
//   nothing half-made.
// - EntryPoint: queries, uniforms and the calls of other extensions need only
//   their own entry point, so they work wherever the driver has it.
// The few handlers that ask no driver ("ShaderInit", "GetBuildLog") need no
// guard. Whatever the guard, a null entry point is never called; a function
// whose guard is closed still sets its result (0), so a script never reads a
// stale value.
#pragma once

#include <cstddef>
#include <cstdint>
#include <tuple>
#include <type_traits>
#include <utility>

#include "glext/entry_points.h"
#include "library/arguments.h"

namespace corvanta::handlers {

template <Guard guard, typename Entry> bool open(Entry entry) {
    return entry != nullptr && (guard == Guard::EntryPoint || shaderSupported != 0);
}

template <typename Entry> struct Prototype;
template <typename Result, typename... Params> struct Prototype<Result(CORVANTA_APIENTRY *)(Params...)> {
    template <size_t k> using Param = std::tuple_element_t<k, std::tuple<Params...>>;
    static constexpr size_t count = sizeof...(Params);

    // The script's arguments for the first parameters, in order.
    template <FunctionHandler h, size_t... k>
    static std::tuple<Param<k>...> read(const Arguments<h> &args, std::index_sequence<k...>) {
        return std::tuple<Param<k>...>{argumentAs<Param<k>, static_cast<int32_t>(k)>(args)...};
    }
    template <FunctionHandler h> static std::tuple<Params...> readAll(const Arguments<h> &args) {
        static_assert(Arguments<h>::count == count, "the row's parameters are not the entry point's");
        return read(args, std::index_sequence_for<Params...>{});
    }

    // A text the host gives as null cannot reach the driver.
    static bool complete(const std::tuple<Params...> &values) {
        return std::apply([](auto... value) { return (present(value) && ...); }, values);
    }
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
    using Shape = Prototype<decltype(entry)>;
    const auto values = Shape::readAll(Arguments<passThrough<member, guard>>(runtime));
    if (Shape::complete(values)) std::apply(entry, values);
}

// A function: the entry point's answer as an int, 0 when the guard is closed
// (for the creators, the handle of no object; the arguments are then not read).
template <auto member, Guard guard> void CORVANTA_CALL passThroughResult(ScriptRuntime *runtime) {
    const Arguments<passThroughResult<member, guard>> args(runtime);
    auto entry = entryPoints.*member;
    int32_t result = 0;
    if (open<guard>(entry)) {
        using Shape = Prototype<decltype(entry)>;
        const auto values = Shape::readAll(args);
        if (Shape::complete(values)) result = static_cast<int32_t>(std::apply(entry, values));
    }
    setResult(args, result);
}

// A query whose last parameter is the cell the driver writes, (object,
// pname, cell) or (target, attachment, pname, cell): the leading parameters
// from the script as a pass-through reads them, and one value written back
// into the script's variable (the last argument), guarded by the entry point
// alone. The cell has room for a 4 x 4 matrix, the most a uniform query can
// write; it is preset to 0 and only its first value is handed back.
template <auto member> void CORVANTA_CALL queryByReference(ScriptRuntime *runtime) {
    const Arguments<queryByReference<member>> args(runtime);
    auto entry = entryPoints.*member;
    using Shape = Prototype<decltype(entry)>;
    constexpr size_t leading = Shape::count - 1;
    static_assert(Arguments<queryByReference<member>>::count == Shape::count,
                  "the row's parameters are not the entry point's");
    using Cell = std::remove_pointer_t<typename Shape::template Param<leading>>;
    Cell cells[16] = {};
    if (entry != nullptr)
        std::apply([&](auto... values) { entry(values..., cells); },
                   Shape::read(args, std::make_index_sequence<leading>{}));
    writeArgument<static_cast<int32_t>(leading)>(args, cells[0]);
}

// glGen*(1, &name): one new name, 0 without the entry point. The host's
// interface cannot be trusted to take an array back, so one name a call.
template <auto member> void CORVANTA_CALL generateOne(ScriptRuntime *runtime) {
    auto entry = entryPoints.*member;
    GLuint name = 0;
    if (entry != nullptr) entry(1, &name);
    setResult(Arguments<generateOne<member>>(runtime), static_cast<int32_t>(name));
}

// glDelete*(1, &name) of the script's name.
template <auto member> void CORVANTA_CALL deleteOne(ScriptRuntime *runtime) {
    auto entry = entryPoints.*member;
    if (entry == nullptr) return;
    const auto name = static_cast<GLuint>(intArgument<0>(Arguments<deleteOne<member>>(runtime)));
    entry(1, &name);
}

} // namespace corvanta::handlers
