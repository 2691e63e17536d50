#pragma once
// WinApiVideo: SDL's video subsystem, started on first need. Without a
// display it says so once on standard error and stays down; everything of
// the layer that needs no display (classes, windows that are not shown, the
// queue) still works. Once the display's connection breaks, it stays down
// for good.

#include <functional>

namespace Quorvel {

class WinApiVideo {
public:
    // started runs once, right after video first comes up.
    explicit WinApiVideo(std::function<void()> started);

    // Starts SDL video once; false without a display. SDL's off-screen and
    // dummy drivers count as no display unless SDL_VIDEODRIVER asks for them
    // by name.
    bool ensure();
    bool ready() const { return isReady; }
    bool lost() const { return isLost; }

    // The connection broke: false when that was already known.
    bool markLost();
    void stop(); // SDL is shut down

private:
    std::function<void()> started;
    bool tried = false;
    bool isReady = false;
    bool isLost = false;
};

} // namespace Quorvel
