#include "library/registration.h"

#include <cstring>

#include "glext/gl_tokens.h"
#include "library/object_queries.h"
#include "library/pass_through.h"
#include "library/script_functions.h"
#include "library/script_log.h"
#include "library/uniforms.h"
#include "library/textures.h"
#include "library/uniforms_by_name.h"

namespace corvanta {
namespace {

// The tokens scripts get, in registration order: the shader-object set (the
// shader types with and without the "_ARB" ending), then the vertex and
// fragment shader extensions' objects, limits and state.
// clang-format off
#define CORVANTA_CONSTANTS(X)                                                                                   \
    X(GL_VERTEX_SHADER)                                                                                         \
    X(GL_FRAGMENT_SHADER)                                                                                       \
    X(GL_SHADING_LANGUAGE_VERSION)                                                                              \
    X(GL_VERTEX_SHADER_ARB)                                                                                     \
    X(GL_FRAGMENT_SHADER_ARB)                                                                                   \
    X(GL_OBJECT_LINK_STATUS_ARB)                                                                                \
    X(GL_OBJECT_COMPILE_STATUS_ARB)                                                                             \
    X(GL_OBJECT_VALIDATE_STATUS_ARB)                                                                            \
    X(GL_OBJECT_DELETE_STATUS_ARB)                                                                              \
    X(GL_OBJECT_INFO_LOG_LENGTH_ARB)                                                                            \
    X(GL_OBJECT_ACTIVE_UNIFORMS_ARB)                                                                            \
    X(GL_ACTIVE_UNIFORM_MAX_LENGTH)                                                                             \
    X(GL_OBJECT_TYPE_ARB)                                                                                       \
    X(GL_OBJECT_SUBTYPE_ARB)                                                                                    \
    X(GL_PROGRAM_OBJECT_ARB)                                                                                    \
    X(GL_OBJECT_ATTACHED_OBJECTS_ARB)                                                                           \
    X(GL_OBJECT_SHADER_SOURCE_LENGTH_ARB)                                                                       \
    X(GL_FLOAT)                                                                                                 \
    X(GL_FLOAT_VEC2_ARB)                                                                                        \
    X(GL_FLOAT_VEC3_ARB)                                                                                        \
    X(GL_FLOAT_VEC4_ARB)                                                                                        \
    X(GL_INT)                                                                                                   \
    X(GL_INT_VEC2_ARB)                                                                                          \
    X(GL_INT_VEC3_ARB)                                                                                          \
    X(GL_INT_VEC4_ARB)                                                                                          \
    X(GL_BOOL_ARB)                                                                                              \
    X(GL_BOOL_VEC2_ARB)                                                                                         \
    X(GL_BOOL_VEC3_ARB)                                                                                         \
    X(GL_BOOL_VEC4_ARB)                                                                                         \
    X(GL_FLOAT_MAT2_ARB)                                                                                        \
    X(GL_FLOAT_MAT3_ARB)                                                                                        \
    X(GL_FLOAT_MAT4_ARB)                                                                                        \
    X(GL_SAMPLER_1D_ARB)                                                                                        \
    X(GL_SAMPLER_2D_ARB)                                                                                        \
    X(GL_SAMPLER_3D_ARB)                                                                                        \
    X(GL_SAMPLER_CUBE_ARB)                                                                                      \
    X(GL_SAMPLER_1D_SHADOW_ARB)                                                                                 \
    X(GL_SAMPLER_2D_SHADOW_ARB)                                                                                 \
    X(GL_SAMPLER_2D_RECT_ARB)                                                                                   \
    X(GL_SAMPLER_2D_RECT_SHADOW_ARB)                                                                            \
    /* Added after the first forty. */                                                                          \
    X(GL_SHADER_OBJECT_ARB)                                                                                     \
    X(GL_OBJECT_ACTIVE_ATTRIBUTES_ARB)                                                                          \
    X(GL_OBJECT_ACTIVE_ATTRIBUTE_MAX_LENGTH_ARB)                                                                \
    X(GL_MAX_VERTEX_ATTRIBS_ARB)                                                                                \
    X(GL_MAX_VERTEX_UNIFORM_COMPONENTS_ARB)                                                                     \
    X(GL_MAX_FRAGMENT_UNIFORM_COMPONENTS_ARB)                                                                   \
    X(GL_MAX_VARYING_FLOATS_ARB)                                                                                \
    X(GL_MAX_VERTEX_TEXTURE_IMAGE_UNITS_ARB)                                                                    \
    X(GL_MAX_COMBINED_TEXTURE_IMAGE_UNITS_ARB)                                                                  \
    X(GL_MAX_TEXTURE_IMAGE_UNITS_ARB)                                                                           \
    X(GL_MAX_TEXTURE_COORDS_ARB)                                                                                \
    X(GL_VERTEX_PROGRAM_POINT_SIZE_ARB)                                                                         \
    X(GL_VERTEX_PROGRAM_TWO_SIDE_ARB)                                                                           \
    X(GL_FRAGMENT_SHADER_DERIVATIVE_HINT_ARB)                                                                   \
    /* Framebuffer objects, render targets and draw buffers. */                                                 \
    X(GL_FRAMEBUFFER_EXT)                                                                                       \
    X(GL_RENDERBUFFER_EXT)                                                                                      \
    X(GL_COLOR_ATTACHMENT0_EXT)                                                                                 \
    X(GL_COLOR_ATTACHMENT1_EXT)                                                                                 \
    X(GL_COLOR_ATTACHMENT2_EXT)                                                                                 \
    X(GL_COLOR_ATTACHMENT3_EXT)                                                                                 \
    X(GL_DEPTH_ATTACHMENT_EXT)                                                                                  \
    X(GL_STENCIL_ATTACHMENT_EXT)                                                                                \
    X(GL_FRAMEBUFFER_COMPLETE_EXT)                                                                              \
    X(GL_FRAMEBUFFER_INCOMPLETE_ATTACHMENT_EXT)                                                                 \
    X(GL_FRAMEBUFFER_INCOMPLETE_MISSING_ATTACHMENT_EXT)                                                         \
    X(GL_FRAMEBUFFER_INCOMPLETE_DIMENSIONS_EXT)                                                                 \
    X(GL_FRAMEBUFFER_INCOMPLETE_FORMATS_EXT)                                                                    \
    X(GL_FRAMEBUFFER_INCOMPLETE_DRAW_BUFFER_EXT)                                                                \
    X(GL_FRAMEBUFFER_INCOMPLETE_READ_BUFFER_EXT)                                                                \
    X(GL_FRAMEBUFFER_UNSUPPORTED_EXT)                                                                           \
    X(GL_FRAMEBUFFER_BINDING_EXT)                                                                               \
    X(GL_RENDERBUFFER_BINDING_EXT)                                                                              \
    X(GL_MAX_COLOR_ATTACHMENTS_EXT)                                                                             \
    X(GL_MAX_RENDERBUFFER_SIZE_EXT)                                                                             \
    X(GL_INVALID_FRAMEBUFFER_OPERATION_EXT)                                                                     \
    X(GL_FRAMEBUFFER_ATTACHMENT_OBJECT_TYPE_EXT)                                                                \
    X(GL_FRAMEBUFFER_ATTACHMENT_OBJECT_NAME_EXT)                                                                \
    X(GL_RENDERBUFFER_WIDTH_EXT)                                                                                \
    X(GL_RENDERBUFFER_HEIGHT_EXT)                                                                               \
    X(GL_RENDERBUFFER_INTERNAL_FORMAT_EXT)                                                                      \
    X(GL_DEPTH_COMPONENT16_ARB)                                                                                 \
    X(GL_DEPTH_COMPONENT24_ARB)                                                                                 \
    X(GL_DEPTH_COMPONENT32_ARB)                                                                                 \
    X(GL_STENCIL_INDEX8_EXT)                                                                                    \
    X(GL_DEPTH24_STENCIL8_EXT)                                                                                  \
    X(GL_RGBA16F_ARB)                                                                                           \
    X(GL_RGBA32F_ARB)                                                                                           \
    X(GL_MAX_DRAW_BUFFERS_ARB)                                                                                  \
    /* Meshes. */                                                                                               \
    X(GL_ARRAY_BUFFER_BINDING_ARB)                                                                              \
    X(GL_ELEMENT_ARRAY_BUFFER_BINDING_ARB)                                                                      \
    /* Render targets: depth comparison, samples, reading back. */                                                                             \
    X(GL_TEXTURE_COMPARE_MODE_ARB)                                                                              \
    X(GL_TEXTURE_COMPARE_FUNC_ARB)                                                                              \
    X(GL_COMPARE_R_TO_TEXTURE_ARB)                                                                              \
    X(GL_MAX_SAMPLES_EXT)                                                                                       \
    X(GL_RENDERBUFFER_SAMPLES_EXT)                                                                              \
    X(GL_READ_FRAMEBUFFER_EXT)                                                                                  \
    X(GL_DRAW_FRAMEBUFFER_EXT)                                                                                  \
    X(GL_READ_FRAMEBUFFER_BINDING_EXT)                                                                          \
    /* Textures: cube maps, 3D textures, their parameters and a float format. */                                \
    X(GL_TEXTURE_CUBE_MAP_ARB)                                                                                  \
    X(GL_TEXTURE_CUBE_MAP_POSITIVE_X_ARB)                                                                       \
    X(GL_TEXTURE_CUBE_MAP_NEGATIVE_X_ARB)                                                                       \
    X(GL_TEXTURE_CUBE_MAP_POSITIVE_Y_ARB)                                                                       \
    X(GL_TEXTURE_CUBE_MAP_NEGATIVE_Y_ARB)                                                                       \
    X(GL_TEXTURE_CUBE_MAP_POSITIVE_Z_ARB)                                                                       \
    X(GL_TEXTURE_CUBE_MAP_NEGATIVE_Z_ARB)                                                                       \
    X(GL_MAX_CUBE_MAP_TEXTURE_SIZE_ARB)                                                                         \
    X(GL_TEXTURE_3D)                                                                                            \
    X(GL_MAX_3D_TEXTURE_SIZE)                                                                                   \
    X(GL_TEXTURE_WRAP_R)                                                                                        \
    X(GL_MIRRORED_REPEAT_ARB)                                                                                   \
    X(GL_TEXTURE_MAX_ANISOTROPY_EXT)                                                                            \
    X(GL_MAX_TEXTURE_MAX_ANISOTROPY_EXT)                                                                        \
    X(GL_LUMINANCE32F_ARB)
// clang-format on

// What registration reads of the list: the names one after the other in one
// text, rather than a pointer to each, and the values.
constexpr char constantNames[] =
#define CORVANTA_NAME(token) #token "\0"
    CORVANTA_CONSTANTS(CORVANTA_NAME)
#undef CORVANTA_NAME
    ;
constexpr int32_t constantValues[] = {
#define CORVANTA_VALUE(token) static_cast<int32_t>(token),
    CORVANTA_CONSTANTS(CORVANTA_VALUE)
#undef CORVANTA_VALUE
};

} // namespace

const char *constantName(int32_t value) {
    const char *name = constantNames;
    for (const int32_t registered : constantValues) {
        if (registered == value) return name;
        name = nextName(name);
    }
    return nullptr;
}

void registerLibrary(FunctionRegistry *registry) {
    const FunctionRegistryOps &ops = *registry->ops;
    const char *constant = constantNames;
    for (const int32_t value : constantValues) {
        ops.RegisterConstant(registry, constant, value);
        constant = nextName(constant);
    }

    // Each name's parameters follow it at once, before the next name.
    for (const rows::RegisteredRow &row : rows::registeredRows) {
        const char *name = rows::registeredName(row);
        if (row.resultType() == rows::Procedure)
            ops.RegisterProcedure(registry, name, row.handler);
        else
            ops.RegisterFunction(registry, name, row.handler, row.resultType());
        using Row = rows::RegisteredRow;
        for (uint64_t params = row.params(); params != 0; params >>= Row::paramBits) {
            const rows::Param param = rows::Param::fromCode(static_cast<uint8_t>(params & Row::paramMask));
            if (param.dimensions() > 0)
                ops.AddArrayParam(registry, param.type(), param.dimensions());
            else
                ops.AddParam(registry, param.type());
            if (param.byReference()) ops.MakeLastParamByRef(registry);
        }
    }
}

// The one place that frees what the library holds between calls.
void releaseLibraryState() {
    script_log::releaseTexts();
    handlers::releaseRenderTargets();
    handlers::releaseMeshes();
    handlers::releaseUniformNames();
    handlers::releaseTextures();
}

} // namespace corvanta
