// A stand-in for the host's script runtime: arguments in script order (which
// the host's interface indexes from the end), by-reference variables, arrays
// copied as described, and a log of every operation the plugin calls.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "host/library_registry.h"
#include "plugin/host_interfaces.h"

namespace corvanta::testing {

struct FakeArg {
    enum class Kind { Int, Real, Text, NullText, Array, Variable } kind = Kind::Int;
    double number = 0;
    std::string text;
    std::vector<double> elements; // an array's values, flattened
    // What the plugin wrote into a variable, and with which value code: one
    // value, or an array's dimensions and its elements (in `elements`).
    std::optional<double> written;
    int32_t writtenCode = 0;
    std::vector<int32_t> writtenDims;

    static FakeArg integer(int32_t value) { return numeric(Kind::Int, value); }
    static FakeArg real(double value) { return numeric(Kind::Real, value); }
    static FakeArg string(std::string value) {
        FakeArg arg = of(Kind::Text);
        arg.text = std::move(value);
        return arg;
    }
    static FakeArg nullString() { return of(Kind::NullText); }
    static FakeArg array(std::vector<double> values) {
        FakeArg arg = of(Kind::Array);
        arg.elements = std::move(values);
        return arg;
    }
    static FakeArg variable() { return of(Kind::Variable); }

private:
    static FakeArg of(Kind kind) {
        FakeArg arg;
        arg.kind = kind;
        return arg;
    }
    static FakeArg numeric(Kind kind, double value) {
        FakeArg arg = of(kind);
        arg.number = value;
        return arg;
    }
};

class FakeRuntime : public ScriptRuntime {
public:
    explicit FakeRuntime(std::vector<FakeArg> arguments = {});

    // Calls a registered name's handler as the host does and returns the
    // runtime for inspection. The runtime refuses, by throwing, what does not
    // fit the name's registered signature: an argument beyond its parameters
    // or of another type, an array read of other dimensions, a plain read of
    // a by-reference parameter or a write into a plain one, an argument read
    // twice, and a result that a procedure sets or a function does not set
    // exactly once.
    FakeRuntime &call(const host::LibraryEntry &entry);
    // The same for a name of `library`, which a test sets.
    FakeRuntime &call(const std::string &name);
    static inline const host::LibraryRegistry *library = nullptr;

    std::vector<FakeArg> args;
    std::vector<std::string> log;
    std::optional<int32_t> intResult;
    std::optional<std::string> stringResult;
    int resultCount = 0;

    // The description being built for the next data exchange.
    int32_t valueCode = 0;
    std::vector<int32_t> dims;
    int pointerLevels = 0;

    FakeArg &arg(int32_t indexFromEnd);
    // The registered parameter at `indexFromEnd`, which must be `type` with
    // `dimensions`, by reference if `write`; what does not match throws.
    const host::Parameter &parameter(int32_t indexFromEnd, int32_t type, size_t dimensions, bool write) const;
    const host::LibraryEntry *signature = nullptr;
    bool logged(const std::string &prefix) const;

    // Counts a read or write of the argument; a second one throws.
    void taken(int32_t indexFromEnd);
    std::vector<int> taking; // reads and writes of each argument, in script order
};

} // namespace corvanta::testing
