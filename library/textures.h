// What the textures and the render targets know of each other's textures:
// the plugin's record of a texture "CreateTexture" made, of a render
// target's own, and of what "SetUniformTexture" has bound for sampling.
#pragma once

#include <cstdint>

#include "glext/entry_points.h"

namespace corvanta::handlers {

struct TextureInfo {
    GLenum kind; // GL_TEXTURE_2D, GL_TEXTURE_CUBE_MAP_ARB or GL_TEXTURE_3D
    GLsizei width;
    GLsizei height;
    GLsizei depth;     // a 3D texture's slices, 1 for the others
    GLint format;      // the internal format
    bool mipmaps;      // the whole chain, made anew after every change
    bool depthTexture; // a render target's depth texture
    GLuint target;     // the render target it belongs to, 0 for one "CreateTexture" made
};

// A texture "CreateTexture" made.
bool createdTexture(GLuint texture, TextureInfo &info);
// A render target's own colour or depth texture.
bool renderTargetsTexture(GLuint texture, TextureInfo &info);
// Either of those.
inline bool knownTexture(GLuint texture, TextureInfo &info) {
    return createdTexture(texture, info) || renderTargetsTexture(texture, info);
}
// The render target a texture is attached to ("AttachRenderTargetTexture"),
// 0 for none.
GLuint attachedTo(GLuint texture);
// Whether "SetUniformTexture" has bound the texture on a unit, not unbound
// since.
bool boundForSampling(GLuint texture);
// Forgets that a texture is bound for sampling: it is being deleted, and
// its name may be handed out again.
void forgetSampling(GLuint texture);

// What a texture's values are: the format data is given in, and the reals a
// texel takes (4 for the RGBA formats, 1 for the luminance ones).
GLenum dataFormatOf(GLint format);
int32_t texelComponents(GLint format);
// The texture's binding query for its kind.
GLenum bindingOf(GLenum kind);
// The image of one layer: a cube's face, or the kind itself.
GLenum layerTarget(const TextureInfo &info, int32_t layer);
// The layers a texture has: 6 faces of a cube, a 3D texture's slices, 1.
int32_t layersOf(const TextureInfo &info);

// Binds a texture to its kind's target until the binding comes back.
class BoundTexture {
public:
    BoundTexture(GLenum kind, GLuint texture);
    ~BoundTexture();
    BoundTexture(const BoundTexture &) = delete;
    BoundTexture &operator=(const BoundTexture &) = delete;

private:
    GLenum kind_;
    GLint previous_;
};

// Forgets what "SetUniformTexture" found of a program's samplers.
void forgetSamplersOf(GLhandleARB program);
// Frees the records (not the textures: the context may be gone).
void releaseTextures();

} // namespace corvanta::handlers
