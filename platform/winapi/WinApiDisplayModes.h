#pragma once
// WinApiDisplayModes: the display's modes as EnumDisplaySettings and
// ChangeDisplaySettings see them, the mode change in force, and what that
// means for a window that covers the screen: which of SDL's full-screen
// states it takes and in which mode.

#include "platform/winapi/include/windows.h"

#include <cstdint>

struct SDL_Window;

namespace Quorvel {

class WinApiVideo;
struct WinApiWindow;

class WinApiDisplayModes {
public:
    explicit WinApiDisplayModes(WinApiVideo& video);

    BOOL enumerate(DWORD modeNumber, DEVMODEA* mode);
    // Changes (or, with no mode, restores) the mode in force; the windows
    // that cover the screen are for the caller to place again.
    LONG change(DEVMODEA* mode, DWORD flags);
    POINT screenSize(); // x: width, y: height

    // SDL's full-screen flags for a window: what a top-level window without
    // a caption covers decides it (0 when it covers neither the changed mode
    // nor the desktop).
    uint32_t fullscreenFlags(const WinApiWindow& window) const;
    void applyTo(SDL_Window* window) const; // the changed mode, for SDL's full screen

    void forget() { changed = false; } // the display is gone or given back

private:
    enum class Cover { None, Mode, Desktop };
    Cover coverOf(const WinApiWindow& window) const;
    bool isDesktopMode() const; // the changed mode is the desktop's own
    bool find(const DEVMODEA& wanted, void* sdlMode); // SDL_DisplayMode*
    static void fill(DEVMODEA& mode, int width, int height, int bitsPerPixel, int refreshRate);

    WinApiVideo& video;
    bool changed = false; // a full-screen mode change is in force
    int width = 0, height = 0, bits = 0, refresh = 0;
    uint32_t format = 0;
};

} // namespace Quorvel
