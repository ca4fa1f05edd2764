// The values of the reference host's script language.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace corvanta::host {

struct Value {
    enum class Type { Int, Real, String, Array } type = Type::Int;
    int32_t integer = 0;
    double real = 0;
    std::string text;
    // Arrays: one or two dimensions of numbers, flattened row after row.
    std::vector<int32_t> dims;
    std::vector<double> elements;
    bool realElements = false;

    static Value ofInt(int32_t v) {
        Value value;
        value.integer = v;
        return value;
    }
    static Value ofReal(double v) {
        Value value;
        value.type = Type::Real;
        value.real = v;
        return value;
    }
    static Value ofString(std::string v) {
        Value value;
        value.type = Type::String;
        value.text = std::move(v);
        return value;
    }

    bool isNumber() const { return type == Type::Int || type == Type::Real; }
    double number() const { return type == Type::Real ? real : integer; }
    // As the script would write it: 3, 0.5, "text", [1, 2], [[1, 2], [3, 4]].
    std::string show() const;
};

} // namespace corvanta::host
