#include <cstring>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "glext/gl_tokens.h"
#include "library/registration.h"
#include "tests/unit/handler_test_support.h"

namespace corvanta::testing {
namespace {

using ShaderObjects = HandlerTest;

TEST_F(ShaderObjects, ShaderInitReportsTheSupportFlagAsScriptTruth) {
    EXPECT_EQ(FakeRuntime().call("ShaderInit").intResult, -1);
    shaderSupported = 0;
    EXPECT_EQ(FakeRuntime().call("ShaderInit").intResult, 0);
    EXPECT_TRUE(driver.calls.empty());
}

TEST_F(ShaderObjects, StatusFunctionsAskForTheirTokenAndPassTheCellOn) {
    const struct {
        const char *handler;
        GLenum pname;
    } statuses[] = {{"CompileStatus", 0x8B81},
                    {"LinkStatus", 0x8B82},
                    {"ValidateStatus", 0x8B83},
                    {"GetActiveUniforms", 0x8B86},
                    {"GetActiveAttributes", 0x8B89}};
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

TEST_F(ShaderObjects, ObjectTextsComeBackWithExactlyTheirCharacters) {
    const struct {
        const char *handler;
        GLenum lengthName;
        const char *entry;
    } texts[] = {{"GetInfoLog", GL_OBJECT_INFO_LOG_LENGTH_ARB, "glGetInfoLogARB"},
                 {"GetShaderSource", GL_OBJECT_SHADER_SOURCE_LENGTH_ARB, "glGetShaderSourceARB"}};
    for (const auto &t : texts) {
        SCOPED_TRACE(t.entry);
        fakeDriver().install();
        heap = {};
        driver.infoLog = "0:1(1): error: syntax error";
        driver.shaderSource = driver.infoLog;
        const GLint length = GLint(driver.infoLog.size() + 1);
        driver.objectParameters = {{t.lengthName, length}};
        FakeRuntime runtime({A::integer(4)});
        runtime.call(t.handler);
        EXPECT_EQ(runtime.stringResult, driver.infoLog);
        EXPECT_EQ(runtime.resultCount, 1);
        // Two driver calls and one zero-filled buffer of the reported size.
        EXPECT_EQ(driver.calls.size(), 2u);
        EXPECT_EQ(driver.last("glGetObjectParameterivARB")->ints, (std::vector<int64_t>{4, t.lengthName}));
        EXPECT_EQ(driver.last(t.entry)->ints, (std::vector<int64_t>{4, length}));
        ASSERT_EQ(heap.allocations.size(), 1u);
        EXPECT_EQ(heap.allocations[0].size, driver.infoLog.size() + 1);
        EXPECT_TRUE(heap.allocations[0].zeroed);
        EXPECT_EQ(heap.releases, 1);
    }
}

TEST_F(ShaderObjects, TextQueriesAlwaysSetAResult) {
    // An empty log (length 0), a program without uniforms, a failed allocation:
    // the script still gets "" or 0, never what the host had before.
    for (GLint length : {0, -1}) {
        driver.objectParameters = {{GL_OBJECT_INFO_LOG_LENGTH_ARB, length},
                                   {GL_ACTIVE_UNIFORM_MAX_LENGTH, length}};
        EXPECT_EQ(FakeRuntime({A::integer(4)}).call("GetInfoLog").stringResult, "");
        EXPECT_EQ(FakeRuntime({A::integer(4), A::integer(0)}).call("GetUniformName").stringResult, "");
        EXPECT_EQ(FakeRuntime({A::integer(4), A::integer(0)}).call("GetUniformType").intResult, 0);
    }
    EXPECT_TRUE(heap.allocations.empty());
    EXPECT_EQ(driver.count("glGetInfoLogARB") + driver.count("glGetActiveUniformARB"), 0);

    driver.infoLog = "warning";
    driver.objectParameters = {{GL_OBJECT_INFO_LOG_LENGTH_ARB, 8}};
    heap.failNext = true;
    EXPECT_EQ(FakeRuntime({A::integer(4)}).call("GetInfoLog").stringResult, "");
    EXPECT_EQ(driver.count("glGetInfoLogARB"), 0);
}

TEST_F(ShaderObjects, TextIsTerminatedInsideTheBufferEvenIfTheDriverFillsIt) {
    driver.fillWholeBuffer = true;
    driver.objectParameters = {{GL_OBJECT_INFO_LOG_LENGTH_ARB, 6}, {GL_ACTIVE_UNIFORM_MAX_LENGTH, 6}};
    driver.uniforms = {{"anything", GL_FLOAT}};
    EXPECT_EQ(FakeRuntime({A::integer(4)}).call("GetInfoLog").stringResult, "xxxxx");
    EXPECT_EQ(FakeRuntime({A::integer(4), A::integer(0)}).call("GetUniformName").stringResult, "xxxxx");
}

TEST_F(ShaderObjects, NameTypeAndSizeComeFromTheActiveUniformOrAttributeAtTheIndex) {
    const struct {
        const char *name, *type;
        GLenum maxLength;
        const char *entry;
        std::vector<ActiveVariable> FakeDriver::*list;
    } lists[] = {
        {"GetUniformName", "GetUniformType", GL_ACTIVE_UNIFORM_MAX_LENGTH, "glGetActiveUniformARB",
         &FakeDriver::uniforms},
        {"GetAttribName", "GetAttribType", GL_OBJECT_ACTIVE_ATTRIBUTE_MAX_LENGTH_ARB, "glGetActiveAttribARB",
         &FakeDriver::attributes},
    };
    for (const auto &l : lists) {
        SCOPED_TRACE(l.entry);
        fakeDriver().install();
        heap = {};
        driver.*l.list = {{"time", GL_FLOAT}, {"colour", GL_FLOAT_VEC3_ARB}, {"mvp", GL_FLOAT_MAT4_ARB}};
        driver.objectParameters = {{l.maxLength, 7}};

        EXPECT_EQ(FakeRuntime({A::integer(9), A::integer(1)}).call(l.name).stringResult, "colour");
        const DriverCall *call = driver.last(l.entry);
        EXPECT_EQ(call->ints, (std::vector<int64_t>{9, 1, 7}));
        EXPECT_TRUE(call->lengthPointerNull);
        EXPECT_EQ(FakeRuntime({A::integer(9), A::integer(2)}).call(l.type).intResult,
                  GLint(GL_FLOAT_MAT4_ARB));
        EXPECT_EQ(driver.last("glGetObjectParameterivARB")->ints, (std::vector<int64_t>{9, l.maxLength}));

        // An index at or past the number of active variables.
        EXPECT_EQ(FakeRuntime({A::integer(9), A::integer(3)}).call(l.name).stringResult, "");
        EXPECT_EQ(FakeRuntime({A::integer(9), A::integer(3)}).call(l.type).intResult, 0);
        EXPECT_EQ(heap.allocations.size(), 4u);
        EXPECT_EQ(heap.releases, 4);
    }

    // The array size of a uniform: 1 for a plain one, 0 past the last and
    // for a program without uniforms (no name length to size a buffer by).
    driver.uniforms = {{"time", GL_FLOAT}, {"lights", GL_FLOAT_VEC3_ARB, 4}};
    driver.objectParameters = {{GL_ACTIVE_UNIFORM_MAX_LENGTH, 10}};
    EXPECT_EQ(FakeRuntime({A::integer(9), A::integer(1)}).call("GetUniformSize").intResult, 4);
    EXPECT_EQ(FakeRuntime({A::integer(9), A::integer(0)}).call("GetUniformSize").intResult, 1);
    EXPECT_EQ(FakeRuntime({A::integer(9), A::integer(2)}).call("GetUniformSize").intResult, 0);
    driver.objectParameters.clear();
    EXPECT_EQ(FakeRuntime({A::integer(9), A::integer(1)}).call("GetUniformSize").intResult, 0);
}

TEST_F(ShaderObjects, CreatorsAnswerZeroWithoutSupport) {
    EXPECT_EQ(FakeRuntime({A::integer(0x8B31)}).call("glCreateShaderObjectARB").intResult, 7);
    EXPECT_EQ(driver.last("glCreateShaderObjectARB")->ints, (std::vector<int64_t>{0x8B31}));
    EXPECT_EQ(FakeRuntime().call("glCreateProgramObjectARB").intResult, 7);

    shaderSupported = 0;
    driver.calls.clear();
    FakeRuntime shader({A::integer(0x8B31)});
    EXPECT_EQ(shader.call("glCreateShaderObjectARB").intResult, 0);
    EXPECT_FALSE(shader.logged("GetIntParam")) << "the shader type is not read";
    EXPECT_EQ(FakeRuntime().call("glCreateProgramObjectARB").intResult, 0);
    EXPECT_TRUE(driver.calls.empty());
}

TEST_F(ShaderObjects, SupportGuardedProceduresDoNothingWithoutSupport) {
    shaderSupported = 0;
    const char *const guarded[] = {"glLinkProgramARB",  "glUseProgramObjectARB", "glDeleteObjectARB",
                                   "glAttachObjectARB", "glDetachObjectARB",     "glShaderSourceARB"};
    for (const char *handler : guarded) {
        FakeRuntime runtime({A::integer(1), A::integer(2)});
        runtime.call(handler);
        EXPECT_TRUE(runtime.log.empty());
    }
    EXPECT_TRUE(driver.calls.empty());

    // Compile needs only its own entry point; validate has no guard at all.
    FakeRuntime({A::integer(5)}).call("glCompileShaderARB").call("glValidateProgramARB");
    EXPECT_EQ(driver.count("glCompileShaderARB"), 1);
    EXPECT_EQ(driver.count("glValidateProgramARB"), 1);
}

TEST_F(ShaderObjects, HandlesReachTheDriverInScriptOrder) {
    FakeRuntime({A::integer(10), A::integer(20)}).call("glAttachObjectARB").call("glDetachObjectARB");
    EXPECT_EQ(driver.last("glAttachObjectARB")->ints, (std::vector<int64_t>{10, 20}));
    EXPECT_EQ(driver.last("glDetachObjectARB")->ints, (std::vector<int64_t>{10, 20}));

    FakeRuntime({A::integer(11)})
        .call("glCompileShaderARB")
        .call("glLinkProgramARB")
        .call("glValidateProgramARB")
        .call("glUseProgramObjectARB")
        .call("glDeleteObjectARB");
    for (const char *name : {"glCompileShaderARB", "glLinkProgramARB", "glValidateProgramARB",
                             "glUseProgramObjectARB", "glDeleteObjectARB"})
        EXPECT_EQ(driver.last(name)->ints, (std::vector<int64_t>{11})) << name;
}

TEST_F(ShaderObjects, SourceGoesToTheDriverAsOneTextWithoutLengths) {
    const std::string source = "void main() {\n  gl_FragColor = vec4(1.0);\n}\n";
    FakeRuntime({A::integer(3), A::string(source)}).call("glShaderSourceARB");
    const DriverCall *call = driver.last("glShaderSourceARB");
    ASSERT_NE(call, nullptr);
    EXPECT_EQ(call->ints, (std::vector<int64_t>{3, 1}));
    EXPECT_EQ(call->text, source);
    EXPECT_EQ(call->pointer, nullptr);

    FakeRuntime({A::integer(3), A::nullString()}).call("glShaderSourceARB");
    EXPECT_EQ(driver.count("glShaderSourceARB"), 1) << "a null text never reaches the driver";
}

TEST_F(ShaderObjects, ByReferenceQueriesWriteExactlyOneValueBack) {
    FakeRuntime rejected({A::integer(4), A::integer(0x1234), A::variable()});
    rejected.call("glGetObjectParameterivARB");
    EXPECT_EQ(rejected.args[2].written, 0.0) << "a rejected pname still defines the variable";
    EXPECT_EQ(rejected.args[2].writtenCode, ValueInt32);
    EXPECT_EQ(rejected.log,
              (std::vector<std::string>{"GetIntParam(3)", "GetIntParam(2)", "BeginValueType(-253)",
                                        "AddPointerLevel", "WriteParamData(1)"}));

    driver.objectParametersFloat = {{0x8B81, 1.0f}};
    FakeRuntime status({A::integer(4), A::integer(0x8B81), A::variable()});
    status.call("glGetObjectParameterfvARB");
    EXPECT_EQ(status.args[2].written, 1.0);
    EXPECT_EQ(status.args[2].writtenCode, ValueFloat32);
    EXPECT_EQ(driver.last("glGetObjectParameterfvARB")->ints, (std::vector<int64_t>{4, 0x8B81}));
}

TEST_F(ShaderObjects, UniformQueriesGiveRoomForAMatrixAndHandBackTheFirstValue) {
    driver.uniformFloats.assign(16, 0.25f);
    driver.uniformFloats[0] = 0.5f;
    driver.uniformInts = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
    FakeRuntime real({A::integer(9), A::integer(3), A::variable()});
    real.call("glGetUniformfvARB");
    EXPECT_EQ(real.args[2].written, 0.5);
    EXPECT_EQ(driver.last("glGetUniformfvARB")->ints, (std::vector<int64_t>{9, 3}));
    FakeRuntime integer({A::integer(9), A::integer(3), A::variable()});
    integer.call("glGetUniformivARB");
    EXPECT_EQ(integer.args[2].written, 1.0);
    EXPECT_EQ(integer.args[2].writtenCode, ValueInt32);
}

TEST_F(ShaderObjects, LocationsPassTheNameAsGiven) {
    driver.uniformLocation = 12;
    driver.attribLocation = 5;
    using Case = std::tuple<const char *, const char *, int32_t>;
    for (auto [handler, entry, location] : {Case{"glGetUniformLocationARB", "glGetUniformLocationARB", 12},
                                            Case{"glGetAttribLocationARB", "glGetAttribLocationARB", 5}}) {
        SCOPED_TRACE(entry);
        EXPECT_EQ(FakeRuntime({A::integer(9), A::string("colour")}).call(handler).intResult, location);
        EXPECT_EQ(driver.last(entry)->ints, (std::vector<int64_t>{9}));
        EXPECT_EQ(driver.last(entry)->text, "colour");
        EXPECT_EQ(FakeRuntime({A::integer(9), A::nullString()}).call(handler).intResult, -1);
        EXPECT_EQ(driver.count(entry), 1);
    }
}

TEST_F(ShaderObjects, AttributeBindingHandleAndAttachedObjectsReachTheDriverInScriptOrder) {
    FakeRuntime({A::integer(9), A::integer(3), A::string("height")}).call("glBindAttribLocationARB");
    EXPECT_EQ(driver.last("glBindAttribLocationARB")->ints, (std::vector<int64_t>{9, 3}));
    EXPECT_EQ(driver.last("glBindAttribLocationARB")->text, "height");
    FakeRuntime({A::integer(9), A::integer(3), A::nullString()}).call("glBindAttribLocationARB");
    EXPECT_EQ(driver.count("glBindAttribLocationARB"), 1) << "a null name never reaches the driver";

    driver.handle = 42;
    EXPECT_EQ(FakeRuntime({A::integer(GL_PROGRAM_OBJECT_ARB)}).call("glGetHandleARB").intResult, 42);
    EXPECT_EQ(driver.last("glGetHandleARB")->ints, (std::vector<int64_t>{GL_PROGRAM_OBJECT_ARB}));

    driver.attached = {11, 12};
    driver.objectParameters = {{GL_OBJECT_ATTACHED_OBJECTS_ARB, 2}};
    for (auto [index, object] : {std::pair{0, 11}, {1, 12}, {2, 0}, {-1, 0}})
        EXPECT_EQ(FakeRuntime({A::integer(9), A::integer(index)}).call("GetAttachedObject").intResult, object)
            << index;
    EXPECT_EQ(driver.last("glGetAttachedObjectsARB")->ints, (std::vector<int64_t>{9, 2}));
    EXPECT_EQ(driver.count("glGetAttachedObjectsARB"), 2) << "an index outside 0..count-1 asks nothing";
    EXPECT_EQ(heap.allocations.back().size, 8u);
    // A driver that writes fewer handles than it reported attached.
    driver.attached = {11};
    EXPECT_EQ(FakeRuntime({A::integer(9), A::integer(1)}).call("GetAttachedObject").intResult, 0);
}

TEST_F(ShaderObjects, NoHandlerCallsANullEntryPointAndFunctionsStillAnswer) {
    entryPoints = {}; // support on, every entry point missing
    enum Answer { Nothing, EmptyText, Zero, NoLocation };
    const struct {
        const char *handler;
        std::vector<FakeArg> args;
        Answer answer;
    } cases[] = {
        {"CompileStatus", {A::integer(1)}, Zero},
        {"GetActiveUniforms", {A::integer(1)}, Zero},
        {"GetActiveAttributes", {A::integer(1)}, Zero},
        {"GetInfoLog", {A::integer(1)}, EmptyText},
        {"GetShaderSource", {A::integer(1)}, EmptyText},
        {"GetUniformName", {A::integer(1), A::integer(0)}, EmptyText},
        {"GetAttribName", {A::integer(1), A::integer(0)}, EmptyText},
        {"GetUniformType", {A::integer(1), A::integer(0)}, Zero},
        {"GetAttribType", {A::integer(1), A::integer(0)}, Zero},
        {"GetUniformSize", {A::integer(1), A::integer(0)}, Zero},
        {"GetAttachedObject", {A::integer(1), A::integer(0)}, Zero},
        {"glGetHandleARB", {A::integer(0x8B40)}, Zero},
        {"glCreateShaderObjectARB", {A::integer(0x8B31)}, Zero},
        {"glCreateProgramObjectARB", {}, Zero},
        {"BuildProgram", {A::string("void main() {}"), A::string("void main() {}")}, Zero},
        {"glGetUniformLocationARB", {A::integer(1), A::string("u")}, NoLocation},
        {"glGetAttribLocationARB", {A::integer(1), A::string("a")}, NoLocation},
        {"glShaderSourceARB", {A::integer(1), A::string("x")}, Nothing},
        {"glCompileShaderARB", {A::integer(1)}, Nothing},
        {"glAttachObjectARB", {A::integer(1), A::integer(2)}, Nothing},
        {"glLinkProgramARB", {A::integer(1)}, Nothing},
        {"glValidateProgramARB", {A::integer(1)}, Nothing},
        {"glUseProgramObjectARB", {A::integer(1)}, Nothing},
        {"glDetachObjectARB", {A::integer(1), A::integer(2)}, Nothing},
        {"glDeleteObjectARB", {A::integer(1)}, Nothing},
        {"glBindAttribLocationARB", {A::integer(1), A::integer(2), A::string("a")}, Nothing},
    };
    for (const auto &c : cases) {
        FakeRuntime runtime(c.args);
        runtime.call(c.handler);
        if (c.answer == EmptyText) {
            EXPECT_EQ(runtime.stringResult, "");
        } else if (c.answer != Nothing) {
            EXPECT_EQ(runtime.intResult, c.answer == Zero ? 0 : -1);
        }
        EXPECT_EQ(runtime.resultCount, c.answer == Nothing ? 0 : 1);
    }
    for (const char *query : {"glGetObjectParameterivARB", "glGetObjectParameterfvARB", "glGetUniformivARB",
                              "glGetUniformfvARB"}) {
        FakeRuntime runtime({A::integer(1), A::integer(2), A::variable()});
        runtime.call(query);
        EXPECT_EQ(runtime.args[2].written, 0.0);
    }
    EXPECT_TRUE(driver.calls.empty());
}

// "BuildProgram": handles 10 (vertex), 11 (fragment) and 12 (program) unless
// a stage is left out; every status is good unless a case says otherwise.
class BuildProgram : public HandlerTest {
protected:
    void SetUp() override {
        HandlerTest::SetUp();
        driver.nextHandle = 10;
        driver.handleStep = 1;
        driver.objectParameters = {{GL_OBJECT_COMPILE_STATUS_ARB, 1}, {GL_OBJECT_LINK_STATUS_ARB, 1}};
    }

    int32_t build(const std::string &vertex, const std::string &fragment) {
        return FakeRuntime({A::string(vertex), A::string(fragment)})
            .call("BuildProgram")
            .intResult.value_or(-1);
    }
    std::string log() { return FakeRuntime().call("GetBuildLog").stringResult.value_or("<none>"); }
    std::vector<int64_t> deleted() const {
        std::vector<int64_t> handles;
        for (const DriverCall &call : driver.calls)
            if (call.name == "glDeleteObjectARB") handles.push_back(call.ints[0]);
        return handles;
    }
};

TEST_F(BuildProgram, CompilesBothStagesLinksThemAndFlagsTheShadersForDeletion) {
    EXPECT_EQ(log(), "") << "before any build";
    EXPECT_EQ(build("vertex source", "fragment source"), 12);
    EXPECT_EQ(driver.last("glCreateShaderObjectARB")->ints, (std::vector<int64_t>{GL_FRAGMENT_SHADER_ARB}));
    EXPECT_EQ(driver.calls.front().ints, (std::vector<int64_t>{GL_VERTEX_SHADER_ARB}));
    EXPECT_EQ(driver.last("glShaderSourceARB")->text, "fragment source");
    EXPECT_EQ(driver.count("glCompileShaderARB"), 2);
    EXPECT_EQ(driver.count("glAttachObjectARB"), 2);
    EXPECT_EQ(driver.last("glAttachObjectARB")->ints, (std::vector<int64_t>{12, 11}));
    EXPECT_EQ(driver.last("glLinkProgramARB")->ints, (std::vector<int64_t>{12}));
    EXPECT_EQ(deleted(), (std::vector<int64_t>{10, 11})) << "the program stays, its shaders go with it";
    EXPECT_EQ(log(), "") << "every log was empty";
    EXPECT_TRUE(heap.allocations.empty()) << "an empty log takes no memory";
}

TEST_F(BuildProgram, AnyFailureDeletesEverythingItCreatedAndGivesZero) {
    const struct {
        const char *what;
        GLhandleARB failing; // the object whose status is 0
        GLenum status;
        bool noProgram; // the program creator answers 0
        std::vector<int64_t> deleted;
    } cases[] = {
        {"vertex fails", 10, GL_OBJECT_COMPILE_STATUS_ARB, false, {10, 11}},
        {"fragment fails", 11, GL_OBJECT_COMPILE_STATUS_ARB, false, {10, 11}},
        {"link fails", 12, GL_OBJECT_LINK_STATUS_ARB, false, {12, 10, 11}},
        {"no program", 0, 0, true, {10, 11}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        if (c.failing != 0) driver.parametersOf[c.failing] = {{c.status, 0}};
        driver.programCreationFails = c.noProgram;
        EXPECT_EQ(build("v", "f"), 0);
        EXPECT_EQ(driver.count("glCompileShaderARB"), 2) << "every given stage is compiled";
        EXPECT_EQ(deleted(), c.deleted);
        EXPECT_EQ(driver.count("glLinkProgramARB"), c.status == GL_OBJECT_LINK_STATUS_ARB ? 1 : 0);
    }
}

TEST_F(BuildProgram, TheLogHasASectionPerStageWithSomethingToSay) {
    driver.infoLogOf = {
        {10, "0:1(1): warning: unused"}, {11, "0:2(5): error: syntax error\n"}, {12, "not linked"}};
    driver.parametersOf[11] = {{GL_OBJECT_COMPILE_STATUS_ARB, 0}};
    EXPECT_EQ(build("v", "f"), 0);
    EXPECT_EQ(log(),
              "vertex shader:\n0:1(1): warning: unused\nfragment shader:\n0:2(5): error: syntax error\n");

    // The link's log, after stages with nothing to say; the next build replaces it.
    driver.parametersOf.clear();
    driver.infoLogOf = {{12, "not linked"}};
    driver.objectParameters[GL_OBJECT_LINK_STATUS_ARB] = 0;
    driver.nextHandle = 10;
    EXPECT_EQ(build("v", "f"), 0);
    EXPECT_EQ(log(), "program:\nnot linked\n");

    // An empty source leaves its stage out; both empty build nothing.
    driver.objectParameters[GL_OBJECT_LINK_STATUS_ARB] = 1;
    driver.calls.clear();
    driver.nextHandle = 10;
    EXPECT_EQ(build("", "f"), 11);
    EXPECT_EQ(driver.count("glCreateShaderObjectARB"), 1);
    EXPECT_EQ(driver.last("glCreateShaderObjectARB")->ints, (std::vector<int64_t>{GL_FRAGMENT_SHADER_ARB}));
    EXPECT_EQ(driver.count("glAttachObjectARB"), 1);
    driver.calls.clear();
    EXPECT_EQ(build("", ""), 0);
    EXPECT_TRUE(driver.calls.empty());
    EXPECT_EQ(log(), "program:\nthe vertex and the fragment source are both empty\n");
    EXPECT_EQ(FakeRuntime({A::nullString(), A::nullString()}).call("BuildProgram").intResult, 0);
}

TEST_F(BuildProgram, WithoutSupportNothingIsCreatedAndTheLogSaysSo) {
    shaderSupported = 0;
    EXPECT_EQ(build("v", "f"), 0);
    EXPECT_TRUE(driver.calls.empty());
    EXPECT_EQ(log(), "shader objects are not supported");
}

TEST_F(BuildProgram, TheLogIsBoundedAndCutAtALineEndAndReleaseFreesIt) {
    std::string huge;
    while (huge.size() < 100000) huge += "0:1(1): error: something is wrong here\n";
    driver.infoLogOf = {{10, huge}};
    driver.parametersOf[10] = {{GL_OBJECT_COMPILE_STATUS_ARB, 0}};
    EXPECT_EQ(build("v", ""), 0);
    const std::string text = log();
    EXPECT_LE(text.size() + 1, 65536u);
    EXPECT_GT(text.size(), 65000u);
    EXPECT_EQ(text.rfind("vertex shader:\n", 0), 0u);
    EXPECT_EQ(text.back(), '\n');
    EXPECT_EQ(text.substr(text.size() - 39), "0:1(1): error: something is wrong here\n");

    ShaderPlugin *plugin = Corvanta_Init();
    const size_t releasesBefore = size_t(heap.releases);
    plugin->ops->Release(plugin);
    EXPECT_EQ(size_t(heap.releases), releasesBefore + 1);
    EXPECT_EQ(log(), "");
    Corvanta_Init();
}

} // namespace
} // namespace corvanta::testing
