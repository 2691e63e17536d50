#include "platform/winapi/WinApiSignals.h"

#include <csignal>

namespace Quorvel {

namespace {

// Counted by the handler, taken by the pump; only these two numbers are
// touched from the handler.
volatile std::sig_atomic_t signalsReceived = 0;
volatile std::sig_atomic_t signalsDelivered = 0;

const int handledSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

void onSignal(int signalNumber)
{
    if (signalsReceived != signalsDelivered) {
        std::signal(signalNumber, SIG_DFL);
        std::raise(signalNumber);
        return;
    }
    signalsReceived = signalsReceived + 1;
}

// Program start: the handlers are there before main runs.
const struct InstallAtStart {
    InstallAtStart() { WinApiSignals::install(); }
} installAtStart;

} // namespace

void WinApiSignals::install()
{
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    for (int signalNumber : handledSignals)
        sigaction(signalNumber, &action, nullptr);
}

bool WinApiSignals::pending()
{
    return signalsDelivered != signalsReceived;
}

void WinApiSignals::delivered()
{
    if (pending())
        signalsDelivered = signalsDelivered + 1;
}

} // namespace Quorvel
