#include "field/carrot.hpp"

#include <array>

namespace vosk::scene {

namespace {

constexpr std::array cells{
    glm::vec3(0, 0, 0), glm::vec3(100, 0, 100), glm::vec3(0, 0, 100), glm::vec3(0, 0, -100)};

constexpr StoneLayout layout{
    "QUARVEL/Ressources/Stones/tex_L.obj",
    glm::vec3(50.0f, 50.0f, 50.0f),
    cells,
    glm::vec3(0.0f, 0.0f, 50.0f),
    glm::vec3(0.0f, 50.0f, -50.0f),
    'C',
    1,
    true,
};

} // namespace

Carrot::Carrot() : Stone(layout) {}

} // namespace vosk::scene
