#include "platform/file_lock.hpp"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

constexpr std::chrono::milliseconds retryEvery{20};

} // namespace

FileLock::FileLock(const std::string& path, std::chrono::milliseconds limit)
{
    // Non-blocking open: something other than a file at the lock's name must not stop us here.
    fd_ = open(path.c_str(), O_RDWR | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd_ < 0) {
        fail(std::strerror(errno));
        return;
    }
    struct stat info {};
    if (fstat(fd_, &info) != 0 || !S_ISREG(info.st_mode)) {
        fail("not a regular file");
        return;
    }
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EINTR)
            continue;
        if (errno != EWOULDBLOCK) {
            fail(std::strerror(errno));
            return;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            close(fd_);
            fd_ = -1;
            state_ = State::InUse;
            error_ = "in use";
            return;
        }
        std::this_thread::sleep_for(retryEvery);
    }
    state_ = State::Held;
}

FileLock::~FileLock()
{
    if (fd_ >= 0)
        close(fd_); // releases the lock
}

void FileLock::fail(const std::string& why)
{
    if (fd_ >= 0)
        close(fd_);
    fd_ = -1;
    state_ = State::Failed;
    error_ = why;
}
