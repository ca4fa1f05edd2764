// Linux: entry points come from eglGetProcAddress. The EGL loader hands out a
// dispatch stub for any name at all, so a name counts as present only when the
// current context advertises the extension it belongs to.
#include <EGL/egl.h>

#include <cstring>

#include "glext/platform.h"

namespace corvanta::platform {
namespace {

using GLenum = unsigned int;
using GLint = int;
constexpr GLenum GL_EXTENSIONS = 0x1F03;
constexpr GLenum GL_NUM_EXTENSIONS = 0x821D;

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

bool currentContextAdvertises(const char *extension) {
    if (eglGetCurrentContext() == EGL_NO_CONTEXT) return false;
    auto getIntegerv = lookup<void (*)(GLenum, GLint *)>("glGetIntegerv");
    auto getStringi = lookup<const unsigned char *(*)(GLenum, unsigned)>("glGetStringi");
    GLint count = 0;
    if (getIntegerv != nullptr) getIntegerv(GL_NUM_EXTENSIONS, &count);
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

// Every name the library looks up belongs to the shader-object extension,
// except the swap-interval call, whose WGL extension no EGL context has.
const char *extensionOf(const char *name) {
    return std::strncmp(name, "wgl", 3) == 0 ? "WGL_EXT_swap_control" : "GL_ARB_shader_objects";
}

} // namespace

ProcAddress getProcAddress(const char *name) {
    if (!currentContextAdvertises(extensionOf(name))) return nullptr;
    return eglGetProcAddress(name);
}

// The Linux build is for tests; a failed start stays silent there.
void beep() {}

} // namespace corvanta::platform
