// The GL calls the reference host makes itself, for its built-ins, declared
// here rather than taken from the plugin: a host sees nothing of a plugin but
// its binary interface. The system GL library exports the GL 1.1 calls on
// both platforms; glActiveTextureARB is looked up (host/host_platform.h).
#pragma once

#if defined(_WIN32) && (defined(__i386__) || defined(_M_IX86))
#define HOST_GL_API __stdcall
#else
#define HOST_GL_API
#endif

namespace corvanta::host::gl {

constexpr unsigned DEPTH_BUFFER_BIT = 0x00000100;
constexpr unsigned COLOR_BUFFER_BIT = 0x00004000;
constexpr unsigned TRIANGLES = 0x0004;
constexpr unsigned QUADS = 0x0007;
constexpr unsigned LEQUAL = 0x0203;
constexpr unsigned DEPTH_TEST = 0x0B71;
constexpr unsigned UNPACK_ALIGNMENT = 0x0CF5;
constexpr unsigned PACK_ALIGNMENT = 0x0D05;
constexpr unsigned TEXTURE_2D = 0x0DE1;
constexpr unsigned UNSIGNED_BYTE = 0x1401;
constexpr unsigned RGBA = 0x1908;
constexpr unsigned LINEAR = 0x2601;
constexpr unsigned TEXTURE_MAG_FILTER = 0x2800;
constexpr unsigned TEXTURE_MIN_FILTER = 0x2801;
constexpr unsigned TEXTURE_WRAP_S = 0x2802;
constexpr unsigned TEXTURE_WRAP_T = 0x2803;
constexpr unsigned CLAMP_TO_EDGE = 0x812F;
constexpr unsigned TEXTURE0 = 0x84C0;
constexpr unsigned VIEWPORT = 0x0BA2;
constexpr unsigned TEXTURE_BINDING_2D = 0x8069;

using ActiveTextureFunction = void(HOST_GL_API *)(unsigned unit);

} // namespace corvanta::host::gl

extern "C" {
void HOST_GL_API glClearColor(float red, float green, float blue, float alpha);
void HOST_GL_API glClear(unsigned mask);
void HOST_GL_API glViewport(int x, int y, int width, int height);
void HOST_GL_API glEnable(unsigned capability);
void HOST_GL_API glDisable(unsigned capability);
void HOST_GL_API glDepthFunc(unsigned function);
void HOST_GL_API glBegin(unsigned mode);
void HOST_GL_API glEnd();
void HOST_GL_API glTexCoord2f(float s, float t);
void HOST_GL_API glVertex2f(float x, float y);
void HOST_GL_API glNormal3f(float x, float y, float z);
void HOST_GL_API glVertex3f(float x, float y, float z);
void HOST_GL_API glGenTextures(int count, unsigned *textures);
void HOST_GL_API glBindTexture(unsigned target, unsigned texture);
void HOST_GL_API glTexParameteri(unsigned target, unsigned name, int value);
void HOST_GL_API glTexImage2D(unsigned target, int level, int internalFormat, int width, int height,
                              int border, unsigned format, unsigned type, const void *pixels);
void HOST_GL_API glPixelStorei(unsigned name, int value);
void HOST_GL_API glReadPixels(int x, int y, int width, int height, unsigned format, unsigned type,
                              void *pixels);
void HOST_GL_API glFinish();
unsigned HOST_GL_API glGetError();
void HOST_GL_API glBlendFunc(unsigned sourceFactor, unsigned destinationFactor);
void HOST_GL_API glCullFace(unsigned mode);
void HOST_GL_API glPolygonOffset(float factor, float units);
void HOST_GL_API glDepthMask(unsigned char flag);
void HOST_GL_API glGetIntegerv(unsigned name, int *values);
const unsigned char *HOST_GL_API glGetString(unsigned name);
}
