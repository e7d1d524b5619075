#include "tests/e2e/data_copy.hpp"
#include "tests/support/run_program.hpp"

#include <sys/stat.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

DataCopy::DataCopy()
{
    const fs::path source = sourceDir();
    fs::copy(source / "QUARVEL", root_.path() / "QUARVEL", fs::copy_options::recursive);
    for (const char* font : {"digital-7.ttf", "Crickx.otf"})
        fs::copy_file(source / font, root_.path() / font);
}

void DataCopy::remove(const std::string& file)
{
    fs::remove(root_.path() / file);
}

void DataCopy::truncate(const std::string& file)
{
    fs::resize_file(root_.path() / file, fs::file_size(root_.path() / file) / 2);
}

void DataCopy::empty(const std::string& file)
{
    std::ofstream(root_.path() / file, std::ios::trunc);
}

void DataCopy::replace(const std::string& file, const std::string& bytes)
{
    std::ofstream(root_.path() / file, std::ios::binary | std::ios::trunc) << bytes;
}

void DataCopy::makeFolder(const std::string& file)
{
    remove(file);
    fs::create_directory(root_.path() / file);
}

void DataCopy::makePipe(const std::string& file)
{
    remove(file);
    mkfifo((root_.path() / file).c_str(), 0600);
}
