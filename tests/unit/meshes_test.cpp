#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "tests/unit/handler_test_support.h"

namespace corvanta::testing {
namespace {

class Meshes : public HandlerTest {
protected:
    void SetUp() override {
        HandlerTest::SetUp();
        driver.handleStep = 1;
        driver.arrayBufferBinding = 9; // what the host has bound
        driver.elementBufferBinding = 10;
        driver.integers[GL_CLIENT_ACTIVE_TEXTURE_ARB] = static_cast<GLint>(GL_TEXTURE0_ARB + 2);
    }

    int32_t create(int32_t vertices) {
        return *FakeRuntime({A::integer(vertices)}).call("CreateMesh").intResult;
    }
    int32_t attribute(int32_t mesh, const std::string &name, int32_t components, int32_t rows) {
        return *FakeRuntime({A::integer(mesh), A::string(name), A::integer(components),
                             A::array(std::vector<double>(size_t(rows * components), 0.5))})
                    .call("MeshAttribute")
                    .intResult;
    }
    int32_t indices(int32_t mesh, std::vector<double> values) {
        const auto count = static_cast<int32_t>(values.size());
        return *FakeRuntime({A::integer(mesh), A::integer(count), A::array(std::move(values))})
                    .call("MeshIndices")
                    .intResult;
    }
    std::vector<std::string> namesCalled() const {
        std::vector<std::string> names;
        for (const DriverCall &call : driver.calls) names.push_back(call.name);
        return names;
    }
};

TEST_F(Meshes, ADrawFeedsOnlyTheMeshsArraysBetweenAPushAndAPopOfTheHostsArrays) {
    const int32_t mesh = create(3);
    ASSERT_EQ(mesh, 1);
    ASSERT_EQ(attribute(mesh, "gl_Vertex", 3, 3), 1);
    ASSERT_EQ(attribute(mesh, "gl_MultiTexCoord1", 2, 3), 1);
    ASSERT_EQ(attribute(mesh, "offset", 4, 3), 1);
    ASSERT_EQ(attribute(mesh, "unused", 1, 3), 1);
    ASSERT_EQ(indices(mesh, {0, 1, 2, 2, 1, 0}), 1);
    EXPECT_EQ(driver.arrayBufferBinding, 9u) << "uploads restore the bindings too";
    EXPECT_EQ(driver.elementBufferBinding, 10u);

    // The program in use reads GL's gl_Vertex, "offset", and "unsed", which
    // the mesh lacks.
    driver.handle = 5;
    driver.attributes = {{"gl_Vertex", GL_FLOAT_VEC4_ARB}, {"offset", GL_FLOAT_VEC4_ARB}, {"unsed", GL_FLOAT}};
    driver.objectParameters = {{GL_OBJECT_ACTIVE_ATTRIBUTES_ARB, 3},
                               {GL_OBJECT_ACTIVE_ATTRIBUTE_MAX_LENGTH_ARB, 16}};
    for (int draw = 0; draw < 3; ++draw) {
        if (draw == 2) FakeRuntime({A::integer(5)}).call("glLinkProgramARB");
        driver.calls.clear();
        FakeRuntime({A::integer(mesh), A::integer(4)}).call("DrawMesh");
        // The program's attributes are found once, and again after a relink.
        EXPECT_EQ(driver.count("glGetActiveAttribARB"), draw == 1 ? 0 : 3) << draw;
        EXPECT_EQ(driver.count("glGetAttribLocationARB"), draw == 1 ? 0 : 2) << draw;
    }
    const std::vector<std::string> names = namesCalled();
    const auto at = [&](const char *name) { return std::find(names.begin(), names.end(), name) - names.begin(); };
    EXPECT_LT(at("glPushClientAttrib"), at("glDisableClientState"));
    EXPECT_LT(at("glPushClientAttrib"), at("glBindBufferARB"));
    EXPECT_EQ(names.back(), "glPopClientAttrib");
    EXPECT_EQ(driver.integers[GL_CLIENT_ATTRIB_STACK_DEPTH], 0);
    // Every array off (seven of GL's, eight units' coordinates, 16 generic
    // ones), then those the mesh feeds on: "unused" is no attribute of the
    // program's.
    EXPECT_EQ(driver.count("glDisableClientState"), 7 + 8);
    EXPECT_EQ(driver.count("glDisableVertexAttribArrayARB"), 16);
    EXPECT_EQ(driver.count("glEnableClientState"), 2);
    EXPECT_EQ(driver.last("glEnableVertexAttribArrayARB")->ints, (std::vector<int64_t>{2}));
    EXPECT_EQ(driver.count("glEnableVertexAttribArrayARB"), 1);
    const DriverCall *drawn = driver.last("glDrawElements");
    ASSERT_NE(drawn, nullptr);
    EXPECT_EQ(drawn->ints, (std::vector<int64_t>{4, 6, GL_UNSIGNED_SHORT}));
    EXPECT_EQ(drawn->pointer, nullptr) << "an offset into the mesh's index buffer, from 0";
    EXPECT_EQ(warnings(), "DrawMesh: program 5 reads attribute \"unsed\", which mesh 1 does not have (did you "
                          "mean \"unused\"?) (3 times)\n");

    // A range is an offset into the indices, 2 bytes each.
    FakeRuntime({A::integer(mesh), A::integer(4), A::integer(3), A::integer(3)}).call("DrawMeshRange");
    EXPECT_EQ(reinterpret_cast<uintptr_t>(driver.last("glDrawElements")->pointer), 6u);

    // A host that filled the stack gets nothing drawn rather than its
    // arrays lost.
    driver.calls.clear();
    driver.integers[GL_CLIENT_ATTRIB_STACK_DEPTH] = 16;
    FakeRuntime({A::integer(mesh), A::integer(4)}).call("DrawMesh");
    EXPECT_EQ(driver.count("glDrawElements"), 0);
    EXPECT_NE(warnings().find("DrawMesh: GL's client attribute stack is full: nothing drawn\n"), std::string::npos);
}

TEST_F(Meshes, IndicesAreSixteenBitsUpTo65536VerticesAndThirtyTwoBeyond) {
    for (int32_t vertices : {65536, 65537}) {
        const int32_t mesh = create(vertices);
        ASSERT_EQ(indices(mesh, {0, 1, double(vertices - 1)}), 1);
        const std::vector<unsigned char> &bytes = driver.last("glBufferDataARB")->bytes;
        const bool wide = vertices > 65536;
        ASSERT_EQ(bytes.size(), wide ? 12u : 6u);
        uint32_t lastIndex = 0;
        std::memcpy(&lastIndex, bytes.data() + (wide ? 8 : 4), wide ? 4 : 2);
        EXPECT_EQ(lastIndex, uint32_t(vertices - 1));
        EXPECT_EQ(attribute(mesh, "gl_Vertex", 2, vertices), 1);
        FakeRuntime({A::integer(mesh), A::integer(4)}).call("DrawMesh");
        EXPECT_EQ(driver.last("glDrawElements")->ints[2], wide ? GL_UNSIGNED_INT : GL_UNSIGNED_SHORT);
    }
}

TEST_F(Meshes, AnAttributeSetAgainIsReplacedInPlaceWhenItsSizeIsTheSame) {
    const int32_t mesh = create(4);
    attribute(mesh, "gl_Color", 3, 4);
    EXPECT_EQ(driver.last("glBufferDataARB")->ints[2], GL_STATIC_DRAW_ARB);
    attribute(mesh, "gl_Color", 3, 4);
    EXPECT_EQ(driver.count("glBufferDataARB"), 1);
    EXPECT_EQ(driver.count("glBufferSubDataARB"), 1);
    attribute(mesh, "gl_Color", 4, 4);
    EXPECT_EQ(driver.last("glBufferDataARB")->ints,
              (std::vector<int64_t>{GL_ARRAY_BUFFER_ARB, 64, GL_DYNAMIC_DRAW_ARB}));
    EXPECT_EQ(driver.count("glGenBuffersARB"), 1);
}

// Each refusal: nothing made or drawn, and what was wrong in the build log
// (for the calls that give 0) or the warnings (for the draws).
TEST_F(Meshes, EachMisuseIsRefusedAndSaysWhatWasWrong) {
    EXPECT_EQ(create(0), 0);
    EXPECT_EQ(buildLog(), "mesh:\nthe vertex count 0 is not from 1 to 16777216\n");
    const int32_t mesh = create(3);
    FakeRuntime({A::integer(mesh), A::integer(4)}).call("DrawMesh");
    EXPECT_EQ(warnings(), "DrawMesh: mesh 1 has no data\n");
    struct Case {
        const char *name;
        int32_t components;
        const char *log;
    } attributes[] = {
        {"gl_Normal", 2, "gl_Normal takes 3 components, not 2"},
        {"gl_Vertex", 1, "gl_Vertex takes 2 to 4 components, not 1"},
        {"gl_FogCoord", 1, "gl_FogCoord is no vertex array of GL's"},
        {"", 1, "an attribute's name is 1 to 63 characters"},
        {"weight", 5, "weight takes 1 to 4 components, not 5"},
    };
    for (const Case &c : attributes) {
        EXPECT_EQ(attribute(mesh, c.name, c.components, 3), 0) << c.name;
        EXPECT_EQ(buildLog(), std::string("mesh:\n") + c.log + "\n");
    }
    EXPECT_EQ(attribute(7, "gl_Vertex", 3, 3), 0);
    EXPECT_EQ(buildLog(), "mesh:\n7 is not a mesh\n");
    for (int i = 0; i < 16; ++i) attribute(mesh, "a" + std::to_string(i), 1, 3);
    EXPECT_EQ(attribute(mesh, "a16", 1, 3), 0);
    EXPECT_EQ(buildLog(), "mesh:\na mesh has at most 16 attributes\n");
    EXPECT_EQ(indices(mesh, {0, 2, 3, -1}), 0);
    EXPECT_EQ(buildLog(), "mesh:\nindex 3 at position 2 is not from 0 to 2\n");
    // Rows replaced in part: only of an attribute already set, within its rows.
    const auto range = [&](const char *name, int32_t first, int32_t count) {
        return *FakeRuntime({A::integer(mesh), A::string(name), A::integer(first), A::integer(count),
                             A::array(std::vector<double>(size_t(std::max(count, 1)), 0.25))})
                    .call("MeshAttributeRange")
                    .intResult;
    };
    EXPECT_EQ(range("a2", 1, 2), 1);
    EXPECT_EQ(driver.last("glBufferSubDataARB")->ints, (std::vector<int64_t>{GL_ARRAY_BUFFER_ARB, 4, 8}));
    EXPECT_EQ(buildLog(), "");
    EXPECT_EQ(range("a2", 2, 2), 0);
    EXPECT_EQ(buildLog(), "mesh:\nfirst 2 and count 2 are not within the 3 rows of a2\n");
    EXPECT_EQ(range("a20", 0, 1), 0);
    EXPECT_EQ(buildLog(), "mesh:\nmesh 1 has no attribute \"a20\" to replace rows of: set it whole first\n");
    EXPECT_EQ(driver.count("glDrawElements") + driver.count("glDrawArrays"), 0);

    const int32_t large = create(65536);
    ASSERT_EQ(attribute(large, "gl_Vertex", 2, 65536), 1);
    driver.calls.clear();
    FakeRuntime({A::integer(9), A::integer(4)}).call("DrawMesh");
    FakeRuntime({A::integer(mesh), A::integer(10)}).call("DrawMesh");
    FakeRuntime({A::integer(mesh), A::integer(4), A::integer(2), A::integer(2)}).call("DrawMeshRange");
    FakeRuntime({A::integer(mesh), A::integer(4), A::integer(0)}).call("DrawMeshInstanced");
    FakeRuntime({A::integer(mesh), A::integer(4), A::integer(3), A::integer(0)}).call("DrawMeshRange");
    FakeRuntime({A::integer(12)}).call("DeleteMesh");
    // Draws a driver would work at for minutes.
    FakeRuntime({A::integer(mesh), A::integer(4), A::integer(2000000000)}).call("DrawMeshInstanced");
    FakeRuntime({A::integer(large), A::integer(4), A::integer(8192)}).call("DrawMeshInstanced");
    EXPECT_EQ(warnings(), "DrawMesh: 9 is not a mesh\n"
                          "DrawMesh: 10 is not a primitive mode\n"
                          "DrawMeshRange: first 2 and count 2 are not within the 3 vertices of mesh 1\n"
                          "DrawMeshInstanced: instances 0 are fewer than 1\n"
                          "DeleteMesh: 12 is not a mesh\n"
                          "DrawMeshInstanced: instances 2000000000 are more than 16777216\n"
                          "DrawMeshInstanced: 65536 vertices times 8192 instances are more than 268435456 "
                          "vertices in all\n");
    EXPECT_EQ(namesCalled(), std::vector<std::string>{}) << "checked before anything is bound";

    // Per-instance rows bound the instances of a draw that uses them.
    driver.handle = 5;
    driver.attributes = {{"shift", GL_FLOAT_VEC2_ARB}};
    driver.objectParameters = {{GL_OBJECT_ACTIVE_ATTRIBUTES_ARB, 1},
                               {GL_OBJECT_ACTIVE_ATTRIBUTE_MAX_LENGTH_ARB, 16}};
    const int32_t instanced = create(3);
    ASSERT_EQ(FakeRuntime({A::integer(instanced), A::string("shift"), A::integer(2), A::integer(2),
                           A::array({0, 0, 1, 1})})
                  .call("MeshInstanceAttribute")
                  .intResult,
              1);
    FakeRuntime({A::integer(instanced), A::integer(4), A::integer(3)}).call("DrawMeshInstanced");
    EXPECT_EQ(warnings(), "DrawMeshInstanced: instances 3 are more than the 2 rows of shift\n");
    FakeRuntime({A::integer(instanced), A::integer(4), A::integer(2)}).call("DrawMeshInstanced");
    EXPECT_EQ(driver.last("glDrawArraysInstancedARB")->ints, (std::vector<int64_t>{4, 0, 3, 2}));
    EXPECT_EQ(driver.last("glVertexAttribDivisorARB")->ints, (std::vector<int64_t>{2, 1}));

    // Without the instancing extensions an instanced draw says so.
    entryPoints.glDrawArraysInstancedARB = nullptr;
    FakeRuntime({A::integer(instanced), A::integer(4), A::integer(2)}).call("DrawMeshInstanced");
    EXPECT_EQ(warnings(), "DrawMeshInstanced: instanced drawing is not supported\n");
}

TEST_F(Meshes, WarningsRepeatedAreCountedAndTheirNumberIsBounded) {
    for (int i = 0; i < 3; ++i) FakeRuntime({A::integer(5)}).call("DeleteMesh");
    // A call that writes the build log leaves the warnings not yet read.
    EXPECT_EQ(create(0), 0);
    EXPECT_EQ(create(1), 1);
    FakeRuntime({A::integer(6)}).call("DeleteMesh");
    EXPECT_EQ(warnings(), "DeleteMesh: 5 is not a mesh (3 times)\nDeleteMesh: 6 is not a mesh\n");
    EXPECT_EQ(warnings(), "") << "read once";
    for (int i = 0; i < 70; ++i) FakeRuntime({A::integer(100 + i)}).call("DeleteMesh");
    const std::string text = warnings();
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 65);
    EXPECT_NE(text.find("DeleteMesh: 163 is not a mesh\n(6 more warnings)\n"), std::string::npos);
}

} // namespace
} // namespace corvanta::testing
