#pragma once
// The red 2 x 2 x 2 cube stone; turning it turns only its model, never the cells it fills.

#include "field/stone.hpp"

namespace vosk::scene {

class Burger : public Stone {
public:
    Burger();
};

} // namespace vosk::scene
