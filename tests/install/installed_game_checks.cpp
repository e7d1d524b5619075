#include "tests/install/installed_game_checks.hpp"

#include "tests/support/game_test_session.hpp"
#include "tests/support/temp_file.hpp"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

ProgramResult runFromRoot(const std::string& program, const std::vector<std::string>& arguments, int timeoutSeconds)
{
    return runProgram(program, arguments, "/", {}, timeoutSeconds);
}

std::string toolPath(const std::string& name)
{
    for (const char* dir : {"/usr/bin/", "/usr/local/bin/", "/bin/"})
        if (fs::exists(std::string(dir) + name))
            return std::string(dir) + name;
    return name;
}

void expectPlaysFromRoot(const fs::path& program)
{
    ASSERT_TRUE(fs::exists(program)) << program;
    GameTestSession game({.workingDirectory = "/", .program = program.string()});
    ASSERT_TRUE(game.waitUntilPlaying()) << game.output() << game.errors();
    EXPECT_EQ(game.quit(), 0) << game.errors();
    const std::string out = game.output();
    EXPECT_EQ(out.rfind("vec4(-100.000000, 0.000000, 200.000000, 1.000000)", 0), 0u) << out.substr(0, 300);
    EXPECT_NE(out.find("GUT"), std::string::npos);
    EXPECT_EQ(occurrences(out, "Your shader is fine"), 8) << out.substr(0, 2000);
    EXPECT_EQ(out.find("ERROR::"), std::string::npos) << out.substr(0, 2000);
    EXPECT_EQ(out.find("Failed to open"), std::string::npos) << out.substr(0, 2000);
    EXPECT_EQ(game.errors().find("no game data"), std::string::npos) << game.errors();
}

void expectGzipWithoutNameOrTime(const fs::path& file)
{
    // RFC 1952 header: magic 1f 8b, method, flags (bit 3: a name follows), then four bytes of time.
    constexpr unsigned char nameFlag = 0x08;
    const std::string bytes = readWholeFile(file.string());
    ASSERT_GE(bytes.size(), 10u) << file;
    EXPECT_EQ(bytes.substr(0, 2), "\x1f\x8b") << file;
    EXPECT_EQ(static_cast<unsigned char>(bytes[3]) & nameFlag, 0) << file << " stores its name";
    EXPECT_EQ(bytes.substr(4, 4), std::string(4, '\0')) << file << " stores a time";
}
