#include "ui/score_store.hpp"

#include "platform/user_dirs.hpp"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <ostream>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Holds an exclusive flock on the lock file for as long as it lives; the lock file itself is never
// replaced, so every writer locks the same file.
class ScopedLock {
public:
    explicit ScopedLock(const std::string& path) : fd_(open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644))
    {
        if (fd_ < 0)
            return;
        while (flock(fd_, LOCK_EX) != 0) {
            if (errno != EINTR) {
                close(fd_);
                fd_ = -1;
                return;
            }
        }
    }
    ~ScopedLock()
    {
        if (fd_ >= 0)
            close(fd_); // releases the lock
    }
    ScopedLock(const ScopedLock&) = delete;
    ScopedLock& operator=(const ScopedLock&) = delete;

    bool held() const { return fd_ >= 0; }

private:
    int fd_;
};

enum class ReadStatus { Read, Missing, Failed };

ReadStatus readFile(const std::string& path, std::string& text)
{
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT ? ReadStatus::Missing : ReadStatus::Failed;
    char buffer[4096];
    ssize_t got = 0;
    while ((got = read(fd, buffer, sizeof buffer)) != 0) {
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            close(fd);
            return ReadStatus::Failed;
        }
        text.append(buffer, static_cast<std::size_t>(got));
    }
    close(fd);
    return ReadStatus::Read;
}

bool writeAll(int fd, const std::string& text)
{
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t wrote = write(fd, text.data() + done, text.size() - done);
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote <= 0)
            return false;
        done += static_cast<std::size_t>(wrote);
    }
    return true;
}

// Makes the rename itself durable; a failure here only weakens that, the table is already in place.
void syncDirectory(const std::string& directory)
{
    const int fd = open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    fsync(fd);
    close(fd);
}

} // namespace

std::string ScoreStore::defaultDirectory()
{
    return UserDirs::data().string();
}

ScoreStore::ScoreStore(std::string directory, std::ostream& notes)
    : directory_(std::move(directory)), path_(directory_ + "/scores"), notes_(notes)
{
}

ScoreStore::Result ScoreStore::record(const ScoreEntry& entry)
{
    Result result;
    if (!ensureDirectory()) {
        result.rank = result.table.insert(entry);
        return result;
    }
    const ScopedLock lock(directory_ + "/scores.lock");
    if (!lock.held())
        noteNotSaved(directory_ + "/scores.lock: " + std::strerror(errno));
    result.table = readTable();
    result.rank = result.table.insert(entry);
    result.saved = lock.held() && replaceTable(result.table.text());
    return result;
}

ScoreTable ScoreStore::look() const
{
    std::string text;
    if (readFile(path_, text) != ReadStatus::Read)
        return {};
    return ScoreTable::parse(text).value_or(ScoreTable{});
}

bool ScoreStore::ensureDirectory()
{
    if (directory_.empty()) {
        noteNotSaved("no home directory is known");
        return false;
    }
    std::error_code error;
    std::filesystem::create_directories(directory_, error);
    if (error)
        noteNotSaved(directory_ + ": " + error.message());
    return !error;
}

ScoreTable ScoreStore::readTable()
{
    std::string text;
    switch (readFile(path_, text)) {
    case ReadStatus::Missing: return {};
    case ReadStatus::Failed: setAside("cannot be read"); return {};
    case ReadStatus::Read: break;
    }
    if (std::optional<ScoreTable> table = ScoreTable::parse(text))
        return *table;
    setAside("not a score table");
    return {};
}

void ScoreStore::setAside(const std::string& why)
{
    const std::string bad = directory_ + "/scores.bad";
    const bool moved = std::rename(path_.c_str(), bad.c_str()) == 0;
    if (damageReported_)
        return;
    damageReported_ = true;
    notes_ << "Quarvel: the high-score table " << path_ << " cannot be used (" << why << "); "
           << (moved ? "set it aside as " + bad + " and started a fresh one" : "started a fresh one") << '\n';
}

// Writes the whole table beside the old one and renames it into place, so a reader finds either the
// old table or the new one, never a part.
bool ScoreStore::replaceTable(const std::string& text)
{
    std::string temp = directory_ + "/scores.XXXXXX";
    const int fd = mkstemp(temp.data());
    if (fd < 0) {
        noteNotSaved(temp + ": " + std::strerror(errno));
        return false;
    }
    const bool written = writeAll(fd, text) && fchmod(fd, 0644) == 0 && fsync(fd) == 0;
    const int writeError = errno;
    const bool closed = close(fd) == 0;
    if (written && closed && beforeReplace)
        beforeReplace();
    if (!written || !closed || std::rename(temp.c_str(), path_.c_str()) != 0) {
        const int error = written && closed ? errno : writeError;
        std::remove(temp.c_str());
        noteNotSaved(path_ + ": " + std::strerror(error));
        return false;
    }
    syncDirectory(directory_);
    return true;
}

void ScoreStore::noteNotSaved(const std::string& why)
{
    if (notSavedReported_)
        return;
    notSavedReported_ = true;
    notes_ << "Quarvel: high scores are not saved (" << why << "); play goes on\n";
}
