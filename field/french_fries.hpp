#pragma once
// The yellow straight bar of four cells, standing upright.

#include "field/stone.hpp"

namespace vosk::scene {

class FrenchFries : public Stone {
public:
    FrenchFries();
};

} // namespace vosk::scene
