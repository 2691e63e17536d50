#include "platform/winapi/WinApiX11.h"

#include <SDL.h>
#include <SDL_syswm.h>

#if defined(SDL_VIDEO_DRIVER_X11) && __has_include(<X11/Xlib.h>)
#include <X11/Xlib.h>
#define QUORVEL_WATCH_X11 1
#endif

namespace Quorvel {

#if QUORVEL_WATCH_X11

namespace {

void (*lostCallback)() = nullptr;
bool reported = false;

void reportLost()
{
    if (reported)
        return;
    reported = true;
    if (lostCallback)
        lostCallback();
}

// Called by Xlib when the connection breaks. Returning hands over to the
// exit handler below.
int onIoError(Display*)
{
    reportLost();
    return 0;
}

// Xlib's default here is exit(); returning instead leaves the display marked
// dead, and every later Xlib call on it returns at once.
void onIoErrorExit(Display*, void*)
{
    reportLost();
}

} // namespace

void WinApiX11::watch(SDL_Window* window, void (*onLost)())
{
    static Display* watched = nullptr;
    if (watched || !window)
        return;
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11 || !info.info.x11.display)
        return;
    watched = info.info.x11.display;
    lostCallback = onLost;
    XSetIOErrorHandler(onIoError);
    XSetIOErrorExitHandler(watched, onIoErrorExit, nullptr);
}

#else

void WinApiX11::watch(SDL_Window*, void (*)())
{
}

#endif

} // namespace Quorvel
