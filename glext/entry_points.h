// The extension entry points the library calls, resolved in the host's current
// GL context, and the decision whether shader objects are supported.
#pragma once

#include <cstdint>

#if defined(_WIN32) && defined(__i386__)
#define CORVANTA_APIENTRY __stdcall
#else
#define CORVANTA_APIENTRY
#endif

namespace corvanta {

// The GL types of the shader-object extension, as 32-bit values.
using GLhandleARB = uint32_t;
using GLenum = uint32_t;
using GLint = int32_t;
using GLsizei = int32_t;
using GLfloat = float;
using GLcharARB = char;

// One member per entry point, each with its extension prototype. The order is
// the lookup order: the 13 required entries first, then the 21 optional ones.
struct EntryPointTable {
    // Required.
    GLhandleARB(CORVANTA_APIENTRY *glCreateShaderObjectARB)(GLenum shaderType);
    void(CORVANTA_APIENTRY *glShaderSourceARB)(GLhandleARB shader, GLsizei count, const GLcharARB **strings,
                                               const GLint *lengths);
    void(CORVANTA_APIENTRY *glCompileShaderARB)(GLhandleARB shader);
    void(CORVANTA_APIENTRY *glDeleteObjectARB)(GLhandleARB object);
    GLhandleARB(CORVANTA_APIENTRY *glCreateProgramObjectARB)();
    void(CORVANTA_APIENTRY *glAttachObjectARB)(GLhandleARB container, GLhandleARB object);
    void(CORVANTA_APIENTRY *glDetachObjectARB)(GLhandleARB container, GLhandleARB object);
    void(CORVANTA_APIENTRY *glUseProgramObjectARB)(GLhandleARB program);
    void(CORVANTA_APIENTRY *glLinkProgramARB)(GLhandleARB program);
    void(CORVANTA_APIENTRY *glValidateProgramARB)(GLhandleARB program);
    void(CORVANTA_APIENTRY *glGetInfoLogARB)(GLhandleARB object, GLsizei maxLength, GLsizei *length,
                                             GLcharARB *infoLog);
    void(CORVANTA_APIENTRY *glGetObjectParameterivARB)(GLhandleARB object, GLenum pname, GLint *params);
    void(CORVANTA_APIENTRY *glGetObjectParameterfvARB)(GLhandleARB object, GLenum pname, GLfloat *params);
    // Optional.
    void(CORVANTA_APIENTRY *glGetActiveUniformARB)(GLhandleARB program, uint32_t index, GLsizei maxLength,
                                                   GLsizei *length, GLint *size, GLenum *type,
                                                   GLcharARB *name);
    GLint(CORVANTA_APIENTRY *glGetUniformLocationARB)(GLhandleARB program, const GLcharARB *name);
    void(CORVANTA_APIENTRY *glGetUniformivARB)(GLhandleARB program, GLint location, GLint *params);
    void(CORVANTA_APIENTRY *glGetUniformfvARB)(GLhandleARB program, GLint location, GLfloat *params);
    void(CORVANTA_APIENTRY *glUniform1fARB)(GLint location, GLfloat x);
    void(CORVANTA_APIENTRY *glUniform2fARB)(GLint location, GLfloat x, GLfloat y);
    void(CORVANTA_APIENTRY *glUniform3fARB)(GLint location, GLfloat x, GLfloat y, GLfloat z);
    void(CORVANTA_APIENTRY *glUniform4fARB)(GLint location, GLfloat x, GLfloat y, GLfloat z, GLfloat w);
    void(CORVANTA_APIENTRY *glUniform1iARB)(GLint location, GLint x);
    void(CORVANTA_APIENTRY *glUniform2iARB)(GLint location, GLint x, GLint y);
    void(CORVANTA_APIENTRY *glUniform3iARB)(GLint location, GLint x, GLint y, GLint z);
    void(CORVANTA_APIENTRY *glUniform4iARB)(GLint location, GLint x, GLint y, GLint z, GLint w);
    void(CORVANTA_APIENTRY *glUniform1fvARB)(GLint location, GLsizei count, const GLfloat *v);
    void(CORVANTA_APIENTRY *glUniform2fvARB)(GLint location, GLsizei count, const GLfloat *v);
    void(CORVANTA_APIENTRY *glUniform3fvARB)(GLint location, GLsizei count, const GLfloat *v);
    void(CORVANTA_APIENTRY *glUniform4fvARB)(GLint location, GLsizei count, const GLfloat *v);
    void(CORVANTA_APIENTRY *glUniform1ivARB)(GLint location, GLsizei count, const GLint *v);
    void(CORVANTA_APIENTRY *glUniform2ivARB)(GLint location, GLsizei count, const GLint *v);
    void(CORVANTA_APIENTRY *glUniform3ivARB)(GLint location, GLsizei count, const GLint *v);
    void(CORVANTA_APIENTRY *glUniform4ivARB)(GLint location, GLsizei count, const GLint *v);
    int(CORVANTA_APIENTRY *wglSwapIntervalEXT)(int interval);
};

constexpr int EntryPointCount = 34;
static_assert(sizeof(EntryPointTable) == EntryPointCount * sizeof(void *));

// Module state: written by startProgram, read by the handlers. Zero at load.
extern EntryPointTable entryPoints;
extern int32_t shaderSupported;

// Resolves the entry points in the current GL context unless support was
// already found, and reports whether shader objects are supported. On failure
// it sets the error text and beeps.
bool startProgram();

} // namespace corvanta
