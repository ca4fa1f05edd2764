#include <cfloat>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

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

} // namespace
} // namespace corvanta::testing
