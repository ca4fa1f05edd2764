// What the plugin registers, against the script reference that users read.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "glext/entry_points.h"
#include "host/library_registry.h"
#include "plugin/host_interfaces.h"
#include "library/script_log.h"
#include "tests/unit/handler_test_support.h"

namespace corvanta {
namespace {

// The "- `signature`" lines of the reference, in order.
std::vector<std::string> documentedSignatures() {
    std::ifstream reference(REFERENCE_MD);
    std::vector<std::string> signatures;
    for (std::string line; std::getline(reference, line);) {
        if (line.rfind("- `", 0) != 0) continue;
        signatures.push_back(line.substr(3, line.find('`', 3) - 3));
    }
    return signatures;
}

std::vector<host::LibraryEntry> registeredWithoutAnyDriver() {
    shaderSupported = 0;
    entryPoints = {};
    ShaderPlugin *plugin = Corvanta_Init();
    host::LibraryRegistry registry;
    EXPECT_TRUE(plugin->ops->RegisterLibrary(plugin, &registry));
    EXPECT_EQ(registry.fault, "");
    return registry.entries;
}

bool isConstant(const host::LibraryEntry &entry) { return entry.kind == host::LibraryEntry::Kind::Constant; }

TEST(Registration, RegistersTheDocumentedLibraryInOrderWithoutAnyDriver) {
    const std::vector<host::LibraryEntry> entries = registeredWithoutAnyDriver();
    std::vector<std::string> registered(entries.size());
    std::transform(entries.begin(), entries.end(), registered.begin(), host::describe);
    EXPECT_EQ(registered, documentedSignatures());

    // Constants first, then the names; every name bound to a handler of its own.
    const auto firstName = std::find_if_not(entries.begin(), entries.end(), isConstant);
    EXPECT_TRUE(std::none_of(firstName, entries.end(), isConstant));
    std::set<FunctionHandler> handlers;
    for (auto entry = firstName; entry != entries.end(); ++entry) handlers.insert(entry->handler);
    EXPECT_EQ(handlers.size(), size_t(entries.end() - firstName));
    EXPECT_EQ(handlers.count(nullptr), 0u);
}

// The first constants and names as hosts and stored scripts know them: each
// group begins with the checked-in list, in its order, with its signatures.
TEST(Registration, BeginsWithTheFirstFortyConstantsAndNamesUnchanged) {
    std::ifstream file(FIRST_LIBRARY);
    std::vector<std::string> firstConstants, firstNames;
    for (std::string line; std::getline(file, line);)
        if (!line.empty() && line[0] != '#')
            (line.rfind("constant ", 0) == 0 ? firstConstants : firstNames).push_back(line);
    ASSERT_EQ(firstConstants.size(), 40u);
    ASSERT_EQ(firstNames.size(), 40u);

    std::vector<std::string> constants, names;
    for (const host::LibraryEntry &entry : registeredWithoutAnyDriver())
        (isConstant(entry) ? constants : names).push_back(host::describe(entry));
    constants.resize(std::min(constants.size(), firstConstants.size()));
    names.resize(std::min(names.size(), firstNames.size()));
    EXPECT_EQ(constants, firstConstants);
    EXPECT_EQ(names, firstNames);
}

TEST(Registration, ShaderTypesHaveTheSameValueWithAndWithoutTheirEnding) {
    host::LibraryRegistry registry;
    ShaderPlugin *plugin = Corvanta_Init();
    plugin->ops->RegisterLibrary(plugin, &registry);
    EXPECT_EQ(registry.find("GL_VERTEX_SHADER")->value, 0x8B31);
    EXPECT_EQ(registry.find("GL_VERTEX_SHADER_ARB")->value, 0x8B31);
    EXPECT_EQ(registry.find("GL_FRAGMENT_SHADER")->value, 0x8B30);
    EXPECT_EQ(registry.find("GL_FRAGMENT_SHADER_ARB")->value, 0x8B30);
}

// Every handler against its own row, with arguments of the registered kinds:
// the fake runtime refuses an argument the row does not have or has with
// another type, an array or by-reference access the row does not register,
// an argument read twice, and a result the row's kind does not give. With
// support and every entry point, where every argument must also be read
// unless the call was refused with a warning or a log;
// without support; and with support but no entry point at all.
using RowsAndHandlers = testing::HandlerTest;
TEST_F(RowsAndHandlers, EveryHandlerReadsAndAnswersExactlyWhatItsRowRegisters) {
    using testing::A;
    for (int driverState = 0; driverState < 3; ++driverState) {
        SCOPED_TRACE(driverState);
        if (driverState == 1) shaderSupported = 0;
        if (driverState == 2) entryPoints = {};
        for (const host::LibraryEntry &entry : testing::registeredLibrary().entries) {
            if (entry.kind == host::LibraryEntry::Kind::Constant) continue;
            SCOPED_TRACE(entry.name);
            std::vector<testing::FakeArg> args;
            for (const host::Parameter &param : entry.params) {
                if (param.byReference)
                    args.push_back(A::variable());
                else if (param.dimensions > 0)
                    args.push_back(A::array(std::vector<double>(16, 1.0)));
                else if (param.type == TypeString)
                    args.push_back(A::string("void main() {}"));
                else
                    args.push_back(param.type == TypeReal ? A::real(0.5) : A::integer(1));
            }
            testing::FakeRuntime runtime(args);
            script_log::replaceBuildLog("", nullptr);
            EXPECT_NO_THROW(runtime.call(entry));
            // A call refused with a warning or a log may leave the arguments
            // after the one it was refused for unread.
            const bool refused = !warnings().empty() || !buildLog().empty();
            if (driverState == 0 && !refused) {
                EXPECT_EQ(std::count(runtime.taking.begin(), runtime.taking.end(), 0), 0)
                    << "an argument unread";
            }
        }
    }
}

} // namespace
} // namespace corvanta
