// Reading the game's output the way the end-to-end tests do: answers to R among other traces, the
// falling stone's landing tests as a clock, the end of the set-up.

#include "tests/e2e/game_test.hpp"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string setUp = "vec4(1)vec4(2)vec3(3)GUT" + [] {
    std::string shaders;
    for (int i = 0; i < 8; ++i)
        shaders += "Your shader is fine\n";
    return shaders;
}();

TEST(GameOutput, AnswersToRAreTheFlagAloneNotTheEndOfANumber)
{
    const struct {
        std::string output;
        std::size_t from;
        std::size_t end; // of the first answer, npos for none
    } cases[] = {
        {"1\n", 0, 2},
        {setUp + "1\n", 0, setUp.size() + 2},
        {"Spawning on 1196|0|0\n", 0, std::string::npos},
        {"Spawning on 1196|0|1\n\n", 0, std::string::npos},
        {"Spawning on 10|0|-1\n", 0, std::string::npos},
        {"Spawning on 0.5|0|10\n0\n", 0, 23},
        {"HAPPENS1\n", 0, 9},   // a trace without a line break before the answer
        {"1\n0\n", 2, 4},       // only after from
        {"1\n", 2, std::string::npos},
        {"12\n", 0, std::string::npos},
    };
    for (const auto& c : cases)
        EXPECT_EQ(endOfAnswerToR(c.output, c.from), c.end) << c.output;
}

TEST(GameOutput, LandingTestsAreTheLinesOfNothingButTracesWithoutALineBreak)
{
    const struct {
        std::string output;
        int tests;
    } cases[] = {
        {"", 0},
        {setUp, 0},
        {setUp + "1\n0\n\n\n\n", 3},
        {"\n\nSpawning on 1955|0|0\n\nHAPPENS\nYESYES\n", 5},
        {"LIFEPOINTS--\nCulling\nFLYIN\n", 3},
        {"LIFEPOINTS--GAME OVERRRRRR\n", 0},
        {"100\n", 0}, // a climbing beetle's height
        {"\n\n", 2},
        {"\n\nHAPPENS", 2}, // a line not yet ended
    };
    for (const auto& c : cases)
        EXPECT_EQ(landingTests(c.output), c.tests) << c.output;
}

TEST(GameOutput, TheSetUpEndsWithTheEighthShader)
{
    EXPECT_TRUE(shadersCompiled(setUp));
    EXPECT_TRUE(shadersCompiled(setUp + "1\n"));
    EXPECT_FALSE(shadersCompiled(setUp.substr(0, setUp.size() - 20)));
    EXPECT_FALSE(shadersCompiled(""));
}

} // namespace
