// Shared by the tests that load the built plugin library into this process and
// drive it with a real GL driver.
#pragma once

#include "host/host_platform.h"
#include "plugin/host_interfaces.h"

namespace corvanta::testing {

// Loads the plugin named on the command line (once per process) and returns
// its object from Corvanta_Init.
ShaderPlugin *loadedPlugin();
host::PluginExports &loadedExports();

} // namespace corvanta::testing
