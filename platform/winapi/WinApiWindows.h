#pragma once
// WinApiWindows: the window classes and the windows of the layer, with
// their device contexts and the system's windows behind them. A window's
// system window (an SDL window, the page's canvas) is made when its pixel
// format is set (so the GL attributes apply) or when it is first shown, and
// follows the window's style, place and size and what it covers of the
// screen.

#include "platform/winapi/WinApiWindow.h"
#include "platform/winapi/include/windows.h"

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

namespace Quorvel {

class WinApiDisplayModes;
class WinApiHandles;
class WinApiPixelFormats;
class WinApiVideo;

class WinApiWindows {
public:
    using Map = std::map<HWND, std::unique_ptr<WinApiWindow>>;

    // onDisplayLost is called (from inside Xlib) when an SDL window's
    // display connection breaks.
    WinApiWindows(WinApiVideo& video, WinApiHandles& handles, const WinApiPixelFormats& pixelFormats,
                  const WinApiDisplayModes& displayModes, void (*onDisplayLost)());

    // Window classes (names compare without case).
    ATOM registerClass(const WNDCLASSEXA* windowClass);
    BOOL unregisterClass(LPCSTR className);
    BOOL getClassInfo(LPCSTR className, WNDCLASSEXA* windowClass) const;
    const WinApiWindowClass* findClass(LPCSTR className) const;

    // The records. add makes one of a class (sizes as CreateWindowEx reads
    // them); remove forgets it and its device context.
    HWND add(const WinApiWindowClass& windowClass, DWORD exStyle, LPCSTR title, DWORD style, int x, int y, int width,
             int height);
    void remove(HWND window);
    WinApiWindow* find(HWND window);
    const WinApiWindow* find(HWND window) const;
    WinApiWindow* findByDc(HDC dc);
    WinApiWindow* findBySdl(uint32_t sdlWindowId); // SDL only
    bool contains(HWND window) const { return windows.count(window) != 0; }
    bool empty() const { return windows.empty(); }
    const Map& all() const { return windows; }

    // Calls the window procedure (SendMessage).
    LRESULT send(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HDC getDC(HWND window);
    BOOL isVisible(HWND window) const;
    BOOL setTitle(HWND window, LPCSTR title);
    BOOL moveWindow(HWND window, int x, int y, int width, int height);
    LONG windowLong(HWND window, int index);
    LONG setWindowLong(HWND window, int index, LONG value);
    BOOL clientRect(HWND window, RECT* rect);
    BOOL windowRect(HWND window, RECT* rect);
    BOOL clientOrigin(HWND window, POINT* origin); // client (0,0) in screen coordinates

    // The windows on screen (the system's own part: sdl/, web/).
    bool materialise(WinApiWindow& window); // makes the system's window
    void place(WinApiWindow& window);       // follows style, place, size and display mode
    void placeAll();
    void showSurface(WinApiWindow& window, bool show);
    void destroySurface(WinApiWindow& window); // the caller lets go of its GL context first
    void forgetSurfaces();                     // the display is gone: nothing of it is touched again

private:
    void retitleSurface(WinApiWindow& window);
    // The client area's origin on screen as the system has it; false when
    // the record's own place stands.
    bool surfacePosition(const WinApiWindow& window, int& x, int& y) const;

    WinApiVideo& video;
    WinApiHandles& handles;
    const WinApiPixelFormats& pixelFormats;
    const WinApiDisplayModes& displayModes;
    void (*onDisplayLost)();

    ATOM nextAtom = 0xC000;
    std::vector<std::unique_ptr<WinApiWindowClass>> classes;
    Map windows;
    std::map<HDC, HWND> deviceContexts;
};

} // namespace Quorvel
