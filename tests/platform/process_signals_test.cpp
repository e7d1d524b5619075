// Signals from outside: quit requests only raise a flag (a second one ends the process as before), and
// a file-size limit makes a write fail instead of killing the process. Each case runs in a child
// process, since dispositions and the flag are the whole process's.

#include "platform/process_signals.hpp"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

constexpr int notSeen = 3;

TEST(ProcessSignals, EachQuitSignalOnlyRaisesTheRequest)
{
    for (int signal : {SIGTERM, SIGHUP, SIGINT}) {
        EXPECT_EXIT(
            {
                ProcessSignals::catchQuitRequests();
                if (ProcessSignals::quitRequested())
                    std::_Exit(notSeen);
                std::raise(signal);
                std::_Exit(ProcessSignals::quitSignal() == signal ? 0 : notSeen);
            },
            testing::ExitedWithCode(0), "")
            << strsignal(signal);
    }
}

TEST(ProcessSignals, ASecondQuitSignalEndsTheProcessAsIfUncaught)
{
    EXPECT_EXIT(
        {
            ProcessSignals::catchQuitRequests();
            std::raise(SIGINT);
            std::raise(SIGTERM);
            std::_Exit(0);
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
            std::_Exit(ProcessSignals::quitRequested() ? notSeen : 0);
        },
        testing::ExitedWithCode(0), "");
}

// In the child: writes past a 1 KiB limit into a file that is gone at once; 0 when the write fails
// with EFBIG.
int writePastTheLimit()
{
    ProcessSignals::ignoreWriteFailures();
    rlimit limit{};
    limit.rlim_cur = limit.rlim_max = 1024; // bytes
    setrlimit(RLIMIT_FSIZE, &limit);
    char name[] = "/tmp/quarvel-file-size-XXXXXX";
    const int fd = mkstemp(name);
    unlink(name);
    const std::string bytes(4096, 'x');
    const ssize_t first = write(fd, bytes.data(), bytes.size()); // up to the limit
    const ssize_t second = write(fd, bytes.data(), bytes.size());
    return first == 1024 && second == -1 && errno == EFBIG ? 0 : notSeen;
}

TEST(ProcessSignals, UnderAFileSizeLimitAWriteFailsWithEFBIG)
{
    EXPECT_EXIT(std::_Exit(writePastTheLimit()), testing::ExitedWithCode(0), "");
}

} // namespace
