// WinApiHost: device contexts, pixel formats and OpenGL contexts on SDL.

#include "platform/winapi/WinApiHost.h"

#include <SDL.h>

#include <cstdio>
#include <cstring>

namespace Quorvel {

// ---------------------------------------------------------------------------
// Device contexts, pixel formats, GL contexts.

HDC WinApiHost::getDC(HWND handle)
{
    Window* window = find(handle);
    if (!window) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    if (!window->dc) {
        window->dc = reinterpret_cast<HDC>(newHandle());
        deviceContexts[window->dc] = handle;
    }
    return window->dc;
}

// The closest offered format: the buffering asked for first, then enough
// depth, stencil and alpha bits without waste.
int WinApiHost::choosePixelFormat(HDC dc, const PIXELFORMATDESCRIPTOR* wanted)
{
    if (!windowOfDc(dc) || !wanted) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    auto shortfall = [](int have, int want) {
        if (have >= want)
            return have - want;
        return 1000 + want - have;
    };
    int best = 0;
    long bestScore = 0;
    for (size_t i = 0; i < pixelFormats.size(); ++i) {
        const PIXELFORMATDESCRIPTOR& format = pixelFormats[i];
        long score = 0;
        if (!(wanted->dwFlags & PFD_DOUBLEBUFFER_DONTCARE)
            && ((wanted->dwFlags & PFD_DOUBLEBUFFER) != 0) != ((format.dwFlags & PFD_DOUBLEBUFFER) != 0))
            score += 100000;
        if (!(wanted->dwFlags & PFD_DEPTH_DONTCARE))
            score += 100 * shortfall(format.cDepthBits, wanted->cDepthBits);
        score += 10 * shortfall(format.cStencilBits, wanted->cStencilBits);
        score += shortfall(format.cAlphaBits, wanted->cAlphaBits);
        if (!best || score < bestScore) {
            best = int(i) + 1;
            bestScore = score;
        }
    }
    return best;
}

BOOL WinApiHost::setPixelFormat(HDC dc, int format)
{
    Window* window = windowOfDc(dc);
    if (!window || format < 1 || format > int(pixelFormats.size())) {
        SetLastError(!window ? ERROR_INVALID_HANDLE : ERROR_INVALID_PIXEL_FORMAT);
        return FALSE;
    }
    if (window->pixelFormat)
        return window->pixelFormat == format ? TRUE : FALSE; // set once per window
    window->pixelFormat = format;
    // A window shown before its format was set is made again with it.
    const bool shown = window->sdl && window->visible;
    destroySdlWindow(*window);
    if (!materialise(*window)) {
        window->pixelFormat = 0;
        SetLastError(ERROR_INVALID_PIXEL_FORMAT);
        return FALSE;
    }
    if (shown)
        SDL_ShowWindow(window->sdl);
    return TRUE;
}

int WinApiHost::getPixelFormat(HDC dc) const
{
    auto it = deviceContexts.find(dc);
    if (it == deviceContexts.end())
        return 0;
    const Window* window = find(it->second);
    return window ? window->pixelFormat : 0;
}

int WinApiHost::describePixelFormat(int format, UINT bytes, PIXELFORMATDESCRIPTOR* descriptor) const
{
    const int count = int(pixelFormats.size());
    if (format < 1 || format > count) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (descriptor) {
        const size_t size = bytes < sizeof(PIXELFORMATDESCRIPTOR) ? bytes : sizeof(PIXELFORMATDESCRIPTOR);
        std::memcpy(descriptor, &pixelFormats[size_t(format - 1)], size);
    }
    return count;
}

BOOL WinApiHost::swapBuffers(HDC dc)
{
    Window* window = windowOfDc(dc);
    if (!window || !window->sdl) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    SDL_GL_SwapWindow(window->sdl);
    return TRUE;
}

HGLRC WinApiHost::createContext(HDC dc)
{
    Window* window = windowOfDc(dc);
    if (!window || !window->pixelFormat || !window->sdl) {
        SetLastError(ERROR_INVALID_PIXEL_FORMAT);
        return nullptr;
    }
    SDL_GLContext gl = SDL_GL_CreateContext(window->sdl);
    if (!gl) {
        std::fprintf(stderr, "winapi: cannot create the OpenGL context: %s\n", SDL_GetError());
        return nullptr;
    }
    // SDL makes the new context current; creation alone must not.
    if (current) {
        const Context& previous = contexts[current];
        const Window* previousWindow = find(previous.window);
        SDL_GL_MakeCurrent(previousWindow ? previousWindow->sdl : nullptr, previous.gl);
    } else {
        SDL_GL_MakeCurrent(window->sdl, nullptr);
    }
    const HGLRC handle = reinterpret_cast<HGLRC>(newHandle());
    Context context;
    context.gl = gl;
    context.window = window->handle;
    context.pixelFormat = window->pixelFormat;
    contexts[handle] = context;
    return handle;
}

BOOL WinApiHost::deleteContext(HGLRC handle)
{
    auto it = contexts.find(handle);
    if (it == contexts.end()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (current == handle) {
        SDL_GL_MakeCurrent(nullptr, nullptr);
        current = nullptr;
        currentDc = nullptr;
    }
    if (it->second.gl)
        SDL_GL_DeleteContext(it->second.gl);
    contexts.erase(it);
    return TRUE;
}

BOOL WinApiHost::makeCurrent(HDC dc, HGLRC handle)
{
    if (!handle) {
        if (current && videoReady)
            SDL_GL_MakeCurrent(nullptr, nullptr);
        current = nullptr;
        currentDc = nullptr;
        return TRUE;
    }
    auto it = contexts.find(handle);
    Window* window = windowOfDc(dc);
    if (it == contexts.end() || !window || !window->sdl) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (window->pixelFormat != it->second.pixelFormat) {
        SetLastError(ERROR_INVALID_PIXEL_FORMAT);
        return FALSE;
    }
    if (SDL_GL_MakeCurrent(window->sdl, it->second.gl) != 0) {
        std::fprintf(stderr, "winapi: cannot make the OpenGL context current: %s\n", SDL_GetError());
        return FALSE;
    }
    current = handle;
    currentDc = dc;
    return TRUE;
}

namespace {

// The swap-control entry points, served by SDL's swap interval. Setting it
// fails where the driver cannot (under Xvfb, for one): FALSE, nothing else.
int swapIntervalExt(int interval)
{
    return SDL_GL_SetSwapInterval(interval) == 0 ? TRUE : FALSE;
}

int getSwapIntervalExt()
{
    return SDL_GL_GetSwapInterval();
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

PROC WinApiHost::getProcAddress(LPCSTR name)
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
    return reinterpret_cast<PROC>(SDL_GL_GetProcAddress(name));
}

} // namespace Quorvel
