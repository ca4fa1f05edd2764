#include <windows.h>
// psapi.h needs windows.h first.
#include <psapi.h>

#include "host/host_platform.h"

namespace corvanta::host {

bool loadPlugin(const std::string &path, PluginExports &exports, std::string &error) {
    HMODULE module = LoadLibraryA(path.c_str());
    if (module == nullptr) {
        error = "cannot load " + path + " (error " + std::to_string(GetLastError()) + ")";
        return false;
    }
    // Through the generic function pointer type: FARPROC carries a calling
    // convention of its own.
    using Generic = void (*)();
    exports.query =
        reinterpret_cast<QueryFunction>(reinterpret_cast<Generic>(GetProcAddress(module, QueryExportName)));
    exports.init =
        reinterpret_cast<InitFunction>(reinterpret_cast<Generic>(GetProcAddress(module, InitExportName)));
    if (exports.query == nullptr || exports.init == nullptr) {
        error = path + " does not export " + QueryExportName + " and " + InitExportName;
        return false;
    }
    return true;
}

GlProcedure glProcedure(const char *name) { return reinterpret_cast<GlProcedure>(wglGetProcAddress(name)); }

size_t processMemoryBytes() {
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS *>(&counters),
                              sizeof counters))
        return 0;
    // Wine leaves PrivateUsage at 0; PagefileUsage is the same committed
    // private memory there and on Windows.
    return counters.PagefileUsage;
}

namespace {

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

// A window that is never shown, with a WGL context on its device context.
class WglContext : public OffscreenContext {
public:
    WglContext(HWND window, HDC deviceContext, HGLRC context)
        : window_(window), deviceContext_(deviceContext), context_(context) {}
    ~WglContext() override {
        wglMakeCurrent(nullptr, nullptr);
        wglDeleteContext(context_);
        ReleaseDC(window_, deviceContext_);
        DestroyWindow(window_);
    }

private:
    HWND window_;
    HDC deviceContext_;
    HGLRC context_;
};

} // namespace

std::unique_ptr<OffscreenContext> OffscreenContext::create(int width, int height, std::string &error) {
    static const char *const className = "CorvantaOffscreenGL";
    WNDCLASSA windowClass = {};
    windowClass.style = CS_OWNDC;
    windowClass.lpfnWndProc = windowProcedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = className;
    RegisterClassA(&windowClass); // fails harmlessly when already registered

    // A borderless window: its client area, and so the framebuffer, is exactly
    // width x height.
    HWND window = CreateWindowA(className, "", WS_POPUP, 0, 0, width, height, nullptr, nullptr,
                                windowClass.hInstance, nullptr);
    if (window == nullptr) {
        error = "cannot create a window";
        return nullptr;
    }
    HDC deviceContext = GetDC(window);
    PIXELFORMATDESCRIPTOR format = {};
    format.nSize = sizeof format;
    format.nVersion = 1;
    format.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    format.iPixelType = PFD_TYPE_RGBA;
    format.cColorBits = 32;
    format.cDepthBits = 24;
    const int formatIndex = ChoosePixelFormat(deviceContext, &format);
    HGLRC context = nullptr;
    if (formatIndex != 0 && SetPixelFormat(deviceContext, formatIndex, &format))
        context = wglCreateContext(deviceContext);
    if (context == nullptr || !wglMakeCurrent(deviceContext, context)) {
        error = "cannot create a WGL context";
        if (context != nullptr) wglDeleteContext(context);
        ReleaseDC(window, deviceContext);
        DestroyWindow(window);
        return nullptr;
    }
    return std::make_unique<WglContext>(window, deviceContext, context);
}

} // namespace corvanta::host
