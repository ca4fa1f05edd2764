// The plugin's platform seam: what differs between Windows and Linux for
// finding GL entry points and for the beep of a failed start. Each platform
// links its own implementation; the unit tests link a fake. (The reference
// host has a seam of its own, host/host_platform.h.)
#pragma once

namespace corvanta::plugin_platform {

using ProcAddress = void (*)();

// Where an entry point comes from: one of the two shader extensions, the
// swap-control extension of the window system, GL 2.1 itself (which has no
// extension string), the framebuffer-object or draw-buffers extension, or
// GL 1.1, whose functions the system's GL library exports (a driver's lookup
// may answer null for them).
enum class Provider {
    ShaderObjects,
    VertexShader,
    SwapControl,
    Version21,
    FramebufferObject,
    DrawBuffers,
    Version11
};

// The named GL entry point in the current context, or null when the context
// lacks it (including when no context is current). The caller also treats the
// small values some drivers answer instead of null as missing.
ProcAddress getProcAddress(const char *name, Provider provider);

// The audible warning of a failed start.
void beep();

} // namespace corvanta::plugin_platform
