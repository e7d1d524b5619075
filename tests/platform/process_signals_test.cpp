// Quit signals only raise a flag (the game's frame loop reads it); a second one, or one ignored at
// start, keeps its usual effect. Each case runs in a child process: dispositions are the process's.

#include "platform/process_signals.hpp"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>

namespace {

TEST(ProcessSignals, ASecondQuitSignalEndsTheProcessAsIfUncaught)
{
    EXPECT_EXIT(
        {
            ProcessSignals::catchQuitRequests();
            std::raise(SIGINT);
            std::_Exit(ProcessSignals::quitSignal() == SIGINT ? (std::raise(SIGTERM), 0) : 3);
        },
        testing::KilledBySignal(SIGTERM), "");
}

TEST(ProcessSignals, ASignalIgnoredAtStartStaysIgnored)
{
    EXPECT_EXIT(
        {
            std::signal(SIGHUP, SIG_IGN); // as nohup leaves it
            ProcessSignals::catchQuitRequests();
            std::raise(SIGHUP);
            std::_Exit(ProcessSignals::quitRequested() ? 3 : 0);
        },
        testing::ExitedWithCode(0), "");
}

} // namespace
