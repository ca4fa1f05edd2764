// The extension entry points the library calls, resolved in the host's current
// GL context, and the decision whether shader objects are supported.
#pragma once

#include <cstddef>
#include <cstdint>

#include "glext/gl_tokens.h"

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
// need, provider), in lookup order, each with its published prototype. The
// required ones, first, decide support; the optional ones may be missing, and the
// handlers that need them then do nothing. The provider is what publishes the
// name, as the GL registry says: a GL or WGL extension, or GL_VERSION_2_1 for
// a name of that version's core, or GL_VERSION_1_1 for the functions that
// the system's GL library exports itself. The lookup and the platform seams
// take it from here. The unit tests' build compares each prototype with the
// GL headers, and a unit test each provider with the GL registry
// (tests/entry_point_headers.cpp).
// clang-format off
#define CORVANTA_ENTRY_POINTS(X)                                                                                \
    X(glCreateShaderObjectARB, GLhandleARB, (GLenum shaderType), Required, GL_ARB_shader_objects)               \
    X(glShaderSourceARB, void, (GLhandleARB shader, GLsizei count, const GLcharARB **strings,                   \
                                const GLint *lengths), Required, GL_ARB_shader_objects)                         \
    X(glCompileShaderARB, void, (GLhandleARB shader), Required, GL_ARB_shader_objects)                          \
    X(glDeleteObjectARB, void, (GLhandleARB object), Required, GL_ARB_shader_objects)                           \
    X(glCreateProgramObjectARB, GLhandleARB, (), Required, GL_ARB_shader_objects)                               \
    X(glAttachObjectARB, void, (GLhandleARB container, GLhandleARB object), Required, GL_ARB_shader_objects)    \
    X(glDetachObjectARB, void, (GLhandleARB container, GLhandleARB object), Required, GL_ARB_shader_objects)    \
    X(glUseProgramObjectARB, void, (GLhandleARB program), Required, GL_ARB_shader_objects)                      \
    X(glLinkProgramARB, void, (GLhandleARB program), Required, GL_ARB_shader_objects)                           \
    X(glValidateProgramARB, void, (GLhandleARB program), Required, GL_ARB_shader_objects)                       \
    X(glGetInfoLogARB, void, (GLhandleARB object, GLsizei maxLength, GLsizei *length, GLcharARB *infoLog),      \
      Required, GL_ARB_shader_objects)                                                                          \
    X(glGetObjectParameterivARB, void, (GLhandleARB object, GLenum pname, GLint *params), Required,             \
      GL_ARB_shader_objects)                                                                                    \
    X(glGetObjectParameterfvARB, void, (GLhandleARB object, GLenum pname, GLfloat *params), Required,           \
      GL_ARB_shader_objects)                                                                                    \
    X(glGetActiveUniformARB, void, (GLhandleARB program, GLuint index, GLsizei maxLength, GLsizei *length,      \
                                    GLint *size, GLenum *type, GLcharARB *name), Optional, GL_ARB_shader_objects)\
    X(glGetUniformLocationARB, GLint, (GLhandleARB program, const GLcharARB *name), Optional, GL_ARB_shader_objects)\
    X(glGetUniformivARB, void, (GLhandleARB program, GLint location, GLint *params), Optional,                  \
      GL_ARB_shader_objects)                                                                                    \
    X(glGetUniformfvARB, void, (GLhandleARB program, GLint location, GLfloat *params), Optional,                \
      GL_ARB_shader_objects)                                                                                    \
    X(glUniform1fARB, void, (GLint location, GLfloat x), Optional, GL_ARB_shader_objects)                       \
    X(glUniform2fARB, void, (GLint location, GLfloat x, GLfloat y), Optional, GL_ARB_shader_objects)            \
    X(glUniform3fARB, void, (GLint location, GLfloat x, GLfloat y, GLfloat z), Optional, GL_ARB_shader_objects) \
    X(glUniform4fARB, void, (GLint location, GLfloat x, GLfloat y, GLfloat z, GLfloat w), Optional,             \
      GL_ARB_shader_objects)                                                                                    \
    X(glUniform1iARB, void, (GLint location, GLint x), Optional, GL_ARB_shader_objects)                         \
    X(glUniform2iARB, void, (GLint location, GLint x, GLint y), Optional, GL_ARB_shader_objects)                \
    X(glUniform3iARB, void, (GLint location, GLint x, GLint y, GLint z), Optional, GL_ARB_shader_objects)       \
    X(glUniform4iARB, void, (GLint location, GLint x, GLint y, GLint z, GLint w), Optional, GL_ARB_shader_objects)\
    X(glUniform1fvARB, void, (GLint location, GLsizei count, const GLfloat *v), Optional, GL_ARB_shader_objects)\
    X(glUniform2fvARB, void, (GLint location, GLsizei count, const GLfloat *v), Optional, GL_ARB_shader_objects)\
    X(glUniform3fvARB, void, (GLint location, GLsizei count, const GLfloat *v), Optional, GL_ARB_shader_objects)\
    X(glUniform4fvARB, void, (GLint location, GLsizei count, const GLfloat *v), Optional, GL_ARB_shader_objects)\
    X(glUniform1ivARB, void, (GLint location, GLsizei count, const GLint *v), Optional, GL_ARB_shader_objects)  \
    X(glUniform2ivARB, void, (GLint location, GLsizei count, const GLint *v), Optional, GL_ARB_shader_objects)  \
    X(glUniform3ivARB, void, (GLint location, GLsizei count, const GLint *v), Optional, GL_ARB_shader_objects)  \
    X(glUniform4ivARB, void, (GLint location, GLsizei count, const GLint *v), Optional, GL_ARB_shader_objects)  \
    X(wglSwapIntervalEXT, int, (int interval), Optional, WGL_EXT_swap_control)                                  \
    X(glUniformMatrix2fvARB, void, (GLint location, GLsizei count, GLboolean transpose, const GLfloat *v),      \
      Optional, GL_ARB_shader_objects)                                                                          \
    X(glUniformMatrix3fvARB, void, (GLint location, GLsizei count, GLboolean transpose, const GLfloat *v),      \
      Optional, GL_ARB_shader_objects)                                                                          \
    X(glUniformMatrix4fvARB, void, (GLint location, GLsizei count, GLboolean transpose, const GLfloat *v),      \
      Optional, GL_ARB_shader_objects)                                                                          \
    X(glGetHandleARB, GLhandleARB, (GLenum pname), Optional, GL_ARB_shader_objects)                             \
    X(glGetAttachedObjectsARB, void, (GLhandleARB container, GLsizei maxCount, GLsizei *count,                  \
                                      GLhandleARB *objects), Optional, GL_ARB_shader_objects)                   \
    X(glGetShaderSourceARB, void, (GLhandleARB shader, GLsizei maxLength, GLsizei *length,                      \
                                   GLcharARB *source), Optional, GL_ARB_shader_objects)                         \
    X(glBindAttribLocationARB, void, (GLhandleARB program, GLuint index, const GLcharARB *name), Optional,      \
      GL_ARB_vertex_shader)                                                                                     \
    X(glGetAttribLocationARB, GLint, (GLhandleARB program, const GLcharARB *name), Optional, GL_ARB_vertex_shader)\
    X(glGetActiveAttribARB, void, (GLhandleARB program, GLuint index, GLsizei maxLength, GLsizei *length,       \
                                   GLint *size, GLenum *type, GLcharARB *name), Optional, GL_ARB_vertex_shader) \
    X(glVertexAttrib1fARB, void, (GLuint index, GLfloat x), Optional, GL_ARB_vertex_shader)                     \
    X(glVertexAttrib2fARB, void, (GLuint index, GLfloat x, GLfloat y), Optional, GL_ARB_vertex_shader)          \
    X(glVertexAttrib3fARB, void, (GLuint index, GLfloat x, GLfloat y, GLfloat z), Optional, GL_ARB_vertex_shader)\
    X(glVertexAttrib4fARB, void, (GLuint index, GLfloat x, GLfloat y, GLfloat z, GLfloat w), Optional,          \
      GL_ARB_vertex_shader)                                                                                     \
    X(glUniformMatrix2x3fv, void, (GLint location, GLsizei count, GLboolean transpose, const GLfloat *v),       \
      Optional, GL_VERSION_2_1)                                                                                 \
    X(glUniformMatrix3x2fv, void, (GLint location, GLsizei count, GLboolean transpose, const GLfloat *v),       \
      Optional, GL_VERSION_2_1)                                                                                 \
    X(glUniformMatrix2x4fv, void, (GLint location, GLsizei count, GLboolean transpose, const GLfloat *v),       \
      Optional, GL_VERSION_2_1)                                                                                 \
    X(glUniformMatrix4x2fv, void, (GLint location, GLsizei count, GLboolean transpose, const GLfloat *v),       \
      Optional, GL_VERSION_2_1)                                                                                 \
    X(glUniformMatrix3x4fv, void, (GLint location, GLsizei count, GLboolean transpose, const GLfloat *v),       \
      Optional, GL_VERSION_2_1)                                                                                 \
    X(glUniformMatrix4x3fv, void, (GLint location, GLsizei count, GLboolean transpose, const GLfloat *v),       \
      Optional, GL_VERSION_2_1)                                                                                 \
    X(glIsRenderbufferEXT, GLboolean, (GLuint renderbuffer), Optional, GL_EXT_framebuffer_object)               \
    X(glBindRenderbufferEXT, void, (GLenum target, GLuint renderbuffer), Optional, GL_EXT_framebuffer_object)   \
    X(glDeleteRenderbuffersEXT, void, (GLsizei n, const GLuint *renderbuffers), Optional, GL_EXT_framebuffer_object)\
    X(glGenRenderbuffersEXT, void, (GLsizei n, GLuint *renderbuffers), Optional, GL_EXT_framebuffer_object)     \
    X(glRenderbufferStorageEXT, void, (GLenum target, GLenum internalformat, GLsizei width, GLsizei height),    \
      Optional, GL_EXT_framebuffer_object)                                                                      \
    X(glGetRenderbufferParameterivEXT, void, (GLenum target, GLenum pname, GLint *params), Optional,            \
      GL_EXT_framebuffer_object)                                                                                \
    X(glIsFramebufferEXT, GLboolean, (GLuint framebuffer), Optional, GL_EXT_framebuffer_object)                 \
    X(glBindFramebufferEXT, void, (GLenum target, GLuint framebuffer), Optional, GL_EXT_framebuffer_object)     \
    X(glDeleteFramebuffersEXT, void, (GLsizei n, const GLuint *framebuffers), Optional, GL_EXT_framebuffer_object)\
    X(glGenFramebuffersEXT, void, (GLsizei n, GLuint *framebuffers), Optional, GL_EXT_framebuffer_object)       \
    X(glCheckFramebufferStatusEXT, GLenum, (GLenum target), Optional, GL_EXT_framebuffer_object)                \
    X(glFramebufferTexture2DEXT, void, (GLenum target, GLenum attachment, GLenum textarget, GLuint texture,     \
                                        GLint level), Optional, GL_EXT_framebuffer_object)                      \
    X(glFramebufferRenderbufferEXT, void, (GLenum target, GLenum attachment, GLenum renderbuffertarget,         \
                                           GLuint renderbuffer), Optional, GL_EXT_framebuffer_object)           \
    X(glGetFramebufferAttachmentParameterivEXT, void, (GLenum target, GLenum attachment, GLenum pname,          \
                                                       GLint *params), Optional, GL_EXT_framebuffer_object)     \
    X(glGenerateMipmapEXT, void, (GLenum target), Optional, GL_EXT_framebuffer_object)                          \
    X(glDrawBuffersARB, void, (GLsizei n, const GLenum *bufs), Optional, GL_ARB_draw_buffers)                   \
    X(glGenTextures, void, (GLsizei n, GLuint *textures), Optional, GL_VERSION_1_1)                             \
    X(glDeleteTextures, void, (GLsizei n, const GLuint *textures), Optional, GL_VERSION_1_1)                    \
    X(glBindTexture, void, (GLenum target, GLuint texture), Optional, GL_VERSION_1_1)                           \
    X(glTexImage2D, void, (GLenum target, GLint level, GLint internalformat, GLsizei width, GLsizei height,     \
                           GLint border, GLenum format, GLenum type, const void *pixels), Optional,             \
      GL_VERSION_1_1)                                                                                           \
    X(glTexParameteri, void, (GLenum target, GLenum pname, GLint param), Optional, GL_VERSION_1_1)              \
    X(glGetIntegerv, void, (GLenum pname, GLint *params), Optional, GL_VERSION_1_1)                             \
    X(glViewport, void, (GLint x, GLint y, GLsizei width, GLsizei height), Optional, GL_VERSION_1_1)            \
    X(glDrawBuffer, void, (GLenum mode), Optional, GL_VERSION_1_1)                                              \
    X(glReadBuffer, void, (GLenum mode), Optional, GL_VERSION_1_1)                                             \
    X(glBindBufferARB, void, (GLenum target, GLuint buffer), Optional, GL_ARB_vertex_buffer_object)            \
    X(glDeleteBuffersARB, void, (GLsizei n, const GLuint *buffers), Optional, GL_ARB_vertex_buffer_object)     \
    X(glGenBuffersARB, void, (GLsizei n, GLuint *buffers), Optional, GL_ARB_vertex_buffer_object)              \
    X(glBufferDataARB, void, (GLenum target, GLsizeiptrARB size, const void *data, GLenum usage), Optional,    \
      GL_ARB_vertex_buffer_object)                                                                             \
    X(glBufferSubDataARB, void, (GLenum target, GLintptrARB offset, GLsizeiptrARB size, const void *data),     \
      Optional, GL_ARB_vertex_buffer_object)                                                                   \
    X(glVertexAttribPointerARB, void, (GLuint index, GLint size, GLenum type, GLboolean normalized,            \
                                       GLsizei stride, const void *pointer), Optional, GL_ARB_vertex_shader)   \
    X(glEnableVertexAttribArrayARB, void, (GLuint index), Optional, GL_ARB_vertex_shader)                      \
    X(glDisableVertexAttribArrayARB, void, (GLuint index), Optional, GL_ARB_vertex_shader)                     \
    X(glClientActiveTextureARB, void, (GLenum texture), Optional, GL_ARB_multitexture)                         \
    X(glVertexAttribDivisorARB, void, (GLuint index, GLuint divisor), Optional, GL_ARB_instanced_arrays)       \
    X(glDrawArraysInstancedARB, void, (GLenum mode, GLint first, GLsizei count, GLsizei primcount), Optional,  \
      GL_ARB_draw_instanced)                                                                                   \
    X(glDrawElementsInstancedARB, void, (GLenum mode, GLsizei count, GLenum type, const void *indices,         \
                                         GLsizei primcount), Optional, GL_ARB_draw_instanced)                  \
    X(glDrawArrays, void, (GLenum mode, GLint first, GLsizei count), Optional, GL_VERSION_1_1)                 \
    X(glDrawElements, void, (GLenum mode, GLsizei count, GLenum type, const void *indices), Optional,          \
      GL_VERSION_1_1)                                                                                          \
    X(glVertexPointer, void, (GLint size, GLenum type, GLsizei stride, const void *pointer), Optional,         \
      GL_VERSION_1_1)                                                                                          \
    X(glNormalPointer, void, (GLenum type, GLsizei stride, const void *pointer), Optional, GL_VERSION_1_1)     \
    X(glColorPointer, void, (GLint size, GLenum type, GLsizei stride, const void *pointer), Optional,          \
      GL_VERSION_1_1)                                                                                          \
    X(glTexCoordPointer, void, (GLint size, GLenum type, GLsizei stride, const void *pointer), Optional,       \
      GL_VERSION_1_1)                                                                                          \
    X(glEnableClientState, void, (GLenum array), Optional, GL_VERSION_1_1)                                     \
    X(glDisableClientState, void, (GLenum array), Optional, GL_VERSION_1_1)                                    \
    X(glRenderbufferStorageMultisampleEXT, void, (GLenum target, GLsizei samples, GLenum internalformat,       \
                                                  GLsizei width, GLsizei height), Optional,                    \
      GL_EXT_framebuffer_multisample)                                                                          \
    X(glBlitFramebufferEXT, void, (GLint srcX0, GLint srcY0, GLint srcX1, GLint srcY1, GLint dstX0, GLint dstY0,\
                                   GLint dstX1, GLint dstY1, GLbitfield mask, GLenum filter), Optional,        \
      GL_EXT_framebuffer_blit)                                                                                 \
    X(glReadPixels, void, (GLint x, GLint y, GLsizei width, GLsizei height, GLenum format, GLenum type,        \
                           void *pixels), Optional, GL_VERSION_1_1)                                            \
    X(glGetError, GLenum, (), Optional, GL_VERSION_1_1)                                                        \
    X(glPixelStorei, void, (GLenum pname, GLint param), Optional, GL_VERSION_1_1)                             \
    X(glPushClientAttrib, void, (GLbitfield mask), Optional, GL_VERSION_1_1)                                   \
    X(glPopClientAttrib, void, (), Optional, GL_VERSION_1_1)                                                   \
    X(glIsProgram, GLboolean, (GLuint program), Optional, GL_VERSION_2_0)                                      \
    X(glTexSubImage2D, void, (GLenum target, GLint level, GLint xoffset, GLint yoffset, GLsizei width,         \
                              GLsizei height, GLenum format, GLenum type, const void *pixels), Optional,       \
      GL_VERSION_1_1)                                                                                          \
    X(glIsTexture, GLboolean, (GLuint texture), Optional, GL_VERSION_1_1)                                      \
    X(glTexImage3D, void, (GLenum target, GLint level, GLint internalformat, GLsizei width, GLsizei height,    \
                           GLsizei depth, GLint border, GLenum format, GLenum type, const void *pixels),       \
      Optional, GL_VERSION_1_2)                                                                                \
    X(glTexSubImage3D, void, (GLenum target, GLint level, GLint xoffset, GLint yoffset, GLint zoffset,         \
                              GLsizei width, GLsizei height, GLsizei depth, GLenum format, GLenum type,        \
                              const void *pixels), Optional, GL_VERSION_1_2)                                   \
    X(glActiveTextureARB, void, (GLenum texture), Optional, GL_ARB_multitexture)                               \
    X(glGetTexLevelParameteriv, void, (GLenum target, GLint level, GLenum pname, GLint *params), Optional,     \
      GL_VERSION_1_1)                                                                                          \
    X(glGetTexParameteriv, void, (GLenum target, GLenum pname, GLint *params), Optional, GL_VERSION_1_1)       \
    X(glGetString, const GLubyte *, (GLenum name), Optional, GL_VERSION_1_1)                                   \
    X(glFramebufferTexture3DEXT, void, (GLenum target, GLenum attachment, GLenum textarget, GLuint texture,    \
                                        GLint level, GLint zoffset), Optional, GL_EXT_framebuffer_object)
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
    const char *provider;
};

inline constexpr EntryPointInfo entryPointInfo[] = {
#define CORVANTA_INFO(name, result, params, need, provider) {#name, Need::need, #provider},
    CORVANTA_ENTRY_POINTS(CORVANTA_INFO)
#undef CORVANTA_INFO
};

// Texts compared and measured at compile time, for the tables made from the
// list's names and providers.
constexpr bool sameText(const char *a, const char *b) {
    while (*a != '\0' && *a == *b) ++a, ++b;
    return *a == *b;
}
constexpr size_t textLength(const char *text) {
    size_t length = 0;
    while (text[length] != '\0') ++length;
    return length;
}
// In a text of names one after the other, each ended by a NUL (the entry
// points', the constants', GLSL's types'), the name after `name`.
constexpr const char *nextName(const char *name) { return name + textLength(name) + 1; }

// The names one after the other in one text, rather than a pointer to each
// (most of the DLL's data and of its relocations): what the lookup reads, and
// the names of the script functions that pass a call straight through.
inline constexpr char entryPointNames[] =
#define CORVANTA_NAME(name, result, params, need, provider) #name "\0"
    CORVANTA_ENTRY_POINTS(CORVANTA_NAME)
#undef CORVANTA_NAME
    ;

// The name of the entry point a member of the table holds, for the templates
// that take a member: EntryPointName<&EntryPointTable::glFoo>::value is "glFoo".
template <auto member> struct EntryPointName;
#define CORVANTA_NAME_OF(name, result, params, need, provider)                                               \
    template <> struct EntryPointName<&EntryPointTable::name> {                                              \
        static constexpr const char value[] = #name;                                                         \
    };
CORVANTA_ENTRY_POINTS(CORVANTA_NAME_OF)
#undef CORVANTA_NAME_OF

// How many values make one element of an upload, as GL's names say: N for
// glUniform{N}{f,i}v, C times R for glUniformMatrix{C}x{R}fv, N times N for
// glUniformMatrix{N}fv, and 1 for any other name (the draw buffers, names
// to delete).
constexpr int32_t componentsOf(const char *name) {
    const auto follows = [](const char *text, const char *prefix) {
        while (*prefix != '\0')
            if (*text++ != *prefix++) return false;
        return true;
    };
    const auto digit = [](char c) { return c >= '1' && c <= '4' ? c - '0' : 0; };
    if (follows(name, "glUniformMatrix")) {
        const int32_t columns = digit(name[15]);
        return name[16] == 'x' ? columns * digit(name[17]) : columns * columns;
    }
    if (follows(name, "glUniform") && digit(name[9]) != 0 && name[11] == 'v') return digit(name[9]);
    return 1;
}
static_assert(componentsOf("glUniform3ivARB") == 3 && componentsOf("glUniformMatrix4fvARB") == 16 &&
              componentsOf("glUniformMatrix2x3fv") == 6 && componentsOf("glUniform2fARB") == 1);

template <auto member> constexpr int32_t componentsOfEntryPoint = componentsOf(EntryPointName<member>::value);

constexpr int EntryPointCount = sizeof entryPointInfo / sizeof entryPointInfo[0];
constexpr int RequiredEntryPointCount = [] {
    int count = 0;
    for (const EntryPointInfo &entry : entryPointInfo) count += entry.need == Need::Required ? 1 : 0;
    return count;
}();
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
