#include <gtest/gtest.h>

#include <cstdio>

#include "tests/real/real_plugin.h"

namespace corvanta::testing {
namespace {
std::string path;
}

host::PluginExports &loadedExports() {
    static host::PluginExports exports;
    if (exports.init == nullptr) {
        std::string error;
        if (!host::loadPlugin(path, exports, error)) {
            ADD_FAILURE() << error;
            exports = {};
        }
    }
    return exports;
}

ShaderPlugin *loadedPlugin() {
    host::PluginExports &exports = loadedExports();
    return exports.init != nullptr ? exports.init() : nullptr;
}

} // namespace corvanta::testing

int main(int argc, char **argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s [gtest options] PLUGIN_LIBRARY\n", argv[0]);
        return 2;
    }
    corvanta::testing::path = argv[1];
    return RUN_ALL_TESTS();
}
