#pragma once
// The folder the generator writes into; remembers every file so shared textures are written once.

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace assetgen {

class OutputFolder {
public:
    explicit OutputFolder(std::filesystem::path root) : root_(std::move(root)) {}

    // Writes root/relativePath, creating folders. Writing one path twice is allowed only with the same
    // bytes (two models sharing a texture); different bytes throw.
    void write(const std::string& relativePath, const std::vector<uint8_t>& bytes);
    void writeText(const std::string& relativePath, const std::string& text);

    std::vector<std::string> writtenFiles() const;

private:
    std::filesystem::path root_;
    std::map<std::string, std::vector<uint8_t>> written_;
};

} // namespace assetgen
