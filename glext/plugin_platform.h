// The plugin's platform seam: what differs between Windows and Linux for
// finding GL entry points and for the beep of a failed start. Each platform
// links its own implementation; the unit tests link a fake. (The reference
// host has a seam of its own, host/host_platform.h.)
#pragma once

namespace corvanta::plugin_platform {

using ProcAddress = void (*)();

// The named GL entry point in the current context, or null when the context
// lacks it (including when no context is current). `provider` is what
// publishes the name, as the entry-point list gives it: a GL or WGL
// extension string, or "GL_VERSION_x_y" for a version's core, where
// "GL_VERSION_1_1" means an export of the system's GL library. The caller
// also treats the small values some drivers answer instead of null as
// missing.
ProcAddress getProcAddress(const char *name, const char *provider);

// The audible warning of a failed start.
void beep();

} // namespace corvanta::plugin_platform
