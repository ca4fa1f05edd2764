#include <cfloat>
#include <cmath>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "glext/gl_tokens.h"

#include "tests/unit/handler_test_support.h"

namespace corvanta::testing {
namespace {

using Uniforms = HandlerTest;

std::vector<float> floatsIn(const std::vector<unsigned char> &bytes) {
    std::vector<float> values(bytes.size() / 4);
    std::memcpy(values.data(), bytes.data(), values.size() * 4);
    return values;
}

std::vector<int32_t> intsIn(const std::vector<unsigned char> &bytes) {
    std::vector<int32_t> values(bytes.size() / 4);
    std::memcpy(values.data(), bytes.data(), values.size() * 4);
    return values;
}

TEST_F(Uniforms, SeparateArgumentsReachTheDriverLocationFirstInScriptOrder) {
    FakeRuntime({A::integer(5), A::integer(1), A::integer(2), A::integer(3), A::integer(4)})
        .call("glUniform4iARB");
    EXPECT_EQ(driver.last("glUniform4iARB")->ints, (std::vector<int64_t>{5, 1, 2, 3, 4}));
    FakeRuntime({A::integer(5), A::integer(-8), A::integer(9)}).call("glUniform2iARB");
    EXPECT_EQ(driver.last("glUniform2iARB")->ints, (std::vector<int64_t>{5, -8, 9}));
    FakeRuntime({A::integer(6), A::real(1.0), A::real(2.0), A::real(3.0)}).call("glUniform3fARB");
    EXPECT_EQ(driver.last("glUniform3fARB")->ints, (std::vector<int64_t>{6}));
    EXPECT_EQ(driver.last("glUniform3fARB")->floats, (std::vector<float>{1.0f, 2.0f, 3.0f}));
    FakeRuntime({A::integer(6), A::real(0.5), A::real(-1.5), A::real(2.5), A::real(4.0)})
        .call("glUniform4fARB");
    EXPECT_EQ(driver.last("glUniform4fARB")->floats, (std::vector<float>{0.5f, -1.5f, 2.5f, 4.0f}));
    FakeRuntime({A::integer(2), A::integer(7)}).call("glUniform1iARB");
    EXPECT_EQ(driver.last("glUniform1iARB")->ints, (std::vector<int64_t>{2, 7}));
    FakeRuntime({A::integer(2), A::integer(7), A::integer(8), A::integer(9)}).call("glUniform3iARB");
    EXPECT_EQ(driver.last("glUniform3iARB")->ints, (std::vector<int64_t>{2, 7, 8, 9}));
    FakeRuntime({A::integer(2), A::real(7), A::real(8)}).call("glUniform2fARB");
    EXPECT_EQ(driver.last("glUniform2fARB")->floats, (std::vector<float>{7, 8}));
    // Vertex attributes: the attribute index first, as the uniforms' location.
    FakeRuntime({A::integer(3), A::real(0.5)}).call("glVertexAttrib1fARB");
    EXPECT_EQ(driver.last("glVertexAttrib1fARB")->floats, (std::vector<float>{0.5f}));
    FakeRuntime({A::integer(3), A::real(1), A::real(2)}).call("glVertexAttrib2fARB");
    EXPECT_EQ(driver.last("glVertexAttrib2fARB")->floats, (std::vector<float>{1, 2}));
    FakeRuntime({A::integer(3), A::real(1), A::real(2), A::real(3)}).call("glVertexAttrib3fARB");
    EXPECT_EQ(driver.last("glVertexAttrib3fARB")->floats, (std::vector<float>{1, 2, 3}));
    FakeRuntime({A::integer(3), A::real(1), A::real(2), A::real(3), A::real(0.1)})
        .call("glVertexAttrib4fARB");
    EXPECT_EQ(driver.last("glVertexAttrib4fARB")->ints, (std::vector<int64_t>{3}));
    EXPECT_EQ(driver.last("glVertexAttrib4fARB")->floats, (std::vector<float>{1, 2, 3, 0.1f}));
    EXPECT_TRUE(heap.allocations.empty()) << "separate arguments need no buffer";
}

TEST_F(Uniforms, RealsAreNarrowedToTheNearestFloat) {
    FakeRuntime({A::integer(1), A::real(0.1)}).call("glUniform1fARB");
    const float narrowed = driver.last("glUniform1fARB")->floats.at(0);
    EXPECT_EQ(narrowed, 0.1f);
    EXPECT_NE(static_cast<double>(narrowed), 0.1);
    FakeRuntime({A::integer(1), A::integer(3), A::array({0.1, 1e-45, 3.4028235e38})}).call("glUniform1fvARB");
    EXPECT_EQ(floatsIn(driver.last("glUniform1fvARB")->bytes),
              (std::vector<float>{0.1f, 1e-45f, 3.4028235e38f}));
}

TEST_F(Uniforms, RealsBeyondTheFloatRangeRoundAsIEEEDoes) {
    FakeRuntime({A::integer(1), A::real(1e300), A::real(-1e300), A::real(std::nan(""))})
        .call("glUniform3fARB");
    const std::vector<float> sent = driver.last("glUniform3fARB")->floats;
    EXPECT_EQ(sent[0], HUGE_VALF);
    EXPECT_EQ(sent[1], -HUGE_VALF);
    EXPECT_TRUE(std::isnan(sent[2]));
    // Just past the largest float, and half a step past it.
    FakeRuntime({A::integer(1), A::real(3.4028235e38), A::real(-0x1.ffffffp+127)}).call("glUniform2fARB");
    EXPECT_EQ(driver.last("glUniform2fARB")->floats, (std::vector<float>{FLT_MAX, -HUGE_VALF}));
}

TEST_F(Uniforms, ArrayUploadsDescribeTheArrayAndSendItElementAfterElement) {
    FakeRuntime runtime({A::integer(4), A::integer(3), A::array({1, 2, 3, 4, 5, 6})});
    runtime.call("glUniform2fvARB");
    EXPECT_EQ(runtime.log,
              (std::vector<std::string>{"GetIntParam(3)", "GetIntParam(2)", "BeginValueType(-251)",
                                        "AddArrayDims(2,3,2)", "ReadParamData(1)"}));
    const DriverCall *call = driver.last("glUniform2fvARB");
    EXPECT_EQ(call->ints, (std::vector<int64_t>{4, 3}));
    EXPECT_EQ(call->bytes.size(), 24u);
    EXPECT_EQ(floatsIn(call->bytes), (std::vector<float>{1, 2, 3, 4, 5, 6}));
    // One allocation of exactly count x 2 x 4 bytes, not zero-filled.
    ASSERT_EQ(heap.allocations.size(), 1u);
    EXPECT_EQ(heap.allocations[0].size, 24u);
    EXPECT_FALSE(heap.allocations[0].zeroed);
    EXPECT_EQ(heap.releases, 1);

    FakeRuntime ints({A::integer(4), A::integer(2), A::array({-1, 2})});
    ints.call("glUniform1ivARB");
    EXPECT_TRUE(ints.logged("BeginValueType(-253)"));
    EXPECT_TRUE(ints.logged("AddArrayDims(1,2)"));
    EXPECT_EQ(intsIn(driver.last("glUniform1ivARB")->bytes), (std::vector<int32_t>{-1, 2}));
}

TEST_F(Uniforms, EveryArrayHandlerUsesItsComponentCountAndCode) {
    const struct {
        const char *handler;
        const char *entry;
        int components;
        bool real;
    } arrays[] = {
        {"glUniform1ivARB", "glUniform1ivARB", 1, false}, {"glUniform2ivARB", "glUniform2ivARB", 2, false},
        {"glUniform3ivARB", "glUniform3ivARB", 3, false}, {"glUniform4ivARB", "glUniform4ivARB", 4, false},
        {"glUniform1fvARB", "glUniform1fvARB", 1, true},  {"glUniform2fvARB", "glUniform2fvARB", 2, true},
        {"glUniform3fvARB", "glUniform3fvARB", 3, true},  {"glUniform4fvARB", "glUniform4fvARB", 4, true}};
    for (const auto &a : arrays) {
        SCOPED_TRACE(a.entry);
        std::vector<double> values(size_t(2 * a.components));
        for (size_t i = 0; i < values.size(); ++i) values[i] = double(i + 1);
        FakeRuntime runtime({A::integer(8), A::integer(2), A::array(values)});
        runtime.call(a.handler);
        EXPECT_TRUE(runtime.logged(a.real ? "BeginValueType(-251)" : "BeginValueType(-253)"));
        EXPECT_TRUE(runtime.logged(a.components == 1
                                       ? std::string("AddArrayDims(1,2)")
                                       : "AddArrayDims(2,2," + std::to_string(a.components) + ")"));
        const DriverCall *call = driver.last(a.entry);
        ASSERT_NE(call, nullptr);
        EXPECT_EQ(call->ints, (std::vector<int64_t>{8, 2}));
        std::vector<double> sent;
        if (a.real)
            for (float v : floatsIn(call->bytes)) sent.push_back(v);
        else
            for (int32_t v : intsIn(call->bytes)) sent.push_back(v);
        EXPECT_EQ(sent, values);
        EXPECT_EQ(heap.allocations.back().size, size_t(2 * a.components * 4));
    }
}

TEST_F(Uniforms, MatrixUploadsSendCountRowsOfColumnsTimesRowsWithTheTransposeFlag) {
    const struct {
        const char *handler;
        const char *entry;
        int components;
    } matrices[] = {{"glUniformMatrix2fvARB", "glUniformMatrix2fvARB", 4},
                    {"glUniformMatrix3fvARB", "glUniformMatrix3fvARB", 9},
                    {"glUniformMatrix4fvARB", "glUniformMatrix4fvARB", 16},
                    {"glUniformMatrix2x3fv", "glUniformMatrix2x3fv", 6},
                    {"glUniformMatrix3x2fv", "glUniformMatrix3x2fv", 6},
                    {"glUniformMatrix2x4fv", "glUniformMatrix2x4fv", 8},
                    {"glUniformMatrix4x2fv", "glUniformMatrix4x2fv", 8},
                    {"glUniformMatrix3x4fv", "glUniformMatrix3x4fv", 12},
                    {"glUniformMatrix4x3fv", "glUniformMatrix4x3fv", 12}};
    for (const auto &m : matrices) {
        SCOPED_TRACE(m.entry);
        // Two matrices, the second's values following the first's, row by row.
        std::vector<double> values(size_t(2 * m.components));
        for (size_t i = 0; i < values.size(); ++i) values[i] = double(i) + 0.5;
        FakeRuntime runtime({A::integer(8), A::integer(2), A::integer(0), A::array(values)});
        runtime.call(m.handler);
        EXPECT_TRUE(runtime.logged("BeginValueType(-251)"));
        EXPECT_TRUE(runtime.logged("AddArrayDims(2,2," + std::to_string(m.components) + ")"));
        const DriverCall *call = driver.last(m.entry);
        ASSERT_NE(call, nullptr);
        EXPECT_EQ(call->ints, (std::vector<int64_t>{8, 2, 0}));
        EXPECT_EQ(floatsIn(call->bytes), std::vector<float>(values.begin(), values.end()));
        EXPECT_EQ(heap.allocations.back().size, size_t(2 * m.components * 4));
        // Any transpose but 0 reaches the driver as GL's true, 1.
        FakeRuntime({A::integer(8), A::integer(1), A::integer(-7), A::array(values)}).call(m.handler);
        EXPECT_EQ(driver.last(m.entry)->ints, (std::vector<int64_t>{8, 1, 1}));
    }
}

TEST_F(Uniforms, ACountOfZeroStillReachesTheDriverWithAValidPointer) {
    FakeRuntime({A::integer(4), A::integer(0), A::array({})}).call("glUniform1ivARB");
    const DriverCall *call = driver.last("glUniform1ivARB");
    ASSERT_NE(call, nullptr);
    EXPECT_EQ(call->ints, (std::vector<int64_t>{4, 0}));
    EXPECT_NE(call->pointer, nullptr);
}

TEST_F(Uniforms, UnusableCountsAndFailedAllocationsLeaveTheUniformAlone) {
    // Negative, and byte sizes past 32 bits (2^28 vec4s is exactly 2^32 bytes).
    for (int32_t count : {-1, INT32_MIN, 1 << 28, INT32_MAX}) {
        FakeRuntime runtime({A::integer(4), A::integer(count), A::array({1, 2, 3, 4})});
        runtime.call("glUniform4fvARB");
        EXPECT_FALSE(runtime.logged("ReadParamData")) << count;
        FakeRuntime matrix({A::integer(4), A::integer(count), A::integer(0), A::array({1, 2, 3, 4})});
        matrix.call("glUniformMatrix4fvARB");
        EXPECT_FALSE(matrix.logged("ReadParamData")) << count;
    }
    EXPECT_TRUE(heap.allocations.empty());
    heap.failNext = true;
    FakeRuntime failed({A::integer(4), A::integer(1), A::array({1, 2, 3, 4})});
    failed.call("glUniform4fvARB");
    EXPECT_FALSE(failed.logged("ReadParamData"));
    EXPECT_EQ(driver.count("glUniform4fvARB"), 0);
}

TEST_F(Uniforms, NullEntryPointsMakeUniformHandlersDoNothing) {
    entryPoints = {};
    FakeRuntime({A::integer(1), A::integer(2)}).call("glUniform1iARB");
    FakeRuntime({A::integer(1), A::real(2), A::real(3), A::real(4), A::real(5)}).call("glUniform4fARB");
    FakeRuntime arrays({A::integer(1), A::integer(1), A::array({1, 2, 3})});
    arrays.call("glUniform3fvARB").call("glUniform3ivARB");
    EXPECT_FALSE(arrays.logged("ReadParamData"));
    FakeRuntime matrices({A::integer(1), A::integer(1), A::integer(0), A::array({1, 2, 3, 4})});
    for (const char *matrix : {"glUniformMatrix2fvARB", "glUniformMatrix3fvARB", "glUniformMatrix4fvARB",
                               "glUniformMatrix2x3fv", "glUniformMatrix3x2fv", "glUniformMatrix2x4fv",
                               "glUniformMatrix4x2fv", "glUniformMatrix3x4fv", "glUniformMatrix4x3fv"})
        matrices.call(matrix);
    EXPECT_FALSE(matrices.logged("ReadParamData"));
    FakeRuntime({A::integer(1), A::real(2), A::real(3), A::real(4), A::real(5)}).call("glVertexAttrib4fARB");
    FakeRuntime({A::integer(1), A::real(2)}).call("glVertexAttrib1fARB");
    EXPECT_TRUE(heap.allocations.empty());
    EXPECT_TRUE(driver.calls.empty());
}

TEST_F(Uniforms, SwapIntervalNeedsOnlyItsOwnEntryPoint) {
    shaderSupported = 0;
    FakeRuntime({A::integer(1)}).call("wglSwapIntervalEXT");
    EXPECT_EQ(driver.last("wglSwapIntervalEXT")->ints, (std::vector<int64_t>{1}));

    entryPoints.wglSwapIntervalEXT = nullptr;
    FakeRuntime runtime({A::integer(1)});
    runtime.call("wglSwapIntervalEXT");
    EXPECT_TRUE(runtime.log.empty()) << "reads no argument";
    EXPECT_EQ(driver.count("wglSwapIntervalEXT"), 1);
}

// A linked program 9 with one uniform of each kind the setters tell apart,
// each at its own location; program 5 is the one in use.
class UniformsByName : public HandlerTest {
protected:
    void SetUp() override {
        HandlerTest::SetUp();
        driver.uniforms = {{"time", 0x1406},  {"tint", 0x8B52},          {"count", 0x1404}, {"flag", 0x8B56},
                           {"image", 0x8B5E}, {"weights[0]", 0x1406, 4}, {"pose", 0x8B65}};
        for (size_t i = 0; i < driver.uniforms.size(); ++i)
            driver.uniformLocations[driver.uniforms[i].name] = GLint(10 + i);
        driver.uniformLocations["weights"] = 15;
        driver.uniformLocations["weights[2]"] = 17;
        driver.parametersOf[9] = {{GL_OBJECT_TYPE_ARB, GLint(GL_PROGRAM_OBJECT_ARB)},
                                  {GL_OBJECT_LINK_STATUS_ARB, 1},
                                  {GL_OBJECT_ACTIVE_UNIFORMS_ARB, GLint(driver.uniforms.size())},
                                  {GL_ACTIVE_UNIFORM_MAX_LENGTH, 16}};
        driver.handle = 5;
    }
    // The program switches and uniform settings from the `from`th call on.
    std::vector<std::string> programCalls(size_t from = 0) const {
        std::vector<std::string> names;
        for (const DriverCall &call :
             std::vector<DriverCall>(driver.calls.begin() + long(from), driver.calls.end()))
            if (call.name.rfind("glUniform", 0) == 0 || call.name == "glUseProgramObjectARB")
                names.push_back(call.name + "(" + std::to_string(call.ints.at(0)) + ")");
        return names;
    }
};

TEST_F(UniformsByName, EachSetterSetsItsUniformOnTheProgramInUseOrForTheOneCall) {
    const struct {
        const char *call;
        std::vector<FakeArg> values;
        const char *entry;
        GLint location;
    } setters[] = {
        {"SetUniform1f", {A::string("time"), A::real(0.5)}, "glUniform1fARB", 10},
        {"SetUniform4f",
         {A::string("tint"), A::real(1), A::real(2), A::real(3), A::real(4)},
         "glUniform4fARB",
         11},
        {"SetUniform1i", {A::string("count"), A::integer(3)}, "glUniform1iARB", 12},
        {"SetUniform1i", {A::string("flag"), A::integer(1)}, "glUniform1iARB", 13},
        {"SetUniform1i", {A::string("image"), A::integer(2)}, "glUniform1iARB", 14},
        {"SetUniform1f", {A::string("weights[2]"), A::real(0.5)}, "glUniform1fARB", 17},
        {"SetUniformArray",
         {A::string("weights"), A::integer(4), A::array({1, 2, 3, 4})},
         "glUniform1fvARB",
         15},
        {"SetUniformMatrix", {A::string("pose"), A::array({1, 2, 3, 4, 5, 6})}, "glUniformMatrix2x3fv", 16},
    };
    for (GLhandleARB inUse : {9u, 5u}) {
        for (const auto &setter : setters) {
            SCOPED_TRACE(std::string(setter.call) + " with program " + std::to_string(inUse) + " in use");
            driver.handle = inUse;
            const size_t from = driver.calls.size();
            std::vector<FakeArg> args = {A::integer(9)};
            args.insert(args.end(), setter.values.begin(), setter.values.end());
            FakeRuntime(args).call(setter.call);
            const std::string set = std::string(setter.entry) + "(" + std::to_string(setter.location) + ")";
            const std::vector<std::string> expected =
                inUse == 9
                    ? std::vector<std::string>{set}
                    : std::vector<std::string>{"glUseProgramObjectARB(9)", set, "glUseProgramObjectARB(5)"};
            EXPECT_EQ(programCalls(from), expected);
            EXPECT_EQ(driver.handle, inUse);
        }
    }
    EXPECT_EQ(warnings(), "");
    EXPECT_EQ(driver.last("glUniform4fARB")->floats, (std::vector<float>{1, 2, 3, 4}));
    // A matrix's rows as the script writes them, uploaded transposed.
    EXPECT_EQ(driver.last("glUniformMatrix2x3fv")->ints, (std::vector<int64_t>{16, 1, 1}));
    EXPECT_EQ(floatsIn(driver.last("glUniformMatrix2x3fv")->bytes), (std::vector<float>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(driver.last("glUniform1fvARB")->ints, (std::vector<int64_t>{15, 4}));
}

TEST_F(UniformsByName, ACallThatDoesNotFitSetsNothingAndSaysWhy) {
    driver.parametersOf[4] = {{GL_OBJECT_TYPE_ARB, GLint(GL_PROGRAM_OBJECT_ARB)},
                              {GL_OBJECT_LINK_STATUS_ARB, 0}};
    const struct {
        const char *call;
        std::vector<FakeArg> args;
        const char *warning;
    } misfits[] = {
        {"SetUniform3f",
         {A::integer(9), A::string("tint"), A::real(1), A::real(2), A::real(3)},
         "SetUniform3f: \"tint\" of program 9 is a vec4"},
        {"SetUniform1i",
         {A::integer(9), A::string("time"), A::integer(1)},
         "SetUniform1i: \"time\" of program 9 is a float"},
        {"SetUniform2i",
         {A::integer(9), A::string("count"), A::integer(1), A::integer(2)},
         "SetUniform2i: \"count\" of program 9 is an int"},
        {"SetUniform1f",
         {A::integer(9), A::string("image"), A::real(1)},
         "SetUniform1f: \"image\" of program 9 is a sampler2D"},
        {"SetUniformMatrix",
         {A::integer(9), A::string("tint"), A::array({1, 2, 3, 4})},
         "SetUniformMatrix: \"tint\" of program 9 is a vec4"},
        {"SetUniformArray",
         {A::integer(9), A::string("count"), A::integer(1), A::array({1})},
         "SetUniformArray: \"count\" of program 9 is an int"},
        {"SetUniformArray",
         {A::integer(9), A::string("weights[2]"), A::integer(3), A::array({1, 2, 3})},
         "SetUniformArray: count 3 for \"weights[2]\" of program 9, which has room for 2"},
        {"SetUniformArray",
         {A::integer(9), A::string("weights"), A::integer(0), A::array({})},
         "SetUniformArray: count 0 for \"weights\" of program 9, which has room for 4"},
        {"SetUniform1f",
         {A::integer(9), A::string("tme"), A::real(1)},
         "SetUniform1f: program 9 has no active uniform \"tme\" (did you mean \"time\"?)"},
        {"SetUniform1f",
         {A::integer(9), A::string("weights[4]"), A::real(1)},
         "SetUniform1f: program 9 has no active uniform \"weights[4]\" (\"weights\" has 4 elements)"},
        {"SetUniform1f",
         {A::integer(9), A::string("brightness"), A::real(1)},
         "SetUniform1f: program 9 has no active uniform \"brightness\" (a uniform the shaders do not use is "
         "removed when they are compiled)"},
        {"SetUniform1f",
         {A::integer(4), A::string("time"), A::real(1)},
         "SetUniform1f: 4 is not a linked program"},
        {"SetUniform1f",
         {A::integer(0), A::string("time"), A::real(1)},
         "SetUniform1f: 0 is not a linked program"},
        {"SetUniform1f",
         {A::integer(77), A::string("time"), A::real(1)},
         "SetUniform1f: 77 is not a linked program"},
    };
    driver.notPrograms = {77};
    for (const auto &misfit : misfits) {
        SCOPED_TRACE(misfit.warning);
        FakeRuntime(misfit.args).call(misfit.call);
        EXPECT_EQ(warnings(), std::string(misfit.warning) + "\n");
        EXPECT_EQ(programCalls(), std::vector<std::string>{});
    }
    // A handle that is no object is not asked of: that would leave an error.
    for (const DriverCall &call : driver.calls)
        EXPECT_FALSE(call.name == "glGetObjectParameterivARB" && call.ints[0] == 77);
    // Without support: nothing, and no warning.
    shaderSupported = 0;
    FakeRuntime({A::integer(9), A::string("tme"), A::real(1)}).call("SetUniform1f");
    EXPECT_EQ(warnings(), "");
}

// A faulty driver's array of two billion mat4: a count of 200 million is
// within it, but its values are more than a 32-bit count, and none is read.
TEST_F(UniformsByName, AnArraySizeFromAFaultyDriverOverflowsNoCount) {
    driver.uniforms.push_back({"faulty", 0x8B5C, 0x7FFFFFFF});
    driver.parametersOf[9][GL_OBJECT_ACTIVE_UNIFORMS_ARB] = GLint(driver.uniforms.size());
    FakeRuntime({A::integer(9), A::string("faulty"), A::integer(200000000), A::array(std::vector<double>(16, 1))})
        .call("SetUniformArray");
    EXPECT_EQ(driver.count("glUniformMatrix4fvARB"), 0);
}

TEST_F(UniformsByName, HasUniformKnowsArrayElementsWithinTheArray) {
    const std::pair<const char *, int32_t> names[] = {
        {"time", 1},      {"weights", 1},   {"weights[0]", 1}, {"weights[3]", 1}, {"weights[4]", 0},
        {"weights[]", 0}, {"weights[1", 0}, {"time[0]", 0},    {"tim", 0},        {"weightsx", 0}};
    for (const auto &[name, has] : names)
        EXPECT_EQ(FakeRuntime({A::integer(9), A::string(name)}).call("HasUniform").intResult, has) << name;
    EXPECT_EQ(FakeRuntime({A::integer(4), A::string("time")}).call("HasUniform").intResult, 0);
    EXPECT_EQ(warnings(), "") << "a question, not a misuse";
}

TEST_F(UniformsByName, WhatIsRememberedIsForgottenOnRelinkOrDeletionAndIsBounded) {
    const auto lookups = [&] { return driver.count("glGetActiveUniformARB"); };
    const auto set = [] {
        FakeRuntime({A::integer(9), A::string("count"), A::integer(1)}).call("SetUniform1i");
    };
    set();
    const int once = lookups();
    set();
    EXPECT_EQ(lookups(), once) << "remembered";
    for (const char *forgetting : {"glLinkProgramARB", "glDeleteObjectARB"}) {
        FakeRuntime({A::integer(9)}).call(forgetting);
        EXPECT_EQ(driver.last(forgetting)->ints, (std::vector<int64_t>{9}));
        const int before = lookups();
        set();
        EXPECT_GT(lookups(), before) << forgetting;
    }
    // A thousand programs keep at most 16 records.
    for (GLhandleARB program = 100; program < 1100; ++program) {
        driver.parametersOf[program] = driver.parametersOf[9];
        FakeRuntime({A::integer(int32_t(program)), A::string("count"), A::integer(1)}).call("SetUniform1i");
    }
    EXPECT_LE(heap.allocations.size() - size_t(heap.releases), 17u);
    EXPECT_EQ(warnings(), "");
}

} // namespace
} // namespace corvanta::testing
