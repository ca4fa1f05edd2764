// Render targets: a framebuffer object with textures a later pass samples,
// drawn into between "BeginRenderTarget" and "EndRenderTarget", and the
// plugin's record of the live ones. Everything a script could get half right
// (a depth buffer, filtering that needs no mipmaps, the viewport, a
// framebuffer that is not complete, nesting) is done here once.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "glext/entry_points.h"
#include "glext/gl_tokens.h"
#include "library/allocation.h"
#include "library/arguments.h"
#include "library/checked.h"
#include "library/handlers.h"
#include "library/object_queries.h"
#include "library/pixel_store.h"
#include "library/records.h"
#include "library/registration.h"
#include "library/script_log.h"
#include "library/textures.h"

namespace corvanta::handlers {
namespace {

using script_log::Text;

struct RenderTarget {
    GLuint framebuffer; // the target's handle, with its textures
    GLuint colour;      // 0 for a depth-only target
    GLuint depth;       // 0 without depth bits
    GLsizei width;
    GLsizei height;
    // With samples: the framebuffer drawn into, of multisampled colour and
    // depth renderbuffers, resolved into the textures at every End.
    GLuint multisampled;
    GLuint samples[2];
    bool mipmaps; // the colour texture's levels, made anew at every End
    GLint colourFormat;
    // Textures "AttachRenderTargetTexture" attached as colour attachments 0
    // to 3 (0 for none; attachment 0 then is the target's own colour), and
    // the layer of each.
    GLuint attached[4];
    int32_t layers[4];
    RenderTarget *next;
};

// The framebuffers bound for drawing and for reading, which the blit
// extension lets differ.
struct Bindings {
    GLint draw;
    GLint read;
};

// What a Begin saved, to restore at its End; `bound` is false for a Begin
// that bound nothing.
struct Begun {
    bool bound;
    GLuint target;
    Bindings framebuffers;
    GLint viewport[4];
};

// Zero at load: no targets, nothing begun.
Records<RenderTarget> targets;
constexpr int maxNesting = 64;
Begun begun[maxNesting];
int32_t nesting; // Begins not yet ended, the ones past maxNesting included

// Every call a render target needs, from the framebuffer-object extension
// and GL 1.1.
bool available() {
    const EntryPointTable &gl = entryPoints;
    return gl.glGenFramebuffersEXT != nullptr && gl.glDeleteFramebuffersEXT != nullptr &&
           gl.glBindFramebufferEXT != nullptr && gl.glFramebufferTexture2DEXT != nullptr &&
           gl.glCheckFramebufferStatusEXT != nullptr && gl.glGenTextures != nullptr &&
           gl.glDeleteTextures != nullptr && gl.glBindTexture != nullptr && gl.glTexImage2D != nullptr &&
           gl.glTexParameteri != nullptr && gl.glGetIntegerv != nullptr && gl.glViewport != nullptr &&
           gl.glDrawBuffer != nullptr && gl.glReadBuffer != nullptr;
}

// Multisampled targets also need renderbuffers, their multisampled storage
// and the blit that resolves them.
bool multisamplingAvailable() {
    const EntryPointTable &gl = entryPoints;
    return gl.glGenRenderbuffersEXT != nullptr && gl.glDeleteRenderbuffersEXT != nullptr &&
           gl.glBindRenderbufferEXT != nullptr && gl.glFramebufferRenderbufferEXT != nullptr &&
           gl.glRenderbufferStorageMultisampleEXT != nullptr && gl.glBlitFramebufferEXT != nullptr;
}

// The live target whose framebuffer is `name`; null for any other name.
RenderTarget *find(int32_t name) {
    return targets.find([name](const RenderTarget &target) { return static_cast<int32_t>(target.framebuffer) == name; });
}

// A texture of the target's size attached to the bound framebuffer: level 0
// only, with a filter that needs no mipmaps, clamped at the edges. 0 when the
// driver gives no name.
// A target with mipmaps minifies from its whole chain of levels, which
// glGenerateMipmapEXT makes from level 0.
GLuint attachTexture(const RenderTarget &target, GLenum attachment, GLint internalFormat, GLenum format,
                     GLenum type, GLint filter) {
    const EntryPointTable &gl = entryPoints;
    GLuint texture = 0;
    gl.glGenTextures(1, &texture);
    if (texture == 0) return 0;
    const bool mipmaps = target.mipmaps && attachment == GL_COLOR_ATTACHMENT0_EXT;
    gl.glBindTexture(GL_TEXTURE_2D, texture);
    gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER,
                       mipmaps ? static_cast<GLint>(GL_LINEAR_MIPMAP_LINEAR) : filter);
    gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
    gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, static_cast<GLint>(GL_CLAMP_TO_EDGE));
    gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, static_cast<GLint>(GL_CLAMP_TO_EDGE));
    gl.glTexImage2D(GL_TEXTURE_2D, 0, internalFormat, target.width, target.height, 0, format, type, nullptr);
    if (mipmaps) gl.glGenerateMipmapEXT(GL_TEXTURE_2D);
    gl.glFramebufferTexture2DEXT(GL_FRAMEBUFFER_EXT, attachment, GL_TEXTURE_2D, texture, 0);
    return texture;
}

void deleteObjects(const RenderTarget &target) {
    const EntryPointTable &gl = entryPoints;
    if (target.colour != 0) gl.glDeleteTextures(1, &target.colour);
    if (target.depth != 0) gl.glDeleteTextures(1, &target.depth);
    if (target.framebuffer != 0) gl.glDeleteFramebuffersEXT(1, &target.framebuffer);
    if (target.multisampled != 0) gl.glDeleteFramebuffersEXT(1, &target.multisampled);
    for (const GLuint renderbuffer : target.samples)
        if (renderbuffer != 0) gl.glDeleteRenderbuffersEXT(1, &renderbuffer);
}

// Those bound now, and their restore.
Bindings boundFramebuffers() {
    return {integer(GL_FRAMEBUFFER_BINDING_EXT),
            entryPoints.glBlitFramebufferEXT != nullptr ? integer(GL_READ_FRAMEBUFFER_BINDING_EXT) : 0};
}
void restore(const Bindings &bound) {
    entryPoints.glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, static_cast<GLuint>(bound.draw));
    if (entryPoints.glBlitFramebufferEXT != nullptr)
        entryPoints.glBindFramebufferEXT(GL_READ_FRAMEBUFFER_EXT, static_cast<GLuint>(bound.read));
}

// Says why the bound framebuffer is not complete; false then.
bool complete(Text &cause) {
    const GLenum status = entryPoints.glCheckFramebufferStatusEXT(GL_FRAMEBUFFER_EXT);
    if (status == GL_FRAMEBUFFER_COMPLETE_EXT) return true;
    cause << "incomplete: ";
    // The incomplete statuses are among the constants scripts get, by name;
    // any other value is given as a number.
    const bool known = status > GL_FRAMEBUFFER_COMPLETE_EXT && status <= GL_FRAMEBUFFER_UNSUPPORTED_EXT;
    const char *name = known ? constantName(static_cast<int32_t>(status)) : nullptr;
    if (name != nullptr)
        cause << name;
    else
        cause << static_cast<int32_t>(status);
    return false;
}

// The multisampled framebuffer of a target with samples, bound: a
// renderbuffer of `samples` samples for each of the target's textures.
bool makeMultisampled(RenderTarget &target, GLint colourFormat, GLenum depthFormat, GLsizei samples,
                      Text &cause) {
    const EntryPointTable &gl = entryPoints;
    const GLint renderbuffer = integer(GL_RENDERBUFFER_BINDING_EXT);
    gl.glGenFramebuffersEXT(1, &target.multisampled);
    gl.glGenRenderbuffersEXT(2, target.samples);
    if (target.multisampled == 0 || target.samples[0] == 0 || target.samples[1] == 0) {
        cause << "the driver created no framebuffer";
        return false;
    }
    gl.glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, target.multisampled);
    const GLenum formats[] = {static_cast<GLenum>(colourFormat), depthFormat};
    const GLenum attachments[] = {GL_COLOR_ATTACHMENT0_EXT, GL_DEPTH_ATTACHMENT_EXT};
    for (int i = 0; i < 2; ++i) {
        if (formats[i] == 0) continue;
        gl.glBindRenderbufferEXT(GL_RENDERBUFFER_EXT, target.samples[i]);
        gl.glRenderbufferStorageMultisampleEXT(GL_RENDERBUFFER_EXT, samples, formats[i], target.width,
                                               target.height);
        gl.glFramebufferRenderbufferEXT(GL_FRAMEBUFFER_EXT, attachments[i], GL_RENDERBUFFER_EXT,
                                        target.samples[i]);
    }
    gl.glBindRenderbufferEXT(GL_RENDERBUFFER_EXT, static_cast<GLuint>(renderbuffer));
    if (colourFormat == 0) {
        gl.glDrawBuffer(GL_NONE);
        gl.glReadBuffer(GL_NONE);
    }
    return complete(cause);
}

// Makes the framebuffer and its textures, checks that it is complete, and
// leaves the texture and framebuffer bindings as they were. On failure it
// deletes everything it made, says why and gives false. The textures are
// made empty, with the host's pixel-unpack buffer set aside.
bool make(RenderTarget &target, GLint colourFormat, GLenum depthFormat, GLsizei samples, Text &cause) {
    const EntryPointTable &gl = entryPoints;
    const PixelBufferAside unpackBuffer(PixelBufferAside::Direction::Unpack);
    const GLint texture = integer(GL_TEXTURE_BINDING_2D);
    const Bindings framebuffers = boundFramebuffers();
    gl.glGenFramebuffersEXT(1, &target.framebuffer);
    if (target.framebuffer == 0) {
        cause << "the driver created no framebuffer";
        return false;
    }
    gl.glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, target.framebuffer);
    bool made = true;
    if (colourFormat != 0)
        made = (target.colour = attachTexture(target, GL_COLOR_ATTACHMENT0_EXT, colourFormat, GL_RGBA,
                                              GL_UNSIGNED_BYTE, static_cast<GLint>(GL_LINEAR))) != 0;
    if (made && depthFormat != 0)
        made = (target.depth =
                    attachTexture(target, GL_DEPTH_ATTACHMENT_EXT, static_cast<GLint>(depthFormat),
                                  GL_DEPTH_COMPONENT, GL_UNSIGNED_INT, static_cast<GLint>(GL_NEAREST))) != 0;
    if (!made) cause << "the driver created no texture";
    // A framebuffer without colour draws and reads none, or it is incomplete.
    if (made && colourFormat == 0) {
        gl.glDrawBuffer(GL_NONE);
        gl.glReadBuffer(GL_NONE);
    }
    made = made && complete(cause);
    if (made && samples > 1) made = makeMultisampled(target, colourFormat, depthFormat, samples, cause);
    gl.glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(texture));
    restore(framebuffers);
    if (!made) deleteObjects(target);
    return made;
}

// The new target's framebuffer, or 0 with the cause said.
GLuint create(GLsizei width, GLsizei height, GLint colourFormat, int32_t depthBits, int32_t samples,
              int32_t mipmaps, Text &cause) {
    if (!available()) {
        cause << "framebuffer objects are not supported";
        return 0;
    }
    if (samples < 0 || mipmaps < 0 || mipmaps > 1) {
        cause << "samples " << samples << " and mipmaps " << mipmaps << " are not 0 or more, and 0 or 1";
        return 0;
    }
    if (samples > 1) {
        if (!multisamplingAvailable()) {
            cause << "samples need GL_EXT_framebuffer_multisample and GL_EXT_framebuffer_blit";
            return 0;
        }
        const GLint most = integer(GL_MAX_SAMPLES_EXT);
        if (samples > most) {
            cause << samples << " samples are more than the driver's most, " << most;
            return 0;
        }
    }
    if (mipmaps != 0 && (colourFormat == 0 || entryPoints.glGenerateMipmapEXT == nullptr)) {
        cause << "mipmaps need a colour format and glGenerateMipmapEXT";
        return 0;
    }
    const GLint textureSize = integer(GL_MAX_TEXTURE_SIZE);
    const GLint renderbufferSize = integer(GL_MAX_RENDERBUFFER_SIZE_EXT);
    const GLint largest = textureSize < renderbufferSize ? textureSize : renderbufferSize;
    if (width < 1 || height < 1 || width > largest || height > largest) {
        cause << "the size " << width << "x" << height << " is not from 1 to " << largest << " a side";
        return 0;
    }
    GLenum depthFormat = 0;
    switch (depthBits) {
    case 0: break;
    case 16: depthFormat = GL_DEPTH_COMPONENT16_ARB; break;
    case 24: depthFormat = GL_DEPTH_COMPONENT24_ARB; break;
    case 32: depthFormat = GL_DEPTH_COMPONENT32_ARB; break;
    default: cause << "depth bits " << depthBits << " are not 0, 16, 24 or 32"; return 0;
    }
    if (colourFormat == 0 && depthFormat == 0) {
        cause << "neither a colour format nor depth bits";
        return 0;
    }
    RenderTarget made = {0, 0, 0, width, height, 0, {0, 0}, mipmaps != 0, colourFormat, {}, {}, nullptr};
    if (!make(made, colourFormat, depthFormat, samples, cause)) {
        // The flags are read only when something failed, and then all of them.
        const FlagsSay said = readErrorFlags();
        if (said == FlagsSay::OutOfMemory) (cause = Text()) << "out of memory";
        if (said == FlagsSay::FormatRefused && colourFormat != 0)
            ((cause = Text()) << "the driver does not accept colour format ").constant(colourFormat);
        return 0;
    }
    RenderTarget *record = targets.add();
    if (record == nullptr) {
        deleteObjects(made);
        cause << "no memory for the target's record";
        return 0;
    }
    made.next = record->next;
    *record = made;
    return made.framebuffer;
}

// A target with any of its textures bound for sampling by
// "SetUniformTexture": drawing into a texture a shader samples is undefined.
void warnOfFeedback(const RenderTarget &target) {
    const GLuint textures[] = {target.colour,      target.depth,       target.attached[0],
                               target.attached[1], target.attached[2], target.attached[3]};
    for (const GLuint texture : textures)
        if (boundForSampling(texture))
            return script_log::warn(Text() << "BeginRenderTarget: texture " << static_cast<int32_t>(texture)
                                           << " of target " << static_cast<int32_t>(target.framebuffer)
                                           << " is bound for a sampler by SetUniformTexture: drawing into a "
                                              "texture a shader samples is undefined");
}

// Makes the mipmaps of a texture anew, its binding restored.
void remakeMipmaps(GLenum kind, GLuint texture) {
    const BoundTexture binding(kind, texture);
    entryPoints.glGenerateMipmapEXT(kind);
}

// Whether a Begin not yet ended has bound the framebuffer, or will restore it.
bool inUse(GLuint framebuffer) {
    const int32_t saved = nesting < maxNesting ? nesting : maxNesting;
    for (int32_t i = 0; i < saved; ++i)
        if (begun[i].bound && (begun[i].target == framebuffer ||
                               static_cast<GLuint>(begun[i].framebuffers.draw) == framebuffer ||
                               static_cast<GLuint>(begun[i].framebuffers.read) == framebuffer))
            return true;
    return false;
}

} // namespace

// "CreateRenderTarget" is "CreateRenderTargetEx" without samples or mipmaps.
template <FunctionHandler handler> void createTarget(ScriptRuntime *runtime) {
    const Arguments<handler> args(runtime);
    const GLsizei width = intArgument<0>(args);
    const GLsizei height = intArgument<1>(args);
    const GLint colourFormat = intArgument<2>(args);
    const int32_t depthBits = intArgument<3>(args);
    int32_t samples = 0, mipmaps = 0;
    if constexpr (Arguments<handler>::count == 6) {
        samples = intArgument<4>(args);
        mipmaps = intArgument<5>(args);
    }
    Text cause;
    const GLuint target = create(width, height, colourFormat, depthBits, samples, mipmaps, cause);
    script_log::replaceBuildLog("render target:", cause.text());
    setResult(args, static_cast<int32_t>(target));
}

void CORVANTA_CALL createRenderTarget(ScriptRuntime *runtime) { createTarget<createRenderTarget>(runtime); }
void CORVANTA_CALL createRenderTargetEx(ScriptRuntime *runtime) {
    createTarget<createRenderTargetEx>(runtime);
}

// A Begin always counts, so that every End pairs with one; a Begin that
// cannot bind (no such target, no support, nesting deeper than kept) is
// recorded as binding nothing, and its End restores nothing.
void CORVANTA_CALL beginRenderTarget(ScriptRuntime *runtime) {
    const int32_t name = intArgument<0>(Arguments<beginRenderTarget>(runtime));
    if (nesting == INT32_MAX) return;
    if (nesting < maxNesting) {
        Begun &saved = begun[nesting];
        saved = {};
        const RenderTarget *target = available() ? find(name) : nullptr;
        if (target == nullptr && available())
            script_log::warn(Text() << "BeginRenderTarget: " << name << " is not a render target");
        if (target != nullptr) {
            warnOfFeedback(*target);
            saved.framebuffers = boundFramebuffers();
            GLint cells[16] = {};
            entryPoints.glGetIntegerv(GL_VIEWPORT, cells);
            std::memcpy(saved.viewport, cells, sizeof saved.viewport);
            entryPoints.glBindFramebufferEXT(
                GL_FRAMEBUFFER_EXT, target->multisampled != 0 ? target->multisampled : target->framebuffer);
            entryPoints.glViewport(0, 0, target->width, target->height);
            saved.target = target->framebuffer;
            saved.bound = true;
        }
    }
    ++nesting;
}

// The End of a target with samples resolves them into its textures, and
// that of a target with mipmaps makes its colour texture's levels anew,
// before the bindings the Begin found come back.
void CORVANTA_CALL endRenderTarget(ScriptRuntime *) {
    if (nesting == 0) return;
    --nesting;
    if (nesting >= maxNesting || !begun[nesting].bound || !available()) return;
    const EntryPointTable &gl = entryPoints;
    const Begun &saved = begun[nesting];
    if (const RenderTarget *target = find(static_cast<int32_t>(saved.target))) {
        if (target->multisampled != 0) {
            gl.glBindFramebufferEXT(GL_READ_FRAMEBUFFER_EXT, target->multisampled);
            gl.glBindFramebufferEXT(GL_DRAW_FRAMEBUFFER_EXT, target->framebuffer);
            gl.glBlitFramebufferEXT(0, 0, target->width, target->height, 0, 0, target->width, target->height,
                                    (target->colour != 0 ? GL_COLOR_BUFFER_BIT : 0) |
                                        (target->depth != 0 ? GL_DEPTH_BUFFER_BIT : 0),
                                    GL_NEAREST);
        }
        if (target->mipmaps && target->attached[0] == 0) remakeMipmaps(GL_TEXTURE_2D, target->colour);
        for (const GLuint texture : target->attached) {
            TextureInfo info{};
            if (createdTexture(texture, info) && info.mipmaps && gl.glGenerateMipmapEXT != nullptr)
                remakeMipmaps(info.kind, texture);
        }
    }
    restore(saved.framebuffers);
    gl.glViewport(saved.viewport[0], saved.viewport[1], saved.viewport[2], saved.viewport[3]);
}

// The rectangle's pixels as floats: four a pixel of a target with colour,
// one (the depth) of a depth-only one, rows from the bottom up, read from the
// target's textures (a multisampled target's resolved picture). The read
// binding, the pack state and a pixel-pack buffer the host bound are
// restored; the read buffer set is the target's own.
void CORVANTA_CALL readRenderTarget(ScriptRuntime *runtime) {
    const EntryPointTable &gl = entryPoints;
    const Arguments<readRenderTarget> args(runtime);
    const int32_t name = intArgument<0>(args);
    const int32_t x = intArgument<1>(args), y = intArgument<2>(args);
    const int32_t width = intArgument<3>(args), height = intArgument<4>(args);
    Text warning;
    warning << "ReadRenderTarget: ";
    const RenderTarget *target = find(name);
    if (!available() || gl.glReadPixels == nullptr || gl.glPixelStorei == nullptr) {
        script_log::warn(warning << "reading pixels back is not supported");
        return;
    }
    if (target == nullptr) {
        script_log::warn(warning << name << " is not a render target");
        return;
    }
    if (width < 1 || height < 1 || x < 0 || y < 0 || width > target->width - x ||
        height > target->height - y) {
        script_log::warn(warning << "(" << x << ", " << y << ", " << width << ", " << height
                                 << ") is not a rectangle within target " << name << " of " << target->width
                                 << "x" << target->height);
        return;
    }
    const int32_t components = target->colour != 0 ? 4 : 1;
    const int64_t bytes = bytesOf(width, height, components * 4);
    void *pixels = fitsIn32Bits(bytes) ? allocate(static_cast<size_t>(bytes)) : nullptr;
    if (pixels == nullptr) {
        script_log::warn(warning << "no memory for " << width << "x" << height << " pixels");
        return;
    }
    const GLenum binding = gl.glBlitFramebufferEXT != nullptr ? GL_READ_FRAMEBUFFER_EXT : GL_FRAMEBUFFER_EXT;
    const GLint framebuffer =
        integer(binding == GL_FRAMEBUFFER_EXT ? GL_FRAMEBUFFER_BINDING_EXT : GL_READ_FRAMEBUFFER_BINDING_EXT);
    {
        const PixelRows rows(PixelRows::Direction::Pack);
        gl.glBindFramebufferEXT(binding, target->framebuffer);
        gl.glReadPixels(x, y, width, height, components == 4 ? GL_RGBA : GL_DEPTH_COMPONENT, GL_FLOAT, pixels);
    }
    gl.glBindFramebufferEXT(binding, static_cast<GLuint>(framebuffer));
    writeRows<5>(args, height, width * components, static_cast<const GLfloat *>(pixels));
    release(pixels);
}

void CORVANTA_CALL renderTargetTexture(ScriptRuntime *runtime) {
    const Arguments<renderTargetTexture> args(runtime);
    const RenderTarget *target = find(intArgument<0>(args));
    const auto attachment = static_cast<GLenum>(intArgument<1>(args));
    GLuint texture = 0;
    const int32_t index = enumIndex(attachment, GL_COLOR_ATTACHMENT0_EXT, 4);
    if (target != nullptr && index >= 0) texture = target->attached[index];
    if (target != nullptr && attachment == GL_COLOR_ATTACHMENT0_EXT && texture == 0) texture = target->colour;
    if (target != nullptr && attachment == GL_DEPTH_ATTACHMENT_EXT) texture = target->depth;
    setResult(args, static_cast<int32_t>(texture));
}

// A target that a Begin has bound, or will restore at its End, stays: a later
// End would bind a deleted name, which the extension turns into a new, empty
// framebuffer.
void CORVANTA_CALL deleteRenderTarget(ScriptRuntime *runtime) {
    const int32_t name = intArgument<0>(Arguments<deleteRenderTarget>(runtime));
    if (!available()) return;
    Text warning;
    warning << "DeleteRenderTarget: " << name;
    RenderTarget *target = find(name);
    if (target == nullptr) return script_log::warn(warning << " is not a render target");
    if (inUse(target->framebuffer))
        return script_log::warn(warning << " is in use by a BeginRenderTarget not yet ended: not deleted");
    forgetSampling(target->colour);
    forgetSampling(target->depth);
    deleteObjects(*target);
    targets.remove(target);
}

void CORVANTA_CALL deleteFramebuffer(ScriptRuntime *runtime) {
    if (entryPoints.glDeleteFramebuffersEXT == nullptr) return;
    const auto framebuffer = static_cast<GLuint>(intArgument<0>(Arguments<deleteFramebuffer>(runtime)));
    if (find(static_cast<int32_t>(framebuffer)) != nullptr)
        return script_log::warn(Text() << "DeleteFramebuffer: " << static_cast<int32_t>(framebuffer)
                                       << " is a render target's: delete the target with DeleteRenderTarget");
    entryPoints.glDeleteFramebuffersEXT(1, &framebuffer);
}

bool renderTargetsTexture(GLuint texture, TextureInfo &info) {
    const RenderTarget *target = texture == 0 ? nullptr : targets.find([texture](const RenderTarget &known) {
        return known.colour == texture || known.depth == texture;
    });
    if (target == nullptr) return false;
    const bool depth = target->depth == texture;
    info = {GL_TEXTURE_2D, target->width, target->height, 1, depth ? 0 : target->colourFormat,
            !depth && target->mipmaps, depth, target->framebuffer};
    return true;
}

GLuint attachedTo(GLuint texture) {
    const RenderTarget *target = texture == 0 ? nullptr : targets.find([texture](const RenderTarget &known) {
        for (const GLuint attached : known.attached)
            if (attached == texture) return true;
        return false;
    });
    return target != nullptr ? target->framebuffer : 0;
}

namespace {

// The colour attachments a target with these textures attached draws into,
// in order: its own colour texture is attachment 0 where none is attached.
GLsizei colourBuffers(const RenderTarget &target, const GLuint (&attached)[4], GLenum (&drawn)[4]) {
    GLsizei count = 0;
    for (int32_t i = 0; i < 4; ++i)
        if (attached[i] != 0 || (i == 0 && target.colour != 0))
            drawn[count++] = GL_COLOR_ATTACHMENT0_EXT + static_cast<GLenum>(i);
    return count;
}

// Attaches one layer of a texture (0: none) to the bound framebuffer.
void attachLayer(GLenum attachment, GLuint texture, const TextureInfo &info, int32_t layer) {
    if (texture != 0 && info.kind == GL_TEXTURE_3D)
        entryPoints.glFramebufferTexture3DEXT(GL_FRAMEBUFFER_EXT, attachment, GL_TEXTURE_3D, texture, 0, layer);
    else
        entryPoints.glFramebufferTexture2DEXT(GL_FRAMEBUFFER_EXT, attachment,
                                              texture != 0 ? layerTarget(info, layer) : GL_TEXTURE_2D, texture, 0);
}

// The colours the bound framebuffer draws into and reads from.
void drawInto(const GLenum *buffers, GLsizei count) {
    if (count > 1)
        entryPoints.glDrawBuffersARB(count, buffers);
    else
        entryPoints.glDrawBuffer(count == 1 ? buffers[0] : GL_NONE);
    entryPoints.glReadBuffer(count >= 1 ? buffers[0] : GL_NONE);
}

// Attaches (or, for texture 0, detaches) a texture "CreateTexture" made as a
// colour attachment of a target without samples; true, or false with
// nothing changed and the cause said.
bool attach(int32_t name, GLenum attachment, GLuint texture, int32_t layer, Text &cause) {
    const EntryPointTable &gl = entryPoints;
    RenderTarget *target = available() ? find(name) : nullptr;
    if (target == nullptr) {
        cause << name << " is not a render target";
        return false;
    }
    if (target->multisampled != 0) {
        cause << "target " << name << " has samples, and takes no attachments";
        return false;
    }
    const GLint most = integer(GL_MAX_COLOR_ATTACHMENTS_EXT);
    const int32_t usable = most < 4 ? most : 4; // the plugin keeps four
    const int32_t index = enumIndex(attachment, GL_COLOR_ATTACHMENT0_EXT, usable);
    if (index < 0) {
        (cause.constant(static_cast<int32_t>(attachment)) << " is not a colour attachment from 0 to ")
            << usable - 1 << " of the driver's";
        return false;
    }
    TextureInfo info{};
    if (texture != 0) {
        if (!createdTexture(texture, info)) {
            cause << "texture " << static_cast<int32_t>(texture) << " is no texture CreateTexture made";
            return false;
        }
        if (info.width != target->width || info.height != target->height) {
            cause << "texture " << static_cast<int32_t>(texture) << " of " << info.width << "x" << info.height
                  << " is not the target's size, " << target->width << "x" << target->height;
            return false;
        }
        if (layer < 0 || layer >= layersOf(info)) {
            cause << "layer " << layer << " is not within the " << layersOf(info) << " layers of texture "
                  << static_cast<int32_t>(texture);
            return false;
        }
        if (info.kind == GL_TEXTURE_3D && gl.glFramebufferTexture3DEXT == nullptr) {
            cause << "a 3D texture's slice needs glFramebufferTexture3DEXT";
            return false;
        }
    }
    // The colours drawn into, in attachment order, with this one changed.
    GLuint attached[4];
    std::memcpy(attached, target->attached, sizeof attached);
    attached[index] = texture;
    GLenum drawn[4];
    const GLsizei drawnCount = colourBuffers(*target, attached, drawn);
    if (drawnCount > 1 && gl.glDrawBuffersARB == nullptr) {
        cause << "several colours need glDrawBuffersARB";
        return false;
    }
    const Bindings framebuffers = boundFramebuffers();
    gl.glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, target->framebuffer);
    const TextureInfo own = {GL_TEXTURE_2D, target->width, target->height, 1, target->colourFormat, false, false,
                             target->framebuffer};
    attachLayer(attachment, texture != 0 ? texture : (index == 0 ? target->colour : 0), texture != 0 ? info : own,
                layer);
    drawInto(drawn, drawnCount);
    const bool made = complete(cause);
    if (!made) {
        // Back as it was.
        TextureInfo before{};
        const GLuint previous = target->attached[index];
        if (previous != 0) createdTexture(previous, before);
        attachLayer(attachment, previous != 0 ? previous : (index == 0 ? target->colour : 0),
                    previous != 0 ? before : own, target->layers[index]);
        GLenum wasDrawn[4];
        drawInto(wasDrawn, colourBuffers(*target, target->attached, wasDrawn));
    } else {
        target->attached[index] = texture;
        target->layers[index] = layer;
    }
    restore(framebuffers);
    return made;
}

} // namespace

void CORVANTA_CALL attachRenderTargetTexture(ScriptRuntime *runtime) {
    const Arguments<attachRenderTargetTexture> args(runtime);
    const int32_t target = intArgument<0>(args);
    const auto attachment = static_cast<GLenum>(intArgument<1>(args));
    const auto texture = static_cast<GLuint>(intArgument<2>(args));
    const int32_t layer = intArgument<3>(args);
    Text cause;
    const bool attached = attach(target, attachment, texture, layer, cause);
    script_log::replaceBuildLog("render target:", cause.text());
    setResult(args, attached ? 1 : 0);
}

void releaseRenderTargets() {
    targets.releaseAll();
    nesting = 0;
}

} // namespace corvanta::handlers
