#include "tests/support/temp_folder.hpp"

#include <cstdlib>
#include <stdexcept>
#include <system_error>

TempFolder::TempFolder(const std::string& prefix)
{
    std::string name = "/tmp/" + prefix + "-XXXXXX";
    if (mkdtemp(name.data()) == nullptr)
        throw std::runtime_error("cannot make a folder like " + name);
    path_ = name;
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}
