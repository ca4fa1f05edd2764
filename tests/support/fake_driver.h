// A stand-in for the GL driver: every one of the 34 entry points records its
// arguments, and the queries answer with values a test chooses.
#pragma once

#include <cstdint>
#include <map>
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
    bool lengthPointerNull = false;   // glGetActiveUniformARB's length argument
};

struct ActiveUniform {
    std::string name;
    GLenum type;
};

struct FakeDriver {
    std::vector<DriverCall> calls;

    GLhandleARB nextHandle = 7;
    GLint uniformLocation = 3;
    // Object parameters by pname; a pname not here is rejected (nothing written).
    std::map<GLenum, GLint> objectParameters;
    std::map<GLenum, GLfloat> objectParametersFloat;
    std::string infoLog;
    bool fillWholeBuffer = false; // a faulty driver that writes no NUL
    std::vector<ActiveUniform> uniforms;
    // What the uniform queries write: as many values as the uniform has.
    std::vector<GLint> uniformInts = {0};
    std::vector<GLfloat> uniformFloats = {0};

    // Points every entry of the table at this driver and turns support on.
    void install();
    const DriverCall *last(const std::string &name) const;
    int count(const std::string &name) const;
};

FakeDriver &fakeDriver();

} // namespace corvanta::testing
