// Short forms of the host runtime's operations, for the handlers.
#pragma once

#include "library/nearest_float.h"
#include "plugin/host_interfaces.h"

namespace corvanta {

inline int32_t intParam(ScriptRuntime *runtime, int32_t index) {
    return runtime->ops->GetIntParam(runtime, index);
}

// Script reals reach the driver as the nearest 32-bit float.
inline float realParam(ScriptRuntime *runtime, int32_t index) {
    return nearestFloat(runtime->ops->GetRealParam(runtime, index));
}

inline const char *stringParam(ScriptRuntime *runtime, int32_t index) {
    return runtime->ops->GetStringParam(runtime, index);
}

inline void setIntResult(ScriptRuntime *runtime, int32_t value) {
    runtime->ops->SetIntResult(runtime, value);
}

inline void setStringResult(ScriptRuntime *runtime, const char *text) {
    runtime->ops->SetStringResult(runtime, text);
}

} // namespace corvanta
