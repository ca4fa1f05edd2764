// The few GL 1.1 calls the reference host makes itself, for its built-ins.
// The system GL library exports them on both platforms.
#pragma once

#include "glext/entry_points.h"

namespace corvanta::host::gl {

constexpr GLenum COLOR_BUFFER_BIT = 0x00004000;
constexpr GLenum QUADS = 0x0007;
constexpr GLenum RGBA = 0x1908;
constexpr GLenum UNSIGNED_BYTE = 0x1401;
constexpr GLenum PACK_ALIGNMENT = 0x0D05;

} // namespace corvanta::host::gl

extern "C" {
void CORVANTA_APIENTRY glClearColor(float red, float green, float blue, float alpha);
void CORVANTA_APIENTRY glClear(unsigned int mask);
void CORVANTA_APIENTRY glViewport(int x, int y, int width, int height);
void CORVANTA_APIENTRY glBegin(unsigned int mode);
void CORVANTA_APIENTRY glEnd();
void CORVANTA_APIENTRY glTexCoord2f(float s, float t);
void CORVANTA_APIENTRY glVertex2f(float x, float y);
void CORVANTA_APIENTRY glPixelStorei(unsigned int name, int value);
void CORVANTA_APIENTRY glReadPixels(int x, int y, int width, int height, unsigned int format,
                                    unsigned int type, void *pixels);
void CORVANTA_APIENTRY glFinish();
}
