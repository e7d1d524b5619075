// The command line and the start-up failures before a window, checked on the real binary without a display.

#include "app/launch_settings.hpp"
#include "tests/support/run_program.hpp"

#include <gtest/gtest.h>

#include <sstream>

namespace {

const std::string startupVectors = "vec4(-100.000000, 0.000000, 200.000000, 1.000000)";

// Runs the game without a display, so it stops at glfwInit after parsing.
ProgramResult runHeadless(const std::vector<std::string>& arguments)
{
    return runProgram(gameBinary(), arguments, sourceDir(), {{"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}});
}

TEST(CommandLine, StartupVectorsComeFirstWithoutSeparators)
{
    std::ostringstream out;
    writeStartupVectors(out);
    const std::string text = out.str();
    EXPECT_EQ(text.rfind(startupVectors, 0), 0u) << text;
    EXPECT_EQ(text.find('\n'), std::string::npos);
    // The translated point after the quarter turns, then the rotated vector.
    EXPECT_NE(text.find(")vec4("), std::string::npos) << text;
    EXPECT_NE(text.find(")vec3("), std::string::npos) << text;
}

TEST(CommandLine, ParseTakesDefaultsWithFewerThanTwoArguments)
{
    const char* none[] = {"quarvel"};
    const char* one[] = {"quarvel", "1280"};
    for (auto [argc, argv] : {std::pair{1, none}, std::pair{2, one}}) {
        LaunchSettings settings;
        std::ostringstream trace;
        EXPECT_EQ(settings.parse(argc, argv, trace), "");
        EXPECT_EQ(settings.width, 1024);
        EXPECT_EQ(settings.height, 800);
        EXPECT_FALSE(settings.fullscreen);
        EXPECT_EQ(trace.str(), "");
    }
}

TEST(CommandLine, ParseReadsNumbersLikeAStream)
{
    const char* argv[] = {"./q", " 800x", "600", "1"};
    LaunchSettings settings;
    std::ostringstream trace;
    EXPECT_EQ(settings.parse(4, argv, trace), "");
    EXPECT_EQ(settings.width, 800);
    EXPECT_EQ(settings.height, 600);
    EXPECT_TRUE(settings.fullscreen);
    EXPECT_EQ(trace.str(), "You are executing './q'\n");
}

TEST(CommandLine, ParseFailuresNameTheArgument)
{
    struct Case {
        std::vector<const char*> argv;
        std::string message;
    };
    const std::vector<Case> cases{
        {{"q", "abc", "800"}, "ERROR: Could not parse first command-line-argument as integer."},
        {{"q", "800", "tall"}, "ERROR: Could not parse second command-line-argument as integer."},
        {{"q", "1024", "800", "2"}, "ERROR: Could not parse third command-line-argument as integer."},
        {{"q", "1024", "800", "yes"}, "ERROR: Could not parse third command-line-argument as integer."},
        {{"q", "99999999999", "800"}, "ERROR: Could not parse first command-line-argument as integer."},
    };
    for (const Case& c : cases) {
        LaunchSettings settings;
        std::ostringstream trace;
        EXPECT_EQ(settings.parse(int(c.argv.size()), c.argv.data(), trace), c.message) << c.argv[1];
    }
}

TEST(CommandLine, BadFirstArgumentExitsWithStatusOneOnStandardError)
{
    const ProgramResult r = runHeadless({"abc", "800"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "ERROR: Could not parse first command-line-argument as integer.\n");
    EXPECT_NE(r.out.find("You are executing '"), std::string::npos);
    EXPECT_EQ(r.out.find("Failed"), std::string::npos);
}

TEST(CommandLine, BadSecondAndThirdArgumentsExitWithStatusOne)
{
    ProgramResult r = runHeadless({"800", "x"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "ERROR: Could not parse second command-line-argument as integer.\n");
    r = runHeadless({"1024", "800", "2"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "ERROR: Could not parse third command-line-argument as integer.\n");
}

TEST(CommandLine, NoDisplayFailsAtGlfwInitWithStatus255)
{
    const ProgramResult r = runHeadless({});
    EXPECT_EQ(r.status, 255);
    EXPECT_EQ(r.out.rfind(startupVectors, 0), 0u) << r.out;
    EXPECT_NE(r.out.find("Failed to init glfw\n"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("You are executing"), std::string::npos);
}

TEST(CommandLine, SingleArgumentIsIgnoredAndTrailingCharactersAccepted)
{
    ProgramResult r = runHeadless({"garbage"});
    EXPECT_EQ(r.status, 255);
    EXPECT_EQ(r.out.find("You are executing"), std::string::npos);
    EXPECT_EQ(r.err.find("ERROR"), std::string::npos);

    r = runHeadless({"800x", "600"});
    EXPECT_EQ(r.status, 255); // parsed, then no display
    EXPECT_NE(r.out.find("You are executing '" + gameBinary() + "'\n"), std::string::npos) << r.out;
    EXPECT_EQ(r.err.find("ERROR"), std::string::npos);
}

} // namespace

namespace {

// --quiet: nothing on standard output, and the failures that go there otherwise reach standard error.
TEST(CommandLine, QuietFailuresGoToStandardErrorAndNothingToStandardOutput)
{
    const struct {
        const char* name;
        std::vector<std::string> arguments;
        std::map<std::string, std::string> environment;
        int status;
        const char* error;
    } cases[] = {
        {"no display", {"--quiet"}, {{"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}}, 255, "Failed to init glfw\n"},
        {"bad number", {"--quiet", "abc", "800"}, {}, 1, "ERROR: Could not parse first command-line-argument"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ProgramResult r = runProgram(gameBinary(), c.arguments, sourceDir(), c.environment);
        EXPECT_EQ(r.status, c.status);
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find(c.error), std::string::npos) << r.err;
    }
}

} // namespace
