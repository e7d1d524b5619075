#include "output_folder.hpp"

#include <fstream>
#include <stdexcept>

namespace assetgen {

void OutputFolder::write(const std::string& relativePath, const std::vector<uint8_t>& bytes)
{
    const auto found = written_.find(relativePath);
    if (found != written_.end()) {
        if (found->second != bytes)
            throw std::logic_error("two different contents for " + relativePath);
        return;
    }
    const std::filesystem::path path = root_ / relativePath;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
    written_.emplace(relativePath, bytes);
}

void OutputFolder::writeText(const std::string& relativePath, const std::string& text)
{
    write(relativePath, std::vector<uint8_t>(text.begin(), text.end()));
}

std::vector<std::string> OutputFolder::writtenFiles() const
{
    std::vector<std::string> names;
    for (const auto& entry : written_)
        names.push_back(entry.first);
    return names;
}

} // namespace assetgen
