#include "stone_cells.hpp"

namespace assetgen {

const StoneClass& burgerClass()
{
    static const StoneClass c{"quad", {50, 50, 50}, {50, 9, 50},
        {{0, 0, 0}, {0, 0, 100}, {0, 100, 0}, {0, 100, 100}, {100, 0, 0}, {100, 0, 100}, {100, 100, 0}, {100, 100, 100}}};
    return c;
}

const StoneClass& cherryClass()
{
    static const StoneClass c{"tex_z", {50, 50, 50}, {0, 0, -100}, {{0, 0, 0}, {0, 100, 0}, {0, 100, 100}, {0, 0, -100}}};
    return c;
}

const StoneClass& frenchFriesClass()
{
    static const StoneClass c{"tex_i", {50, 50, 51}, {0, -100, 0}, {{0, 0, 0}, {0, 100, 0}, {0, 200, 0}, {0, -100, 0}}};
    return c;
}

const StoneClass& carrotClass()
{
    static const StoneClass c{"tex_L", {50, 50, 50}, {0, 0, 50}, {{0, 0, 0}, {100, 0, 100}, {0, 0, 100}, {0, 0, -100}}};
    return c;
}

const StoneClass& mushroomClass()
{
    static const StoneClass c{"tex_t", {50, 50, 50}, {0, 0, -100}, {{0, 0, 0}, {0, 0, -100}, {0, 0, 100}, {0, 100, 0}}};
    return c;
}

Bounds cellBoxInModel(const StoneClass& stone, glm::vec3 cell)
{
    const float half = cellSize * 0.5f;
    const glm::vec3 lo = cell - stone.drawOffset + glm::vec3(-half, 0.0f, -half);
    const glm::vec3 hi = cell - stone.drawOffset + glm::vec3(half, cellSize, half);
    Bounds b;
    b.include(lo / stone.scale);
    b.include(hi / stone.scale);
    return b;
}

Bounds stoneBoxInModel(const StoneClass& stone)
{
    Bounds b;
    for (const glm::vec3& cell : stone.cells)
        b.include(cellBoxInModel(stone, cell));
    return b;
}

} // namespace assetgen
