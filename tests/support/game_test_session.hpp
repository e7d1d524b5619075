#pragma once
// The real game as end-to-end tests drive it: every wait is for evidence (a line of output, a picture on
// screen) with a generous limit, never for a fixed time, so a slow machine only makes the tests slower.

#include "tests/support/game_session.hpp"
#include "tests/support/screen_image.hpp"

#include <functional>
#include <map>
#include <string>

class GameTestSession : public GameSession {
public:
    using GameSession::GameSession;
    using OutputCheck = std::function<bool(const std::string& output)>;
    using ScreenCheck = std::function<bool(const ScreenImage& screen)>;

    // Waits for the window and for the end of the set-up, then until the game answers R (it runs frames
    // and reads keys), and presses R once more so that the flag is clear again.
    bool waitUntilPlaying(double limit = 120.0);
    // Presses the key until the output from the first press on contains the text. A press is repeated
    // only after a patience that doubles each time, so that a slow game is not sent a queue of presses.
    bool pressUntil(const std::string& key, const std::string& text, double limit = 30.0);
    // Holds the key (read once per frame) until the output from now on contains the text, then lets go.
    bool holdUntil(const std::string& key, const std::string& text, double limit = 30.0);
    // Waits until the whole output passes the check.
    bool waitForOutputWhere(const OutputCheck& check, double limit = 30.0) const;
    // The same for what takes game time, which a busy machine stretches without bound: waits as long as
    // the game plays on (the falling stone alone writes a line break every 2.68 s of game time), and gives
    // up once the output has not grown for a minute, or after the limit.
    bool waitForOutputWhilePlaying(const OutputCheck& check, double limit = 400.0) const;
    bool waitForOutputWhilePlaying(const std::string& text, std::size_t from, double limit = 400.0) const;
    // Waits until the game answers a key sent now: it has handled every key sent before, and the frame
    // that handled them is on screen.
    bool waitForLaterFrame(double limit = 30.0);

    // Takes screenshots until one passes the check, or time runs out; returns the last one, so that the
    // test's own checks report what the screen showed.
    ScreenImage screenWhen(const std::string& name, const ScreenCheck& check, double limit = 30.0);
    // Waits until the scene and the HUD's "SCORE:" and "LIFEPOINTS:" are on a 1024 x 800 screen.
    ScreenImage sceneOnScreen(const std::string& name, double limit = 60.0);
    static bool showsScene(const ScreenImage& screen);
    // One screenshot now, remembered under the name (a later one of the same name replaces it).
    ScreenImage screen(const std::string& name);
    // Writes the last screenshot of each name as name.png into the folder.
    void saveShots(const std::string& folder) const;

    // Escape, then the exit status as waitForExit gives it.
    int quit(double limit = 60.0);

private:
    bool pressUntilSeen(const std::string& key, const OutputCheck& answered, double limit);

    std::map<std::string, ScreenImage> shots_;
};

// The game's eight shaders compiled.
bool shadersCompiled(const std::string& output);
// Where the first answer to R ("1" or "0" and a line break) after from ends in the output, npos when
// there is none. Spawn and creature traces end their lines with numbers too, so a digit counts only after
// something that cannot be part of a number.
std::size_t endOfAnswerToR(const std::string& output, std::size_t from);
