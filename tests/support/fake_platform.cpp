#include "tests/support/fake_platform.h"

#include <map>

#include "glext/entry_points.h"

namespace corvanta::testing {

namespace {

std::map<std::string, plugin_platform::ProcAddress> &procs() {
    static std::map<std::string, plugin_platform::ProcAddress> registered;
    return registered;
}

void placeholderEntryPoint() {}

} // namespace

FakePlatform &fakePlatform() {
    static FakePlatform fake;
    return fake;
}

void FakePlatform::serveAll() {
    for (const EntryPointInfo &entry : entryPointInfo) served.insert(entry.name);
}

void FakePlatform::serveAllBut(std::initializer_list<const char *> missing) {
    serveAll();
    for (const char *name : missing) served.erase(name);
}

void setFakeProc(const std::string &name, plugin_platform::ProcAddress proc) { procs()[name] = proc; }

void clearFakeProcs() { procs().clear(); }

} // namespace corvanta::testing

namespace corvanta::plugin_platform {

ProcAddress getProcAddress(const char *name, const char *provider) {
    auto &fake = testing::fakePlatform();
    fake.lookups.emplace_back(name);
    fake.providers.emplace_back(provider);
    if (fake.served.count(name) == 0) return nullptr;
    auto found = testing::procs().find(name);
    return found != testing::procs().end() ? found->second : &testing::placeholderEntryPoint;
}

void beep() { ++testing::fakePlatform().beeps; }

} // namespace corvanta::plugin_platform
