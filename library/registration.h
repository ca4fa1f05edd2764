#pragma once

#include "plugin/host_interfaces.h"

namespace corvanta {

// Registers the library's constants, then its functions and procedures with
// their parameters, on the host's registry.
void registerLibrary(FunctionRegistry *registry);

} // namespace corvanta
