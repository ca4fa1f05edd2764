// The reference host's own functions, as a real host has calls of its own
// beside a plugin's: print(...), load_text(file), load_texture(unit, file),
// clear(r, g, b), draw_quad(), draw_sphere(slices, stacks), begin_triangles(),
// vertex(x, y, z), end(), save_png(file), frame(n) and expect(actual, expected);
// the part of GL 1.1 that multi-pass scripts need (glGetError, glEnable, ...);
// and bind_texture, new_texture, get_integer and get_string.
#pragma once

#include <ostream>
#include <string>

#include "host/script.h"

namespace corvanta::host {

struct BuiltinEnvironment {
    std::string scriptDirectory; // load_text reads relative to it
    std::string outputDirectory; // save_png and frame write relative to it
    std::string frameName;       // frame(n) writes NAME_nnn.png
    int width = 0;               // of the offscreen framebuffer
    int height = 0;
    bool hasContext = false;
    std::ostream *out = nullptr;
};

Builtins standardBuiltins(const BuiltinEnvironment &environment);

// The GL tokens the host's own GL calls take and give.
HostConstants hostConstants();

// The most a file that a script loads may hold.
constexpr size_t maxFileBytes = size_t(16) << 20;

// Reads a whole file of at most `limit` bytes. On failure `error` says why.
bool readFile(const std::string &path, size_t limit, std::string &text, std::string &error);

// Drops the UTF-8 byte order mark that Windows editors put before a text.
void skipByteOrderMark(std::string &text);

// `path` as given if absolute, else inside `directory`.
std::string resolvePath(const std::string &directory, const std::string &path);
std::string directoryOf(const std::string &path);
// The file name without its directory and extension.
std::string baseName(const std::string &path);

} // namespace corvanta::host
