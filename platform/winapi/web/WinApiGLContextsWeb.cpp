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

    return remember(reinterpret_cast<void*>(intptr_t(gl)), *window);
}

// ---------------------------------------------------------------------------
// What the shared part of the contexts asks of the browser.

bool WinApiGLContexts::hasSurface(const WinApiWindow& window)
{
    return window.onCanvas;
}

bool WinApiGLContexts::nativeMakeCurrent(const WinApiWindow&, void* gl)
{
    if (emscripten_webgl_make_context_current(handleOf(gl)) != EMSCRIPTEN_RESULT_SUCCESS) {
        std::fprintf(stderr, "winapi: cannot make the OpenGL context current\n");
        return false;
    }
    return true;
}

void WinApiGLContexts::nativeReleaseCurrent()
{
    emscripten_webgl_make_context_current(0);
}

void WinApiGLContexts::nativeDelete(void* gl)
{
    emscripten_webgl_destroy_context(handleOf(gl));
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
