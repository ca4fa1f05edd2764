#include "tests/support/fake_runtime.h"

#include <algorithm>
#include <cstdarg>
#include <stdexcept>

#include "host/host_runtime.h"

namespace corvanta::testing {
namespace {

FakeRuntime &self(ScriptRuntime *runtime) { return *static_cast<FakeRuntime *>(runtime); }

std::string str(int32_t value) { return std::to_string(value); }

void refuse(const FakeRuntime &runtime, const std::string &what) {
    const std::string name =
        runtime.signature != nullptr ? runtime.signature->name : "an unregistered handler";
    throw std::logic_error(name + ": " + what);
}

// The script type a data exchange's value code stands for.
int32_t typeOf(int32_t code) { return code == ValueFloat32 ? TypeReal : code == ValueInt32 ? TypeInt : -1; }

void expectResult(const FakeRuntime &runtime, int32_t type) {
    const host::LibraryEntry *entry = runtime.signature;
    if (entry == nullptr) return;
    if (entry->kind != host::LibraryEntry::Kind::Function || entry->resultType != type)
        refuse(runtime,
               std::string("sets a result of type ") + host::typeName(type) + ", which it does not have");
    if (runtime.resultCount > 0) refuse(runtime, "sets a second result");
}

int32_t CORVANTA_CALL getInt(ScriptRuntime *r, int32_t index) {
    self(r).log.push_back("GetIntParam(" + str(index) + ")");
    self(r).parameter(index, TypeInt, 0, false);
    self(r).taken(index);
    return static_cast<int32_t>(self(r).arg(index).number);
}

double CORVANTA_CALL getReal(ScriptRuntime *r, int32_t index) {
    self(r).log.push_back("GetRealParam(" + str(index) + ")");
    self(r).parameter(index, TypeReal, 0, false);
    self(r).taken(index);
    return self(r).arg(index).number;
}

const char *CORVANTA_CALL getString(ScriptRuntime *r, int32_t index) {
    self(r).log.push_back("GetStringParam(" + str(index) + ")");
    self(r).parameter(index, TypeString, 0, false);
    self(r).taken(index);
    FakeArg &arg = self(r).arg(index);
    return arg.kind == FakeArg::Kind::NullText ? nullptr : arg.text.c_str();
}

void CORVANTA_CALL setInt(ScriptRuntime *r, int32_t value) {
    self(r).log.push_back("SetIntResult(" + str(value) + ")");
    expectResult(self(r), TypeInt);
    self(r).intResult = value;
    ++self(r).resultCount;
}

void CORVANTA_CALL setString(ScriptRuntime *r, const char *text) {
    self(r).log.push_back("SetStringResult");
    expectResult(self(r), TypeString);
    if (text == nullptr) throw std::logic_error("null text handed to the host");
    self(r).stringResult = std::string(text);
    ++self(r).resultCount;
}

void CORVANTA_CALL beginValueType(ScriptRuntime *r, int32_t code) {
    self(r).log.push_back("BeginValueType(" + str(code) + ")");
    self(r).valueCode = code;
    self(r).dims.clear();
    self(r).pointerLevels = 0;
}

void CORVANTA_CALL addArrayDims(ScriptRuntime *r, int32_t count, ...) {
    std::string entry = "AddArrayDims(" + str(count);
    va_list sizes;
    va_start(sizes, count);
    for (int32_t i = 0; i < count; ++i) {
        const int32_t size = va_arg(sizes, int32_t);
        self(r).dims.push_back(size);
        entry += "," + str(size);
    }
    va_end(sizes);
    self(r).log.push_back(entry + ")");
}

void CORVANTA_CALL addPointerLevel(ScriptRuntime *r) {
    self(r).log.push_back("AddPointerLevel");
    ++self(r).pointerLevels;
}

// Copies as many elements as the description names, but never more than the
// script's array holds.
void CORVANTA_CALL readParamData(ScriptRuntime *r, int32_t index, void *destination) {
    FakeRuntime &rt = self(r);
    rt.log.push_back("ReadParamData(" + str(index) + ")");
    rt.parameter(index, typeOf(rt.valueCode), rt.dims.size(), false);
    rt.taken(index);
    if (destination == nullptr) throw std::logic_error("null destination handed to the host");
    size_t described = 1;
    for (int32_t size : rt.dims) described *= static_cast<size_t>(size);
    const std::vector<double> &elements = rt.arg(index).elements;
    host::storeElements(rt.valueCode, elements, std::min(described, elements.size()), destination);
}

// One value through a pointer level, or an array of the dimensions described.
void CORVANTA_CALL writeParamData(ScriptRuntime *r, int32_t index, const void *source) {
    FakeRuntime &rt = self(r);
    rt.log.push_back("WriteParamData(" + str(index) + ")");
    rt.parameter(index, typeOf(rt.valueCode), rt.dims.size(), true);
    rt.taken(index);
    FakeArg &target = rt.arg(index);
    if (target.kind != FakeArg::Kind::Variable || rt.pointerLevels != (rt.dims.empty() ? 1 : 0))
        throw std::logic_error("by-reference write to something that is not a variable");
    target.writtenCode = rt.valueCode;
    if (rt.dims.empty()) {
        target.written = host::loadValue(rt.valueCode, source).number();
        return;
    }
    size_t described = 1;
    for (int32_t size : rt.dims) described *= static_cast<size_t>(size);
    target.writtenDims = rt.dims;
    target.elements.clear();
    for (size_t i = 0; i < described; ++i)
        target.elements.push_back(
            host::loadValue(rt.valueCode, static_cast<const unsigned char *>(source) + 4 * i).number());
}

const ScriptRuntimeOps fakeOps = {
    getInt,  getReal,      getString,       setInt,        nullptr,        setString,
    nullptr, nullptr,      nullptr,         nullptr,       nullptr,        beginValueType,
    nullptr, addArrayDims, addPointerLevel, readParamData, writeParamData,
};

} // namespace

FakeRuntime::FakeRuntime(std::vector<FakeArg> arguments) : args(std::move(arguments)) { ops = &fakeOps; }

FakeRuntime &FakeRuntime::call(const host::LibraryEntry &entry) {
    signature = &entry;
    taking.assign(entry.params.size(), 0);
    entry.handler(this);
    const bool function = entry.kind == host::LibraryEntry::Kind::Function;
    if (function && resultCount != 1) refuse(*this, "a function that set no result");
    if (!function && resultCount != 0) refuse(*this, "a procedure that set a result");
    return *this;
}

void FakeRuntime::taken(int32_t indexFromEnd) {
    if (signature == nullptr) return;
    const auto count = static_cast<int32_t>(taking.size());
    if (++taking[static_cast<size_t>(count - indexFromEnd)] > 1)
        refuse(*this, "reads argument " + str(count - indexFromEnd + 1) + " of " + str(count) + " twice");
}

FakeRuntime &FakeRuntime::call(const std::string &name) {
    const host::LibraryEntry *entry = library != nullptr ? library->find(name) : nullptr;
    if (entry == nullptr || entry->handler == nullptr) throw std::logic_error(name + " is not registered");
    return call(*entry);
}

const host::Parameter &FakeRuntime::parameter(int32_t indexFromEnd, int32_t type, size_t dimensions,
                                              bool write) const {
    static const host::Parameter unchecked{};
    if (signature == nullptr) return unchecked;
    const auto count = static_cast<int32_t>(signature->params.size());
    if (indexFromEnd < 1 || indexFromEnd > count)
        refuse(*this,
               "reads argument " + str(count - indexFromEnd + 1) + " of " + str(count) + " registered");
    const host::Parameter &param = signature->params[static_cast<size_t>(count - indexFromEnd)];
    const auto describe = [](int32_t t, size_t dims, bool byReference) {
        std::string text = byReference ? "var " : "";
        text += t >= 0 ? host::typeName(t) : "unknown";
        if (dims > 0) text += "[" + std::string(dims - 1, ',') + "]";
        return text;
    };
    if (param.type != type || static_cast<size_t>(param.dimensions) != dimensions ||
        write != param.byReference)
        refuse(*this, "reads argument " + str(count - indexFromEnd + 1) + " of " + str(count) + " as " +
                          describe(type, dimensions, write) + ", registered as " +
                          describe(param.type, size_t(param.dimensions), param.byReference));
    return param;
}

FakeArg &FakeRuntime::arg(int32_t indexFromEnd) {
    if (indexFromEnd < 1 || static_cast<size_t>(indexFromEnd) > args.size())
        throw std::out_of_range("argument index " + std::to_string(indexFromEnd) + " of " +
                                std::to_string(args.size()));
    return args[args.size() - static_cast<size_t>(indexFromEnd)];
}

bool FakeRuntime::logged(const std::string &prefix) const {
    for (const std::string &entry : log)
        if (entry.rfind(prefix, 0) == 0) return true;
    return false;
}

} // namespace corvanta::testing
