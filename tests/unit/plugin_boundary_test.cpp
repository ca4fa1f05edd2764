// The exports, the plugin object and the extension binding, with the platform
// replaced by a fake resolver.
#include <gtest/gtest.h>

#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "glext/entry_points.h"
#include "plugin/host_interfaces.h"
#include "plugin/start_program.h"
#include "tests/support/fake_platform.h"

namespace corvanta {
namespace {

using testing::fakePlatform;

constexpr char message[] = "no GL_ARB_shader_support !";

// The lookup order hosts and drivers have seen from the start: the required
// names, then the optional ones, each with the extension that provides it. Names added
// since follow them, in the order of the entry-point list.
struct ExpectedLookup {
    std::string name;
    std::string provider;
};
const std::vector<ExpectedLookup> firstLookups = {
    {"glCreateShaderObjectARB", "GL_ARB_shader_objects"},
    {"glShaderSourceARB", "GL_ARB_shader_objects"},
    {"glCompileShaderARB", "GL_ARB_shader_objects"},
    {"glDeleteObjectARB", "GL_ARB_shader_objects"},
    {"glCreateProgramObjectARB", "GL_ARB_shader_objects"},
    {"glAttachObjectARB", "GL_ARB_shader_objects"},
    {"glDetachObjectARB", "GL_ARB_shader_objects"},
    {"glUseProgramObjectARB", "GL_ARB_shader_objects"},
    {"glLinkProgramARB", "GL_ARB_shader_objects"},
    {"glValidateProgramARB", "GL_ARB_shader_objects"},
    {"glGetInfoLogARB", "GL_ARB_shader_objects"},
    {"glGetObjectParameterivARB", "GL_ARB_shader_objects"},
    {"glGetObjectParameterfvARB", "GL_ARB_shader_objects"},
    {"glGetActiveUniformARB", "GL_ARB_shader_objects"},
    {"glGetUniformLocationARB", "GL_ARB_shader_objects"},
    {"glGetUniformivARB", "GL_ARB_shader_objects"},
    {"glGetUniformfvARB", "GL_ARB_shader_objects"},
    {"glUniform1fARB", "GL_ARB_shader_objects"},
    {"glUniform2fARB", "GL_ARB_shader_objects"},
    {"glUniform3fARB", "GL_ARB_shader_objects"},
    {"glUniform4fARB", "GL_ARB_shader_objects"},
    {"glUniform1iARB", "GL_ARB_shader_objects"},
    {"glUniform2iARB", "GL_ARB_shader_objects"},
    {"glUniform3iARB", "GL_ARB_shader_objects"},
    {"glUniform4iARB", "GL_ARB_shader_objects"},
    {"glUniform1fvARB", "GL_ARB_shader_objects"},
    {"glUniform2fvARB", "GL_ARB_shader_objects"},
    {"glUniform3fvARB", "GL_ARB_shader_objects"},
    {"glUniform4fvARB", "GL_ARB_shader_objects"},
    {"glUniform1ivARB", "GL_ARB_shader_objects"},
    {"glUniform2ivARB", "GL_ARB_shader_objects"},
    {"glUniform3ivARB", "GL_ARB_shader_objects"},
    {"glUniform4ivARB", "GL_ARB_shader_objects"},
    {"wglSwapIntervalEXT", "WGL_EXT_swap_control"},
};

// Every lookup a start makes: the first ones, then the rest of the list.
const std::vector<ExpectedLookup> expectedLookups = [] {
    std::vector<ExpectedLookup> lookups = firstLookups;
    for (size_t i = firstLookups.size(); i < std::size(entryPointInfo); ++i)
        lookups.push_back({entryPointInfo[i].name, entryPointInfo[i].provider});
    return lookups;
}();

class PluginBoundary : public ::testing::Test {
protected:
    void SetUp() override {
        shaderSupported = 0;
        entryPoints = {};
        setErrorText("");
        fakePlatform() = {};
        testing::clearFakeProcs();
        plugin = Corvanta_Init();
    }

    bool start() { return plugin->ops->StartProgram(plugin); }

    std::string errorTextIn(char fill = '#') {
        char buffer[64];
        std::memset(buffer, fill, sizeof buffer);
        plugin->ops->GetErrorText(plugin, buffer);
        return std::string(buffer, sizeof buffer);
    }

    ShaderPlugin *plugin = nullptr;
};

TEST(PluginExports, QueryWritesExactlyTheDescriptionAndTheNumbers) {
    unsigned char buffer[32];
    std::memset(buffer, 0xAA, sizeof buffer);
    int32_t first = -7, second = -7;
    EXPECT_EQ(Corvanta_Query(reinterpret_cast<char *>(buffer), &first, &second), 3);
    EXPECT_EQ(std::memcmp(buffer, "for Corvanta", 13), 0); // 12 characters and the NUL
    for (size_t i = 13; i < sizeof buffer; ++i) EXPECT_EQ(buffer[i], 0xAA) << "byte " << i;
    EXPECT_EQ(first, 0);
    EXPECT_EQ(second, 1);
}

TEST_F(PluginBoundary, InitAlwaysReturnsTheSameObjectWithAllNineOperations) {
    ShaderPlugin *again = Corvanta_Init();
    EXPECT_EQ(again, plugin);
    const ShaderPluginOps *ops = plugin->ops;
    ASSERT_NE(ops, nullptr);
    const void *const *slots = reinterpret_cast<const void *const *>(ops);
    for (int i = 0; i < 9; ++i) EXPECT_NE(slots[i], nullptr) << "operation " << i;
}

TEST_F(PluginBoundary, ReleaseDropsTheTableAndInitRestoresIt) {
    plugin->ops->Release(plugin);
    EXPECT_EQ(plugin->ops, nullptr);
    ASSERT_EQ(Corvanta_Init(), plugin);
    ASSERT_NE(plugin->ops, nullptr);
    fakePlatform().serveAll();
    EXPECT_TRUE(start());
}

TEST_F(PluginBoundary, OperationsSitAtTheirPositions) {
    // Position 2 binds the extension, position 7 reports the error text.
    EXPECT_FALSE(start());
    EXPECT_EQ(fakePlatform().lookups.size(), expectedLookups.size());
    EXPECT_EQ(errorTextIn().substr(0, sizeof message), std::string(message, sizeof message));

    // The hooks at 3, 4, 5, 6 and 8 change nothing, however often called.
    for (int round = 0; round < 3; ++round) {
        plugin->ops->HostHook8(plugin);
        plugin->ops->HostHook6(plugin);
        plugin->ops->HostHook3(plugin);
        plugin->ops->HostHook5(plugin);
        plugin->ops->HostHook4(plugin);
    }
    EXPECT_EQ(fakePlatform().lookups.size(), expectedLookups.size());
    EXPECT_EQ(fakePlatform().beeps, 1);
    EXPECT_EQ(shaderSupported, 0);
}

TEST_F(PluginBoundary, ErrorTextLeavesTheBufferUntouchedBeforeAnyFailure) {
    EXPECT_EQ(errorTextIn('#'), std::string(64, '#'));
}

TEST_F(PluginBoundary, SupportedStartLooksUpEveryNameOnceInOrder) {
    fakePlatform().serveAll();
    EXPECT_TRUE(start());
    ASSERT_EQ(fakePlatform().lookups.size(), expectedLookups.size());
    for (size_t i = 0; i < expectedLookups.size(); ++i) {
        EXPECT_EQ(fakePlatform().lookups[i], expectedLookups[i].name) << "lookup " << i;
        EXPECT_EQ(fakePlatform().providers[i], expectedLookups[i].provider) << expectedLookups[i].name;
    }
    EXPECT_EQ(shaderSupported, 1);

    fakePlatform().lookups.clear();
    fakePlatform().served.clear(); // a changed context is not noticed
    EXPECT_TRUE(start());
    EXPECT_TRUE(fakePlatform().lookups.empty());
    EXPECT_EQ(fakePlatform().beeps, 0);
    EXPECT_EQ(errorTextIn('#'), std::string(64, '#'));
}

TEST_F(PluginBoundary, UnsupportedStartsBeepEachTimeAndReplaceTheMessage) {
    EXPECT_FALSE(start());
    EXPECT_FALSE(start());
    EXPECT_EQ(fakePlatform().beeps, 2);
    EXPECT_EQ(fakePlatform().lookups.size(), 2 * expectedLookups.size());
    const std::string text = errorTextIn('#');
    EXPECT_EQ(text.substr(0, sizeof message), std::string(message, sizeof message));
    EXPECT_EQ(text.substr(sizeof message), std::string(64 - sizeof message, '#'));
}

TEST_F(PluginBoundary, OptionalEntryPointsTakeNoPartInTheDecision) {
    fakePlatform().serveAll();
    for (size_t i = RequiredEntryPointCount; i < expectedLookups.size(); ++i)
        fakePlatform().served.erase(expectedLookups[i].name);
    EXPECT_TRUE(start());
    EXPECT_EQ(entryPoints.wglSwapIntervalEXT, nullptr);
    EXPECT_EQ(entryPoints.glUniform4fARB, nullptr);
    EXPECT_EQ(entryPoints.glUniformMatrix4x3fv, nullptr);
    EXPECT_NE(entryPoints.glGetObjectParameterfvARB, nullptr);
}

TEST_F(PluginBoundary, EachRequiredEntryPointIsNeeded) {
    // The required names are looked up first, before every optional one.
    for (int i = 0; i < EntryPointCount; ++i)
        EXPECT_EQ(entryPointInfo[i].need == Need::Required, i < RequiredEntryPointCount)
            << entryPointInfo[i].name;
    for (int i = 0; i < RequiredEntryPointCount; ++i) {
        SCOPED_TRACE(expectedLookups[i].name);
        fakePlatform().serveAllBut({expectedLookups[i].name.c_str()});
        EXPECT_FALSE(start());
        EXPECT_EQ(shaderSupported, 0);
    }
    EXPECT_EQ(fakePlatform().beeps, RequiredEntryPointCount);
}

TEST_F(PluginBoundary, ALaterLookupReplacesEveryEntryNullIncluded) {
    fakePlatform().serveAllBut({"glCreateShaderObjectARB"});
    EXPECT_FALSE(start());
    EXPECT_NE(entryPoints.glCompileShaderARB, nullptr);
    fakePlatform().served.clear();
    EXPECT_FALSE(start());
    EXPECT_EQ(entryPoints.glCompileShaderARB, nullptr);
    EXPECT_EQ(entryPoints.wglSwapIntervalEXT, nullptr);
}

TEST_F(PluginBoundary, SmallValuesSomeDriversAnswerForMissingNamesCountAsMissing) {
    fakePlatform().serveAll();
    for (intptr_t sentinel : {1, 2, 3, -1}) {
        SCOPED_TRACE(sentinel);
        // A driver's answer of a small integer is exactly what is tested here.
        const auto answer =
            reinterpret_cast<plugin_platform::ProcAddress>(sentinel); // NOLINT(performance-no-int-to-ptr)
        testing::setFakeProc("glLinkProgramARB", answer);
        testing::setFakeProc("wglSwapIntervalEXT", answer);
        EXPECT_FALSE(start());
        EXPECT_EQ(entryPoints.glLinkProgramARB, nullptr);
        EXPECT_EQ(entryPoints.wglSwapIntervalEXT, nullptr);
    }
    testing::clearFakeProcs();
    EXPECT_TRUE(start());
}

TEST_F(PluginBoundary, AFailedStartThenAGoodOneKeepsTheMessage) {
    EXPECT_FALSE(start());
    fakePlatform().serveAll();
    EXPECT_TRUE(start());
    EXPECT_EQ(errorTextIn().substr(0, sizeof message), std::string(message, sizeof message));
}

} // namespace
} // namespace corvanta
