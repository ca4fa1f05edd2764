#include "library/registration.h"

#include "glext/gl_tokens.h"
#include "library/handlers.h"
#include "library/object_queries.h"
#include "library/pass_through.h"
#include "library/uniforms.h"

namespace corvanta {
namespace {

struct Constant {
    const char *name;
    int32_t value;
};

// The tokens scripts get, in registration order: the shader-object set (the
// shader types with and without the "_ARB" ending), then the vertex and
// fragment shader extensions' objects, limits and state.
#define CORVANTA_CONSTANT(token) {#token, static_cast<int32_t>(token)},
// clang-format off
constexpr Constant constants[] = {
    CORVANTA_CONSTANT(GL_VERTEX_SHADER)
    CORVANTA_CONSTANT(GL_FRAGMENT_SHADER)
    CORVANTA_CONSTANT(GL_SHADING_LANGUAGE_VERSION)
    CORVANTA_CONSTANT(GL_VERTEX_SHADER_ARB)
    CORVANTA_CONSTANT(GL_FRAGMENT_SHADER_ARB)
    CORVANTA_CONSTANT(GL_OBJECT_LINK_STATUS_ARB)
    CORVANTA_CONSTANT(GL_OBJECT_COMPILE_STATUS_ARB)
    CORVANTA_CONSTANT(GL_OBJECT_VALIDATE_STATUS_ARB)
    CORVANTA_CONSTANT(GL_OBJECT_DELETE_STATUS_ARB)
    CORVANTA_CONSTANT(GL_OBJECT_INFO_LOG_LENGTH_ARB)
    CORVANTA_CONSTANT(GL_OBJECT_ACTIVE_UNIFORMS_ARB)
    CORVANTA_CONSTANT(GL_ACTIVE_UNIFORM_MAX_LENGTH)
    CORVANTA_CONSTANT(GL_OBJECT_TYPE_ARB)
    CORVANTA_CONSTANT(GL_OBJECT_SUBTYPE_ARB)
    CORVANTA_CONSTANT(GL_PROGRAM_OBJECT_ARB)
    CORVANTA_CONSTANT(GL_OBJECT_ATTACHED_OBJECTS_ARB)
    CORVANTA_CONSTANT(GL_OBJECT_SHADER_SOURCE_LENGTH_ARB)
    CORVANTA_CONSTANT(GL_FLOAT)
    CORVANTA_CONSTANT(GL_FLOAT_VEC2_ARB)
    CORVANTA_CONSTANT(GL_FLOAT_VEC3_ARB)
    CORVANTA_CONSTANT(GL_FLOAT_VEC4_ARB)
    CORVANTA_CONSTANT(GL_INT)
    CORVANTA_CONSTANT(GL_INT_VEC2_ARB)
    CORVANTA_CONSTANT(GL_INT_VEC3_ARB)
    CORVANTA_CONSTANT(GL_INT_VEC4_ARB)
    CORVANTA_CONSTANT(GL_BOOL_ARB)
    CORVANTA_CONSTANT(GL_BOOL_VEC2_ARB)
    CORVANTA_CONSTANT(GL_BOOL_VEC3_ARB)
    CORVANTA_CONSTANT(GL_BOOL_VEC4_ARB)
    CORVANTA_CONSTANT(GL_FLOAT_MAT2_ARB)
    CORVANTA_CONSTANT(GL_FLOAT_MAT3_ARB)
    CORVANTA_CONSTANT(GL_FLOAT_MAT4_ARB)
    CORVANTA_CONSTANT(GL_SAMPLER_1D_ARB)
    CORVANTA_CONSTANT(GL_SAMPLER_2D_ARB)
    CORVANTA_CONSTANT(GL_SAMPLER_3D_ARB)
    CORVANTA_CONSTANT(GL_SAMPLER_CUBE_ARB)
    CORVANTA_CONSTANT(GL_SAMPLER_1D_SHADOW_ARB)
    CORVANTA_CONSTANT(GL_SAMPLER_2D_SHADOW_ARB)
    CORVANTA_CONSTANT(GL_SAMPLER_2D_RECT_ARB)
    CORVANTA_CONSTANT(GL_SAMPLER_2D_RECT_SHADOW_ARB)
    // Added after the first forty.
    CORVANTA_CONSTANT(GL_SHADER_OBJECT_ARB)
    CORVANTA_CONSTANT(GL_OBJECT_ACTIVE_ATTRIBUTES_ARB)
    CORVANTA_CONSTANT(GL_OBJECT_ACTIVE_ATTRIBUTE_MAX_LENGTH_ARB)
    CORVANTA_CONSTANT(GL_MAX_VERTEX_ATTRIBS_ARB)
    CORVANTA_CONSTANT(GL_MAX_VERTEX_UNIFORM_COMPONENTS_ARB)
    CORVANTA_CONSTANT(GL_MAX_FRAGMENT_UNIFORM_COMPONENTS_ARB)
    CORVANTA_CONSTANT(GL_MAX_VARYING_FLOATS_ARB)
    CORVANTA_CONSTANT(GL_MAX_VERTEX_TEXTURE_IMAGE_UNITS_ARB)
    CORVANTA_CONSTANT(GL_MAX_COMBINED_TEXTURE_IMAGE_UNITS_ARB)
    CORVANTA_CONSTANT(GL_MAX_TEXTURE_IMAGE_UNITS_ARB)
    CORVANTA_CONSTANT(GL_MAX_TEXTURE_COORDS_ARB)
    CORVANTA_CONSTANT(GL_VERTEX_PROGRAM_POINT_SIZE_ARB)
    CORVANTA_CONSTANT(GL_VERTEX_PROGRAM_TWO_SIDE_ARB)
    CORVANTA_CONSTANT(GL_FRAGMENT_SHADER_DERIVATIVE_HINT_ARB)
    // Framebuffer objects, render targets and draw buffers.
    CORVANTA_CONSTANT(GL_FRAMEBUFFER_EXT)
    CORVANTA_CONSTANT(GL_RENDERBUFFER_EXT)
    CORVANTA_CONSTANT(GL_COLOR_ATTACHMENT0_EXT)
    CORVANTA_CONSTANT(GL_COLOR_ATTACHMENT1_EXT)
    CORVANTA_CONSTANT(GL_COLOR_ATTACHMENT2_EXT)
    CORVANTA_CONSTANT(GL_COLOR_ATTACHMENT3_EXT)
    CORVANTA_CONSTANT(GL_DEPTH_ATTACHMENT_EXT)
    CORVANTA_CONSTANT(GL_STENCIL_ATTACHMENT_EXT)
    CORVANTA_CONSTANT(GL_FRAMEBUFFER_COMPLETE_EXT)
    CORVANTA_CONSTANT(GL_FRAMEBUFFER_INCOMPLETE_ATTACHMENT_EXT)
    CORVANTA_CONSTANT(GL_FRAMEBUFFER_INCOMPLETE_MISSING_ATTACHMENT_EXT)
    CORVANTA_CONSTANT(GL_FRAMEBUFFER_INCOMPLETE_DIMENSIONS_EXT)
    CORVANTA_CONSTANT(GL_FRAMEBUFFER_INCOMPLETE_FORMATS_EXT)
    CORVANTA_CONSTANT(GL_FRAMEBUFFER_INCOMPLETE_DRAW_BUFFER_EXT)
    CORVANTA_CONSTANT(GL_FRAMEBUFFER_INCOMPLETE_READ_BUFFER_EXT)
    CORVANTA_CONSTANT(GL_FRAMEBUFFER_UNSUPPORTED_EXT)
    CORVANTA_CONSTANT(GL_FRAMEBUFFER_BINDING_EXT)
    CORVANTA_CONSTANT(GL_RENDERBUFFER_BINDING_EXT)
    CORVANTA_CONSTANT(GL_MAX_COLOR_ATTACHMENTS_EXT)
    CORVANTA_CONSTANT(GL_MAX_RENDERBUFFER_SIZE_EXT)
    CORVANTA_CONSTANT(GL_INVALID_FRAMEBUFFER_OPERATION_EXT)
    CORVANTA_CONSTANT(GL_FRAMEBUFFER_ATTACHMENT_OBJECT_TYPE_EXT)
    CORVANTA_CONSTANT(GL_FRAMEBUFFER_ATTACHMENT_OBJECT_NAME_EXT)
    CORVANTA_CONSTANT(GL_RENDERBUFFER_WIDTH_EXT)
    CORVANTA_CONSTANT(GL_RENDERBUFFER_HEIGHT_EXT)
    CORVANTA_CONSTANT(GL_RENDERBUFFER_INTERNAL_FORMAT_EXT)
    CORVANTA_CONSTANT(GL_DEPTH_COMPONENT16_ARB)
    CORVANTA_CONSTANT(GL_DEPTH_COMPONENT24_ARB)
    CORVANTA_CONSTANT(GL_DEPTH_COMPONENT32_ARB)
    CORVANTA_CONSTANT(GL_STENCIL_INDEX8_EXT)
    CORVANTA_CONSTANT(GL_DEPTH24_STENCIL8_EXT)
    CORVANTA_CONSTANT(GL_RGBA16F_ARB)
    CORVANTA_CONSTANT(GL_RGBA32F_ARB)
    CORVANTA_CONSTANT(GL_MAX_DRAW_BUFFERS_ARB)
};
// clang-format on
#undef CORVANTA_CONSTANT

// A parameter as registered: its type, the dimensions of an array (0 for a
// plain value), and whether the script passes a variable to be written. An
// absent parameter ends the list. Bytes, not words: the table is most of the
// plugin's data.
struct Param {
    int8_t type = -1;
    int8_t dimensions = 0;
    bool byReference = false;
};
constexpr Param Int{TypeInt, 0, false};
constexpr Param Real{TypeReal, 0, false};
constexpr Param Text{TypeString, 0, false};
constexpr Param IntRef{TypeInt, 0, true};
constexpr Param RealRef{TypeReal, 0, true};
constexpr Param IntArray1{TypeInt, 1, false};
constexpr Param IntArray2{TypeInt, 2, false};
constexpr Param RealArray1{TypeReal, 1, false};
constexpr Param RealArray2{TypeReal, 2, false};

constexpr int8_t Procedure = -1; // in place of a result type

struct Function {
    const char *name;
    FunctionHandler handler;
    int8_t resultType;
    Param params[5];
};

using E = EntryPointTable;
using handlers::Guard;
constexpr Guard SupportFlag = Guard::SupportFlag;
constexpr Guard EntryPoint = Guard::EntryPoint;
using handlers::AttributeList;
using handlers::countedArray;
using handlers::deleteOne;
using handlers::generateOne;
using handlers::objectStatus;
using handlers::objectText;
using handlers::passThrough;
using handlers::passThroughResult;
using handlers::queryByReference;
using handlers::uniformArray;
using handlers::UniformList;
using handlers::uniformMatrix;
using handlers::variableDetail;
using handlers::variableLocation;
using handlers::variableName;
constexpr auto activeType = &handlers::ActiveVariable::type;
constexpr auto activeSize = &handlers::ActiveVariable::size;

// In registration order: the name, its handler (with its guard, see
// library/pass_through.h), the result type and the parameters in script order.
// clang-format off
constexpr Function functions[] = {
    {"ShaderInit", handlers::shaderInit, TypeInt, {}}, // no entry point
    {"CompileStatus", objectStatus<GL_OBJECT_COMPILE_STATUS_ARB>, TypeInt, {Int}},
    {"LinkStatus", objectStatus<GL_OBJECT_LINK_STATUS_ARB>, TypeInt, {Int}},
    {"ValidateStatus", objectStatus<GL_OBJECT_VALIDATE_STATUS_ARB>, TypeInt, {Int}},
    {"GetInfoLog", objectText<GL_OBJECT_INFO_LOG_LENGTH_ARB, &E::glGetInfoLogARB>, TypeString, {Int}},
    {"GetActiveUniforms", objectStatus<GL_OBJECT_ACTIVE_UNIFORMS_ARB>, TypeInt, {Int}},
    {"GetUniformName", variableName<UniformList>, TypeString, {Int, Int}},
    {"GetUniformType", variableDetail<UniformList, activeType>, TypeInt, {Int, Int}},
    {"glCreateShaderObjectARB", passThroughResult<&E::glCreateShaderObjectARB, SupportFlag>, TypeInt, {Int}},
    {"glShaderSourceARB", handlers::shaderSource, Procedure, {Int, Text}}, // support flag
    {"glCompileShaderARB", passThrough<&E::glCompileShaderARB, EntryPoint>, Procedure, {Int}},
    {"glCreateProgramObjectARB", passThroughResult<&E::glCreateProgramObjectARB, SupportFlag>, TypeInt, {}},
    {"glAttachObjectARB", passThrough<&E::glAttachObjectARB, SupportFlag>, Procedure, {Int, Int}},
    {"glLinkProgramARB", passThrough<&E::glLinkProgramARB, SupportFlag>, Procedure, {Int}},
    {"glValidateProgramARB", passThrough<&E::glValidateProgramARB, EntryPoint>, Procedure, {Int}},
    {"glUseProgramObjectARB", passThrough<&E::glUseProgramObjectARB, SupportFlag>, Procedure, {Int}},
    {"glDetachObjectARB", passThrough<&E::glDetachObjectARB, SupportFlag>, Procedure, {Int, Int}},
    {"glDeleteObjectARB", passThrough<&E::glDeleteObjectARB, SupportFlag>, Procedure, {Int}},
    {"glGetObjectParameterivARB", queryByReference<&E::glGetObjectParameterivARB>, Procedure, {Int, Int, IntRef}},
    {"glGetObjectParameterfvARB", queryByReference<&E::glGetObjectParameterfvARB>, Procedure, {Int, Int, RealRef}},
    {"glGetUniformLocationARB", variableLocation<&E::glGetUniformLocationARB>, TypeInt, {Int, Text}},
    {"glGetUniformivARB", queryByReference<&E::glGetUniformivARB>, Procedure, {Int, Int, IntRef}},
    {"glGetUniformfvARB", queryByReference<&E::glGetUniformfvARB>, Procedure, {Int, Int, RealRef}},
    {"glUniform1iARB", passThrough<&E::glUniform1iARB, EntryPoint>, Procedure, {Int, Int}},
    {"glUniform2iARB", passThrough<&E::glUniform2iARB, EntryPoint>, Procedure, {Int, Int, Int}},
    {"glUniform3iARB", passThrough<&E::glUniform3iARB, EntryPoint>, Procedure, {Int, Int, Int, Int}},
    {"glUniform4iARB", passThrough<&E::glUniform4iARB, EntryPoint>, Procedure, {Int, Int, Int, Int, Int}},
    {"glUniform1fARB", passThrough<&E::glUniform1fARB, EntryPoint>, Procedure, {Int, Real}},
    {"glUniform2fARB", passThrough<&E::glUniform2fARB, EntryPoint>, Procedure, {Int, Real, Real}},
    {"glUniform3fARB", passThrough<&E::glUniform3fARB, EntryPoint>, Procedure, {Int, Real, Real, Real}},
    {"glUniform4fARB", passThrough<&E::glUniform4fARB, EntryPoint>, Procedure, {Int, Real, Real, Real, Real}},
    {"glUniform1ivARB", uniformArray<&E::glUniform1ivARB, 1>, Procedure, {Int, Int, IntArray1}},
    {"glUniform2ivARB", uniformArray<&E::glUniform2ivARB, 2>, Procedure, {Int, Int, IntArray2}},
    {"glUniform3ivARB", uniformArray<&E::glUniform3ivARB, 3>, Procedure, {Int, Int, IntArray2}},
    {"glUniform4ivARB", uniformArray<&E::glUniform4ivARB, 4>, Procedure, {Int, Int, IntArray2}},
    {"glUniform1fvARB", uniformArray<&E::glUniform1fvARB, 1>, Procedure, {Int, Int, RealArray1}},
    {"glUniform2fvARB", uniformArray<&E::glUniform2fvARB, 2>, Procedure, {Int, Int, RealArray2}},
    {"glUniform3fvARB", uniformArray<&E::glUniform3fvARB, 3>, Procedure, {Int, Int, RealArray2}},
    {"glUniform4fvARB", uniformArray<&E::glUniform4fvARB, 4>, Procedure, {Int, Int, RealArray2}},
    {"wglSwapIntervalEXT", passThrough<&E::wglSwapIntervalEXT, EntryPoint>, Procedure, {Int}},
    // Added after the first forty.
    {"glUniformMatrix2fvARB", uniformMatrix<&E::glUniformMatrix2fvARB, 2, 2>, Procedure, {Int, Int, Int, RealArray2}},
    {"glUniformMatrix3fvARB", uniformMatrix<&E::glUniformMatrix3fvARB, 3, 3>, Procedure, {Int, Int, Int, RealArray2}},
    {"glUniformMatrix4fvARB", uniformMatrix<&E::glUniformMatrix4fvARB, 4, 4>, Procedure, {Int, Int, Int, RealArray2}},
    {"glGetHandleARB", passThroughResult<&E::glGetHandleARB, EntryPoint>, TypeInt, {Int}},
    {"GetAttachedObject", handlers::getAttachedObject, TypeInt, {Int, Int}},
    {"GetShaderSource", objectText<GL_OBJECT_SHADER_SOURCE_LENGTH_ARB, &E::glGetShaderSourceARB>, TypeString, {Int}},
    {"glBindAttribLocationARB", passThrough<&E::glBindAttribLocationARB, EntryPoint>, Procedure, {Int, Int, Text}},
    {"glGetAttribLocationARB", variableLocation<&E::glGetAttribLocationARB>, TypeInt, {Int, Text}},
    {"GetActiveAttributes", objectStatus<GL_OBJECT_ACTIVE_ATTRIBUTES_ARB>, TypeInt, {Int}},
    {"GetAttribName", variableName<AttributeList>, TypeString, {Int, Int}},
    {"GetAttribType", variableDetail<AttributeList, activeType>, TypeInt, {Int, Int}},
    {"GetUniformSize", variableDetail<UniformList, activeSize>, TypeInt, {Int, Int}},
    {"glVertexAttrib1fARB", passThrough<&E::glVertexAttrib1fARB, EntryPoint>, Procedure, {Int, Real}},
    {"glVertexAttrib2fARB", passThrough<&E::glVertexAttrib2fARB, EntryPoint>, Procedure, {Int, Real, Real}},
    {"glVertexAttrib3fARB", passThrough<&E::glVertexAttrib3fARB, EntryPoint>, Procedure, {Int, Real, Real, Real}},
    {"glVertexAttrib4fARB", passThrough<&E::glVertexAttrib4fARB, EntryPoint>, Procedure, {Int, Real, Real, Real, Real}},
    {"BuildProgram", handlers::buildProgram, TypeInt, {Text, Text}}, // support flag
    {"GetBuildLog", handlers::getBuildLog, TypeString, {}},           // no entry point
    {"glUniformMatrix2x3fv", uniformMatrix<&E::glUniformMatrix2x3fv, 2, 3>, Procedure, {Int, Int, Int, RealArray2}},
    {"glUniformMatrix3x2fv", uniformMatrix<&E::glUniformMatrix3x2fv, 3, 2>, Procedure, {Int, Int, Int, RealArray2}},
    {"glUniformMatrix2x4fv", uniformMatrix<&E::glUniformMatrix2x4fv, 2, 4>, Procedure, {Int, Int, Int, RealArray2}},
    {"glUniformMatrix4x2fv", uniformMatrix<&E::glUniformMatrix4x2fv, 4, 2>, Procedure, {Int, Int, Int, RealArray2}},
    {"glUniformMatrix3x4fv", uniformMatrix<&E::glUniformMatrix3x4fv, 3, 4>, Procedure, {Int, Int, Int, RealArray2}},
    {"glUniformMatrix4x3fv", uniformMatrix<&E::glUniformMatrix4x3fv, 4, 3>, Procedure, {Int, Int, Int, RealArray2}},
    // Render targets (their own entry points, see library/handlers.h), then
    // framebuffer and renderbuffer objects of the script's own.
    {"CreateRenderTarget", handlers::createRenderTarget, TypeInt, {Int, Int, Int, Int}},
    {"BeginRenderTarget", handlers::beginRenderTarget, Procedure, {Int}},
    {"EndRenderTarget", handlers::endRenderTarget, Procedure, {}},
    {"RenderTargetTexture", handlers::renderTargetTexture, TypeInt, {Int, Int}},
    {"DeleteRenderTarget", handlers::deleteRenderTarget, Procedure, {Int}},
    {"GenFramebuffer", generateOne<&E::glGenFramebuffersEXT>, TypeInt, {}},
    {"DeleteFramebuffer", handlers::deleteFramebuffer, Procedure, {Int}},
    {"glBindFramebufferEXT", passThrough<&E::glBindFramebufferEXT, EntryPoint>, Procedure, {Int, Int}},
    {"glCheckFramebufferStatusEXT", passThroughResult<&E::glCheckFramebufferStatusEXT, EntryPoint>, TypeInt, {Int}},
    {"glFramebufferTexture2DEXT", passThrough<&E::glFramebufferTexture2DEXT, EntryPoint>, Procedure, {Int, Int, Int, Int, Int}},
    {"glFramebufferRenderbufferEXT", passThrough<&E::glFramebufferRenderbufferEXT, EntryPoint>, Procedure, {Int, Int, Int, Int}},
    {"glIsFramebufferEXT", passThroughResult<&E::glIsFramebufferEXT, EntryPoint>, TypeInt, {Int}},
    {"glGetFramebufferAttachmentParameterivEXT", queryByReference<&E::glGetFramebufferAttachmentParameterivEXT>, Procedure, {Int, Int, Int, IntRef}},
    {"GenRenderbuffer", generateOne<&E::glGenRenderbuffersEXT>, TypeInt, {}},
    {"DeleteRenderbuffer", deleteOne<&E::glDeleteRenderbuffersEXT>, Procedure, {Int}},
    {"glBindRenderbufferEXT", passThrough<&E::glBindRenderbufferEXT, EntryPoint>, Procedure, {Int, Int}},
    {"glRenderbufferStorageEXT", passThrough<&E::glRenderbufferStorageEXT, EntryPoint>, Procedure, {Int, Int, Int, Int}},
    {"glIsRenderbufferEXT", passThroughResult<&E::glIsRenderbufferEXT, EntryPoint>, TypeInt, {Int}},
    {"glGetRenderbufferParameterivEXT", queryByReference<&E::glGetRenderbufferParameterivEXT>, Procedure, {Int, Int, IntRef}},
    {"glGenerateMipmapEXT", passThrough<&E::glGenerateMipmapEXT, EntryPoint>, Procedure, {Int}},
    {"glDrawBuffersARB", countedArray<&E::glDrawBuffersARB>, Procedure, {Int, IntArray1}},
};
// clang-format on

} // namespace

void registerLibrary(FunctionRegistry *registry) {
    const FunctionRegistryOps &ops = *registry->ops;
    for (const Constant &constant : constants) ops.RegisterConstant(registry, constant.name, constant.value);

    // Each name's parameters follow it at once, before the next name.
    for (const Function &function : functions) {
        if (function.resultType == Procedure)
            ops.RegisterProcedure(registry, function.name, function.handler);
        else
            ops.RegisterFunction(registry, function.name, function.handler, function.resultType);
        for (const Param &param : function.params) {
            if (param.type < 0) break;
            if (param.dimensions > 0)
                ops.AddArrayParam(registry, param.type, param.dimensions);
            else
                ops.AddParam(registry, param.type);
            if (param.byReference) ops.MakeLastParamByRef(registry);
        }
    }
}

} // namespace corvanta
