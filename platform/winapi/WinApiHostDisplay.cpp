// WinApiHost: display modes, full-screen windows that follow them, and the
// cursor position.

#include "platform/winapi/WinApiHost.h"

#include "platform/winapi/WinApiX11.h"

#include <SDL.h>

#include <cstddef>
#include <cstdio>
#include <cstring>

namespace Quorvel {

namespace {

// 24 and 32 bits per pixel are the same true-colour mode: an X server reports
// depth 24 for what Windows calls 32 bits per pixel.
int colourClass(int bitsPerPixel)
{
    return bitsPerPixel >= 24 ? 32 : bitsPerPixel;
}

int bitsOf(uint32_t format)
{
    return colourClass(int(SDL_BITSPERPIXEL(format)));
}

} // namespace

// What a top-level window without a caption covers decides its full-screen
// state, as a screen-covering popup does on Windows: the changed display
// mode (at 0,0 with the mode's size: full screen in that mode), or, with no
// mode change in force, the whole desktop (full screen at the desktop's own
// size, no mode switch).
WinApiHost::Cover WinApiHost::coverOf(const Window& window) const
{
    if (window.style & WS_CHILD || window.x != 0 || window.y != 0)
        return Cover::None;
    if (modeChanged)
        return window.width == modeWidth && window.height == modeHeight ? Cover::Mode : Cover::None;
    if (window.style & WS_CAPTION || !videoReady)
        return Cover::None;
    SDL_DisplayMode desktop = {};
    if (SDL_GetDesktopDisplayMode(0, &desktop) != 0)
        return Cover::None;
    return window.width == desktop.w && window.height == desktop.h ? Cover::Desktop : Cover::None;
}

bool WinApiHost::modeIsDesktop() const
{
    SDL_DisplayMode desktop = {};
    if (!modeChanged || !videoReady || SDL_GetDesktopDisplayMode(0, &desktop) != 0)
        return false;
    return modeWidth == desktop.w && modeHeight == desktop.h && colourClass(modeBits) == bitsOf(desktop.format)
        && (modeRefresh == 0 || desktop.refresh_rate == 0 || modeRefresh == desktop.refresh_rate);
}

// Without a window manager a borderless window at 0,0 of the screen's size
// already covers the screen, and nobody would answer SDL's request for the
// full-screen state, which SDL waits 100 ms for each time the window is
// shown. So when no window manager runs and the screen keeps its mode (the
// desktop's own, or a change to exactly that mode), the window is made
// plain; a different mode still needs SDL's full screen to switch to it.
uint32_t WinApiHost::fullscreenFlags(Cover cover) const
{
    if (cover == Cover::None)
        return 0;
    const bool keepsMode = cover == Cover::Desktop || modeIsDesktop();
    if (keepsMode && !WinApiX11::windowManagerRunning())
        return 0;
    return cover == Cover::Mode ? SDL_WINDOW_FULLSCREEN : SDL_WINDOW_FULLSCREEN_DESKTOP;
}

void WinApiHost::setSdlDisplayMode(Window& window)
{
    SDL_DisplayMode mode = {};
    mode.w = modeWidth;
    mode.h = modeHeight;
    mode.refresh_rate = modeRefresh;
    mode.format = modeFormat;
    if (SDL_SetWindowDisplayMode(window.sdl, &mode) != 0)
        std::fprintf(stderr, "winapi: cannot set the window's display mode: %s\n", SDL_GetError());
}

// Makes the SDL window of a window, with the GL attributes of its pixel
// format (or the first format when none is set yet), its frame from the
// style and its full-screen state from what it covers.
bool WinApiHost::materialise(Window& window)
{
    if (window.sdl)
        return true;
    if (!ensureVideo())
        return false;
    const int index = window.pixelFormat ? window.pixelFormat : 1;
    const PIXELFORMATDESCRIPTOR& format = pixelFormats[size_t(index - 1)];
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
    const uint32_t fullscreen = fullscreenFlags(coverOf(window));
    flags |= fullscreen;
    const int width = window.width > 0 ? window.width : 1;
    const int height = window.height > 0 ? window.height : 1;
    window.sdl = SDL_CreateWindow(window.title.c_str(), window.x, window.y, width, height, flags);
    if (!window.sdl) {
        std::fprintf(stderr, "winapi: cannot create the window: %s\n", SDL_GetError());
        return false;
    }
    if (fullscreen == SDL_WINDOW_FULLSCREEN)
        setSdlDisplayMode(window);
    WinApiX11::watch(window.sdl, &WinApiHost::onDisplayLost);
    return true;
}

// Brings the SDL window in line with the window's style, place and size and
// with what it covers: out of full screen first (SDL would otherwise put
// back its old windowed place), then frame, place and size, then into full
// screen when it covers the mode or the desktop. The window is placed
// before it goes full screen, because without a window manager nothing
// else moves it.
void WinApiHost::placeSdlWindow(Window& window)
{
    if (!window.sdl)
        return;
    const uint32_t wanted = fullscreenFlags(coverOf(window));
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
        setSdlDisplayMode(window);
    if (now != wanted && SDL_SetWindowFullscreen(window.sdl, wanted) != 0)
        std::fprintf(stderr, "winapi: cannot make the window full-screen: %s\n", SDL_GetError());
}

// ---------------------------------------------------------------------------
// Cursor.

BOOL WinApiHost::setCursorPos(int x, int y)
{
    cursor.x = x;
    cursor.y = y;
    if (!ensureVideo())
        return TRUE; // no display: the position is only remembered
    for (auto& entry : windows) {
        Window& window = *entry.second;
        if (!window.sdl || !window.visible)
            continue;
        POINT origin = {};
        clientOrigin(window.handle, &origin);
        if (x >= origin.x && y >= origin.y && x < origin.x + window.width && y < origin.y + window.height) {
            SDL_WarpMouseInWindow(window.sdl, x - origin.x, y - origin.y);
            return TRUE;
        }
    }
    SDL_WarpMouseGlobal(x, y);
    return TRUE;
}

BOOL WinApiHost::getCursorPos(POINT* point)
{
    if (!point) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (ensureVideo()) {
        int x = 0, y = 0;
        SDL_GetGlobalMouseState(&x, &y);
        cursor.x = x;
        cursor.y = y;
    }
    *point = cursor;
    return TRUE;
}

// ---------------------------------------------------------------------------
// Display modes.

void WinApiHost::fillMode(DEVMODEA& mode, int width, int height, int bitsPerPixel, int refreshRate) const
{
    std::memset(mode.dmDeviceName, 0, sizeof(mode.dmDeviceName));
    std::strcpy(reinterpret_cast<char*>(mode.dmDeviceName), "\\\\.\\DISPLAY1");
    mode.dmSpecVersion = DM_SPECVERSION;
    mode.dmDriverExtra = 0;
    mode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT | DM_DISPLAYFLAGS | DM_DISPLAYFREQUENCY | DM_POSITION;
    mode.dmPosition.x = 0;
    mode.dmPosition.y = 0;
    mode.dmBitsPerPel = DWORD(bitsPerPixel);
    mode.dmPelsWidth = DWORD(width);
    mode.dmPelsHeight = DWORD(height);
    mode.dmDisplayFlags = 0;
    mode.dmDisplayFrequency = DWORD(refreshRate);
}

BOOL WinApiHost::enumDisplaySettings(DWORD modeNumber, DEVMODEA* mode)
{
    if (!mode || !ensureVideo()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    SDL_DisplayMode found = {};
    if (modeNumber == ENUM_CURRENT_SETTINGS && modeChanged) {
        fillMode(*mode, modeWidth, modeHeight, modeBits, modeRefresh);
        return TRUE;
    }
    int result;
    if (modeNumber == ENUM_CURRENT_SETTINGS || modeNumber == ENUM_REGISTRY_SETTINGS)
        result = SDL_GetDesktopDisplayMode(0, &found);
    else if (modeNumber < DWORD(SDL_GetNumDisplayModes(0)))
        result = SDL_GetDisplayMode(0, int(modeNumber), &found);
    else
        result = -1;
    if (result != 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    fillMode(*mode, found.w, found.h, bitsOf(found.format), found.refresh_rate);
    return TRUE;
}

// A mode of the display with the wanted size, colour depth (24 and 32 alike)
// and, unless it is 0 or 1 (the default), refresh rate.
bool WinApiHost::findMode(const DEVMODEA& wanted, void* result)
{
    SDL_DisplayMode desktop = {};
    if (SDL_GetDesktopDisplayMode(0, &desktop) != 0)
        return false;
    const int width = (wanted.dmFields & DM_PELSWIDTH) ? int(wanted.dmPelsWidth) : desktop.w;
    const int height = (wanted.dmFields & DM_PELSHEIGHT) ? int(wanted.dmPelsHeight) : desktop.h;
    const int bits = colourClass((wanted.dmFields & DM_BITSPERPEL) ? int(wanted.dmBitsPerPel) : bitsOf(desktop.format));
    const int refresh = (wanted.dmFields & DM_DISPLAYFREQUENCY) ? int(wanted.dmDisplayFrequency) : 0;
    const int count = SDL_GetNumDisplayModes(0);
    for (int i = 0; i < count; ++i) {
        SDL_DisplayMode mode = {};
        if (SDL_GetDisplayMode(0, i, &mode) != 0)
            continue;
        if (mode.w != width || mode.h != height || bitsOf(mode.format) != bits)
            continue;
        if (refresh > 1 && mode.refresh_rate != 0 && mode.refresh_rate != refresh)
            continue;
        *static_cast<SDL_DisplayMode*>(result) = mode;
        return true;
    }
    return false;
}

LONG WinApiHost::changeDisplaySettings(DEVMODEA* mode, DWORD flags)
{
    const DWORD known = CDS_FULLSCREEN | CDS_TEST | CDS_RESET;
    if (flags & ~known)
        return DISP_CHANGE_BADFLAGS; // the registry and other displays are not ours to change
    if (!ensureVideo())
        return DISP_CHANGE_FAILED;
    if (!mode) {
        // Back to the desktop mode.
        if (flags & CDS_TEST)
            return DISP_CHANGE_SUCCESSFUL;
        modeChanged = false;
        for (auto& entry : windows)
            placeSdlWindow(*entry.second);
        return DISP_CHANGE_SUCCESSFUL;
    }
    if (mode->dmSize < offsetof(DEVMODEA, dmICMMethod))
        return DISP_CHANGE_BADPARAM;
    SDL_DisplayMode found = {};
    if (!findMode(*mode, &found))
        return DISP_CHANGE_BADMODE;
    if (flags & CDS_TEST)
        return DISP_CHANGE_SUCCESSFUL;
    SDL_DisplayMode desktop = {};
    SDL_GetDesktopDisplayMode(0, &desktop);
    modeChanged = true;
    modeWidth = found.w;
    modeHeight = found.h;
    modeBits = bitsOf(found.format);
    modeRefresh = found.refresh_rate;
    modeFormat = found.format;
    for (auto& entry : windows)
        placeSdlWindow(*entry.second);
    return DISP_CHANGE_SUCCESSFUL;
}

int WinApiHost::screenWidth()
{
    if (modeChanged)
        return modeWidth;
    SDL_DisplayMode desktop = {};
    if (!ensureVideo() || SDL_GetDesktopDisplayMode(0, &desktop) != 0)
        return 0;
    return desktop.w;
}

int WinApiHost::screenHeight()
{
    if (modeChanged)
        return modeHeight;
    SDL_DisplayMode desktop = {};
    if (!ensureVideo() || SDL_GetDesktopDisplayMode(0, &desktop) != 0)
        return 0;
    return desktop.h;
}

} // namespace Quorvel
