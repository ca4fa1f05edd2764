// Shared by the tests that load the built plugin library into this process and
// drive it with a real GL driver.
#pragma once

#include <string>

#include "host/platform.h"
#include "plugin/host_interfaces.h"

namespace corvanta::testing {

// The plugin library under test, named on the command line.
const std::string &pluginPath();

// Loads the plugin (once per process) and returns its object from Corvanta_Init.
ShaderPlugin *loadedPlugin();
host::PluginExports &loadedExports();

} // namespace corvanta::testing
