#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <dlfcn.h>
#include <unistd.h>

#include <fstream>

#include "host/host_platform.h"

namespace corvanta::host {

bool loadPlugin(const std::string &path, PluginExports &exports, std::string &error) {
    void *module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (module == nullptr) {
        error = dlerror();
        return false;
    }
    exports.query = reinterpret_cast<QueryFunction>(dlsym(module, QueryExportName));
    exports.init = reinterpret_cast<InitFunction>(dlsym(module, InitExportName));
    if (exports.query == nullptr || exports.init == nullptr) {
        error = path + " does not export " + QueryExportName + " and " + InitExportName;
        return false;
    }
    return true;
}

GlProcedure glProcedure(const char *name) { return eglGetProcAddress(name); }

size_t processMemoryBytes() {
    std::ifstream statm("/proc/self/statm");
    size_t pages = 0, residentPages = 0;
    statm >> pages >> residentPages;
    return residentPages * static_cast<size_t>(sysconf(_SC_PAGESIZE));
}

namespace {

// A desktop-GL (compatibility profile) context on a pbuffer of Mesa's
// surfaceless platform: no display server needed.
class EglContext : public OffscreenContext {
public:
    EglContext(EGLDisplay display, EGLSurface surface, EGLContext context)
        : display_(display), surface_(surface), context_(context) {}
    ~EglContext() override {
        eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
        eglDestroySurface(display_, surface_);
        eglDestroyContext(display_, context_);
    }

private:
    EGLDisplay display_;
    EGLSurface surface_;
    EGLContext context_;
};

EGLDisplay surfacelessDisplay() {
    auto getPlatformDisplay =
        reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (getPlatformDisplay == nullptr) return EGL_NO_DISPLAY;
    return getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
}

} // namespace

std::unique_ptr<OffscreenContext> OffscreenContext::create(int width, int height, std::string &error) {
    EGLDisplay display = surfacelessDisplay();
    if (display == EGL_NO_DISPLAY || !eglInitialize(display, nullptr, nullptr)) {
        error = "cannot open the EGL surfaceless display";
        return nullptr;
    }
    const EGLint configAttributes[] = {EGL_SURFACE_TYPE,
                                       EGL_PBUFFER_BIT,
                                       EGL_RENDERABLE_TYPE,
                                       EGL_OPENGL_BIT,
                                       EGL_RED_SIZE,
                                       8,
                                       EGL_GREEN_SIZE,
                                       8,
                                       EGL_BLUE_SIZE,
                                       8,
                                       EGL_ALPHA_SIZE,
                                       8,
                                       EGL_DEPTH_SIZE,
                                       24,
                                       EGL_NONE};
    EGLConfig config = nullptr;
    EGLint configCount = 0;
    if (!eglChooseConfig(display, configAttributes, &config, 1, &configCount) || configCount == 0 ||
        !eglBindAPI(EGL_OPENGL_API)) {
        error = "no EGL config for desktop GL on a pbuffer";
        return nullptr;
    }
    const EGLint surfaceAttributes[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
    EGLSurface surface = eglCreatePbufferSurface(display, config, surfaceAttributes);
    EGLContext context = eglCreateContext(display, config, EGL_NO_CONTEXT, nullptr);
    if (surface == EGL_NO_SURFACE || context == EGL_NO_CONTEXT ||
        !eglMakeCurrent(display, surface, surface, context)) {
        error = "cannot make an EGL pbuffer context current";
        if (context != EGL_NO_CONTEXT) eglDestroyContext(display, context);
        if (surface != EGL_NO_SURFACE) eglDestroySurface(display, surface);
        return nullptr;
    }
    return std::make_unique<EglContext>(display, surface, context);
}

} // namespace corvanta::host
