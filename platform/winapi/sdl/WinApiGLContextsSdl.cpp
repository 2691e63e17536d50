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
    return remember(gl, *window);
}

// ---------------------------------------------------------------------------
// What the shared part of the contexts asks of SDL.

bool WinApiGLContexts::hasSurface(const WinApiWindow& window)
{
    return window.sdl != nullptr;
}

bool WinApiGLContexts::nativeMakeCurrent(const WinApiWindow& window, void* gl)
{
    if (SDL_GL_MakeCurrent(window.sdl, gl) != 0) {
        std::fprintf(stderr, "winapi: cannot make the OpenGL context current: %s\n", SDL_GetError());
        return false;
    }
    return true;
}

void WinApiGLContexts::nativeReleaseCurrent()
{
    SDL_GL_MakeCurrent(nullptr, nullptr);
}

void WinApiGLContexts::nativeDelete(void* gl)
{
    SDL_GL_DeleteContext(gl);
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
