#include "platform/regular_file.hpp"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

RegularFile::RegularFile(const std::string& path)
{
    // Without O_NONBLOCK, opening a named pipe waits for a writer that may never come.
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        problem_ = errno == ENOENT ? Problem::Missing : Problem::Unreadable;
        error_ = std::strerror(errno);
        return;
    }
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        problem_ = Problem::NotRegular;
        error_ = "not a regular file";
        close(fd);
        return;
    }
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    stream_ = fdopen(fd, "rb");
    if (stream_ == nullptr) {
        problem_ = Problem::Unreadable;
        error_ = std::strerror(errno);
        close(fd);
    }
}

RegularFile::~RegularFile()
{
    if (stream_ != nullptr)
        std::fclose(stream_);
}

std::optional<std::string> RegularFile::readAll(std::size_t maxBytes)
{
    if (stream_ == nullptr)
        return std::nullopt;
    std::string bytes;
    char chunk[8192];
    std::size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, stream_)) > 0) {
        if (got > maxBytes - bytes.size()) {
            problem_ = Problem::TooLarge;
            error_ = "larger than " + std::to_string(maxBytes) + " bytes";
            return std::nullopt;
        }
        bytes.append(chunk, got);
    }
    if (std::ferror(stream_)) {
        problem_ = Problem::Unreadable;
        error_ = std::strerror(errno);
        return std::nullopt;
    }
    return bytes;
}

std::optional<std::string> RegularFile::read(const std::string& path, std::size_t maxBytes, std::string& error)
{
    RegularFile file(path);
    std::optional<std::string> bytes = file.readAll(maxBytes);
    error = file.error();
    return bytes;
}
