// Linux: entry points come from eglGetProcAddress. The EGL loader hands out a
// dispatch stub for any name at all, so a name counts as present only when the
// current context has what provides it: the extension it belongs to, for
// GL 2.1's own names a version of 2.1 or later, and for GL 1.1's any context.
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

// GL 2.1's own names need a context of that version or later: its version
// string starts "major.minor".
bool currentContextIsAtLeast21() {
    if (eglGetCurrentContext() == EGL_NO_CONTEXT) return false;
    auto getString = lookup<const unsigned char *(*)(GLenum)>("glGetString");
    const auto *version =
        getString != nullptr ? reinterpret_cast<const char *>(getString(GL_VERSION)) : nullptr;
    if (version == nullptr) return false;
    int major = 0, minor = 0;
    if (std::sscanf(version, "%d.%d", &major, &minor) != 2) return false;
    return major > 2 || (major == 2 && minor >= 1);
}

bool providerPresent(Provider provider) {
    switch (provider) {
    case Provider::ShaderObjects: return currentContextAdvertises("GL_ARB_shader_objects");
    case Provider::VertexShader: return currentContextAdvertises("GL_ARB_vertex_shader");
    case Provider::Version21: return currentContextIsAtLeast21();
    case Provider::SwapControl: return false; // a WGL extension, which no EGL context has
    case Provider::FramebufferObject: return currentContextAdvertises("GL_EXT_framebuffer_object");
    case Provider::DrawBuffers: return currentContextAdvertises("GL_ARB_draw_buffers");
    case Provider::Version11: return eglGetCurrentContext() != EGL_NO_CONTEXT;
    }
    return false;
}

} // namespace

ProcAddress getProcAddress(const char *name, Provider provider) {
    if (!providerPresent(provider)) return nullptr;
    return eglGetProcAddress(name);
}

// The Linux build is for tests; a failed start stays silent there.
void beep() {}

} // namespace corvanta::plugin_platform
