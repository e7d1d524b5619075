// Window sizes that parse but that no window can have: the start ends at window creation.

#include "tests/e2e/game_test.hpp"

#include <gtest/gtest.h>

namespace {

class CommandLine : public GameTest {
protected:
    // Starts the game with the arguments and returns its output once it has ended by itself.
    std::string outputOfFailedStart(const std::vector<std::string>& arguments)
    {
        GameTestSession& game = start({.arguments = arguments});
        EXPECT_EQ(game.waitForExit(), 255) << arguments[0] << " " << arguments[1];
        return game.output();
    }
};

// --quiet: the failure reaches standard error instead, and standard output stays empty.
TEST_F(CommandLine, AQuietStartSaysWhyItFailedOnStandardError)
{
    GameTestSession& game = start({.arguments = {"--quiet", "0", "800"}});
    EXPECT_EQ(game.waitForExit(), 255);
    EXPECT_EQ(game.output(), "");
    EXPECT_NE(game.errors().find("Failed to open window\n"), std::string::npos) << game.errors();
}

TEST_F(CommandLine, ZeroWidthFailsAtWindowCreation)
{
    const std::string out = outputOfFailedStart({"0", "800"});
    EXPECT_NE(out.find("Failed to open window\n"), std::string::npos) << out;
}

TEST_F(CommandLine, NegativeAndHugeSizesFailAtWindowCreation)
{
    for (const auto& size : {std::vector<std::string>{"-640", "-480"}, std::vector<std::string>{"100000", "800"},
                             std::vector<std::string>{"1024", "2147483647", "0"}}) {
        const std::string out = outputOfFailedStart(size);
        EXPECT_NE(out.find("Failed to open window\n"), std::string::npos) << out;
    }
}

} // namespace
