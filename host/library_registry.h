// The reference host's function registry: records the library a plugin
// registers, in registration order, so the host can check script calls
// against it and list it.
#pragma once

#include <string>
#include <vector>

#include "plugin/host_interfaces.h"

namespace corvanta::host {

struct Parameter {
    int32_t type;           // TypeInt, TypeReal or TypeString
    int32_t dimensions = 0; // an array's dimensions; 0 for a plain value
    bool byReference = false;
};

struct LibraryEntry {
    enum class Kind { Constant, Procedure, Function } kind;
    std::string name;
    int32_t value = 0;      // constants
    int32_t resultType = 0; // functions
    FunctionHandler handler = nullptr;
    std::vector<Parameter> params;
};

class LibraryRegistry : public FunctionRegistry {
public:
    LibraryRegistry();

    const LibraryEntry *find(const std::string &name) const;

    std::vector<LibraryEntry> entries;
    // Set when the plugin registered something malformed, e.g. a parameter
    // before any name.
    std::string fault;
};

// One line per entry: "constant NAME = VALUE", "function TYPE NAME(PARAMS)" or
// "procedure NAME(PARAMS)", where a parameter reads "int", "var real",
// "real[,]" and so on.
std::string describe(const LibraryEntry &entry);
const char *typeName(int32_t type);

} // namespace corvanta::host
