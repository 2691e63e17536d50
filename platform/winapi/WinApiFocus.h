#pragma once
// WinApiFocus: the cursor and the focus: where the pointer is (in screen
// coordinates) and whether it shows, which window is in the foreground and
// which has the keyboard, and the activation messages that go with them.

#include "platform/winapi/include/windows.h"

namespace Quorvel {

class WinApiVideo;
class WinApiWindows;
struct WinApiWindow;

class WinApiFocus {
public:
    WinApiFocus(WinApiVideo& video, WinApiWindows& windows);

    int showCursor(BOOL show);
    BOOL setCursorPos(int x, int y);
    BOOL getCursorPos(POINT* point);
    POINT cursor() const { return position; } // as last known, without asking the system
    void cursorMoved(int x, int y) { position = {x, y}; }
    void readCursor(); // asks the system where the pointer is

    // Activation and focus, with WM_ACTIVATEAPP, WM_ACTIVATE, WM_SETFOCUS
    // and WM_KILLFOCUS as Windows sends them.
    void activate(HWND window, bool active);
    BOOL setForeground(HWND window);
    HWND setFocus(HWND window);
    HWND focused() const { return focus; }
    HWND foregroundWindow() const { return foreground; }
    void forget(HWND window); // the window is destroyed

private:
    // What the system under the layer does (sdl/, web/).
    void showNativeCursor(bool show);
    void warpCursor(int x, int y); // screen coordinates
    void raise(WinApiWindow& window);
    void giveInputFocus(WinApiWindow& window);

    WinApiVideo& video;
    WinApiWindows& windows;

    POINT position = {};
    int cursorCount = 0; // ShowCursor display count
    HWND focus = nullptr;
    HWND foreground = nullptr;
};

} // namespace Quorvel
