#pragma once
// Startup: composes the demonstration out of the engine. It finds the
// content, brings the engine up (Engine: content directory, subsystems in
// their fixed order, window), adds the demonstration's three widgets, lets a
// level file dropped on the window restart the walk (LevelDrop) and runs
// the main loop. It is the one place where the demonstration's content is
// chosen.

namespace Quorvel {

class CommandLine;

class Startup {
public:
    // Runs the demonstration from the working directory, which holds "data"
    // and "quorvel.conf"; when it holds neither, an installed demonstration
    // uses the content installed with it (see ContentLocation). Returns
    // the process exit code: 0 once the window has been closed, 1 when start-up failed (the user has been told why).
    static int run();
    // The same with the command line's options: a timedemo (vertical sync
    // off, the frames timed, the result printed; exit code 1 when it did not
    // finish or its picture could not be saved) and the drawing order.
    static int run(const CommandLine& options);

    static constexpr const char* DataDirectory = "data";
};

} // namespace Quorvel
