#pragma once
// Steps of a stone in tests: falling until it lands, moving seen from a camera, taking a stone away;
// each returns or swallows the trace it writes.

#include "field/playfield.hpp"
#include "field/stone_controller.hpp"
#include "tests/field/fake_food.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <string>

// Cameras beyond each side of the field, level with the stones.
const glm::vec3 lowXCamera(-1000.0f, 300.0f, 750.0f);
const glm::vec3 highZCamera(750.0f, 300.0f, 2500.0f);
const glm::vec3 highXCamera(2500.0f, 300.0f, 750.0f);
const glm::vec3 lowZCamera(750.0f, 300.0f, -1000.0f);

// Lets the controller fall frame by frame (60 a second) until it lands; returns the seconds it took.
inline float fallUntilLanded(StoneController& controller)
{
    constexpr float frame = 1.0f / 60.0f; // seconds
    float seconds = 0.0f;
    testing::internal::CaptureStdout();
    while (!controller.landed && seconds < 100.0f) {
        controller.fall(frame);
        seconds += frame;
    }
    testing::internal::GetCapturedStdout();
    return seconds;
}

// A one-cell stone at the given world position.
inline StoneController oneCell(Playfield& field, glm::vec3 at)
{
    return StoneController(field, std::make_shared<FakeFood>(), at);
}

inline std::string moveTrace(StoneController& controller, int direction, const glm::vec3& camera)
{
    testing::internal::CaptureStdout();
    controller.move(direction, camera);
    return testing::internal::GetCapturedStdout();
}

inline std::string removeTrace(Playfield& field, int x, int level, int z)
{
    testing::internal::CaptureStdout();
    field.removeStone(x, level, z);
    return testing::internal::GetCapturedStdout();
}
