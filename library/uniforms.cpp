#include "library/uniforms.h"

#include "library/checked.h"

namespace corvanta::handlers {

void *readScriptArray(ScriptRuntime *runtime, int32_t index, int32_t count, int32_t rowLength, ValueCode code,
                      int32_t dimensions) {
    const int64_t bytes = bytesOf(count, rowLength, 4);
    if (!fitsIn32Bits(bytes)) return nullptr;
    void *buffer = allocate(bytes > 0 ? static_cast<size_t>(bytes) : 1);
    if (buffer == nullptr) return nullptr;
    runtime->ops->BeginValueType(runtime, code);
    if (dimensions == 1)
        runtime->ops->AddArrayDims(runtime, 1, count);
    else
        runtime->ops->AddArrayDims(runtime, 2, count, rowLength);
    runtime->ops->ReadParamData(runtime, index, buffer);
    return buffer;
}

void sendMatrices(ScriptRuntime *runtime, MatrixUpload entry, int32_t size, int32_t locationAt,
                  int32_t countAt, int32_t transposeAt, int32_t valuesAt) {
    if (entry == nullptr) return;
    const GLint location = intAtIndex(runtime, locationAt);
    const int32_t count = intAtIndex(runtime, countAt);
    const GLboolean transpose = intAtIndex(runtime, transposeAt) != 0 ? 1 : 0;
    void *values = readScriptArray(runtime, valuesAt, count, size, ValueFloat32, 2);
    if (values == nullptr) return;
    entry(location, count, transpose, static_cast<const GLfloat *>(values));
    release(values);
}

} // namespace corvanta::handlers
