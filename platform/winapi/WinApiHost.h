#pragma once
// WinApiHost: the Windows-API layer's one private state on SDL2, composed of
// parts that each own one job and its data: SDL video, the window classes
// and windows, the display modes, the cursor and focus, the GL contexts and
// pixel formats, the message queue and its translation, and the message box.
// The API functions (User32.cpp, Gdi32.cpp) are thin wrappers over the
// parts; what spans several of them (a window's life, showing and placing it,
// a change of display mode, the display's loss and the shutdown at exit) is
// the host's own.

#include "platform/winapi/WinApiDisplayModes.h"
#include "platform/winapi/WinApiFocus.h"
#include "platform/winapi/WinApiGLContexts.h"
#include "platform/winapi/WinApiHandles.h"
#include "platform/winapi/WinApiMessageBox.h"
#include "platform/winapi/WinApiMessages.h"
#include "platform/winapi/WinApiPixelFormats.h"
#include "platform/winapi/WinApiVideo.h"
#include "platform/winapi/WinApiWindows.h"
#include "platform/winapi/include/windows.h"

namespace Quorvel {

class WinApiHost {
public:
    // Created on first use, never destroyed; SDL is shut down at exit.
    static WinApiHost& instance();
    static constexpr int DisplayLostExitCode = 2; // the WM_QUIT code posted when the display breaks
    static constexpr int DisplayLostGraceSeconds = 5; // then the program is ended with that code

    WinApiWindows& windows() { return windowList; }
    WinApiDisplayModes& displayModes() { return modes; }
    WinApiFocus& focus() { return cursorAndFocus; }
    WinApiGLContexts& glContexts() { return gl; }
    WinApiMessages& messages() { return messageQueue; }

    // A window's life: creation with WM_NCCREATE and WM_CREATE (which may
    // refuse it), showing (which makes its SDL window and activates it),
    // placing, and destruction with everything that refers to it.
    HWND createWindow(DWORD exStyle, LPCSTR className, LPCSTR title, DWORD style, int x, int y, int width, int height,
                      HWND parent, LPVOID param);
    BOOL destroyWindow(HWND window);
    BOOL showWindow(HWND window, int command);
    BOOL setWindowPos(HWND window, int x, int y, int width, int height, UINT flags);

    // A mode change places every window that covers the screen again.
    LONG changeDisplaySettings(DEVMODEA* mode, DWORD flags);
    int messageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
    // GDI objects are plain handles here.
    HBRUSH createBrush() { return handles.make<HBRUSH>(); }

private:
    WinApiHost();

    void videoStarted();
    static void onDisplayLost(); // called from inside Xlib
    static void shutdownAtExit();
    void shutdown();

    WinApiHandles handles;
    WinApiVideo video;
    WinApiPixelFormats pixelFormats;
    WinApiDisplayModes modes;
    WinApiWindows windowList;
    WinApiFocus cursorAndFocus;
    WinApiGLContexts gl;
    WinApiMessages messageQueue;
    WinApiMessageBox messageBoxes;
};

} // namespace Quorvel
