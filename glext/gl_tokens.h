// The GL types and tokens the plugin uses, each written down once: the ones it
// registers for scripts and the ones it passes to the driver itself.
#pragma once

#include <cstdint>

namespace corvanta {

// The GL types of the shader-object extension, as 32-bit values.
using GLhandleARB = uint32_t;
using GLenum = uint32_t;
using GLuint = uint32_t;
using GLint = int32_t;
using GLsizei = int32_t;
using GLfloat = float;
using GLboolean = unsigned char;
using GLcharARB = char;

// Shader types, with and without the extension's ending.
constexpr GLenum GL_VERTEX_SHADER = 0x8B31;
constexpr GLenum GL_FRAGMENT_SHADER = 0x8B30;
constexpr GLenum GL_VERTEX_SHADER_ARB = 0x8B31;
constexpr GLenum GL_FRAGMENT_SHADER_ARB = 0x8B30;

// Strings and queries of the context.
constexpr GLenum GL_VERSION = 0x1F02;
constexpr GLenum GL_EXTENSIONS = 0x1F03;
constexpr GLenum GL_NUM_EXTENSIONS = 0x821D;
constexpr GLenum GL_SHADING_LANGUAGE_VERSION = 0x8B8C;

// Object parameters.
constexpr GLenum GL_OBJECT_DELETE_STATUS_ARB = 0x8B80;
constexpr GLenum GL_OBJECT_COMPILE_STATUS_ARB = 0x8B81;
constexpr GLenum GL_OBJECT_LINK_STATUS_ARB = 0x8B82;
constexpr GLenum GL_OBJECT_VALIDATE_STATUS_ARB = 0x8B83;
constexpr GLenum GL_OBJECT_INFO_LOG_LENGTH_ARB = 0x8B84;
constexpr GLenum GL_OBJECT_ATTACHED_OBJECTS_ARB = 0x8B85;
constexpr GLenum GL_OBJECT_ACTIVE_UNIFORMS_ARB = 0x8B86;
constexpr GLenum GL_ACTIVE_UNIFORM_MAX_LENGTH = 0x8B87;
constexpr GLenum GL_OBJECT_SHADER_SOURCE_LENGTH_ARB = 0x8B88;
constexpr GLenum GL_OBJECT_ACTIVE_ATTRIBUTES_ARB = 0x8B89;
constexpr GLenum GL_OBJECT_ACTIVE_ATTRIBUTE_MAX_LENGTH_ARB = 0x8B8A;
constexpr GLenum GL_OBJECT_TYPE_ARB = 0x8B4E;
constexpr GLenum GL_OBJECT_SUBTYPE_ARB = 0x8B4F;
constexpr GLenum GL_PROGRAM_OBJECT_ARB = 0x8B40;
constexpr GLenum GL_SHADER_OBJECT_ARB = 0x8B48;

// Uniform and attribute types.
constexpr GLenum GL_FLOAT = 0x1406;
constexpr GLenum GL_FLOAT_VEC2_ARB = 0x8B50;
constexpr GLenum GL_FLOAT_VEC3_ARB = 0x8B51;
constexpr GLenum GL_FLOAT_VEC4_ARB = 0x8B52;
constexpr GLenum GL_INT = 0x1404;
constexpr GLenum GL_INT_VEC2_ARB = 0x8B53;
constexpr GLenum GL_INT_VEC3_ARB = 0x8B54;
constexpr GLenum GL_INT_VEC4_ARB = 0x8B55;
constexpr GLenum GL_BOOL_ARB = 0x8B56;
constexpr GLenum GL_BOOL_VEC2_ARB = 0x8B57;
constexpr GLenum GL_BOOL_VEC3_ARB = 0x8B58;
constexpr GLenum GL_BOOL_VEC4_ARB = 0x8B59;
constexpr GLenum GL_FLOAT_MAT2_ARB = 0x8B5A;
constexpr GLenum GL_FLOAT_MAT3_ARB = 0x8B5B;
constexpr GLenum GL_FLOAT_MAT4_ARB = 0x8B5C;
constexpr GLenum GL_SAMPLER_1D_ARB = 0x8B5D;
constexpr GLenum GL_SAMPLER_2D_ARB = 0x8B5E;
constexpr GLenum GL_SAMPLER_3D_ARB = 0x8B5F;
constexpr GLenum GL_SAMPLER_CUBE_ARB = 0x8B60;
constexpr GLenum GL_SAMPLER_1D_SHADOW_ARB = 0x8B61;
constexpr GLenum GL_SAMPLER_2D_SHADOW_ARB = 0x8B62;
constexpr GLenum GL_SAMPLER_2D_RECT_ARB = 0x8B63;
constexpr GLenum GL_SAMPLER_2D_RECT_SHADOW_ARB = 0x8B64;

// Limits of the implementation, and state of the vertex and fragment stages.
constexpr GLenum GL_MAX_VERTEX_ATTRIBS_ARB = 0x8869;
constexpr GLenum GL_MAX_VERTEX_UNIFORM_COMPONENTS_ARB = 0x8B4A;
constexpr GLenum GL_MAX_FRAGMENT_UNIFORM_COMPONENTS_ARB = 0x8B49;
constexpr GLenum GL_MAX_VARYING_FLOATS_ARB = 0x8B4B;
constexpr GLenum GL_MAX_VERTEX_TEXTURE_IMAGE_UNITS_ARB = 0x8B4C;
constexpr GLenum GL_MAX_COMBINED_TEXTURE_IMAGE_UNITS_ARB = 0x8B4D;
constexpr GLenum GL_MAX_TEXTURE_IMAGE_UNITS_ARB = 0x8872;
constexpr GLenum GL_MAX_TEXTURE_COORDS_ARB = 0x8871;
constexpr GLenum GL_VERTEX_PROGRAM_POINT_SIZE_ARB = 0x8642;
constexpr GLenum GL_VERTEX_PROGRAM_TWO_SIDE_ARB = 0x8643;
constexpr GLenum GL_FRAGMENT_SHADER_DERIVATIVE_HINT_ARB = 0x8B8B;

} // namespace corvanta
