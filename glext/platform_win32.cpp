// Windows: entry points come from wglGetProcAddress in the current context.
#include <windows.h>

#include <cstdint>

#include "glext/platform.h"

namespace corvanta::platform {

ProcAddress getProcAddress(const char *name) {
    PROC proc = wglGetProcAddress(name);
    // Some drivers answer 1, 2, 3 or -1 instead of null for a name they lack.
    const auto value = reinterpret_cast<intptr_t>(proc);
    if (value == 0 || value == 1 || value == 2 || value == 3 || value == -1) return nullptr;
    return reinterpret_cast<ProcAddress>(proc);
}

void beep() { Beep(1000, 250); }

} // namespace corvanta::platform
