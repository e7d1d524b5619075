#include "creatures/spawn_area.hpp"

#include <cstdlib>
#include <ctime>

SpawnArea::SpawnArea()
{
    std::srand(static_cast<unsigned>(std::time(nullptr)));
}

glm::vec3 SpawnArea::randomRimPoint() const
{
    const int side = std::rand() % 4;
    const int r = std::rand();
    const int alongX = static_cast<int>(origin.x + static_cast<float>(r % static_cast<int>(size.x)));
    const int alongZ = static_cast<int>(origin.z + static_cast<float>(r % static_cast<int>(size.z)));
    int x = 0;
    int z = 0;
    switch (side) {
    case 0: x = alongX; z = static_cast<int>(origin.z); break;
    case 1: x = alongX; z = static_cast<int>(size.z + origin.z); break;
    case 2: z = alongZ; x = static_cast<int>(size.x + origin.x); break;
    default: z = alongZ; x = static_cast<int>(origin.x); break;
    }
    return glm::vec3(static_cast<float>(x), 0.0f, static_cast<float>(z));
}
