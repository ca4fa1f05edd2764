// The reference host: loads a plugin the way the Corvanta host does, gives it
// an offscreen GL context and runs a script file with the plugin's library.
//
//   corvanta_host [--list] [--no-context] [--output DIR] [--size WxH] PLUGIN [SCRIPT]
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <new>
#include <string>

#include "host/builtins.h"
#include "host/gl_calls.h"
#include "host/host_platform.h"
#include "host/library_registry.h"
#include "host/png_file.h"
#include "host/script.h"

namespace {

using namespace corvanta;
using namespace corvanta::host;

constexpr const char *usage =
    "usage: corvanta_host [--list] [--no-context] [--output DIR] [--size WxH] PLUGIN [SCRIPT]\n";

struct Options {
    bool list = false;
    bool noContext = false;
    int width = 256; // of the picture the script draws
    int height = 256;
    std::string outputDirectory = ".";
    std::string plugin;
    std::string script;
};

// WxH, each side from 1 to the largest picture side.
bool parseSize(const char *text, Options &options) {
    int width = 0, height = 0;
    char end = 0;
    if (std::sscanf(text, "%dx%d%c", &width, &height, &end) != 2) return false;
    if (width < 1 || height < 1 || width > maxPictureSide || height > maxPictureSide) return false;
    options.width = width;
    options.height = height;
    return true;
}

bool parse(int argc, char **argv, Options &options) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--list")
            options.list = true;
        else if (arg == "--no-context")
            options.noContext = true;
        else if (arg == "--output" && i + 1 < argc)
            options.outputDirectory = argv[++i];
        else if (arg == "--size" && i + 1 < argc && parseSize(argv[++i], options))
            continue;
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
    std::string text, error;
    if (!readFile(options.script, maxScriptBytes, text, error)) {
        std::cerr << options.script << ": " << error << '\n';
        return 1;
    }
    skipByteOrderMark(text);

    std::error_code ignored; // a directory that cannot be made fails at the first save
    std::filesystem::create_directories(options.outputDirectory, ignored);

    std::unique_ptr<OffscreenContext> context;
    if (!options.noContext) {
        context = OffscreenContext::create(options.width, options.height, error);
        if (!context) {
            std::cerr << "no GL context: " << error << '\n';
            return 1;
        }
        // The picture's viewport, once: from then on the script and the
        // plugin set it (a render target sets its own).
        glViewport(0, 0, options.width, options.height);
    }
    if (!plugin->ops->StartProgram(plugin)) {
        char message[64] = "";
        plugin->ops->GetErrorText(plugin, message);
        std::cerr << "StartProgram failed: " << message << '\n';
    }

    BuiltinEnvironment environment;
    environment.scriptDirectory = directoryOf(options.script);
    environment.outputDirectory = options.outputDirectory;
    environment.frameName = baseName(options.script);
    environment.width = options.width;
    environment.height = options.height;
    environment.hasContext = context != nullptr;
    environment.out = &std::cout;
    const Builtins builtins = standardBuiltins(environment);
    try {
        Script(library, builtins, hostConstants()).run(options.script, text);
    } catch (const ScriptError &error) {
        std::cout.flush();
        std::cerr << error.what() << '\n';
        return 1;
    }
    return 0;
}

int run(int argc, char **argv) {
    Options options;
    if (!parse(argc, argv, options)) {
        std::cerr << usage;
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

} // namespace

int main(int argc, char **argv) {
    // The script stops with its line when a line runs out of memory; this is
    // for whatever is left, such as the message itself.
    try {
        return run(argc, argv);
    } catch (const std::bad_alloc &) {
        std::cerr << "corvanta_host: out of memory\n";
        return 1;
    }
}
