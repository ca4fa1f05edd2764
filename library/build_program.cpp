// "BuildProgram": a program from a vertex and a fragment source in one call,
// with what the driver said about each stage in the build log.
#include <cstddef>
#include <cstring>

#include "glext/entry_points.h"
#include "glext/gl_tokens.h"
#include "library/arguments.h"
#include "library/handlers.h"
#include "library/object_queries.h"
#include "library/script_log.h"
#include "library/uniforms_by_name.h"

namespace corvanta::handlers {
namespace {

using script_log::LogWriter;

void logObject(LogWriter &log, const char *heading, GLhandleARB object) {
    TextBuffer text(objectParameter(object, GL_OBJECT_INFO_LOG_LENGTH_ARB));
    readObjectText(object, entryPoints.glGetInfoLogARB, text);
    log.section(heading, text.text());
}

struct Stage {
    GLenum type;
    const char *heading;
    const char *source;
    GLhandleARB shader;
};

// Compiles every stage with a source, links them if all compiled, and gives
// the program, or 0 after deleting everything it created. Needs every
// required entry point.
GLhandleARB build(Stage (&stages)[2], LogWriter &log) {
    const EntryPointTable &gl = entryPoints;
    bool compiled = true;
    bool anyStage = false;
    for (Stage &stage : stages) {
        if (stage.source == nullptr || stage.source[0] == '\0') continue;
        anyStage = true;
        stage.shader = gl.glCreateShaderObjectARB(stage.type);
        if (stage.shader == 0) {
            log.section(stage.heading, "the driver created no shader object");
            compiled = false;
            continue;
        }
        gl.glShaderSourceARB(stage.shader, 1, &stage.source, nullptr);
        gl.glCompileShaderARB(stage.shader);
        compiled = objectParameter(stage.shader, GL_OBJECT_COMPILE_STATUS_ARB) != 0 && compiled;
        logObject(log, stage.heading, stage.shader);
    }

    if (!anyStage) log.section("program:", "the vertex and the fragment source are both empty");
    GLhandleARB program = 0;
    if (anyStage && compiled && (program = gl.glCreateProgramObjectARB()) != 0) {
        for (const Stage &stage : stages)
            if (stage.shader != 0) gl.glAttachObjectARB(program, stage.shader);
        forgetProgram(program); // a handle the driver hands out again is a new program
        gl.glLinkProgramARB(program);
        const bool linked = objectParameter(program, GL_OBJECT_LINK_STATUS_ARB) != 0;
        logObject(log, "program:", program);
        if (!linked) {
            gl.glDeleteObjectARB(program);
            program = 0;
        }
    }
    // Attached to a program, a shader is only flagged: it goes with the program.
    for (const Stage &stage : stages)
        if (stage.shader != 0) gl.glDeleteObjectARB(stage.shader);
    return program;
}

} // namespace

void CORVANTA_CALL buildProgram(ScriptRuntime *runtime) {
    const Arguments<buildProgram> args(runtime);
    Stage stages[2] = {
        {GL_VERTEX_SHADER_ARB, "vertex shader:", textArgument<0>(args), 0},
        {GL_FRAGMENT_SHADER_ARB, "fragment shader:", textArgument<1>(args), 0},
    };
    LogWriter log;
    GLhandleARB program = 0;
    if (shaderSupported && requiredEntryPointsPresent()) {
        program = build(stages, log);
    } else {
        const char *unsupported = "shader objects are not supported";
        log.append(unsupported, std::strlen(unsupported));
    }
    script_log::replaceBuildLog(log);
    setResult(args, static_cast<int32_t>(program));
}

} // namespace corvanta::handlers
