// WinApiHost: the message queue, and SDL events (and signals) turned into
// window messages.

#include "platform/winapi/WinApiHost.h"

#include "platform/winapi/WinApiKeys.h"
#include "platform/winapi/WinApiSignals.h"

#include <SDL.h>

namespace Quorvel {

MSG WinApiHost::makeMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) const
{
    MSG result = {};
    result.hwnd = window;
    result.message = message;
    result.wParam = wParam;
    result.lParam = lParam;
    result.time = timeGetTime();
    result.pt = cursor;
    return result;
}

BOOL WinApiHost::postMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (window && !find(window)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    queue.post(makeMessage(window, message, wParam, lParam));
    return TRUE;
}

BOOL WinApiHost::peekMessage(MSG* message, HWND window, UINT first, UINT last, UINT flags)
{
    if (!message) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    pump();
    MSG found = {};
    WinApiKeyChange change;
    if (!queue.take(found, change, window, first, last, (flags & PM_REMOVE) != 0))
        return FALSE;
    if (flags & PM_REMOVE)
        syncKeys.apply(change);
    *message = found;
    return TRUE;
}

BOOL WinApiHost::getMessage(MSG* message, HWND window, UINT first, UINT last)
{
    if (!message) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return -1;
    }
    while (!peekMessage(message, window, first, last, PM_REMOVE)) {
        if (videoReady)
            SDL_WaitEventTimeout(nullptr, 10);
        else
            SDL_Delay(10);
    }
    return message->message == WM_QUIT ? FALSE : TRUE;
}

BOOL WinApiHost::translateMessage(const MSG* message)
{
    if (!message)
        return FALSE;
    const UINT kind = message->message;
    if (kind != WM_KEYDOWN && kind != WM_SYSKEYDOWN && kind != WM_KEYUP && kind != WM_SYSKEYUP)
        return FALSE;
    if (kind == WM_KEYDOWN || kind == WM_SYSKEYDOWN) {
        WORD character = 0;
        if (WinApiKeys::toAscii(UINT(message->wParam), syncKeys.data(), &character) == 1) {
            const UINT charMessage = kind == WM_SYSKEYDOWN ? WM_SYSCHAR : WM_CHAR;
            queue.post(makeMessage(message->hwnd, charMessage, character, message->lParam));
        }
    }
    return TRUE;
}

LRESULT WinApiHost::dispatchMessage(const MSG* message)
{
    if (!message || !message->hwnd)
        return 0;
    return sendMessage(message->hwnd, message->message, message->wParam, message->lParam);
}

WPARAM WinApiHost::mouseKeyFlags() const
{
    WPARAM flags = mouseButtons;
    if (asyncKeys.isDown(VK_SHIFT))
        flags |= MK_SHIFT;
    if (asyncKeys.isDown(VK_CONTROL))
        flags |= MK_CONTROL;
    return flags;
}

void WinApiHost::postMouse(Window& window, UINT message, WPARAM extra, int x, int y)
{
    const WPARAM wParam = (mouseKeyFlags() & 0xFFFF) | (extra << 16);
    MSG posted = makeMessage(window.handle, message, wParam, MAKELPARAM(x, y));
    queue.postInput(posted, WinApiKeyChange());
}

void WinApiHost::pump()
{
    while (WinApiSignals::pending()) {
        if (windows.empty())
            break; // kept until there is a window to close
        for (const auto& entry : windows)
            if (!(entry.second->style & WS_CHILD))
                queue.post(makeMessage(entry.first, WM_CLOSE, 0, 0));
        WinApiSignals::delivered();
    }
    if (!videoReady)
        return;
    SDL_Event event;
    while (SDL_PollEvent(&event))
        translate(event);
}

void WinApiHost::translateKey(const SDL_Event& event)
{
    const bool down = event.type == SDL_KEYDOWN;
    const bool numLock = (event.key.keysym.mod & KMOD_NUM) != 0;
    const WinApiKey key = WinApiKeys::translate(event.key.keysym.scancode, event.key.keysym.sym, numLock);
    if (!key.virtualKey)
        return;
    Window* window = windowOfSdl(event.key.windowID);
    if (!window)
        window = find(focus);

    const bool altBefore = asyncKeys.isDown(VK_MENU);
    const bool wasDown = asyncKeys.isDown(key.sidedKey);
    WinApiKeyChange change;
    change.virtualKey = key.virtualKey;
    change.sidedKey = key.sidedKey;
    change.down = down;
    change.repeat = down && (event.key.repeat != 0 || wasDown);
    asyncKeys.apply(change);
    const bool altAfter = asyncKeys.isDown(VK_MENU);
    const bool ctrlAfter = asyncKeys.isDown(VK_CONTROL);

    if (!window) {
        syncKeys.apply(change);
        return;
    }
    const UINT message = WinApiKeys::messageFor(key, down, altBefore, altAfter, ctrlAfter);
    const LPARAM lParam = WinApiKeys::keyLParam(key, message, down, wasDown, altAfter);
    queue.postInput(makeMessage(window->handle, message, key.virtualKey, lParam), change);
}

void WinApiHost::translate(const SDL_Event& event)
{
    switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        translateKey(event);
        break;
    case SDL_MOUSEMOTION: {
        if (event.motion.which == SDL_TOUCH_MOUSEID)
            break;
        Window* window = windowOfSdl(event.motion.windowID);
        if (!window)
            break;
        POINT origin = {};
        clientOrigin(window->handle, &origin);
        cursor.x = origin.x + event.motion.x;
        cursor.y = origin.y + event.motion.y;
        postMouse(*window, WM_MOUSEMOVE, 0, event.motion.x, event.motion.y);
        break;
    }
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
        if (event.button.which == SDL_TOUCH_MOUSEID)
            break;
        const bool down = event.type == SDL_MOUSEBUTTONDOWN;
        UINT message = 0;
        WPARAM flag = 0;
        WPARAM extra = 0;
        switch (event.button.button) {
        case SDL_BUTTON_LEFT:
            message = down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
            flag = MK_LBUTTON;
            break;
        case SDL_BUTTON_RIGHT:
            message = down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
            flag = MK_RBUTTON;
            break;
        case SDL_BUTTON_MIDDLE:
            message = down ? WM_MBUTTONDOWN : WM_MBUTTONUP;
            flag = MK_MBUTTON;
            break;
        case SDL_BUTTON_X1:
            message = down ? WM_XBUTTONDOWN : WM_XBUTTONUP;
            flag = MK_XBUTTON1;
            extra = XBUTTON1;
            break;
        case SDL_BUTTON_X2:
            message = down ? WM_XBUTTONDOWN : WM_XBUTTONUP;
            flag = MK_XBUTTON2;
            extra = XBUTTON2;
            break;
        default:
            return;
        }
        if (down)
            mouseButtons |= uint32_t(flag);
        else
            mouseButtons &= ~uint32_t(flag);
        Window* window = windowOfSdl(event.button.windowID);
        if (!window)
            break;
        // A second click turns into a double-click for classes that ask.
        if (down && event.button.clicks == 2 && (window->windowClass->record.style & CS_DBLCLKS))
            message += WM_LBUTTONDBLCLK - WM_LBUTTONDOWN;
        POINT origin = {};
        clientOrigin(window->handle, &origin);
        cursor.x = origin.x + event.button.x;
        cursor.y = origin.y + event.button.y;
        postMouse(*window, message, extra, event.button.x, event.button.y);
        break;
    }
    case SDL_MOUSEWHEEL: {
        if (event.wheel.which == SDL_TOUCH_MOUSEID)
            break;
        Window* window = windowOfSdl(event.wheel.windowID);
        if (!window)
            window = find(focus);
        if (!window)
            break;
        const int sign = event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -1 : 1;
        // The wheel messages carry the cursor in screen coordinates.
        if (event.wheel.y) {
            const WPARAM wParam = (mouseKeyFlags() & 0xFFFF)
                | (WPARAM(WORD(short(sign * event.wheel.y * WHEEL_DELTA))) << 16);
            queue.postInput(makeMessage(window->handle, WM_MOUSEWHEEL, wParam, MAKELPARAM(cursor.x, cursor.y)),
                            WinApiKeyChange());
        }
        if (event.wheel.x) {
            const WPARAM wParam = (mouseKeyFlags() & 0xFFFF)
                | (WPARAM(WORD(short(sign * event.wheel.x * WHEEL_DELTA))) << 16);
            queue.postInput(makeMessage(window->handle, WM_MOUSEHWHEEL, wParam, MAKELPARAM(cursor.x, cursor.y)),
                            WinApiKeyChange());
        }
        break;
    }
    case SDL_WINDOWEVENT: {
        Window* window = windowOfSdl(event.window.windowID);
        if (!window)
            break;
        const HWND handle = window->handle;
        switch (event.window.event) {
        case SDL_WINDOWEVENT_CLOSE:
            queue.post(makeMessage(handle, WM_CLOSE, 0, 0));
            break;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            activate(handle, true);
            break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            activate(handle, false);
            break;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            if (event.window.data1 != window->width || event.window.data2 != window->height) {
                window->width = event.window.data1;
                window->height = event.window.data2;
                sendMessage(handle, WM_SIZE, SIZE_RESTORED, MAKELPARAM(event.window.data1, event.window.data2));
            }
            break;
        case SDL_WINDOWEVENT_MOVED:
            if (event.window.data1 != window->x || event.window.data2 != window->y) {
                window->x = event.window.data1;
                window->y = event.window.data2;
                sendMessage(handle, WM_MOVE, 0, MAKELPARAM(event.window.data1, event.window.data2));
            }
            break;
        default:
            break;
        }
        break;
    }
    default:
        break;
    }
}

const WinApiKeyboardState& WinApiHost::keyState()
{
    ensureVideo();
    return syncKeys;
}

const WinApiKeyboardState& WinApiHost::asyncKeyState()
{
    if (ensureVideo())
        pump();
    return asyncKeys;
}

} // namespace Quorvel
