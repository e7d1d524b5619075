#include "platform/process_signals.hpp"

#include <csignal>
#include <initializer_list>
#include <signal.h>

namespace {

// Written only by the handler; a handler may touch nothing else.
volatile std::sig_atomic_t received = 0;

void requestQuit(int signal)
{
    if (received != 0) {
        std::signal(signal, SIG_DFL);
        std::raise(signal);
        return;
    }
    received = signal;
}

// A signal ignored when the game started stays ignored: nohup, or a shell starting it in the
// background, meant it so.
void catchSignal(int signal)
{
    struct sigaction previous {};
    if (sigaction(signal, nullptr, &previous) == 0 && previous.sa_handler == SIG_IGN)
        return;
    struct sigaction action {};
    action.sa_handler = requestQuit;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART; // a read or write under way goes on; the frame loop sees the request
    sigaction(signal, &action, nullptr);
}

} // namespace

void ProcessSignals::ignoreWriteFailures()
{
    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGXFSZ, SIG_IGN);
}

void ProcessSignals::catchQuitRequests()
{
    for (int signal : {SIGTERM, SIGHUP, SIGINT})
        catchSignal(signal);
}

bool ProcessSignals::quitRequested()
{
    return received != 0;
}

int ProcessSignals::quitSignal()
{
    return received;
}
