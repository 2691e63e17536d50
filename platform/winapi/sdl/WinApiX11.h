#pragma once
// WinApiX11: the X11 side of the layer's display that SDL does not cover.
// When the connection to the X server breaks (the server ended, the display
// was closed), Xlib would call exit() and the exit-time clean-up would then
// wait forever on the dead connection. Instead the layer is told at once and
// the program goes on to end through its own message loop; the dead
// connection is not used again.

struct SDL_Window;

namespace Quorvel {

class WinApiX11 {
public:
    // Starts watching the X connection behind the window (once; windows on
    // other video drivers are ignored). onLost is called once, from inside
    // the Xlib call that found the connection broken.
    static void watch(SDL_Window* window, void (*onLost)());

    // Whether a window manager runs on the display (the root window names
    // its _NET_SUPPORTING_WM_CHECK window). Asked once, on a connection of
    // its own; true when it cannot be told (not X11, no display), the answer
    // that keeps SDL's full screen.
    static bool windowManagerRunning();
};

} // namespace Quorvel
