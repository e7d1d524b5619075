#pragma once
// Base of everything that can fill a playfield cell: the five stones, the chest and the blocked marker.

#include "render/scene_object.hpp"

#include <glm/glm.hpp>

#include <array>
#include <memory>
#include <optional>
#include <vector>

class Model;
class Playfield;

namespace vosk::scene {

// Stones are shared (controller, landed list); the release of a stone hands its own pointer on.
class Food : public SceneObject, public std::enable_shared_from_this<Food> {
public:
    // Colours of the stone classes, indexed by colorIndex(): red, green, yellow.
    static constexpr std::array<glm::vec3, 3> stoneColors{
        glm::vec3(1.0f, 0.0f, 0.0f), glm::vec3(0.0f, 1.0f, 0.0f), glm::vec3(1.0f, 1.0f, 0.0f)};

    // Stone drawing: sets "stone_color" of stoneShader and draws model() with it.
    // The caller has set "model" and made stoneShader current.
    void draw() override;
    void update(float) override {}

    virtual char symbol() const = 0;
    virtual int cellCount() const = 0;
    virtual Model& model() = 0;
    virtual glm::vec3 drawOffset() const = 0;
    virtual int colorIndex() const = 0;
    virtual void rotateAboutX() = 0;
    virtual void rotateAboutZ() = 0;
    // Cells used for steering and landing, offsets in world units from the pivot cell.
    virtual const std::vector<glm::vec3>& shapeCells() const = 0;
    virtual glm::vec3 baseDrawOffset() const = 0;

    // Quarter turn about x (true) or z (false) around rotationCenter; recomputes shape and offsetFromPivot.
    void rotate90(bool aboutX);

    // Releases this landed stone when nothing holds it up: it leaves the grid and falls again from
    // its pivot cell. Does nothing for an object without grid cells (chest, blocked marker).
    void fallIfUnsupported(Playfield& field);
    // True when a grid cell stands on the ground or on something that is not part of this stone.
    bool isSupported(const Playfield& field) const;

    std::vector<glm::vec3> shape;      // current cells, offsets from the pivot (first is (0, 0, 0))
    std::vector<glm::ivec3> gridCells; // (x, z, level) of the landed stone's cells, in shape order
    glm::mat4 pivotRotation{1.0f};     // product of all quarter turns so far
    glm::vec3 offsetFromPivot{0.0f};   // pivot cell position to model origin, world units
    glm::vec3 rotationCenter{0.0f};    // centre of the quarter turns, relative to the pivot cell
    std::vector<glm::vec3> baseShape;  // cells of the unturned stone
    // Cell (x, z, level) the pivot rounded into at the last landing. It is kept apart from gridCells
    // because a pivot that came to rest above the top level is not written into the grid; a stone
    // released without one (placed by hand) starts from its first grid cell.
    std::optional<glm::ivec3> pivotCell;
};

} // namespace vosk::scene
