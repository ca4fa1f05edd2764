#include "host/library_registry.h"

namespace corvanta::host {
namespace {

LibraryRegistry &self(FunctionRegistry *registry) { return *static_cast<LibraryRegistry *>(registry); }

void add(FunctionRegistry *registry, LibraryEntry entry) {
    if (self(registry).find(entry.name) != nullptr) self(registry).fault = "registered twice: " + entry.name;
    self(registry).entries.push_back(std::move(entry));
}

// The parameters of the name registered last, or null (and a fault) if the
// last registration was no function or procedure.
std::vector<Parameter> *currentParams(FunctionRegistry *registry) {
    auto &entries = self(registry).entries;
    if (entries.empty() || entries.back().kind == LibraryEntry::Kind::Constant) {
        self(registry).fault = "parameter registered without a function or procedure";
        return nullptr;
    }
    return &entries.back().params;
}

void CORVANTA_CALL registerConstant(FunctionRegistry *r, const char *name, int32_t value) {
    add(r, {LibraryEntry::Kind::Constant, name, value});
}

void CORVANTA_CALL registerProcedure(FunctionRegistry *r, const char *name, FunctionHandler handler) {
    add(r, {LibraryEntry::Kind::Procedure, name, 0, 0, handler});
}

void CORVANTA_CALL registerFunction(FunctionRegistry *r, const char *name, FunctionHandler handler,
                                    int32_t resultType) {
    add(r, {LibraryEntry::Kind::Function, name, 0, resultType, handler});
}

void CORVANTA_CALL addParam(FunctionRegistry *r, int32_t type) {
    if (auto *params = currentParams(r)) params->push_back({type});
}

void CORVANTA_CALL addArrayParam(FunctionRegistry *r, int32_t type, int32_t dimensions) {
    if (auto *params = currentParams(r)) params->push_back({type, dimensions});
}

void CORVANTA_CALL makeLastParamByRef(FunctionRegistry *r) {
    auto *params = currentParams(r);
    if (params == nullptr) return;
    if (params->empty())
        self(r).fault = "by reference without a parameter";
    else
        params->back().byReference = true;
}

const FunctionRegistryOps registryOps = {
    nullptr,
    registerConstant,
    nullptr,
    registerProcedure,
    registerFunction,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    addParam,
    addArrayParam,
    nullptr,
    nullptr,
    nullptr,
    makeLastParamByRef,
};

} // namespace

LibraryRegistry::LibraryRegistry() { ops = &registryOps; }

const LibraryEntry *LibraryRegistry::find(const std::string &name) const {
    for (const LibraryEntry &entry : entries)
        if (entry.name == name) return &entry;
    return nullptr;
}

const char *typeName(int32_t type) {
    switch (type) {
    case TypeInt: return "int";
    case TypeReal: return "real";
    case TypeString: return "string";
    default: return "?";
    }
}

std::string describe(const LibraryEntry &entry) {
    if (entry.kind == LibraryEntry::Kind::Constant)
        return "constant " + entry.name + " = " + std::to_string(entry.value);
    std::string line = entry.kind == LibraryEntry::Kind::Function
                           ? "function " + std::string(typeName(entry.resultType)) + " "
                           : "procedure ";
    line += entry.name + "(";
    for (size_t i = 0; i < entry.params.size(); ++i) {
        const Parameter &param = entry.params[i];
        if (i > 0) line += ", ";
        if (param.byReference) line += "var ";
        line += typeName(param.type);
        if (param.dimensions > 0) line += "[" + std::string(param.dimensions - 1, ',') + "]";
    }
    return line + ")";
}

} // namespace corvanta::host
