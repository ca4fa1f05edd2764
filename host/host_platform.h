// What the reference host does differently on Windows and Linux: loading the
// plugin library and making an offscreen GL context current.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "plugin/host_interfaces.h"

namespace corvanta::host {

struct PluginExports {
    QueryFunction query = nullptr;
    InitFunction init = nullptr;
};

// Loads the plugin library at `path` for the life of the process and finds
// its two exports by their undecorated names. On failure `error` says why.
bool loadPlugin(const std::string &path, PluginExports &exports, std::string &error);

// The memory this process holds privately (committed on Windows, resident on
// Linux), for leak checks over long runs.
size_t processMemoryBytes();

// A GL entry point beyond GL 1.1, from the driver of the current context, or
// null.
using GlProcedure = void (*)();
GlProcedure glProcedure(const char *name);

// A GL context with an offscreen default framebuffer of the given size (with a
// depth buffer),
// current on the calling thread for as long as the object lives.
class OffscreenContext {
public:
    static std::unique_ptr<OffscreenContext> create(int width, int height, std::string &error);
    virtual ~OffscreenContext() = default;
};

} // namespace corvanta::host
