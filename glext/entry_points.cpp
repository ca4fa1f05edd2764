#include "glext/entry_points.h"

#include "glext/platform.h"
#include "plugin/error_text.h"

namespace corvanta {

EntryPointTable entryPoints;
int32_t shaderSupported;

namespace {

constexpr const char *unsupportedMessage = "no GL_ARB_shader_support !";

// Some Windows drivers answer 1, 2, 3 or -1 instead of null for a name they
// lack; none of those is an entry point.
platform::ProcAddress lookUp(const char *name, platform::Provider provider) {
    const platform::ProcAddress proc = platform::getProcAddress(name, provider);
    const auto value = reinterpret_cast<intptr_t>(proc);
    return value >= -1 && value <= 3 ? nullptr : proc;
}

void resolveAll() {
#define CORVANTA_RESOLVE(name, result, params, need, provider)                                               \
    entryPoints.name =                                                                                       \
        reinterpret_cast<decltype(entryPoints.name)>(lookUp(#name, platform::Provider::provider));
    CORVANTA_ENTRY_POINTS(CORVANTA_RESOLVE)
#undef CORVANTA_RESOLVE
}

} // namespace

bool requiredEntryPointsPresent() {
#define CORVANTA_PRESENT(name, result, params, need, provider)                                               \
    &&(Need::need == Need::Optional || entryPoints.name != nullptr)
    return true CORVANTA_ENTRY_POINTS(CORVANTA_PRESENT);
#undef CORVANTA_PRESENT
}

bool startProgram() {
    // Support, once found, is final: later starts look nothing up again.
    if (shaderSupported) return true;
    resolveAll();
    if (requiredEntryPointsPresent()) {
        shaderSupported = 1;
    } else {
        setErrorText(unsupportedMessage);
        shaderSupported = 0;
        platform::beep();
    }
    return shaderSupported != 0;
}

} // namespace corvanta
