#include "glext/entry_points.h"

#include "glext/platform.h"
#include "plugin/error_text.h"

namespace corvanta {

EntryPointTable entryPoints;
int32_t shaderSupported;

// Lookup order: the required entry points, then the optional ones.
// clang-format off
#define CORVANTA_REQUIRED_ENTRY_POINTS(X)                                                      \
    X(glCreateShaderObjectARB) X(glShaderSourceARB) X(glCompileShaderARB) X(glDeleteObjectARB)  \
    X(glCreateProgramObjectARB) X(glAttachObjectARB) X(glDetachObjectARB)                       \
    X(glUseProgramObjectARB) X(glLinkProgramARB) X(glValidateProgramARB) X(glGetInfoLogARB)     \
    X(glGetObjectParameterivARB) X(glGetObjectParameterfvARB)

#define CORVANTA_OPTIONAL_ENTRY_POINTS(X)                                                      \
    X(glGetActiveUniformARB) X(glGetUniformLocationARB) X(glGetUniformivARB)                    \
    X(glGetUniformfvARB) X(glUniform1fARB) X(glUniform2fARB) X(glUniform3fARB)                  \
    X(glUniform4fARB) X(glUniform1iARB) X(glUniform2iARB) X(glUniform3iARB) X(glUniform4iARB)   \
    X(glUniform1fvARB) X(glUniform2fvARB) X(glUniform3fvARB) X(glUniform4fvARB)                 \
    X(glUniform1ivARB) X(glUniform2ivARB) X(glUniform3ivARB) X(glUniform4ivARB)                 \
    X(wglSwapIntervalEXT)
// clang-format on

namespace {

constexpr const char *unsupportedMessage = "no GL_ARB_shader_support !";

// Some Windows drivers answer 1, 2, 3 or -1 instead of null for a name they
// lack; none of those is an entry point.
platform::ProcAddress lookUp(const char *name) {
    const platform::ProcAddress proc = platform::getProcAddress(name);
    const auto value = reinterpret_cast<intptr_t>(proc);
    return value >= -1 && value <= 3 ? nullptr : proc;
}

void resolveAll() {
#define CORVANTA_RESOLVE(name) entryPoints.name = reinterpret_cast<decltype(entryPoints.name)>(lookUp(#name));
    CORVANTA_REQUIRED_ENTRY_POINTS(CORVANTA_RESOLVE)
    CORVANTA_OPTIONAL_ENTRY_POINTS(CORVANTA_RESOLVE)
#undef CORVANTA_RESOLVE
}

bool requiredResolved() {
#define CORVANTA_PRESENT(name) &&entryPoints.name != nullptr
    return true CORVANTA_REQUIRED_ENTRY_POINTS(CORVANTA_PRESENT);
#undef CORVANTA_PRESENT
}

} // namespace

bool startProgram() {
    // Support, once found, is final: later starts look nothing up again.
    if (shaderSupported) return true;
    resolveAll();
    if (requiredResolved()) {
        shaderSupported = 1;
    } else {
        setErrorText(unsupportedMessage);
        shaderSupported = 0;
        platform::beep();
    }
    return shaderSupported != 0;
}

} // namespace corvanta
