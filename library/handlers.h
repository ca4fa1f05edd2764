// Every handler a script function's row can name, declared: the templates
// that one row each instantiates (defined in pass_through.h, object_queries.h
// and uniforms.h) and the handlers written out by hand (defined in the .cpp
// files beside them). The host calls a handler with its runtime whenever a
// script calls the handler's name; the handler reads its arguments through
// library/arguments.h.
#pragma once

#include "glext/entry_points.h"
#include "plugin/host_interfaces.h"

namespace corvanta::handlers {

// How a handler that calls the driver guards the call (library/pass_through.h
// says why there are two).
enum class Guard { SupportFlag, EntryPoint };

// One entry point, with the script's arguments as its prototype types them;
// a function gives the entry point's answer.
template <auto member, Guard guard> void CORVANTA_CALL passThrough(ScriptRuntime *);
template <auto member, Guard guard> void CORVANTA_CALL passThroughResult(ScriptRuntime *);
// An entry point whose last parameter is a cell it writes: the script's
// variable gets its first value.
template <auto member> void CORVANTA_CALL queryByReference(ScriptRuntime *);
// glGen*(1, &name) and glDelete*(1, &name).
template <auto member> void CORVANTA_CALL generateOne(ScriptRuntime *);
template <auto member> void CORVANTA_CALL deleteOne(ScriptRuntime *);
// Uploads from one script array: glUniform{N}{i,f}vARB, glUniformMatrix*,
// and glDrawBuffersARB's (count, array).
template <auto member> void CORVANTA_CALL uniformArray(ScriptRuntime *);
template <auto member> void CORVANTA_CALL uniformMatrix(ScriptRuntime *);
template <auto member> void CORVANTA_CALL countedArray(ScriptRuntime *);

// What the driver tells of an active uniform or attribute.
struct ActiveVariable {
    GLint size = 0;
    GLenum type = 0;
};
struct UniformList;
struct AttributeList;
// An object's parameter, an object's text, and the active variables' names,
// details and locations.
template <GLenum pname> void CORVANTA_CALL objectStatus(ScriptRuntime *);
template <GLenum lengthName, auto member> void CORVANTA_CALL objectText(ScriptRuntime *);
template <typename List> void CORVANTA_CALL variableName(ScriptRuntime *);
template <typename List, auto field> void CORVANTA_CALL variableDetail(ScriptRuntime *);
template <auto member> void CORVANTA_CALL variableLocation(ScriptRuntime *);

// No entry point: -1 when the start found shader support, else 0.
void CORVANTA_CALL shaderInit(ScriptRuntime *);
// Support flag: glShaderSourceARB with one NUL-terminated text.
void CORVANTA_CALL shaderSource(ScriptRuntime *);
// Its own entry points: the index-th object attached to a program.
void CORVANTA_CALL getAttachedObject(ScriptRuntime *);

// Support flag and every required entry point: a whole program in one call.
void CORVANTA_CALL buildProgram(ScriptRuntime *);
// No entry point: the log of the last one-call build, and the warnings since
// the last call (library/script_log.h).
void CORVANTA_CALL getBuildLog(ScriptRuntime *);
void CORVANTA_CALL getWarnings(ScriptRuntime *);

// Render targets: a framebuffer with a colour and a depth texture, drawn into
// between Begin and End, which nest. Each needs the framebuffer-object entry
// points and GL 1.1's texture, query and viewport functions.
void CORVANTA_CALL createRenderTarget(ScriptRuntime *);
// The same with samples (resolved at every End) and mipmaps (made anew at
// every End), which also need the multisample and blit extensions or
// glGenerateMipmapEXT.
void CORVANTA_CALL createRenderTargetEx(ScriptRuntime *);
// Needs glReadPixels and glPixelStorei besides.
void CORVANTA_CALL readRenderTarget(ScriptRuntime *);
void CORVANTA_CALL beginRenderTarget(ScriptRuntime *);
void CORVANTA_CALL endRenderTarget(ScriptRuntime *);
void CORVANTA_CALL renderTargetTexture(ScriptRuntime *);
void CORVANTA_CALL deleteRenderTarget(ScriptRuntime *);
// Its own entry point: glDeleteFramebuffersEXT of one name, unless a live
// render target owns it.
void CORVANTA_CALL deleteFramebuffer(ScriptRuntime *);
// Meshes: vertex attributes and indices in buffer objects of their own,
// drawn in one call with every draw checked against their sizes. Each needs
// the buffer-object entry points; a draw also GL 1.1's vertex arrays, and
// the attributes of the script's shaders the vertex-shader ones.
void CORVANTA_CALL createMesh(ScriptRuntime *);
void CORVANTA_CALL meshAttribute(ScriptRuntime *);
void CORVANTA_CALL meshIndices(ScriptRuntime *);
void CORVANTA_CALL drawMesh(ScriptRuntime *);
void CORVANTA_CALL drawMeshRange(ScriptRuntime *);
void CORVANTA_CALL drawMeshInstanced(ScriptRuntime *);
void CORVANTA_CALL meshInstanceAttribute(ScriptRuntime *);
void CORVANTA_CALL deleteMesh(ScriptRuntime *);
// Rows of an attribute already set, replaced in place.
void CORVANTA_CALL meshAttributeRange(ScriptRuntime *);
// Uniforms by name (library/uniforms_by_name.h): each needs the support flag
// and the queries of active uniforms, locations and the program in use.
void CORVANTA_CALL hasUniform(ScriptRuntime *);
template <auto member> void CORVANTA_CALL setUniformByName(ScriptRuntime *);
void CORVANTA_CALL setUniformArray(ScriptRuntime *);
void CORVANTA_CALL setUniformMatrix(ScriptRuntime *);
// Support flag: a relink or a deletion, which forgets what was found of the
// object's uniforms.
template <auto member> void CORVANTA_CALL forgetThenPass(ScriptRuntime *);
// Textures of the script's own data (library/textures.h): each needs GL
// 1.1's texture calls and the pixel store; 3D textures GL 1.2's, cube maps
// GL 1.3 or their extension, samplers the multitexture extension.
void CORVANTA_CALL createTexture(ScriptRuntime *);
void CORVANTA_CALL textureData(ScriptRuntime *);
void CORVANTA_CALL textureParameter(ScriptRuntime *);
void CORVANTA_CALL setUniformTexture(ScriptRuntime *);
void CORVANTA_CALL deleteTexture(ScriptRuntime *);
// A texture as a colour attachment of a render target.
void CORVANTA_CALL attachRenderTargetTexture(ScriptRuntime *);
// Forgets a program's active attributes that the draws found: it is being
// relinked or deleted.
void forgetAttributesOf(GLhandleARB program);
// Forgets the meshes' records (not their buffers: the context may be gone)
// and the programs' attributes.
void releaseMeshes();

// Forgets the render targets' records and what Begin saved, and frees the
// records (not their GL objects: the context may be gone).
void releaseRenderTargets();

} // namespace corvanta::handlers
