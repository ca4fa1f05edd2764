// The GL calls and tokens the reference host uses itself, all from the
// system's GL headers (a host sees nothing of a plugin but its binary
// interface). The system GL library exports GL 1.1's calls on both
// platforms; glActiveTextureARB is looked up (host/host_platform.h).
#pragma once

#include <GL/gl.h>
#include <GL/glext.h>

namespace corvanta::host::gl {

using ActiveTextureFunction = PFNGLACTIVETEXTUREARBPROC;

} // namespace corvanta::host::gl
