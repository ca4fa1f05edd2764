// "BuildProgram": a program from a vertex and a fragment source in one call,
// and "GetBuildLog": what the driver said about each stage of that build.
#include <cstddef>
#include <cstring>

#include "glext/entry_points.h"
#include "glext/gl_tokens.h"
#include "library/allocation.h"
#include "library/handlers.h"
#include "library/object_queries.h"
#include "library/runtime_access.h"

namespace corvanta::handlers {
namespace {

// The log of the last build, with its terminating NUL; null means "".
constexpr size_t buildLogCapacity = 65536;
char *buildLog;

// Builds a log in a buffer of buildLogCapacity bytes, taken at the first
// text. What does not fit is cut at the last line end that does, and nothing
// is added after it.
class LogWriter {
public:
    ~LogWriter() { release(text_); }
    LogWriter() = default;
    LogWriter(const LogWriter &) = delete;
    LogWriter &operator=(const LogWriter &) = delete;

    // A heading line followed by the text, ending in a line end; nothing for
    // an empty text.
    void section(const char *heading, const char *text) {
        const size_t length = std::strlen(text);
        if (length == 0) return;
        append(heading, std::strlen(heading));
        append("\n", 1);
        append(text, length);
        if (text[length - 1] != '\n') append("\n", 1);
    }

    void append(const char *part, size_t length) {
        if (full_) return;
        if (text_ == nullptr && (text_ = static_cast<char *>(allocate(buildLogCapacity))) == nullptr) {
            full_ = true;
            return;
        }
        const size_t room = buildLogCapacity - 1 - used_;
        if (length > room) {
            std::memcpy(text_ + used_, part, room);
            used_ += room;
            while (used_ > 0 && text_[used_ - 1] != '\n') --used_;
            full_ = true;
        } else {
            std::memcpy(text_ + used_, part, length);
            used_ += length;
        }
        text_[used_] = '\0';
    }

    // Hands the text over; null when nothing was written.
    char *take() {
        char *text = used_ > 0 ? text_ : nullptr;
        if (text == nullptr) release(text_);
        text_ = nullptr;
        return text;
    }

private:
    char *text_ = nullptr;
    size_t used_ = 0;
    bool full_ = false;
};

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

    GLhandleARB program = 0;
    if (anyStage && compiled && (program = gl.glCreateProgramObjectARB()) != 0) {
        for (const Stage &stage : stages)
            if (stage.shader != 0) gl.glAttachObjectARB(program, stage.shader);
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
    Stage stages[2] = {
        {GL_VERTEX_SHADER_ARB, "vertex shader:", stringParam(runtime, 2), 0},
        {GL_FRAGMENT_SHADER_ARB, "fragment shader:", stringParam(runtime, 1), 0},
    };
    LogWriter log;
    GLhandleARB program = 0;
    if (shaderSupported && requiredEntryPointsPresent()) {
        program = build(stages, log);
    } else {
        const char *unsupported = "shader objects are not supported";
        log.append(unsupported, std::strlen(unsupported));
    }
    releaseBuildLog();
    buildLog = log.take();
    setIntResult(runtime, static_cast<int32_t>(program));
}

void replaceBuildLog(const char *heading, const char *text) {
    releaseBuildLog();
    if (text == nullptr) return;
    LogWriter log;
    log.section(heading, text);
    buildLog = log.take();
}

void releaseLibraryState() {
    releaseBuildLog();
    releaseRenderTargets();
}

void CORVANTA_CALL getBuildLog(ScriptRuntime *runtime) {
    setStringResult(runtime, buildLog != nullptr ? buildLog : "");
}

void releaseBuildLog() {
    release(buildLog);
    buildLog = nullptr;
}

} // namespace corvanta::handlers
