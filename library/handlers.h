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

// Frees what the library holds between calls (the build log).
void releaseLibraryState();

} // namespace corvanta::handlers
