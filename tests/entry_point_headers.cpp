// Every entry point of the list against this machine's GL headers, at compile
// time: each prototype must be the one the headers publish (the native build
// checks the types; the Windows build, whose headers also declare the
// calling convention and the WGL names, checks those too), and each provider
// must be an extension or version the headers define. A row that disagrees
// fails the build here, with its entry point's name in the message.
#include "glext/entry_points.h" // first: its tokens are constants the headers' macros would rename

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <type_traits>

#define GL_GLEXT_PROTOTYPES 1
#define WGL_WGLEXT_PROTOTYPES 1
#ifdef _WIN32
#include <windows.h>
#endif
#include <GL/gl.h>
#include <GL/glext.h>
#ifdef _WIN32
#include <GL/wglext.h>
#endif

// A provider the headers define expands to 1; the check of its rows is then
// CORVANTA_CHECK_1. The one provider no native header defines is the
// window system's, whose names only the Windows build checks.
#define CORVANTA_CHECK_1(name)                                                                               \
    static_assert(std::is_same_v<decltype(&::name), decltype(corvanta::EntryPointTable::name)>,              \
                  #name ": the entry-point list's prototype is not the one in the GL headers");
#ifndef _WIN32
#define CORVANTA_CHECK_WGL_EXT_swap_control(name)
#endif

#define CORVANTA_PASTE(a, b) CORVANTA_PASTE_(a, b)
#define CORVANTA_PASTE_(a, b) a##b
#define CORVANTA_CHECK(name, result, params, need, provider) CORVANTA_PASTE(CORVANTA_CHECK_, provider)(name)
CORVANTA_ENTRY_POINTS(CORVANTA_CHECK)

#ifndef _WIN32
// What the GL registry says provides each command: the extensions that
// require it, and for GL's versions "GL_VERSION_x_y" for each version from
// the one that added it on.
std::map<std::string, std::set<std::string>> registryProviders(const char *path) {
    std::map<std::string, std::set<std::string>> providers;
    std::ifstream registry(path);
    EXPECT_TRUE(registry) << "cannot read " << path;
    const auto attribute = [](const std::string &line, const std::string &name) {
        const size_t at = line.find(" " + name + "=\"");
        if (at == std::string::npos) return std::string();
        const size_t begin = at + name.size() + 3;
        return line.substr(begin, line.find('"', begin) - begin);
    };
    std::string provider;
    for (std::string line; std::getline(registry, line);) {
        if (line.find("<extension ") != std::string::npos || line.find("<feature ") != std::string::npos)
            provider = attribute(line, "name");
        else if (line.find("</extension>") != std::string::npos ||
                 line.find("</feature>") != std::string::npos)
            provider.clear();
        else if (!provider.empty() && line.find("<command ") != std::string::npos)
            providers[attribute(line, "name")].insert(provider);
    }
    // A version's command is in every later version too (none of these
    // commands was removed before GL 3.1, which the list does not name).
    for (auto &[command, names] : providers)
        for (const char *version : {"GL_VERSION_1_0", "GL_VERSION_1_1", "GL_VERSION_1_2", "GL_VERSION_1_3",
                                    "GL_VERSION_1_4", "GL_VERSION_1_5", "GL_VERSION_2_0", "GL_VERSION_2_1"})
            if (names.count(version) == 0 &&
                std::any_of(names.begin(), names.end(), [&](const std::string &n) {
                    return n.rfind("GL_VERSION_", 0) == 0 && n < version;
                }))
                names.insert(version);
    return providers;
}

// Each row's provider is one that the GL registry says provides its name
// (GL_VERSION_1_1 for GL 1.0's and 1.1's, which the system's GL library
// exports). A wrong provider would make the lookup ask the wrong question.
TEST(EntryPointList, EachProviderIsOneTheRegistryNamesForItsEntryPoint) {
    std::map<std::string, std::set<std::string>> providers = registryProviders(GL_REGISTRY);
    for (auto &[command, names] : registryProviders(WGL_REGISTRY)) providers[command] = names;
    for (const corvanta::EntryPointInfo &entry : corvanta::entryPointInfo) {
        const std::set<std::string> &names = providers[entry.name];
        std::string known;
        for (const std::string &name : names) known += (known.empty() ? "" : ", ") + name;
        EXPECT_EQ(names.count(entry.provider), 1u)
            << entry.name << ": the list says " << entry.provider << ", the registry says "
            << (known.empty() ? "nothing" : known);
    }
}
#endif
