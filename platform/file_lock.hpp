#pragma once
// An exclusive lock between processes on a lock file, held for the object's life. It waits a limited
// time only: a process stopped or hung while holding the lock must not freeze the others.

#include <chrono>
#include <string>

class FileLock {
public:
    enum class State { Held, InUse, Failed };

    // Creates the lock file when missing (its mode after the umask) and tries to lock it until the
    // limit has passed. The file itself is never replaced, so every process locks the same one.
    FileLock(const std::string& path, std::chrono::milliseconds limit);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // InUse: another process held it for the whole time; Failed: error() says why.
    State state() const { return state_; }
    bool held() const { return state_ == State::Held; }
    const std::string& error() const { return error_; }

private:
    void fail(const std::string& why);

    int fd_ = -1;
    State state_ = State::Failed;
    std::string error_;
};
