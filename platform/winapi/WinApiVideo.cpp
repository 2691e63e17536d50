// WinApiVideo: what the layer knows of the display, whatever system is under
// it (the start and the stop are the system's own: sdl/, web/).

#include "platform/winapi/WinApiVideo.h"

#include <utility>

namespace Quorvel {

WinApiVideo::WinApiVideo(std::function<void()> started)
    : started(std::move(started))
{
}

bool WinApiVideo::markLost()
{
    if (isLost)
        return false;
    isLost = true;
    isReady = false;
    return true;
}

} // namespace Quorvel
