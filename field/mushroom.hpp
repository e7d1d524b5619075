#pragma once
// The green four-cell T stone standing in the y-z plane, stem up.

#include "field/stone.hpp"

namespace vosk::scene {

class Mushroom : public Stone {
public:
    Mushroom();
};

} // namespace vosk::scene
