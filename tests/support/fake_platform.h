// Stands in for the platform seam in unit tests: serves a chosen set of entry
// point names and counts lookups and beeps.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "glext/plugin_platform.h"

namespace corvanta::testing {

struct FakePlatform {
    std::set<std::string> served;
    std::vector<std::string> lookups;   // every name asked for, in order
    std::vector<std::string> providers; // what each lookup named as its provider
    int beeps = 0;

    // Serves every name the library looks up, or every name but those given.
    void serveAll();
    void serveAllBut(std::initializer_list<const char *> missing);
};

// The one fake the library's seam talks to.
FakePlatform &fakePlatform();

// The address the fake hands out for `name`: a test can register a function of
// its own for a name, otherwise a unique non-null placeholder is used.
void setFakeProc(const std::string &name, plugin_platform::ProcAddress proc);
void clearFakeProcs();

} // namespace corvanta::testing
