#pragma once
// The five stone kinds by name, each made fresh, for tests that go through all of them.

#include "field/burger.hpp"
#include "field/carrot.hpp"
#include "field/cherry.hpp"
#include "field/french_fries.hpp"
#include "field/mushroom.hpp"

#include <functional>
#include <memory>

struct StoneKind {
    const char* name;
    std::function<std::shared_ptr<vosk::scene::Food>()> make;
};

inline const StoneKind allStones[] = {
    {"burger", [] { return std::make_shared<vosk::scene::Burger>(); }},
    {"fries", [] { return std::make_shared<vosk::scene::FrenchFries>(); }},
    {"cherry", [] { return std::make_shared<vosk::scene::Cherry>(); }},
    {"carrot", [] { return std::make_shared<vosk::scene::Carrot>(); }},
    {"mushroom", [] { return std::make_shared<vosk::scene::Mushroom>(); }},
};
