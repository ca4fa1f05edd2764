// Handlers that hand the script's arguments to one entry point and, for a
// function, its answer back. What each argument is comes from the entry
// point's own prototype, so a new pass-through name needs no code of its own;
// a row whose parameters are not the prototype's fails the build.
//
// A handler that calls the driver guards the call in one of two ways, named
// as a template argument in its row (a handler of its own says its guard in
// library/handlers.h and in a comment on its row):
// - SupportFlag: the calls that create, build, use or delete objects of the
//   shader-object extension wait for the start to have found every required
//   entry point, so a driver with only part of the extension gives a script
//   nothing half-made.
// - EntryPoint: queries, uniforms and the calls of other extensions need only
//   their own entry point, so they work wherever the driver has it.
// The handlers that ask no driver ("ShaderInit", "GetBuildLog",
// "GetWarnings") need no guard. Whatever the guard, a null entry point is never called; a function
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

// Reads the first arguments of a row of `count` (at the host's indices
// count, count - 1, ...) as the kinds given (see ReadAs). The code depends
// only on the kinds, so every handler of one shape shares it.
template <typename Kinds, typename Positions> struct ArgumentReader;
template <typename... Kinds, size_t... k>
struct ArgumentReader<std::tuple<Kinds...>, std::index_sequence<k...>> {
    static std::tuple<Kinds...> read([[maybe_unused]] ScriptRuntime *runtime,
                                     [[maybe_unused]] int32_t count) {
        return std::tuple<Kinds...>{readAtIndex<Kinds>(runtime, count - static_cast<int32_t>(k))...};
    }
};

template <Guard guard, typename Entry> bool open(Entry entry) {
    return entry != nullptr && (guard == Guard::EntryPoint || shaderSupported != 0);
}

template <typename Entry> struct Prototype;
template <typename Result, typename... Params> struct Prototype<Result(CORVANTA_APIENTRY *)(Params...)> {
    template <size_t k> using Param = std::tuple_element_t<k, std::tuple<Params...>>;
    static constexpr size_t count = sizeof...(Params);

    // The reader of the first n parameters, each as its kind, in order.
    template <size_t... k> static std::tuple<ReadAs<Param<k>>...> kindsOf(std::index_sequence<k...>);
    template <size_t n>
    using Reader =
        ArgumentReader<decltype(kindsOf(std::make_index_sequence<n>{})), std::make_index_sequence<n>>;
    using Values = decltype(kindsOf(std::index_sequence_for<Params...>{}));

    // Whether the row of h registers the entry point's parameters, the first
    // n of them being read as their kinds; a parameter it registers otherwise
    // fails the build in Arguments::index.
    template <FunctionHandler h, size_t n> static constexpr bool rowReads() {
        static_assert(Arguments<h>::count == count, "the row's parameters are not the entry point's");
        return rowReads<h>(std::make_index_sequence<n>{});
    }
    template <FunctionHandler h, size_t... k> static constexpr bool rowReads(std::index_sequence<k...>) {
        return ((Arguments<h>::template index<k, scriptTypeOfRead<Param<k>>(), 0, false>() > 0) && ... &&
                true);
    }
    // Reads all the parameters. Handlers call it themselves, after checking
    // their row: a function between would be code for each shape.
    using AllReader = Reader<count>;

    // A text the host gives as null cannot reach the driver.
    static bool complete(const Values &values) {
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
    static_assert(Shape::template rowReads<passThrough<member, guard>, Shape::count>());
    const auto values = Shape::AllReader::read(runtime, Shape::count);
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
        static_assert(Shape::template rowReads<passThroughResult<member, guard>, Shape::count>());
        const auto values = Shape::AllReader::read(runtime, Shape::count);
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
    static_assert(Shape::template rowReads<queryByReference<member>, leading>());
    using Cell = std::remove_pointer_t<typename Shape::template Param<leading>>;
    Cell cells[16] = {};
    if (entry != nullptr)
        std::apply([&](auto... values) { entry(values..., cells); },
                   Shape::template Reader<leading>::read(runtime, Shape::count));
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
