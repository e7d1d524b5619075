#include "field/game_events.hpp"

#include <algorithm>

void GameEvents::record(GameEvents* list, const GameEvent& event)
{
    if (list != nullptr)
        list->add(event);
}

const GameEvent* GameEvents::first(GameEvent::Kind what) const
{
    const auto found =
        std::find_if(events_.begin(), events_.end(), [what](const GameEvent& e) { return e.what == what; });
    return found == events_.end() ? nullptr : &*found;
}

const GameEvent* GameEvents::last(GameEvent::Kind what) const
{
    const auto found =
        std::find_if(events_.rbegin(), events_.rend(), [what](const GameEvent& e) { return e.what == what; });
    return found == events_.rend() ? nullptr : &*found;
}
