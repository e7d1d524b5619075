#pragma once
// A timer that fires an event after a normally distributed delay, then draws the next delay.

#include <random>

namespace vosk {

class RandomEventMaker {
public:
    RandomEventMaker() = default;
    RandomEventMaker(const RandomEventMaker&) = default;
    RandomEventMaker& operator=(const RandomEventMaker&) = default;
    virtual ~RandomEventMaker() = default;

    // Adds dt; once elapsed reaches nextDelay, keeps the remainder, draws the next delay and fires.
    // At most one event per call, however large dt is.
    void update(float dt);

    virtual void onEvent() = 0;

    bool enabled = false;
    float nextDelay = 0.0f; // seconds from the previous event to the next
    float elapsed = 0.0f;   // seconds accumulated toward nextDelay
    std::mt19937 engine;    // default seed 5489, never reseeded: the same delays in every run
    std::normal_distribution<float> delayDistribution; // seconds; the owner sets mean and deviation
};

} // namespace vosk
