#include "library/registration.h"

#include "glext/gl_tokens.h"
#include "library/handlers.h"

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
};
// clang-format on
#undef CORVANTA_CONSTANT
static_assert(sizeof constants / sizeof constants[0] == 54);

// A parameter as registered: its type, the dimensions of an array (0 for a
// plain value), and whether the script passes a variable to be written.
// Bytes, not words: the table is most of the plugin's data.
struct Param {
    int8_t type;
    int8_t dimensions;
    bool byReference;
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
    uint8_t paramCount;
};

// In registration order; the number of parameters follows them.
constexpr Function functions[] = {
    {"ShaderInit", handlers::shaderInit, TypeInt, {}, 0},
    {"CompileStatus", handlers::compileStatus, TypeInt, {Int}, 1},
    {"LinkStatus", handlers::linkStatus, TypeInt, {Int}, 1},
    {"ValidateStatus", handlers::validateStatus, TypeInt, {Int}, 1},
    {"GetInfoLog", handlers::getInfoLog, TypeString, {Int}, 1},
    {"GetActiveUniforms", handlers::getActiveUniforms, TypeInt, {Int}, 1},
    {"GetUniformName", handlers::getUniformName, TypeString, {Int, Int}, 2},
    {"GetUniformType", handlers::getUniformType, TypeInt, {Int, Int}, 2},
    {"glCreateShaderObjectARB", handlers::createShaderObject, TypeInt, {Int}, 1},
    {"glShaderSourceARB", handlers::shaderSource, Procedure, {Int, Text}, 2},
    {"glCompileShaderARB", handlers::compileShader, Procedure, {Int}, 1},
    {"glCreateProgramObjectARB", handlers::createProgramObject, TypeInt, {}, 0},
    {"glAttachObjectARB", handlers::attachObject, Procedure, {Int, Int}, 2},
    {"glLinkProgramARB", handlers::linkProgram, Procedure, {Int}, 1},
    {"glValidateProgramARB", handlers::validateProgram, Procedure, {Int}, 1},
    {"glUseProgramObjectARB", handlers::useProgramObject, Procedure, {Int}, 1},
    {"glDetachObjectARB", handlers::detachObject, Procedure, {Int, Int}, 2},
    {"glDeleteObjectARB", handlers::deleteObject, Procedure, {Int}, 1},
    {"glGetObjectParameterivARB", handlers::getObjectParameteriv, Procedure, {Int, Int, IntRef}, 3},
    {"glGetObjectParameterfvARB", handlers::getObjectParameterfv, Procedure, {Int, Int, RealRef}, 3},
    {"glGetUniformLocationARB", handlers::getUniformLocation, TypeInt, {Int, Text}, 2},
    {"glGetUniformivARB", handlers::getUniformiv, Procedure, {Int, Int, IntRef}, 3},
    {"glGetUniformfvARB", handlers::getUniformfv, Procedure, {Int, Int, RealRef}, 3},
    {"glUniform1iARB", handlers::uniform1i, Procedure, {Int, Int}, 2},
    {"glUniform2iARB", handlers::uniform2i, Procedure, {Int, Int, Int}, 3},
    {"glUniform3iARB", handlers::uniform3i, Procedure, {Int, Int, Int, Int}, 4},
    {"glUniform4iARB", handlers::uniform4i, Procedure, {Int, Int, Int, Int, Int}, 5},
    {"glUniform1fARB", handlers::uniform1f, Procedure, {Int, Real}, 2},
    {"glUniform2fARB", handlers::uniform2f, Procedure, {Int, Real, Real}, 3},
    {"glUniform3fARB", handlers::uniform3f, Procedure, {Int, Real, Real, Real}, 4},
    {"glUniform4fARB", handlers::uniform4f, Procedure, {Int, Real, Real, Real, Real}, 5},
    {"glUniform1ivARB", handlers::uniform1iv, Procedure, {Int, Int, IntArray1}, 3},
    {"glUniform2ivARB", handlers::uniform2iv, Procedure, {Int, Int, IntArray2}, 3},
    {"glUniform3ivARB", handlers::uniform3iv, Procedure, {Int, Int, IntArray2}, 3},
    {"glUniform4ivARB", handlers::uniform4iv, Procedure, {Int, Int, IntArray2}, 3},
    {"glUniform1fvARB", handlers::uniform1fv, Procedure, {Int, Int, RealArray1}, 3},
    {"glUniform2fvARB", handlers::uniform2fv, Procedure, {Int, Int, RealArray2}, 3},
    {"glUniform3fvARB", handlers::uniform3fv, Procedure, {Int, Int, RealArray2}, 3},
    {"glUniform4fvARB", handlers::uniform4fv, Procedure, {Int, Int, RealArray2}, 3},
    {"wglSwapIntervalEXT", handlers::swapInterval, Procedure, {Int}, 1},
    // Added after the first forty.
    {"glUniformMatrix2fvARB", handlers::uniformMatrix2, Procedure, {Int, Int, Int, RealArray2}, 4},
    {"glUniformMatrix3fvARB", handlers::uniformMatrix3, Procedure, {Int, Int, Int, RealArray2}, 4},
    {"glUniformMatrix4fvARB", handlers::uniformMatrix4, Procedure, {Int, Int, Int, RealArray2}, 4},
    {"glGetHandleARB", handlers::getHandle, TypeInt, {Int}, 1},
    {"GetAttachedObject", handlers::getAttachedObject, TypeInt, {Int, Int}, 2},
    {"GetShaderSource", handlers::getShaderSource, TypeString, {Int}, 1},
    {"glBindAttribLocationARB", handlers::bindAttribLocation, Procedure, {Int, Int, Text}, 3},
    {"glGetAttribLocationARB", handlers::getAttribLocation, TypeInt, {Int, Text}, 2},
    {"GetActiveAttributes", handlers::getActiveAttributes, TypeInt, {Int}, 1},
    {"GetAttribName", handlers::getAttribName, TypeString, {Int, Int}, 2},
    {"GetAttribType", handlers::getAttribType, TypeInt, {Int, Int}, 2},
    {"GetUniformSize", handlers::getUniformSize, TypeInt, {Int, Int}, 2},
    {"glVertexAttrib1fARB", handlers::vertexAttrib1f, Procedure, {Int, Real}, 2},
    {"glVertexAttrib2fARB", handlers::vertexAttrib2f, Procedure, {Int, Real, Real}, 3},
    {"glVertexAttrib3fARB", handlers::vertexAttrib3f, Procedure, {Int, Real, Real, Real}, 4},
    {"glVertexAttrib4fARB", handlers::vertexAttrib4f, Procedure, {Int, Real, Real, Real, Real}, 5},
    {"BuildProgram", handlers::buildProgram, TypeInt, {Text, Text}, 2},
    {"GetBuildLog", handlers::getBuildLog, TypeString, {}, 0},
    {"glUniformMatrix2x3fv", handlers::uniformMatrix2x3, Procedure, {Int, Int, Int, RealArray2}, 4},
    {"glUniformMatrix3x2fv", handlers::uniformMatrix3x2, Procedure, {Int, Int, Int, RealArray2}, 4},
    {"glUniformMatrix2x4fv", handlers::uniformMatrix2x4, Procedure, {Int, Int, Int, RealArray2}, 4},
    {"glUniformMatrix4x2fv", handlers::uniformMatrix4x2, Procedure, {Int, Int, Int, RealArray2}, 4},
    {"glUniformMatrix3x4fv", handlers::uniformMatrix3x4, Procedure, {Int, Int, Int, RealArray2}, 4},
    {"glUniformMatrix4x3fv", handlers::uniformMatrix4x3, Procedure, {Int, Int, Int, RealArray2}, 4},
};
static_assert(sizeof functions / sizeof functions[0] == 64);

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
        for (int i = 0; i < function.paramCount; ++i) {
            const Param &param = function.params[i];
            if (param.dimensions > 0)
                ops.AddArrayParam(registry, param.type, param.dimensions);
            else
                ops.AddParam(registry, param.type);
            if (param.byReference) ops.MakeLastParamByRef(registry);
        }
    }
}

} // namespace corvanta
