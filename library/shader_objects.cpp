// The shader-object handlers that no template covers.
#include <cstddef>

#include "glext/entry_points.h"
#include "glext/gl_tokens.h"
#include "library/allocation.h"
#include "library/arguments.h"
#include "library/checked.h"
#include "library/handlers.h"
#include "library/object_queries.h"

namespace corvanta::handlers {

void CORVANTA_CALL shaderInit(ScriptRuntime *runtime) {
    setResult(Arguments<shaderInit>(runtime), shaderSupported ? -1 : 0);
}

void CORVANTA_CALL shaderSource(ScriptRuntime *runtime) {
    if (!shaderSupported || entryPoints.glShaderSourceARB == nullptr) return;
    const Arguments<shaderSource> args(runtime);
    const auto shader = static_cast<GLhandleARB>(intArgument<0>(args));
    const GLcharARB *source = textArgument<1>(args);
    if (source == nullptr) return;
    // No length array: the driver reads the text up to its NUL.
    entryPoints.glShaderSourceARB(shader, 1, &source, nullptr);
}

// The index-th object attached to a program: the driver fills a buffer of as
// many handles as it reports attached, and says how many it wrote.
void CORVANTA_CALL getAttachedObject(ScriptRuntime *runtime) {
    const Arguments<getAttachedObject> args(runtime);
    const auto program = static_cast<GLhandleARB>(intArgument<0>(args));
    const int32_t index = intArgument<1>(args);
    const GLint attached = objectParameter(program, GL_OBJECT_ATTACHED_OBJECTS_ARB);
    GLhandleARB object = 0;
    const int64_t bytes = bytesOf(attached, 1, static_cast<int32_t>(sizeof(GLhandleARB)));
    if (index >= 0 && index < attached && fitsIn32Bits(bytes) &&
        entryPoints.glGetAttachedObjectsARB != nullptr) {
        auto *objects = static_cast<GLhandleARB *>(allocateZeroed(static_cast<size_t>(bytes)));
        if (objects != nullptr) {
            GLsizei written = 0;
            entryPoints.glGetAttachedObjectsARB(program, attached, &written, objects);
            if (index < written) object = objects[index];
            release(objects);
        }
    }
    setResult(args, static_cast<int32_t>(object));
}

} // namespace corvanta::handlers
