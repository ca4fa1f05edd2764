// Calls the library's handlers with everything taken from the fuzz input: the
// script's arguments (any int, any real, empty, long or null strings, arrays
// shorter or longer than described), the driver's answers (any length, texts
// that fill the whole buffer), which entry points exist, and whether shaders
// are supported. The fakes check what the plugin hands them: a null or too
// small buffer, an unterminated text or a call through a null entry point is
// a crash for the sanitizers to report.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "glext/entry_points.h"
#include "host/library_registry.h"
#include "plugin/host_interfaces.h"

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
GLhandleARB CORVANTA_APIENTRY createShader(GLenum) { return input->ConsumeIntegral<GLhandleARB>(); }
GLhandleARB CORVANTA_APIENTRY createProgram() { return input->ConsumeIntegral<GLhandleARB>(); }
void CORVANTA_APIENTRY shaderSource(GLhandleARB, GLsizei count, const GLcharARB **strings, const GLint *) {
    require(count == 1 && strings != nullptr && strings[0] != nullptr);
    (void)std::strlen(strings[0]);
}
void CORVANTA_APIENTRY infoLog(GLhandleARB, GLsizei size, GLsizei *length, GLcharARB *log) {
    writeText(size, log);
    if (length != nullptr) *length = anyLength();
}
void CORVANTA_APIENTRY parameteriv(GLhandleARB, GLenum, GLint *params) {
    require(params != nullptr);
    if (input->ConsumeBool()) *params = anyLength();
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
    *type = input->ConsumeIntegral<GLenum>();
}
GLint CORVANTA_APIENTRY location(GLhandleARB, const GLcharARB *name) {
    require(name != nullptr);
    (void)std::strlen(name);
    return input->ConsumeIntegral<GLint>();
}
void CORVANTA_APIENTRY bindLocation(GLhandleARB, GLuint, const GLcharARB *name) {
    require(name != nullptr);
    (void)std::strlen(name);
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
template <int components, typename T>
void CORVANTA_APIENTRY uniformArray(GLint, GLsizei count, const T *values) {
    require(count >= 0);
    touch(values, static_cast<size_t>(count) * components * sizeof(T));
}
template <int components>
void CORVANTA_APIENTRY uniformMatrix(GLint, GLsizei count, GLboolean transpose, const GLfloat *values) {
    require(count >= 0 && transpose <= 1);
    touch(values, static_cast<size_t>(count) * components * sizeof(GLfloat));
}
// Fills the buffer it is given and reports any count at all.
void CORVANTA_APIENTRY attachedObjects(GLhandleARB, GLsizei maxCount, GLsizei *count, GLhandleARB *objects) {
    require(maxCount > 0 && count != nullptr);
    touch(objects, static_cast<size_t>(maxCount) * sizeof(GLhandleARB));
    *count = anyLength();
}
GLhandleARB CORVANTA_APIENTRY handle(GLenum) { return input->ConsumeIntegral<GLhandleARB>(); }

// Calls that answer nothing: any arguments are accepted.
template <typename Entry> struct Accept;
template <typename Result, typename... Args> struct Accept<Result(CORVANTA_APIENTRY *)(Args...)> {
    static Result CORVANTA_APIENTRY call(Args...) { return Result(); }
};

// The fuzzed driver, one entry per entry point, named as it.
namespace fuzzed {
// NOLINTNEXTLINE(bugprone-macro-parentheses): the argument names a declaration.
#define ACCEPT(name) constexpr auto name = Accept<decltype(EntryPointTable::name)>::call;
constexpr auto glCreateShaderObjectARB = createShader;
constexpr auto glShaderSourceARB = shaderSource;
ACCEPT(glCompileShaderARB)
ACCEPT(glDeleteObjectARB)
constexpr auto glCreateProgramObjectARB = createProgram;
ACCEPT(glAttachObjectARB)
ACCEPT(glDetachObjectARB)
ACCEPT(glUseProgramObjectARB)
ACCEPT(glLinkProgramARB)
ACCEPT(glValidateProgramARB)
constexpr auto glGetInfoLogARB = infoLog;
constexpr auto glGetObjectParameterivARB = parameteriv;
constexpr auto glGetObjectParameterfvARB = parameterfv;
constexpr auto glGetActiveUniformARB = activeVariable;
constexpr auto glGetUniformLocationARB = location;
constexpr auto glGetUniformivARB = uniformiv;
constexpr auto glGetUniformfvARB = uniformfv;
ACCEPT(glUniform1fARB)
ACCEPT(glUniform2fARB)
ACCEPT(glUniform3fARB)
ACCEPT(glUniform4fARB)
ACCEPT(glUniform1iARB)
ACCEPT(glUniform2iARB)
ACCEPT(glUniform3iARB)
ACCEPT(glUniform4iARB)
constexpr auto glUniform1fvARB = uniformArray<1, GLfloat>;
constexpr auto glUniform2fvARB = uniformArray<2, GLfloat>;
constexpr auto glUniform3fvARB = uniformArray<3, GLfloat>;
constexpr auto glUniform4fvARB = uniformArray<4, GLfloat>;
constexpr auto glUniform1ivARB = uniformArray<1, GLint>;
constexpr auto glUniform2ivARB = uniformArray<2, GLint>;
constexpr auto glUniform3ivARB = uniformArray<3, GLint>;
constexpr auto glUniform4ivARB = uniformArray<4, GLint>;
ACCEPT(wglSwapIntervalEXT)
constexpr auto glUniformMatrix2fvARB = uniformMatrix<4>;
constexpr auto glUniformMatrix3fvARB = uniformMatrix<9>;
constexpr auto glUniformMatrix4fvARB = uniformMatrix<16>;
constexpr auto glGetHandleARB = handle;
constexpr auto glGetAttachedObjectsARB = attachedObjects;
constexpr auto glGetShaderSourceARB = infoLog;
constexpr auto glBindAttribLocationARB = bindLocation;
constexpr auto glGetAttribLocationARB = location;
constexpr auto glGetActiveAttribARB = activeVariable;
ACCEPT(glVertexAttrib1fARB)
ACCEPT(glVertexAttrib2fARB)
ACCEPT(glVertexAttrib3fARB)
ACCEPT(glVertexAttrib4fARB)
constexpr auto glUniformMatrix2x3fv = uniformMatrix<6>;
constexpr auto glUniformMatrix3x2fv = uniformMatrix<6>;
constexpr auto glUniformMatrix2x4fv = uniformMatrix<8>;
constexpr auto glUniformMatrix4x2fv = uniformMatrix<8>;
constexpr auto glUniformMatrix3x4fv = uniformMatrix<12>;
constexpr auto glUniformMatrix4x3fv = uniformMatrix<12>;
#undef ACCEPT
} // namespace fuzzed

// The host's runtime for one call. Strings live until the call returns.
struct FuzzRuntime : ScriptRuntime {
    std::vector<std::string> strings;
    int32_t code = 0;
    std::vector<int32_t> dims;
    int pointerLevels = 0;
};

FuzzRuntime &self(ScriptRuntime *r) { return *static_cast<FuzzRuntime *>(r); }

int32_t CORVANTA_CALL getInt(ScriptRuntime *, int32_t index) {
    require(index >= 1 && index <= 5);
    return input->ConsumeIntegral<int32_t>();
}
double CORVANTA_CALL getReal(ScriptRuntime *, int32_t index) {
    require(index >= 1 && index <= 5);
    return anyReal<double>();
}
const char *CORVANTA_CALL getString(ScriptRuntime *r, int32_t index) {
    require(index >= 1 && index <= 5);
    switch (input->ConsumeIntegralInRange(0, 3)) {
    case 0: return nullptr;
    case 1: return "";
    case 2: self(r).strings.emplace_back(100000, 'a'); return self(r).strings.back().c_str();
    default:
        self(r).strings.push_back(input->ConsumeRandomLengthString(256));
        return self(r).strings.back().c_str();
    }
}
void CORVANTA_CALL setInt(ScriptRuntime *, int32_t) {}
void CORVANTA_CALL setString(ScriptRuntime *, const char *text) {
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
    require(index == 1 && destination != nullptr);
    size_t described = 1;
    for (int32_t size : self(r).dims) {
        require(size >= 0);
        described *= static_cast<size_t>(size);
    }
    const size_t held = input->ConsumeIntegralInRange<size_t>(0, 4096);
    const size_t count = described < held ? described : held;
    if (count > 0) std::memset(destination, 0x3F, count * 4);
}
void CORVANTA_CALL writeParamData(ScriptRuntime *r, int32_t index, const void *source) {
    require(index == 1 && self(r).pointerLevels == 1);
    touch(source, 4);
}

const ScriptRuntimeOps runtimeOps = {
    getInt,  getReal,      getString,       setInt,        nullptr,        setString,
    nullptr, nullptr,      nullptr,         nullptr,       nullptr,        beginValueType,
    nullptr, addArrayDims, addPointerLevel, readParamData, writeParamData,
};

std::vector<FunctionHandler> libraryHandlers() {
    host::LibraryRegistry registry;
    ShaderPlugin *plugin = Corvanta_Init();
    plugin->ops->RegisterLibrary(plugin, &registry);
    std::vector<FunctionHandler> handlers;
    for (const host::LibraryEntry &entry : registry.entries)
        if (entry.handler != nullptr) handlers.push_back(entry.handler);
    return handlers;
}

} // namespace

// Huge lengths from the driver make the plugin ask for huge buffers; a failed
// allocation must come back as null for it to handle, not end the run.
extern "C" const char *__asan_default_options() { return "allocator_may_return_null=1"; }

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    static const std::vector<FunctionHandler> handlers = libraryHandlers();
    FuzzedDataProvider provider(data, size);
    input = &provider;

    shaderSupported = provider.ConsumeBool() ? 1 : 0;
    // Which entry points the driver has, one bit each.
    static_assert(EntryPointCount <= 64);
    const auto present = provider.ConsumeIntegral<uint64_t>();
    int bit = 0;
#define CORVANTA_FUZZED(name, result, params, need, provider)                                                \
    entryPoints.name = (present >> bit++) & 1 ? fuzzed::name : nullptr;
    CORVANTA_ENTRY_POINTS(CORVANTA_FUZZED)
#undef CORVANTA_FUZZED

    for (int call = 0; call < 8 && provider.remaining_bytes() > 0; ++call) {
        FuzzRuntime runtime;
        runtime.ops = &runtimeOps;
        handlers[provider.ConsumeIntegralInRange<size_t>(0, handlers.size() - 1)](&runtime);
    }
    input = nullptr;
    return 0;
}
