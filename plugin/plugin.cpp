// The plugin's face to the host: the two exports and the plugin object.
#include <cstring>

#include "glext/entry_points.h"
#include "glext/plugin_platform.h"
#include "library/registration.h"
#include "plugin/host_interfaces.h"
#include "plugin/start_program.h"

namespace corvanta {
namespace {

constexpr char description[] = "for Corvanta";
constexpr char unsupportedMessage[] = "no GL_ARB_shader_support !";

// The one message the plugin can report fits with room to spare; a static
// buffer means setting it can never fail.
char errorText[32];

bool CORVANTA_CALL registerLibraryOp(ShaderPlugin *, FunctionRegistry *registry) {
    registerLibrary(registry);
    return true;
}

// The table is static, so Corvanta_Init can be called any number of times
// without allocating; Release frees what the library holds between calls
// (library/registration.h says what).
void CORVANTA_CALL releaseOp(ShaderPlugin *self) {
    releaseLibraryState();
    self->ops = nullptr;
}

bool CORVANTA_CALL startProgramOp(ShaderPlugin *) { return startProgram(); }

void CORVANTA_CALL getErrorTextOp(ShaderPlugin *, char *buffer) {
    if (errorText[0] == '\0') return;
    std::memcpy(buffer, errorText, std::strlen(errorText) + 1);
}

// The host calls these at moments of its own; the plugin has nothing to do then.
void CORVANTA_CALL emptyHookOp(ShaderPlugin *) {}

constexpr ShaderPluginOps operations = {
    registerLibraryOp, releaseOp,   startProgramOp, emptyHookOp, emptyHookOp,
    emptyHookOp,       emptyHookOp, getErrorTextOp, emptyHookOp,
};

ShaderPlugin plugin;

} // namespace

void setErrorText(const char *text) {
    std::strncpy(errorText, text, sizeof errorText - 1);
    errorText[sizeof errorText - 1] = '\0';
}

bool startProgram() {
    // Support, once found, is final: later starts look nothing up again.
    if (shaderSupported) return true;
    resolveEntryPoints();
    if (requiredEntryPointsPresent()) {
        shaderSupported = 1;
    } else {
        setErrorText(unsupportedMessage);
        shaderSupported = 0;
        plugin_platform::beep();
    }
    return shaderSupported != 0;
}

} // namespace corvanta

extern "C" {

int32_t CORVANTA_CALL Corvanta_Query(char *descriptionOut, int32_t *first, int32_t *second) {
    std::memcpy(descriptionOut, corvanta::description, sizeof corvanta::description);
    *first = 0;
    *second = 1;
    return 3;
}

corvanta::ShaderPlugin *CORVANTA_CALL Corvanta_Init() {
    corvanta::plugin.ops = &corvanta::operations;
    return &corvanta::plugin;
}

} // extern "C"
