#include "platform/atomic_file.hpp"

#include "platform/whole_number.hpp"
#include "platform/working_directory.hpp"
#include "platform/write_all.hpp"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr int mostLinks = 40;          // links followed to a target, as the kernel allows
constexpr int mostSetAsideNames = 999; // "stem", "stem.2" ... "stem.999"

std::string failure(const fs::path& file, int error)
{
    return file.string() + ": " + std::strerror(error);
}

// An open folder; the files are named relative to it, so its name is looked up once.
class Folder {
public:
    explicit Folder(fs::path path)
        : path_(path.empty() ? fs::path(".") : std::move(path)),
          fd_(open(WorkingDirectory::reach(path_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC))
    {
    }
    ~Folder()
    {
        if (fd_ >= 0)
            close(fd_);
    }
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;

    int fd() const { return fd_; }
    fs::path operator/(const std::string& name) const { return path_ / name; }
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
    int fd_;
};


// The file the links at path lead to, at last; path itself when it is no link.
std::optional<fs::path> finalTarget(fs::path path, std::string& error)
{
    for (int hops = 0; hops <= mostLinks; ++hops) {
        std::error_code problem;
        const fs::path reachable = WorkingDirectory::reach(path);
        if (!fs::is_symlink(fs::symlink_status(reachable, problem)))
            return path;
        const fs::path next = fs::read_symlink(reachable, problem);
        if (problem) {
            error = path.string() + ": " + problem.message();
            return std::nullopt;
        }
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    error = failure(path, ELOOP);
    return std::nullopt;
}

// The writer's process id in "<name>.<pid>.new"; nothing for any other file.
std::optional<pid_t> writerOf(const std::string& file, const std::string& name)
{
    const std::string prefix = name + ".";
    const std::string suffix = ".new";
    if (file.size() <= prefix.size() + suffix.size() || file.compare(0, prefix.size(), prefix) != 0 ||
        file.compare(file.size() - suffix.size(), suffix.size(), suffix) != 0)
        return std::nullopt;
    const std::optional<pid_t> pid =
        wholeNumber<pid_t>(std::string_view(file).substr(prefix.size(), file.size() - prefix.size() - suffix.size()));
    return pid && *pid > 0 ? pid : std::nullopt;
}

// Temporary files of writers killed before their rename would stay for ever.
void removeStaleTemporaries(const Folder& folder, const std::string& name)
{
    const int listing = fcntl(folder.fd(), F_DUPFD_CLOEXEC, 0);
    DIR* entries = listing >= 0 ? fdopendir(listing) : nullptr;
    if (entries == nullptr) {
        if (listing >= 0)
            close(listing);
        return;
    }
    while (const dirent* entry = readdir(entries)) {
        const std::optional<pid_t> writer = writerOf(entry->d_name, name);
        if (writer && *writer != getpid() && kill(*writer, 0) != 0 && errno == ESRCH)
            unlinkat(folder.fd(), entry->d_name, 0);
    }
    closedir(entries);
}

// The mode of the regular file there now; nothing when there is none (the umask then decides).
std::optional<mode_t> modeOf(const Folder& folder, const std::string& name)
{
    struct stat info {};
    if (fstatat(folder.fd(), name.c_str(), &info, 0) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    return info.st_mode & 07777;
}

// Renames within the folder without replacing: 0, or the errno (EEXIST when the name is taken).
int renameNoReplace(const Folder& folder, const std::string& from, const std::string& to)
{
    if (renameat2(folder.fd(), from.c_str(), folder.fd(), to.c_str(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
    // A file system without the flag: look, then rename (a tiny window, but nothing better there).
    struct stat info {};
    if (fstatat(folder.fd(), to.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0)
        return EEXIST;
    return renameat(folder.fd(), from.c_str(), folder.fd(), to.c_str()) == 0 ? 0 : errno;
}

// Renames from to stem or the first free "stem.N": 0 with the name it got, or the errno.
int renameToFreeName(const Folder& folder, const std::string& from, const std::string& stem,
                     std::string& name)
{
    int error = EEXIST;
    for (int n = 1; n <= mostSetAsideNames && error == EEXIST; ++n) {
        name = n == 1 ? stem : stem + "." + std::to_string(n);
        error = renameNoReplace(folder, from, name);
    }
    return error;
}

// Puts the finished temporary file in its place: 0 or the errno, with the name it got.
using Placement = std::function<int(const Folder& folder, const std::string& temporary, fs::path& placed)>;

AtomicFile::Result writeThrough(const fs::path& target, const std::string& text,
                                const AtomicFile::Options& options, const Placement& place)
{
    const Folder folder(target.parent_path());
    if (folder.fd() < 0)
        return {false, failure(folder.path(), errno), {}};
    const std::string name = target.filename().string();
    removeStaleTemporaries(folder, name);
    const std::optional<mode_t> mode = modeOf(folder, name);
    const std::string temporary = AtomicFile::temporaryName(name, getpid());
    const int flags = O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC;
    int fd = openat(folder.fd(), temporary.c_str(), flags, 0666);
    if (fd < 0 && errno == EEXIST) {
        // Left by an earlier process with our id, or a link put there: never write through it.
        unlinkat(folder.fd(), temporary.c_str(), 0);
        fd = openat(folder.fd(), temporary.c_str(), flags, 0666);
    }
    if (fd < 0)
        return {false, failure(folder / temporary, errno), {}};

    int error = 0;
    if (!writeAll(fd, text) || (mode && fchmod(fd, *mode) != 0) || fsync(fd) != 0)
        error = errno;
    if (close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0 && options.beforeReplace)
        options.beforeReplace();
    fs::path placed = target;
    const fs::path failed = error != 0 ? folder / temporary : target;
    if (error == 0)
        error = place(folder, temporary, placed);
    if (error != 0) {
        unlinkat(folder.fd(), temporary.c_str(), 0);
        return {false, failure(failed, error), {}};
    }
    fsync(folder.fd()); // makes the rename durable; the file is in place whatever this says
    return {true, {}, placed.string()};
}

} // namespace

AtomicFile::Result AtomicFile::write(const std::string& path, const std::string& text, const Options& options)
{
    fs::path target = path;
    if (options.followLinks) {
        std::string error;
        const std::optional<fs::path> found = finalTarget(path, error);
        if (!found)
            return {false, error, {}};
        target = *found;
        // A link to a device or a folder is not ours to replace.
        struct stat info {};
        if (stat(WorkingDirectory::reach(target).c_str(), &info) == 0 && !S_ISREG(info.st_mode))
            return {false, target.string() + ": not a regular file", {}};
    }
    return writeThrough(
        target, text, options, [](const Folder& folder, const std::string& temporary, fs::path& placed) {
            const std::string name = placed.filename().string();
            return renameat(folder.fd(), temporary.c_str(), folder.fd(), name.c_str()) == 0 ? 0 : errno;
        });
}

AtomicFile::Result AtomicFile::setAside(const std::string& path, const std::string& stem)
{
    const Folder folder(fs::path(stem).parent_path());
    if (folder.fd() < 0)
        return {false, failure(folder.path(), errno), {}};
    std::string name;
    const int error = renameToFreeName(folder, fs::path(path).filename().string(),
                                       fs::path(stem).filename().string(), name);
    if (error != 0)
        return {false, failure(path, error), {}};
    fsync(folder.fd());
    return {true, {}, (folder / name).string()};
}

AtomicFile::Result AtomicFile::keepCopy(const std::string& text, const std::string& stem)
{
    return writeThrough(stem, text, AtomicFile::Options(),
                        [](const Folder& folder, const std::string& temporary, fs::path& placed) {
                            std::string name;
                            const int error =
                                renameToFreeName(folder, temporary, placed.filename().string(), name);
                            placed = folder / name;
                            return error;
                        });
}

std::string AtomicFile::temporaryName(const std::string& name, pid_t pid)
{
    return name + "." + std::to_string(pid) + ".new";
}
