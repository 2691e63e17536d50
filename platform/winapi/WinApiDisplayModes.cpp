// WinApiDisplayModes: the display modes as Windows describes them (the modes
// themselves are the system's: sdl/, web/).

#include "platform/winapi/WinApiDisplayModes.h"

#include <cstring>

namespace Quorvel {

WinApiDisplayModes::WinApiDisplayModes(WinApiVideo& video)
    : video(video)
{
}

void WinApiDisplayModes::fill(DEVMODEA& mode, int width, int height, int bitsPerPixel, int refreshRate)
{
    std::memset(mode.dmDeviceName, 0, sizeof(mode.dmDeviceName));
    std::strcpy(reinterpret_cast<char*>(mode.dmDeviceName), "\\\\.\\DISPLAY1");
    mode.dmSpecVersion = DM_SPECVERSION;
    mode.dmDriverExtra = 0;
    mode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT | DM_DISPLAYFLAGS | DM_DISPLAYFREQUENCY | DM_POSITION;
    mode.dmPosition.x = 0;
    mode.dmPosition.y = 0;
    mode.dmBitsPerPel = DWORD(bitsPerPixel);
    mode.dmPelsWidth = DWORD(width);
    mode.dmPelsHeight = DWORD(height);
    mode.dmDisplayFlags = 0;
    mode.dmDisplayFrequency = DWORD(refreshRate);
}

} // namespace Quorvel
