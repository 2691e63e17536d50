#include "platform/winapi/WinApiHost.h"

#include "platform/winapi/WinApiKeys.h"

#include <SDL.h>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <strings.h>

namespace Quorvel {

namespace {

// Close requests from SIGINT/SIGTERM: counted by the handler, turned into
// WM_CLOSE messages by the next pump. A second signal that arrives before
// the first was delivered ends the process the default way.
volatile std::sig_atomic_t signalsReceived = 0;
volatile std::sig_atomic_t signalsDelivered = 0;

bool sameName(const std::string& a, LPCSTR b)
{
    return b && strcasecmp(a.c_str(), b) == 0;
}

// 24 and 32 bits per pixel are the same true-colour mode: an X server reports
// depth 24 for what Windows calls 32 bits per pixel.
int colourClass(int bitsPerPixel)
{
    return bitsPerPixel >= 24 ? 32 : bitsPerPixel;
}

int bitsOf(uint32_t format)
{
    return colourClass(int(SDL_BITSPERPIXEL(format)));
}

} // namespace

WinApiHost& WinApiHost::instance()
{
    static WinApiHost* host = new WinApiHost();
    return *host;
}

WinApiHost::WinApiHost()
{
    // The pixel formats offered: RGBA, 8 bits per channel, with or without
    // alpha, depth 24/16/0, stencil 8/0, double or single buffered.
    for (int doubleBuffer = 1; doubleBuffer >= 0; --doubleBuffer) {
        for (int alpha : {8, 0}) {
            for (int depth : {24, 16, 0}) {
                for (int stencil : {8, 0}) {
                    PIXELFORMATDESCRIPTOR format = {};
                    format.nSize = sizeof(PIXELFORMATDESCRIPTOR);
                    format.nVersion = 1;
                    format.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_GENERIC_ACCELERATED
                        | (doubleBuffer ? PFD_DOUBLEBUFFER | PFD_SWAP_EXCHANGE : 0);
                    format.iPixelType = PFD_TYPE_RGBA;
                    format.cColorBits = 32;
                    format.cRedBits = format.cGreenBits = format.cBlueBits = 8;
                    format.cRedShift = 16;
                    format.cGreenShift = 8;
                    format.cBlueShift = 0;
                    format.cAlphaBits = BYTE(alpha);
                    format.cAlphaShift = alpha ? 24 : 0;
                    format.cDepthBits = BYTE(depth);
                    format.cStencilBits = BYTE(stencil);
                    format.iLayerType = PFD_MAIN_PLANE;
                    pixelFormats.push_back(format);
                }
            }
        }
    }
}

// ---------------------------------------------------------------------------
// SDL video, exit and signals.

bool WinApiHost::ensureVideo()
{
    if (videoTried)
        return videoReady;
    videoTried = true;
    // Signals are ours (they become close requests); the window stays in
    // place when it loses the focus.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "winapi: no display: %s\n", SDL_GetError());
        return false;
    }
    videoReady = true;
    std::atexit(shutdownAtExit);
    SDL_StopTextInput();

    const SDL_Keymod locks = SDL_GetModState();
    for (WinApiKeyboardState* state : {&syncKeys, &asyncKeys}) {
        state->setToggled(VK_CAPITAL, (locks & KMOD_CAPS) != 0);
        state->setToggled(VK_NUMLOCK, (locks & KMOD_NUM) != 0);
        state->setToggled(VK_SCROLL, (locks & KMOD_SCROLL) != 0);
    }
    int x = 0, y = 0;
    SDL_GetGlobalMouseState(&x, &y);
    cursor.x = x;
    cursor.y = y;
    return true;
}

void WinApiHost::installSignalHandlers()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

void WinApiHost::onSignal(int signalNumber)
{
    if (signalsReceived != signalsDelivered) {
        std::signal(signalNumber, SIG_DFL);
        std::raise(signalNumber);
        return;
    }
    signalsReceived = signalsReceived + 1;
}

void WinApiHost::shutdownAtExit()
{
    instance().shutdown();
}

// Gives the display back: the full-screen windows go (SDL restores the
// desktop mode with them), then SDL itself.
void WinApiHost::shutdown()
{
    if (!videoReady)
        return;
    if (current) {
        SDL_GL_MakeCurrent(nullptr, nullptr);
        current = nullptr;
        currentDc = nullptr;
    }
    for (auto& entry : contexts)
        if (entry.second.gl)
            SDL_GL_DeleteContext(entry.second.gl);
    contexts.clear();
    for (auto& entry : windows)
        destroySdlWindow(*entry.second);
    modeChanged = false;
    SDL_Quit();
    videoReady = false;
}

// ---------------------------------------------------------------------------
// Window classes.

const WinApiHost::WindowClass* WinApiHost::findClass(LPCSTR className) const
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

ATOM WinApiHost::registerClass(const WNDCLASSEXA* windowClass)
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
    auto record = std::make_unique<WindowClass>();
    record->name = windowClass->lpszClassName;
    record->record = *windowClass;
    record->record.lpszClassName = nullptr; // the caller's string may not outlive the call
    record->record.lpszMenuName = nullptr;
    record->atom = nextAtom++;
    const ATOM atom = record->atom;
    classes.push_back(std::move(record));
    return atom;
}

BOOL WinApiHost::unregisterClass(LPCSTR className)
{
    const WindowClass* windowClass = findClass(className);
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

BOOL WinApiHost::getClassInfo(LPCSTR className, WNDCLASSEXA* windowClass)
{
    const WindowClass* found = findClass(className);
    if (!found || !windowClass) {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    *windowClass = found->record;
    windowClass->lpszClassName = found->name.c_str();
    return TRUE;
}

// ---------------------------------------------------------------------------
// Windows.

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
    installSignalHandlers();

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

bool WinApiHost::coversMode(const Window& window) const
{
    return modeChanged && !(window.style & WS_CHILD) && window.x == 0 && window.y == 0 && window.width == modeWidth
        && window.height == modeHeight;
}

// Makes the SDL window of a window, with the GL attributes of its pixel
// format (or the first format when none is set yet). A window that covers
// the changed display mode becomes a full-screen window in that mode: at
// 0,0 with the mode's size, which is what works without a window manager.
bool WinApiHost::materialise(Window& window)
{
    if (window.sdl)
        return true;
    if (!ensureVideo())
        return false;
    const int index = window.pixelFormat ? window.pixelFormat : 1;
    const PIXELFORMATDESCRIPTOR& format = pixelFormats[size_t(index - 1)];
    SDL_GL_ResetAttributes();
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, format.cRedBits);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, format.cGreenBits);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, format.cBlueBits);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, format.cAlphaBits);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, format.cDepthBits);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, format.cStencilBits);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, (format.dwFlags & PFD_DOUBLEBUFFER) ? 1 : 0);

    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN;
    if ((window.style & WS_POPUP) || !(window.style & WS_CAPTION))
        flags |= SDL_WINDOW_BORDERLESS;
    if (window.style & WS_THICKFRAME)
        flags |= SDL_WINDOW_RESIZABLE;
    const bool fullscreen = coversMode(window);
    if (fullscreen)
        flags |= SDL_WINDOW_FULLSCREEN;
    const int width = window.width > 0 ? window.width : 1;
    const int height = window.height > 0 ? window.height : 1;
    window.sdl = SDL_CreateWindow(window.title.c_str(), window.x, window.y, width, height, flags);
    if (!window.sdl) {
        std::fprintf(stderr, "winapi: cannot create the window: %s\n", SDL_GetError());
        return false;
    }
    if (fullscreen) {
        SDL_DisplayMode mode = {};
        mode.w = modeWidth;
        mode.h = modeHeight;
        mode.refresh_rate = modeRefresh;
        mode.format = modeFormat;
        if (SDL_SetWindowDisplayMode(window.sdl, &mode) != 0)
            std::fprintf(stderr, "winapi: cannot set the window's display mode: %s\n", SDL_GetError());
    }
    return true;
}

void WinApiHost::applyFullscreen(Window& window)
{
    if (!window.sdl)
        return;
    const bool isFullscreen = (SDL_GetWindowFlags(window.sdl) & SDL_WINDOW_FULLSCREEN) != 0;
    if (coversMode(window)) {
        SDL_DisplayMode mode = {};
        mode.w = modeWidth;
        mode.h = modeHeight;
        mode.refresh_rate = modeRefresh;
        mode.format = modeFormat;
        SDL_SetWindowDisplayMode(window.sdl, &mode);
        if (!isFullscreen && SDL_SetWindowFullscreen(window.sdl, SDL_WINDOW_FULLSCREEN) != 0)
            std::fprintf(stderr, "winapi: cannot make the window full-screen: %s\n", SDL_GetError());
    } else if (isFullscreen) {
        SDL_SetWindowFullscreen(window.sdl, 0);
    }
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
    if (window->sdl) {
        SDL_SetWindowPosition(window->sdl, x, y);
        SDL_SetWindowSize(window->sdl, window->width > 0 ? window->width : 1, window->height > 0 ? window->height : 1);
        applyFullscreen(*window);
    }
    sendMessage(handle, WM_MOVE, 0, MAKELPARAM(x, y));
    sendMessage(handle, WM_SIZE, SIZE_RESTORED, MAKELPARAM(width, height));
    return TRUE;
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

// ---------------------------------------------------------------------------
// Messages.

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
    while (signalsDelivered != signalsReceived) {
        if (windows.empty())
            break; // kept until there is a window to close
        for (const auto& entry : windows)
            if (!(entry.second->style & WS_CHILD))
                queue.post(makeMessage(entry.first, WM_CLOSE, 0, 0));
        signalsDelivered = signalsDelivered + 1;
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

// ---------------------------------------------------------------------------
// Cursor.

BOOL WinApiHost::setCursorPos(int x, int y)
{
    cursor.x = x;
    cursor.y = y;
    if (!ensureVideo())
        return TRUE; // no display: the position is only remembered
    for (auto& entry : windows) {
        Window& window = *entry.second;
        if (!window.sdl || !window.visible)
            continue;
        POINT origin = {};
        clientOrigin(window.handle, &origin);
        if (x >= origin.x && y >= origin.y && x < origin.x + window.width && y < origin.y + window.height) {
            SDL_WarpMouseInWindow(window.sdl, x - origin.x, y - origin.y);
            return TRUE;
        }
    }
    SDL_WarpMouseGlobal(x, y);
    return TRUE;
}

BOOL WinApiHost::getCursorPos(POINT* point)
{
    if (!point) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (ensureVideo()) {
        int x = 0, y = 0;
        SDL_GetGlobalMouseState(&x, &y);
        cursor.x = x;
        cursor.y = y;
    }
    *point = cursor;
    return TRUE;
}

// ---------------------------------------------------------------------------
// Display modes.

void WinApiHost::fillMode(DEVMODEA& mode, int width, int height, int bitsPerPixel, int refreshRate) const
{
    std::memset(mode.dmDeviceName, 0, sizeof(mode.dmDeviceName));
    std::strcpy(reinterpret_cast<char*>(mode.dmDeviceName), "\\\\.\\DISPLAY1");
    mode.dmSpecVersion = DM_SPECVERSION;
    mode.dmDriverExtra = 0;
    mode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT | DM_DISPLAYFLAGS | DM_DISPLAYFREQUENCY | DM_POSITION;
    mode.dmPosition.x = 0;
    mode.dmPosition.y = 0;
    mode.dmBitsPerPel = DWORD(bitsPerPixel);
    mode.dmPelsWidth = DWORD(width);
    mode.dmPelsHeight = DWORD(height);
    mode.dmDisplayFlags = 0;
    mode.dmDisplayFrequency = DWORD(refreshRate);
}

BOOL WinApiHost::enumDisplaySettings(DWORD modeNumber, DEVMODEA* mode)
{
    if (!mode || !ensureVideo()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    SDL_DisplayMode found = {};
    if (modeNumber == ENUM_CURRENT_SETTINGS && modeChanged) {
        fillMode(*mode, modeWidth, modeHeight, modeBits, modeRefresh);
        return TRUE;
    }
    int result;
    if (modeNumber == ENUM_CURRENT_SETTINGS || modeNumber == ENUM_REGISTRY_SETTINGS)
        result = SDL_GetDesktopDisplayMode(0, &found);
    else if (modeNumber < DWORD(SDL_GetNumDisplayModes(0)))
        result = SDL_GetDisplayMode(0, int(modeNumber), &found);
    else
        result = -1;
    if (result != 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    fillMode(*mode, found.w, found.h, bitsOf(found.format), found.refresh_rate);
    return TRUE;
}

// A mode of the display with the wanted size, colour depth (24 and 32 alike)
// and, unless it is 0 or 1 (the default), refresh rate.
bool WinApiHost::findMode(const DEVMODEA& wanted, void* result)
{
    SDL_DisplayMode desktop = {};
    if (SDL_GetDesktopDisplayMode(0, &desktop) != 0)
        return false;
    const int width = (wanted.dmFields & DM_PELSWIDTH) ? int(wanted.dmPelsWidth) : desktop.w;
    const int height = (wanted.dmFields & DM_PELSHEIGHT) ? int(wanted.dmPelsHeight) : desktop.h;
    const int bits = colourClass((wanted.dmFields & DM_BITSPERPEL) ? int(wanted.dmBitsPerPel) : bitsOf(desktop.format));
    const int refresh = (wanted.dmFields & DM_DISPLAYFREQUENCY) ? int(wanted.dmDisplayFrequency) : 0;
    const int count = SDL_GetNumDisplayModes(0);
    for (int i = 0; i < count; ++i) {
        SDL_DisplayMode mode = {};
        if (SDL_GetDisplayMode(0, i, &mode) != 0)
            continue;
        if (mode.w != width || mode.h != height || bitsOf(mode.format) != bits)
            continue;
        if (refresh > 1 && mode.refresh_rate != 0 && mode.refresh_rate != refresh)
            continue;
        *static_cast<SDL_DisplayMode*>(result) = mode;
        return true;
    }
    return false;
}

LONG WinApiHost::changeDisplaySettings(DEVMODEA* mode, DWORD flags)
{
    const DWORD known = CDS_FULLSCREEN | CDS_TEST | CDS_RESET;
    if (flags & ~known)
        return DISP_CHANGE_BADFLAGS; // the registry and other displays are not ours to change
    if (!ensureVideo())
        return DISP_CHANGE_FAILED;
    if (!mode) {
        // Back to the desktop mode.
        if (flags & CDS_TEST)
            return DISP_CHANGE_SUCCESSFUL;
        modeChanged = false;
        for (auto& entry : windows)
            applyFullscreen(*entry.second);
        return DISP_CHANGE_SUCCESSFUL;
    }
    if (mode->dmSize < offsetof(DEVMODEA, dmICMMethod))
        return DISP_CHANGE_BADPARAM;
    SDL_DisplayMode found = {};
    if (!findMode(*mode, &found))
        return DISP_CHANGE_BADMODE;
    if (flags & CDS_TEST)
        return DISP_CHANGE_SUCCESSFUL;
    SDL_DisplayMode desktop = {};
    SDL_GetDesktopDisplayMode(0, &desktop);
    modeChanged = true;
    modeWidth = found.w;
    modeHeight = found.h;
    modeBits = bitsOf(found.format);
    modeRefresh = found.refresh_rate;
    modeFormat = found.format;
    for (auto& entry : windows)
        applyFullscreen(*entry.second);
    return DISP_CHANGE_SUCCESSFUL;
}

int WinApiHost::screenWidth()
{
    if (modeChanged)
        return modeWidth;
    SDL_DisplayMode desktop = {};
    if (!ensureVideo() || SDL_GetDesktopDisplayMode(0, &desktop) != 0)
        return 0;
    return desktop.w;
}

int WinApiHost::screenHeight()
{
    if (modeChanged)
        return modeHeight;
    SDL_DisplayMode desktop = {};
    if (!ensureVideo() || SDL_GetDesktopDisplayMode(0, &desktop) != 0)
        return 0;
    return desktop.h;
}

// ---------------------------------------------------------------------------
// Device contexts, pixel formats, GL contexts.

HDC WinApiHost::getDC(HWND handle)
{
    Window* window = find(handle);
    if (!window) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    if (!window->dc) {
        window->dc = reinterpret_cast<HDC>(newHandle());
        deviceContexts[window->dc] = handle;
    }
    return window->dc;
}

// The closest offered format: the buffering asked for first, then enough
// depth, stencil and alpha bits without waste.
int WinApiHost::choosePixelFormat(HDC dc, const PIXELFORMATDESCRIPTOR* wanted)
{
    if (!windowOfDc(dc) || !wanted) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    auto shortfall = [](int have, int want) {
        if (have >= want)
            return have - want;
        return 1000 + want - have;
    };
    int best = 0;
    long bestScore = 0;
    for (size_t i = 0; i < pixelFormats.size(); ++i) {
        const PIXELFORMATDESCRIPTOR& format = pixelFormats[i];
        long score = 0;
        if (!(wanted->dwFlags & PFD_DOUBLEBUFFER_DONTCARE)
            && ((wanted->dwFlags & PFD_DOUBLEBUFFER) != 0) != ((format.dwFlags & PFD_DOUBLEBUFFER) != 0))
            score += 100000;
        if (!(wanted->dwFlags & PFD_DEPTH_DONTCARE))
            score += 100 * shortfall(format.cDepthBits, wanted->cDepthBits);
        score += 10 * shortfall(format.cStencilBits, wanted->cStencilBits);
        score += shortfall(format.cAlphaBits, wanted->cAlphaBits);
        if (!best || score < bestScore) {
            best = int(i) + 1;
            bestScore = score;
        }
    }
    return best;
}

BOOL WinApiHost::setPixelFormat(HDC dc, int format)
{
    Window* window = windowOfDc(dc);
    if (!window || format < 1 || format > int(pixelFormats.size())) {
        SetLastError(!window ? ERROR_INVALID_HANDLE : ERROR_INVALID_PIXEL_FORMAT);
        return FALSE;
    }
    if (window->pixelFormat)
        return window->pixelFormat == format ? TRUE : FALSE; // set once per window
    window->pixelFormat = format;
    // A window shown before its format was set is made again with it.
    const bool shown = window->sdl && window->visible;
    destroySdlWindow(*window);
    if (!materialise(*window)) {
        window->pixelFormat = 0;
        SetLastError(ERROR_INVALID_PIXEL_FORMAT);
        return FALSE;
    }
    if (shown)
        SDL_ShowWindow(window->sdl);
    return TRUE;
}

int WinApiHost::getPixelFormat(HDC dc) const
{
    auto it = deviceContexts.find(dc);
    if (it == deviceContexts.end())
        return 0;
    const Window* window = find(it->second);
    return window ? window->pixelFormat : 0;
}

int WinApiHost::describePixelFormat(int format, UINT bytes, PIXELFORMATDESCRIPTOR* descriptor) const
{
    const int count = int(pixelFormats.size());
    if (format < 1 || format > count) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (descriptor) {
        const size_t size = bytes < sizeof(PIXELFORMATDESCRIPTOR) ? bytes : sizeof(PIXELFORMATDESCRIPTOR);
        std::memcpy(descriptor, &pixelFormats[size_t(format - 1)], size);
    }
    return count;
}

BOOL WinApiHost::swapBuffers(HDC dc)
{
    Window* window = windowOfDc(dc);
    if (!window || !window->sdl) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    SDL_GL_SwapWindow(window->sdl);
    return TRUE;
}

HGLRC WinApiHost::createContext(HDC dc)
{
    Window* window = windowOfDc(dc);
    if (!window || !window->pixelFormat || !window->sdl) {
        SetLastError(ERROR_INVALID_PIXEL_FORMAT);
        return nullptr;
    }
    SDL_GLContext gl = SDL_GL_CreateContext(window->sdl);
    if (!gl) {
        std::fprintf(stderr, "winapi: cannot create the OpenGL context: %s\n", SDL_GetError());
        return nullptr;
    }
    // SDL makes the new context current; creation alone must not.
    if (current) {
        const Context& previous = contexts[current];
        const Window* previousWindow = find(previous.window);
        SDL_GL_MakeCurrent(previousWindow ? previousWindow->sdl : nullptr, previous.gl);
    } else {
        SDL_GL_MakeCurrent(window->sdl, nullptr);
    }
    const HGLRC handle = reinterpret_cast<HGLRC>(newHandle());
    Context context;
    context.gl = gl;
    context.window = window->handle;
    context.pixelFormat = window->pixelFormat;
    contexts[handle] = context;
    return handle;
}

BOOL WinApiHost::deleteContext(HGLRC handle)
{
    auto it = contexts.find(handle);
    if (it == contexts.end()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (current == handle) {
        SDL_GL_MakeCurrent(nullptr, nullptr);
        current = nullptr;
        currentDc = nullptr;
    }
    SDL_GL_DeleteContext(it->second.gl);
    contexts.erase(it);
    return TRUE;
}

BOOL WinApiHost::makeCurrent(HDC dc, HGLRC handle)
{
    if (!handle) {
        if (current && videoReady)
            SDL_GL_MakeCurrent(nullptr, nullptr);
        current = nullptr;
        currentDc = nullptr;
        return TRUE;
    }
    auto it = contexts.find(handle);
    Window* window = windowOfDc(dc);
    if (it == contexts.end() || !window || !window->sdl) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (window->pixelFormat != it->second.pixelFormat) {
        SetLastError(ERROR_INVALID_PIXEL_FORMAT);
        return FALSE;
    }
    if (SDL_GL_MakeCurrent(window->sdl, it->second.gl) != 0) {
        std::fprintf(stderr, "winapi: cannot make the OpenGL context current: %s\n", SDL_GetError());
        return FALSE;
    }
    current = handle;
    currentDc = dc;
    return TRUE;
}

namespace {

// The swap-control entry points, served by SDL's swap interval. Setting it
// fails where the driver cannot (under Xvfb, for one): FALSE, nothing else.
int swapIntervalExt(int interval)
{
    return SDL_GL_SetSwapInterval(interval) == 0 ? TRUE : FALSE;
}

int getSwapIntervalExt()
{
    return SDL_GL_GetSwapInterval();
}

const char* getExtensionsStringExt()
{
    return "WGL_EXT_swap_control";
}

template <typename Function>
PROC asProc(Function function)
{
    return reinterpret_cast<PROC>(reinterpret_cast<void (*)()>(function));
}

} // namespace

PROC WinApiHost::getProcAddress(LPCSTR name)
{
    if (!current || !name)
        return nullptr;
    if (std::strcmp(name, "wglSwapIntervalEXT") == 0)
        return asProc(&swapIntervalExt);
    if (std::strcmp(name, "wglGetSwapIntervalEXT") == 0)
        return asProc(&getSwapIntervalExt);
    if (std::strcmp(name, "wglGetExtensionsStringEXT") == 0)
        return asProc(&getExtensionsStringExt);
    if (std::strncmp(name, "wgl", 3) == 0)
        return nullptr;
    return reinterpret_cast<PROC>(SDL_GL_GetProcAddress(name));
}

// ---------------------------------------------------------------------------
// Message boxes: the text always goes to standard error; with a display it
// is also shown in SDL's message box.

int WinApiHost::messageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type)
{
    const char* shownCaption = caption ? caption : "Error";
    const char* shownText = text ? text : "";
    std::fprintf(stderr, "%s: %s\n", shownCaption, shownText);
    std::fflush(stderr);

    struct Choice {
        int id;
        const char* label;
    };
    static const Choice ok[] = {{IDOK, "OK"}};
    static const Choice okCancel[] = {{IDOK, "OK"}, {IDCANCEL, "Cancel"}};
    static const Choice abortRetryIgnore[] = {{IDABORT, "Abort"}, {IDRETRY, "Retry"}, {IDIGNORE, "Ignore"}};
    static const Choice yesNoCancel[] = {{IDYES, "Yes"}, {IDNO, "No"}, {IDCANCEL, "Cancel"}};
    static const Choice yesNo[] = {{IDYES, "Yes"}, {IDNO, "No"}};
    static const Choice retryCancel[] = {{IDRETRY, "Retry"}, {IDCANCEL, "Cancel"}};
    const Choice* choices = ok;
    size_t count = 1;
    switch (type & 0x0F) {
    case MB_OKCANCEL:
        choices = okCancel;
        count = 2;
        break;
    case MB_ABORTRETRYIGNORE:
        choices = abortRetryIgnore;
        count = 3;
        break;
    case MB_YESNOCANCEL:
        choices = yesNoCancel;
        count = 3;
        break;
    case MB_YESNO:
        choices = yesNo;
        count = 2;
        break;
    case MB_RETRYCANCEL:
        choices = retryCancel;
        count = 2;
        break;
    default:
        break;
    }
    if (!ensureVideo())
        return choices[0].id;

    std::vector<SDL_MessageBoxButtonData> buttons;
    for (size_t i = 0; i < count; ++i) {
        SDL_MessageBoxButtonData button = {};
        button.buttonid = choices[i].id;
        button.text = choices[i].label;
        if (i == 0)
            button.flags |= SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT;
        if (i + 1 == count)
            button.flags |= SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT;
        buttons.push_back(button);
    }
    SDL_MessageBoxData data = {};
    const UINT icon = type & 0xF0;
    data.flags = icon == MB_ICONWARNING ? SDL_MESSAGEBOX_WARNING
        : icon == MB_ICONINFORMATION    ? SDL_MESSAGEBOX_INFORMATION
                                        : SDL_MESSAGEBOX_ERROR;
    const Window* ownerWindow = find(owner);
    data.window = ownerWindow ? ownerWindow->sdl : nullptr;
    data.title = shownCaption;
    data.message = shownText;
    data.numbuttons = int(buttons.size());
    data.buttons = buttons.data();
    int pressed = 0;
    if (SDL_ShowMessageBox(&data, &pressed) != 0 || pressed < 0)
        return choices[count - 1].id; // not shown or closed: as if cancelled
    return pressed;
}

} // namespace Quorvel
