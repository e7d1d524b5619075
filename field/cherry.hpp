#pragma once
// The green four-cell S stone standing in the y-z plane.

#include "field/stone.hpp"

namespace vosk::scene {

class Cherry : public Stone {
public:
    Cherry();
};

} // namespace vosk::scene
