// A game ended from outside still keeps its score: a quit signal ends the frame loop as the close button
// does, and a lost display calls the game's last words before the process leaves. Each case runs in a
// child process (the loop's end terminates GLFW; a lost display ends the process).

#include "app/display_loss.hpp"
#include "app/frame_loop.hpp"
#include "creatures/spawn_area.hpp"
#include "field/playfield.hpp"
#include "game/game.hpp"
#include "platform/process_signals.hpp"
#include "platform/regular_file.hpp"
#include "platform/user_dirs.hpp"
#include "tests/support/gl_environment.hpp"
#include "ui/score_table.hpp"

#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>

#include <GL/glx.h> // last: its X11 macros (None, Bool) would break the test framework's headers

namespace {

constexpr int pointsScored = 700;
constexpr float secondsPlayed = 61.0f; // past the minute a quit game needs for the table
constexpr int shownScore = 700 + 61 * 4; // what the HUD shows: points plus four per second

// In the child: the score table the game left, on standard error, for the parent to read.
void reportTable()
{
    std::string error;
    const auto text = RegularFile::read((UserDirs::data() / "scores").string(), 1 << 20, error);
    const std::optional<ScoreTable> table = ScoreTable::parse(text.value_or(""));
    std::cerr << "table: " << (table ? table->entries().size() : 0) << " entries, first "
              << (table && !table->entries().empty() ? table->entries().front().score : 0) << std::endl;
    std::filesystem::remove_all(UserDirs::data());
}

// A game a minute and a second into play, with its loop ready to run.
struct MinuteIntoPlay {
    MinuteIntoPlay() : game(playfield, spawnArea), loop(testWindow(), game, FrameLoop::StepByStep{})
    {
        glfwSetWindowUserPointer(testWindow(), &game);
        loop.runFrame();
        game.score = pointsScored;
        game.elapsed = secondsPlayed;
    }
    SpawnArea spawnArea;
    Playfield playfield;
    Game game;
    FrameLoop loop;
};

// The traces do not matter in these children.
void silenceTraces()
{
    if (std::freopen("/dev/null", "w", stdout) == nullptr)
        std::_Exit(3);
}

void quitBySignal(int signal)
{
    silenceTraces();
    MinuteIntoPlay play;
    ProcessSignals::catchQuitRequests();
    std::raise(signal);
    play.loop.run(); // no frame: the request ends the loop at once
    reportTable();
    std::exit(0);
}

// What xkill does to the game's window: the server closes the connection of the client that owns a
// resource (here the window's GL drawable); the next event poll finds the connection gone.
void loseTheDisplay()
{
    silenceTraces();
    MinuteIntoPlay play;
    const DisplayLoss loss([&play] {
        play.game.recordQuit();
        reportTable();
    });
    Display* other = XOpenDisplay(nullptr);
    XKillClient(other, glXGetCurrentDrawable());
    XSync(other, False);
    for (int frame = 0; frame < 1000; ++frame)
        play.loop.runFrame();
    std::exit(0); // not reached when the loss was noticed
}

TEST(Quit, AQuitSignalEndsTheLoopAndTheGameEntersTheTable)
{
    for (int signal : {SIGTERM, SIGHUP, SIGINT})
        EXPECT_EXIT(quitBySignal(signal), testing::ExitedWithCode(0),
                    "the game ends as if closed.*\ntable: 1 entries, first " + std::to_string(shownScore))
            << strsignal(signal);
}

TEST(Quit, ALostDisplayRecordsTheScoreBeforeTheGameLeaves)
{
    EXPECT_EXIT(loseTheDisplay(), testing::ExitedWithCode(DisplayLoss::exitStatus),
                "connection to the display was lost.*\ntable: 1 entries, first " + std::to_string(shownScore));
}

} // namespace
