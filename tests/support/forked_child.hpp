#pragma once
// Work done in a forked child process, for what must not happen in the test process itself: another
// program holding a lock, a lower file size limit, fewer privileges. The child reports in lines.

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <functional>
#include <string>

class ForkedChild {
public:
    using Say = std::function<void(const std::string& line)>;

    // Runs work in a child, which ends when work returns.
    explicit ForkedChild(const std::function<void(const Say& say)>& work)
    {
        int ends[2];
        if (pipe(ends) != 0)
            return;
        pid_ = fork();
        if (pid_ == 0) {
            close(ends[0]);
            work([out = ends[1]](const std::string& line) {
                const std::string text = line + "\n";
                [[maybe_unused]] const ssize_t ignored = ::write(out, text.data(), text.size());
            });
            _exit(0);
        }
        close(ends[1]);
        report_ = ends[0];
    }
    ~ForkedChild()
    {
        if (pid_ > 0 && !ended_)
            kill(pid_, SIGKILL); // also ends a stopped child
        wait();
        close(report_);
    }
    ForkedChild(const ForkedChild&) = delete;
    ForkedChild& operator=(const ForkedChild&) = delete;

    pid_t pid() const { return pid_; }

    // What the child said until it said `line`, or ended, or the limit passed.
    std::string waitFor(const std::string& line, std::chrono::seconds limit = std::chrono::seconds(30))
    {
        const auto deadline = std::chrono::steady_clock::now() + limit;
        char chunk[4096];
        while (said_.find(line + "\n") == std::string::npos) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            pollfd ready{report_, POLLIN, 0};
            ssize_t got = 0;
            if (left.count() <= 0 || poll(&ready, 1, static_cast<int>(left.count())) <= 0 ||
                (got = read(report_, chunk, sizeof chunk)) <= 0)
                break;
            said_.append(chunk, static_cast<std::size_t>(got));
        }
        return said_;
    }

    // Everything the child said, once it ended (or the limit passed).
    std::string report()
    {
        waitFor("\n(the end)");
        return said_;
    }

    // Waits for the child's end; its wait status.
    int wait()
    {
        while (pid_ > 0 && !ended_)
            ended_ = waitpid(pid_, &status_, 0) == pid_ || errno != EINTR;
        return status_;
    }

private:
    pid_t pid_ = -1;
    int report_ = -1;
    std::string said_;
    int status_ = 0;
    bool ended_ = false;
};
