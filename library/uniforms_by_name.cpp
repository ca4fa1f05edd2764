#include "library/uniforms_by_name.h"

#include <algorithm>
#include <cstring>

#include "glext/gl_tokens.h"
#include "library/allocation.h"
#include "library/names.h"
#include "library/object_queries.h"
#include "library/records.h"
#include "library/script_log.h"
#include "library/uniforms.h"

namespace corvanta::handlers {
namespace {

using script_log::Text;
using VectorUpload = void(CORVANTA_APIENTRY *)(GLint, GLsizei, const GLfloat *);

// GLSL's types as a program's active uniforms give them: X(token, name in
// GLSL, kind, columns, rows).
// clang-format off
#define CORVANTA_UNIFORM_TYPES(X)                                                                               \
    X(GL_FLOAT, "float", FloatKind, 1, 1) X(GL_FLOAT_VEC2_ARB, "vec2", FloatKind, 1, 2)                         \
    X(GL_FLOAT_VEC3_ARB, "vec3", FloatKind, 1, 3) X(GL_FLOAT_VEC4_ARB, "vec4", FloatKind, 1, 4)                 \
    X(GL_INT, "int", IntKind, 1, 1) X(GL_INT_VEC2_ARB, "ivec2", IntKind, 1, 2)                                  \
    X(GL_INT_VEC3_ARB, "ivec3", IntKind, 1, 3) X(GL_INT_VEC4_ARB, "ivec4", IntKind, 1, 4)                       \
    X(GL_BOOL_ARB, "bool", BoolKind, 1, 1) X(GL_BOOL_VEC2_ARB, "bvec2", BoolKind, 1, 2)                         \
    X(GL_BOOL_VEC3_ARB, "bvec3", BoolKind, 1, 3) X(GL_BOOL_VEC4_ARB, "bvec4", BoolKind, 1, 4)                   \
    X(GL_UNSIGNED_INT, "uint", UnsignedKind, 1, 1) X(GL_UNSIGNED_INT_VEC2, "uvec2", UnsignedKind, 1, 2)         \
    X(GL_UNSIGNED_INT_VEC3, "uvec3", UnsignedKind, 1, 3) X(GL_UNSIGNED_INT_VEC4, "uvec4", UnsignedKind, 1, 4)   \
    X(GL_FLOAT_MAT2_ARB, "mat2", MatrixKind, 2, 2) X(GL_FLOAT_MAT3_ARB, "mat3", MatrixKind, 3, 3)               \
    X(GL_FLOAT_MAT4_ARB, "mat4", MatrixKind, 4, 4) X(GL_FLOAT_MAT2x3, "mat2x3", MatrixKind, 2, 3)               \
    X(GL_FLOAT_MAT2x4, "mat2x4", MatrixKind, 2, 4) X(GL_FLOAT_MAT3x2, "mat3x2", MatrixKind, 3, 2)               \
    X(GL_FLOAT_MAT3x4, "mat3x4", MatrixKind, 3, 4) X(GL_FLOAT_MAT4x2, "mat4x2", MatrixKind, 4, 2)               \
    X(GL_FLOAT_MAT4x3, "mat4x3", MatrixKind, 4, 3)                                                              \
    X(GL_SAMPLER_1D_ARB, "sampler1D", SamplerKind, 1, 1) X(GL_SAMPLER_2D_ARB, "sampler2D", SamplerKind, 1, 1)   \
    X(GL_SAMPLER_3D_ARB, "sampler3D", SamplerKind, 1, 1) X(GL_SAMPLER_CUBE_ARB, "samplerCube", SamplerKind, 1, 1)\
    X(GL_SAMPLER_1D_SHADOW_ARB, "sampler1DShadow", SamplerKind, 1, 1)                                           \
    X(GL_SAMPLER_2D_SHADOW_ARB, "sampler2DShadow", SamplerKind, 1, 1)                                           \
    X(GL_SAMPLER_2D_RECT_ARB, "sampler2DRect", SamplerKind, 1, 1)                                               \
    X(GL_SAMPLER_2D_RECT_SHADOW_ARB, "sampler2DRectShadow", SamplerKind, 1, 1)                                  \
    X(GL_SAMPLER_1D_ARRAY, "sampler1DArray", SamplerKind, 1, 1)                                                 \
    X(GL_SAMPLER_2D_ARRAY, "sampler2DArray", SamplerKind, 1, 1)                                                 \
    X(GL_SAMPLER_BUFFER, "samplerBuffer", SamplerKind, 1, 1)                                                    \
    X(GL_SAMPLER_1D_ARRAY_SHADOW, "sampler1DArrayShadow", SamplerKind, 1, 1)                                    \
    X(GL_SAMPLER_2D_ARRAY_SHADOW, "sampler2DArrayShadow", SamplerKind, 1, 1)                                    \
    X(GL_SAMPLER_CUBE_SHADOW, "samplerCubeShadow", SamplerKind, 1, 1)                                           \
    X(GL_INT_SAMPLER_1D, "isampler1D", SamplerKind, 1, 1) X(GL_INT_SAMPLER_2D, "isampler2D", SamplerKind, 1, 1) \
    X(GL_INT_SAMPLER_3D, "isampler3D", SamplerKind, 1, 1)                                                       \
    X(GL_INT_SAMPLER_CUBE, "isamplerCube", SamplerKind, 1, 1)                                                   \
    X(GL_INT_SAMPLER_2D_RECT, "isampler2DRect", SamplerKind, 1, 1)                                              \
    X(GL_INT_SAMPLER_1D_ARRAY, "isampler1DArray", SamplerKind, 1, 1)                                            \
    X(GL_INT_SAMPLER_2D_ARRAY, "isampler2DArray", SamplerKind, 1, 1)                                            \
    X(GL_INT_SAMPLER_BUFFER, "isamplerBuffer", SamplerKind, 1, 1)                                               \
    X(GL_UNSIGNED_INT_SAMPLER_1D, "usampler1D", SamplerKind, 1, 1)                                              \
    X(GL_UNSIGNED_INT_SAMPLER_2D, "usampler2D", SamplerKind, 1, 1)                                              \
    X(GL_UNSIGNED_INT_SAMPLER_3D, "usampler3D", SamplerKind, 1, 1)                                              \
    X(GL_UNSIGNED_INT_SAMPLER_CUBE, "usamplerCube", SamplerKind, 1, 1)                                          \
    X(GL_UNSIGNED_INT_SAMPLER_2D_RECT, "usampler2DRect", SamplerKind, 1, 1)                                     \
    X(GL_UNSIGNED_INT_SAMPLER_1D_ARRAY, "usampler1DArray", SamplerKind, 1, 1)                                   \
    X(GL_UNSIGNED_INT_SAMPLER_2D_ARRAY, "usampler2DArray", SamplerKind, 1, 1)                                   \
    X(GL_UNSIGNED_INT_SAMPLER_BUFFER, "usamplerBuffer", SamplerKind, 1, 1)
// clang-format on

// The rows, and their names one after the other in one text.
struct UniformType {
    uint16_t token;
    uint8_t kind;
    uint8_t shape; // columns << 4 | rows
};
#define CORVANTA_TYPE_ROW(token, name, kind, columns, rows) {token, kind, (columns) << 4 | (rows)},
constexpr UniformType uniformTypes[] = {CORVANTA_UNIFORM_TYPES(CORVANTA_TYPE_ROW)};
#undef CORVANTA_TYPE_ROW
#define CORVANTA_TYPE_NAME(token, name, kind, columns, rows) name "\0"
constexpr char uniformTypeNames[] = CORVANTA_UNIFORM_TYPES(CORVANTA_TYPE_NAME);
#undef CORVANTA_TYPE_NAME
#undef CORVANTA_UNIFORM_TYPES

// A type's row; one of no kind for a type not listed.
UniformType typeOf(GLenum token) {
    for (const UniformType &type : uniformTypes)
        if (type.token == token) return type;
    return {0, 0, 0x11};
}

} // namespace

const char *typeNameOf(GLenum token) {
    const char *name = uniformTypeNames;
    for (const UniformType &type : uniformTypes) {
        if (type.token == token) return name;
        name = nextName(name);
    }
    return nullptr;
}

namespace {

// What a name of a program was found to be.
struct Found {
    GLint location;
    GLenum token;
    UniformType type;
    int32_t room; // elements from the named one to the end of its array
};

// What is remembered: up to maxNames names for each of up to maxPrograms
// programs, the most recently used first. A program's names are forgotten
// together when a new one does not fit, and the least recently used program
// when a new program does not; a name too long to keep is looked up each time.
constexpr int32_t maxPrograms = 16;
constexpr int32_t maxNames = 64;
// A name's length and first eight bytes (zero beyond its end), compared
// before the rest of it: enough on their own for most names.
struct NameKey {
    uint32_t length;
    uint64_t head;
    bool operator==(const NameKey &other) const { return length == other.length && head == other.head; }
};
NameKey keyOf(const char *text) {
    NameKey key = {0, 0};
    for (; key.length < sizeof key.head && text[key.length] != '\0'; ++key.length)
        key.head |= static_cast<uint64_t>(static_cast<unsigned char>(text[key.length])) << (8 * key.length);
    if (key.length == sizeof key.head) key.length += static_cast<uint32_t>(std::strlen(text + key.length));
    return key;
}

struct KnownName {
    NameKey key;
    Found found;
    char text[maxNameLength + 1];
};
struct KnownProgram {
    KnownProgram *next;
    GLhandleARB program;
    int32_t nameCount;
    KnownName names[maxNames];
};
Records<KnownProgram> knownPrograms; // zero at load: nothing known

bool available() {
    const EntryPointTable &gl = entryPoints;
    return shaderSupported != 0 && gl.glGetActiveUniformARB != nullptr &&
           gl.glGetUniformLocationARB != nullptr && gl.glGetHandleARB != nullptr;
}

// The program's record, made the most recently used; null when it has none.
KnownProgram *knownProgram(GLhandleARB program) {
    KnownProgram *record = knownPrograms.find([program](const KnownProgram &known) { return known.program == program; });
    if (record != nullptr) knownPrograms.moveToFront(record);
    return record;
}

// A new record for a program, in place of the least recently used one's
// when all are taken; null without memory.
KnownProgram *rememberProgram(GLhandleARB program) {
    if (knownPrograms.count() == maxPrograms)
        knownPrograms.remove(knownPrograms.find([](const KnownProgram &known) { return known.next == nullptr; }));
    KnownProgram *record = knownPrograms.add();
    if (record != nullptr) record->program = program;
    return record;
}

// Asks glIsProgram first where the driver has it: asked of a handle that is
// no object, the object queries leave GL_INVALID_VALUE for the script's next
// glGetError.
bool linked(GLhandleARB program) {
    if (program == 0 || (entryPoints.glIsProgram != nullptr && entryPoints.glIsProgram(program) == 0))
        return false;
    return objectParameter(program, GL_OBJECT_TYPE_ARB) == GL_PROGRAM_OBJECT_ARB &&
           objectParameter(program, GL_OBJECT_LINK_STATUS_ARB) != 0;
}

// The length of an active uniform's name without the "[0]" some drivers
// list an array's name with.
size_t baseLength(const char *active) {
    const size_t length = std::strlen(active);
    return length > 3 && std::strcmp(active + length - 3, "[0]") == 0 ? length - 3 : length;
}

// Which element of the active uniform `active`, listed with `size`
// elements, the script's `wanted` names: 0 for the uniform itself, k for
// "name[k]" of an array with more than k elements; -1 for another.
int32_t elementNamed(const char *active, GLint size, const char *wanted) {
    if (std::strcmp(active, wanted) == 0) return 0;
    const size_t base = baseLength(active);
    const bool listedAsArray = active[base] != '\0';
    if ((!listedAsArray && size <= 1) || std::strncmp(active, wanted, base) != 0) return -1;
    const char *rest = wanted + base;
    if (*rest == '\0') return 0;
    if (*rest++ != '[' || *rest == ']') return -1;
    int32_t element = 0;
    for (; *rest >= '0' && *rest <= '9'; ++rest)
        if ((element = element * 10 + (*rest - '0')) >= size) return -1;
    return std::strcmp(rest, "]") == 0 ? element : -1;
}

// The active name closest in spelling to one that is none, and its
// elements.
struct Closest {
    explicit Closest(const char *wanted) : name(wanted) {}
    ClosestName name;
    GLint size = 0;
};

// Each active uniform takes at least one of its program's uniform
// components, of which drivers give some thousands; a count past this one is
// a faulty driver's, and the list is not walked past it.
constexpr GLint mostActiveUniforms = 65536;

// Looks `wanted` up in the program's active uniforms. When it is none of
// them and `closest` is given, that gets the name closest to it when one is
// close (an array whose element `wanted` names out of range is at distance
// 0), or "".
bool findActive(GLhandleARB program, const char *wanted, Found &found, Closest *closest) {
    const EntryPointTable &gl = entryPoints;
    const GLint count = std::min(objectParameter(program, GL_OBJECT_ACTIVE_UNIFORMS_ARB), mostActiveUniforms);
    TextBuffer active(objectParameter(program, GL_ACTIVE_UNIFORM_MAX_LENGTH));
    for (GLint i = 0; active.usable() && i < count; ++i) {
        GLint size = 0;
        GLenum type = 0;
        gl.glGetActiveUniformARB(program, static_cast<GLuint>(i), active.length(), nullptr, &size, &type,
                                 active.data());
        active.text(); // terminated
        char *name = active.data();
        const int32_t element = elementNamed(name, size, wanted);
        if (element >= 0) {
            found = {gl.glGetUniformLocationARB(program, wanted), type, typeOf(type), size - element};
            return found.location >= 0;
        }
        const size_t base = baseLength(name);
        if (closest == nullptr || base > maxNameLength) continue;
        name[base] = '\0';
        const int32_t distance = std::strncmp(wanted, name, base) == 0 && wanted[base] == '[' && size > 1
                                     ? 0
                                     : editDistance(wanted, name);
        if (closest->name.offer(name, distance)) closest->size = size;
    }
    return false;
}

enum class Lookup { NotLinked, NotActive, Found };

Lookup lookUp(GLhandleARB program, const char *wanted, Found &found, Closest *closest) {
    KnownProgram *record = knownProgram(program);
    const NameKey key = keyOf(wanted);
    if (record != nullptr) {
        for (const KnownName *known = record->names; known != record->names + record->nameCount; ++known)
            if (known->key == key &&
                (key.length <= sizeof key.head || std::memcmp(known->text, wanted, key.length) == 0)) {
                found = known->found;
                return Lookup::Found;
            }
    } else if (!linked(program)) {
        return Lookup::NotLinked;
    } else {
        record = rememberProgram(program);
    }
    if (!findActive(program, wanted, found, closest)) return Lookup::NotActive;
    if (record != nullptr && key.length <= maxNameLength) {
        if (record->nameCount == maxNames) record->nameCount = 0;
        KnownName &known = record->names[record->nameCount++];
        known.key = key;
        known.found = found;
        std::memcpy(known.text, wanted, key.length + 1);
    }
    return Lookup::Found;
}

} // namespace

UniformTarget uniformToSet(const char *call, int32_t program, const char *name, uint8_t kinds,
                           int32_t components, int32_t count) {
    UniformTarget target = {static_cast<GLhandleARB>(program), -1, 0, 0, 0, 0};
    if (!available() || name == nullptr) return target;
    Found found{};
    Closest closest(name);
    const Lookup lookup = lookUp(target.program, name, found, &closest);
    const int32_t columns = found.type.shape >> 4;
    const int32_t rows = found.type.shape & 15;
    const bool typeFits = (found.type.kind & kinds) != 0 && (components == 0 || components == columns * rows);
    if (lookup == Lookup::Found && typeFits && count >= 1 && count <= found.room)
        return {target.program, found.location, columns, rows, 0, found.token};

    // The warning, built only when there is one.
    Text line;
    line << call << ": ";
    if (lookup == Lookup::NotLinked) {
        line << program << " is not a linked program";
    } else if (lookup == Lookup::NotActive) {
        line << "program " << program << " has no active uniform \"" << name << "\" (";
        if (closest.name.name()[0] != '\0' && closest.name.distance() == 0)
            line << "\"" << closest.name.name() << "\" has " << closest.size << " elements)";
        else if (closest.name.name()[0] != '\0')
            line << "did you mean \"" << closest.name.name() << "\"?)";
        else
            line << "a uniform the shaders do not use is removed when they are compiled)";
    } else if (!typeFits) {
        line << "\"" << name << "\" of program " << program;
        const char *typeName = typeNameOf(found.token);
        if (typeName == nullptr)
            (line << " is of GL type ").constant(static_cast<int32_t>(found.token));
        else
            line << (typeName[0] == 'i' ? " is an " : " is a ") << typeName;
    } else {
        line << "count " << count << " for \"" << name << "\" of program " << program
             << ", which has room for " << found.room;
    }
    script_log::warn(line);
    return target;
}

void useProgram(UniformTarget &target) {
    target.previous = entryPoints.glGetHandleARB(GL_PROGRAM_OBJECT_ARB);
    if (target.previous != target.program) entryPoints.glUseProgramObjectARB(target.program);
}

void restoreProgram(const UniformTarget &target) {
    if (target.previous != target.program) entryPoints.glUseProgramObjectARB(target.previous);
}

UniformTarget prepareSingle(ScriptRuntime *runtime, const SingleSetter &setter, void *values) {
    UniformTarget target = uniformToSet(setter.call, intAtIndex(runtime, setter.programAt),
                                        textAtIndex(runtime, setter.nameAt), setter.kinds, setter.count, 1);
    if (target.location < 0) return target;
    for (int32_t i = 0; i < setter.count; ++i) {
        if (setter.reals)
            static_cast<GLfloat *>(values)[i] = realAtIndex(runtime, setter.valueAt[i]);
        else
            static_cast<GLint *>(values)[i] = intAtIndex(runtime, setter.valueAt[i]);
    }
    useProgram(target);
    return target;
}

void uploadAndRelease(UniformTarget &target, int32_t count, void *values) {
    using E = EntryPointTable;
    static constexpr VectorUpload E::*vectors[] = {&E::glUniform1fvARB, &E::glUniform2fvARB,
                                                   &E::glUniform3fvARB, &E::glUniform4fvARB};
    static constexpr MatrixUpload E::*matrices[3][3] = {
        {&E::glUniformMatrix2fvARB, &E::glUniformMatrix2x3fv, &E::glUniformMatrix2x4fv},
        {&E::glUniformMatrix3x2fv, &E::glUniformMatrix3fvARB, &E::glUniformMatrix3x4fv},
        {&E::glUniformMatrix4x2fv, &E::glUniformMatrix4x3fv, &E::glUniformMatrix4fvARB}};
    const auto *floats = static_cast<const GLfloat *>(values);
    if (values != nullptr) {
        useProgram(target);
        if (target.columns == 1) {
            if (VectorUpload entry = entryPoints.*vectors[target.rows - 1])
                entry(target.location, count, floats);
        } else if (MatrixUpload entry = entryPoints.*matrices[target.columns - 2][target.rows - 2]) {
            entry(target.location, count, 1, floats); // transposed: the values are rows
        }
        restoreProgram(target);
    }
    release(values);
}

void forgetUniformsOf(GLhandleARB program) {
    if (KnownProgram *record = knownPrograms.find([program](const KnownProgram &known) { return known.program == program; }))
        knownPrograms.remove(record);
}

void releaseUniformNames() { knownPrograms.releaseAll(); }

void CORVANTA_CALL hasUniform(ScriptRuntime *runtime) {
    const Arguments<hasUniform> args(runtime);
    const auto program = static_cast<GLhandleARB>(intArgument<0>(args));
    const char *name = textArgument<1>(args);
    Found found{};
    setResult(args, available() && name != nullptr && lookUp(program, name, found, nullptr) == Lookup::Found
                        ? 1
                        : 0);
}

void CORVANTA_CALL setUniformArray(ScriptRuntime *runtime) {
    const Arguments<setUniformArray> args(runtime);
    const int32_t count = intArgument<2>(args);
    UniformTarget target = uniformToSet(Arguments<setUniformArray>::name(), intArgument<0>(args),
                                        textArgument<1>(args), FloatKind | MatrixKind, 0, count);
    if (target.location < 0) return;
    // The room a driver gives may be any size: the values are counted in 64
    // bits, and more than a 32-bit count are read as none.
    const int64_t values = static_cast<int64_t>(count) * target.columns * target.rows;
    uploadAndRelease(target, count,
                     readArrayArgument<3, GLfloat, 1>(args, values <= INT32_MAX ? static_cast<int32_t>(values) : -1, 1));
}

void CORVANTA_CALL setUniformMatrix(ScriptRuntime *runtime) {
    const Arguments<setUniformMatrix> args(runtime);
    UniformTarget target = uniformToSet(Arguments<setUniformMatrix>::name(), intArgument<0>(args),
                                        textArgument<1>(args), MatrixKind, 0, 1);
    if (target.location < 0) return;
    uploadAndRelease(target, 1, readArrayArgument<2, GLfloat, 2>(args, target.rows, target.columns));
}

} // namespace corvanta::handlers
