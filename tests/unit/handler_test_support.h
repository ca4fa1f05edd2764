// The fixture shared by the handler tests: the library as the plugin
// registers it (handlers are called by their script names), a fake driver
// installed with support on, a counting heap, and short names for arguments.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "glext/entry_points.h"
#include "host/library_registry.h"
#include "library/registration.h"
#include "tests/support/counting_allocation.h"
#include "tests/support/fake_driver.h"
#include "tests/support/fake_runtime.h"

namespace corvanta::testing {

inline const host::LibraryRegistry &registeredLibrary() {
    static const host::LibraryRegistry library = [] {
        host::LibraryRegistry registry;
        ShaderPlugin *plugin = Corvanta_Init();
        plugin->ops->RegisterLibrary(plugin, &registry);
        return registry;
    }();
    return library;
}

using A = FakeArg;

class HandlerTest : public ::testing::Test {
protected:
    void SetUp() override {
        releaseLibraryState();
        FakeRuntime::library = &registeredLibrary();
        fakeDriver().install();
        fakeDriver().blockHolds = [](const void *start, int64_t bytes) {
            return countingAllocation().holds(start, bytes);
        };
        countingAllocation() = {};
    }
    // What one test leaves (a build log, warnings, render targets, meshes)
    // is not the next one's.
    // Every texture image the library handed texels read them from within
    // one of its own blocks.
    void TearDown() override {
        for (const DriverCall &call : driver.calls)
            EXPECT_TRUE(call.texelsInBlock) << call.name << " was handed fewer bytes than it reads";
        releaseLibraryState();
    }
    // The texts the library gives back: the warnings since the last call, and
    // the build log.
    static std::string warnings() { return *FakeRuntime().call("GetWarnings").stringResult; }
    static std::string buildLog() { return *FakeRuntime().call("GetBuildLog").stringResult; }
    FakeDriver &driver = fakeDriver();
    CountingAllocation &heap = countingAllocation();
};

} // namespace corvanta::testing
