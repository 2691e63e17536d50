#pragma once
// WinApiSignals: the termination signals (SIGINT, SIGTERM, SIGHUP, SIGQUIT)
// as close requests, the way a Windows program is asked to end: each one
// becomes a WM_CLOSE to every top-level window at the next message pump. The
// handlers are in place from the start of the program, so a request that
// arrives before the window exists closes the window as soon as it is made.
// A second signal that arrives before the first was delivered ends the
// process the default way (a program that never pumps can still be ended).

namespace Quorvel {

class WinApiSignals {
public:
    // Installs the handlers; done at program start. Calling it again puts
    // them back after someone else's.
    static void install();
    // True when a close request is waiting to be delivered.
    static bool pending();
    // Marks the oldest waiting request as delivered.
    static void delivered();
};

} // namespace Quorvel
