#pragma once
// WinApiX11Box: the desktop's message box on X11, drawn with Xlib on a
// connection of its own, in the calling thread. SDL's box on X11 is shown
// by a child process that fork() makes without exec; in a program with
// threads of its own (a worker, the GL driver's, the sound's) that child may
// wait forever on a lock another thread held at the fork, and it stays on
// the screen when the program ends while the box is up. This box belongs to
// the program: another thread can take it down, and it ends with it.

#include <atomic>
#include <cstddef>
#include <string>
#include <vector>

namespace Quorvel {

class WinApiX11Box {
public:
    struct Button {
        int id;
        std::string label; // UTF-8
    };
    static constexpr int Closed = -1;   // closed without a button, or taken down
    static constexpr int NotShown = -2; // no X display, no font or no button: nothing was shown

    // Shows the box, titled title (UTF-8), with the lines of text (UTF-8,
    // broken where it has line feeds) over a row of buttons, in the middle
    // of the screen and kept above owner (an X window id; 0 for none). Waits
    // until a button is pressed (its id is returned), the window is asked to
    // close, or takeDown becomes true (seen within 50 ms; both Closed).
    // Return or Space presses the button with the focus, which starts on
    // returnDefault; Escape presses escapeDefault; Tab and the arrow keys
    // move the focus; a click presses the button it is released on.
    static int show(const std::string& title, const std::string& text, const std::vector<Button>& buttons,
                    size_t returnDefault, size_t escapeDefault, unsigned long owner, const std::atomic<bool>& takeDown);
};

} // namespace Quorvel
