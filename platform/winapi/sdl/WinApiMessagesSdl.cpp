// WinApiMessages on SDL: SDL's events (keys, mouse, window changes) turned
// into window messages.

#include "platform/winapi/WinApiMessages.h"

#include "platform/winapi/WinApiFocus.h"
#include "platform/winapi/WinApiKeys.h"
#include "platform/winapi/WinApiVideo.h"
#include "platform/winapi/WinApiWindows.h"

#include <SDL.h>

namespace Quorvel {

void WinApiMessages::readLocks()
{
    const SDL_Keymod locks = SDL_GetModState();
    for (WinApiKeyboardState* state : {&syncKeys, &asyncKeys}) {
        state->setToggled(VK_CAPITAL, (locks & KMOD_CAPS) != 0);
        state->setToggled(VK_NUMLOCK, (locks & KMOD_NUM) != 0);
        state->setToggled(VK_SCROLL, (locks & KMOD_SCROLL) != 0);
    }
}

void WinApiMessages::waitForEvents(int milliseconds)
{
    if (video.ready())
        SDL_WaitEventTimeout(nullptr, milliseconds);
    else
        SDL_Delay(Uint32(milliseconds));
}

void WinApiMessages::pollEvents()
{
    SDL_Event event;
    while (SDL_PollEvent(&event))
        translate(event);
}

void WinApiMessages::translate(const SDL_Event& event)
{
    switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        translateKey(event);
        break;
    case SDL_MOUSEMOTION: {
        if (event.motion.which == SDL_TOUCH_MOUSEID)
            break;
        WinApiWindow* window = windows.findBySdl(event.motion.windowID);
        if (!window)
            break;
        mouseMoved(*window, event.motion.x, event.motion.y);
        break;
    }
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        translateButton(event);
        break;
    case SDL_MOUSEWHEEL:
        translateWheel(event);
        break;
    case SDL_WINDOWEVENT:
        translateWindowEvent(event);
        break;
    case SDL_DROPFILE:
    case SDL_DROPTEXT:
        translateDrop(event);
        break;
    default:
        break;
    }
}

void WinApiMessages::translateKey(const SDL_Event& event)
{
    const bool down = event.type == SDL_KEYDOWN;
    const bool numLock = (event.key.keysym.mod & KMOD_NUM) != 0;
    const WinApiKey key = WinApiKeys::translate(event.key.keysym.scancode, event.key.keysym.sym, numLock);
    if (!key.virtualKey)
        return;
    WinApiWindow* window = windows.findBySdl(event.key.windowID);
    if (!window)
        window = windows.find(focus.focused());

    keyEvent(window, key, down, event.key.repeat != 0);
}

void WinApiMessages::translateButton(const SDL_Event& event)
{
    if (event.button.which == SDL_TOUCH_MOUSEID)
        return;
    const bool down = event.type == SDL_MOUSEBUTTONDOWN;
    WinApiMouseButton button;
    switch (event.button.button) {
    case SDL_BUTTON_LEFT:
        button = WinApiMouseButton::Left;
        break;
    case SDL_BUTTON_RIGHT:
        button = WinApiMouseButton::Right;
        break;
    case SDL_BUTTON_MIDDLE:
        button = WinApiMouseButton::Middle;
        break;
    case SDL_BUTTON_X1:
        button = WinApiMouseButton::X1;
        break;
    case SDL_BUTTON_X2:
        button = WinApiMouseButton::X2;
        break;
    default:
        return;
    }
    buttonEvent(windows.findBySdl(event.button.windowID), button, down, event.button.clicks == 2, event.button.x,
                event.button.y);
}

void WinApiMessages::translateWheel(const SDL_Event& event)
{
    if (event.wheel.which == SDL_TOUCH_MOUSEID)
        return;
    WinApiWindow* window = windows.findBySdl(event.wheel.windowID);
    if (!window)
        window = windows.find(focus.focused());
    if (!window)
        return;
    const int sign = event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -1 : 1;
    wheelEvent(*window, sign * event.wheel.y, sign * event.wheel.x);
}

void WinApiMessages::translateWindowEvent(const SDL_Event& event)
{
    WinApiWindow* window = windows.findBySdl(event.window.windowID);
    if (!window)
        return;
    const HWND handle = window->handle;
    switch (event.window.event) {
    case SDL_WINDOWEVENT_CLOSE:
        queue.post(makeMessage(handle, WM_CLOSE, 0, 0));
        break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        focus.activate(handle, true);
        break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
        focus.activate(handle, false);
        break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
        if (event.window.data1 != window->width || event.window.data2 != window->height) {
            resized(*window, event.window.data1, event.window.data2);
        }
        break;
    case SDL_WINDOWEVENT_MOVED:
        if (event.window.data1 != window->x || event.window.data2 != window->y) {
            window->x = event.window.data1;
            window->y = event.window.data2;
            windows.send(handle, WM_MOVE, 0, MAKELPARAM(event.window.data1, event.window.data2));
        }
        break;
    default:
        break;
    }
}

// One file per SDL drop event (SDL hands a drop of several files over as
// several events); the text SDL allocated for it is ours to free.
void WinApiMessages::translateDrop(const SDL_Event& event)
{
    if (!event.drop.file)
        return;
    if (event.type == SDL_DROPFILE) {
        const WinApiWindow* window = windows.findBySdl(event.drop.windowID);
        postDroppedFile(window ? window->handle : nullptr, event.drop.file);
    }
    SDL_free(event.drop.file);
}

} // namespace Quorvel
