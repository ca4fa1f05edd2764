#include <cstring>
#include <string>
#include <vector>

#include "tests/unit/handler_test_support.h"

namespace corvanta::testing {
namespace {

using namespace handlers;

constexpr GLenum GL_FLOAT = 0x1406;
constexpr GLenum GL_FLOAT_VEC3_ARB = 0x8B51;
constexpr GLenum GL_FLOAT_MAT4_ARB = 0x8B5C;
constexpr GLenum GL_OBJECT_INFO_LOG_LENGTH_ARB = 0x8B84;
constexpr GLenum GL_ACTIVE_UNIFORM_MAX_LENGTH = 0x8B87;

using ShaderObjects = HandlerTest;

TEST_F(ShaderObjects, ShaderInitReportsTheSupportFlagAsScriptTruth) {
    EXPECT_EQ(FakeRuntime().call(shaderInit).intResult, -1);
    shaderSupported = 0;
    EXPECT_EQ(FakeRuntime().call(shaderInit).intResult, 0);
    EXPECT_TRUE(driver.calls.empty());
}

TEST_F(ShaderObjects, StatusFunctionsAskForTheirTokenAndPassTheCellOn) {
    const struct {
        FunctionHandler handler;
        GLenum pname;
    } statuses[] = {
        {compileStatus, 0x8B81}, {linkStatus, 0x8B82}, {validateStatus, 0x8B83}, {getActiveUniforms, 0x8B86}};
    for (const auto &status : statuses) {
        SCOPED_TRACE(status.pname);
        driver.objectParameters = {{status.pname, 1}};
        EXPECT_EQ(FakeRuntime({A::integer(5)}).call(status.handler).intResult, 1);
        ASSERT_NE(driver.last("glGetObjectParameterivARB"), nullptr);
        EXPECT_EQ(driver.last("glGetObjectParameterivARB")->ints, (std::vector<int64_t>{5, status.pname}));
        // A handle or token the driver rejects leaves the preset 0.
        driver.objectParameters.clear();
        EXPECT_EQ(FakeRuntime({A::integer(99)}).call(status.handler).intResult, 0);
    }
}

TEST_F(ShaderObjects, InfoLogComesBackWithExactlyItsCharacters) {
    driver.infoLog = "0:1(1): error: syntax error";
    driver.objectParameters = {{GL_OBJECT_INFO_LOG_LENGTH_ARB, GLint(driver.infoLog.size() + 1)}};
    FakeRuntime runtime({A::integer(4)});
    runtime.call(getInfoLog);
    EXPECT_EQ(runtime.stringResult, driver.infoLog);
    EXPECT_EQ(runtime.resultCount, 1);
    // Two driver calls and one zero-filled buffer of the reported size.
    EXPECT_EQ(driver.calls.size(), 2u);
    EXPECT_EQ(driver.last("glGetInfoLogARB")->ints,
              (std::vector<int64_t>{4, GLint(driver.infoLog.size() + 1)}));
    ASSERT_EQ(heap.allocations.size(), 1u);
    EXPECT_EQ(heap.allocations[0].size, driver.infoLog.size() + 1);
    EXPECT_TRUE(heap.allocations[0].zeroed);
    EXPECT_EQ(heap.releases, 1);
}

TEST_F(ShaderObjects, TextQueriesAlwaysSetAResult) {
    // An empty log (length 0), a program without uniforms, a failed allocation:
    // the script still gets "" or 0, never what the host had before.
    for (GLint length : {0, -1}) {
        driver.objectParameters = {{GL_OBJECT_INFO_LOG_LENGTH_ARB, length},
                                   {GL_ACTIVE_UNIFORM_MAX_LENGTH, length}};
        EXPECT_EQ(FakeRuntime({A::integer(4)}).call(getInfoLog).stringResult, "");
        EXPECT_EQ(FakeRuntime({A::integer(4), A::integer(0)}).call(getUniformName).stringResult, "");
        EXPECT_EQ(FakeRuntime({A::integer(4), A::integer(0)}).call(getUniformType).intResult, 0);
    }
    EXPECT_TRUE(heap.allocations.empty());
    EXPECT_EQ(driver.count("glGetInfoLogARB") + driver.count("glGetActiveUniformARB"), 0);

    driver.infoLog = "warning";
    driver.objectParameters = {{GL_OBJECT_INFO_LOG_LENGTH_ARB, 8}};
    heap.failNext = true;
    EXPECT_EQ(FakeRuntime({A::integer(4)}).call(getInfoLog).stringResult, "");
    EXPECT_EQ(driver.count("glGetInfoLogARB"), 0);
}

TEST_F(ShaderObjects, TextIsTerminatedInsideTheBufferEvenIfTheDriverFillsIt) {
    driver.fillWholeBuffer = true;
    driver.objectParameters = {{GL_OBJECT_INFO_LOG_LENGTH_ARB, 6}, {GL_ACTIVE_UNIFORM_MAX_LENGTH, 6}};
    driver.uniforms = {{"anything", GL_FLOAT}};
    EXPECT_EQ(FakeRuntime({A::integer(4)}).call(getInfoLog).stringResult, "xxxxx");
    EXPECT_EQ(FakeRuntime({A::integer(4), A::integer(0)}).call(getUniformName).stringResult, "xxxxx");
}

TEST_F(ShaderObjects, UniformNameAndTypeComeFromTheActiveUniformAtTheIndex) {
    driver.uniforms = {{"time", GL_FLOAT}, {"colour", GL_FLOAT_VEC3_ARB}, {"mvp", GL_FLOAT_MAT4_ARB}};
    driver.objectParameters = {{GL_ACTIVE_UNIFORM_MAX_LENGTH, 7}};

    EXPECT_EQ(FakeRuntime({A::integer(9), A::integer(1)}).call(getUniformName).stringResult, "colour");
    const DriverCall *call = driver.last("glGetActiveUniformARB");
    EXPECT_EQ(call->ints, (std::vector<int64_t>{9, 1, 7}));
    EXPECT_TRUE(call->lengthPointerNull);
    EXPECT_EQ(FakeRuntime({A::integer(9), A::integer(2)}).call(getUniformType).intResult,
              GLint(GL_FLOAT_MAT4_ARB));
    EXPECT_EQ(driver.last("glGetObjectParameterivARB")->ints,
              (std::vector<int64_t>{9, GL_ACTIVE_UNIFORM_MAX_LENGTH}));

    // An index at or past the number of active uniforms.
    EXPECT_EQ(FakeRuntime({A::integer(9), A::integer(3)}).call(getUniformName).stringResult, "");
    EXPECT_EQ(FakeRuntime({A::integer(9), A::integer(3)}).call(getUniformType).intResult, 0);
    EXPECT_EQ(heap.allocations.size(), 4u);
    EXPECT_EQ(heap.releases, 4);
}

TEST_F(ShaderObjects, CreatorsAnswerZeroWithoutSupport) {
    EXPECT_EQ(FakeRuntime({A::integer(0x8B31)}).call(createShaderObject).intResult, 7);
    EXPECT_EQ(driver.last("glCreateShaderObjectARB")->ints, (std::vector<int64_t>{0x8B31}));
    EXPECT_EQ(FakeRuntime().call(createProgramObject).intResult, 7);

    shaderSupported = 0;
    driver.calls.clear();
    FakeRuntime shader({A::integer(0x8B31)});
    EXPECT_EQ(shader.call(createShaderObject).intResult, 0);
    EXPECT_FALSE(shader.logged("GetIntParam")) << "the shader type is not read";
    EXPECT_EQ(FakeRuntime().call(createProgramObject).intResult, 0);
    EXPECT_TRUE(driver.calls.empty());
}

TEST_F(ShaderObjects, SupportGuardedProceduresDoNothingWithoutSupport) {
    shaderSupported = 0;
    const FunctionHandler guarded[] = {linkProgram,  useProgramObject, deleteObject,
                                       attachObject, detachObject,     shaderSource};
    for (FunctionHandler handler : guarded) {
        FakeRuntime runtime({A::integer(1), A::integer(2)});
        runtime.call(handler);
        EXPECT_TRUE(runtime.log.empty());
    }
    EXPECT_TRUE(driver.calls.empty());

    // Compile needs only its own entry point; validate has no guard at all.
    FakeRuntime({A::integer(5)}).call(compileShader).call(validateProgram);
    EXPECT_EQ(driver.count("glCompileShaderARB"), 1);
    EXPECT_EQ(driver.count("glValidateProgramARB"), 1);
}

TEST_F(ShaderObjects, HandlesReachTheDriverInScriptOrder) {
    FakeRuntime({A::integer(10), A::integer(20)}).call(attachObject).call(detachObject);
    EXPECT_EQ(driver.last("glAttachObjectARB")->ints, (std::vector<int64_t>{10, 20}));
    EXPECT_EQ(driver.last("glDetachObjectARB")->ints, (std::vector<int64_t>{10, 20}));

    FakeRuntime({A::integer(11)})
        .call(compileShader)
        .call(linkProgram)
        .call(validateProgram)
        .call(useProgramObject)
        .call(deleteObject);
    for (const char *name : {"glCompileShaderARB", "glLinkProgramARB", "glValidateProgramARB",
                             "glUseProgramObjectARB", "glDeleteObjectARB"})
        EXPECT_EQ(driver.last(name)->ints, (std::vector<int64_t>{11})) << name;
}

TEST_F(ShaderObjects, SourceGoesToTheDriverAsOneTextWithoutLengths) {
    const std::string source = "void main() {\n  gl_FragColor = vec4(1.0);\n}\n";
    FakeRuntime({A::integer(3), A::string(source)}).call(shaderSource);
    const DriverCall *call = driver.last("glShaderSourceARB");
    ASSERT_NE(call, nullptr);
    EXPECT_EQ(call->ints, (std::vector<int64_t>{3, 1}));
    EXPECT_EQ(call->text, source);
    EXPECT_EQ(call->pointer, nullptr);

    FakeRuntime({A::integer(3), A::nullString()}).call(shaderSource);
    EXPECT_EQ(driver.count("glShaderSourceARB"), 1) << "a null text never reaches the driver";
}

TEST_F(ShaderObjects, ByReferenceQueriesWriteExactlyOneValueBack) {
    FakeRuntime rejected({A::integer(4), A::integer(0x1234), A::variable()});
    rejected.call(getObjectParameteriv);
    EXPECT_EQ(rejected.args[2].written, 0.0) << "a rejected pname still defines the variable";
    EXPECT_EQ(rejected.args[2].writtenCode, ValueInt32);
    EXPECT_EQ(rejected.log,
              (std::vector<std::string>{"GetIntParam(3)", "GetIntParam(2)", "BeginValueType(-253)",
                                        "AddPointerLevel", "WriteParamData(1)"}));

    driver.objectParametersFloat = {{0x8B81, 1.0f}};
    FakeRuntime status({A::integer(4), A::integer(0x8B81), A::variable()});
    status.call(getObjectParameterfv);
    EXPECT_EQ(status.args[2].written, 1.0);
    EXPECT_EQ(status.args[2].writtenCode, ValueFloat32);
    EXPECT_EQ(driver.last("glGetObjectParameterfvARB")->ints, (std::vector<int64_t>{4, 0x8B81}));
}

TEST_F(ShaderObjects, UniformQueriesGiveRoomForAMatrixAndHandBackTheFirstValue) {
    driver.uniformFloats.assign(16, 0.25f);
    driver.uniformFloats[0] = 0.5f;
    driver.uniformInts = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
    FakeRuntime real({A::integer(9), A::integer(3), A::variable()});
    real.call(getUniformfv);
    EXPECT_EQ(real.args[2].written, 0.5);
    EXPECT_EQ(driver.last("glGetUniformfvARB")->ints, (std::vector<int64_t>{9, 3}));
    FakeRuntime integer({A::integer(9), A::integer(3), A::variable()});
    integer.call(getUniformiv);
    EXPECT_EQ(integer.args[2].written, 1.0);
    EXPECT_EQ(integer.args[2].writtenCode, ValueInt32);
}

TEST_F(ShaderObjects, UniformLocationPassesTheNameAsGiven) {
    driver.uniformLocation = 12;
    EXPECT_EQ(FakeRuntime({A::integer(9), A::string("colour")}).call(getUniformLocation).intResult, 12);
    EXPECT_EQ(driver.last("glGetUniformLocationARB")->text, "colour");
    EXPECT_EQ(FakeRuntime({A::integer(9), A::nullString()}).call(getUniformLocation).intResult, -1);
    EXPECT_EQ(driver.count("glGetUniformLocationARB"), 1);
}

TEST_F(ShaderObjects, NoHandlerCallsANullEntryPointAndFunctionsStillAnswer) {
    entryPoints = {}; // support on, every entry point missing
    const struct {
        FunctionHandler handler;
        std::vector<FakeArg> args;
        bool answersText;
        bool answersInt;
    } cases[] = {
        {compileStatus, {A::integer(1)}, false, true},
        {getActiveUniforms, {A::integer(1)}, false, true},
        {getInfoLog, {A::integer(1)}, true, false},
        {getUniformName, {A::integer(1), A::integer(0)}, true, false},
        {getUniformType, {A::integer(1), A::integer(0)}, false, true},
        {createShaderObject, {A::integer(0x8B31)}, false, true},
        {createProgramObject, {}, false, true},
        {getUniformLocation, {A::integer(1), A::string("u")}, false, true},
        {shaderSource, {A::integer(1), A::string("x")}, false, false},
        {compileShader, {A::integer(1)}, false, false},
        {attachObject, {A::integer(1), A::integer(2)}, false, false},
        {linkProgram, {A::integer(1)}, false, false},
        {validateProgram, {A::integer(1)}, false, false},
        {useProgramObject, {A::integer(1)}, false, false},
        {detachObject, {A::integer(1), A::integer(2)}, false, false},
        {deleteObject, {A::integer(1)}, false, false},
    };
    for (const auto &c : cases) {
        FakeRuntime runtime(c.args);
        runtime.call(c.handler);
        if (c.answersText) {
            EXPECT_EQ(runtime.stringResult, "");
        }
        if (c.answersInt) {
            EXPECT_EQ(runtime.intResult, 0);
        }
        EXPECT_EQ(runtime.resultCount, c.answersText || c.answersInt ? 1 : 0);
    }
    for (FunctionHandler query : {getObjectParameteriv, getObjectParameterfv, getUniformiv, getUniformfv}) {
        FakeRuntime runtime({A::integer(1), A::integer(2), A::variable()});
        runtime.call(query);
        EXPECT_EQ(runtime.args[2].written, 0.0);
    }
    EXPECT_TRUE(driver.calls.empty());
}

} // namespace
} // namespace corvanta::testing
