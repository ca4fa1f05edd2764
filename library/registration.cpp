#include "library/registration.h"

namespace corvanta {
namespace {

struct Constant {
    const char *name;
    int32_t value;
};

// The extension's tokens. The shader types are there with and without the
// "_ARB" ending.
constexpr Constant constants[] = {
    {"GL_VERTEX_SHADER", 0x8B31},
    {"GL_FRAGMENT_SHADER", 0x8B30},
    {"GL_SHADING_LANGUAGE_VERSION", 0x8B8C},
    {"GL_VERTEX_SHADER_ARB", 0x8B31},
    {"GL_FRAGMENT_SHADER_ARB", 0x8B30},
    {"GL_OBJECT_LINK_STATUS_ARB", 0x8B82},
    {"GL_OBJECT_COMPILE_STATUS_ARB", 0x8B81},
    {"GL_OBJECT_VALIDATE_STATUS_ARB", 0x8B83},
    {"GL_OBJECT_DELETE_STATUS_ARB", 0x8B80},
    {"GL_OBJECT_INFO_LOG_LENGTH_ARB", 0x8B84},
    {"GL_OBJECT_ACTIVE_UNIFORMS_ARB", 0x8B86},
    {"GL_ACTIVE_UNIFORM_MAX_LENGTH", 0x8B87},
    {"GL_OBJECT_TYPE_ARB", 0x8B4E},
    {"GL_OBJECT_SUBTYPE_ARB", 0x8B4F},
    {"GL_PROGRAM_OBJECT_ARB", 0x8B40},
    {"GL_OBJECT_ATTACHED_OBJECTS_ARB", 0x8B85},
    {"GL_OBJECT_SHADER_SOURCE_LENGTH_ARB", 0x8B88},
    {"GL_FLOAT", 0x1406},
    {"GL_FLOAT_VEC2_ARB", 0x8B50},
    {"GL_FLOAT_VEC3_ARB", 0x8B51},
    {"GL_FLOAT_VEC4_ARB", 0x8B52},
    {"GL_INT", 0x1404},
    {"GL_INT_VEC2_ARB", 0x8B53},
    {"GL_INT_VEC3_ARB", 0x8B54},
    {"GL_INT_VEC4_ARB", 0x8B55},
    {"GL_BOOL_ARB", 0x8B56},
    {"GL_BOOL_VEC2_ARB", 0x8B57},
    {"GL_BOOL_VEC3_ARB", 0x8B58},
    {"GL_BOOL_VEC4_ARB", 0x8B59},
    {"GL_FLOAT_MAT2_ARB", 0x8B5A},
    {"GL_FLOAT_MAT3_ARB", 0x8B5B},
    {"GL_FLOAT_MAT4_ARB", 0x8B5C},
    {"GL_SAMPLER_1D_ARB", 0x8B5D},
    {"GL_SAMPLER_2D_ARB", 0x8B5E},
    {"GL_SAMPLER_3D_ARB", 0x8B5F},
    {"GL_SAMPLER_CUBE_ARB", 0x8B60},
    {"GL_SAMPLER_1D_SHADOW_ARB", 0x8B61},
    {"GL_SAMPLER_2D_SHADOW_ARB", 0x8B62},
    {"GL_SAMPLER_2D_RECT_ARB", 0x8B63},
    {"GL_SAMPLER_2D_RECT_SHADOW_ARB", 0x8B64},
};
static_assert(sizeof constants / sizeof constants[0] == 40);

} // namespace

void registerLibrary(FunctionRegistry *registry) {
    for (const Constant &constant : constants)
        registry->ops->RegisterConstant(registry, constant.name, constant.value);
}

} // namespace corvanta
