#include "tests/support/recording_registry.h"

#include <stdexcept>

namespace corvanta::testing {
namespace {

RecordingRegistry &self(FunctionRegistry *registry) { return *static_cast<RecordingRegistry *>(registry); }

RegisteredName &lastName(FunctionRegistry *registry) {
    if (self(registry).names.empty()) throw std::logic_error("parameter before any name");
    return self(registry).names.back();
}

void CORVANTA_CALL registerConstant(FunctionRegistry *r, const char *name, int32_t value) {
    self(r).calls.push_back("RegisterConstant(" + std::string(name) + "," + std::to_string(value) + ")");
    self(r).constants.emplace_back(name, value);
}

void CORVANTA_CALL registerProcedure(FunctionRegistry *r, const char *name, FunctionHandler handler) {
    self(r).calls.push_back("RegisterProcedure(" + std::string(name) + ")");
    self(r).names.push_back({name, false, 0, handler, {}});
}

void CORVANTA_CALL registerFunction(FunctionRegistry *r, const char *name, FunctionHandler handler,
                                    int32_t resultType) {
    self(r).calls.push_back("RegisterFunction(" + std::string(name) + "," + std::to_string(resultType) + ")");
    self(r).names.push_back({name, true, resultType, handler, {}});
}

void CORVANTA_CALL addParam(FunctionRegistry *r, int32_t type) {
    self(r).calls.push_back("AddParam(" + std::to_string(type) + ")");
    lastName(r).params.push_back({type, 0, false});
}

void CORVANTA_CALL addArrayParam(FunctionRegistry *r, int32_t type, int32_t dimensions) {
    self(r).calls.push_back("AddArrayParam(" + std::to_string(type) + "," + std::to_string(dimensions) + ")");
    lastName(r).params.push_back({type, dimensions, false});
}

void CORVANTA_CALL makeLastParamByRef(FunctionRegistry *r) {
    self(r).calls.push_back("MakeLastParamByRef");
    if (lastName(r).params.empty()) throw std::logic_error("by reference without a parameter");
    lastName(r).params.back().byReference = true;
}

const FunctionRegistryOps recordingOps = {
    nullptr, registerConstant, nullptr, registerProcedure, registerFunction, nullptr, nullptr,
    nullptr, nullptr, nullptr, nullptr, addParam, addArrayParam, nullptr, nullptr, nullptr,
    makeLastParamByRef,
};

} // namespace

RecordingRegistry::RecordingRegistry() { ops = &recordingOps; }

FunctionHandler RecordingRegistry::handler(const std::string &name) const {
    for (const RegisteredName &entry : names)
        if (entry.name == name) return entry.handler;
    throw std::out_of_range("not registered: " + name);
}

} // namespace corvanta::testing
