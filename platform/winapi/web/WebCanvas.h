#pragma once
// WebCanvas: the page's one canvas (id "canvas"), which is the screen and
// the window of the layer in a browser: its size on the page, the size of
// its drawing buffer, whether it shows, the pointer over it, and the page's
// title.

#include "platform/winapi/include/windows.h"

namespace Quorvel {

class WebCanvas {
public:
    static constexpr const char* Selector = "#canvas";

    // The canvas's size on the page in CSS pixels, at least 1 x 1.
    static POINT pageSize();
    // The drawing buffer: what the context draws into, shown at pageSize().
    static void setBufferSize(int width, int height);
    static void setVisible(bool visible);
    static void setPointerShown(bool shown);
    static void setTitle(const char* title);
    static void focus();
};

} // namespace Quorvel
