// The reference host's own functions, as a real host has calls of its own
// beside a plugin's: printing and checking (print, expect), files (load_text,
// load_texture, load_obj, save_png, frame), shapes (clear, draw_quad,
// draw_sphere, triangles, grid_mesh), GL 1.1's immediate mode and the part of
// GL 1.1 that scripts of several passes need, textures and queries. The
// README's list of the host's functions says what each does.
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
