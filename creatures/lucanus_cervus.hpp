#pragma once
// The stag beetle: walks toward the chest, climbs over landed stones, backs away under overhangs.

#include "creatures/animal.hpp"
#include "render/model.hpp"

#include <cstdint>

enum class BeetleState : std::int32_t {
    Walking = 0,
    Climbing = 1,
    Descending = 2,
    Backing = 3,
    Dropping = 4
};

class LucanusCervus : public Animal {
public:
    static constexpr float bodyHeight = 30.0f;    // world units, for the smash test
    static constexpr float modelScale = 16.0f;    // world units per model unit
    static constexpr int maxAirFrames = 1000;     // steps above ground without support before it drops
    static constexpr int fullCircle = 4;          // quarter turns of the wall search that bring it round
    static constexpr const char* bodyPath = "QUARVEL/Ressources/Stones/fathirsch.obj";
    static constexpr const char* markerPath = "QUARVEL/Ressources/Stones/quad.obj";

    LucanusCervus(glm::mat4 placement, glm::vec3 target);

    // Body with drawMatrix, then the marker quad with partMatrices[0], both with beetleShader.
    void draw() override;
    void update(float dt) override;
    float height() const override { return bodyHeight; }
    void think(Playfield& field) override;
    void react(const bool flags[2]) override;

    float alignAngle = 0.0f; // degrees of yaw added by alignHeading and the wall search
    Model bodyModel;
    Model markerModel;
    bool dropping = false;   // never cleared once set
    BeetleState state = BeetleState::Walking;
    bool supportSeen = false;
    bool wallSeen = false;
    float topX = -1.0f;      // where the beetle last reached the top of a wall
    float topZ = -1.0f;
    glm::mat4 drawMatrix{1.0f};
    std::int32_t airFrames = 0;
    std::int32_t dropSpeed = 100; // model units per second
    std::int32_t walkSpeed = 3;   // model units per second
    int wallSearchTurns = 0;      // quarter turns of the current climb's search for its wall

private:
    // The marker's matrix for the current modelMatrix: small, tilted, on the beetle's back.
    glm::mat4 markerPose() const;
    // True when a stone fills the cell at the given offset (model units) from the beetle.
    bool probe(const Playfield& field, const glm::vec3& offset) const;
    // Pitch turn: changes the direction of movement and the drawn body, not the probe frame.
    void turn(float angle);
    // Snaps the probe frame to the world axis nearest to direction.
    void alignHeading();

    void countAirStep(float y, bool supported);
    void walk(bool stoneAhead, bool supported, float y);
    void climb(bool stoneAbove, bool wallAhead);
    void startClimbing();
    void searchWall();
    void descend(bool stoneBelow, float y);
    void back(bool stoneBehind, bool stoneAbove);
    void drop(bool stoneBelow, float y);
    bool belowGround(float y);
};
