#pragma once
// WinApiHost: the one private place of the Windows-API layer's state on SDL2:
// the window classes and windows, device and rendering contexts, the message
// queue and key states, the display mode and the cursor. The API functions
// (User32.cpp, Gdi32.cpp, Kernel32.cpp) are thin wrappers over it. SDL video
// is started on first need; without a display everything that needs none
// (classes, windows that are not shown, the queue) still works.

#include "platform/winapi/WinApiKeyboardState.h"
#include "platform/winapi/WinApiQueue.h"
#include "platform/winapi/include/windows.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

struct SDL_Window;
union SDL_Event;

namespace Quorvel {

class WinApiHost {
public:
    // Created on first use, never destroyed; SDL is shut down at exit.
    static WinApiHost& instance();

    // Starts SDL video once; false (said once on standard error) without a
    // display. SDL's off-screen and dummy drivers count as no display unless
    // SDL_VIDEODRIVER asks for them by name. False again for good once the
    // display's connection has broken.
    bool ensureVideo();
    bool isDisplayLost() const { return displayLost; }
    static constexpr int DisplayLostExitCode = 2; // the WM_QUIT code posted when it breaks

    // Window classes (names compare without case).
    ATOM registerClass(const WNDCLASSEXA* windowClass);
    BOOL unregisterClass(LPCSTR className);
    BOOL getClassInfo(LPCSTR className, WNDCLASSEXA* windowClass);

    // Windows. The SDL window behind a window is made when its pixel format
    // is set (so the GL attributes apply) or when it is first shown.
    HWND createWindow(DWORD exStyle, LPCSTR className, LPCSTR title, DWORD style, int x, int y, int width, int height,
                      HWND parent, LPVOID param);
    BOOL destroyWindow(HWND window);
    bool isWindow(HWND window) const { return windows.count(window) != 0; }
    BOOL isVisible(HWND window) const;
    BOOL showWindow(HWND window, int command);
    BOOL setForeground(HWND window);
    HWND setFocus(HWND window);
    HWND getFocus() const { return focus; }
    HWND getForeground() const { return foreground; }
    BOOL setTitle(HWND window, LPCSTR title);
    BOOL moveWindow(HWND window, int x, int y, int width, int height);
    BOOL setWindowPos(HWND window, int x, int y, int width, int height, UINT flags);
    LONG windowLong(HWND window, int index);
    LONG setWindowLong(HWND window, int index, LONG value);
    BOOL clientRect(HWND window, RECT* rect);
    BOOL windowRect(HWND window, RECT* rect);
    BOOL clientOrigin(HWND window, POINT* origin); // client (0,0) in screen coordinates
    LRESULT sendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    WNDPROC windowProcOf(HWND window) const;
    int showCursor(BOOL show);

    // Messages.
    BOOL postMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void postQuit(int exitCode) { queue.postQuit(exitCode); }
    BOOL peekMessage(MSG* message, HWND window, UINT first, UINT last, UINT flags);
    BOOL getMessage(MSG* message, HWND window, UINT first, UINT last);
    BOOL translateMessage(const MSG* message);
    LRESULT dispatchMessage(const MSG* message);

    // Keyboard: the state as of the latest message removed, and as of now.
    const WinApiKeyboardState& keyState();
    const WinApiKeyboardState& asyncKeyState();

    // Cursor, in screen coordinates.
    BOOL setCursorPos(int x, int y);
    BOOL getCursorPos(POINT* point);

    // Display modes.
    BOOL enumDisplaySettings(DWORD modeNumber, DEVMODEA* mode);
    LONG changeDisplaySettings(DEVMODEA* mode, DWORD flags);
    int screenWidth();
    int screenHeight();

    // Device contexts, pixel formats and GL contexts.
    HDC getDC(HWND window);
    int choosePixelFormat(HDC dc, const PIXELFORMATDESCRIPTOR* wanted);
    BOOL setPixelFormat(HDC dc, int format);
    int getPixelFormat(HDC dc) const;
    int describePixelFormat(int format, UINT bytes, PIXELFORMATDESCRIPTOR* descriptor) const;
    BOOL swapBuffers(HDC dc);
    HGLRC createContext(HDC dc);
    BOOL deleteContext(HGLRC context);
    BOOL makeCurrent(HDC dc, HGLRC context);
    HGLRC currentContext() const { return current; }
    HDC currentDC() const { return currentDc; }
    PROC getProcAddress(LPCSTR name);

    int messageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type);

    // GDI objects are plain handles here.
    HBRUSH createBrush() { return reinterpret_cast<HBRUSH>(newHandle()); }

private:
    struct WindowClass {
        std::string name;
        WNDCLASSEXA record;
        ATOM atom;
    };
    struct Window {
        HWND handle = nullptr;
        std::string title;
        const WindowClass* windowClass = nullptr;
        WNDPROC proc = nullptr;
        DWORD style = 0;
        DWORD exStyle = 0;
        int x = 0, y = 0, width = 0, height = 0;
        bool visible = false;
        HDC dc = nullptr;
        int pixelFormat = 0;
        SDL_Window* sdl = nullptr;
    };
    struct Context {
        void* gl = nullptr; // SDL_GLContext
        HWND window = nullptr;
        int pixelFormat = 0;
    };

    WinApiHost();

    uintptr_t newHandle() { return nextHandle += 0x10; }
    Window* find(HWND window);
    const Window* find(HWND window) const;
    Window* windowOfDc(HDC dc);
    Window* windowOfSdl(uint32_t sdlWindowId);
    const WindowClass* findClass(LPCSTR className) const;

    enum class Cover { None, Mode, Desktop }; // what a window covers of the screen
    bool materialise(Window& window);         // makes the SDL window
    void placeSdlWindow(Window& window);      // follows style, place, size and display mode
    Cover coverOf(const Window& window) const;
    uint32_t fullscreenFlags(Cover cover) const; // SDL's full-screen flags for what a window covers
    bool modeIsDesktop() const;                  // the changed mode is the desktop's own
    void setSdlDisplayMode(Window& window);
    static void onDisplayLost();
    void destroySdlWindow(Window& window);

    void pump(); // SDL events and signals -> messages
    void translate(const SDL_Event& event);
    void translateKey(const SDL_Event& event);
    void postMouse(Window& window, UINT message, WPARAM extra, int x, int y);
    WPARAM mouseKeyFlags() const;
    void activate(HWND window, bool active);
    MSG makeMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) const;

    bool findMode(const DEVMODEA& wanted, void* sdlMode); // SDL_DisplayMode*
    void fillMode(DEVMODEA& mode, int width, int height, int bitsPerPixel, int refreshRate) const;

    static void shutdownAtExit();
    void shutdown();

    bool videoTried = false;
    bool videoReady = false;
    bool displayLost = false; // the X connection broke: SDL is not used again
    uintptr_t nextHandle = 0x10000;
    ATOM nextAtom = 0xC000;

    std::vector<std::unique_ptr<WindowClass>> classes;
    std::map<HWND, std::unique_ptr<Window>> windows;
    std::map<HDC, HWND> deviceContexts;
    std::map<HGLRC, Context> contexts;
    HGLRC current = nullptr;
    HDC currentDc = nullptr;
    HWND focus = nullptr;
    HWND foreground = nullptr;

    WinApiQueue queue;
    WinApiKeyboardState syncKeys;  // as of the latest removed message
    WinApiKeyboardState asyncKeys; // as of the latest SDL event
    uint32_t mouseButtons = 0;     // MK_ button flags as of the latest SDL event
    POINT cursor = {};             // screen coordinates
    int cursorCount = 0;           // ShowCursor display count

    bool modeChanged = false; // a full-screen mode change is in force
    int modeWidth = 0, modeHeight = 0, modeBits = 0, modeRefresh = 0;
    uint32_t modeFormat = 0;

    std::vector<PIXELFORMATDESCRIPTOR> pixelFormats;
};

} // namespace Quorvel
