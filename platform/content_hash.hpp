#pragma once
// A fast fingerprint of what a file holds (64-bit FNV-1a over its bytes), to tell a file that changed
// from one that did not whatever its size and modification time say.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct ContentHash {
    static constexpr std::uint64_t emptyHash = 14695981039346656037ULL; // FNV-1a's offset basis

    std::uint64_t size = 0; // bytes
    std::uint64_t hash = emptyHash;

    bool operator==(const ContentHash&) const = default;

    // The fingerprint of a regular file of at most maxBytes; nothing for anything else.
    static std::optional<ContentHash> ofFile(const std::string& path, std::size_t maxBytes);
    // The fingerprint of bytes already in memory.
    static ContentHash of(std::string_view bytes);

    // Adds bytes to the fingerprint.
    void add(std::string_view bytes);
};
