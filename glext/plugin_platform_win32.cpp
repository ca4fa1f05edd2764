// Windows: extension entry points come from wglGetProcAddress in the current
// context; GL 1.1's own functions are exports of the system's GL library,
// which the host has loaded, and which wglGetProcAddress need not answer for.
#include <windows.h>

#include <cstring>

#include "glext/plugin_platform.h"

namespace corvanta::plugin_platform {

ProcAddress getProcAddress(const char *name, const char *provider) {
    if (std::strcmp(provider, "GL_VERSION_1_1") == 0) {
        HMODULE library = GetModuleHandleA("opengl32.dll");
        return library != nullptr ? reinterpret_cast<ProcAddress>(GetProcAddress(library, name)) : nullptr;
    }
    return reinterpret_cast<ProcAddress>(wglGetProcAddress(name));
}

void beep() { Beep(1000, 250); }

} // namespace corvanta::plugin_platform
