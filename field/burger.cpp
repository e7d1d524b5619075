#include "field/burger.hpp"

#include <array>

namespace vosk::scene {

namespace {

constexpr std::array cells{
    glm::vec3(0, 0, 0), glm::vec3(0, 0, 100), glm::vec3(0, 100, 0), glm::vec3(0, 100, 100),
    glm::vec3(100, 0, 0), glm::vec3(100, 0, 100), glm::vec3(100, 100, 0), glm::vec3(100, 100, 100)};

constexpr StoneLayout layout{
    "QUARVEL/Ressources/Stones/quad.obj",
    glm::vec3(50.0f, 50.0f, 50.0f),
    cells,
    glm::vec3(50.0f, 9.0f, 50.0f),
    glm::vec3(0.0f, 90.0f, 0.0f),
    'B',
    0,
    false,
};

} // namespace

Burger::Burger() : Stone(layout) {}

} // namespace vosk::scene
