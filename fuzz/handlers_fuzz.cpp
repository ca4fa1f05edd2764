// Calls the library's handlers with everything taken from the fuzz input: the
// script's arguments (any int, often one at an edge, any real, empty, long or null strings, arrays
// shorter or longer than described), the driver's answers (any length, texts
// that fill the whole buffer), which entry points exist, and whether shaders
// are supported. The fakes check what the plugin hands them: a null or too
// small buffer, an unterminated text or a call through a null entry point is
// a crash for the sanitizers to report.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdarg>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <initializer_list>
#include <iterator>
#include <string>
#include <tuple>
#include <type_traits>
#include <vector>

#include "glext/entry_points.h"
#include "glext/gl_tokens.h"
#include "host/library_registry.h"
#include "plugin/host_interfaces.h"
#include "tests/support/upload_shape.h"

using namespace corvanta;

namespace {

FuzzedDataProvider *input = nullptr;

void require(bool condition) {
    if (!condition) std::abort();
}

// Every byte of [data, data + size) must be the caller's to read: touching
// both ends lets the address sanitizer see a buffer that is too small.
void touch(const void *data, size_t size) {
    require(data != nullptr);
    if (size == 0) return;
    const auto *bytes = static_cast<const volatile unsigned char *>(data);
    (void)bytes[0];
    (void)bytes[size - 1];
}

// Any bit pattern: NaN, infinities and denormals included.
template <typename Real> Real anyReal() {
    Real value = 0;
    const std::vector<uint8_t> bytes = input->ConsumeBytes<uint8_t>(sizeof value);
    if (!bytes.empty()) std::memcpy(&value, bytes.data(), bytes.size());
    return value;
}

// The registered constants' values, for the script's integers and the
// driver's answers.
std::vector<int32_t> constantValues;
// What the functions called so far in this input answered (handles among
// them), which a script passes on to the next calls.
std::vector<int32_t> answered;

// A script's integer or a driver's answer: often one at an edge (0, 1, -1,
// the extremes, a registered constant or a few either side of one), where a
// check that is off by one or takes a negative number as a large one fails,
// or a small one, as the handles the plugin and the driver give are, or one
// a function answered before; else any.
int32_t anyInt() {
    switch (input->ConsumeIntegralInRange(0, 9)) {
    case 0: return 0;
    case 1: return 1;
    case 2: return -1;
    case 3: return INT32_MIN;
    case 4: return INT32_MAX;
    case 5:
    case 6: {
        const int32_t constant =
            constantValues[input->ConsumeIntegralInRange<size_t>(0, constantValues.size() - 1)];
        const int32_t offset = input->ConsumeBool() ? 0 : input->ConsumeIntegralInRange(-3, 3);
        return static_cast<int32_t>(static_cast<uint32_t>(constant) + static_cast<uint32_t>(offset));
    }
    case 7:
        return answered.empty() || input->ConsumeBool()
                   ? input->ConsumeIntegralInRange(0, 16)
                   : answered[input->ConsumeIntegralInRange<size_t>(0, answered.size() - 1)];
    default: return input->ConsumeIntegral<int32_t>();
    }
}

GLint anyLength() {
    switch (input->ConsumeIntegralInRange(0, 5)) {
    case 0: return 0;
    case 1: return 1;
    case 2: return -input->ConsumeIntegral<uint8_t>();
    case 3: return 0x7FFFFFFF;
    default: return input->ConsumeIntegralInRange<GLint>(2, 4096);
    }
}

// Writes a driver's text into a buffer of `size` bytes: a short one with its
// NUL, or every byte with none (for buffers small enough to fill quickly).
void writeText(GLsizei size, GLcharARB *buffer) {
    if (size <= 0) return;
    require(buffer != nullptr);
    if (size <= (1 << 20) && input->ConsumeBool()) {
        std::memset(buffer, 'x', static_cast<size_t>(size));
        return;
    }
    const std::string text = input->ConsumeRandomLengthString(static_cast<size_t>(size - 1));
    std::memcpy(buffer, text.c_str(), text.size() + 1);
}

// The driver. Queries answer from the input, writing at most what the GL
// contract lets them write.
void CORVANTA_APIENTRY shaderSource(GLhandleARB, GLsizei count, const GLcharARB **strings, const GLint *) {
    require(count == 1 && strings != nullptr && strings[0] != nullptr);
    (void)std::strlen(strings[0]);
}
void CORVANTA_APIENTRY infoLog(GLhandleARB, GLsizei size, GLsizei *length, GLcharARB *log) {
    writeText(size, log);
    if (length != nullptr) *length = anyLength();
}
// An object's type is often a program's, so that the uniforms by name get
// past their first check.
void CORVANTA_APIENTRY parameteriv(GLhandleARB, GLenum pname, GLint *params) {
    require(params != nullptr);
    if (pname == GL_OBJECT_TYPE_ARB && input->ConsumeBool())
        *params = GL_PROGRAM_OBJECT_ARB;
    else if (input->ConsumeBool())
        *params = anyLength();
}
void CORVANTA_APIENTRY parameterfv(GLhandleARB, GLenum, GLfloat *params) {
    require(params != nullptr);
    if (input->ConsumeBool()) *params = anyReal<float>();
}
void CORVANTA_APIENTRY activeVariable(GLhandleARB, GLuint, GLsizei size, GLsizei *length, GLint *arraySize,
                                      GLenum *type, GLcharARB *name) {
    require(arraySize != nullptr && type != nullptr);
    if (input->ConsumeBool()) return; // rejected index
    writeText(size, name);
    if (length != nullptr) *length = anyLength();
    *arraySize = anyLength();
    // Mostly a type of each shape the setters by name tell apart.
    constexpr GLenum types[] = {GL_FLOAT,        GL_FLOAT_VEC4_ARB, GL_INT,           GL_BOOL_VEC2_ARB,
                                GL_FLOAT_MAT2x3, GL_FLOAT_MAT4_ARB, GL_SAMPLER_2D_ARB};
    *type = input->ConsumeBool() ? types[input->ConsumeIntegralInRange<size_t>(0, std::size(types) - 1)]
                                 : input->ConsumeIntegral<GLenum>();
}
// A query of a 4 x 4 matrix writes 16 values.
void CORVANTA_APIENTRY uniformiv(GLhandleARB, GLint, GLint *params) {
    touch(params, 16 * sizeof(GLint));
    std::memset(params, 0x7F, 16 * sizeof(GLint));
}
void CORVANTA_APIENTRY uniformfv(GLhandleARB, GLint, GLfloat *params) {
    touch(params, 16 * sizeof(GLfloat));
    std::memset(params, 0x7F, 16 * sizeof(GLfloat));
}
// Fills the buffer it is given and reports any count at all.
void CORVANTA_APIENTRY attachedObjects(GLhandleARB, GLsizei maxCount, GLsizei *count, GLhandleARB *objects) {
    require(maxCount > 0 && count != nullptr);
    touch(objects, static_cast<size_t>(maxCount) * sizeof(GLhandleARB));
    *count = anyLength();
}

// Framebuffers, renderbuffers and textures: names from the input (0 too).
void CORVANTA_APIENTRY generate(GLsizei count, GLuint *names) {
    require(count > 0);
    touch(names, static_cast<size_t>(count) * sizeof(GLuint));
    for (GLsizei i = 0; i < count; ++i) names[i] = input->ConsumeIntegralInRange<GLuint>(0, 8);
}
// Buffer uploads read every byte they are given, from the plugin's own copy.
void CORVANTA_APIENTRY bufferData(GLenum, GLsizeiptrARB size, const void *data, GLenum) {
    require(size > 0);
    touch(data, static_cast<size_t>(size));
}
void CORVANTA_APIENTRY bufferSubData(GLenum, GLintptrARB offset, GLsizeiptrARB size, const void *data) {
    require(offset >= 0 && size > 0);
    touch(data, static_cast<size_t>(size));
}
void CORVANTA_APIENTRY deleteNames(GLsizei count, const GLuint *names) {
    require(count > 0);
    touch(names, static_cast<size_t>(count) * sizeof(GLuint));
}
// A viewport writes 4 values; a matrix query, the most, 16.
void CORVANTA_APIENTRY integers(GLenum pname, GLint *params) {
    touch(params, 16 * sizeof(GLint));
    const int count = pname == GL_VIEWPORT ? 4 : 1;
    for (int i = 0; i < count; ++i)
        if (input->ConsumeBool()) params[i] = input->ConsumeIntegralInRange<GLint>(-2, 70000);
}
// An upload's texels must all be readable: width x height x depth of the
// format's components, each of the type's size; a null image is no upload.
void touchTexels(GLsizei width, GLsizei height, GLsizei depth, GLenum format, GLenum type, const void *pixels) {
    require(width > 0 && height > 0 && depth > 0);
    if (pixels == nullptr) return;
    require(format == GL_RGBA || format == GL_LUMINANCE || format == GL_DEPTH_COMPONENT);
    require(type == GL_FLOAT || type == GL_UNSIGNED_BYTE || type == GL_UNSIGNED_INT);
    touch(pixels, static_cast<size_t>(testing::texelBytes(width, height, depth, format, type)));
}
void CORVANTA_APIENTRY textureImage(GLenum, GLint, GLint, GLsizei width, GLsizei height, GLint, GLenum format,
                                    GLenum type, const void *pixels) {
    touchTexels(width, height, 1, format, type, pixels);
}
void CORVANTA_APIENTRY textureSubImage(GLenum, GLint, GLint, GLint, GLsizei width, GLsizei height, GLenum format,
                                       GLenum type, const void *pixels) {
    touchTexels(width, height, 1, format, type, pixels);
}
void CORVANTA_APIENTRY volumeImage(GLenum, GLint, GLint, GLsizei width, GLsizei height, GLsizei depth, GLint,
                                   GLenum format, GLenum type, const void *pixels) {
    touchTexels(width, height, depth, format, type, pixels);
}
void CORVANTA_APIENTRY volumeSubImage(GLenum, GLint, GLint, GLint, GLint, GLsizei width, GLsizei height,
                                      GLsizei depth, GLenum format, GLenum type, const void *pixels) {
    touchTexels(width, height, depth, format, type, pixels);
}
// A version and an extension list, or none.
const GLubyte *CORVANTA_APIENTRY string(GLenum) {
    static const char *const answers[] = {"4.5 (Compatibility Profile)", "1.5",
                                          "GL_EXT_texture_filter_anisotropic GL_ARB_texture_cube_map", ""};
    const size_t pick = input->ConsumeIntegralInRange<size_t>(0, std::size(answers));
    return pick < std::size(answers) ? reinterpret_cast<const GLubyte *>(answers[pick]) : nullptr;
}
// A read-back must be handed room for the rectangle it is asked for: four
// floats a pixel of colour, one of depth.
void CORVANTA_APIENTRY readPixels(GLint, GLint, GLsizei width, GLsizei height, GLenum format, GLenum type,
                                  void *pixels) {
    require(width > 0 && height > 0 && type == GL_FLOAT && (format == GL_RGBA || format == GL_DEPTH_COMPONENT));
    const size_t components = format == GL_RGBA ? 4 : 1;
    const size_t bytes = static_cast<size_t>(width) * static_cast<size_t>(height) * components * sizeof(GLfloat);
    touch(pixels, bytes);
}
// Complete half the time, as a working driver's framebuffers are, so that
// what comes after a creation is reached.
GLenum CORVANTA_APIENTRY framebufferStatus(GLenum) {
    return input->ConsumeBool() ? GL_FRAMEBUFFER_COMPLETE_EXT : static_cast<GLenum>(anyInt());
}
template <typename... Leading> void CORVANTA_APIENTRY writesOne(Leading..., GLint *params) {
    require(params != nullptr);
    if (input->ConsumeBool()) *params = input->ConsumeIntegral<GLint>();
}

// Every other entry point: any values are accepted, a text must be readable
// to its NUL, and an answer (a handle, a location, a status) is taken from
// the input. An upload (a count and a last parameter of const 32-bit values:
// glUniform*v, glUniformMatrix*, glDrawBuffersARB) must be able to read count
// elements of as many values as its name says; a matrix's transpose flag is
// 0 or 1.
template <typename Entry, const char *name> struct Accept;
template <typename Result, typename... Params, const char *name>
struct Accept<Result(CORVANTA_APIENTRY *)(Params...), name> {
    using Shape = testing::UploadShape<name, Params...>;

    static Result CORVANTA_APIENTRY call(Params... args) {
        (check(args), ...);
        if constexpr (Shape::uploads) {
            const auto [values, bytes] = Shape::values(args...);
            require(bytes >= 0);
            if constexpr (Shape::matrix) require(Shape::transpose(args...) <= 1);
            touch(values, static_cast<size_t>(bytes));
        }
        if constexpr (std::is_void_v<Result>)
            return;
        else if constexpr (std::is_pointer_v<Result>)
            return nullptr; // a text, which the entry points that give one answer of their own
        else
            return sizeof(Result) == 4 ? static_cast<Result>(anyInt()) : input->ConsumeIntegral<Result>();
    }
    template <typename T> static void check(T value) {
        if constexpr (std::is_same_v<T, const GLcharARB *>) {
            require(value != nullptr);
            (void)std::strlen(value);
        }
    }
};
namespace names {
// The argument names a declaration.
// NOLINTNEXTLINE(bugprone-macro-parentheses)
#define CORVANTA_NAME(name, result, params, need, provider) constexpr char name[] = #name;
CORVANTA_ENTRY_POINTS(CORVANTA_NAME)
#undef CORVANTA_NAME
} // namespace names

// Entry points whose contract lets them write: each writes at most what GL
// lets it, into what the plugin hands it.
void installDriver(const std::vector<uint8_t> &present) {
#define CORVANTA_FUZZED(name, result, params, need, provider)                                                \
    entryPoints.name = Accept<decltype(EntryPointTable::name), names::name>::call;
    CORVANTA_ENTRY_POINTS(CORVANTA_FUZZED)
#undef CORVANTA_FUZZED
    EntryPointTable &e = entryPoints;
    e.glShaderSourceARB = shaderSource;
    e.glGetInfoLogARB = infoLog;
    e.glGetObjectParameterivARB = parameteriv;
    e.glGetObjectParameterfvARB = parameterfv;
    e.glGetActiveUniformARB = activeVariable;
    e.glGetUniformivARB = uniformiv;
    e.glGetUniformfvARB = uniformfv;
    e.glGetAttachedObjectsARB = attachedObjects;
    e.glGetShaderSourceARB = infoLog;
    e.glGetActiveAttribARB = activeVariable;
    e.glGenFramebuffersEXT = generate;
    e.glGenRenderbuffersEXT = generate;
    e.glGenTextures = generate;
    e.glGenBuffersARB = generate;
    e.glDeleteFramebuffersEXT = deleteNames;
    e.glDeleteRenderbuffersEXT = deleteNames;
    e.glDeleteTextures = deleteNames;
    e.glDeleteBuffersARB = deleteNames;
    e.glBufferDataARB = bufferData;
    e.glBufferSubDataARB = bufferSubData;
    e.glGetIntegerv = integers;
    e.glTexImage2D = textureImage;
    e.glTexSubImage2D = textureSubImage;
    e.glTexImage3D = volumeImage;
    e.glTexSubImage3D = volumeSubImage;
    e.glGetString = string;
    e.glGetTexLevelParameteriv = writesOne<GLenum, GLint, GLenum>;
    e.glGetTexParameteriv = writesOne<GLenum, GLenum>;
    e.glReadPixels = readPixels;
    e.glCheckFramebufferStatusEXT = framebufferStatus;
    e.glGetRenderbufferParameterivEXT = writesOne<GLenum, GLenum>;
    e.glGetFramebufferAttachmentParameterivEXT = writesOne<GLenum, GLenum, GLenum>;
    // Which entry points the driver has, one bit each.
    size_t bit = 0;
    const auto has = [&present](size_t i) {
        return i / 8 < present.size() && (present[i / 8] >> (i % 8)) & 1;
    };
#define CORVANTA_PRESENCE(name, result, params, need, provider)                                              \
    if (!has(bit++)) entryPoints.name = nullptr;
    CORVANTA_ENTRY_POINTS(CORVANTA_PRESENCE)
#undef CORVANTA_PRESENCE
}

// The host's runtime for one call of a registered name. Strings live until
// the call returns. It refuses what a host would refuse against the name's
// registered signature.
struct FuzzRuntime : ScriptRuntime {
    const host::LibraryEntry *entry = nullptr;
    std::vector<int> taken; // reads and writes of each argument
    int results = 0;
    std::deque<std::string> strings; // a deque: a string added moves none of those handed out
    int32_t code = 0;
    std::vector<int32_t> dims;
    int pointerLevels = 0;
};

FuzzRuntime &self(ScriptRuntime *r) { return *static_cast<FuzzRuntime *>(r); }

int32_t typeOf(int32_t code) { return code == ValueFloat32 ? TypeReal : TypeInt; }

// The registered parameter at `index` (1 is the last), which must exist, be of
// `type` with `dimensions`, be by reference for a write and only then, and be
// read or written once.
const host::Parameter &parameter(ScriptRuntime *r, int32_t index, int32_t type, size_t dimensions,
                                 bool write = false) {
    const std::vector<host::Parameter> &params = self(r).entry->params;
    require(index >= 1 && static_cast<size_t>(index) <= params.size());
    const size_t position = params.size() - static_cast<size_t>(index);
    const host::Parameter &param = params[position];
    require(param.type == type && static_cast<size_t>(param.dimensions) == dimensions &&
            param.byReference == write);
    require(++self(r).taken[position] == 1);
    return param;
}

void result(ScriptRuntime *r, int32_t type) {
    const host::LibraryEntry &entry = *self(r).entry;
    require(entry.kind == host::LibraryEntry::Kind::Function && entry.resultType == type);
    require(++self(r).results == 1);
}

int32_t CORVANTA_CALL getInt(ScriptRuntime *r, int32_t index) {
    parameter(r, index, TypeInt, 0);
    return anyInt();
}
double CORVANTA_CALL getReal(ScriptRuntime *r, int32_t index) {
    parameter(r, index, TypeReal, 0);
    return anyReal<double>();
}
const char *CORVANTA_CALL getString(ScriptRuntime *r, int32_t index) {
    parameter(r, index, TypeString, 0);
    switch (input->ConsumeIntegralInRange(0, 3)) {
    case 0: return nullptr;
    case 1: return "";
    case 2: self(r).strings.emplace_back(100000, 'a'); return self(r).strings.back().c_str();
    default:
        self(r).strings.push_back(input->ConsumeRandomLengthString(256));
        return self(r).strings.back().c_str();
    }
}
void CORVANTA_CALL setInt(ScriptRuntime *r, int32_t value) {
    result(r, TypeInt);
    answered.push_back(value);
}
void CORVANTA_CALL setString(ScriptRuntime *r, const char *text) {
    result(r, TypeString);
    require(text != nullptr);
    (void)std::strlen(text);
}
void CORVANTA_CALL beginValueType(ScriptRuntime *r, int32_t code) {
    require(code == ValueInt32 || code == ValueFloat32);
    self(r).code = code;
    self(r).dims.clear();
    self(r).pointerLevels = 0;
}
void CORVANTA_CALL addArrayDims(ScriptRuntime *r, int32_t count, ...) {
    require(count == 1 || count == 2);
    va_list sizes;
    va_start(sizes, count);
    for (int32_t i = 0; i < count; ++i) self(r).dims.push_back(va_arg(sizes, int32_t));
    va_end(sizes);
}
void CORVANTA_CALL addPointerLevel(ScriptRuntime *r) { ++self(r).pointerLevels; }
// The script's array holds any number of elements; the host copies as many as
// the description names, but never more than the array holds.
void CORVANTA_CALL readParamData(ScriptRuntime *r, int32_t index, void *destination) {
    parameter(r, index, typeOf(self(r).code), self(r).dims.size());
    require(destination != nullptr);
    size_t described = 1;
    for (int32_t size : self(r).dims) {
        require(size >= 0);
        described *= static_cast<size_t>(size);
    }
    const size_t held = input->ConsumeIntegralInRange<size_t>(0, 4096);
    const size_t count = described < held ? described : held;
    if (count > 0) std::memset(destination, 0x3F, count * 4);
}
// One value through a pointer level, or every element of the array described.
void CORVANTA_CALL writeParamData(ScriptRuntime *r, int32_t index, const void *source) {
    parameter(r, index, typeOf(self(r).code), self(r).dims.size(), true);
    require(self(r).pointerLevels == (self(r).dims.empty() ? 1 : 0));
    size_t described = 1;
    for (int32_t size : self(r).dims) {
        require(size >= 1);
        described *= static_cast<size_t>(size);
    }
    touch(source, described * 4);
}

const ScriptRuntimeOps runtimeOps = {
    getInt,  getReal,      getString,       setInt,        nullptr,        setString,
    nullptr, nullptr,      nullptr,         nullptr,       nullptr,        beginValueType,
    nullptr, addArrayDims, addPointerLevel, readParamData, writeParamData,
};

std::vector<host::LibraryEntry> libraryNames() {
    host::LibraryRegistry registry;
    ShaderPlugin *plugin = Corvanta_Init();
    plugin->ops->RegisterLibrary(plugin, &registry);
    std::vector<host::LibraryEntry> names;
    for (const host::LibraryEntry &entry : registry.entries) {
        if (entry.handler != nullptr) names.push_back(entry);
        if (entry.kind == host::LibraryEntry::Kind::Constant) constantValues.push_back(entry.value);
    }
    return names;
}

} // namespace

// Huge lengths from the driver make the plugin ask for huge buffers; a failed
// allocation must come back as null for it to handle, not end the run. Past
// 64 MiB every allocation fails, as in a 32-bit host whose address space is
// taken: clearing gigabytes would leave the fuzzer a few runs a second.
extern "C" const char *__asan_default_options() {
    return "allocator_may_return_null=1:max_allocation_size_mb=64";
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    static const std::vector<host::LibraryEntry> names = libraryNames();
    // Half the inputs call only the render-target names, the mesh names, the
    // uniform and program names or the texture names, so that sequences of
    // Create, Begin or
    // fill, End or draw, and Delete come about, and of setting uniforms by
    // name between links and deletions.
    const auto namesWith = [](std::initializer_list<const char *> parts) {
        std::vector<const host::LibraryEntry *> found;
        for (const host::LibraryEntry &entry : names)
            for (const char *part : parts)
                if (entry.name.find(part) != std::string::npos) {
                    found.push_back(&entry);
                    break;
                }
        return found;
    };
    static const std::vector<const host::LibraryEntry *> focused[] = {
        namesWith({"RenderTarget"}), namesWith({"Mesh", "glLinkProgramARB", "DeleteObject"}),
        namesWith({"Uniform", "Program", "DeleteObject"}),
        namesWith({"Texture", "RenderTarget", "glLinkProgramARB"})};
    FuzzedDataProvider provider(data, size);
    input = &provider;

    shaderSupported = provider.ConsumeBool() ? 1 : 0;
    // Half the drivers have every entry point, so that the calls get past
    // their first checks; the others lack those the input says.
    installDriver(provider.ConsumeBool() ? std::vector<uint8_t>((EntryPointCount + 7) / 8, 0xFF)
                                         : provider.ConsumeBytes<uint8_t>((EntryPointCount + 7) / 8));

    const int focus = provider.ConsumeIntegralInRange(-4, 3); // below 0: every name
    for (int call = 0; call < 16 && provider.remaining_bytes() > 0; ++call) {
        FuzzRuntime runtime;
        runtime.ops = &runtimeOps;
        runtime.entry =
            focus >= 0 ? focused[focus][provider.ConsumeIntegralInRange<size_t>(0, focused[focus].size() - 1)]
                       : &names[provider.ConsumeIntegralInRange<size_t>(0, names.size() - 1)];
        runtime.taken.assign(runtime.entry->params.size(), 0);
        runtime.entry->handler(&runtime);
        // A function answers exactly once on every path, a procedure never.
        require(runtime.results == (runtime.entry->kind == host::LibraryEntry::Kind::Function ? 1 : 0));
    }
    // What the library keeps between calls (the build log, the render
    // targets' records) goes with the plugin, as when a host is done with it.
    ShaderPlugin *plugin = Corvanta_Init();
    plugin->ops->Release(plugin);
    input = nullptr;
    answered.clear();
    return 0;
}
