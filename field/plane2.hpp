#pragma once
// The ground: the large field model drawn under everything.

#include "render/model.hpp"
#include "render/scene_object.hpp"

class ShaderProgram;

class Plane2 : public vosk::scene::SceneObject {
public:
    // The two sizes (the field's x and z extents) are not used by the ground.
    Plane2(int, int);

    // Sets "model" of shader to the model matrix and draws the field model; shader is in use.
    void draw() override;
    void update(float) override {}

    ShaderProgram* shader = nullptr; // set by the game logic before the first draw
    Model fieldModel;
    Model treesModel; // loaded, never drawn by the ground
};
