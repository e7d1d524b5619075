// Leading options: --help and --version answer and exit 0; --fit goes before the numbers, which keep
// their parsing, messages and statuses; anything else is no option.

#include "app/launch_options.hpp"
#include "tests/support/run_program.hpp"

#include <gtest/gtest.h>

namespace {

ProgramResult runHeadless(const std::vector<std::string>& arguments)
{
    return runProgram(gameBinary(), arguments, sourceDir(), {{"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}});
}

std::vector<std::string> taken(LaunchOptions& options, std::vector<const char*> argv)
{
    const std::vector<const char*> rest = options.take(int(argv.size()), argv.data());
    return std::vector<std::string>(rest.begin(), rest.end());
}

TEST(LaunchOptions, LeadingOptionsAreTakenAndTheNumbersLeftAsTheyWere)
{
    LaunchOptions fit;
    EXPECT_EQ(taken(fit, {"q", "--fit", "1280", "720"}), (std::vector<std::string>{"q", "1280", "720"}));
    EXPECT_TRUE(fit.fit);
    EXPECT_FALSE(fit.help || fit.version);

    LaunchOptions both;
    EXPECT_EQ(taken(both, {"q", "--version", "--help"}), (std::vector<std::string>{"q"}));
    EXPECT_TRUE(both.help && both.version);

    LaunchOptions quiet;
    EXPECT_EQ(taken(quiet, {"q", "--mute", "--fit", "800", "600"}), (std::vector<std::string>{"q", "800", "600"}));
    EXPECT_TRUE(quiet.mute && quiet.fit);

    for (std::vector<const char*> argv : {std::vector<const char*>{"q", "1280", "720", "--fit"},
                                          std::vector<const char*>{"q", "--bogus", "800"}, std::vector<const char*>{"q", "-fit"},
                                          std::vector<const char*>{"q", "800", "600", "--mute"}}) {
        LaunchOptions none;
        EXPECT_EQ(taken(none, argv), std::vector<std::string>(argv.begin(), argv.end()));
        EXPECT_FALSE(none.fit || none.help || none.version || none.mute);
    }
}

TEST(LaunchOptions, HelpAndVersionAnswerAndExitZero)
{
    ProgramResult r = runHeadless({"--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind("Usage: quarvel [--fit] [--mute] [--quiet] [width height [fullscreen]]\n", 0), 0u) << r.out;
    for (const std::string& part : std::vector<std::string>{"Escape", "--version", sourceDir() + "   (used)", "$XDG_DATA_HOME/quarvel/scores"})
        EXPECT_NE(r.out.find(part), std::string::npos) << part;
    EXPECT_EQ(r.err, "");

    r = runHeadless({"--version"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind("Quarvel ", 0), 0u) << r.out;
    EXPECT_EQ(r.out.find("vec4"), std::string::npos) << r.out;
}

TEST(LaunchOptions, NumbersAfterFitKeepTheirMessagesAndStatuses)
{
    ProgramResult r = runHeadless({"--fit", "abc", "800"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "ERROR: Could not parse first command-line-argument as integer.\n");
    r = runHeadless({"1024", "800", "--fit"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "ERROR: Could not parse third command-line-argument as integer.\n");
    r = runHeadless({"--fit", "800"}); // one number is ignored, then no display
    EXPECT_EQ(r.status, 255);
    EXPECT_EQ(r.out.find("You are executing"), std::string::npos);
    r = runHeadless({"--fit", "800", "600"});
    EXPECT_NE(r.out.find("You are executing '" + gameBinary() + "'\n"), std::string::npos) << r.out;
}

} // namespace
