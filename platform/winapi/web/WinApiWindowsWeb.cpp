// WinApiWindows in a browser: the page has one canvas, and the first window
// made visible (or given a pixel format) takes it; its drawing buffer has the
// window's size. Where the window stands on the page is the page's business:
// the canvas fills it, so a window covering the screen is drawn one to one.

#include "platform/winapi/WinApiWindows.h"

#include "platform/winapi/WinApiVideo.h"
#include "platform/winapi/web/WebCanvas.h"

#include <cstdio>

namespace Quorvel {

bool WinApiWindows::materialise(WinApiWindow& window)
{
    if (window.onCanvas)
        return true;
    if (!video.ensure())
        return false;
    for (const auto& entry : windows) {
        if (entry.second->onCanvas) {
            std::fprintf(stderr, "winapi: the page has one canvas, already taken by \"%s\"\n",
                         entry.second->title.c_str());
            return false;
        }
    }
    window.onCanvas = true;
    WebCanvas::setTitle(window.title.c_str());
    place(window);
    return true;
}

void WinApiWindows::place(WinApiWindow& window)
{
    if (window.onCanvas)
        WebCanvas::setBufferSize(window.width, window.height);
}

void WinApiWindows::showSurface(WinApiWindow& window, bool show)
{
    if (window.onCanvas)
        WebCanvas::setVisible(show);
}

void WinApiWindows::destroySurface(WinApiWindow& window)
{
    if (window.onCanvas)
        WebCanvas::setVisible(false);
    window.onCanvas = false;
}

void WinApiWindows::forgetSurfaces()
{
    for (auto& entry : windows)
        entry.second->onCanvas = false;
}

void WinApiWindows::retitleSurface(WinApiWindow& window)
{
    if (window.onCanvas)
        WebCanvas::setTitle(window.title.c_str());
}

bool WinApiWindows::surfacePosition(const WinApiWindow& window, int& x, int& y) const
{
    if (!window.onCanvas || !window.visible)
        return false;
    x = 0; // the canvas is the screen
    y = 0;
    return true;
}

} // namespace Quorvel
