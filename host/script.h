// The reference host's small script language: one statement per line, either
// a call `name(args)`, an assignment `var = call(args)` or `var = value`.
// Values are ints, reals, "strings" and arrays of one or two dimensions;
// identifiers name variables or the plugin's constants. `#` starts a comment.
// Every call of a plugin name is checked against the signature the plugin
// registered before its handler runs.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "host/library_registry.h"
#include "host/script_value.h"

namespace corvanta::host {

// The longest script file the host reads, and the longest line it parses: a
// longer line stops the script before it is parsed.
constexpr size_t maxScriptBytes = size_t(4) << 20;
constexpr size_t maxLineBytes = size_t(64) << 10;

// A fault in a script, reported as "file:line: message".
class ScriptError : public std::runtime_error {
public:
    ScriptError(const std::string &file, int line, const std::string &message)
        : std::runtime_error(file + ":" + std::to_string(line) + ": " + message) {}
};

// A function of the host's own. It throws std::runtime_error on bad input.
struct Builtin {
    int arity; // -1: any number of arguments
    std::function<std::optional<Value>(const std::vector<Value> &)> run;
};
using Builtins = std::map<std::string, Builtin>;
// Named ints of the host's own, beside the plugin's constants.
using HostConstants = std::map<std::string, int32_t>;

class Script {
public:
    Script(const LibraryRegistry &library, const Builtins &builtins, HostConstants constants = {});

    // Runs the text of a script file named `file`; throws ScriptError, also
    // for a line that runs out of memory.
    void run(const std::string &file, const std::string &text);

private:
    struct Expr;
    class Parser;

    void runLine(const std::string &line);
    bool isLibraryName(const std::string &name) const;
    Value evaluate(const Expr &expr);
    std::optional<Value> call(const Expr &expr);
    std::optional<Value> callPlugin(const LibraryEntry &entry, const Expr &expr);
    Value argumentFor(const Parameter &param, const Expr &arg, size_t position, const std::string &name);
    [[noreturn]] void fail(const std::string &message) const;

    const LibraryRegistry &library_;
    const Builtins &builtins_;
    const HostConstants constants_;
    std::map<std::string, Value> variables_;
    std::string file_;
    int line_ = 0;
};

} // namespace corvanta::host
