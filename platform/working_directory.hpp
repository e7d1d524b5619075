#pragma once
// Paths as the system can reach them: a file inside the working directory is named relative to it,
// so a working directory whose absolute name is longer than PATH_MAX still reaches its files.

#include <filesystem>

class WorkingDirectory {
public:
    // The path relative to the working directory when it lies inside it ("." for the working directory
    // itself); any other path as it is.
    static std::filesystem::path reach(const std::filesystem::path& path);
};
