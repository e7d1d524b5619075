#pragma once
// A lost connection to the X display (the window killed from outside, a force quit, the X server gone)
// still lets the game keep its score: Xlib's own end, which leaves at once, is replaced by the game's
// last words, then the game leaves.

#include <functional>

class DisplayLoss {
public:
    static constexpr int exitStatus = 1; // as Xlib's own end: the game did not end normally

    // While this object lives, a lost display writes one note, calls the last words (GL is gone with
    // the display: they must not draw) and ends the process with exitStatus.
    explicit DisplayLoss(std::function<void()> lastWords = nullptr);
    ~DisplayLoss();
    DisplayLoss(const DisplayLoss&) = delete;
    DisplayLoss& operator=(const DisplayLoss&) = delete;

    // Once there is something to keep (a game set up after the window opened).
    void setLastWords(std::function<void()> lastWords);

private:
    using Handler = int (*)(struct _XDisplay*);
    Handler previous_ = nullptr;
};
