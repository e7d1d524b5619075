// Reading a data file: only regular files, never blocking, never more than the caller allows.

#include "platform/regular_file.hpp"
#include "tests/support/scratch_dir.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace {

TEST(RegularFile, ReadsRegularFilesAndRefusesEverythingElseAtOnce)
{
    ScratchDir dir;
    writeText(dir.file("plain"), "twelve bytes");
    std::filesystem::create_directory(dir.file("folder"));
    ASSERT_EQ(mkfifo(dir.file("pipe").c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/zero", dir.file("zero"));
    std::filesystem::create_symlink(dir.file("plain"), dir.file("link"));

    const struct {
        std::string name;
        std::size_t limit;
        std::optional<std::string> bytes;
        std::string error;
    } cases[] = {
        {"plain", RegularFile::noLimit, "twelve bytes", ""},
        {"plain", 12, "twelve bytes", ""},
        {"plain", 11, std::nullopt, "larger than 11 bytes"},
        {"link", 100, "twelve bytes", ""},
        {"folder", 100, std::nullopt, "not a regular file"},
        {"pipe", 100, std::nullopt, "not a regular file"},
        {"zero", 100, std::nullopt, "not a regular file"},
        {"missing", 100, std::nullopt, "No such file or directory"},
    };
    for (const auto& c : cases) {
        std::string error;
        EXPECT_EQ(RegularFile::read(dir.file(c.name), c.limit, error), c.bytes) << c.name;
        EXPECT_EQ(error, c.error) << c.name;
    }
}

} // namespace
