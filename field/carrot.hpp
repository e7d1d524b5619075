#pragma once
// The green four-cell L stone lying flat in the x-z plane.

#include "field/stone.hpp"

namespace vosk::scene {

class Carrot : public Stone {
public:
    Carrot();
};

} // namespace vosk::scene
