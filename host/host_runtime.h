// The reference host's script runtime: what a plugin handler sees of one
// script call. Arguments are counted from the end, results and by-reference
// variables go back to the script, and arrays are exchanged as described.
#pragma once

#include <new>
#include <string>
#include <vector>

#include "host/script_value.h"
#include "plugin/host_interfaces.h"

namespace corvanta::host {

struct Argument {
    Value value;
    Value *variable = nullptr; // where a by-reference argument is written
};

class HostRuntime : public ScriptRuntime {
public:
    explicit HostRuntime(std::vector<Argument> arguments);

    std::vector<Argument> args;
    Value result;
    bool resultSet = false;
    // Anything the plugin asked for that this call cannot give.
    std::string fault;
    // A callback could not allocate. Nothing the host throws may cross the
    // plugin's frames, so the callbacks catch and the script stops after the
    // handler returns.
    bool outOfMemory = false;

    // The description of the next data exchange.
    int32_t valueCode = 0;
    std::vector<int32_t> dims;
    int pointerLevels = 0;

    Argument *arg(int32_t indexFromEnd);

    // Runs `body` so that a failed allocation marks the call instead of
    // throwing into the plugin.
    template <typename Body> void guarded(Body &&body) {
        try {
            body();
        } catch (const std::bad_alloc &) {
            outOfMemory = true;
        }
    }
    // Keeps the first fault of a call.
    template <typename Message> void report(Message &&message) {
        guarded([&] {
            if (fault.empty()) fault = message();
        });
    }
};

// The 32-bit values exchanged with a plugin, as a value code describes them:
// the first `count` elements stored as int32 or float32 (a real as the nearest
// float, as IEEE arithmetic rounds), and one value loaded.
void storeElements(int32_t valueCode, const std::vector<double> &elements, size_t count, void *destination);
Value loadValue(int32_t valueCode, const void *source);

} // namespace corvanta::host
