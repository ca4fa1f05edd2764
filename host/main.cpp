// The reference host: loads a plugin the way the Corvanta host does, gives it
// an offscreen GL context and runs a script file with the plugin's library.
//
//   corvanta_host [--list] [--no-context] [--output DIR] PLUGIN [SCRIPT]
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "host/builtins.h"
#include "host/library_registry.h"
#include "host/platform.h"
#include "host/script.h"

namespace {

using namespace corvanta;
using namespace corvanta::host;

constexpr int frameWidth = 256;
constexpr int frameHeight = 256;

struct Options {
    bool list = false;
    bool noContext = false;
    std::string outputDirectory = ".";
    std::string plugin;
    std::string script;
};

bool parse(int argc, char **argv, Options &options) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--list")
            options.list = true;
        else if (arg == "--no-context")
            options.noContext = true;
        else if (arg == "--output" && i + 1 < argc)
            options.outputDirectory = argv[++i];
        else if (!arg.empty() && arg[0] != '-' && options.plugin.empty())
            options.plugin = arg;
        else if (!arg.empty() && arg[0] != '-' && options.script.empty())
            options.script = arg;
        else
            return false;
    }
    return !options.plugin.empty() && (options.list || !options.script.empty());
}

int runScript(const Options &options, const LibraryRegistry &library, ShaderPlugin *plugin) {
    std::ifstream file(options.script, std::ios::binary);
    if (!file) {
        std::cerr << options.script << ": cannot read the script\n";
        return 1;
    }
    std::ostringstream text;
    text << file.rdbuf();

    std::unique_ptr<OffscreenContext> context;
    if (!options.noContext) {
        std::string error;
        context = OffscreenContext::create(frameWidth, frameHeight, error);
        if (!context) {
            std::cerr << "no GL context: " << error << '\n';
            return 1;
        }
    }
    if (!plugin->ops->StartProgram(plugin)) {
        char message[64] = "";
        plugin->ops->GetErrorText(plugin, message);
        std::cerr << "StartProgram failed: " << message << '\n';
    }

    BuiltinEnvironment environment;
    environment.scriptDirectory = directoryOf(options.script);
    environment.outputDirectory = options.outputDirectory;
    environment.width = frameWidth;
    environment.height = frameHeight;
    environment.hasContext = context != nullptr;
    environment.out = &std::cout;
    const Builtins builtins = standardBuiltins(environment);
    try {
        Script(library, builtins).run(options.script, text.str());
    } catch (const ScriptError &error) {
        std::cout.flush();
        std::cerr << error.what() << '\n';
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char **argv) {
    Options options;
    if (!parse(argc, argv, options)) {
        std::cerr << "usage: corvanta_host [--list] [--no-context] [--output DIR] PLUGIN [SCRIPT]\n";
        return 2;
    }
    PluginExports exports;
    std::string error;
    if (!loadPlugin(options.plugin, exports, error)) {
        std::cerr << error << '\n';
        return 1;
    }
    char description[64] = "";
    int32_t first = 0, second = 0;
    exports.query(description, &first, &second);

    ShaderPlugin *plugin = exports.init();
    LibraryRegistry library;
    if (!plugin->ops->RegisterLibrary(plugin, &library) || !library.fault.empty()) {
        std::cerr << options.plugin << ": registration failed " << library.fault << '\n';
        return 1;
    }
    int status = 0;
    if (options.list) {
        for (const LibraryEntry &entry : library.entries) std::cout << describe(entry) << '\n';
    } else {
        status = runScript(options, library, plugin);
    }
    plugin->ops->Release(plugin);
    return status;
}
