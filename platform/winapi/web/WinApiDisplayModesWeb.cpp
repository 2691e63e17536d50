// WinApiDisplayModes in a browser: the screen is the page's canvas, at the
// size the page gives it, in one mode (true colour). A change to that mode
// succeeds; any other size is not offered, as a display without it would say.

#include "platform/winapi/WinApiDisplayModes.h"

#include "platform/winapi/WinApiVideo.h"
#include "platform/winapi/web/WebCanvas.h"

#include <cstddef>

namespace Quorvel {

BOOL WinApiDisplayModes::enumerate(DWORD modeNumber, DEVMODEA* mode)
{
    if (!mode || !video.ensure()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (modeNumber == ENUM_CURRENT_SETTINGS && changed) {
        fill(*mode, width, height, bits, refresh);
        return TRUE;
    }
    if (modeNumber != ENUM_CURRENT_SETTINGS && modeNumber != ENUM_REGISTRY_SETTINGS && modeNumber != 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const POINT page = WebCanvas::pageSize();
    fill(*mode, page.x, page.y, 32, 60);
    return TRUE;
}

LONG WinApiDisplayModes::change(DEVMODEA* mode, DWORD flags)
{
    const DWORD known = CDS_FULLSCREEN | CDS_TEST | CDS_RESET;
    if (flags & ~known)
        return DISP_CHANGE_BADFLAGS;
    if (!video.ensure())
        return DISP_CHANGE_FAILED;
    if (!mode) {
        if (!(flags & CDS_TEST))
            changed = false;
        return DISP_CHANGE_SUCCESSFUL;
    }
    if (mode->dmSize < offsetof(DEVMODEA, dmICMMethod))
        return DISP_CHANGE_BADPARAM;
    const POINT page = WebCanvas::pageSize();
    const int wantedWidth = (mode->dmFields & DM_PELSWIDTH) ? int(mode->dmPelsWidth) : page.x;
    const int wantedHeight = (mode->dmFields & DM_PELSHEIGHT) ? int(mode->dmPelsHeight) : page.y;
    const int wantedBits = (mode->dmFields & DM_BITSPERPEL) ? int(mode->dmBitsPerPel) : 32;
    if (wantedWidth != page.x || wantedHeight != page.y || wantedBits < 24)
        return DISP_CHANGE_BADMODE;
    if (flags & CDS_TEST)
        return DISP_CHANGE_SUCCESSFUL;
    changed = true;
    width = page.x;
    height = page.y;
    bits = 32;
    refresh = 60;
    return DISP_CHANGE_SUCCESSFUL;
}

POINT WinApiDisplayModes::screenSize()
{
    if (!video.ensure())
        return {0, 0};
    return WebCanvas::pageSize();
}

} // namespace Quorvel
