#pragma once
// WinApiMessageBox: MessageBoxA. The text always goes to standard error as
// it is; with a display it is also shown: on the desktop in a box of the
// layer's own on X11 (WinApiX11Box) or SDL's box elsewhere, its long lines
// wrapped to fit the screen (a termination signal ends the wait as if the
// first button had been pressed), in a browser over the page, without
// waiting.

#include "platform/winapi/include/windows.h"

namespace Quorvel {

class WinApiVideo;
struct WinApiWindow;

class WinApiMessageBox {
public:
    explicit WinApiMessageBox(WinApiVideo& video);

    // The button pressed; without a display the first, when the box could
    // not be shown or was closed the last (as if cancelled).
    int show(const WinApiWindow* owner, LPCSTR text, LPCSTR caption, UINT type);

private:
    WinApiVideo& video;
};

} // namespace Quorvel
