#include "host/script.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <memory>
#include <new>
#include <utility>

#include "host/host_runtime.h"

namespace corvanta::host {

struct Script::Expr {
    enum class Kind { Literal, Name, Call, Array } kind = Kind::Literal;
    Value literal;
    std::string name;
    std::vector<Expr> items; // a call's arguments or an array's elements
};

// Reads one line into an expression tree. Errors are plain messages; the
// caller adds the file and line.
class Script::Parser {
public:
    explicit Parser(const std::string &line) : text_(line) {}

    // Returns false for a blank or comment line.
    bool statement(std::string &target, Expr &expr) {
        skipSpace();
        if (atEnd()) return false;
        const size_t start = pos_;
        if (isNameStart(peek())) {
            std::string name = identifier();
            skipSpace();
            if (peek() == '=') {
                ++pos_;
                target = name;
                expr = expression();
                expectEnd();
                return true;
            }
        }
        pos_ = start;
        expr = expression();
        expectEnd();
        return true;
    }

private:
    static bool isNameStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
    static bool isNameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

    bool atEnd() const { return pos_ >= text_.size() || text_[pos_] == '#'; }
    char peek() const { return pos_ < text_.size() ? text_[pos_] : '\0'; }
    void skipSpace() {
        while (pos_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos_]))) ++pos_;
    }
    void expect(char c) {
        skipSpace();
        if (peek() != c) throw std::runtime_error(std::string("expected '") + c + "'" + found());
        ++pos_;
    }
    void expectEnd() {
        skipSpace();
        if (!atEnd()) throw std::runtime_error("unexpected text" + found());
    }
    std::string found() const {
        if (pos_ >= text_.size()) return " at the end of the line";
        return " at '" + text_.substr(pos_, 12) + "'";
    }

    std::string identifier() {
        const size_t start = pos_;
        while (pos_ < text_.size() && isNameChar(text_[pos_])) ++pos_;
        return text_.substr(start, pos_ - start);
    }

    Expr expression() {
        skipSpace();
        const char c = peek();
        if (c == '"') return literal(Value::ofString(stringLiteral()));
        if (c == '[') return array();
        if (c == '-' || c == '+' || c == '.' || std::isdigit(static_cast<unsigned char>(c))) return number();
        if (isNameStart(c)) {
            Expr expr;
            expr.name = identifier();
            skipSpace();
            if (peek() != '(') {
                expr.kind = Expr::Kind::Name;
                return expr;
            }
            expr.kind = Expr::Kind::Call;
            expr.items = list('(', ')');
            return expr;
        }
        throw std::runtime_error("expected a value" + found());
    }

    // Arrays and calls nest at most this deep: the parser and the evaluator
    // recurse once a level, and a line must not exhaust the stack.
    static constexpr int maxNesting = 64;

    std::vector<Expr> list(char open, char close) {
        expect(open);
        if (++depth_ > maxNesting)
            throw std::runtime_error("nesting deeper than " + std::to_string(maxNesting) + " levels");
        std::vector<Expr> items;
        skipSpace();
        if (peek() == close) {
            ++pos_;
            --depth_;
            return items;
        }
        for (;;) {
            items.push_back(expression());
            skipSpace();
            if (peek() == ',') {
                ++pos_;
                continue;
            }
            expect(close);
            --depth_;
            return items;
        }
    }

    Expr array() {
        Expr expr;
        expr.kind = Expr::Kind::Array;
        expr.items = list('[', ']');
        return expr;
    }

    static Expr literal(Value value) {
        Expr expr;
        expr.literal = std::move(value);
        return expr;
    }

    Expr number() {
        const char *start = text_.c_str() + pos_;
        char *end = nullptr;
        errno = 0;
        const char *digits = start + (*start == '-' || *start == '+' ? 1 : 0);
        const bool hex = digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X');
        const long long integer = std::strtoll(start, &end, hex ? 16 : 10);
        const bool isInteger = end != start && *end != '.' && *end != 'e' && *end != 'E';
        if (isInteger) {
            if (errno == ERANGE || integer < INT32_MIN || integer > UINT32_MAX)
                throw std::runtime_error("integer out of range" + found());
            pos_ += static_cast<size_t>(end - start);
            // Hexadecimal tokens up to 0xFFFFFFFF wrap into 32 bits, as in C.
            return literal(Value::ofInt(static_cast<int32_t>(static_cast<uint32_t>(integer))));
        }
        const double real = std::strtod(start, &end);
        if (end == start) throw std::runtime_error("expected a number" + found());
        pos_ += static_cast<size_t>(end - start);
        return literal(Value::ofReal(real));
    }

    std::string stringLiteral() {
        ++pos_; // the opening quote
        std::string text;
        while (pos_ < text_.size()) {
            const char c = text_[pos_++];
            if (c == '"') return text;
            if (c != '\\') {
                text += c;
                continue;
            }
            if (pos_ >= text_.size()) break; // a backslash ends the line
            const char escaped = text_[pos_++];
            if (escaped == 'n')
                text += '\n';
            else if (escaped == '"' || escaped == '\\')
                text += escaped;
            else
                throw std::runtime_error(std::string("unknown escape \\") + escaped);
        }
        throw std::runtime_error("unterminated string");
    }

    const std::string &text_;
    size_t pos_ = 0;
    int depth_ = 0;
};

Script::Script(const LibraryRegistry &library, const Builtins &builtins, HostConstants constants)
    : library_(library), builtins_(builtins), constants_(std::move(constants)) {}

void Script::fail(const std::string &message) const { throw ScriptError(file_, line_, message); }

void Script::run(const std::string &file, const std::string &text) {
    file_ = file;
    line_ = 0;
    size_t start = 0;
    while (start <= text.size()) {
        // Lines end in LF, CR LF or CR alone.
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) end = text.size();
        ++line_;
        if (end - start > maxLineBytes)
            fail("the line is longer than " + std::to_string(maxLineBytes) + " bytes");
        try {
            runLine(text.substr(start, end - start));
        } catch (const std::bad_alloc &) {
            fail("out of memory");
        }
        start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
}

void Script::runLine(const std::string &line) {
    std::string target;
    Expr expr;
    try {
        if (!Parser(line).statement(target, expr)) return;
    } catch (const std::runtime_error &error) {
        fail(error.what());
    }
    if (target.empty()) {
        if (expr.kind != Expr::Kind::Call) fail("a statement must be a call or an assignment");
        call(expr);
        return;
    }
    if (isLibraryName(target)) fail("cannot assign to " + target + ", a name of the library");
    variables_[target] = evaluate(expr);
}

bool Script::isLibraryName(const std::string &name) const {
    return library_.find(name) != nullptr || builtins_.count(name) != 0 || constants_.count(name) != 0;
}

Value Script::evaluate(const Expr &expr) {
    switch (expr.kind) {
    case Expr::Kind::Literal: return expr.literal;
    case Expr::Kind::Name: {
        auto variable = variables_.find(expr.name);
        if (variable != variables_.end()) return variable->second;
        const LibraryEntry *entry = library_.find(expr.name);
        if (entry != nullptr && entry->kind == LibraryEntry::Kind::Constant)
            return Value::ofInt(entry->value);
        auto constant = constants_.find(expr.name);
        if (constant != constants_.end()) return Value::ofInt(constant->second);
        fail("unknown name " + expr.name);
    }
    case Expr::Kind::Call: {
        std::optional<Value> result = call(expr);
        if (!result) fail(expr.name + " is a procedure and gives no value");
        return *result;
    }
    case Expr::Kind::Array: break;
    }

    // Arrays: numbers, or rows of numbers of one length.
    Value array;
    array.type = Value::Type::Array;
    std::vector<Value> items;
    for (const Expr &item : expr.items) items.push_back(evaluate(item));
    const bool rows = !items.empty() && items[0].type == Value::Type::Array;
    array.dims = {static_cast<int32_t>(items.size())};
    for (const Value &item : items) {
        if (rows) {
            if (item.type != Value::Type::Array || item.dims.size() != 1)
                fail("an array's rows must all be arrays of numbers");
            if (item.dims[0] != items[0].dims[0]) fail("an array's rows must have one length");
            array.elements.insert(array.elements.end(), item.elements.begin(), item.elements.end());
            array.realElements = array.realElements || item.realElements;
        } else {
            if (!item.isNumber()) fail("an array holds numbers or rows of numbers");
            array.elements.push_back(item.number());
            array.realElements = array.realElements || item.type == Value::Type::Real;
        }
    }
    if (rows) array.dims.push_back(items[0].dims[0]);
    return array;
}

std::optional<Value> Script::call(const Expr &expr) {
    auto builtin = builtins_.find(expr.name);
    if (builtin != builtins_.end()) {
        if (builtin->second.arity >= 0 && expr.items.size() != size_t(builtin->second.arity))
            fail(expr.name + " takes " + std::to_string(builtin->second.arity) + " arguments, not " +
                 std::to_string(expr.items.size()));
        std::vector<Value> args;
        for (const Expr &item : expr.items) args.push_back(evaluate(item));
        try {
            return builtin->second.run(args);
        } catch (const std::runtime_error &error) {
            fail(error.what());
        }
    }
    const LibraryEntry *entry = library_.find(expr.name);
    if (entry == nullptr) fail("unknown function " + expr.name);
    if (entry->kind == LibraryEntry::Kind::Constant) fail(expr.name + " is a constant, not a function");
    return callPlugin(*entry, expr);
}

Value Script::argumentFor(const Parameter &param, const Expr &arg, size_t position, const std::string &name) {
    const std::string which = "argument " + std::to_string(position) + " of " + name;
    Value value = evaluate(arg);
    if (param.dimensions > 0) {
        if (value.type != Value::Type::Array) fail(which + " must be an array");
        const bool emptyArray = value.elements.empty();
        if (!emptyArray && value.dims.size() != size_t(param.dimensions))
            fail(which + " must be an array of " + std::to_string(param.dimensions) + " dimension(s)");
        if (param.type == TypeInt && value.realElements) fail(which + " must be an array of ints");
        return value;
    }
    const bool fits = param.type == TypeString ? value.type == Value::Type::String
                      : param.type == TypeReal ? value.isNumber()
                                               : value.type == Value::Type::Int;
    if (!fits) fail(which + " must be " + typeName(param.type));
    return value;
}

std::optional<Value> Script::callPlugin(const LibraryEntry &entry, const Expr &expr) {
    if (expr.items.size() != entry.params.size())
        fail(entry.name + " takes " + std::to_string(entry.params.size()) + " arguments, not " +
             std::to_string(expr.items.size()));
    std::vector<Argument> args;
    for (size_t i = 0; i < entry.params.size(); ++i) {
        const Parameter &param = entry.params[i];
        const Expr &arg = expr.items[i];
        if (!param.byReference) {
            args.push_back({argumentFor(param, arg, i + 1, entry.name)});
            continue;
        }
        if (arg.kind != Expr::Kind::Name || isLibraryName(arg.name))
            fail("argument " + std::to_string(i + 1) + " of " + entry.name + " must be a variable");
        Value &variable = variables_[arg.name];
        args.push_back({variable, &variable});
    }

    HostRuntime runtime(std::move(args));
    entry.handler(&runtime);
    if (runtime.outOfMemory) throw std::bad_alloc();
    if (!runtime.fault.empty()) fail("the plugin's " + entry.name + ": " + runtime.fault);
    if (entry.kind == LibraryEntry::Kind::Procedure) return std::nullopt;
    if (runtime.resultSet) return runtime.result;
    // A function that set no result gives the zero of its type.
    return entry.resultType == TypeString ? Value::ofString("")
           : entry.resultType == TypeReal ? Value::ofReal(0)
                                          : Value::ofInt(0);
}

} // namespace corvanta::host
