// The extension entry points the library calls, resolved in the host's current
// GL context, and the decision whether shader objects are supported.
#pragma once

#include <cstdint>

#include "glext/gl_tokens.h"
#include "glext/plugin_platform.h"

// GL entry points use the Windows API convention on 32-bit x86, whichever
// compiler family builds them (GCC and clang define __i386__, MSVC and
// clang-cl _M_IX86).
#if defined(_WIN32) && (defined(__i386__) || defined(_M_IX86))
#define CORVANTA_APIENTRY __stdcall
#else
#define CORVANTA_APIENTRY
#endif

namespace corvanta {

// Every entry point the library calls, once: X(name, result, parameters,
// need, provider), in lookup order. The 13 required ones decide support; the
// optional ones may be missing, and the handlers that need them then do
// nothing. The provider says where a name comes from (see plugin_platform.h):
// the last ones are GL 1.1's own functions, which the render targets need.
// clang-format off
#define CORVANTA_ENTRY_POINTS(X)                                                                           \
    X(glCreateShaderObjectARB, GLhandleARB, (GLenum shaderType), Required, ShaderObjects)                   \
    X(glShaderSourceARB, void, (GLhandleARB shader, GLsizei count, const GLcharARB **strings,                \
                                const GLint *lengths), Required, ShaderObjects)                             \
    X(glCompileShaderARB, void, (GLhandleARB shader), Required, ShaderObjects)                              \
    X(glDeleteObjectARB, void, (GLhandleARB object), Required, ShaderObjects)                               \
    X(glCreateProgramObjectARB, GLhandleARB, (), Required, ShaderObjects)                                   \
    X(glAttachObjectARB, void, (GLhandleARB container, GLhandleARB object), Required, ShaderObjects)        \
    X(glDetachObjectARB, void, (GLhandleARB container, GLhandleARB object), Required, ShaderObjects)        \
    X(glUseProgramObjectARB, void, (GLhandleARB program), Required, ShaderObjects)                          \
    X(glLinkProgramARB, void, (GLhandleARB program), Required, ShaderObjects)                               \
    X(glValidateProgramARB, void, (GLhandleARB program), Required, ShaderObjects)                           \
    X(glGetInfoLogARB, void, (GLhandleARB object, GLsizei maxLength, GLsizei *length, GLcharARB *infoLog),   \
      Required, ShaderObjects)                                                                              \
    X(glGetObjectParameterivARB, void, (GLhandleARB object, GLenum pname, GLint *params), Required,          \
      ShaderObjects)                                                                                        \
    X(glGetObjectParameterfvARB, void, (GLhandleARB object, GLenum pname, GLfloat *params), Required,       \
      ShaderObjects)                                                                                        \
    X(glGetActiveUniformARB, void, (GLhandleARB program, GLuint index, GLsizei maxLength, GLsizei *length,   \
                                    GLint *size, GLenum *type, GLcharARB *name), Optional, ShaderObjects)   \
    X(glGetUniformLocationARB, GLint, (GLhandleARB program, const GLcharARB *name), Optional, ShaderObjects) \
    X(glGetUniformivARB, void, (GLhandleARB program, GLint location, GLint *params), Optional,              \
      ShaderObjects)                                                                                        \
    X(glGetUniformfvARB, void, (GLhandleARB program, GLint location, GLfloat *params), Optional,            \
      ShaderObjects)                                                                                        \
    X(glUniform1fARB, void, (GLint location, GLfloat x), Optional, ShaderObjects)                           \
    X(glUniform2fARB, void, (GLint location, GLfloat x, GLfloat y), Optional, ShaderObjects)                \
    X(glUniform3fARB, void, (GLint location, GLfloat x, GLfloat y, GLfloat z), Optional, ShaderObjects)     \
    X(glUniform4fARB, void, (GLint location, GLfloat x, GLfloat y, GLfloat z, GLfloat w), Optional,         \
      ShaderObjects)                                                                                        \
    X(glUniform1iARB, void, (GLint location, GLint x), Optional, ShaderObjects)                             \
    X(glUniform2iARB, void, (GLint location, GLint x, GLint y), Optional, ShaderObjects)                    \
    X(glUniform3iARB, void, (GLint location, GLint x, GLint y, GLint z), Optional, ShaderObjects)           \
    X(glUniform4iARB, void, (GLint location, GLint x, GLint y, GLint z, GLint w), Optional, ShaderObjects)  \
    X(glUniform1fvARB, void, (GLint location, GLsizei count, const GLfloat *v), Optional, ShaderObjects)    \
    X(glUniform2fvARB, void, (GLint location, GLsizei count, const GLfloat *v), Optional, ShaderObjects)    \
    X(glUniform3fvARB, void, (GLint location, GLsizei count, const GLfloat *v), Optional, ShaderObjects)    \
    X(glUniform4fvARB, void, (GLint location, GLsizei count, const GLfloat *v), Optional, ShaderObjects)    \
    X(glUniform1ivARB, void, (GLint location, GLsizei count, const GLint *v), Optional, ShaderObjects)      \
    X(glUniform2ivARB, void, (GLint location, GLsizei count, const GLint *v), Optional, ShaderObjects)      \
    X(glUniform3ivARB, void, (GLint location, GLsizei count, const GLint *v), Optional, ShaderObjects)      \
    X(glUniform4ivARB, void, (GLint location, GLsizei count, const GLint *v), Optional, ShaderObjects)      \
    X(wglSwapIntervalEXT, int, (int interval), Optional, SwapControl)                                       \
    X(glUniformMatrix2fvARB, void, (GLint location, GLsizei count, GLboolean transpose, const GLfloat *v),  \
      Optional, ShaderObjects)                                                                              \
    X(glUniformMatrix3fvARB, void, (GLint location, GLsizei count, GLboolean transpose, const GLfloat *v),  \
      Optional, ShaderObjects)                                                                              \
    X(glUniformMatrix4fvARB, void, (GLint location, GLsizei count, GLboolean transpose, const GLfloat *v),  \
      Optional, ShaderObjects)                                                                              \
    X(glGetHandleARB, GLhandleARB, (GLenum pname), Optional, ShaderObjects)                                 \
    X(glGetAttachedObjectsARB, void, (GLhandleARB container, GLsizei maxCount, GLsizei *count,              \
                                      GLhandleARB *objects), Optional, ShaderObjects)                       \
    X(glGetShaderSourceARB, void, (GLhandleARB shader, GLsizei maxLength, GLsizei *length,                  \
                                   GLcharARB *source), Optional, ShaderObjects)                             \
    X(glBindAttribLocationARB, void, (GLhandleARB program, GLuint index, const GLcharARB *name), Optional,  \
      VertexShader)                                                                                         \
    X(glGetAttribLocationARB, GLint, (GLhandleARB program, const GLcharARB *name), Optional, VertexShader)  \
    X(glGetActiveAttribARB, void, (GLhandleARB program, GLuint index, GLsizei maxLength, GLsizei *length,   \
                                   GLint *size, GLenum *type, GLcharARB *name), Optional, VertexShader)     \
    X(glVertexAttrib1fARB, void, (GLuint index, GLfloat x), Optional, VertexShader)                         \
    X(glVertexAttrib2fARB, void, (GLuint index, GLfloat x, GLfloat y), Optional, VertexShader)              \
    X(glVertexAttrib3fARB, void, (GLuint index, GLfloat x, GLfloat y, GLfloat z), Optional, VertexShader)   \
    X(glVertexAttrib4fARB, void, (GLuint index, GLfloat x, GLfloat y, GLfloat z, GLfloat w), Optional,      \
      VertexShader)                                                                                         \
    X(glUniformMatrix2x3fv, void, (GLint location, GLsizei count, GLboolean transpose, const GLfloat *v),   \
      Optional, Version21)                                                                                  \
    X(glUniformMatrix3x2fv, void, (GLint location, GLsizei count, GLboolean transpose, const GLfloat *v),   \
      Optional, Version21)                                                                                  \
    X(glUniformMatrix2x4fv, void, (GLint location, GLsizei count, GLboolean transpose, const GLfloat *v),   \
      Optional, Version21)                                                                                  \
    X(glUniformMatrix4x2fv, void, (GLint location, GLsizei count, GLboolean transpose, const GLfloat *v),   \
      Optional, Version21)                                                                                  \
    X(glUniformMatrix3x4fv, void, (GLint location, GLsizei count, GLboolean transpose, const GLfloat *v),   \
      Optional, Version21)                                                                                  \
    X(glUniformMatrix4x3fv, void, (GLint location, GLsizei count, GLboolean transpose, const GLfloat *v),   \
      Optional, Version21)                                                                                  \
    X(glIsRenderbufferEXT, GLboolean, (GLuint renderbuffer), Optional, FramebufferObject)                   \
    X(glBindRenderbufferEXT, void, (GLenum target, GLuint renderbuffer), Optional, FramebufferObject)       \
    X(glDeleteRenderbuffersEXT, void, (GLsizei n, const GLuint *renderbuffers), Optional, FramebufferObject) \
    X(glGenRenderbuffersEXT, void, (GLsizei n, GLuint *renderbuffers), Optional, FramebufferObject)         \
    X(glRenderbufferStorageEXT, void, (GLenum target, GLenum internalformat, GLsizei width, GLsizei height), \
      Optional, FramebufferObject)                                                                          \
    X(glGetRenderbufferParameterivEXT, void, (GLenum target, GLenum pname, GLint *params), Optional,        \
      FramebufferObject)                                                                                    \
    X(glIsFramebufferEXT, GLboolean, (GLuint framebuffer), Optional, FramebufferObject)                     \
    X(glBindFramebufferEXT, void, (GLenum target, GLuint framebuffer), Optional, FramebufferObject)         \
    X(glDeleteFramebuffersEXT, void, (GLsizei n, const GLuint *framebuffers), Optional, FramebufferObject)  \
    X(glGenFramebuffersEXT, void, (GLsizei n, GLuint *framebuffers), Optional, FramebufferObject)          \
    X(glCheckFramebufferStatusEXT, GLenum, (GLenum target), Optional, FramebufferObject)                    \
    X(glFramebufferTexture2DEXT, void, (GLenum target, GLenum attachment, GLenum textarget, GLuint texture, \
                                        GLint level), Optional, FramebufferObject)                          \
    X(glFramebufferRenderbufferEXT, void, (GLenum target, GLenum attachment, GLenum renderbuffertarget,     \
                                           GLuint renderbuffer), Optional, FramebufferObject)               \
    X(glGetFramebufferAttachmentParameterivEXT, void, (GLenum target, GLenum attachment, GLenum pname,      \
                                                       GLint *params), Optional, FramebufferObject)         \
    X(glGenerateMipmapEXT, void, (GLenum target), Optional, FramebufferObject)                              \
    X(glDrawBuffersARB, void, (GLsizei n, const GLenum *bufs), Optional, DrawBuffers)                       \
    X(glGenTextures, void, (GLsizei n, GLuint *textures), Optional, Version11)                              \
    X(glDeleteTextures, void, (GLsizei n, const GLuint *textures), Optional, Version11)                     \
    X(glBindTexture, void, (GLenum target, GLuint texture), Optional, Version11)                            \
    X(glTexImage2D, void, (GLenum target, GLint level, GLint internalformat, GLsizei width, GLsizei height, \
                           GLint border, GLenum format, GLenum type, const void *pixels), Optional,         \
      Version11)                                                                                            \
    X(glTexParameteri, void, (GLenum target, GLenum pname, GLint param), Optional, Version11)               \
    X(glGetIntegerv, void, (GLenum pname, GLint *params), Optional, Version11)                              \
    X(glViewport, void, (GLint x, GLint y, GLsizei width, GLsizei height), Optional, Version11)             \
    X(glDrawBuffer, void, (GLenum mode), Optional, Version11)                                               \
    X(glReadBuffer, void, (GLenum mode), Optional, Version11)
// clang-format on

// One member per entry point, with its published prototype, in lookup order.
struct EntryPointTable {
// The arguments are a declaration's parts, which parentheses would break.
// NOLINTNEXTLINE(bugprone-macro-parentheses)
#define CORVANTA_MEMBER(name, result, params, need, provider) result(CORVANTA_APIENTRY *name) params;
    CORVANTA_ENTRY_POINTS(CORVANTA_MEMBER)
#undef CORVANTA_MEMBER
};

enum class Need { Required, Optional };

// What the lookup and the tests know of each entry point.
struct EntryPointInfo {
    const char *name;
    Need need;
    plugin_platform::Provider provider;
};

inline constexpr EntryPointInfo entryPointInfo[] = {
#define CORVANTA_INFO(name, result, params, need, provider)                                                  \
    {#name, Need::need, plugin_platform::Provider::provider},
    CORVANTA_ENTRY_POINTS(CORVANTA_INFO)
#undef CORVANTA_INFO
};

constexpr int EntryPointCount = sizeof entryPointInfo / sizeof entryPointInfo[0];
static_assert(sizeof(EntryPointTable) == EntryPointCount * sizeof(void *));

// Module state, zero at load: the table is written by resolveEntryPoints, the
// flag by the plugin's start once it has decided; the handlers read both.
extern EntryPointTable entryPoints;
extern int32_t shaderSupported;

// Looks every entry point up in the current GL context, in list order, and
// replaces the whole table (a name the context lacks becomes null).
void resolveEntryPoints();

// Whether every required entry point is in the table.
bool requiredEntryPointsPresent();

} // namespace corvanta
