// The built plugin, loaded as the host loads it, against the real GL driver.
// Each test runs in a process of its own (see tests/CMakeLists.txt): support,
// once found, lasts for the life of the loaded library.
#include <gtest/gtest.h>

#include <cstring>

#include "tests/real/real_plugin.h"

namespace corvanta::testing {
namespace {

TEST(RealPlugin, AnswersTheQueryThroughItsExport) {
    host::PluginExports &exports = loadedExports();
    ASSERT_NE(exports.query, nullptr);
    char description[32];
    int32_t first = -1, second = -1;
    EXPECT_EQ(exports.query(description, &first, &second), 3);
    EXPECT_STREQ(description, "for Corvanta");
    EXPECT_EQ(first, 0);
    EXPECT_EQ(second, 1);
}

TEST(RealPlugin, WithoutAContextReportsTheMissingExtension) {
    ShaderPlugin *plugin = loadedPlugin();
    ASSERT_NE(plugin, nullptr);
    char text[64];
    std::memset(text, '#', sizeof text);
    plugin->ops->GetErrorText(plugin, text);
    EXPECT_EQ(text[0], '#') << "nothing to report yet";

    EXPECT_FALSE(plugin->ops->StartProgram(plugin));
    plugin->ops->GetErrorText(plugin, text);
    EXPECT_STREQ(text, "no GL_ARB_shader_support !");
    plugin->ops->Release(plugin);
}

TEST(RealPlugin, WithAContextReportsSupportAndKeepsIt) {
    ShaderPlugin *plugin = loadedPlugin();
    ASSERT_NE(plugin, nullptr);
    std::string error;
    auto context = host::OffscreenContext::create(64, 64, error);
    ASSERT_TRUE(context) << error;
    EXPECT_TRUE(plugin->ops->StartProgram(plugin));
    EXPECT_TRUE(plugin->ops->StartProgram(plugin));
    context.reset();
    EXPECT_TRUE(plugin->ops->StartProgram(plugin)) << "support is final";
    plugin->ops->Release(plugin);
}

} // namespace
} // namespace corvanta::testing
