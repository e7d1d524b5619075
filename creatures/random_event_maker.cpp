#include "creatures/random_event_maker.hpp"

namespace vosk {

void RandomEventMaker::update(float dt)
{
    if (!enabled)
        return;
    elapsed += dt;
    if (elapsed < nextDelay)
        return;
    elapsed -= nextDelay;
    nextDelay = delayDistribution(engine);
    onEvent();
}

} // namespace vosk
