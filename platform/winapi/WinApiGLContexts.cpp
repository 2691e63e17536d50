// WinApiGLContexts: pixel formats and what the layer keeps of the GL
// contexts (the contexts themselves are the system's: sdl/, web/).

#include "platform/winapi/WinApiGLContexts.h"

#include "platform/winapi/WinApiHandles.h"
#include "platform/winapi/WinApiPixelFormats.h"
#include "platform/winapi/WinApiVideo.h"
#include "platform/winapi/WinApiWindows.h"

#include <cstring>

namespace Quorvel {

WinApiGLContexts::WinApiGLContexts(WinApiVideo& video, WinApiHandles& handles, const WinApiPixelFormats& pixelFormats,
                                   WinApiWindows& windows)
    : video(video)
    , handles(handles)
    , pixelFormats(pixelFormats)
    , windows(windows)
{
}

// ---------------------------------------------------------------------------
// Pixel formats.

int WinApiGLContexts::choosePixelFormat(HDC dc, const PIXELFORMATDESCRIPTOR* wanted) const
{
    if (!windows.findByDc(dc) || !wanted) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return pixelFormats.choose(*wanted);
}

BOOL WinApiGLContexts::setPixelFormat(HDC dc, int format)
{
    WinApiWindow* window = windows.findByDc(dc);
    if (!window || !pixelFormats.isOffered(format)) {
        SetLastError(!window ? ERROR_INVALID_HANDLE : ERROR_INVALID_PIXEL_FORMAT);
        return FALSE;
    }
    if (window->pixelFormat)
        return window->pixelFormat == format ? TRUE : FALSE; // set once per window
    window->pixelFormat = format;
    // A window shown before its format was set is made again with it.
    const bool shown = window->hasSurface() && window->visible;
    releaseOn(*window);
    windows.destroySurface(*window);
    if (!windows.materialise(*window)) {
        window->pixelFormat = 0;
        SetLastError(ERROR_INVALID_PIXEL_FORMAT);
        return FALSE;
    }
    if (shown)
        windows.showSurface(*window, true);
    return TRUE;
}

int WinApiGLContexts::getPixelFormat(HDC dc) const
{
    const WinApiWindow* window = windows.findByDc(dc);
    return window ? window->pixelFormat : 0;
}

int WinApiGLContexts::describePixelFormat(int format, UINT bytes, PIXELFORMATDESCRIPTOR* descriptor) const
{
    return pixelFormats.describe(format, bytes, descriptor);
}

// ---------------------------------------------------------------------------
// Rendering contexts. The system makes, binds and deletes them (sdl/, web/);
// the handles, the checks and which one is current are kept here.

HGLRC WinApiGLContexts::remember(void* gl, const WinApiWindow& window)
{
    const HGLRC handle = handles.make<HGLRC>();
    Context context;
    context.gl = gl;
    context.window = window.handle;
    context.pixelFormat = window.pixelFormat;
    contexts[handle] = context;
    return handle;
}

void WinApiGLContexts::releaseCurrent()
{
    nativeReleaseCurrent();
    current = nullptr;
    currentDc = nullptr;
}

BOOL WinApiGLContexts::deleteContext(HGLRC handle)
{
    auto it = contexts.find(handle);
    if (it == contexts.end()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (current == handle)
        releaseCurrent();
    if (it->second.gl)
        nativeDelete(it->second.gl);
    contexts.erase(it);
    return TRUE;
}

BOOL WinApiGLContexts::makeCurrent(HDC dc, HGLRC handle)
{
    if (!handle) {
        if (current && video.ready())
            nativeReleaseCurrent();
        current = nullptr;
        currentDc = nullptr;
        return TRUE;
    }
    auto it = contexts.find(handle);
    WinApiWindow* window = windows.findByDc(dc);
    // A context whose display went away (forgetAll) is bound to nothing again.
    if (it == contexts.end() || !window || !hasSurface(*window) || !it->second.gl) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (window->pixelFormat != it->second.pixelFormat) {
        SetLastError(ERROR_INVALID_PIXEL_FORMAT);
        return FALSE;
    }
    if (!nativeMakeCurrent(*window, it->second.gl))
        return FALSE;
    current = handle;
    currentDc = dc;
    return TRUE;
}

void WinApiGLContexts::releaseOn(const WinApiWindow& window)
{
    if (!hasSurface(window))
        return;
    auto it = contexts.find(current);
    if (it != contexts.end() && it->second.window == window.handle)
        releaseCurrent();
}

void WinApiGLContexts::deleteAll()
{
    if (current)
        releaseCurrent();
    for (auto& entry : contexts)
        if (entry.second.gl)
            nativeDelete(entry.second.gl);
    contexts.clear();
}

void WinApiGLContexts::forgetWindow(HWND window)
{
    for (auto& entry : contexts)
        if (entry.second.window == window)
            entry.second.window = nullptr;
}

void WinApiGLContexts::forgetAll()
{
    for (auto& entry : contexts)
        entry.second.gl = nullptr;
    current = nullptr;
    currentDc = nullptr;
}

// ---------------------------------------------------------------------------
// WGL entry points: the swap-control extension, served by the system's swap
// interval; every other wgl name is none; GL names are the system's.

namespace {

int swapIntervalExt(int interval)
{
    return WinApiGLContexts::setSwapInterval(interval);
}

int getSwapIntervalExt()
{
    return WinApiGLContexts::swapInterval();
}

const char* getExtensionsStringExt()
{
    return "WGL_EXT_swap_control";
}

template <typename Function>
PROC asProc(Function function)
{
    return reinterpret_cast<PROC>(reinterpret_cast<void (*)()>(function));
}

} // namespace

PROC WinApiGLContexts::getProcAddress(LPCSTR name) const
{
    if (!current || !name)
        return nullptr;
    if (std::strcmp(name, "wglSwapIntervalEXT") == 0)
        return asProc(&swapIntervalExt);
    if (std::strcmp(name, "wglGetSwapIntervalEXT") == 0)
        return asProc(&getSwapIntervalExt);
    if (std::strcmp(name, "wglGetExtensionsStringEXT") == 0)
        return asProc(&getExtensionsStringExt);
    if (std::strncmp(name, "wgl", 3) == 0)
        return nullptr;
    return nativeProcAddress(name);
}

} // namespace Quorvel
