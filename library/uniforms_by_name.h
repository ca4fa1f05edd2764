// Uniforms set by name on any linked program, in use or not, each call
// checked against the uniform's type from the program's active uniforms: a
// call that does not fit sets nothing and says why in the warnings. What a
// name was found to be is remembered per program, so a setter called every
// frame asks the driver only for the program in use; a program relinked or
// deleted through the library is forgotten.
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>
#include <utility>

#include "glext/entry_points.h"
#include "library/arguments.h"
#include "library/handlers.h"
#include "library/pass_through.h"
#include "library/textures.h"

namespace corvanta::handlers {

// The kinds of values a uniform holds; a call names those it may set.
enum UniformKind : uint8_t {
    FloatKind = 1, // float and vecN
    MatrixKind = 2,
    IntKind = 4,
    BoolKind = 8,
    SamplerKind = 16,
    UnsignedKind = 32,
};

// A named uniform a call may set: the program, the location, the type's
// columns and rows (a vector is one column) and the program that was in use
// before the call made this one so. The location is -1 when the call must set
// nothing: there is no support, or the call does not fit the uniform, which
// a warning naming `call` has said. A call fits when the uniform is of one of
// `kinds`, has `components` values (0 for any number) and has room for
// `count` elements from the named one.
struct UniformTarget {
    GLhandleARB program;
    GLint location;
    int32_t columns;
    int32_t rows;
    GLhandleARB previous;
    GLenum type; // GL's token for the uniform's type
};
UniformTarget uniformToSet(const char *call, int32_t program, const char *name, uint8_t kinds,
                           int32_t components, int32_t count);

// A uniform type's name in GLSL ("vec3", "samplerCube"); null for a type
// not listed.
const char *typeNameOf(GLenum token);

// Makes the target's program the one in use, when it is not, until
// restoreProgram.
void useProgram(UniformTarget &target);
void restoreProgram(const UniformTarget &target);

// Sets `count` elements of the target from row-major values (a matrix as a
// script writes its rows), then frees the values.
void uploadAndRelease(UniformTarget &target, int32_t count, void *values);

// Forgets what was found of a program's uniforms: it is being relinked or
// deleted.
void forgetUniformsOf(GLhandleARB program);
// Forgets everything found of a program, its uniforms and its attributes.
inline void forgetProgram(GLhandleARB program) {
    forgetUniformsOf(program);
    forgetAttributesOf(program);
    forgetSamplersOf(program);
}
// Forgets every program's, and frees the records.
void releaseUniformNames();

// A setter of single values: its name, where the host has its arguments
// (the program, the name, the values), how many values of which kind it sets
// and which kinds of uniform they fit.
struct SingleSetter {
    const char *call;
    int8_t programAt;
    int8_t nameAt;
    int8_t valueAt[4];
    int8_t count;
    bool reals;
    uint8_t kinds;
};
// Finds the uniform the setter names, reads its values into `values` (floats
// or ints) and makes the program the one in use: the work of every single
// setter, done once.
UniformTarget prepareSingle(ScriptRuntime *runtime, const SingleSetter &setter, void *values);

// "SetUniform{N}f" and "SetUniform{N}i": (program, name, N values) through
// glUniform{N}{f,i}ARB. The ints also set a bool or bvecN, and one int a
// sampler.
template <auto member, size_t... k> void setSingle(ScriptRuntime *runtime, std::index_sequence<k...>) {
    using Args = Arguments<setUniformByName<member>>;
    auto entry = entryPoints.*member;
    using Value = typename Prototype<decltype(entry)>::template Param<1>;
    constexpr auto count = static_cast<int8_t>(sizeof...(k));
    constexpr bool reals = std::is_same_v<Value, GLfloat>;
    static constexpr SingleSetter setter = {
        Args::name(),
        Args::template intIndex<0>(),
        Args::template index<1, TypeString, 0, false>(),
        {Args::template index<2 + k, scriptTypeOf<Value>(), 0, false>()...},
        count,
        reals,
        reals ? FloatKind : (IntKind | BoolKind | (count == 1 ? SamplerKind : 0))};
    if (entry == nullptr) return;
    Value values[count];
    const UniformTarget target = prepareSingle(runtime, setter, values);
    if (target.location < 0) return;
    entry(target.location, values[k]...);
    restoreProgram(target);
}
template <auto member> void CORVANTA_CALL setUniformByName(ScriptRuntime *runtime) {
    // The values after the location.
    setSingle<member>(
        runtime,
        std::make_index_sequence<Prototype<std::decay_t<decltype(entryPoints.*member)>>::count - 1>{});
}

// glLinkProgramARB and glDeleteObjectARB of one object: what was found of
// it is forgotten first.
template <auto member> void CORVANTA_CALL forgetThenPass(ScriptRuntime *runtime) {
    auto entry = entryPoints.*member;
    if (!open<Guard::SupportFlag>(entry)) return;
    const auto object = static_cast<GLhandleARB>(intArgument<0>(Arguments<forgetThenPass<member>>(runtime)));
    forgetProgram(object);
    entry(object);
}

} // namespace corvanta::handlers
