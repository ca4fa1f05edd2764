// Meshes: vertex data a script uploads once and draws in one call. A mesh
// owns a buffer for each attribute and one for its indices; no script value
// ever reaches the driver as an address, and every draw is checked against
// the sizes of the mesh's buffers before anything is bound, so that no call
// can make the driver read outside them. A draw leaves GL's state as it
// found it: the host's vertex arrays are kept on GL's client attribute stack
// while it draws, with every array the mesh does not feed turned off.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <algorithm>

#include "glext/entry_points.h"
#include "glext/gl_tokens.h"
#include "library/allocation.h"
#include "library/arguments.h"
#include "library/handlers.h"
#include "library/names.h"
#include "library/object_queries.h"
#include "library/records.h"
#include "library/script_log.h"
#include "library/uniforms.h"

namespace corvanta::handlers {
namespace {

using script_log::Text;

constexpr int32_t maxVertices = 16777216;
constexpr int32_t maxAttributes = 16;
constexpr int32_t noLocation = -1;
// What one draw may ask of the driver: more makes a driver work for minutes,
// and a real GPU's reset the context.
constexpr int32_t maxInstances = 16777216;
constexpr int64_t maxVerticesDrawn = int64_t{1} << 28;

// GL's own vertex arrays, which the fixed-function pipeline and GLSL's
// built-in attributes read: each with its array, the components it takes
// and, for texture coordinates, its unit.
struct BuiltIn {
    GLenum array;
    int32_t fewest;
    int32_t most;
    int32_t unit;
};
constexpr BuiltIn notBuiltIn = {0, 0, 0, 0};

struct Attribute {
    char name[maxNameLength + 1];
    BuiltIn builtIn; // the array of GL's the name stands for, found once
    GLuint buffer;
    int32_t components;
    int32_t rows;     // vertexCount, or the instances of a per-instance attribute
    bool perInstance; // advances once per instance (divisor 1)
};

struct Mesh {
    int32_t handle;
    int32_t vertexCount;
    GLuint indexBuffer; // 0 without indices
    int32_t indexCount;
    int32_t attributeCount;
    Attribute attributes[maxAttributes];
    Mesh *next;
};

// Zero at load: no meshes; handles count up from 1.
Records<Mesh> meshes;
int32_t lastHandle;

// What every mesh needs: buffer objects.
bool buffersAvailable() {
    const EntryPointTable &gl = entryPoints;
    return gl.glGenBuffersARB != nullptr && gl.glDeleteBuffersARB != nullptr &&
           gl.glBindBufferARB != nullptr && gl.glBufferDataARB != nullptr &&
           gl.glBufferSubDataARB != nullptr && gl.glGetIntegerv != nullptr;
}

// What every draw needs besides: GL 1.1's draws, vertex arrays and client
// attribute stack.
bool drawsAvailable() {
    const EntryPointTable &gl = entryPoints;
    return buffersAvailable() && gl.glDrawArrays != nullptr && gl.glDrawElements != nullptr &&
           gl.glVertexPointer != nullptr && gl.glNormalPointer != nullptr && gl.glColorPointer != nullptr &&
           gl.glTexCoordPointer != nullptr && gl.glEnableClientState != nullptr &&
           gl.glDisableClientState != nullptr && gl.glPushClientAttrib != nullptr &&
           gl.glPopClientAttrib != nullptr;
}

bool instancingAvailable() {
    const EntryPointTable &gl = entryPoints;
    return gl.glVertexAttribDivisorARB != nullptr && gl.glDrawArraysInstancedARB != nullptr &&
           gl.glDrawElementsInstancedARB != nullptr;
}

Mesh *find(int32_t handle) {
    return meshes.find([handle](const Mesh &mesh) { return mesh.handle == handle; });
}

// What a whole draw takes: every index, or every vertex of a mesh without.
int32_t drawnCount(const Mesh *mesh) {
    if (mesh == nullptr) return 0;
    return mesh->indexBuffer != 0 ? mesh->indexCount : mesh->vertexCount;
}

bool startsWith(const char *text, const char *prefix) {
    return std::strncmp(text, prefix, std::strlen(prefix)) == 0;
}

// The built-in array a name stands for; notBuiltIn for a name of the
// script's shaders (any name not starting "gl_"), and an array of 0
// components for a "gl_" name GL has no array for.
BuiltIn builtInOf(const char *name) {
    static constexpr struct {
        const char *name;
        BuiltIn array;
    } arrays[] = {{"gl_Vertex", {GL_VERTEX_ARRAY, 2, 4, 0}},
                  {"gl_Normal", {GL_NORMAL_ARRAY, 3, 3, 0}},
                  {"gl_Color", {GL_COLOR_ARRAY, 3, 4, 0}}};
    if (!startsWith(name, "gl_")) return notBuiltIn;
    for (const auto &named : arrays)
        if (std::strcmp(name, named.name) == 0) return named.array;
    if (startsWith(name, "gl_MultiTexCoord") && name[16] >= '0' && name[16] <= '7' && name[17] == '\0')
        return {GL_TEXTURE_COORD_ARRAY, 1, 4, name[16] - '0'};
    return {GL_TEXTURE_COORD_ARRAY, 0, 0, 0};
}

Attribute *attributeNamed(Mesh &mesh, const char *name) {
    for (int32_t i = 0; i < mesh.attributeCount; ++i)
        if (std::strcmp(mesh.attributes[i].name, name) == 0) return &mesh.attributes[i];
    return nullptr;
}

// Uploads `bytes` from `data` into `buffer` bound to `target`, restoring the
// target's binding: anew with `usage`, or, for a usage of 0, in place from
// `offset`.
void upload(GLenum target, GLuint buffer, const void *data, GLintptrARB offset, GLsizeiptrARB bytes,
            GLenum usage) {
    const EntryPointTable &gl = entryPoints;
    const GLint previous =
        integer(target == GL_ARRAY_BUFFER_ARB ? GL_ARRAY_BUFFER_BINDING_ARB : GL_ELEMENT_ARRAY_BUFFER_BINDING_ARB);
    gl.glBindBufferARB(target, buffer);
    if (usage == 0)
        gl.glBufferSubDataARB(target, offset, bytes, data);
    else
        gl.glBufferDataARB(target, bytes, data, usage);
    gl.glBindBufferARB(target, static_cast<GLuint>(previous));
}

// "MeshAttribute" and "MeshInstanceAttribute": `rows` rows of `components`
// reals under `name`, from the script's array of two dimensions at the
// host's index `valuesAt`. True when set; otherwise the cause is said and
// nothing changed.
bool setAttribute(ScriptRuntime *runtime, int32_t valuesAt, int32_t handle, const char *name,
                  int32_t components, int32_t rows, bool perInstance, Text &cause) {
    Mesh *mesh = buffersAvailable() ? find(handle) : nullptr;
    if (!buffersAvailable()) {
        cause << "buffer objects are not supported";
        return false;
    }
    if (perInstance && !instancingAvailable()) {
        cause << "instanced drawing is not supported";
        return false;
    }
    if (mesh == nullptr) {
        cause << handle << " is not a mesh";
        return false;
    }
    if (name == nullptr || name[0] == '\0' || std::strlen(name) > maxNameLength) {
        cause << "an attribute's name is 1 to " << static_cast<int32_t>(maxNameLength) << " characters";
        return false;
    }
    const BuiltIn builtIn = builtInOf(name);
    if (builtIn.array != 0 && (builtIn.most == 0 || perInstance)) {
        cause << name << (perInstance ? " cannot advance per instance" : " is no vertex array of GL's");
        return false;
    }
    const int32_t fewest = builtIn.array != 0 ? builtIn.fewest : 1;
    const int32_t most = builtIn.array != 0 ? builtIn.most : 4;
    if (components < fewest || components > most) {
        cause << name << " takes " << fewest;
        if (most > fewest) cause << " to " << most;
        cause << " components, not " << components;
        return false;
    }
    if (perInstance && (rows < 1 || rows > maxVertices)) {
        cause << "instances " << rows << " are not from 1 to " << maxVertices;
        return false;
    }
    Attribute *attribute = attributeNamed(*mesh, name);
    if (attribute == nullptr && mesh->attributeCount == maxAttributes) {
        cause << "a mesh has at most " << maxAttributes << " attributes";
        return false;
    }
    void *values = readScriptArray(runtime, valuesAt, rows, components, ValueFloat32, 2);
    if (values == nullptr) {
        cause << "no memory for " << rows << " rows of " << components << " values";
        return false;
    }
    const auto bytes = static_cast<GLsizeiptrARB>(rows) * components * 4;
    if (attribute == nullptr) {
        GLuint buffer = 0;
        entryPoints.glGenBuffersARB(1, &buffer);
        if (buffer == 0) {
            release(values);
            cause << "the driver created no buffer";
            return false;
        }
        attribute = &mesh->attributes[mesh->attributeCount++];
        *attribute = {};
        std::memcpy(attribute->name, name, std::strlen(name) + 1);
        attribute->builtIn = builtIn;
        attribute->buffer = buffer;
        upload(GL_ARRAY_BUFFER_ARB, buffer, values, 0, bytes, GL_STATIC_DRAW_ARB);
    } else {
        const bool sameSize = attribute->rows == rows && attribute->components == components;
        upload(GL_ARRAY_BUFFER_ARB, attribute->buffer, values, 0, bytes, sameSize ? 0 : GL_DYNAMIC_DRAW_ARB);
    }
    attribute->components = components;
    attribute->rows = rows;
    attribute->perInstance = perInstance;
    release(values);
    return true;
}

// "MeshAttributeRange": rows `first` to `first + count - 1` of an attribute
// already set, from the script's array at the host's index `valuesAt`. True
// when set; otherwise the cause is said and nothing changed.
bool setAttributeRows(ScriptRuntime *runtime, int32_t valuesAt, int32_t handle, const char *name, int32_t first,
                      int32_t count, Text &cause) {
    Mesh *mesh = buffersAvailable() ? find(handle) : nullptr;
    if (!buffersAvailable()) {
        cause << "buffer objects are not supported";
        return false;
    }
    if (mesh == nullptr) {
        cause << handle << " is not a mesh";
        return false;
    }
    const Attribute *attribute = name != nullptr ? attributeNamed(*mesh, name) : nullptr;
    if (attribute == nullptr) {
        cause << "mesh " << handle << " has no attribute \"" << (name != nullptr ? name : "")
              << "\" to replace rows of: set it whole first";
        return false;
    }
    if (first < 0 || count < 1 || first > attribute->rows || count > attribute->rows - first) {
        cause << "first " << first << " and count " << count << " are not within the " << attribute->rows
              << " rows of " << name;
        return false;
    }
    void *values = readScriptArray(runtime, valuesAt, count, attribute->components, ValueFloat32, 2);
    if (values == nullptr) {
        cause << "no memory for " << count << " rows of " << attribute->components << " values";
        return false;
    }
    const GLsizeiptrARB rowBytes = static_cast<GLsizeiptrARB>(attribute->components) * 4;
    upload(GL_ARRAY_BUFFER_ARB, attribute->buffer, values, first * rowBytes, count * rowBytes, 0);
    release(values);
    return true;
}

// What was found of a program's active attributes, once per program until
// it is relinked or deleted: the script's own (not GL's "gl_" ones), each
// with its location. Kept for the most recently drawn programs.
constexpr int32_t maxPrograms = 16;
constexpr int32_t maxActive = 32;
// Each active attribute takes a location, of which drivers give 16 or 32; a
// count past this one is a faulty driver's, and the list is not walked past
// it.
constexpr GLint mostActiveAttributes = 1024;
struct ActiveAttribute {
    char name[maxNameLength + 1];
    GLint location;
};
struct ProgramAttributes {
    ProgramAttributes *next;
    GLhandleARB program;
    int32_t count;
    ActiveAttribute active[maxActive];
};
Records<ProgramAttributes> programs;

ProgramAttributes *findProgram(GLhandleARB program) {
    return programs.find([program](const ProgramAttributes &known) { return known.program == program; });
}

// The program's active attributes, asked of the driver the first time;
// null when it cannot tell them (no vertex shaders, no memory).
const ProgramAttributes *attributesOf(GLhandleARB program) {
    const EntryPointTable &gl = entryPoints;
    if (ProgramAttributes *known = findProgram(program)) {
        programs.moveToFront(known);
        return known;
    }
    if (gl.glGetActiveAttribARB == nullptr || gl.glGetAttribLocationARB == nullptr) return nullptr;
    if (programs.count() == maxPrograms)
        programs.remove(programs.find([](const ProgramAttributes &known) { return known.next == nullptr; }));
    ProgramAttributes *record = programs.add();
    if (record == nullptr) return nullptr;
    record->program = program;
    const GLint count =
        std::min(objectParameter(program, GL_OBJECT_ACTIVE_ATTRIBUTES_ARB), mostActiveAttributes);
    TextBuffer name(objectParameter(program, GL_OBJECT_ACTIVE_ATTRIBUTE_MAX_LENGTH_ARB));
    for (GLint i = 0; name.usable() && i < count && record->count < maxActive; ++i) {
        GLint size = 0;
        GLenum type = 0;
        gl.glGetActiveAttribARB(program, static_cast<GLuint>(i), name.length(), nullptr, &size, &type,
                                name.data());
        const char *text = name.text();
        if (startsWith(text, "gl_") || std::strlen(text) > maxNameLength) continue;
        ActiveAttribute &active = record->active[record->count++];
        std::memcpy(active.name, text, std::strlen(text) + 1);
        active.location = gl.glGetAttribLocationARB(program, text);
    }
    return record;
}

GLint locationIn(const ProgramAttributes *program, const char *name) {
    for (int32_t i = 0; program != nullptr && i < program->count; ++i)
        if (std::strcmp(program->active[i].name, name) == 0) return program->active[i].location;
    return noLocation;
}

// Warns of each attribute the program reads that the mesh has no data for,
// naming the mesh's closest when one is close.
void warnOfMissing(const char *call, GLhandleARB handle, const ProgramAttributes *program, Mesh &mesh) {
    for (int32_t i = 0; program != nullptr && i < program->count; ++i) {
        const char *wanted = program->active[i].name;
        if (attributeNamed(mesh, wanted) != nullptr) continue;
        ClosestName closest(wanted);
        for (int32_t k = 0; k < mesh.attributeCount; ++k) closest.offer(mesh.attributes[k].name);
        Text warning;
        warning << call << ": program " << static_cast<int32_t>(handle) << " reads attribute \"" << wanted
                << "\", which mesh " << mesh.handle << " does not have";
        if (closest.name()[0] != '\0') warning << " (did you mean \"" << closest.name() << "\"?)";
        script_log::warn(warning);
    }
}

// Every vertex array GL 1.1 to 1.4 and the vertex shaders have, off: those
// the mesh feeds are turned on again, and the host's come back with the
// client attribute stack.
void disableEveryArray() {
    const EntryPointTable &gl = entryPoints;
    static constexpr GLenum arrays[] = {GL_VERTEX_ARRAY,    GL_NORMAL_ARRAY,          GL_COLOR_ARRAY,
                                        GL_INDEX_ARRAY,     GL_EDGE_FLAG_ARRAY,       GL_FOG_COORD_ARRAY,
                                        GL_SECONDARY_COLOR_ARRAY};
    for (const GLenum array : arrays) gl.glDisableClientState(array);
    // With vertex shaders there are as many coordinate arrays as their
    // built-in attributes name, without them one a texture unit.
    const GLint units = gl.glClientActiveTextureARB == nullptr ? 1
                        : gl.glDisableVertexAttribArrayARB != nullptr ? integer(GL_MAX_TEXTURE_COORDS_ARB)
                                                                       : integer(GL_MAX_TEXTURE_UNITS_ARB);
    for (GLint unit = 0; unit < units && unit < 32; ++unit) {
        if (gl.glClientActiveTextureARB != nullptr)
            gl.glClientActiveTextureARB(GL_TEXTURE0_ARB + static_cast<GLenum>(unit));
        gl.glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    }
    if (gl.glDisableVertexAttribArrayARB == nullptr) return;
    const GLint generic = integer(GL_MAX_VERTEX_ATTRIBS_ARB);
    for (GLint index = 0; index < generic && index < 64; ++index)
        gl.glDisableVertexAttribArrayARB(static_cast<GLuint>(index));
}

// Where each attribute goes in a draw: an array of GL's, a location of the
// program in use, or nowhere (a name the program does not use).
struct Placement {
    BuiltIn builtIn;
    GLint location;
};

// Checks a draw of `count` indices (or vertices) from `first`, `instances`
// times when `instanced`, and draws it; otherwise warns.
void draw(const char *call, int32_t handle, int32_t mode, int32_t first, int32_t count, bool instanced,
          int32_t instances) {
    const EntryPointTable &gl = entryPoints;
    Text warning;
    warning << call << ": ";
    if (!drawsAvailable()) return script_log::warn(warning << "drawing vertex arrays is not supported");
    if (instanced && !instancingAvailable())
        return script_log::warn(warning << "instanced drawing is not supported");
    Mesh *mesh = find(handle);
    if (mesh == nullptr) return script_log::warn(warning << handle << " is not a mesh");
    if (mode < 0 || mode > static_cast<int32_t>(GL_POLYGON))
        return script_log::warn(warning << mode << " is not a primitive mode");
    const int32_t total = drawnCount(mesh);
    if (mesh->attributeCount == 0) return script_log::warn(warning << "mesh " << handle << " has no data");
    if (first < 0 || count < 0 || first > total || count > total - first)
        return script_log::warn(
            warning << "first " << first << " and count " << count << " are not within the " << total
                    << (mesh->indexBuffer != 0 ? " indices" : " vertices") << " of mesh " << handle);
    if (instanced && instances < 1)
        return script_log::warn(warning << "instances " << instances << " are fewer than 1");
    if (instanced && instances > maxInstances)
        return script_log::warn(warning << "instances " << instances << " are more than " << maxInstances);
    const int32_t drawn = instanced ? instances : 1;
    if (static_cast<int64_t>(count) * drawn > maxVerticesDrawn)
        return script_log::warn(warning << count << " vertices times " << drawn << " instances are more than "
                                        << static_cast<int32_t>(maxVerticesDrawn) << " vertices in all");
    if (count == 0) return;
    if (integer(GL_CLIENT_ATTRIB_STACK_DEPTH) >= integer(GL_MAX_CLIENT_ATTRIB_STACK_DEPTH))
        return script_log::warn(warning << "GL's client attribute stack is full: nothing drawn");

    // Where each attribute goes, asked before anything is bound.
    const GLhandleARB program = gl.glGetHandleARB != nullptr ? gl.glGetHandleARB(GL_PROGRAM_OBJECT_ARB) : 0;
    const bool shaderArrays = program != 0 && gl.glVertexAttribPointerARB != nullptr &&
                              gl.glEnableVertexAttribArrayARB != nullptr &&
                              gl.glDisableVertexAttribArrayARB != nullptr;
    const ProgramAttributes *active = shaderArrays ? attributesOf(program) : nullptr;
    Placement placements[maxAttributes];
    for (int32_t i = 0; i < mesh->attributeCount; ++i) {
        const Attribute &attribute = mesh->attributes[i];
        Placement &placement = placements[i];
        placement.builtIn = attribute.builtIn;
        placement.location = noLocation;
        // A per-instance attribute needs its divisor: without one (a
        // context found lacking it since) it is left out, never read per
        // vertex past its rows.
        if (placement.builtIn.array == 0 && (!attribute.perInstance || gl.glVertexAttribDivisorARB != nullptr))
            placement.location = locationIn(active, attribute.name);
        const bool used = placement.builtIn.array != 0 || placement.location >= 0;
        if (placement.builtIn.unit > 0 && gl.glClientActiveTextureARB == nullptr) placement.builtIn.array = 0;
        if (used && attribute.perInstance && attribute.rows < drawn)
            return script_log::warn(warning << "instances " << drawn << " are more than the "
                                            << attribute.rows << " rows of " << attribute.name);
    }
    warnOfMissing(call, program, active, *mesh);

    gl.glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    disableEveryArray();
    for (int32_t i = 0; i < mesh->attributeCount; ++i) {
        const Attribute &attribute = mesh->attributes[i];
        const Placement &placement = placements[i];
        if (placement.builtIn.array == 0 && placement.location < 0) continue;
        gl.glBindBufferARB(GL_ARRAY_BUFFER_ARB, attribute.buffer);
        if (placement.location >= 0) {
            const auto location = static_cast<GLuint>(placement.location);
            gl.glVertexAttribPointerARB(location, attribute.components, GL_FLOAT, 0, 0, nullptr);
            gl.glEnableVertexAttribArrayARB(location);
            if (gl.glVertexAttribDivisorARB != nullptr)
                gl.glVertexAttribDivisorARB(location, attribute.perInstance ? 1 : 0);
            continue;
        }
        if (placement.builtIn.array == GL_TEXTURE_COORD_ARRAY && gl.glClientActiveTextureARB != nullptr)
            gl.glClientActiveTextureARB(GL_TEXTURE0_ARB + static_cast<GLenum>(placement.builtIn.unit));
        switch (placement.builtIn.array) {
        case GL_VERTEX_ARRAY: gl.glVertexPointer(attribute.components, GL_FLOAT, 0, nullptr); break;
        case GL_NORMAL_ARRAY: gl.glNormalPointer(GL_FLOAT, 0, nullptr); break;
        case GL_COLOR_ARRAY: gl.glColorPointer(attribute.components, GL_FLOAT, 0, nullptr); break;
        default: gl.glTexCoordPointer(attribute.components, GL_FLOAT, 0, nullptr); break;
        }
        gl.glEnableClientState(placement.builtIn.array);
    }

    if (mesh->indexBuffer != 0) {
        const bool wide = mesh->vertexCount > 65536;
        const GLenum type = wide ? GL_UNSIGNED_INT : GL_UNSIGNED_SHORT;
        // GL takes the offset into the bound index buffer in a pointer.
        // NOLINTNEXTLINE(performance-no-int-to-ptr)
        const auto *offset = reinterpret_cast<const void *>(static_cast<uintptr_t>(first) * (wide ? 4 : 2));
        gl.glBindBufferARB(GL_ELEMENT_ARRAY_BUFFER_ARB, mesh->indexBuffer);
        if (instanced)
            gl.glDrawElementsInstancedARB(static_cast<GLenum>(mode), count, type, offset, instances);
        else
            gl.glDrawElements(static_cast<GLenum>(mode), count, type, offset);
    } else if (instanced) {
        gl.glDrawArraysInstancedARB(static_cast<GLenum>(mode), first, count, instances);
    } else {
        gl.glDrawArrays(static_cast<GLenum>(mode), first, count);
    }
    // The arrays, their pointers and buffers, the divisors, the index
    // buffer and the client texture unit, as the host had them.
    gl.glPopClientAttrib();
}

void deleteBuffers(const Mesh &mesh) {
    for (int32_t i = 0; i < mesh.attributeCount; ++i)
        entryPoints.glDeleteBuffersARB(1, &mesh.attributes[i].buffer);
    if (mesh.indexBuffer != 0) entryPoints.glDeleteBuffersARB(1, &mesh.indexBuffer);
}

// What a call that changes a mesh answers: 1, or 0 with the cause in the
// build log ("" after a success).
template <FunctionHandler handler> void answer(const Arguments<handler> &args, bool done, const Text &cause) {
    script_log::replaceBuildLog("mesh:", cause.text());
    setResult(args, done ? 1 : 0);
}

} // namespace

void CORVANTA_CALL createMesh(ScriptRuntime *runtime) {
    const Arguments<createMesh> args(runtime);
    const int32_t vertexCount = intArgument<0>(args);
    Text cause;
    Mesh *mesh = nullptr;
    if (!buffersAvailable())
        cause << "buffer objects are not supported";
    else if (vertexCount < 1 || vertexCount > maxVertices)
        cause << "the vertex count " << vertexCount << " is not from 1 to " << maxVertices;
    else if (lastHandle == INT32_MAX || (mesh = meshes.add()) == nullptr)
        cause << "no memory for the mesh's record";
    if (mesh != nullptr) {
        mesh->handle = ++lastHandle;
        mesh->vertexCount = vertexCount;
    }
    script_log::replaceBuildLog("mesh:", cause.text());
    setResult(args, mesh != nullptr ? mesh->handle : 0);
}

void CORVANTA_CALL meshAttribute(ScriptRuntime *runtime) {
    const Arguments<meshAttribute> args(runtime);
    const int32_t handle = intArgument<0>(args);
    const char *name = textArgument<1>(args);
    const int32_t components = intArgument<2>(args);
    const Mesh *mesh = find(handle);
    Text cause;
    constexpr int32_t valuesAt = Arguments<meshAttribute>::arrayIndex<3, TypeReal, 2>();
    const bool set = setAttribute(runtime, valuesAt, handle, name, components,
                                  mesh != nullptr ? mesh->vertexCount : 0, false, cause);
    answer(args, set, cause);
}

void CORVANTA_CALL meshInstanceAttribute(ScriptRuntime *runtime) {
    const Arguments<meshInstanceAttribute> args(runtime);
    const int32_t handle = intArgument<0>(args);
    const char *name = textArgument<1>(args);
    const int32_t components = intArgument<2>(args);
    const int32_t instances = intArgument<3>(args);
    Text cause;
    constexpr int32_t valuesAt = Arguments<meshInstanceAttribute>::arrayIndex<4, TypeReal, 2>();
    const bool set = setAttribute(runtime, valuesAt, handle, name, components, instances, true, cause);
    answer(args, set, cause);
}

void CORVANTA_CALL meshIndices(ScriptRuntime *runtime) {
    const Arguments<meshIndices> args(runtime);
    const int32_t handle = intArgument<0>(args);
    const int32_t count = intArgument<1>(args);
    Mesh *mesh = buffersAvailable() ? find(handle) : nullptr;
    Text cause;
    int32_t *indices = nullptr;
    if (!buffersAvailable())
        cause << "buffer objects are not supported";
    else if (mesh == nullptr)
        cause << handle << " is not a mesh";
    else if (count < 0 || count > 4 * maxVertices)
        cause << "the index count " << count << " is not from 0 to " << 4 * maxVertices;
    else if (count > 0 &&
             (indices = static_cast<int32_t *>(readArrayArgument<2, GLint, 1>(args, count, 1))) == nullptr)
        cause << "no memory for " << count << " indices";
    for (int32_t i = 0; indices != nullptr && i < count; ++i) {
        if (indices[i] >= 0 && indices[i] < mesh->vertexCount) continue;
        cause << "index " << indices[i] << " at position " << i << " is not from 0 to "
              << mesh->vertexCount - 1;
        break;
    }
    if (mesh != nullptr && cause.text() == nullptr) {
        if (count == 0) {
            if (mesh->indexBuffer != 0) entryPoints.glDeleteBuffersARB(1, &mesh->indexBuffer);
            mesh->indexBuffer = 0;
            mesh->indexCount = 0;
        } else {
            if (mesh->indexBuffer == 0) entryPoints.glGenBuffersARB(1, &mesh->indexBuffer);
            if (mesh->indexBuffer == 0) cause << "the driver created no buffer";
        }
    }
    if (mesh != nullptr && indices != nullptr && cause.text() == nullptr) {
        // 16-bit indices where every vertex fits, packed in place.
        const bool wide = mesh->vertexCount > 65536;
        if (!wide) {
            auto *narrow = reinterpret_cast<uint16_t *>(indices);
            for (int32_t i = 0; i < count; ++i) narrow[i] = static_cast<uint16_t>(indices[i]);
        }
        const auto bytes = static_cast<GLsizeiptrARB>(count) * (wide ? 4 : 2);
        upload(GL_ELEMENT_ARRAY_BUFFER_ARB, mesh->indexBuffer, indices, 0, bytes,
               mesh->indexCount == 0 ? GL_STATIC_DRAW_ARB : GL_DYNAMIC_DRAW_ARB);
        mesh->indexCount = count;
    }
    release(indices);
    answer(args, cause.text() == nullptr, cause);
}

void CORVANTA_CALL drawMesh(ScriptRuntime *runtime) {
    const Arguments<drawMesh> args(runtime);
    const int32_t handle = intArgument<0>(args);
    const int32_t mode = intArgument<1>(args);
    draw(Arguments<drawMesh>::name(), handle, mode, 0, drawnCount(find(handle)), false, 1);
}

void CORVANTA_CALL drawMeshRange(ScriptRuntime *runtime) {
    const Arguments<drawMeshRange> args(runtime);
    const int32_t handle = intArgument<0>(args);
    const int32_t mode = intArgument<1>(args);
    const int32_t first = intArgument<2>(args);
    draw(Arguments<drawMeshRange>::name(), handle, mode, first, intArgument<3>(args), false, 1);
}

void CORVANTA_CALL drawMeshInstanced(ScriptRuntime *runtime) {
    const Arguments<drawMeshInstanced> args(runtime);
    const int32_t handle = intArgument<0>(args);
    const int32_t mode = intArgument<1>(args);
    const int32_t instances = intArgument<2>(args);
    draw(Arguments<drawMeshInstanced>::name(), handle, mode, 0, drawnCount(find(handle)), true, instances);
}

void CORVANTA_CALL meshAttributeRange(ScriptRuntime *runtime) {
    const Arguments<meshAttributeRange> args(runtime);
    const int32_t handle = intArgument<0>(args);
    const char *name = textArgument<1>(args);
    const int32_t first = intArgument<2>(args);
    const int32_t count = intArgument<3>(args);
    Text cause;
    constexpr int32_t valuesAt = Arguments<meshAttributeRange>::arrayIndex<4, TypeReal, 2>();
    const bool set = setAttributeRows(runtime, valuesAt, handle, name, first, count, cause);
    answer(args, set, cause);
}

void CORVANTA_CALL deleteMesh(ScriptRuntime *runtime) {
    const int32_t handle = intArgument<0>(Arguments<deleteMesh>(runtime));
    Mesh *mesh = find(handle);
    if (mesh == nullptr) return script_log::warn(Text() << "DeleteMesh: " << handle << " is not a mesh");
    if (buffersAvailable()) deleteBuffers(*mesh);
    meshes.remove(mesh);
}

void forgetAttributesOf(GLhandleARB program) {
    if (ProgramAttributes *known = findProgram(program)) programs.remove(known);
}

void releaseMeshes() {
    meshes.releaseAll();
    programs.releaseAll();
    lastHandle = 0;
}

} // namespace corvanta::handlers
