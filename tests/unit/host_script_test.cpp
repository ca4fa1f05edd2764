// The reference host's script language and runtime, with a small library of
// handlers written here instead of a plugin.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <new>
#include <sstream>
#include <string>
#include <vector>

#include "host/builtins.h"
#include "host/host_runtime.h"
#include "host/library_registry.h"
#include "host/script.h"

namespace corvanta::host {
namespace {

// What the last handler saw.
std::vector<double> received;

void CORVANTA_CALL subtract(ScriptRuntime *r) {
    // Arguments count from the end: 2 is the first of two.
    r->ops->SetIntResult(r, r->ops->GetIntParam(r, 2) - r->ops->GetIntParam(r, 1));
}

void CORVANTA_CALL half(ScriptRuntime *r) {
    const float value = static_cast<float>(r->ops->GetRealParam(r, 2)) / 2;
    r->ops->BeginValueType(r, ValueFloat32);
    r->ops->AddPointerLevel(r);
    r->ops->WriteParamData(r, 1, &value);
}

// Reads count x 2 floats from its array argument into a buffer it prefills.
void CORVANTA_CALL readPairs(ScriptRuntime *r) {
    const int32_t count = r->ops->GetIntParam(r, 2);
    std::vector<float> buffer(size_t(count) * 2, -1.0f);
    r->ops->BeginValueType(r, ValueFloat32);
    r->ops->AddArrayDims(r, 2, count, 2);
    r->ops->ReadParamData(r, 1, buffer.data());
    received.assign(buffer.begin(), buffer.end());
}

void CORVANTA_CALL silent(ScriptRuntime *) {}

class HostScript : public ::testing::Test {
protected:
    HostScript() {
        FunctionRegistry *r = &registry;
        r->ops->RegisterConstant(r, "SEVEN", 7);
        r->ops->RegisterFunction(r, "subtract", subtract, TypeInt);
        r->ops->AddParam(r, TypeInt);
        r->ops->AddParam(r, TypeInt);
        r->ops->RegisterProcedure(r, "half", half);
        r->ops->AddParam(r, TypeReal);
        r->ops->AddParam(r, TypeReal);
        r->ops->MakeLastParamByRef(r);
        r->ops->RegisterProcedure(r, "readPairs", readPairs);
        r->ops->AddParam(r, TypeInt);
        r->ops->AddArrayParam(r, TypeReal, 2);
        r->ops->RegisterFunction(r, "silentText", silent, TypeString);
        BuiltinEnvironment environment;
        environment.out = &out;
        builtins = standardBuiltins(environment);
        builtins["exhaust"] = {
            0, [](const std::vector<Value> &) -> std::optional<Value> { throw std::bad_alloc(); }};
    }

    void run(const std::string &text) { Script(registry, builtins).run("test.script", text); }
    std::string errorOf(const std::string &text) {
        try {
            run(text);
        } catch (const ScriptError &error) {
            return error.what();
        }
        return "no error";
    }

    LibraryRegistry registry;
    Builtins builtins;
    std::ostringstream out;
};

TEST_F(HostScript, ListsTheLibraryWithItsSignatures) {
    std::vector<std::string> lines;
    for (const LibraryEntry &entry : registry.entries) lines.push_back(describe(entry));
    EXPECT_EQ(lines,
              (std::vector<std::string>{"constant SEVEN = 7", "function int subtract(int, int)",
                                        "procedure half(real, var real)", "procedure readPairs(int, real[,])",
                                        "function string silentText()"}));
}

TEST_F(HostScript, CallsPassArgumentsResultsAndVariables) {
    run("# a comment\n"
        "\n"
        "x = subtract(SEVEN, 0x10)   # hex and constants\n"
        "half(-3, y)\n"
        "print(x, y, \"a \\\"quoted\\\" line\\n\", [[1, 2], [3, 4.5]], [[], []])\r\n"
        "expect(silentText(), \"\")\n");
    EXPECT_EQ(out.str(), "-9 -1.5 a \"quoted\" line\n [[1, 2], [3, 4.5]] [[], []]\n");
}

TEST_F(HostScript, ArraysAreCopiedAsDescribedButNeverPastOrAcrossTheScriptsRows) {
    run("readPairs(1, [[1, 2], [3, 4]])");
    EXPECT_EQ(received, (std::vector<double>{1, 2}));
    EXPECT_EQ(errorOf("readPairs(3, [[1, 2], [3, 4]])"),
              "test.script:1: the plugin's readPairs: the call reads 3 rows of 2, the array holds 2 rows");
    EXPECT_EQ(received, (std::vector<double>(6, 0.0))) << "zeroed, not left as it was";
    EXPECT_EQ(errorOf("readPairs(1, [[1, 2, 3], [4, 5, 6]])"),
              "test.script:1: the plugin's readPairs: the call reads rows of 2, the array's rows hold 3");
    EXPECT_EQ(errorOf("readPairs(2, [])"),
              "test.script:1: the plugin's readPairs: the call reads 2 rows of 2, the array holds 0 rows");
}

TEST_F(HostScript, MistakesStopTheScriptWithFileAndLine) {
    EXPECT_EQ(errorOf("x = 1\nsubtract(1)"), "test.script:2: subtract takes 2 arguments, not 1");
    EXPECT_EQ(errorOf("subtract(1, 2.5)"), "test.script:1: argument 2 of subtract must be int");
    EXPECT_EQ(errorOf("half(1, 2)"), "test.script:1: argument 2 of half must be a variable");
    EXPECT_EQ(errorOf("half(1, print)"), "test.script:1: argument 2 of half must be a variable");
    EXPECT_EQ(errorOf("readPairs(1, [1, 2])"),
              "test.script:1: argument 2 of readPairs must be an array of 2 dimension(s)");
    EXPECT_EQ(errorOf("readPairs(1, [[1, 2], [3]])"), "test.script:1: an array's rows must have one length");
    EXPECT_EQ(errorOf("SEVEN = 8"), "test.script:1: cannot assign to SEVEN, a name of the library");
    EXPECT_EQ(errorOf("x = half(1, y)"), "test.script:1: half is a procedure and gives no value");
    EXPECT_EQ(errorOf("print(\"open"), "test.script:1: unterminated string");
    EXPECT_EQ(errorOf("print(\"open\\"), "test.script:1: unterminated string");
    EXPECT_EQ(errorOf("x = 1\nprint(" + std::string(maxLineBytes, ' ') + ")"),
              "test.script:2: the line is longer than 65536 bytes");
    EXPECT_EQ(errorOf("x = 1\nprint(exhaust())"), "test.script:2: out of memory");
    // Nesting that would exhaust the stack: arrays, and calls in calls.
    EXPECT_EQ(errorOf("x = " + std::string(5000, '[') + std::string(5000, ']')),
              "test.script:1: nesting deeper than 64 levels");
    std::string calls;
    for (int i = 0; i < 3000; ++i) calls += "subtract(1, ";
    EXPECT_EQ(errorOf("x = " + calls + "1" + std::string(3000, ')')),
              "test.script:1: nesting deeper than 64 levels");
    // Lines may end in CR alone, as in CR LF.
    EXPECT_EQ(errorOf("x = 1\rexpect(x, 1)\r\nexpect(x, 2)"), "test.script:3: expected 2, got 1");
    EXPECT_EQ(errorOf("print(1"), "test.script:1: expected ')' at the end of the line");
    EXPECT_EQ(errorOf("print(1) 2"), "test.script:1: unexpected text at '2'");
    EXPECT_EQ(errorOf("x = 99999999999"), "test.script:1: integer out of range at '99999999999'");
    EXPECT_EQ(errorOf("SEVEN"), "test.script:1: a statement must be a call or an assignment");
    EXPECT_EQ(errorOf("expect(subtract(2, 1), 2)"), "test.script:1: expected 2, got 1");
    EXPECT_EQ(errorOf("load_text(\"/no/such/file\")"), "test.script:1: cannot read /no/such/file");
    EXPECT_EQ(errorOf("draw_quad()"), "test.script:1: no GL context to draw into");
}

TEST_F(HostScript, ExpectComparesRealsWithinWhatAFloatKeeps) {
    run("half(0.2, y)\nexpect(y, 0.1)\nexpect(1, 1.0)\nexpect([1, 2], [1.0, 2.0])");
    EXPECT_NE(errorOf("expect(0.1, 0.1001)"), "no error");
}

TEST(HostRuntime, RealsBecomeTheNearestFloatAlsoBeyondTheFloatRange) {
    const std::vector<double> reals = {0.1, 0x1.fffffefp127, 0x1.ffffffp127, -1e300, HUGE_VAL, NAN};
    float floats[6];
    storeElements(ValueFloat32, reals, reals.size(), floats);
    EXPECT_EQ(floats[0], 0.1f);
    EXPECT_EQ(floats[1], FLT_MAX) << "below halfway to 2^128";
    EXPECT_EQ(floats[2], HUGE_VALF) << "halfway rounds to the even 2^128";
    EXPECT_EQ(floats[3], -HUGE_VALF);
    EXPECT_EQ(floats[4], HUGE_VALF);
    EXPECT_TRUE(std::isnan(floats[5]));
}

TEST(HostRuntimeFaults, AnIndexPastTheArgumentsIsReportedNotRead) {
    HostRuntime runtime({{Value::ofInt(5)}});
    EXPECT_EQ(runtime.ops->GetIntParam(&runtime, 1), 5);
    EXPECT_EQ(runtime.fault, "");
    EXPECT_EQ(runtime.ops->GetIntParam(&runtime, 2), 0);
    EXPECT_NE(runtime.fault, "");
}

} // namespace
} // namespace corvanta::host
