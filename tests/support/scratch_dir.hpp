#pragma once
// Scratch folders and files for tests, and the repository's own files.

#include <filesystem>
#include <functional>
#include <string>

// A fresh directory under the system temp folder, removed with everything in it at the end. With
// enter = true it is also the working directory until then.
class ScratchDir {
public:
    explicit ScratchDir(bool enter = false);
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    std::string file(const std::string& name) const { return (path_ / name).string(); }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
    std::filesystem::path previousWorkingDir_;
};

void writeText(const std::string& path, const std::string& text);
// A file of the repository, whatever the working directory.
std::string sourcePath(const std::string& relative);

// Standard output written while run runs.
std::string stdoutOf(const std::function<void()>& run);
