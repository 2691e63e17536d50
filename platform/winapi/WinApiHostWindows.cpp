// WinApiHost: windows, their SDL windows, showing, activation and focus,
// position and size.

#include "platform/winapi/WinApiHost.h"

#include <SDL.h>

#include <cstdio>

namespace Quorvel {

WinApiHost::Window* WinApiHost::find(HWND window)
{
    auto it = windows.find(window);
    return it == windows.end() ? nullptr : it->second.get();
}

const WinApiHost::Window* WinApiHost::find(HWND window) const
{
    auto it = windows.find(window);
    return it == windows.end() ? nullptr : it->second.get();
}

WinApiHost::Window* WinApiHost::windowOfDc(HDC dc)
{
    auto it = deviceContexts.find(dc);
    return it == deviceContexts.end() ? nullptr : find(it->second);
}

WinApiHost::Window* WinApiHost::windowOfSdl(uint32_t sdlWindowId)
{
    for (auto& entry : windows)
        if (entry.second->sdl && SDL_GetWindowID(entry.second->sdl) == sdlWindowId)
            return entry.second.get();
    return nullptr;
}

WNDPROC WinApiHost::windowProcOf(HWND window) const
{
    const Window* found = find(window);
    return found ? found->proc : nullptr;
}

HWND WinApiHost::createWindow(DWORD exStyle, LPCSTR className, LPCSTR title, DWORD style, int x, int y, int width,
                              int height, HWND parent, LPVOID param)
{
    const WindowClass* windowClass = findClass(className);
    if (!windowClass) {
        SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
        return nullptr;
    }
    if (parent && !find(parent)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    auto record = std::make_unique<Window>();
    record->handle = reinterpret_cast<HWND>(newHandle());
    record->title = title ? title : "";
    record->windowClass = windowClass;
    record->proc = windowClass->record.lpfnWndProc;
    record->style = style & ~DWORD(WS_VISIBLE);
    record->exStyle = exStyle;
    record->x = x == CW_USEDEFAULT ? 0 : x;
    record->y = y == CW_USEDEFAULT ? 0 : y;
    record->width = width == CW_USEDEFAULT ? 640 : (width < 0 ? 0 : width);
    record->height = height == CW_USEDEFAULT || height < 0 ? (width == CW_USEDEFAULT ? 480 : 0) : height;
    const HWND handle = record->handle;
    windows[handle] = std::move(record);

    CREATESTRUCTA create = {};
    create.lpCreateParams = param;
    create.hInstance = windowClass->record.hInstance;
    create.hwndParent = parent;
    create.cx = windows[handle]->width;
    create.cy = windows[handle]->height;
    create.x = windows[handle]->x;
    create.y = windows[handle]->y;
    create.style = LONG(style);
    create.lpszName = title;
    create.lpszClass = windowClass->name.c_str();
    create.dwExStyle = exStyle;
    const LPARAM createParam = reinterpret_cast<LPARAM>(&create);

    // The window procedure may refuse creation: FALSE to WM_NCCREATE, -1 to
    // WM_CREATE. It may also destroy the window itself meanwhile.
    if (!sendMessage(handle, WM_NCCREATE, 0, createParam) || !find(handle)) {
        destroyWindow(handle);
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (sendMessage(handle, WM_CREATE, 0, createParam) == -1 || !find(handle)) {
        destroyWindow(handle);
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (style & WS_VISIBLE)
        showWindow(handle, SW_SHOW);
    return handle;
}

void WinApiHost::destroySdlWindow(Window& window)
{
    if (!window.sdl)
        return;
    for (auto& entry : contexts) {
        if (entry.second.window == window.handle && entry.first == current) {
            SDL_GL_MakeCurrent(window.sdl, nullptr);
            current = nullptr;
            currentDc = nullptr;
        }
    }
    SDL_DestroyWindow(window.sdl);
    window.sdl = nullptr;
}

BOOL WinApiHost::destroyWindow(HWND handle)
{
    Window* window = find(handle);
    if (!window) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    sendMessage(handle, WM_DESTROY, 0, 0);
    sendMessage(handle, WM_NCDESTROY, 0, 0);
    window = find(handle);
    if (!window)
        return TRUE;
    destroySdlWindow(*window);
    if (window->dc)
        deviceContexts.erase(window->dc);
    for (auto& entry : contexts)
        if (entry.second.window == handle)
            entry.second.window = nullptr;
    queue.removeWindow(handle);
    if (focus == handle)
        focus = nullptr;
    if (foreground == handle)
        foreground = nullptr;
    windows.erase(handle);
    return TRUE;
}

BOOL WinApiHost::isVisible(HWND handle) const
{
    const Window* window = find(handle);
    return window && window->visible;
}

LRESULT WinApiHost::sendMessage(HWND handle, UINT message, WPARAM wParam, LPARAM lParam)
{
    const Window* window = find(handle);
    if (!window || !window->proc) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    return window->proc(handle, message, wParam, lParam);
}

BOOL WinApiHost::showWindow(HWND handle, int command)
{
    Window* window = find(handle);
    if (!window) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    const bool wasVisible = window->visible;
    if (command == SW_HIDE) {
        if (wasVisible) {
            sendMessage(handle, WM_SHOWWINDOW, FALSE, 0);
            window = find(handle);
            if (!window)
                return TRUE;
            window->visible = false;
            if (window->sdl)
                SDL_HideWindow(window->sdl);
            if (focus == handle)
                activate(handle, false);
        }
        return wasVisible ? TRUE : FALSE;
    }
    if (!wasVisible) {
        sendMessage(handle, WM_SHOWWINDOW, TRUE, 0);
        window = find(handle);
        if (!window)
            return FALSE;
        window->visible = true;
        if (materialise(*window))
            SDL_ShowWindow(window->sdl);
        sendMessage(handle, WM_SIZE, SIZE_RESTORED, MAKELPARAM(window->width, window->height));
        window = find(handle);
        if (!window)
            return FALSE;
        sendMessage(handle, WM_MOVE, 0, MAKELPARAM(window->x, window->y));
    }
    const bool activates = command != SW_SHOWNA && command != SW_SHOWNOACTIVATE && command != SW_SHOWMINNOACTIVE
        && command != SW_MINIMIZE;
    if (activates && find(handle))
        setForeground(handle);
    return wasVisible ? TRUE : FALSE;
}

void WinApiHost::activate(HWND handle, bool active)
{
    if (active) {
        if (foreground != handle) {
            const HWND previous = foreground;
            foreground = handle;
            sendMessage(handle, WM_ACTIVATEAPP, TRUE, 0);
            sendMessage(handle, WM_ACTIVATE, WA_ACTIVE, reinterpret_cast<LPARAM>(previous));
        }
        if (focus != handle && find(handle)) {
            const HWND previous = focus;
            focus = handle;
            sendMessage(handle, WM_SETFOCUS, reinterpret_cast<WPARAM>(previous), 0);
        }
    } else {
        if (focus == handle) {
            focus = nullptr;
            sendMessage(handle, WM_KILLFOCUS, 0, 0);
        }
        if (foreground == handle) {
            foreground = nullptr;
            sendMessage(handle, WM_ACTIVATE, WA_INACTIVE, 0);
            sendMessage(handle, WM_ACTIVATEAPP, FALSE, 0);
        }
    }
}

BOOL WinApiHost::setForeground(HWND handle)
{
    Window* window = find(handle);
    if (!window) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    if (window->sdl && window->visible)
        SDL_RaiseWindow(window->sdl);
    activate(handle, true);
    return TRUE;
}

HWND WinApiHost::setFocus(HWND handle)
{
    const HWND previous = focus;
    if (!handle) {
        if (focus)
            sendMessage(focus, WM_KILLFOCUS, 0, 0);
        focus = nullptr;
        return previous;
    }
    Window* window = find(handle);
    if (!window) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    if (window->sdl && window->visible)
        SDL_SetWindowInputFocus(window->sdl);
    if (focus != handle) {
        if (focus)
            sendMessage(focus, WM_KILLFOCUS, reinterpret_cast<WPARAM>(handle), 0);
        focus = handle;
        sendMessage(handle, WM_SETFOCUS, reinterpret_cast<WPARAM>(previous), 0);
    }
    return previous;
}

BOOL WinApiHost::setTitle(HWND handle, LPCSTR title)
{
    Window* window = find(handle);
    if (!window) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    window->title = title ? title : "";
    if (window->sdl)
        SDL_SetWindowTitle(window->sdl, window->title.c_str());
    return TRUE;
}

BOOL WinApiHost::moveWindow(HWND handle, int x, int y, int width, int height)
{
    Window* window = find(handle);
    if (!window) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    window->x = x;
    window->y = y;
    window->width = width < 0 ? 0 : width;
    window->height = height < 0 ? 0 : height;
    placeSdlWindow(*window);
    sendMessage(handle, WM_MOVE, 0, MAKELPARAM(x, y));
    sendMessage(handle, WM_SIZE, SIZE_RESTORED, MAKELPARAM(width, height));
    return TRUE;
}

// Place, size and frame (SWP_FRAMECHANGED applies a style set with
// SetWindowLong); the z-order flags have nothing to order here. WM_MOVE and
// WM_SIZE follow a change, as the default procedure sends them on Windows.
BOOL WinApiHost::setWindowPos(HWND handle, int x, int y, int width, int height, UINT flags)
{
    Window* window = find(handle);
    if (!window) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    if (flags & SWP_HIDEWINDOW)
        showWindow(handle, SW_HIDE);
    window = find(handle);
    if (!window)
        return TRUE;
    const bool moves = !(flags & SWP_NOMOVE) && (x != window->x || y != window->y);
    const bool sizes = !(flags & SWP_NOSIZE) && (width != window->width || height != window->height);
    if (!(flags & SWP_NOMOVE)) {
        window->x = x;
        window->y = y;
    }
    if (!(flags & SWP_NOSIZE)) {
        window->width = width < 0 ? 0 : width;
        window->height = height < 0 ? 0 : height;
    }
    if (moves || sizes || (flags & SWP_FRAMECHANGED))
        placeSdlWindow(*window);
    const int newX = window->x, newY = window->y, newWidth = window->width, newHeight = window->height;
    if (moves)
        sendMessage(handle, WM_MOVE, 0, MAKELPARAM(newX, newY));
    if (sizes || (flags & SWP_FRAMECHANGED))
        sendMessage(handle, WM_SIZE, SIZE_RESTORED, MAKELPARAM(newWidth, newHeight));
    if ((flags & SWP_SHOWWINDOW) && find(handle))
        showWindow(handle, (flags & SWP_NOACTIVATE) ? SW_SHOWNA : SW_SHOW);
    return TRUE;
}

LONG WinApiHost::windowLong(HWND handle, int index)
{
    const Window* window = find(handle);
    if (!window || (index != GWL_STYLE && index != GWL_EXSTYLE)) {
        SetLastError(window ? ERROR_INVALID_INDEX : ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    if (index == GWL_EXSTYLE)
        return LONG(window->exStyle);
    return LONG(window->style | (window->visible ? WS_VISIBLE : 0));
}

// The new style takes effect at the next SetWindowPos with SWP_FRAMECHANGED
// (or a move), as on Windows; WS_VISIBLE is left to ShowWindow.
LONG WinApiHost::setWindowLong(HWND handle, int index, LONG value)
{
    const LONG previous = windowLong(handle, index);
    Window* window = find(handle);
    if (!window || (index != GWL_STYLE && index != GWL_EXSTYLE))
        return 0;
    if (index == GWL_EXSTYLE)
        window->exStyle = DWORD(value);
    else
        window->style = DWORD(value) & ~DWORD(WS_VISIBLE);
    return previous;
}

BOOL WinApiHost::clientOrigin(HWND handle, POINT* origin)
{
    Window* window = find(handle);
    if (!window || !origin) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    int x = window->x, y = window->y;
    if (window->sdl && window->visible)
        SDL_GetWindowPosition(window->sdl, &x, &y);
    origin->x = x;
    origin->y = y;
    return TRUE;
}

BOOL WinApiHost::clientRect(HWND handle, RECT* rect)
{
    Window* window = find(handle);
    if (!window || !rect) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    rect->left = 0;
    rect->top = 0;
    rect->right = window->width;
    rect->bottom = window->height;
    return TRUE;
}

BOOL WinApiHost::windowRect(HWND handle, RECT* rect)
{
    POINT origin = {};
    if (!clientOrigin(handle, &origin) || !rect)
        return FALSE;
    const Window* window = find(handle);
    rect->left = origin.x;
    rect->top = origin.y;
    rect->right = origin.x + window->width;
    rect->bottom = origin.y + window->height;
    return TRUE;
}

int WinApiHost::showCursor(BOOL show)
{
    cursorCount += show ? 1 : -1;
    if (videoReady)
        SDL_ShowCursor(cursorCount >= 0 ? SDL_ENABLE : SDL_DISABLE);
    return cursorCount;
}

} // namespace Quorvel
