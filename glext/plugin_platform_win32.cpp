// Windows: entry points come from wglGetProcAddress in the current context.
#include <windows.h>

#include "glext/plugin_platform.h"

namespace corvanta::plugin_platform {

// The driver answers for every provider alike, extension or core name.
ProcAddress getProcAddress(const char *name, Provider) {
    return reinterpret_cast<ProcAddress>(wglGetProcAddress(name));
}

void beep() { Beep(1000, 250); }

} // namespace corvanta::plugin_platform
