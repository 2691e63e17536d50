// WinApiVideo in a browser: the display is the page, and it is there when the
// page has its canvas.

#include "platform/winapi/WinApiVideo.h"

#include <emscripten.h>

#include <cstdio>

namespace Quorvel {

bool WinApiVideo::ensure()
{
    if (tried)
        return isReady;
    tried = true;
    const int hasCanvas = EM_ASM_INT({ return Module['canvas'] ? 1 : 0; });
    if (!hasCanvas) {
        std::fprintf(stderr, "winapi: no display: the page has no canvas\n");
        return false;
    }
    isReady = true;
    if (started)
        started();
    return true;
}

void WinApiVideo::stop()
{
    isReady = false; // the page stays; nothing to give back
}

} // namespace Quorvel
