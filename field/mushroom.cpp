#include "field/mushroom.hpp"

#include <array>

namespace vosk::scene {

namespace {

constexpr std::array cells{
    glm::vec3(0, 0, 0), glm::vec3(0, 0, -100), glm::vec3(0, 0, 100), glm::vec3(0, 100, 0)};

constexpr StoneLayout layout{
    "QUARVEL/Ressources/Stones/tex_t.obj",
    glm::vec3(50.0f, 50.0f, 50.0f),
    cells,
    glm::vec3(0.0f, 0.0f, -100.0f),
    glm::vec3(0.0f, 50.0f, 100.0f),
    'C',
    1,
    true,
};

} // namespace

Mushroom::Mushroom() : Stone(layout) {}

} // namespace vosk::scene
