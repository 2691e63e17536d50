// WinApiFocus in a browser: the pointer is the page's, so the layer keeps a
// position of its own that moves by the pointer's movements (under pointer
// lock the page's pointer stays where it is) and that SetCursorPos sets.

#include "platform/winapi/WinApiFocus.h"

#include "platform/winapi/WinApiWindows.h"
#include "platform/winapi/web/WebCanvas.h"

namespace Quorvel {

void WinApiFocus::showNativeCursor(bool show)
{
    WebCanvas::setPointerShown(show);
}

void WinApiFocus::warpCursor(int, int)
{
    // A page cannot move the pointer; the position kept is the one set.
}

void WinApiFocus::readCursor()
{
    // The position follows the page's pointer events as they come.
}

void WinApiFocus::raise(WinApiWindow&)
{
}

void WinApiFocus::giveInputFocus(WinApiWindow&)
{
    WebCanvas::focus();
}

} // namespace Quorvel
