#include "library/registration.h"

#include "library/handlers.h"

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

// A parameter as registered: its type, the dimensions of an array (0 for a
// plain value), and whether the script passes a variable to be written.
struct Param {
    ScriptType type;
    int32_t dimensions;
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

constexpr int32_t Procedure = -1; // in place of a result type

struct Function {
    const char *name;
    FunctionHandler handler;
    int32_t resultType;
    Param params[5];
    int paramCount;
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
};
static_assert(sizeof functions / sizeof functions[0] == 40);

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
