#include "host/builtins.h"

#include <cmath>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

#include "host/gl_calls.h"
#include "host/png_file.h"

namespace corvanta::host {
namespace {

using Args = std::vector<Value>;

double numberArg(const Args &args, size_t i) {
    if (!args[i].isNumber())
        throw std::runtime_error("argument " + std::to_string(i + 1) + " must be a number");
    return args[i].number();
}

const std::string &textArg(const Args &args, size_t i) {
    if (args[i].type != Value::Type::String)
        throw std::runtime_error("argument " + std::to_string(i + 1) + " must be a string");
    return args[i].text;
}

bool closeEnough(double actual, double expected) {
    return std::fabs(actual - expected) <= 1e-6 * std::fmax(1.0, std::fabs(expected));
}

// Ints compare exactly, reals within a relative 1e-6 (a value read back from
// the driver has passed through a 32-bit float).
bool matches(const Value &actual, const Value &expected) {
    if (actual.isNumber() && expected.isNumber()) {
        if (actual.type == Value::Type::Int && expected.type == Value::Type::Int)
            return actual.integer == expected.integer;
        return closeEnough(actual.number(), expected.number());
    }
    if (actual.type != expected.type) return false;
    if (actual.type == Value::Type::String) return actual.text == expected.text;
    if (actual.dims != expected.dims) return false;
    for (size_t i = 0; i < actual.elements.size(); ++i)
        if (!closeEnough(actual.elements[i], expected.elements[i])) return false;
    return true;
}

std::string quoted(const Value &value) {
    return value.type == Value::Type::String ? "\"" + value.text + "\"" : value.show();
}

} // namespace

std::string directoryOf(const std::string &path) {
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? "." : path.substr(0, slash);
}

std::string resolvePath(const std::string &directory, const std::string &path) {
    const bool absolute =
        !path.empty() && (path[0] == '/' || path[0] == '\\' || (path.size() > 1 && path[1] == ':'));
    return absolute ? path : directory + "/" + path;
}

Builtins standardBuiltins(const BuiltinEnvironment &env) {
    auto needContext = [env] {
        if (!env.hasContext) throw std::runtime_error("no GL context to draw into");
        glViewport(0, 0, env.width, env.height);
    };
    Builtins builtins;
    builtins["print"] = {-1, [env](const Args &args) -> std::optional<Value> {
                             std::string line;
                             for (size_t i = 0; i < args.size(); ++i)
                                 line += (i > 0 ? " " : "") + args[i].show();
                             *env.out << line << '\n';
                             return std::nullopt;
                         }};
    builtins["load_text"] = {1, [env](const Args &args) -> std::optional<Value> {
                                 const std::string path = resolvePath(env.scriptDirectory, textArg(args, 0));
                                 std::ifstream file(path, std::ios::binary);
                                 if (!file) throw std::runtime_error("cannot read " + path);
                                 std::ostringstream text;
                                 text << file.rdbuf();
                                 return Value::ofString(text.str());
                             }};
    builtins["clear"] = {3, [needContext](const Args &args) -> std::optional<Value> {
                             const double red = numberArg(args, 0), green = numberArg(args, 1),
                                          blue = numberArg(args, 2);
                             needContext();
                             glClearColor(float(red), float(green), float(blue), 1.0f);
                             glClear(gl::COLOR_BUFFER_BIT);
                             return std::nullopt;
                         }};
    // A quad over the whole viewport, texture coordinates 0..1 from the
    // lower left corner.
    builtins["draw_quad"] = {0, [needContext](const Args &) -> std::optional<Value> {
                                 needContext();
                                 glBegin(gl::QUADS);
                                 glTexCoord2f(0, 0), glVertex2f(-1, -1);
                                 glTexCoord2f(1, 0), glVertex2f(1, -1);
                                 glTexCoord2f(1, 1), glVertex2f(1, 1);
                                 glTexCoord2f(0, 1), glVertex2f(-1, 1);
                                 glEnd();
                                 return std::nullopt;
                             }};
    builtins["save_png"] = {1, [env, needContext](const Args &args) -> std::optional<Value> {
                                const std::string path = resolvePath(env.outputDirectory, textArg(args, 0));
                                needContext();
                                std::vector<unsigned char> pixels(size_t(env.width) * size_t(env.height) * 4);
                                glFinish();
                                glPixelStorei(gl::PACK_ALIGNMENT, 1);
                                glReadPixels(0, 0, env.width, env.height, gl::RGBA, gl::UNSIGNED_BYTE,
                                             pixels.data());
                                if (!writePng(path, env.width, env.height, pixels))
                                    throw std::runtime_error("cannot write " + path);
                                *env.out << "saved " << path << '\n';
                                return std::nullopt;
                            }};
    builtins["expect"] = {2, [](const Args &args) -> std::optional<Value> {
                              if (!matches(args[0], args[1]))
                                  throw std::runtime_error("expected " + quoted(args[1]) + ", got " +
                                                           quoted(args[0]));
                              return std::nullopt;
                          }};
    return builtins;
}

} // namespace corvanta::host
