#include "host/host_runtime.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdarg>
#include <cstring>
#include <string>

namespace corvanta::host {
namespace {

HostRuntime &self(ScriptRuntime *runtime) { return *static_cast<HostRuntime *>(runtime); }

// Defined for every double: beyond the int range an int saturates.
int32_t toInt(double value) {
    if (std::isnan(value)) return 0;
    if (value <= INT32_MIN) return INT32_MIN;
    if (value >= INT32_MAX) return INT32_MAX;
    return static_cast<int32_t>(value);
}

// The nearest float, also beyond the float range, where the plain conversion
// is undefined: scaled by 2^-64 into the range, a real rounds to the same
// 24 bits, and scaling back overflows to an infinity as IEEE arithmetic does.
float toFloat(double value) {
    if (!(std::fabs(value) > FLT_MAX)) return static_cast<float>(value);
    const float scaled = static_cast<float>(value * 0x1p-64);
    return scaled * 0x1p64f;
}

const Value *valueAt(ScriptRuntime *r, int32_t index) {
    Argument *argument = self(r).arg(index);
    return argument != nullptr ? &argument->value : nullptr;
}

int32_t CORVANTA_CALL getInt(ScriptRuntime *r, int32_t index) {
    const Value *value = valueAt(r, index);
    if (value == nullptr || !value->isNumber()) return 0;
    return value->type == Value::Type::Int ? value->integer : toInt(value->real);
}

double CORVANTA_CALL getReal(ScriptRuntime *r, int32_t index) {
    const Value *value = valueAt(r, index);
    return value != nullptr && value->isNumber() ? value->number() : 0.0;
}

const char *CORVANTA_CALL getString(ScriptRuntime *r, int32_t index) {
    const Value *value = valueAt(r, index);
    return value != nullptr ? value->text.c_str() : "";
}

void CORVANTA_CALL setInt(ScriptRuntime *r, int32_t value) {
    self(r).result = Value::ofInt(value);
    self(r).resultSet = true;
}

void CORVANTA_CALL setString(ScriptRuntime *r, const char *text) {
    self(r).guarded([&] {
        self(r).result = Value::ofString(text != nullptr ? text : "");
        self(r).resultSet = true;
    });
}

void CORVANTA_CALL beginValueType(ScriptRuntime *r, int32_t code) {
    self(r).valueCode = code;
    self(r).dims.clear();
    self(r).pointerLevels = 0;
}

void CORVANTA_CALL addArrayDims(ScriptRuntime *r, int32_t count, ...) {
    va_list sizes;
    va_start(sizes, count);
    for (int32_t i = 0; i < count; ++i) {
        const int32_t size = va_arg(sizes, int32_t);
        self(r).guarded([&] { self(r).dims.push_back(size); });
    }
    va_end(sizes);
}

void CORVANTA_CALL addPointerLevel(ScriptRuntime *r) { ++self(r).pointerLevels; }

bool supportedCode(int32_t code) { return code == ValueInt32 || code == ValueFloat32; }

// Copies the script's array into the plugin's buffer as 32-bit values: as many
// as the description names, but never more than the array holds.
void CORVANTA_CALL readParamData(ScriptRuntime *r, int32_t index, void *destination) {
    HostRuntime &runtime = self(r);
    const Value *array = valueAt(r, index);
    if (array == nullptr || array->type != Value::Type::Array || destination == nullptr ||
        !supportedCode(runtime.valueCode)) {
        runtime.report([] { return "array read from an argument that is no array"; });
        return;
    }
    // A host's arrays have a fixed shape: the description may ask for fewer
    // elements than the array holds, never more, and rows of the array's own
    // length. Otherwise the script stops, and the plugin's buffer is zeroed
    // rather than left as it was, so nothing stale reaches the driver.
    size_t described = 1;
    for (int32_t size : runtime.dims) described *= size > 0 ? static_cast<size_t>(size) : 0;
    const bool rowsDiffer =
        runtime.dims.size() == 2 && array->dims.size() == 2 && runtime.dims[1] != array->dims[1];
    if (rowsDiffer || described > array->elements.size()) {
        runtime.report([&] {
            if (rowsDiffer)
                return "the call reads rows of " + std::to_string(runtime.dims[1]) +
                       ", the array's rows hold " + std::to_string(array->dims[1]);
            // Said in rows where the call reads rows, as a script writes them.
            if (runtime.dims.size() == 2 && (array->dims.size() == 2 || array->elements.empty()))
                return "the call reads " + std::to_string(runtime.dims[0]) + " rows of " +
                       std::to_string(runtime.dims[1]) + ", the array holds " +
                       std::to_string(array->elements.empty() ? 0 : array->dims[0]) + " rows";
            return "the call reads " + std::to_string(described) + " elements, the array holds " +
                   std::to_string(array->elements.size());
        });
        std::memset(destination, 0, described * 4);
        return;
    }
    storeElements(runtime.valueCode, array->elements, described, destination);
}

// One value through a pointer level, or an array of the dimensions described
// (one or two, each at least 1), which replaces the variable's value whole.
void CORVANTA_CALL writeParamData(ScriptRuntime *r, int32_t index, const void *source) {
    HostRuntime &runtime = self(r);
    Argument *argument = runtime.arg(index);
    const bool array = !runtime.dims.empty();
    bool shaped = runtime.dims.size() <= 2;
    size_t described = 1;
    for (int32_t size : runtime.dims) {
        shaped = shaped && size >= 1 && described <= SIZE_MAX / 4 / size_t(size);
        if (shaped) described *= size_t(size);
    }
    if (argument == nullptr || argument->variable == nullptr || runtime.pointerLevels != (array ? 0 : 1) ||
        !shaped || !supportedCode(runtime.valueCode) || source == nullptr) {
        runtime.report([] { return "by-reference write the call cannot take"; });
        return;
    }
    if (!array) {
        *argument->variable = loadValue(runtime.valueCode, source);
        return;
    }
    runtime.guarded([&] {
        Value written;
        written.type = Value::Type::Array;
        written.dims = runtime.dims;
        written.realElements = runtime.valueCode == ValueFloat32;
        written.elements.reserve(described);
        for (size_t i = 0; i < described; ++i)
            written.elements.push_back(
                loadValue(runtime.valueCode, static_cast<const unsigned char *>(source) + 4 * i).number());
        *argument->variable = std::move(written);
    });
}

const ScriptRuntimeOps runtimeOps = {
    getInt,  getReal,      getString,       setInt,        nullptr,        setString,
    nullptr, nullptr,      nullptr,         nullptr,       nullptr,        beginValueType,
    nullptr, addArrayDims, addPointerLevel, readParamData, writeParamData,
};

} // namespace

void storeElements(int32_t valueCode, const std::vector<double> &elements, size_t count, void *destination) {
    auto *bytes = static_cast<unsigned char *>(destination);
    for (size_t i = 0; i < count; ++i) {
        if (valueCode == ValueFloat32) {
            const float value = toFloat(elements[i]);
            std::memcpy(bytes + 4 * i, &value, 4);
        } else {
            const int32_t value = toInt(elements[i]);
            std::memcpy(bytes + 4 * i, &value, 4);
        }
    }
}

Value loadValue(int32_t valueCode, const void *source) {
    if (valueCode == ValueFloat32) {
        float value;
        std::memcpy(&value, source, 4);
        return Value::ofReal(value);
    }
    int32_t value;
    std::memcpy(&value, source, 4);
    return Value::ofInt(value);
}

HostRuntime::HostRuntime(std::vector<Argument> arguments) : args(std::move(arguments)) { ops = &runtimeOps; }

Argument *HostRuntime::arg(int32_t indexFromEnd) {
    if (indexFromEnd < 1 || static_cast<size_t>(indexFromEnd) > args.size()) {
        report([&] {
            return "argument " + std::to_string(indexFromEnd) + " from the end asked of " +
                   std::to_string(args.size());
        });
        return nullptr;
    }
    return &args[args.size() - static_cast<size_t>(indexFromEnd)];
}

} // namespace corvanta::host
