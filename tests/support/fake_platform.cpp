#include "tests/support/fake_platform.h"

#include <map>

namespace corvanta::testing {

const char *const allEntryPointNames[34] = {
    "glCreateShaderObjectARB",
    "glShaderSourceARB",
    "glCompileShaderARB",
    "glDeleteObjectARB",
    "glCreateProgramObjectARB",
    "glAttachObjectARB",
    "glDetachObjectARB",
    "glUseProgramObjectARB",
    "glLinkProgramARB",
    "glValidateProgramARB",
    "glGetInfoLogARB",
    "glGetObjectParameterivARB",
    "glGetObjectParameterfvARB",
    "glGetActiveUniformARB",
    "glGetUniformLocationARB",
    "glGetUniformivARB",
    "glGetUniformfvARB",
    "glUniform1fARB",
    "glUniform2fARB",
    "glUniform3fARB",
    "glUniform4fARB",
    "glUniform1iARB",
    "glUniform2iARB",
    "glUniform3iARB",
    "glUniform4iARB",
    "glUniform1fvARB",
    "glUniform2fvARB",
    "glUniform3fvARB",
    "glUniform4fvARB",
    "glUniform1ivARB",
    "glUniform2ivARB",
    "glUniform3ivARB",
    "glUniform4ivARB",
    "wglSwapIntervalEXT",
};

namespace {

std::map<std::string, platform::ProcAddress> &procs() {
    static std::map<std::string, platform::ProcAddress> registered;
    return registered;
}

void placeholderEntryPoint() {}

} // namespace

FakePlatform &fakePlatform() {
    static FakePlatform fake;
    return fake;
}

void FakePlatform::serveAll() { served.insert(std::begin(allEntryPointNames), std::end(allEntryPointNames)); }

void FakePlatform::serveAllBut(std::initializer_list<const char *> missing) {
    serveAll();
    for (const char *name : missing) served.erase(name);
}

void setFakeProc(const std::string &name, platform::ProcAddress proc) { procs()[name] = proc; }

void clearFakeProcs() { procs().clear(); }

} // namespace corvanta::testing

namespace corvanta::platform {

ProcAddress getProcAddress(const char *name) {
    auto &fake = testing::fakePlatform();
    fake.lookups.emplace_back(name);
    if (fake.served.count(name) == 0) return nullptr;
    auto found = testing::procs().find(name);
    return found != testing::procs().end() ? found->second : &testing::placeholderEntryPoint;
}

void beep() { ++testing::fakePlatform().beeps; }

} // namespace corvanta::platform
