// The real game ended from outside: quit signals end it as the close button does, a killed window ends
// it with one note, and a file-size limit (a sound device that can no longer write) does not end it.

#include "tests/support/game_session.hpp"
#include "tests/support/run_program.hpp"
#include "tests/support/scratch_dir.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <X11/Xlib.h> // last: its macros (None, Bool) would break the test framework's headers

namespace {

// Presses R until the game answers with its debug flag (its frame loop runs), then R again to clear it.
bool waitUntilPlaying(GameSession& game)
{
    for (int attempt = 0; attempt < 60; ++attempt) {
        const std::size_t from = game.output().size();
        game.key("r");
        if (game.waitForOutput("1\n", 1.0, from)) {
            game.key("r");
            return game.waitForOutput("0\n", 10.0, from);
        }
    }
    return false;
}

bool waitForErrors(const GameSession& game, const std::string& text, double seconds)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (game.errors().find(text) == std::string::npos) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        sleepSeconds(0.1);
    }
    return true;
}

// What xkill does: the X server closes the connection of the client that owns the window.
bool killWindowOwner(const GameSession& game)
{
    const std::string command =
        "DISPLAY=" + game.display() + " xdotool search --pid " + std::to_string(game.pid()) + " 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    unsigned long window = 0;
    const bool found = pipe != nullptr && std::fscanf(pipe, "%lu", &window) == 1;
    if (pipe != nullptr)
        pclose(pipe);
    Display* x = XOpenDisplay(game.display().c_str());
    if (!found || x == nullptr)
        return false;
    XKillClient(x, window);
    XCloseDisplay(x);
    return true;
}

TEST(ProcessEnd, QuitSignalsEndTheGameAsTheCloseButtonDoes)
{
    const struct {
        int signal;
        const char* name;
    } cases[] = {{SIGTERM, "Terminated"}, {SIGHUP, "Hangup"}, {SIGINT, "Interrupt"}};
    for (const auto& c : cases) {
        GameSession game;
        ASSERT_TRUE(game.waitForWindow()) << c.name << game.errors();
        ASSERT_TRUE(waitUntilPlaying(game)) << c.name << game.errors();
        ASSERT_EQ(kill(game.pid(), c.signal), 0);
        EXPECT_EQ(game.waitForExit(), 0) << c.name << game.errors();
        EXPECT_EQ(occurrences(game.errors(), std::string("Quarvel: ") + c.name + ": the game ends as if closed."), 1)
            << game.errors();
    }
}

TEST(ProcessEnd, AKilledWindowEndsTheGameWithOneNoteInsteadOfXlibsEnd)
{
    GameSession game;
    ASSERT_TRUE(game.waitForWindow()) << game.errors();
    ASSERT_TRUE(waitUntilPlaying(game)) << game.errors();
    ASSERT_TRUE(killWindowOwner(game));
    EXPECT_EQ(game.waitForExit(), 1) << game.errors();
    EXPECT_EQ(occurrences(game.errors(), "Quarvel: the connection to the display was lost"), 1) << game.errors();
    EXPECT_EQ(game.errors().find("X connection to"), std::string::npos) << game.errors();
    // Under a minute of play: nothing for the table.
    EXPECT_FALSE(std::filesystem::exists(game.dataHome() + "/quarvel/scores"));
}

// The sound device records into a file that soon meets the limit: OpenAL reports the device lost, the
// game opens it again, and plays on. Without SIGXFSZ ignored the first write past the limit ends it.
TEST(ProcessEnd, UnderAFileSizeLimitTheGamePlaysOnAndEndsNormally)
{
    ScratchDir dir;
    std::ofstream(dir.file("alsoft.conf")) << "[general]\ndrivers = wave\n[wave]\nfile = " << dir.file("heard.wav")
                                           << "\n";
    setenv("ALSOFT_CONF", dir.file("alsoft.conf").c_str(), 1);
    unsetenv("ALSOFT_DRIVERS");
    // 64 KiB: room for the traces and notes of a short game, a third of a second of recorded sound.
    GameSession game({.arguments = {"-c", "ulimit -f 64 && exec \"$0\"", gameBinary()}, .program = "/bin/sh"});
    unsetenv("ALSOFT_CONF");
    ASSERT_TRUE(game.waitForWindow()) << game.errors();
    EXPECT_TRUE(waitForErrors(game, "was lost; playing on through", 30.0)) << game.errors();
    ASSERT_TRUE(waitUntilPlaying(game)) << game.errors();
    game.key("Escape");
    EXPECT_EQ(game.waitForExit(), 0) << game.errors();
    EXPECT_LE(std::filesystem::file_size(dir.file("heard.wav")), 64u * 1024);
}

} // namespace
