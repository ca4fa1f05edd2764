#include "tests/support/fake_driver.h"

#include <algorithm>
#include <cstring>
#include <tuple>
#include <type_traits>

#include "glext/gl_tokens.h"
#include "tests/support/upload_shape.h"

#define FAKE CORVANTA_APIENTRY

namespace corvanta::testing {
namespace {

FakeDriver &d() { return fakeDriver(); }

DriverCall &record(const char *name, std::vector<int64_t> ints = {}, std::vector<float> floats = {}) {
    DriverCall call;
    call.name = name;
    call.ints = std::move(ints);
    call.floats = std::move(floats);
    d().calls.push_back(std::move(call));
    return d().calls.back();
}

// Writes a text into a buffer of `size` bytes as a driver does: at most
// size - 1 characters and a NUL, or, when faulty, every byte without one.
void writeText(const std::string &text, GLsizei size, GLcharARB *buffer) {
    if (size <= 0) return;
    if (d().fillWholeBuffer) {
        std::memset(buffer, 'x', static_cast<size_t>(size));
        return;
    }
    const size_t n = std::min(text.size(), static_cast<size_t>(size - 1));
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
}

GLhandleARB newHandle() {
    const GLhandleARB handle = d().nextHandle;
    d().nextHandle += d().handleStep;
    return handle;
}

const std::string &infoLogOf(GLhandleARB object) {
    auto found = d().infoLogOf.find(object);
    return found != d().infoLogOf.end() ? found->second : d().infoLog;
}

void activeVariable(const char *entry, const std::vector<ActiveVariable> &variables, GLhandleARB program,
                    GLuint index, GLsizei size, GLsizei *length, GLint *arraySize, GLenum *type,
                    GLcharARB *name) {
    DriverCall &call = record(entry, {program, index, size});
    call.lengthPointerNull = length == nullptr;
    if (index >= variables.size()) return; // rejected: nothing written
    writeText(variables[index].name, size, name);
    *arraySize = variables[index].size;
    *type = variables[index].type;
}

template <typename T> void writeAll(const std::vector<T> &values, T *params) {
    std::copy(values.begin(), values.end(), params);
}

// Every entry point records its name and arguments: ints for handles, enums,
// locations and counts, floats for reals, a text, and any other pointer. An
// upload, an entry point with a count and a last parameter of const 32-bit
// values (glUniform*v, glUniformMatrix*, glDrawBuffersARB), also keeps a copy
// of the bytes it was given: count elements of as many values as its name
// says.
template <typename Entry, const char *name> struct Recorder;
template <typename Result, typename... Params, const char *name>
struct Recorder<Result(FAKE *)(Params...), name> {
    using Shape = UploadShape<name, Params...>;

    static Result FAKE call(Params... args) {
        DriverCall &call = record(name);
        (put(call, args), ...);
        if constexpr (Shape::uploads) {
            const auto [values, bytes] = Shape::values(args...);
            const auto *first = static_cast<const unsigned char *>(values);
            if (first != nullptr && bytes > 0) call.bytes.assign(first, first + bytes);
        }
        return Result();
    }
    template <typename T> static void put(DriverCall &call, T value) {
        if constexpr (std::is_same_v<T, GLfloat>)
            call.floats.push_back(value);
        else if constexpr (std::is_same_v<T, const GLcharARB *>)
            call.text = value;
        else if constexpr (std::is_pointer_v<T>)
            call.pointer = value;
        else
            call.ints.push_back(static_cast<int64_t>(value));
    }
};
namespace names {
// The argument names a declaration.
// NOLINTNEXTLINE(bugprone-macro-parentheses)
#define CORVANTA_NAME(name, result, params, need, provider) constexpr char name[] = #name;
CORVANTA_ENTRY_POINTS(CORVANTA_NAME)
#undef CORVANTA_NAME
} // namespace names

// Fakes with behaviour a test needs (names handed out, lengths, statuses,
// written values, uploaded bytes), named as their entry points.
namespace fake {

GLhandleARB FAKE glCreateShaderObjectARB(GLenum type) {
    record("glCreateShaderObjectARB", {type});
    return newHandle();
}
void FAKE glShaderSourceARB(GLhandleARB shader, GLsizei count, const GLcharARB **strings,
                            const GLint *lengths) {
    DriverCall &call = record("glShaderSourceARB", {shader, count});
    call.text = strings[0];
    call.pointer = lengths;
}
GLhandleARB FAKE glCreateProgramObjectARB() {
    record("glCreateProgramObjectARB");
    return d().programCreationFails ? 0 : newHandle();
}
void FAKE glGetInfoLogARB(GLhandleARB object, GLsizei size, GLsizei *length, GLcharARB *log) {
    record("glGetInfoLogARB", {object, size});
    const std::string &text = infoLogOf(object);
    writeText(text, size, log);
    if (length != nullptr) *length = static_cast<GLsizei>(text.size());
}
void FAKE glGetObjectParameterivARB(GLhandleARB object, GLenum pname, GLint *params) {
    record("glGetObjectParameterivARB", {object, pname});
    if (auto of = d().parametersOf.find(object); of != d().parametersOf.end()) {
        if (auto found = of->second.find(pname); found != of->second.end()) {
            *params = found->second;
            return;
        }
    }
    if (auto log = d().infoLogOf.find(object);
        log != d().infoLogOf.end() && pname == GL_OBJECT_INFO_LOG_LENGTH_ARB) {
        *params = static_cast<GLint>(log->second.size() + 1);
        return;
    }
    auto found = d().objectParameters.find(pname);
    if (found != d().objectParameters.end()) *params = found->second;
}
void FAKE glGetObjectParameterfvARB(GLhandleARB object, GLenum pname, GLfloat *params) {
    record("glGetObjectParameterfvARB", {object, pname});
    auto found = d().objectParametersFloat.find(pname);
    if (found != d().objectParametersFloat.end()) *params = found->second;
}
void FAKE glGetActiveUniformARB(GLhandleARB program, GLuint index, GLsizei size, GLsizei *length,
                                GLint *arraySize, GLenum *type, GLcharARB *name) {
    activeVariable("glGetActiveUniformARB", d().uniforms, program, index, size, length, arraySize, type,
                   name);
}
GLint FAKE glGetUniformLocationARB(GLhandleARB program, const GLcharARB *name) {
    record("glGetUniformLocationARB", {program}).text = name;
    auto found = d().uniformLocations.find(name);
    return found != d().uniformLocations.end() ? found->second : d().uniformLocation;
}
void FAKE glUseProgramObjectARB(GLhandleARB program) {
    record("glUseProgramObjectARB", {program});
    d().handle = program;
}
void FAKE glGetUniformivARB(GLhandleARB program, GLint location, GLint *params) {
    record("glGetUniformivARB", {program, location});
    writeAll(d().uniformInts, params);
}
void FAKE glGetUniformfvARB(GLhandleARB program, GLint location, GLfloat *params) {
    record("glGetUniformfvARB", {program, location});
    writeAll(d().uniformFloats, params);
}
template <const char *name> void FAKE generate(GLsizei count, GLuint *names) {
    record(name, {count});
    for (GLsizei i = 0; i < count; ++i) names[i] = d().givesNoName.count(name) ? 0 : newHandle();
}
GLenum FAKE glCheckFramebufferStatusEXT(GLenum target) {
    record("glCheckFramebufferStatusEXT", {target});
    return d().framebufferStatus;
}
// GL_FRAMEBUFFER_EXT binds for drawing and reading, the blit extension's
// targets for one of them.
void FAKE glBindFramebufferEXT(GLenum target, GLuint framebuffer) {
    record("glBindFramebufferEXT", {target, framebuffer});
    if (target != GL_READ_FRAMEBUFFER_EXT) d().framebufferBinding = framebuffer;
    if (target != GL_DRAW_FRAMEBUFFER_EXT) d().readFramebufferBinding = framebuffer;
}
// A 2D texture's binding is kept apart; a cube map's and a 3D texture's
// answer from the integers.
void FAKE glBindTexture(GLenum target, GLuint texture) {
    record("glBindTexture", {target, texture});
    if (target == GL_TEXTURE_2D)
        d().textureBinding = texture;
    else
        d().integers[target == GL_TEXTURE_3D ? GL_TEXTURE_BINDING_3D : GL_TEXTURE_BINDING_CUBE_MAP_ARB] =
            static_cast<GLint>(texture);
}
void FAKE glViewport(GLint x, GLint y, GLsizei width, GLsizei height) {
    record("glViewport", {x, y, width, height});
    d().viewport[0] = x, d().viewport[1] = y, d().viewport[2] = width, d().viewport[3] = height;
}
void FAKE glBindBufferARB(GLenum target, GLuint buffer) {
    record("glBindBufferARB", {target, buffer});
    if (target == GL_ARRAY_BUFFER_ARB)
        d().arrayBufferBinding = buffer;
    else if (target == GL_ELEMENT_ARRAY_BUFFER_ARB)
        d().elementBufferBinding = buffer;
    else
        d().pixelBufferBindings[target == GL_PIXEL_PACK_BUFFER_ARB ? GL_PIXEL_PACK_BUFFER_BINDING_ARB
                                                                   : GL_PIXEL_UNPACK_BUFFER_BINDING_ARB] = buffer;
}
const GLubyte *FAKE glGetString(GLenum name) {
    record("glGetString", {name});
    const std::string &text = name == GL_VERSION ? d().version : d().extensions;
    return reinterpret_cast<const GLubyte *>(text.c_str());
}
void FAKE glBufferDataARB(GLenum target, GLsizeiptrARB size, const void *data, GLenum usage) {
    DriverCall &call = record("glBufferDataARB", {target, size, usage});
    const auto *bytes = static_cast<const unsigned char *>(data);
    call.bytes.assign(bytes, bytes + size);
    d().bufferData[target == GL_ARRAY_BUFFER_ARB ? d().arrayBufferBinding : d().elementBufferBinding] =
        call.bytes;
}
void FAKE glBufferSubDataARB(GLenum target, GLintptrARB offset, GLsizeiptrARB size, const void *data) {
    DriverCall &call = record("glBufferSubDataARB", {target, offset, size});
    const auto *bytes = static_cast<const unsigned char *>(data);
    call.bytes.assign(bytes, bytes + size);
}
void FAKE glGetIntegerv(GLenum pname, GLint *params) {
    record("glGetIntegerv", {pname});
    if (pname == GL_ARRAY_BUFFER_BINDING_ARB) *params = static_cast<GLint>(d().arrayBufferBinding);
    if (pname == GL_ELEMENT_ARRAY_BUFFER_BINDING_ARB) *params = static_cast<GLint>(d().elementBufferBinding);
    if (pname == GL_VIEWPORT) std::copy_n(d().viewport, 4, params);
    if (pname == GL_FRAMEBUFFER_BINDING_EXT) *params = static_cast<GLint>(d().framebufferBinding);
    if (pname == GL_READ_FRAMEBUFFER_BINDING_EXT) *params = static_cast<GLint>(d().readFramebufferBinding);
    if (pname == GL_TEXTURE_BINDING_2D) *params = static_cast<GLint>(d().textureBinding);
    if (auto found = d().pixelBufferBindings.find(pname); found != d().pixelBufferBindings.end())
        *params = static_cast<GLint>(found->second);
    if (auto found = d().integers.find(pname); found != d().integers.end()) *params = found->second;
}
// The names a deletion was given.
template <const char *name> void FAKE deleteNames(GLsizei count, const GLuint *names) {
    DriverCall &call = record(name, {count});
    for (GLsizei i = 0; i < count; ++i) call.ints.push_back(names[i]);
}
// Fills what it is asked for with 0, 1, 2 and so on, as floats.
void FAKE glReadPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLenum format, GLenum type,
                       void *pixels) {
    record("glReadPixels", {x, y, width, height, format, type});
    const size_t count =
        static_cast<size_t>(width) * static_cast<size_t>(height) * (format == GL_RGBA ? 4 : 1);
    for (size_t i = 0; i < count; ++i) static_cast<float *>(pixels)[i] = static_cast<float>(i);
}
GLenum FAKE glGetError() {
    record("glGetError");
    if (d().errors.empty()) return 0;
    const GLenum error = d().errors.front();
    d().errors.erase(d().errors.begin());
    return error;
}
GLboolean FAKE glIsProgram(GLuint program) {
    record("glIsProgram", {program});
    return d().notPrograms.count(program) == 0 ? 1 : 0;
}
void FAKE glGetTexLevelParameteriv(GLenum target, GLint level, GLenum pname, GLint *params) {
    record("glGetTexLevelParameteriv", {target, level, pname});
    auto image = std::find_if(d().calls.rbegin(), d().calls.rend(),
                              [](const DriverCall &call) { return call.name.rfind("glTexImage", 0) == 0; });
    *params = image != d().calls.rend() && !d().refusesTextures ? static_cast<GLint>(image->ints[3]) : 0;
}
void FAKE glGetTexParameteriv(GLenum target, GLenum pname, GLint *params) {
    record("glGetTexParameteriv", {target, pname});
    *params = d().compareMode;
}
// A texture image reads width x height x depth texels of its format and type
// from the pointer it is given, which must lie within one of the plugin's
// blocks (a null image reads nothing, unless a pixel-unpack buffer is bound).
template <auto member, const char *name, typename... Params>
void textureImage(GLsizei width, GLsizei height, GLsizei depth, GLenum format, GLenum type, Params... args) {
    Recorder<std::decay_t<decltype(EntryPointTable{}.*member)>, name>::call(args...);
    DriverCall &call = d().calls.back();
    call.unpackBuffer = d().pixelBufferBindings[GL_PIXEL_UNPACK_BUFFER_BINDING_ARB];
    const void *pixels = std::get<sizeof...(Params) - 1>(std::make_tuple(args...));
    const int64_t bytes = texelBytes(width, height, depth, format, type);
    call.texelsInBlock = pixels == nullptr || d().blockHolds == nullptr || d().blockHolds(pixels, bytes);
}
void FAKE glTexImage2D(GLenum target, GLint level, GLint internal, GLsizei width, GLsizei height, GLint border,
                       GLenum format, GLenum type, const void *pixels) {
    textureImage<&EntryPointTable::glTexImage2D, names::glTexImage2D>(
        width, height, 1, format, type, target, level, internal, width, height, border, format, type, pixels);
}
void FAKE glTexSubImage2D(GLenum target, GLint level, GLint x, GLint y, GLsizei width, GLsizei height,
                          GLenum format, GLenum type, const void *pixels) {
    textureImage<&EntryPointTable::glTexSubImage2D, names::glTexSubImage2D>(
        width, height, 1, format, type, target, level, x, y, width, height, format, type, pixels);
}
void FAKE glTexImage3D(GLenum target, GLint level, GLint internal, GLsizei width, GLsizei height, GLsizei depth,
                       GLint border, GLenum format, GLenum type, const void *pixels) {
    textureImage<&EntryPointTable::glTexImage3D, names::glTexImage3D>(
        width, height, depth, format, type, target, level, internal, width, height, depth, border, format, type,
        pixels);
}
void FAKE glTexSubImage3D(GLenum target, GLint level, GLint x, GLint y, GLint z, GLsizei width, GLsizei height,
                          GLsizei depth, GLenum format, GLenum type, const void *pixels) {
    textureImage<&EntryPointTable::glTexSubImage3D, names::glTexSubImage3D>(
        width, height, depth, format, type, target, level, x, y, z, width, height, depth, format, type, pixels);
}
GLboolean FAKE glIsTexture(GLuint texture) {
    record("glIsTexture", {texture});
    return d().hostTextures.count(texture) != 0 ? 1 : 0;
}
void FAKE glPushClientAttrib(GLbitfield mask) {
    record("glPushClientAttrib", {mask});
    ++d().integers[GL_CLIENT_ATTRIB_STACK_DEPTH];
}
void FAKE glPopClientAttrib() {
    record("glPopClientAttrib");
    --d().integers[GL_CLIENT_ATTRIB_STACK_DEPTH];
}
GLhandleARB FAKE glGetHandleARB(GLenum pname) {
    record("glGetHandleARB", {pname});
    return d().handle;
}
void FAKE glGetAttachedObjectsARB(GLhandleARB program, GLsizei maxCount, GLsizei *count,
                                  GLhandleARB *objects) {
    record("glGetAttachedObjectsARB", {program, maxCount});
    const size_t n = std::min(d().attached.size(), static_cast<size_t>(std::max(maxCount, 0)));
    std::copy_n(d().attached.begin(), n, objects);
    if (count != nullptr) *count = static_cast<GLsizei>(n);
}
void FAKE glGetShaderSourceARB(GLhandleARB shader, GLsizei size, GLsizei *length, GLcharARB *source) {
    record("glGetShaderSourceARB", {shader, size});
    writeText(d().shaderSource, size, source);
    if (length != nullptr) *length = static_cast<GLsizei>(d().shaderSource.size());
}
GLint FAKE glGetAttribLocationARB(GLhandleARB program, const GLcharARB *name) {
    record("glGetAttribLocationARB", {program}).text = name;
    return d().attribLocation;
}
void FAKE glGetActiveAttribARB(GLhandleARB program, GLuint index, GLsizei size, GLsizei *length,
                               GLint *arraySize, GLenum *type, GLcharARB *name) {
    activeVariable("glGetActiveAttribARB", d().attributes, program, index, size, length, arraySize, type,
                   name);
}

} // namespace fake
} // namespace

FakeDriver &fakeDriver() {
    static FakeDriver driver;
    return driver;
}

void FakeDriver::install() {
    *this = FakeDriver{};
#define CORVANTA_RECORDER(name, result, params, need, provider)                                              \
    entryPoints.name = Recorder<decltype(EntryPointTable::name), names::name>::call;
    CORVANTA_ENTRY_POINTS(CORVANTA_RECORDER)
#undef CORVANTA_RECORDER
    // Where a test needs more than the record.
    using namespace fake;
    entryPoints.glCreateShaderObjectARB = glCreateShaderObjectARB;
    entryPoints.glShaderSourceARB = glShaderSourceARB;
    entryPoints.glCreateProgramObjectARB = glCreateProgramObjectARB;
    entryPoints.glGetInfoLogARB = glGetInfoLogARB;
    entryPoints.glGetObjectParameterivARB = glGetObjectParameterivARB;
    entryPoints.glGetObjectParameterfvARB = glGetObjectParameterfvARB;
    entryPoints.glGetActiveUniformARB = glGetActiveUniformARB;
    entryPoints.glGetUniformLocationARB = glGetUniformLocationARB;
    entryPoints.glUseProgramObjectARB = glUseProgramObjectARB;
    entryPoints.glGetUniformivARB = glGetUniformivARB;
    entryPoints.glGetUniformfvARB = glGetUniformfvARB;
    entryPoints.glGetHandleARB = glGetHandleARB;
    entryPoints.glIsProgram = glIsProgram;
    entryPoints.glGetString = glGetString;
    entryPoints.glGetTexLevelParameteriv = glGetTexLevelParameteriv;
    entryPoints.glGetTexParameteriv = glGetTexParameteriv;
    entryPoints.glIsTexture = glIsTexture;
    entryPoints.glTexImage2D = glTexImage2D;
    entryPoints.glTexSubImage2D = glTexSubImage2D;
    entryPoints.glTexImage3D = glTexImage3D;
    entryPoints.glTexSubImage3D = glTexSubImage3D;
    entryPoints.glPushClientAttrib = glPushClientAttrib;
    entryPoints.glPopClientAttrib = glPopClientAttrib;
    entryPoints.glGetError = glGetError;
    entryPoints.glReadPixels = glReadPixels;
    entryPoints.glGetAttachedObjectsARB = glGetAttachedObjectsARB;
    entryPoints.glGetShaderSourceARB = glGetShaderSourceARB;
    entryPoints.glGetAttribLocationARB = glGetAttribLocationARB;
    entryPoints.glGetActiveAttribARB = glGetActiveAttribARB;
    entryPoints.glGenFramebuffersEXT = generate<names::glGenFramebuffersEXT>;
    entryPoints.glGenRenderbuffersEXT = generate<names::glGenRenderbuffersEXT>;
    entryPoints.glGenTextures = generate<names::glGenTextures>;
    entryPoints.glDeleteFramebuffersEXT = deleteNames<names::glDeleteFramebuffersEXT>;
    entryPoints.glDeleteRenderbuffersEXT = deleteNames<names::glDeleteRenderbuffersEXT>;
    entryPoints.glDeleteTextures = deleteNames<names::glDeleteTextures>;
    entryPoints.glGenBuffersARB = generate<names::glGenBuffersARB>;
    entryPoints.glDeleteBuffersARB = deleteNames<names::glDeleteBuffersARB>;
    entryPoints.glBindBufferARB = glBindBufferARB;
    entryPoints.glBufferDataARB = glBufferDataARB;
    entryPoints.glBufferSubDataARB = glBufferSubDataARB;
    entryPoints.glCheckFramebufferStatusEXT = glCheckFramebufferStatusEXT;
    entryPoints.glBindFramebufferEXT = glBindFramebufferEXT;
    entryPoints.glBindTexture = glBindTexture;
    entryPoints.glViewport = glViewport;
    entryPoints.glGetIntegerv = glGetIntegerv;
    shaderSupported = 1;
}

const DriverCall *FakeDriver::last(const std::string &name) const {
    for (auto call = calls.rbegin(); call != calls.rend(); ++call)
        if (call->name == name) return &*call;
    return nullptr;
}

int FakeDriver::count(const std::string &name) const {
    return static_cast<int>(
        std::count_if(calls.begin(), calls.end(), [&](const DriverCall &call) { return call.name == name; }));
}

} // namespace corvanta::testing
