// The real game ended from outside: quit signals end it as the close button does, a killed window ends
// it with one note, and a file-size limit (a sound device that can no longer write) does not end it.

#include "tests/support/game_session.hpp"
#include "tests/support/run_program.hpp"
#include "tests/support/scratch_dir.hpp"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <X11/Xlib.h> // last: its macros (None, Bool) would break the test framework's headers

namespace {

// Polls the game's standard error until the text is there count times.
bool waitForErrors(const GameSession& game, const std::string& text, int count = 1)
{
    // A minute: set-up comes first.
    return pollUntil([&] { return occurrences(game.errors(), text) >= count; }, 60.0);
}

TEST(ProcessEnd, QuitSignalsEndTheGameAsTheCloseButtonDoes)
{
    const std::pair<int, std::string> cases[] = {{SIGTERM, "Terminated"}, {SIGHUP, "Hangup"}, {SIGINT, "Interrupt"}};
    for (const auto& [signal, name] : cases) {
        GameSession game;
        ASSERT_TRUE(game.waitForWindow()) << name << game.errors();
        ASSERT_EQ(kill(game.pid(), signal), 0);
        EXPECT_EQ(game.waitForExit(), 0) << name << game.errors();
        EXPECT_EQ(occurrences(game.errors(), "Quarvel: " + name + ": the game ends as if closed."), 1) << game.errors();
    }
}

// What xkill does: the X server closes the connection of the client that owns the window.
void killWindowOwner(const GameSession& game)
{
    const std::string search = "DISPLAY=" + game.display() + " xdotool search --pid " + std::to_string(game.pid());
    FILE* found = popen(search.c_str(), "r");
    unsigned long window = 0;
    ASSERT_EQ(std::fscanf(found, "%lu", &window), 1);
    pclose(found);
    Display* x = XOpenDisplay(game.display().c_str());
    XKillClient(x, window);
    XCloseDisplay(x);
}

TEST(ProcessEnd, AKilledWindowEndsTheGameWithOneNoteInsteadOfXlibsEnd)
{
    GameSession game;
    ASSERT_TRUE(game.waitForWindow()) << game.errors();
    killWindowOwner(game);
    EXPECT_EQ(game.waitForExit(), 1) << game.errors();
    EXPECT_EQ(occurrences(game.errors(), "Quarvel: the connection to the display was lost"), 1) << game.errors();
    EXPECT_EQ(game.errors().find("X connection to"), std::string::npos) << game.errors();
    EXPECT_FALSE(std::filesystem::exists(game.dataHome() + "/quarvel/scores")); // under a minute of play
}

// The sound device records into a file that soon meets the limit: OpenAL reports the device lost, the
// game opens it again (a second loss shows frames went on), and ends normally. Without SIGXFSZ ignored
// the first write past the limit ends it.
TEST(ProcessEnd, UnderAFileSizeLimitTheGamePlaysOnAndEndsNormally)
{
    ScratchDir dir;
    std::ofstream(dir.file("alsoft.conf")) << "[general]\ndrivers = wave\n[wave]\nfile = " << dir.file("heard.wav");
    setenv("ALSOFT_CONF", dir.file("alsoft.conf").c_str(), 1);
    unsetenv("ALSOFT_DRIVERS");
    // 64 KiB: room for the traces and notes of a short game, a third of a second of recorded sound.
    GameSession game({.arguments = {"-c", "ulimit -f 64 && exec \"$0\"", gameBinary()}, .program = "/bin/sh"});
    const bool started = game.waitForWindow(); // it may start the game again: the setting stays till then
    unsetenv("ALSOFT_CONF");
    ASSERT_TRUE(started) << game.errors();
    EXPECT_TRUE(waitForErrors(game, "was lost; playing on through", 2)) << game.errors();
    game.key("Escape");
    EXPECT_EQ(game.waitForExit(), 0) << game.errors();
}

} // namespace
