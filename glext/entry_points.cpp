#include "glext/entry_points.h"

#include "glext/plugin_platform.h"

namespace corvanta {

EntryPointTable entryPoints;
int32_t shaderSupported;

namespace {

// Some Windows drivers answer 1, 2, 3 or -1 instead of null for a name they
// lack; none of those is an entry point.
plugin_platform::ProcAddress lookUp(const char *name, plugin_platform::Provider provider) {
    const plugin_platform::ProcAddress proc = plugin_platform::getProcAddress(name, provider);
    const auto value = reinterpret_cast<intptr_t>(proc);
    return value >= -1 && value <= 3 ? nullptr : proc;
}

} // namespace

void resolveEntryPoints() {
#define CORVANTA_RESOLVE(name, result, params, need, provider)                                               \
    entryPoints.name =                                                                                       \
        reinterpret_cast<decltype(entryPoints.name)>(lookUp(#name, plugin_platform::Provider::provider));
    CORVANTA_ENTRY_POINTS(CORVANTA_RESOLVE)
#undef CORVANTA_RESOLVE
}

bool requiredEntryPointsPresent() {
#define CORVANTA_PRESENT(name, result, params, need, provider)                                               \
    &&(Need::need == Need::Optional || entryPoints.name != nullptr)
    return true CORVANTA_ENTRY_POINTS(CORVANTA_PRESENT);
#undef CORVANTA_PRESENT
}

} // namespace corvanta
