#include "glext/entry_points.h"

#include <cstring>

#include "glext/plugin_platform.h"

namespace corvanta {

EntryPointTable entryPoints;
int32_t shaderSupported;

namespace {

// Some Windows drivers answer 1, 2, 3 or -1 instead of null for a name they
// lack; none of those is an entry point.
plugin_platform::ProcAddress lookUp(const char *name, const char *provider) {
    const plugin_platform::ProcAddress proc = plugin_platform::getProcAddress(name, provider);
    const auto value = reinterpret_cast<intptr_t>(proc);
    return value >= -1 && value <= 3 ? nullptr : proc;
}

// Each row's provider, for the compile-time work below only.
constexpr const char *rowProviders[] = {
#define CORVANTA_PROVIDER(name, result, params, need, provider) #provider,
    CORVANTA_ENTRY_POINTS(CORVANTA_PROVIDER)
#undef CORVANTA_PROVIDER
};
// The first row with the same provider as `row`.
constexpr int firstWithProvider(int row) {
    for (int i = 0; i < row; ++i)
        if (sameText(rowProviders[i], rowProviders[row])) return i;
    return row;
}
constexpr size_t providerTextsLength() {
    size_t length = 0;
    for (int row = 0; row < EntryPointCount; ++row)
        if (firstWithProvider(row) == row) length += textLength(rowProviders[row]) + 1;
    return length;
}
// What the lookup reads: each provider once, one after the other in one
// text, and where each row's starts in it.
struct Providers {
    char texts[providerTextsLength()];
    uint16_t at[EntryPointCount];
};
constexpr Providers providers = [] {
    Providers made{};
    size_t end = 0;
    for (int row = 0; row < EntryPointCount; ++row) {
        const int first = firstWithProvider(row);
        if (first != row) {
            made.at[row] = made.at[first];
            continue;
        }
        made.at[row] = static_cast<uint16_t>(end);
        for (const char *c = rowProviders[row]; *c != '\0'; ++c) made.texts[end++] = *c;
        made.texts[end++] = '\0';
    }
    return made;
}();

} // namespace

// One lookup loop over the list rather than code per entry point: the table is
// nothing but pointers in list order.
void resolveEntryPoints() {
    plugin_platform::ProcAddress resolved[EntryPointCount];
    const char *name = entryPointNames;
    for (int i = 0; i < EntryPointCount; ++i, name = nextName(name))
        resolved[i] = lookUp(name, providers.texts + providers.at[i]);
    static_assert(sizeof resolved == sizeof entryPoints);
    std::memcpy(&entryPoints, resolved, sizeof entryPoints);
}

// The required entry points open the list, so they are the table's first
// pointers.
static_assert([] {
    for (int i = 0; i < EntryPointCount; ++i)
        if ((entryPointInfo[i].need == Need::Required) != (i < RequiredEntryPointCount)) return false;
    return true;
}());
bool requiredEntryPointsPresent() {
    plugin_platform::ProcAddress required[RequiredEntryPointCount];
    std::memcpy(required, &entryPoints, sizeof required);
    for (const plugin_platform::ProcAddress proc : required)
        if (proc == nullptr) return false;
    return true;
}

} // namespace corvanta
