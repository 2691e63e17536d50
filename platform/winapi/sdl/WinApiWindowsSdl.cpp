// WinApiWindows on SDL: each shown window (or one with a pixel format) is an
// SDL window that follows the record's style, place, size and what it covers
// of the screen.

#include "platform/winapi/WinApiWindows.h"

#include "platform/winapi/WinApiDisplayModes.h"
#include "platform/winapi/WinApiPixelFormats.h"
#include "platform/winapi/WinApiVideo.h"
#include "platform/winapi/sdl/WinApiX11.h"

#include <SDL.h>

#include <cstdio>

namespace Quorvel {

WinApiWindow* WinApiWindows::findBySdl(uint32_t sdlWindowId)
{
    for (auto& entry : windows)
        if (entry.second->sdl && SDL_GetWindowID(entry.second->sdl) == sdlWindowId)
            return entry.second.get();
    return nullptr;
}

// Makes the SDL window of a window, with the GL attributes of its pixel
// format (or the first format when none is set yet), its frame from the
// style and its full-screen state from what it covers.
bool WinApiWindows::materialise(WinApiWindow& window)
{
    if (window.sdl)
        return true;
    if (!video.ensure())
        return false;
    const PIXELFORMATDESCRIPTOR& format = pixelFormats.at(window.pixelFormat ? window.pixelFormat : 1);
    SDL_GL_ResetAttributes();
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, format.cRedBits);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, format.cGreenBits);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, format.cBlueBits);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, format.cAlphaBits);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, format.cDepthBits);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, format.cStencilBits);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, (format.dwFlags & PFD_DOUBLEBUFFER) ? 1 : 0);

    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN;
    if ((window.style & WS_POPUP) || !(window.style & WS_CAPTION))
        flags |= SDL_WINDOW_BORDERLESS;
    if (window.style & WS_THICKFRAME)
        flags |= SDL_WINDOW_RESIZABLE;
    const uint32_t fullscreen = displayModes.fullscreenFlags(window);
    flags |= fullscreen;
    const int width = window.width > 0 ? window.width : 1;
    const int height = window.height > 0 ? window.height : 1;
    window.sdl = SDL_CreateWindow(window.title.c_str(), window.x, window.y, width, height, flags);
    if (!window.sdl) {
        std::fprintf(stderr, "winapi: cannot create the window: %s\n", SDL_GetError());
        return false;
    }
    if (fullscreen == SDL_WINDOW_FULLSCREEN)
        displayModes.applyTo(window.sdl);
    WinApiX11::watch(window.sdl, onDisplayLost);
    return true;
}

// Brings the SDL window in line with the window's style, place and size and
// with what it covers: out of full screen first (SDL would otherwise put
// back its old windowed place), then frame, place and size, then into full
// screen when it covers the mode or the desktop. The window is placed
// before it goes full screen, because without a window manager nothing
// else moves it.
void WinApiWindows::place(WinApiWindow& window)
{
    if (!window.sdl)
        return;
    const uint32_t wanted = displayModes.fullscreenFlags(window);
    const uint32_t now = SDL_GetWindowFlags(window.sdl) & SDL_WINDOW_FULLSCREEN_DESKTOP;
    if (now && now != wanted)
        SDL_SetWindowFullscreen(window.sdl, 0);
    if (!wanted || now != wanted) {
        const bool bordered = !(window.style & WS_POPUP) && (window.style & WS_CAPTION);
        SDL_SetWindowBordered(window.sdl, bordered ? SDL_TRUE : SDL_FALSE);
        SDL_SetWindowResizable(window.sdl, (window.style & WS_THICKFRAME) ? SDL_TRUE : SDL_FALSE);
        SDL_SetWindowSize(window.sdl, window.width > 0 ? window.width : 1, window.height > 0 ? window.height : 1);
        SDL_SetWindowPosition(window.sdl, window.x, window.y);
    }
    if (!wanted)
        return;
    if (wanted == SDL_WINDOW_FULLSCREEN)
        displayModes.applyTo(window.sdl);
    if (now != wanted && SDL_SetWindowFullscreen(window.sdl, wanted) != 0)
        std::fprintf(stderr, "winapi: cannot make the window full-screen: %s\n", SDL_GetError());
}

void WinApiWindows::destroySurface(WinApiWindow& window)
{
    if (!window.sdl)
        return;
    SDL_DestroyWindow(window.sdl);
    window.sdl = nullptr;
}

void WinApiWindows::forgetSurfaces()
{
    for (auto& entry : windows)
        entry.second->sdl = nullptr;
}

void WinApiWindows::showSurface(WinApiWindow& window, bool show)
{
    if (!window.sdl)
        return;
    if (show)
        SDL_ShowWindow(window.sdl);
    else
        SDL_HideWindow(window.sdl);
}

void WinApiWindows::retitleSurface(WinApiWindow& window)
{
    if (window.sdl)
        SDL_SetWindowTitle(window.sdl, window.title.c_str());
}

bool WinApiWindows::surfacePosition(const WinApiWindow& window, int& x, int& y) const
{
    if (!window.sdl || !window.visible)
        return false;
    SDL_GetWindowPosition(window.sdl, &x, &y);
    return true;
}

} // namespace Quorvel
