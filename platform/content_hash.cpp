#include "platform/content_hash.hpp"

#include "platform/regular_file.hpp"

namespace {

constexpr std::uint64_t prime = 1099511628211ULL;

} // namespace

void ContentHash::add(std::string_view bytes)
{
    for (const char byte : bytes) {
        hash ^= static_cast<unsigned char>(byte);
        hash *= prime;
    }
    size += bytes.size();
}

ContentHash ContentHash::of(std::string_view bytes)
{
    ContentHash content;
    content.add(bytes);
    return content;
}

std::optional<ContentHash> ContentHash::ofFile(const std::string& path, std::size_t maxBytes)
{
    RegularFile file(path);
    if (!file.isOpen())
        return std::nullopt;
    ContentHash content;
    char chunk[65536];
    std::size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, file.stream())) > 0) {
        if (got > maxBytes - content.size)
            return std::nullopt;
        content.add({chunk, got});
    }
    if (std::ferror(file.stream()))
        return std::nullopt;
    return content;
}
