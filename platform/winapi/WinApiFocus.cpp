// WinApiFocus: the cursor, activation and the keyboard focus (what the system
// under the layer does with them is in sdl/ and web/).

#include "platform/winapi/WinApiFocus.h"

#include "platform/winapi/WinApiVideo.h"
#include "platform/winapi/WinApiWindows.h"

namespace Quorvel {

WinApiFocus::WinApiFocus(WinApiVideo& video, WinApiWindows& windows)
    : video(video)
    , windows(windows)
{
}

// ---------------------------------------------------------------------------
// Cursor.

int WinApiFocus::showCursor(BOOL show)
{
    cursorCount += show ? 1 : -1;
    if (video.ready())
        showNativeCursor(cursorCount >= 0);
    return cursorCount;
}

BOOL WinApiFocus::setCursorPos(int x, int y)
{
    position.x = x;
    position.y = y;
    if (!video.ensure())
        return TRUE; // no display: the position is only remembered
    warpCursor(x, y);
    return TRUE;
}

BOOL WinApiFocus::getCursorPos(POINT* point)
{
    if (!point) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (video.ensure())
        readCursor();
    *point = position;
    return TRUE;
}

// ---------------------------------------------------------------------------
// Activation and focus.

void WinApiFocus::activate(HWND handle, bool active)
{
    if (active) {
        if (foreground != handle) {
            const HWND previous = foreground;
            foreground = handle;
            windows.send(handle, WM_ACTIVATEAPP, TRUE, 0);
            windows.send(handle, WM_ACTIVATE, WA_ACTIVE, reinterpret_cast<LPARAM>(previous));
        }
        if (focus != handle && windows.contains(handle)) {
            const HWND previous = focus;
            focus = handle;
            windows.send(handle, WM_SETFOCUS, reinterpret_cast<WPARAM>(previous), 0);
        }
    } else {
        if (focus == handle) {
            focus = nullptr;
            windows.send(handle, WM_KILLFOCUS, 0, 0);
        }
        if (foreground == handle) {
            foreground = nullptr;
            windows.send(handle, WM_ACTIVATE, WA_INACTIVE, 0);
            windows.send(handle, WM_ACTIVATEAPP, FALSE, 0);
        }
    }
}

BOOL WinApiFocus::setForeground(HWND handle)
{
    WinApiWindow* window = windows.find(handle);
    if (!window) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    if (window->hasSurface() && window->visible)
        raise(*window);
    activate(handle, true);
    return TRUE;
}

HWND WinApiFocus::setFocus(HWND handle)
{
    const HWND previous = focus;
    if (!handle) {
        if (focus)
            windows.send(focus, WM_KILLFOCUS, 0, 0);
        focus = nullptr;
        return previous;
    }
    WinApiWindow* window = windows.find(handle);
    if (!window) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    if (window->hasSurface() && window->visible)
        giveInputFocus(*window);
    if (focus != handle) {
        if (focus)
            windows.send(focus, WM_KILLFOCUS, reinterpret_cast<WPARAM>(handle), 0);
        focus = handle;
        windows.send(handle, WM_SETFOCUS, reinterpret_cast<WPARAM>(previous), 0);
    }
    return previous;
}

void WinApiFocus::forget(HWND window)
{
    if (focus == window)
        focus = nullptr;
    if (foreground == window)
        foreground = nullptr;
}

} // namespace Quorvel
