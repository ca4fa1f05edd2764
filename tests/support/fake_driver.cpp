#include "tests/support/fake_driver.h"

#include <algorithm>
#include <cstring>

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

GLhandleARB FAKE createShaderObject(GLenum type) {
    record("glCreateShaderObjectARB", {type});
    return d().nextHandle;
}
void FAKE shaderSource(GLhandleARB shader, GLsizei count, const GLcharARB **strings, const GLint *lengths) {
    DriverCall &call = record("glShaderSourceARB", {shader, count});
    call.text = strings[0];
    call.pointer = lengths;
}
void FAKE compileShader(GLhandleARB shader) { record("glCompileShaderARB", {shader}); }
void FAKE deleteObject(GLhandleARB object) { record("glDeleteObjectARB", {object}); }
GLhandleARB FAKE createProgramObject() {
    record("glCreateProgramObjectARB");
    return d().nextHandle;
}
void FAKE attachObject(GLhandleARB c, GLhandleARB o) { record("glAttachObjectARB", {c, o}); }
void FAKE detachObject(GLhandleARB c, GLhandleARB o) { record("glDetachObjectARB", {c, o}); }
void FAKE useProgramObject(GLhandleARB program) { record("glUseProgramObjectARB", {program}); }
void FAKE linkProgram(GLhandleARB program) { record("glLinkProgramARB", {program}); }
void FAKE validateProgram(GLhandleARB program) { record("glValidateProgramARB", {program}); }
void FAKE getInfoLog(GLhandleARB object, GLsizei size, GLsizei *length, GLcharARB *log) {
    record("glGetInfoLogARB", {object, size});
    writeText(d().infoLog, size, log);
    if (length != nullptr) *length = static_cast<GLsizei>(d().infoLog.size());
}
void FAKE getObjectParameteriv(GLhandleARB object, GLenum pname, GLint *params) {
    record("glGetObjectParameterivARB", {object, pname});
    auto found = d().objectParameters.find(pname);
    if (found != d().objectParameters.end()) *params = found->second;
}
void FAKE getObjectParameterfv(GLhandleARB object, GLenum pname, GLfloat *params) {
    record("glGetObjectParameterfvARB", {object, pname});
    auto found = d().objectParametersFloat.find(pname);
    if (found != d().objectParametersFloat.end()) *params = found->second;
}
void FAKE getActiveUniform(GLhandleARB program, uint32_t index, GLsizei size, GLsizei *length,
                           GLint *arraySize, GLenum *type, GLcharARB *name) {
    DriverCall &call = record("glGetActiveUniformARB", {program, index, size});
    call.lengthPointerNull = length == nullptr;
    if (index >= d().uniforms.size()) return; // rejected: nothing written
    writeText(d().uniforms[index].name, size, name);
    *arraySize = 1;
    *type = d().uniforms[index].type;
}
GLint FAKE getUniformLocation(GLhandleARB program, const GLcharARB *name) {
    record("glGetUniformLocationARB", {program}).text = name;
    return d().uniformLocation;
}
template <typename T> void writeAll(const std::vector<T> &values, T *params) {
    std::copy(values.begin(), values.end(), params);
}
void FAKE getUniformiv(GLhandleARB program, GLint location, GLint *params) {
    record("glGetUniformivARB", {program, location});
    writeAll(d().uniformInts, params);
}
void FAKE getUniformfv(GLhandleARB program, GLint location, GLfloat *params) {
    record("glGetUniformfvARB", {program, location});
    writeAll(d().uniformFloats, params);
}

template <int n> constexpr const char *floatName() {
    return n == 1   ? "glUniform1fARB"
           : n == 2 ? "glUniform2fARB"
           : n == 3 ? "glUniform3fARB"
                    : "glUniform4fARB";
}
template <int n> constexpr const char *intName() {
    return n == 1   ? "glUniform1iARB"
           : n == 2 ? "glUniform2iARB"
           : n == 3 ? "glUniform3iARB"
                    : "glUniform4iARB";
}
void FAKE uniform1f(GLint l, GLfloat x) { record(floatName<1>(), {l}, {x}); }
void FAKE uniform2f(GLint l, GLfloat x, GLfloat y) { record(floatName<2>(), {l}, {x, y}); }
void FAKE uniform3f(GLint l, GLfloat x, GLfloat y, GLfloat z) { record(floatName<3>(), {l}, {x, y, z}); }
void FAKE uniform4f(GLint l, GLfloat x, GLfloat y, GLfloat z, GLfloat w) {
    record(floatName<4>(), {l}, {x, y, z, w});
}
void FAKE uniform1i(GLint l, GLint x) { record(intName<1>(), {l, x}); }
void FAKE uniform2i(GLint l, GLint x, GLint y) { record(intName<2>(), {l, x, y}); }
void FAKE uniform3i(GLint l, GLint x, GLint y, GLint z) { record(intName<3>(), {l, x, y, z}); }
void FAKE uniform4i(GLint l, GLint x, GLint y, GLint z, GLint w) { record(intName<4>(), {l, x, y, z, w}); }

// Array uploads keep a copy of the bytes the driver was given.
template <int components, typename T>
void upload(const char *name, GLint location, GLsizei count, const T *values) {
    DriverCall &call = record(name, {location, count});
    call.pointer = values;
    const auto *bytes = reinterpret_cast<const unsigned char *>(values);
    call.bytes.assign(bytes, bytes + static_cast<size_t>(count) * components * sizeof(T));
}
void FAKE uniform1fv(GLint l, GLsizei c, const GLfloat *v) { upload<1>("glUniform1fvARB", l, c, v); }
void FAKE uniform2fv(GLint l, GLsizei c, const GLfloat *v) { upload<2>("glUniform2fvARB", l, c, v); }
void FAKE uniform3fv(GLint l, GLsizei c, const GLfloat *v) { upload<3>("glUniform3fvARB", l, c, v); }
void FAKE uniform4fv(GLint l, GLsizei c, const GLfloat *v) { upload<4>("glUniform4fvARB", l, c, v); }
void FAKE uniform1iv(GLint l, GLsizei c, const GLint *v) { upload<1>("glUniform1ivARB", l, c, v); }
void FAKE uniform2iv(GLint l, GLsizei c, const GLint *v) { upload<2>("glUniform2ivARB", l, c, v); }
void FAKE uniform3iv(GLint l, GLsizei c, const GLint *v) { upload<3>("glUniform3ivARB", l, c, v); }
void FAKE uniform4iv(GLint l, GLsizei c, const GLint *v) { upload<4>("glUniform4ivARB", l, c, v); }
int FAKE swapInterval(int interval) {
    record("wglSwapIntervalEXT", {interval});
    return 1;
}

} // namespace

FakeDriver &fakeDriver() {
    static FakeDriver driver;
    return driver;
}

void FakeDriver::install() {
    *this = FakeDriver{};
    entryPoints = {
        createShaderObject,
        shaderSource,
        compileShader,
        deleteObject,
        createProgramObject,
        attachObject,
        detachObject,
        useProgramObject,
        linkProgram,
        validateProgram,
        getInfoLog,
        getObjectParameteriv,
        getObjectParameterfv,
        getActiveUniform,
        getUniformLocation,
        getUniformiv,
        getUniformfv,
        uniform1f,
        uniform2f,
        uniform3f,
        uniform4f,
        uniform1i,
        uniform2i,
        uniform3i,
        uniform4i,
        uniform1fv,
        uniform2fv,
        uniform3fv,
        uniform4fv,
        uniform1iv,
        uniform2iv,
        uniform3iv,
        uniform4iv,
        swapInterval,
    };
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
