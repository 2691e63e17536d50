#pragma once
// WinApiMessageBox: MessageBoxA on SDL2. The text always goes to standard
// error as it is; with a display it is also shown in SDL's message box, its
// long lines wrapped to fit the screen. A termination signal ends the wait
// as if the first button had been pressed.

#include "platform/winapi/include/windows.h"

struct SDL_Window;

namespace Quorvel {

class WinApiVideo;

class WinApiMessageBox {
public:
    explicit WinApiMessageBox(WinApiVideo& video);

    // The button pressed; without a display the first, when the box could
    // not be shown or was closed the last (as if cancelled).
    int show(SDL_Window* owner, LPCSTR text, LPCSTR caption, UINT type);

private:
    WinApiVideo& video;
};

} // namespace Quorvel
