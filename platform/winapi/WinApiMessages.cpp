// WinApiMessages: the message queue, and the system's events (and signals)
// turned into window messages (the events themselves: sdl/, web/).

#include "platform/winapi/WinApiMessages.h"

#include "platform/winapi/WinApiFocus.h"
#include "platform/winapi/WinApiKeys.h"
#include "platform/winapi/WinApiSignals.h"
#include "platform/winapi/WinApiVideo.h"
#include "platform/winapi/WinApiWindows.h"

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
    while (!peek(message, window, first, last, PM_REMOVE))
        waitForEvents(10);
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
    if (video.ready())
        pollEvents();
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


// ---------------------------------------------------------------------------
// Input events, as each system reports them, into messages.

void WinApiMessages::keyEvent(WinApiWindow* window, const WinApiKey& key, bool down, bool autoRepeat)
{
    const bool altBefore = asyncKeys.isDown(VK_MENU);
    const bool wasDown = asyncKeys.isDown(key.sidedKey);
    WinApiKeyChange change;
    change.virtualKey = key.virtualKey;
    change.sidedKey = key.sidedKey;
    change.down = down;
    change.repeat = down && (autoRepeat || wasDown);
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

void WinApiMessages::mouseMoved(WinApiWindow& window, int x, int y)
{
    POINT origin = {};
    windows.clientOrigin(window.handle, &origin);
    focus.cursorMoved(origin.x + x, origin.y + y);
    postMouse(window, WM_MOUSEMOVE, 0, x, y);
}

void WinApiMessages::buttonEvent(WinApiWindow* window, WinApiMouseButton button, bool down, bool doubleClick, int x,
                                 int y)
{
    struct Row {
        UINT down, up;
        WPARAM flag, extra;
    };
    static const Row rows[] = {
        {WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON, 0},
        {WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON, 0},
        {WM_MBUTTONDOWN, WM_MBUTTONUP, MK_MBUTTON, 0},
        {WM_XBUTTONDOWN, WM_XBUTTONUP, MK_XBUTTON1, XBUTTON1},
        {WM_XBUTTONDOWN, WM_XBUTTONUP, MK_XBUTTON2, XBUTTON2},
    };
    const Row& row = rows[int(button)];
    UINT message = down ? row.down : row.up;
    if (down)
        mouseButtons |= uint32_t(row.flag);
    else
        mouseButtons &= ~uint32_t(row.flag);
    if (!window)
        return;
    // A second click turns into a double-click for classes that ask.
    if (down && doubleClick && (window->windowClass->record.style & CS_DBLCLKS))
        message += WM_LBUTTONDBLCLK - WM_LBUTTONDOWN;
    POINT origin = {};
    windows.clientOrigin(window->handle, &origin);
    focus.cursorMoved(origin.x + x, origin.y + y);
    postMouse(*window, message, row.extra, x, y);
}

void WinApiMessages::wheelEvent(WinApiWindow& window, int notchesUp, int notchesRight)
{
    // The wheel messages carry the cursor in screen coordinates.
    const POINT cursor = focus.cursor();
    const struct {
        int amount;
        UINT message;
    } wheels[] = {{notchesUp, WM_MOUSEWHEEL}, {notchesRight, WM_MOUSEHWHEEL}};
    for (const auto& wheel : wheels) {
        if (!wheel.amount)
            continue;
        const WPARAM wParam = (mouseKeyFlags() & 0xFFFF) | (WPARAM(WORD(short(wheel.amount * WHEEL_DELTA))) << 16);
        queue.postInput(makeMessage(window.handle, wheel.message, wParam, MAKELPARAM(cursor.x, cursor.y)),
                        WinApiKeyChange());
    }
}

void WinApiMessages::resized(WinApiWindow& window, int width, int height)
{
    window.width = width;
    window.height = height;
    windows.send(window.handle, WM_SIZE, SIZE_RESTORED, MAKELPARAM(width, height));
}

} // namespace Quorvel
