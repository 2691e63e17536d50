// WinApiHost: the layer's state, SDL video start and shutdown, and the
// window classes.

#include "platform/winapi/WinApiHost.h"

#include "platform/winapi/WinApiRuntimeDirectory.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <strings.h>

namespace Quorvel {

namespace {

bool sameName(const std::string& a, LPCSTR b)
{
    return b && strcasecmp(a.c_str(), b) == 0;
}

} // namespace

WinApiHost& WinApiHost::instance()
{
    static WinApiHost* host = new WinApiHost();
    return *host;
}

WinApiHost::WinApiHost()
{
    // The pixel formats offered: RGBA, 8 bits per channel, with or without
    // alpha, depth 24/16/0, stencil 8/0, double or single buffered.
    for (int doubleBuffer = 1; doubleBuffer >= 0; --doubleBuffer) {
        for (int alpha : {8, 0}) {
            for (int depth : {24, 16, 0}) {
                for (int stencil : {8, 0}) {
                    PIXELFORMATDESCRIPTOR format = {};
                    format.nSize = sizeof(PIXELFORMATDESCRIPTOR);
                    format.nVersion = 1;
                    format.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_GENERIC_ACCELERATED
                        | (doubleBuffer ? PFD_DOUBLEBUFFER | PFD_SWAP_EXCHANGE : 0);
                    format.iPixelType = PFD_TYPE_RGBA;
                    format.cColorBits = 32;
                    format.cRedBits = format.cGreenBits = format.cBlueBits = 8;
                    format.cRedShift = 16;
                    format.cGreenShift = 8;
                    format.cBlueShift = 0;
                    format.cAlphaBits = BYTE(alpha);
                    format.cAlphaShift = alpha ? 24 : 0;
                    format.cDepthBits = BYTE(depth);
                    format.cStencilBits = BYTE(stencil);
                    format.iLayerType = PFD_MAIN_PLANE;
                    pixelFormats.push_back(format);
                }
            }
        }
    }
}

// ---------------------------------------------------------------------------
// SDL video and exit.

bool WinApiHost::ensureVideo()
{
    if (videoTried)
        return videoReady;
    videoTried = true;
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
    videoReady = true;
    std::atexit(shutdownAtExit);
    SDL_StopTextInput();

    const SDL_Keymod locks = SDL_GetModState();
    for (WinApiKeyboardState* state : {&syncKeys, &asyncKeys}) {
        state->setToggled(VK_CAPITAL, (locks & KMOD_CAPS) != 0);
        state->setToggled(VK_NUMLOCK, (locks & KMOD_NUM) != 0);
        state->setToggled(VK_SCROLL, (locks & KMOD_SCROLL) != 0);
    }
    int x = 0, y = 0;
    SDL_GetGlobalMouseState(&x, &y);
    cursor.x = x;
    cursor.y = y;
    return true;
}

void WinApiHost::shutdownAtExit()
{
    instance().shutdown();
}

// The X connection broke (called from inside Xlib). Everything made on it
// is forgotten without a call into SDL, which would wait on the dead
// connection; the program is asked to end with WM_QUIT and exit code 2.
void WinApiHost::onDisplayLost()
{
    WinApiHost& host = instance();
    if (host.displayLost)
        return;
    host.displayLost = true;
    host.videoReady = false;
    std::fprintf(stderr, "winapi: the connection to the display was lost\n");
    std::fflush(stderr);
    for (auto& entry : host.windows)
        entry.second->sdl = nullptr;
    for (auto& entry : host.contexts)
        entry.second.gl = nullptr;
    host.current = nullptr;
    host.currentDc = nullptr;
    host.modeChanged = false;
    host.queue.postQuit(DisplayLostExitCode);
}

// Gives the display back: the full-screen windows go (SDL restores the
// desktop mode with them), then SDL itself.
void WinApiHost::shutdown()
{
    if (!videoReady)
        return;
    if (current) {
        SDL_GL_MakeCurrent(nullptr, nullptr);
        current = nullptr;
        currentDc = nullptr;
    }
    for (auto& entry : contexts)
        if (entry.second.gl)
            SDL_GL_DeleteContext(entry.second.gl);
    contexts.clear();
    for (auto& entry : windows)
        destroySdlWindow(*entry.second);
    modeChanged = false;
    SDL_Quit();
    videoReady = false;
}

// ---------------------------------------------------------------------------
// Window classes.

const WinApiHost::WindowClass* WinApiHost::findClass(LPCSTR className) const
{
    if (!className)
        return nullptr;
    for (const auto& windowClass : classes) {
        if (IS_INTRESOURCE(className)) {
            if (windowClass->atom == ATOM(reinterpret_cast<uintptr_t>(className)))
                return windowClass.get();
        } else if (sameName(windowClass->name, className)) {
            return windowClass.get();
        }
    }
    return nullptr;
}

ATOM WinApiHost::registerClass(const WNDCLASSEXA* windowClass)
{
    if (!windowClass || windowClass->cbSize != sizeof(WNDCLASSEXA) || !windowClass->lpfnWndProc
        || !windowClass->lpszClassName || IS_INTRESOURCE(windowClass->lpszClassName)
        || !windowClass->lpszClassName[0]) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (findClass(windowClass->lpszClassName)) {
        SetLastError(ERROR_CLASS_ALREADY_EXISTS);
        return 0;
    }
    auto record = std::make_unique<WindowClass>();
    record->name = windowClass->lpszClassName;
    record->record = *windowClass;
    record->record.lpszClassName = nullptr; // the caller's string may not outlive the call
    record->record.lpszMenuName = nullptr;
    record->atom = nextAtom++;
    const ATOM atom = record->atom;
    classes.push_back(std::move(record));
    return atom;
}

BOOL WinApiHost::unregisterClass(LPCSTR className)
{
    const WindowClass* windowClass = findClass(className);
    if (!windowClass) {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    for (const auto& entry : windows) {
        if (entry.second->windowClass == windowClass) {
            SetLastError(ERROR_INVALID_PARAMETER); // windows of the class still exist
            return FALSE;
        }
    }
    for (auto it = classes.begin(); it != classes.end(); ++it) {
        if (it->get() == windowClass) {
            classes.erase(it);
            break;
        }
    }
    return TRUE;
}

BOOL WinApiHost::getClassInfo(LPCSTR className, WNDCLASSEXA* windowClass)
{
    const WindowClass* found = findClass(className);
    if (!found || !windowClass) {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    *windowClass = found->record;
    windowClass->lpszClassName = found->name.c_str();
    return TRUE;
}

} // namespace Quorvel
