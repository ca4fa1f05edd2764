// Soak: many rounds of a whole shader life cycle through the plugin, called as
// the host calls it, with the process's memory measured along the way.
//
//   soak PLUGIN [ROUNDS]
//
// Each round creates, sources and compiles a shader, reads its info log,
// creates a program, attaches, links, lists the uniforms, uploads an array of
// 256 vec4, reads an element back, detaches and deletes; then builds a program
// in one call, reads its log, uploads a mat4 and reads it back, sets uniforms
// by name while no program is in use and reads one back; then creates a
// render target of 4 samples with mipmaps, begins it, clears it to a colour,
// ends it, reads two pixels back, blits it into the picture, samples its
// texture over the picture, reads a pixel and deletes the target, and
// stores a multisampled renderbuffer of its own; then makes, fills, draws
// and deletes a mesh. Every round must give
// the results of the first; the memory after the last round is compared with
// the memory after a tenth of the rounds, and may grow by 512 KiB at most:
// with 3,000 rounds, a leak of 200 bytes a round shows.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "host/gl_calls.h"
#include "host/host_platform.h"
#include "host/host_runtime.h"
#include "host/library_registry.h"

using namespace corvanta;
using namespace corvanta::host;

namespace {

const char *const fragmentSource = "uniform vec4 palette[256];\n"
                                   "uniform float level;\n"
                                   "void main() { gl_FragColor = palette[int(level)] * level; }\n";
const char *const vertexSource = "uniform mat4 mvp;\n"
                                 "void main() { gl_Position = mvp * gl_Vertex; }\n";

class Caller {
public:
    explicit Caller(const LibraryRegistry &library) : library_(library) {}

    Value call(const char *name, std::vector<Argument> args) {
        const LibraryEntry *entry = library_.find(name);
        if (entry == nullptr) {
            std::fprintf(stderr, "not registered: %s\n", name);
            std::exit(1);
        }
        HostRuntime runtime(std::move(args));
        entry->handler(&runtime);
        return runtime.result;
    }

private:
    const LibraryRegistry &library_;
};

Argument integer(int32_t value) { return {Value::ofInt(value)}; }
Argument text(const char *value) { return {Value::ofString(value)}; }
Argument real(double value) { return {Value::ofReal(value)}; }

// One round's results, as text, to compare rounds with.
std::string round(Caller &c, const Value &palette, const Value &matrix, int32_t show) {
    const int32_t shader = c.call("glCreateShaderObjectARB", {integer(0x8B30)}).integer;
    c.call("glShaderSourceARB", {integer(shader), text(fragmentSource)});
    c.call("glCompileShaderARB", {integer(shader)});
    std::string results = "compiled " + c.call("CompileStatus", {integer(shader)}).show();
    results += " log '" + c.call("GetInfoLog", {integer(shader)}).show() + "'";

    const int32_t program = c.call("glCreateProgramObjectARB", {}).integer;
    c.call("glAttachObjectARB", {integer(program), integer(shader)});
    c.call("glLinkProgramARB", {integer(program)});
    results += " linked " + c.call("LinkStatus", {integer(program)}).show();
    const int32_t count = c.call("GetActiveUniforms", {integer(program)}).integer;
    for (int32_t i = 0; i < count; ++i) {
        results += " " + c.call("GetUniformName", {integer(program), integer(i)}).show();
        results += ":" + c.call("GetUniformType", {integer(program), integer(i)}).show();
    }
    c.call("glUseProgramObjectARB", {integer(program)});
    const int32_t location = c.call("glGetUniformLocationARB", {integer(program), text("palette")}).integer;
    c.call("glUniform4fvARB", {integer(location), integer(256), {palette}});
    const int32_t element =
        c.call("glGetUniformLocationARB", {integer(program), text("palette[200]")}).integer;
    Value readBack;
    c.call("glGetUniformfvARB", {integer(program), integer(element), {Value(), &readBack}});
    results += " palette[200] " + readBack.show();
    c.call("glUseProgramObjectARB", {integer(0)});
    c.call("glDetachObjectARB", {integer(program), integer(shader)});
    c.call("glDeleteObjectARB", {integer(shader)});
    c.call("glDeleteObjectARB", {integer(program)});

    // The one-call build, its log, and a matrix upload to the built program.
    const int32_t built = c.call("BuildProgram", {text(vertexSource), text(fragmentSource)}).integer;
    results += " built " + std::to_string(built != 0) + " log '" + c.call("GetBuildLog", {}).show() + "'";
    c.call("glUseProgramObjectARB", {integer(built)});
    const int32_t mvp = c.call("glGetUniformLocationARB", {integer(built), text("mvp")}).integer;
    c.call("glUniformMatrix4fvARB", {integer(mvp), integer(1), integer(0), {matrix}});
    Value corner;
    c.call("glGetUniformfvARB", {integer(built), integer(mvp), {Value(), &corner}});
    results += " mvp[0] " + corner.show();
    c.call("glUseProgramObjectARB", {integer(0)});
    // Uniforms by name on the built program while none is in use.
    c.call("SetUniform1f", {integer(built), text("level"), real(3.0)});
    c.call("SetUniformArray", {integer(built), text("palette[254]"), integer(2), {palette}});
    results += " has " + c.call("HasUniform", {integer(built), text("palette[255]")}).show();
    Value level;
    const int32_t levelAt = c.call("glGetUniformLocationARB", {integer(built), text("level")}).integer;
    c.call("glGetUniformfvARB", {integer(built), integer(levelAt), {Value(), &level}});
    results += " level " + level.show();
    c.call("glDeleteObjectARB", {integer(built)});

    // A render target of 4 samples with mipmaps drawn into, read back,
    // blitted into the picture, sampled by fixed function and deleted; and a
    // multisampled renderbuffer of the script's own.
    const int32_t target = c.call("CreateRenderTargetEx", {integer(64), integer(64), integer(0x8058),
                                                           integer(24), integer(4), integer(1)})
                               .integer;
    c.call("BeginRenderTarget", {integer(target)});
    glClearColor(0.25f, 0.5f, 0.75f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    c.call("EndRenderTarget", {});
    Value pixels;
    c.call("ReadRenderTarget",
           {integer(target), integer(10), integer(20), integer(2), integer(1), {Value(), &pixels}});
    results += " read " + pixels.show();
    c.call("glBindFramebufferEXT", {integer(0x8CA8), integer(target)});
    c.call("glBlitFramebufferEXT", {integer(0), integer(0), integer(64), integer(64), integer(0), integer(0),
                                    integer(64), integer(64), integer(GL_COLOR_BUFFER_BIT), integer(0x2600)});
    c.call("glBindFramebufferEXT", {integer(0x8CA8), integer(0)});
    const int32_t renderbuffer = c.call("GenRenderbuffer", {}).integer;
    c.call("glBindRenderbufferEXT", {integer(0x8D41), integer(renderbuffer)});
    c.call("glRenderbufferStorageMultisampleEXT",
           {integer(0x8D41), integer(4), integer(0x8058), integer(64), integer(64)});
    c.call("glBindRenderbufferEXT", {integer(0x8D41), integer(0)});
    c.call("DeleteRenderbuffer", {integer(renderbuffer)});
    const int32_t texture = c.call("RenderTargetTexture", {integer(target), integer(0x8CE0)}).integer;
    glBindTexture(GL_TEXTURE_2D, unsigned(texture));
    glEnable(GL_TEXTURE_2D);
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0), glVertex2f(-1, -1);
    glTexCoord2f(1, 0), glVertex2f(1, -1);
    glTexCoord2f(1, 1), glVertex2f(1, 1);
    glTexCoord2f(0, 1), glVertex2f(-1, 1);
    glEnd();
    glDisable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, 0);
    unsigned char pixel[4] = {};
    glReadPixels(32, 32, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    results += " target " + std::to_string(target != 0) + " sampled " + std::to_string(pixel[0]) + "," +
               std::to_string(pixel[1]) + "," + std::to_string(pixel[2]);
    c.call("DeleteRenderTarget", {integer(target)});

    // A mesh of one triangle over the centre, made, filled, drawn and deleted.
    Value corners;
    corners.type = Value::Type::Array;
    corners.dims = {3, 2};
    corners.realElements = true;
    corners.elements = {-1, -1, 1, -1, 0, 1};
    const int32_t mesh = c.call("CreateMesh", {integer(3)}).integer;
    const int32_t filled =
        c.call("MeshAttribute", {integer(mesh), text("gl_Vertex"), integer(2), {corners}}).integer;
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    c.call("DrawMesh", {integer(mesh), integer(GL_TRIANGLES)});
    glReadPixels(32, 32, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    c.call("DeleteMesh", {integer(mesh)});
    results += " mesh " + std::to_string(mesh != 0) + " filled " + std::to_string(filled) + " drawn " +
               std::to_string(pixel[0]);

    // A texture of 2x2 texels made, filled, sampled by name through the
    // program made once (a compile every round would be most of the round)
    // and deleted.
    const int32_t texture2 = c.call("CreateTexture", {integer(GL_TEXTURE_2D), integer(2), integer(2), integer(1),
                                                      integer(0x8814), integer(1)})
                                 .integer;
    Value texels;
    texels.type = Value::Type::Array;
    texels.dims = {2, 8};
    texels.realElements = true;
    texels.elements = {0.25, 0.5, 0.75, 1, 0.25, 0.5, 0.75, 1, 0.25, 0.5, 0.75, 1, 0.25, 0.5, 0.75, 1};
    c.call("TextureData", {integer(texture2), integer(0), integer(0), integer(0), integer(2), integer(2), {texels}});
    c.call("SetUniformTexture", {integer(show), text("picture"), integer(texture2)});
    c.call("glUseProgramObjectARB", {integer(show)});
    glBegin(GL_QUADS);
    glVertex2f(-1, -1), glVertex2f(1, -1), glVertex2f(1, 1), glVertex2f(-1, 1);
    glEnd();
    c.call("glUseProgramObjectARB", {integer(0)});
    glReadPixels(32, 32, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    c.call("SetUniformTexture", {integer(show), text("picture"), integer(0)});
    c.call("DeleteTexture", {integer(texture2)});
    results += " texture " + std::to_string(texture2 != 0) + " sampled " + std::to_string(pixel[0]) + "," +
               std::to_string(pixel[2]) + " warnings '" + c.call("GetWarnings", {}).show() + "'";
    return results;
}

} // namespace

int main(int argc, char **argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: soak PLUGIN [ROUNDS]\n");
        return 2;
    }
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 3000;
    const int baselineRound = rounds / 10;
    constexpr long long growthLimit = 512LL * 1024;
    PluginExports exports;
    std::string error;
    if (!loadPlugin(argv[1], exports, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    auto context = OffscreenContext::create(64, 64, error);
    ShaderPlugin *plugin = exports.init();
    LibraryRegistry library;
    plugin->ops->RegisterLibrary(plugin, &library);
    if (!context || !plugin->ops->StartProgram(plugin)) {
        std::fprintf(stderr, "no shader support: %s\n", error.c_str());
        return 1;
    }

    Value palette;
    palette.type = Value::Type::Array;
    palette.dims = {256, 4};
    palette.realElements = true;
    for (int i = 0; i < 256 * 4; ++i) palette.elements.push_back(i / 1024.0);

    Value matrix;
    matrix.type = Value::Type::Array;
    matrix.dims = {1, 16};
    matrix.realElements = true;
    for (int i = 0; i < 16; ++i) matrix.elements.push_back(i % 5 == 0 ? 2.0 : 0.0);

    Caller caller(library);
    const int32_t show = caller
                             .call("BuildProgram", {text("void main() { gl_Position = gl_Vertex; }"),
                                                    text("uniform sampler2D picture;\nvoid main() { gl_FragColor = "
                                                         "texture2D(picture, vec2(0.5)); }")})
                             .integer;
    const std::string first = round(caller, palette, matrix, show);
    std::printf("round 1: %s\n", first.c_str());
    size_t baseline = 0;
    for (int i = 2; i <= rounds; ++i) {
        const std::string results = round(caller, palette, matrix, show);
        if (results != first) {
            std::printf("round %d differs: %s\n", i, results.c_str());
            return 1;
        }
        if (i == baselineRound) baseline = processMemoryBytes();
        if (i % 1000 == 0) std::printf("round %d: %zu KiB\n", i, processMemoryBytes() / 1024);
    }
    const size_t last = processMemoryBytes();
    const long long growth = static_cast<long long>(last) - static_cast<long long>(baseline);
    std::printf("memory after round %d: %zu KiB, after round %d: %zu KiB, growth %lld KiB\n", baselineRound,
                baseline / 1024, rounds, last / 1024, growth / 1024);
    plugin->ops->Release(plugin);
    return growth <= growthLimit ? 0 : 1;
}
