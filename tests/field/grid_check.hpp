#pragma once
// Checks that grid and stones agree: a cell refers to a stone only when that stone lists it, and back.

#include "field/food.hpp"
#include "field/playfield.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>

inline std::string cellName(const glm::ivec3& c)
{
    std::ostringstream name;
    name << '(' << c.x << ", " << c.y << ", " << c.z << ')';
    return name.str();
}

inline void expectGridConsistent(const Playfield& field)
{
    for (int x = 0; x < Playfield::columns; ++x)
        for (int z = 0; z < Playfield::columns; ++z)
            for (int level = 0; level < Playfield::levels; ++level) {
                const vosk::scene::Food* food = field.at(x, z, level);
                if (food == nullptr)
                    continue;
                const auto& listed = food->gridCells;
                EXPECT_NE(std::find(listed.begin(), listed.end(), glm::ivec3(x, z, level)), listed.end())
                    << "cell " << cellName({x, z, level}) << " is not listed by its stone";
            }
    for (const auto& stone : field.landedStones)
        for (const glm::ivec3& c : stone->gridCells) {
            ASSERT_TRUE(Playfield::inside(c.x, c.y, c.z)) << "listed cell outside the grid " << cellName(c);
            EXPECT_EQ(field.at(c.x, c.y, c.z), stone.get()) << "listed cell " << cellName(c);
        }
}
