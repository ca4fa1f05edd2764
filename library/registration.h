#pragma once

#include <cstdint>

#include "plugin/host_interfaces.h"

namespace corvanta {

// Registers the library's constants, then its functions and procedures with
// their parameters, on the host's registry.
void registerLibrary(FunctionRegistry *registry);

// The name of the first constant scripts get with this value, or null when
// none has it.
const char *constantName(int32_t value);

// Frees everything the library holds between calls: the texts a script reads
// back (library/script_log.h), the records of the render targets and the
// meshes, and what was found of programs' uniforms by name. Their GL objects stay: the context they belong to
// may be gone.
void releaseLibraryState();

} // namespace corvanta
