#pragma once
// The real game in a private Xvfb display, driven with xdotool like a player would.

#include "tests/support/scratch_user_dirs.hpp"
#include "tests/support/screen_image.hpp"

#include <functional>
#include <string>
#include <sys/types.h>
#include <vector>

class GameSession {
public:
    // Where the game's standard output goes.
    enum class Output {
        File,         // a file that output() reads
        Closed,       // no descriptor 1 at all
        LeavingReader // a pipe whose reader takes the first 100 bytes (then in output()) and leaves
    };

    // How to start the game; every field has the usual value.
    struct Options {
        std::vector<std::string> arguments{};
        std::string workingDirectory{}; // the repository root when empty
        std::string program{};          // another build of the game (an installed one); this build when empty
        std::string screen = "1024x800";
        Output output = Output::File;
        std::string settings{}; // the text of the game's settings file; no file when empty
    };

    // Starts a private Xvfb display (screen width x height) and the game in it.
    GameSession();
    explicit GameSession(const Options& options);
    ~GameSession();
    GameSession(const GameSession&) = delete;
    GameSession& operator=(const GameSession&) = delete;

    // Waits until the game's window exists and holds the keyboard focus (a window not yet mapped refuses
    // it). False when the game ended or time ran out.
    bool waitForWindow(double timeoutSeconds = 90.0);
    // Waits until standard output contains the text (counting from the given offset).
    bool waitForOutput(const std::string& text, double timeoutSeconds = 60.0, std::size_t from = 0) const;
    std::string output() const;
    std::size_t outputSize() const;
    std::string errors() const;

    // xdotool key names: Left, space, x, F1, Escape ...
    void key(const std::string& name);
    void keyDown(const std::string& name);
    void keyUp(const std::string& name);
    void mouseMove(int dx, int dy);
    // The whole screen as it is now, read straight from the display (empty when that failed).
    ScreenImage grabScreen() const;
    // Asks the window to close as its close button does.
    void closeWindow();
    // Exit status once the game has ended, -1 on a signal, -2 when it did not end in time.
    int waitForExit(double timeoutSeconds = 60.0);
    bool running();

    const std::string& display() const { return display_; }
    // The game's process id, to send it signals.
    pid_t pid() const { return game_; }
    // The game's XDG folders: fresh ones of this session, so its scores, verdicts and settings are its own.
    std::string dataHome() const { return userDirs_.data(); }
    std::string cacheHome() const { return userDirs_.cache(); }
    std::string configHome() const { return userDirs_.config(); }

private:
    int xdotool(const std::string& arguments) const;
    bool focusWindow() const;
    void startDisplay();
    void startGame(const std::vector<std::string>& arguments, const std::string& workingDirectory);
    void readPipeThenLeave(int reader);

    std::vector<std::string> arguments_;
    std::string program_;
    std::string screen_;
    std::string workingDirectory_;
    Output outputMode_ = Output::File;
    pid_t xvfb_ = -1;
    pid_t game_ = -1;
    int exitStatus_ = -2;
    std::string display_;
    std::string window_;
    std::string outPath_;
    std::string errPath_;
    ScratchUserDirs userDirs_;
};

// Sleeps for the given seconds.
void sleepSeconds(double seconds);
// Looks whether the check holds every pause seconds until it does (true) or the limit passed (false).
bool pollUntil(const std::function<bool()>& holds, double limitSeconds, double pauseSeconds = 0.1);
