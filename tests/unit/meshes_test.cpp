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

TEST_F(Meshes, ADrawEnablesWhatItNeedsAndLeavesGlsStateAsItFoundIt) {
    const int32_t mesh = create(3);
    ASSERT_EQ(mesh, 1);
    ASSERT_EQ(attribute(mesh, "gl_Vertex", 3, 3), 1);
    ASSERT_EQ(attribute(mesh, "gl_MultiTexCoord1", 2, 3), 1);
    ASSERT_EQ(attribute(mesh, "offset", 4, 3), 1);
    ASSERT_EQ(attribute(mesh, "unused", 1, 3), 1);
    ASSERT_EQ(indices(mesh, {0, 1, 2, 2, 1, 0}), 1);
    EXPECT_EQ(driver.arrayBufferBinding, 9u) << "uploads restore the bindings too";
    EXPECT_EQ(driver.elementBufferBinding, 10u);

    driver.calls.clear();
    driver.handle = 5; // the program in use
    driver.attribLocation = 2;
    FakeRuntime({A::integer(mesh), A::integer(4)}).call("DrawMesh");
    // The shader's attributes are asked for before anything is bound.
    EXPECT_EQ(driver.count("glGetAttribLocationARB"), 2);
    EXPECT_EQ(driver.count("glVertexPointer"), 1);
    EXPECT_EQ(driver.count("glEnableClientState"), driver.count("glDisableClientState"));
    EXPECT_EQ(driver.count("glEnableVertexAttribArrayARB"),
              2); // "offset" and "unused" both at location 2 here
    EXPECT_EQ(driver.count("glEnableVertexAttribArrayARB"), driver.count("glDisableVertexAttribArrayARB"));
    const DriverCall *drawn = driver.last("glDrawElements");
    ASSERT_NE(drawn, nullptr);
    EXPECT_EQ(drawn->ints, (std::vector<int64_t>{4, 6, GL_UNSIGNED_SHORT}));
    EXPECT_EQ(drawn->pointer, nullptr) << "an offset into the mesh's index buffer, from 0";
    EXPECT_EQ(driver.arrayBufferBinding, 9u);
    EXPECT_EQ(driver.elementBufferBinding, 10u);
    EXPECT_EQ(driver.last("glClientActiveTextureARB")->ints, (std::vector<int64_t>{GL_TEXTURE0_ARB + 2}));
    EXPECT_EQ(warnings(), "");

    // A range is an offset into the indices, 2 bytes each.
    FakeRuntime({A::integer(mesh), A::integer(4), A::integer(3), A::integer(3)}).call("DrawMeshRange");
    EXPECT_EQ(reinterpret_cast<uintptr_t>(driver.last("glDrawElements")->pointer), 6u);
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
    EXPECT_EQ(driver.count("glDrawElements") + driver.count("glDrawArrays"), 0);

    driver.calls.clear();
    FakeRuntime({A::integer(9), A::integer(4)}).call("DrawMesh");
    FakeRuntime({A::integer(mesh), A::integer(10)}).call("DrawMesh");
    FakeRuntime({A::integer(mesh), A::integer(4), A::integer(2), A::integer(2)}).call("DrawMeshRange");
    FakeRuntime({A::integer(mesh), A::integer(4), A::integer(0)}).call("DrawMeshInstanced");
    FakeRuntime({A::integer(mesh), A::integer(4), A::integer(3), A::integer(0)}).call("DrawMeshRange");
    FakeRuntime({A::integer(12)}).call("DeleteMesh");
    EXPECT_EQ(warnings(), "DrawMesh: 9 is not a mesh\n"
                          "DrawMesh: 10 is not a primitive mode\n"
                          "DrawMeshRange: first 2 and count 2 are not within the 3 vertices of mesh 1\n"
                          "DrawMeshInstanced: instances 0 are fewer than 1\n"
                          "DeleteMesh: 12 is not a mesh\n");
    EXPECT_EQ(namesCalled(), std::vector<std::string>{}) << "checked before anything is bound";

    // Per-instance rows bound the instances of a draw that uses them.
    driver.handle = 5;
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
    EXPECT_EQ(driver.count("glVertexAttribDivisorARB"), 2) << "set to 1 and back to 0";
}

TEST_F(Meshes, WarningsRepeatedAreCountedAndTheirNumberIsBounded) {
    for (int i = 0; i < 3; ++i) FakeRuntime({A::integer(5)}).call("DeleteMesh");
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
