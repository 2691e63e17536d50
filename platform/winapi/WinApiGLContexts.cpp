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
// Rendering contexts.

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
