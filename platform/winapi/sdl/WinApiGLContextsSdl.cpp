// WinApiGLContexts on SDL: SDL's GL contexts, buffer swaps and entry points.

#include "platform/winapi/WinApiGLContexts.h"

#include "platform/winapi/WinApiHandles.h"
#include "platform/winapi/WinApiVideo.h"
#include "platform/winapi/WinApiWindows.h"

#include <SDL.h>

#include <cstdio>

namespace Quorvel {

BOOL WinApiGLContexts::swapBuffers(HDC dc)
{
    WinApiWindow* window = windows.findByDc(dc);
    if (!window || !window->sdl) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    SDL_GL_SwapWindow(window->sdl);
    return TRUE;
}

HGLRC WinApiGLContexts::createContext(HDC dc)
{
    WinApiWindow* window = windows.findByDc(dc);
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
        const WinApiWindow* previousWindow = windows.find(previous.window);
        SDL_GL_MakeCurrent(previousWindow ? previousWindow->sdl : nullptr, previous.gl);
    } else {
        SDL_GL_MakeCurrent(window->sdl, nullptr);
    }
    const HGLRC handle = handles.make<HGLRC>();
    Context context;
    context.gl = gl;
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
        SDL_GL_MakeCurrent(nullptr, nullptr);
        current = nullptr;
        currentDc = nullptr;
    }
    if (it->second.gl)
        SDL_GL_DeleteContext(it->second.gl);
    contexts.erase(it);
    return TRUE;
}

BOOL WinApiGLContexts::makeCurrent(HDC dc, HGLRC handle)
{
    if (!handle) {
        if (current && video.ready())
            SDL_GL_MakeCurrent(nullptr, nullptr);
        current = nullptr;
        currentDc = nullptr;
        return TRUE;
    }
    auto it = contexts.find(handle);
    WinApiWindow* window = windows.findByDc(dc);
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

void WinApiGLContexts::releaseOn(const WinApiWindow& window)
{
    if (!window.sdl)
        return;
    for (auto& entry : contexts) {
        if (entry.second.window == window.handle && entry.first == current) {
            SDL_GL_MakeCurrent(window.sdl, nullptr);
            current = nullptr;
            currentDc = nullptr;
        }
    }
}

void WinApiGLContexts::deleteAll()
{
    if (current) {
        SDL_GL_MakeCurrent(nullptr, nullptr);
        current = nullptr;
        currentDc = nullptr;
    }
    for (auto& entry : contexts)
        if (entry.second.gl)
            SDL_GL_DeleteContext(entry.second.gl);
    contexts.clear();
}

// ---------------------------------------------------------------------------
// The swap interval and the entry points, SDL's.

// Setting the interval fails where the driver cannot (under Xvfb, for one):
// FALSE, nothing else.
BOOL WinApiGLContexts::setSwapInterval(int interval)
{
    return SDL_GL_SetSwapInterval(interval) == 0 ? TRUE : FALSE;
}

int WinApiGLContexts::swapInterval()
{
    return SDL_GL_GetSwapInterval();
}

PROC WinApiGLContexts::nativeProcAddress(LPCSTR name) const
{
    return reinterpret_cast<PROC>(SDL_GL_GetProcAddress(name));
}

} // namespace Quorvel
