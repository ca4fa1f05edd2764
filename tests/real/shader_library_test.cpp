// The script library of the built plugin against the real driver: shaders are
// compiled and linked, uniforms listed, set and read back, all through the
// handlers the plugin registers, called as the host calls them.
#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

#include <algorithm>
#include <iterator>
#include <map>
#include <memory>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "host/gl_calls.h"
#include "host/library_registry.h"
#include "tests/real/real_plugin.h"
#include "tests/support/fake_runtime.h"

namespace corvanta::testing {
namespace {

using A = FakeArg;

const char *const vertexSource = R"(
uniform mat4 transform;
varying vec2 uv;
void main() {
    uv = gl_MultiTexCoord0.xy;
    gl_Position = transform * gl_Vertex;
}
)";

// Every uniform takes part in the colour, so the linker keeps them all active.
const char *const fragmentSource = R"(
uniform float brightness;
uniform vec2 offset;
uniform vec3 tint;
uniform vec4 colour;
uniform int mode;
uniform ivec2 grid;
uniform ivec3 cells;
uniform ivec4 flags;
uniform float weights[3];
uniform vec2 shifts[2];
uniform vec3 axes[2];
uniform vec4 palette[2];
uniform int counts[2];
uniform ivec2 pairs[2];
uniform ivec3 triples[2];
uniform ivec4 quads[2];
uniform sampler2D pattern;
varying vec2 uv;
void main() {
    vec4 c = colour * brightness + vec4(tint, 1.0) + vec4(offset, 0.0, 0.0);
    c += texture2D(pattern, uv);
    c += float(mode + grid.x + cells.y + flags.z + counts[1] + pairs[1].y + triples[1].z + quads[1].w);
    c += vec4(weights[2] + shifts[1].x + axes[1].y) + palette[1];
    gl_FragColor = c;
}
)";

const char *const brokenSource = "void main() { gl_FragColor = vec4(1.0) }\n";

// A matrix uniform and an attribute of the script's own: the quad is scaled by
// the matrix and coloured by the attribute, vertex by vertex.
const char *const attributeVertexSource = R"(
uniform mat4 mvp;
attribute vec4 tint;
varying vec4 colour;
void main() {
    colour = tint;
    gl_Position = mvp * gl_Vertex;
}
)";
const char *const attributeFragmentSource = R"(
varying vec4 colour;
void main() { gl_FragColor = colour; }
)";

// GLSL 1.20's non-square matrices, and a uniform array all of whose elements
// are used, so the driver reports its full size.
const char *const matrixFragmentSource = R"(#version 120
uniform mat3x4 bones[2];
uniform vec3 lights[4];
void main() {
    vec4 sum = bones[0] * vec3(1.0) + bones[1] * vec3(1.0);
    sum.xyz += lights[0] + lights[1] + lights[2] + lights[3];
    gl_FragColor = sum;
}
)";

class RealLibrary : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        std::string error;
        context = host::OffscreenContext::create(64, 64, error);
        ASSERT_TRUE(context) << error;
        ShaderPlugin *plugin = loadedPlugin();
        ASSERT_NE(plugin, nullptr);
        ASSERT_TRUE(plugin->ops->StartProgram(plugin));
        registry = std::make_unique<host::LibraryRegistry>();
        ASSERT_TRUE(plugin->ops->RegisterLibrary(plugin, registry.get()));
    }
    static void TearDownTestSuite() {
        registry.reset();
        context.reset();
    }

    // A script call of a registered name.
    static FakeRuntime call(const std::string &name, std::vector<FakeArg> args = {}) {
        FakeRuntime runtime(std::move(args));
        const host::LibraryEntry *entry = registry->find(name);
        if (entry == nullptr || entry->handler == nullptr) throw std::out_of_range("not registered: " + name);
        runtime.call(*entry);
        return runtime;
    }
    static int32_t intOf(const std::string &name, std::vector<FakeArg> args = {}) {
        return call(name, std::move(args)).intResult.value_or(-12345);
    }

    static int32_t uniformLocation(int32_t program, const char *name) {
        return intOf("glGetUniformLocationARB", {A::integer(program), A::string(name)});
    }
    // The first value of a uniform, read back by name.
    static double readBack(const char *query, int32_t program, const char *name) {
        return call(query, {A::integer(program), A::integer(uniformLocation(program, name)), A::variable()})
            .args[2]
            .written.value_or(-999);
    }

    static int32_t compile(int32_t type, const char *source) {
        const int32_t shader = intOf("glCreateShaderObjectARB", {A::integer(type)});
        call("glShaderSourceARB", {A::integer(shader), A::string(source)});
        call("glCompileShaderARB", {A::integer(shader)});
        return shader;
    }

    static int32_t linkedProgram() {
        const int32_t program = intOf("glCreateProgramObjectARB");
        const int32_t vertex = compile(GL_VERTEX_SHADER, vertexSource);
        const int32_t fragment = compile(GL_FRAGMENT_SHADER, fragmentSource);
        call("glAttachObjectARB", {A::integer(program), A::integer(vertex)});
        call("glAttachObjectARB", {A::integer(program), A::integer(fragment)});
        call("glLinkProgramARB", {A::integer(program)});
        return program;
    }

    static inline std::unique_ptr<host::OffscreenContext> context;
    static inline std::unique_ptr<host::LibraryRegistry> registry;
};

TEST_F(RealLibrary, ShaderInitReportsSupport) { EXPECT_EQ(intOf("ShaderInit"), -1); }

TEST_F(RealLibrary, CompileStatusAndInfoLogTellGoodShadersFromBrokenOnes) {
    const int32_t vertex = compile(GL_VERTEX_SHADER, vertexSource);
    const int32_t fragment = compile(GL_FRAGMENT_SHADER, fragmentSource);
    const int32_t broken = compile(GL_FRAGMENT_SHADER, brokenSource);
    EXPECT_GT(vertex, 0);
    EXPECT_EQ(intOf("CompileStatus", {A::integer(vertex)}), 1);
    EXPECT_EQ(intOf("CompileStatus", {A::integer(fragment)}), 1);
    EXPECT_EQ(intOf("CompileStatus", {A::integer(broken)}), 0);
    const std::string log = call("GetInfoLog", {A::integer(broken)}).stringResult.value_or("<none>");
    EXPECT_NE(log.find("error"), std::string::npos) << log;

    // A by-reference query of the same status, and of a handle the driver rejects.
    FakeRuntime status =
        call("glGetObjectParameterivARB", {A::integer(broken), A::integer(0x8B81), A::variable()});
    EXPECT_EQ(status.args[2].written, 0.0);
    FakeRuntime length =
        call("glGetObjectParameterivARB", {A::integer(broken), A::integer(0x8B84), A::variable()});
    EXPECT_EQ(length.args[2].written, double(log.size() + 1));
    EXPECT_EQ(intOf("CompileStatus", {A::integer(987654)}), 0);
    for (int32_t shader : {vertex, fragment, broken}) call("glDeleteObjectARB", {A::integer(shader)});
}

TEST_F(RealLibrary, LinkedProgramListsItsActiveUniformsWithTheirTypes) {
    const int32_t program = linkedProgram();
    EXPECT_EQ(intOf("LinkStatus", {A::integer(program)}), 1)
        << call("GetInfoLog", {A::integer(program)}).stringResult.value_or("");
    call("glValidateProgramARB", {A::integer(program)});
    EXPECT_EQ(intOf("ValidateStatus", {A::integer(program)}), 1);

    const std::map<std::string, int32_t> expected = {
        {"transform", 0x8B5C}, {"brightness", 0x1406}, {"offset", 0x8B50}, {"tint", 0x8B51},
        {"colour", 0x8B52},    {"mode", 0x1404},       {"grid", 0x8B53},   {"cells", 0x8B54},
        {"flags", 0x8B55},     {"weights", 0x1406},    {"shifts", 0x8B50}, {"axes", 0x8B51},
        {"palette", 0x8B52},   {"counts", 0x1404},     {"pairs", 0x8B53},  {"triples", 0x8B54},
        {"quads", 0x8B55},     {"pattern", 0x8B5E},
    };
    const int32_t count = intOf("GetActiveUniforms", {A::integer(program)});
    ASSERT_EQ(count, int32_t(expected.size()));
    std::map<std::string, int32_t> listed;
    for (int32_t i = 0; i < count; ++i) {
        std::string name =
            call("GetUniformName", {A::integer(program), A::integer(i)}).stringResult.value_or("<none>");
        // Arrays are listed by their first element.
        if (name.size() > 3 && name.compare(name.size() - 3, 3, "[0]") == 0) name.resize(name.size() - 3);
        listed[name] = intOf("GetUniformType", {A::integer(program), A::integer(i)});
    }
    EXPECT_EQ(listed, expected);
    EXPECT_EQ(call("GetUniformName", {A::integer(program), A::integer(count)}).stringResult, "");
    EXPECT_EQ(intOf("GetUniformType", {A::integer(program), A::integer(count)}), 0);
}

TEST_F(RealLibrary, EveryKindOfUniformCanBeSetAndReadBack) {
    const int32_t program = linkedProgram();
    call("glUseProgramObjectARB", {A::integer(program)});
    auto location = [&](const char *name) { return uniformLocation(program, name); };
    auto readReal = [&](const char *name) { return readBack("glGetUniformfvARB", program, name); };
    auto readInt = [&](const char *name) { return readBack("glGetUniformivARB", program, name); };
    EXPECT_EQ(location("no_such_uniform"), -1);

    call("glUniform1fARB", {A::integer(location("brightness")), A::real(0.1)});
    EXPECT_EQ(readReal("brightness"), double(0.1f));
    call("glUniform2fARB", {A::integer(location("offset")), A::real(0.25), A::real(2)});
    EXPECT_EQ(readReal("offset"), 0.25);
    call("glUniform3fARB", {A::integer(location("tint")), A::real(-1.5), A::real(2), A::real(3)});
    EXPECT_EQ(readReal("tint"), -1.5);
    call("glUniform4fARB",
         {A::integer(location("colour")), A::real(0.5), A::real(1), A::real(1), A::real(1)});
    EXPECT_EQ(readReal("colour"), 0.5);
    call("glUniform1iARB", {A::integer(location("mode")), A::integer(-3)});
    EXPECT_EQ(readInt("mode"), -3);
    call("glUniform2iARB", {A::integer(location("grid")), A::integer(4), A::integer(5)});
    EXPECT_EQ(readInt("grid"), 4);
    call("glUniform3iARB", {A::integer(location("cells")), A::integer(6), A::integer(7), A::integer(8)});
    EXPECT_EQ(readInt("cells"), 6);
    call("glUniform4iARB",
         {A::integer(location("flags")), A::integer(9), A::integer(1), A::integer(1), A::integer(1)});
    EXPECT_EQ(readInt("flags"), 9);
    call("glUniform1iARB", {A::integer(location("pattern")), A::integer(2)});
    EXPECT_EQ(readInt("pattern"), 2);

    // Arrays: element 1 of each, to see that elements follow one another.
    call("glUniform1fvARB", {A::integer(location("weights")), A::integer(3), A::array({0.1, 0.2, 0.3})});
    EXPECT_EQ(readReal("weights[1]"), double(0.2f));
    call("glUniform2fvARB", {A::integer(location("shifts")), A::integer(2), A::array({1, 2, 3, 4})});
    EXPECT_EQ(readReal("shifts[1]"), 3.0);
    call("glUniform3fvARB", {A::integer(location("axes")), A::integer(2), A::array({1, 2, 3, 4, 5, 6})});
    EXPECT_EQ(readReal("axes[1]"), 4.0);
    call("glUniform4fvARB",
         {A::integer(location("palette")), A::integer(2), A::array({1, 2, 3, 4, 5, 6, 7, 8})});
    EXPECT_EQ(readReal("palette[1]"), 5.0);
    call("glUniform1ivARB", {A::integer(location("counts")), A::integer(2), A::array({11, 12})});
    EXPECT_EQ(readInt("counts[1]"), 12);
    call("glUniform2ivARB", {A::integer(location("pairs")), A::integer(2), A::array({1, 2, 13, 14})});
    EXPECT_EQ(readInt("pairs[1]"), 13);
    call("glUniform3ivARB",
         {A::integer(location("triples")), A::integer(2), A::array({1, 2, 3, 15, 16, 17})});
    EXPECT_EQ(readInt("triples[1]"), 15);
    call("glUniform4ivARB",
         {A::integer(location("quads")), A::integer(2), A::array({1, 2, 3, 4, 18, 19, 20, 21})});
    EXPECT_EQ(readInt("quads[1]"), 18);

    // A matrix read back through a single-value variable: the first element.
    EXPECT_EQ(readReal("transform"), 0.0);

    call("glUseProgramObjectARB", {A::integer(0)});
    call("glDeleteObjectARB", {A::integer(program)});
}

TEST_F(RealLibrary, MatrixArraysArriveElementAfterElementAndUniformSizesAreReported) {
    const int32_t program = intOf("BuildProgram", {A::string(""), A::string(matrixFragmentSource)});
    ASSERT_NE(program, 0) << call("GetBuildLog").stringResult.value_or("");
    call("glUseProgramObjectARB", {A::integer(program)});
    EXPECT_EQ(intOf("glGetHandleARB", {A::integer(0x8B40)}), program) << "the program in use";
    auto location = [&](const char *name) { return uniformLocation(program, name); };
    auto first = [&](const char *name) { return readBack("glGetUniformfvARB", program, name); };
    std::vector<double> bones(24);
    for (size_t i = 0; i < bones.size(); ++i) bones[i] = double(i) + 0.5;
    call("glUniformMatrix3x4fv",
         {A::integer(location("bones")), A::integer(2), A::integer(0), A::array(bones)});
    EXPECT_EQ(first("bones[0]"), 0.5);
    EXPECT_EQ(first("bones[1]"), 12.5) << "the second matrix starts after the first one's 12 values";

    std::map<std::string, std::pair<int32_t, int32_t>> listed; // name: type, size
    const int32_t count = intOf("GetActiveUniforms", {A::integer(program)});
    for (int32_t i = 0; i < count; ++i) {
        std::string name =
            call("GetUniformName", {A::integer(program), A::integer(i)}).stringResult.value_or("");
        if (name.size() > 3 && name.compare(name.size() - 3, 3, "[0]") == 0) name.resize(name.size() - 3);
        listed[name] = {intOf("GetUniformType", {A::integer(program), A::integer(i)}),
                        intOf("GetUniformSize", {A::integer(program), A::integer(i)})};
    }
    const std::map<std::string, std::pair<int32_t, int32_t>> expected = {{"bones", {0x8B68, 2}},
                                                                         {"lights", {0x8B51, 4}}};
    EXPECT_EQ(listed, expected);
    EXPECT_EQ(intOf("GetUniformSize", {A::integer(program), A::integer(count)}), 0);
    call("glUseProgramObjectARB", {A::integer(0)});
    call("glDeleteObjectARB", {A::integer(program)});
}

TEST_F(RealLibrary, AnAttributeAndAMatrixOfTheScriptsOwnShapeTheDrawing) {
    const int32_t program = intOf("glCreateProgramObjectARB");
    const int32_t vertex = compile(GL_VERTEX_SHADER, attributeVertexSource);
    const int32_t fragment = compile(GL_FRAGMENT_SHADER, attributeFragmentSource);
    call("glAttachObjectARB", {A::integer(program), A::integer(vertex)});
    call("glAttachObjectARB", {A::integer(program), A::integer(fragment)});
    call("glBindAttribLocationARB", {A::integer(program), A::integer(5), A::string("tint")});
    call("glLinkProgramARB", {A::integer(program)});
    ASSERT_EQ(intOf("LinkStatus", {A::integer(program)}), 1);
    EXPECT_EQ(intOf("glGetAttribLocationARB", {A::integer(program), A::string("tint")}), 5);
    EXPECT_EQ(intOf("glGetAttribLocationARB", {A::integer(program), A::string("no_such")}), -1);
    EXPECT_EQ(call("GetShaderSource", {A::integer(vertex)}).stringResult, attributeVertexSource);
    std::set<int32_t> attached = {intOf("GetAttachedObject", {A::integer(program), A::integer(0)}),
                                  intOf("GetAttachedObject", {A::integer(program), A::integer(1)})};
    EXPECT_EQ(attached, (std::set<int32_t>{vertex, fragment}));
    EXPECT_EQ(intOf("GetAttachedObject", {A::integer(program), A::integer(2)}), 0);

    std::map<std::string, int32_t> attributes;
    const int32_t count = intOf("GetActiveAttributes", {A::integer(program)});
    for (int32_t i = 0; i < count; ++i)
        attributes[call("GetAttribName", {A::integer(program), A::integer(i)}).stringResult.value_or("")] =
            intOf("GetAttribType", {A::integer(program), A::integer(i)});
    EXPECT_EQ(attributes["tint"], 0x8B52) << "a vec4";

    // Half as wide: the quad covers the middle half of the picture, red on
    // the left, blue on the right.
    call("glUseProgramObjectARB", {A::integer(program)});
    const std::vector<double> halfWidth = {0.5, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    call("glUniformMatrix4fvARB",
         {A::integer(intOf("glGetUniformLocationARB", {A::integer(program), A::string("mvp")})),
          A::integer(1), A::integer(0), A::array(halfWidth)});
    glViewport(0, 0, 64, 64);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glBegin(GL_QUADS);
    const float corners[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
    for (const auto &corner : corners) {
        const bool left = corner[0] < 0;
        call("glVertexAttrib4fARB",
             {A::integer(5), A::real(left ? 1 : 0), A::real(0), A::real(left ? 0 : 1), A::real(1)});
        glVertex2f(corner[0], corner[1]);
    }
    glEnd();
    unsigned char pixels[64 * 64 * 4];
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, 64, 64, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
    auto pixel = [&](int x, int y) {
        const unsigned char *p = pixels + static_cast<size_t>((y * 64 + x) * 4);
        return std::vector<int>{p[0], p[1], p[2]};
    };
    EXPECT_EQ(pixel(4, 32), (std::vector<int>{0, 0, 0})) << "outside the scaled quad";
    EXPECT_EQ(pixel(60, 32), (std::vector<int>{0, 0, 0})) << "outside the scaled quad";
    const std::vector<int> nearLeft = pixel(17, 32), nearRight = pixel(46, 32);
    EXPECT_GT(nearLeft[0], 200);
    EXPECT_LT(nearLeft[2], 55);
    EXPECT_GT(nearRight[2], 200);
    EXPECT_LT(nearRight[0], 55);
    call("glUseProgramObjectARB", {A::integer(0)});
    for (int32_t object : {program, vertex, fragment}) call("glDeleteObjectARB", {A::integer(object)});
}

// The 64 x 64 picture's pixel, as red, green, blue.
std::vector<int> pixelAt(int x, int y) {
    unsigned char rgba[4] = {};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return {rgba[0], rgba[1], rgba[2]};
}

void clearPicture() {
    glViewport(0, 0, 64, 64);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
}

// A mesh of two triangles on the left half, red, drawn by "DrawMesh" and by
// immediate mode, the same at every pixel checked; the host's arrays, the
// buffer bindings and the arrays the mesh used as they were afterwards.
TEST_F(RealLibrary, AMeshDrawsWhatImmediateModeDrawsAndLeavesTheStateAsItWas) {
    const std::vector<double> corners = {-1, -1, 0, -1, 0, 1, -1, 1};
    const std::vector<double> indices = {0, 1, 2, 0, 2, 3};
    while (glGetError() != GL_NO_ERROR) { // what earlier tests left pending is not this test's
    }
    const int32_t mesh = intOf("CreateMesh", {A::integer(4)});
    ASSERT_NE(mesh, 0) << call("GetBuildLog").stringResult.value_or("");
    ASSERT_EQ(
        intOf("MeshAttribute", {A::integer(mesh), A::string("gl_Vertex"), A::integer(2), A::array(corners)}),
        1);
    ASSERT_EQ(intOf("MeshAttribute", {A::integer(mesh), A::string("gl_Color"), A::integer(3),
                                      A::array({1, 0, 0, 1, 0, 0, 1, 0, 0, 1, 0, 0})}),
              1);
    ASSERT_EQ(intOf("MeshIndices", {A::integer(mesh), A::integer(6), A::array(indices)}), 1);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR)) << "uploading";
    // The host's own arrays, from its memory: one the mesh feeds too, and a
    // magenta colour array of one vertex, which a mesh without colours must
    // not read.
    static const GLfloat hostVertices[3] = {0, 0, 0}, magenta[3] = {1, 0, 1};
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, 12, hostVertices);
    clearPicture();
    call("DrawMesh", {A::integer(mesh), A::integer(GL_TRIANGLES)});
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR)) << "drawing";
    void *pointer = nullptr;
    glGetPointerv(GL_VERTEX_ARRAY_POINTER, &pointer);
    EXPECT_EQ(pointer, hostVertices);
    EXPECT_TRUE(glIsEnabled(GL_VERTEX_ARRAY));
    GLint vertexArray[3] = {};
    glGetIntegerv(GL_VERTEX_ARRAY_SIZE, &vertexArray[0]);
    glGetIntegerv(GL_VERTEX_ARRAY_STRIDE, &vertexArray[1]);
    glGetIntegerv(GL_VERTEX_ARRAY_BUFFER_BINDING_ARB, &vertexArray[2]);
    EXPECT_EQ(std::vector<GLint>(vertexArray, vertexArray + 3), (std::vector<GLint>{3, 12, 0}));
    glDisableClientState(GL_VERTEX_ARRAY);
    std::vector<std::vector<int>> byMesh;
    const int probes[][2] = {{2, 2}, {30, 30}, {2, 61}, {33, 30}, {60, 60}};
    for (const auto &probe : probes) byMesh.push_back(pixelAt(probe[0], probe[1]));
    EXPECT_EQ(byMesh[1], (std::vector<int>{255, 0, 0}));
    EXPECT_EQ(byMesh[3], (std::vector<int>{0, 0, 0}));

    clearPicture();
    glColor3f(1, 0, 0);
    glBegin(GL_TRIANGLES);
    for (double index : indices)
        glVertex2f(float(corners[size_t(index) * 2]), float(corners[size_t(index) * 2 + 1]));
    glEnd();
    glColor3f(1, 1, 1);
    for (size_t i = 0; i < std::size(probes); ++i)
        EXPECT_EQ(pixelAt(probes[i][0], probes[i][1]), byMesh[i]) << probes[i][0] << "," << probes[i][1];

    for (GLenum array : {GL_VERTEX_ARRAY, GL_COLOR_ARRAY}) {
        GLint enabled = 1;
        glGetIntegerv(array, &enabled);
        EXPECT_EQ(enabled, 0) << array;
    }
    GLint bound = -1;
    glGetIntegerv(GL_ARRAY_BUFFER_BINDING_ARB, &bound);
    EXPECT_EQ(bound, 0);
    glGetIntegerv(GL_ELEMENT_ARRAY_BUFFER_BINDING_ARB, &bound);
    EXPECT_EQ(bound, 0);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));

    // A colour set again at the same size replaces the old one in place.
    ASSERT_EQ(intOf("MeshAttribute", {A::integer(mesh), A::string("gl_Color"), A::integer(3),
                                      A::array({0, 0, 1, 0, 0, 1, 0, 0, 1, 0, 0, 1})}),
              1);
    clearPicture();
    call("DrawMesh", {A::integer(mesh), A::integer(GL_TRIANGLES)});
    EXPECT_EQ(pixelAt(30, 30), (std::vector<int>{0, 0, 255}));

    // A mesh of positions alone draws in the current colour, not the host's
    // colour array, which is on again after it.
    const int32_t positions = intOf("CreateMesh", {A::integer(4)});
    ASSERT_EQ(
        intOf("MeshAttribute", {A::integer(positions), A::string("gl_Vertex"), A::integer(2), A::array(corners)}),
        1);
    glEnableClientState(GL_COLOR_ARRAY);
    glColorPointer(3, GL_FLOAT, 0, magenta);
    clearPicture();
    call("DrawMeshRange", {A::integer(positions), A::integer(GL_TRIANGLE_FAN), A::integer(0), A::integer(4)});
    EXPECT_EQ(pixelAt(30, 30), (std::vector<int>{255, 255, 255}));
    EXPECT_TRUE(glIsEnabled(GL_COLOR_ARRAY));
    glGetPointerv(GL_COLOR_ARRAY_POINTER, &pointer);
    EXPECT_EQ(pointer, magenta);
    glDisableClientState(GL_COLOR_ARRAY);
    call("DeleteMesh", {A::integer(positions)});
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));

    // An index past the vertices is refused where it is set, by position.
    EXPECT_EQ(intOf("MeshIndices", {A::integer(mesh), A::integer(3), A::array({0, 4, 1})}), 0);
    EXPECT_EQ(call("GetBuildLog").stringResult, "mesh:\nindex 4 at position 1 is not from 0 to 3\n");
    call("DeleteMesh", {A::integer(mesh)});
    EXPECT_EQ(call("GetWarnings").stringResult, "");
}

// More vertices than 16 bits can index: the last three make a triangle on
// the right half.
TEST_F(RealLibrary, AMeshOfMoreThan65536VerticesIsIndexedWithThirtyTwoBits) {
    constexpr int32_t vertices = 70000;
    std::vector<double> positions(size_t(vertices) * 2, 0.0);
    const double triangle[] = {0.1, -1, 1, -1, 1, 1};
    std::copy(std::begin(triangle), std::end(triangle), positions.end() - 6);
    const int32_t mesh = intOf("CreateMesh", {A::integer(vertices)});
    ASSERT_EQ(intOf("MeshAttribute",
                    {A::integer(mesh), A::string("gl_Vertex"), A::integer(2), A::array(positions)}),
              1);
    ASSERT_EQ(intOf("MeshIndices", {A::integer(mesh), A::integer(3),
                                    A::array({vertices - 3.0, vertices - 2.0, vertices - 1.0})}),
              1);
    clearPicture();
    call("DrawMesh", {A::integer(mesh), A::integer(GL_TRIANGLES)});
    EXPECT_EQ(pixelAt(60, 10), (std::vector<int>{255, 255, 255}));
    EXPECT_EQ(pixelAt(10, 10), (std::vector<int>{0, 0, 0}));
    call("DeleteMesh", {A::integer(mesh)});
}

// One triangle drawn twice, each instance moved by its own row of a
// per-instance attribute.
TEST_F(RealLibrary, AnInstancedMeshDrawsEachInstanceWhereItsAttributeSays) {
    const char *vertex = "#version 120\n"
                         "attribute vec2 corner;\n"
                         "attribute vec2 shift;\n"
                         "void main() { gl_Position = vec4(corner + shift, 0.0, 1.0); }\n";
    const char *fragment = "void main() { gl_FragColor = vec4(0.0, 1.0, 0.0, 1.0); }\n";
    const int32_t program = intOf("BuildProgram", {A::string(vertex), A::string(fragment)});
    ASSERT_NE(program, 0) << call("GetBuildLog").stringResult.value_or("");
    const int32_t mesh = intOf("CreateMesh", {A::integer(3)});
    ASSERT_EQ(intOf("MeshAttribute", {A::integer(mesh), A::string("corner"), A::integer(2),
                                      A::array({-1, -1, -0.5, -1, -1, -0.5})}),
              1);
    const int32_t shifted =
        intOf("MeshInstanceAttribute", {A::integer(mesh), A::string("shift"), A::integer(2), A::integer(2),
                                        A::array({0, 0, 1.5, 1.5})});
    if (shifted == 0) GTEST_SKIP() << call("GetBuildLog").stringResult.value_or("");
    clearPicture();
    call("glUseProgramObjectARB", {A::integer(program)});
    call("DrawMeshInstanced", {A::integer(mesh), A::integer(GL_TRIANGLES), A::integer(2)});
    call("glUseProgramObjectARB", {A::integer(0)});
    EXPECT_EQ(pixelAt(2, 2), (std::vector<int>{0, 255, 0})) << "the first instance";
    EXPECT_EQ(pixelAt(50, 50), (std::vector<int>{0, 255, 0})) << "the second, moved by 1.5";
    EXPECT_EQ(pixelAt(30, 30), (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(call("GetWarnings").stringResult, "");
    call("DeleteMesh", {A::integer(mesh)});
    call("glDeleteObjectARB", {A::integer(program)});
}

// Uniforms set by name on a program while another is in use: the other stays
// in use, and the program draws what they say (a 3 x 2 matrix given as the
// script writes its rows moves the quad to the right half's middle); each
// misuse sets nothing, says why, and leaves no error in the driver.
TEST_F(RealLibrary, UniformsSetByNameOnAProgramNotInUseDrawWhatTheySay) {
    const char *vertex = "#version 120\n"
                         "uniform mat3x2 place;\n"
                         "void main() { gl_Position = vec4(place * vec3(gl_Vertex.xy, 1.0), 0.0, 1.0); }\n";
    const char *fragment =
        "uniform vec3 tint;\n"
        "uniform float weights[3];\n"
        "uniform int green;\n"
        "uniform bool blue;\n"
        "void main() {\n"
        "    gl_FragColor = vec4(tint.r * weights[2], float(green), blue ? 1.0 : 0.0, 1.0);\n"
        "}\n";
    const int32_t program = intOf("BuildProgram", {A::string(vertex), A::string(fragment)});
    ASSERT_NE(program, 0) << call("GetBuildLog").stringResult.value_or("");
    const int32_t other =
        intOf("BuildProgram", {A::string(attributeVertexSource), A::string(attributeFragmentSource)});
    ASSERT_NE(other, 0);
    while (glGetError() != GL_NO_ERROR) {
    }
    call("glUseProgramObjectARB", {A::integer(other)});
    const A p = A::integer(program);
    call("SetUniformMatrix", {p, A::string("place"), A::array({0.5, 0, 0.5, 0, 0.5, 0})});
    call("SetUniform3f", {p, A::string("tint"), A::real(1), A::real(0), A::real(0)});
    call("SetUniformArray", {p, A::string("weights[1]"), A::integer(2), A::array({0.25, 1})});
    call("SetUniform1i", {p, A::string("green"), A::integer(0)});
    call("SetUniform1i", {p, A::string("blue"), A::integer(1)});
    EXPECT_EQ(call("GetWarnings").stringResult, "");
    EXPECT_EQ(intOf("glGetHandleARB", {A::integer(GL_PROGRAM_OBJECT_ARB)}), other) << "still in use";
    EXPECT_EQ(intOf("HasUniform", {p, A::string("weights[2]")}), 1);
    EXPECT_EQ(intOf("HasUniform", {p, A::string("weights[3]")}), 0);

    clearPicture();
    call("glUseProgramObjectARB", {p});
    glBegin(GL_QUADS);
    glVertex2f(-1, -1), glVertex2f(1, -1), glVertex2f(1, 1), glVertex2f(-1, 1);
    glEnd();
    call("glUseProgramObjectARB", {A::integer(0)});
    EXPECT_EQ(pixelAt(48, 32), (std::vector<int>{255, 0, 255}));
    EXPECT_EQ(pixelAt(16, 32), (std::vector<int>{0, 0, 0})) << "the left half";
    EXPECT_EQ(pixelAt(48, 60), (std::vector<int>{0, 0, 0})) << "above the quad";

    const int32_t shader = compile(GL_VERTEX_SHADER, vertex);
    const std::string of = " of program " + std::to_string(program);
    const struct {
        const char *call;
        std::vector<FakeArg> args;
        std::string warning;
    } misuses[] = {
        {"SetUniform4f",
         {p, A::string("tint"), A::real(1), A::real(1), A::real(1), A::real(1)},
         "SetUniform4f: \"tint\"" + of + " is a vec3"},
        {"SetUniform1i", {p, A::string("tint"), A::integer(1)}, "SetUniform1i: \"tint\"" + of + " is a vec3"},
        {"SetUniform1f", {p, A::string("green"), A::real(1)}, "SetUniform1f: \"green\"" + of + " is an int"},
        {"SetUniformMatrix",
         {p, A::string("weights"), A::array({1, 2, 3, 4})},
         "SetUniformMatrix: \"weights\"" + of + " is a float"},
        {"SetUniformArray",
         {p, A::string("weights[1]"), A::integer(3), A::array({1, 2, 3})},
         "SetUniformArray: count 3 for \"weights[1]\"" + of + ", which has room for 2"},
        {"SetUniform1f",
         {p, A::string("wieghts"), A::real(1)},
         "SetUniform1f: program " + std::to_string(program) +
             " has no active uniform \"wieghts\" (did you mean \"weights\"?)"},
        {"SetUniform1f",
         {p, A::string("weights[3]"), A::real(1)},
         "SetUniform1f: program " + std::to_string(program) +
             " has no active uniform \"weights[3]\" (\"weights\" has 3 elements)"},
        {"SetUniform1f",
         {A::integer(shader), A::string("tint"), A::real(1)},
         "SetUniform1f: " + std::to_string(shader) + " is not a linked program"},
    };
    for (const auto &misuse : misuses) {
        call(misuse.call, misuse.args);
        EXPECT_EQ(call("GetWarnings").stringResult, misuse.warning + "\n");
    }
    EXPECT_EQ(readBack("glGetUniformfvARB", program, "tint"), 1.0) << "unchanged";
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    for (int32_t object : {program, other, shader}) call("glDeleteObjectARB", {A::integer(object)});
}

// Every single setter by name, on a program not in use, read back.
TEST_F(RealLibrary, EverySingleSetterByNameSetsItsUniform) {
    const int32_t program = linkedProgram();
    call("glUseProgramObjectARB", {A::integer(0)});
    const A p = A::integer(program);
    const struct {
        const char *setter, *name;
        std::vector<FakeArg> values;
        bool real;
    } setters[] = {
        {"SetUniform1f", "brightness", {A::real(0.25)}, true},
        {"SetUniform2f", "offset", {A::real(0.5), A::real(2)}, true},
        {"SetUniform3f", "tint", {A::real(0.75), A::real(0), A::real(0)}, true},
        {"SetUniform4f", "colour", {A::real(1.5), A::real(0), A::real(0), A::real(0)}, true},
        {"SetUniform1i", "mode", {A::integer(3)}, false},
        {"SetUniform2i", "grid", {A::integer(4), A::integer(0)}, false},
        {"SetUniform3i", "cells", {A::integer(5), A::integer(0), A::integer(0)}, false},
        {"SetUniform4i", "flags", {A::integer(6), A::integer(0), A::integer(0), A::integer(0)}, false},
    };
    for (const auto &s : setters) {
        std::vector<FakeArg> args = {p, A::string(s.name)};
        args.insert(args.end(), s.values.begin(), s.values.end());
        call(s.setter, args);
        EXPECT_EQ(readBack(s.real ? "glGetUniformfvARB" : "glGetUniformivARB", program, s.name),
                  s.values[0].number)
            << s.setter;
    }
    EXPECT_EQ(call("GetWarnings").stringResult, "");
    EXPECT_EQ(intOf("glGetHandleARB", {A::integer(GL_PROGRAM_OBJECT_ARB)}), 0);
    call("glDeleteObjectARB", {p});
}

TEST_F(RealLibrary, BuildProgramGivesAProgramOrZeroAndALogThatNamesTheStage) {
    const int32_t good =
        intOf("BuildProgram", {A::string(attributeVertexSource), A::string(attributeFragmentSource)});
    EXPECT_NE(good, 0);
    EXPECT_EQ(intOf("LinkStatus", {A::integer(good)}), 1);
    EXPECT_EQ(intOf("GetAttachedObject", {A::integer(good), A::integer(1)}) != 0, true);
    call("glDeleteObjectARB", {A::integer(good)});

    EXPECT_EQ(intOf("BuildProgram", {A::string(attributeVertexSource), A::string(brokenSource)}), 0);
    const std::string log = call("GetBuildLog").stringResult.value_or("");
    EXPECT_EQ(log.rfind("fragment shader:\n", 0), 0u) << log;
    EXPECT_NE(log.find("error"), std::string::npos) << log;
}

TEST_F(RealLibrary, SwapIntervalTakesEffectWhereTheDriverHasIt) {
#ifdef _WIN32
    // The driver's own query of the interval, beside the call the plugin makes.
    using GetSwapInterval = int(WINAPI *)();
    const auto getSwapInterval = reinterpret_cast<GetSwapInterval>(
        reinterpret_cast<void *>(wglGetProcAddress("wglGetSwapIntervalEXT")));
    if (getSwapInterval == nullptr) GTEST_SKIP() << "this driver has no WGL_EXT_swap_control";
    call("wglSwapIntervalEXT", {A::integer(1)});
    EXPECT_EQ(getSwapInterval(), 1);
    call("wglSwapIntervalEXT", {A::integer(0)});
    EXPECT_EQ(getSwapInterval(), 0);
#else
    // The call still runs and does nothing: an EGL context has no WGL extension.
    call("wglSwapIntervalEXT", {A::integer(1)});
    EXPECT_EQ(intOf("ShaderInit"), -1);
    GTEST_SKIP() << "the swap interval is a WGL extension, which no EGL context has: only the call runs";
#endif
}

} // namespace
} // namespace corvanta::testing
