// WinApiFocus on SDL: the pointer and the windows' raising and input focus.

#include "platform/winapi/WinApiFocus.h"

#include "platform/winapi/WinApiVideo.h"
#include "platform/winapi/WinApiWindows.h"

#include <SDL.h>

namespace Quorvel {

void WinApiFocus::showNativeCursor(bool show)
{
    SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE);
}

void WinApiFocus::warpCursor(int x, int y)
{
    for (auto& entry : windows.all()) {
        WinApiWindow& window = *entry.second;
        if (!window.sdl || !window.visible)
            continue;
        POINT origin = {};
        windows.clientOrigin(window.handle, &origin);
        if (x >= origin.x && y >= origin.y && x < origin.x + window.width && y < origin.y + window.height) {
            SDL_WarpMouseInWindow(window.sdl, x - origin.x, y - origin.y);
            return;
        }
    }
    SDL_WarpMouseGlobal(x, y);
}

void WinApiFocus::readCursor()
{
    int x = 0, y = 0;
    SDL_GetGlobalMouseState(&x, &y);
    position.x = x;
    position.y = y;
}

void WinApiFocus::raise(WinApiWindow& window)
{
    SDL_RaiseWindow(window.sdl);
}

void WinApiFocus::giveInputFocus(WinApiWindow& window)
{
    SDL_SetWindowInputFocus(window.sdl);
}

} // namespace Quorvel
