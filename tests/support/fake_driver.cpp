#include "tests/support/fake_driver.h"

#include <algorithm>
#include <cstring>

#include "glext/gl_tokens.h"

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

// Array uploads keep a copy of the bytes the driver was given.
template <int components, typename T>
void upload(const char *name, std::vector<int64_t> ints, GLsizei count, const T *values) {
    DriverCall &call = record(name, std::move(ints));
    call.pointer = values;
    const auto *bytes = reinterpret_cast<const unsigned char *>(values);
    call.bytes.assign(bytes, bytes + static_cast<size_t>(count) * components * sizeof(T));
}
// One fake per entry point, named as the entry point.
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
void FAKE glCompileShaderARB(GLhandleARB shader) { record("glCompileShaderARB", {shader}); }
void FAKE glDeleteObjectARB(GLhandleARB object) { record("glDeleteObjectARB", {object}); }
GLhandleARB FAKE glCreateProgramObjectARB() {
    record("glCreateProgramObjectARB");
    return d().programCreationFails ? 0 : newHandle();
}
void FAKE glAttachObjectARB(GLhandleARB c, GLhandleARB o) { record("glAttachObjectARB", {c, o}); }
void FAKE glDetachObjectARB(GLhandleARB c, GLhandleARB o) { record("glDetachObjectARB", {c, o}); }
void FAKE glUseProgramObjectARB(GLhandleARB program) { record("glUseProgramObjectARB", {program}); }
void FAKE glLinkProgramARB(GLhandleARB program) { record("glLinkProgramARB", {program}); }
void FAKE glValidateProgramARB(GLhandleARB program) { record("glValidateProgramARB", {program}); }
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
    return d().uniformLocation;
}
void FAKE glGetUniformivARB(GLhandleARB program, GLint location, GLint *params) {
    record("glGetUniformivARB", {program, location});
    writeAll(d().uniformInts, params);
}
void FAKE glGetUniformfvARB(GLhandleARB program, GLint location, GLfloat *params) {
    record("glGetUniformfvARB", {program, location});
    writeAll(d().uniformFloats, params);
}
void FAKE glUniform1fARB(GLint l, GLfloat x) { record("glUniform1fARB", {l}, {x}); }
void FAKE glUniform2fARB(GLint l, GLfloat x, GLfloat y) { record("glUniform2fARB", {l}, {x, y}); }
void FAKE glUniform3fARB(GLint l, GLfloat x, GLfloat y, GLfloat z) {
    record("glUniform3fARB", {l}, {x, y, z});
}
void FAKE glUniform4fARB(GLint l, GLfloat x, GLfloat y, GLfloat z, GLfloat w) {
    record("glUniform4fARB", {l}, {x, y, z, w});
}
void FAKE glUniform1iARB(GLint l, GLint x) { record("glUniform1iARB", {l, x}); }
void FAKE glUniform2iARB(GLint l, GLint x, GLint y) { record("glUniform2iARB", {l, x, y}); }
void FAKE glUniform3iARB(GLint l, GLint x, GLint y, GLint z) { record("glUniform3iARB", {l, x, y, z}); }
void FAKE glUniform4iARB(GLint l, GLint x, GLint y, GLint z, GLint w) {
    record("glUniform4iARB", {l, x, y, z, w});
}
void FAKE glUniform1fvARB(GLint l, GLsizei c, const GLfloat *v) {
    upload<1>("glUniform1fvARB", {l, c}, c, v);
}
void FAKE glUniform2fvARB(GLint l, GLsizei c, const GLfloat *v) {
    upload<2>("glUniform2fvARB", {l, c}, c, v);
}
void FAKE glUniform3fvARB(GLint l, GLsizei c, const GLfloat *v) {
    upload<3>("glUniform3fvARB", {l, c}, c, v);
}
void FAKE glUniform4fvARB(GLint l, GLsizei c, const GLfloat *v) {
    upload<4>("glUniform4fvARB", {l, c}, c, v);
}
void FAKE glUniform1ivARB(GLint l, GLsizei c, const GLint *v) { upload<1>("glUniform1ivARB", {l, c}, c, v); }
void FAKE glUniform2ivARB(GLint l, GLsizei c, const GLint *v) { upload<2>("glUniform2ivARB", {l, c}, c, v); }
void FAKE glUniform3ivARB(GLint l, GLsizei c, const GLint *v) { upload<3>("glUniform3ivARB", {l, c}, c, v); }
void FAKE glUniform4ivARB(GLint l, GLsizei c, const GLint *v) { upload<4>("glUniform4ivARB", {l, c}, c, v); }
int FAKE wglSwapIntervalEXT(int interval) {
    record("wglSwapIntervalEXT", {interval});
    return 1;
}
// Matrix uploads record the transpose flag as the driver received it.
template <int components, const char *name>
void FAKE matrix(GLint l, GLsizei c, GLboolean t, const GLfloat *v) {
    upload<components>(name, {l, c, t}, c, v);
}
constexpr char m2[] = "glUniformMatrix2fvARB", m3[] = "glUniformMatrix3fvARB", m4[] = "glUniformMatrix4fvARB",
               m23[] = "glUniformMatrix2x3fv", m32[] = "glUniformMatrix3x2fv", m24[] = "glUniformMatrix2x4fv",
               m42[] = "glUniformMatrix4x2fv", m34[] = "glUniformMatrix3x4fv", m43[] = "glUniformMatrix4x3fv";
constexpr auto glUniformMatrix2fvARB = matrix<4, m2>;
constexpr auto glUniformMatrix3fvARB = matrix<9, m3>;
constexpr auto glUniformMatrix4fvARB = matrix<16, m4>;
constexpr auto glUniformMatrix2x3fv = matrix<6, m23>;
constexpr auto glUniformMatrix3x2fv = matrix<6, m32>;
constexpr auto glUniformMatrix2x4fv = matrix<8, m24>;
constexpr auto glUniformMatrix4x2fv = matrix<8, m42>;
constexpr auto glUniformMatrix3x4fv = matrix<12, m34>;
constexpr auto glUniformMatrix4x3fv = matrix<12, m43>;
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
void FAKE glBindAttribLocationARB(GLhandleARB program, GLuint index, const GLcharARB *name) {
    record("glBindAttribLocationARB", {program, index}).text = name;
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
void FAKE glVertexAttrib1fARB(GLuint i, GLfloat x) { record("glVertexAttrib1fARB", {i}, {x}); }
void FAKE glVertexAttrib2fARB(GLuint i, GLfloat x, GLfloat y) { record("glVertexAttrib2fARB", {i}, {x, y}); }
void FAKE glVertexAttrib3fARB(GLuint i, GLfloat x, GLfloat y, GLfloat z) {
    record("glVertexAttrib3fARB", {i}, {x, y, z});
}
void FAKE glVertexAttrib4fARB(GLuint i, GLfloat x, GLfloat y, GLfloat z, GLfloat w) {
    record("glVertexAttrib4fARB", {i}, {x, y, z, w});
}

} // namespace fake
} // namespace

FakeDriver &fakeDriver() {
    static FakeDriver driver;
    return driver;
}

void FakeDriver::install() {
    *this = FakeDriver{};
#define CORVANTA_FAKE(name, result, params, need, provider) entryPoints.name = fake::name;
    CORVANTA_ENTRY_POINTS(CORVANTA_FAKE)
#undef CORVANTA_FAKE
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
