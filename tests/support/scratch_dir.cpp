#include "tests/support/scratch_dir.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace fs = std::filesystem;

ScratchDir::ScratchDir(bool enter)
{
    std::string pattern = (fs::temp_directory_path() / "quarvel-render-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot create a scratch directory");
    path_ = pattern;
    if (enter) {
        previousWorkingDir_ = fs::current_path();
        fs::current_path(path_);
    }
}

ScratchDir::~ScratchDir()
{
    std::error_code ignored;
    if (!previousWorkingDir_.empty())
        fs::current_path(previousWorkingDir_, ignored);
    fs::remove_all(path_, ignored);
}

void writeText(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

std::string sourcePath(const std::string& relative)
{
    return std::string(QUARVEL_SOURCE_DIR) + "/" + relative;
}

std::string stdoutOf(const std::function<void()>& run)
{
    testing::internal::CaptureStdout();
    run();
    return testing::internal::GetCapturedStdout();
}
