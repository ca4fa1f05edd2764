// The binary interface between the host application and this plugin: the two
// exports, the plugin object, and the host's function registry and script
// runtime. Everything that crosses the boundary is declared here and nowhere
// else, so the plugin, the reference host and the tests agree by construction.
//
// Every operation is a plain function pointer, called with the object pointer
// first and the caller popping the arguments (__cdecl on 32-bit Windows, the
// platform default elsewhere). A bool comes back as one byte; a real comes back
// on the x87 stack on 32-bit Windows, which is where the compiler puts a double.
#pragma once

#include <cstddef>
#include <cstdint>

// Every Windows x86 compiler: GCC and clang define __i386__, MSVC and
// clang-cl _M_IX86.
#if defined(_WIN32) && (defined(__i386__) || defined(_M_IX86))
#define CORVANTA_CALL __cdecl
#else
#define CORVANTA_CALL
#endif

namespace corvanta {

static_assert(sizeof(bool) == 1, "the host reads a bool result as one byte");

// Script type codes used when registering parameters and results.
enum ScriptType : int32_t { TypeInt = 0, TypeReal = 1, TypeString = 2 };

// Value codes that describe data exchanged with ReadParamData / WriteParamData.
enum ValueCode : int32_t { ValueInt32 = -253, ValueFloat32 = -251 };

struct ScriptRuntime;
struct FunctionRegistry;
struct ShaderPlugin;

// Every script function of the library is one of these. The host pops the
// argument.
using FunctionHandler = void(CORVANTA_CALL *)(ScriptRuntime *runtime);

// Positions the plugin does not use are kept as opaque slots so that the used
// ones sit at the host's offsets.
using UnusedSlot = void *;

struct FunctionRegistryOps {
    UnusedSlot slot0;
    void(CORVANTA_CALL *RegisterConstant)(FunctionRegistry *, const char *name, int32_t value);
    UnusedSlot slot2;
    void(CORVANTA_CALL *RegisterProcedure)(FunctionRegistry *, const char *name, FunctionHandler handler);
    void(CORVANTA_CALL *RegisterFunction)(FunctionRegistry *, const char *name, FunctionHandler handler,
                                          int32_t resultType);
    UnusedSlot slot5, slot6, slot7, slot8, slot9, slot10;
    void(CORVANTA_CALL *AddParam)(FunctionRegistry *, int32_t type);
    void(CORVANTA_CALL *AddArrayParam)(FunctionRegistry *, int32_t elementType, int32_t dimensions);
    UnusedSlot slot13, slot14, slot15;
    void(CORVANTA_CALL *MakeLastParamByRef)(FunctionRegistry *);
};

struct FunctionRegistry {
    const FunctionRegistryOps *ops;
};

// Argument indexes count from the end: 1 is the last argument.
struct ScriptRuntimeOps {
    int32_t(CORVANTA_CALL *GetIntParam)(ScriptRuntime *, int32_t index);
    double(CORVANTA_CALL *GetRealParam)(ScriptRuntime *, int32_t index);
    const char *(CORVANTA_CALL *GetStringParam)(ScriptRuntime *, int32_t index);
    void(CORVANTA_CALL *SetIntResult)(ScriptRuntime *, int32_t value);
    UnusedSlot slot4;
    // The host copies the text before returning.
    void(CORVANTA_CALL *SetStringResult)(ScriptRuntime *, const char *text);
    UnusedSlot slot6, slot7, slot8, slot9, slot10;
    void(CORVANTA_CALL *BeginValueType)(ScriptRuntime *, int32_t valueCode);
    UnusedSlot slot12;
    // AddArrayDims(count, size1, ..., sizeN): dimensions outermost first.
    void(CORVANTA_CALL *AddArrayDims)(ScriptRuntime *, int32_t count, ...);
    void(CORVANTA_CALL *AddPointerLevel)(ScriptRuntime *);
    void(CORVANTA_CALL *ReadParamData)(ScriptRuntime *, int32_t index, void *destination);
    void(CORVANTA_CALL *WriteParamData)(ScriptRuntime *, int32_t index, const void *source);
};

struct ScriptRuntime {
    const ScriptRuntimeOps *ops;
};

// The plugin object: the host reaches the nine operations through its only
// field.
struct ShaderPluginOps {
    bool(CORVANTA_CALL *RegisterLibrary)(ShaderPlugin *, FunctionRegistry *registry);
    void(CORVANTA_CALL *Release)(ShaderPlugin *);
    bool(CORVANTA_CALL *StartProgram)(ShaderPlugin *);
    void(CORVANTA_CALL *HostHook3)(ShaderPlugin *);
    void(CORVANTA_CALL *HostHook4)(ShaderPlugin *);
    void(CORVANTA_CALL *HostHook5)(ShaderPlugin *);
    void(CORVANTA_CALL *HostHook6)(ShaderPlugin *);
    void(CORVANTA_CALL *GetErrorText)(ShaderPlugin *, char *buffer);
    void(CORVANTA_CALL *HostHook8)(ShaderPlugin *);
};

struct ShaderPlugin {
    const ShaderPluginOps *ops;
};

// The two exports, looked up by these undecorated names.
constexpr const char *QueryExportName = "Corvanta_Query";
constexpr const char *InitExportName = "Corvanta_Init";
using QueryFunction = int32_t(CORVANTA_CALL *)(char *description, int32_t *first, int32_t *second);
using InitFunction = ShaderPlugin *(CORVANTA_CALL *)();

// The host's offsets, in pointer-sized slots.
static_assert(offsetof(FunctionRegistryOps, RegisterConstant) == 1 * sizeof(void *));
static_assert(offsetof(FunctionRegistryOps, RegisterProcedure) == 3 * sizeof(void *));
static_assert(offsetof(FunctionRegistryOps, RegisterFunction) == 4 * sizeof(void *));
static_assert(offsetof(FunctionRegistryOps, AddParam) == 11 * sizeof(void *));
static_assert(offsetof(FunctionRegistryOps, AddArrayParam) == 12 * sizeof(void *));
static_assert(offsetof(FunctionRegistryOps, MakeLastParamByRef) == 16 * sizeof(void *));
static_assert(offsetof(ScriptRuntimeOps, SetIntResult) == 3 * sizeof(void *));
static_assert(offsetof(ScriptRuntimeOps, SetStringResult) == 5 * sizeof(void *));
static_assert(offsetof(ScriptRuntimeOps, BeginValueType) == 11 * sizeof(void *));
static_assert(offsetof(ScriptRuntimeOps, AddArrayDims) == 13 * sizeof(void *));
static_assert(offsetof(ScriptRuntimeOps, WriteParamData) == 16 * sizeof(void *));
static_assert(sizeof(ShaderPluginOps) == 9 * sizeof(void *));

} // namespace corvanta

extern "C" {
int32_t CORVANTA_CALL Corvanta_Query(char *description, int32_t *first, int32_t *second);
corvanta::ShaderPlugin *CORVANTA_CALL Corvanta_Init();
}
