// The handlers written out by hand, for what no template of pass_through.h,
// object_queries.h or uniforms.h covers. The host calls a handler with its
// runtime whenever a script calls the handler's name.
#pragma once

#include "plugin/host_interfaces.h"

namespace corvanta::handlers {

// No entry point: -1 when the start found shader support, else 0.
void CORVANTA_CALL shaderInit(ScriptRuntime *);
// Support flag: glShaderSourceARB with one NUL-terminated text.
void CORVANTA_CALL shaderSource(ScriptRuntime *);
// Its own entry points: the index-th object attached to a program.
void CORVANTA_CALL getAttachedObject(ScriptRuntime *);

// Support flag and every required entry point: a whole program in one call.
void CORVANTA_CALL buildProgram(ScriptRuntime *);
// No entry point: the log of the last build.
void CORVANTA_CALL getBuildLog(ScriptRuntime *);

// Makes the build log one section, or "" for a null text; "GetBuildLog"
// gives the log of the last one-call build, a program's or a render target's.
void replaceBuildLog(const char *heading, const char *text);
void releaseBuildLog();

// Render targets: a framebuffer with a colour and a depth texture, drawn into
// between Begin and End, which nest. Each needs the framebuffer-object entry
// points and GL 1.1's texture, query and viewport functions.
void CORVANTA_CALL createRenderTarget(ScriptRuntime *);
void CORVANTA_CALL beginRenderTarget(ScriptRuntime *);
void CORVANTA_CALL endRenderTarget(ScriptRuntime *);
void CORVANTA_CALL renderTargetTexture(ScriptRuntime *);
void CORVANTA_CALL deleteRenderTarget(ScriptRuntime *);
// Its own entry point: glDeleteFramebuffersEXT of one name, unless a live
// render target owns it.
void CORVANTA_CALL deleteFramebuffer(ScriptRuntime *);
// Forgets the render targets (not their GL objects: the context may be gone)
// and what Begin saved.
void releaseRenderTargets();

// Frees what the library holds between calls (the build log, the render
// targets' records).
void releaseLibraryState();

} // namespace corvanta::handlers
