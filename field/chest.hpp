#pragma once
// The treasure chest in the field's centre column; it shows one treasure piece per lifepoint left.

#include "field/food.hpp"
#include "render/model.hpp"

#include <vector>

class Chest : public vosk::scene::Food {
public:
    static constexpr glm::vec3 position{700.0f, 0.0f, 680.0f}; // world units, chest and treasure
    static constexpr float modelScale = 100.0f;
    static constexpr float crownDrop = 20.0f; // world units the crown sits below the other pieces

    // Loads the six models; the treasure holds crown, diamant2, coins, diamant1 and necklace.
    Chest();

    // Draws the chest and the remaining treasure with stoneShader, which is in use.
    void draw() override;
    // Takes away the piece added last; nothing happens once the treasure is gone.
    void removeLastTreasure();

    char symbol() const override { return 'T'; }
    int cellCount() const override { return 0; }
    Model& model() override { return chestModel; } // not used by the game
    glm::vec3 drawOffset() const override { return glm::vec3(0.0f); }
    int colorIndex() const override { return 0; }
    void rotateAboutX() override {}
    void rotateAboutZ() override {}
    const std::vector<glm::vec3>& shapeCells() const override { return noCells; }
    glm::vec3 baseDrawOffset() const override { return glm::vec3(0.0f); }

    Model chestModel;
    Model diamond1Model;
    Model necklaceModel;
    Model crownModel;
    Model coinsModel;
    Model diamond2Model;
    std::vector<Model> treasure;               // pieces still shown, copies sharing the loaded models
    std::vector<glm::mat4> treasureMatrices;   // model matrix of each piece, same order

private:
    static inline const std::vector<glm::vec3> noCells;
};
