#include "host/script_value.h"

#include <cstdio>

namespace corvanta::host {
namespace {

std::string showNumber(double value, bool real) {
    char buffer[32];
    if (!real)
        std::snprintf(buffer, sizeof buffer, "%d", static_cast<int32_t>(value));
    else
        std::snprintf(buffer, sizeof buffer, "%.9g", value);
    return buffer;
}

} // namespace

std::string Value::show() const {
    switch (type) {
    case Type::Int: return showNumber(integer, false);
    case Type::Real: return showNumber(real, true);
    case Type::String: return text;
    case Type::Array: break;
    }
    const size_t rowLength = dims.size() == 2 ? static_cast<size_t>(dims[1]) : elements.size();
    std::string out = "[";
    for (size_t i = 0; i < elements.size(); ++i) {
        if (i > 0) out += ", ";
        if (dims.size() == 2 && i % rowLength == 0) out += "[";
        out += showNumber(elements[i], realElements);
        if (dims.size() == 2 && (i + 1) % rowLength == 0) out += "]";
    }
    return out + "]";
}

} // namespace corvanta::host
