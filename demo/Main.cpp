// The Quorvel demonstration: a first-person walk through a small level under
// a procedural cloudy sky. The command line is read first (a bad one gets the
// usage text and exit code 2; a web page's query that cannot be used is
// reported and left out, since a page has no exit code to show); everything
// else is composed by Startup::run.

#include "demo/CommandLine.h"
#include "demo/Startup.h"

#include <cstdio>

namespace {

int start(const Quorvel::CommandLine& options)
{
    switch (options.getOutcome()) {
    case Quorvel::CommandLine::Outcome::Help:
        std::fputs(Quorvel::CommandLine::usage(), stdout);
        return 0;
    case Quorvel::CommandLine::Outcome::Error:
        std::fprintf(stderr, "quorvel-demo: %s\n%s", options.getError().c_str(), Quorvel::CommandLine::usage());
        return Quorvel::CommandLine::UsageExitCode;
    case Quorvel::CommandLine::Outcome::Run:
        break;
    }
    if (!options.getQueryError().empty())
        std::fprintf(stderr, "quorvel-demo: %s; running without the query\n", options.getQueryError().c_str());
    return Quorvel::Startup::run(options);
}

} // namespace

#if defined(_WIN32)
#include <windows.h>

#include <cstdio>

// A program of the Windows GUI subsystem has no console: when it was started
// from one without redirection, print there.
static void useParentConsole()
{
    const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    if ((output == nullptr || output == INVALID_HANDLE_VALUE) && AttachConsole(ATTACH_PARENT_PROCESS)) {
        std::freopen("CONOUT$", "w", stdout);
        std::freopen("CONOUT$", "w", stderr);
    }
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int)
{
    useParentConsole();
    Quorvel::CommandLine options;
    options.parseWindows(commandLine, Quorvel::CommandLine::MaxCommandLineLength + 1);
    return start(options);
}
#else
int main(int argc, char** argv)
{
    Quorvel::CommandLine options;
    options.parse(argc, argv);
    return start(options);
}
#endif
