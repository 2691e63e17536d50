// WinApiHost: the composition of the layer's parts, a window's life, and
// the start and end of the display.

#include "platform/winapi/WinApiHost.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace Quorvel {

WinApiHost& WinApiHost::instance()
{
    static WinApiHost* host = new WinApiHost();
    return *host;
}

WinApiHost::WinApiHost()
    : video([this] { videoStarted(); })
    , modes(video)
    , windowList(video, handles, pixelFormats, modes, &WinApiHost::onDisplayLost)
    , cursorAndFocus(video, windowList)
    , gl(video, handles, pixelFormats, windowList)
    , messageQueue(video, windowList, cursorAndFocus, handles)
    , messageBoxes(video)
{
}

// ---------------------------------------------------------------------------
// The display: start, loss, and exit.

void WinApiHost::videoStarted()
{
    std::atexit(shutdownAtExit);
    messageQueue.readLocks();
    cursorAndFocus.readCursor();
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
    if (!host.video.markLost())
        return;
    std::fprintf(stderr, "winapi: the connection to the display was lost\n");
    std::fflush(stderr);
    host.windowList.forgetSurfaces();
    host.gl.forgetAll();
    host.modes.forget();
    host.messageQueue.postQuit(DisplayLostExitCode);

    // The program is given a few seconds to end on its own. Whatever is
    // still waiting on the dead connection (the GL driver finishing a frame,
    // SDL waiting for an event the server will never send) must not keep it
    // running, so after that it ends here, with the same exit code.
    std::thread([] {
        std::this_thread::sleep_for(std::chrono::seconds(DisplayLostGraceSeconds));
        std::fprintf(stderr, "winapi: the program did not end after the display was lost; ending it\n");
        std::fflush(nullptr);
        std::_Exit(DisplayLostExitCode);
    }).detach();
}

// Gives the display back: the full-screen windows go (SDL restores the
// desktop mode with them), then SDL itself.
void WinApiHost::shutdown()
{
    if (!video.ready())
        return;
    gl.deleteAll();
    for (auto& entry : windowList.all())
        windowList.destroySurface(*entry.second);
    modes.forget();
    video.stop();
}

// ---------------------------------------------------------------------------
// A window's life.

HWND WinApiHost::createWindow(DWORD exStyle, LPCSTR className, LPCSTR title, DWORD style, int x, int y, int width,
                              int height, HWND parent, LPVOID param)
{
    const WinApiWindowClass* windowClass = windowList.findClass(className);
    if (!windowClass) {
        SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
        return nullptr;
    }
    if (parent && !windowList.contains(parent)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    const HWND handle = windowList.add(*windowClass, exStyle, title, style, x, y, width, height);
    const WinApiWindow& made = *windowList.find(handle);

    CREATESTRUCTA create = {};
    create.lpCreateParams = param;
    create.hInstance = windowClass->record.hInstance;
    create.hwndParent = parent;
    create.cx = made.width;
    create.cy = made.height;
    create.x = made.x;
    create.y = made.y;
    create.style = LONG(style);
    create.lpszName = title;
    create.lpszClass = windowClass->name.c_str();
    create.dwExStyle = exStyle;
    const LPARAM createParam = reinterpret_cast<LPARAM>(&create);

    // The window procedure may refuse creation: FALSE to WM_NCCREATE, -1 to
    // WM_CREATE. It may also destroy the window itself meanwhile.
    if (!windowList.send(handle, WM_NCCREATE, 0, createParam) || !windowList.contains(handle)) {
        destroyWindow(handle);
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (windowList.send(handle, WM_CREATE, 0, createParam) == -1 || !windowList.contains(handle)) {
        destroyWindow(handle);
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (style & WS_VISIBLE)
        showWindow(handle, SW_SHOW);
    return handle;
}

BOOL WinApiHost::destroyWindow(HWND handle)
{
    if (!windowList.contains(handle)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    windowList.send(handle, WM_DESTROY, 0, 0);
    windowList.send(handle, WM_NCDESTROY, 0, 0);
    WinApiWindow* window = windowList.find(handle);
    if (!window)
        return TRUE;
    gl.releaseOn(*window);
    windowList.destroySurface(*window);
    gl.forgetWindow(handle);
    messageQueue.removeWindow(handle);
    cursorAndFocus.forget(handle);
    windowList.remove(handle);
    return TRUE;
}

BOOL WinApiHost::showWindow(HWND handle, int command)
{
    WinApiWindow* window = windowList.find(handle);
    if (!window) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    const bool wasVisible = window->visible;
    if (command == SW_HIDE) {
        if (wasVisible) {
            windowList.send(handle, WM_SHOWWINDOW, FALSE, 0);
            window = windowList.find(handle);
            if (!window)
                return TRUE;
            window->visible = false;
            windowList.showSurface(*window, false);
            if (cursorAndFocus.focused() == handle)
                cursorAndFocus.activate(handle, false);
        }
        return wasVisible ? TRUE : FALSE;
    }
    if (!wasVisible) {
        windowList.send(handle, WM_SHOWWINDOW, TRUE, 0);
        window = windowList.find(handle);
        if (!window)
            return FALSE;
        window->visible = true;
        if (windowList.materialise(*window))
            windowList.showSurface(*window, true);
        windowList.send(handle, WM_SIZE, SIZE_RESTORED, MAKELPARAM(window->width, window->height));
        window = windowList.find(handle);
        if (!window)
            return FALSE;
        windowList.send(handle, WM_MOVE, 0, MAKELPARAM(window->x, window->y));
    }
    const bool activates = command != SW_SHOWNA && command != SW_SHOWNOACTIVATE && command != SW_SHOWMINNOACTIVE
        && command != SW_MINIMIZE;
    if (activates && windowList.contains(handle))
        cursorAndFocus.setForeground(handle);
    return wasVisible ? TRUE : FALSE;
}

// Place, size and frame (SWP_FRAMECHANGED applies a style set with
// SetWindowLong); the z-order flags have nothing to order here. WM_MOVE and
// WM_SIZE follow a change, as the default procedure sends them on Windows.
BOOL WinApiHost::setWindowPos(HWND handle, int x, int y, int width, int height, UINT flags)
{
    if (!windowList.contains(handle)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    if (flags & SWP_HIDEWINDOW)
        showWindow(handle, SW_HIDE);
    WinApiWindow* window = windowList.find(handle);
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
        windowList.place(*window);
    const int newX = window->x, newY = window->y, newWidth = window->width, newHeight = window->height;
    if (moves)
        windowList.send(handle, WM_MOVE, 0, MAKELPARAM(newX, newY));
    if (sizes || (flags & SWP_FRAMECHANGED))
        windowList.send(handle, WM_SIZE, SIZE_RESTORED, MAKELPARAM(newWidth, newHeight));
    if ((flags & SWP_SHOWWINDOW) && windowList.contains(handle))
        showWindow(handle, (flags & SWP_NOACTIVATE) ? SW_SHOWNA : SW_SHOW);
    return TRUE;
}

// ---------------------------------------------------------------------------
// Display modes and message boxes.

LONG WinApiHost::changeDisplaySettings(DEVMODEA* mode, DWORD flags)
{
    const LONG result = modes.change(mode, flags);
    if (result == DISP_CHANGE_SUCCESSFUL && !(flags & CDS_TEST))
        windowList.placeAll();
    return result;
}

int WinApiHost::messageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type)
{
    const WinApiWindow* ownerWindow = windowList.find(owner);
    return messageBoxes.show(ownerWindow, text, caption, type);
}

} // namespace Quorvel
