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
using GLbitfield = uint32_t;
using GLcharARB = char;
using GLubyte = unsigned char;
// Buffer sizes and offsets: as wide as a pointer, as the registry's headers
// have them (a long everywhere but 64-bit Windows, which the plugin is not).
using GLsizeiptrARB = long;
using GLintptrARB = long;

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
// The other types a program's active uniforms may have, for the setters by
// name: non-square matrices, unsigned values, and the samplers of arrays,
// buffers and integer textures.
constexpr GLenum GL_FLOAT_MAT2x3 = 0x8B65;
constexpr GLenum GL_FLOAT_MAT2x4 = 0x8B66;
constexpr GLenum GL_FLOAT_MAT3x2 = 0x8B67;
constexpr GLenum GL_FLOAT_MAT3x4 = 0x8B68;
constexpr GLenum GL_FLOAT_MAT4x2 = 0x8B69;
constexpr GLenum GL_FLOAT_MAT4x3 = 0x8B6A;
constexpr GLenum GL_UNSIGNED_INT_VEC2 = 0x8DC6;
constexpr GLenum GL_UNSIGNED_INT_VEC3 = 0x8DC7;
constexpr GLenum GL_UNSIGNED_INT_VEC4 = 0x8DC8;
constexpr GLenum GL_SAMPLER_1D_ARRAY = 0x8DC0;
constexpr GLenum GL_SAMPLER_2D_ARRAY = 0x8DC1;
constexpr GLenum GL_SAMPLER_BUFFER = 0x8DC2;
constexpr GLenum GL_SAMPLER_1D_ARRAY_SHADOW = 0x8DC3;
constexpr GLenum GL_SAMPLER_2D_ARRAY_SHADOW = 0x8DC4;
constexpr GLenum GL_SAMPLER_CUBE_SHADOW = 0x8DC5;
constexpr GLenum GL_INT_SAMPLER_1D = 0x8DC9;
constexpr GLenum GL_INT_SAMPLER_2D = 0x8DCA;
constexpr GLenum GL_INT_SAMPLER_3D = 0x8DCB;
constexpr GLenum GL_INT_SAMPLER_CUBE = 0x8DCC;
constexpr GLenum GL_INT_SAMPLER_2D_RECT = 0x8DCD;
constexpr GLenum GL_INT_SAMPLER_1D_ARRAY = 0x8DCE;
constexpr GLenum GL_INT_SAMPLER_2D_ARRAY = 0x8DCF;
constexpr GLenum GL_INT_SAMPLER_BUFFER = 0x8DD0;
constexpr GLenum GL_UNSIGNED_INT_SAMPLER_1D = 0x8DD1;
constexpr GLenum GL_UNSIGNED_INT_SAMPLER_2D = 0x8DD2;
constexpr GLenum GL_UNSIGNED_INT_SAMPLER_3D = 0x8DD3;
constexpr GLenum GL_UNSIGNED_INT_SAMPLER_CUBE = 0x8DD4;
constexpr GLenum GL_UNSIGNED_INT_SAMPLER_2D_RECT = 0x8DD5;
constexpr GLenum GL_UNSIGNED_INT_SAMPLER_1D_ARRAY = 0x8DD6;
constexpr GLenum GL_UNSIGNED_INT_SAMPLER_2D_ARRAY = 0x8DD7;
constexpr GLenum GL_UNSIGNED_INT_SAMPLER_BUFFER = 0x8DD8;

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

// Framebuffer objects and draw buffers, for scripts.
constexpr GLenum GL_FRAMEBUFFER_EXT = 0x8D40;
constexpr GLenum GL_RENDERBUFFER_EXT = 0x8D41;
constexpr GLenum GL_COLOR_ATTACHMENT0_EXT = 0x8CE0;
constexpr GLenum GL_COLOR_ATTACHMENT1_EXT = 0x8CE1;
constexpr GLenum GL_COLOR_ATTACHMENT2_EXT = 0x8CE2;
constexpr GLenum GL_COLOR_ATTACHMENT3_EXT = 0x8CE3;
constexpr GLenum GL_DEPTH_ATTACHMENT_EXT = 0x8D00;
constexpr GLenum GL_STENCIL_ATTACHMENT_EXT = 0x8D20;
constexpr GLenum GL_FRAMEBUFFER_COMPLETE_EXT = 0x8CD5;
constexpr GLenum GL_FRAMEBUFFER_INCOMPLETE_ATTACHMENT_EXT = 0x8CD6;
constexpr GLenum GL_FRAMEBUFFER_INCOMPLETE_MISSING_ATTACHMENT_EXT = 0x8CD7;
constexpr GLenum GL_FRAMEBUFFER_INCOMPLETE_DIMENSIONS_EXT = 0x8CD9;
constexpr GLenum GL_FRAMEBUFFER_INCOMPLETE_FORMATS_EXT = 0x8CDA;
constexpr GLenum GL_FRAMEBUFFER_INCOMPLETE_DRAW_BUFFER_EXT = 0x8CDB;
constexpr GLenum GL_FRAMEBUFFER_INCOMPLETE_READ_BUFFER_EXT = 0x8CDC;
constexpr GLenum GL_FRAMEBUFFER_UNSUPPORTED_EXT = 0x8CDD;
constexpr GLenum GL_FRAMEBUFFER_BINDING_EXT = 0x8CA6;
constexpr GLenum GL_RENDERBUFFER_BINDING_EXT = 0x8CA7;
constexpr GLenum GL_MAX_COLOR_ATTACHMENTS_EXT = 0x8CDF;
constexpr GLenum GL_MAX_RENDERBUFFER_SIZE_EXT = 0x84E8;
constexpr GLenum GL_INVALID_FRAMEBUFFER_OPERATION_EXT = 0x0506;
constexpr GLenum GL_FRAMEBUFFER_ATTACHMENT_OBJECT_TYPE_EXT = 0x8CD0;
constexpr GLenum GL_FRAMEBUFFER_ATTACHMENT_OBJECT_NAME_EXT = 0x8CD1;
constexpr GLenum GL_RENDERBUFFER_WIDTH_EXT = 0x8D42;
constexpr GLenum GL_RENDERBUFFER_HEIGHT_EXT = 0x8D43;
constexpr GLenum GL_RENDERBUFFER_INTERNAL_FORMAT_EXT = 0x8D44;
constexpr GLenum GL_DEPTH_COMPONENT16_ARB = 0x81A5;
constexpr GLenum GL_DEPTH_COMPONENT24_ARB = 0x81A6;
constexpr GLenum GL_DEPTH_COMPONENT32_ARB = 0x81A7;
constexpr GLenum GL_STENCIL_INDEX8_EXT = 0x8D48;
constexpr GLenum GL_DEPTH24_STENCIL8_EXT = 0x88F0;
constexpr GLenum GL_RGBA16F_ARB = 0x881A;
constexpr GLenum GL_RGBA32F_ARB = 0x8814;
constexpr GLenum GL_MAX_DRAW_BUFFERS_ARB = 0x8824;

// GL 1.1's own, which the render targets pass to the driver.
constexpr GLenum GL_NONE = 0;
constexpr GLenum GL_TEXTURE_2D = 0x0DE1;
constexpr GLenum GL_TEXTURE_BINDING_2D = 0x8069;
constexpr GLenum GL_VIEWPORT = 0x0BA2;
constexpr GLenum GL_MAX_TEXTURE_SIZE = 0x0D33;
constexpr GLenum GL_TEXTURE_MIN_FILTER = 0x2801;
constexpr GLenum GL_TEXTURE_MAG_FILTER = 0x2800;
constexpr GLenum GL_TEXTURE_WRAP_S = 0x2802;
constexpr GLenum GL_TEXTURE_WRAP_T = 0x2803;
constexpr GLenum GL_LINEAR = 0x2601;
constexpr GLenum GL_NEAREST = 0x2600;
constexpr GLenum GL_CLAMP_TO_EDGE = 0x812F;
constexpr GLenum GL_RGBA = 0x1908;
constexpr GLenum GL_UNSIGNED_BYTE = 0x1401;
constexpr GLenum GL_UNSIGNED_INT = 0x1405;
constexpr GLenum GL_DEPTH_COMPONENT = 0x1902;

// Meshes: buffer objects, GL 1.1's vertex arrays and the primitive modes.
constexpr GLenum GL_ARRAY_BUFFER_ARB = 0x8892;
constexpr GLenum GL_ELEMENT_ARRAY_BUFFER_ARB = 0x8893;
constexpr GLenum GL_ARRAY_BUFFER_BINDING_ARB = 0x8894;
constexpr GLenum GL_ELEMENT_ARRAY_BUFFER_BINDING_ARB = 0x8895;
constexpr GLenum GL_STATIC_DRAW_ARB = 0x88E4;
constexpr GLenum GL_DYNAMIC_DRAW_ARB = 0x88E8;
constexpr GLenum GL_VERTEX_ARRAY = 0x8074;
constexpr GLenum GL_NORMAL_ARRAY = 0x8075;
constexpr GLenum GL_COLOR_ARRAY = 0x8076;
constexpr GLenum GL_TEXTURE_COORD_ARRAY = 0x8078;
constexpr GLenum GL_TEXTURE0_ARB = 0x84C0;
constexpr GLenum GL_CLIENT_ACTIVE_TEXTURE_ARB = 0x84E1;
constexpr GLenum GL_MAX_TEXTURE_UNITS_ARB = 0x84E2;
constexpr GLenum GL_UNSIGNED_SHORT = 0x1403;
constexpr GLenum GL_POLYGON = 0x0009; // the last of the ten modes, GL_POINTS (0) to GL_POLYGON

// Render targets: depth comparison for shadow2D, multisampling and
// its resolve, the read-back of pixels, and the error flags a failed
// creation reads.
constexpr GLenum GL_TEXTURE_COMPARE_MODE_ARB = 0x884C;
constexpr GLenum GL_TEXTURE_COMPARE_FUNC_ARB = 0x884D;
constexpr GLenum GL_COMPARE_R_TO_TEXTURE_ARB = 0x884E;
constexpr GLenum GL_MAX_SAMPLES_EXT = 0x8D57;
constexpr GLenum GL_RENDERBUFFER_SAMPLES_EXT = 0x8CAB;
constexpr GLenum GL_READ_FRAMEBUFFER_EXT = 0x8CA8;
constexpr GLenum GL_DRAW_FRAMEBUFFER_EXT = 0x8CA9;
constexpr GLenum GL_READ_FRAMEBUFFER_BINDING_EXT = 0x8CAA;
constexpr GLenum GL_LINEAR_MIPMAP_LINEAR = 0x2703;
constexpr GLenum GL_COLOR_BUFFER_BIT = 0x4000;
constexpr GLenum GL_DEPTH_BUFFER_BIT = 0x0100;
constexpr GLenum GL_READ_BUFFER = 0x0C02;
constexpr GLenum GL_PACK_ROW_LENGTH = 0x0D02;
constexpr GLenum GL_PACK_SKIP_ROWS = 0x0D03;
constexpr GLenum GL_PACK_SKIP_PIXELS = 0x0D04;
constexpr GLenum GL_PACK_ALIGNMENT = 0x0D05;
constexpr GLenum GL_NO_ERROR = 0;
constexpr GLenum GL_INVALID_ENUM = 0x0500;
constexpr GLenum GL_INVALID_VALUE = 0x0501;
constexpr GLenum GL_OUT_OF_MEMORY = 0x0505;

// The vertex arrays a mesh's draw turns off while it draws, besides those
// above, and the client attribute stack that keeps the host's arrays.
constexpr GLenum GL_INDEX_ARRAY = 0x8077;
constexpr GLenum GL_EDGE_FLAG_ARRAY = 0x8079;
constexpr GLenum GL_FOG_COORD_ARRAY = 0x8457;
constexpr GLenum GL_SECONDARY_COLOR_ARRAY = 0x845E;
constexpr GLbitfield GL_CLIENT_VERTEX_ARRAY_BIT = 0x0002;
constexpr GLenum GL_CLIENT_ATTRIB_STACK_DEPTH = 0x0BB1;
constexpr GLenum GL_MAX_CLIENT_ATTRIB_STACK_DEPTH = 0x0D3B;

// Textures: their kinds and the bindings of each, their formats, the limits
// of their sizes, their parameters, the texture units, and the pixel store
// state and pixel buffers an upload or a read-back sets aside.
constexpr GLenum GL_TEXTURE_CUBE_MAP_ARB = 0x8513;
constexpr GLenum GL_TEXTURE_BINDING_CUBE_MAP_ARB = 0x8514;
constexpr GLenum GL_TEXTURE_CUBE_MAP_POSITIVE_X_ARB = 0x8515;
constexpr GLenum GL_TEXTURE_CUBE_MAP_NEGATIVE_X_ARB = 0x8516;
constexpr GLenum GL_TEXTURE_CUBE_MAP_POSITIVE_Y_ARB = 0x8517;
constexpr GLenum GL_TEXTURE_CUBE_MAP_NEGATIVE_Y_ARB = 0x8518;
constexpr GLenum GL_TEXTURE_CUBE_MAP_POSITIVE_Z_ARB = 0x8519;
constexpr GLenum GL_TEXTURE_CUBE_MAP_NEGATIVE_Z_ARB = 0x851A;
constexpr GLenum GL_MAX_CUBE_MAP_TEXTURE_SIZE_ARB = 0x851C;
constexpr GLenum GL_TEXTURE_3D = 0x806F;
constexpr GLenum GL_TEXTURE_BINDING_3D = 0x806A;
constexpr GLenum GL_MAX_3D_TEXTURE_SIZE = 0x8073;
constexpr GLenum GL_TEXTURE_WRAP_R = 0x8072;
constexpr GLenum GL_REPEAT = 0x2901;
constexpr GLenum GL_MIRRORED_REPEAT_ARB = 0x8370;
constexpr GLenum GL_NEAREST_MIPMAP_NEAREST = 0x2700;
constexpr GLenum GL_LINEAR_MIPMAP_NEAREST = 0x2701;
constexpr GLenum GL_NEAREST_MIPMAP_LINEAR = 0x2702;
constexpr GLenum GL_NEVER = 0x0200;
constexpr GLenum GL_ALWAYS = 0x0207;
constexpr GLenum GL_TEXTURE_MAX_ANISOTROPY_EXT = 0x84FE;
constexpr GLenum GL_MAX_TEXTURE_MAX_ANISOTROPY_EXT = 0x84FF;
constexpr GLenum GL_RGBA8 = 0x8058;
constexpr GLenum GL_LUMINANCE8 = 0x8040;
constexpr GLenum GL_LUMINANCE32F_ARB = 0x8818;
constexpr GLenum GL_LUMINANCE = 0x1909;
constexpr GLenum GL_TEXTURE_WIDTH = 0x1000;
constexpr GLenum GL_ACTIVE_TEXTURE_ARB = 0x84E0;
constexpr GLenum GL_UNPACK_SWAP_BYTES = 0x0CF0;
constexpr GLenum GL_UNPACK_LSB_FIRST = 0x0CF1;
constexpr GLenum GL_UNPACK_ROW_LENGTH = 0x0CF2;
constexpr GLenum GL_UNPACK_SKIP_ROWS = 0x0CF3;
constexpr GLenum GL_UNPACK_SKIP_PIXELS = 0x0CF4;
constexpr GLenum GL_UNPACK_ALIGNMENT = 0x0CF5;
constexpr GLenum GL_UNPACK_SKIP_IMAGES = 0x806D;
constexpr GLenum GL_UNPACK_IMAGE_HEIGHT = 0x806E;
constexpr GLenum GL_PACK_SWAP_BYTES = 0x0D00;
constexpr GLenum GL_PACK_LSB_FIRST = 0x0D01;
constexpr GLenum GL_PACK_SKIP_IMAGES = 0x806B;
constexpr GLenum GL_PACK_IMAGE_HEIGHT = 0x806C;
constexpr GLenum GL_PIXEL_PACK_BUFFER_ARB = 0x88EB;
constexpr GLenum GL_PIXEL_UNPACK_BUFFER_ARB = 0x88EC;
constexpr GLenum GL_PIXEL_PACK_BUFFER_BINDING_ARB = 0x88ED;
constexpr GLenum GL_PIXEL_UNPACK_BUFFER_BINDING_ARB = 0x88EF;

} // namespace corvanta
