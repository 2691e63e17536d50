// WinApiDisplayModes on SDL: the display's modes, and the full-screen state
// of the windows that cover the screen.

#include "platform/winapi/WinApiDisplayModes.h"

#include "platform/winapi/WinApiVideo.h"
#include "platform/winapi/WinApiWindow.h"
#include "platform/winapi/sdl/WinApiX11.h"

#include <SDL.h>

#include <cstddef>
#include <cstdio>

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
WinApiDisplayModes::Cover WinApiDisplayModes::coverOf(const WinApiWindow& window) const
{
    if (window.style & WS_CHILD || window.x != 0 || window.y != 0)
        return Cover::None;
    if (changed)
        return window.width == width && window.height == height ? Cover::Mode : Cover::None;
    if (window.style & WS_CAPTION || !video.ready())
        return Cover::None;
    SDL_DisplayMode desktop = {};
    if (SDL_GetDesktopDisplayMode(0, &desktop) != 0)
        return Cover::None;
    return window.width == desktop.w && window.height == desktop.h ? Cover::Desktop : Cover::None;
}

bool WinApiDisplayModes::isDesktopMode() const
{
    SDL_DisplayMode desktop = {};
    if (!changed || !video.ready() || SDL_GetDesktopDisplayMode(0, &desktop) != 0)
        return false;
    return width == desktop.w && height == desktop.h && colourClass(bits) == bitsOf(desktop.format)
        && (refresh == 0 || desktop.refresh_rate == 0 || refresh == desktop.refresh_rate);
}

// Without a window manager a borderless window at 0,0 of the screen's size
// already covers the screen, and nobody would answer SDL's request for the
// full-screen state, which SDL waits 100 ms for each time the window is
// shown. So when no window manager runs and the screen keeps its mode (the
// desktop's own, or a change to exactly that mode), the window is made
// plain; a different mode still needs SDL's full screen to switch to it.
uint32_t WinApiDisplayModes::fullscreenFlags(const WinApiWindow& window) const
{
    const Cover cover = coverOf(window);
    if (cover == Cover::None)
        return 0;
    const bool keepsMode = cover == Cover::Desktop || isDesktopMode();
    if (keepsMode && !WinApiX11::windowManagerRunning())
        return 0;
    return cover == Cover::Mode ? SDL_WINDOW_FULLSCREEN : SDL_WINDOW_FULLSCREEN_DESKTOP;
}

void WinApiDisplayModes::applyTo(SDL_Window* window) const
{
    SDL_DisplayMode mode = {};
    mode.w = width;
    mode.h = height;
    mode.refresh_rate = refresh;
    mode.format = format;
    if (SDL_SetWindowDisplayMode(window, &mode) != 0)
        std::fprintf(stderr, "winapi: cannot set the window's display mode: %s\n", SDL_GetError());
}

BOOL WinApiDisplayModes::enumerate(DWORD modeNumber, DEVMODEA* mode)
{
    if (!mode || !video.ensure()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    SDL_DisplayMode found = {};
    if (modeNumber == ENUM_CURRENT_SETTINGS && changed) {
        fill(*mode, width, height, bits, refresh);
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
    fill(*mode, found.w, found.h, bitsOf(found.format), found.refresh_rate);
    return TRUE;
}

// A mode of the display with the wanted size, colour depth (24 and 32 alike)
// and, unless it is 0 or 1 (the default), refresh rate.
bool WinApiDisplayModes::find(const DEVMODEA& wanted, void* result)
{
    SDL_DisplayMode desktop = {};
    if (SDL_GetDesktopDisplayMode(0, &desktop) != 0)
        return false;
    const int wantedWidth = (wanted.dmFields & DM_PELSWIDTH) ? int(wanted.dmPelsWidth) : desktop.w;
    const int wantedHeight = (wanted.dmFields & DM_PELSHEIGHT) ? int(wanted.dmPelsHeight) : desktop.h;
    const int wantedBits
        = colourClass((wanted.dmFields & DM_BITSPERPEL) ? int(wanted.dmBitsPerPel) : bitsOf(desktop.format));
    const int wantedRefresh = (wanted.dmFields & DM_DISPLAYFREQUENCY) ? int(wanted.dmDisplayFrequency) : 0;
    const int count = SDL_GetNumDisplayModes(0);
    for (int i = 0; i < count; ++i) {
        SDL_DisplayMode mode = {};
        if (SDL_GetDisplayMode(0, i, &mode) != 0)
            continue;
        if (mode.w != wantedWidth || mode.h != wantedHeight || bitsOf(mode.format) != wantedBits)
            continue;
        if (wantedRefresh > 1 && mode.refresh_rate != 0 && mode.refresh_rate != wantedRefresh)
            continue;
        *static_cast<SDL_DisplayMode*>(result) = mode;
        return true;
    }
    return false;
}

LONG WinApiDisplayModes::change(DEVMODEA* mode, DWORD flags)
{
    const DWORD known = CDS_FULLSCREEN | CDS_TEST | CDS_RESET;
    if (flags & ~known)
        return DISP_CHANGE_BADFLAGS; // the registry and other displays are not ours to change
    if (!video.ensure())
        return DISP_CHANGE_FAILED;
    if (!mode) {
        // Back to the desktop mode.
        if (!(flags & CDS_TEST))
            changed = false;
        return DISP_CHANGE_SUCCESSFUL;
    }
    if (mode->dmSize < offsetof(DEVMODEA, dmICMMethod))
        return DISP_CHANGE_BADPARAM;
    SDL_DisplayMode found = {};
    if (!find(*mode, &found))
        return DISP_CHANGE_BADMODE;
    if (flags & CDS_TEST)
        return DISP_CHANGE_SUCCESSFUL;
    changed = true;
    width = found.w;
    height = found.h;
    bits = bitsOf(found.format);
    refresh = found.refresh_rate;
    format = found.format;
    return DISP_CHANGE_SUCCESSFUL;
}

// The screen's size: the changed mode's, or the desktop's; 0 x 0 without a
// display.
POINT WinApiDisplayModes::screenSize()
{
    if (changed)
        return {width, height};
    SDL_DisplayMode desktop = {};
    if (!video.ensure() || SDL_GetDesktopDisplayMode(0, &desktop) != 0)
        return {0, 0};
    return {desktop.w, desktop.h};
}

} // namespace Quorvel
