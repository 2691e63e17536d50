// WinApiFocus: the cursor, activation and the keyboard focus on SDL.

#include "platform/winapi/WinApiFocus.h"

#include "platform/winapi/WinApiVideo.h"
#include "platform/winapi/WinApiWindows.h"

#include <SDL.h>

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
        SDL_ShowCursor(cursorCount >= 0 ? SDL_ENABLE : SDL_DISABLE);
    return cursorCount;
}

BOOL WinApiFocus::setCursorPos(int x, int y)
{
    position.x = x;
    position.y = y;
    if (!video.ensure())
        return TRUE; // no display: the position is only remembered
    for (auto& entry : windows.all()) {
        WinApiWindow& window = *entry.second;
        if (!window.sdl || !window.visible)
            continue;
        POINT origin = {};
        windows.clientOrigin(window.handle, &origin);
        if (x >= origin.x && y >= origin.y && x < origin.x + window.width && y < origin.y + window.height) {
            SDL_WarpMouseInWindow(window.sdl, x - origin.x, y - origin.y);
            return TRUE;
        }
    }
    SDL_WarpMouseGlobal(x, y);
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

void WinApiFocus::readCursor()
{
    int x = 0, y = 0;
    SDL_GetGlobalMouseState(&x, &y);
    position.x = x;
    position.y = y;
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
    if (window->sdl && window->visible)
        SDL_RaiseWindow(window->sdl);
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
    if (window->sdl && window->visible)
        SDL_SetWindowInputFocus(window->sdl);
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
