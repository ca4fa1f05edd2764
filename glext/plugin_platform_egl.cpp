// Linux: entry points come from eglGetProcAddress. The EGL loader hands out a
// dispatch stub for any name at all, so a name counts as present only when the
// current context has what provides it: the extension it belongs to, for a
// version's core names a context of that version or later (any context for
// GL 1.1), and never for a window-system (WGL) extension, which EGL lacks.
#include <EGL/egl.h>

#include <cstdio>
#include <cstring>

#include "glext/gl_tokens.h"
#include "glext/plugin_platform.h"

namespace corvanta::plugin_platform {
namespace {

template <typename Function> Function lookup(const char *name) {
    return reinterpret_cast<Function>(eglGetProcAddress(name));
}

bool listContains(const char *list, const char *extension) {
    const size_t length = std::strlen(extension);
    for (const char *at = list; (at = std::strstr(at, extension)) != nullptr; at += length) {
        const bool startsWord = at == list || at[-1] == ' ';
        const bool endsWord = at[length] == ' ' || at[length] == '\0';
        if (startsWord && endsWord) return true;
    }
    return false;
}

bool startsWith(const char *text, const char *prefix) {
    return std::strncmp(text, prefix, std::strlen(prefix)) == 0;
}

// A version's core names need a context of that version or later: the
// provider reads "GL_VERSION_major_minor", the context's version string
// starts "major.minor".
bool currentContextIsAtLeast(const char *provider) {
    int wantedMajor = 0, wantedMinor = 0, major = 0, minor = 0;
    if (std::sscanf(provider, "GL_VERSION_%d_%d", &wantedMajor, &wantedMinor) != 2) return false;
    if (eglGetCurrentContext() == EGL_NO_CONTEXT) return false;
    auto getString = lookup<const unsigned char *(*)(GLenum)>("glGetString");
    const auto *version =
        getString != nullptr ? reinterpret_cast<const char *>(getString(GL_VERSION)) : nullptr;
    if (version == nullptr || std::sscanf(version, "%d.%d", &major, &minor) != 2) return false;
    return major > wantedMajor || (major == wantedMajor && minor >= wantedMinor);
}

bool currentContextAdvertises(const char *extension) {
    if (eglGetCurrentContext() == EGL_NO_CONTEXT) return false;
    // GL_NUM_EXTENSIONS is GL 3.0's: asked of an older context, it leaves
    // GL_INVALID_ENUM for the script's first glGetError.
    auto getIntegerv = lookup<void (*)(GLenum, GLint *)>("glGetIntegerv");
    auto getStringi = lookup<const unsigned char *(*)(GLenum, unsigned)>("glGetStringi");
    GLint count = 0;
    if (getIntegerv != nullptr && currentContextIsAtLeast("GL_VERSION_3_0")) getIntegerv(GL_NUM_EXTENSIONS, &count);
    if (getStringi != nullptr && count > 0) {
        for (GLint i = 0; i < count; ++i) {
            const auto *name = reinterpret_cast<const char *>(getStringi(GL_EXTENSIONS, i));
            if (name != nullptr && std::strcmp(name, extension) == 0) return true;
        }
        return false;
    }
    // Contexts older than GL 3.0 only have the single space-separated list.
    auto getString = lookup<const unsigned char *(*)(GLenum)>("glGetString");
    const auto *list =
        getString != nullptr ? reinterpret_cast<const char *>(getString(GL_EXTENSIONS)) : nullptr;
    return list != nullptr && listContains(list, extension);
}

bool providerPresent(const char *provider) {
    if (startsWith(provider, "GL_VERSION_")) return currentContextIsAtLeast(provider);
    if (startsWith(provider, "WGL_")) return false;
    return currentContextAdvertises(provider);
}

} // namespace

ProcAddress getProcAddress(const char *name, const char *provider) {
    if (!providerPresent(provider)) return nullptr;
    return eglGetProcAddress(name);
}

// The Linux build is for tests; a failed start stays silent there.
void beep() {}

} // namespace corvanta::plugin_platform
