#include "app/display_loss.hpp"

#include <X11/Xlib.h>

#include <cstdlib>
#include <iostream>
#include <utility>

namespace {

// Xlib's handler takes no context: the words of the one DisplayLoss alive.
std::function<void()> lastWords;

int displayLost(Display*)
{
    std::cout.flush(); // the traces so far
    std::cerr << "Quarvel: the connection to the display was lost; the game ends." << std::endl;
    if (const std::function<void()> words = std::exchange(lastWords, nullptr))
        words();
    std::cout.flush();
    std::cerr.flush();
    // No exit(): destructors and exit handlers would reach for the display and GL that are gone.
    std::_Exit(DisplayLoss::exitStatus);
}

} // namespace

DisplayLoss::DisplayLoss(std::function<void()> words)
{
    lastWords = std::move(words);
    previous_ = XSetIOErrorHandler(displayLost);
}

void DisplayLoss::setLastWords(std::function<void()> words)
{
    lastWords = std::move(words);
}

DisplayLoss::~DisplayLoss()
{
    XSetIOErrorHandler(previous_);
    lastWords = nullptr;
}
