#include "field/stone_factory.hpp"

#include "field/burger.hpp"
#include "field/carrot.hpp"
#include "field/cherry.hpp"
#include "field/french_fries.hpp"
#include "field/mushroom.hpp"

#include <cstdlib>

namespace vosk::scene {

std::shared_ptr<Food> makeStone(int r)
{
    switch (r % 5) {
    case 0:
        return std::make_shared<Burger>();
    case 1:
        return std::make_shared<FrenchFries>();
    case 2:
        return std::make_shared<Cherry>();
    case 3:
        return std::make_shared<Carrot>();
    default:
        return std::make_shared<Mushroom>();
    }
}

std::shared_ptr<Food> makeRandomStone()
{
    return makeStone(std::rand());
}

} // namespace vosk::scene
