#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <unistd.h>

namespace {

// A test program ends at once on a termination signal, whatever it was
// doing: its windows go with its display connection, so a killed test never
// leaves a window behind for a later run to find. (Engine programs turn the
// same signals into a close request instead, which a test never pumps.)
void endTestProgram(int signalNumber)
{
    static const char text[] = "test program ended by a termination signal\n";
    const ssize_t ignored = write(STDERR_FILENO, text, sizeof text - 1);
    (void)ignored;
    _exit(128 + signalNumber);
}

} // namespace

int main(int argc, char** argv)
{
    struct sigaction action = {};
    action.sa_handler = endTestProgram;
    sigemptyset(&action.sa_mask);
    for (int signalNumber : {SIGINT, SIGTERM, SIGHUP, SIGQUIT})
        sigaction(signalNumber, &action, nullptr);

    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
