#pragma once
// Picks the class of each new stone: by a given number, or by the C library's rand().

#include <memory>

namespace vosk::scene {

class Food;

// r % 5: 0 Burger, 1 FrenchFries, 2 Cherry, 3 Carrot, 4 Mushroom. r is a rand() result (not negative).
std::shared_ptr<Food> makeStone(int r);
// makeStone(rand()).
std::shared_ptr<Food> makeRandomStone();

} // namespace vosk::scene
