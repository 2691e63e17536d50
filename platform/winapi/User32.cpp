// The user32 part of the layer: window classes and windows, messages,
// keyboard, cursor, display settings and message boxes, on the parts of
// WinApiHost.

#include "platform/winapi/WinApiHost.h"
#include "platform/winapi/WinApiKeys.h"
#include "platform/winapi/include/windows.h"

#include <cstring>

using Quorvel::WinApiHost;
using Quorvel::WinApiKeys;

ATOM WINAPI RegisterClassExA(const WNDCLASSEXA* windowClass)
{
    return WinApiHost::instance().windows().registerClass(windowClass);
}

BOOL WINAPI UnregisterClassA(LPCSTR className, HINSTANCE)
{
    return WinApiHost::instance().windows().unregisterClass(className);
}

BOOL WINAPI GetClassInfoExA(HINSTANCE, LPCSTR className, WNDCLASSEXA* windowClass)
{
    return WinApiHost::instance().windows().getClassInfo(className, windowClass);
}

HWND WINAPI CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width,
                            int height, HWND parent, HMENU, HINSTANCE, LPVOID param)
{
    return WinApiHost::instance().createWindow(exStyle, className, windowName, style, x, y, width, height, parent,
                                               param);
}

BOOL WINAPI DestroyWindow(HWND window)
{
    return WinApiHost::instance().destroyWindow(window);
}

BOOL WINAPI IsWindow(HWND window)
{
    return WinApiHost::instance().windows().contains(window) ? TRUE : FALSE;
}

BOOL WINAPI IsWindowVisible(HWND window)
{
    return WinApiHost::instance().windows().isVisible(window);
}

BOOL WINAPI ShowWindow(HWND window, int command)
{
    return WinApiHost::instance().showWindow(window, command);
}

BOOL WINAPI UpdateWindow(HWND window)
{
    return IsWindow(window);
}

BOOL WINAPI SetForegroundWindow(HWND window)
{
    return WinApiHost::instance().focus().setForeground(window);
}

HWND WINAPI GetForegroundWindow()
{
    return WinApiHost::instance().focus().foregroundWindow();
}

HWND WINAPI SetFocus(HWND window)
{
    return WinApiHost::instance().focus().setFocus(window);
}

HWND WINAPI GetFocus()
{
    return WinApiHost::instance().focus().focused();
}

BOOL WINAPI SetWindowTextA(HWND window, LPCSTR text)
{
    return WinApiHost::instance().windows().setTitle(window, text);
}

BOOL WINAPI GetClientRect(HWND window, LPRECT rect)
{
    return WinApiHost::instance().windows().clientRect(window, rect);
}

BOOL WINAPI GetWindowRect(HWND window, LPRECT rect)
{
    return WinApiHost::instance().windows().windowRect(window, rect);
}

// Windows without a caption or border have no frame here; others keep the
// client size (the frame belongs to the window system).
BOOL WINAPI AdjustWindowRectEx(LPRECT rect, DWORD, BOOL, DWORD)
{
    return rect ? TRUE : FALSE;
}

BOOL WINAPI MoveWindow(HWND window, int x, int y, int width, int height, BOOL)
{
    return WinApiHost::instance().windows().moveWindow(window, x, y, width, height);
}

BOOL WINAPI SetWindowPos(HWND window, HWND, int x, int y, int width, int height, UINT flags)
{
    return WinApiHost::instance().setWindowPos(window, x, y, width, height, flags);
}

LONG WINAPI GetWindowLongA(HWND window, int index)
{
    return WinApiHost::instance().windows().windowLong(window, index);
}

LONG WINAPI SetWindowLongA(HWND window, int index, LONG value)
{
    return WinApiHost::instance().windows().setWindowLong(window, index, value);
}

LRESULT WINAPI DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_NCCREATE:
        return TRUE;
    case WM_CLOSE:
        DestroyWindow(window);
        return 0;
    case WM_SYSKEYDOWN:
        // Alt+F4 asks the window to close.
        if (wParam == VK_F4 && (HIWORD(lParam) & KF_ALTDOWN))
            SendMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
        return 0;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE)
            SendMessageA(window, WM_CLOSE, 0, 0);
        return 0;
    default:
        return 0;
    }
}

LRESULT WINAPI CallWindowProcA(WNDPROC proc, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return proc ? proc(window, message, wParam, lParam) : 0;
}

// Icons and cursors are the system's own; any stock name gives a handle.
HICON WINAPI LoadIconA(HINSTANCE instance, LPCSTR name)
{
    if (instance || !name || !IS_INTRESOURCE(name))
        return nullptr; // the program carries no icon resources
    return reinterpret_cast<HICON>(reinterpret_cast<uintptr_t>(name) << 4);
}

HCURSOR WINAPI LoadCursorA(HINSTANCE instance, LPCSTR name)
{
    if (instance || !name || !IS_INTRESOURCE(name))
        return nullptr;
    return reinterpret_cast<HCURSOR>((reinterpret_cast<uintptr_t>(name) << 4) | 0x8);
}

HCURSOR WINAPI SetCursor(HCURSOR cursor)
{
    static HCURSOR currentCursor = nullptr;
    const HCURSOR previous = currentCursor;
    currentCursor = cursor;
    return previous;
}

int WINAPI ShowCursor(BOOL show)
{
    return WinApiHost::instance().focus().showCursor(show);
}

int WINAPI GetSystemMetrics(int index)
{
    switch (index) {
    case SM_CXSCREEN:
        return WinApiHost::instance().displayModes().screenSize().x;
    case SM_CYSCREEN:
        return WinApiHost::instance().displayModes().screenSize().y;
    default:
        return 0;
    }
}

BOOL WINAPI PeekMessageA(LPMSG msg, HWND window, UINT filterMin, UINT filterMax, UINT removeFlags)
{
    return WinApiHost::instance().messages().peek(msg, window, filterMin, filterMax, removeFlags);
}

BOOL WINAPI GetMessageA(LPMSG msg, HWND window, UINT filterMin, UINT filterMax)
{
    return WinApiHost::instance().messages().get(msg, window, filterMin, filterMax);
}

BOOL WINAPI TranslateMessage(const MSG* msg)
{
    return WinApiHost::instance().messages().translate(msg);
}

LRESULT WINAPI DispatchMessageA(const MSG* msg)
{
    return WinApiHost::instance().messages().dispatch(msg);
}

BOOL WINAPI PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return WinApiHost::instance().messages().post(window, message, wParam, lParam);
}

LRESULT WINAPI SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return WinApiHost::instance().windows().send(window, message, wParam, lParam);
}

void WINAPI PostQuitMessage(int exitCode)
{
    WinApiHost::instance().messages().postQuit(exitCode);
}

int WINAPI MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type)
{
    return WinApiHost::instance().messageBox(owner, text, caption, type);
}

BOOL WINAPI GetKeyboardState(PBYTE keyState)
{
    if (!keyState)
        return FALSE;
    std::memcpy(keyState, WinApiHost::instance().messages().keyState().data(), 256);
    return TRUE;
}

SHORT WINAPI GetKeyState(int virtualKey)
{
    const BYTE value = WinApiHost::instance().messages().keyState().byte(virtualKey);
    return SHORT(((value & 0x80) ? 0xFF80 : 0) | (value & 0x01));
}

SHORT WINAPI GetAsyncKeyState(int virtualKey)
{
    return WinApiHost::instance().messages().asyncKeyState().isDown(virtualKey) ? SHORT(0x8000) : SHORT(0);
}

// The layout is a US keyboard; its handle is the one Windows gives it.
HKL WINAPI GetKeyboardLayout(DWORD)
{
    return reinterpret_cast<HKL>(uintptr_t(0x04090409));
}

int WINAPI ToAsciiEx(UINT virtualKey, UINT, const BYTE* keyState, LPWORD chars, UINT, HKL)
{
    return WinApiKeys::toAscii(virtualKey, keyState, chars);
}

int WINAPI ToAscii(UINT virtualKey, UINT, const BYTE* keyState, LPWORD chars, UINT)
{
    return WinApiKeys::toAscii(virtualKey, keyState, chars);
}

UINT WINAPI MapVirtualKeyA(UINT code, UINT mapType)
{
    switch (mapType) {
    case MAPVK_VK_TO_VSC:
        return WinApiKeys::scanCodeOf(code);
    case MAPVK_VSC_TO_VK:
    case MAPVK_VSC_TO_VK_EX:
        return WinApiKeys::virtualKeyOf(code & 0xFF, (code & 0xFF00) == 0xE000);
    case MAPVK_VK_TO_CHAR: {
        static const BYTE noModifiers[256] = {};
        WORD character = 0;
        if (WinApiKeys::toAscii(code, noModifiers, &character) != 1)
            return 0;
        return (character >= 'a' && character <= 'z') ? character - 'a' + 'A' : character;
    }
    default:
        return 0;
    }
}

BOOL WINAPI SetCursorPos(int x, int y)
{
    return WinApiHost::instance().focus().setCursorPos(x, y);
}

BOOL WINAPI GetCursorPos(LPPOINT point)
{
    return WinApiHost::instance().focus().getCursorPos(point);
}

BOOL WINAPI ClientToScreen(HWND window, LPPOINT point)
{
    POINT origin = {};
    if (!point || !WinApiHost::instance().windows().clientOrigin(window, &origin))
        return FALSE;
    point->x += origin.x;
    point->y += origin.y;
    return TRUE;
}

BOOL WINAPI ScreenToClient(HWND window, LPPOINT point)
{
    POINT origin = {};
    if (!point || !WinApiHost::instance().windows().clientOrigin(window, &origin))
        return FALSE;
    point->x -= origin.x;
    point->y -= origin.y;
    return TRUE;
}

BOOL WINAPI EnumDisplaySettingsA(LPCSTR deviceName, DWORD modeNumber, DEVMODEA* mode)
{
    if (deviceName && std::strcmp(deviceName, "\\\\.\\DISPLAY1") != 0)
        return FALSE; // only the one display
    return WinApiHost::instance().displayModes().enumerate(modeNumber, mode);
}

LONG WINAPI ChangeDisplaySettingsA(DEVMODEA* mode, DWORD flags)
{
    return WinApiHost::instance().changeDisplaySettings(mode, flags);
}
