#include "host/builtins.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <stdexcept>
#include <vector>

#include "host/gl_calls.h"
#include "host/host_platform.h"
#include "host/mesh_data.h"
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

// What an "expect" that failed says: both values, or for two arrays of the
// same dimensions the first element where they differ (two pictures are
// millions of values).
std::string mismatch(const Value &actual, const Value &expected) {
    if (actual.type == Value::Type::Array && expected.type == Value::Type::Array && actual.dims == expected.dims)
        for (size_t i = 0; i < actual.elements.size(); ++i)
            if (!closeEnough(actual.elements[i], expected.elements[i]))
                return "expected element " + std::to_string(i) + " to be " +
                       Value::ofReal(expected.elements[i]).show() + ", got " +
                       Value::ofReal(actual.elements[i]).show();
    if (actual.type == Value::Type::Array && expected.type == Value::Type::Array) {
        const auto shape = [](const Value &array) {
            std::string text;
            for (const int32_t dim : array.dims) text += (text.empty() ? "" : "x") + std::to_string(dim);
            return text;
        };
        return "expected an array of " + shape(expected) + ", got one of " + shape(actual);
    }
    return "expected " + quoted(expected) + ", got " + quoted(actual);
}

} // namespace

std::string directoryOf(const std::string &path) {
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? "." : path.substr(0, slash);
}

std::string baseName(const std::string &path) {
    const size_t slash = path.find_last_of("/\\");
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    return name.substr(0, name.find_last_of('.'));
}

std::string resolvePath(const std::string &directory, const std::string &path) {
    const bool absolute =
        !path.empty() && (path[0] == '/' || path[0] == '\\' || (path.size() > 1 && path[1] == ':'));
    return absolute ? path : directory + "/" + path;
}

bool readFile(const std::string &path, size_t limit, std::string &text, std::string &error) {
    std::ifstream file(path, std::ios::binary);
    text.clear();
    char chunk[1 << 16];
    while (file && (file.read(chunk, sizeof chunk), file.gcount() > 0)) {
        const size_t count = static_cast<size_t>(file.gcount());
        if (text.size() + count > limit) {
            error = path + " is longer than " + std::to_string(limit) + " bytes";
            return false;
        }
        text.append(chunk, count);
    }
    // Opening a directory succeeds on Linux; reading it does not.
    if (!file.is_open() || file.bad()) {
        error = "cannot read " + path;
        return false;
    }
    return true;
}

void skipByteOrderMark(std::string &text) {
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) text.erase(0, 3);
}

namespace {

constexpr int textureUnits = 8;
constexpr double pi = 3.14159265358979323846;

// What the drawing built-ins share across calls: whether the script is
// between begin_triangles() or glBegin() and its end, the textures it loaded,
// and the mesh files it read, by path.
struct Drawing {
    const char *begun = nullptr; // "begin_triangles()" or "glBegin()" while inside one
    unsigned textures[textureUnits] = {};
    std::map<std::string, MeshData> meshFiles;
};

int32_t intArg(const Args &args, size_t i, int32_t low, int32_t high) {
    if (args[i].type != Value::Type::Int || args[i].integer < low || args[i].integer > high)
        throw std::runtime_error("argument " + std::to_string(i + 1) + " must be an int from " +
                                 std::to_string(low) + " to " + std::to_string(high));
    return args[i].integer;
}

// Makes texture unit `unit` the active one, and gives the call that selects
// a unit, to select unit 0 again afterwards.
gl::ActiveTextureFunction selectUnit(int32_t unit) {
    const auto activeTexture = reinterpret_cast<gl::ActiveTextureFunction>(glProcedure("glActiveTextureARB"));
    if (activeTexture == nullptr) throw std::runtime_error("the driver has no glActiveTextureARB");
    activeTexture(GL_TEXTURE0 + unsigned(unit));
    return activeTexture;
}

// The bound texture filtered linearly and clamped at its edges.
void filterLinearlyAndClamp() {
    for (unsigned name : {GL_TEXTURE_MIN_FILTER, GL_TEXTURE_MAG_FILTER})
        glTexParameteri(GL_TEXTURE_2D, name, int(GL_LINEAR));
    for (unsigned name : {GL_TEXTURE_WRAP_S, GL_TEXTURE_WRAP_T})
        glTexParameteri(GL_TEXTURE_2D, name, int(GL_CLAMP_TO_EDGE));
}

std::string readText(const std::string &path) {
    std::string text, error;
    if (!readFile(path, maxFileBytes, text, error)) throw std::runtime_error(error);
    return text;
}

// The unit sphere as triangles, slices around its axis (y) and stacks from
// pole to pole, with its normals and texture coordinates 0..1 (s around, t up).
void drawSphere(int slices, int stacks) {
    const auto corner = [&](int stack, int slice) {
        const double latitude = pi * stack / stacks - pi / 2, longitude = 2 * pi * slice / slices;
        const float x = float(std::cos(latitude) * std::sin(longitude)), y = float(std::sin(latitude)),
                    z = float(std::cos(latitude) * std::cos(longitude));
        glNormal3f(x, y, z);
        glTexCoord2f(float(slice) / float(slices), float(stack) / float(stacks));
        glVertex3f(x, y, z);
    };
    glBegin(GL_TRIANGLES);
    for (int stack = 0; stack < stacks; ++stack) {
        for (int slice = 0; slice < slices; ++slice) {
            corner(stack, slice), corner(stack, slice + 1), corner(stack + 1, slice + 1);
            corner(stack, slice), corner(stack + 1, slice + 1), corner(stack + 1, slice);
        }
    }
    glEnd();
}

// The depth of the stack of the matrix mode in use, or the most it takes.
int matrixStack(bool most) {
    static const unsigned stacks[3][2] = {{GL_MODELVIEW_STACK_DEPTH, GL_MAX_MODELVIEW_STACK_DEPTH},
                                          {GL_PROJECTION_STACK_DEPTH, GL_MAX_PROJECTION_STACK_DEPTH},
                                          {GL_TEXTURE_STACK_DEPTH, GL_MAX_TEXTURE_STACK_DEPTH}};
    int mode = 0, value = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    const int row = unsigned(mode) == GL_MODELVIEW ? 0 : unsigned(mode) == GL_PROJECTION ? 1 : 2;
    glGetIntegerv(stacks[row][most ? 1 : 0], &value);
    return value;
}

} // namespace

Builtins standardBuiltins(const BuiltinEnvironment &env) {
    auto drawing = std::make_shared<Drawing>();
    // Drawing needs a context, and only vertex() and the plugin's calls may
    // come between begin_triangles() and end().
    auto needContext = [env, drawing](bool depthTest) {
        if (!env.hasContext) throw std::runtime_error("no GL context to draw into");
        if (drawing->begun != nullptr)
            throw std::runtime_error(std::string("not allowed after ") + drawing->begun + " before its end");
        if (depthTest) {
            glEnable(GL_DEPTH_TEST);
            glDepthFunc(GL_LEQUAL);
        } else {
            glDisable(GL_DEPTH_TEST);
        }
    };
    // What is drawn into now: the picture, or a render target's texture at
    // its size while one is begun (the viewport says which).
    auto savePicture = [env, needContext](const std::string &file) {
        const std::string path = resolvePath(env.outputDirectory, file);
        needContext(false);
        // A framebuffer without colour (a depth-only target begun) has none
        // to read: reading it would only raise an error and save nothing.
        int readBuffer = 0;
        glGetIntegerv(GL_READ_BUFFER, &readBuffer);
        if (unsigned(readBuffer) == GL_NONE)
            throw std::runtime_error("the framebuffer drawn into has no colour to save "
                                     "(is a depth-only render target begun?)");
        // Nor can a multisampled one be read before its samples are resolved.
        int sampleBuffers = 0;
        glGetIntegerv(GL_SAMPLE_BUFFERS_ARB, &sampleBuffers);
        if (sampleBuffers != 0)
            throw std::runtime_error("the framebuffer drawn into has samples, which its EndRenderTarget "
                                     "resolves: save the target's picture after the End");
        int viewport[4] = {0, 0, env.width, env.height};
        glGetIntegerv(GL_VIEWPORT, viewport);
        const int width = viewport[2] > 0 ? viewport[2] : env.width,
                  height = viewport[3] > 0 ? viewport[3] : env.height;
        std::vector<unsigned char> pixels(size_t(width) * size_t(height) * 4);
        glFinish();
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(viewport[0], viewport[1], width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        // Folders the name asks for are made, as --output's is.
        std::error_code ignored; // one that cannot be made fails the write
        std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
        if (!writePng(path, width, height, pixels)) throw std::runtime_error("cannot write " + path);
        *env.out << "saved " << path << '\n';
    };

    // The two pairs that bracket vertices: begin_triangles() and end(), and
    // glBegin(mode) and glEnd(); each end closes only its own begin.
    const auto begin = [drawing, needContext](const char *opener, unsigned mode) {
        needContext(true);
        glBegin(mode);
        drawing->begun = opener;
    };
    const auto endOf = [drawing](const char *opener, const char *closer) {
        return [drawing, opener, closer](const Args &) -> std::optional<Value> {
            if (drawing->begun == nullptr || std::strcmp(drawing->begun, opener) != 0)
                throw std::runtime_error(std::string(closer) + " without " + opener);
            glEnd();
            drawing->begun = nullptr;
            return std::nullopt;
        };
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
                                 std::string text =
                                     readText(resolvePath(env.scriptDirectory, textArg(args, 0)));
                                 skipByteOrderMark(text);
                                 return Value::ofString(std::move(text));
                             }};
    // A picture's pixels shaped for the plugin's "TextureData": a row of
    // four reals from 0 to 1 a pixel, the bottom row first.
    builtins["load_pixels"] = {1, [env](const Args &args) -> std::optional<Value> {
                                   const std::string path = resolvePath(env.scriptDirectory, textArg(args, 0));
                                   int width = 0, height = 0;
                                   std::vector<unsigned char> pixels;
                                   std::string error;
                                   if (!decodePng(readText(path), width, height, pixels, error))
                                       throw std::runtime_error("cannot decode " + path + ": " + error);
                                   Value values;
                                   values.type = Value::Type::Array;
                                   values.dims = {int32_t(height), int32_t(width) * 4};
                                   values.elements.reserve(pixels.size());
                                   for (const unsigned char byte : pixels) values.elements.push_back(byte / 255.0);
                                   return values;
                               }};
    builtins["load_texture"] = {2, [env, drawing, needContext](const Args &args) -> std::optional<Value> {
                                    const int32_t unit = intArg(args, 0, 0, textureUnits - 1);
                                    const std::string path =
                                        resolvePath(env.scriptDirectory, textArg(args, 1));
                                    int width = 0, height = 0;
                                    std::vector<unsigned char> pixels;
                                    std::string error;
                                    if (!decodePng(readText(path), width, height, pixels, error))
                                        throw std::runtime_error("cannot decode " + path + ": " + error);
                                    needContext(false);
                                    const gl::ActiveTextureFunction activeTexture = selectUnit(unit);
                                    unsigned &texture = drawing->textures[unit];
                                    if (texture == 0) glGenTextures(1, &texture);
                                    glBindTexture(GL_TEXTURE_2D, texture);
                                    filterLinearlyAndClamp();
                                    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
                                    glTexImage2D(GL_TEXTURE_2D, 0, int(GL_RGBA), width, height, 0, GL_RGBA,
                                                 GL_UNSIGNED_BYTE, pixels.data());
                                    activeTexture(GL_TEXTURE0);
                                    return std::nullopt;
                                }};
    builtins["clear"] = {3, [needContext](const Args &args) -> std::optional<Value> {
                             const double red = numberArg(args, 0), green = numberArg(args, 1),
                                          blue = numberArg(args, 2);
                             needContext(false);
                             glClearColor(float(red), float(green), float(blue), 1.0f);
                             glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
                             return std::nullopt;
                         }};
    // A quad over the whole viewport at depth 0, texture coordinates 0..1 from
    // the lower left corner, drawn without the depth test.
    builtins["draw_quad"] = {0, [needContext](const Args &) -> std::optional<Value> {
                                 needContext(false);
                                 glBegin(GL_QUADS);
                                 glTexCoord2f(0, 0), glVertex2f(-1, -1);
                                 glTexCoord2f(1, 0), glVertex2f(1, -1);
                                 glTexCoord2f(1, 1), glVertex2f(1, 1);
                                 glTexCoord2f(0, 1), glVertex2f(-1, 1);
                                 glEnd();
                                 return std::nullopt;
                             }};
    builtins["draw_sphere"] = {2, [needContext](const Args &args) -> std::optional<Value> {
                                   const int32_t slices = intArg(args, 0, 3, 256),
                                                 stacks = intArg(args, 1, 2, 256);
                                   needContext(true);
                                   drawSphere(slices, stacks);
                                   return std::nullopt;
                               }};
    builtins["begin_triangles"] = {0, [begin](const Args &) -> std::optional<Value> {
                                       begin("begin_triangles()", GL_TRIANGLES);
                                       return std::nullopt;
                                   }};
    builtins["vertex"] = {3, [drawing](const Args &args) -> std::optional<Value> {
                              const double x = numberArg(args, 0), y = numberArg(args, 1),
                                           z = numberArg(args, 2);
                              if (drawing->begun == nullptr)
                                  throw std::runtime_error("vertex() outside begin_triangles() and end()");
                              glVertex3f(float(x), float(y), float(z));
                              return std::nullopt;
                          }};
    builtins["end"] = {0, endOf("begin_triangles()", "end()")};
    builtins["save_png"] = {1, [savePicture](const Args &args) -> std::optional<Value> {
                                savePicture(textArg(args, 0));
                                return std::nullopt;
                            }};
    builtins["frame"] = {1, [env, savePicture](const Args &args) -> std::optional<Value> {
                             char number[8];
                             std::snprintf(number, sizeof number, "_%03d", int(intArg(args, 0, 0, 999)));
                             savePicture(env.frameName + number + ".png");
                             return std::nullopt;
                         }};
    // GL 1.1 as the real host gives it to scripts, ints and reals in.
    const auto glProcedureOf = [needContext](auto call) {
        return [needContext, call](const Args &args) -> std::optional<Value> {
            needContext(false);
            call(args);
            return std::nullopt;
        };
    };
    const auto token = [](const Args &args, size_t i) {
        return unsigned(intArg(args, i, INT32_MIN, INT32_MAX));
    };
    // GL 1.1's immediate mode: glBegin(mode), then vertices with their
    // normals, colours and texture coordinates (and the plugin's calls, such
    // as "glVertexAttrib4fARB"), then glEnd().
    builtins["glBegin"] = {1, [begin](const Args &args) -> std::optional<Value> {
                               begin("glBegin()",
                                     unsigned(intArg(args, 0, int32_t(GL_POINTS), int32_t(GL_POLYGON))));
                               return std::nullopt;
                           }};
    builtins["glEnd"] = {0, endOf("glBegin()", "glEnd()")};
    const auto vertexCall = [env](auto call) {
        return [env, call](const Args &args) -> std::optional<Value> {
            float values[4] = {};
            for (size_t i = 0; i < args.size(); ++i) values[i] = float(numberArg(args, i));
            if (!env.hasContext) throw std::runtime_error("no GL context to draw into");
            call(values);
            return std::nullopt;
        };
    };
    builtins["glVertex2f"] = {2, vertexCall([](const float *v) { glVertex2f(v[0], v[1]); })};
    builtins["glVertex3f"] = {3, vertexCall([](const float *v) { glVertex3f(v[0], v[1], v[2]); })};
    builtins["glNormal3f"] = {3, vertexCall([](const float *v) { glNormal3f(v[0], v[1], v[2]); })};
    builtins["glColor3f"] = {3, vertexCall([](const float *v) { glColor3f(v[0], v[1], v[2]); })};
    builtins["glColor4f"] = {4, vertexCall([](const float *v) { glColor4f(v[0], v[1], v[2], v[3]); })};
    builtins["glTexCoord2f"] = {2, vertexCall([](const float *v) { glTexCoord2f(v[0], v[1]); })};
    // GL 1.1's matrices as the real host has them: the model-view, projection
    // and texture matrices, which a shader reads as gl_ModelViewMatrix,
    // gl_ProjectionMatrix, gl_ModelViewProjectionMatrix and the others.
    builtins["glMatrixMode"] = {1, glProcedureOf([token](const Args &args) {
                                    const unsigned mode = token(args, 0);
                                    if (mode != GL_MODELVIEW && mode != GL_PROJECTION && mode != GL_TEXTURE)
                                        throw std::runtime_error("glMatrixMode takes GL_MODELVIEW, GL_PROJECTION "
                                                                 "or GL_TEXTURE");
                                    glMatrixMode(mode);
                                })};
    builtins["glLoadIdentity"] = {0, glProcedureOf([](const Args &) { glLoadIdentity(); })};
    // A push past the stack's depth or a pop of its last matrix stops the
    // script, rather than leaving an error for later.
    builtins["glPushMatrix"] = {0, glProcedureOf([](const Args &) {
                                    if (matrixStack(false) >= matrixStack(true))
                                        throw std::runtime_error("glPushMatrix: the stack is full");
                                    glPushMatrix();
                                })};
    builtins["glPopMatrix"] = {0, glProcedureOf([](const Args &) {
                                   if (matrixStack(false) <= 1) throw std::runtime_error("glPopMatrix: nothing pushed");
                                   glPopMatrix();
                               })};
    builtins["glTranslatef"] = {3, glProcedureOf([](const Args &args) {
                                    glTranslatef(float(numberArg(args, 0)), float(numberArg(args, 1)),
                                                 float(numberArg(args, 2)));
                                })};
    builtins["glRotatef"] = {4, glProcedureOf([](const Args &args) {
                                 glRotatef(float(numberArg(args, 0)), float(numberArg(args, 1)),
                                           float(numberArg(args, 2)), float(numberArg(args, 3)));
                             })};
    builtins["glScalef"] = {3, glProcedureOf([](const Args &args) {
                                glScalef(float(numberArg(args, 0)), float(numberArg(args, 1)),
                                         float(numberArg(args, 2)));
                            })};
    builtins["glFrustum"] = {6, glProcedureOf([](const Args &args) {
                                 glFrustum(numberArg(args, 0), numberArg(args, 1), numberArg(args, 2),
                                           numberArg(args, 3), numberArg(args, 4), numberArg(args, 5));
                             })};
    builtins["glOrtho"] = {6, glProcedureOf([](const Args &args) {
                               glOrtho(numberArg(args, 0), numberArg(args, 1), numberArg(args, 2),
                                       numberArg(args, 3), numberArg(args, 4), numberArg(args, 5));
                           })};
    // Vertex data for the plugin's meshes: a part of an OBJ file (read once)
    // or of a grid of n x n vertices.
    builtins["load_obj"] = {2, [env, drawing](const Args &args) -> std::optional<Value> {
                                const std::string path = resolvePath(env.scriptDirectory, textArg(args, 0));
                                auto found = drawing->meshFiles.find(path);
                                if (found == drawing->meshFiles.end())
                                    found = drawing->meshFiles.emplace(path, loadObj(path)).first;
                                return meshPart(found->second, textArg(args, 1));
                            }};
    builtins["grid_mesh"] = {2, [](const Args &args) -> std::optional<Value> {
                                 return meshPart(grid(intArg(args, 0, 2, 1024)), textArg(args, 1));
                             }};
    builtins["glGetError"] = {0, [needContext](const Args &) -> std::optional<Value> {
                                  needContext(false);
                                  return Value::ofInt(int32_t(glGetError()));
                              }};
    builtins["glEnable"] = {1, glProcedureOf([token](const Args &args) { glEnable(token(args, 0)); })};
    builtins["glDisable"] = {1, glProcedureOf([token](const Args &args) { glDisable(token(args, 0)); })};
    builtins["glBlendFunc"] = {
        2, glProcedureOf([token](const Args &args) { glBlendFunc(token(args, 0), token(args, 1)); })};
    builtins["glCullFace"] = {1, glProcedureOf([token](const Args &args) { glCullFace(token(args, 0)); })};
    builtins["glPolygonOffset"] = {2, glProcedureOf([](const Args &args) {
                                       glPolygonOffset(float(numberArg(args, 0)), float(numberArg(args, 1)));
                                   })};
    builtins["glDepthMask"] = {
        1, glProcedureOf([token](const Args &args) { glDepthMask(token(args, 0) != 0 ? 1 : 0); })};
    builtins["glViewport"] = {
        4, glProcedureOf([](const Args &args) {
            glViewport(intArg(args, 0, INT32_MIN, INT32_MAX), intArg(args, 1, INT32_MIN, INT32_MAX),
                       intArg(args, 2, INT32_MIN, INT32_MAX), intArg(args, 3, INT32_MIN, INT32_MAX));
        })};
    builtins["glTexParameteri"] = {3, glProcedureOf([token](const Args &args) {
                                       glTexParameteri(token(args, 0), token(args, 1),
                                                       intArg(args, 2, INT32_MIN, INT32_MAX));
                                   })};
    builtins["glClearColor"] = {4, glProcedureOf([](const Args &args) {
                                    glClearColor(float(numberArg(args, 0)), float(numberArg(args, 1)),
                                                 float(numberArg(args, 2)), float(numberArg(args, 3)));
                                })};
    builtins["glClear"] = {1, glProcedureOf([token](const Args &args) { glClear(token(args, 0)); })};
    // A texture of the script's own (0 unbinds) on a unit, and an empty one,
    // linear and clamped, to attach to a framebuffer.
    builtins["bind_texture"] = {2, [needContext](const Args &args) -> std::optional<Value> {
                                    const int32_t unit = intArg(args, 0, 0, textureUnits - 1);
                                    const int32_t texture = intArg(args, 1, 0, INT32_MAX);
                                    needContext(false);
                                    const gl::ActiveTextureFunction activeTexture = selectUnit(unit);
                                    glBindTexture(GL_TEXTURE_2D, unsigned(texture));
                                    activeTexture(GL_TEXTURE0);
                                    return std::nullopt;
                                }};
    builtins["new_texture"] = {
        3, [needContext](const Args &args) -> std::optional<Value> {
            const int32_t width = intArg(args, 0, 1, 4096), height = intArg(args, 1, 1, 4096);
            const int32_t format = intArg(args, 2, INT32_MIN, INT32_MAX);
            needContext(false);
            int previous = 0;
            glGetIntegerv(GL_TEXTURE_BINDING_2D, &previous);
            unsigned texture = 0;
            glGenTextures(1, &texture);
            glBindTexture(GL_TEXTURE_2D, texture);
            filterLinearlyAndClamp();
            glTexImage2D(GL_TEXTURE_2D, 0, format, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
            // A format the driver refuses leaves level 0 without a size, and
            // an error flag, which the script would meet later: it stops here.
            int madeWidth = 0;
            glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &madeWidth);
            glBindTexture(GL_TEXTURE_2D, unsigned(previous));
            if (madeWidth == 0) {
                glDeleteTextures(1, &texture);
                while (glGetError() != GL_NO_ERROR) {
                }
                throw std::runtime_error("new_texture: the driver does not accept format " + std::to_string(format));
            }
            return Value::ofInt(int32_t(texture));
        }};
    builtins["get_integer"] = {1, [needContext, token](const Args &args) -> std::optional<Value> {
                                   const unsigned name = token(args, 0);
                                   needContext(false);
                                   int values[16] = {};
                                   glGetIntegerv(name, values);
                                   return Value::ofInt(values[0]);
                               }};
    // Every value glGetIntegerv gives for pname (four for GL_VIEWPORT): what
    // it writes is the same over two calls into cells preset differently.
    builtins["get_integers"] = {1, [needContext, token](const Args &args) -> std::optional<Value> {
                                    const unsigned name = token(args, 0);
                                    needContext(false);
                                    int first[16], second[16];
                                    std::fill(std::begin(first), std::end(first), INT32_MIN);
                                    std::fill(std::begin(second), std::end(second), INT32_MAX);
                                    glGetIntegerv(name, first);
                                    glGetIntegerv(name, second);
                                    Value values;
                                    values.type = Value::Type::Array;
                                    for (size_t i = 0; i < 16 && first[i] == second[i]; ++i)
                                        values.elements.push_back(first[i]);
                                    values.dims = {int32_t(values.elements.size())};
                                    return values;
                                }};
    builtins["delete_texture"] = {1, [needContext](const Args &args) -> std::optional<Value> {
                                      const auto texture = unsigned(intArg(args, 0, 0, INT32_MAX));
                                      needContext(false);
                                      glDeleteTextures(1, &texture);
                                      return std::nullopt;
                                  }};
    builtins["get_string"] = {1, [needContext, token](const Args &args) -> std::optional<Value> {
                                  const unsigned name = token(args, 0);
                                  needContext(false);
                                  const unsigned char *text = glGetString(name);
                                  return Value::ofString(
                                      text != nullptr ? reinterpret_cast<const char *>(text) : "");
                              }};
    builtins["expect"] = {2, [](const Args &args) -> std::optional<Value> {
                              if (!matches(args[0], args[1])) throw std::runtime_error(mismatch(args[0], args[1]));
                              return std::nullopt;
                          }};
    return builtins;
}

// The GL 1.1 tokens scripts of several passes need, with the values of the
// system's GL headers.
#define HOST_CONSTANT(token)                                                                                 \
    { #token, static_cast < int32_t>(token) }
HostConstants hostConstants() {
    return {
        HOST_CONSTANT(GL_NO_ERROR),
        HOST_CONSTANT(GL_INVALID_ENUM),
        HOST_CONSTANT(GL_INVALID_VALUE),
        HOST_CONSTANT(GL_INVALID_OPERATION),
        HOST_CONSTANT(GL_OUT_OF_MEMORY),
        HOST_CONSTANT(GL_ZERO),
        HOST_CONSTANT(GL_ONE),
        HOST_CONSTANT(GL_SRC_ALPHA),
        HOST_CONSTANT(GL_ONE_MINUS_SRC_ALPHA),
        HOST_CONSTANT(GL_FRONT),
        HOST_CONSTANT(GL_BACK),
        HOST_CONSTANT(GL_CULL_FACE),
        HOST_CONSTANT(GL_DEPTH_TEST),
        HOST_CONSTANT(GL_BLEND),
        HOST_CONSTANT(GL_POLYGON_OFFSET_FILL),
        HOST_CONSTANT(GL_TEXTURE_2D),
        HOST_CONSTANT(GL_RGBA8),
        HOST_CONSTANT(GL_LUMINANCE8),
        HOST_CONSTANT(GL_MODELVIEW),
        HOST_CONSTANT(GL_PROJECTION),
        HOST_CONSTANT(GL_TEXTURE),
        HOST_CONSTANT(GL_RGB8),
        HOST_CONSTANT(GL_NONE),
        HOST_CONSTANT(GL_MAX_TEXTURE_SIZE),
        HOST_CONSTANT(GL_VIEWPORT),
        HOST_CONSTANT(GL_VENDOR),
        HOST_CONSTANT(GL_RENDERER),
        HOST_CONSTANT(GL_VERSION),
        HOST_CONSTANT(GL_EXTENSIONS),
        HOST_CONSTANT(GL_POINTS),
        HOST_CONSTANT(GL_LINES),
        HOST_CONSTANT(GL_LINE_LOOP),
        HOST_CONSTANT(GL_LINE_STRIP),
        HOST_CONSTANT(GL_TRIANGLES),
        HOST_CONSTANT(GL_TRIANGLE_STRIP),
        HOST_CONSTANT(GL_TRIANGLE_FAN),
        HOST_CONSTANT(GL_QUADS),
        HOST_CONSTANT(GL_QUAD_STRIP),
        HOST_CONSTANT(GL_POLYGON),
        HOST_CONSTANT(GL_TEXTURE_MIN_FILTER),
        HOST_CONSTANT(GL_TEXTURE_MAG_FILTER),
        HOST_CONSTANT(GL_TEXTURE_WRAP_S),
        HOST_CONSTANT(GL_TEXTURE_WRAP_T),
        HOST_CONSTANT(GL_NEAREST),
        HOST_CONSTANT(GL_LINEAR),
        HOST_CONSTANT(GL_NEAREST_MIPMAP_NEAREST),
        HOST_CONSTANT(GL_LINEAR_MIPMAP_NEAREST),
        HOST_CONSTANT(GL_NEAREST_MIPMAP_LINEAR),
        HOST_CONSTANT(GL_LINEAR_MIPMAP_LINEAR),
        HOST_CONSTANT(GL_REPEAT),
        HOST_CONSTANT(GL_CLAMP_TO_EDGE),
        HOST_CONSTANT(GL_LEQUAL),
        HOST_CONSTANT(GL_LESS),
        HOST_CONSTANT(GL_COLOR_BUFFER_BIT),
        HOST_CONSTANT(GL_DEPTH_BUFFER_BIT),
    };
}
#undef HOST_CONSTANT

} // namespace corvanta::host
