#include "platform/winapi/sdl/WinApiX11.h"

#include <SDL.h>
#include <SDL_syswm.h>

#if defined(SDL_VIDEO_DRIVER_X11) && __has_include(<X11/Xlib.h>)
#include <X11/Xatom.h>
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

bool WinApiX11::windowManagerRunning()
{
    static int answer = -1; // not asked yet
    if (answer >= 0)
        return answer == 1;
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!driver)
        return true; // video not started: ask again later
    answer = 1;
    if (SDL_strcmp(driver, "x11") != 0)
        return true;
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return true;
    answer = 0;
    const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", True);
    if (check != None) {
        Atom type = None;
        int format = 0;
        unsigned long count = 0;
        unsigned long after = 0;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(display, DefaultRootWindow(display), check, 0, 1, False, XA_WINDOW, &type, &format,
                               &count, &after, &data)
                == Success
            && type == XA_WINDOW && format == 32 && count == 1)
            answer = 1;
        if (data)
            XFree(data);
    }
    XCloseDisplay(display);
    return answer == 1;
}

#else

void WinApiX11::watch(SDL_Window*, void (*)())
{
}

bool WinApiX11::windowManagerRunning()
{
    return true;
}

#endif

} // namespace Quorvel
