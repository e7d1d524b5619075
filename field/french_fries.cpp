#include "field/french_fries.hpp"

#include <array>

namespace vosk::scene {

namespace {

constexpr std::array cells{
    glm::vec3(0, 0, 0), glm::vec3(0, 100, 0), glm::vec3(0, 200, 0), glm::vec3(0, -100, 0)};

constexpr StoneLayout layout{
    "QUARVEL/Ressources/Stones/tex_i.obj",
    glm::vec3(50.0f, 50.0f, 51.0f),
    cells,
    glm::vec3(0.0f, -100.0f, 0.0f),
    glm::vec3(0.0f, 150.0f, 0.0f),
    'F',
    2,
    true,
};

} // namespace

FrenchFries::FrenchFries() : Stone(layout) {}

} // namespace vosk::scene
