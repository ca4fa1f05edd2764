// Textures a script makes from its own data: 2D, cube maps and 3D, their
// parameters, and samplers set to them by name. Every upload is the plugin's
// copy of a script array of exactly the size the call describes, under the
// pixel store state of rows one after the other; the host's bindings (the
// texture of each kind, the active unit) are restored after every call.
#include "library/textures.h"

#include <cstddef>
#include <cstdint>

#include "glext/gl_tokens.h"
#include "library/allocation.h"
#include "library/arguments.h"
#include "library/checked.h"
#include "library/handlers.h"
#include "library/object_queries.h"
#include "library/pixel_store.h"
#include "library/records.h"
#include "library/script_log.h"
#include "library/uniforms.h"
#include "library/uniforms_by_name.h"

namespace corvanta::handlers {
namespace {

using script_log::Text;

struct Texture {
    Texture *next;
    GLuint name;
    TextureInfo info;
};
Records<Texture> textures; // zero at load: none

// The unit "SetUniformTexture" gave each sampler of a program: counting
// down from the driver's last combined unit, so that the host's units from
// 0 up stay the host's.
constexpr int32_t maxSamplers = 32;
struct Sampler {
    GLint location;
    GLint unit;
};
struct ProgramSamplers {
    ProgramSamplers *next;
    GLhandleARB program;
    int32_t count;
    Sampler samplers[maxSamplers];
};
Records<ProgramSamplers> programs;

// What "SetUniformTexture" has bound on each unit (0 for nothing), for the
// feedback-loop warning of a Begin.
constexpr int32_t maxUnits = 256;
GLuint bound[maxUnits];

// The most bytes of zeros a creation uploads in one call, and the most
// texels a texture has (64 GiB of RGBA8, 65,536 such calls).
constexpr int64_t zeroBandBytes = int64_t{1} << 20;
constexpr int64_t maxTexels = int64_t{1} << 34;

// What every texture call needs, from GL 1.1 and the pixel store.
bool available() {
    const EntryPointTable &gl = entryPoints;
    return gl.glGenTextures != nullptr && gl.glDeleteTextures != nullptr && gl.glBindTexture != nullptr &&
           gl.glTexImage2D != nullptr && gl.glTexSubImage2D != nullptr && gl.glTexParameteri != nullptr &&
           gl.glGetIntegerv != nullptr && gl.glPixelStorei != nullptr && gl.glGetTexLevelParameteriv != nullptr;
}

Texture *find(GLuint name) {
    return textures.find([name](const Texture &texture) { return texture.name == name; });
}

const char *kindName(const TextureInfo &info) {
    if (info.kind == GL_TEXTURE_CUBE_MAP_ARB) return "a cube map";
    if (info.kind == GL_TEXTURE_3D) return "a 3D texture";
    return info.depthTexture ? "a 2D depth texture" : "a 2D texture";
}

// The new texture's name, or 0 with the cause said.
GLuint create(GLenum kind, GLsizei width, GLsizei height, GLsizei depth, GLint format, int32_t mipmaps,
              Text &cause) {
    const EntryPointTable &gl = entryPoints;
    if (!available()) {
        cause << "textures are not supported";
        return 0;
    }
    GLenum most = GL_MAX_TEXTURE_SIZE;
    if (kind == GL_TEXTURE_CUBE_MAP_ARB) {
        if (!driverIsAtLeast(1, 3) && !driverOffers("GL_ARB_texture_cube_map")) {
            cause << "cube maps need GL_ARB_texture_cube_map";
            return 0;
        }
        most = GL_MAX_CUBE_MAP_TEXTURE_SIZE_ARB;
    } else if (kind == GL_TEXTURE_3D) {
        if (gl.glTexImage3D == nullptr || gl.glTexSubImage3D == nullptr) {
            cause << "3D textures need GL 1.2";
            return 0;
        }
        most = GL_MAX_3D_TEXTURE_SIZE;
    } else if (kind != GL_TEXTURE_2D) {
        cause.constant(static_cast<int32_t>(kind)) << " is not GL_TEXTURE_2D, GL_TEXTURE_CUBE_MAP_ARB or GL_TEXTURE_3D";
        return 0;
    }
    if (dataFormatOf(format) == 0) {
        (cause << "format ").constant(format)
            << " is not GL_RGBA8, GL_LUMINANCE8, GL_RGBA16F_ARB, GL_RGBA32F_ARB or GL_LUMINANCE32F_ARB";
        return 0;
    }
    if (mipmaps < 0 || mipmaps > 1 || (mipmaps == 1 && gl.glGenerateMipmapEXT == nullptr)) {
        cause << "mipmaps " << mipmaps << " are not 0, or 1 with glGenerateMipmapEXT";
        return 0;
    }
    const GLint largest = integer(most);
    const GLsizei mostDepth = kind == GL_TEXTURE_3D ? largest : 1;
    if (width < 1 || height < 1 || depth < 1 || width > largest || height > largest || depth > mostDepth) {
        cause << "the size " << width << "x" << height << "x" << depth << " is not from 1 to " << largest
              << " a side" << (kind == GL_TEXTURE_3D ? "" : ", depth 1");
        return 0;
    }
    if (kind == GL_TEXTURE_CUBE_MAP_ARB && width != height) {
        cause << "a cube map's faces are square, not " << width << "x" << height;
        return 0;
    }
    // Each band is an upload call: a driver's limits allow sizes no memory
    // holds (70000 cubed), whose zeros would take billions of them.
    if (bytesOf(width, height, depth) > (kind == GL_TEXTURE_CUBE_MAP_ARB ? maxTexels / 6 : maxTexels)) {
        cause << "the size " << width << "x" << height << "x" << depth << " has more than 2^34 texels";
        return 0;
    }
    Texture *record = textures.add();
    if (record == nullptr) {
        cause << "no memory for the texture's record";
        return 0;
    }
    const TextureInfo info = {kind, width, height, depth, format, mipmaps == 1, false, 0};
    const GLenum dataFormat = dataFormatOf(format);
    // Zeros as bytes, which every format takes, a band of rows at a time: a
    // layer of the largest sizes holds more bytes than 32 bits count (32768 x
    // 32768 x 4), and the band keeps the plugin's buffer small.
    // (The division is of 32-bit numbers: a 64-bit one would need libgcc's DLL.)
    const int64_t rowBytes = bytesOf(width, texelComponents(format), 1);
    const int32_t fullBand =
        rowBytes >= zeroBandBytes ? 1 : static_cast<int32_t>(zeroBandBytes) / static_cast<int32_t>(rowBytes);
    const GLsizei bandRows = fullBand < height ? fullBand : height;
    const int64_t bandBytes = rowBytes * bandRows;
    void *zeros = fitsIn32Bits(bandBytes) ? allocateZeroed(static_cast<size_t>(bandBytes)) : nullptr;
    GLuint texture = 0;
    if (zeros != nullptr) gl.glGenTextures(1, &texture);
    bool made = texture != 0;
    if (made) {
        const BoundTexture binding(kind, texture);
        gl.glTexParameteri(kind, GL_TEXTURE_MIN_FILTER,
                           static_cast<GLint>(mipmaps == 1 ? GL_LINEAR_MIPMAP_LINEAR : GL_LINEAR));
        gl.glTexParameteri(kind, GL_TEXTURE_MAG_FILTER, static_cast<GLint>(GL_LINEAR));
        for (const GLenum wrap : {GL_TEXTURE_WRAP_S, GL_TEXTURE_WRAP_T, GL_TEXTURE_WRAP_R})
            if (wrap != GL_TEXTURE_WRAP_R || kind != GL_TEXTURE_2D)
                gl.glTexParameteri(kind, wrap, static_cast<GLint>(GL_CLAMP_TO_EDGE));
        const PixelRows rows(PixelRows::Direction::Unpack);
        if (kind == GL_TEXTURE_3D)
            gl.glTexImage3D(kind, 0, format, width, height, depth, 0, dataFormat, GL_UNSIGNED_BYTE, nullptr);
        else
            for (int32_t layer = 0; layer < layersOf(info); ++layer)
                gl.glTexImage2D(layerTarget(info, layer), 0, format, width, height, 0, dataFormat,
                                GL_UNSIGNED_BYTE, nullptr);
        // A format or size the driver refused leaves level 0 without a size.
        GLint madeWidth = 0;
        gl.glGetTexLevelParameteriv(layerTarget(info, 0), 0, GL_TEXTURE_WIDTH, &madeWidth);
        made = madeWidth == width;
        for (int32_t layer = 0; made && layer < layersOf(info); ++layer)
            for (GLsizei y = 0; y < height; y += bandRows) {
                const GLsizei band = height - y < bandRows ? height - y : bandRows;
                if (kind == GL_TEXTURE_3D)
                    gl.glTexSubImage3D(kind, 0, 0, y, layer, width, band, 1, dataFormat, GL_UNSIGNED_BYTE, zeros);
                else
                    gl.glTexSubImage2D(layerTarget(info, layer), 0, 0, y, width, band, dataFormat,
                                       GL_UNSIGNED_BYTE, zeros);
            }
        if (made && mipmaps == 1) gl.glGenerateMipmapEXT(kind);
    }
    release(zeros);
    if (!made) {
        if (texture != 0) gl.glDeleteTextures(1, &texture);
        textures.remove(record);
        const FlagsSay said = readErrorFlags();
        if (zeros == nullptr || said == FlagsSay::OutOfMemory)
            cause << "out of memory";
        else if (said == FlagsSay::FormatRefused)
            (cause << "the driver does not accept format ").constant(format);
        else
            cause << "the driver made no texture";
        return 0;
    }
    record->name = texture;
    record->info = info;
    return texture;
}

// The sampler types a texture can be given to (whether a depth texture
// compares is asked of the driver once it is bound).
bool fits(GLenum samplerType, const TextureInfo &info) {
    switch (samplerType) {
    case GL_SAMPLER_2D_ARB: return info.kind == GL_TEXTURE_2D;
    case GL_SAMPLER_2D_SHADOW_ARB: return info.kind == GL_TEXTURE_2D && info.depthTexture;
    case GL_SAMPLER_CUBE_ARB: return info.kind == GL_TEXTURE_CUBE_MAP_ARB;
    case GL_SAMPLER_3D_ARB: return info.kind == GL_TEXTURE_3D;
    default: return false;
    }
}

// The unit of a program's sampler: the one it was given, or the next free
// one down from the last; -1 when none is left.
GLint unitOf(GLhandleARB program, GLint location) {
    ProgramSamplers *record =
        programs.find([program](const ProgramSamplers &known) { return known.program == program; });
    if (record == nullptr && (record = programs.add()) != nullptr) record->program = program;
    if (record == nullptr) return -1;
    for (int32_t i = 0; i < record->count; ++i)
        if (record->samplers[i].location == location) return record->samplers[i].unit;
    const GLint unit = integer(GL_MAX_COMBINED_TEXTURE_IMAGE_UNITS_ARB) - 1 - record->count;
    if (unit < 0 || record->count == maxSamplers) return -1;
    record->samplers[record->count++] = {location, unit};
    return unit;
}

} // namespace

BoundTexture::BoundTexture(GLenum kind, GLuint texture) : kind_(kind), previous_(integer(bindingOf(kind))) {
    entryPoints.glBindTexture(kind, texture);
}

BoundTexture::~BoundTexture() { entryPoints.glBindTexture(kind_, static_cast<GLuint>(previous_)); }

GLenum dataFormatOf(GLint format) {
    switch (static_cast<GLenum>(format)) {
    case GL_RGBA8:
    case GL_RGBA16F_ARB:
    case GL_RGBA32F_ARB: return GL_RGBA;
    case GL_LUMINANCE8:
    case GL_LUMINANCE32F_ARB: return GL_LUMINANCE;
    default: return 0;
    }
}

int32_t texelComponents(GLint format) { return dataFormatOf(format) == GL_LUMINANCE ? 1 : 4; }

GLenum bindingOf(GLenum kind) {
    if (kind == GL_TEXTURE_CUBE_MAP_ARB) return GL_TEXTURE_BINDING_CUBE_MAP_ARB;
    return kind == GL_TEXTURE_3D ? GL_TEXTURE_BINDING_3D : GL_TEXTURE_BINDING_2D;
}

GLenum layerTarget(const TextureInfo &info, int32_t layer) {
    return info.kind == GL_TEXTURE_CUBE_MAP_ARB ? GL_TEXTURE_CUBE_MAP_POSITIVE_X_ARB + static_cast<GLenum>(layer)
                                                : info.kind;
}

int32_t layersOf(const TextureInfo &info) {
    if (info.kind == GL_TEXTURE_CUBE_MAP_ARB) return 6;
    return info.kind == GL_TEXTURE_3D ? info.depth : 1;
}

bool createdTexture(GLuint texture, TextureInfo &info) {
    const Texture *record = texture != 0 ? find(texture) : nullptr;
    if (record != nullptr) info = record->info;
    return record != nullptr;
}

void forgetSampling(GLuint texture) {
    for (GLuint &name : bound)
        if (name == texture) name = 0;
}

bool boundForSampling(GLuint texture) {
    for (const GLuint name : bound)
        if (texture != 0 && name == texture) return true;
    return false;
}

void forgetSamplersOf(GLhandleARB program) {
    if (ProgramSamplers *record =
            programs.find([program](const ProgramSamplers &known) { return known.program == program; }))
        programs.remove(record);
}

void releaseTextures() {
    textures.releaseAll();
    programs.releaseAll();
    for (GLuint &name : bound) name = 0;
}

void CORVANTA_CALL createTexture(ScriptRuntime *runtime) {
    const Arguments<createTexture> args(runtime);
    const auto kind = static_cast<GLenum>(intArgument<0>(args));
    const GLsizei width = intArgument<1>(args), height = intArgument<2>(args), depth = intArgument<3>(args);
    const GLint format = intArgument<4>(args);
    const int32_t mipmaps = intArgument<5>(args);
    Text cause;
    const GLuint texture = create(kind, width, height, depth, format, mipmaps, cause);
    script_log::replaceBuildLog("texture:", cause.text());
    setResult(args, static_cast<int32_t>(texture));
}

// Level 0 of one layer, then the levels below it anew. A render target's
// colour texture takes data too (a simulation's start); its depth texture
// does not.
void CORVANTA_CALL textureData(ScriptRuntime *runtime) {
    const EntryPointTable &gl = entryPoints;
    const Arguments<textureData> args(runtime);
    const auto texture = static_cast<GLuint>(intArgument<0>(args));
    const int32_t layer = intArgument<1>(args);
    const GLint x = intArgument<2>(args), y = intArgument<3>(args);
    const GLsizei width = intArgument<4>(args), height = intArgument<5>(args);
    Text warning;
    warning << Arguments<textureData>::name() << ": ";
    TextureInfo info{};
    if (!available()) return script_log::warn(warning << "textures are not supported");
    if (!knownTexture(texture, info) || info.depthTexture)
        return script_log::warn(warning << static_cast<int32_t>(texture)
                                        << " is no texture CreateTexture made nor a render target's colour texture");
    if (layer < 0 || layer >= layersOf(info))
        return script_log::warn(warning << "layer " << layer << " is not within the " << layersOf(info)
                                        << " layers of texture " << static_cast<int32_t>(texture));
    if (width < 1 || height < 1 || x < 0 || y < 0 || width > info.width - x || height > info.height - y)
        return script_log::warn(warning << "(" << x << ", " << y << ", " << width << ", " << height
                                        << ") is not a rectangle within texture " << static_cast<int32_t>(texture)
                                        << " of " << info.width << "x" << info.height);
    const int32_t components = texelComponents(info.format);
    void *values = readArrayArgument<6, GLfloat, 2>(args, height, width * components);
    if (values == nullptr)
        return script_log::warn(warning << "no memory for " << width << "x" << height << " texels");
    {
        const BoundTexture binding(info.kind, texture);
        const PixelRows rows(PixelRows::Direction::Unpack);
        if (info.kind == GL_TEXTURE_3D)
            gl.glTexSubImage3D(GL_TEXTURE_3D, 0, x, y, layer, width, height, 1, dataFormatOf(info.format), GL_FLOAT,
                               values);
        else
            gl.glTexSubImage2D(layerTarget(info, layer), 0, x, y, width, height, dataFormatOf(info.format),
                               GL_FLOAT, values);
        if (info.mipmaps && gl.glGenerateMipmapEXT != nullptr) gl.glGenerateMipmapEXT(info.kind);
    }
    release(values);
}

void CORVANTA_CALL textureParameter(ScriptRuntime *runtime) {
    const EntryPointTable &gl = entryPoints;
    const Arguments<textureParameter> args(runtime);
    const auto texture = static_cast<GLuint>(intArgument<0>(args));
    const auto pname = static_cast<GLenum>(intArgument<1>(args));
    const GLint value = intArgument<2>(args);
    Text warning;
    warning << Arguments<textureParameter>::name() << ": ";
    TextureInfo info{};
    if (!available()) return script_log::warn(warning << "textures are not supported");
    if (!knownTexture(texture, info))
        return script_log::warn(warning << static_cast<int32_t>(texture)
                                        << " is no texture of the plugin's, whose kind it knows");
    const auto v = static_cast<GLenum>(value);
    bool fitsName = true;
    switch (pname) {
    case GL_TEXTURE_MIN_FILTER:
        fitsName = v == GL_NEAREST || v == GL_LINEAR ||
                   (info.mipmaps && v >= GL_NEAREST_MIPMAP_NEAREST && v <= GL_LINEAR_MIPMAP_LINEAR);
        break;
    case GL_TEXTURE_MAG_FILTER: fitsName = v == GL_NEAREST || v == GL_LINEAR; break;
    case GL_TEXTURE_WRAP_S:
    case GL_TEXTURE_WRAP_T:
    case GL_TEXTURE_WRAP_R: fitsName = v == GL_REPEAT || v == GL_CLAMP_TO_EDGE || v == GL_MIRRORED_REPEAT_ARB; break;
    case GL_TEXTURE_COMPARE_MODE_ARB:
        fitsName = info.depthTexture && (v == GL_NONE || v == GL_COMPARE_R_TO_TEXTURE_ARB);
        break;
    case GL_TEXTURE_COMPARE_FUNC_ARB: fitsName = info.depthTexture && v >= GL_NEVER && v <= GL_ALWAYS; break;
    case GL_TEXTURE_MAX_ANISOTROPY_EXT:
        if (!driverOffers("GL_EXT_texture_filter_anisotropic") && !driverOffers("GL_ARB_texture_filter_anisotropic"))
            return script_log::warn(warning << "anisotropy needs GL_EXT_texture_filter_anisotropic");
        fitsName = value >= 1 && value <= integer(GL_MAX_TEXTURE_MAX_ANISOTROPY_EXT);
        break;
    default:
        return script_log::warn(warning.constant(static_cast<int32_t>(pname))
                                << " is no texture parameter TextureParameter sets");
    }
    if (!fitsName)
        return script_log::warn((warning.constant(value) << " does not fit ").constant(static_cast<int32_t>(pname))
                                << " of texture " << static_cast<int32_t>(texture) << ", " << kindName(info)
                                << (info.mipmaps ? " with mipmaps" : " without mipmaps"));
    const BoundTexture binding(info.kind, texture);
    gl.glTexParameteri(info.kind, pname, value);
}

void CORVANTA_CALL setUniformTexture(ScriptRuntime *runtime) {
    const EntryPointTable &gl = entryPoints;
    const Arguments<setUniformTexture> args(runtime);
    const int32_t program = intArgument<0>(args);
    const char *name = textArgument<1>(args);
    const auto texture = static_cast<GLuint>(intArgument<2>(args));
    const char *call = Arguments<setUniformTexture>::name();
    if (!available() || gl.glActiveTextureARB == nullptr || gl.glUniform1iARB == nullptr) {
        if (shaderSupported != 0) script_log::warn(Text() << call << ": texture units are not supported");
        return;
    }
    UniformTarget sampler = uniformToSet(call, program, name, SamplerKind, 1, 1);
    if (sampler.location < 0) return;
    // The warning's start, written only when there is one.
    const auto warning = [&] {
        Text line;
        line << call << ": \"" << name << "\" of program " << program;
        return line;
    };
    TextureInfo info{};
    const bool known = texture == 0 || knownTexture(texture, info);
    if (!known) {
        // A texture of the host's own, whose kind GL cannot tell, is taken as 2D.
        if (gl.glIsTexture == nullptr || gl.glIsTexture(texture) == 0)
            return script_log::warn(Text() << call << ": " << static_cast<int32_t>(texture) << " is not a texture");
        info.kind = GL_TEXTURE_2D; // field by field: a whole constant record would be writable data
        info.depth = 1;
    }
    // Texture 0 unbinds the kind of texture the sampler reads.
    GLenum kind = info.kind;
    if (texture == 0)
        kind = sampler.type == GL_SAMPLER_CUBE_ARB ? GL_TEXTURE_CUBE_MAP_ARB
               : sampler.type == GL_SAMPLER_3D_ARB ? GL_TEXTURE_3D
                                                   : GL_TEXTURE_2D;
    if (texture != 0 && !fits(sampler.type, info))
        return script_log::warn(warning() << " is a " << typeNameOf(sampler.type) << ", texture "
                                        << static_cast<int32_t>(texture) << " is " << kindName(info));
    const GLint unit = unitOf(sampler.program, sampler.location);
    if (unit < 0) return script_log::warn(warning() << " has no texture unit left of the driver's");
    const GLint active = integer(GL_ACTIVE_TEXTURE_ARB);
    gl.glActiveTextureARB(GL_TEXTURE0_ARB + static_cast<GLenum>(unit));
    // A shadow sampler compares: the texture, bound to be asked, must have
    // its compare mode set, or the unit gets its texture back.
    const bool shadow = texture != 0 && sampler.type == GL_SAMPLER_2D_SHADOW_ARB;
    const GLint previous = shadow ? integer(GL_TEXTURE_BINDING_2D) : 0;
    gl.glBindTexture(kind, texture);
    GLint mode = 0;
    if (shadow && gl.glGetTexParameteriv != nullptr)
        gl.glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_COMPARE_MODE_ARB, &mode);
    if (shadow && static_cast<GLenum>(mode) != GL_COMPARE_R_TO_TEXTURE_ARB) {
        gl.glBindTexture(kind, static_cast<GLuint>(previous));
        gl.glActiveTextureARB(static_cast<GLenum>(active));
        return script_log::warn(warning() << " is a sampler2DShadow, texture " << static_cast<int32_t>(texture)
                                        << " does not compare (set its GL_TEXTURE_COMPARE_MODE_ARB)");
    }
    gl.glActiveTextureARB(static_cast<GLenum>(active));
    if (unit < maxUnits) bound[unit] = texture;
    useProgram(sampler);
    gl.glUniform1iARB(sampler.location, unit);
    restoreProgram(sampler);
}

void CORVANTA_CALL deleteTexture(ScriptRuntime *runtime) {
    const auto texture = static_cast<GLuint>(intArgument<0>(Arguments<deleteTexture>(runtime)));
    Text warning;
    warning << "DeleteTexture: " << static_cast<int32_t>(texture);
    TextureInfo info{};
    if (!available()) return;
    if (renderTargetsTexture(texture, info))
        return script_log::warn(warning << " is render target " << static_cast<int32_t>(info.target)
                                        << "'s: delete the target");
    Texture *record = find(texture);
    if (record == nullptr) return script_log::warn(warning << " is no texture CreateTexture made");
    if (const GLuint target = attachedTo(texture))
        return script_log::warn(warning << " is attached to render target " << static_cast<int32_t>(target)
                                        << ": detach it first");
    entryPoints.glDeleteTextures(1, &texture);
    textures.remove(record);
    forgetSampling(texture);
}

} // namespace corvanta::handlers
