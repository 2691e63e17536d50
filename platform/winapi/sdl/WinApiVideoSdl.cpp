// WinApiVideo on SDL: starting and stopping SDL's video subsystem.

#include "platform/winapi/WinApiVideo.h"

#include "platform/winapi/sdl/WinApiRuntimeDirectory.h"

#include <SDL.h>

#include <cstdio>
#include <strings.h>

namespace Quorvel {

bool WinApiVideo::ensure()
{
    if (tried)
        return isReady;
    tried = true;
    // Signals are ours (they become close requests); the window stays in
    // place when it loses the focus.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    WinApiRuntimeDirectory::ensure();
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "winapi: no display: %s\n", SDL_GetError());
        return false;
    }
    // Without a reachable X server SDL falls back to a driver that draws
    // nowhere; that is no display for a program that wants to be seen.
    const char* driver = SDL_GetCurrentVideoDriver();
    const char* asked = SDL_getenv("SDL_VIDEODRIVER");
    if (driver && (strcasecmp(driver, "offscreen") == 0 || strcasecmp(driver, "dummy") == 0)
        && !(asked && strcasecmp(asked, driver) == 0)) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        const char* display = SDL_getenv("DISPLAY");
        if (display)
            std::fprintf(stderr, "winapi: no display: no X server answers at DISPLAY=%s\n", display);
        else
            std::fprintf(stderr, "winapi: no display: DISPLAY is not set\n");
        return false;
    }
    isReady = true;
    SDL_StopTextInput();
    if (started)
        started();
    return true;
}

void WinApiVideo::stop()
{
    if (!isReady)
        return;
    SDL_Quit();
    isReady = false;
}

} // namespace Quorvel
