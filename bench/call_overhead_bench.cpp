// What a script call through the plugin costs, next to its baseline: the same
// driver entry point called directly, memcpy of the same bytes, or the driver
// calls alone. The driver here does nothing, so the difference is the plugin's
// and the host operations it makes.
#include <benchmark/benchmark.h>

#include <cstdarg>
#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "glext/entry_points.h"
#include "glext/gl_tokens.h"
#include "host/host_platform.h"
#include "host/library_registry.h"
#include "plugin/host_interfaces.h"
#include "plugin/start_program.h"

using namespace corvanta;

namespace {

// A minimal host runtime: a fixed list of numeric arguments (read from the
// end) and one array, no checks.
struct BenchRuntime : ScriptRuntime {
    std::vector<double> args;
    std::vector<float> array;
    std::string text; // every string argument
    int32_t intResult = 0;
    float cell = 0;
    size_t described = 0; // the values of the array the next write describes
};

BenchRuntime &self(ScriptRuntime *r) { return *static_cast<BenchRuntime *>(r); }
double arg(ScriptRuntime *r, int32_t index) { return self(r).args[self(r).args.size() - size_t(index)]; }

int32_t CORVANTA_CALL getInt(ScriptRuntime *r, int32_t index) { return static_cast<int32_t>(arg(r, index)); }
double CORVANTA_CALL getReal(ScriptRuntime *r, int32_t index) { return arg(r, index); }
const char *CORVANTA_CALL getString(ScriptRuntime *r, int32_t) { return self(r).text.c_str(); }
void CORVANTA_CALL setInt(ScriptRuntime *r, int32_t value) { self(r).intResult = value; }
void CORVANTA_CALL setString(ScriptRuntime *, const char *text) {
    benchmark::DoNotOptimize(std::strlen(text));
}
void CORVANTA_CALL beginValueType(ScriptRuntime *, int32_t) {}
// An array written back is copied whole into the runtime's own, as a host
// copies it into the script's variable.
void CORVANTA_CALL addArrayDims(ScriptRuntime *r, int32_t count, ...) {
    std::va_list dims;
    va_start(dims, count);
    size_t values = 1;
    for (int32_t i = 0; i < count; ++i) values *= static_cast<size_t>(va_arg(dims, int32_t));
    va_end(dims);
    self(r).described = values;
}
void CORVANTA_CALL addPointerLevel(ScriptRuntime *) {}
void CORVANTA_CALL readParamData(ScriptRuntime *r, int32_t, void *destination) {
    std::memcpy(destination, self(r).array.data(), self(r).array.size() * sizeof(float));
}
void CORVANTA_CALL writeParamData(ScriptRuntime *r, int32_t, const void *source) {
    BenchRuntime &runtime = self(r);
    if (runtime.described == 0) {
        std::memcpy(&runtime.cell, source, 4);
        return;
    }
    runtime.array.resize(runtime.described);
    std::memcpy(runtime.array.data(), source, runtime.described * sizeof(float));
    runtime.described = 0;
}

const ScriptRuntimeOps benchOps = {
    getInt,  getReal,      getString,       setInt,        nullptr,        setString,
    nullptr, nullptr,      nullptr,         nullptr,       nullptr,        beginValueType,
    nullptr, addArrayDims, addPointerLevel, readParamData, writeParamData,
};

// The no-op driver.
std::string infoLogText(4096, 'l');
void CORVANTA_APIENTRY uniform4f(GLint, GLfloat x, GLfloat, GLfloat, GLfloat) { benchmark::DoNotOptimize(x); }
void CORVANTA_APIENTRY uniform1i(GLint, GLint x) { benchmark::DoNotOptimize(x); }
// Every object is a linked program with one active uniform, a vec4 named
// "colour" at location 3; program 5 is in use unless a call changes it.
GLhandleARB programInUse = 5;
void CORVANTA_APIENTRY parameteriv(GLhandleARB, GLenum pname, GLint *params) {
    if (pname == GL_OBJECT_INFO_LOG_LENGTH_ARB)
        *params = GLint(infoLogText.size() + 1);
    else if (pname == GL_OBJECT_TYPE_ARB)
        *params = GLint(GL_PROGRAM_OBJECT_ARB);
    else
        *params = pname == GL_ACTIVE_UNIFORM_MAX_LENGTH ? 16 : 1;
}
void CORVANTA_APIENTRY activeUniform(GLhandleARB, GLuint, GLsizei, GLsizei *, GLint *size, GLenum *type,
                                     GLcharARB *name) {
    std::memcpy(name, "colour", sizeof "colour");
    *size = 1;
    *type = GL_FLOAT_VEC4_ARB;
}
GLint CORVANTA_APIENTRY uniformLocation(GLhandleARB, const GLcharARB *) { return 3; }
GLhandleARB CORVANTA_APIENTRY handle(GLenum) { return programInUse; }
void CORVANTA_APIENTRY useProgram(GLhandleARB program) { programInUse = program; }
void CORVANTA_APIENTRY uniformfv(GLhandleARB, GLint, GLfloat *params) { *params = 0.5f; }
void CORVANTA_APIENTRY uniform4fv(GLint, GLsizei, const GLfloat *v) { benchmark::DoNotOptimize(v[0]); }
void CORVANTA_APIENTRY uniformMatrix4fv(GLint, GLsizei, GLboolean, const GLfloat *v) {
    benchmark::DoNotOptimize(v[0]);
}
void CORVANTA_APIENTRY infoLog(GLhandleARB, GLsizei size, GLsizei *length, GLcharARB *log) {
    std::memcpy(log, infoLogText.c_str(), size_t(size));
    *length = size - 1;
}

FunctionHandler handlerOf(const char *name) {
    static host::LibraryRegistry registry = [] {
        host::LibraryRegistry library;
        ShaderPlugin *plugin = Corvanta_Init();
        plugin->ops->RegisterLibrary(plugin, &library);
        return library;
    }();
    entryPoints = {};
    entryPoints.glUniform4fARB = uniform4f;
    entryPoints.glUniform1iARB = uniform1i;
    entryPoints.glGetObjectParameterivARB = parameteriv;
    entryPoints.glGetUniformfvARB = uniformfv;
    entryPoints.glUniform4fvARB = uniform4fv;
    entryPoints.glUniformMatrix4fvARB = uniformMatrix4fv;
    entryPoints.glGetInfoLogARB = infoLog;
    entryPoints.glGetActiveUniformARB = activeUniform;
    entryPoints.glGetUniformLocationARB = uniformLocation;
    entryPoints.glGetHandleARB = handle;
    entryPoints.glUseProgramObjectARB = useProgram;
    shaderSupported = 1;
    return registry.find(name)->handler;
}

void throughPlugin(benchmark::State &state, const char *name, std::vector<double> args,
                   const char *text = "") {
    const FunctionHandler handler = handlerOf(name);
    BenchRuntime runtime;
    runtime.ops = &benchOps;
    runtime.args = std::move(args);
    runtime.text = text;
    for (auto _ : state) handler(&runtime);
}

// Direct calls go through a pointer the compiler cannot see through, as the
// plugin's do.
template <typename F> F opaque(F f) {
    benchmark::DoNotOptimize(f);
    return f;
}

void BM_Uniform4f_Plugin(benchmark::State &state) {
    throughPlugin(state, "glUniform4fARB", {3, 0.1, 0.2, 0.3, 0.4});
}
void BM_Uniform4f_Direct(benchmark::State &state) {
    auto f = opaque(&uniform4f);
    for (auto _ : state) f(3, 0.1f, 0.2f, 0.3f, 0.4f);
}
// The same by name, on the program in use (5) and on one that is not (6):
// the name is looked up once, then remembered.
void BM_SetUniform4fByName_InUse(benchmark::State &state) {
    throughPlugin(state, "SetUniform4f", {5, 0, 0.1, 0.2, 0.3, 0.4}, "colour");
}
void BM_SetUniform4fByName_NotInUse(benchmark::State &state) {
    throughPlugin(state, "SetUniform4f", {6, 0, 0.1, 0.2, 0.3, 0.4}, "colour");
}
void BM_Uniform1i_Plugin(benchmark::State &state) { throughPlugin(state, "glUniform1iARB", {3, 7}); }
void BM_Uniform1i_Direct(benchmark::State &state) {
    auto f = opaque(&uniform1i);
    for (auto _ : state) f(3, 7);
}
void BM_CompileStatus_Plugin(benchmark::State &state) { throughPlugin(state, "CompileStatus", {5}); }
void BM_CompileStatus_Direct(benchmark::State &state) {
    auto f = opaque(&parameteriv);
    for (auto _ : state) {
        GLint cell = 0;
        f(5, 0x8B81, &cell);
        benchmark::DoNotOptimize(cell);
    }
}
void BM_GetUniformfv_Plugin(benchmark::State &state) { throughPlugin(state, "glGetUniformfvARB", {5, 2, 0}); }
void BM_GetUniformfv_Direct(benchmark::State &state) {
    auto f = opaque(&uniformfv);
    for (auto _ : state) {
        GLfloat cells[16] = {};
        f(5, 2, cells);
        benchmark::DoNotOptimize(cells[0]);
    }
}

// An upload of count elements of `floats` values each; args are the
// arguments before the array, which comes last.
void arrayThroughPlugin(benchmark::State &state, const char *name, int floats, std::vector<double> args) {
    const auto count = static_cast<int32_t>(state.range(0));
    const FunctionHandler handler = handlerOf(name);
    BenchRuntime runtime;
    runtime.ops = &benchOps;
    runtime.args = std::move(args);
    runtime.args.push_back(0);
    runtime.array.assign(size_t(count) * size_t(floats), 0.5f);
    for (auto _ : state) handler(&runtime);
    state.SetBytesProcessed(int64_t(state.iterations()) * count * floats * 4);
}
void memcpyOf(benchmark::State &state, size_t elementBytes) {
    const auto bytes = size_t(state.range(0)) * elementBytes;
    std::vector<float> source(bytes / 4, 0.5f), destination(bytes / 4);
    for (auto _ : state) {
        std::memcpy(destination.data(), source.data(), bytes);
        benchmark::DoNotOptimize(destination.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes));
}
void BM_Uniform4fv_Plugin(benchmark::State &state) {
    arrayThroughPlugin(state, "glUniform4fvARB", 4, {3, double(state.range(0))});
}
void BM_Uniform4fv_Memcpy(benchmark::State &state) { memcpyOf(state, 16); }
void BM_UniformMatrix4fv_Plugin(benchmark::State &state) {
    arrayThroughPlugin(state, "glUniformMatrix4fvARB", 16, {3, double(state.range(0)), 0});
}
void BM_UniformMatrix4fv_Memcpy(benchmark::State &state) { memcpyOf(state, 64); }

void BM_GetInfoLog4K_Plugin(benchmark::State &state) { throughPlugin(state, "GetInfoLog", {5}); }
void BM_GetInfoLog4K_DriverCalls(benchmark::State &state) {
    auto query = opaque(&parameteriv);
    auto read = opaque(&infoLog);
    std::vector<char> buffer(infoLogText.size() + 1);
    for (auto _ : state) {
        GLint length = 0, count = 0;
        query(5, 0x8B84, &length);
        read(5, length, &count, buffer.data());
        benchmark::DoNotOptimize(buffer.data());
    }
}

// The real native driver: every lookup of the list in a current EGL context.
void BM_StartProgram_RealDriver(benchmark::State &state) {
    std::string error;
    auto context = host::OffscreenContext::create(16, 16, error);
    if (!context) {
        state.SkipWithError(error.c_str());
        return;
    }
    for (auto _ : state) {
        shaderSupported = 0;
        benchmark::DoNotOptimize(startProgram());
    }
}

// Render targets on the real native driver, after a start in its context.
std::unique_ptr<host::OffscreenContext> realDriver(benchmark::State &state) {
    std::string error;
    auto context = host::OffscreenContext::create(16, 16, error);
    if (!context) {
        state.SkipWithError(error.c_str());
        return nullptr;
    }
    entryPoints = {};
    shaderSupported = 0;
    if (!startProgram()) state.SkipWithError("no shader support");
    return context;
}

struct RenderTargetHandlers {
    FunctionHandler create = handlerOf("CreateRenderTarget");
    FunctionHandler begin = handlerOf("BeginRenderTarget");
    FunctionHandler end = handlerOf("EndRenderTarget");
    FunctionHandler remove = handlerOf("DeleteRenderTarget");
};

// A 256x256 colour and depth target's handle, in the runtime's one argument.
void createTarget(const RenderTargetHandlers &handlers, BenchRuntime &runtime) {
    runtime.ops = &benchOps;
    runtime.args = {256, 256, 0x8058, 24};
    handlers.create(&runtime);
    runtime.args = {double(runtime.intResult)};
}

// On the real driver, a program of one fragment shader, linked through the
// plugin so that nothing remembered of an earlier program of the same
// handle is used; its shader in `shader`.
GLhandleARB linkedProgram(const GLcharARB *source, FunctionHandler link, BenchRuntime &runtime,
                          GLhandleARB &shader) {
    const EntryPointTable &gl = entryPoints;
    shader = gl.glCreateShaderObjectARB(GL_FRAGMENT_SHADER_ARB);
    gl.glShaderSourceARB(shader, 1, &source, nullptr);
    gl.glCompileShaderARB(shader);
    const GLhandleARB program = gl.glCreateProgramObjectARB();
    gl.glAttachObjectARB(program, shader);
    runtime.ops = &benchOps;
    runtime.args = {double(program)};
    link(&runtime);
    return program;
}

// On the real driver, a program whose one uniform is a vec4: glUniform4fARB
// through the plugin with the location held, against "SetUniform4f" by name
// with the program in use and with none in use. The program is linked
// through the plugin, so that nothing remembered of an earlier program of
// the same handle is used.
void uniform4fOnRealDriver(benchmark::State &state, const char *name, bool byName, bool inUse) {
    const FunctionHandler link = handlerOf("glLinkProgramARB");
    const FunctionHandler remove = handlerOf("glDeleteObjectARB");
    const FunctionHandler handler = handlerOf(name);
    auto context = realDriver(state);
    if (!context) return;
    const EntryPointTable &gl = entryPoints;
    BenchRuntime runtime;
    GLhandleARB shader = 0;
    const GLhandleARB program =
        linkedProgram("uniform vec4 colour;\nvoid main() { gl_FragColor = colour; }\n", link, runtime, shader);
    gl.glUseProgramObjectARB(inUse ? program : 0);
    runtime.text = "colour";
    runtime.args = {double(gl.glGetUniformLocationARB(program, "colour")), 0.1, 0.2, 0.3, 0.4};
    if (byName) runtime.args = {double(program), 0, 0.1, 0.2, 0.3, 0.4};
    for (auto _ : state) handler(&runtime);
    gl.glUseProgramObjectARB(0);
    runtime.args = {double(program)};
    remove(&runtime);
    gl.glDeleteObjectARB(shader);
}
void BM_Uniform4f_RealDriver_Plugin(benchmark::State &state) {
    uniform4fOnRealDriver(state, "glUniform4fARB", false, true);
}
void BM_SetUniform4fByName_RealDriver_InUse(benchmark::State &state) {
    uniform4fOnRealDriver(state, "SetUniform4f", true, true);
}
void BM_SetUniform4fByName_RealDriver_NotInUse(benchmark::State &state) {
    uniform4fOnRealDriver(state, "SetUniform4f", true, false);
}

// "BeginRenderTarget" + "EndRenderTarget" of a 256x256 target.
void BM_BeginEndRenderTarget_Plugin(benchmark::State &state) {
    const RenderTargetHandlers handlers;
    auto context = realDriver(state);
    if (!context) return;
    BenchRuntime runtime;
    createTarget(handlers, runtime);
    for (auto _ : state) {
        handlers.begin(&runtime);
        handlers.end(&runtime);
    }
    handlers.remove(&runtime);
}

// The queries, binds and viewports that the two make, called directly.
void BM_BeginEndRenderTarget_DriverCalls(benchmark::State &state) {
    const RenderTargetHandlers handlers;
    auto context = realDriver(state);
    if (!context) return;
    BenchRuntime runtime;
    createTarget(handlers, runtime);
    const auto target = static_cast<GLuint>(runtime.args[0]);
    const EntryPointTable &gl = entryPoints;
    for (auto _ : state) {
        GLint framebuffer[16] = {}, viewport[16] = {};
        gl.glGetIntegerv(GL_FRAMEBUFFER_BINDING_EXT, framebuffer);
        gl.glGetIntegerv(GL_VIEWPORT, viewport);
        gl.glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, target);
        gl.glViewport(0, 0, 256, 256);
        gl.glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, static_cast<GLuint>(framebuffer[0]));
        gl.glViewport(viewport[0], viewport[1], viewport[2], viewport[3]);
    }
    handlers.remove(&runtime);
}

// "CreateRenderTarget" + "DeleteRenderTarget" of a 256x256 target, for the record.
void BM_CreateDeleteRenderTarget_Plugin(benchmark::State &state) {
    const RenderTargetHandlers handlers;
    auto context = realDriver(state);
    if (!context) return;
    BenchRuntime runtime;
    for (auto _ : state) {
        createTarget(handlers, runtime);
        handlers.remove(&runtime);
    }
}

// "ReadRenderTarget" of a whole 256x256 colour target, four floats a pixel
// into the script's array, against glReadPixels of the same pixels alone.
void BM_ReadRenderTarget256_Plugin(benchmark::State &state) {
    const RenderTargetHandlers handlers;
    const FunctionHandler read = handlerOf("ReadRenderTarget");
    auto context = realDriver(state);
    if (!context) return;
    BenchRuntime runtime;
    createTarget(handlers, runtime);
    const double target = runtime.args[0];
    runtime.args = {target, 0, 0, 256, 256, 0}; // the last is the array written
    for (auto _ : state) read(&runtime);
    if (runtime.array.size() != size_t(256) * 256 * 4) state.SkipWithError("nothing was read");
    runtime.args = {target};
    handlers.remove(&runtime);
}
void BM_ReadRenderTarget256_ReadPixels(benchmark::State &state) {
    const RenderTargetHandlers handlers;
    auto context = realDriver(state);
    if (!context) return;
    BenchRuntime runtime;
    createTarget(handlers, runtime);
    const EntryPointTable &gl = entryPoints;
    gl.glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, static_cast<GLuint>(runtime.args[0]));
    std::vector<GLfloat> pixels(size_t(256) * 256 * 4);
    for (auto _ : state) {
        gl.glReadPixels(0, 0, 256, 256, GL_RGBA, GL_FLOAT, pixels.data());
        benchmark::DoNotOptimize(pixels.data());
    }
    gl.glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
    handlers.remove(&runtime);
}

constexpr GLenum triangles = 0x0004; // GL_TRIANGLES, the host's token

// A mesh of one triangle with three attributes (positions, normals and
// texture coordinates) and indices, on the real native driver.
struct MeshHandlers {
    FunctionHandler create = handlerOf("CreateMesh");
    FunctionHandler attribute = handlerOf("MeshAttribute");
    FunctionHandler indices = handlerOf("MeshIndices");
    FunctionHandler draw = handlerOf("DrawMesh");
    FunctionHandler remove = handlerOf("DeleteMesh");
};

// The mesh's handle and the draw's mode, in the runtime's arguments; false
// when any step was refused.
bool createMesh(const MeshHandlers &handlers, BenchRuntime &runtime) {
    runtime.ops = &benchOps;
    runtime.args = {3};
    handlers.create(&runtime);
    const double mesh = runtime.intResult;
    bool made = mesh != 0;
    for (const auto &[name, components] :
         {std::pair<const char *, int>{"gl_Vertex", 3}, {"gl_Normal", 3}, {"gl_MultiTexCoord0", 2}}) {
        runtime.text = name;
        runtime.args = {mesh, 0, double(components), 0}; // the name and the array are read apart
        runtime.array.assign(size_t(3) * size_t(components), 0.5f);
        handlers.attribute(&runtime);
        made = made && runtime.intResult == 1;
    }
    const int32_t order[3] = {0, 1, 2};
    runtime.array.resize(3);
    std::memcpy(runtime.array.data(), order, sizeof order);
    runtime.args = {mesh, 3, 0};
    handlers.indices(&runtime);
    runtime.args = {mesh, double(triangles)};
    return made && runtime.intResult == 1;
}

void BM_DrawMesh_Plugin(benchmark::State &state) {
    const MeshHandlers handlers;
    auto context = realDriver(state);
    if (!context) return;
    BenchRuntime runtime;
    if (!createMesh(handlers, runtime)) return state.SkipWithError("the mesh was not made");
    for (auto _ : state) handlers.draw(&runtime);
    handlers.remove(&runtime);
}

// The calls "DrawMesh" makes, made directly: the queries of the client
// attribute stack, the limits and the program, the host's arrays pushed,
// every array turned off, the binds, pointers and enables, the draw, and the
// host's arrays popped.
void BM_DrawMesh_DriverCalls(benchmark::State &state) {
    const MeshHandlers handlers;
    auto context = realDriver(state);
    if (!context) return;
    BenchRuntime runtime;
    if (!createMesh(handlers, runtime)) return state.SkipWithError("the mesh was not made");
    // The mesh's buffers are the three names after the host's, in the order made.
    const EntryPointTable &gl = entryPoints;
    GLuint buffers[4] = {};
    gl.glGenBuffersARB(4, buffers);
    gl.glDeleteBuffersARB(4, buffers);
    const GLuint vertex = buffers[0] - 4, normal = buffers[0] - 3, coordinates = buffers[0] - 2,
                 elements = buffers[0] - 1;
    static constexpr GLenum arrays[] = {GL_VERTEX_ARRAY,    GL_NORMAL_ARRAY,          GL_COLOR_ARRAY,
                                        GL_INDEX_ARRAY,     GL_EDGE_FLAG_ARRAY,       GL_FOG_COORD_ARRAY,
                                        GL_SECONDARY_COLOR_ARRAY};
    for (auto _ : state) {
        GLint depth[16] = {}, deepest[16] = {}, units[16] = {}, generic[16] = {};
        gl.glGetIntegerv(GL_CLIENT_ATTRIB_STACK_DEPTH, depth);
        gl.glGetIntegerv(GL_MAX_CLIENT_ATTRIB_STACK_DEPTH, deepest);
        benchmark::DoNotOptimize(gl.glGetHandleARB(GL_PROGRAM_OBJECT_ARB));
        gl.glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
        for (const GLenum array : arrays) gl.glDisableClientState(array);
        gl.glGetIntegerv(GL_MAX_TEXTURE_COORDS_ARB, units);
        for (GLint unit = 0; unit < units[0]; ++unit) {
            gl.glClientActiveTextureARB(GL_TEXTURE0_ARB + static_cast<GLenum>(unit));
            gl.glDisableClientState(GL_TEXTURE_COORD_ARRAY);
        }
        gl.glGetIntegerv(GL_MAX_VERTEX_ATTRIBS_ARB, generic);
        for (GLint index = 0; index < generic[0]; ++index)
            gl.glDisableVertexAttribArrayARB(static_cast<GLuint>(index));
        gl.glBindBufferARB(GL_ARRAY_BUFFER_ARB, vertex);
        gl.glVertexPointer(3, GL_FLOAT, 0, nullptr);
        gl.glEnableClientState(GL_VERTEX_ARRAY);
        gl.glBindBufferARB(GL_ARRAY_BUFFER_ARB, normal);
        gl.glNormalPointer(GL_FLOAT, 0, nullptr);
        gl.glEnableClientState(GL_NORMAL_ARRAY);
        gl.glBindBufferARB(GL_ARRAY_BUFFER_ARB, coordinates);
        gl.glClientActiveTextureARB(GL_TEXTURE0_ARB);
        gl.glTexCoordPointer(2, GL_FLOAT, 0, nullptr);
        gl.glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        gl.glBindBufferARB(GL_ELEMENT_ARRAY_BUFFER_ARB, elements);
        gl.glDrawElements(triangles, 3, GL_UNSIGNED_SHORT, nullptr);
        gl.glPopClientAttrib();
    }
    handlers.remove(&runtime);
}

// A 256x256 RGBA float texture on the real driver, written whole: through
// "TextureData" (the host's copy of the array, the pixel store set and
// restored, the binding restored), against glTexSubImage2D of the same
// floats alone. The handlers are found first: finding one installs the
// benchmarks' stand-ins of the driver.
struct TextureBench {
    FunctionHandler create = handlerOf("CreateTexture");
    FunctionHandler data = handlerOf("TextureData");
    FunctionHandler link = handlerOf("glLinkProgramARB");
    FunctionHandler setSampler = handlerOf("SetUniformTexture");
    std::unique_ptr<host::OffscreenContext> context;
    BenchRuntime runtime;
    GLuint texture = 0;
};
bool makeTexture(benchmark::State &state, TextureBench &bench) {
    bench.context = realDriver(state);
    if (!bench.context) return false;
    bench.runtime.ops = &benchOps;
    bench.runtime.args = {0x0DE1, 256, 256, 1, 0x8814, 0};
    bench.create(&bench.runtime);
    bench.texture = GLuint(bench.runtime.intResult);
    bench.runtime.array.assign(size_t(256) * 256 * 4, 0.5f);
    if (bench.texture == 0) state.SkipWithError("the texture was not made");
    return bench.texture != 0;
}
void BM_TextureData_Plugin(benchmark::State &state) {
    TextureBench bench;
    if (!makeTexture(state, bench)) return;
    bench.runtime.args = {double(bench.texture), 0, 0, 0, 256, 256, 0};
    for (auto _ : state) bench.data(&bench.runtime);
}
// The host's copy of the script's array that "TextureData" reads, alone: a
// buffer of 1 MiB taken, filled from the array, and given back.
void BM_TextureData_HostCopy(benchmark::State &state) {
    const std::vector<float> array(size_t(256) * 256 * 4, 0.5f);
    for (auto _ : state) {
        std::vector<float> copy(array);
        benchmark::DoNotOptimize(copy.data());
    }
}
void BM_TextureData_TexSubImage(benchmark::State &state) {
    TextureBench bench;
    if (!makeTexture(state, bench)) return;
    const EntryPointTable &gl = entryPoints;
    gl.glBindTexture(GL_TEXTURE_2D, bench.texture);
    for (auto _ : state)
        gl.glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 256, 256, GL_RGBA, GL_FLOAT, bench.runtime.array.data());
}

// A sampler of the program in use set to a 2D texture: "SetUniformTexture"
// against the calls it stands for made directly (select the unit, bind, set
// the sampler, restore the unit).
void BM_SetUniformTexture(benchmark::State &state, bool direct) {
    TextureBench bench;
    if (!makeTexture(state, bench)) return;
    const EntryPointTable &gl = entryPoints;
    GLhandleARB shader = 0;
    const GLhandleARB program = linkedProgram(
        "uniform sampler2D picture;\nvoid main() { gl_FragColor = texture2D(picture, vec2(0.5)); }\n", bench.link,
        bench.runtime, shader);
    gl.glUseProgramObjectARB(program);
    bench.runtime.args = {double(program), 0, double(bench.texture)};
    bench.runtime.text = "picture";
    const GLint location = gl.glGetUniformLocationARB(program, "picture");
    GLint units[16] = {};
    gl.glGetIntegerv(GL_MAX_COMBINED_TEXTURE_IMAGE_UNITS_ARB, units);
    const auto unit = GLuint(units[0] - 1);
    for (auto _ : state) {
        if (!direct) {
            bench.setSampler(&bench.runtime);
            continue;
        }
        GLint active[16] = {};
        gl.glGetIntegerv(GL_ACTIVE_TEXTURE_ARB, active);
        gl.glActiveTextureARB(GL_TEXTURE0_ARB + unit);
        gl.glBindTexture(GL_TEXTURE_2D, bench.texture);
        gl.glActiveTextureARB(GLenum(active[0]));
        gl.glUniform1iARB(location, GLint(unit));
    }
    gl.glUseProgramObjectARB(0);
    gl.glDeleteObjectARB(program);
    gl.glDeleteObjectARB(shader);
}

} // namespace

BENCHMARK_CAPTURE(BM_SetUniformTexture, plugin, false);
BENCHMARK_CAPTURE(BM_SetUniformTexture, direct, true);
BENCHMARK(BM_TextureData_Plugin);
BENCHMARK(BM_TextureData_TexSubImage);
BENCHMARK(BM_TextureData_HostCopy);
BENCHMARK(BM_Uniform4f_Plugin);
BENCHMARK(BM_Uniform4f_Direct);
BENCHMARK(BM_SetUniform4fByName_InUse);
BENCHMARK(BM_SetUniform4fByName_NotInUse);
BENCHMARK(BM_Uniform1i_Plugin);
BENCHMARK(BM_Uniform1i_Direct);
BENCHMARK(BM_CompileStatus_Plugin);
BENCHMARK(BM_CompileStatus_Direct);
BENCHMARK(BM_GetUniformfv_Plugin);
BENCHMARK(BM_GetUniformfv_Direct);
BENCHMARK(BM_Uniform4fv_Plugin)->Arg(1)->Arg(4)->Arg(16)->Arg(1024);
BENCHMARK(BM_Uniform4fv_Memcpy)->Arg(1)->Arg(4)->Arg(16)->Arg(1024);
// One mat4 is the bytes of 4 vec4, 256 of them those of 1024.
BENCHMARK(BM_UniformMatrix4fv_Plugin)->Arg(1)->Arg(256);
BENCHMARK(BM_UniformMatrix4fv_Memcpy)->Arg(1)->Arg(256);
BENCHMARK(BM_GetInfoLog4K_Plugin);
BENCHMARK(BM_GetInfoLog4K_DriverCalls);
BENCHMARK(BM_StartProgram_RealDriver);
BENCHMARK(BM_Uniform4f_RealDriver_Plugin);
BENCHMARK(BM_SetUniform4fByName_RealDriver_InUse);
BENCHMARK(BM_SetUniform4fByName_RealDriver_NotInUse);
BENCHMARK(BM_BeginEndRenderTarget_Plugin);
BENCHMARK(BM_BeginEndRenderTarget_DriverCalls);
BENCHMARK(BM_CreateDeleteRenderTarget_Plugin);
BENCHMARK(BM_ReadRenderTarget256_Plugin);
BENCHMARK(BM_ReadRenderTarget256_ReadPixels);
BENCHMARK(BM_DrawMesh_Plugin);
BENCHMARK(BM_DrawMesh_DriverCalls);
BENCHMARK_MAIN();
