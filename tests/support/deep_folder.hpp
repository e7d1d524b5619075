#pragma once
// A working directory whose absolute name is longer than PATH_MAX: a chain of folders made and
// entered one by one (no absolute name of it can be opened), removed again at the end.

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
        const std::string name(250, 'd');
        while (depth_ * (name.size() + 1) <= PATH_MAX) {
            if (mkdir(name.c_str(), 0700) != 0 || chdir(name.c_str()) != 0)
                break;
            ++depth_;
        }
        EXPECT_GT(std::filesystem::current_path().string().size(), std::size_t{PATH_MAX});
    }
    // Empties the deepest folder and climbs out, removing each folder on the way (by short names).
    ~DeepFolder()
    {
        std::error_code ignored;
        for (const std::filesystem::directory_entry& entry :
             std::filesystem::directory_iterator(".", ignored))
            std::filesystem::remove_all(entry.path(), ignored);
        const std::string name(250, 'd');
        for (; depth_ > 0; --depth_)
            if (chdir("..") != 0 || rmdir(name.c_str()) != 0)
                break;
        std::filesystem::current_path(previous_, ignored);
    }
    DeepFolder(const DeepFolder&) = delete;
    DeepFolder& operator=(const DeepFolder&) = delete;

private:
    std::filesystem::path previous_;
    std::size_t depth_ = 0;
};
