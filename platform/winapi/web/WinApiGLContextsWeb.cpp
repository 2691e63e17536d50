// WinApiGLContexts in a browser: WebGL 1 contexts on the page's canvas, with
// emscripten's OpenGL 1.1 emulation started on each, and a buffer swap that
// hands control to the browser (which shows the frame) until the next frame
// is due: the next animation frame with a swap interval, at once without.

#include "platform/winapi/WinApiGLContexts.h"

#include "platform/winapi/WinApiHandles.h"
#include "platform/winapi/WinApiPixelFormats.h"
#include "platform/winapi/WinApiVideo.h"
#include "platform/winapi/WinApiWindows.h"
#include "platform/winapi/web/WebCanvas.h"
#include "platform/winapi/web/WebGLFillIns.h"

#include <emscripten.h>
#include <emscripten/html5.h>

#include <cstdio>

namespace Quorvel {

namespace {

int framesPerSwap = 1; // as a browser paces its frames unless told otherwise

// Resumes the program at the browser's next animation frame.
EM_JS(void, waitForAnimationFrame, (), {
    Asyncify.handleSleep(function(wakeUp) { requestAnimationFrame(function() { wakeUp(); }); });
});

EMSCRIPTEN_WEBGL_CONTEXT_HANDLE handleOf(void* gl)
{
    return EMSCRIPTEN_WEBGL_CONTEXT_HANDLE(reinterpret_cast<intptr_t>(gl));
}

} // namespace

BOOL WinApiGLContexts::swapBuffers(HDC dc)
{
    WinApiWindow* window = windows.findByDc(dc);
    if (!window || !window->onCanvas) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    // The browser shows what was drawn when the program gives control back.
    if (framesPerSwap > 0)
        waitForAnimationFrame();
    else
        emscripten_sleep(0);
    return TRUE;
}

HGLRC WinApiGLContexts::createContext(HDC dc)
{
    WinApiWindow* window = windows.findByDc(dc);
    if (!window || !window->pixelFormat || !window->onCanvas) {
        SetLastError(ERROR_INVALID_PIXEL_FORMAT);
        return nullptr;
    }
    const PIXELFORMATDESCRIPTOR& format = pixelFormats.at(window->pixelFormat);
    EmscriptenWebGLContextAttributes attributes;
    emscripten_webgl_init_context_attributes(&attributes);
    attributes.alpha = EM_FALSE; // the page behind never shows through
    attributes.depth = format.cDepthBits > 0;
    attributes.stencil = format.cStencilBits > 0;
    attributes.antialias = EM_FALSE; // the desktop's picture has no multisampling either
    attributes.premultipliedAlpha = EM_FALSE;
    attributes.preserveDrawingBuffer = EM_FALSE;
    attributes.majorVersion = 1;
    attributes.minorVersion = 0;
    attributes.enableExtensionsByDefault = EM_TRUE;
    const EMSCRIPTEN_WEBGL_CONTEXT_HANDLE gl = emscripten_webgl_create_context(WebCanvas::Selector, &attributes);
    if (gl <= 0) {
        std::fprintf(stderr, "winapi: cannot create the OpenGL context: this browser offers no WebGL\n");
        return nullptr;
    }
    // The OpenGL 1.1 emulation sets itself up on the context it finds
    // current; then the context in force before stays in force.
    const EMSCRIPTEN_WEBGL_CONTEXT_HANDLE previous = emscripten_webgl_get_current_context();
    emscripten_webgl_make_context_current(gl);
    EM_ASM({
        Module['useWebGL'] = true;
        Browser.moduleContextCreatedCallbacks.forEach(function(callback) { callback(); });
    });
    WebGLFillIns::contextCreated();
    emscripten_webgl_make_context_current(previous);

    const HGLRC handle = handles.make<HGLRC>();
    Context context;
    context.gl = reinterpret_cast<void*>(intptr_t(gl));
    context.window = window->handle;
    context.pixelFormat = window->pixelFormat;
    contexts[handle] = context;
    return handle;
}

BOOL WinApiGLContexts::deleteContext(HGLRC handle)
{
    auto it = contexts.find(handle);
    if (it == contexts.end()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (current == handle) {
        emscripten_webgl_make_context_current(0);
        current = nullptr;
        currentDc = nullptr;
    }
    if (it->second.gl)
        emscripten_webgl_destroy_context(handleOf(it->second.gl));
    contexts.erase(it);
    return TRUE;
}

BOOL WinApiGLContexts::makeCurrent(HDC dc, HGLRC handle)
{
    if (!handle) {
        if (current)
            emscripten_webgl_make_context_current(0);
        current = nullptr;
        currentDc = nullptr;
        return TRUE;
    }
    auto it = contexts.find(handle);
    WinApiWindow* window = windows.findByDc(dc);
    if (it == contexts.end() || !window || !window->onCanvas || !it->second.gl) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (window->pixelFormat != it->second.pixelFormat) {
        SetLastError(ERROR_INVALID_PIXEL_FORMAT);
        return FALSE;
    }
    if (emscripten_webgl_make_context_current(handleOf(it->second.gl)) != EMSCRIPTEN_RESULT_SUCCESS) {
        std::fprintf(stderr, "winapi: cannot make the OpenGL context current\n");
        return FALSE;
    }
    current = handle;
    currentDc = dc;
    return TRUE;
}

void WinApiGLContexts::releaseOn(const WinApiWindow& window)
{
    if (!window.onCanvas)
        return;
    for (auto& entry : contexts) {
        if (entry.second.window == window.handle && entry.first == current) {
            emscripten_webgl_make_context_current(0);
            current = nullptr;
            currentDc = nullptr;
        }
    }
}

void WinApiGLContexts::deleteAll()
{
    if (current) {
        emscripten_webgl_make_context_current(0);
        current = nullptr;
        currentDc = nullptr;
    }
    for (auto& entry : contexts)
        if (entry.second.gl)
            emscripten_webgl_destroy_context(handleOf(entry.second.gl));
    contexts.clear();
}

// ---------------------------------------------------------------------------
// The swap interval and the entry points: the layer's fill-ins first, then
// emscripten's.

BOOL WinApiGLContexts::setSwapInterval(int interval)
{
    framesPerSwap = interval < 0 ? 0 : interval;
    return TRUE;
}

int WinApiGLContexts::swapInterval()
{
    return framesPerSwap;
}

PROC WinApiGLContexts::nativeProcAddress(LPCSTR name) const
{
    if (PROC fillIn = WebGLFillIns::lookUp(name))
        return fillIn;
    return reinterpret_cast<PROC>(emscripten_GetProcAddress(name));
}

} // namespace Quorvel
