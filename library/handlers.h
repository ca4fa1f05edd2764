// The script library's functions and procedures, one handler each. The host
// calls a handler with its runtime whenever a script calls the handler's name.
#pragma once

#include "plugin/host_interfaces.h"

namespace corvanta::handlers {

// Shader and program objects, and queries about them.
void CORVANTA_CALL shaderInit(ScriptRuntime *);
void CORVANTA_CALL compileStatus(ScriptRuntime *);
void CORVANTA_CALL linkStatus(ScriptRuntime *);
void CORVANTA_CALL validateStatus(ScriptRuntime *);
void CORVANTA_CALL getInfoLog(ScriptRuntime *);
void CORVANTA_CALL getActiveUniforms(ScriptRuntime *);
void CORVANTA_CALL getUniformName(ScriptRuntime *);
void CORVANTA_CALL getUniformType(ScriptRuntime *);
void CORVANTA_CALL createShaderObject(ScriptRuntime *);
void CORVANTA_CALL shaderSource(ScriptRuntime *);
void CORVANTA_CALL compileShader(ScriptRuntime *);
void CORVANTA_CALL createProgramObject(ScriptRuntime *);
void CORVANTA_CALL attachObject(ScriptRuntime *);
void CORVANTA_CALL linkProgram(ScriptRuntime *);
void CORVANTA_CALL validateProgram(ScriptRuntime *);
void CORVANTA_CALL useProgramObject(ScriptRuntime *);
void CORVANTA_CALL detachObject(ScriptRuntime *);
void CORVANTA_CALL deleteObject(ScriptRuntime *);
void CORVANTA_CALL getObjectParameteriv(ScriptRuntime *);
void CORVANTA_CALL getObjectParameterfv(ScriptRuntime *);
void CORVANTA_CALL getUniformLocation(ScriptRuntime *);
void CORVANTA_CALL getUniformiv(ScriptRuntime *);
void CORVANTA_CALL getUniformfv(ScriptRuntime *);
void CORVANTA_CALL getHandle(ScriptRuntime *);
void CORVANTA_CALL getAttachedObject(ScriptRuntime *);
void CORVANTA_CALL getShaderSource(ScriptRuntime *);
void CORVANTA_CALL getUniformSize(ScriptRuntime *);

// Vertex attributes.
void CORVANTA_CALL bindAttribLocation(ScriptRuntime *);
void CORVANTA_CALL getAttribLocation(ScriptRuntime *);
void CORVANTA_CALL getActiveAttributes(ScriptRuntime *);
void CORVANTA_CALL getAttribName(ScriptRuntime *);
void CORVANTA_CALL getAttribType(ScriptRuntime *);
void CORVANTA_CALL vertexAttrib1f(ScriptRuntime *);
void CORVANTA_CALL vertexAttrib2f(ScriptRuntime *);
void CORVANTA_CALL vertexAttrib3f(ScriptRuntime *);
void CORVANTA_CALL vertexAttrib4f(ScriptRuntime *);

// A whole program in one call, and the log of that build.
void CORVANTA_CALL buildProgram(ScriptRuntime *);
void CORVANTA_CALL getBuildLog(ScriptRuntime *);

// Uniform values and the swap interval.
void CORVANTA_CALL uniform1i(ScriptRuntime *);
void CORVANTA_CALL uniform2i(ScriptRuntime *);
void CORVANTA_CALL uniform3i(ScriptRuntime *);
void CORVANTA_CALL uniform4i(ScriptRuntime *);
void CORVANTA_CALL uniform1f(ScriptRuntime *);
void CORVANTA_CALL uniform2f(ScriptRuntime *);
void CORVANTA_CALL uniform3f(ScriptRuntime *);
void CORVANTA_CALL uniform4f(ScriptRuntime *);
void CORVANTA_CALL uniform1iv(ScriptRuntime *);
void CORVANTA_CALL uniform2iv(ScriptRuntime *);
void CORVANTA_CALL uniform3iv(ScriptRuntime *);
void CORVANTA_CALL uniform4iv(ScriptRuntime *);
void CORVANTA_CALL uniform1fv(ScriptRuntime *);
void CORVANTA_CALL uniform2fv(ScriptRuntime *);
void CORVANTA_CALL uniform3fv(ScriptRuntime *);
void CORVANTA_CALL uniform4fv(ScriptRuntime *);
void CORVANTA_CALL uniformMatrix2(ScriptRuntime *);
void CORVANTA_CALL uniformMatrix3(ScriptRuntime *);
void CORVANTA_CALL uniformMatrix4(ScriptRuntime *);
void CORVANTA_CALL uniformMatrix2x3(ScriptRuntime *);
void CORVANTA_CALL uniformMatrix3x2(ScriptRuntime *);
void CORVANTA_CALL uniformMatrix2x4(ScriptRuntime *);
void CORVANTA_CALL uniformMatrix4x2(ScriptRuntime *);
void CORVANTA_CALL uniformMatrix3x4(ScriptRuntime *);
void CORVANTA_CALL uniformMatrix4x3(ScriptRuntime *);
void CORVANTA_CALL swapInterval(ScriptRuntime *);

// Frees what the library holds between calls (the build log).
void releaseLibraryState();

} // namespace corvanta::handlers
