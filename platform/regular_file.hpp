#pragma once
// A data file opened for reading only when it is a regular file: a folder, named pipe or device is
// refused at once instead of failing halfway or blocking the game for ever.

#include <cstddef>
#include <cstdio>
#include <limits>
#include <optional>
#include <string>

class RegularFile {
public:
    // Why there is nothing to read: callers treat a missing file, a wrong kind of file and a file they
    // cannot read differently.
    enum class Problem { None, Missing, NotRegular, TooLarge, Unreadable };

    // Opens path read-only. When the path is missing, unreadable or not a regular file, the file is
    // not open and error() says why in a few words. Never blocks.
    explicit RegularFile(const std::string& path);
    ~RegularFile();
    RegularFile(const RegularFile&) = delete;
    RegularFile& operator=(const RegularFile&) = delete;

    bool isOpen() const { return stream_ != nullptr; }
    const std::string& error() const { return error_; }
    Problem problem() const { return problem_; }
    // The C stream to read from; null when not open. Still owned by this object.
    std::FILE* stream() const { return stream_; }

    static constexpr std::size_t noLimit = std::numeric_limits<std::size_t>::max();

    // Everything from the current position to the end; nothing when not open, when a read fails or
    // when there are more than maxBytes (error() then says so).
    std::optional<std::string> readAll(std::size_t maxBytes = noLimit);

    // The whole file at path, read as above; error() of the attempt in error when there is nothing.
    static std::optional<std::string> read(const std::string& path, std::size_t maxBytes, std::string& error);

private:
    std::FILE* stream_ = nullptr;
    std::string error_;
    Problem problem_ = Problem::None;
};
