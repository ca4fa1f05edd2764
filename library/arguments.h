// A script call as its handler sees it: the arguments by their position in
// the name's row (library/script_functions.h), the first being 0, and the
// result. The row is found at compile time from the handler, so an argument
// read that the row does not register (a position past its parameters, a
// value of another type, an array of other dimensions, a plain read of a
// by-reference parameter, a write into a plain one) and a result the row
// does not give fail the build. The host counts arguments from the last;
// only this file knows it.
#pragma once

#include <type_traits>

#include "library/nearest_float.h"
#include "library/script_functions.h"

namespace corvanta {

template <FunctionHandler handler> class Arguments {
public:
    explicit Arguments(ScriptRuntime *runtime) : runtime(runtime) {}
    ScriptRuntime *const runtime;

    static constexpr const rows::ScriptFunction &row() { return scriptFunctionOf<handler>(); }
    static constexpr int32_t count = row().paramCount();
    // The name as registered, for messages: the text registration reads, so
    // that the DLL keeps each name once.
    static constexpr const char *name() { return rows::registeredName(rows::registeredRows[rowOf<handler>]); }

    // The host's index of the argument at `position`, which the row must
    // register as `expected`.
    template <int32_t position, int8_t type, int8_t dimensions, bool byReference>
    static constexpr int32_t index() {
        static_assert(position >= 0 && position < count, "the row has no parameter at this position");
        static_assert(row().params[position] == rows::Param{type, dimensions, byReference},
                      "the row registers another kind of parameter at this position");
        return count - position;
    }
    // The same for the shapes that work shared by several handlers reads.
    template <int32_t position> static constexpr int32_t intIndex() {
        return index<position, TypeInt, 0, false>();
    }
    template <int32_t position, int8_t type, int8_t dimensions> static constexpr int32_t arrayIndex() {
        return index<position, type, dimensions, false>();
    }
};

// Reads for work shared by several handlers, at an index one of the above gave.
inline int32_t intAtIndex(ScriptRuntime *runtime, int32_t index) {
    return runtime->ops->GetIntParam(runtime, index);
}
// Script reals reach the driver as the nearest 32-bit float.
inline float realAtIndex(ScriptRuntime *runtime, int32_t index) {
    return nearestFloat(runtime->ops->GetRealParam(runtime, index));
}
inline const char *textAtIndex(ScriptRuntime *runtime, int32_t index) {
    return runtime->ops->GetStringParam(runtime, index);
}

template <int32_t position, FunctionHandler h> int32_t intArgument(const Arguments<h> &args) {
    return intAtIndex(args.runtime, Arguments<h>::template index<position, TypeInt, 0, false>());
}

template <int32_t position, FunctionHandler h> float realArgument(const Arguments<h> &args) {
    return realAtIndex(args.runtime, Arguments<h>::template index<position, TypeReal, 0, false>());
}

template <int32_t position, FunctionHandler h> const char *textArgument(const Arguments<h> &args) {
    return textAtIndex(args.runtime, Arguments<h>::template index<position, TypeString, 0, false>());
}

// What an argument for a driver parameter of type Value is read as: reals as
// the nearest float, texts as they are, everything else (handles, enums,
// locations, counts, ints) as the 32-bit int unchanged, which the call
// converts. Reads of the same kinds share their code whatever the handler.
template <typename Value>
using ReadAs =
    std::conditional_t<std::is_same_v<Value, GLfloat>, float,
                       std::conditional_t<std::is_same_v<Value, const GLcharARB *>, const char *, int32_t>>;
template <typename Value> constexpr int8_t scriptTypeOfRead() {
    if constexpr (std::is_same_v<ReadAs<Value>, float>)
        return TypeReal;
    else if constexpr (std::is_same_v<ReadAs<Value>, const char *>)
        return TypeString;
    else
        return TypeInt;
}
template <typename Read> Read readAtIndex(ScriptRuntime *runtime, int32_t index) {
    if constexpr (std::is_same_v<Read, float>)
        return realAtIndex(runtime, index);
    else if constexpr (std::is_same_v<Read, const char *>)
        return textAtIndex(runtime, index);
    else
        return intAtIndex(runtime, index);
}

// The script type of a 32-bit element the host exchanges, and its value code.
template <typename Element> constexpr int8_t scriptTypeOf() {
    static_assert(sizeof(Element) == 4, "the host exchanges 32-bit values");
    return std::is_same_v<Element, GLfloat> ? TypeReal : TypeInt;
}
template <typename Element> constexpr ValueCode valueCodeOf() {
    return scriptTypeOf<Element>() == TypeReal ? ValueFloat32 : ValueInt32;
}

// Writes one value into the script's variable at `position`.
template <int32_t position, typename Element, FunctionHandler h>
void writeArgument(const Arguments<h> &args, const Element &value) {
    constexpr int32_t index = Arguments<h>::template index<position, scriptTypeOf<Element>(), 0, true>();
    args.runtime->ops->BeginValueType(args.runtime, valueCodeOf<Element>());
    args.runtime->ops->AddPointerLevel(args.runtime);
    args.runtime->ops->WriteParamData(args.runtime, index, &value);
}

// Writes `rows` rows of `rowLength` floats into the script's array variable
// at `position`, which they replace.
template <int32_t position, FunctionHandler h>
void writeRows(const Arguments<h> &args, int32_t rows, int32_t rowLength, const GLfloat *values) {
    constexpr int32_t index = Arguments<h>::template index<position, TypeReal, 2, true>();
    args.runtime->ops->BeginValueType(args.runtime, ValueFloat32);
    args.runtime->ops->AddArrayDims(args.runtime, 2, rows, rowLength);
    args.runtime->ops->WriteParamData(args.runtime, index, values);
}

template <FunctionHandler h> void setResult(const Arguments<h> &args, int32_t value) {
    static_assert(Arguments<h>::row().resultType == TypeInt, "the row gives no int result");
    args.runtime->ops->SetIntResult(args.runtime, value);
}

template <FunctionHandler h> void setResult(const Arguments<h> &args, const char *text) {
    static_assert(Arguments<h>::row().resultType == TypeString, "the row gives no string result");
    args.runtime->ops->SetStringResult(args.runtime, text);
}

} // namespace corvanta
