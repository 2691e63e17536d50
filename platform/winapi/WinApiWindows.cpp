// WinApiWindows: window classes and windows (what makes a window seen is the
// system's own: sdl/, web/).

#include "platform/winapi/WinApiWindows.h"

#include "platform/winapi/WinApiHandles.h"

#include <strings.h>

namespace Quorvel {

namespace {

bool sameName(const std::string& a, LPCSTR b)
{
    return b && strcasecmp(a.c_str(), b) == 0;
}

} // namespace

WinApiWindows::WinApiWindows(WinApiVideo& video, WinApiHandles& handles, const WinApiPixelFormats& pixelFormats,
                             const WinApiDisplayModes& displayModes, void (*onDisplayLost)())
    : video(video)
    , handles(handles)
    , pixelFormats(pixelFormats)
    , displayModes(displayModes)
    , onDisplayLost(onDisplayLost)
{
}

// ---------------------------------------------------------------------------
// Window classes.

const WinApiWindowClass* WinApiWindows::findClass(LPCSTR className) const
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

ATOM WinApiWindows::registerClass(const WNDCLASSEXA* windowClass)
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
    auto record = std::make_unique<WinApiWindowClass>();
    record->name = windowClass->lpszClassName;
    record->record = *windowClass;
    record->record.lpszClassName = nullptr; // the caller's string may not outlive the call
    record->record.lpszMenuName = nullptr;
    record->atom = nextAtom++;
    const ATOM atom = record->atom;
    classes.push_back(std::move(record));
    return atom;
}

BOOL WinApiWindows::unregisterClass(LPCSTR className)
{
    const WinApiWindowClass* windowClass = findClass(className);
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

BOOL WinApiWindows::getClassInfo(LPCSTR className, WNDCLASSEXA* windowClass) const
{
    const WinApiWindowClass* found = findClass(className);
    if (!found || !windowClass) {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    *windowClass = found->record;
    windowClass->lpszClassName = found->name.c_str();
    return TRUE;
}

// ---------------------------------------------------------------------------
// The records.

HWND WinApiWindows::add(const WinApiWindowClass& windowClass, DWORD exStyle, LPCSTR title, DWORD style, int x, int y,
                        int width, int height)
{
    auto record = std::make_unique<WinApiWindow>();
    record->handle = handles.make<HWND>();
    record->title = title ? title : "";
    record->windowClass = &windowClass;
    record->proc = windowClass.record.lpfnWndProc;
    record->style = style & ~DWORD(WS_VISIBLE);
    record->exStyle = exStyle;
    record->x = x == CW_USEDEFAULT ? 0 : x;
    record->y = y == CW_USEDEFAULT ? 0 : y;
    record->width = width == CW_USEDEFAULT ? 640 : (width < 0 ? 0 : width);
    record->height = height == CW_USEDEFAULT || height < 0 ? (width == CW_USEDEFAULT ? 480 : 0) : height;
    const HWND handle = record->handle;
    windows[handle] = std::move(record);
    return handle;
}

void WinApiWindows::remove(HWND handle)
{
    const WinApiWindow* window = find(handle);
    if (!window)
        return;
    if (window->dc)
        deviceContexts.erase(window->dc);
    windows.erase(handle);
}

WinApiWindow* WinApiWindows::find(HWND window)
{
    auto it = windows.find(window);
    return it == windows.end() ? nullptr : it->second.get();
}

const WinApiWindow* WinApiWindows::find(HWND window) const
{
    auto it = windows.find(window);
    return it == windows.end() ? nullptr : it->second.get();
}

WinApiWindow* WinApiWindows::findByDc(HDC dc)
{
    auto it = deviceContexts.find(dc);
    return it == deviceContexts.end() ? nullptr : find(it->second);
}

LRESULT WinApiWindows::send(HWND handle, UINT message, WPARAM wParam, LPARAM lParam)
{
    const WinApiWindow* window = find(handle);
    if (!window || !window->proc) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    return window->proc(handle, message, wParam, lParam);
}

HDC WinApiWindows::getDC(HWND handle)
{
    WinApiWindow* window = find(handle);
    if (!window) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    if (!window->dc) {
        window->dc = handles.make<HDC>();
        deviceContexts[window->dc] = handle;
    }
    return window->dc;
}

BOOL WinApiWindows::isVisible(HWND handle) const
{
    const WinApiWindow* window = find(handle);
    return window && window->visible;
}

BOOL WinApiWindows::setTitle(HWND handle, LPCSTR title)
{
    WinApiWindow* window = find(handle);
    if (!window) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    window->title = title ? title : "";
    retitleSurface(*window);
    return TRUE;
}

BOOL WinApiWindows::moveWindow(HWND handle, int x, int y, int width, int height)
{
    WinApiWindow* window = find(handle);
    if (!window) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    window->x = x;
    window->y = y;
    window->width = width < 0 ? 0 : width;
    window->height = height < 0 ? 0 : height;
    place(*window);
    send(handle, WM_MOVE, 0, MAKELPARAM(x, y));
    send(handle, WM_SIZE, SIZE_RESTORED, MAKELPARAM(width, height));
    return TRUE;
}

LONG WinApiWindows::windowLong(HWND handle, int index)
{
    const WinApiWindow* window = find(handle);
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
LONG WinApiWindows::setWindowLong(HWND handle, int index, LONG value)
{
    const LONG previous = windowLong(handle, index);
    WinApiWindow* window = find(handle);
    if (!window || (index != GWL_STYLE && index != GWL_EXSTYLE))
        return 0;
    if (index == GWL_EXSTYLE)
        window->exStyle = DWORD(value);
    else
        window->style = DWORD(value) & ~DWORD(WS_VISIBLE);
    return previous;
}

BOOL WinApiWindows::clientOrigin(HWND handle, POINT* origin)
{
    WinApiWindow* window = find(handle);
    if (!window || !origin) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    int x = window->x, y = window->y;
    surfacePosition(*window, x, y);
    origin->x = x;
    origin->y = y;
    return TRUE;
}

BOOL WinApiWindows::clientRect(HWND handle, RECT* rect)
{
    WinApiWindow* window = find(handle);
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

BOOL WinApiWindows::windowRect(HWND handle, RECT* rect)
{
    POINT origin = {};
    if (!clientOrigin(handle, &origin) || !rect)
        return FALSE;
    const WinApiWindow* window = find(handle);
    rect->left = origin.x;
    rect->top = origin.y;
    rect->right = origin.x + window->width;
    rect->bottom = origin.y + window->height;
    return TRUE;
}

// ---------------------------------------------------------------------------
// The windows on screen.

void WinApiWindows::placeAll()
{
    for (auto& entry : windows)
        place(*entry.second);
}

} // namespace Quorvel
