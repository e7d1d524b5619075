#pragma once
// Small helpers shared by the creature tests: placements, captured traces, stepping a creature.

#include "creatures/animal.hpp"
#include "field/playfield.hpp"

#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

inline glm::mat4 placedAt(float x, float y, float z)
{
    return glm::translate(glm::mat4(1.0f), glm::vec3(x, y, z));
}

// What the action wrote to standard output, less the model loader's lines (an import failure or a new
// animator), which depend on the model files rather than on the creatures.
inline std::string traceOf(const std::function<void()>& action)
{
    testing::internal::CaptureStdout();
    action();
    std::string text = testing::internal::GetCapturedStdout();
    for (const char* loaderLine : {"ERROR::ASSIMP:: ", "Animator initialised\n"}) {
        for (auto at = text.find(loaderLine); at != std::string::npos; at = text.find(loaderLine, at)) {
            const std::size_t end = text.find('\n', at);
            text.erase(at, end == std::string::npos ? std::string::npos : end + 1 - at);
        }
    }
    return text;
}

// Makes a creature at start heading for target; returns the trace of its construction.
template <class Creature>
std::string makeCreature(std::unique_ptr<Creature>& creature, const glm::vec3& start, const glm::vec3& target)
{
    const glm::mat4 placement = placedAt(start.x, start.y, start.z);
    return traceOf([&] { creature = std::make_unique<Creature>(placement, target); });
}

// One frame of the game logic for one creature.
inline void step(Animal& creature, Playfield& field, float dt)
{
    creature.update(dt);
    creature.think(field);
}

inline void expectNear(const glm::vec3& actual, const glm::vec3& expected, float tolerance = 1e-5f)
{
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

// Direction of the model's +x axis in the world.
inline glm::vec3 headingOf(const Animal& creature)
{
    return glm::normalize(glm::vec3(creature.modelMatrix * glm::vec4(1.0f, 0.0f, 0.0f, 0.0f)));
}
