#pragma once
// A fresh folder under /tmp that is removed with everything in it when the owner goes.

#include <filesystem>
#include <string>

class TempFolder {
public:
    // prefix names the folder: /tmp/<prefix>-XXXXXX. Throws when no folder can be made.
    explicit TempFolder(const std::string& prefix = "quarvel-test");
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};
