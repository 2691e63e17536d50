// WinApiMessages: the message queue, and SDL events (and signals) turned
// into window messages.

#include "platform/winapi/WinApiMessages.h"

#include "platform/winapi/WinApiFocus.h"
#include "platform/winapi/WinApiKeys.h"
#include "platform/winapi/WinApiSignals.h"
#include "platform/winapi/WinApiVideo.h"
#include "platform/winapi/WinApiWindows.h"

#include <SDL.h>

namespace Quorvel {

WinApiMessages::WinApiMessages(WinApiVideo& video, WinApiWindows& windows, WinApiFocus& focus,
                               WinApiHandles& handles)
    : video(video)
    , windows(windows)
    , focus(focus)
    , dropped(handles)
{
}

MSG WinApiMessages::makeMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) const
{
    MSG result = {};
    result.hwnd = window;
    result.message = message;
    result.wParam = wParam;
    result.lParam = lParam;
    result.time = timeGetTime();
    result.pt = focus.cursor();
    return result;
}

// ---------------------------------------------------------------------------
// The queue.

BOOL WinApiMessages::post(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (window && !windows.contains(window)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    queue.post(makeMessage(window, message, wParam, lParam));
    return TRUE;
}

BOOL WinApiMessages::postDroppedFile(HWND window, const std::string& path)
{
    if (!window)
        window = focus.focused() ? focus.focused() : focus.foregroundWindow();
    const WinApiWindow* target = window ? windows.find(window) : nullptr;
    if (!target || !(target->exStyle & WS_EX_ACCEPTFILES) || !WinApiDrops::acceptable(path))
        return FALSE;
    const HDROP drop = dropped.add({path});
    if (!drop)
        return FALSE;
    queue.post(makeMessage(window, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0));
    return TRUE;
}

BOOL WinApiMessages::peek(MSG* message, HWND window, UINT first, UINT last, UINT flags)
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

BOOL WinApiMessages::get(MSG* message, HWND window, UINT first, UINT last)
{
    if (!message) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return -1;
    }
    while (!peek(message, window, first, last, PM_REMOVE)) {
        if (video.ready())
            SDL_WaitEventTimeout(nullptr, 10);
        else
            SDL_Delay(10);
    }
    return message->message == WM_QUIT ? FALSE : TRUE;
}

BOOL WinApiMessages::translate(const MSG* message)
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

LRESULT WinApiMessages::dispatch(const MSG* message)
{
    if (!message || !message->hwnd)
        return 0;
    return windows.send(message->hwnd, message->message, message->wParam, message->lParam);
}

// ---------------------------------------------------------------------------
// Keyboard states.

const WinApiKeyboardState& WinApiMessages::keyState()
{
    video.ensure();
    return syncKeys;
}

const WinApiKeyboardState& WinApiMessages::asyncKeyState()
{
    if (video.ensure())
        pump();
    return asyncKeys;
}

void WinApiMessages::readLocks()
{
    const SDL_Keymod locks = SDL_GetModState();
    for (WinApiKeyboardState* state : {&syncKeys, &asyncKeys}) {
        state->setToggled(VK_CAPITAL, (locks & KMOD_CAPS) != 0);
        state->setToggled(VK_NUMLOCK, (locks & KMOD_NUM) != 0);
        state->setToggled(VK_SCROLL, (locks & KMOD_SCROLL) != 0);
    }
}

// ---------------------------------------------------------------------------
// Events into messages.

void WinApiMessages::pump()
{
    while (WinApiSignals::pending()) {
        if (windows.empty())
            break; // kept until there is a window to close
        for (const auto& entry : windows.all())
            if (!(entry.second->style & WS_CHILD))
                queue.post(makeMessage(entry.first, WM_CLOSE, 0, 0));
        WinApiSignals::delivered();
    }
    if (!video.ready())
        return;
    SDL_Event event;
    while (SDL_PollEvent(&event))
        translate(event);
}

WPARAM WinApiMessages::mouseKeyFlags() const
{
    WPARAM flags = mouseButtons;
    if (asyncKeys.isDown(VK_SHIFT))
        flags |= MK_SHIFT;
    if (asyncKeys.isDown(VK_CONTROL))
        flags |= MK_CONTROL;
    return flags;
}

void WinApiMessages::postMouse(WinApiWindow& window, UINT message, WPARAM extra, int x, int y)
{
    const WPARAM wParam = (mouseKeyFlags() & 0xFFFF) | (extra << 16);
    MSG posted = makeMessage(window.handle, message, wParam, MAKELPARAM(x, y));
    queue.postInput(posted, WinApiKeyChange());
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
        POINT origin = {};
        windows.clientOrigin(window->handle, &origin);
        focus.cursorMoved(origin.x + event.motion.x, origin.y + event.motion.y);
        postMouse(*window, WM_MOUSEMOVE, 0, event.motion.x, event.motion.y);
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

void WinApiMessages::translateButton(const SDL_Event& event)
{
    if (event.button.which == SDL_TOUCH_MOUSEID)
        return;
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
    WinApiWindow* window = windows.findBySdl(event.button.windowID);
    if (!window)
        return;
    // A second click turns into a double-click for classes that ask.
    if (down && event.button.clicks == 2 && (window->windowClass->record.style & CS_DBLCLKS))
        message += WM_LBUTTONDBLCLK - WM_LBUTTONDOWN;
    POINT origin = {};
    windows.clientOrigin(window->handle, &origin);
    focus.cursorMoved(origin.x + event.button.x, origin.y + event.button.y);
    postMouse(*window, message, extra, event.button.x, event.button.y);
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
    // The wheel messages carry the cursor in screen coordinates.
    const POINT cursor = focus.cursor();
    const struct {
        int amount;
        UINT message;
    } wheels[] = {{event.wheel.y, WM_MOUSEWHEEL}, {event.wheel.x, WM_MOUSEHWHEEL}};
    for (const auto& wheel : wheels) {
        if (!wheel.amount)
            continue;
        const WPARAM wParam
            = (mouseKeyFlags() & 0xFFFF) | (WPARAM(WORD(short(sign * wheel.amount * WHEEL_DELTA))) << 16);
        queue.postInput(makeMessage(window->handle, wheel.message, wParam, MAKELPARAM(cursor.x, cursor.y)),
                        WinApiKeyChange());
    }
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
            window->width = event.window.data1;
            window->height = event.window.data2;
            windows.send(handle, WM_SIZE, SIZE_RESTORED, MAKELPARAM(event.window.data1, event.window.data2));
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
