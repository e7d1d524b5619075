// Loaded into the plain game by the soak (LD_PRELOAD, with QUARVEL_HEAP_PROBE naming a file). On SIGUSR2
// it hands the heap's free pages back to the system and appends the bytes the heap holds to that file, so
// the soak compares what the game holds from game to game, not the pages the allocator happened to keep.
// A thread of its own does the work: a signal handler must not call the allocator.

#include <malloc.h>
#include <pthread.h>
#include <signal.h>

#include <cstdio>
#include <cstdlib>

namespace {

const char* reportPath = nullptr;

sigset_t requestSignal()
{
    sigset_t request;
    sigemptyset(&request);
    sigaddset(&request, SIGUSR2);
    return request;
}

void report()
{
    malloc_trim(0);
    const struct mallinfo2 heap = mallinfo2();
    if (FILE* out = std::fopen(reportPath, "a")) {
        std::fprintf(out, "%zu\n", heap.uordblks + heap.hblkhd);
        std::fclose(out);
    }
}

void* answerRequests(void*)
{
    const sigset_t request = requestSignal();
    int received = 0;
    while (sigwait(&request, &received) == 0)
        report();
    return nullptr;
}

__attribute__((constructor)) void startProbe()
{
    reportPath = std::getenv("QUARVEL_HEAP_PROBE");
    if (reportPath == nullptr)
        return;
    // Blocked before the game starts its threads, so they all inherit it and only the probe takes it.
    const sigset_t request = requestSignal();
    pthread_sigmask(SIG_BLOCK, &request, nullptr);
    pthread_t probe;
    if (pthread_create(&probe, nullptr, answerRequests, nullptr) == 0)
        pthread_detach(probe);
}

} // namespace
