// A stand-in for the GL driver: every entry point records its arguments, and
// the queries answer with values a test chooses.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "glext/entry_points.h"

namespace corvanta::testing {

struct DriverCall {
    std::string name;
    std::vector<int64_t> ints; // handles, enums, locations, counts, int values
    std::vector<float> floats; // real values
    std::string text;          // a source, a uniform name
    const void *pointer = nullptr;
    std::vector<unsigned char> bytes; // what an array upload's buffer held
    bool lengthPointerNull = false;   // glGetActive{Uniform,Attrib}ARB's length argument
    // A texture image's: the pixel-unpack buffer bound when it was called,
    // and whether its texels lay within the plugin's block.
    GLuint unpackBuffer = 0;
    bool texelsInBlock = true;
};

struct ActiveVariable {
    std::string name;
    GLenum type;
    GLint size = 1;
};

struct FakeDriver {
    std::vector<DriverCall> calls;

    // What the creators answer; with a step, each creation answers the next.
    GLhandleARB nextHandle = 7;
    GLhandleARB handleStep = 0;
    bool programCreationFails = false;
    GLint uniformLocation = 3; // for a name not in uniformLocations
    std::map<std::string, GLint> uniformLocations;
    GLint attribLocation = 2;
    GLhandleARB handle = 0; // the program in use, which glGetHandleARB answers
    // Object parameters by pname; a pname not here is rejected (nothing
    // written). Parameters of one object, where given, come first.
    std::map<GLenum, GLint> objectParameters;
    std::map<GLhandleARB, std::map<GLenum, GLint>> parametersOf;
    std::map<GLenum, GLfloat> objectParametersFloat;
    // Handles glIsProgram says are no program; it says every other one is.
    std::set<GLuint> notPrograms;
    std::string infoLog;
    std::map<GLhandleARB, std::string> infoLogOf; // their length is reported too
    std::string shaderSource;
    std::vector<GLhandleARB> attached;
    bool fillWholeBuffer = false; // a faulty driver that writes no NUL
    std::vector<ActiveVariable> uniforms;
    std::vector<ActiveVariable> attributes;
    // What the uniform queries write: as many values as the uniform has.
    std::vector<GLint> uniformInts = {0};
    std::vector<GLfloat> uniformFloats = {0};

    // Framebuffers and textures: names handed out from nextHandle (none for
    // the entry points named in givesNoName), what completeness check
    // answers, and the bindings and viewport the driver keeps, which
    // glGetIntegerv reports; other pnames answer from `integers`.
    std::set<std::string> givesNoName;
    GLenum framebufferStatus = 0x8CD5; // complete
    GLuint framebufferBinding = 0;     // for drawing
    GLuint readFramebufferBinding = 0;
    GLuint textureBinding = 0;
    GLint viewport[4] = {0, 0, 256, 256};
    // Buffer objects: the bindings glBindBufferARB makes, which glGetIntegerv
    // reports, and what each buffer was last given whole.
    GLuint arrayBufferBinding = 0;
    GLuint elementBufferBinding = 0;
    std::map<GLenum, GLuint> pixelBufferBindings; // by the binding's pname
    // What glGetString answers.
    std::string version = "4.5 (Compatibility Profile)";
    std::string extensions = "GL_ARB_multitexture GL_EXT_texture_filter_anisotropic";
    std::map<GLuint, std::vector<unsigned char>> bufferData;
    // The largest texture and renderbuffer, the most samples, the pack
    // alignment and row length, the deepest client attribute stack (whose
    // depth glPushClientAttrib and glPopClientAttrib keep), the generic
    // attributes and texture coordinate arrays.
    // The largest cube face and 3D texture, the combined texture units, the
    // colour attachments and the most anisotropy.
    std::map<GLenum, GLint> integers = {{0x0D33, 8192}, {0x84E8, 4096}, {0x8D57, 8},   {0x0D05, 1},
                                        {0x0D02, 7},    {0x0D3B, 16},   {0x8869, 16},  {0x8871, 8},
                                        {0x851C, 2048}, {0x8073, 256},  {0x8B4D, 16},  {0x8CDF, 4},
                                        {0x84FF, 16}};
    // Textures: level 0's width is the last image's unless the driver
    // refuses them; the compare mode of the bound one; the host's own
    // textures, which glIsTexture knows.
    bool refusesTextures = false;
    GLint compareMode = 0;
    std::set<GLuint> hostTextures;
    // Whether `bytes` from a pointer lie within one of the plugin's blocks,
    // which a texture image's texels must (the counting heap tells, where
    // one is linked); null: not checked.
    bool (*blockHolds)(const void *start, int64_t bytes) = nullptr;
    // The error flags set, which glGetError reads one by one (then GL_NO_ERROR).
    std::vector<GLenum> errors;

    // Points every entry of the table at this driver and turns support on.
    void install();
    const DriverCall *last(const std::string &name) const;
    int count(const std::string &name) const;
};

FakeDriver &fakeDriver();

} // namespace corvanta::testing
