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
    const auto showRow = [this](size_t first, size_t count) {
        std::string row = "[";
        for (size_t i = first; i < first + count; ++i)
            row += (i > first ? ", " : "") + showNumber(elements[i], realElements);
        return row + "]";
    };
    if (dims.size() != 2) return showRow(0, elements.size());
    // Rows by the dimensions, so that rows without elements still show.
    const size_t rowLength = static_cast<size_t>(dims[1]);
    std::string out = "[";
    for (size_t row = 0; row < static_cast<size_t>(dims[0]); ++row)
        out += (row > 0 ? ", " : "") + showRow(row * rowLength, rowLength);
    return out + "]";
}

} // namespace corvanta::host
