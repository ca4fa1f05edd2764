// Runs any text as a script of the reference host, against the plugin's real
// library and handlers over a fake driver. A script may fail with an error
// naming its line; anything else (a crash, a leak, another exception) is a
// finding.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "host/builtins.h"
#include "host/library_registry.h"
#include "host/script.h"
#include "tests/support/fake_driver.h"

using namespace corvanta;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    static host::LibraryRegistry library = [] {
        host::LibraryRegistry registry;
        ShaderPlugin *plugin = Corvanta_Init();
        plugin->ops->RegisterLibrary(plugin, &registry);
        return registry;
    }();
    static std::ostringstream out;
    static const host::Builtins builtins = [] {
        host::BuiltinEnvironment environment;
        environment.out = &out;
        host::Builtins all = host::standardBuiltins(environment);
        // A script could name any file, /dev/zero included.
        all.erase("load_text");
        all.erase("load_texture");
        return all;
    }();

    testing::fakeDriver().install();
    out.str("");
    try {
        host::Script(library, builtins)
            .run("fuzz.script", std::string(reinterpret_cast<const char *>(data), size));
    } catch (const host::ScriptError &) {
    }
    return 0;
}
