#pragma once
// A working directory whose absolute name is longer than PATH_MAX: a chain of folders made and
// entered one by one (no absolute name in it can be opened), removed again by short names at the end.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <filesystem>
#include <string>

class DeepFolder {
public:
    // Made under the working directory, which it leaves for the deepest folder.
    DeepFolder() : previous_(std::filesystem::current_path())
    {
        while (depth_ * (name_.size() + 1) <= PATH_MAX && mkdir(name_.c_str(), 0700) == 0 && chdir(name_.c_str()) == 0)
            ++depth_;
        EXPECT_GT(std::filesystem::current_path().string().size(), std::size_t{PATH_MAX});
    }
    ~DeepFolder()
    {
        std::error_code ignored;
        for (const auto& entry : std::filesystem::directory_iterator(".", ignored))
            std::filesystem::remove_all(entry.path(), ignored);
        for (; depth_ > 0 && chdir("..") == 0 && rmdir(name_.c_str()) == 0; --depth_) {
        }
        std::filesystem::current_path(previous_, ignored);
    }
    DeepFolder(const DeepFolder&) = delete;
    DeepFolder& operator=(const DeepFolder&) = delete;

private:
    const std::string name_ = std::string(250, 'd');
    std::filesystem::path previous_;
    std::size_t depth_ = 0;
};
