#include "assets/import_helper.hpp"

#include "assets/model_import.hpp"
#include "platform/write_all.hpp"

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <iostream>
#include <new>

namespace {

constexpr std::size_t readChunk = 4096; // bytes

#if defined(__SANITIZE_ADDRESS__)
constexpr bool addressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool addressSanitizer = true;
#else
constexpr bool addressSanitizer = false;
#endif
#else
constexpr bool addressSanitizer = false;
#endif


// Bytes of address space this process holds now.
std::size_t addressSpace()
{
    std::ifstream statm("/proc/self/statm");
    std::size_t pages = 0;
    statm >> pages;
    return pages * static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
}

std::string withoutLineBreaks(std::string text)
{
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

std::string quoted(const std::string& path)
{
    return "\"" + path + "\"";
}

// The helper's report pipe, for the new-handler (which takes no arguments); set in the helper only.
int memoryReport = -1;

// An allocation failed: the helper's memory limit, not the file, may be to blame. The line goes out
// before the failure goes on as usual, so even a crash that follows is not held against the file.
void reportShortOfMemory()
{
    constexpr char line[] = "memory\n";
    [[maybe_unused]] const ssize_t ignored = ::write(memoryReport, line, sizeof line - 1);
    throw std::bad_alloc();
}

ImportHelper::Clock::time_point after(double seconds)
{
    return ImportHelper::Clock::now() +
           std::chrono::duration_cast<ImportHelper::Clock::duration>(std::chrono::duration<double>(seconds));
}

} // namespace

ImportHelper::ImportHelper(const std::vector<std::string>& paths, std::vector<std::size_t> files,
                           const ImportLimits& limits)
    : paths_(paths), files_(std::move(files)), limits_(limits), deadline_(after(limits.waitSeconds))
{
    int ends[2];
    if (::pipe(ends) != 0)
        return;
    pid_ = ::fork();
    if (pid_ == 0) {
        ::close(ends[0]);
        runHelper(ends[1]);
    }
    ::close(ends[1]);
    if (pid_ < 0) {
        ::close(ends[0]);
        return;
    }
    report_ = ends[0];
    ::fcntl(report_, F_SETFL, O_NONBLOCK);
}

ImportHelper::~ImportHelper()
{
    if (report_ < 0)
        return;
    ::close(report_);
    ::kill(pid_, SIGKILL);
    while (::waitpid(pid_, &status_, 0) < 0 && errno == EINTR) {
    }
}

bool ImportHelper::collect(std::vector<Result>& results)
{
    if (pid_ < 0) {
        std::cerr << "Model file check: no helper process; " << files_.size() - next_
                  << " model files are imported unchecked" << std::endl;
        for (; next_ < files_.size(); ++next_)
            results.push_back(Result{files_[next_], ModelVerdict{}, {}, false});
        return false;
    }
    char chunk[readChunk];
    ssize_t got = 0;
    while ((got = ::read(report_, chunk, sizeof chunk)) > 0) {
        partialLine_.append(chunk, static_cast<std::size_t>(got));
        for (std::size_t end = partialLine_.find('\n'); end != std::string::npos;
             end = partialLine_.find('\n')) {
            takeLine(partialLine_.substr(0, end), results);
            partialLine_.erase(0, end + 1);
        }
    }
    const bool ended = got == 0 || (errno != EAGAIN && errno != EINTR);
    if (ended || Clock::now() >= deadline_) {
        finish(results, !ended);
        return false;
    }
    return true;
}

std::vector<std::size_t> ImportHelper::remaining() const
{
    return std::vector<std::size_t>(files_.begin() + static_cast<std::ptrdiff_t>(next_), files_.end());
}

void ImportHelper::takeLine(const std::string& line, std::vector<Result>& results)
{
    if (line == "start") {
        filesRead_.clear();
        shortOfMemory_ = false;
        deadline_ = after(limits_.waitSeconds);
    } else if (line == "memory") {
        shortOfMemory_ = true;
    } else if (line.rfind("read\t", 0) == 0) {
        filesRead_.push_back(line.substr(5));
    } else if (next_ < files_.size() && (line == "imports" || line.rfind("fails\t", 0) == 0)) {
        const ModelVerdict verdict =
            line == "imports" ? ModelVerdict{} : ModelVerdict{ModelVerdict::Kind::Fails, line.substr(6)};
        const bool lasting = verdict.kind == ModelVerdict::Kind::Imports || !shortOfMemory_;
        results.push_back(Result{files_[next_++], verdict, filesRead_, lasting});
        filesRead_.clear();
        deadline_ = after(limits_.waitSeconds);
    }
}

// The helper is gone or overdue: the file in hand, if any, is to blame.
void ImportHelper::finish(std::vector<Result>& results, bool overdue)
{
    if (overdue)
        ::kill(pid_, SIGKILL);
    ::close(report_);
    report_ = -1;
    while (::wait4(pid_, &status_, 0, &usage_) < 0 && errno == EINTR) {
    }
    if (next_ < files_.size()) {
        // A helper that only waited too long may have met a busy machine: ask again next time.
        const bool lasting = !overdue && !shortOfMemory_ && !killedFromOutside();
        results.push_back(Result{files_[next_], verdictOfEnd(overdue), filesRead_, lasting});
        ++next_;
    }
}

// SIGKILL without our asking comes from the out-of-memory killer, unless the helper used up a hard
// limit on processor time that this process inherited (the kernel kills with SIGKILL there too).
bool ImportHelper::killedFromOutside() const
{
    if (!WIFSIGNALED(status_) || WTERMSIG(status_) != SIGKILL)
        return false;
    rlimit processorTime{};
    ::getrlimit(RLIMIT_CPU, &processorTime);
    const auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
    };
    const double used = seconds(usage_.ru_utime) + seconds(usage_.ru_stime);
    constexpr double tick = 0.5; // the kernel checks the limit about once a tick; this is plenty
    return processorTime.rlim_max == RLIM_INFINITY ||
           used + tick < static_cast<double>(processorTime.rlim_max);
}

ModelVerdict ImportHelper::verdictOfEnd(bool overdue) const
{
    const std::string& path = paths_[files_[next_]];
    const int signal = WIFSIGNALED(status_) ? WTERMSIG(status_) : 0;
    if (overdue)
        return ModelVerdict{ModelVerdict::Kind::Hangs,
                            "the importer did not finish " + quoted(path) + " in the time allowed"};
    if (signal == SIGXCPU || (signal == SIGKILL && !killedFromOutside()))
        return ModelVerdict{ModelVerdict::Kind::Hangs,
                            "the importer did not finish " + quoted(path) + " within its processor time"};
    if (signal == SIGKILL)
        return ModelVerdict{ModelVerdict::Kind::Crashes,
                            "the importer was killed from outside on " + quoted(path) + " (signal 9)"};
    const std::string how = signal != 0 ? "signal " + std::to_string(signal)
                                        : "exit status " + std::to_string(WEXITSTATUS(status_));
    return ModelVerdict{ModelVerdict::Kind::Crashes,
                        "the importer crashed on " + quoted(path) + " (" + how + ")"};
}

// In the helper: the game's own import of each file, under limits. It reports each file the importer
// opens as it happens and how each import ended; a crash or a kill cuts the report short in the middle
// of a file. Its own output is silenced: the game's traces stay as they are, and a crash is the game's
// to report in one line.
void ImportHelper::runHelper(int reportPipe) const
{
    // With standard output or error closed, the pipe may have got their number: move it out of the way.
    if (reportPipe <= STDERR_FILENO)
        reportPipe = ::fcntl(reportPipe, F_DUPFD, STDERR_FILENO + 1);
    const int silence = ::open("/dev/null", O_WRONLY);
    if (silence >= 0) {
        ::dup2(silence, STDOUT_FILENO);
        ::dup2(silence, STDERR_FILENO);
    }
    limitProcess();
    memoryReport = reportPipe;
    std::set_new_handler(reportShortOfMemory);
    const auto opened = [reportPipe](const char* file) {
        writeAll(reportPipe, "read\t" + std::string(file) + "\n");
    };
    for (std::size_t file : files_) {
        limitProcessorTimeOfNextFile();
        writeAll(reportPipe, "start\n");
        std::string verdict = "imports\n";
        {
            const std::shared_ptr<ModelImport> import = ModelImport::read(paths_[file], opened);
            if (import->failed())
                verdict = "fails\t" + withoutLineBreaks(import->error()) + "\n";
        } // releasing the scene is part of the import: the game does it at its end
        writeAll(reportPipe, verdict);
    }
    ::_exit(0); // nothing of the game's must run here: no exit handlers, no buffers flushed twice
}

void ImportHelper::limitProcess() const
{
    const rlimit noCoreFile{0, 0};
    ::setrlimit(RLIMIT_CORE, &noCoreFile);
    if (!addressSanitizer) {
        const auto bytes = static_cast<rlim_t>(addressSpace() + limits_.memoryBytes);
        const rlimit memory{bytes, bytes};
        ::setrlimit(RLIMIT_AS, &memory);
    }
}

// The soft limit counts the whole process's time: the next file may use cpuSeconds more than so far.
void ImportHelper::limitProcessorTimeOfNextFile() const
{
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    const auto used = static_cast<rlim_t>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + 1);
    rlimit processorTime{};
    ::getrlimit(RLIMIT_CPU, &processorTime);
    processorTime.rlim_cur = std::min(used + static_cast<rlim_t>(limits_.cpuSeconds), processorTime.rlim_max);
    ::setrlimit(RLIMIT_CPU, &processorTime);
}
