// The reference host's own functions, as a real host has calls of its own
// beside a plugin's: print(...), load_text(file), clear(r, g, b), draw_quad(),
// save_png(file) and expect(actual, expected).
#pragma once

#include <ostream>
#include <string>

#include "host/script.h"

namespace corvanta::host {

struct BuiltinEnvironment {
    std::string scriptDirectory; // load_text reads relative to it
    std::string outputDirectory; // save_png writes relative to it
    int width = 0;               // of the offscreen framebuffer
    int height = 0;
    bool hasContext = false;
    std::ostream *out = nullptr;
};

Builtins standardBuiltins(const BuiltinEnvironment &environment);

// `path` as given if absolute, else inside `directory`.
std::string resolvePath(const std::string &directory, const std::string &path);
std::string directoryOf(const std::string &path);

} // namespace corvanta::host
