// Fingerprints of file contents, and paths reached from a working directory of any length.

#include "platform/content_hash.hpp"
#include "platform/working_directory.hpp"
#include "tests/support/scratch_dir.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;

TEST(ContentHash, IsFnv1aOverTheBytesAndReadsOnlyWholeRegularFiles)
{
    // Published FNV-1a 64-bit values.
    EXPECT_EQ(ContentHash::of("").hash, 0xcbf29ce484222325ULL);
    EXPECT_EQ(ContentHash::of("a").hash, 0xaf63dc4c8601ec8cULL);
    EXPECT_EQ(ContentHash::of("foobar").hash, 0x85944171f73967e8ULL);
    EXPECT_EQ(ContentHash::of("foobar").size, 6u);
    // One changed byte in the middle of a same-size file is a different fingerprint.
    EXPECT_NE(ContentHash::of(std::string(100000, 'a')),
              ContentHash::of(std::string(50000, 'a') + "b" + std::string(49999, 'a')));

    ScratchDir dir;
    const std::string big(200000, 'x'); // more than one read
    writeText(dir.file("big"), big);
    fs::create_directory(dir.file("folder"));
    mkfifo(dir.file("pipe").c_str(), 0600);
    const struct {
        const char* name;
        std::size_t limit;
        std::optional<ContentHash> expected;
    } cases[] = {
        {"big", 200000, ContentHash::of(big)},
        {"big", 199999, std::nullopt},
        {"folder", 1000, std::nullopt},
        {"pipe", 1000, std::nullopt},
        {"missing", 1000, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ContentHash::ofFile(dir.file(c.name), c.limit), c.expected) << c.name << " " << c.limit;
}

TEST(WorkingDirectory, PathsInsideItAreReachedRelativeToIt)
{
    ScratchDir dir(true);
    const fs::path here = fs::current_path();
    const struct {
        fs::path path;
        fs::path reached;
    } cases[] = {
        {here / "QUARVEL" / "Shader", "QUARVEL/Shader"},
        {here, "."},
        {"relative/name", "relative/name"},
        {"/usr/share", "/usr/share"},
        {here.string() + "-not-inside", here.string() + "-not-inside"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WorkingDirectory::reach(c.path), c.reached) << c.path;
}

} // namespace
