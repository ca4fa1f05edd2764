// A stand-in for the host's function registry that records every call, in
// order, and the library it describes.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "plugin/host_interfaces.h"

namespace corvanta::testing {

struct RegisteredParam {
    int32_t type;
    int32_t dimensions; // 0 for a plain value
    bool byReference;
};

struct RegisteredName {
    std::string name;
    bool isFunction;
    int32_t resultType; // functions only
    FunctionHandler handler;
    std::vector<RegisteredParam> params;
};

class RecordingRegistry : public FunctionRegistry {
public:
    RecordingRegistry();

    std::vector<std::string> calls; // e.g. "RegisterFunction(CompileStatus,0)", "AddParam(0)"
    std::vector<std::pair<std::string, int32_t>> constants;
    std::vector<RegisteredName> names;

    FunctionHandler handler(const std::string &name) const;
};

} // namespace corvanta::testing
