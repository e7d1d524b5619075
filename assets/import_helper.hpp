#pragma once
// One helper process that imports model files one after another exactly as the game would, and what
// the game learns from it: how each import ended and which files it read. A crash or a hang ends the
// helper in the middle of one file; that file is the one to blame.

#include "assets/model_check_record.hpp"

#include <sys/resource.h>
#include <sys/types.h>

#include <chrono>
#include <cstddef>
#include <string>
#include <vector>

struct ImportLimits {
    // Processor time for one file; a file that uses it up hangs the importer. The game's largest model
    // takes a few hundredths of a second.
    int cpuSeconds = 2;
    // Wall-clock time for one file, for a helper that is stuck without working (or starved).
    double waitSeconds = 30.0;
    // Address space a helper may take beyond the game's own (not under AddressSanitizer, which
    // reserves terabytes).
    std::size_t memoryBytes = std::size_t{1} << 30;
};

class ImportHelper {
public:
    using Clock = std::chrono::steady_clock;

    struct Result {
        std::size_t file = 0; // index into the paths
        ModelVerdict verdict;
        std::vector<std::string> filesRead;
        // False when it says more about the machine than the file: the helper waited too long, ran
        // out of memory, or was killed from outside (the out-of-memory killer). Asked again next time.
        bool lasting = true;
    };

    // Forks the helper, which imports paths[i] for each i of files, in that order. Call it while the
    // process has a single thread: the helper is a copy of it.
    ImportHelper(const std::vector<std::string>& paths, std::vector<std::size_t> files,
                 const ImportLimits& limits);
    // A helper still running is killed.
    ~ImportHelper();
    ImportHelper(const ImportHelper&) = delete;
    ImportHelper& operator=(const ImportHelper&) = delete;

    // Where the helper reports (for poll), -1 when it could not be started.
    int reportFd() const { return report_; }
    // When the file in hand has taken too long.
    Clock::time_point deadline() const { return deadline_; }

    // Takes in what the helper reported and appends the files it finished. False once the helper has
    // ended (or was killed for taking too long); the file it was importing then got the verdict.
    bool collect(std::vector<Result>& results);
    // Files the helper did not get to after it ended.
    std::vector<std::size_t> remaining() const;

private:
    [[noreturn]] void runHelper(int reportPipe) const;
    void limitProcess() const;
    void limitProcessorTimeOfNextFile() const;
    void takeLine(const std::string& line, std::vector<Result>& results);
    void finish(std::vector<Result>& results, bool overdue);
    ModelVerdict verdictOfEnd(bool overdue) const;
    bool killedFromOutside() const;

    std::vector<std::string> paths_;
    std::vector<std::size_t> files_;
    std::size_t next_ = 0; // files_[next_] is in hand or next
    ImportLimits limits_;
    pid_t pid_ = -1;
    int report_ = -1;
    int status_ = 0;
    rusage usage_{};             // of the ended helper
    bool shortOfMemory_ = false; // an allocation failed in the file in hand
    std::string partialLine_;
    std::vector<std::string> filesRead_; // by the file in hand
    Clock::time_point deadline_;
};
