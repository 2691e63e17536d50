#pragma once
// WinApiWindowClass and WinApiWindow: what the layer keeps of a registered
// window class and of a window: its place and size in screen coordinates,
// its style, whether it shows, its device context and pixel format, and the
// system's window behind it: an SDL window on the desktop, the page's canvas
// in a browser (none until it is made, and after the display is lost).

#include "platform/winapi/include/windows.h"

#include <string>

struct SDL_Window;

namespace Quorvel {

struct WinApiWindowClass {
    std::string name;
    WNDCLASSEXA record;
    ATOM atom;
};

struct WinApiWindow {
    HWND handle = nullptr;
    std::string title;
    const WinApiWindowClass* windowClass = nullptr;
    WNDPROC proc = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
    int x = 0, y = 0, width = 0, height = 0;
    bool visible = false;
    HDC dc = nullptr;
    int pixelFormat = 0;
    SDL_Window* sdl = nullptr; // on the desktop
    bool onCanvas = false;     // in a browser: the page's one canvas

    bool hasSurface() const { return sdl != nullptr || onCanvas; }
};

} // namespace Quorvel
